#include "common/path.h"

#include <gtest/gtest.h>

#include <string>

namespace {

struct Parts {
  std::string drive, dir, fname, ext;
};

Parts Split(const std::string& path) {
  char d[kMaxPathLen], p[kMaxPathLen], f[kMaxPathLen], e[kMaxPathLen];
  SplitPath(path.c_str(), d, p, f, e);
  return {d, p, f, e};
}

void ExpectSplit(const std::string& path, const char* drive, const char* dir, const char* fname,
                 const char* ext) {
  Parts r = Split(path);
  EXPECT_EQ(r.drive, drive) << path;
  EXPECT_EQ(r.dir, dir) << path;
  EXPECT_EQ(r.fname, fname) << path;
  EXPECT_EQ(r.ext, ext) << path;
}

TEST(SplitPath, DriveFolderNameExtension) {
  ExpectSplit("C:\\dir\\sub\\file.txt", "C:", "\\dir\\sub\\", "file", ".txt");
  ExpectSplit("D:\\docs\\a.txt.tsl", "D:", "\\docs\\", "a.txt", ".tsl");
  ExpectSplit("/home/u/a.tsl", "", "/home/u/", "a", ".tsl");
  ExpectSplit("C:/mixed\\seps/x.y", "C:", "/mixed\\seps/", "x", ".y");
  ExpectSplit("C:", "C:", "", "", "");
  ExpectSplit("C:name.c", "C:", "", "name", ".c");
  // A colon further in is part of the name.
  ExpectSplit("ab:c", "", "", "ab:c", "");
}

TEST(SplitPath, UncNoExtensionAndDots) {
  ExpectSplit("\\\\server\\share\\a.b.c", "", "\\\\server\\share\\", "a.b", ".c");
  ExpectSplit("file", "", "", "file", "");
  ExpectSplit("dir.d/name", "", "dir.d/", "name", "");
  ExpectSplit("dir\\", "", "dir\\", "", "");
  ExpectSplit(".profile", "", "", "", ".profile");
  ExpectSplit("name.", "", "", "name", ".");
  ExpectSplit("", "", "", "", "");
}

TEST(SplitPath, DoubleByteCharactersAreNeverSeparatorsOrDots) {
  // "한글\표.tsl": every byte of the Hangul is 0x80 or above.
  ExpectSplit("\xC7\xD1\xB1\xDB\\\xC7\xA5.tsl", "", "\xC7\xD1\xB1\xDB\\", "\xC7\xA5", ".tsl");
  // A lead byte takes a following 0x5C as its trail, as the runtime's
  // multibyte splitting does, so no folder starts inside the pair.
  ExpectSplit("D:\\\x95\x5C.txt", "D:", "\\", "\x95\x5C", ".txt");
  ExpectSplit("D:\\a\x95\x5C", "D:", "\\", "a\x95\x5C", "");
  // A lead byte cannot be a drive letter.
  ExpectSplit("\xB0\xA1:x", "", "", "\xB0\xA1:x", "");
}

TEST(SplitPath, NullOutputsAndLongParts) {
  char f[kMaxPathLen];
  SplitPath("C:\\x\\name.ext", nullptr, nullptr, f, nullptr);
  EXPECT_STREQ(f, "name");
  SplitPath(nullptr, nullptr, nullptr, f, nullptr);
  EXPECT_STREQ(f, "");

  // 150 syllables: cut to fit, and never in the middle of one.
  std::string name;
  for (int i = 0; i < 150; ++i) name += "\xB0\xA1";
  Parts r = Split("C:\\" + name + ".txt");
  EXPECT_EQ(r.fname.size(), 258u);
  EXPECT_EQ(r.fname, name.substr(0, 258));
  EXPECT_EQ(r.ext, ".txt");
}

TEST(PathHelpers, NameOffsetAndTrailingSeparator) {
  EXPECT_EQ(PathNameOffset("C:\\a\\b.txt"), 5u);
  EXPECT_EQ(PathNameOffset("b.txt"), 0u);
  EXPECT_EQ(PathNameOffset("x\x95\x5C"), 0u);
  EXPECT_TRUE(PathEndsWithSeparator("C:\\"));
  EXPECT_TRUE(PathEndsWithSeparator("/tmp/"));
  EXPECT_FALSE(PathEndsWithSeparator("D:\\\x95\x5C"));
  EXPECT_FALSE(PathEndsWithSeparator(""));
}

}  // namespace
