#include "support/fault_fs.h"

#include <cerrno>

namespace {

class CFaultFile : public IFile {
 public:
  CFaultFile(CFaultFileSystem& fs, std::unique_ptr<IFile> inner) : m_fs(fs), m_inner(std::move(inner)) {}

  size_t Read(void* buf, size_t n) override { return Broken(FsOp::Read) ? 0 : m_inner->Read(buf, n); }
  size_t Write(const void* buf, size_t n) override { return Broken(FsOp::Write) ? 0 : m_inner->Write(buf, n); }
  int Seek(int64_t offset, int whence) override { return m_fs.Hit(FsOp::Seek) ? -1 : m_inner->Seek(offset, whence); }
  int64_t Tell() override { return m_inner->Tell(); }
  bool Eof() const override { return m_inner->Eof(); }
  bool Error() const override { return m_error || m_inner->Error(); }
  int Flush() override { return Broken(FsOp::Flush) ? -1 : m_inner->Flush(); }
  int Close() override {
    bool fail = m_fs.Hit(FsOp::Close);
    int err = errno, rc = m_inner->Close();
    return fail ? (errno = err, -1) : rc;
  }

 private:
  // A failed read, write or flush leaves the stream's error flag set.
  bool Broken(FsOp op) { return m_fs.Hit(op) && (m_error = true); }

  CFaultFileSystem& m_fs;
  std::unique_ptr<IFile> m_inner;
  bool m_error = false;
};

}  // namespace

const char* FsOpName(FsOp op) {
  static const char* const kNames[] = {"Open", "Read", "Write", "Flush", "Close", "Seek", "Stat", "GetAttr",
                                       "SetAttr", "SetTime", "Remove", "FindFirst", "MakeFolder",
                                       "RemoveFolder"};
  return kNames[static_cast<int>(op)];
}

void CFaultFileSystem::FailAt(FsOp op, unsigned nth, int err, bool persistent) {
  m_op = op;
  m_target = nth;
  m_count = 0;
  m_err = err;
  m_persistent = persistent;
  m_fired = false;
}

bool CFaultFileSystem::Hit(FsOp op) {
  if (!m_target || op != m_op) return false;
  ++m_count;
  if (m_count != m_target && !(m_persistent && m_count > m_target)) return false;
  m_fired = true;
  errno = m_err;
  return true;
}

std::unique_ptr<IFile> CFaultFileSystem::Open(const char* path, const char* mode) {
  if (Hit(FsOp::Open)) return nullptr;
  std::unique_ptr<IFile> inner = m_inner.Open(path, mode);
  return inner ? std::make_unique<CFaultFile>(*this, std::move(inner)) : nullptr;
}

int CFaultFileSystem::Stat(const char* path, FileStat& st) { return Hit(FsOp::Stat) ? -1 : m_inner.Stat(path, st); }

uint32_t CFaultFileSystem::GetAttributes(const char* path) {
  return Hit(FsOp::GetAttr) ? kAttrInvalid : m_inner.GetAttributes(path);
}

bool CFaultFileSystem::SetAttributes(const char* path, uint32_t attributes) {
  return !Hit(FsOp::SetAttr) && m_inner.SetAttributes(path, attributes);
}

int CFaultFileSystem::SetTime(const char* path, time_t t) { return Hit(FsOp::SetTime) ? -1 : m_inner.SetTime(path, t); }

int CFaultFileSystem::Remove(const char* path) { return Hit(FsOp::Remove) ? -1 : m_inner.Remove(path); }

int CFaultFileSystem::MakeFolder(const char* path) { return Hit(FsOp::MakeFolder) ? -1 : m_inner.MakeFolder(path); }

int CFaultFileSystem::RemoveFolder(const char* path) {
  return Hit(FsOp::RemoveFolder) ? -1 : m_inner.RemoveFolder(path);
}

std::unique_ptr<IFind> CFaultFileSystem::FindFirst(const char* pattern, FindEntry& first) {
  return Hit(FsOp::FindFirst) ? nullptr : m_inner.FindFirst(pattern, first);
}
