// The .tsl header: what the writer puts down, byte for byte, and what the
// reader refuses, with the tag of the place that refused it.
#include <gtest/gtest.h>

#include <string>

#include "coder_fixture.h"

namespace {

const char kSrc[] = "C:\\docs\\a.txt";
const char kTsl[] = "C:\\docs\\a.txt.tsl";
const char kOut[] = "C:\\docs\\a.txt";
const std::string kKey = "drowssap8";
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
    if (rc != 0) {
      EXPECT_FALSE(m_fs.Exists(kOut));
      EXPECT_EQ(1, m_counters.err);
    }
    EXPECT_EQ(bytes, m_fs.Contents(kTsl));
    return rc;
  }
  std::string LastTag() { return m_ui.Reports().empty() ? "" : m_ui.Reports().back().tag; }
};

TEST_F(HeaderTest, WriterLaysDownEveryField) {
  // Attribute bits above the low eight are dropped; only the name is stored.
  m_fs.AddFile(kSrc, "hello", kTime, 0x121);
  ASSERT_EQ(0, Encrypt(kSrc, kKey));
  std::string tsl = m_fs.Contents(kTsl);
  EXPECT_TRUE(SameTsl(BuildTsl(kKey, kTime, 0x21, "a.txt", "hello"), tsl));
  EXPECT_EQ(80u + 5, tsl.size());
  EXPECT_EQ("21", tsl.substr(56, 2));
  EXPECT_EQ(std::string("81a4win:win:1:1\0a.txt\0", 22), tsl.substr(58, 22));
  EXPECT_EQ(LocalStamp(kTime), tsl.substr(42, 14));
}

TEST_F(HeaderTest, EveryCutPointIsRefusedWithItsFieldsTag) {
  std::string good = BuildTsl(kKey, kTime, 0x20, "a.txt", "");
  ASSERT_EQ(80u, good.size());
  for (size_t len = 0; len < good.size(); ++len) {
    int want = len == 0 ? 0 : len == 1 ? 1 : len < 42 ? 6 : len < 56 ? 7 : len < 58 ? 8
             : len < 62 ? 9 : len < 74 ? 10 : 11;
    EXPECT_EQ(-3, DecryptBytes(good.substr(0, len))) << "cut at " << len;
    EXPECT_EQ(Tag(want), LastTag()) << "cut at " << len;
  }
  EXPECT_EQ(0, DecryptBytes(good));
  EXPECT_EQ("", m_fs.Contents(kOut));
}

TEST_F(HeaderTest, ForeignFilesAreNotDecoded) {
  std::string good = BuildTsl(kKey, kTime, 0x20, "a.txt", "xyz");
  for (std::string bad : {std::string("\x0e\x15", 2) + good.substr(2), std::string("PK\x03\x04 zip"), std::string("\x14\x0e", 2)}) {
    EXPECT_EQ(-3, DecryptBytes(bad));
    EXPECT_EQ("CTrisels::ReadFileHeader, , 2", LastTag());
    EXPECT_EQ("암호화된 파일이 아닙니다.", m_ui.Reports().back().message);
  }
  m_ui.Script({kAnswerAbort});
  m_fs.AddFile(kTsl, "Q");
  EXPECT_EQ(-1, Decrypt(kTsl, kKey));
  EXPECT_EQ(Tag(1), LastTag());
}

TEST_F(HeaderTest, WrongPasswordAsksWhetherToStop) {
  // "zu..." makes zero bytes in the stored code.
  for (const std::string& key : {std::string("zuvn"), kKey}) {
    std::string tsl = BuildTsl(key, kTime, 0x20, "a.txt", "secret");
    m_ui.Clear();
    m_ui.Script({kAnswerNo});
    EXPECT_EQ(-3, DecryptBytes(tsl, key + "x"));
    EXPECT_EQ("CTSSubHeadRead::CheckPassword, strcmp(), 0", LastTag());
    ASSERT_EQ(1u, m_ui.Questions().size());
    EXPECT_EQ(kReportStopJob, m_ui.Questions()[0].kind);
    m_ui.Script({kAnswerYes});
    EXPECT_EQ(-1, DecryptBytes(tsl, key.substr(1)));
    EXPECT_EQ(0, DecryptBytes(tsl, key));
    EXPECT_EQ("secret", m_fs.Contents(kOut));
  }
}

TEST_F(HeaderTest, NumberFieldsAreReadLikeScanf) {
  auto with = [&](const std::string& attr, const std::string& mode) {
    std::string t = BuildTsl(kKey, kTime, 0, "a.txt", "data");
    return t.substr(0, 56) + attr + mode + t.substr(62);
  };
  EXPECT_EQ(-3, DecryptBytes(with("zz", "81a4")));
  EXPECT_EQ(Tag(8), LastTag());
  EXPECT_EQ(-3, DecryptBytes(with("21", "x1a4")));
  EXPECT_EQ(Tag(9), LastTag());
  // Blanks before a number, signs and a 0x are what the runtime takes too;
  // any values of the mode and owner are carried, not applied.
  EXPECT_EQ(0, DecryptBytes(with(" 3", "+7ff")));
  EXPECT_EQ("data", m_fs.Contents(kOut));
  EXPECT_EQ(0x3u, m_fs.GetAttributes(kOut));
  EXPECT_EQ(0, DecryptBytes(with("1 ", "0x81")));  // a blank ends the first number
  EXPECT_EQ("data", m_fs.Contents(kOut));
  EXPECT_EQ(kAttrReadOnly, m_fs.GetAttributes(kOut));
  EXPECT_EQ(-3, DecryptBytes(with("10", "x81")));  // the 0x must not be split
  EXPECT_EQ(Tag(9), LastTag());
}

TEST_F(HeaderTest, LongNamesAreReadWholeAndOverlongOnesRefused) {
  for (size_t n : {size_t(0), size_t(187), size_t(259)}) {
    EXPECT_EQ(0, DecryptBytes(BuildTsl(kKey, kTime, 0x20, std::string(n, 'n'), "p"))) << n;
    EXPECT_EQ("p", m_fs.Contents(kOut));
  }
  EXPECT_EQ(-3, DecryptBytes(BuildTsl(kKey, kTime, 0x20, std::string(260, 'n'), "p")));
  EXPECT_EQ(Tag(11), LastTag());
  EXPECT_EQ(0, DecryptBytes(BuildTsl(kKey, kTime, 0x20, "a", "p", std::string(511, 'c'))));
  EXPECT_EQ(-3, DecryptBytes(BuildTsl(kKey, kTime, 0x20, "a", "p", std::string(512, 'c'))));
  EXPECT_EQ(Tag(10), LastTag());
}

TEST_F(HeaderTest, TraceLineGoesToTheDebugLog) {
  DecryptBytes(BuildTsl(kKey, kTime, 0x21, "a.txt", ""));
  CloseLogs();
  EXPECT_EQ("szOriginalFname[a.txt] szModifyTime[" + LocalStamp(kTime) +
                "] dwAttr[21] umode[81a4] szChown [win:win:1:1]\r\n",
            m_logDir.ReadFile("Trisel.exe_dbg.log"));
}

}  // namespace
