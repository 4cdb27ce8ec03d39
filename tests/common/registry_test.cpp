// The registry value functions. On Windows (and Wine) they run against the
// real registry under a key of their own; elsewhere against a store file in
// a temporary folder.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <string>

#include "common/registry.h"

#ifdef _WIN32
#include <process.h>
#define getpid _getpid
#else
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace {

class RegistryTest : public ::testing::Test {
 protected:
  void SetUp() override {
    m_key = "Software\\Pelmora\\MirelkaTest\\" + std::to_string(static_cast<long>(getpid())) +
            "_" + std::to_string(static_cast<long>(time(nullptr))) + "_" +
            ::testing::UnitTest::GetInstance()->current_test_info()->name();
#ifndef _WIN32
    char dir[] = "/tmp/mirelka_reg_XXXXXX";
    ASSERT_NE(mkdtemp(dir), nullptr);
    m_dir = dir;
    // The folder of the store is made on the first write.
    m_file = m_dir + "/sub/registry";
    setenv("MIRELKA_REGISTRY_FILE", m_file.c_str(), 1);
#endif
  }
  void TearDown() override {
#ifndef _WIN32
    std::string cmd = "rm -rf '" + m_dir + "'";
    if (system(cmd.c_str()) != 0) ADD_FAILURE() << "cleanup";
    unsetenv("MIRELKA_REGISTRY_FILE");
#endif
  }
  const char* Key() const { return m_key.c_str(); }

  std::string m_key, m_dir, m_file;
};

TEST_F(RegistryTest, MissingValuesGiveDefaults) {
  EXPECT_EQ(ReadRegDword(kHkeyCurrentUser, Key(), "Nothing", 77u), 77u);
  char buf[16];
  EXPECT_EQ(ReadRegString(kHkeyCurrentUser, Key(), "Nothing", "*.*", buf, sizeof buf), 0);
  EXPECT_STREQ(buf, "*.*");
  EXPECT_EQ(DeleteRegValue(kHkeyCurrentUser, Key(), "Nothing"), 0);
}

TEST_F(RegistryTest, ValuesRoundTripAndNamesIgnoreCase) {
  ASSERT_EQ(WriteRegDword(kHkeyCurrentUser, Key(), "SubDir", 0xDEADBEEFu), 1);
  EXPECT_EQ(ReadRegDword(kHkeyCurrentUser, Key(), "SubDir", 0), 0xDEADBEEFu);
  EXPECT_EQ(ReadRegDword(kHkeyCurrentUser, Key(), "subdir", 0), 0xDEADBEEFu);
  ASSERT_EQ(WriteRegDword(kHkeyCurrentUser, Key(), "SUBDIR", 0), 1);
  EXPECT_EQ(ReadRegDword(kHkeyCurrentUser, Key(), "SubDir", 5), 0u);

  const char* path = "D:\\키 파일\\공통=키.bin";  // CP949 bytes, '=' and a space
  ASSERT_EQ(WriteRegString(kHkeyCurrentUser, Key(), "Comm Key=File", path), 1);
  char buf[260];
  EXPECT_EQ(ReadRegString(kHkeyCurrentUser, Key(), "comm key=file", "", buf, sizeof buf), 1);
  EXPECT_STREQ(buf, path);
  ASSERT_EQ(WriteRegString(kHkeyCurrentUser, Key(), "Empty", ""), 1);
  strcpy(buf, "x");
  EXPECT_EQ(ReadRegString(kHkeyCurrentUser, Key(), "Empty", "def", buf, sizeof buf), 1);
  EXPECT_STREQ(buf, "");
}

TEST_F(RegistryTest, TextMustFitTheBufferWithItsTerminator) {
  ASSERT_EQ(WriteRegString(kHkeyCurrentUser, Key(), "F", "12345"), 1);
  char buf[8];
  EXPECT_EQ(ReadRegString(kHkeyCurrentUser, Key(), "F", "d", buf, 6), 1);
  EXPECT_STREQ(buf, "12345");
  EXPECT_EQ(ReadRegString(kHkeyCurrentUser, Key(), "F", "d", buf, 5), 0);
  EXPECT_STREQ(buf, "d");
  // A default longer than the buffer is cut, never written past its end.
  memset(buf, 'Z', sizeof buf);
  EXPECT_EQ(ReadRegString(kHkeyCurrentUser, Key(), "F", "abcdefghij", buf, 4), 0);
  EXPECT_STREQ(buf, "abc");
  EXPECT_EQ(buf[4], 'Z');
}

TEST_F(RegistryTest, DwordReadTakesAtMostFourBytesOfAnyType) {
  ASSERT_EQ(WriteRegString(kHkeyCurrentUser, Key(), "S", "abcd"), 1);  // 5 bytes
  EXPECT_EQ(ReadRegDword(kHkeyCurrentUser, Key(), "S", 9), 9u);
  ASSERT_EQ(WriteRegString(kHkeyCurrentUser, Key(), "S", "ab"), 1);  // 3 bytes
  EXPECT_EQ(ReadRegDword(kHkeyCurrentUser, Key(), "S", 9), 0x6261u);
}

TEST_F(RegistryTest, DeleteRemovesOnlyThatValue) {
  ASSERT_EQ(WriteRegDword(kHkeyCurrentUser, Key(), "A", 1), 1);
  ASSERT_EQ(WriteRegDword(kHkeyCurrentUser, Key(), "B", 2), 1);
  EXPECT_EQ(DeleteRegValue(kHkeyCurrentUser, Key(), "a"), 1);
  EXPECT_EQ(DeleteRegValue(kHkeyCurrentUser, Key(), "A"), 0);
  EXPECT_EQ(ReadRegDword(kHkeyCurrentUser, Key(), "A", 42), 42u);
  EXPECT_EQ(ReadRegDword(kHkeyCurrentUser, Key(), "B", 42), 2u);
}

TEST_F(RegistryTest, KeysAreSeparate) {
  std::string other = m_key + "\\Other";
  ASSERT_EQ(WriteRegDword(kHkeyCurrentUser, Key(), "V", 1), 1);
  ASSERT_EQ(WriteRegDword(kHkeyCurrentUser, other.c_str(), "V", 2), 1);
  EXPECT_EQ(ReadRegDword(kHkeyCurrentUser, Key(), "V", 0), 1u);
  EXPECT_EQ(ReadRegDword(kHkeyCurrentUser, other.c_str(), "V", 0), 2u);
}

#ifndef _WIN32
std::string ReadAll(const std::string& file) {
  std::string s;
  FILE* fp = fopen(file.c_str(), "rb");
  if (!fp) return s;
  int c;
  while ((c = fgetc(fp)) != EOF) s += static_cast<char>(c);
  fclose(fp);
  return s;
}

TEST_F(RegistryTest, StoreFileCreatesKeysOnReadAndKeepsForeignLinesOut) {
  EXPECT_EQ(ReadRegDword(kHkeyCurrentUser, "Software\\New", "X", 3), 3u);
  EXPECT_NE(ReadAll(m_file).find("[HKCU\\Software\\New]\n"), std::string::npos);

  // A hand-edited file: junk lines are skipped, good ones are read.
  FILE* fp = fopen(m_file.c_str(), "wb");
  ASSERT_NE(fp, nullptr);
  fputs("; note\r\n[HKCU\\K]\r\nbroken line\r\nN=4:07000000\r\nBad=4:0G\r\nT=1:414200\r\n", fp);
  fclose(fp);
  EXPECT_EQ(ReadRegDword(kHkeyCurrentUser, "k", "n", 0), 7u);
  EXPECT_EQ(ReadRegDword(kHkeyCurrentUser, "K", "Bad", 5), 5u);
  char buf[8];
  EXPECT_EQ(ReadRegString(kHkeyCurrentUser, "K", "T", "", buf, sizeof buf), 1);
  EXPECT_STREQ(buf, "AB");
  ASSERT_EQ(WriteRegDword(kHkeyLocalMachine, "K", "N", 8), 1);  // another root
  EXPECT_EQ(ReadRegDword(kHkeyCurrentUser, "K", "N", 0), 7u);
}

TEST_F(RegistryTest, UnusableStoreFailsWithoutTouchingTheBuffer) {
  // The store's folder is a plain file: no key can be opened or created.
  std::string blocker = m_dir + "/file";
  FILE* fp = fopen(blocker.c_str(), "wb");
  ASSERT_NE(fp, nullptr);
  fclose(fp);
  setenv("MIRELKA_REGISTRY_FILE", (blocker + "/registry").c_str(), 1);
  EXPECT_EQ(ReadRegDword(kHkeyCurrentUser, "K", "N", 5), 0u);
  char buf[8] = "keep";
  EXPECT_EQ(ReadRegString(kHkeyCurrentUser, "K", "N", "def", buf, sizeof buf), 0);
  EXPECT_STREQ(buf, "keep");
  EXPECT_EQ(WriteRegDword(kHkeyCurrentUser, "K", "N", 1), 0);
  EXPECT_EQ(WriteRegString(kHkeyCurrentUser, "K", "N", "x"), 0);
  EXPECT_EQ(DeleteRegValue(kHkeyCurrentUser, "K", "N"), 0);
}

TEST(RegistryStorePathTest, FollowsTheEnvironment) {
  setenv("MIRELKA_REGISTRY_FILE", "/x/reg", 1);
  EXPECT_EQ(RegistryStorePath(), "/x/reg");
  unsetenv("MIRELKA_REGISTRY_FILE");
  setenv("XDG_CONFIG_HOME", "/cfg", 1);
  EXPECT_EQ(RegistryStorePath(), "/cfg/mirelka/registry");
  unsetenv("XDG_CONFIG_HOME");
  const char* home = getenv("HOME");
  std::string saved = home ? home : "";
  setenv("HOME", "/home/u", 1);
  EXPECT_EQ(RegistryStorePath(), "/home/u/.config/mirelka/registry");
  setenv("HOME", saved.c_str(), 1);
}
#endif

}  // namespace
