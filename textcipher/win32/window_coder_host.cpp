#include "textcipher/win32/window_coder_host.h"

#include "common/win32/window.h"

uint32_t CWindowCoderHost::SourceLength() {
  int n = GetWindowTextLengthA(m_source);
  return n > 0 ? static_cast<uint32_t>(n) : 0;
}

uint32_t CWindowCoderHost::ReadSource(char* buf, uint32_t size) {
  if (size == 0) return 0;
  int n = GetWindowTextA(m_source, buf, static_cast<int>(size));
  if (n < 0) n = 0;
  buf[n] = 0;
  return static_cast<uint32_t>(n);
}

void CWindowCoderHost::WriteResult(const char* text, uint32_t) {
  // An edit control holds zero-terminated text; a zero byte inside (only ever
  // copied from the source, never made by the cipher) ends it there as well.
  SetWindowTextA(m_result, text);
}

bool CWindowCoderHost::AskYesNo(const char* text) {
  return WarningBox(m_main, text, MB_YESNO) == IDYES;
}

void CWindowCoderHost::SendFindCommand() {
  SendMessageA(m_main, WM_COMMAND, MAKEWPARAM(m_findCommand, 0), 1);
}
