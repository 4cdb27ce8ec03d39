#include "filecipher/report_ui.h"

int CNullReportUI::AskMessageBox(ReportKind kind, const char*, const char*) {
  return kind == kReportAbortRetryIgnore ? kAnswerIgnore : kAnswerNo;
}

int CNullReportUI::AskOverwrite(const char*) { return kAnswerNo; }
