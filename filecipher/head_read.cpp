#include "filecipher/head_read.h"

#include <cerrno>
#include <cstdio>
#include <cstring>

#include "filecipher/verify_code.h"

namespace {

// Single-byte reads from the stream with one byte of push-back, which the
// next field's read takes up; so the stream ends exactly behind the header.
class CHeaderSource : public IByteSource {
 public:
  explicit CHeaderSource(IFile& in) : m_in(in) {}
  int Next() override {
    if (m_pushed >= 0) {
      int c = m_pushed;
      m_pushed = -1;
      return c;
    }
    unsigned char b;
    if (m_in.Read(&b, 1) != 1) return -1;
    m_last = b;
    return b;
  }
  void Unread() override { m_pushed = m_last; }
  bool Failed() const { return m_in.Error(); }

 private:
  IFile& m_in;
  int m_pushed = -1;
  int m_last = -1;
};

const char kTagGetc[] = "CTSSubHeadRead::ReadFileHeader, getc(m_infp), ";

}  // namespace

CTSSubHeadRead::CTSSubHeadRead(IFile& in, const char* inPath, const CMyMessage& message)
    : m_infp(in), m_inPath(inPath), m_message(message) {}

JobResult CTSSubHeadRead::ReadFileHeader(const char* keyText, TslHeader& header) {
  header = TslHeader();
  CHeaderSource src(m_infp);

  // A field that ends early: a read error is reported as such, the end of
  // the file with the field's own tag and text. The end of a file is no
  // system error, so a stale errno must not be shown with it.
  auto cut = [&](int number, const char* message) {
    if (src.Failed())
      return m_message.Report("에러", "CTSSubHeadRead::ReadFileHeader, getc(m_infp) or fscanf(), 12",
                              "<원본파일> 읽기에 실패했습니다.", m_inPath,
                              kReportAbortRetryIgnore);
    errno = 0;
    char tag[sizeof kTagGetc + 12];
    std::snprintf(tag, sizeof tag, "%s%d", kTagGetc, number);
    return m_message.Report("에러", tag, message, m_inPath, kReportAbortRetryIgnore);
  };

  unsigned char head[kTslFixedLen];
  const char kNotEncrypted[] = "암호화된 파일이 아닙니다.";
  for (int i = 0; i < 2; ++i) {
    int c = src.Next();
    if (c < 0) return cut(i, kNotEncrypted);
    head[i] = static_cast<unsigned char>(c);
  }
  if (head[0] != kTslSig0 || head[1] != kTslSig1)
    return m_message.Report("에러", "CTrisels::ReadFileHeader, , 2", kNotEncrypted, m_inPath,
                            kReportAbortRetryIgnore);

  for (int i = 2; i < 2 + 2 * kVerifyCodeLen; ++i) {
    int c = src.Next();
    if (c < 0) return cut(6, "헤더에서 <암호검증코드>를 읽을 수 없습니다.");
    head[i] = static_cast<unsigned char>(c);
  }
  if (JobResult rc = CheckPassword(keyText, head)) return rc;

  for (int i = 0; i < 14; ++i) {
    int c = src.Next();
    if (c < 0) return cut(7, "헤더에서 <수정날짜>를 읽을 수 없습니다.");
    header.szModifyTime[i] = static_cast<char>(c);
  }
  header.szModifyTime[14] = 0;

  // The two numbers, read the way fscanf's %02x and %04x take them. Text
  // that holds no number is refused like a cut field.
  bool eof = false;
  if (ScanHex(src, 2, header.dwAttr, eof) != 1 || eof)
    return cut(8, "헤더에서 <Attribute>를 읽을 수 없습니다.");
  if (ScanHex(src, 4, header.umode, eof) != 1 || eof)
    return cut(9, "헤더에서 <Chmod>를 읽을 수 없습니다.");

  // Zero-terminated texts; one longer than its buffer is refused, never cut.
  auto text = [&](char* out, size_t max) {
    for (size_t n = 0;; ++n) {
      int c = src.Next();
      if (c < 0) return false;
      if (n == max && c != 0) return false;
      out[n] = static_cast<char>(c);
      if (c == 0) return true;
    }
  };
  if (!text(header.szChown, kTslChownMax)) return cut(10, "헤더에서 <Chown>을 읽을 수 없습니다.");
  if (!text(header.szOriginalFname, kTslNameMax))
    return cut(11, "헤더에서 <해독파일명>을 읽을 수 없습니다.");
  return kResultDone;
}

JobResult CTSSubHeadRead::CheckPassword(const char* keyText, const unsigned char header[42]) {
  unsigned char code[kVerifyCodeLen + 1];
  MakeVerifyCode(keyText, code);
  bool same = true;
  for (int i = 0; i < kVerifyCodeLen; ++i)
    if (header[2 + 2 * i] != code[i]) same = false;
  if (same) return kResultDone;
  return m_message.Report("에러", "CTSSubHeadRead::CheckPassword, strcmp(), 0",
                          "틀린 <암호>를 입력했습니다.", m_inPath, kReportStopJob);
}
