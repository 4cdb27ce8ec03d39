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
  for (const char* f : {"a.txt", "c.tsl", "noext", ".tsl"})
    fs.AddFile(std::string("C:\\d\\") + f, "x");
  fs.AddFolder("C:\\d\\box.tsl");
  const char* const kSealed = "\n\n암호화된 파일입니다.\n(이중으로 암호화할 수 없습니다.)";
  const char* const kPlain = "\n\n암호화된 파일이 아닙니다.\n(해독할 수 없습니다.)";
  // Rows: the switch, the names in C:\d, the decision. The
  // end-to-end run meets the plain cases (no or a wrong switch, a sealed or
  // plain file, several paths); these are the odd ones.
  const struct { const char* sw; std::vector<const char*> names; StartAction action;
                 std::string message; } cases[] = {
      {"/e", {"a.txt", "c.tsl"}, kStartUsage, ""},
      // ".tsl" is all extension; no extension at all is no ".tsl".
      {"-e", {".tsl"}, kStartRefuse, std::string(".tsl") + kSealed},
      {"-d", {"noext"}, kStartRefuse, std::string("noext") + kPlain},
      // No pre-check for folders or missing paths.
      {"-e", {"box.tsl"}, kStartOpenDialog, ""}, {"-e", {"gone.tsl"}, kStartOpenDialog, ""}};
  for (const auto& c : cases) {
    std::vector<std::string> args = {"C:\\Mirelka\\Trisel.exe", c.sw};
    for (const char* name : c.names) args.push_back(std::string("C:\\d\\") + name);
    std::vector<const char*> argv;
    for (const std::string& a : args) argv.push_back(a.c_str());
    StartDecision d = CheckStartup(static_cast<int>(argv.size()), argv.data(), fs);
    const std::string what = std::string(c.sw) + " " + c.names[0];
    EXPECT_EQ(d.action, c.action) << what;
    EXPECT_EQ(d.message.GetBuffer(), c.message) << what;
    EXPECT_TRUE(d.action == kStartUsage || d.encrypt == (std::string(c.sw) == "-e")) << what;
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
