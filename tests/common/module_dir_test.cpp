#include <gtest/gtest.h>

#include <cstring>

#include "common/mystring.h"

#ifdef _WIN32
const char kSep = '\\';
#else
const char kSep = '/';
#endif

TEST(ModuleDir, IsTheFolderOfTheRunningProgram) {
  CMyString dir, path;
  GetModuleDir(dir);
  GetModulePath(path);
  EXPECT_EQ(kSep, dir.GetAt(dir.GetLength() - 1));
  ASSERT_LT(dir.GetLength(), path.GetLength());
  EXPECT_EQ(0, std::memcmp(dir.GetBuffer(), path.GetBuffer(), dir.GetLength()));
  // What follows the folder is the program's own name, with no separator.
  EXPECT_EQ(nullptr, std::strchr(path.GetBuffer() + dir.GetLength(), kSep));
  EXPECT_NE(nullptr, std::strstr(path.GetBuffer() + dir.GetLength(), "common_tests"));
}
