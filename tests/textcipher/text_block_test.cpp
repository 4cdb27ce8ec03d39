#include <gtest/gtest.h>

#include "textcipher/text_coder.h"

namespace {

const std::string D = "\x7F";

std::string Transform(const std::string& text, const std::string& key, int flags) {
  std::string out(text.size() + 3, '\x55');
  uint32_t n = TransformTextBlock(text.data(), static_cast<uint32_t>(text.size()), key.c_str(), flags, &out[0]);
  EXPECT_EQ(0, out[n]);
  return out.substr(0, n);
}

}  // namespace

TEST(TextBlock, KnownAnswers) {
  const struct { std::string in, key; int flags; std::string out; } cases[] = {
      // key '~' (0x7E): masks 1E / 3E / 0E / 06; key 'A' (0x41): every mask 01.
      // 'A' would become 0x7F: refused, and '0' gets the same key byte '~'.
      // 가 would get trail 0xA0 with 'A': refused. 나 takes 'A', 'z' takes '~'.
      {"A0 (\xB0\xA1)\r\n\xB3\xAA" "z", "~A", kCodingEncrypt, D + "A. (\xB0\xA1)\r\n\xB2\xAB" "D" + D},
      // Leads C7, C8 and an extended syllable with lead B0 change; Hanja (CA),
      // leads below B0 and brackets do not.
      {"\xC7\xA1\xC8\xA1\xCA\xA1\x81\x41\xB0\x41![", "~", kCodingEncrypt, D + "\xC1\xBF\xC8\xBF\xCA\xA1\x81\x41\xBE\x5F?[" + D},
      // Outside the delimiters bytes are copied one by one (a lead there
      // does not take the delimiter as its trail).
      {"\xB0" + D + "\xC1\xBF _/" + D + "\xB0\xA1", "~", kCodingDecrypt, "\xB0" + D + "\xC7\xA1 a1" + D + "\xB0\xA1"},
      // A lead with nothing after it stays alone, also before the closing
      // delimiter when decrypting.
      {"a\xB0", "~", kCodingEncrypt, D + "_\xB0" + D},
      {D + "_\xB0" + D + "a", "~", kCodingDecrypt, D + "a\xB0" + D + "a"},
      // 0x61 ^ 0x1E is 0x7F and 0x1E ^ 0x1E is 0: refused, so the 'a' after
      // gets the same key byte. A trail that is 0 or 0x7F already stays.
      {"\xB0\x61" "a", "~", kCodingEncrypt, D + "\xB0\x61_" + D},
      {"\xB0\x1E" "a", "~", kCodingEncrypt, D + std::string("\xB0\x1E_", 3) + D},
      {std::string("\xC0\x00" "a", 3), "~", kCodingEncrypt, D + std::string("\xC0\x00_", 3) + D},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(c.out, Transform(c.in, c.key, c.flags)) << c.in;
    if (c.flags == kCodingEncrypt) {
      EXPECT_EQ(D + c.in + D, Transform(c.out, c.key, kCodingDecrypt)) << c.in;
    }
  }
}

