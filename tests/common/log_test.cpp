#include "common/log.h"

#include <gtest/gtest.h>

#include <string>

#include "support/temp_dir.h"

namespace {

class LogTest : public ::testing::Test {
 protected:
  void SetUp() override {
    m_log.SetFileBase((m_dir / "Trisel.exe").c_str());
    m_log.SetDebugEnabled(true);
  }
  void TearDown() override {
    m_log.SetFileBase(nullptr);
    m_log.SetDebugEnabled(false);
    m_log.SetFilesEnabled(true);
    m_log.SetListener(nullptr);
  }
  std::string Read(const char* suffix) { return m_dir.ReadFile(std::string("Trisel.exe") + suffix); }
  CTempDir m_dir;
  CRunLog& m_log = TheRunLog();
};

// Each level goes to its file, flushed at once, with CR LF line ends; the
// listener sees each text as formatted, whether or not files are written;
// a disabled debug log and a close give neither anything.
TEST_F(LogTest, LevelsGoToTheirFilesAndTheListener) {
  struct Seen : ILogListener {
    std::string texts;
    void LogWritten(int level, const char* text, size_t n) override {
      texts += std::to_string(level) + ":" + std::string(text, n) + "|";
    }
  } seen;
  m_log.SetListener(&seen);
  std::string big(5000, 'x');
  WriteLog(0, "%lu : (ok) %s\n", 1ul, "a.txt");
  WriteLog(1, "err %d\n", 7);
  WriteLog(2, "dbg\n");
  WriteLog(0x100, "second\r\n");  // only the low 8 bits count; a CR LF gets a second CR
  WriteLog(3, "three\n");         // bit 0 wins
  WriteLog(8, "nothing\n");       // selects no log
  WriteLog(0, "%s\n", big.c_str());
  // Each write is flushed: the files hold everything before any close.
  EXPECT_EQ("1 : (ok) a.txt\r\nsecond\r\r\n" + big + "\r\n", Read(".log"));
  EXPECT_EQ("err 7\r\nthree\r\n", Read("_err.log"));
  EXPECT_EQ("dbg\r\n", Read("_dbg.log"));
  EXPECT_EQ(0u, seen.texts.find("0:1 : (ok) a.txt\n|1:err 7\n|2:dbg\n|"));
  EXPECT_NE(std::string::npos, seen.texts.find("0:" + big + "\n|"));
  WriteLog(kLogClose, "ignored");  // the next write starts afresh
  WriteLog(0, "second job\n");
  EXPECT_EQ("second job\r\n", Read(".log"));
  EXPECT_EQ(std::string::npos, seen.texts.find("ignored"));
  // A disabled debug log and a base too long for any log write nothing.
  m_log.SetDebugEnabled(false);
  seen.texts.clear();
  WriteLog(2, "trace\n");
  EXPECT_EQ("dbg\r\n", Read("_dbg.log"));
  EXPECT_EQ("", seen.texts);
  m_log.SetFileBase((m_dir / std::string(300, 'n')).c_str());
  WriteLog(0, "lost\n");  // must neither crash nor write a cut name
  m_log.SetFileBase((m_dir / "Trisel.exe").c_str());
  WriteLog(0, "kept\n");
  EXPECT_EQ("kept\r\n", Read(".log"));
  m_log.SetFilesEnabled(false);
  WriteLog(0, "listener only\n");
  EXPECT_EQ("kept\r\n", Read(".log"));
  EXPECT_NE(std::string::npos, seen.texts.find("0:listener only\n|"));
}

}  // namespace
