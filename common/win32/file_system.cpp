// The real file system over the Windows runtime and kernel32, with ANSI
// (CP949) paths throughout.
#include <windows.h>
#include <sys/stat.h>
#include <sys/types.h>
#include <sys/utime.h>

#include <cerrno>
#include <cstring>
#include <string>

#include "common/filesystem.h"
#include "common/path.h"
#include "common/stdio_file.h"
#include "common/wildcard.h"

namespace {

// A call without a path fails like the runtime's own: EINVAL.
template <class T>
T NoPath(T result) {
  errno = EINVAL;
  return result;
}

// errno for the kernel's last error, for the few calls that give no errno.
void SetErrnoFromLastError() {
  switch (GetLastError()) {
    case ERROR_FILE_NOT_FOUND:
    case ERROR_PATH_NOT_FOUND:
    case ERROR_INVALID_NAME:
    case ERROR_BAD_NETPATH:
    case ERROR_NO_MORE_FILES:
      errno = ENOENT;
      break;
    case ERROR_NOT_ENOUGH_MEMORY:
      errno = ENOMEM;
      break;
    case ERROR_DISK_FULL:
      errno = ENOSPC;
      break;
    default:
      errno = EACCES;
      break;
  }
}

void Fill(FindEntry& entry, const WIN32_FIND_DATAA& data) {
  size_t len = strnlen(data.cFileName, sizeof entry.name - 1);
  std::memcpy(entry.name, data.cFileName, len);
  entry.name[len] = 0;
  entry.attributes = data.dwFileAttributes;
  entry.size = (static_cast<uint64_t>(data.nFileSizeHigh) << 32) | data.nFileSizeLow;
}

// A read-only file. Windows itself refuses to write, re-time or delete
// one, but Wine run by root does not, so the adapter checks first.
bool IsReadOnlyFile(const char* path) {
  DWORD attr = GetFileAttributesA(path);
  return attr != INVALID_FILE_ATTRIBUTES && !(attr & FILE_ATTRIBUTE_DIRECTORY) && (attr & FILE_ATTRIBUTE_READONLY);
}

// The system's search also matches the short 8.3 names ("*.tsl" finds
// "a.tslx" through "A~1.TSL"), and Wine's leaves out the DOS rules for
// '?', '.' and "*."; every entry of a wildcard search is checked against the
// one rule the POSIX adapter and the test stand-ins follow as well. A name
// without a wildcard names one file, by its long name or by its short one
// (Explorer may pass "REPORT~1.DOC"), and is taken as the system found it.
class CWin32Find : public IFind {
 public:
  CWin32Find(HANDLE h, const char* wildcard)
      : m_h(h), m_wildcard(wildcard), m_exact(!HasWildcard(wildcard)) {}
  CWin32Find(const CWin32Find&) = delete;
  CWin32Find& operator=(const CWin32Find&) = delete;
  ~CWin32Find() override { FindClose(m_h); }
  bool Next(FindEntry& entry) override {
    WIN32_FIND_DATAA data;
    while (FindNextFileA(m_h, &data)) {
      if (Take(entry, data)) return true;
    }
    return false;
  }
  bool Take(FindEntry& entry, const WIN32_FIND_DATAA& data) const {
    if (!m_exact && !WildcardMatch(m_wildcard.c_str(), data.cFileName)) return false;
    Fill(entry, data);
    return true;
  }

 private:
  HANDLE m_h;
  std::string m_wildcard;  // the last component of the caller's pattern
  bool m_exact;            // it holds no wildcard
};

class CWin32FileSystem : public IFileSystem {
 public:
  std::unique_ptr<IFile> Open(const char* path, const char* mode) override {
    if (path && ModeWrites(mode) && IsReadOnlyFile(path)) {
      errno = EACCES;
      return nullptr;
    }
    return OpenStdioFile(path, mode);
  }

  int Stat(const char* path, FileStat& out) override {
    if (!path) return NoPath(-1);
    struct _stati64 st;
    if (_stati64(path, &st) != 0) return -1;
    bool dir = (st.st_mode & _S_IFDIR) != 0;
    out.size = dir ? 0 : static_cast<uint64_t>(st.st_size);
    out.mtime = static_cast<time_t>(st.st_mtime);
    out.isDir = dir;
    return 0;
  }

  uint32_t GetAttributes(const char* path) override {
    if (!path) return NoPath(kAttrInvalid);
    DWORD attr = GetFileAttributesA(path);
    if (attr == INVALID_FILE_ATTRIBUTES) {
      SetErrnoFromLastError();
      return kAttrInvalid;
    }
    return attr;
  }

  bool SetAttributes(const char* path, uint32_t attributes) override {
    if (!path) return NoPath(false);
    if (!SetFileAttributesA(path, attributes)) {
      SetErrnoFromLastError();
      return false;
    }
    return true;
  }

  int SetTime(const char* path, time_t t) override {
    if (!path) return NoPath(-1);
    if (IsReadOnlyFile(path)) {
      errno = EACCES;
      return -1;
    }
    struct _utimbuf times;
    times.actime = t;
    times.modtime = t;
    return _utime(path, &times) == 0 ? 0 : -1;
  }

  int Remove(const char* path) override {
    if (!path) return NoPath(-1);
    if (IsReadOnlyFile(path)) {
      errno = EACCES;
      return -1;
    }
    return remove(path) == 0 ? 0 : -1;
  }

  int MakeFolder(const char* path) override {
    if (!path) return NoPath(-1);
    if (CreateDirectoryA(path, nullptr)) return 0;
    SetErrnoFromLastError();
    return -1;
  }

  int RemoveFolder(const char* path) override {
    if (!path) return NoPath(-1);
    if (RemoveDirectoryA(path)) return 0;
    SetErrnoFromLastError();
    return -1;
  }

  std::unique_ptr<IFind> FindFirst(const char* pattern, FindEntry& first) override {
    if (!pattern) return NoPath(nullptr);
    WIN32_FIND_DATAA data;
    HANDLE h = FindFirstFileA(pattern, &data);
    if (h == INVALID_HANDLE_VALUE) {
      SetErrnoFromLastError();
      return nullptr;
    }
    auto find = std::make_unique<CWin32Find>(h, pattern + PathNameOffset(pattern));
    if (find->Take(first, data) || find->Next(first)) return find;
    errno = ENOENT;
    return nullptr;
  }
};

}  // namespace

IFileSystem& RealFileSystem() {
  static CWin32FileSystem fs;
  return fs;
}
