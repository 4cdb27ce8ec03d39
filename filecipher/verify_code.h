// The 20-byte password verification code stored in every .tsl header.
#ifndef MIRELKA_FILECIPHER_VERIFY_CODE_H
#define MIRELKA_FILECIPHER_VERIFY_CODE_H

enum { kVerifyCodeLen = 20 };

// The fixed salt the code is made with.
extern const char kVerifySalt[kVerifyCodeLen + 1];

// Writes the code of keyText (zero-terminated, at least one byte) into
// code[0..19] and a zero into code[20]. A key shorter than 20 bytes is
// repeated, a longer one sampled at 20 evenly spread positions. A code byte
// can be zero. Always returns 0.
int MakeVerifyCode(const char* keyText, unsigned char code[kVerifyCodeLen + 1]);

#endif
