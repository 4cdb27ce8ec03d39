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

}  // namespace

// Each edit on a fresh string; `result` is what the edit returns, if anything.
TEST(MyString, EditsFollowTheClampingAndLineRules) {
  const struct { const char* in; std::function<int(CMyString&)> edit; std::string out; int result; } cases[] = {
      {"abcdef", [](CMyString& s) { return s.Crop(1, 100), 0; }, "bcdef", 0},
      {"abcdef", [](CMyString& s) { return s.Crop(3, 2), 0; }, "abcdef", 0},
      {"abcdef", [](CMyString& s) { return s.Crop(6, 9), 0; }, "abcdef", 0},
      {"abcdef", [](CMyString& s) { return s.Crop(0, 0), 0; }, "a", 0},
      {"abcdef", [](CMyString& s) { return s.Crop(2, 3), 0; }, "cd", 0},
      {"", [](CMyString& s) { return s.AssignLeft(CMyString("abcdef"), 3), 0; }, "abc", 0},
      {"", [](CMyString& s) { return s.AssignLeft(CMyString("abcdef"), 10), 0; }, "abcdef", 0},
      {"abc", [](CMyString& s) { return s.AssignLeft(s, 2), 0; }, "ab", 0},  // from itself
      {"abc", [](CMyString& s) { return s.AssignLeft(s, 0), 0; }, "", 0},
      {"", [](CMyString& s) { return s = INT32_MIN, 0; }, "-2147483648", 0},
      {"", [](CMyString& s) { return s = 0, 0; }, "0", 0},
      {"ver", [](CMyString& s) { return s += 7, 0; }, "ver7", 0},
      {"ab", [](CMyString& s) { return s += s, 0; }, "abab", 0},
      {"ab", [](CMyString& s) { return s = s, 0; }, "ab", 0},
      {"xyz", [](CMyString& s) { return s.ElementAt(9) = 'Q', 0; }, "xyQ", 0},
      {"", [](CMyString& s) { return s.ElementAt(9) = 0, 0; }, "", 0},  // stays in the one-byte block
      {" 1.0\r\n", [](CMyString& s) { return s.RemoveBlanks(), 0; }, "1.0", 0},
      {"a\nb\r\n", [](CMyString& s) { return s.LfToCrLf(), 0; }, "a\r\nb\r\r\n", 0},
      {"a.exe\r\n\r\nb dat\r\n", [](CMyString& s) { return s.NormalizeLines(); }, "a.exe\nbdat\n", 2},
      {"x", [](CMyString& s) { return s.NormalizeLines(); }, "x\n", 1},
      {"\n\nx", [](CMyString& s) { return s.NormalizeLines(); }, "\nx\n", 2},  // a leading LF survives once
      {"", [](CMyString& s) { return s.NormalizeLines(); }, "", -1},
      // ASCII only, byte by byte: the trail 0x71 ('q') of a double-byte
      // character is mapped too.
      {"abc\xB0\xA1\x81q", [](CMyString& s) { return s.MakeUpper(), 0; }, "ABC\xB0\xA1\x81Q", 0},
      {"ABC", [](CMyString& s) { return s.MakeLower(), 0; }, "abc", 0},
  };
  for (const auto& c : cases) {
    CMyString s(c.in);
    EXPECT_EQ(c.result, c.edit(s)) << c.in;
    EXPECT_EQ(c.out, Bytes(s)) << c.in;
  }
}

TEST(MyString, IndexClampsToTheLastByteAndZerosSurviveCopies) {
  CMyString s("xyz"), empty, nothing(static_cast<const char*>(nullptr));
  EXPECT_EQ(std::string("z\0zz", 4), (std::string{s.GetAt(2), s.GetAt(3), s.GetAt(7), s.GetAt(0xFFFFFFFFu)}));
  EXPECT_EQ(std::make_pair('\0', 0u), std::make_pair(empty.GetAt(5), nothing.GetLength()));  // no last byte to fall back on
  CMyString z(5u);
  EXPECT_EQ(std::string(5, '\0'), Bytes(z));
  std::memcpy(z.GetBuffer(), "a\0b\0c", 5);
  CMyString copy(z), assigned;
  assigned = copy;
  assigned += z;
  assigned.Crop(1, 8);
  EXPECT_EQ(std::string("\0b\0ca\0b\0", 8), Bytes(assigned));
  char* buf = z.AllocBuffer(3);
  EXPECT_EQ(std::make_pair(buf, std::string(3, '\0')), std::make_pair(z.GetBuffer(), Bytes(z)));
}

TEST(ModuleDir, IsTheFolderOfTheRunningProgram) {
  CMyString dir, path;
  GetModuleDir(dir);
  GetModulePath(path);
  const std::string d(dir.GetBuffer()), p(path.GetBuffer());
  ASSERT_TRUE(!d.empty() && (d.back() == '/' || d.back() == '\\')) << d;
  EXPECT_EQ(d, p.substr(0, d.size()));
  EXPECT_EQ(std::string::npos, p.find_first_of("/\\", d.size())) << p;  // then the program's own name
  EXPECT_NE(std::string::npos, p.find("common_tests", d.size())) << p;
}
