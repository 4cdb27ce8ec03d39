// The core keeps every path in CP949, the code page of the Windows programs,
// so that a .tsl header written on Linux names its file with the same bytes
// as one written by Trisel.exe. A Linux file system names files in the
// locale's character set (UTF-8 nearly everywhere). This file system sits in
// front of the real one and converts at that edge: CP949 paths from the core
// become native names, native names found in folders become CP949.
//
// A name with no form in the other character set (an emoji in a Linux file
// name, bytes that are not CP949) is passed through unchanged, so such a file
// is still found and coded rather than silently left out.
#ifndef MIRELKA_COMMON_POSIX_NATIVE_PATHS_H
#define MIRELKA_COMMON_POSIX_NATIVE_PATHS_H

#include <string>

#include "common/filesystem.h"

// Conversions used at the console programs' edges. `ok` (when given) tells
// whether the text was converted (false: returned unchanged).
std::string Cp949ToNative(const std::string& cp949, bool* ok = nullptr);
std::string NativeToCp949(const std::string& native, bool* ok = nullptr);

class CNativePathFileSystem : public IFileSystem {
 public:
  explicit CNativePathFileSystem(IFileSystem& inner) : m_inner(inner) {}

  std::unique_ptr<IFile> Open(const char* path, const char* mode) override;
  int Stat(const char* path, FileStat& st) override;
  uint32_t GetAttributes(const char* path) override;
  bool SetAttributes(const char* path, uint32_t attributes) override;
  int SetTime(const char* path, time_t t) override;
  int Remove(const char* path) override;
  int MakeFolder(const char* path) override;
  int RemoveFolder(const char* path) override;
  std::unique_ptr<IFind> FindFirst(const char* pattern, FindEntry& first) override;

 private:
  IFileSystem& m_inner;
};

#endif
