#include "mirelka/cli/charset.h"

std::string Cp949ToUtf8Lossy(const std::string& in) {
  std::string out;
  if (ConvertText(Charset::Cp949, Charset::Utf8, in, out)) return out;
  // Convert piece by piece: a character at a time, '?' where one fails.
  out.clear();
  for (size_t i = 0; i < in.size();) {
    size_t n = static_cast<unsigned char>(in[i]) >= 0x80 && i + 1 < in.size() ? 2 : 1;
    std::string piece;
    if (ConvertText(Charset::Cp949, Charset::Utf8, in.substr(i, n), piece)) {
      out += piece;
      i += n;
    } else {
      out += '?';
      ++i;
    }
  }
  return out;
}
