#include "support/fault_fs.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <string>

#include "support/memory_fs.h"

namespace {

// Copies src to dst the way the coders do: block reads and writes, then a
// checked close. 0 or -1 with errno.
int Copy(IFileSystem& fs, const char* src, const char* dst) {
  auto in = fs.Open(src, "rb");
  if (!in) return -1;
  auto out = fs.Open(dst, "wb");
  if (!out) return -1;
  char buf[4];
  size_t n;
  while ((n = in->Read(buf, sizeof buf)) > 0)
    if (out->Write(buf, n) != n) return -1;
  if (in->Error()) return -1;
  return out->Close();
}

TEST(FaultFileSystem, FailsTheChosenCallOnceOrFromThenOn) {
  CMemoryFileSystem mem;
  mem.AddFile("C:\\src", "0123456789");
  CFaultFileSystem fs(mem);
  auto f = fs.Open("C:\\out", "wb");
  ASSERT_TRUE(f);
  fs.FailAt(FsOp::Write, 2, ENOSPC);
  EXPECT_EQ(f->Write("a", 1), 1u);
  errno = 0;
  EXPECT_EQ(f->Write("b", 1), 0u);
  EXPECT_EQ(errno, ENOSPC);
  EXPECT_TRUE(f->Error());
  EXPECT_TRUE(fs.Fired());
  EXPECT_EQ(f->Write("c", 1), 1u);  // once only
  EXPECT_EQ(mem.Contents("C:\\out"), "ac");

  fs.FailAt(FsOp::Stat, 1, EIO, true);
  FileStat st;
  EXPECT_EQ(fs.Stat("C:\\src", st), -1);
  EXPECT_EQ(fs.Stat("C:\\src", st), -1);
  EXPECT_EQ(errno, EIO);
  fs.ClearFaults();
  EXPECT_EQ(fs.Stat("C:\\src", st), 0);

  EXPECT_EQ(fs.Calls(FsOp::Write), 3u);
  EXPECT_EQ(fs.Calls(FsOp::Stat), 3u);
  EXPECT_EQ(fs.Calls(FsOp::Any), 7u);  // and one Open
  fs.ResetCounts();
  EXPECT_EQ(fs.Calls(FsOp::Any), 0u);
  EXPECT_STREQ(FsOpName(FsOp::FindFirst), "FindFirst");
}

TEST(FaultFileSystem, FailedCloseStillReleasesTheFile) {
  CMemoryFileSystem mem;
  CFaultFileSystem fs(mem);
  auto f = fs.Open("x", "wb");
  ASSERT_TRUE(f);
  fs.FailAt(FsOp::Close, 1, ENOSPC);
  errno = 0;
  EXPECT_NE(f->Close(), 0);
  EXPECT_EQ(errno, ENOSPC);
  EXPECT_EQ(mem.OpenFiles(), 0);
}

TEST(FaultFileSystem, EveryFailurePointOfAnOperationIsReached) {
  CMemoryFileSystem mem;
  mem.AddFile("C:\\src", "0123456789");
  unsigned runs = 0;
  for (unsigned n = 1; n < 100; ++n, ++runs) {
    CFaultFileSystem fs(mem);
    fs.FailAt(FsOp::Any, n, EIO);
    int rc = Copy(fs, "C:\\src", "C:\\dst");
    if (!fs.Fired()) {
      EXPECT_EQ(rc, 0);
      break;
    }
    EXPECT_EQ(rc, -1) << "call " << n << " failed unnoticed";
    EXPECT_EQ(errno, EIO);
    EXPECT_EQ(mem.OpenFiles(), 0);
  }
  // 2 opens, 4 reads (the last one meets the end), 3 writes and a close.
  EXPECT_EQ(runs, 10u);
  EXPECT_EQ(mem.Contents("C:\\dst"), "0123456789");
}

TEST(FaultFileSystem, EachOperationCanFail) {
  CMemoryFileSystem mem;
  mem.AddFile("C:\\f", "x");
  CFaultFileSystem fs(mem);
  FindEntry e;
  FileStat st;
  fs.FailAt(FsOp::FindFirst, 1, EACCES);
  EXPECT_FALSE(fs.FindFirst("C:\\*.*", e));
  fs.FailAt(FsOp::GetAttr, 1, EACCES);
  EXPECT_EQ(fs.GetAttributes("C:\\f"), kAttrInvalid);
  fs.FailAt(FsOp::SetAttr, 1, EACCES);
  EXPECT_FALSE(fs.SetAttributes("C:\\f", kAttrReadOnly));
  EXPECT_EQ(mem.GetAttributes("C:\\f"), static_cast<uint32_t>(kAttrArchive));
  fs.FailAt(FsOp::SetTime, 1, EACCES);
  EXPECT_NE(fs.SetTime("C:\\f", 5), 0);
  fs.FailAt(FsOp::Remove, 1, EACCES);
  EXPECT_NE(fs.Remove("C:\\f"), 0);
  EXPECT_TRUE(mem.Exists("C:\\f"));
  auto f = fs.Open("C:\\f", "rb");
  ASSERT_TRUE(f);
  fs.FailAt(FsOp::Seek, 1, EINVAL);
  EXPECT_NE(f->Seek(0, SEEK_SET), 0);
  fs.FailAt(FsOp::Flush, 1, EIO);
  EXPECT_NE(f->Flush(), 0);
  fs.FailAt(FsOp::Read, 1, EIO);
  char c;
  EXPECT_EQ(f->Read(&c, 1), 0u);
  EXPECT_TRUE(f->Error());
  EXPECT_FALSE(f->Eof());
  fs.ClearFaults();
  EXPECT_EQ(fs.Stat("C:\\f", st), 0);
}

}  // namespace
