#include "support/fault_fs.h"

#include <cerrno>

namespace {

class CFaultFile : public IFile {
 public:
  CFaultFile(CFaultFileSystem& fs, std::unique_ptr<IFile> inner) : m_fs(fs), m_inner(std::move(inner)) {}

  size_t Read(void* buf, size_t n) override {
    if (m_fs.Hit(FsOp::Read)) return Broken();
    return m_inner->Read(buf, n);
  }
  size_t Write(const void* buf, size_t n) override {
    if (m_fs.Hit(FsOp::Write)) return Broken();
    return m_inner->Write(buf, n);
  }
  int Seek(int64_t offset, int whence) override {
    if (m_fs.Hit(FsOp::Seek)) return -1;
    return m_inner->Seek(offset, whence);
  }
  int64_t Tell() override { return m_inner->Tell(); }
  bool Eof() const override { return m_inner->Eof(); }
  bool Error() const override { return m_error || m_inner->Error(); }
  int Flush() override {
    if (m_fs.Hit(FsOp::Flush)) {
      m_error = true;
      return -1;
    }
    return m_inner->Flush();
  }
  int Close() override {
    bool fail = m_fs.Hit(FsOp::Close);
    int err = errno;
    int rc = m_inner->Close();
    if (!fail) return rc;
    errno = err;
    return -1;
  }

 private:
  size_t Broken() {
    m_error = true;
    return 0;
  }

  CFaultFileSystem& m_fs;
  std::unique_ptr<IFile> m_inner;
  bool m_error = false;
};

}  // namespace

const char* FsOpName(FsOp op) {
  static const char* const kNames[] = {"Open",    "Read",   "Write",   "Flush",  "Close",     "Seek", "Stat",
                                       "GetAttr", "SetAttr", "SetTime", "Remove", "FindFirst", "Any"};
  int i = static_cast<int>(op);
  return i >= 0 && i < static_cast<int>(FsOp::kCount) ? kNames[i] : "?";
}

CFaultFileSystem::CFaultFileSystem(IFileSystem& inner) : m_inner(inner) {}

void CFaultFileSystem::FailAt(FsOp op, unsigned nth, int err, bool persistent) {
  m_op = op;
  m_target = nth ? Calls(op) + nth : 0;
  m_err = err;
  m_persistent = persistent;
  m_fired = false;
}

void CFaultFileSystem::ClearFaults() { m_target = 0; }

unsigned CFaultFileSystem::Calls(FsOp op) const {
  int i = static_cast<int>(op);
  return i >= 0 && i < static_cast<int>(FsOp::kCount) ? m_calls[i] : 0;
}

void CFaultFileSystem::ResetCounts() {
  // A pending plan keeps its distance from the present count.
  unsigned pending = m_target ? m_target - Calls(m_op) : 0;
  for (unsigned& c : m_calls) c = 0;
  if (m_target) m_target = pending;
}

bool CFaultFileSystem::Hit(FsOp op) {
  ++m_calls[static_cast<int>(op)];
  ++m_calls[static_cast<int>(FsOp::Any)];
  if (!m_target || (m_op != op && m_op != FsOp::Any)) return false;
  unsigned count = Calls(m_op);
  if (count == m_target || (m_persistent && count > m_target)) {
    m_fired = true;
    errno = m_err;
    return true;
  }
  return false;
}

std::unique_ptr<IFile> CFaultFileSystem::Open(const char* path, const char* mode) {
  if (Hit(FsOp::Open)) return nullptr;
  std::unique_ptr<IFile> inner = m_inner.Open(path, mode);
  if (!inner) return nullptr;
  return std::make_unique<CFaultFile>(*this, std::move(inner));
}

int CFaultFileSystem::Stat(const char* path, FileStat& st) {
  if (Hit(FsOp::Stat)) return -1;
  return m_inner.Stat(path, st);
}

uint32_t CFaultFileSystem::GetAttributes(const char* path) {
  if (Hit(FsOp::GetAttr)) return kAttrInvalid;
  return m_inner.GetAttributes(path);
}

bool CFaultFileSystem::SetAttributes(const char* path, uint32_t attributes) {
  if (Hit(FsOp::SetAttr)) return false;
  return m_inner.SetAttributes(path, attributes);
}

int CFaultFileSystem::SetTime(const char* path, time_t t) {
  if (Hit(FsOp::SetTime)) return -1;
  return m_inner.SetTime(path, t);
}

int CFaultFileSystem::Remove(const char* path) {
  if (Hit(FsOp::Remove)) return -1;
  return m_inner.Remove(path);
}

std::unique_ptr<IFind> CFaultFileSystem::FindFirst(const char* pattern, FindEntry& first) {
  if (Hit(FsOp::FindFirst)) return nullptr;
  return m_inner.FindFirst(pattern, first);
}
