// CMyMessage: the one place where a Trisel job reports a problem.
//
// Report builds the text, asks the question of the kind through the
// IReportUI, writes the error-log entry (numbered with the job's seq and
// closed by a line of 60 dashes) and turns the answer into a result code.
#ifndef MIRELKA_FILECIPHER_REPORTER_H
#define MIRELKA_FILECIPHER_REPORTER_H

#include "filecipher/job_state.h"
#include "filecipher/report_ui.h"

class CMyMessage {
 public:
  CMyMessage(IReportUI& ui, const JobState& job) : m_ui(&ui), m_job(&job) {}
  virtual ~CMyMessage() = default;

  // caption "경고" or "에러"; tag "Class::Method, call, n"; message the Korean
  // explanation; path the file concerned (any of them may be empty or null).
  // Returns:
  //   kind 0: 0 (nothing asked)
  //   kind 2: Abort -1, Retry 4, Ignore -3
  //   kind 4: Yes 0, No -3
  //   kind 6: Yes 0, Yes to all 10, No -3, No to all 11, Cancel -2
  //   kind 7: Yes -1, No -3
  // An answer the kind does not know (a failed box) gives -1 for kinds 2 and
  // 7, -3 for kind 4 and -2 for kind 6: nothing is overwritten or retried
  // without a real answer. errno is 0 on return.
  JobResult Report(const char* caption, const char* tag, const char* message, const char* path,
                   int kind);

 private:
  IReportUI* m_ui;
  const JobState* m_job;
};

#endif
