#include "common/log.h"

#include <gtest/gtest.h>

#include <string>

#include "support/temp_dir.h"

namespace {

class LogTest : public ::testing::Test {
 protected:
  void SetUp() override {
    SetLogBasePath((m_dir / "Trisel.exe").c_str());
    SetDebugLogEnabled(true);
  }
  void TearDown() override {
    SetLogBasePath(nullptr);
    SetDebugLogEnabled(false);
  }
  std::string Read(const char* suffix) { return m_dir.ReadFile(std::string("Trisel.exe") + suffix); }
  bool Exists(const char* suffix) {
    FILE* f = std::fopen((m_dir / (std::string("Trisel.exe") + suffix)).c_str(), "rb");
    if (f) std::fclose(f);
    return f != nullptr;
  }
  CTempDir m_dir;
};

TEST_F(LogTest, LevelsGoToTheirFilesAndLineEndsAreCrLf) {
  WriteLog(0, "%lu : (ok) %s\n", 1ul, "a.txt");
  WriteLog(1, "err %d\n", 7);
  WriteLog(2, "dbg\n");
  WriteLog(0x100, "second\r\n");  // only the low 8 bits count; a CR LF gets a second CR
  WriteLog(3, "three\n");         // bit 0 wins
  // Each write is flushed: the files hold everything before any close.
  EXPECT_EQ("1 : (ok) a.txt\r\nsecond\r\r\n", Read(".log"));
  EXPECT_EQ("err 7\r\nthree\r\n", Read("_err.log"));
  EXPECT_EQ("dbg\r\n", Read("_dbg.log"));
  WriteLog(8, "nothing\n");  // selects no log
  EXPECT_EQ("1 : (ok) a.txt\r\nsecond\r\r\n", Read(".log"));
}

TEST_F(LogTest, CloseRequestMakesTheNextWriteStartAfresh) {
  WriteLog(0, "first job\n");
  WriteLog(0, "more\n");
  EXPECT_EQ("first job\r\nmore\r\n", Read(".log"));
  WriteLog(kLogClose, "ignored");
  WriteLog(0, "second job\n");
  EXPECT_EQ("second job\r\n", Read(".log"));
}

TEST_F(LogTest, LongTextsAreWrittenWhole) {
  std::string big(5000, 'x');
  WriteLog(0, "%s\n", big.c_str());
  EXPECT_EQ(big + "\r\n", Read(".log"));
}

TEST_F(LogTest, DebugLevelWritesNothingWhenDisabled) {
  SetDebugLogEnabled(false);
  WriteLog(2, "trace\n");
  EXPECT_FALSE(Exists("_dbg.log"));
}

TEST_F(LogTest, ABaseTooLongForAnyLogWritesNothing) {
  std::string base = m_dir / std::string(300, 'n');
  SetLogBasePath(base.c_str());
  WriteLog(0, "lost\n");  // must neither crash nor write a cut name
  SetLogBasePath((m_dir / "Trisel.exe").c_str());
  WriteLog(0, "kept\n");
  EXPECT_EQ("kept\r\n", Read(".log"));
}

}  // namespace
