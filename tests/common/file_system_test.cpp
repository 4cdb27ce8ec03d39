// The same cases against the platform's real file system (in a temporary
// folder) and against the in-memory stand-in, so that the stand-in keeps
// behaving like the disk the programs really use.
#include <gtest/gtest.h>

#include <algorithm>
#include <cerrno>

#include "support/memory_fs.h"

namespace {

using Names = std::vector<std::string>;

class FileSystemTest : public ::testing::TestWithParam<bool> {
 protected:
  void SetUp() override {
    if (GetParam()) m_base = *(m_dir = std::make_unique<CTempDir>()) / "";
    if (m_dir) ASSERT_TRUE(m_dir->MakeDir("d"));
    else m_mem.AddFolder(m_base + "d");
  }
  IFileSystem& Fs() { return GetParam() ? RealFileSystem() : m_mem; }
  const char* P(const std::string& name) { return (m_path = m_base + name).c_str(); }
  std::unique_ptr<IFile> Open(const std::string& name, const char* mode) { return Fs().Open(P(name), mode); }
  void Put(const std::string& name, const std::string& bytes) {
    auto f = Open(name, "wb");
    ASSERT_TRUE(f && f->Write(bytes.data(), bytes.size()) == bytes.size() && f->Close() == 0) << name;
  }
  std::string Get(const std::string& name) {
    auto f = Open(name, "rb");
    char buf[1000];
    std::string all;
    for (size_t n; f && (n = f->Read(buf, sizeof buf)) > 0;) all.append(buf, n);
    EXPECT_TRUE(f && f->Eof() && !f->Error() && f->Close() == 0) << name;
    return all;
  }
  Names Find(const std::string& pattern) {  // sorted, once "." and ".." are seen to come first
    Names names;
    FindEntry e;
    auto find = Fs().FindFirst(P(pattern), e);
    if (!find) EXPECT_EQ(errno, ENOENT) << pattern;
    else do names.push_back(e.name);
    while (find->Next(e));
    EXPECT_TRUE(names.size() < 2 || names[0] != "." || names[1] == "..") << pattern;
    std::sort(names.begin(), names.end());
    return names;
  }

  std::unique_ptr<CTempDir> m_dir;
  CMemoryFileSystem m_mem;
  std::string m_base = "C:\\work\\", m_path;
};

TEST_P(FileSystemTest, ReadSeekAndTruncate) {
  Put("a.bin", "hello world");
  auto f = Open("a.bin", "rb");
  char buf[32] = {};
  ASSERT_TRUE(f && f->Read(buf, 5) == 5 && !f->Eof());
  EXPECT_TRUE(f->Read(buf, sizeof buf) == 6 && f->Eof());
  EXPECT_TRUE(f->Seek(-5, SEEK_END) == 0 && !f->Eof());  // a seek clears it
  EXPECT_TRUE(f->Seek(-2, SEEK_CUR) == 0 && f->Tell() == 4 && f->Seek(-100, SEEK_SET) != 0);
  EXPECT_TRUE(f->Write("x", 1) == 0 && f->Error());  // opened for reading only
  f.reset();
  Put("a.bin", "z");
  EXPECT_EQ(Get("a.bin"), "z");
}

TEST_P(FileSystemTest, FailuresAndReadOnlyFiles) {
  Put("f", "12345");
  const time_t t = 981173106;  // 2001-02-03 04:05:06 UTC
  ASSERT_EQ(Fs().SetTime(P("f"), t), 0);
  ASSERT_TRUE(Fs().SetAttributes(P("f"), kAttrArchive | kAttrReadOnly));
  EXPECT_EQ(Fs().GetAttributes(P("f")), kAttrArchive | kAttrReadOnly);
  EXPECT_TRUE(Fs().GetAttributes(P("d")) & kAttrDirectory);
  const struct {
    const char *name, *mode;
    int err;  // 0: any
  } opens[] = {{"missing", "rb", ENOENT}, {"nofolder/x", "wb", ENOENT}, {"d", "rb", 0}, {"d", "wb", 0},
               {"f", "wb", EACCES}};
  for (const auto& o : opens) {
    errno = 0;
    EXPECT_FALSE(Open(o.name, o.mode)) << o.name << " " << o.mode;
    EXPECT_TRUE(!o.err || errno == o.err) << o.name << " " << o.mode << " errno " << errno;
  }
  FileStat st;
  EXPECT_TRUE(Fs().Remove(P("missing")) == -1 && errno == ENOENT && Fs().GetAttributes(P("missing")) == kAttrInvalid);
  for (const char* name : {"d", "f"}) EXPECT_NE(Fs().Remove(P(name)), 0) << name;  // a folder, a read-only file
  EXPECT_NE(Fs().SetTime(P("f"), t + 60), 0);
  EXPECT_EQ(Get("f"), "12345");
  EXPECT_TRUE(Fs().Stat(P("f"), st) == 0 && st.mtime == t && st.size == 5 && !st.isDir);
  ASSERT_TRUE(Fs().SetAttributes(P("f"), kAttrArchive));
  EXPECT_TRUE(Fs().Remove(P("f")) == 0 && Fs().Stat(P("f"), st) != 0);
}

TEST_P(FileSystemTest, FindFollowsTheWindowsWildcardRule) {
  const std::string hangul = "\xC7\xD1\xB1\xDB.tsl", sep = m_base.substr(m_base.size() - 1);  // 한글.tsl
  for (const char* name : {"a.tsl", "B.TSL", "c.txt", "readme"}) Put(name, "x");
  Put(hangul, "xyz");
  const Names all = {".", "..", "B.TSL", "a.tsl", "c.txt", "d", "readme", hangul};
  const std::pair<std::string, Names> cases[] = {
      {"*.*", all}, {"*.TSL", {"B.TSL", "a.tsl", hangul}}, {"?.tsl", {"B.TSL", "a.tsl"}},
      {"\xC7\xD1*", {hangul}}, {"*.", {".", "..", "d", "readme"}}, {"*.xyz", {}},
      {"d" + sep + "*.*", {".", ".."}}, {"nofolder" + sep + "*.*", {}}};
  for (const auto& c : cases) EXPECT_EQ(Find(c.first), c.second) << c.first;
  FindEntry e;
  EXPECT_TRUE(Fs().FindFirst(P(hangul), e) && e.size == 3 && !e.IsDir());
}

TEST_P(FileSystemTest, FilesAboveFourGiB) {
  if (!GetParam()) GTEST_SKIP() << "held in memory";
  const int64_t at = (int64_t{1} << 32) + 10;  // sparse on the test disks
  auto f = Open("huge.bin", "wb");
  ASSERT_TRUE(f && f->Seek(at, SEEK_SET) == 0 && f->Write("z", 1) == 1);
  EXPECT_EQ(f->Tell(), at + 1);
  ASSERT_EQ(f->Close(), 0);
  FileStat st;
  FindEntry e;
  ASSERT_TRUE(Fs().Stat(P("huge.bin"), st) == 0 && Fs().FindFirst(P("huge.bin"), e));
  EXPECT_TRUE(st.size == static_cast<uint64_t>(at + 1) && e.size == st.size);
}

INSTANTIATE_TEST_SUITE_P(Disks, FileSystemTest, ::testing::Values(true, false),
                         [](const ::testing::TestParamInfo<bool>& info) { return info.param ? "Real" : "Memory"; });

#ifndef _WIN32
TEST(PosixFileSystem, AFullDiskIsReportedByWriteOrClose) {
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
