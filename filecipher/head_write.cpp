#include "filecipher/head_write.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <ctime>

#include "filecipher/local_time.h"
#include "filecipher/tsl_format.h"
#include "filecipher/verify_code.h"

const char kTslChown[] = "win:win:1:1";

unsigned char HeaderFillerByte(int64_t now, int i, unsigned char codeByte) {
  uint64_t x = static_cast<uint64_t>(now + i + static_cast<signed char>(codeByte));
  // splitmix64: one seed in, one well-mixed word out.
  x += 0x9E3779B97F4A7C15ull;
  x = (x ^ (x >> 30)) * 0xBF58476D1CE4E5B9ull;
  x = (x ^ (x >> 27)) * 0x94D049BB133111EBull;
  x ^= x >> 31;
  return static_cast<unsigned char>(x % 20 + 1);
}

CTSSubHeadWrite::CTSSubHeadWrite(IFileSystem& fs, IFile& out, const char* srcPath,
                                 const char* outPath, const CMyMessage& message)
    : m_fs(fs), m_outfp(out), m_srcPath(srcPath), m_outPath(outPath), m_message(message) {}

JobResult CTSSubHeadWrite::Put(const void* bytes, size_t n) {
  if (m_outfp.Write(bytes, n) == n && !m_outfp.Error()) return kResultDone;
  return m_message.Report("에러", "CTSSubHeadWrite::WriteFileHeader, ferror(m_outfp), 0",
                          "<결과파일> 쓰기에 실패했습니다.", m_outPath,
                          kReportAbortRetryIgnore);
}

JobResult CTSSubHeadWrite::WriteFileHeader(const char* keyText, JobCounters counters) {
  unsigned char head[2 + 2 * kVerifyCodeLen];
  head[0] = kTslSig0;
  head[1] = kTslSig1;
  unsigned char code[kVerifyCodeLen + 1];
  MakeVerifyCode(keyText, code);
  int64_t now = static_cast<int64_t>(std::time(nullptr));
  for (int i = 0; i < kVerifyCodeLen; ++i) {
    head[2 + 2 * i] = code[i];
    head[3 + 2 * i] = HeaderFillerByte(now, i, code[i]);
  }
  if (JobResult rc = Put(head, sizeof head)) return rc;

  char szModifyTime[15];
  if (JobResult rc = GetFileTime(m_srcPath, szModifyTime, counters)) return rc;
  if (JobResult rc = Put(szModifyTime, 14)) return rc;

  uint32_t dwAttr = 0;
  if (JobResult rc = GetAttribute(m_srcPath, dwAttr, counters)) return rc;
  char tail[2 + 4 + sizeof kTslChown];
  std::snprintf(tail, 7, "%02x%04x", static_cast<unsigned>(dwAttr & 0xFF),
                static_cast<unsigned>(kTslMode));
  std::memcpy(tail + 6, kTslChown, sizeof kTslChown);  // with its zero byte
  return Put(tail, sizeof tail);
}

JobResult CTSSubHeadWrite::GetFileTime(const char* path, char szModifyTime[15], JobCounters) {
  for (;;) {
    FileStat st;
    if (m_fs.Stat(path, st) == 0 && FormatModifyTime(st.mtime, szModifyTime)) return kResultDone;
    JobResult rc = m_message.Report("에러", "CTSSubHeadWrite::GetFileTime, stat(), 0",
                                    "파일 modify time 읽기에 실패했습니다.", path,
                                    kReportAbortRetryIgnore);
    if (rc != kResultRetry) return rc;
  }
}

JobResult CTSSubHeadWrite::GetAttribute(const char* path, uint32_t& dwAttr, JobCounters) {
  for (;;) {
    dwAttr = m_fs.GetAttributes(path);
    if (dwAttr != kAttrInvalid) return kResultDone;
    JobResult rc = m_message.Report("에러", "CTSSubHeadWrite::GetAttribute, GetFileAttributes(), 0",
                                    "파일 attribute 읽기에 실패했습니다.", path,
                                    kReportAbortRetryIgnore);
    if (rc != kResultRetry) return rc;
  }
}
