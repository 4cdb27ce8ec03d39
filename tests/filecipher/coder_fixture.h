// What the file coder tests share: an in-memory disk, scripted answers,
// logs in a temporary folder, and .tsl files built by hand.
#ifndef MIRELKA_TESTS_FILECIPHER_CODER_FIXTURE_H
#define MIRELKA_TESTS_FILECIPHER_CODER_FIXTURE_H

#include <gtest/gtest.h>

#include <ctime>
#include <string>

#include "common/log.h"
#include "filecipher/coder_view.h"
#include "filecipher/trisels.h"
#include "filecipher/verify_code.h"
#include "support/memory_fs.h"
#include "support/scripted_report_ui.h"

const char kKey[] = "drowssap8";

inline std::string Sample(size_t n) {
  std::string s(n, '\0');
  for (size_t i = 0; i < n; ++i) s[i] = static_cast<char>((i * 131 + i / 7) & 0xFF);
  return s;
}

// Byte k (from 0) is coded with key byte ((k mod 30001) + 1) mod L.
inline std::string CodeBytes(std::string data, const std::string& key) {
  for (size_t k = 0; k < data.size(); ++k) data[k] ^= key[((k % 30001) + 1) % key.size()];
  return data;
}

// A whole .tsl file with filler bytes of 1; compare with SameTsl.
inline std::string BuildTsl(const std::string& key, time_t mtime, unsigned attr, const std::string& name,
                            const std::string& data, const std::string& chown = "win:win:1:1") {
  unsigned char code[21];
  MakeVerifyCode(key.c_str(), code);
  std::string out("\x0e\x14", 2);
  for (int i = 0; i < 20; ++i) out += std::string{static_cast<char>(code[i]), '\x01'};
  char stamp[32], hex[8];
  std::strftime(stamp, sizeof stamp, "%Y%m%d%H%M%S", std::localtime(&mtime));
  std::snprintf(hex, sizeof hex, "%02x", attr & 0xFF);
  return out + stamp + hex + "81a4" + chown + '\0' + name + '\0' + CodeBytes(data, key);
}

// Equal but for the filler bytes (odd offsets 3..41), which must lie in 1..20.
inline ::testing::AssertionResult SameTsl(const std::string& want, std::string got) {
  for (size_t i = 3; i <= 41 && i < got.size(); i += 2) {
    if (got[i] < 1 || got[i] > 20) return ::testing::AssertionFailure() << "filler at " << i;
    got[i] = '\x01';
  }
  return got == want ? ::testing::AssertionSuccess() : ::testing::AssertionFailure() << "differs";
}

class CoderTest : public ::testing::Test {
 protected:
  void SetUp() override {
    TheRunLog().SetFileBase((m_logDir / "Trisel.exe").c_str());
    TheRunLog().SetDebugEnabled(true);
    m_ui.SetFallback(kAnswerIgnore);  // unscripted questions skip the file
    m_ui.SetFallback(kReportYesNo, kAnswerNo);
    m_ui.SetFallback(kReportStopJob, kAnswerNo);
  }
  void TearDown() override { TheRunLog().SetFileBase(nullptr); TheRunLog().SetDebugEnabled(false); }
  // One file through a fresh coder object, as the folder walk does it.
  int Run(IFileSystem& fs, const std::string& path, const std::string& key, int mode) {
    CTrisels coder(fs, m_ui, m_view, m_job);
    return coder.Trisel(path.c_str(), key.c_str(), 0, mode, 0, m_counters, &m_overwrite, &m_job.cancel);
  }
  int Encrypt(const std::string& path, const std::string& key = kKey) { return Run(m_fs, path, key, kModeEncrypt); }
  int Decrypt(const std::string& path, const std::string& key = kKey) { return Run(m_fs, path, key, kModeDecrypt); }
  void ResetCounters() { m_counters = JobCounters(); m_overwrite = OverwriteAll(); }
  std::string ErrorLog() { TheRunLog().CloseFiles(); return m_logDir.ReadFile("Trisel.exe_err.log"); }
  std::string LastTag() { return m_ui.Reports().empty() ? "" : m_ui.Reports().back().tag; }

  CTempDir m_logDir;
  CMemoryFileSystem m_fs;
  CScriptedReportUI m_ui;
  CNullTriselView m_view;
  JobState m_job;
  JobCounters m_counters;
  OverwriteAll m_overwrite;
};

#endif
