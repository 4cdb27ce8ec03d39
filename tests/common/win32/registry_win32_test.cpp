// The registry functions against the Windows registry itself, read back
// with advapi32.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "common/registry.h"

namespace {

std::string UniqueKey(const char* name) {
  return "Software\\Pelmora\\MirelkaTest\\w" + std::to_string(GetCurrentProcessId()) + "_" +
         std::to_string(GetTickCount()) + "_" + name;
}

bool KeyExists(const std::string& subkey) {
  HKEY key;
  if (RegOpenKeyExA(HKEY_CURRENT_USER, subkey.c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS)
    return false;
  RegCloseKey(key);
  return true;
}

TEST(RegistryWin32Test, ReadingCreatesTheKey) {
  std::string key = UniqueKey("read");
  ASSERT_FALSE(KeyExists(key));
  EXPECT_EQ(ReadRegDword(kHkeyCurrentUser, key.c_str(), "SubDir", 12), 12u);
  EXPECT_TRUE(KeyExists(key));
  RegDeleteKeyA(HKEY_CURRENT_USER, key.c_str());
}

TEST(RegistryWin32Test, StoredTypesAndLengths) {
  std::string key = UniqueKey("types");
  ASSERT_EQ(WriteRegDword(kHkeyCurrentUser, key.c_str(), "D", 0x01020304u), 1);
  ASSERT_EQ(WriteRegString(kHkeyCurrentUser, key.c_str(), "S", "*.txt"), 1);
  HKEY h;
  ASSERT_EQ(RegOpenKeyExA(HKEY_CURRENT_USER, key.c_str(), 0, KEY_READ, &h), ERROR_SUCCESS);
  DWORD type = 0, size = 0;
  EXPECT_EQ(RegQueryValueExA(h, "D", nullptr, &type, nullptr, &size), ERROR_SUCCESS);
  EXPECT_EQ(type, static_cast<DWORD>(REG_DWORD));
  EXPECT_EQ(size, 4u);
  EXPECT_EQ(RegQueryValueExA(h, "S", nullptr, &type, nullptr, &size), ERROR_SUCCESS);
  EXPECT_EQ(type, static_cast<DWORD>(REG_SZ));
  EXPECT_EQ(size, 6u);  // the terminator is counted
  RegCloseKey(h);
  DeleteRegValue(kHkeyCurrentUser, key.c_str(), "D");
  DeleteRegValue(kHkeyCurrentUser, key.c_str(), "S");
  RegDeleteKeyA(HKEY_CURRENT_USER, key.c_str());
}

TEST(RegistryWin32Test, TextWithoutTerminator) {
  std::string key = UniqueKey("raw");
  HKEY h;
  ASSERT_EQ(RegCreateKeyExA(HKEY_CURRENT_USER, key.c_str(), 0, nullptr, 0, KEY_WRITE, nullptr, &h,
                            nullptr),
            ERROR_SUCCESS);
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
