// One file through CTrisels: round trips, result names, the existence rule,
// cancel, refusals and the counters each of them moves.
#include <gtest/gtest.h>

#include <cerrno>
#include <string>

#include "coder_fixture.h"

namespace {

const time_t kTime = 1234567890;

std::string Sample(size_t n) {
  std::string s;
  for (size_t i = 0; i < n; ++i) s += static_cast<char>((i * 131 + i / 7) & 0xFF);
  return s;
}

class TriselsTest : public CoderTest {};

TEST_F(TriselsTest, RoundTripsRestoreBytesTimeAndAttributes) {
  // Hangul (CP949, trail bytes 0x5C included: "표" is 0xC7 0xA5, "\xb0\x5c" is
  // a lead byte with a backslash trail) and blanks in names.
  struct Named { const char* path; const char* name; } names[] = {
      {"C:\\문서 폴더\\보고서 초안.txt", "보고서 초안.txt"}, {"C:\\d\\a b", "a b"},
      {"C:\\d\\\xb0\x5c.dat", "\xb0\x5c.dat"}, {"C:\\d\\x.TSLX", "x.TSLX"}};
  const size_t sizes[] = {0, 1, 30001, 30002, (1 << 20) + 17};
  const std::string keys[] = {"q", Sample(1023) + "z"};
  std::string key1024 = keys[1];
  for (char& c : key1024)
    if (c == 0) c = 1;  // key texts hold no zero byte
  for (const Named& named : names)
    for (size_t size : sizes)
      for (const std::string& key : {keys[0], key1024}) {
        std::string name = named.path;
        std::string data = Sample(size);
        m_fs.AddFile(name, data, kTime, kAttrArchive | kAttrReadOnly | kAttrHidden);
        ResetCounters();
        m_job.ResetAll();
        m_job.total = 2;
        ASSERT_EQ(0, Encrypt(name, key)) << name << " " << size;
        std::string tsl = name + ".tsl";
        EXPECT_EQ(data, m_fs.Contents(name));
        // Encrypting keeps the source; decrypting must make it again, so
        // take the original away (read-only files resist removal).
        m_fs.SetAttributes(name.c_str(), kAttrArchive);
        ASSERT_EQ(0, m_fs.Remove(name.c_str()));
        ASSERT_EQ(0, Decrypt(tsl, key)) << name << " " << size;
        EXPECT_EQ(std::string(named.name) + ".tsl", m_view.fileName);
        EXPECT_EQ(data, m_fs.Contents(name));
        EXPECT_EQ(kTime, m_fs.MTime(name));
        EXPECT_EQ(kAttrArchive | kAttrReadOnly | kAttrHidden, m_fs.GetAttributes(name.c_str()));
        EXPECT_EQ(2, m_counters.count);
        EXPECT_EQ(2, m_counters.ok);
        EXPECT_EQ(0, m_counters.warn + m_counters.err);
        EXPECT_EQ(2u, m_job.seq);
        EXPECT_EQ("2 / 2 files...", m_view.counterText);
        EXPECT_EQ(100, m_view.fileSteps);
        m_fs.SetAttributes(name.c_str(), kAttrArchive);
        m_fs.Remove(name.c_str());
        m_fs.Remove(tsl.c_str());
        ASSERT_EQ(0, m_fs.OpenFiles());
        EXPECT_TRUE(m_ui.Reports().empty());
      }
}

TEST_F(TriselsTest, ResultNames) {
  struct Case { const char* source; const char* result; } cases[] = {
      {"C:\\d\\A.TXT.TSL", "C:\\d\\A.TXT"},  {"C:\\d\\b.Tsl", "C:\\d\\b"},
      {"C:\\d\\.tsl", "C:\\d\\.tsl.detsl"},  // nothing would be left of the name
  };
  for (const Case& c : cases) {
    m_fs.AddFile("C:\\d\\plain", "abc", kTime);
    ASSERT_EQ(0, Encrypt("C:\\d\\plain"));
    m_fs.AddFile(c.source, m_fs.Contents("C:\\d\\plain.tsl"));
    ASSERT_EQ(0, Decrypt(c.source)) << c.source;
    EXPECT_EQ("abc", m_fs.Contents(c.result)) << c.source;
    m_fs.Remove(c.result);
    m_fs.Remove("C:\\d\\plain.tsl");
  }
}

TEST_F(TriselsTest, WrongExtensionsAreRefusedAsWarnings) {
  m_fs.AddFile("C:\\d\\x.TsL", "abc");
  m_fs.AddFile("C:\\d\\y.txt", "abc");
  errno = ENOENT;  // left by some earlier call; not part of these findings
  EXPECT_EQ(-3, Encrypt("C:\\d\\x.TsL"));
  errno = ENOENT;
  EXPECT_EQ(-3, Decrypt("C:\\d\\y.txt"));
  EXPECT_EQ(std::string::npos, ErrorLog().find('['));
  EXPECT_EQ(2, m_counters.warn);
  EXPECT_EQ(0, m_counters.err + m_counters.ok);
  EXPECT_EQ(2, m_view.overallSteps);  // a skip still moves the overall bar
  EXPECT_EQ((std::vector<std::string>{"CTrisels::Trisel, !strcmp(), 2", "CTrisels::Trisel, strcmp(), 3"}),
            m_ui.Tags());
  EXPECT_TRUE(m_ui.Questions().empty());
  EXPECT_EQ(2u, m_fs.Files().size());
}

TEST_F(TriselsTest, ExistenceRuleFollowsEveryAnswer) {
  struct Case { int answer, result, warn; bool overwritten; int yesAll, noAll; } cases[] = {
      {kAnswerYes, 0, 1, true, 0, 0},       {kAnswerYesToAll, 0, 1, true, 1, 0},
      {kAnswerNo, -3, 1, false, 0, 0},      {kAnswerNoToAll, -3, 1, false, 0, 1},
      {kAnswerCancel, -2, 1, false, 0, 0},
  };
  for (const Case& c : cases) {
    for (int mode : {kModeEncrypt, kModeDecrypt}) {
      m_fs.Remove("C:\\d\\a.txt.tsl");
      m_fs.AddFile("C:\\d\\a.txt", "new", kTime);
      ASSERT_EQ(0, Encrypt("C:\\d\\a.txt"));
      const char* result = mode == kModeEncrypt ? "C:\\d\\a.txt.tsl" : "C:\\d\\a.txt";
      std::string before = mode == kModeEncrypt ? m_fs.Contents(result) : "old";
      if (mode == kModeEncrypt) m_fs.AddFile("C:\\d\\a.txt", "newer", kTime);
      else m_fs.AddFile(result, before);
      ResetCounters();
      m_ui.Clear();
      m_ui.Script({c.answer});
      int rc = Run(m_fs, mode == kModeEncrypt ? "C:\\d\\a.txt" : "C:\\d\\a.txt.tsl", "drowssap8", mode);
      EXPECT_EQ(c.result, rc) << c.answer;
      EXPECT_EQ(c.warn, m_counters.warn);
      EXPECT_EQ(0, m_counters.err);
      EXPECT_EQ(c.yesAll, m_overwrite.yesToAll);
      EXPECT_EQ(c.noAll, m_overwrite.noToAll);
      ASSERT_EQ(1u, m_ui.Questions().size());
      EXPECT_EQ(mode == kModeEncrypt ? "CTrisels::EnCode, stat(szEncodingFname), 1"
                                     : "CTrisels::DeCode, stat(szDecodingFname), 1",
                m_ui.Tags()[0]);
      EXPECT_EQ(c.overwritten, m_fs.Contents(result) != before) << c.answer << " mode " << mode;
      EXPECT_TRUE(m_fs.Exists(result));  // a cancel deletes nothing that was there
    }
  }
}

TEST_F(TriselsTest, AllFlagsAnswerWithoutAsking) {
  m_fs.AddFile("C:\\d\\a.txt", "one", kTime);
  m_fs.AddFile("C:\\d\\a.txt.tsl", "old");
  m_overwrite.noToAll = 1;
  EXPECT_EQ(-3, Encrypt("C:\\d\\a.txt"));
  EXPECT_EQ("old", m_fs.Contents("C:\\d\\a.txt.tsl"));
  m_overwrite = OverwriteAll();
  m_overwrite.yesToAll = 1;
  EXPECT_EQ(0, Encrypt("C:\\d\\a.txt"));
  EXPECT_NE("old", m_fs.Contents("C:\\d\\a.txt.tsl"));
  EXPECT_TRUE(m_ui.Reports().empty());
  EXPECT_EQ(0, m_counters.warn);
  // A read-only result that the user lets us overwrite cannot be opened:
  // an error, and the old file stays as it was.
  m_fs.AddFile("C:\\d\\a.txt.tsl", "locked", 0, kAttrReadOnly);
  ResetCounters();
  m_ui.Script({kAnswerYes, kAnswerRetry, kAnswerIgnore});
  EXPECT_EQ(-3, Encrypt("C:\\d\\a.txt"));
  EXPECT_EQ("locked", m_fs.Contents("C:\\d\\a.txt.tsl"));
  EXPECT_EQ(1, m_counters.err);
  EXPECT_EQ(1, m_counters.warn);
  EXPECT_EQ("CTrisels::EnCode, fopen(szEncodingFname), 2", m_ui.Tags().back());
  EXPECT_EQ(3u, m_ui.Questions().size());
}

// Sets the cancel word once the per-file bar reached a number of steps.
class CancellingView : public CRecordingView {
 public:
  std::atomic<int32_t>* cancel = nullptr;
  int at = 0;
  void FileBarStep() override {
    CRecordingView::FileBarStep();
    if (fileSteps == at) cancel->store(1);
  }
};

TEST_F(TriselsTest, CancelRemovesThePartialResultOnly) {
  std::string data = Sample(3 << 20);
  for (int mode : {kModeEncrypt, kModeDecrypt}) {
    m_fs.AddFile("C:\\d\\big.bin", data, kTime);
    m_job.cancel = 0;
    if (mode == kModeDecrypt) {
      ASSERT_EQ(0, Encrypt("C:\\d\\big.bin"));
      m_fs.Remove("C:\\d\\big.bin");
    }
    CancellingView view;
    view.cancel = &m_job.cancel;
    view.at = 10;
    CTrisels coder(m_fs, m_ui, view, m_job);
    ResetCounters();
    const char* src = mode == kModeEncrypt ? "C:\\d\\big.bin" : "C:\\d\\big.bin.tsl";
    std::string before = m_fs.Contents(src);
    EXPECT_EQ(-2, coder.Trisel(src, "drowssap8", 0, mode, 0, m_counters, &m_overwrite, &m_job.cancel));
    EXPECT_LT(view.fileSteps, 100);
    EXPECT_EQ(before, m_fs.Contents(src));
    EXPECT_FALSE(m_fs.Exists(mode == kModeEncrypt ? "C:\\d\\big.bin.tsl" : "C:\\d\\big.bin"));
    EXPECT_EQ(0, m_counters.ok + m_counters.err + m_counters.warn);
    EXPECT_EQ(0, view.overallSteps);
    // Cancelled before the pass begins: nothing is coded at all.
    EXPECT_EQ(-2, coder.Trisel(src, "drowssap8", 0, mode, 0, m_counters, &m_overwrite, &m_job.cancel));
    if (mode == kModeEncrypt) m_fs.Remove("C:\\d\\big.bin.tsl");
  }
  EXPECT_EQ(0, m_fs.OpenFiles());
}

TEST_F(TriselsTest, AnEmptyKeyCodesNothing) {
  m_fs.AddFile("C:\\d\\a.txt", "abc");
  EXPECT_EQ(-1, Encrypt("C:\\d\\a.txt", ""));
  EXPECT_EQ(1, m_counters.err);
  EXPECT_EQ(1u, m_fs.Files().size());
}

TEST_F(TriselsTest, PathsTooLongForAResultAreRefused) {
  std::string folder = "C:\\" + std::string(240, 'f') + "\\";
  std::string fits = folder + std::string(259 - 4 - folder.size(), 'n');  // + ".tsl" = 259
  std::string over = fits + "x";
  m_fs.AddFile(fits, "fits", kTime);
  m_fs.AddFile(over, "over", kTime);
  EXPECT_EQ(0, Encrypt(fits));
  m_ui.Script({kAnswerNo});
  EXPECT_EQ(-3, Encrypt(over));
  EXPECT_EQ("CTrisels::EnCode, sprintf(szEncodingFname), 4", m_ui.Tags().back());
  EXPECT_EQ(1, m_counters.err);
  EXPECT_FALSE(m_fs.Exists(over + ".tsl"));
  // The decrypted name of a file without .tsl in the right place needs
  // ".detsl": six more bytes.
  std::string tsl = folder + std::string(259 - 6 - folder.size(), 'm') + ".tsl";
  m_fs.AddFile(tsl, m_fs.Contents(fits + ".tsl"));
  EXPECT_EQ(0, Decrypt(tsl));
  m_ui.Script({kAnswerYes});
  std::string longSource(300, 's');
  EXPECT_EQ(-1, Encrypt("C:\\" + longSource));
  EXPECT_EQ("CTrisels::Trisel, strlen(szInputPathFname), 4", m_ui.Tags().back());
  EXPECT_EQ(2, m_counters.err);
}

}  // namespace
