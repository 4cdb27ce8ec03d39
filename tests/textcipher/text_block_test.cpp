#include <gtest/gtest.h>

#include <cstring>
#include <random>
#include <string>

#include "textcipher/text_coder.h"

namespace {

const std::string D = "\x7F";

std::string Run(const std::string& text, const std::string& key, int flags) {
  std::string out(text.size() + 3, '\x55');
  uint32_t n = TransformTextBlock(text.data(), static_cast<uint32_t>(text.size()), key.c_str(), flags, &out[0]);
  EXPECT_EQ(0, out[n]);
  return out.substr(0, n);
}
std::string Encrypt(const std::string& t, const std::string& k) { return Run(t, k, kCodingEncrypt); }
std::string Decrypt(const std::string& t, const std::string& k) { return Run(t, k, kCodingDecrypt); }
uint32_t Delimiters(const std::string& t) { return CountDelimiters(t.data(), static_cast<uint32_t>(t.size())); }

bool Fixed(unsigned c) { return c <= 0x20 || (c < 0x80 && std::strchr("()[]{}\x7F", static_cast<int>(c))); }

// Encryption by the first form of the rule: a lead byte always takes the
// next byte (even the terminator), and a trail may become anything but 0xA0
// or 0xFF.
std::string FirstRule(const std::string& text, const std::string& key) {
  std::string src = text + '\0', out = D;
  auto u = [](char c) { return static_cast<unsigned>(static_cast<unsigned char>(c)); };
  size_t k = 0;
  for (size_t i = 0; i < text.size(); ++i) {
    unsigned c = u(src[i]), kb = u(key[k]);
    if (c >= 0x80) {
      unsigned t = u(src[++i]);
      unsigned nl = c <= 0xBF ? c ^ (kb & 0x0F) : c <= 0xC7 ? c ^ (kb & 0x07) : c, nt = t ^ (kb & 0x1F);
      bool change = c >= 0xB0 && c <= 0xC8 && t != 0xA0 && t != 0xFF && nt != 0xA0 && nt != 0xFF;
      out += static_cast<char>(change ? nl : c);
      out += static_cast<char>(change ? nt : t);
      if (change) k = (k + 1) % key.size();
      continue;
    }
    unsigned b = c ^ (kb & (c <= 0x3F ? 0x1F : 0x3F));
    bool change = !Fixed(c) && !Fixed(b);
    out += static_cast<char>(change ? b : c);
    if (change) k = (k + 1) % key.size();
  }
  return out + D;
}

// Texts as Korean documents hold them, with the odd bytes a selection can
// catch: extended syllables (trails below 0xA1), Hanja, brackets, line
// breaks, control bytes, any lead with any trail, a lone lead at the end.
struct CTextGenerator {
  std::mt19937 rng;
  unsigned Pick(unsigned n) { return std::uniform_int_distribution<unsigned>(0, n - 1)(rng); }
  void Pair(std::string& s, unsigned lead, unsigned trail) { s += static_cast<char>(lead), s += static_cast<char>(trail); }
  std::string Text(size_t pieces, bool zeros) {
    const char* extended = "AZaz\x41\x50\x61\x6F\x7A\x81\x90\xA0";
    std::string s;
    for (size_t p = 0; p < pieces; ++p) switch (Pick(9)) {
        case 0: case 1: Pair(s, 0xB0 + Pick(0x19), 0xA1 + Pick(0x5E)); break;
        case 2: Pair(s, 0x81 + Pick(0x45), static_cast<unsigned char>(extended[Pick(12)]) + Pick(2)); break;
        case 3: Pair(s, 0xCA + Pick(0x34), 0xA1 + Pick(0x5E)); break;
        case 4: s += static_cast<char>(0x21 + Pick(0x5E)); break;
        case 5: s += "()[]{}"[Pick(6)]; break;
        case 6: s += Pick(2) ? " " : "\r\n"; break;
        case 7: s += static_cast<char>(Pick(0x20) | (zeros ? 0 : 1)); break;
        default: Pair(s, 0x80 + Pick(0x80), [&] { unsigned t = Pick(256); return t == 0x7F || (!zeros && !t) ? 0x41 : t; }());
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

// Every character keeps its class; a changed trail is never one of the
// bytes that no trail may become.
void ExpectClassesKept(const std::string& plain, const std::string& cipher) {
  ASSERT_EQ(plain.size() + 2, cipher.size());
  for (size_t i = 0; i < plain.size(); ++i) {
    unsigned p = static_cast<unsigned char>(plain[i]), c = static_cast<unsigned char>(cipher[i + 1]);
    if (p >= 0x80 && i + 1 < plain.size()) {
      unsigned pt = static_cast<unsigned char>(plain[++i]), ct = static_cast<unsigned char>(cipher[i + 1]);
      unsigned leadMask = p >= 0xB0 && p <= 0xBF ? 0xF0 : p >= 0xC0 && p <= 0xC7 ? 0xF8 : 0xFF;
      ASSERT_EQ(p & leadMask, c & leadMask) << i;
      ASSERT_EQ(pt & 0xE0, ct & 0xE0) << i;
      bool changed = pt != ct || p != c;
      ASSERT_FALSE(changed && (p < 0xB0 || p > 0xC8 || !ct || ct == 0x7F || ct == 0xA0 || ct == 0xFF)) << i;
    } else if (Fixed(p) || p >= 0x80) {
      ASSERT_EQ(p, c) << i;
    } else {
      ASSERT_TRUE(!Fixed(c) && (p <= 0x3F ? c <= 0x3F : c >= 0x40)) << i;
    }
  }
}

}  // namespace

TEST(TextBlock, KnownAnswers) {
  // key '~' (0x7E): masks 1E / 3E / 0E / 06; key 'A' (0x41): every mask 01.
  // 'A' would become 0x7F: refused, and '0' gets the same key byte '~'.
  // 가 would get trail 0xA0 with 'A': refused. 나 takes 'A', 'z' takes '~'.
  EXPECT_EQ(D + "A. (\xB0\xA1)\r\n\xB2\xAB" "D" + D, Encrypt("A0 (\xB0\xA1)\r\n\xB3\xAA" "z", "~A"));
  // Leads C7 and C8 and an extended syllable with lead B0 change; Hanja (CA),
  // leads below B0 and brackets do not.
  EXPECT_EQ(D + "\xC1\xBF\xC8\xBF\xCA\xA1\x81\x41\xBE\x5F?[" + D, Encrypt("\xC7\xA1\xC8\xA1\xCA\xA1\x81\x41\xB0\x41![", "~"));
  // Decryption works between the delimiters only, copying bytes one by one
  // outside (a lead there does not take the delimiter as its trail).
  EXPECT_EQ("\xB0" + D + "\xC7\xA1 a1" + D + "\xB0\xA1", Decrypt("\xB0" + D + "\xC1\xBF _/" + D + "\xB0\xA1", "~"));
}

TEST(TextBlock, LoneLeadBytesAndTrailsThatWouldBreakTheBlock) {
  // A lead with nothing after it stays alone, also before the closing
  // delimiter when decrypting.
  EXPECT_EQ(D + "_\xB0" + D, Encrypt("a\xB0", "~"));
  EXPECT_EQ(D + "a\xB0" + D + "a", Decrypt(D + "_\xB0" + D + "a", "~"));
  // 0x61 ^ 0x1E is 0x7F and 0x1E ^ 0x1E is 0: refused, so the 'a' after
  // gets the same key byte. A trail that is 0 or 0x7F already stays.
  EXPECT_EQ(D + "\xB0\x61_" + D, Encrypt("\xB0\x61" "a", "~"));
  EXPECT_EQ(D + std::string("\xB0\x1E_", 3) + D, Encrypt("\xB0\x1E" "a", "~"));
  EXPECT_EQ(D + std::string("\xC0\x00_", 3) + D, Encrypt(std::string("\xC0\x00" "a", 3), "~"));
}

TEST(TextBlock, RoundTripsAndKeepsClassesOverGeneratedTexts) {
  CTextGenerator gen{std::mt19937(20261206)};
  for (int trial = 0; trial < 3000; ++trial) {
    std::string plain = gen.Text(gen.Pick(60), trial % 3 == 0), key = gen.Key();
    std::string cipher = Encrypt(plain, key);
    ASSERT_EQ(2u, Delimiters(cipher)) << trial;
    ExpectClassesKept(plain, cipher);
    ASSERT_EQ("x\xB0\xA1" + D + plain + D + "x\xB0", Decrypt("x\xB0\xA1" + cipher + "x\xB0", key)) << trial;
    ASSERT_EQ(cipher, Decrypt(D + plain + D, key)) << trial;
  }
}

TEST(TextBlock, BlocksTheFirstRuleCouldDecryptComeOutTheSame) {
  CTextGenerator gen{std::mt19937(949)};
  int same = 0, broken = 0;
  for (int trial = 0; trial < 3000; ++trial) {
    std::string plain = gen.Text(1 + gen.Pick(40), false), key = gen.Key();
    std::string old = FirstRule(plain, key);
    // Unreadable: cut by a zero, a third delimiter, or longer than it was.
    if (old.find('\0') != std::string::npos || Delimiters(old) != 2 || old.size() != plain.size() + 2) {
      ++broken;
      continue;
    }
    ASSERT_EQ(old, Encrypt(plain, key)) << trial;
    ++same;
  }
  EXPECT_GT(same, 1500);
  EXPECT_GT(broken, 100);  // the mended cases do occur in such texts
}
