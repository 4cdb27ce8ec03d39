// The console parts of trisel-cli with a scripted terminal.
#include <gtest/gtest.h>

#include <deque>
#include <string>

#include "support/memory_fs.h"
#include "support/memory_registry.h"
#include "trisel/cli/cli_options.h"
#include "trisel/cli/console.h"
#include "trisel/cli/startup_checks.h"
#include "trisel/settings.h"

namespace {

// Lines to read (an entry of "\x04" ends the input, "\x03" is a Ctrl+C);
// everything written is kept. Text passes through unconverted.
class CScriptTerminal : public ITerminal {
 public:
  bool interactive = true;
  std::deque<std::string> input;
  std::string out, err;
  int reads = 0;

  bool Interactive() override { return interactive; }
  bool ShowsProgress() override { return interactive; }
  ReadResult ReadLine(const std::string& prompt, bool, std::string& line) override {
    ++reads;
    err += prompt;
    if (input.empty() || input.front() == "\x04") return ReadResult::End;
    line = input.front();
    input.pop_front();
    return line == "\x03" ? ReadResult::Interrupted : ReadResult::Line;
  }
  void Out(const std::string& text) override { out += text; }
  void Err(const std::string& text) override { err += text; }
  void Progress(const std::string& text) override { progress = text; }
  std::string ToTerminal(const std::string& s) override { return s; }
  std::string FromTerminal(const std::string& s) override { return s; }
  std::string progress;
};

bool Parse(std::vector<const char*> args, CliOptions& o, std::string* error = nullptr) {
  args.insert(args.begin(), "trisel-cli");
  std::string e;
  bool ok = ParseCliOptions(static_cast<int>(args.size()), args.data(), o, e);
  if (error) *error = e;
  return ok;
}

TEST(CliOptionsTest, ValuesAndRefusals) {
  CliOptions o;
  ASSERT_TRUE(Parse({"--key-file=/k", "-e", "--overwrite", "all", "a", "--", "-b"}, o));
  EXPECT_TRUE(o.Encrypt());
  EXPECT_EQ(o.keyFilePath, "/k");
  EXPECT_EQ(o.overwrite, OverwriteChoice::All);
  EXPECT_EQ(o.paths, (std::vector<std::string>{"a", "-b"}));
  for (const char* bad : {"-d", "--overwrite=some", "--key-file=", "--frobnicate", "--filter"}) {
    CliOptions o;
    EXPECT_FALSE(Parse({"-e", "x", bad}, o)) << bad;
  }
}

TEST(StartupChecksTest, SingleFileAndPassword) {
  CMemoryFileSystem fs;
  fs.AddFile("/d/a.TSL", "x");
  fs.AddFile("/d/b.txt", "x");
  fs.AddFolder("/d/f.tsl");
  CMyString msg;
  EXPECT_TRUE(SingleFileRefusal(fs, true, "/d/a.TSL", msg));
  EXPECT_STREQ(msg.GetBuffer(), "a.TSL\n\n암호화된 파일입니다.\n(이중으로 암호화할 수 없습니다.)");
  EXPECT_FALSE(SingleFileRefusal(fs, true, "/d/b.txt", msg));
  EXPECT_TRUE(SingleFileRefusal(fs, false, "/d/b.txt", msg));
  EXPECT_STREQ(msg.GetBuffer(), "b.txt\n\n암호화된 파일이 아닙니다.\n(해독할 수 없습니다.)");
  EXPECT_FALSE(SingleFileRefusal(fs, false, "/d/a.TSL", msg));
  EXPECT_FALSE(SingleFileRefusal(fs, true, "/d/f.tsl", msg));     // a folder
  EXPECT_FALSE(SingleFileRefusal(fs, false, "/d/none.txt", msg));  // unreadable attributes

  EXPECT_STREQ(CheckPasswordInput("", ""), "<암호>와 <확인>을 입력하십시오.");
  EXPECT_STREQ(CheckPasswordInput("", "a"), "<암호>를 입력하십시오.");
  EXPECT_STREQ(CheckPasswordInput("a", ""), "<확인>을 입력하십시오.");
  EXPECT_STREQ(CheckPasswordInput("a", "A"), "<암호>와 <확인>이 일치하지 않습니다.");
  EXPECT_EQ(CheckPasswordInput("암호", "암호"), nullptr);
}

TEST(ConsoleReportTest, BatchAnswersNeverOverwriteUnasked) {
  CScriptTerminal term;
  term.interactive = false;
  CConsoleReportUI quiet(term, OverwriteChoice::Default);
  EXPECT_EQ(quiet.AskMessageBox(kReportAbortRetryIgnore, "경고", "t"), kAnswerIgnore);
  EXPECT_EQ(quiet.AskMessageBox(kReportYesNo, "경고", "t"), kAnswerNo);
  EXPECT_EQ(quiet.AskMessageBox(kReportStopJob, "경고", "t"), kAnswerNo);
  EXPECT_EQ(quiet.AskOverwrite("t"), kAnswerNoToAll);
  EXPECT_EQ(CConsoleReportUI(term, OverwriteChoice::Ask).AskOverwrite("t"), kAnswerNoToAll);
  EXPECT_EQ(CConsoleReportUI(term, OverwriteChoice::All).AskOverwrite("t"), kAnswerYesToAll);
  EXPECT_EQ(term.reads, 0);
  // On a terminal, --overwrite all and none still answer without asking.
  term.interactive = true;
  EXPECT_EQ(CConsoleReportUI(term, OverwriteChoice::None).AskOverwrite("t"), kAnswerNoToAll);
  EXPECT_EQ(term.reads, 0);
}

TEST(ConsoleReportTest, TerminalAnswers) {
  CScriptTerminal term;
  CConsoleReportUI ui(term, OverwriteChoice::Default);
  int drains = 0;
  ui.SetBeforeQuestion([&drains] { ++drains; });
  term.input = {"r", "", "x", "a"};
  EXPECT_EQ(ui.AskMessageBox(kReportAbortRetryIgnore, "경고", "열 수 없습니다."), kAnswerRetry);
  EXPECT_EQ(ui.AskMessageBox(kReportAbortRetryIgnore, "경고", "t"), kAnswerIgnore);  // default
  EXPECT_EQ(ui.AskMessageBox(kReportAbortRetryIgnore, "경고", "t"), kAnswerAbort);   // x re-asked
  EXPECT_NE(term.err.find("[경고]\n열 수 없습니다.\n[A] 중단"), std::string::npos);
  term.input = {"y", "", "\x03"};
  EXPECT_EQ(ui.AskMessageBox(kReportYesNo, "경고", "t"), kAnswerYes);
  EXPECT_EQ(ui.AskMessageBox(kReportStopJob, "경고", "t"), kAnswerNo);
  EXPECT_EQ(ui.AskMessageBox(kReportStopJob, "경고", "t"), kAnswerYes);  // Ctrl+C stops
  // The overwrite question wants a button; end of input overwrites nothing.
  term.input = {"", "A", "o", "N", "y", "c", "\x03", "\x04"};
  EXPECT_EQ(ui.AskOverwrite("덮어쓰겠습니까? "), kAnswerYesToAll);
  EXPECT_EQ(ui.AskOverwrite("t"), kAnswerNoToAll);
  EXPECT_EQ(ui.AskOverwrite("t"), kAnswerNo);
  EXPECT_EQ(ui.AskOverwrite("t"), kAnswerYes);
  EXPECT_EQ(ui.AskOverwrite("t"), kAnswerCancel);
  EXPECT_EQ(ui.AskOverwrite("t"), kAnswerCancel);
  EXPECT_EQ(ui.AskOverwrite("t"), kAnswerNoToAll);
  EXPECT_EQ(drains, 13);
}

TEST(ConsoleJobViewTest, FolderOptionsFromFlagsTerminalOrStore) {
  CScriptTerminal term;
  CliOptions o;
  CConsoleJobView view(term, o);
  FolderOptions f;
  f.subDir = 1;
  f.filter = "*.hwp";
  // Asked, with the stored values as defaults.
  term.input = {"", ""};
  EXPECT_EQ(view.AskFolderOptions(true, f), kFolderOptionsOk);
  EXPECT_EQ(f.subDir, 1u);
  EXPECT_STREQ(f.filter.GetBuffer(), "*.hwp");
  EXPECT_NE(term.err.find("(기본: Y)"), std::string::npos);
  EXPECT_NE(term.err.find("(기본: *.hwp)"), std::string::npos);
  term.input = {"n", "*.doc"};
  EXPECT_EQ(view.AskFolderOptions(true, f), kFolderOptionsOk);
  EXPECT_EQ(f.subDir, 0u);
  EXPECT_STREQ(f.filter.GetBuffer(), "*.doc");
  // Decryption asks only about sub-folders; end of input cancels.
  term.input = {"\x04"};
  term.reads = 0;
  EXPECT_EQ(view.AskFolderOptions(false, f), kFolderOptionsCancel);
  EXPECT_EQ(term.reads, 1);

  // Flags answer without asking; without a terminal the stored values hold.
  CliOptions flags;
  flags.subDirs = 1;
  flags.hasFilter = true;
  flags.filter = "*.txt";
  term.reads = 0;
  EXPECT_EQ(CConsoleJobView(term, flags).AskFolderOptions(true, f), kFolderOptionsOk);
  EXPECT_EQ(f.subDir, 1u);
  EXPECT_STREQ(f.filter.GetBuffer(), "*.txt");
  term.interactive = false;
  EXPECT_EQ(view.AskFolderOptions(true, f), kFolderOptionsOk);
  EXPECT_STREQ(f.filter.GetBuffer(), "*.txt");
  EXPECT_EQ(term.reads, 0);
}

TEST(KeyFileRegistryTest, OptionShadowsOnlyTheKeyFile) {
  CMemoryRegistry inner;
  SaveCommKeyFile(inner, "/stored.key");
  SaveFilter(inner, "*.txt");
  CKeyFileRegistry stored(inner, KeyFileChoice::Stored, "");
  CKeyFileRegistry path(inner, KeyFileChoice::Path, "/given.key");
  CKeyFileRegistry none(inner, KeyFileChoice::None, "");
  EXPECT_STREQ(LoadCommKeyFile(stored).GetBuffer(), "/stored.key");
  EXPECT_STREQ(LoadCommKeyFile(path).GetBuffer(), "/given.key");
  EXPECT_STREQ(LoadCommKeyFile(none).GetBuffer(), "");
  EXPECT_STREQ(LoadFilter(path).GetBuffer(), "*.txt");
  EXPECT_STREQ(LoadCommKeyFile(inner).GetBuffer(), "/stored.key");
}

TEST(LogEchoTest, ShowsWhatTheLogsGain) {
  CScriptTerminal term;
  CTempDir dir;
  CLogEcho echo(term, dir / "j.log", dir / "e.log");
  echo.Drain();  // nothing there yet
  ASSERT_TRUE(dir.WriteFile("j.log", "one\r\ntwo\r\n"));
  echo.Drain();
  EXPECT_EQ(term.out, "one\ntwo\n");
  FILE* fp = fopen((dir / "j.log").c_str(), "ab");
  ASSERT_NE(fp, nullptr);
  fputs("three\r\n", fp);
  fflush(fp);
  echo.Drain();
  fclose(fp);
  EXPECT_EQ(term.out, "one\ntwo\nthree\n");
  // The error log's headings are not shown, only what follows them.
  ASSERT_TRUE(dir.WriteFile("e.log", "(1) 작업 시간\r\n-------------\r\n\r\n"));
  echo.Drain();
  ASSERT_TRUE(dir.WriteFile("e.log", "(1) 작업 시간\r\n-------------\r\n\r\n(2) 에러 목록\r\n"
                                     "-------------\r\n\r\n1 : /x\r\n"));
  echo.Drain();
  EXPECT_EQ(term.err, "1 : /x\n");
}

}  // namespace
