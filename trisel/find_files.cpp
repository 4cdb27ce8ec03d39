#include "trisel/find_files.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <memory>
#include <new>
#include <string>

#include "common/log.h"
#include "common/path.h"
#include "filecipher/trisels.h"
#include "trisel/job.h"
#include "trisel/mylist.h"

namespace {

const char kTooLongText[] = "경로가 너무 깁니다. 이 항목은 작업하지 않았습니다.";

bool IsDotEntry(const char* name) {
  return strcmp(name, ".") == 0 || strcmp(name, "..") == 0;
}

// Joins the parts into out (kMaxPathLen bytes); false when they do not fit.
bool Join(char* out, const char* a, const char* b, const char* c, const char* d = "",
          const char* e = "", const char* f = "") {
  int n = snprintf(out, kMaxPathLen, "%s%s%s%s%s%s", a, b, c, d, e, f);
  return n >= 0 && n < kMaxPathLen;
}

}  // namespace

CFindFiles::CFindFiles(IFileSystem& fs, IReportUI& ui, ITriselView& view, IJobView& jobView,
                       JobState& job)
    : messages(ui, job), m_fs(fs), m_ui(ui), m_view(view), m_jobView(jobView), m_job(job) {}

JobResult CFindFiles::Run(const char* pattern, const char* keyText, int subFolders, int mode,
                          int deleteSource, OverwriteAll* overwriteAll,
                          const std::atomic<int32_t>* pCancel) {
  char buf[kMaxPathLen];
  if (!pattern || strlen(pattern) >= sizeof buf) return kResultDone;
  memcpy(buf, pattern, strlen(pattern) + 1);
  JobResult rc = GetPathDirectoryFiles(buf, keyText, subFolders, mode, deleteSource, overwriteAll,
                                       pCancel);
  if (subFolders && rc != kResultStop && rc != kResultCancelled)
    return GetSubDirectoryFiles(buf, keyText, subFolders, mode, deleteSource, overwriteAll,
                                pCancel);
  return rc;
}

JobResult CFindFiles::GetPathDirectoryFiles(const char* pattern, const char* keyText,
                                            int subFolders, int mode, int deleteSource,
                                            OverwriteAll* overwriteAll,
                                            const std::atomic<int32_t>* pCancel) {
  std::unique_ptr<CTrisels> coder(new (std::nothrow) CTrisels(m_fs, m_ui, m_view, m_job));
  if (!coder) return kResultStop;

  char drive[kMaxPathLen], dir[kMaxPathLen], fname[kMaxPathLen], ext[kMaxPathLen];
  SplitPath(pattern, drive, dir, fname, ext);

  // The whole folder is listed before the first file is coded, so files
  // that the coding adds to it are not picked up.
  CMyList list(&m_jobView);
  FindEntry entry;
  std::unique_ptr<IFind> find = m_fs.FindFirst(pattern, entry);
  if (find) {
    do {
      if (entry.IsDir() || !entry.name[0]) continue;
      char path[kMaxPathLen];
      if (Join(path, drive, dir, entry.name)) {
        list.Add(path);
      } else if (mode != kModeCount) {
        // Counted by neither pass; the error log says which file was left.
        std::string name = std::string(drive) + dir + entry.name;
        messages.Report("경고", "CFindFiles::GetPathDirectoryFiles, strlen(), 2", kTooLongText,
                        name.c_str(), kReportLogOnly);
        ++counters.warn;
      }
    } while (find->Next(entry));
    find.reset();
  }

  JobResult rc = kResultDone;
  char path[kMaxPathLen] = "";
  list.Rewind();
  bool more = list.GetNext(path);
  if (!path[0]) return rc;
  for (;;) {
    if (mode == kModeCount) {
      ++counters.count;
      rc = kResultDone;
    } else {
      rc = coder->Trisel(path, keyText, subFolders, mode, deleteSource, counters, overwriteAll,
                         pCancel);
      const char* word = nullptr;
      switch (rc) {
        case kResultDone: word = "ok"; break;
        case kResultSkip: word = "skip"; break;
        case kResultStop: word = "error"; break;
        case kResultCancelled: word = "cancel"; break;
        default: break;
      }
      if (word)
        WriteLog(kLogJob, "%lu : (%s) %s\n", static_cast<unsigned long>(m_job.seq), word, path);
      if (rc == kResultDone && deleteSource) DeleteSource(path);
      if (rc == kResultStop || rc == kResultCancelled) break;
    }
    if (!more) break;
    path[0] = 0;
    more = list.GetNext(path);
    if (!path[0]) break;
  }
  return rc;
}

JobResult CFindFiles::GetSubDirectoryFiles(const char* pattern, const char* keyText, int subFolders,
                                           int mode, int deleteSource, OverwriteAll* overwriteAll,
                                           const std::atomic<int32_t>* pCancel) {
  char drive[kMaxPathLen], dir[kMaxPathLen], fname[kMaxPathLen], ext[kMaxPathLen];
  SplitPath(pattern, drive, dir, fname, ext);
  char all[kMaxPathLen];
  if (!Join(all, drive, dir, "*.*")) return kResultDone;

  JobResult rc = kResultDone;
  FindEntry entry;
  std::unique_ptr<IFind> find = m_fs.FindFirst(all, entry);
  if (!find) return rc;
  const char sep[2] = {JobPathSeparator(), 0};
  do {
    if (!entry.IsDir() || IsDotEntry(entry.name)) continue;
    char sub[kMaxPathLen];
    if (!Join(sub, drive, dir, entry.name, sep, fname, ext)) {
      // A folder too deep for a path: said once, in the process pass. This
      // also ends a walk that runs round a folder link.
      if (mode != kModeCount) {
        std::string name = std::string(drive) + dir + entry.name;
        messages.Report("경고", "CFindFiles::GetSubDirectoryFiles, strlen(), 0", kTooLongText,
                        name.c_str(), kReportLogOnly);
        ++counters.warn;
      }
      continue;
    }
    rc = GetPathDirectoryFiles(sub, keyText, subFolders, mode, deleteSource, overwriteAll,
                               pCancel);
    if (rc == kResultStop || rc == kResultCancelled) break;
    rc = GetSubDirectoryFiles(sub, keyText, subFolders, mode, deleteSource, overwriteAll,
                              pCancel);
    if (rc == kResultStop || rc == kResultCancelled) break;
  } while (find->Next(entry));
  return rc;
}

void CFindFiles::DeleteSource(const char* path) {
  errno = 0;
  if (m_fs.Remove(path) == 0) {
    // Leave a one-byte file of the same name behind for a moment, so that
    // the name no longer leads to the old contents, then remove it too.
    std::unique_ptr<IFile> fp = m_fs.Open(path, "wb");
    if (fp) {
      fp->Write("n", 1);
      fp->Close();
      fp.reset();
      m_fs.Remove(path);
    }
    errno = 0;
    return;
  }
  // Reported also when the system left no error number: a source that
  // stays on disk must never pass for deleted.
  messages.Report("경고", "CFindFiles::GetPathDirectoryFiles, unlink(), 1",
                  "작업 완료 후 <원본 파일 삭제> 옵션 실행에 실패했습니다.\n\n"
                  "읽기 전용, 혹은 다른 응용프로그램에서 사용 중인 파일입니다.\n"
                  "또는, 권한이 없는 사용자일 수 있습니다.\n"
                  "수동으로 직접 삭제해 주십시오.",
                  path, kReportLogOnly);
  ++counters.warn;
}
