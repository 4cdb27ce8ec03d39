#include "trisel/cli/posix/terminal.h"

#include <poll.h>
#include <termios.h>
#include <unistd.h>

#include <cerrno>
#include <csignal>
#include <cstdio>

#include "common/charset.h"

namespace {

JobState* g_job = nullptr;
volatile sig_atomic_t g_interrupts = 0;
struct termios g_savedTermios;
volatile sig_atomic_t g_echoOff = 0;

extern "C" void OnInterrupt(int) {
  g_interrupts = g_interrupts + 1;
  if (g_interrupts >= 2 || !g_job || g_job->busy.load(std::memory_order_relaxed) == 0) {
    if (g_echoOff) tcsetattr(STDIN_FILENO, TCSANOW, &g_savedTermios);
    static const char msg[] = "\n";
    ssize_t ignored = write(STDERR_FILENO, msg, sizeof msg - 1);
    (void)ignored;
    _exit(130);
  }
  g_job->cancel.store(1, std::memory_order_relaxed);
  g_job->cancelKeyFile.store(1, std::memory_order_relaxed);
}

bool IsAscii(const std::string& s) {
  for (unsigned char c : s)
    if (c >= 0x80) return false;
  return true;
}

}  // namespace

void InstallInterruptHandler(JobState& job) {
  g_job = &job;
  struct sigaction sa = {};
  sa.sa_handler = OnInterrupt;
  sigemptyset(&sa.sa_mask);
  // Restarted calls: a Ctrl+C must not turn into a failed write of a file.
  sa.sa_flags = SA_RESTART;
  sigaction(SIGINT, &sa, nullptr);
}

int InterruptCount() { return g_interrupts; }

CPosixTerminal::CPosixTerminal()
    : m_stdinTty(isatty(STDIN_FILENO) != 0), m_stderrTty(isatty(STDERR_FILENO) != 0) {}

ReadResult CPosixTerminal::ReadLine(const std::string& prompt, bool echo, std::string& line) {
  ClearProgress();
  line.clear();
  const int startInterrupts = g_interrupts;
  // Echo goes off before the prompt shows, so nothing typed in answer to it
  // is ever echoed.
  const bool hide = !echo && m_stdinTty;
  if (hide && tcgetattr(STDIN_FILENO, &g_savedTermios) == 0) {
    struct termios quiet = g_savedTermios;
    quiet.c_lflag &= ~static_cast<tcflag_t>(ECHO);
    g_echoOff = 1;
    tcsetattr(STDIN_FILENO, TCSANOW, &quiet);
  }
  fputs(prompt.c_str(), stderr);
  fflush(stderr);
  ReadResult result = ReadResult::Line;
  for (;;) {
    // Polled in short steps: the handler restarts reads, so a Ctrl+C is
    // seen through its count.
    if (g_interrupts != startInterrupts) {
      result = ReadResult::Interrupted;
      break;
    }
    struct pollfd pfd = {STDIN_FILENO, POLLIN, 0};
    int ready = poll(&pfd, 1, 100);
    if (ready == 0 || (ready < 0 && errno == EINTR)) continue;
    char c;
    ssize_t n = ready < 0 ? -1 : read(STDIN_FILENO, &c, 1);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) {
      result = line.empty() ? ReadResult::End : ReadResult::Line;
      break;
    }
    if (c == '\n') break;
    line += c;
  }
  if (!line.empty() && line.back() == '\r') line.pop_back();
  if (g_echoOff) {
    tcsetattr(STDIN_FILENO, TCSANOW, &g_savedTermios);
    g_echoOff = 0;
  }
  if (hide || result != ReadResult::Line) fputs("\n", stderr);
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

std::string CPosixTerminal::ToTerminal(const std::string& cp949) {
  if (IsAscii(cp949)) return cp949;
  // What is no CP949 (a name kept in its native bytes) goes through as it is.
  return Cp949ToUtf8Piecewise(cp949, nullptr);
}

std::string CPosixTerminal::FromTerminal(const std::string& utf8) {
  std::string out;
  if (IsAscii(utf8)) return utf8;
  return ConvertText(Charset::Cp949, Charset::Utf8, utf8, out) ? out : utf8;
}
