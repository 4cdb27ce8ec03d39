#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "support/fake_http.h"
#include "update/update_rules.h"

namespace {

// Only a strictly higher number within the first 1024 bytes is an update.
TEST(UpdateCheck, OnlyAStrictlyHigherNumberIsAnUpdate) {
  const std::pair<std::string, int> cases[] = {
      {" 1.0 \r\n", 0}, {"1.01", 1}, {"1.\r\n5\r\n", 1}, {"1.1 beta", 1}, {"<html>404</html>", 0}, {"inf", 0},
      {"nan", 0}, {"0x10", 0}, {std::string(1022, ' ') + "1.5", 0}, {std::string(1021, ' ') + "1.5", 1}};
  for (const auto& c : cases) {
    CFakeHttpClient server;
    server.objects["mirelka/update_ver.ini"].body = c.first;
    EXPECT_EQ(c.second, CheckForUpdate(server, "h", 80)) << "[" << c.first.substr(0, 40) << "]";
  }
}

// The end-to-end run starts update.exe with none, "mirelka" and "Mirelka x".
TEST(CommandLine, ArgumentsAreComparedWholeAndExactly) {
  EXPECT_STREQ("Files\\M\\update.exe Mirelka", CommandLineTail("C:\\Program Files\\M\\update.exe Mirelka"));
  EXPECT_STREQ("noupdate", CommandLineTail("C:\\M\\Mirelka.exe   noupdate"));
  EXPECT_FALSE(IsUpdaterArgument("Mirelka ") || IsNoUpdateArgument("NOUPDATE") || IsNoUpdateArgument("noupdate x"));
}

TEST(UpdateList, AnyUnsafeOrRepeatedNameRefusesTheWholeList) {
  std::vector<std::string> names;
  EXPECT_EQ(2, ParseUpdateList(CMyString("a.exe\r\n\r\n b .dll \r\n"), names));
  EXPECT_EQ((std::vector<std::string>{"a.exe", "b.dll"}), names);
  EXPECT_EQ(1, ParseUpdateList(CMyString("\xC7\x5C.txt\n"), names));  // a Hangul name whose trail byte is '\'
  const std::string bad[] = {
      "C:\\Windows\\evil.exe", "c:evil.exe", "\\evil.exe", "/etc/passwd", "..\\evil.exe", "../evil.exe",
      "sub\\a.exe", "\\\\server\\share\\a.exe", "a.exe:stream", "..", ".", "a.exe.", "CON", "nul.txt", "Com1",
      "LPT9.log", "CONOUT$", "a*.exe", "a?.exe", "a<b", "a|b", "a\"b", "\x01.exe", "update", "UPDATE", "~old",
      "\xC7",  // a lead byte with nothing after it
      "A.EXE", std::string(260, 'n')};
  for (const std::string& name : bad) {
    EXPECT_EQ(-1, ParseUpdateList(CMyString(("a.exe\r\n" + name + "\r\n").c_str()), names)) << name;
    EXPECT_TRUE(names.empty()) << name;
  }
  EXPECT_EQ(-1, ParseUpdateList(CMyString(" \t\r\n\r\n"), names));
  // Names that only look like the refused ones.
  const std::string fines[] = {"console.exe", "COM10.txt", "update.exe", "a..b", ".hidden", std::string(259, 'n')};
  for (const std::string& fine : fines)
    EXPECT_EQ(1, ParseUpdateList(CMyString(fine.c_str()), names)) << fine;
}

}  // namespace
