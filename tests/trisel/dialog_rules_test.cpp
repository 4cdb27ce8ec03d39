#include "trisel/dialog_rules.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <string>
#include <vector>

#include "support/memory_fs.h"

namespace {

StartDecision Start(CMemoryFileSystem& fs, std::vector<const char*> args) {
  args.insert(args.begin(), "C:\\Mirelka\\Trisel.exe");
  return CheckStartup(static_cast<int>(args.size()), args.data(), fs);
}

class StartupTest : public ::testing::Test {
 protected:
  void SetUp() override {
    fs.AddFile("C:\\docs\\a.txt", "plain");
    fs.AddFile("C:\\docs\\b.TSL", "sealed");
    fs.AddFile("C:\\docs\\c.tsl", "sealed");
    fs.AddFile("C:\\docs\\noext", "x");
    fs.AddFile("C:\\docs\\.tsl", "x");
    fs.AddFolder("C:\\docs\\box.tsl");
  }
  CMemoryFileSystem fs;
};

TEST_F(StartupTest, UsageForMissingPathsAndForeignSwitches) {
  EXPECT_EQ(kStartUsage, Start(fs, {}).action);
  EXPECT_EQ(kStartUsage, Start(fs, {"-e"}).action);
  EXPECT_EQ(kStartUsage, Start(fs, {"-d"}).action);
  // The switch is exact and case-sensitive, also with several paths.
  for (const char* sw : {"-E", "-D", "e", "/e", "-ee", "", "-x"}) {
    EXPECT_EQ(kStartUsage, Start(fs, {sw, "C:\\docs\\a.txt"}).action) << sw;
    EXPECT_EQ(kStartUsage, Start(fs, {sw, "C:\\docs\\a.txt", "C:\\docs\\c.tsl"}).action) << sw;
  }
}

TEST_F(StartupTest, SingleFileRefusedWhenItsExtensionDoesNotSuitTheMode) {
  StartDecision d = Start(fs, {"-e", "C:\\docs\\b.TSL"});
  EXPECT_EQ(kStartRefuse, d.action);
  EXPECT_TRUE(d.encrypt);
  EXPECT_STREQ("b.TSL\n\n암호화된 파일입니다.\n(이중으로 암호화할 수 없습니다.)", d.message.GetBuffer());
  EXPECT_EQ(kStartRefuse, Start(fs, {"-e", "C:\\docs\\c.tsl"}).action);

  d = Start(fs, {"-d", "C:\\docs\\a.txt"});
  EXPECT_EQ(kStartRefuse, d.action);
  EXPECT_FALSE(d.encrypt);
  EXPECT_STREQ("a.txt\n\n암호화된 파일이 아닙니다.\n(해독할 수 없습니다.)", d.message.GetBuffer());
  EXPECT_STREQ("noext\n\n암호화된 파일이 아닙니다.\n(해독할 수 없습니다.)",
               Start(fs, {"-d", "C:\\docs\\noext"}).message.GetBuffer());
  // A name that is all extension is still a .tsl name, as the runtime splits it.
  EXPECT_EQ(kStartRefuse, Start(fs, {"-e", "C:\\docs\\.tsl"}).action);
}

TEST_F(StartupTest, NoPreCheckForFoldersMissingPathsOrSeveralPaths) {
  EXPECT_EQ(kStartOpenDialog, Start(fs, {"-e", "C:\\docs\\a.txt"}).action);
  EXPECT_EQ(kStartOpenDialog, Start(fs, {"-d", "C:\\docs\\c.tsl"}).action);
  EXPECT_EQ(kStartOpenDialog, Start(fs, {"-d", "C:\\docs"}).action);
  EXPECT_EQ(kStartOpenDialog, Start(fs, {"-e", "C:\\docs\\box.tsl"}).action);  // a folder
  EXPECT_EQ(kStartOpenDialog, Start(fs, {"-e", "C:\\docs\\gone.tsl"}).action);  // no attributes
  EXPECT_EQ(kStartOpenDialog, Start(fs, {"-e", "C:\\docs\\a.txt", "C:\\docs\\c.tsl"}).action);
  EXPECT_TRUE(Start(fs, {"-e", "C:\\docs"}).encrypt);
  EXPECT_FALSE(Start(fs, {"-d", "C:\\docs"}).encrypt);
}

TEST(LogViewText, BannerTextThenTheWholeFile) {
  CMemoryFileSystem fs;
  fs.AddFile("C:\\T\\Trisel.exe.log", std::string("(1) 작업 시간\r\n") + std::string(1, 0) + "x\r\n");
  CMyString out;
  ASSERT_EQ(0, BuildLogViewText(fs, "C:\\T\\Trisel.exe.log", "\r\n배너", out));
  // A zero byte in the file must not cut the shown text short.
  EXPECT_EQ(std::string("\r\n배너\r\n(1) 작업 시간\r\n x\r\n"), std::string(out.GetBuffer(), out.GetLength()));

  fs.AddFile("C:\\T\\empty.log", "");
  ASSERT_EQ(0, BuildLogViewText(fs, "C:\\T\\empty.log", "", out));
  EXPECT_STREQ("\r\n", out.GetBuffer());
  EXPECT_EQ(-1, BuildLogViewText(fs, "C:\\T\\Trisel.exe_err.log", "", out));
}

TEST(LogViewText, ReadFailureIsReported) {
  CMemoryFileSystem memory;
  memory.AddFile("C:\\T\\Trisel.exe.log", std::string(5000, 'a'));
  for (FsOp op : {FsOp::Open, FsOp::Seek, FsOp::Read}) {
    CFaultFileSystem fs(memory);
    fs.FailAt(op, 1, EIO);
    CMyString out("kept");
    EXPECT_EQ(-1, BuildLogViewText(fs, "C:\\T\\Trisel.exe.log", "", out)) << FsOpName(op);
    EXPECT_STREQ("kept", out.GetBuffer());
  }
}

TEST(ModeLook, ColoursTitlesAndBannerText) {
  ModeColours e = ColoursOfMode(true), d = ColoursOfMode(false);
  EXPECT_EQ(Rgb(0xFF, 0x80, 0x80), e.bandStart);
  EXPECT_EQ(Rgb(0xF2, 0x22, 0x22), e.shadow);
  EXPECT_EQ(Rgb(0xFF, 0xE1, 0xE1), e.bannerBack);
  EXPECT_EQ(Rgb(0xAA, 0xC6, 0xF8), d.bandStart);
  EXPECT_EQ(Rgb(0x41, 0x5B, 0xC9), d.shadow);
  EXPECT_EQ(Rgb(0xE6, 0xF0, 0xFF), d.bannerBack);
  EXPECT_EQ(0x8080FFu, e.bandStart);  // COLORREF byte order: red lowest
  EXPECT_STREQ("암호 - Trisel v1.0", TitleOfMode(true));
  EXPECT_STREQ("해독 - Trisel v1.0", TitleOfMode(false));
  EXPECT_STREQ("banner_ori_en.gif|banner_ori_en.gif|http://h/|",
               BannerStartText(true, "http://h/").GetBuffer());
  EXPECT_STREQ("banner_ori_de.gif|banner_ori_de.gif|http://h/|",
               BannerStartText(false, "http://h/").GetBuffer());
}

}  // namespace
