// What the job runner shows and asks besides the coder's per-file progress:
// the status line and the progress controls, the buttons that are locked
// while a job runs, the banner text box, the delete-source check box, the
// folder options question and the list's allocation alert. The main dialog
// implements it over its controls, trisel-cli over the terminal,
// CNullJobView (below) for tests and batch runs. Every call comes from the
// job's worker thread, except those of CTriselJob::Begin and Abandon
// (status hidden, controls locked or unlocked), which come from the thread
// that starts the job.
#ifndef MIRELKA_TRISEL_JOB_VIEW_H
#define MIRELKA_TRISEL_JOB_VIEW_H

#include <cstdint>

#include "common/mystring.h"

// The folder options that a job uses for its folder items.
struct FolderOptions {
  uint32_t subDir = 0;  // 1 = folder items include all sub-folders
  CMyString filter;     // one wildcard name, "*.*" by default; "*.tsl" when decrypting
};

// Results of the folder options question.
enum : int {
  kFolderOptionsOk = 1,
  kFolderOptionsCancel = 2,
};

class IJobView {
 public:
  virtual ~IJobView() = default;

  // Shows the four progress controls (1006, 1005, 1003, 1002) when show is
  // non-zero and hides them otherwise; sets the window title when title is
  // not null; when status is not null, hides the status line (1019) if it is
  // exactly "SW_HIDE", otherwise shows the status line with that text.
  virtual void ShowJobStatus(const char* title, const char* status, int show) = 0;

  // The job starts: the close button (2) reads "취소"; the settings (1024),
  // log (1029), error (1030), help (1027) and run (1009) buttons and the
  // delete-source check box (1011) are disabled.
  virtual void LockControls() = 0;
  // The job ended: the close button reads "닫기"; 1024, 1029, 1030, 1027 and
  // 1011 are enabled again, the run button 1009 only when runEnabled.
  virtual void UnlockControls(bool runEnabled) = 0;

  // Hides the banner text box (1057) as the job starts its work.
  virtual void HideBannerText() = 0;

  // Whether the delete-source check box (1011) is ticked.
  virtual bool DeleteSourceChecked() = 0;

  // The folder options dialog (117), modal over the main window. On entry
  // `options` holds what the dialog opens with (the stored SubDir; the stored
  // Filter when encrypting, "*.tsl" read-only when decrypting); encrypt is
  // true for an encryption job. Returns kFolderOptionsOk with the user's
  // choice left in `options` (the filter as typed), or kFolderOptionsCancel
  // (then `options` is ignored). The job stores the choice as OK does.
  virtual int AskFolderOptions(bool encrypt, FolderOptions& options) = 0;

  // A box with only an OK button and no icon over the main window.
  virtual void ShowAlert(const char* caption, const char* text) = 0;
};

// Shows nothing; answers the folder options with what it is given and OK;
// the delete-source box reads `deleteSource`.
class CNullJobView : public IJobView {
 public:
  bool deleteSource = false;

  void ShowJobStatus(const char*, const char*, int) override {}
  void LockControls() override {}
  void UnlockControls(bool) override {}
  void HideBannerText() override {}
  bool DeleteSourceChecked() override { return deleteSource; }
  int AskFolderOptions(bool, FolderOptions&) override { return kFolderOptionsOk; }
  void ShowAlert(const char*, const char*) override {}
};

#endif
