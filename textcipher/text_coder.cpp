#include "textcipher/text_coder.h"

#include "textcipher/key_text.h"

void WrongDelimiterText(uint32_t count, CMyString& out) {
  const char delimiter[2] = {static_cast<char>(kBlockDelimiter), 0};
  out = "잘못된 영역을 선택했습니다.\n\n암호화된 영역을 구분하는 문자인, '";
  out += delimiter;
  out += "'는,\n시작, 끝 위치에, 총 ( 2 ) 개가 있어야 합니다.\n\n현재 선택한 영역에서는 총 ( ";
  out += static_cast<int32_t>(count);
  out += " ) 개가 발견됐습니다.\n\n";
  out += "───────────────────\n '";
  out += delimiter;
  out += "' 문자를 선택한 영역에서 찾겠습니까?\n───────────────────";
}

CTextCoder::CTextCoder(IFileSystem& fs, IKeyFileView& keyView) : m_fs(fs), m_keyView(keyView) {}

int CTextCoder::Coding(ITextCoderHost& host, const char* password, const char* keyFilePath) {
  uint32_t length = host.SourceLength();
  if (length == 0) return kCodingNothing;
  char* buffer = m_strSource.AllocBuffer(length);
  uint32_t got = host.ReadSource(buffer, length + 1);
  if (got > length) got = length;
  // The text may have shrunk since its length was taken; keep what was read.
  if (got == 0) return kCodingNothing;
  if (got < length) m_strSource.AssignLeft(m_strSource, got);
  length = got;
  m_strResult.AllocBuffer(length + 2);

  CMyString keyText;
  int rc = MakeKeyText(password, keyFilePath, m_fs, m_keyView, keyText);
  if (rc != kKeyOk) return rc == kKeyCancelled ? kCodingCancelled : kCodingNothing;

  uint32_t delimiters = CountDelimiters(m_strSource.GetBuffer(), length);
  if (delimiters == 0) return RunCoding(host, keyText.GetBuffer(), kCodingEncrypt);
  if (delimiters == 2) {
    RunCoding(host, keyText.GetBuffer(), kCodingDecrypt);
    return kCodingDone;
  }
  CMyString question;
  WrongDelimiterText(delimiters, question);
  if (host.AskYesNo(question.GetBuffer())) {
    host.SendFindCommand();
    return kCodingFindAsked;
  }
  return kCodingNothing;
}

int CTextCoder::RunCoding(ITextCoderHost& host, const char* keyText, int flags) {
  uint32_t n = m_strSource.GetLength();
  // Room for the two delimiters and the terminator, allocated once.
  if (m_strResult.GetLength() != n + 2) m_strResult.AllocBuffer(n + 2);
  uint32_t length = TransformTextBlock(m_strSource.GetBuffer(), n, keyText, flags, m_strResult.GetBuffer());
  if (length < m_strResult.GetLength()) m_strResult.AssignLeft(m_strResult, length);
  host.WriteResult(m_strResult.GetBuffer(), m_strResult.GetLength());
  return 0;
}
