#include "trisel/dialog_rules.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <string>
#include <vector>

#include "support/fault_fs.h"
#include "support/memory_fs.h"

namespace {

TEST(StartupTest, UsageRefusalOrDialog) {
  CMemoryFileSystem fs;
  for (const char* f : {"a.txt", "b.TSL", "c.tsl", "noext", ".tsl"})
    fs.AddFile(std::string("C:\\d\\") + f, "x");
  fs.AddFolder("C:\\d\\box.tsl");
  const char* const kSealed = "\n\n암호화된 파일입니다.\n(이중으로 암호화할 수 없습니다.)";
  const char* const kPlain = "\n\n암호화된 파일이 아닙니다.\n(해독할 수 없습니다.)";
  const struct { std::vector<const char*> args; StartAction action; std::string message; } cases[] = {
      {{}, kStartUsage, ""}, {{"-e"}, kStartUsage, ""},
      // The switch is exact and case-sensitive.
      {{"-E", "C:\\d\\a.txt"}, kStartUsage, ""}, {{"/e", "C:\\d\\a.txt", "C:\\d\\c.tsl"}, kStartUsage, ""},
      // A single file whose extension does not suit the mode (".tsl" is all extension).
      {{"-e", "C:\\d\\b.TSL"}, kStartRefuse, std::string("b.TSL") + kSealed},
      {{"-e", "C:\\d\\.tsl"}, kStartRefuse, std::string(".tsl") + kSealed},
      {{"-d", "C:\\d\\noext"}, kStartRefuse, std::string("noext") + kPlain},
      // No pre-check for folders, missing paths or several paths.
      {{"-e", "C:\\d\\a.txt"}, kStartOpenDialog, ""}, {{"-d", "C:\\d\\c.tsl"}, kStartOpenDialog, ""},
      {{"-e", "C:\\d\\box.tsl"}, kStartOpenDialog, ""}, {{"-e", "C:\\d\\gone.tsl"}, kStartOpenDialog, ""},
      {{"-d", "C:\\d\\a.txt", "C:\\d\\c.tsl"}, kStartOpenDialog, ""}};
  for (const auto& c : cases) {
    std::vector<const char*> argv = c.args;
    argv.insert(argv.begin(), "C:\\Mirelka\\Trisel.exe");
    StartDecision d = CheckStartup(static_cast<int>(argv.size()), argv.data(), fs);
    std::string what = argv.size() > 2 ? std::string(argv[1]) + " " + argv[2] : "";
    EXPECT_EQ(d.action, c.action) << what;
    EXPECT_EQ(d.message.GetBuffer(), c.message) << what;
    EXPECT_TRUE(d.action == kStartUsage || d.encrypt == (std::string(argv[1]) == "-e")) << what;
  }
}

TEST(LogViewText, BannerTextThenTheWholeFileOrAFailure) {
  CMemoryFileSystem memory;
  memory.AddFile("C:\\T\\j.log", std::string("(1) 작업 시간\r\n") + std::string(1, 0) + "x\r\n");
  CMyString out;
  ASSERT_EQ(0, BuildLogViewText(memory, "C:\\T\\j.log", "\r\n배너", out));
  // A zero byte in the file must not cut the shown text short.
  EXPECT_EQ(std::string("\r\n배너\r\n(1) 작업 시간\r\n x\r\n"),
            std::string(out.GetBuffer(), out.GetLength()));
  memory.AddFile("C:\\T\\empty.log", "");
  ASSERT_EQ(0, BuildLogViewText(memory, "C:\\T\\empty.log", "", out));
  EXPECT_STREQ("\r\n", out.GetBuffer());
  EXPECT_EQ(-1, BuildLogViewText(memory, "C:\\T\\missing.log", "", out));
  for (FsOp op : {FsOp::Seek, FsOp::Read}) {
    CFaultFileSystem fs(memory);
    fs.FailAt(op, 1, EIO);
    CMyString kept("kept");
    EXPECT_EQ(-1, BuildLogViewText(fs, "C:\\T\\j.log", "", kept)) << FsOpName(op);
    EXPECT_STREQ("kept", kept.GetBuffer());
  }
}

}  // namespace
