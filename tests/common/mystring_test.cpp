#include <gtest/gtest.h>

#include <cstring>
#include <functional>
#include <string>

#include "common/mystring.h"

namespace {

std::string Bytes(const CMyString& s) {
  EXPECT_EQ(0, s.GetBuffer()[s.GetLength()]);  // always terminated
  return std::string(s.GetBuffer(), s.GetLength());
}

// Each edit on a fresh string; `result` is what the edit returns, if anything.
TEST(MyString, EditsFollowTheClampingAndLineRules) {
  const struct { const char* in; std::function<int(CMyString&)> edit; std::string out; int result; } cases[] = {
      {"abcdef", [](CMyString& s) { return s.Crop(1, 100), 0; }, "bcdef", 0},
      {"abcdef", [](CMyString& s) { return s.Crop(3, 2), 0; }, "abcdef", 0},
      {"abcdef", [](CMyString& s) { return s.Crop(0, 0), 0; }, "a", 0},
      {"abc", [](CMyString& s) { return s.AssignLeft(s, 2), 0; }, "ab", 0},  // from itself
      {"ab", [](CMyString& s) { return s += s, 0; }, "abab", 0},
      {"", [](CMyString& s) { return s = INT32_MIN, 0; }, "-2147483648", 0},
      {"xyz", [](CMyString& s) { return s.ElementAt(9) = 'Q', 0; }, "xyQ", 0},
      {"", [](CMyString& s) { return s.ElementAt(9) = 0, 0; }, "", 0},  // stays in the one-byte block
      {"a.exe\r\n\r\nb dat\r\n", [](CMyString& s) { return s.NormalizeLines(); }, "a.exe\nbdat\n", 2},
      {"\n\nx", [](CMyString& s) { return s.NormalizeLines(); }, "\nx\n", 2},  // a leading LF survives once
      {"", [](CMyString& s) { return s.NormalizeLines(); }, "", -1},
      {"a\nb\r\n", [](CMyString& s) { return s.LfToCrLf(), 0; }, "a\r\nb\r\r\n", 0},
      // ASCII only, byte by byte: the trail 0x71 ('q') of a double-byte character is mapped too.
      {"abc\xB0\xA1\x81q", [](CMyString& s) { return s.MakeUpper(), 0; }, "ABC\xB0\xA1\x81Q", 0},
  };
  for (const auto& c : cases) {
    CMyString s(c.in);
    EXPECT_EQ(c.result, c.edit(s)) << c.in;
    EXPECT_EQ(c.out, Bytes(s)) << c.in;
  }
  CMyString z(5u);  // zeros inside survive copies and appends
  std::memcpy(z.GetBuffer(), "a\0b\0c", 5);
  CMyString copy(z);
  copy += z;
  EXPECT_EQ(std::string("a\0b\0ca\0b\0c", 10), Bytes(copy));
}

}  // namespace
