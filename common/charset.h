// Character sets at the console's edge: the core works in CP949 bytes.
#ifndef MIRELKA_COMMON_CHARSET_H
#define MIRELKA_COMMON_CHARSET_H

#include <cstddef>
#include <string>

enum class Charset {
  Cp949,
  Utf8,
  Terminal,  // the terminal's (locale's or console's) character set
};

// Converts all of `in` or nothing. On failure `badOffset` (when given) is the
// offset in `in` of the first byte sequence that has no form in `to`, or is
// not valid in `from`.
bool ConvertText(Charset from, Charset to, const std::string& in, std::string& out,
                 size_t* badOffset = nullptr);

// CP949 to UTF-8 a character at a time, for texts that must be shown
// whatever they hold: a character with no UTF-8 form becomes `replacement`,
// or stays as its own bytes when `replacement` is null (a file name kept in
// its native bytes then shows as it is on disk).
std::string Cp949ToUtf8Piecewise(const std::string& in, const char* replacement);
// For messages: '?' for what does not convert.
inline std::string Cp949ToUtf8Lossy(const std::string& in) { return Cp949ToUtf8Piecewise(in, "?"); }

#endif
