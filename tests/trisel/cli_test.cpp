// The console answers of trisel-cli that a pseudo terminal run does not meet:
// unknown keys, Ctrl+C and the end of input at each question.
#include <gtest/gtest.h>

#include <deque>
#include <string>

#include "trisel/cli/console.h"

using namespace trisel_cli;
using console::ReadResult;

namespace {

// Lines to read ("\x03" is a Ctrl+C; no more lines end the input).
class CScriptTerminal : public console::ITerminal {
 public:
  std::deque<std::string> input;
  bool Interactive() override { return true; }
  bool ShowsProgress() override { return false; }
  ReadResult ReadLine(const std::string&, bool, std::string& line) override {
    if (input.empty()) return ReadResult::End;
    line = input.front();
    input.pop_front();
    return line == "\x03" ? ReadResult::Interrupted : ReadResult::Line;
  }
  void Out(const std::string&) override {}
  void Err(const std::string&) override {}
  void Progress(const std::string&) override {}
  std::string ToTerminal(const std::string& s) override { return s; }
  bool FromTerminal(const std::string& s, std::string& cp949) override { return cp949 = s, true; }
};

TEST(ConsoleReportTest, TerminalAnswers) {
  CScriptTerminal term;
  CConsoleReportUI ui(term, OverwriteChoice::Default);
  // Enter takes the default, an unknown key asks again, Ctrl+C stops the
  // job; the overwrite question wants a button and end of input skips all.
  term.input = {"", "x", "a", "\x03", "", "A", "c", "\x03"};
  const int kAri = kReportAbortRetryIgnore, kStop = kReportStopJob, kOver = kReportOverwrite;
  std::vector<int> got;
  for (int kind : {kAri, kAri, kStop, kOver, kOver, kOver, kOver})
    got.push_back(kind == kOver ? ui.AskOverwrite("t")
                                : ui.AskMessageBox(static_cast<ReportKind>(kind), "경고", "t"));
  EXPECT_EQ(got, (std::vector<int>{kAnswerIgnore, kAnswerAbort, kAnswerYes, kAnswerYesToAll, kAnswerCancel,
                                   kAnswerCancel, kAnswerNoToAll}));
  FolderOptions f;
  EXPECT_EQ(CConsoleJobView(term, CliOptions()).AskFolderOptions(true, f), kFolderOptionsCancel);
}

}  // namespace
