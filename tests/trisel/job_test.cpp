// The Trisel job over an in-memory disk and registry, a fixed clock and its
// logs in a temporary folder: the failures the end-to-end runs
// (tests/e2e/run, cli_run.sh) cannot bring about.
#include <gtest/gtest.h>

#include <algorithm>

#include "common/log.h"
#include "support/memory_fs.h"
#include "support/memory_registry.h"
#include "support/scripted_report_ui.h"
#include "support/temp_dir.h"
#include "trisel/job.h"
#include "trisel/settings.h"

namespace {

// Keeps the status texts; a cancelled folder options question comes back with sub-folders ticked.
class CJobView : public CNullJobView {
 public:
  std::vector<std::string> statuses;
  int answer = kFolderOptionsOk;
  void ShowJobStatus(const char*, const char* s, int) override {
    if (s) statuses.push_back(s);
  }
  int AskFolderOptions(bool, FolderOptions& o) override {
    if (answer == kFolderOptionsCancel) o.subDir = 1;
    return answer;
  }
};

class JobTest : public ::testing::Test {
 protected:
  void SetUp() override { TheRunLog().SetFileBase((m_logs / "Trisel.exe").c_str()), m_ui.SetFallback(kAnswerNo); }
  void TearDown() override { TheRunLog().SetFileBase(nullptr); }
  // Runs the worker's steps at 2026.12.06 09:05:07.
  int Run(const char* sw, std::vector<std::string> items) {
    m_job.SetClock([](struct tm& t) {
      t.tm_year = 126, t.tm_mon = 11, t.tm_mday = 6, t.tm_hour = 9, t.tm_min = 5, t.tm_sec = 7;
    });
    std::vector<const char*> argv = {"Trisel.exe", sw};
    for (const std::string& s : items) argv.push_back(s.c_str());
    m_job.SetCommandLine(static_cast<int>(argv.size()), argv.data());
    m_pw = "secret";
    return m_job.Work(&m_pw[0]);
  }
  std::string Log(const char* suffix) const {  // without its CRs
    std::string raw = m_logs.ReadFile(std::string("Trisel.exe") + suffix);
    return raw.erase(std::remove(raw.begin(), raw.end(), '\r'), raw.end()), raw;
  }

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

const std::string kStamp = "(1) 작업 시간\n-------------\n\n2026.12.06 09:05:07\n\n";
std::string Head(const char* list) { return kStamp + "(2) " + list + "\n-------------\n\n"; }

// A read-only source cannot be deleted: a warning, counted as a success.
TEST_F(JobTest, ASourceThatCannotBeDeletedIsAWarning) {
  m_fs.AddFile("/P/a.txt", "a");
  m_fs.AddFile("/P/ro.txt", "r", 0, kAttrArchive | kAttrReadOnly);
  m_view.deleteSource = true;
  ASSERT_EQ(Run("-e", {"/P/a.txt", "/P/ro.txt"}), 0);
  EXPECT_TRUE(!m_fs.Exists("/P/a.txt") && m_fs.Exists("/P/ro.txt") && m_fs.Exists("/P/ro.txt.tsl"));
  EXPECT_NE(Log(".log").find("2 : (ok) /P/ro.txt\n\n(3) 작업 결과\n-------------\n\n전체 → 2\n성공 → 2  (경고 → 1)"),
            std::string::npos);
  EXPECT_EQ(Log("_err.log"),
            Head("에러 목록") + "2 : /P/ro.txt\n\n(경고) 작업 완료 후 <원본 파일 삭제> 옵션 실행에 실패했습니다."
            "\n\n읽기 전용, 혹은 다른 응용프로그램에서 사용 중인 파일입니다.\n또는, 권한이 없는 사용자일 수 "
            "있습니다.\n수동으로 직접 삭제해 주십시오.\n\n[Permission denied]\n" + std::string(60, '-') + "\n");
  EXPECT_EQ(m_view.statuses.back(), "작업 완료 / 경고(1) → [로그] [에러] 에서 확인");
  EXPECT_EQ(m_state.busy.load(), 0);
}

// Options cancelled after ticking sub-folders store nothing and leave empty logs.
TEST_F(JobTest, CancelledFolderOptionsStoreNothing) {
  m_fs.AddFile("/A/x.txt", "x");
  m_view.answer = kFolderOptionsCancel;
  EXPECT_EQ(Run("-e", {"/A"}), -5);
  EXPECT_EQ(m_view.statuses, std::vector<std::string>{"SW_HIDE"});
  EXPECT_EQ(Log("_err.log"), Head("에러 목록"));
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

}  // namespace
