// The console parts of trisel-cli with a scripted terminal.
#include <gtest/gtest.h>

#include <deque>
#include <string>

#include "trisel/cli/console.h"

using namespace trisel_cli;
using console::ReadResult;

namespace {

// Lines to read (an entry of "\x04" ends the input, "\x03" is a Ctrl+C);
// everything written to stderr is kept. Text passes through unconverted.
class CScriptTerminal : public console::ITerminal {
 public:
  bool interactive = true;
  std::deque<std::string> input;
  std::string err;
  int reads = 0;

  bool Interactive() override { return interactive; }
  bool ShowsProgress() override { return false; }
  ReadResult ReadLine(const std::string& prompt, bool, std::string& line) override {
    ++reads;
    err += prompt;
    if (input.empty() || input.front() == "\x04") return ReadResult::End;
    line = input.front();
    input.pop_front();
    return line == "\x03" ? ReadResult::Interrupted : ReadResult::Line;
  }
  void Out(const std::string&) override {}
  void Err(const std::string& text) override { err += text; }
  void Progress(const std::string&) override {}
  std::string ToTerminal(const std::string& s) override { return s; }
  bool FromTerminal(const std::string& s, std::string& cp949) override {
    cp949 = s;
    return true;
  }
};

TEST(ConsoleReportTest, BatchAnswersNeverOverwriteUnasked) {
  CScriptTerminal term;
  term.interactive = false;
  CConsoleReportUI quiet(term, OverwriteChoice::Default);
  EXPECT_EQ(quiet.AskMessageBox(kReportAbortRetryIgnore, "경고", "t"), kAnswerIgnore);
  EXPECT_EQ(quiet.AskMessageBox(kReportYesNo, "경고", "t"), kAnswerNo);
  EXPECT_EQ(quiet.AskMessageBox(kReportStopJob, "경고", "t"), kAnswerNo);
  for (OverwriteChoice c : {OverwriteChoice::Default, OverwriteChoice::Ask})
    EXPECT_EQ(CConsoleReportUI(term, c).AskOverwrite("t"), kAnswerNoToAll);
  // On a terminal too, --overwrite all and none answer without asking.
  term.interactive = true;
  EXPECT_EQ(CConsoleReportUI(term, OverwriteChoice::All).AskOverwrite("t"), kAnswerYesToAll);
  EXPECT_EQ(CConsoleReportUI(term, OverwriteChoice::None).AskOverwrite("t"), kAnswerNoToAll);
  EXPECT_EQ(term.reads, 0);
}

TEST(ConsoleReportTest, TerminalAnswers) {
  CScriptTerminal term;
  CConsoleReportUI ui(term, OverwriteChoice::Default);
  // Enter takes the default, an unknown key asks again, Ctrl+C stops the
  // job; the overwrite question wants a button and end of input skips all.
  term.input = {"r", "", "x", "a", "y", "", "\x03", "", "A", "o", "N", "y", "c", "\x03", "\x04"};
  const int kAri = kReportAbortRetryIgnore, kStop = kReportStopJob, kOver = kReportOverwrite;
  std::vector<int> got;
  for (int kind : {kAri, kAri, kAri, int(kReportYesNo), kStop, kStop, kOver, kOver, kOver, kOver,
                   kOver, kOver, kOver})
    got.push_back(kind == kOver ? ui.AskOverwrite("t")
                                : ui.AskMessageBox(static_cast<ReportKind>(kind), "경고", "t"));
  EXPECT_EQ(got, (std::vector<int>{kAnswerRetry, kAnswerIgnore, kAnswerAbort, kAnswerYes,
                                   kAnswerNo, kAnswerYes, kAnswerYesToAll, kAnswerNoToAll, kAnswerNo,
                                   kAnswerYes, kAnswerCancel, kAnswerCancel, kAnswerNoToAll}));
  EXPECT_NE(term.err.find("[경고]\nt\n[A] 중단"), std::string::npos);
}

TEST(ConsoleJobViewTest, DecryptionAsksOnlyAboutSubFoldersAndEndOfInputCancels) {
  CScriptTerminal term;
  CliOptions o;
  FolderOptions f;
  term.input = {"y"};
  EXPECT_EQ(CConsoleJobView(term, o).AskFolderOptions(false, f), kFolderOptionsOk);
  EXPECT_EQ(f.subDir, 1u);
  EXPECT_EQ(term.reads, 1);
  EXPECT_EQ(CConsoleJobView(term, o).AskFolderOptions(true, f), kFolderOptionsCancel);
}

}  // namespace
