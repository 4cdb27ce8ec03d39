// The file list, the settings and the walk over the platform's real disk
// (under Wine: FindFirstFileA and the Win32 attributes).
#include <cstring>

#include "job_fixture.h"
#include "trisel/find_files.h"
#include "trisel/mylist.h"

namespace {

TEST(MyListTest, KeepsOrderAndReportsWhatRemains) {
  CMyList list;
  char buf[260] = "untouched";
  EXPECT_FALSE(list.GetNext(buf));  // empty: no cursor, buffer as it was
  EXPECT_STREQ(buf, "untouched");
  for (const char* s : {"one", "two", "three"}) list.Add(s);
  list.Rewind();
  std::string got;
  bool more = true;
  while (more) {
    more = list.GetNext(buf);
    got += std::string(buf) + (more ? "+" : ".");
  }
  EXPECT_EQ(got, "one+two+three.");  // false with the last node
  list.RemoveAll();
  list.Rewind();
  EXPECT_FALSE(list.GetNext(buf));
  list.Add(std::string(300, 'p').c_str());  // cut to fit
  list.Rewind();
  EXPECT_FALSE(list.GetNext(buf));
  EXPECT_EQ(strlen(buf), 259u);
}

TEST(TriselSettingsTest, DefaultsAndRoundTrips) {
  CMemoryRegistry reg;
  EXPECT_EQ(LoadDelSrcFile(reg), 0u);
  EXPECT_EQ(LoadSubDir(reg), 0u);
  EXPECT_STREQ(LoadFilter(reg).GetBuffer(), "*.*");
  EXPECT_STREQ(LoadCommKeyFile(reg).GetBuffer(), "");
  // Reading creates the two keys, as the registry functions do.
  EXPECT_EQ(reg.keys.size(), 2u);

  SaveDelSrcFile(reg, true);
  SaveSubDir(reg, true);
  SaveFilter(reg, "*.hwp");
  SaveCommKeyFile(reg, "D:\\키\\k.bin");
  EXPECT_EQ(LoadDelSrcFile(reg), 1u);
  EXPECT_EQ(LoadSubDir(reg), 1u);
  EXPECT_STREQ(LoadFilter(reg).GetBuffer(), "*.hwp");
  EXPECT_STREQ(LoadCommKeyFile(reg).GetBuffer(), "D:\\키\\k.bin");
  EXPECT_EQ(reg.Raw(kTriselBasicKey, "DelSrcFile"), std::string("\1\0\0\0", 4));
  EXPECT_EQ(reg.Raw(kTriselKeycommKey, "CommKeyFile").size(), strlen("D:\\키\\k.bin") + 1);
  SaveCommKeyFile(reg, "");
  EXPECT_STREQ(LoadCommKeyFile(reg).GetBuffer(), "");

  // 259 bytes fit the 260-byte buffer; 260 give the default.
  SaveFilter(reg, std::string(259, 'f').c_str());
  EXPECT_EQ(LoadFilter(reg).GetLength(), 259u);
  SaveFilter(reg, std::string(260, 'f').c_str());
  EXPECT_STREQ(LoadFilter(reg).GetBuffer(), "*.*");

  // A registry that cannot be opened: the defaults, never stale bytes.
  reg.failOpen = true;
  EXPECT_EQ(LoadSubDir(reg), 0u);
  EXPECT_STREQ(LoadFilter(reg).GetBuffer(), "*.*");
  EXPECT_STREQ(LoadCommKeyFile(reg).GetBuffer(), "");
}

// The walk through the real file system of the platform.
class RealDiskJobTest : public JobTest {};

TEST_F(RealDiskJobTest, WalkOrderAndJobOverTheRealDisk) {
  CTempDir tmp;
  const std::string sep(1, JobPathSeparator());
  ASSERT_TRUE(tmp.MakeDir("A"));
  ASSERT_TRUE(tmp.MakeDir("A" + sep + "B"));
  ASSERT_TRUE(tmp.MakeDir("A" + sep + "B" + sep + "E"));
  ASSERT_TRUE(tmp.MakeDir("A" + sep + "C"));
  ASSERT_TRUE(tmp.MakeDir("A" + sep + "D"));
  ASSERT_TRUE(tmp.WriteFile("A" + sep + "x.txt", "x"));
  ASSERT_TRUE(tmp.WriteFile("A" + sep + "B" + sep + "y.txt", "y"));
  ASSERT_TRUE(tmp.WriteFile("A" + sep + "B" + sep + "E" + sep + "z.txt", "z"));
  ASSERT_TRUE(tmp.WriteFile("A" + sep + "D" + sep + "w.txt", "w"));
  ASSERT_TRUE(tmp.WriteFile("A" + sep + "D" + sep + "w.doc", "doc"));
  const std::string a = tmp / "A";

  JobState state;
  CTriselJob job(RealFileSystem(), m_reg, m_ui, m_view, m_jobView, m_keyView, state);
  EXPECT_TRUE(job.IsFolderItem(a.c_str()));
  EXPECT_FALSE(job.IsFolderItem((a + sep + "x.txt").c_str()));
  EXPECT_EQ(job.RunJobItem((a + sep + "*.txt").c_str(), nullptr, 1, -1, 0, nullptr), 4);
  EXPECT_EQ(job.RunJobItem((a + sep + "*.*").c_str(), nullptr, 0, -1, 0, nullptr), 1);
  EXPECT_EQ(job.RunJobItem((a + sep + "X.TXT").c_str(), nullptr, 0, -1, 0, nullptr), 1);
  EXPECT_EQ(job.RunJobItem((a + sep + "nothing").c_str(), nullptr, 0, -1, 0, nullptr), 0);

  job.SetClock([](struct tm& t) { t.tm_year = 100; t.tm_mday = 1; });
  m_jobView.chooseOptions = [](FolderOptions& o) {
    o.subDir = 1;
    o.filter = "*.txt";
  };
  const char* argv[] = {"Trisel.exe", "-e", a.c_str()};
  job.SetCommandLine(3, argv);
  std::string pw = "비밀";
  ASSERT_EQ(job.Work(&pw[0]), 0);
  EXPECT_EQ(state.total, 4u);
  // The folder's own files first, then each sub-folder in the order the
  // system lists it, its files before its own sub-folders.
  std::string log = Log(".log");
  std::string x = "1 : (ok) " + a + sep + "x.txt\n";
  std::string yz = " : (ok) " + a + sep + "B" + sep + "y.txt\n";
  std::string z = " : (ok) " + a + sep + "B" + sep + "E" + sep + "z.txt\n";
  std::string w = " : (ok) " + a + sep + "D" + sep + "w.txt\n";
  EXPECT_NE(log.find(x), std::string::npos) << log;
  bool bFirst = log.find("2" + yz) != std::string::npos && log.find("3" + z) != std::string::npos &&
                log.find("4" + w) != std::string::npos;
  bool dFirst = log.find("2" + w) != std::string::npos && log.find("3" + yz) != std::string::npos &&
                log.find("4" + z) != std::string::npos;
  EXPECT_TRUE(bFirst || dFirst) << log;
  EXPECT_FALSE(tmp.ReadFile("A" + sep + "D" + sep + "w.txt.tsl").empty());
  EXPECT_TRUE(tmp.ReadFile("A" + sep + "D" + sep + "w.doc.tsl").empty());
}

}  // namespace
