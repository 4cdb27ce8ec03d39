// The job runner and the folder walk over an in-memory disk.
#include <cerrno>

#include "job_fixture.h"
#include "filecipher/trisels.h"
#include "trisel/find_files.h"

namespace {

const char kHeadJob[] =
    "(1) 작업 시간\n-------------\n\n2026.12.06 09:05:07\n\n(2) 작업 목록\n-------------\n\n";
const char kHeadErr[] =
    "(1) 작업 시간\n-------------\n\n2026.12.06 09:05:07\n\n(2) 에러 목록\n-------------\n\n";
const char kNoFiles[] =
    "작업할 파일이 없습니다.\n\n혹시 하위 폴더에 대한 작업이면,\n"
    "<폴더 옵션 확인>에서 하위 폴더 포함을 선택해야 합니다.\n";

std::string Summary(int total, int ok, int warn, int err) {
  return "\n(3) 작업 결과\n-------------\n\n전체 → " + std::to_string(total) + "\n성공 → " +
         std::to_string(ok) + "  (경고 → " + std::to_string(warn) + ")\n에러 → " +
         std::to_string(err) +
         "\n\n(4) 작업 참고\n-------------\n\n* 경고란?\n"
         "  다시 한번 확인이 필요한 미세한 에러, 경고는 성공으로 카운트됩니다.\n\n";
}

// Paths the walk builds below a folder item ("/A") use the platform's
// separator; the item's own leading '/' stays.
std::string S(std::string text) {
  for (size_t i = 1; i < text.size(); ++i)
    if (text[i] == '/' && text[i - 1] != ' ') text[i] = JobPathSeparator();
  return text;
}

// A\x, A\B\y, A\B\E\z, A\D\w and an empty A\C between B and D.
void MakeTree(CMemoryFileSystem& fs) {
  fs.AddFile("/A/x.txt", "xx");
  fs.AddFile("/A/B/y.txt", "yy");
  fs.AddFile("/A/B/E/z.txt", "zz");
  fs.AddFolder("/A/C");
  fs.AddFile("/A/D/w.txt", "ww");
  fs.AddFile("/A/D/w.doc", "doc");
}

TEST_F(JobTest, OneFileLeavesBothLogsByteForByte) {
  m_fs.AddFile("/A/x.txt", "hello");
  ASSERT_EQ(Run("-e", {"/A/x.txt"}), 0);
  EXPECT_EQ(Log(".log"), std::string(kHeadJob) + "1 : (ok) /A/x.txt\n" + Summary(1, 1, 0, 0) + "\n");
  EXPECT_EQ(Log("_err.log"), std::string(kHeadErr) + "에러 / 경고가 없습니다.\n");
  EXPECT_EQ(Log("_dbg.log"), "(1) 작업 시간\n-------------\n\n2026.12.06 09:05:07\n\n");
  // LF is written as CR LF.
  EXPECT_EQ(m_logs.ReadFile("Trisel.exe_err.log").substr(0, 15), "(1) 작업 시간\r\n");
  EXPECT_EQ(LastStatus(), "작업 완료");
  EXPECT_EQ(m_jobView.statuses.front(), "SW_HIDE");
  EXPECT_EQ(m_jobView.optionQuestions, 0);
  EXPECT_FALSE(m_jobView.runEnabled);
  EXPECT_EQ(m_state.busy.load(), 0);
  EXPECT_TRUE(m_fs.Exists("/A/x.txt.tsl"));
}

TEST_F(JobTest, WalkIsDepthFirstAndCountsWhatItProcesses) {
  MakeTree(m_fs);
  m_jobView.chooseOptions = [](FolderOptions& o) {
    o.subDir = 1;
    o.filter = "*.txt";
  };
  ASSERT_EQ(Run("-e", {"/A"}), 0);
  EXPECT_EQ(m_state.total, 4u);
  EXPECT_EQ(m_state.ok, 4u);
  // The results written into the folders during the walk are not picked up.
  EXPECT_EQ(Log(".log"), std::string(kHeadJob) +
                             S("1 : (ok) /A/x.txt\n2 : (ok) /A/B/y.txt\n3 : (ok) /A/B/E/z.txt\n"
                               "4 : (ok) /A/D/w.txt\n") +
                             Summary(4, 4, 0, 0) + "\n");
  EXPECT_FALSE(m_fs.Exists("/A/D/w.doc.tsl"));
  // What OK chose is stored, and the folder options were offered with the
  // stored defaults.
  EXPECT_EQ(LoadSubDir(m_reg), 1u);
  EXPECT_STREQ(LoadFilter(m_reg).GetBuffer(), "*.txt");
  EXPECT_EQ(m_jobView.offered.subDir, 0u);
  EXPECT_STREQ(m_jobView.offered.filter.GetBuffer(), "*.*");
}

TEST_F(JobTest, SubFoldersOffAndFilters) {
  MakeTree(m_fs);
  for (const char* filter : {"*.doc", ""}) {  // w.doc lies in a sub-folder
    SaveFilter(m_reg, filter);
    EXPECT_EQ(Run("-e", {"/A"}), -4) << filter;
  }
  EXPECT_EQ(LastStatus(), "작업할 파일이 없습니다. → [로그] [에러] 에서 확인");
  EXPECT_EQ(Log(".log"), std::string(kHeadJob) + kNoFiles + "\n");
  EXPECT_EQ(Log("_err.log"), std::string(kHeadErr) + kNoFiles);
  EXPECT_TRUE(m_ui.tags.empty());  // nothing to report
  EXPECT_EQ(Run("-e", {"/missing.txt", "/A/C"}), -4);
  SaveFilter(m_reg, "*.TXT");
  EXPECT_EQ(Run("-e", {"/A"}), 0);
  EXPECT_EQ(m_state.total, 1u);
  EXPECT_FALSE(m_fs.Exists("/A/B/y.txt.tsl"));
}

TEST_F(JobTest, DecryptionTakesOnlyTslFilesAndKeepsTheFilter) {
  m_fs.AddFile("/A/x.txt", "plain");
  m_fs.AddFile("/A/B/y.txt", "plain2");
  m_jobView.chooseOptions = [](FolderOptions& o) { o.subDir = 1; };
  ASSERT_EQ(Run("-e", {"/A"}), 0);
  m_fs.Remove("/A/x.txt");
  m_fs.Remove("/A/B/y.txt");
  SaveFilter(m_reg, "*.txt");
  m_jobView.chooseOptions = [](FolderOptions& o) {
    o.filter = "*.*";  // whatever the dialog hands back
    o.subDir = 1;
  };
  ASSERT_EQ(Run("-d", {"/A"}), 0);
  EXPECT_STREQ(m_jobView.offered.filter.GetBuffer(), "*.tsl");
  EXPECT_STREQ(m_job.Options().filter.GetBuffer(), "*.tsl");
  EXPECT_STREQ(LoadFilter(m_reg).GetBuffer(), "*.txt");
  EXPECT_EQ(m_fs.Contents("/A/x.txt"), "plain");
  EXPECT_EQ(m_fs.Contents("/A/B/y.txt"), "plain2");
  EXPECT_EQ(m_state.total, 2u);
}

TEST_F(JobTest, CancelledFolderOptionsLeaveTheDialogReady) {
  m_fs.AddFolder("/A");
  m_jobView.optionsAnswer = kFolderOptionsCancel;
  EXPECT_EQ(Run("-e", {"/A"}), -5);
  EXPECT_TRUE(m_jobView.runEnabled);
  EXPECT_EQ(m_jobView.statuses, std::vector<std::string>{"SW_HIDE"});
  EXPECT_EQ(Log(".log"), std::string(kHeadJob) + "\n");
  EXPECT_EQ(Log("_err.log"), kHeadErr);
  EXPECT_FALSE(m_reg.Has(kTriselBasicKey, "SubDir"));
}

TEST_F(JobTest, YesAndNoToAllHoldAcrossItems) {
  for (int answer : {kAnswerNoToAll, kAnswerYesToAll}) {
    m_fs.AddFile("/P/a.txt", "a");
    m_fs.AddFile("/P/a.txt.tsl", "old a");
    m_fs.AddFile("/Q/b.txt", "b");
    m_fs.AddFile("/Q/b.txt.tsl", "old b");
    m_ui.asked.clear();
    m_ui.answers = {answer};
    EXPECT_EQ(Run("-e", {"/P/a.txt", "/Q/b.txt"}), answer == kAnswerNoToAll ? -3 : 0);
    EXPECT_EQ(m_ui.asked.size(), 1u);
    bool kept = answer == kAnswerNoToAll;
    EXPECT_EQ(m_fs.Contents("/P/a.txt.tsl") == "old a", kept);
    EXPECT_EQ(m_fs.Contents("/Q/b.txt.tsl") == "old b", kept);
  }
  EXPECT_NE(Log(".log").find("1 : (ok) /P/a.txt\n2 : (ok) /Q/b.txt\n"), std::string::npos);
}

TEST_F(JobTest, AbortEndsTheJob) {
  m_fs.AddFile("/P/a.txt", "a");
  m_fs.AddFile("/P/b.txt", "b");
  m_fs.AddFile("/Q/c.txt", "c");
  CFaultFileSystem faulty(m_fs);
  faulty.FailAt(FsOp::Open, 1, EACCES);  // the first source cannot be opened
  JobState state;
  CTriselJob job(faulty, m_reg, m_ui, m_view, m_jobView, m_keyView, state);
  job.SetClock([](struct tm&) {});
  m_ui.answers = {kAnswerAbort};
  m_reg.WriteDword(kHkeyCurrentUser, kTriselBasicKey, "SubDir", 0);
  m_jobView.chooseOptions = nullptr;
  const char* argv[] = {"Trisel.exe", "-e", "/P", "/Q/c.txt"};
  job.SetCommandLine(4, argv);
  std::string pw = "pw";
  EXPECT_EQ(job.Work(&pw[0]), -1);
  EXPECT_EQ(state.total, 3u);
  EXPECT_EQ(state.err, 1u);
  EXPECT_FALSE(m_fs.Exists("/P/b.txt.tsl"));
  EXPECT_FALSE(m_fs.Exists("/Q/c.txt.tsl"));
  EXPECT_NE(Log(".log").find(S("1 : (error) /P/a.txt\n\n(3)")), std::string::npos);
  EXPECT_EQ(LastStatus(), "작업 중지 / 에러(1) → [로그] [에러] 에서 확인");
}

TEST_F(JobTest, CancelStopsTheFileAndTheJob) {
  m_fs.AddFile("/P/a.txt", std::string(3 << 20, 'a'));
  m_fs.AddFile("/P/b.txt", "b");
  m_view.onStep = [this] { m_state.cancel = 1; };
  EXPECT_EQ(Run("-e", {"/P/a.txt", "/P/b.txt"}), -2);
  EXPECT_FALSE(m_fs.Exists("/P/a.txt.tsl"));
  EXPECT_FALSE(m_fs.Exists("/P/b.txt.tsl"));
  EXPECT_EQ(m_fs.Contents("/P/a.txt").size(), 3u << 20);
  EXPECT_EQ(Log(".log"), std::string(kHeadJob) + "1 : (cancel) /P/a.txt\n" +
                             Summary(2, 0, 0, 0) + "작업이 취소됐습니다.\n\n");
  EXPECT_EQ(Log("_err.log"), std::string(kHeadErr) + "작업이 취소됐습니다.\n");
  EXPECT_EQ(LastStatus(), "작업 중지");
  EXPECT_EQ(m_state.cancel.load(), 0);
}

TEST_F(JobTest, DeletionStepSucceedsAndFails) {
  m_fs.AddFile("/P/a.txt", "a");
  m_fs.AddFile("/P/ro.txt", "r", 0, kAttrArchive | kAttrReadOnly);
  m_jobView.deleteSource = true;
  EXPECT_EQ(Run("-e", {"/P/a.txt", "/P/ro.txt"}), 0);
  EXPECT_FALSE(m_fs.Exists("/P/a.txt"));
  EXPECT_TRUE(m_fs.Exists("/P/a.txt.tsl"));
  EXPECT_TRUE(m_fs.Exists("/P/ro.txt"));
  EXPECT_EQ(m_state.ok, 2u);
  EXPECT_EQ(m_state.warn, 1u);
  EXPECT_EQ(LastStatus(), "작업 완료 / 경고(1) → [로그] [에러] 에서 확인");
  std::string err = Log("_err.log");
  EXPECT_NE(err.find("2 : /P/ro.txt\n"), std::string::npos);
  EXPECT_NE(err.find("<원본 파일 삭제> 옵션 실행에 실패했습니다."), std::string::npos);
  EXPECT_NE(Log(".log").find("* [에러 보기] 버튼?\n  상세한 에러를 확인할 수 있습니다.\n"),
            std::string::npos);
}

TEST_F(JobTest, PasswordAndKeyFileKeyTheFiles) {
  // The key text is the password reversed (in the caller's buffer too) and
  // its length.
  m_fs.AddFile("/P/a.txt", "some text");
  std::vector<const char*> argv = {"Trisel.exe", "-e", "/P/a.txt"};
  m_job.SetCommandLine(3, argv.data());
  char password[] = "0123456789";
  ASSERT_EQ(m_job.Work(password), 0);
  EXPECT_STREQ(password, "9876543210");
  m_fs.Remove("/P/a.txt");
  JobCounters counters;
  CTrisels coder(m_fs, m_ui, m_view, m_state);
  EXPECT_EQ(coder.Trisel("/P/a.txt.tsl", "987654321010", 0, 0, 0, counters, nullptr, nullptr), 0);
  EXPECT_EQ(m_fs.Contents("/P/a.txt"), "some text");

  // With a common key file.
  m_fs.Remove("/P/a.txt.tsl");
  std::string data = "데이터 0123456789";
  m_fs.AddFile("/P/a.txt", data);
  m_fs.AddFile("/K/key.bin", std::string(4096, 'k') + "tail");
  SaveCommKeyFile(m_reg, "/K/key.bin");
  ASSERT_EQ(Run("-e", {"/P/a.txt"}, "0123456789"), 0);
  m_fs.Remove("/P/a.txt");
  // Without the key file the same password does not open it...
  SaveCommKeyFile(m_reg, "");
  EXPECT_EQ(Run("-d", {"/P/a.txt.tsl"}, "0123456789"), -3);
  EXPECT_FALSE(m_fs.Exists("/P/a.txt"));
  // ...with it, it does.
  SaveCommKeyFile(m_reg, "/K/key.bin");
  EXPECT_EQ(Run("-d", {"/P/a.txt.tsl"}, "0123456789"), 0);
  EXPECT_EQ(m_fs.Contents("/P/a.txt"), data);
  // A key file that is missing stops the job before anything is counted.
  SaveCommKeyFile(m_reg, "/K/gone.bin");
  EXPECT_EQ(Run("-d", {"/P/a.txt.tsl"}), -1);
  EXPECT_EQ(Log(".log"), std::string(kHeadJob) + "\n");
  EXPECT_EQ(m_keyView.Warnings(), 1);
  EXPECT_EQ(LastStatus(), "작업 중지");
}

TEST(JobStatusText, Table) {
  EXPECT_STREQ(CTriselJob::StatusText(0, 0, 0).GetBuffer(), "작업 완료");
  EXPECT_STREQ(CTriselJob::StatusText(-3, 3, 0).GetBuffer(),
               "작업 완료 / 경고(3) → [로그] [에러] 에서 확인");
  EXPECT_STREQ(CTriselJob::StatusText(-2, 1, 2).GetBuffer(),
               "작업 중지 / 경고(1) / 에러(2) → [로그] [에러] 에서 확인");
  EXPECT_STREQ(CTriselJob::StatusText(-1, 0, 0).GetBuffer(), "작업 중지");
  EXPECT_STREQ(CTriselJob::StatusText(-4, 5, 5).GetBuffer(),
               "작업할 파일이 없습니다. → [로그] [에러] 에서 확인");
  EXPECT_STREQ(CTriselJob::StatusText(7, 1, 1).GetBuffer(), "");
}

}  // namespace
