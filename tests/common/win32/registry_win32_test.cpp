// The registry functions against the Windows registry, read back with
// advapi32.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "common/registry.h"

namespace {

TEST(RegistryWin32Test, ReadingCreatesTheKeyAndRawValuesAreRead) {
  std::string key = "Software\\Pelmora\\MirelkaTest\\w" + std::to_string(GetTickCount());
  const char* k = key.c_str();
  HKEY h;
  ASSERT_NE(RegOpenKeyExA(HKEY_CURRENT_USER, k, 0, KEY_READ, &h), ERROR_SUCCESS);
  EXPECT_EQ(ReadRegDword(kHkeyCurrentUser, k, "SubDir", 12), 12u);
  ASSERT_EQ(RegOpenKeyExA(HKEY_CURRENT_USER, k, 0, KEY_WRITE, &h), ERROR_SUCCESS);
  // A text stored without its terminator still reads as a text when there
  // is room for one, and counts as too long when there is not.
  RegSetValueExA(h, "R", 0, REG_BINARY, reinterpret_cast<const BYTE*>("abcd"), 4);
  RegCloseKey(h);
  char buf[8];
  EXPECT_EQ(ReadRegString(kHkeyCurrentUser, k, "R", "d", buf, 5), 1);
  EXPECT_STREQ(buf, "abcd");
  EXPECT_EQ(ReadRegString(kHkeyCurrentUser, k, "R", "d", buf, 4), 0);
  EXPECT_STREQ(buf, "d");
  RegDeleteKeyA(HKEY_CURRENT_USER, k);  // values and all

  // A key name component longer than the registry allows cannot be created.
  std::string bad = "Software\\Pelmora\\MirelkaTest\\" + std::string(300, 'k');
  EXPECT_EQ(ReadRegDword(kHkeyCurrentUser, bad.c_str(), "V", 5), 0u);
  char kept[8] = "keep";
  EXPECT_EQ(ReadRegString(kHkeyCurrentUser, bad.c_str(), "V", "def", kept, sizeof kept), 0);
  EXPECT_STREQ(kept, "keep");
  EXPECT_EQ(WriteRegDword(kHkeyCurrentUser, bad.c_str(), "V", 1), 0);
}

}  // namespace
