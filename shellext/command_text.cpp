#include "shellext/command_text.h"

const char kServerName[] = "TriselShell";
const char kEncryptItemText[] = "암호 - Trisel";
const char kDecryptItemText[] = "해독 - Trisel";

const char* CommandText(unsigned offset, unsigned type) {
  bool verb = type == kVerbA || type == kVerbW;
  bool help = type == kHelpTextA || type == kHelpTextW;
  if (!verb && !help) return nullptr;
  if (offset == 0) return verb ? "Operation1" : "Do something to the selected file(s)";
  if (offset == 1) return verb ? "Operation2" : "Do something else to the selected file(s)";
  return kServerName;
}

namespace {

template <typename Char>
void CopyTerminated(const char* text, Char* buf, uint32_t size) {
  if (!buf || size == 0) return;
  uint32_t i = 0;
  if (text) {
    for (; i + 1 < size && text[i]; ++i) buf[i] = static_cast<Char>(static_cast<unsigned char>(text[i]));
  }
  for (; i < size; ++i) buf[i] = 0;
}

}  // namespace

void CopyCommandText(const char* text, char* buf, uint32_t size) {
  CopyTerminated(text, buf, size);
}

void CopyCommandTextW(const char* text, char16_t* buf, uint32_t count) {
  CopyTerminated(text, buf, count);
}
