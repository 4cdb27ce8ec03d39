#include "filecipher/reporter.h"

#include <gtest/gtest.h>

#include "common/log.h"
#include "support/scripted_report_ui.h"

namespace {

// A closed box (kAnswerNone) takes the safe way out of each kind, and with
// no one to ask every report skips; the end-to-end runs press the buttons.
TEST(ReporterTest, ClosedBoxesAndSilentRunsTakeTheSafeWayOut) {
  TheRunLog().SetFilesEnabled(false);
  JobState job;
  CScriptedReportUI ui;
  CNullReportUI none;
  CMyMessage msg(ui, job), silent(none, job);
  const std::pair<int, int> cases[] = {{kReportAbortRetryIgnore, -1}, {kReportYesNo, -3},
                                       {kReportOverwrite, -2}, {kReportStopJob, -1}};
  for (const auto& c : cases) {
    ui.Script({kAnswerNone});
    EXPECT_EQ(c.second, msg.Report("에러", "T::t, x, 0", "msg", "p", c.first)) << c.first;
    EXPECT_EQ(-3, silent.Report("에러", "t", "동일한 파일이 이미 존재합니다.", "p", c.first)) << c.first;
  }
  ui.Clear();
  msg.Report(nullptr, nullptr, nullptr, nullptr, kReportStopJob);  // missing parts leave the question alone
  EXPECT_EQ("중단하시겠습니까?\n\n[예]        모든 작업 중단\n[아니오]  현재 파일 무시, 다음 파일 진행 ",
            ui.Questions().at(0).text);
  TheRunLog().SetFilesEnabled(true);
}

}  // namespace
