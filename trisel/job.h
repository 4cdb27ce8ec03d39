// The Trisel job: one run over every path of the command line.
//
// CTriselJob holds what a job works with (file system, settings store, the
// reporter's questions, the views, the job state) and runs the steps of the
// job's worker thread. It is portable: Trisel.exe calls Begin() on the
// dialog's thread and Finish() on the worker thread it then starts (and frees
// the password copy after it), trisel-cli calls Work() on its main thread.
//
// Logs: the job writes the job log (WriteLog level 0), the error log (level
// 1, together with the reporter) and the heading of the debug log (level 2)
// and closes all three at the end.
#ifndef MIRELKA_TRISEL_JOB_H
#define MIRELKA_TRISEL_JOB_H

#include <ctime>
#include <functional>
#include <string>
#include <vector>

#include "common/filesystem.h"
#include "common/mystring.h"
#include "common/registry.h"
#include "filecipher/coder_view.h"
#include "filecipher/job_state.h"
#include "filecipher/report_ui.h"
#include "filecipher/trisels.h"
#include "textcipher/keyfile_view.h"
#include "trisel/job_view.h"

// A job's result (RunJob, Work) is a JobResult: kResultDone when it
// finished (also kResultSkip: the last file was skipped), kResultStop,
// kResultCancelled, kResultNoFiles or kResultOptionsCancelled. RunJobItem
// takes the modes of the coder (trisels.h) and the walk's kModeCount.

class CTriselJob {
 public:
  CTriselJob(IFileSystem& fs, IRegistry& registry, IReportUI& reportUI, ITriselView& coderView,
             IJobView& jobView, IKeyFileView& keyFileView, JobState& job);

  // The command line as the program got it: argv[1] is the mode switch
  // ("-e" encrypts, anything else decrypts), argv[2] onward the items (full
  // CP949 paths). Copied.
  void SetCommandLine(int argc, const char* const* argv);

  // The local time for the logs' time stamp; the system's local time when
  // none is set (tests fix it).
  void SetClock(std::function<void(struct tm&)> localTime) { m_localTime = std::move(localTime); }

  // A job's start, on the thread that starts it: status hidden, controls
  // locked, busy set and the cancel words cleared. From here until Finish
  // returns, a second start or a close sees the job busy.
  void Begin();
  // The rest, on the job's worker thread: RunJob, then busy and the cancel
  // words cleared, controls unlocked (the run button only after
  // kResultOptionsCancelled) and the status line shown. password
  // (zero-terminated) is reversed in place; the caller frees it. Returns
  // RunJob's result.
  JobResult Finish(char* password);
  // Begin and Finish on one thread.
  JobResult Work(char* password);
  // Gives back what Begin took when the worker could not be started: busy
  // and the cancel words cleared, every control unlocked.
  void Abandon();

  // The job itself; see Work. Returns 0, -3, -1, -2, -4 or -5.
  JobResult RunJob(char* password);

  // One item in count mode (mode kModeCount, keyText null, deleteSource 0:
  // returns the number of files found) or process mode (kModeEncrypt or
  // kModeDecrypt: adds the item's ok/warn/err to the job's totals and
  // returns the last file's result).
  int RunJobItem(const char* pattern, const char* keyText, int subFolders, int mode,
                 int deleteSource, OverwriteAll* overwriteAll);

  // The folder options the last OK chose (program-wide: they survive a
  // job that ended with kResultOptionsCancelled).
  const FolderOptions& Options() const { return m_options; }

  // The status line that ends a job with result rc, warn warnings and err
  // errors; empty for kResultOptionsCancelled (no status is shown then).
  static CMyString StatusText(int rc, uint32_t warn, uint32_t err);

  // True when path is a folder item (its attributes can be read and say
  // directory).
  bool IsFolderItem(const char* path);

  // The search pattern of an item and whether sub-folders are walked:
  // a folder gets a separator and the filter, a file is its own pattern.
  // False (and nothing set) when the pattern would not fit in 260 bytes.
  bool ItemPattern(const char* item, char* pattern, int& subFolders);

 private:
  void Log(int level, const char* text);
  void TimeStamp(char* out, size_t size);

  IFileSystem& m_fs;
  IRegistry& m_registry;
  IReportUI& m_reportUI;
  ITriselView& m_coderView;
  IJobView& m_jobView;
  IKeyFileView& m_keyFileView;
  JobState& m_job;
  std::string m_switch;
  std::vector<std::string> m_items;
  FolderOptions m_options;
  std::function<void(struct tm&)> m_localTime;
};

// The folder separator of the platform's paths: '\\' on Windows, '/' else.
char JobPathSeparator();

#endif
