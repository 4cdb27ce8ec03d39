// The same cases against the platform's real file system (in a temporary
// folder) and against the in-memory stand-in, so that the stand-in keeps
// behaving like the disk the programs really use.
#include <gtest/gtest.h>

#include <algorithm>
#include <cerrno>
#include <memory>
#include <string>
#include <vector>

#include "common/filesystem.h"
#include "support/memory_fs.h"

namespace {

class CFixture {
 public:
  virtual ~CFixture() = default;
  virtual IFileSystem& Fs() = 0;
  virtual std::string Base() = 0;  // ends with a separator
  virtual char Sep() = 0;
  virtual void MakeDir(const std::string& name) = 0;
};

class CRealFixture : public CFixture {
 public:
  IFileSystem& Fs() override { return RealFileSystem(); }
  std::string Base() override { return m_dir.Path(); }
  char Sep() override { return NativeSeparator(); }
  void MakeDir(const std::string& name) override { ASSERT_TRUE(m_dir.MakeDir(name)); }

 private:
  CTempDir m_dir;
};

class CMemoryFixture : public CFixture {
 public:
  CMemoryFixture() { m_fs.AddFolder("C:\\work"); }
  IFileSystem& Fs() override { return m_fs; }
  std::string Base() override { return "C:\\work\\"; }
  char Sep() override { return '\\'; }
  void MakeDir(const std::string& name) override { m_fs.AddFolder(Base() + name); }

 private:
  CMemoryFileSystem m_fs;
};

class FileSystemTest : public ::testing::TestWithParam<bool> {
 protected:
  void SetUp() override {
    if (GetParam()) m_fx = std::make_unique<CRealFixture>();
    else m_fx = std::make_unique<CMemoryFixture>();
  }
  IFileSystem& Fs() { return m_fx->Fs(); }
  std::string P(const std::string& name) { return m_fx->Base() + name; }

  void Put(const std::string& name, const std::string& bytes) {
    auto f = Fs().Open(P(name).c_str(), "wb");
    ASSERT_TRUE(f) << name << " errno " << errno;
    ASSERT_EQ(f->Write(bytes.data(), bytes.size()), bytes.size());
    ASSERT_EQ(f->Close(), 0);
  }
  std::string Get(const std::string& name) {
    auto f = Fs().Open(P(name).c_str(), "rb");
    if (!f) return "<missing>";
    std::string out;
    char buf[1000];
    size_t n;
    while ((n = f->Read(buf, sizeof buf)) > 0) out.append(buf, n);
    EXPECT_TRUE(f->Eof());
    EXPECT_FALSE(f->Error());
    EXPECT_EQ(f->Close(), 0);
    return out;
  }
  std::vector<std::string> Find(const std::string& pattern) {
    std::vector<std::string> names;
    FindEntry e;
    auto find = Fs().FindFirst(P(pattern).c_str(), e);
    if (!find) {
      EXPECT_EQ(errno, ENOENT) << pattern;
      return names;
    }
    do {
      names.push_back(e.name);
    } while (find->Next(e));
    return names;
  }

  std::unique_ptr<CFixture> m_fx;
};

std::vector<std::string> Sorted(std::vector<std::string> v) {
  std::sort(v.begin(), v.end());
  return v;
}

TEST_P(FileSystemTest, ReadSeekTellAndEof) {
  Put("a.bin", "hello world");
  auto f = Fs().Open(P("a.bin").c_str(), "rb");
  ASSERT_TRUE(f);
  char buf[32] = {};
  EXPECT_EQ(f->Read(buf, 5), 5u);
  EXPECT_EQ(std::string(buf, 5), "hello");
  EXPECT_FALSE(f->Eof());
  EXPECT_EQ(f->Tell(), 5);
  EXPECT_EQ(f->Read(buf, sizeof buf), 6u);
  EXPECT_TRUE(f->Eof());
  EXPECT_EQ(f->Seek(-5, SEEK_END), 0);
  EXPECT_FALSE(f->Eof());
  EXPECT_EQ(f->Read(buf, 5), 5u);
  EXPECT_EQ(std::string(buf, 5), "world");
  EXPECT_EQ(f->Seek(-2, SEEK_CUR), 0);
  EXPECT_EQ(f->Tell(), 9);
  EXPECT_NE(f->Seek(-100, SEEK_SET), 0);
  // A stream opened for reading refuses writes.
  EXPECT_EQ(f->Write("x", 1), 0u);
  EXPECT_TRUE(f->Error());
  f.reset();  // closed by the destructor
  EXPECT_EQ(Get("a.bin"), "hello world");
}

TEST_P(FileSystemTest, BlocksAndSingleBytesAgree) {
  // 3 MiB + a bit, written in 1 MiB blocks, read back byte by byte and in
  // odd-sized blocks.
  std::string data(3 * 1024 * 1024 + 123, '\0');
  for (size_t i = 0; i < data.size(); ++i) data[i] = static_cast<char>((i * 131 + i / 977) & 0xFF);
  auto w = Fs().Open(P("big.bin").c_str(), "wb");
  ASSERT_TRUE(w);
  for (size_t at = 0; at < data.size(); at += 1 << 20) {
    size_t n = std::min<size_t>(1 << 20, data.size() - at);
    ASSERT_EQ(w->Write(data.data() + at, n), n);
  }
  ASSERT_EQ(w->Close(), 0);

  auto r = Fs().Open(P("big.bin").c_str(), "rb");
  ASSERT_TRUE(r);
  std::string back;
  for (int i = 0; i < 70000; ++i) {
    char c;
    ASSERT_EQ(r->Read(&c, 1), 1u);
    back += c;
  }
  std::vector<char> block(333333);
  size_t n;
  while ((n = r->Read(block.data(), block.size())) > 0) back.append(block.data(), n);
  EXPECT_TRUE(r->Eof());
  EXPECT_TRUE(back == data);
  FileStat st;
  ASSERT_EQ(Fs().Stat(P("big.bin").c_str(), st), 0);
  EXPECT_EQ(st.size, data.size());
}

TEST_P(FileSystemTest, AppendUpdateAndTruncate) {
  Put("t.txt", "abcdef");
  {
    auto f = Fs().Open(P("t.txt").c_str(), "ab");
    ASSERT_TRUE(f);
    EXPECT_EQ(f->Write("gh", 2), 2u);
    EXPECT_EQ(f->Close(), 0);
  }
  EXPECT_EQ(Get("t.txt"), "abcdefgh");
  {
    auto f = Fs().Open(P("t.txt").c_str(), "r+b");
    ASSERT_TRUE(f);
    ASSERT_EQ(f->Seek(2, SEEK_SET), 0);
    EXPECT_EQ(f->Write("XY", 2), 2u);
    ASSERT_EQ(f->Seek(0, SEEK_SET), 0);
    char buf[8];
    EXPECT_EQ(f->Read(buf, 8), 8u);
    EXPECT_EQ(std::string(buf, 8), "abXYefgh");
    EXPECT_EQ(f->Close(), 0);
  }
  Put("t.txt", "z");
  EXPECT_EQ(Get("t.txt"), "z");
}

TEST_P(FileSystemTest, OpenFailures) {
  errno = 0;
  EXPECT_FALSE(Fs().Open(P("missing.txt").c_str(), "rb"));
  EXPECT_EQ(errno, ENOENT);
  errno = 0;
  EXPECT_FALSE(Fs().Open(P("nofolder/x.txt").c_str(), "wb"));
  EXPECT_EQ(errno, ENOENT);
  m_fx->MakeDir("sub");
  EXPECT_FALSE(Fs().Open(P("sub").c_str(), "rb"));
  EXPECT_FALSE(Fs().Open(P("sub").c_str(), "wb"));
  errno = 0;
  FileStat st;
  EXPECT_EQ(Fs().Stat(P("missing.txt").c_str(), st), -1);
  EXPECT_EQ(errno, ENOENT);
  EXPECT_EQ(Fs().GetAttributes(P("missing.txt").c_str()), kAttrInvalid);
  EXPECT_EQ(Fs().Remove(P("missing.txt").c_str()), -1);
  EXPECT_EQ(errno, ENOENT);
}

TEST_P(FileSystemTest, StatTimeAndAttributes) {
  Put("f.txt", "12345");
  m_fx->MakeDir("d");
  FileStat st;
  ASSERT_EQ(Fs().Stat(P("f.txt").c_str(), st), 0);
  EXPECT_EQ(st.size, 5u);
  EXPECT_FALSE(st.isDir);
  ASSERT_EQ(Fs().Stat(P("d").c_str(), st), 0);
  EXPECT_TRUE(st.isDir);

  const time_t t = 981173106;  // 2001-02-03 04:05:06 UTC
  ASSERT_EQ(Fs().SetTime(P("f.txt").c_str(), t), 0);
  ASSERT_EQ(Fs().Stat(P("f.txt").c_str(), st), 0);
  EXPECT_EQ(st.mtime, t);

  uint32_t a = Fs().GetAttributes(P("f.txt").c_str());
  EXPECT_TRUE(a & kAttrArchive);
  EXPECT_FALSE(a & (kAttrReadOnly | kAttrDirectory));
  EXPECT_TRUE(Fs().GetAttributes(P("d").c_str()) & kAttrDirectory);

  // Read-only: no writer, no new time, no removal; the contents stay.
  ASSERT_TRUE(Fs().SetAttributes(P("f.txt").c_str(), kAttrArchive | kAttrReadOnly));
  EXPECT_TRUE(Fs().GetAttributes(P("f.txt").c_str()) & kAttrReadOnly);
  errno = 0;
  EXPECT_FALSE(Fs().Open(P("f.txt").c_str(), "wb"));
  EXPECT_EQ(errno, EACCES);
  EXPECT_FALSE(Fs().Open(P("f.txt").c_str(), "ab"));
  EXPECT_NE(Fs().SetTime(P("f.txt").c_str(), t + 60), 0);
  EXPECT_NE(Fs().Remove(P("f.txt").c_str()), 0);
  EXPECT_EQ(Get("f.txt"), "12345");
  ASSERT_EQ(Fs().Stat(P("f.txt").c_str(), st), 0);
  EXPECT_EQ(st.mtime, t);

  ASSERT_TRUE(Fs().SetAttributes(P("f.txt").c_str(), kAttrArchive));
  EXPECT_FALSE(Fs().GetAttributes(P("f.txt").c_str()) & kAttrReadOnly);
  EXPECT_EQ(Fs().Remove(P("f.txt").c_str()), 0);
  EXPECT_NE(Fs().Stat(P("f.txt").c_str(), st), 0);
  EXPECT_NE(Fs().Remove(P("d").c_str()), 0);  // a folder is not a file
}

TEST_P(FileSystemTest, FindFollowsTheWindowsWildcardRule) {
  const std::string hangul = "\xC7\xD1\xB1\xDB.tsl";  // 한글.tsl
  for (const char* name : {"a.tsl", "B.TSL", "c.txt", "readme"}) Put(name, "x");
  Put(hangul, "xyz");
  m_fx->MakeDir("sub");
  const std::string sep(1, m_fx->Sep());

  std::vector<std::string> all = Find("*.*");
  ASSERT_GE(all.size(), 2u);
  EXPECT_EQ(all[0], ".");
  EXPECT_EQ(all[1], "..");
  EXPECT_EQ(Sorted(all), Sorted({".", "..", "a.tsl", "B.TSL", "c.txt", "readme", "sub", hangul}));
  EXPECT_EQ(Sorted(Find("*")), Sorted(all));
  EXPECT_EQ(Sorted(Find("*.TSL")), Sorted({"a.tsl", "B.TSL", hangul}));
  EXPECT_EQ(Sorted(Find("?.tsl")), Sorted({"a.tsl", "B.TSL"}));
  EXPECT_EQ(Sorted(Find("\xC7\xD1*")), std::vector<std::string>{hangul});
  EXPECT_EQ(Sorted(Find("*.")), Sorted({".", "..", "readme", "sub"}));
  EXPECT_TRUE(Find("*.xyz").empty());
  EXPECT_EQ(Find("c.txt"), std::vector<std::string>{"c.txt"});
  // An empty folder still lists itself and its parent.
  EXPECT_EQ(Find("sub" + sep + "*.*"), std::vector<std::string>({".", ".."}));
  EXPECT_TRUE(Find("nofolder" + sep + "*.*").empty());

  FindEntry e;
  auto find = Fs().FindFirst(P(hangul).c_str(), e);
  ASSERT_TRUE(find);
  EXPECT_EQ(e.size, 3u);
  EXPECT_FALSE(e.IsDir());
  EXPECT_FALSE(find->Next(e));
  ASSERT_TRUE(Fs().FindFirst(P("sub").c_str(), e));
  EXPECT_TRUE(e.IsDir());
}

TEST_P(FileSystemTest, FilesAboveFourGiB) {
  if (!GetParam()) GTEST_SKIP() << "held in memory";
  // Sparse on the disks the tests run on: one byte past 4 GiB.
  const int64_t at = (int64_t{1} << 32) + 10;
  auto f = Fs().Open(P("huge.bin").c_str(), "wb");
  ASSERT_TRUE(f);
  ASSERT_EQ(f->Seek(at, SEEK_SET), 0);
  ASSERT_EQ(f->Write("z", 1), 1u);
  EXPECT_EQ(f->Tell(), at + 1);
  ASSERT_EQ(f->Close(), 0);
  FileStat st;
  ASSERT_EQ(Fs().Stat(P("huge.bin").c_str(), st), 0);
  EXPECT_EQ(st.size, static_cast<uint64_t>(at + 1));
  FindEntry e;
  ASSERT_TRUE(Fs().FindFirst(P("huge.bin").c_str(), e));
  EXPECT_EQ(e.size, static_cast<uint64_t>(at + 1));
  auto r = Fs().Open(P("huge.bin").c_str(), "rb");
  ASSERT_TRUE(r);
  ASSERT_EQ(r->Seek(-1, SEEK_END), 0);
  EXPECT_EQ(r->Tell(), at);
  char c = 0;
  EXPECT_EQ(r->Read(&c, 1), 1u);
  EXPECT_EQ(c, 'z');
}

INSTANTIATE_TEST_SUITE_P(Disks, FileSystemTest, ::testing::Values(true, false),
                         [](const ::testing::TestParamInfo<bool>& info) {
                           return std::string(info.param ? "Real" : "Memory");
                         });

#ifndef _WIN32
TEST(PosixFileSystem, AFullDiskIsReportedByCloseOrWrite) {
  // /dev/full takes every write into the stream buffer and fails on flush.
  auto f = RealFileSystem().Open("/dev/full", "wb");
  if (!f) GTEST_SKIP() << "no /dev/full";
  EXPECT_EQ(f->Write("abc", 3), 3u);
  errno = 0;
  EXPECT_NE(f->Close(), 0);
  EXPECT_EQ(errno, ENOSPC);

  auto g = RealFileSystem().Open("/dev/full", "wb");
  ASSERT_TRUE(g);
  std::string block(1 << 20, 'x');
  EXPECT_LT(g->Write(block.data(), block.size()), block.size());
  EXPECT_TRUE(g->Error());
  errno = 0;
  EXPECT_NE(g->Close(), 0);
  EXPECT_EQ(errno, ENOSPC);
}
#endif

TEST(TempDir, RemovesNestedAndReadOnlyFiles) {
  std::string path;
  {
    CTempDir dir;
    path = dir.Path();
    const std::string sep(1, NativeSeparator());
    ASSERT_TRUE(dir.MakeDir("a"));
    ASSERT_TRUE(dir.MakeDir("a" + sep + "b"));
    ASSERT_TRUE(dir.WriteFile("a" + sep + "b" + sep + "ro.txt", "keep"));
    EXPECT_EQ(dir.ReadFile("a" + sep + "b" + sep + "ro.txt"), "keep");
    ASSERT_TRUE(RealFileSystem().SetAttributes((dir / ("a" + sep + "b" + sep + "ro.txt")).c_str(),
                                               kAttrReadOnly | kAttrArchive));
  }
  FileStat st;
  EXPECT_NE(RealFileSystem().Stat(path.substr(0, path.size() - 1).c_str(), st), 0);
}

TEST(MemoryFileSystem, RootsPathsAndBookkeeping) {
  CMemoryFileSystem fs;
  fs.AddFile("C:\\a\\b.txt", "bytes", 77, kAttrArchive | kAttrHidden);
  EXPECT_TRUE(fs.IsFolder("C:/a/"));
  EXPECT_EQ(fs.Contents("C:/a//b.txt"), "bytes");
  EXPECT_EQ(fs.MTime("C:\\a\\b.txt"), 77);
  EXPECT_EQ(fs.GetAttributes("C:\\a\\b.txt"), kAttrArchive | kAttrHidden);
  EXPECT_EQ(fs.Files(), std::vector<std::string>{"C:/a/b.txt"});

  // A root lists no "." or "..".
  FindEntry e;
  auto find = fs.FindFirst("C:\\*.*", e);
  ASSERT_TRUE(find);
  EXPECT_STREQ(e.name, "a");
  EXPECT_FALSE(find->Next(e));

  fs.SetClock(500);
  auto f = fs.Open("C:\\a\\new.txt", "wb");
  ASSERT_TRUE(f);
  EXPECT_EQ(fs.OpenFiles(), 1);
  EXPECT_EQ(f->Close(), 0);
  EXPECT_NE(f->Close(), 0);  // a second close is refused, not a double free
  EXPECT_EQ(fs.OpenFiles(), 0);
  EXPECT_EQ(fs.MTime("C:\\a\\new.txt"), 500);
  // Names with the trail byte 0x5C stay one name.
  fs.AddFile("C:\\a\\\x95\x5C", "t");
  EXPECT_FALSE(fs.IsFolder("C:\\a\\\x95"));
  EXPECT_EQ(fs.Contents("C:/a/\x95\x5C"), "t");
}

}  // namespace
