#include "filecipher/reporter.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <cstring>
#include <string>

#include "common/log.h"
#include "support/scripted_report_ui.h"
#include "support/temp_dir.h"

namespace {

const std::string kRule = std::string(60, '-') + "\r\n";

class ReporterTest : public ::testing::Test {
 protected:
  void SetUp() override { TheRunLog().SetFileBase((m_dir / "t.exe").c_str()); }
  void TearDown() override { TheRunLog().SetFileBase(nullptr); }
  std::string ErrorLog() { TheRunLog().CloseFiles(); return m_dir.ReadFile("t.exe_err.log"); }
  CTempDir m_dir;
  CScriptedReportUI m_ui;
  JobState m_job;
  CMyMessage m_msg{m_ui, m_job};
};

TEST_F(ReporterTest, AnswersBecomeResultCodes) {
  // kAnswerNone is a closed box: the safe way out of each kind.
  struct Case { int kind, answer, result; } cases[] = {
      {kReportAbortRetryIgnore, kAnswerAbort, -1}, {kReportAbortRetryIgnore, kAnswerRetry, 4},
      {kReportAbortRetryIgnore, kAnswerIgnore, -3}, {kReportAbortRetryIgnore, kAnswerNone, -1},
      {kReportYesNo, kAnswerYes, 0}, {kReportYesNo, kAnswerNo, -3}, {kReportYesNo, kAnswerNone, -3},
      {kReportOverwrite, kAnswerYes, 0}, {kReportOverwrite, kAnswerYesToAll, 10},
      {kReportOverwrite, kAnswerNo, -3}, {kReportOverwrite, kAnswerNoToAll, 11},
      {kReportOverwrite, kAnswerCancel, -2}, {kReportOverwrite, kAnswerNone, -2},
      {kReportStopJob, kAnswerYes, -1}, {kReportStopJob, kAnswerNo, -3}, {kReportStopJob, kAnswerNone, -1}};
  CNullReportUI none;
  CMyMessage silent(none, m_job);
  for (const Case& c : cases) {
    m_ui.Clear();
    m_ui.Script({c.answer});
    EXPECT_EQ(c.result, m_msg.Report("에러", "T::t, x, 0", "msg", "p", c.kind))
        << "kind " << c.kind << " answer " << c.answer;
    EXPECT_TRUE(m_ui.Questions().size() == 1 && m_ui.Questions()[0].kind == c.kind);
    EXPECT_EQ(-3, silent.Report("에러", "t", "동일한 파일이 이미 존재합니다.", "p", c.kind));  // skips
  }
}

TEST_F(ReporterTest, SystemErrorTextGoesIntoBoxAndLogButNotWithOwnFindings) {
  m_job.seq = 12;
  m_ui.Script({kAnswerIgnore});
  errno = ENOENT;
  std::string sys = std::strerror(ENOENT);
  EXPECT_EQ(-3, m_msg.Report("에러", "T::t, fopen(), 0", "<원본파일> 열기에 실패했습니다.",
                             "D:\\docs\\a.txt", kReportAbortRetryIgnore));
  EXPECT_EQ(0, errno);
  m_job.seq = 3;
  errno = EACCES;
  EXPECT_EQ(0, m_msg.Report("경고", "T::t, x, 2", "확장명이 \"tsl\" 이면, 암호화할 수 없습니다.\n"
                            "이중 암호화를 원한다면, 확장명을 변경해야 합니다.", "C:\\a.txt", kReportLogOnly));
  // A log-only report asks nothing; every box is captioned "경고".
  ASSERT_TRUE(m_ui.Questions().size() == 1 && m_ui.Questions()[0].caption == "경고");
  EXPECT_EQ("\n(에러) <원본파일> 열기에 실패했습니다.\n\nD:\\docs\\a.txt\n[" + sys +
                "]\n\n\n무시하고 다음 파일을 진행하시겠습니까? ",
            m_ui.Questions()[0].text);
  EXPECT_EQ("12 : D:\\docs\\a.txt\r\n\r\n(에러) <원본파일> 열기에 실패했습니다.\r\n\r\n[" + sys + "]\r\n" +
                kRule +
                "3 : C:\\a.txt\r\n\r\n(경고) 확장명이 \"tsl\" 이면, 암호화할 수 없습니다.\r\n"
                "이중 암호화를 원한다면, 확장명을 변경해야 합니다.\r\n" + kRule,
            ErrorLog());
}

TEST_F(ReporterTest, MissingPartsLeaveTheQuestionAlone) {
  errno = 0;
  m_msg.Report(nullptr, nullptr, nullptr, nullptr, kReportStopJob);
  EXPECT_EQ("중단하시겠습니까?\n\n[예]        모든 작업 중단\n[아니오]  현재 파일 무시, 다음 파일 진행 ",
            m_ui.Questions().at(0).text);
}

}  // namespace
