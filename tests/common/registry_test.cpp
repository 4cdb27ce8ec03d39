// The registry value functions: on Windows (and Wine) against the registry
// itself, under a key of the test's own; elsewhere against a store file in
// a temporary folder (made on the first write).
#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <ctime>
#include <string>

#include "common/registry.h"
#include "support/temp_dir.h"

namespace {

const RegRoot kCU = kHkeyCurrentUser;

class RegistryTest : public ::testing::Test {
 protected:
#ifndef _WIN32
  void SetUp() override { setenv("MIRELKA_REGISTRY_FILE", (m_dir / "sub/registry").c_str(), 1); }
  void TearDown() override { unsetenv("MIRELKA_REGISTRY_FILE"); }
#endif
  const char* Key() const { return m_key.c_str(); }

  CTempDir m_dir;
  std::string m_key = "Software\\Pelmora\\MirelkaTest\\" + std::to_string(time(nullptr)) +
                      ::testing::UnitTest::GetInstance()->current_test_info()->name();
};

TEST_F(RegistryTest, DefaultsRoundTripsDeletionAndSizeLimits) {
  char buf[260];
  EXPECT_EQ(ReadRegDword(kCU, Key(), "SubDir", 77u), 77u);
  EXPECT_EQ(ReadRegString(kCU, Key(), "Filter", "*.*", buf, sizeof buf), 0);
  EXPECT_STREQ(buf, "*.*");
  EXPECT_EQ(DeleteRegValue(kCU, Key(), "SubDir"), 0);

  ASSERT_EQ(WriteRegDword(kCU, Key(), "SubDir", 0xDEADBEEFu), 1);
  EXPECT_EQ(ReadRegDword(kCU, Key(), "subdir", 0), 0xDEADBEEFu);  // names ignore case
  const char* path = "D:\\키 파일\\공통=키.bin";  // CP949 bytes, '=' and a space
  ASSERT_EQ(WriteRegString(kCU, Key(), "Comm Key=File", path), 1);
  EXPECT_EQ(ReadRegString(kCU, Key(), "comm key=file", "", buf, sizeof buf), 1);
  EXPECT_STREQ(buf, path);
  ASSERT_EQ(WriteRegString(kCU, Key(), "Empty", ""), 1);
  EXPECT_EQ(ReadRegString(kCU, Key(), "Empty", "def", buf, sizeof buf), 1);
  EXPECT_STREQ(buf, "");
  EXPECT_EQ(DeleteRegValue(kCU, Key(), "SUBDIR"), 1);
  EXPECT_EQ(ReadRegDword(kCU, Key(), "SubDir", 42), 42u);

  // Size limits.
  ASSERT_EQ(WriteRegString(kCU, Key(), "F", "12345"), 1);
  EXPECT_EQ(ReadRegString(kCU, Key(), "F", "d", buf, 6), 1);
  EXPECT_STREQ(buf, "12345");
  EXPECT_EQ(ReadRegString(kCU, Key(), "F", "d", buf, 5), 0);  // no room for the terminator
  EXPECT_STREQ(buf, "d");
  // A default longer than the buffer is cut, never written past its end.
  memset(buf, 'Z', sizeof buf);
  EXPECT_EQ(ReadRegString(kCU, Key(), "F", "abcdefghij", buf, 4), 0);
  EXPECT_EQ(std::string(buf, 5), std::string("abc\0Z", 5));
  // A DWORD read takes at most 4 bytes, whatever the type.
  EXPECT_EQ(ReadRegDword(kCU, Key(), "F", 9), 9u);  // 6 bytes
  ASSERT_EQ(WriteRegString(kCU, Key(), "F", "ab"), 1);
  EXPECT_EQ(ReadRegDword(kCU, Key(), "F", 9), 0x6261u);
}

#ifndef _WIN32
TEST_F(RegistryTest, StoreFile) {
  EXPECT_EQ(ReadRegDword(kCU, "Software\\New", "X", 3), 3u);  // reading creates the key
  EXPECT_NE(m_dir.ReadFile("sub/registry").find("[HKCU\\Software\\New]\n"), std::string::npos);
  // A hand-edited file: junk lines are skipped, good ones are read.
  ASSERT_TRUE(m_dir.WriteFile("sub/registry", "; note\r\n[HKCU\\K]\r\nbroken line\r\n"
                                              "N=4:07000000\r\nBad=4:0G\r\nT=1:414200\r\n"));
  EXPECT_EQ(ReadRegDword(kCU, "k", "n", 0), 7u);
  EXPECT_EQ(ReadRegDword(kCU, "K", "Bad", 5), 5u);
  char buf[8] = "keep";
  EXPECT_EQ(ReadRegString(kCU, "K", "T", "", buf, sizeof buf), 1);
  EXPECT_STREQ(buf, "AB");
  ASSERT_EQ(WriteRegDword(kHkeyLocalMachine, "K", "N", 8), 1);  // another root
  EXPECT_EQ(ReadRegDword(kCU, "K", "N", 0), 7u);

  // A store under a plain file: no key can be opened or created.
  ASSERT_TRUE(m_dir.WriteFile("file", ""));
  setenv("MIRELKA_REGISTRY_FILE", (m_dir / "file/registry").c_str(), 1);
  EXPECT_EQ(ReadRegDword(kCU, "K", "N", 5), 0u);
  EXPECT_EQ(ReadRegString(kCU, "K", "N", "def", buf, sizeof buf), 0);
  EXPECT_STREQ(buf, "AB");
  EXPECT_EQ(WriteRegDword(kCU, "K", "N", 1) + WriteRegString(kCU, "K", "N", "x"), 0);
  EXPECT_EQ(DeleteRegValue(kCU, "K", "N"), 0);
}
#endif

}  // namespace
