#include "console/terminal.h"

#include "common/charset.h"

namespace console {
namespace {

bool IsAscii(const std::string& s) {
  for (unsigned char c : s)
    if (c >= 0x80) return false;
  return true;
}

// The length of the UTF-8 sequence at s[i], 0 when there is none.
size_t Utf8Length(const std::string& s, size_t i) {
  unsigned char c = static_cast<unsigned char>(s[i]);
  size_t n = c < 0x80 ? 1 : (c >> 5) == 6 ? 2 : (c >> 4) == 14 ? 3 : (c >> 3) == 30 ? 4 : 0;
  if (n == 0 || i + n > s.size()) return 0;
  for (size_t k = 1; k < n; ++k)
    if ((static_cast<unsigned char>(s[i + k]) & 0xC0) != 0x80) return 0;
  return n;
}

}  // namespace

std::string ShownText(const std::string& cp949) {
  if (IsAscii(cp949)) return cp949;
  // A name kept in its native bytes (UTF-8 that is no CP949) shows as it is;
  // what is neither becomes '?', so the output stays UTF-8.
  std::string mixed = Cp949ToUtf8Piecewise(cp949, nullptr), out;
  for (size_t i = 0; i < mixed.size();) {
    size_t n = Utf8Length(mixed, i);
    out += n ? mixed.substr(i, n) : "?";
    i += n ? n : 1;
  }
  return out;
}

bool TypedToCp949(const std::string& typed, std::string& cp949) {
  if (IsAscii(typed)) {
    cp949 = typed;
    return true;
  }
  return ConvertText(Charset::Terminal, Charset::Cp949, typed, cp949);
}

}  // namespace console
