// The Trisel job over an in-memory disk and registry with scripted answers,
// a fixed clock and its logs in a temporary folder: what the end-to-end runs
// (tests/e2e/run, tests/trisel/cli_run.sh) do not meet. They meet the walk,
// its order and filter, the stored folder options, the keys and the key
// file, and the plain nothing-to-do and cancelled-options cases.
#include <gtest/gtest.h>

#include <algorithm>
#include <cerrno>

#include "common/log.h"
#include "support/memory_fs.h"
#include "support/memory_registry.h"
#include "support/scripted_report_ui.h"
#include "trisel/job.h"
#include "trisel/settings.h"

namespace {

const size_t npos = std::string::npos;

// Keeps the status texts; the folder options question answers `answer`,
// and a cancelled one comes back with sub-folders ticked.
class CJobView : public CNullJobView {
 public:
  std::vector<std::string> statuses;
  bool runEnabled = false;
  int answer = kFolderOptionsOk;
  void ShowJobStatus(const char*, const char* status, int) override {
    if (status) statuses.push_back(status);
  }
  void UnlockControls(bool run) override { runEnabled = run; }
  int AskFolderOptions(bool, FolderOptions& o) override {
    if (answer == kFolderOptionsCancel) o.subDir = 1;
    return answer;
  }
};

class JobTest : public ::testing::Test {
 protected:
  void SetUp() override {
    TheRunLog().SetFileBase((m_logs / "Trisel.exe").c_str());
    TheRunLog().SetDebugEnabled(true);
    m_ui.SetFallback(kAnswerNo);  // unasked: the batch answers
  }
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
  // A log without its CRs.
  std::string Log(const char* suffix) const {
    std::string raw = m_logs.ReadFile(std::string("Trisel.exe") + suffix);
    raw.erase(std::remove(raw.begin(), raw.end(), '\r'), raw.end());
    return raw;
  }
  std::string LastStatus() const { return m_view.statuses.empty() ? "" : m_view.statuses.back(); }

  CMemoryFileSystem m_fs;
  CFaultFileSystem m_faulty{m_fs};
  CMemoryRegistry m_reg;
  CScriptedReportUI m_ui;
  CNullTriselView m_coderView;
  CJobView m_view;
  CNullKeyFileView m_keyView{KeyFileProgram::Trisel};
  JobState m_state;
  CTempDir m_logs;
  std::string m_pw;
  CTriselJob m_job{m_faulty, m_reg, m_ui, m_coderView, m_view, m_keyView, m_state};
};

const std::string kStamp = "(1) 작업 시간\n-------------\n\n2026.12.06 09:05:07\n\n";
std::string Head(const char* list) { return kStamp + "(2) " + list + "\n-------------\n\n"; }
std::string Summary(int total, int ok, int warn = 0) {
  return "\n(3) 작업 결과\n-------------\n\n전체 → " + std::to_string(total) + "\n성공 → " +
         std::to_string(ok) + "  (경고 → " + std::to_string(warn) + ")\n에러 → 0\n\n(4) 작업 참고\n"
         "-------------\n\n* 경고란?\n  다시 한번 확인이 필요한 미세한 에러, 경고는 성공으로 카운트됩니다.\n\n";
}
const char kNoFiles[] =
    "작업할 파일이 없습니다.\n\n혹시 하위 폴더에 대한 작업이면,\n"
    "<폴더 옵션 확인>에서 하위 폴더 포함을 선택해야 합니다.\n";

// Paths the walk builds below a folder item ("/A") use the platform's
// separator; the item's own leading '/' stays.
std::string S(std::string text) {
  for (size_t i = 1; i < text.size(); ++i)
    if (text[i] == '/' && text[i - 1] != ' ') text[i] = JobPathSeparator();
  return text;
}

// A\x, A\B\y, A\B\E\z, A\D\w, A\D\w.doc and an empty A\C between B and D.
const char* const kTree[] = {"A/x.txt", "A/B/y.txt", "A/B/E/z.txt", "A/D/w.txt", "A/D/w.doc"};
void MakeTree(CMemoryFileSystem& fs) {
  for (const char* f : kTree) fs.AddFile(std::string("/") + f, f);
  fs.AddFolder("/A/C");
}

TEST_F(JobTest, DeletionSucceedsOrFailsAndTheLogsSayIt) {
  m_fs.AddFile("/P/a.txt", "a");
  m_fs.AddFile("/P/ro.txt", "r", 0, kAttrArchive | kAttrReadOnly);
  m_view.deleteSource = true;
  ASSERT_EQ(Run("-e", {"/P/a.txt", "/P/ro.txt"}), 0);
  EXPECT_FALSE(m_fs.Exists("/P/a.txt"));
  EXPECT_TRUE(m_fs.Exists("/P/a.txt.tsl") && m_fs.Exists("/P/ro.txt.tsl"));
  EXPECT_TRUE(m_fs.Exists("/P/ro.txt"));
  EXPECT_EQ(Log(".log"), Head("작업 목록") + "1 : (ok) /P/a.txt\n2 : (ok) /P/ro.txt\n" +
                             Summary(2, 2, 1) + "* [에러 보기] 버튼?\n  상세한 에러를 확인할 수 있습니다.\n\n");
  EXPECT_EQ(Log("_err.log"),
            Head("에러 목록") + "2 : /P/ro.txt\n\n(경고) 작업 완료 후 <원본 파일 삭제> 옵션 실행에 실패했습니다."
            "\n\n읽기 전용, 혹은 다른 응용프로그램에서 사용 중인 파일입니다.\n또는, 권한이 없는 사용자일 수 "
            "있습니다.\n수동으로 직접 삭제해 주십시오.\n\n[Permission denied]\n" + std::string(60, '-') + "\n");
  EXPECT_EQ(Log("_dbg.log"), kStamp);
  EXPECT_EQ(LastStatus(), "작업 완료 / 경고(1) → [로그] [에러] 에서 확인");
  EXPECT_FALSE(m_view.runEnabled);
  EXPECT_EQ(m_state.busy.load(), 0);
}

// An empty filter, a filter that matches only in a sub-folder left out, a
// missing item with an empty folder; then options cancelled after ticking
// sub-folders, which stores nothing.
TEST_F(JobTest, NothingToDoAndCancelledFolderOptions) {
  MakeTree(m_fs);
  for (const char* filter : {"*.doc", ""}) {
    SaveFilter(m_reg, filter);
    EXPECT_EQ(Run("-e", {"/A"}), -4) << filter;
  }
  EXPECT_EQ(Log(".log"), Head("작업 목록") + kNoFiles + "\n");
  EXPECT_EQ(Log("_err.log"), Head("에러 목록") + kNoFiles);
  EXPECT_TRUE(m_ui.Reports().empty());
  EXPECT_EQ(Run("-e", {"/missing.txt", "/A/C"}), -4);

  m_view.statuses.clear();
  m_view.answer = kFolderOptionsCancel;
  EXPECT_EQ(Run("-e", {"/A"}), -5);
  EXPECT_TRUE(m_view.runEnabled);
  EXPECT_EQ(m_view.statuses, std::vector<std::string>{"SW_HIDE"});
  EXPECT_EQ(Log(".log"), Head("작업 목록") + "\n");
  EXPECT_EQ(Log("_err.log"), Head("에러 목록"));
  EXPECT_EQ(LoadSubDir(m_reg), 0u);
}

TEST_F(JobTest, AbortEndsTheJob) {
  m_fs.AddFile("/P/a.txt", "a");
  m_fs.AddFile("/P/b.txt", "b");
  m_fs.AddFile("/Q/c.txt", "c");
  m_faulty.FailAt(FsOp::Open, 1, EACCES);  // the first source cannot be opened
  m_ui.Script({kAnswerAbort});
  EXPECT_EQ(Run("-e", {"/P", "/Q/c.txt"}), -1);
  EXPECT_EQ(m_state.total, 3u);
  EXPECT_FALSE(m_fs.Exists("/P/b.txt.tsl") || m_fs.Exists("/Q/c.txt.tsl"));
  EXPECT_NE(Log(".log").find(S("1 : (error) /P/a.txt\n\n(3)")), npos);
  EXPECT_EQ(LastStatus(), "작업 중지 / 에러(1) → [로그] [에러] 에서 확인");
}

TEST(TriselSettingsTest, LimitsAndAnUnreadableRegistry) {
  CMemoryRegistry reg;
  SaveDelSrcFile(reg, true);
  SaveCommKeyFile(reg, "D:\\키\\k.bin");
  // 259 bytes fit the 260-byte buffer; 260 give the default.
  SaveFilter(reg, std::string(259, 'f').c_str());
  EXPECT_EQ(LoadFilter(reg).GetLength(), 259u);
  SaveFilter(reg, std::string(260, 'f').c_str());
  EXPECT_STREQ(LoadFilter(reg).GetBuffer(), "*.*");
  // A registry that cannot be opened: the defaults, never stale bytes.
  reg.failOpen = true;
  EXPECT_EQ(LoadDelSrcFile(reg), 0u);
  EXPECT_STREQ(LoadCommKeyFile(reg).GetBuffer(), "");
}

}  // namespace
