#include "common/log.h"

#include <gtest/gtest.h>

#include "support/temp_dir.h"

namespace {

// The old programs' log bytes: each level to its file, only the low 8 bits
// count, bit 0 wins, a CR LF gets a second CR; a base too long for a name
// writes nothing and does not crash.
TEST(Log, LevelsGoToTheirFilesWithTheOldLineEnds) {
  CTempDir dir;
  CRunLog& log = TheRunLog();
  auto read = [&](const char* suffix) { return dir.ReadFile(std::string("Trisel.exe") + suffix); };
  log.SetFileBase((dir / std::string(300, 'n')).c_str());
  WriteLog(0, "lost\n");
  log.SetFileBase((dir / "Trisel.exe").c_str());
  log.SetDebugEnabled(true);
  WriteLog(0, "%lu : (ok) %s\n", 1ul, "a.txt");
  WriteLog(2, "dbg\n");
  WriteLog(0x100, "second\r\n");
  WriteLog(3, "three\n");
  WriteLog(8, "nothing\n");
  EXPECT_EQ("1 : (ok) a.txt\r\nsecond\r\r\n", read(".log"));
  EXPECT_EQ("three\r\n", read("_err.log"));
  EXPECT_EQ("dbg\r\n", read("_dbg.log"));
  log.SetFileBase(nullptr);
  log.SetDebugEnabled(false);
}

}  // namespace
