// A shim over any IFileSystem that counts calls per operation and makes a
// chosen call fail with a chosen errno, so a test can walk every failure
// point of an operation:
//
//   for (unsigned n = 1;; ++n) {
//     CFaultFileSystem fs(memory);
//     fs.FailAt(FsOp::Write, n, ENOSPC);
//     int rc = Operation(fs);
//     if (!fs.Fired()) break;  // ran to the end without meeting the fault
//     ... check rc and the files ...
//   }
//
// Every call made through the shim, also through the IFile and IFind objects
// it hands out, is counted, failed or not. A failed call does not reach the
// inner file system, except Close, which still closes the inner file (so no
// handle leaks) and then reports the failure.
#ifndef MIRELKA_TESTS_SUPPORT_FAULT_FS_H
#define MIRELKA_TESTS_SUPPORT_FAULT_FS_H

#include <memory>

#include "common/filesystem.h"

enum class FsOp {
  Open, Read, Write, Flush, Close, Seek, Stat, GetAttr, SetAttr, SetTime, Remove,
  FindFirst,
  Any,  // in FailAt: the nth call of whatever operation; in Calls: all calls
  kCount
};

// The operation's name, for test messages ("Write").
const char* FsOpName(FsOp op);

class CFaultFileSystem : public IFileSystem {
 public:
  explicit CFaultFileSystem(IFileSystem& inner);

  // The nth call of op from now on (1 = the very next) fails with err; with
  // persistent every later call of op fails as well. One plan at a time: a
  // new FailAt replaces the old one.
  void FailAt(FsOp op, unsigned nth, int err, bool persistent = false);
  void ClearFaults();
  // Whether the planned fault has fired at least once.
  bool Fired() const { return m_fired; }
  // Calls of op (FsOp::Any: of all operations) since construction or Reset.
  unsigned Calls(FsOp op) const;
  void ResetCounts();

  // IFileSystem
  std::unique_ptr<IFile> Open(const char* path, const char* mode) override;
  int Stat(const char* path, FileStat& st) override;
  uint32_t GetAttributes(const char* path) override;
  bool SetAttributes(const char* path, uint32_t attributes) override;
  int SetTime(const char* path, time_t t) override;
  int Remove(const char* path) override;
  std::unique_ptr<IFind> FindFirst(const char* pattern, FindEntry& first) override;

  // Counts a call of op; true (with errno set) when it has to fail. Used by
  // the shim's files; tests do not call it.
  bool Hit(FsOp op);

 private:
  IFileSystem& m_inner;
  unsigned m_calls[static_cast<int>(FsOp::kCount)] = {};
  FsOp m_op = FsOp::Any;
  unsigned m_target = 0;  // value of the counter that fails; 0 = no plan
  int m_err = 0;
  bool m_persistent = false;
  bool m_fired = false;
};

#endif
