// A shim over any IFileSystem that makes a chosen call fail with a chosen
// errno, so a test can walk every failure point of an operation:
//   for (unsigned n = 1;; ++n) {
//     CFaultFileSystem fs(memory);
//     fs.FailAt(FsOp::Write, n, ENOSPC);
//     int rc = Operation(fs);
//     if (!fs.Fired()) break;  // ran to the end without meeting the fault
//     ... check rc and the files ...
//   }
// Calls through the IFile objects it hands out count as well. A failed call
// does not reach the inner file system, except Close, which still closes the
// inner file (so no handle leaks) and then reports failure.
#ifndef MIRELKA_TESTS_SUPPORT_FAULT_FS_H
#define MIRELKA_TESTS_SUPPORT_FAULT_FS_H

#include "common/filesystem.h"

enum class FsOp { Open, Read, Write, Flush, Close, Seek, Stat, GetAttr, SetAttr, SetTime, Remove, FindFirst, MakeFolder, RemoveFolder };

const char* FsOpName(FsOp op);  // "Write", for test messages

class CFaultFileSystem : public IFileSystem {
 public:
  explicit CFaultFileSystem(IFileSystem& inner) : m_inner(inner) {}

  // The nth call of op from now on (1 = the very next) fails with err; with
  // persistent every later call of op fails as well.
  void FailAt(FsOp op, unsigned nth, int err, bool persistent = false) {
    m_op = op, m_target = nth, m_count = 0, m_err = err, m_persistent = persistent, m_fired = false;
  }
  bool Fired() const { return m_fired; }  // the planned fault has struck
  bool Hit(FsOp op);  // counts a call of op; true (with errno set) when it has to fail

  std::unique_ptr<IFile> Open(const char* path, const char* mode) override;
  int Stat(const char* p, FileStat& st) override { return Hit(FsOp::Stat) ? -1 : m_inner.Stat(p, st); }
  uint32_t GetAttributes(const char* p) override { return Hit(FsOp::GetAttr) ? kAttrInvalid : m_inner.GetAttributes(p); }
  bool SetAttributes(const char* p, uint32_t a) override { return !Hit(FsOp::SetAttr) && m_inner.SetAttributes(p, a); }
  int SetTime(const char* p, time_t t) override { return Hit(FsOp::SetTime) ? -1 : m_inner.SetTime(p, t); }
  int Remove(const char* p) override { return Hit(FsOp::Remove) ? -1 : m_inner.Remove(p); }
  int MakeFolder(const char* p) override { return Hit(FsOp::MakeFolder) ? -1 : m_inner.MakeFolder(p); }
  int RemoveFolder(const char* p) override { return Hit(FsOp::RemoveFolder) ? -1 : m_inner.RemoveFolder(p); }
  std::unique_ptr<IFind> FindFirst(const char* pattern, FindEntry& first) override {
    return Hit(FsOp::FindFirst) ? nullptr : m_inner.FindFirst(pattern, first);
  }

 private:
  IFileSystem& m_inner;
  FsOp m_op = FsOp::Open;
  unsigned m_target = 0, m_count = 0;  // no plan; calls of m_op since FailAt
  int m_err = 0;
  bool m_persistent = false, m_fired = false;
};

#endif
