// Path splitting and name matching at the CP949 boundaries.
#include "common/path.h"

#include <gtest/gtest.h>

#include "common/wildcard.h"

namespace {

TEST(SplitPath, DriveFolderNameExtension) {
  const struct {
    std::string path;
    const char *drive, *dir, *fname, *ext;
  } cases[] = {
      {"C:\\dir\\sub/file.txt", "C:", "\\dir\\sub/", "file", ".txt"},
      {"ab:c", "", "", "ab:c", ""},  // a colon further in is part of the name
      {".profile", "", "", "", ".profile"},
      // A lead byte takes a following 0x5C as its trail: no folder starts
      // inside the pair, and a lead byte is no drive letter.
      {"\xC7\xD1\xB1\xDB\\\xC7\xA5.tsl", "", "\xC7\xD1\xB1\xDB\\", "\xC7\xA5", ".tsl"},
      {"D:\\a\x95\x5C", "D:", "\\", "a\x95\x5C", ""},
      {"\xB0\xA1:x", "", "", "\xB0\xA1:x", ""},
  };
  for (const auto& c : cases) {
    char d[kMaxPathLen], p[kMaxPathLen], f[kMaxPathLen], e[kMaxPathLen];
    SplitPath(c.path.c_str(), d, p, f, e);
    EXPECT_EQ(std::string(d) + "|" + p + "|" + f + "|" + e,
              std::string(c.drive) + "|" + c.dir + "|" + c.fname + "|" + c.ext);
  }
  char f[kMaxPathLen], e[kMaxPathLen];
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
      {"*.TSL", "a.tsl", true}, {"*.tsl", "a.tsl.txt", false}, {"*a*a*a*a*b", "aaaaaaaaaaaaaaaaaaaa", false},
      {"???", "ab", true}, {"*.", "readme", true}, {"*.", "a.txt", false}, {"?", ".", false},
      // 한글 is two characters in four bytes; 갂 (81 41) and 갵 (81 61) differ
      // only in the case of an ASCII-looking trail byte.
      {"??.tsl", "\xC7\xD1\xB1\xDB.tsl", true}, {"?.tsl", "\xC7\xD1\xB1\xDB.tsl", false},
      {"*\xB1\xDB.txt", "\xC7\xD1\xB1\xDB.txt", true}, {"\x81\x41", "\x81\x61", false},
  };
  for (const auto& c : cases) EXPECT_EQ(WildcardMatch(c.pattern, c.name), c.match) << c.pattern << " " << c.name;
  EXPECT_TRUE(WildcardMatchUtf8("?.tsl", "\xED\x95\x9C.tsl"));  // 한 in UTF-8
  EXPECT_FALSE(IsValidUtf8("\xC7\xD1\xB1\xDB"));
}

}  // namespace
