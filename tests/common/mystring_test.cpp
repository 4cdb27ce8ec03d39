#include <gtest/gtest.h>

#include <functional>

#include "common/mystring.h"

namespace {

// Each edit on a fresh string: clamped positions stay inside the buffer, the
// update list's line rule, and upper case byte by byte, so that the trail
// 0x71 ('q') of a double-byte character is mapped as the old programs did.
TEST(MyString, EditsFollowTheClampingAndLineRules) {
  const struct { const char* in; std::function<int(CMyString&)> edit; std::string out; int result; } cases[] = {
      {"abcdef", [](CMyString& s) { return s.Crop(1, 100), 0; }, "bcdef", 0},
      {"abc", [](CMyString& s) { return s.AssignLeft(s, 2), 0; }, "ab", 0},  // from itself
      {"xyz", [](CMyString& s) { return s.ElementAt(9) = 'Q', 0; }, "xyQ", 0},
      {"", [](CMyString& s) { return s.ElementAt(9) = 0, 0; }, "", 0},  // stays in the one-byte block
      {"a.exe\r\n\r\nb dat\r\n", [](CMyString& s) { return s.NormalizeLines(); }, "a.exe\nbdat\n", 2},
      {"a\nb\r\n", [](CMyString& s) { return s.LfToCrLf(), 0; }, "a\r\nb\r\r\n", 0},
      {"abc\xB0\xA1\x81q", [](CMyString& s) { return s.MakeUpper(), 0; }, "ABC\xB0\xA1\x81Q", 0},
  };
  for (const auto& c : cases) {
    CMyString s(c.in);
    EXPECT_EQ(c.result, c.edit(s)) << c.in;
    EXPECT_EQ(c.out, std::string(s.GetBuffer(), s.GetLength())) << c.in;
    EXPECT_EQ(0, s.GetBuffer()[s.GetLength()]) << c.in;
  }
}

}  // namespace
