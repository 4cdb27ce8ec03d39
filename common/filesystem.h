// The file system as the portable core sees it.
//
// Every file the core touches goes through one IFileSystem, so the same code
// runs over the Win32 runtime (win32/), POSIX (posix/) and the in-memory and
// fault-injecting stand-ins of the tests. Paths are CP949 bytes. Failures are
// reported the C way: a null, -1 or false result with errno set, because the
// reporter shows the runtime's text for errno.
#ifndef MIRELKA_COMMON_FILESYSTEM_H
#define MIRELKA_COMMON_FILESYSTEM_H

#include <cstddef>
#include <cstdint>
#include <ctime>
#include <memory>

// Windows attribute bits that the core reads and restores.
enum : uint32_t {
  kAttrReadOnly = 0x01,
  kAttrHidden = 0x02,
  kAttrSystem = 0x04,
  kAttrDirectory = 0x10,
  kAttrArchive = 0x20,
  kAttrInvalid = 0xFFFFFFFFu,  // what GetFileAttributes gives on failure
};

// An open byte stream, like a runtime FILE* opened in binary mode.
class IFile {
 public:
  virtual ~IFile() = default;
  // Reads up to n bytes; fewer means end of file or an error (see Eof/Error).
  virtual size_t Read(void* buf, size_t n) = 0;
  // Writes n bytes; fewer means an error (Error() is then set).
  virtual size_t Write(const void* buf, size_t n) = 0;
  // Seeks like fseek (SEEK_SET, SEEK_CUR, SEEK_END); 0 on success. Clears Eof.
  virtual int Seek(int64_t offset, int whence) = 0;
  virtual int64_t Tell() = 0;
  virtual bool Eof() const = 0;    // a read met the end of the file
  virtual bool Error() const = 0;  // a read or write failed
  // Pushes buffered bytes to the system; 0 on success.
  virtual int Flush() = 0;
  // Flushes and closes; 0 only when every byte reached the file. Called once;
  // the destructor closes a file that was never closed and ignores the result.
  virtual int Close() = 0;
};

struct FileStat {
  uint64_t size = 0;
  time_t mtime = 0;  // last modification, seconds since the epoch
  bool isDir = false;
};

// One directory entry, as FindFirstFile/FindNextFile report it.
struct FindEntry {
  char name[260] = {};  // name and extension only, CP949
  uint32_t attributes = 0;
  uint64_t size = 0;
  bool IsDir() const { return (attributes & kAttrDirectory) != 0; }
};

// An open directory search.
class IFind {
 public:
  virtual ~IFind() = default;
  // Fills the next matching entry; false at the end of the listing.
  virtual bool Next(FindEntry& entry) = 0;
};

class IFileSystem {
 public:
  virtual ~IFileSystem() = default;
  // mode as fopen: "rb", "wb", "ab", "r+b". Null with errno set on failure.
  virtual std::unique_ptr<IFile> Open(const char* path, const char* mode) = 0;
  // 0 and the file's data, or -1 with errno set (ENOENT when it is missing).
  virtual int Stat(const char* path, FileStat& st) = 0;
  // The Windows attributes, or kAttrInvalid with errno set.
  virtual uint32_t GetAttributes(const char* path) = 0;
  virtual bool SetAttributes(const char* path, uint32_t attributes) = 0;
  // Sets access and modification time (utime); 0 or -1 with errno set.
  virtual int SetTime(const char* path, time_t t) = 0;
  // Deletes a file; 0 or -1 with errno set.
  virtual int Remove(const char* path) = 0;
  // Creates one folder (its parent must exist); 0, or -1 with errno set
  // (EEXIST when something of that name is there).
  virtual int MakeFolder(const char* path) = 0;
  // Deletes an empty folder; 0, or -1 with errno set.
  virtual int RemoveFolder(const char* path) = 0;
  // Starts a search for a wildcard pattern ("C:\\dir\\*.*", "/dir/*.tsl"),
  // with the Windows rules for '*' and '?' (common/wildcard.h) on the last
  // component. "." and ".." come first, when they match, in every folder but
  // a root; the other entries in the order the system gives them. The first
  // matching entry is in `first`. Null when nothing matches (errno ENOENT)
  // or the folder cannot be read.
  virtual std::unique_ptr<IFind> FindFirst(const char* pattern, FindEntry& first) = 0;
};

// The platform's real file system (win32/ or posix/).
IFileSystem& RealFileSystem();

#endif
