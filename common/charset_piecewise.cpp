#include "common/charset.h"

std::string Cp949ToUtf8Piecewise(const std::string& in, const char* replacement) {
  std::string out;
  if (ConvertText(Charset::Cp949, Charset::Utf8, in, out)) return out;
  out.clear();
  for (size_t i = 0; i < in.size();) {
    size_t n = static_cast<unsigned char>(in[i]) >= 0x80 && i + 1 < in.size() ? 2 : 1;
    std::string piece;
    if (ConvertText(Charset::Cp949, Charset::Utf8, in.substr(i, n), piece)) {
      out += piece;
      i += n;
    } else {
      out += replacement ? replacement : in.substr(i, 1);
      ++i;
    }
  }
  return out;
}
