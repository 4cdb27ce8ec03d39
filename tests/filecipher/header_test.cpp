// The .tsl header: what the writer puts down, byte for byte, and what the
// reader refuses, with the tag of the place that refused it.
#include <gtest/gtest.h>

#include "coder_fixture.h"

namespace {

const char kTsl[] = "C:\\docs\\a.txt.tsl";
const char kOut[] = "C:\\docs\\a.txt";
const time_t kTime = 1600000000;

std::string Tag(int n) { return "CTSSubHeadRead::ReadFileHeader, getc(m_infp), " + std::to_string(n); }

class HeaderTest : public CoderTest {
 protected:
  // Decrypts bytes stored as kTsl; the result file must not appear unless
  // the header was accepted.
  int DecryptBytes(const std::string& bytes, const std::string& key = kKey) {
    m_fs.SetAttributes(kOut, kAttrArchive);
    m_fs.Remove(kOut);
    m_fs.AddFile(kTsl, bytes, kTime);
    m_ui.ClearSeen();
    ResetCounters();
    int rc = Decrypt(kTsl, key);
    EXPECT_TRUE(rc == 0 || (!m_fs.Exists(kOut) && m_counters.err == 1));
    EXPECT_EQ(bytes, m_fs.Contents(kTsl));
    return rc;
  }
};

TEST_F(HeaderTest, WriterLaysDownEveryField) {
  m_fs.AddFile(kOut, "hello", kTime, 0x121);  // bits above the low eight are dropped
  ASSERT_EQ(0, Encrypt(kOut));
  EXPECT_TRUE(SameTsl(BuildTsl(kKey, kTime, 0x21, "a.txt", "hello"), m_fs.Contents(kTsl)));
}

TEST_F(HeaderTest, CutAndForeignFilesAreRefusedWithTheirFieldsTag) {
  std::string good = BuildTsl(kKey, kTime, 0x20, "a.txt", "");
  ASSERT_EQ(80u, good.size());
  for (size_t len = 0; len < good.size(); ++len) {
    int want = len == 0 ? 0 : len == 1 ? 1 : len < 42 ? 6 : len < 56 ? 7 : len < 58 ? 8
             : len < 62 ? 9 : len < 74 ? 10 : 11;
    EXPECT_TRUE(DecryptBytes(good.substr(0, len)) == -3 && LastTag() == Tag(want)) << "cut at " << len;
  }
  EXPECT_TRUE(DecryptBytes(good) == 0 && m_fs.Exists(kOut) && m_fs.Contents(kOut).empty());
  for (std::string bad : {"\x0e\x15" + good.substr(2), std::string("\x14\x0e")})
    EXPECT_TRUE(DecryptBytes(bad) == -3 && LastTag() == "CTrisels::ReadFileHeader, , 2");
}

// "zu..." makes zero bytes in the stored code; a wrong password asks
// whether to stop the job (the end-to-end run answers No).
TEST_F(HeaderTest, WrongPasswordAsksWhetherToStop) {
  const std::string key = "zuvn", tsl = BuildTsl(key, kTime, 0x20, "a.txt", "secret");
  m_ui.Script({kAnswerYes});
  EXPECT_TRUE(DecryptBytes(tsl, key + "x") == -1 && m_ui.Questions().size() == 1);
  EXPECT_EQ(-3, DecryptBytes(tsl, key.substr(1)));
  EXPECT_TRUE(DecryptBytes(tsl, key) == 0 && m_fs.Contents(kOut) == "secret");
}

TEST_F(HeaderTest, FieldsAreReadLikeScanfAndBounded) {
  // Blanks before a number, signs and a 0x are what the runtime takes too; a
  // blank ends the first number; a 0x must not be split. The mode and owner
  // are carried, not applied.
  struct Case { const char *attr, *mode; size_t name, chown; int tag; uint32_t attrOut; } cases[] = {
      {"zz", "81a4", 5, 11, 8, 0},   {" 3", "+7ff", 5, 11, 0, 3},
      {"1 ", "0x81", 5, 11, 0, kAttrReadOnly}, {"10", "x81", 5, 11, 9, 0},
      {"20", "81a4", 259, 11, 0, 0x20}, {"20", "81a4", 260, 11, 11, 0},
      {"20", "81a4", 1, 511, 0, 0x20},  {"20", "81a4", 1, 512, 10, 0}};
  for (const Case& c : cases) {
    std::string t = BuildTsl(kKey, kTime, 0, std::string(c.name, 'n'), "data", std::string(c.chown, 'c'));
    t = t.substr(0, 56) + c.attr + c.mode + t.substr(62);
    SCOPED_TRACE(std::string(c.attr) + c.mode + " " + std::to_string(c.name + c.chown));
    EXPECT_EQ(c.tag ? -3 : 0, DecryptBytes(t));
    if (c.tag) EXPECT_EQ(Tag(c.tag), LastTag());
    else EXPECT_TRUE(m_fs.GetAttributes(kOut) == c.attrOut && m_fs.Contents(kOut) == "data");
  }
}

}  // namespace
