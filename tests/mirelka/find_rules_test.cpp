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

// A two-byte character across the 1024-byte limit is left out whole.
TEST(FindRules, FindTextFromSelection) {
  std::string cut = std::string(1023, 'x') + "\xC7\xD1" + "yy";
  CMyString got = FindTextFromSelection(cut.data(), static_cast<uint32_t>(cut.size()));
  EXPECT_EQ(std::string(1023, 'x'), std::string(got.GetBuffer(), got.GetLength()));
}
