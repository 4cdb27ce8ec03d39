// CTSSubHeadRead: reads and checks a .tsl header, leaving the stream at the
// first payload byte. The password is checked before any later field is
// read; every field read is bounded, whatever the file holds.
#ifndef MIRELKA_FILECIPHER_HEAD_READ_H
#define MIRELKA_FILECIPHER_HEAD_READ_H

#include <cstdint>

#include "common/filesystem.h"
#include "filecipher/reporter.h"
#include "filecipher/tsl_format.h"

class CTSSubHeadRead {
 public:
  CTSSubHeadRead(IFile& in, const char* inPath, const CMyMessage& message);

  // 0 on success with every field in header; otherwise the answer to the
  // report of the first problem (-1, -3 or 4 for Retry).
  JobResult ReadFileHeader(const char* keyText, TslHeader& header);
  // Compares the stored code (header bytes 2, 4, ... 40) with the code of
  // keyText; 0 on a match, else the answer to the wrong-password question.
  JobResult CheckPassword(const char* keyText, const unsigned char header[42]);

 private:
  IFile& m_infp;
  const char* m_inPath;
  CMyMessage m_message;
};

// A byte source for ScanHex.
class IByteSource {
 public:
  virtual ~IByteSource() = default;
  // The next byte (0..255), or -1 at the end or on an error.
  virtual int Next() = 0;
  // Gives the byte just read back; called at most once after a Next.
  virtual void Unread() = 0;
};

// A "%0<width>x" conversion as fscanf does it: leading white space is
// skipped (not counted in width), then at most width characters are taken:
// an optional sign, an optional 0x or 0X, hex digits. "0x" with no digit
// after it reads as 0. A minus sign negates modulo 2^32. The first byte
// that does not belong is given back.
// Returns 1 with value set when a number was converted, 0 when the input
// holds none. eofHit tells whether the source ran dry during the scan.
int ScanHex(IByteSource& src, int width, uint32_t& value, bool& eofHit);

#endif
