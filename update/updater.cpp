#include "update/updater.h"

#include <cerrno>
#include <cstring>
#include <string>

#include "common/log.h"
#include "update/update_rules.h"

namespace {

const char kReadingText[] = "업데이트 정보를 읽고 있습니다 . . .";
const char kInstallingText[] = "업데이트 파일을 설치 중입니다 . . .";

CMyString Join(const CMyString& folder, const std::string& name) {
  CMyString path(folder);
  path += CMyString(name.c_str());
  return path;
}

// The separator the folder ends with ('\\' on Windows).
CMyString Separator(const CMyString& folder) {
  char sep[2] = {folder.GetLength() ? folder.GetAt(folder.GetLength() - 1) : '\\', 0};
  return CMyString(sep);
}

// Writes a download into the work folder, hashing it on the way, and
// passes progress and the Cancel button between the download loop and the
// window. Takes no byte past the size the manifest gives.
class CFileSink : public IDownloadSink {
 public:
  CFileSink(IFile& file, IUpdaterView& view, ISha256& hash, uint64_t size)
      : m_file(file), m_view(view), m_hash(hash), m_size(size) {}
  bool Write(const void* data, size_t n) override {
    if (n > m_size - m_written) {
      m_tooLong = true;
      return false;
    }
    m_written += n;
    m_hash.Add(data, n);
    return m_file.Write(data, n) == n;
  }
  void Progress(uint64_t position, uint64_t total) override {
    WriteLog(kLogDebug, "pos[%ld] tot[%ld]\n", static_cast<long>(position), static_cast<long>(total));
    m_view.FileProgress(position, total);
  }
  bool Cancelled() override { return m_view.CancelRequested(); }
  uint64_t Written() const { return m_written; }
  bool TooLong() const { return m_tooLong; }

 private:
  IFile& m_file;
  IUpdaterView& m_view;
  ISha256& m_hash;
  uint64_t m_size;
  uint64_t m_written = 0;
  bool m_tooLong = false;
};

// Keeps a small download in memory, refusing more than `limit` bytes.
class CMemorySink : public IDownloadSink {
 public:
  CMemorySink(std::string& out, size_t limit) : m_out(out), m_limit(limit) {}
  bool Write(const void* data, size_t n) override {
    if (n > m_limit - m_out.size()) return false;
    m_out.append(static_cast<const char*>(data), n);
    return true;
  }
  void Progress(uint64_t, uint64_t) override {}
  bool Cancelled() override { return false; }

 private:
  std::string& m_out;
  size_t m_limit;
};

void Refused(const std::string& why) { WriteLog(kLogDebug, "update refused: %s\n", why.c_str()); }

// The manifest and its signature, then the checks of CheckRelease: empty
// when the release may be downloaded, otherwise why not.
std::string CheckPublished(const UpdaterSetup& setup, const std::vector<std::string>& names,
                           std::vector<ReleaseFile>& expected) {
  if (!setup.crypto || !setup.vendorKey) return "no vendor key in the updater";
  std::string manifest, signature;
  CMemorySink manifestSink(manifest, kManifestLimit), signatureSink(signature, kSignatureLimit);
  if (HttpDownload(*setup.http, kAgentUpdate, setup.host, setup.port, kManifestObject, manifestSink) != kDownloadOk)
    return "no manifest";
  if (HttpDownload(*setup.http, kAgentUpdate, setup.host, setup.port, kSignatureObject, signatureSink) != kDownloadOk)
    return "no signature";
  return CheckRelease(*setup.crypto, setup.vendorKey, manifest, signature, names, setup.installedVersion, expected);
}

// Copies one file, keeping its modify time as a copy by the system does.
// `touched` tells whether the target was opened for writing (and so may
// hold part of the new bytes); 0 or -1.
int CopyOneFile(IFileSystem& fs, const CMyString& from, const CMyString& to, bool& touched) {
  touched = false;
  FileStat st;
  if (fs.Stat(from.GetBuffer(), st) != 0 || st.isDir) return -1;
  std::unique_ptr<IFile> in = fs.Open(from.GetBuffer(), "rb");
  if (!in) return -1;
  std::unique_ptr<IFile> out = fs.Open(to.GetBuffer(), "wb");
  if (!out) return -1;
  touched = true;
  std::vector<char> buf(64 * 1024);
  for (;;) {
    size_t n = in->Read(buf.data(), buf.size());
    if (n > 0 && out->Write(buf.data(), n) != n) return -1;
    if (n < buf.size()) break;
  }
  if (in->Error() || out->Close() != 0) return -1;
  fs.SetTime(to.GetBuffer(), st.mtime);
  return 0;
}

}  // namespace

int RemoveFolderTree(IFileSystem& fs, const CMyString& folder) {
  CMyString bare;
  bare.AssignLeft(folder, folder.GetLength() - 1);  // without its separator
  FileStat st;
  if (fs.Stat(bare.GetBuffer(), st) != 0) return errno == ENOENT ? 0 : -1;
  std::vector<FindEntry> entries;
  FindEntry e;
  CMyString pattern(folder);
  pattern += CMyString("*");
  if (std::unique_ptr<IFind> find = fs.FindFirst(pattern.GetBuffer(), e)) {
    do {
      if (std::strcmp(e.name, ".") != 0 && std::strcmp(e.name, "..") != 0) entries.push_back(e);
    } while (find->Next(e));
  }
  int rc = 0;
  for (const FindEntry& entry : entries) {
    CMyString path = Join(folder, entry.name);
    if (entry.IsDir()) {
      path += Separator(folder);
      if (RemoveFolderTree(fs, path) != 0) rc = -1;
      continue;
    }
    if (entry.attributes & kAttrReadOnly) fs.SetAttributes(path.GetBuffer(), entry.attributes & ~kAttrReadOnly);
    if (fs.Remove(path.GetBuffer()) != 0) rc = -1;
  }
  if (fs.RemoveFolder(bare.GetBuffer()) != 0) rc = -1;
  return rc;
}

int PrepareWorkFolder(IFileSystem& fs, const CMyString& work) {
  RemoveFolderTree(fs, work);
  CMyString bare;
  bare.AssignLeft(work, work.GetLength() - 1);
  return fs.MakeFolder(bare.GetBuffer()) == 0 ? 0 : -1;
}

int DownloadFiles(const UpdaterSetup& setup, const CMyString& work, const std::vector<ReleaseFile>& files) {
  IUpdaterView& view = *setup.view;
  int count = static_cast<int>(files.size());
  for (int i = 0; i < count; ++i) {
    const ReleaseFile& expected = files[static_cast<size_t>(i)];
    const std::string& name = expected.name;
    view.StartFile(i + 1, count, FileCounterText(i + 1, count).GetBuffer(), name.c_str());
    std::unique_ptr<ISha256> hash = setup.crypto->NewSha256();
    if (!hash) return kUpdateFailed;
    std::unique_ptr<IFile> file = setup.fs->Open(Join(work, name).GetBuffer(), "wb");
    if (!file) return kUpdateFailed;
    CMyString path(kUpdateFolderPath);
    path += HttpEscapePath(name.c_str());
    CFileSink sink(*file, view, *hash, expected.size);
    view.SetDownloading(true);
    int rc = HttpDownload(*setup.http, kAgentUpdate, setup.host, setup.port, path.GetBuffer(), sink);
    view.SetDownloading(false);
    if (file->Close() != 0 && rc == kDownloadOk) rc = kDownloadFailed;
    if (rc == kDownloadCancelled) return kUpdateCancelled;
    if (sink.TooLong() || (rc == kDownloadOk && sink.Written() != expected.size)) {
      Refused("size mismatch: " + name + " is not the manifest's " + std::to_string(expected.size) + " bytes");
      return kUpdateFailed;
    }
    if (rc != kDownloadOk) return kUpdateFailed;
    uint8_t digest[kSha256Size] = {};
    if (!hash->Finish(digest) || std::memcmp(digest, expected.sha256, kSha256Size) != 0) {
      Refused("hash mismatch: " + name + " has SHA-256 " + DigestText(digest) + ", the manifest says " +
              DigestText(expected.sha256));
      return kUpdateFailed;
    }
  }
  return kUpdateDone;
}

int InstallFiles(IFileSystem& fs, const CMyString& dir, const CMyString& work,
                 const std::vector<std::string>& names, bool& restored) {
  restored = true;
  CMyString keepFolder(work);
  keepFolder += CMyString("~old");
  if (fs.MakeFolder(keepFolder.GetBuffer()) != 0) return -1;
  CMyString keep(keepFolder);
  keep += Separator(work);
  // What has been changed so far, to be undone when a later file fails.
  struct Changed {
    std::string name;
    bool hadOld;
  };
  std::vector<Changed> changed;
  bool failed = false;
  for (const std::string& name : names) {
    CMyString target = Join(dir, name);
    FileStat st;
    bool hadOld = fs.Stat(target.GetBuffer(), st) == 0;
    bool touched = false;
    if (hadOld && (st.isDir || CopyOneFile(fs, target, Join(keep, name), touched) != 0)) {
      failed = true;
      break;
    }
    int rc = CopyOneFile(fs, Join(work, name), target, touched);
    if (touched) changed.push_back({name, hadOld});
    if (rc != 0) {
      failed = true;
      break;
    }
  }
  if (!failed) return 0;
  for (auto it = changed.rbegin(); it != changed.rend(); ++it) {
    CMyString target = Join(dir, it->name);
    bool touched = false;
    int rc = it->hadOld ? CopyOneFile(fs, Join(keep, it->name), target, touched) : fs.Remove(target.GetBuffer());
    if (rc != 0) {
      WriteLog(kLogDebug, "restore failed: %s\n", it->name.c_str());
      restored = false;
    }
  }
  return -1;
}

int RunUpdate(const UpdaterSetup& setup) {
  IUpdaterView& view = *setup.view;
  view.ShowMessage(kReadingText);
  CMyString work(setup.dir);
  work += CMyString("update");
  work += Separator(setup.dir);
  CMyString list;
  std::vector<std::string> names;
  std::vector<ReleaseFile> files;
  int r = kUpdateFailed;
  if (FetchWebText(*setup.http, setup.host, setup.port, kFileListObject, kUpdateTextLimit, list) != 0) {
    Refused("no file list");
  } else if (ParseUpdateList(list, names) <= 0) {
    Refused("the file list is empty or names a file the updater may not write");
  } else {
    std::string why = CheckPublished(setup, names, files);
    if (!why.empty()) {
      Refused(why);
    } else if (PrepareWorkFolder(*setup.fs, work) == 0) {
      r = kUpdateDone;
    }
  }
  bool restored = true;
  if (r == kUpdateDone) {
    view.ShowProgress(static_cast<int>(files.size()));
    r = DownloadFiles(setup, work, files);
  }
  // Every file is here, whole and as the vendor signed it.
  while (r == kUpdateDone && view.MirelkaRunning()) {
    if (!view.AskRetryWhileMirelkaRuns()) r = kUpdateFailed;
  }
  if (r == kUpdateDone) {
    view.ShowMessage(kInstallingText);
    r = InstallFiles(*setup.fs, setup.dir, work, names, restored) == 0 ? kUpdateDone : kUpdateFailed;
  }
  if (restored) RemoveFolderTree(*setup.fs, work);
  return r;
}
