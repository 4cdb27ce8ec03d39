#include "filecipher/verify_code.h"

#include <cstring>

const char kVerifySalt[kVerifyCodeLen + 1] = "zuvnbtwyglmapxerhocs";

int MakeVerifyCode(const char* keyText, unsigned char code[kVerifyCodeLen + 1]) {
  size_t len = std::strlen(keyText);
  if (len == 0) len = 1;  // the terminator then stands for the key
  for (int i = 0; i < kVerifyCodeLen; ++i) {
    size_t j = len < kVerifyCodeLen ? i % len : i * len / kVerifyCodeLen;
    code[i] = static_cast<unsigned char>(keyText[j]) ^ static_cast<unsigned char>(kVerifySalt[i]);
  }
  code[kVerifyCodeLen] = 0;
  return 0;
}
