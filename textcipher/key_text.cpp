#include "textcipher/key_text.h"

#include <cstring>

void ReverseString(char* s) {
  size_t n = std::strlen(s);
  if (n < 2) return;
  for (size_t a = 0, b = n - 1; a < b; ++a, --b) {
    char t = s[a];
    s[a] = s[b];
    s[b] = t;
  }
}

void MakePasswordText(const char* password, CMyString& out) {
  // Reversed on a copy: the caller's buffer stays as typed, so a job that
  // builds its key text twice from one buffer gets the same text both times.
  CMyString reversed(password);
  ReverseString(reversed.GetBuffer());
  int32_t length = static_cast<int32_t>(reversed.GetLength());
  out = reversed;
  out += length;
}

void MixKeyBlock(CMyString& block, const char* passwordText) {
  size_t l = std::strlen(passwordText);
  if (l == 0) return;
  char* b = block.GetBuffer();
  uint32_t n = block.GetLength();
  for (uint32_t i = 0; i < n; ++i) {
    char c = static_cast<char>(b[i] ^ passwordText[i % l]);
    b[i] = c ? c : 'P';
  }
}

int MakeKeyText(const char* password, const char* keyFilePath, IFileSystem& fs,
                IKeyFileView& view, CMyString& keyText) {
  CMyString passwordText;
  MakePasswordText(password, passwordText);
  if (!keyFilePath || !*keyFilePath) {
    keyText = passwordText;
    return kKeyOk;
  }
  CMyString block;
  char* buffer = block.AllocBuffer(kKeyBlockSize);
  int rc = ReadCommonKeyFile(fs, keyFilePath, buffer, view);
  view.Finish();
  if (rc != kKeyOk) return rc;
  MixKeyBlock(block, passwordText.GetBuffer());
  keyText = block;
  return kKeyOk;
}
