#include "mirelka/cli/terminal.h"

#include <fcntl.h>
#include <termios.h>
#include <unistd.h>

#include <csignal>
#include <cstring>

#include "common/posix/native_paths.h"

namespace {

// The terminal's settings while echo is off, so that an interrupt does not
// leave the user's shell without echo.
int g_ttyFd = -1;
struct termios g_saved;

void RestoreAndDie(int sig) {
  if (g_ttyFd >= 0) tcsetattr(g_ttyFd, TCSAFLUSH, &g_saved);
  std::signal(sig, SIG_DFL);
  std::raise(sig);
}

}  // namespace

void SetBinaryStdio() {}

bool ReadSecretLine(const char* prompt, std::string& line) {
  line.clear();
  int fd = open("/dev/tty", O_RDWR | O_NOCTTY | O_CLOEXEC);
  if (fd < 0) return false;
  bool quiet = tcgetattr(fd, &g_saved) == 0;
  void (*oldInt)(int) = SIG_DFL, (*oldTerm)(int) = SIG_DFL, (*oldHup)(int) = SIG_DFL;
  if (quiet) {
    g_ttyFd = fd;
    oldInt = std::signal(SIGINT, RestoreAndDie);
    oldTerm = std::signal(SIGTERM, RestoreAndDie);
    oldHup = std::signal(SIGHUP, RestoreAndDie);
    struct termios t = g_saved;
    t.c_lflag &= ~static_cast<tcflag_t>(ECHO | ECHONL);
    t.c_lflag |= ICANON;
    tcsetattr(fd, TCSAFLUSH, &t);
  }
  ssize_t ignored = write(fd, prompt, std::strlen(prompt));
  char c;
  while (read(fd, &c, 1) == 1 && c != '\n') line += c;
  if (!line.empty() && line.back() == '\r') line.pop_back();
  ignored = write(fd, "\n", 1);
  (void)ignored;
  if (quiet) {
    tcsetattr(fd, TCSAFLUSH, &g_saved);
    g_ttyFd = -1;
    std::signal(SIGINT, oldInt);
    std::signal(SIGTERM, oldTerm);
    std::signal(SIGHUP, oldHup);
  }
  close(fd);
  return true;
}

std::string CommandLinePathToCp949(const std::string& path) { return NativeToCp949(path); }

IFileSystem& CliFileSystem() {
  static CNativePathFileSystem fs(RealFileSystem());
  return fs;
}
