// The real disk where the end-to-end runs do not go: read-only files (the
// in-memory stand-in copies their rule), files above 4 GiB and a full disk.
#include <gtest/gtest.h>

#include <cerrno>

#include "support/temp_dir.h"
#include "common/filesystem.h"

namespace {

TEST(RealFileSystem, ReadOnlyFilesRefuseWritesAndRemoval) {
  CTempDir dir;
  const std::string path = dir / "f";
  ASSERT_TRUE(dir.WriteFile("f", "12345"));
  IFileSystem& fs = RealFileSystem();
  ASSERT_TRUE(fs.SetAttributes(path.c_str(), kAttrArchive | kAttrReadOnly));
  EXPECT_EQ(fs.GetAttributes(path.c_str()), kAttrArchive | kAttrReadOnly);
  errno = 0;
  EXPECT_TRUE(!fs.Open(path.c_str(), "wb") && errno == EACCES);
  EXPECT_NE(fs.Remove(path.c_str()), 0);
  EXPECT_EQ(dir.ReadFile("f"), "12345");
}

TEST(RealFileSystem, FilesAboveFourGiB) {
  CTempDir dir;
  const std::string path = dir / "huge.bin";
  const int64_t at = (int64_t{1} << 32) + 10;  // sparse on the test disks
  auto f = RealFileSystem().Open(path.c_str(), "wb");
  ASSERT_TRUE(f && f->Seek(at, SEEK_SET) == 0 && f->Write("z", 1) == 1);
  EXPECT_EQ(f->Tell(), at + 1);
  ASSERT_EQ(f->Close(), 0);
  FileStat st;
  FindEntry e;
  ASSERT_TRUE(RealFileSystem().Stat(path.c_str(), st) == 0 && RealFileSystem().FindFirst(path.c_str(), e));
  EXPECT_TRUE(st.size == static_cast<uint64_t>(at + 1) && e.size == st.size);
}

#ifndef _WIN32
TEST(RealFileSystem, AFullDiskIsReportedByWriteOrClose) {
  for (size_t size : {size_t{3}, size_t{1} << 20}) {  // buffered until the close, or not
    auto f = RealFileSystem().Open("/dev/full", "wb");
    if (!f) GTEST_SKIP() << "no /dev/full";
    std::string block(size, 'x');
    EXPECT_EQ(f->Write(block.data(), size) == size, size == 3);
    errno = 0;
    EXPECT_TRUE(f->Close() != 0 && errno == ENOSPC);
  }
}
#endif

}  // namespace
