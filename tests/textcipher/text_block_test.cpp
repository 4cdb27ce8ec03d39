#include <gtest/gtest.h>

#include <cstring>
#include <random>
#include <string>

#include "textcipher/text_coder.h"

namespace {

std::string Run(const std::string& text, const std::string& key, int flags) {
  std::string out(text.size() + 3, '\x55');
  uint32_t n = TransformTextBlock(text.data(), static_cast<uint32_t>(text.size()), key.c_str(), flags, &out[0]);
  EXPECT_EQ(0, out[n]);
  out.resize(n);
  return out;
}
std::string Encrypt(const std::string& t, const std::string& k) { return Run(t, k, kCodingEncrypt); }
std::string Decrypt(const std::string& t, const std::string& k) { return Run(t, k, kCodingDecrypt); }

const std::string D = "\x7F";

// The rule as first written: a byte of 0x80 or above always takes the next
// byte, even the terminator or a delimiter, and a trail may become anything
// but 0xA0 or 0xFF. Kept here to show that every block it could decrypt
// still comes out the same.
std::string Literal(const std::string& text, const std::string& key, bool encrypt) {
  std::string src = text + std::string(2, '\0');
  std::string out(text.size() + 4, '\0');
  size_t k = 0, o = 0, L = key.size();
  auto at = [&](size_t i) { return static_cast<unsigned char>(src[i]); };
  auto kb = [&] { return static_cast<unsigned char>(key[k]); };
  auto fixed = [](unsigned c) {
    return c <= 0x20 || c == 0x28 || c == 0x29 || c == 0x5B || c == 0x5D || c == 0x7B || c == 0x7D || c == 0x7F;
  };
  bool inside = false;
  if (encrypt) out[o++] = '\x7F';
  for (size_t i = 0; i < text.size();) {
    unsigned c = at(i);
    if (!encrypt && (c == 0x7F || !inside)) {
      if (c == 0x7F) inside = !inside;
      out[o++] = static_cast<char>(c);
      ++i;
      continue;
    }
    if (c >= 0x80) {
      unsigned t = at(i + 1);
      out[o] = static_cast<char>(c);
      out[o + 1] = static_cast<char>(t);
      if (c >= 0xB0 && c <= 0xC8 && t != 0xA0 && t != 0xFF) {
        unsigned nl = c <= 0xBF ? c ^ (kb() & 0x0F) : c <= 0xC7 ? c ^ (kb() & 0x07) : c;
        unsigned nt = t ^ (kb() & 0x1F);
        if (nt != 0xA0 && nt != 0xFF) {
          out[o] = static_cast<char>(nl);
          out[o + 1] = static_cast<char>(nt);
          k = (k + 1) % L;
        }
      }
      o += 2;
      i += 2;
      continue;
    }
    out[o] = static_cast<char>(c);
    ++o;
    ++i;
    if (fixed(c)) continue;
    unsigned b = c ^ (kb() & (c <= 0x3F ? 0x1F : 0x3F));
    if (fixed(b)) continue;
    out[o - 1] = static_cast<char>(b);
    k = (k + 1) % L;
  }
  if (encrypt) out[o++] = '\x7F';
  out.resize(o);
  return out;
}

// Texts as they come from Korean documents, plus the odd bytes a selection
// can hold.
class CTextGenerator {
 public:
  explicit CTextGenerator(unsigned seed) : m_rng(seed) {}

  std::string Text(size_t pieces, bool allowZero) {
    std::string s;
    for (size_t p = 0; p < pieces; ++p) Piece(s, allowZero);
    if (Pick(4) == 0) s += static_cast<char>(0x80 + Pick(0x80));  // a lone lead at the end
    return s;
  }
  std::string Key() {
    std::string k(1 + Pick(Pick(3) == 0 ? 1 : 40), 'x');
    for (char& c : k) c = static_cast<char>(1 + Pick(255));
    return k;
  }
  unsigned Pick(unsigned n) { return std::uniform_int_distribution<unsigned>(0, n - 1)(m_rng); }

 private:
  void Pair(std::string& s, unsigned lead, unsigned trail) {
    s += static_cast<char>(lead);
    s += static_cast<char>(trail);
  }
  void Piece(std::string& s, bool allowZero) {
    static const char* const kExtendedTrails = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz";
    switch (Pick(10)) {
      case 0: case 1:  // Hangul of the basic set
        Pair(s, 0xB0 + Pick(0x19), 0xA1 + Pick(0x5E));
        break;
      case 2:  // extended syllables, trails below 0xA1
        if (Pick(2))
          Pair(s, 0x81 + Pick(0x46), static_cast<unsigned char>(kExtendedTrails[Pick(52)]));
        else
          Pair(s, 0xB0 + Pick(0x17), Pick(2) ? static_cast<unsigned char>(kExtendedTrails[Pick(52)]) : 0x81 + Pick(0x20));
        break;
      case 3:  // Hanja
        Pair(s, 0xCA + Pick(0x34), 0xA1 + Pick(0x5E));
        break;
      case 4: case 5:  // letters, digits, punctuation
        s += static_cast<char>(0x21 + Pick(0x5E));
        break;
      case 6:
        s += "()[]{}"[Pick(6)];
        break;
      case 7:
        s += Pick(2) ? " " : "\r\n";
        break;
      case 8:  // control bytes, and the zero a byte stream may carry
        s += static_cast<char>(allowZero ? Pick(0x20) : 1 + Pick(0x1F));
        break;
      default:  // any lead with any trail but the delimiter
        Pair(s, 0x80 + Pick(0x80), [&] { unsigned t; do t = Pick(256); while (t == 0x7F || (!allowZero && t == 0)); return t; }());
    }
  }
  std::mt19937 m_rng;
};

enum class Cls { Fixed, Punct, Letter, Pair };

// Checks that the cipher kept every character's class.
void ExpectClassesKept(const std::string& plain, const std::string& cipher) {
  ASSERT_EQ(plain.size() + 2, cipher.size());
  for (size_t i = 0; i < plain.size();) {
    unsigned p = static_cast<unsigned char>(plain[i]), c = static_cast<unsigned char>(cipher[i + 1]);
    if (p >= 0x80 && i + 1 < plain.size()) {
      unsigned pt = static_cast<unsigned char>(plain[i + 1]), ct = static_cast<unsigned char>(cipher[i + 2]);
      if (p >= 0xB0 && p <= 0xBF) ASSERT_EQ(p & 0xF0, c & 0xF0);
      else if (p >= 0xC0 && p <= 0xC7) ASSERT_EQ(p & 0xF8, c & 0xF8);
      else ASSERT_EQ(p, c);
      auto fixedTrail = [](unsigned t) { return t == 0 || t == 0x7F || t == 0xA0 || t == 0xFF; };
      if (p < 0xB0 || p > 0xC8 || fixedTrail(pt)) {
        ASSERT_EQ(pt, ct) << i;
      }
      ASSERT_EQ(pt & 0xE0, ct & 0xE0);
      if (ct != pt) {
        ASSERT_FALSE(fixedTrail(ct)) << i;
      }
      i += 2;
      continue;
    }
    bool fixed = p <= 0x20 || p >= 0x80 || std::strchr("()[]{}\x7F", static_cast<int>(p));
    if (fixed) ASSERT_EQ(p, c) << i;
    else if (p <= 0x3F) ASSERT_TRUE(c >= 0x21 && c <= 0x3F && c != 0x28 && c != 0x29) << i;
    else ASSERT_TRUE(c >= 0x40 && c <= 0x7E && !std::strchr("[]{}", static_cast<int>(c))) << i;
    ++i;
  }
}

}  // namespace

TEST(TextBlock, KnownAnswersForTheClassesAndTheKeyIndex) {
  // key '~' (0x7E): masks 1E / 3E / 0E / 06; key 'A' (0x41): all masks 01.
  // 'A' would become 0x7F: refused, and '0' gets the same key byte '~'.
  // 가 would get trail 0xA0 with 'A': refused. 나 takes 'A', 'z' takes '~'.
  EXPECT_EQ(D + "A. (\xB0\xA1)\r\n\xB2\xAB" "D" + D, Encrypt("A0 (\xB0\xA1)\r\n\xB3\xAA" "z", "~A"));
  // Leads C7 and C8 and an extended syllable with lead B0 change; Hanja (CA),
  // leads below B0 and brackets do not.
  EXPECT_EQ(D + "\xC1\xBF\xC8\xBF\xCA\xA1\x81\x41\xBE\x5F?[" + D,
            Encrypt("\xC7\xA1\xC8\xA1\xCA\xA1\x81\x41\xB0\x41![", "~"));
  // A text with nothing to change keeps the key index at its first byte.
  EXPECT_EQ(D + " \r\n(){}[]\xCA\xA1" "." + D, Encrypt(" \r\n(){}[]\xCA\xA1" "0", "~A"));
}

TEST(TextBlock, DecryptingTransformsOnlyBetweenTheDelimiters) {
  std::string cipher = Encrypt("\xC7\xA1 abc 123", "~A");
  EXPECT_EQ("xyz " + D + "\xC7\xA1 abc 123" + D + " \xB0\xA1",
            Decrypt("xyz " + cipher + " \xB0\xA1", "~A"));
  // Outside a block a lead byte does not take the delimiter as its trail.
  EXPECT_EQ("\xB0" + D + "\xC7\xA1 abc 123" + D, Decrypt("\xB0" + cipher, "~A"));
}

TEST(TextBlock, ALoneLeadByteAtTheEndStaysAlone) {
  EXPECT_EQ(D + "_\xB0" + D, Encrypt("a\xB0", "~"));
  EXPECT_EQ(D + "\xC5" + D, Encrypt("\xC5", "~"));
  // ... and when decrypting, a lead just before the closing delimiter.
  EXPECT_EQ(D + "a\xB0" + D + "a", Decrypt(D + "_\xB0" + D + "a", "~"));
  EXPECT_EQ("a" + D + "\xB0" + D + "(", Decrypt("a" + D + "\xB0" + D + "(", "~"));
}

TEST(TextBlock, ATrailNeverBecomesADelimiterOrAZero) {
  // 0x61 ^ 0x1E is 0x7F, 0x1E ^ 0x1E is 0: both refused, and the following
  // 'a' gets the same key byte.
  EXPECT_EQ(D + "\xB0\x61_" + D, Encrypt("\xB0\x61" "a", "~"));
  EXPECT_EQ(D + std::string("\xB0\x1E_", 3) + D, Encrypt("\xB0\x1E" "a", "~"));
  // Trails that already are zero or 0x7F are left alone.
  EXPECT_EQ(D + std::string("\xC0\x00_", 3) + D, Encrypt(std::string("\xC0\x00" "a", 3), "~"));
  std::string cipher = Encrypt("\xB0\x61\xB5\x7A\xC4\x1E", "~");
  EXPECT_EQ(2u, CountDelimiters(cipher.data(), static_cast<uint32_t>(cipher.size())));
  EXPECT_EQ(D + "\xB0\x61\xB5\x7A\xC4\x1E" + D, Decrypt(cipher, "~"));
}

TEST(TextBlock, RoundTripsAndKeepsClassesOverGeneratedTexts) {
  CTextGenerator gen(20261206);
  for (int trial = 0; trial < 3000; ++trial) {
    bool zeros = trial % 3 == 0;
    std::string plain = gen.Text(gen.Pick(60), zeros), key = gen.Key();
    std::string cipher = Encrypt(plain, key);
    ASSERT_EQ(2u, CountDelimiters(cipher.data(), static_cast<uint32_t>(cipher.size()))) << trial;
    ExpectClassesKept(plain, cipher);
    ASSERT_EQ(D + plain + D, Decrypt(cipher, key)) << trial;
    ASSERT_EQ(cipher, Decrypt(D + plain + D, key)) << trial;
    // Text around the block is copied as it is.
    ASSERT_EQ("\xB0\xA1 x" + D + plain + D + "y\xB0", Decrypt("\xB0\xA1 x" + cipher + "y\xB0", key)) << trial;
  }
}

TEST(TextBlock, EveryBlockTheFirstRuleCouldDecryptComesOutTheSame) {
  CTextGenerator gen(949);
  int same = 0, broken = 0;
  for (int trial = 0; trial < 3000; ++trial) {
    std::string plain = gen.Text(1 + gen.Pick(40), false), key = gen.Key();
    std::string old = Literal(plain, key, true);
    bool readable = old.find('\0') == std::string::npos &&
                    CountDelimiters(old.data(), static_cast<uint32_t>(old.size())) == 2 &&
                    Literal(old, key, false) == D + plain + D;
    if (!readable) {
      ++broken;
      continue;
    }
    ASSERT_EQ(old, Encrypt(plain, key)) << trial;
    ++same;
  }
  // The generated texts hold enough extended syllables and lone leads that
  // the first rule breaks some of them.
  EXPECT_GT(same, 1500);
  EXPECT_GT(broken, 100);
}
