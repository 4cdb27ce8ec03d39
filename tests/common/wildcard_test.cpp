#include "common/wildcard.h"

#include <gtest/gtest.h>

namespace {

struct Case {
  const char* pattern;
  const char* name;
  bool match;
};

void Check(const Case* cases, size_t n, bool utf8 = false) {
  for (size_t i = 0; i < n; ++i) {
    const Case& c = cases[i];
    bool got = utf8 ? WildcardMatchUtf8(c.pattern, c.name) : WildcardMatch(c.pattern, c.name);
    EXPECT_EQ(got, c.match) << "pattern \"" << c.pattern << "\" name \"" << c.name << "\"";
  }
}

TEST(Wildcard, StarsAndCase) {
  const Case cases[] = {
      {"*.*", "a.txt", true},      {"*.*", "readme", true},    {"*.*", ".profile", true},
      {"*", "a.b.c", true},        {"*.tsl", "a.tsl", true},   {"*.TSL", "a.tsl", true},
      {"*.tsl", "A.TsL", true},    {"*.tsl", "a.tsl.txt", false}, {"*.tsl", "atsl", false},
      {"*.tsl", "x.y.tsl", true},  {"a*b", "ab", true},        {"a*b", "axxb", true},
      {"a*b", "axxbc", false},     {"*a*a*a*a*", "aaaa", true}, {"*a*a*a*a*b", "aaaaaaaaaaaaaaaaaaaa", false},
      {"abc", "ABC", true},        {"abc", "abcd", false},     {"", "a", false},
  };
  Check(cases, sizeof cases / sizeof *cases);
}

TEST(Wildcard, QuestionMarksAndDots) {
  const Case cases[] = {
      {"?", "a", true},          {"?", "ab", false},        {"a?", "a", true},
      {"a?", "ab", true},        {"???", "ab", true},       {"???", "abcd", false},
      {"?.tsl", "a.tsl", true},  {"??.tsl", "a.tsl", true}, {"?.tsl", "ab.tsl", false},
      {"a?c", "abc", true},      {"a?c", "ac", false},      {"a?c", "a.c", false},
      // A trailing dot stands for "no extension".
      {"*.", "readme", true},    {"*.", "a.txt", false},    {"abc.", "abc", true},
      {"*.*.*", "a.b", true},    {"*.t?l", "a.tsl", true},  {"*.t?l", "a.tl", false},
  };
  Check(cases, sizeof cases / sizeof *cases);
}

TEST(Wildcard, DotEntries) {
  const Case cases[] = {
      {"*", ".", true},   {"*.*", "..", true}, {"*.tsl", ".", false},
      {"*.", ".", true},  {"*.", "..", true},  {"?", ".", false},
  };
  Check(cases, sizeof cases / sizeof *cases);
}

TEST(Wildcard, DoubleByteCharactersCountAsOne) {
  // 한글 (two syllables, four bytes); 갂 = 81 41 and 갵 = 81 61 differ only
  // in the case of an ASCII-looking trail byte.
  const Case cases[] = {
      {"*.tsl", "\xC7\xD1\xB1\xDB.tsl", true},
      {"??.tsl", "\xC7\xD1\xB1\xDB.tsl", true},
      {"?.tsl", "\xC7\xD1\xB1\xDB.tsl", false},
      {"\xC7\xD1*", "\xC7\xD1\xB1\xDB.txt", true},
      {"\xC7\xD1?.txt", "\xC7\xD1\xB1\xDB.txt", true},
      {"\x81\x41", "\x81\x61", false},
      {"?", "\x81\x41", true},
      {"*\xB1\xDB.txt", "\xC7\xD1\xB1\xDB.txt", true},
  };
  Check(cases, sizeof cases / sizeof *cases);

  const Case utf8[] = {
      {"?.tsl", "\xED\x95\x9C.tsl", true},  // 한 in UTF-8: one character
      {"??", "\xED\x95\x9C\xEA\xB8\x80", true},
      {"?", "\xED\x95\x9C\xEA\xB8\x80", false},
  };
  Check(utf8, sizeof utf8 / sizeof *utf8, true);
}

TEST(Wildcard, Helpers) {
  EXPECT_TRUE(HasWildcard("C:\\x\\*.*"));
  EXPECT_TRUE(HasWildcard("a?"));
  EXPECT_FALSE(HasWildcard("C:\\x\\a.txt"));
  EXPECT_TRUE(IsValidUtf8("\xED\x95\x9C abc"));
  EXPECT_FALSE(IsValidUtf8("\xC7\xD1\xB1\xDB"));
}

}  // namespace
