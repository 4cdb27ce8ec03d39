// The registry value functions: on Windows (and Wine) against the registry
// itself, under a key of the test's own; elsewhere against a store file in
// a temporary folder. Plain round trips are the end-to-end runs'.
#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <ctime>

#include "common/registry.h"
#include "support/temp_dir.h"
#ifdef _WIN32
#include <windows.h>
#endif

namespace {

const RegRoot kCU = kHkeyCurrentUser;

TEST(Registry, SizeLimitsAndTypes) {
  CTempDir dir;
#ifndef _WIN32
  setenv("MIRELKA_REGISTRY_FILE", (dir / "sub/registry").c_str(), 1);  // made on the first write
#endif
  const std::string key = "Software\\Pelmora\\MirelkaTest\\" + std::to_string(time(nullptr));
  const char* k = key.c_str();
  char buf[260];
  ASSERT_EQ(WriteRegString(kCU, k, "F", "12345"), 1);
  EXPECT_TRUE(ReadRegString(kCU, k, "f", "d", buf, 6) == 1 && !strcmp(buf, "12345"));  // names ignore case
  // No room for the terminator: the default, cut to the buffer, never written past its end.
  memset(buf, 'Z', sizeof buf);
  EXPECT_EQ(ReadRegString(kCU, k, "F", "abcdefghij", buf, 4), 0);
  EXPECT_EQ(std::string(buf, 5), std::string("abc\0Z", 5));
  EXPECT_EQ(ReadRegDword(kCU, k, "F", 9), 9u);  // 6 bytes: at most 4 are taken
#ifdef _WIN32
  // A text stored without its terminator still reads as a text when there
  // is room for one, and counts as too long when there is not.
  HKEY h;
  ASSERT_EQ(RegOpenKeyExA(HKEY_CURRENT_USER, k, 0, KEY_WRITE, &h), ERROR_SUCCESS);
  RegSetValueExA(h, "R", 0, REG_BINARY, reinterpret_cast<const BYTE*>("abcd"), 4);
  RegCloseKey(h);
  EXPECT_TRUE(ReadRegString(kCU, k, "R", "d", buf, 5) == 1 && !strcmp(buf, "abcd"));
  EXPECT_EQ(ReadRegString(kCU, k, "R", "d", buf, 4), 0);
  RegDeleteKeyA(HKEY_CURRENT_USER, k);
  // A key name component longer than the registry allows cannot be created.
  const std::string bad = "Software\\Pelmora\\MirelkaTest\\" + std::string(300, 'k');
#else
  // A store under a plain file: no key can be opened or created.
  ASSERT_TRUE(dir.WriteFile("file", ""));
  setenv("MIRELKA_REGISTRY_FILE", (dir / "file/registry").c_str(), 1);
  const std::string bad = "K";
#endif
  char kept[8] = "keep";
  EXPECT_EQ(ReadRegDword(kCU, bad.c_str(), "V", 5), 0u);
  EXPECT_TRUE(ReadRegString(kCU, bad.c_str(), "V", "def", kept, sizeof kept) == 0 && !strcmp(kept, "keep"));
  EXPECT_EQ(WriteRegDword(kCU, bad.c_str(), "V", 1), 0);
#ifndef _WIN32
  unsetenv("MIRELKA_REGISTRY_FILE");
#endif
}

}  // namespace
