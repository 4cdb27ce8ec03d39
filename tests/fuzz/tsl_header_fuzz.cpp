// Fuzz target: any bytes as a .tsl file, through the header reader alone and
// through a whole decryption on an in-memory disk. Nothing may crash, hang,
// overrun or leak, and a refused file must leave no result behind.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>

#include "common/log.h"
#include "filecipher/head_read.h"
#include "filecipher/trisels.h"
#include "filecipher/verify_code.h"
#include "support/memory_fs.h"
#include "trisel/report_ui.h"

namespace {

const char kKey[] = "drowssap8";

// Read-only bytes as an IFile.
class CBytesFile : public IFile {
 public:
  CBytesFile(const uint8_t* data, size_t size) : m_data(data), m_size(size) {}
  size_t Read(void* buf, size_t n) override {
    size_t left = m_size - m_at;
    if (n > left) {
      n = left;
      m_eof = true;
    }
    std::memcpy(buf, m_data + m_at, n);
    m_at += n;
    return n;
  }
  size_t Write(const void*, size_t) override { return 0; }
  int Seek(int64_t, int) override { return -1; }
  int64_t Tell() override { return static_cast<int64_t>(m_at); }
  bool Eof() const override { return m_eof; }
  bool Error() const override { return false; }
  int Flush() override { return 0; }
  int Close() override { return 0; }

 private:
  const uint8_t* m_data;
  size_t m_size;
  size_t m_at = 0;
  bool m_eof = false;
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  static unsigned runs = 0;
  if (runs++ == 0) {
    const char* dir = std::getenv("FUZZ_LOG_BASE");
    SetLogBasePath(dir ? dir : "/tmp/tsl_header_fuzz");
    SetDebugLogEnabled(true);
  }
  if (runs % 4096 == 0) CloseLogs();  // the next write starts the logs afresh

  // An odd first byte puts the right verification code in place, so that
  // half of the inputs get past the password to the later fields.
  std::string bytes(reinterpret_cast<const char*>(data), size);
  if (size > 42 && (data[0] & 1)) {
    unsigned char code[kVerifyCodeLen + 1];
    MakeVerifyCode(kKey, code);
    for (int i = 0; i < kVerifyCodeLen; ++i) bytes[2 + 2 * i] = static_cast<char>(code[i]);
    bytes[0] = 0x0E;
    bytes[1] = 0x14;
  }

  CNullReportUI ui;
  JobState job;
  {
    CBytesFile in(reinterpret_cast<const uint8_t*>(bytes.data()), bytes.size());
    CMyMessage message(ui, job);
    CTSSubHeadRead reader(in, "C:\\f\\x.tsl", message);
    TslHeader header;
    int rc = reader.ReadFileHeader(kKey, header);
    if (rc != 0 && rc != -3 && rc != -1) std::abort();
    if (rc == 0) {
      if (std::strlen(header.szOriginalFname) > kTslNameMax) std::abort();
      if (std::strlen(header.szChown) > kTslChownMax) std::abort();
      if (std::strlen(header.szModifyTime) > 14) std::abort();
    }
  }

  CMemoryFileSystem fs;
  fs.AddFile("C:\\f\\x.tsl", bytes);
  CNullTriselView view;
  CTrisels coder(fs, ui, view, job);
  JobCounters counters;
  OverwriteAll overwrite;
  int rc = coder.Trisel("C:\\f\\x.tsl", kKey, 0, kModeDecrypt, 0, counters, &overwrite, &job.cancel);
  if (rc == 0) {
    if (!fs.Exists("C:\\f\\x") || counters.ok != 1) std::abort();
  } else {
    if (fs.Exists("C:\\f\\x") || counters.err != 1) std::abort();
  }
  if (fs.Contents("C:\\f\\x.tsl") != bytes || fs.OpenFiles() != 0) std::abort();
  return 0;
}
