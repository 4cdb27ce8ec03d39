#include <cstdint>

#include "filecipher/head_read.h"

namespace {

bool IsBlank(int c) { return c == ' ' || (c >= '\t' && c <= '\r'); }

int HexValue(int c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

const int kNotRead = -2;

}  // namespace

int ScanHex(IByteSource& src, int width, uint32_t& value, bool& eofHit) {
  eofHit = false;
  int c = src.Next();
  while (c >= 0 && IsBlank(c)) c = src.Next();
  if (c < 0) {
    eofHit = true;
    return 0;
  }
  // c is read but not yet taken; width counts what is taken.
  int w = width;
  auto take = [&]() {
    --w;
    c = w > 0 ? src.Next() : kNotRead;
  };
  bool negative = false;
  bool digits = false;
  uint32_t v = 0;
  if (c == '+' || c == '-') {
    negative = c == '-';
    take();
  }
  if (w > 0 && c == '0') {
    digits = true;
    take();
    if (w > 0 && (c == 'x' || c == 'X')) take();
  }
  while (w > 0 && HexValue(c) >= 0) {
    v = v * 16 + static_cast<uint32_t>(HexValue(c));
    digits = true;
    take();
  }
  if (c >= 0) src.Unread();
  if (c == -1) eofHit = true;
  if (!digits) return 0;
  value = negative ? 0u - v : v;
  return 1;
}
