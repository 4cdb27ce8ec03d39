#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <random>
#include <string>

#include "textcipher/text_coder.h"

namespace {

const std::string D = "\x7F";

std::string Transform(const std::string& text, const std::string& key, int flags) {
  std::string out(text.size() + 3, '\x55');
  uint32_t n = TransformTextBlock(text.data(), static_cast<uint32_t>(text.size()), key.c_str(), flags, &out[0]);
  EXPECT_EQ(0, out[n]);
  return out.substr(0, n);
}
uint32_t Delimiters(const std::string& t) { return CountDelimiters(t.data(), static_cast<uint32_t>(t.size())); }

// Encryption by the first form of the rule: a lead byte always takes the
// next byte (even the terminator), and a trail may become anything but 0xA0
// or 0xFF.
std::string FirstRule(const std::string& text, const std::string& key) {
  auto fixed = [](unsigned c) { return c <= 0x20 || (c < 0x80 && std::strchr("()[]{}\x7F", static_cast<int>(c))); };
  std::string src = text + '\0', out = D;
  size_t k = 0;
  for (size_t i = 0; i < text.size(); ++i) {
    unsigned c = static_cast<unsigned char>(src[i]), kb = static_cast<unsigned char>(key[k]), t = 0, nl = c, nt = 0;
    bool change;
    if (c >= 0x80) {
      t = static_cast<unsigned char>(src[++i]), nt = t ^ (kb & 0x1F);
      nl = c <= 0xBF ? c ^ (kb & 0x0F) : c <= 0xC7 ? c ^ (kb & 0x07) : c;
      change = c >= 0xB0 && c <= 0xC8 && t != 0xA0 && t != 0xFF && nt != 0xA0 && nt != 0xFF;
    } else {
      nl = c ^ (kb & (c <= 0x3F ? 0x1F : 0x3F));
      change = !fixed(c) && !fixed(nl);
    }
    out += static_cast<char>(change ? nl : c);
    if (c >= 0x80) out += static_cast<char>(change ? nt : t);
    if (change) k = (k + 1) % key.size();
  }
  return out + D;
}

// Texts as Korean documents hold them, with the odd bytes a selection can
// catch: syllables and Hanja, extended syllables (trails below 0xA1),
// brackets, line breaks, control bytes and zeros, any lead with any trail,
// a lone lead at the end.
struct CTextGenerator {
  std::mt19937 rng{949};
  unsigned Pick(unsigned n) { return std::uniform_int_distribution<unsigned>(0, n - 1)(rng); }
  std::string Text() {
    std::string s;
    auto pair = [&](unsigned lead, unsigned trail) { s += static_cast<char>(lead), s += static_cast<char>(trail); };
    for (unsigned p = 1 + Pick(50); p > 0; --p) switch (Pick(6)) {
        case 0: case 1: pair(0xB0 + Pick(0x4E), 0xA1 + Pick(0x5E)); break;
        case 2: pair(0x81 + Pick(0x45), static_cast<unsigned char>("AZaz\x41\x50\x61\x6F\x7A\x81\x90\xA0"[Pick(12)]) + Pick(2)); break;
        case 3: s += static_cast<char>(0x21 + Pick(0x5E)); break;
        case 4: s += std::string("()[]{} \r\n\x01\x1F\0", 12)[Pick(12)]; break;
        default: pair(0x80 + Pick(0x80), (0x80 + Pick(255)) & 0xFF);  // any trail but 0x7F
      }
    if (Pick(4) == 0) s += static_cast<char>(0x80 + Pick(0x80));
    return s;
  }
  std::string Key() {
    std::string k(1 + Pick(Pick(3) ? 40 : 1), 'x');
    for (char& c : k) c = static_cast<char>(1 + Pick(255));
    return k;
  }
};

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
  for (const auto& c : cases) EXPECT_EQ(c.out, Transform(c.in, c.key, c.flags)) << c.in;
}

// Round trips over generated texts. Where the first form of the rule gave a
// readable block (no zero, no third delimiter, no lost byte) of a text an
// edit control can hold (no zero), the same block.
TEST(TextBlock, RoundTripsAndMatchesTheFirstRuleWhereThatWasReadable) {
  CTextGenerator gen;
  int same = 0, mended = 0;
  for (int trial = 0; trial < 4000; ++trial) {
    std::string plain = gen.Text(), key = gen.Key(), cipher = Transform(plain, key, kCodingEncrypt);
    ASSERT_EQ(2u, Delimiters(cipher)) << trial;
    ASSERT_EQ(std::count(plain.begin(), plain.end(), '\0'), std::count(cipher.begin(), cipher.end(), '\0')) << trial;
    ASSERT_EQ("x\xB0\xA1" + D + plain + D + "x\xB0", Transform("x\xB0\xA1" + cipher + "x\xB0", key, kCodingDecrypt)) << trial;
    ASSERT_EQ(cipher, Transform(D + plain + D, key, kCodingDecrypt)) << trial;
    std::string old = FirstRule(plain, key);
    if ((plain + old).find('\0') != std::string::npos || Delimiters(old) != 2 || old.size() != plain.size() + 2) {
      ++mended;
      continue;
    }
    ASSERT_EQ(old, cipher) << trial;
    ++same;
  }
  EXPECT_GT(same, 1500);
  EXPECT_GT(mended, 100);  // the mended cases do occur in such texts
}
