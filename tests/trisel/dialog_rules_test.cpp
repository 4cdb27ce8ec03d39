#include "trisel/dialog_rules.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <string>

#include "support/fault_fs.h"
#include "support/memory_fs.h"

namespace {

// The odd names (the end-to-end run meets the plain cases): ".tsl" is all
// extension, no extension is no ".tsl", and folders get no pre-check.
TEST(StartupTest, UsageRefusalOrDialog) {
  CMemoryFileSystem fs;
  fs.AddFile("C:\\d\\.tsl", "x");
  fs.AddFile("C:\\d\\noext", "x");
  fs.AddFolder("C:\\d\\box.tsl");
  const struct { const char *sw, *name; StartAction action; std::string message; } cases[] = {
      {"-e", ".tsl", kStartRefuse, ".tsl\n\n암호화된 파일입니다.\n(이중으로 암호화할 수 없습니다.)"},
      {"-d", "noext", kStartRefuse, "noext\n\n암호화된 파일이 아닙니다.\n(해독할 수 없습니다.)"},
      {"-e", "box.tsl", kStartOpenDialog, ""}};
  for (const auto& c : cases) {
    const std::string path = std::string("C:\\d\\") + c.name;
    const char* argv[] = {"C:\\Mirelka\\Trisel.exe", c.sw, path.c_str()};
    StartDecision d = CheckStartup(3, argv, fs);
    EXPECT_EQ(d.action, c.action) << c.name;
    EXPECT_EQ(d.message.GetBuffer(), c.message) << c.name;
  }
}

// A zero byte must not cut the shown log short; a failed read keeps the old text.
TEST(LogViewText, BannerTextThenTheWholeFileOrAFailure) {
  CMemoryFileSystem memory;
  memory.AddFile("C:\\T\\j.log", std::string("(1) 작업 시간\r\n") + std::string(1, 0) + "x\r\n");
  CMyString out;
  ASSERT_EQ(0, BuildLogViewText(memory, "C:\\T\\j.log", "\r\n배너", out));
  EXPECT_EQ(std::string("\r\n배너\r\n(1) 작업 시간\r\n x\r\n"), std::string(out.GetBuffer(), out.GetLength()));
  for (FsOp op : {FsOp::Seek, FsOp::Read}) {
    CFaultFileSystem fs(memory);
    fs.FailAt(op, 1, EIO);
    CMyString kept("kept");
    EXPECT_EQ(-1, BuildLogViewText(fs, "C:\\T\\j.log", "", kept)) << FsOpName(op);
    EXPECT_STREQ("kept", kept.GetBuffer());
  }
}

}  // namespace
