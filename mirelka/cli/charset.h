// Character sets at the console's edge: the core works in CP949 bytes.
#ifndef MIRELKA_MIRELKA_CLI_CHARSET_H
#define MIRELKA_MIRELKA_CLI_CHARSET_H

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

// For messages only: CP949 to UTF-8, with '?' for what does not convert.
std::string Cp949ToUtf8Lossy(const std::string& in);

#endif
