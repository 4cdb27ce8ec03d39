#include "filecipher/reporter.h"

#include <cerrno>
#include <cstring>
#include <string>

#include "common/log.h"

namespace {

// The program's own findings: no system call failed, so whatever errno the
// last call left behind must not be shown with them.
const char* const kLogicalMessages[] = {
    "동일한 파일이 이미 존재합니다.",
    "암호화된 파일이 아닙니다.",
    "틀린 <암호>를 입력했습니다.",
    "확장명이 \"tsl\" 이면, 암호화할 수 없습니다.\n이중 암호화를 원한다면, 확장명을 변경해야 합니다.",
};

bool IsLogicalMessage(const char* message) {
  for (const char* m : kLogicalMessages)
    if (std::strcmp(message, m) == 0) return true;
  return false;
}

const char* QuestionOf(int kind) {
  switch (kind) {
    case kReportAbortRetryIgnore: return "무시하고 다음 파일을 진행하시겠습니까?";
    case kReportYesNo: return "이상 없습니까?";
    case kReportOverwrite: return "덮어쓰겠습니까?";
    case kReportStopJob:
      return "중단하시겠습니까?\n\n[예]        모든 작업 중단\n[아니오]  현재 파일 무시, 다음 파일 진행";
    default: return nullptr;
  }
}

JobResult ResultOf(int kind, int answer) {
  switch (kind) {
    case kReportAbortRetryIgnore:
      if (answer == kAnswerRetry) return kResultRetry;
      if (answer == kAnswerIgnore) return kResultSkip;
      return kResultStop;  // Abort, or no answer at all
    case kReportYesNo:
      return answer == kAnswerYes ? kResultDone : kResultSkip;
    case kReportOverwrite:
      switch (answer) {
        case kAnswerYes: return kResultDone;
        case kAnswerYesToAll: return kResultYesToAll;
        case kAnswerNo: return kResultSkip;
        case kAnswerNoToAll: return kResultNoToAll;
        default: return kResultCancelled;
      }
    case kReportStopJob:
      return answer == kAnswerNo ? kResultSkip : kResultStop;
    default:
      return kResultDone;
  }
}

}  // namespace

JobResult CMyMessage::Report(const char* caption, const char* tag, const char* message,
                             const char* path, int kind) {
  if (!caption) caption = "";
  if (!tag) tag = "";
  if (!message) message = "";
  if (!path) path = "";
  if (IsLogicalMessage(message)) errno = 0;

  int err = errno;
  m_ui->OnReport(ReportInfo{caption, tag, message, path, kind});
  errno = err;

  std::string box;
  std::string body;
  if (err != 0) {
    const char* sys = std::strerror(err);
    box = std::string("\n(") + caption + ") " + message + "\n\n" + path + "\n[" + sys + "]\n";
    body = std::string("\n(") + caption + ") " + message + "\n\n[" + sys + "]\n";
  } else {
    if (*caption) box = std::string("\n(") + caption + ") ";
    box += message;
    body = box + "\n";
    if (*path) box += std::string("\n\n") + path + "\n";
  }

  JobResult result = kResultDone;
  if (const char* question = QuestionOf(kind)) {
    std::string text = box.empty() ? std::string(question) + " "
                                   : box + "\n\n" + question + " ";
    int answer = kind == kReportOverwrite
                     ? m_ui->AskOverwrite(text.c_str())
                     : m_ui->AskMessageBox(static_cast<ReportKind>(kind), "경고", text.c_str());
    result = ResultOf(kind, answer);
  }

  WriteLog(kLogError, "%lu : %s\n", static_cast<unsigned long>(m_job->seq), path);
  WriteLog(kLogError, "%s", body.c_str());
  WriteLog(kLogError, "%s\n", std::string(60, '-').c_str());
  errno = 0;
  return result;
}
