// How the reporter asks its questions: message boxes on Win32, the terminal
// in the console, scripted answers in tests.
#ifndef MIRELKA_FILECIPHER_REPORT_UI_H
#define MIRELKA_FILECIPHER_REPORT_UI_H

// Kinds of a report: which question, if any, goes with it.
enum ReportKind : int {
  kReportLogOnly = 0,           // no question, error log only
  kReportAbortRetryIgnore = 2,  // Abort / Retry / Ignore (Ignore is the default)
  kReportYesNo = 4,             // "anything wrong?" Yes / No (No is the default)
  kReportOverwrite = 6,         // the overwrite dialog, five buttons
  kReportStopJob = 7,           // stop the whole job? Yes / No (No is the default)
};

// Buttons the user can press. The values are the Win32 message box results
// (IDABORT ...) and the overwrite dialog's own codes, so a Win32
// implementation can return what MessageBoxA or EndDialog gave.
enum UiAnswer : int {
  kAnswerNone = 0,  // no answer could be had (the box failed)
  kAnswerCancel = 2,
  kAnswerAbort = 3,
  kAnswerRetry = 4,
  kAnswerIgnore = 5,
  kAnswerYes = 6,
  kAnswerNo = 7,
  kAnswerYesToAll = 10,
  kAnswerNoToAll = 11,
};

// One report as the reporter got it (texts never null, maybe empty).
struct ReportInfo {
  const char* caption;
  const char* tag;  // "Class::Method, call, n": where it arose
  const char* message;
  const char* path;
  int kind;
};

class IReportUI {
 public:
  virtual ~IReportUI() = default;
  // Told of every report, kind 0 included, before its question (if any) is
  // asked: a console may print the warnings that ask nothing. Does nothing
  // unless overridden.
  virtual void OnReport(const ReportInfo& info) { (void)info; }
  // A modal message box of kind kReportAbortRetryIgnore, kReportYesNo or
  // kReportStopJob with the given caption (always "경고") and the full text,
  // question included, owned by the main window. Returns the button pressed.
  virtual int AskMessageBox(ReportKind kind, const char* caption, const char* text) = 0;
  // The overwrite dialog with the full text in its question field. Returns
  // kAnswerYes, kAnswerYesToAll, kAnswerNo, kAnswerNoToAll or kAnswerCancel;
  // Escape and the close box must not end it.
  virtual int AskOverwrite(const char* text) = 0;
};

// Asks nothing: Abort/Retry/Ignore answers Ignore, the Yes/No questions No
// (skip the file), the overwrite question No. Safe for batch runs.
class CNullReportUI : public IReportUI {
 public:
  int AskMessageBox(ReportKind kind, const char* caption, const char* text) override;
  int AskOverwrite(const char* text) override;
};

#endif
