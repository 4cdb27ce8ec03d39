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
  bool Broken(FsOp op) { return m_fs.Hit(op) && (m_error = true); }  // a failed transfer sets the error flag
  CFaultFileSystem& m_fs;
  std::unique_ptr<IFile> m_inner;
  bool m_error = false;
};

}  // namespace

const char* FsOpName(FsOp op) {
  static const char* const kNames[] = {"Open", "Read", "Write", "Flush", "Close", "Seek", "Stat", "GetAttr",
                                       "SetAttr", "SetTime", "Remove", "FindFirst", "MakeFolder", "RemoveFolder"};
  return kNames[static_cast<int>(op)];
}

bool CFaultFileSystem::Hit(FsOp op) {
  if (!m_target || op != m_op) return false;
  ++m_count;
  if (m_count != m_target && !(m_persistent && m_count > m_target)) return false;
  errno = m_err;
  return m_fired = true;
}

std::unique_ptr<IFile> CFaultFileSystem::Open(const char* path, const char* mode) {
  if (Hit(FsOp::Open)) return nullptr;
  std::unique_ptr<IFile> inner = m_inner.Open(path, mode);
  return inner ? std::make_unique<CFaultFile>(*this, std::move(inner)) : nullptr;
}
