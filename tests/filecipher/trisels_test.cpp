// One file through CTrisels: round trips, result names, refusals,
// decryption's existence rule, and the counters each of them moves. Round
// trips and a cancel on the real disk are the end-to-end runs' (tests/e2e/run,
// tests/trisel/cli_run.sh).
#include <gtest/gtest.h>

#include <cerrno>
#include <string>

#include "coder_fixture.h"

namespace {

const time_t kTime = 1234567890;
const uint32_t kAttrs = kAttrArchive | kAttrReadOnly | kAttrHidden;

class TriselsTest : public CoderTest {};

// Hangul (CP949 "\xb0\x5c" has a backslash trail byte) and blanks in names;
// sizes around the key stream's wrap.
TEST_F(TriselsTest, RoundTripsRestoreBytesTimeAndAttributes) {
  for (std::string name : {"C:\\문서 폴더\\보고서 초안.txt", "C:\\d\\\xb0\x5c.dat"})
    for (size_t size : {size_t(0), size_t(30002), size_t((1 << 20) + 17)}) {
      SCOPED_TRACE(name + " " + std::to_string(size));
      CMemoryFileSystem fs;
      std::string data = Sample(size);
      fs.AddFile(name, data, kTime, kAttrs);
      ResetCounters();
      m_job.ResetAll();
      m_job.total = 2;
      ASSERT_EQ(0, Run(fs, name, kKey, kModeEncrypt));
      fs.SetAttributes(name.c_str(), kAttrArchive);  // read-only files resist removal
      fs.Remove(name.c_str());
      ASSERT_EQ(0, Run(fs, name + ".tsl", kKey, kModeDecrypt));
      EXPECT_TRUE(fs.Contents(name) == data && fs.MTime(name) == kTime && fs.GetAttributes(name.c_str()) == kAttrs);
      EXPECT_TRUE(m_counters.ok == 2 && m_view.counterText == "2 / 2 files..." && m_view.fileSteps == 100);
      EXPECT_TRUE(fs.OpenFiles() == 0 && m_ui.Reports().empty());
    }
}

TEST_F(TriselsTest, ExtensionsDecideTheResultNameAndWhatIsRefused) {
  const char* cases[][2] = {{"C:\\d\\A.TXT.TSL", "C:\\d\\A.TXT"}, {"C:\\d\\b.Tsl", "C:\\d\\b"},
                            {"C:\\d\\.tsl", "C:\\d\\.tsl.detsl"}};  // nothing would be left
  m_fs.AddFile("C:\\d\\y.txt", "abc", kTime);
  ASSERT_EQ(0, Encrypt("C:\\d\\y.txt"));
  for (auto& c : cases) {
    m_fs.AddFile(c[0], m_fs.Contents("C:\\d\\y.txt.tsl"));
    ASSERT_EQ(0, Decrypt(c[0])) << c[0];
    EXPECT_EQ("abc", m_fs.Contents(c[1])) << c[0];
  }
  ResetCounters();
  m_view.overallSteps = 0;
  errno = ENOENT;  // left by an earlier call; must not reach the log
  EXPECT_EQ(-3, Encrypt("C:\\d\\b.Tsl"));
  errno = ENOENT;
  EXPECT_EQ(-3, Decrypt("C:\\d\\y.txt"));
  EXPECT_EQ(std::string::npos, ErrorLog().find('['));
  // A skip still moves the overall bar.
  EXPECT_TRUE(m_counters.warn == 2 && m_counters.err + m_counters.ok == 0 && m_view.overallSteps == 2);
  ASSERT_EQ(2u, m_ui.Reports().size());
  EXPECT_EQ("CTrisels::Trisel, !strcmp(), 2", m_ui.Reports()[0].tag);
  EXPECT_EQ("CTrisels::Trisel, strcmp(), 3", m_ui.Reports()[1].tag);
  EXPECT_TRUE(m_ui.Questions().empty());
  EXPECT_EQ(-1, Encrypt("C:\\d\\y.txt", ""));  // an empty key codes nothing
  EXPECT_EQ(1, m_counters.err);
  EXPECT_EQ(8u, m_fs.Files().size());
}

// Decryption's own existence check (the end-to-end run answers every button
// of encryption's): each answer, each all-flag set before, and a cancel
// deletes nothing that was there.
TEST_F(TriselsTest, DecryptionAsksBeforeOverwriting) {
  struct Case { int answer, result; bool overwritten; int yesAll, noAll; } cases[] = {
      {kAnswerYes, 0, true, 0, 0},   {kAnswerYesToAll, 0, true, 1, 0}, {kAnswerNo, -3, false, 0, 0},
      {kAnswerNoToAll, -3, false, 0, 1}, {kAnswerCancel, -2, false, 0, 0}, {0, 0, true, 1, 0},
      {0, -3, false, 0, 1}};
  m_fs.AddFile("C:\\d\\a.txt", "new", kTime);
  ASSERT_EQ(0, Encrypt("C:\\d\\a.txt"));
  for (const Case& c : cases) {
    SCOPED_TRACE(c.answer);
    m_fs.AddFile("C:\\d\\a.txt", "old", kTime);
    ResetCounters();
    if (!c.answer) m_overwrite = OverwriteAll{c.yesAll, c.noAll};
    m_ui.Clear();
    if (c.answer) m_ui.Script({c.answer});
    EXPECT_EQ(c.result, Decrypt("C:\\d\\a.txt.tsl"));
    EXPECT_TRUE(m_counters.warn == (c.answer ? 1 : 0) && m_counters.err == 0 &&
                m_overwrite.yesToAll == c.yesAll && m_overwrite.noToAll == c.noAll);
    EXPECT_EQ(c.answer ? 1u : 0u, m_ui.Questions().size());
    EXPECT_EQ(c.answer ? "CTrisels::DeCode, stat(szDecodingFname), 1" : "", LastTag());
    EXPECT_EQ(c.overwritten ? "new" : "old", m_fs.Contents("C:\\d\\a.txt"));
  }
}

TEST_F(TriselsTest, ReadOnlyResultsStay) {
  m_fs.AddFile("C:\\d\\a.txt", "one", kTime);
  // A read-only result the user lets us overwrite cannot be opened: an
  // error, and the old file stays as it was.
  m_fs.AddFile("C:\\d\\a.txt.tsl", "locked", 0, kAttrReadOnly);
  m_ui.Script({kAnswerYes, kAnswerRetry, kAnswerIgnore});
  EXPECT_EQ(-3, Encrypt("C:\\d\\a.txt"));
  EXPECT_EQ("locked", m_fs.Contents("C:\\d\\a.txt.tsl"));
  EXPECT_TRUE(m_counters.err == 1 && m_counters.warn == 1 && m_ui.Questions().size() == 3);
  EXPECT_EQ("CTrisels::EnCode, fopen(szEncodingFname), 2", LastTag());
}

TEST_F(TriselsTest, PathsTooLongForAResultAreRefused) {
  std::string folder = "C:\\" + std::string(240, 'f') + "\\";
  std::string fits = folder + std::string(259 - 4 - folder.size(), 'n');  // + ".tsl" = 259
  m_fs.AddFile(fits, "fits", kTime);
  m_fs.AddFile(fits + "x", "over", kTime);
  EXPECT_EQ(0, Encrypt(fits));
  m_ui.Script({kAnswerNo});
  EXPECT_TRUE(Encrypt(fits + "x") == -3 && LastTag() == "CTrisels::EnCode, sprintf(szEncodingFname), 4");
  EXPECT_TRUE(m_counters.err == 1 && !m_fs.Exists(fits + "x.tsl"));
  // A decrypted name without .tsl in the right place needs ".detsl": six more bytes.
  std::string tsl = folder + std::string(259 - 6 - folder.size(), 'm') + ".tsl";
  m_fs.AddFile(tsl, m_fs.Contents(fits + ".tsl"));
  EXPECT_EQ(0, Decrypt(tsl));
  m_ui.Script({kAnswerYes});
  EXPECT_TRUE(Encrypt("C:\\" + std::string(300, 's')) == -1 &&
              LastTag() == "CTrisels::Trisel, strlen(szInputPathFname), 4");
  EXPECT_EQ(2, m_counters.err);
}

}  // namespace
