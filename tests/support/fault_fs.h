// A shim over any IFileSystem that makes a chosen call fail with a chosen
// errno, so a test can walk every failure point of an operation:
//
//   for (unsigned n = 1;; ++n) {
//     CFaultFileSystem fs(memory);
//     fs.FailAt(FsOp::Write, n, ENOSPC);
//     int rc = Operation(fs);
//     if (!fs.Fired()) break;  // ran to the end without meeting the fault
//     ... check rc and the files ...
//   }
//
// Calls through the IFile and IFind objects it hands out count as well. A
// failed call does not reach the inner file system, except Close, which
// still closes the inner file (so no handle leaks) and then reports failure.
#ifndef MIRELKA_TESTS_SUPPORT_FAULT_FS_H
#define MIRELKA_TESTS_SUPPORT_FAULT_FS_H

#include "common/filesystem.h"

enum class FsOp { Open, Read, Write, Flush, Close, Seek, Stat, GetAttr, SetAttr, SetTime, Remove, FindFirst, MakeFolder, RemoveFolder };

// The operation's name, for test messages ("Write").
const char* FsOpName(FsOp op);

class CFaultFileSystem : public IFileSystem {
 public:
  explicit CFaultFileSystem(IFileSystem& inner) : m_inner(inner) {}

  // The nth call of op from now on (1 = the very next) fails with err; with
  // persistent every later call of op fails as well. A new plan replaces the
  // old one.
  void FailAt(FsOp op, unsigned nth, int err, bool persistent = false);
  bool Fired() const { return m_fired; }  // the planned fault has struck

  std::unique_ptr<IFile> Open(const char* path, const char* mode) override;
  int Stat(const char* path, FileStat& st) override;
  uint32_t GetAttributes(const char* path) override;
  bool SetAttributes(const char* path, uint32_t attributes) override;
  int SetTime(const char* path, time_t t) override;
  int Remove(const char* path) override;
  int MakeFolder(const char* path) override;
  int RemoveFolder(const char* path) override;
  std::unique_ptr<IFind> FindFirst(const char* pattern, FindEntry& first) override;

  // Counts a call of op; true (with errno set) when it has to fail.
  bool Hit(FsOp op);

 private:
  IFileSystem& m_inner;
  FsOp m_op = FsOp::Open;
  unsigned m_target = 0;  // 0: no plan
  unsigned m_count = 0;   // calls of m_op since FailAt
  int m_err = 0;
  bool m_persistent = false;
  bool m_fired = false;
};

#endif
