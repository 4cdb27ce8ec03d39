// The Trisel job over an in-memory disk and registry, its reporter and its
// log viewer's text: the failures the end-to-end runs (tests/e2e/run,
// cli_run.sh) cannot bring about.
#include <gtest/gtest.h>

#include <cerrno>

#include "common/log.h"
#include "filecipher/reporter.h"
#include "support/fault_fs.h"
#include "support/memory_fs.h"
#include "support/memory_registry.h"
#include "support/scripted_report_ui.h"
#include "support/temp_dir.h"
#include "trisel/dialog_rules.h"
#include "trisel/job.h"
#include "trisel/settings.h"

// A cancelled folder options question comes back with sub-folders ticked.
class CJobView : public CNullJobView {
 public:
  int answer = kFolderOptionsOk;
  int AskFolderOptions(bool, FolderOptions& o) override {
    if (answer == kFolderOptionsCancel) o.subDir = 1;
    return answer;
  }
};

class JobTest : public ::testing::Test {
 protected:
  void SetUp() override { TheRunLog().SetFileBase((m_logs / "Trisel.exe").c_str()), m_ui.SetFallback(kAnswerNo); }
  void TearDown() override { TheRunLog().SetFileBase(nullptr); }
  int Run(std::vector<const char*> argv) {  // the worker's steps for "Trisel.exe ARGV..."
    argv.insert(argv.begin(), "Trisel.exe");
    m_job.SetCommandLine(static_cast<int>(argv.size()), argv.data());
    m_pw = "secret";
    return m_job.Work(&m_pw[0]);
  }
  std::string Log(const char* suffix) const { return m_logs.ReadFile(std::string("Trisel.exe") + suffix); }

  CMemoryFileSystem m_fs;
  CMemoryRegistry m_reg;
  CScriptedReportUI m_ui;
  CNullTriselView m_coderView;
  CJobView m_view;
  CNullKeyFileView m_keyView{KeyFileProgram::Trisel};
  JobState m_state;
  CTempDir m_logs;
  std::string m_pw;
  CTriselJob m_job{m_fs, m_reg, m_ui, m_coderView, m_view, m_keyView, m_state};
};

// A read-only source cannot be deleted: a warning, counted as a success.
TEST_F(JobTest, ASourceThatCannotBeDeletedIsAWarning) {
  m_fs.AddFile("/P/a.txt", "a");
  m_fs.AddFile("/P/ro.txt", "r", 0, kAttrArchive | kAttrReadOnly);
  m_view.deleteSource = true;
  ASSERT_EQ(Run({"-e", "/P/a.txt", "/P/ro.txt"}), 0);
  EXPECT_TRUE(!m_fs.Exists("/P/a.txt") && m_fs.Exists("/P/ro.txt") && m_fs.Exists("/P/ro.txt.tsl"));
  EXPECT_NE(Log(".log").find("성공 → 2  (경고 → 1)"), std::string::npos);
  EXPECT_NE(Log("_err.log").find("2 : /P/ro.txt\r\n\r\n(경고) 작업 완료 후 <원본 파일 삭제> 옵션 실행에 실패했습니다."),
            std::string::npos);
  EXPECT_EQ(m_state.busy.load(), 0);
}

// Options cancelled after ticking sub-folders store nothing.
TEST_F(JobTest, CancelledFolderOptionsStoreNothing) {
  m_fs.AddFile("/A/x.txt", "x");
  m_view.answer = kFolderOptionsCancel;
  EXPECT_EQ(Run({"-e", "/A"}), -5);
  EXPECT_EQ(LoadSubDir(m_reg), 0u);
}

TEST(TriselSettingsTest, LimitsAndAnUnreadableRegistry) {
  CMemoryRegistry reg;
  SaveDelSrcFile(reg, true);
  SaveFilter(reg, std::string(259, 'f').c_str());  // fits the 260-byte buffer
  EXPECT_EQ(LoadFilter(reg).GetLength(), 259u);
  SaveFilter(reg, std::string(260, 'f').c_str());
  EXPECT_STREQ(LoadFilter(reg).GetBuffer(), "*.*");
  reg.failOpen = true;  // the defaults, never stale bytes
  EXPECT_EQ(LoadDelSrcFile(reg), 0u);
}

// A closed box (kAnswerNone) takes the safe way out of each kind; the
// end-to-end runs press the buttons, and trisel-cli without a terminal skips.
TEST(ReporterTest, ClosedBoxesTakeTheSafeWayOut) {
  TheRunLog().SetFilesEnabled(false);
  JobState job;
  CScriptedReportUI ui;
  CMyMessage msg(ui, job);
  const std::pair<int, int> cases[] = {{kReportAbortRetryIgnore, -1}, {kReportYesNo, -3},
                                       {kReportOverwrite, -2}, {kReportStopJob, -1}};
  for (const auto& c : cases) {
    ui.Script({kAnswerNone});
    EXPECT_EQ(c.second, msg.Report("에러", "T::t, x, 0", "msg", "p", c.first)) << c.first;
  }
  TheRunLog().SetFilesEnabled(true);
}

// A zero byte must not cut the shown log short; a failed read keeps the old text.
TEST(LogViewText, BannerTextThenTheWholeFileOrAFailure) {
  CMemoryFileSystem memory;
  memory.AddFile("C:\\T\\j.log", std::string("(1) 작업 시간\r\n") + std::string(1, 0) + "x\r\n");
  CMyString out;
  ASSERT_EQ(0, BuildLogViewText(memory, "C:\\T\\j.log", "\r\n배너", out));
  EXPECT_EQ(std::string("\r\n배너\r\n(1) 작업 시간\r\n x\r\n"), std::string(out.GetBuffer(), out.GetLength()));
  CFaultFileSystem fs(memory);
  fs.FailAt(FsOp::Read, 1, EIO);
  EXPECT_EQ(-1, BuildLogViewText(fs, "C:\\T\\j.log", "", out));
  EXPECT_EQ(std::string("\r\n배너\r\n(1) 작업 시간\r\n x\r\n"), out.GetBuffer());
}
