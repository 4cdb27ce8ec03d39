// Every file-system call of one encryption and one decryption made to fail,
// once or from then on, with or without a retry: each run must end with the
// right result and counter, no handle left open, the source untouched, and
// either a complete result or none at all.
#include <gtest/gtest.h>

#include <cerrno>

#include "coder_fixture.h"

namespace {

const char kSrc[] = "C:\\d\\한글 파일.txt";
const char kTsl[] = "C:\\d\\한글 파일.txt.tsl";
const time_t kTime = 1500000000;

class FaultsTest : public CoderTest {
 protected:
  void Walk(int mode, FsOp op, bool persistent, bool retryFirst) {
    const std::string data = Sample(70000);
    const char* src = mode == kModeEncrypt ? kSrc : kTsl;
    const char* out = mode == kModeEncrypt ? kTsl : kSrc;
    for (unsigned n = 1; n < 500; ++n) {
      SCOPED_TRACE(std::string(FsOpName(op)) + " " + std::to_string(persistent * 2 + retryFirst) + " " + std::to_string(mode) + " " + std::to_string(n));
      CMemoryFileSystem mem;
      mem.AddFile(kSrc, data, kTime, kAttrArchive | kAttrReadOnly);
      if (mode == kModeDecrypt) {
        ASSERT_EQ(0, Run(mem, kSrc, kKey, kModeEncrypt));
        mem.SetAttributes(kSrc, kAttrArchive);
        mem.Remove(kSrc);
      }
      std::string source = mem.Contents(src);
      CFaultFileSystem fs(mem);
      fs.FailAt(op, n, EIO, persistent);
      m_ui.Clear();
      if (retryFirst) m_ui.ScriptFor(kReportAbortRetryIgnore, {kAnswerRetry});
      ResetCounters();
      int rc = Run(fs, src, kKey, mode);
      if (!fs.Fired()) {
        EXPECT_TRUE(rc == 0 && n > 1) << "the operation was never called";
        return;
      }
      EXPECT_TRUE(mem.OpenFiles() == 0 && mem.Contents(src) == source);
      if (rc == 0) {
        EXPECT_TRUE(m_counters.ok == 1 && m_counters.err == 0);
        if (mode == kModeEncrypt)
          EXPECT_TRUE(SameTsl(BuildTsl(kKey, kTime, 0x21, "한글 파일.txt", data), mem.Contents(out)));
        else
          EXPECT_EQ(data, mem.Contents(out));
        // Only the property restore may fail and still give a done file.
        bool mayReport = op == FsOp::SetTime || op == FsOp::SetAttr || op == FsOp::Close || retryFirst;
        EXPECT_TRUE(mayReport || m_ui.Reports().empty());
      } else {
        EXPECT_EQ(-3, rc);
        EXPECT_TRUE(m_counters.ok == 0 && m_counters.err + m_counters.warn == 1);
        EXPECT_FALSE(mem.Exists(out)) << "an incomplete result was left behind";
        // A failed stat of the result name counts as "exists": the
        // overwrite question, answered No, is a warning.
        EXPECT_TRUE(m_counters.warn == 0 || LastTag().find("stat(sz") != std::string::npos);
      }
    }
    FAIL() << "no end";
  }
};

TEST_F(FaultsTest, EveryFailureEndsCleanly) {
  for (int mode : {kModeEncrypt, kModeDecrypt})
    for (FsOp op : {FsOp::Open, FsOp::Read, FsOp::Write, FsOp::Close, FsOp::Stat, FsOp::GetAttr, FsOp::SetTime,
                    FsOp::SetAttr}) {
      // Encrypting restores no properties; decrypting reads none.
      if (mode == kModeEncrypt ? op == FsOp::SetTime || op == FsOp::SetAttr : op == FsOp::GetAttr) continue;
      for (bool persistent : {false, true})
        for (bool retry : {false, true}) Walk(mode, op, persistent, retry);
    }
  // Abort stops the job and leaves no result.
  m_fs.AddFile(kSrc, std::string(5000, 'a'), kTime);
  CFaultFileSystem fs(m_fs);
  fs.FailAt(FsOp::Write, 3, ENOSPC, true);
  m_ui.Clear();
  m_ui.Script({kAnswerAbort});
  ResetCounters();
  EXPECT_EQ(-1, Run(fs, kSrc, kKey, kModeEncrypt));
  EXPECT_TRUE(m_counters.err == 1 && !m_fs.Exists(kTsl));
}

}  // namespace
