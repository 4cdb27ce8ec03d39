// The registry functions against the Windows registry, read back with
// advapi32.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "common/registry.h"

namespace {

std::string UniqueKey(const char* name) {
  return "Software\\Pelmora\\MirelkaTest\\w" + std::to_string(GetTickCount()) + name;
}

TEST(RegistryWin32Test, ReadingCreatesTheKeyAndRawValuesAreRead) {
  std::string key = UniqueKey("read");
  HKEY h;
  ASSERT_NE(RegOpenKeyExA(HKEY_CURRENT_USER, key.c_str(), 0, KEY_READ, &h), ERROR_SUCCESS);
  EXPECT_EQ(ReadRegDword(kHkeyCurrentUser, key.c_str(), "SubDir", 12), 12u);
  ASSERT_EQ(RegOpenKeyExA(HKEY_CURRENT_USER, key.c_str(), 0, KEY_WRITE, &h), ERROR_SUCCESS);
  // A text stored without its terminator still reads as a text when there
  // is room for one, and counts as too long when there is not.
  RegSetValueExA(h, "R", 0, REG_BINARY, reinterpret_cast<const BYTE*>("abcd"), 4);
  RegCloseKey(h);
  char buf[8];
  EXPECT_EQ(ReadRegString(kHkeyCurrentUser, key.c_str(), "R", "d", buf, 5), 1);
  EXPECT_STREQ(buf, "abcd");
  EXPECT_EQ(ReadRegString(kHkeyCurrentUser, key.c_str(), "R", "d", buf, 4), 0);
  EXPECT_STREQ(buf, "d");
  DeleteRegValue(kHkeyCurrentUser, key.c_str(), "R");
  RegDeleteKeyA(HKEY_CURRENT_USER, key.c_str());
}

TEST(RegistryWin32Test, KeyThatCannotBeCreated) {
  // A key name component longer than the registry allows.
  std::string key = "Software\\Pelmora\\MirelkaTest\\" + std::string(300, 'k');
  EXPECT_EQ(ReadRegDword(kHkeyCurrentUser, key.c_str(), "V", 5), 0u);
  char buf[8] = "keep";
  EXPECT_EQ(ReadRegString(kHkeyCurrentUser, key.c_str(), "V", "def", buf, sizeof buf), 0);
  EXPECT_STREQ(buf, "keep");
  EXPECT_EQ(WriteRegDword(kHkeyCurrentUser, key.c_str(), "V", 1), 0);
}

}  // namespace
