// The key-derived pieces: verification code, payload coding, the per-file
// bar's steps, and the hexadecimal field scanner.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <random>
#include <string>
#include <vector>

#include "coder_fixture.h"
#include "filecipher/file_progress.h"
#include "filecipher/head_read.h"

namespace {

TEST(VerifyCodeTest, ShortKeysRepeatLongKeysAreSampled) {
  const std::string salt = "zuvnbtwyglmapxerhocs";
  std::string keys[] = {"abc", "ABCDEFGHIJKLMNOPQRST", "", "", "zu"};
  for (int i = 0; i < 40; ++i) keys[2] += static_cast<char>(0x80 + i);
  for (int i = 0; i < 1024; ++i) keys[3] += static_cast<char>(1 + i % 250);
  for (const std::string& key : keys) {
    unsigned char v[21];
    ASSERT_EQ(0, MakeVerifyCode(key.c_str(), v));
    EXPECT_EQ(0, v[20]);
    size_t n = key.size();
    for (size_t i = 0; i < 20; ++i)
      EXPECT_EQ(static_cast<unsigned char>(key[n < 20 ? i % n : i * n / 20] ^ salt[i]), v[i])
          << n << " " << i;
  }
}

TEST(FileProgressTest, BlocksStepAtTheThresholdsOfSingleBytes) {
  std::mt19937 rng(7);
  for (double n : {0., 1., 7., 99., 100., 101., 150., 1000., 30002., 123457.})
    for (int delta : {0, -3, 5}) {  // the file may differ from what was measured
      if (n + delta < 0) continue;
      uint64_t bytes = static_cast<uint64_t>(n + delta);
      // The steps a byte-at-a-time loop has made after b bytes.
      std::vector<int> after(bytes + 1, 0);
      for (uint64_t b = 1; b <= bytes; ++b) {
        int s = after[b - 1];
        after[b] = s + (s < 100 && static_cast<double>(b) > (s < 99 ? n * (s + 1) * 0.01 : n));
      }
      int atEnd = n > 100 ? 1 : 100 - after[bytes];
      for (int split = 0; split < 3; ++split) {
        CRecordingView view;
        CFileProgress bar(view, n);
        for (uint64_t done = 0; done < bytes;) {
          done += split == 0 ? 1 : split == 1 ? 4096 : rng() % 977 + 1;
          done = std::min(bytes, done);
          bar.Advance(done);
          ASSERT_EQ(after[done], view.fileSteps) << "n=" << n << " done=" << done;
        }
        bar.Finish();
        EXPECT_EQ(delta == 0 ? 100 : after[bytes] + atEnd, view.fileSteps) << "n=" << n;
      }
    }
}

TEST_F(CoderTest, PayloadFollowsTheKeyPositionRule) {
  std::string data;
  for (int i = 0; i < 30001 * 2 + 5; ++i) data += static_cast<char>(i * 7 + 3);
  for (const std::string& key : {std::string("k"), std::string("abc"), std::string(1024, 'q') + "x"})
    for (size_t len : {size_t(0), size_t(1), size_t(30002), data.size()}) {
      m_fs.AddFile("C:\\p\\d.bin", data.substr(0, len), 1000);
      m_fs.Remove("C:\\p\\d.bin.tsl");
      ASSERT_EQ(0, Encrypt("C:\\p\\d.bin", key));
      std::string tsl = m_fs.Contents("C:\\p\\d.bin.tsl");
      ASSERT_EQ(80 + len, tsl.size());  // 64 + 11 + 5 bytes of header
      ASSERT_EQ(CodeBytes(data.substr(0, len), key), tsl.substr(80)) << "len " << len;
      if (len < 30002) continue;
      // The key position wraps after 30001 bytes, back to the second key byte.
      EXPECT_EQ(static_cast<char>(data[30000] ^ key[30001 % key.size()]), tsl[80 + 30000]);
      EXPECT_EQ(static_cast<char>(data[30001] ^ key[1 % key.size()]), tsl[80 + 30001]);
    }
}

class StringSource : public IByteSource {
 public:
  explicit StringSource(const std::string& s) : m_s(s) {}
  int Next() override { return m_at++ < m_s.size() ? static_cast<unsigned char>(m_s[m_at - 1]) : -1; }
  void Unread() override { --m_at; }
  size_t Consumed() const { return std::min(m_at, m_s.size()); }

 private:
  std::string m_s;
  size_t m_at = 0;
};

TEST(ScanHexTest, TakesWhatTheRuntimeScannerTakes) {
  const char* inputs[] = {"21",  "0x21", "0x",   "0xg",  "-1",   "+f",   "-",    "+",
                          "- 1", " \t\n21", "x1", "-0x1", "0X",  "g",    "1g",   "f",
                          "00",  "0",    "-0x",  "\v7",  "\f7",  "\xa0" "7", "0xa4", "81a4",
                          "+81a", "0x81a4", " -81", "1", "", "  ", "FFFF", "fFfF1", "\r\n+0"};
  for (const char* in : inputs)
    for (int width : {2, 4}) {
      char fmt[16];
      std::snprintf(fmt, sizeof fmt, "%%0%dx%%n", width);
      unsigned want = 0;
      int used = -1;
      int rc = std::sscanf(in, fmt, &want, &used);
      StringSource src(in);
      uint32_t got = 0;
      bool eof = false;
      SCOPED_TRACE(std::string("[") + in + "] width " + std::to_string(width));
      ASSERT_EQ(rc == 1 ? 1 : 0, ScanHex(src, width, got, eof));
      if (rc != 1) continue;
      EXPECT_EQ(want, got);
      EXPECT_EQ(static_cast<size_t>(used), src.Consumed());
      // The end is met exactly when the number runs to the end of the text
      // with width to spare.
      size_t blanks = std::strspn(in, " \t\n\v\f\r");
      EXPECT_EQ(static_cast<size_t>(used) == std::strlen(in) && used - blanks < size_t(width), eof);
    }
}

}  // namespace
