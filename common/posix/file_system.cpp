// The real file system over POSIX, made to look like a Windows volume where
// the core can tell: Windows attributes derived from the mode bits, a
// read-only file refuses writers, new times and removal even for root, and the folder
// search follows FindFirstFileA. Only '/' separates folders here.
#include <dirent.h>
#include <sys/stat.h>
#include <unistd.h>
#include <utime.h>

#include <cerrno>
#include <cstring>
#include <string>

#include "common/filesystem.h"
#include "common/stdio_file.h"
#include "common/wildcard.h"

namespace {

uint32_t AttributesOf(const struct stat& st) {
  if (S_ISDIR(st.st_mode)) return kAttrDirectory;
  uint32_t attr = kAttrArchive;
  if (!(st.st_mode & S_IWUSR)) attr |= kAttrReadOnly;
  return attr;
}

// A regular file without the owner's write bit: Windows refuses to change
// or delete it, and so do we, also when running as root.
bool IsReadOnlyFile(const char* path) {
  struct stat st;
  return stat(path, &st) == 0 && !S_ISDIR(st.st_mode) && !(st.st_mode & S_IWUSR);
}

bool Matches(const char* pattern, const char* name) {
  if (IsValidUtf8(pattern) && IsValidUtf8(name)) return WildcardMatchUtf8(pattern, name);
  return WildcardMatch(pattern, name);
}

class CPosixFind : public IFind {
 public:
  CPosixFind(DIR* dir, std::string folder, std::string pattern, bool dots)
      : m_dir(dir), m_folder(std::move(folder)), m_pattern(std::move(pattern)), m_dotsLeft(dots ? 2 : 0) {}
  ~CPosixFind() override { closedir(m_dir); }

  bool Next(FindEntry& entry) override {
    // Windows lists "." and ".." first in every folder but a root; readdir
    // gives them anywhere, so they are put in front here.
    while (m_dotsLeft > 0) {
      const char* name = m_dotsLeft-- == 2 ? "." : "..";
      if (Matches(m_pattern.c_str(), name) && Fill(entry, name)) return true;
    }
    while (struct dirent* d = readdir(m_dir)) {
      if (std::strcmp(d->d_name, ".") == 0 || std::strcmp(d->d_name, "..") == 0) continue;
      if (!Matches(m_pattern.c_str(), d->d_name)) continue;
      if (Fill(entry, d->d_name)) return true;
    }
    return false;
  }

 private:
  // False for an entry that went away or whose name is too long.
  bool Fill(FindEntry& entry, const char* name) {
    size_t len = std::strlen(name);
    if (len >= sizeof entry.name) return false;
    struct stat st;
    std::string path = m_folder + name;
    if (stat(path.c_str(), &st) != 0 && lstat(path.c_str(), &st) != 0) return false;
    std::memcpy(entry.name, name, len + 1);
    entry.attributes = AttributesOf(st);
    entry.size = S_ISDIR(st.st_mode) ? 0 : static_cast<uint64_t>(st.st_size);
    return true;
  }

  DIR* m_dir;
  std::string m_folder;  // ends with '/' unless empty (current folder)
  std::string m_pattern;
  int m_dotsLeft;
};

class CPosixFileSystem : public IFileSystem {
 public:
  std::unique_ptr<IFile> Open(const char* path, const char* mode) override {
    if (!path || !mode) {
      errno = EINVAL;
      return nullptr;
    }
    struct stat st;
    if (stat(path, &st) == 0 && S_ISDIR(st.st_mode)) {
      errno = EACCES;  // as the Windows runtime reports a folder
      return nullptr;
    }
    if (ModeWrites(mode) && IsReadOnlyFile(path)) {
      errno = EACCES;
      return nullptr;
    }
    return OpenStdioFile(path, mode);
  }

  int Stat(const char* path, FileStat& out) override {
    struct stat st;
    if (!path || stat(path, &st) != 0) return Fail(path);
    out.size = S_ISDIR(st.st_mode) ? 0 : static_cast<uint64_t>(st.st_size);
    out.mtime = st.st_mtime;
    out.isDir = S_ISDIR(st.st_mode);
    return 0;
  }

  uint32_t GetAttributes(const char* path) override {
    struct stat st;
    if (!path || stat(path, &st) != 0) {
      Fail(path);
      return kAttrInvalid;
    }
    return AttributesOf(st);
  }

  bool SetAttributes(const char* path, uint32_t attributes) override {
    struct stat st;
    if (!path || stat(path, &st) != 0) return Fail(path) == 0;
    if (S_ISDIR(st.st_mode)) return true;  // nothing of a folder's bits is kept
    mode_t mode = st.st_mode & 07777;
    mode = (attributes & kAttrReadOnly) ? (mode & ~S_IWUSR) : (mode | S_IWUSR);
    return chmod(path, mode) == 0;
  }

  int SetTime(const char* path, time_t t) override {
    if (!path) return Fail(path);
    if (IsReadOnlyFile(path)) {
      errno = EACCES;  // set the time before making a file read-only
      return -1;
    }
    struct utimbuf times;
    times.actime = t;
    times.modtime = t;
    return utime(path, &times) == 0 ? 0 : -1;
  }

  int Remove(const char* path) override {
    if (!path) return Fail(path);
    if (IsReadOnlyFile(path)) {
      errno = EACCES;
      return -1;
    }
    // unlink, not remove: a folder is no file to delete.
    return unlink(path) == 0 ? 0 : -1;
  }

  int MakeFolder(const char* path) override {
    if (!path) return Fail(path);
    return mkdir(path, 0777) == 0 ? 0 : -1;
  }

  int RemoveFolder(const char* path) override {
    if (!path) return Fail(path);
    return rmdir(path) == 0 ? 0 : -1;
  }

  std::unique_ptr<IFind> FindFirst(const char* pattern, FindEntry& first) override {
    if (!pattern || !*pattern) {
      errno = ENOENT;
      return nullptr;
    }
    const char* slash = std::strrchr(pattern, '/');
    std::string folder = slash ? std::string(pattern, slash + 1 - pattern) : std::string();
    std::string name = slash ? std::string(slash + 1) : std::string(pattern);
    if (name.empty()) {
      errno = ENOENT;
      return nullptr;
    }
    DIR* dir = opendir(folder.empty() ? "." : folder.c_str());
    if (!dir) return nullptr;
    bool root = !folder.empty() && folder.find_first_not_of('/') == std::string::npos;
    auto find = std::make_unique<CPosixFind>(dir, folder, name, !root);
    if (!find->Next(first)) {
      errno = ENOENT;
      return nullptr;
    }
    return find;
  }

 private:
  static int Fail(const char* path) {
    if (!path) errno = EINVAL;
    return -1;
  }
};

}  // namespace

IFileSystem& RealFileSystem() {
  static CPosixFileSystem fs;
  return fs;
}
