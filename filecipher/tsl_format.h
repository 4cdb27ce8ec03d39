// Layout of an encrypted (.tsl) file:
//
//   0    2   signature 0x0E 0x14
//   2   40   verification code, each byte followed by a filler byte 1..20
//   42  14   modify time, local, "YYYYMMDDhhmmss"
//   56   2   attributes, low 8 bits, "%02x"
//   58   4   mode, "%04x" (always 81a4)
//   62       owner text, zero-terminated (always "win:win:1:1")
//   ...      file name and extension, zero-terminated
//   ...      payload, coded by CTrisels::RunCoding
#ifndef MIRELKA_FILECIPHER_TSL_FORMAT_H
#define MIRELKA_FILECIPHER_TSL_FORMAT_H

#include <cstdint>

enum : int {
  kTslSig0 = 0x0E,
  kTslSig1 = 0x14,
  kTslFixedLen = 62,   // signature to mode
  kTslMode = 0x81A4,
  kTslNameMax = 259,   // longest stored file name we accept
  kTslChownMax = 511,  // longest owner text we accept
};

extern const char kTslChown[];  // "win:win:1:1"

// The header fields a decryption hands back.
struct TslHeader {
  char szOriginalFname[kTslNameMax + 1] = {};
  char szModifyTime[15] = {};
  uint32_t dwAttr = 0;
  uint32_t umode = 0;
  char szChown[kTslChownMax + 1] = {};
};

#endif
