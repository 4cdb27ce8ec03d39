#include "common/log.h"

#include <gtest/gtest.h>

#include <string>

#include "support/temp_dir.h"

namespace {

// Each level goes to its file, flushed at once, with CR LF line ends; the
// listener sees each text as formatted, whether or not files are written;
// a disabled debug log, a close and a base too long for a name give nothing.
TEST(Log, LevelsGoToTheirFilesAndTheListener) {
  CTempDir dir;
  CRunLog& log = TheRunLog();
  auto read = [&](const char* suffix) { return dir.ReadFile(std::string("Trisel.exe") + suffix); };
  struct Seen : ILogListener {
    std::string texts;
    void LogWritten(int level, const char* text, size_t n) override {
      texts += std::to_string(level) + ":" + std::string(text, n) + "|";
    }
  } seen;
  log.SetFileBase((dir / "Trisel.exe").c_str());
  log.SetDebugEnabled(true);
  log.SetListener(&seen);
  const std::string big(5000, 'x');
  WriteLog(0, "%lu : (ok) %s\n", 1ul, "a.txt");
  WriteLog(1, "err %d\n", 7);
  WriteLog(2, "dbg\n");
  WriteLog(0x100, "second\r\n");  // only the low 8 bits count; a CR LF gets a second CR
  WriteLog(3, "three\n");         // bit 0 wins
  WriteLog(8, "nothing\n");       // selects no log
  WriteLog(0, "%s\n", big.c_str());
  EXPECT_EQ("1 : (ok) a.txt\r\nsecond\r\r\n" + big + "\r\n", read(".log"));
  EXPECT_EQ("err 7\r\nthree\r\n", read("_err.log"));
  EXPECT_EQ("dbg\r\n", read("_dbg.log"));
  EXPECT_EQ(0u, seen.texts.find("0:1 : (ok) a.txt\n|1:err 7\n|2:dbg\n|"));
  WriteLog(kLogClose, "ignored");  // the next write starts afresh
  log.SetDebugEnabled(false);
  WriteLog(2, "trace\n");
  log.SetFileBase((dir / std::string(300, 'n')).c_str());
  WriteLog(0, "lost\n");  // must neither crash nor write a cut name
  log.SetFileBase((dir / "Trisel.exe").c_str());
  WriteLog(0, "kept\n");
  log.SetFilesEnabled(false);
  WriteLog(0, "listener only\n");
  EXPECT_EQ("kept\r\n", read(".log"));
  EXPECT_EQ("dbg\r\n", read("_dbg.log"));
  EXPECT_TRUE(seen.texts.find("ignored") == std::string::npos && seen.texts.find("trace") == std::string::npos);
  EXPECT_NE(std::string::npos, seen.texts.find("0:listener only\n|"));
  log.SetFileBase(nullptr);
  log.SetFilesEnabled(true);
  log.SetListener(nullptr);
}

}  // namespace
