#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "shellext/command_line.h"
#include "shellext/command_text.h"

namespace {

std::string Str(const CMyString& s) { return std::string(s.GetBuffer(), s.GetLength()); }

TEST(TriselCommandLine, OneFileDecryptIsThreeQuotedTokens) {
  std::vector<CMyString> paths = {CMyString("D:\\내 문서\\보고서 1.hwp")};
  CMyString line;
  BuildTriselCommandLine(CMyString("C:\\Program Files\\Mirelka\\Trisel.exe"),
                         TriselSwitchFor(kCmdDecrypt), paths, line);
  EXPECT_EQ(Str(line),
            "\"C:\\Program Files\\Mirelka\\Trisel.exe\" \"-d\" \"D:\\내 문서\\보고서 1.hwp\"");
}

TEST(TriselCommandLine, PathsKeepTheirOrderAndEmptyEntriesStayInPlace) {
  std::vector<CMyString> paths = {CMyString("C:\\b"), CMyString(""), CMyString("C:\\a")};
  CMyString line;
  BuildTriselCommandLine(CMyString("T.exe"), "-e", paths, line);
  EXPECT_EQ(Str(line), "\"T.exe\" \"-e\" \"C:\\b\" \"\" \"C:\\a\"");

  BuildTriselCommandLine(CMyString("T.exe"), "-e", {}, line);
  EXPECT_EQ(Str(line), "\"T.exe\" \"-e\"");
}

TEST(TriselCommandLine, OnlyOffsetOneDecrypts) {
  EXPECT_STREQ(TriselSwitchFor(0), "-e");
  EXPECT_STREQ(TriselSwitchFor(1), "-d");
  EXPECT_STREQ(TriselSwitchFor(2), "-e");
  EXPECT_STREQ(TriselSwitchFor(0xFFFF), "-e");
}

TEST(TriselCommandLine, ProgramSitsBesideTheDll) {
  CMyString program;
  TriselProgramPath("C:\\Program Files\\트리셀 설치\\TriselShell64.dll", program);
  EXPECT_EQ(Str(program), "C:\\Program Files\\트리셀 설치\\Trisel.exe");
  TriselProgramPath("\\\\server\\share\\TriselShell.dll", program);
  EXPECT_EQ(Str(program), "\\\\server\\share\\Trisel.exe");
}

TEST(CommandText, CopyZeroFillsAndAlwaysTerminates) {
  char buf[16];
  memset(buf, 0x55, sizeof(buf));
  CopyCommandText("Operation1", buf, 12);
  EXPECT_STREQ(buf, "Operation1");
  EXPECT_EQ(buf[11], 0);
  EXPECT_EQ(buf[12], 0x55) << "wrote past the given size";

  // Exactly the text's length: cut one byte short rather than unterminated.
  memset(buf, 0x55, sizeof(buf));
  CopyCommandText("Operation1", buf, 10);
  EXPECT_STREQ(buf, "Operation");
  EXPECT_EQ(buf[10], 0x55);

  memset(buf, 0x55, sizeof(buf));
  CopyCommandText("Operation1", buf, 1);
  EXPECT_EQ(buf[0], 0);
  EXPECT_EQ(buf[1], 0x55);
  CopyCommandText("Operation1", buf, 0);
  EXPECT_EQ(buf[1], 0x55);
}

TEST(CommandText, WideCopyCountsCharacters) {
  char16_t buf[8];
  for (char16_t& c : buf) c = 0x5555;
  CopyCommandTextW("TriselShell", buf, 7);
  EXPECT_EQ(std::u16string(buf), u"Trisel");
  EXPECT_EQ(buf[7], 0x5555);
  CopyCommandTextW("ab", buf, 5);
  EXPECT_EQ(buf[2], 0);
  EXPECT_EQ(buf[4], 0);
}

}  // namespace
