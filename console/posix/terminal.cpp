#include "console/terminal.h"

#include <fcntl.h>
#include <poll.h>
#include <termios.h>
#include <unistd.h>

#include <cerrno>
#include <csignal>
#include <cstdio>

#include "common/charset.h"
#include "common/posix/native_paths.h"

namespace console {
namespace {

bool (*g_cancel)() = nullptr;
bool g_handlerInstalled = false;
volatile sig_atomic_t g_interrupts = 0;
// The terminal whose echo is off, and its settings before.
volatile sig_atomic_t g_echoOffFd = -1;
struct termios g_savedTermios;

void RestoreEcho() {
  if (g_echoOffFd >= 0) tcsetattr(g_echoOffFd, TCSANOW, &g_savedTermios);
}

extern "C" void OnInterrupt(int) {
  g_interrupts = g_interrupts + 1;
  if (g_interrupts >= 2 || !g_cancel || !g_cancel()) {
    RestoreEcho();
    static const char msg[] = "\n";
    ssize_t ignored = write(STDERR_FILENO, msg, sizeof msg - 1);
    (void)ignored;
    _exit(130);
  }
}

// While echo is off, a signal that ends the program gives the terminal back
// its echo first.
extern "C" void RestoreEchoAndDie(int sig) {
  RestoreEcho();
  signal(sig, SIG_DFL);
  raise(sig);
}

class CPosixTerminal : public ITerminal {
 public:
  explicit CPosixTerminal(QuestionInput input) : m_stderrTty(isatty(STDERR_FILENO) != 0) {
    if (input == QuestionInput::StandardInput) {
      m_in = STDIN_FILENO;
      m_interactive = isatty(STDIN_FILENO) && m_stderrTty;
    } else {
      m_tty = open("/dev/tty", O_RDWR | O_NOCTTY | O_CLOEXEC);
      m_in = m_tty;
      m_interactive = m_tty >= 0;
    }
  }
  ~CPosixTerminal() override {
    if (m_tty >= 0) close(m_tty);
  }

  bool Interactive() override { return m_interactive; }
  bool ShowsProgress() override { return m_stderrTty; }
  ReadResult ReadLine(const std::string& prompt, bool echo, std::string& line) override;
  void Out(const std::string& text) override;
  void Err(const std::string& text) override;
  void Progress(const std::string& text) override;

  std::string ToTerminal(const std::string& cp949) override { return ShownText(cp949); }
  bool FromTerminal(const std::string& typed, std::string& cp949) override {
    return TypedToCp949(typed, cp949);
  }

 private:
  void ClearProgress();
  void ShowPrompt(const std::string& text);

  int m_tty = -1;  // the controlling terminal, when questions go there
  int m_in = -1;
  bool m_interactive = false;
  bool m_stderrTty;
  bool m_progressShown = false;
};

void CPosixTerminal::ShowPrompt(const std::string& text) {
  if (m_tty >= 0) {
    ssize_t ignored = write(m_tty, text.data(), text.size());
    (void)ignored;
  } else {
    fputs(text.c_str(), stderr);
    fflush(stderr);
  }
}

ReadResult CPosixTerminal::ReadLine(const std::string& prompt, bool echo, std::string& line) {
  ClearProgress();
  line.clear();
  if (m_in < 0) return ReadResult::End;
  const int startInterrupts = g_interrupts;
  // Echo goes off before the prompt shows, so nothing typed in answer to it
  // is ever echoed; what was typed ahead (and echoed) is dropped.
  const int signals[] = {SIGINT, SIGTERM, SIGHUP};
  struct sigaction before[3];
  bool hidden = false;
  if (!echo && isatty(m_in) && tcgetattr(m_in, &g_savedTermios) == 0) {
    hidden = true;
    g_echoOffFd = m_in;
    for (int i = 0; i < 3; ++i) {
      if (signals[i] == SIGINT && g_handlerInstalled) continue;
      struct sigaction sa = {};
      sa.sa_handler = RestoreEchoAndDie;
      sigemptyset(&sa.sa_mask);
      sigaction(signals[i], &sa, &before[i]);
    }
    struct termios quiet = g_savedTermios;
    quiet.c_lflag &= ~static_cast<tcflag_t>(ECHO | ECHONL);
    quiet.c_lflag |= ICANON;
    tcsetattr(m_in, TCSAFLUSH, &quiet);
  }
  ShowPrompt(ToTerminal(prompt));
  ReadResult result = ReadResult::Line;
  for (;;) {
    // Polled in short steps: the interrupt handler restarts reads, so a
    // Ctrl+C taken as a cancel is seen through its count.
    if (g_interrupts != startInterrupts) {
      result = ReadResult::Interrupted;
      break;
    }
    struct pollfd pfd = {m_in, POLLIN, 0};
    int ready = poll(&pfd, 1, 100);
    if (ready == 0 || (ready < 0 && errno == EINTR)) continue;
    char c;
    ssize_t n = ready < 0 ? -1 : read(m_in, &c, 1);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) {
      result = line.empty() ? ReadResult::End : ReadResult::Line;
      break;
    }
    if (c == '\n') break;
    line += c;
  }
  if (!line.empty() && line.back() == '\r') line.pop_back();
  if (hidden) {
    RestoreEcho();
    g_echoOffFd = -1;
    for (int i = 0; i < 3; ++i)
      if (!(signals[i] == SIGINT && g_handlerInstalled)) sigaction(signals[i], &before[i], nullptr);
  }
  if (hidden || result != ReadResult::Line) ShowPrompt("\n");
  return result;
}

void CPosixTerminal::ClearProgress() {
  if (!m_progressShown) return;
  fputs("\r\033[K", stderr);
  m_progressShown = false;
}

void CPosixTerminal::Out(const std::string& text) {
  ClearProgress();
  fflush(stderr);
  fwrite(text.data(), 1, text.size(), stdout);
  fflush(stdout);
}

void CPosixTerminal::Err(const std::string& text) {
  ClearProgress();
  fflush(stdout);
  fwrite(text.data(), 1, text.size(), stderr);
  fflush(stderr);
}

void CPosixTerminal::Progress(const std::string& text) {
  fputs("\r\033[K", stderr);
  fwrite(text.data(), 1, text.size(), stderr);
  fflush(stderr);
  m_progressShown = true;
}

}  // namespace

std::unique_ptr<ITerminal> OpenTerminal(QuestionInput input) {
  return std::unique_ptr<ITerminal>(new CPosixTerminal(input));
}

void InstallInterruptHandler(bool (*cancel)()) {
  g_cancel = cancel;
  g_handlerInstalled = true;
  struct sigaction sa = {};
  sa.sa_handler = OnInterrupt;
  sigemptyset(&sa.sa_mask);
  // Restarted calls: a Ctrl+C must not turn into a failed write of a file.
  sa.sa_flags = SA_RESTART;
  sigaction(SIGINT, &sa, nullptr);
}

void SetBinaryStdio() {}

std::string ArgumentToCp949(const std::string& argument) { return NativeToCp949(argument); }

IFileSystem& Cp949FileSystem() {
  static CNativePathFileSystem fs(RealFileSystem());
  return fs;
}

}  // namespace console
