#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "support/fake_http.h"
#include "update/update_rules.h"

namespace {

TEST(UpdateCheck, OnlyAStrictlyHigherNumberIsAnUpdate) {
  struct Case {
    std::string text;
    int want;
  } cases[] = {
      {" 1.0 \r\n", 0},
      {"1.01", 1},
      {"0.9", 0},
      {"1.\r\n5\r\n", 1},  // 1.5 once the line break is gone
      {"1.1 beta", 1},
      {"2e0", 1},
      {"-3", 0},
      {"<html>404 Not Found</html>", 0},
      {"", 0},
      {"inf", 0},
      {"0x10", 0},
      {"nan", 0},
      {".5", 0},
      {std::string(1024, ' ') + "9.0", 0},  // the number lies past the first 1024 bytes
      {std::string(1022, ' ') + "1.5", 0},  // only "1." is read
      {std::string(1021, ' ') + "1.5", 1},
  };
  for (const Case& c : cases) {
    CFakeHttpClient server;
    server.objects["mirelka/update_ver.ini"].body = c.text;
    EXPECT_EQ(c.want, CheckForUpdate(server, "h", 80)) << "[" << c.text.substr(0, 40) << "]";
  }
  CFakeHttpClient down;
  down.reachable = false;
  EXPECT_EQ(0, CheckForUpdate(down, "h", 80));
}

TEST(CommandLine, ArgumentsAreComparedWholeAndExactly) {
  EXPECT_STREQ("Mirelka", CommandLineTail("\"C:\\Program Files\\M\\update.exe\" Mirelka"));
  EXPECT_STREQ("Files\\M\\update.exe Mirelka", CommandLineTail("C:\\Program Files\\M\\update.exe Mirelka"));
  EXPECT_STREQ("noupdate", CommandLineTail("C:\\M\\Mirelka.exe   noupdate"));
  EXPECT_STREQ("", CommandLineTail("Mirelka.exe"));
  EXPECT_TRUE(IsUpdaterArgument("Mirelka"));
  // The end-to-end run starts update.exe with none, "mirelka" and "Mirelka x".
  for (const char* bad : {"MIRELKA", "Mirelka "}) EXPECT_FALSE(IsUpdaterArgument(bad)) << bad;
  for (const char* bad : {"NOUPDATE", "noupdate x", ""}) EXPECT_FALSE(IsNoUpdateArgument(bad)) << bad;
  EXPECT_STREQ("\"C:\\A B\\update.exe\" Mirelka",
               ProgramCommandLine(CMyString("C:\\A B\\update.exe"), "Mirelka").GetBuffer());
}

TEST(UpdateList, NamesInListOrderWithoutBlanksOrEmptyLines) {
  std::vector<std::string> names;
  EXPECT_EQ(2, ParseUpdateList(CMyString("a.exe\r\n\r\n b.dll \r\n"), names));
  EXPECT_EQ((std::vector<std::string>{"a.exe", "b.dll"}), names);
  EXPECT_EQ(1, ParseUpdateList(CMyString("\r\nmy file.txt"), names));
  EXPECT_EQ((std::vector<std::string>{"myfile.txt"}), names);
  EXPECT_EQ(1, ParseUpdateList(CMyString("\xC7\x5C.txt\n"), names));  // a Hangul name whose trail byte is '\'
  EXPECT_EQ(std::string(259, 'n'), (ParseUpdateList(CMyString(std::string(259, 'n').c_str()), names), names[0]));
}

TEST(UpdateList, AnyUnsafeOrRepeatedNameRefusesTheWholeList) {
  const char* const bad[] = {
      "C:\\Windows\\evil.exe", "c:evil.exe", "\\evil.exe", "/etc/passwd", "..\\evil.exe", "../evil.exe",
      "sub\\a.exe", "\\\\server\\share\\a.exe", "a.exe:stream", "..", ".", "a.exe.", "CON", "nul.txt", "Com1",
      "LPT9.log", "CONOUT$", "a*.exe", "a?.exe", "a<b", "a|b", "a\"b", "\x01.exe", "update", "UPDATE", "~old",
      "\xC7",  // a lead byte with nothing after it
  };
  std::vector<std::string> names;
  for (const char* name : bad) {
    std::string list = std::string("good.exe\r\n") + name + "\r\n";
    EXPECT_EQ(-1, ParseUpdateList(CMyString(list.c_str()), names)) << name;
    EXPECT_TRUE(names.empty()) << name;
  }
  EXPECT_EQ(-1, ParseUpdateList(CMyString(std::string(260, 'n').c_str()), names));
  EXPECT_EQ(-1, ParseUpdateList(CMyString("a.exe\nb.dll\nA.EXE\n"), names));
  for (const char* empty : {"", "\r\n", " \t\r\n\r\n"}) EXPECT_EQ(-1, ParseUpdateList(CMyString(empty), names));
  // Names that only look like the refused ones.
  for (const char* fine : {"console.exe", "COM10.txt", "updater.exe", "update.exe", "a..b", ".hidden"})
    EXPECT_EQ(1, ParseUpdateList(CMyString(fine), names)) << fine;
}

}  // namespace
