#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "common/mystring.h"

namespace {
std::string Bytes(const CMyString& s) { return std::string(s.GetBuffer(), s.GetLength()); }
}  // namespace

TEST(MyString, EmptyAndCountedStringsKeepTheInvariants) {
  CMyString empty;
  ASSERT_NE(nullptr, empty.GetBuffer());
  EXPECT_EQ(0u, empty.GetLength());
  EXPECT_EQ(0, empty.GetBuffer()[0]);
  EXPECT_EQ(0, empty.GetAt(0));
  EXPECT_EQ(0, empty.GetAt(5));  // no last byte to fall back on
  empty.ElementAt(9) = 0;        // stays inside the one-byte block

  CMyString zeros(4u);
  EXPECT_EQ(std::string(4, '\0'), Bytes(zeros));
  EXPECT_EQ(0, zeros.GetBuffer()[4]);
  EXPECT_EQ(0u, CMyString(static_cast<const char*>(nullptr)).GetLength());
}

TEST(MyString, IndexClampsToTheLastByte) {
  CMyString s("xyz");
  EXPECT_EQ('z', s.GetAt(2));
  EXPECT_EQ(0, s.GetAt(3));
  EXPECT_EQ('z', s.GetAt(7));
  EXPECT_EQ('z', s.GetAt(0xFFFFFFFFu));
  s.ElementAt(9) = 'Q';
  EXPECT_EQ("xyQ", Bytes(s));
  EXPECT_EQ(0, s.GetBuffer()[3]);
}

TEST(MyString, CropAndAssignLeftFollowTheClampingRules) {
  struct Case { uint32_t first, last; const char* want; } cases[] = {
      {1, 100, "bcdef"}, {3, 2, "abcdef"}, {6, 9, "abcdef"}, {0, 0, "a"}, {0, 5, "abcdef"}, {2, 3, "cd"},
  };
  for (const auto& c : cases) {
    CMyString s("abcdef");
    s.Crop(c.first, c.last);
    EXPECT_EQ(c.want, Bytes(s)) << c.first << ".." << c.last;
    EXPECT_EQ(0, s.GetBuffer()[s.GetLength()]);
  }
  CMyString t;
  t.AssignLeft(CMyString("abcdef"), 3);
  EXPECT_EQ("abc", Bytes(t));
  t.AssignLeft(CMyString("abcdef"), 10);
  EXPECT_EQ("abcdef", Bytes(t));
  t.AssignLeft(CMyString("abcdef"), 0);
  EXPECT_EQ("", Bytes(t));
  t.AssignLeft(t, 2);  // from itself
  EXPECT_EQ("", Bytes(t));
}

TEST(MyString, NumbersAndAppending) {
  CMyString s;
  s = -45;
  EXPECT_EQ("-45", Bytes(s));
  s = 0;
  EXPECT_EQ("0", Bytes(s));
  s = INT32_MIN;
  EXPECT_EQ("-2147483648", Bytes(s));
  CMyString v("ver");
  v += 7;
  EXPECT_EQ("ver7", Bytes(v));

  CMyString ab("ab");
  ab += ab;
  EXPECT_EQ("abab", Bytes(ab));
  CMyString same("ab");
  same = same;
  EXPECT_EQ("ab", Bytes(same));
}

TEST(MyString, ZeroBytesInsideSurviveEveryCopy) {
  CMyString s(5u);
  std::memcpy(s.GetBuffer(), "a\0b\0c", 5);
  CMyString copy(s);
  EXPECT_EQ(std::string("a\0b\0c", 5), Bytes(copy));
  CMyString assigned;
  assigned = s;
  EXPECT_EQ(5u, assigned.GetLength());
  assigned += s;
  EXPECT_EQ(std::string("a\0b\0ca\0b\0c", 10), Bytes(assigned));
  assigned.Crop(1, 7);
  EXPECT_EQ(std::string("\0b\0ca\0b", 7), Bytes(assigned));
  char* buf = s.AllocBuffer(3);
  EXPECT_EQ(std::string(3, '\0'), Bytes(s));
  EXPECT_EQ(buf, s.GetBuffer());
}

TEST(MyString, LineAndBlankEditing) {
  CMyString b(" 1.0\r\n");
  b.RemoveBlanks();
  EXPECT_EQ("1.0", Bytes(b));
  CMyString c("a\nb\r\n");
  c.LfToCrLf();
  EXPECT_EQ("a\r\nb\r\r\n", Bytes(c));

  CMyString n("a.exe\r\n\r\nb dat\r\n");
  EXPECT_EQ(2, n.NormalizeLines());
  EXPECT_EQ("a.exe\nbdat\n", Bytes(n));
  CMyString x("x");
  EXPECT_EQ(1, x.NormalizeLines());
  EXPECT_EQ("x\n", Bytes(x));
  CMyString lead("\n\nx");
  EXPECT_EQ(2, lead.NormalizeLines());  // a leading LF survives once
  EXPECT_EQ("\nx\n", Bytes(lead));
  CMyString e;
  EXPECT_EQ(-1, e.NormalizeLines());
  EXPECT_EQ(0u, e.GetLength());
}

TEST(MyString, CaseMappingIsAsciiOnlyAndByteWise) {
  // "가" is B0 A1 in CP949; a trail byte in a..z would be mapped too.
  CMyString s("abc\xB0\xA1\x81q");
  s.MakeUpper();
  EXPECT_EQ("ABC\xB0\xA1\x81Q", Bytes(s));
  CMyString l("ABC");
  l.MakeLower();
  EXPECT_EQ("abc", Bytes(l));
}
