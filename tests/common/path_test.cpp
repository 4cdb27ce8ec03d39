// Path splitting and name matching, both CP949-aware.
#include "common/path.h"

#include <gtest/gtest.h>

#include <string>

#include "common/wildcard.h"

namespace {

TEST(SplitPath, DriveFolderNameExtension) {
  const struct {
    std::string path;
    const char *drive, *dir, *fname, *ext;
  } cases[] = {
      {"C:\\dir\\sub\\file.txt", "C:", "\\dir\\sub\\", "file", ".txt"},
      {"/home/u/a.txt.tsl", "", "/home/u/", "a.txt", ".tsl"},
      {"\\\\server/share\\a", "", "\\\\server/share\\", "a", ""},
      {"C:name.c", "C:", "", "name", ".c"},
      {"ab:c", "", "", "ab:c", ""},  // a colon further in is part of the name
      {".profile", "", "", "", ".profile"},
      {"name.", "", "", "name", "."},
      // Every byte of Hangul is 0x80 or above, and a lead byte takes a
      // following 0x5C as its trail: no folder starts inside the pair.
      {"\xC7\xD1\xB1\xDB\\\xC7\xA5.tsl", "", "\xC7\xD1\xB1\xDB\\", "\xC7\xA5", ".tsl"},
      {"D:\\\x95\x5C.txt", "D:", "\\", "\x95\x5C", ".txt"},
      {"D:\\a\x95\x5C", "D:", "\\", "a\x95\x5C", ""},
      {"\xB0\xA1:x", "", "", "\xB0\xA1:x", ""},  // a lead byte is no drive letter
  };
  for (const auto& c : cases) {
    char d[kMaxPathLen], p[kMaxPathLen], f[kMaxPathLen], e[kMaxPathLen];
    SplitPath(c.path.c_str(), d, p, f, e);
    EXPECT_EQ(std::string(d) + "|" + p + "|" + f + "|" + e,
              std::string(c.drive) + "|" + c.dir + "|" + c.fname + "|" + c.ext);
  }
}

TEST(SplitPath, NullOutputsAndLongParts) {
  char f[kMaxPathLen], e[kMaxPathLen];
  SplitPath(nullptr, nullptr, nullptr, f, nullptr);
  EXPECT_STREQ(f, "");
  std::string name;  // 150 syllables: cut to fit, never inside one
  for (int i = 0; i < 150; ++i) name += "\xB0\xA1";
  SplitPath(("C:\\" + name + ".txt").c_str(), nullptr, nullptr, f, e);
  EXPECT_EQ(f, name.substr(0, 258));
  EXPECT_STREQ(e, ".txt");
}

TEST(Wildcard, WindowsRuleOnCp949AndUtf8Names) {
  const struct {
    const char *pattern, *name;
    bool match;
  } cases[] = {
      {"*.*", "readme", true}, {"*.TSL", "a.tsl", true}, {"*.tsl", "a.tsl.txt", false}, {"a*b", "axxbc", false},
      {"*a*a*a*a*b", "aaaaaaaaaaaaaaaaaaaa", false}, {"", "a", false}, {"???", "ab", true}, {"a?c", "a.c", false},
      // A trailing dot stands for "no extension".
      {"*.", "readme", true}, {"*.", "a.txt", false}, {"abc.", "abc", true}, {"*.*.*", "a.b", true},
      {"*.*", "..", true}, {"?", ".", false},
      // 한글 is two characters in four bytes; 갂 (81 41) and 갵 (81 61) differ
      // only in the case of an ASCII-looking trail byte.
      {"??.tsl", "\xC7\xD1\xB1\xDB.tsl", true}, {"?.tsl", "\xC7\xD1\xB1\xDB.tsl", false},
      {"\xC7\xD1?.txt", "\xC7\xD1\xB1\xDB.txt", true}, {"*\xB1\xDB.txt", "\xC7\xD1\xB1\xDB.txt", true},
      {"\x81\x41", "\x81\x61", false}, {"?", "\x81\x41", true},
  };
  for (const auto& c : cases) EXPECT_EQ(WildcardMatch(c.pattern, c.name), c.match) << c.pattern << " " << c.name;
  EXPECT_TRUE(WildcardMatchUtf8("?.tsl", "\xED\x95\x9C.tsl"));  // 한 in UTF-8
  EXPECT_FALSE(WildcardMatchUtf8("?", "\xED\x95\x9C\xEA\xB8\x80"));
  EXPECT_TRUE(IsValidUtf8("\xED\x95\x9C abc"));
  EXPECT_FALSE(IsValidUtf8("\xC7\xD1\xB1\xDB"));
}

}  // namespace
