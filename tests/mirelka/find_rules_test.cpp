#include "mirelka/find_rules.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>

namespace {

// CP949: "\x81\x41" and "\x81\x61" are two different extended Hangul
// syllables whose second bytes are the codes of 'A' and 'a'.
const char kSyllableA[] = "\x81\x41";
const char kSyllableLowA[] = "\x81\x61";

}  // namespace

// Where the next or previous occurrence lies, for both directions, both
// case rules and text with two-byte characters.
TEST(FindRules, Occurrences) {
  struct Row {
    const char* what;
    std::string text, pattern;
    bool caseSensitive, downward;
    uint32_t selStart, selEnd;
    int64_t want;
  };
  const Row rows[] = {
      {"down from the caret at the start", "abc abc", "abc", true, true, 0, 0, 0},
      {"down skips the selected one", "abc abc", "abc", true, true, 0, 3, 4},
      {"down past the last", "abc abc", "abc", true, true, 4, 7, -1},
      {"up at the very start", "abc abc", "abc", true, false, 0, 0, -1},
      {"up from the second", "abc abc", "abc", true, false, 4, 7, 0},
      {"up from the end", "abc abc", "abc", true, false, 7, 7, 4},
      {"up: must end before the selection", "aaa", "aa", true, false, 1, 1, -1},
      {"up: overlapping candidates", "aaa", "aa", true, false, 3, 3, 1},
      {"ignoring case finds capitals", "Say HELLO", "hello", false, true, 0, 0, 4},
      {"with case, capitals differ", "Say HELLO", "hello", true, true, 0, 0, -1},
      {"a letter is not a syllable's second byte", kSyllableA, "A", false, true, 0, 0, -1},
      {"the letter after the syllable", std::string(kSyllableA) + "A", "a", false, true, 0, 0, 2},
      {"up: the letter after the syllable", std::string(kSyllableA) + "A", "A", true, false, 3, 3, 2},
      {"ignoring case keeps syllables apart", kSyllableLowA, kSyllableA, false, true, 0, 0, -1},
      {"the delimiter", "\xC7\xD1\x7F\xB1\xDB\x7F", "\x7F", false, true, 3, 3, 5},
      {"empty pattern finds nothing", "abc", "", false, true, 0, 0, -1},
      {"pattern longer than the text", "ab", "abc", false, true, 0, 0, -1},
      {"selection past the end", "abc", "c", false, false, 99, 99, 2},
  };
  for (const Row& r : rows) {
    EXPECT_EQ(r.want, FindOccurrence(r.text.data(), static_cast<uint32_t>(r.text.size()), r.pattern.data(),
                                     static_cast<uint32_t>(r.pattern.size()), r.caseSensitive, r.downward,
                                     r.selStart, r.selEnd))
        << r.what;
  }
}

TEST(FindRules, FindTextFromSelection) {
  std::string ascii(2000, 'x');
  EXPECT_EQ(1024u, FindTextFromSelection(ascii.data(), 2000).GetLength());
  // A two-byte character across the limit is left out whole.
  std::string cut = std::string(1023, 'x') + "\xC7\xD1" + "yy";
  CMyString got = FindTextFromSelection(cut.data(), static_cast<uint32_t>(cut.size()));
  EXPECT_EQ(std::string(1023, 'x'), std::string(got.GetBuffer(), got.GetLength()));
}

// Byte offsets against character positions: "가a나" is 5 bytes, 3 characters.
TEST(FindRules, CharacterPositions) {
  const char text[] = "\xB0\xA1" "a" "\xB3\xAA";
  const uint32_t n = 5;
  const uint32_t bytes[] = {0, 2, 3, 5, 9};
  const uint32_t chars[] = {0, 1, 2, 3, 3};
  for (int i = 0; i < 5; ++i) {
    EXPECT_EQ(chars[i], CharsBefore(text, n, bytes[i])) << bytes[i];
    if (bytes[i] <= n) {
      EXPECT_EQ(bytes[i], ByteOffsetOfChar(text, n, chars[i])) << chars[i];
    }
  }
}

TEST(FindRules, NotFoundMessage) {
  EXPECT_STREQ(
      "<원본> 편집 창에서 \"abc\" 을(를) 찾을 수 없습니다.\n\n"
      "──────────────────────────────\n\n"
      "<위쪽>으로 검색해 보십시오. (단축키는 [Shift]+[F3] 입니다.)\n\n\n"
      "<결과> 편집 창에서 검색하려면,\n<결과> 창을 마우스로 클릭하고, 다시 시도하십시오.",
      NotFoundMessage(true, CMyString("abc"), false, true).GetBuffer());
  EXPECT_STREQ(
      "<결과> 편집 창에서 \"\x7F\" 을(를) 찾을 수 없습니다.\n\n"
      "──────────────────────────────\n\n"
      "<원본> 편집 창에서 검색하려면,\n<원본> 창을 마우스로 클릭하고, 다시 시도하십시오.",
      NotFoundMessage(false, CMyString("\x7F"), true, false).GetBuffer());
}
