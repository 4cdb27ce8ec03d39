#include "common/stdio_file.h"

#include <cerrno>
#include <cstring>
#include <string>

namespace {

// Large enough that one-byte reads rarely reach the system, small enough to
// keep many files open; block transfers of this size or more bypass it.
const size_t kStreamBuffer = 64 * 1024;

int Seek64(FILE* fp, int64_t offset, int whence) {
#ifdef _WIN32
  return _fseeki64(fp, offset, whence);
#else
  return fseeko(fp, static_cast<off_t>(offset), whence);
#endif
}

int64_t Tell64(FILE* fp) {
#ifdef _WIN32
  return _ftelli64(fp);
#else
  return static_cast<int64_t>(ftello(fp));
#endif
}

class CStdioFile : public IFile {
 public:
  CStdioFile(FILE* fp, bool writable) : m_fp(fp), m_writable(writable) {}
  ~CStdioFile() override {
    if (m_fp) fclose(m_fp);
  }

  size_t Read(void* buf, size_t n) override {
    if (!m_fp) return Closed();
    size_t done = fread(buf, 1, n, m_fp);
    if (done < n && feof(m_fp)) m_eof = true;
    return done;
  }
  size_t Write(const void* buf, size_t n) override {
    if (!m_fp) return Closed();
    errno = 0;
    size_t done = fwrite(buf, 1, n, m_fp);
    if (done < n && !m_writeErr) m_writeErr = errno ? errno : EIO;
    return done;
  }
  int Seek(int64_t offset, int whence) override {
    if (!m_fp) return static_cast<int>(Closed()) - 1;
    if (Seek64(m_fp, offset, whence) != 0) return -1;
    // Kept apart from the stream's own flag: not every runtime's 64-bit seek
    // clears it.
    m_eof = false;
    return 0;
  }
  int64_t Tell() override {
    if (!m_fp) return static_cast<int64_t>(Closed()) - 1;
    return Tell64(m_fp);
  }
  bool Eof() const override { return m_eof; }
  bool Error() const override { return !m_fp || ferror(m_fp) != 0; }
  int Flush() override {
    if (!m_fp) return static_cast<int>(Closed()) - 1;
    return fflush(m_fp) == 0 ? 0 : -1;
  }
  int Close() override {
    if (!m_fp) return static_cast<int>(Closed()) - 1;
    // fclose flushes too, but an explicit flush keeps its errno (ENOSPC)
    // instead of whatever the close itself may leave behind.
    int rc = 0;
    int err = 0;
    errno = 0;
    if (fflush(m_fp) != 0) {
      rc = -1;
      err = errno ? errno : EIO;
    } else if (m_writable && (ferror(m_fp) || m_writeErr)) {
      // An earlier write already lost bytes.
      rc = -1;
      err = m_writeErr ? m_writeErr : EIO;
    }
    if (fclose(m_fp) != 0 && rc == 0) {
      rc = -1;
      err = errno ? errno : EIO;
    }
    m_fp = nullptr;
    if (rc != 0) errno = err;
    return rc;
  }

 private:
  size_t Closed() {
    errno = EBADF;
    return 0;
  }

  FILE* m_fp;
  bool m_writable;
  int m_writeErr = 0;  // errno of the first short write
  bool m_eof = false;
};

}  // namespace

bool ModeWrites(const char* mode) {
  return mode && (std::strchr(mode, 'w') || std::strchr(mode, 'a') || std::strchr(mode, '+'));
}

std::unique_ptr<IFile> OpenStdioFile(const char* path, const char* mode) {
  if (!path || !mode || !*mode) {
    errno = EINVAL;
    return nullptr;
  }
  std::string m(mode);
  if (m.find('b') == std::string::npos) m += 'b';
  FILE* fp = fopen(path, m.c_str());
  if (!fp) return nullptr;
  setvbuf(fp, nullptr, _IOFBF, kStreamBuffer);
  return std::make_unique<CStdioFile>(fp, ModeWrites(mode));
}
