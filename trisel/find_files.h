// CFindFiles: the walk of one job item in one pass.
//
// Lists the files that the item's pattern matches, then (with sub-folders)
// every folder below, depth first and pre-order, and hands each file to the
// coder as the walk reaches it; nothing is collected beyond one folder's
// listing. In count mode it only counts. Each file's result becomes a line
// of the job log.
#ifndef MIRELKA_TRISEL_FIND_FILES_H
#define MIRELKA_TRISEL_FIND_FILES_H

#include <atomic>
#include <cstdint>

#include "common/filesystem.h"
#include "filecipher/coder_view.h"
#include "filecipher/job_state.h"
#include "filecipher/report_ui.h"
#include "filecipher/reporter.h"
#include "trisel/job_view.h"

class CFindFiles {
 public:
  CFindFiles(IFileSystem& fs, IReportUI& ui, ITriselView& view, IJobView& jobView, JobState& job);
  virtual ~CFindFiles() = default;

  // The pattern (at most 259 bytes) is copied; its files, then with
  // subFolders those of every folder below. mode: 1 encrypt, 0 decrypt, -1
  // count. Returns the last result (count mode: 0).
  JobResult Run(const char* pattern, const char* keyText, int subFolders, int mode,
                int deleteSource, OverwriteAll* overwriteAll, const std::atomic<int32_t>* pCancel);
  // The files of one folder that match the pattern. 0 when none matched, -1
  // when the coder cannot be made, else the last file's result.
  JobResult GetPathDirectoryFiles(const char* pattern, const char* keyText, int subFolders,
                                  int mode, int deleteSource, OverwriteAll* overwriteAll,
                                  const std::atomic<int32_t>* pCancel);
  // Every folder below the pattern's folder, depth first, with the pattern's
  // name part carried down. 0 when there is none, else the last result;
  // stops at -1 or -2.
  JobResult GetSubDirectoryFiles(const char* pattern, const char* keyText, int subFolders, int mode,
                                 int deleteSource, OverwriteAll* overwriteAll,
                                 const std::atomic<int32_t>* pCancel);

  JobCounters counters;  // count, ok, warn, err
  CMyMessage messages;   // problems of the walk itself

 private:
  void DeleteSource(const char* path);

  IFileSystem& m_fs;
  IReportUI& m_ui;
  ITriselView& m_view;
  IJobView& m_jobView;
  JobState& m_job;
};

#endif
