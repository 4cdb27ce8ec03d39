// One file through CTrisels: a CP949 name, result names, decryption's
// existence rule and the limits. Round trips and a cancel on
// the real disk are the end-to-end runs' (tests/e2e/run, tests/trisel/cli_run.sh).
#include <gtest/gtest.h>

#include <cerrno>

#include "coder_fixture.h"

namespace {

const time_t kTime = 1234567890;
const uint32_t kAttrs = kAttrArchive | kAttrReadOnly | kAttrHidden;

class TriselsTest : public CoderTest {};

// CP949 "\xb0\x5c" has a backslash trail byte; the time and the attributes
// come back (the end-to-end runs compare bytes only).
TEST_F(TriselsTest, RoundTripsRestoreBytesTimeAndAttributes) {
  const std::string name = "C:\\d\\\xb0\x5c.dat", data = Sample(30002);
  m_fs.AddFile(name, data, kTime, kAttrs);
  ASSERT_EQ(0, Encrypt(name));
  m_fs.SetAttributes(name.c_str(), kAttrArchive);  // read-only files resist removal
  m_fs.Remove(name.c_str());
  ASSERT_EQ(0, Decrypt(name + ".tsl"));
  EXPECT_TRUE(m_fs.Contents(name) == data && m_fs.MTime(name) == kTime && m_fs.GetAttributes(name.c_str()) == kAttrs);
  EXPECT_TRUE(m_counters.ok == 2 && m_fs.OpenFiles() == 0 && m_ui.Reports().empty());
}

TEST_F(TriselsTest, ExtensionsDecideTheResultName) {
  const char* cases[][2] = {{"C:\\d\\A.TXT.TSL", "C:\\d\\A.TXT"}, {"C:\\d\\.tsl", "C:\\d\\.tsl.detsl"}};  // nothing would be left
  m_fs.AddFile("C:\\d\\y.txt", "abc", kTime);
  ASSERT_EQ(0, Encrypt("C:\\d\\y.txt"));
  for (auto& c : cases) {
    m_fs.AddFile(c[0], m_fs.Contents("C:\\d\\y.txt.tsl"));
    ASSERT_EQ(0, Decrypt(c[0])) << c[0];
    EXPECT_EQ("abc", m_fs.Contents(c[1])) << c[0];
  }
  errno = ENOENT;  // left by an earlier call; must not reach the log of a refusal
  EXPECT_EQ(-3, Decrypt("C:\\d\\y.txt"));
  EXPECT_EQ(std::string::npos, ErrorLog().find('['));
  EXPECT_EQ(-1, Encrypt("C:\\d\\y.txt", ""));  // an empty key codes nothing
}

// Decryption's own existence check (the end-to-end run answers every button
// of encryption's): a cancel or a No to all set before deletes nothing.
TEST_F(TriselsTest, DecryptionAsksBeforeOverwriting) {
  const struct { int answer, result; bool overwritten; int noAll; } cases[] = {
      {kAnswerYes, 0, true, 0}, {kAnswerCancel, -2, false, 0}, {0, -3, false, 1}};
  m_fs.AddFile("C:\\d\\a.txt", "new", kTime);
  ASSERT_EQ(0, Encrypt("C:\\d\\a.txt"));
  for (const auto& c : cases) {
    m_fs.AddFile("C:\\d\\a.txt", "old", kTime);
    ResetCounters();
    m_overwrite.noToAll = c.noAll;
    m_ui.Clear();
    if (c.answer) m_ui.Script({c.answer});
    EXPECT_EQ(c.result, Decrypt("C:\\d\\a.txt.tsl")) << c.answer;
    EXPECT_EQ(c.answer ? 1u : 0u, m_ui.Questions().size()) << c.answer;
    EXPECT_EQ(c.overwritten ? "new" : "old", m_fs.Contents("C:\\d\\a.txt")) << c.answer;
  }
}

// A read-only result the user lets us overwrite cannot be opened: an error,
// and the old file stays as it was.
TEST_F(TriselsTest, ReadOnlyResultsStay) {
  m_fs.AddFile("C:\\d\\a.txt", "one", kTime);
  m_fs.AddFile("C:\\d\\a.txt.tsl", "locked", 0, kAttrReadOnly);
  m_ui.Script({kAnswerYes, kAnswerRetry, kAnswerIgnore});
  EXPECT_EQ(-3, Encrypt("C:\\d\\a.txt"));
  EXPECT_TRUE(m_fs.Contents("C:\\d\\a.txt.tsl") == "locked" && m_counters.err == 1 && m_ui.Questions().size() == 3);
}

TEST_F(TriselsTest, PathsTooLongForAResultAreRefused) {
  std::string folder = "C:\\" + std::string(240, 'f') + "\\";
  std::string fits = folder + std::string(259 - 4 - folder.size(), 'n');  // + ".tsl" = 259
  m_fs.AddFile(fits, "fits", kTime);
  m_fs.AddFile(fits + "x", "over", kTime);
  EXPECT_EQ(0, Encrypt(fits));
  m_ui.Script({kAnswerNo});
  EXPECT_TRUE(Encrypt(fits + "x") == -3 && !m_fs.Exists(fits + "x.tsl"));
  // A decrypted name without .tsl in the right place needs ".detsl": six more bytes.
  std::string tsl = folder + std::string(259 - 6 - folder.size(), 'm') + ".tsl";
  m_fs.AddFile(tsl, m_fs.Contents(fits + ".tsl"));
  EXPECT_EQ(0, Decrypt(tsl));
  m_ui.Script({kAnswerYes});
  EXPECT_EQ(-1, Encrypt("C:\\" + std::string(300, 's')));
  EXPECT_EQ(2, m_counters.err);
}

}  // namespace
