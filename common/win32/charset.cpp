#include "common/charset.h"

#include <windows.h>

#include <vector>

namespace {

UINT CodePage(Charset cs) {
  switch (cs) {
    case Charset::Cp949: return 949;
    case Charset::Utf8: return CP_UTF8;
    case Charset::Terminal: break;
  }
  UINT cp = GetConsoleCP();
  return cp ? cp : GetACP();
}

}  // namespace

bool ConvertText(Charset from, Charset to, const std::string& in, std::string& out, size_t* badOffset) {
  if (badOffset) *badOffset = std::string::npos;
  if (in.empty()) {
    out.clear();
    return true;
  }
  UINT src = CodePage(from), dst = CodePage(to);
  int n = static_cast<int>(in.size());
  int wide = MultiByteToWideChar(src, MB_ERR_INVALID_CHARS, in.data(), n, nullptr, 0);
  if (wide <= 0) return false;
  std::vector<wchar_t> w(static_cast<size_t>(wide));
  MultiByteToWideChar(src, MB_ERR_INVALID_CHARS, in.data(), n, w.data(), wide);
  BOOL usedDefault = FALSE;
  BOOL* used = dst == CP_UTF8 ? nullptr : &usedDefault;
  DWORD flags = dst == CP_UTF8 ? 0 : WC_NO_BEST_FIT_CHARS;
  int bytes = WideCharToMultiByte(dst, flags, w.data(), wide, nullptr, 0, nullptr, used);
  if (bytes <= 0 || usedDefault) return false;
  std::string result(static_cast<size_t>(bytes), '\0');
  WideCharToMultiByte(dst, flags, w.data(), wide, &result[0], bytes, nullptr, used);
  if (usedDefault) return false;
  out.swap(result);
  return true;
}
