// The job's views and questions over the main dialog's controls. The job
// worker calls them; every call is a window message or a box owned by the
// main window, so the dialog's own thread does the drawing.
#ifndef TRISEL_WIN32_WIN_VIEWS_H
#define TRISEL_WIN32_WIN_VIEWS_H

#include <windows.h>

#include "filecipher/coder_view.h"
#include "filecipher/job_state.h"
#include "filecipher/report_ui.h"
#include "textcipher/keyfile_view.h"
#include "trisel/job_view.h"

class CWinTriselView : public ITriselView {
 public:
  explicit CWinTriselView(HWND dialog) : m_dialog(dialog) {}
  void SetCounterText(const char* text) override;
  void SetFileName(const char* name) override;
  void FileBarReset() override;
  void FileBarStep() override;
  void OverallBarReset(uint32_t total) override;
  void OverallBarStep() override;

 private:
  HWND m_dialog;
};

class CWinJobView : public IJobView {
 public:
  explicit CWinJobView(HWND dialog) : m_dialog(dialog) {}
  void ShowJobStatus(const char* title, const char* status, int show) override;
  void LockControls() override;
  void UnlockControls(bool runEnabled) override;
  void HideBannerText() override;
  bool DeleteSourceChecked() override;
  int AskFolderOptions(bool encrypt, FolderOptions& options) override;
  void ShowAlert(const char* caption, const char* text) override;

 private:
  HWND m_dialog;
};

class CWinKeyFileView : public IKeyFileView {
 public:
  CWinKeyFileView(HWND dialog, JobState& job) : m_dialog(dialog), m_job(job) {}
  KeyFileProgram Program() const override { return KeyFileProgram::Trisel; }
  void Show() override;
  void SetRange(int32_t low, int32_t high) override;
  void SetPosition(int32_t pos) override;
  void SetText(const char* text) override;
  void ShowWarning(const char* text) override;
  bool CancelRequested() override { return m_job.cancelKeyFile.load() != 0; }
  void Finish() override {}

 private:
  HWND m_dialog;
  JobState& m_job;
};

class CWinReportUI : public IReportUI {
 public:
  explicit CWinReportUI(HWND owner) : m_owner(owner) {}
  int AskMessageBox(ReportKind kind, const char* caption, const char* text) override;
  int AskOverwrite(const char* text) override;

 private:
  HWND m_owner;
};

#endif
