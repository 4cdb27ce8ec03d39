// The key-derived pieces: verification code, payload coding, the per-file
// bar's steps, and the hexadecimal field scanner.
#include <gtest/gtest.h>

#include <cstdio>
#include <random>
#include <string>
#include <vector>

#include "coder_fixture.h"
#include "filecipher/file_progress.h"
#include "filecipher/head_read.h"

namespace {

std::string Code(const std::string& key) {
  unsigned char v[21];
  EXPECT_EQ(0, MakeVerifyCode(key.c_str(), v));
  EXPECT_EQ(0, v[20]);
  return std::string(reinterpret_cast<char*>(v), 20);
}

TEST(VerifyCodeTest, ShortKeysRepeatLongKeysAreSampled) {
  const std::string salt = "zuvnbtwyglmapxerhocs";
  std::string k3 = "abc", k20, k40, k1024;
  for (int i = 0; i < 20; ++i) k20 += static_cast<char>('A' + i);
  for (int i = 0; i < 40; ++i) k40 += static_cast<char>(0x80 + i);
  for (int i = 0; i < 1024; ++i) k1024 += static_cast<char>(1 + i % 250);
  std::string c3 = Code(k3), c20 = Code(k20), c40 = Code(k40), c1024 = Code(k1024);
  for (int i = 0; i < 20; ++i) {
    EXPECT_EQ(static_cast<char>(k3[i % 3] ^ salt[i]), c3[i]);
    EXPECT_EQ(static_cast<char>(k20[i] ^ salt[i]), c20[i]);
    EXPECT_EQ(static_cast<char>(k40[2 * i] ^ salt[i]), c40[i]);
    EXPECT_EQ(static_cast<char>(k1024[i * 1024 / 20] ^ salt[i]), c1024[i]);
  }
  EXPECT_EQ(static_cast<char>(k1024[51] ^ salt[1]), c1024[1]);
  // A key letter equal to the salt letter gives a zero byte.
  EXPECT_EQ(0, Code("zu")[0]);
  EXPECT_EQ(0, Code("zu")[1]);
}

// The per-file bar as the byte-at-a-time loop drives it: the steps made
// after each byte, then at the end.
std::vector<int> ReferenceSteps(double n, uint64_t bytes) {
  double t[100];
  for (int j = 0; j < 99; ++j) t[j] = n * (j + 1) * 0.01;
  t[99] = n;
  std::vector<int> steps;  // byte number of every step, 0 for the end
  int ti = 0, s = 1;
  for (uint64_t b = 1; b <= bytes; ++b)
    if (ti < 100 && static_cast<double>(b) > t[ti]) {
      steps.push_back(static_cast<int>(b));
      ++ti;
      ++s;
    }
  int end = n > 100 ? 1 : 101 - s;
  for (int i = 0; i < end; ++i) steps.push_back(0);
  return steps;
}

class StepLog : public CNullTriselView {
 public:
  uint64_t at = 0;
  bool ended = false;
  std::vector<int> steps;
  void FileBarStep() override { steps.push_back(ended ? 0 : static_cast<int>(at)); }
};

TEST(FileProgressTest, BlocksStepAtTheThresholdsOfSingleBytes) {
  std::mt19937 rng(7);
  const double sizes[] = {0, 1, 7, 99, 100, 101, 150, 1000, 30002, 123457};
  for (double n : sizes) {
    for (int actualDelta : {0, -3, 5}) {  // the file may differ from what was measured
      if (n + actualDelta < 0) continue;
      uint64_t bytes = static_cast<uint64_t>(n + actualDelta);
      std::vector<int> want = ReferenceSteps(n, bytes);
      for (int split = 0; split < 3; ++split) {
        StepLog view;
        CFileProgress bar(view, n);
        uint64_t done = 0;
        while (done < bytes) {
          uint64_t chunk = split == 0 ? 1 : split == 1 ? 4096 : rng() % 977 + 1;
          done = std::min(bytes, done + chunk);
          // Steps belong to the first byte after the previous step that
          // passes the threshold; which byte is known only at block level,
          // so compare the count up to each block end.
          view.at = done;
          bar.Advance(done);
          size_t upTo = 0;
          for (int w : want)
            if (w != 0 && static_cast<uint64_t>(w) <= done) ++upTo;
          ASSERT_EQ(upTo, view.steps.size()) << "n=" << n << " done=" << done;
        }
        view.ended = true;
        bar.Finish();
        EXPECT_EQ(want.size(), view.steps.size()) << "n=" << n;
        if (bytes == static_cast<uint64_t>(n)) {
          EXPECT_EQ(100u, view.steps.size()) << "n=" << n;
        }
      }
    }
  }
}

TEST_F(CoderTest, PayloadFollowsTheKeyPositionRule) {
  std::string data;
  for (int i = 0; i < 30001 * 2 + 5; ++i) data += static_cast<char>(i * 7 + 3);
  const std::string keys[] = {"k", "abc", std::string(1024, 'q') + "x"};
  for (const std::string& key : keys) {
    for (size_t len : {size_t(0), size_t(1), size_t(30001), size_t(30002), data.size()}) {
      m_fs.AddFile("C:\\p\\d.bin", data.substr(0, len), 1000);
      m_fs.Remove("C:\\p\\d.bin.tsl");
      ASSERT_EQ(0, Encrypt("C:\\p\\d.bin", key));
      std::string tsl = m_fs.Contents("C:\\p\\d.bin.tsl");
      ASSERT_GE(tsl.size(), 80u);  // 64 + 11 + 5 bytes of header
      std::string payload = tsl.substr(80);
      ASSERT_EQ(CodeBytes(data.substr(0, len), key), payload) << "len " << len;
      if (len == 30002) {
        EXPECT_EQ(static_cast<char>(data[30000] ^ key[30001 % key.size()]), payload[30000]);
        EXPECT_EQ(static_cast<char>(data[30001] ^ key[1 % key.size()]), payload[30001]);
      }
      if (key.size() == 1 && len > 0) {
        EXPECT_EQ(static_cast<char>(data[0] ^ 'k'), payload[0]);
      }
    }
  }
}

// A byte source over a string for the scanner.
class StringSource : public IByteSource {
 public:
  explicit StringSource(const std::string& s) : m_s(s) {}
  int Next() override { return m_at < m_s.size() ? static_cast<unsigned char>(m_s[m_at++]) : (++m_at, -1); }
  void Unread() override { --m_at; }
  size_t Consumed() const { return m_at > m_s.size() ? m_s.size() : m_at; }

 private:
  std::string m_s;
  size_t m_at = 0;
};

TEST(ScanHexTest, TakesWhatTheRuntimeScannerTakes) {
  const char* inputs[] = {"21",  "0x21", "0x",   "0xg",  "-1",   "+f",   "-",    "+",
                          "- 1", " \t\n21", "x1", "-0x1", "0X",  "g",    "1g",   "f",
                          "00",  "0",    "-0x",  "\v7",  "\f7",  "\xa0" "7", "0xa4", "81a4",
                          "+81a", "0x81a4", " -81", "1", "", "  ", "FFFF", "fFfF1", "\r\n+0"};
  for (const char* in : inputs) {
    for (int width : {2, 4}) {
      char fmt[16];
      std::snprintf(fmt, sizeof fmt, "%%0%dx%%n", width);
      unsigned want = 0;
      int used = -1;
      int rc = std::sscanf(in, fmt, &want, &used);
      StringSource src(in);
      uint32_t got = 0;
      bool eof = false;
      int mine = ScanHex(src, width, got, eof);
      std::string what = std::string("[") + in + "] width " + std::to_string(width);
      ASSERT_EQ(rc == 1 ? 1 : 0, mine) << what;
      if (mine == 1) {
        EXPECT_EQ(want, got) << what;
        EXPECT_EQ(static_cast<size_t>(used), src.Consumed()) << what;
        // The end is met exactly when the number runs to the end of the text
        // with width to spare.
        EXPECT_EQ(static_cast<size_t>(used) == std::strlen(in) &&
                      static_cast<int>(used - std::strspn(in, " \t\n\v\f\r")) < width,
                  eof)
            << what;
      }
    }
  }
}

}  // namespace
