// The coder over the platform's own file system (the Win32 runtime under
// Wine, POSIX natively): bytes, modify time and read-only attribute.
#include <gtest/gtest.h>

#include <string>

#include "coder_fixture.h"

namespace {

class RealFsTest : public CoderTest {
 protected:
  int RunReal(const std::string& path, int mode) {
    return Run(RealFileSystem(), path, "drowssap8", mode);
  }
  CTempDir m_dir;
};

TEST_F(RealFsTest, RoundTripRestoresTimeAndReadOnly) {
  IFileSystem& fs = RealFileSystem();
  std::string data(2621440 + 3, '\0');
  for (size_t i = 0; i < data.size(); ++i) data[i] = static_cast<char>(i * 31 >> 3);
  const std::string name = "보고서 초안.txt";
  const std::string src = m_dir / name;
  ASSERT_TRUE(m_dir.WriteFile(name, data));
  const time_t when = 1400000000;
  ASSERT_EQ(0, fs.SetTime(src.c_str(), when));
  ASSERT_TRUE(fs.SetAttributes(src.c_str(), kAttrArchive | kAttrReadOnly));
  uint32_t attr = fs.GetAttributes(src.c_str());
  ASSERT_NE(kAttrInvalid, attr);
  EXPECT_TRUE(attr & kAttrReadOnly);

  ASSERT_EQ(0, RunReal(src, kModeEncrypt));
  std::string tsl = m_dir.ReadFile(name + ".tsl");
  EXPECT_TRUE(SameTsl(BuildTsl("drowssap8", when, attr, name, data), tsl));

  ASSERT_TRUE(fs.SetAttributes(src.c_str(), kAttrArchive));
  ASSERT_EQ(0, fs.Remove(src.c_str()));
  ASSERT_EQ(0, RunReal(src + ".tsl", kModeDecrypt));
  EXPECT_EQ(data, m_dir.ReadFile(name));
  FileStat st;
  ASSERT_EQ(0, fs.Stat(src.c_str(), st));
  EXPECT_EQ(when, st.mtime);
  EXPECT_EQ(data.size(), st.size);
  EXPECT_EQ(attr & 0xFF, fs.GetAttributes(src.c_str()) & 0xFF);
  EXPECT_TRUE(m_ui.Reports().empty());
  fs.SetAttributes(src.c_str(), kAttrArchive);
}

}  // namespace
