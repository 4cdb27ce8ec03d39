#include "common/charset.h"

#include <iconv.h>
#include <langinfo.h>

#include <cstring>

namespace {

const char* IconvName(Charset cs) {
  switch (cs) {
    case Charset::Cp949: return "CP949";
    case Charset::Utf8: return "UTF-8";
    case Charset::Terminal: break;
  }
  // The locale's character set (main has called setlocale for LC_CTYPE). The
  // bare C locale names ASCII; a terminal today sends UTF-8 all the same.
  const char* name = nl_langinfo(CODESET);
  if (!name || !*name || std::strcmp(name, "ANSI_X3.4-1968") == 0) return "UTF-8";
  return name;
}

}  // namespace

bool ConvertText(Charset from, Charset to, const std::string& in, std::string& out, size_t* badOffset) {
  if (badOffset) *badOffset = std::string::npos;
  iconv_t cd = iconv_open(IconvName(to), IconvName(from));
  if (cd == reinterpret_cast<iconv_t>(-1)) return false;
  std::string result(in.size() * 4 + 16, '\0');
  char* src = const_cast<char*>(in.data());
  size_t srcLeft = in.size();
  char* dst = &result[0];
  size_t dstLeft = result.size();
  bool ok = iconv(cd, &src, &srcLeft, &dst, &dstLeft) != static_cast<size_t>(-1) && srcLeft == 0 &&
            iconv(cd, nullptr, nullptr, &dst, &dstLeft) != static_cast<size_t>(-1);
  iconv_close(cd);
  if (!ok) {
    if (badOffset) *badOffset = static_cast<size_t>(src - in.data());
    return false;
  }
  result.resize(result.size() - dstLeft);
  out.swap(result);
  return true;
}
