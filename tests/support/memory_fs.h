// Test stand-ins for the file system: an in-memory IFileSystem, a
// fault-injecting shim over any IFileSystem (fault_fs.h) and a unique
// temporary folder on the real disk (temp_dir.h).
#ifndef MIRELKA_TESTS_SUPPORT_MEMORY_FS_H
#define MIRELKA_TESTS_SUPPORT_MEMORY_FS_H

#include <map>
#include <string>
#include <vector>

#include "common/filesystem.h"
#include "support/fault_fs.h"
#include "support/temp_dir.h"

// A file system held in memory, behaving like a Windows volume where the
// core can tell: read-only files refuse to be opened for writing, retimed or
// removed (EACCES), opening in a missing folder fails with ENOENT, a folder
// cannot be opened or removed, FindFirst uses the Windows wildcard rule and
// lists "." and ".." (first) in every folder but a root.
//
// Files open "rb" or "wb", the two modes the programs use.
// Paths: '\\' and '/' are both separators (CP949-aware), runs of them count
// as one, a trailing one is dropped; names are case-sensitive. The roots
// ("" for relative paths, "/" and every drive "C:") always exist. Entries of
// a folder are listed in byte order of their names. Writing stamps a file
// with mtime 0, so a test sees whether a time was restored.
class CMemoryFileSystem : public IFileSystem {
 public:
  CMemoryFileSystem();

  // Setup and inspection. AddFile and AddFolder create missing parent folders
  // and replace an existing file.
  void AddFile(const std::string& path, const std::string& bytes, time_t mtime = 0,
               uint32_t attributes = kAttrArchive);
  void AddFolder(const std::string& path);
  bool Exists(const std::string& path) const;
  std::string Contents(const std::string& path) const;  // "" when missing
  time_t MTime(const std::string& path) const;           // 0 when missing
  // Every file (not folder) path in normalized form ('/' separators), sorted.
  std::vector<std::string> Files() const;
  int OpenFiles() const { return m_openFiles; }  // IFile objects not yet closed

  std::unique_ptr<IFile> Open(const char* path, const char* mode) override;
  int Stat(const char* path, FileStat& st) override;
  uint32_t GetAttributes(const char* path) override;
  bool SetAttributes(const char* path, uint32_t attributes) override;
  int SetTime(const char* path, time_t t) override;
  int Remove(const char* path) override;
  int MakeFolder(const char* path) override;
  int RemoveFolder(const char* path) override;
  std::unique_ptr<IFind> FindFirst(const char* pattern, FindEntry& first) override;

  struct Node;  // a file or a folder; shared with its open files

 private:
  std::shared_ptr<Node> Lookup(const std::string& normalized) const;
  std::shared_ptr<Node> Need(const char* path) const;  // Lookup, ENOENT when missing

  std::map<std::string, std::shared_ptr<Node>> m_nodes;  // by normalized path
  std::shared_ptr<Node> m_root;                          // every root
  int m_openFiles = 0;
};

#endif
