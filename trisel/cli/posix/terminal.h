// The terminal of trisel-cli on POSIX: termios for the hidden password,
// iconv between the core's CP949 and the terminal's UTF-8, and the Ctrl+C
// handler.
#ifndef MIRELKA_TRISEL_CLI_POSIX_TERMINAL_H
#define MIRELKA_TRISEL_CLI_POSIX_TERMINAL_H

#include <string>

#include "trisel/cli/console.h"
#include "trisel/job_state.h"

class CPosixTerminal : public ITerminal {
 public:
  CPosixTerminal();
  bool Interactive() override { return m_stdinTty && m_stderrTty; }
  bool ShowsProgress() override { return m_stderrTty; }
  ReadResult ReadLine(const std::string& prompt, bool echo, std::string& line) override;
  void Out(const std::string& text) override;
  void Err(const std::string& text) override;
  void Progress(const std::string& text) override;
  std::string ToTerminal(const std::string& cp949) override;
  std::string FromTerminal(const std::string& utf8) override;

 private:
  void ClearProgress();
  bool m_stdinTty, m_stderrTty;
  bool m_progressShown = false;
};

// Ctrl+C: during a job (busy) the first one sets both cancel words of the
// job; a second one, or one outside a job, ends the program at once with
// status 130 (the terminal's echo is restored first).
void InstallInterruptHandler(JobState& job);
// How many Ctrl+C have arrived.
int InterruptCount();

#endif
