#include "textcipher/common_key_file.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <cstring>
#include <random>
#include <string>

#include "support/memory_fs.h"
#include "textcipher/fakes.h"

namespace {

// The block for a full sample s: alternately from its end and its start.
std::string ExpectedBlock(const std::string& s) {
  std::string block(1024, '\0');
  for (int m = 0; m < 512; ++m) block[2 * m] = s[1023 - m], block[2 * m + 1] = s[m];
  return block;
}

std::string Bytes(size_t n, unsigned seed) {
  std::string s(n, '\0');
  for (size_t i = 0; i < n; ++i) s[i] = static_cast<char>((i * 2654435761u + seed) >> 13);
  return s;
}

std::string SampleEvery(const std::string& content, size_t step) {
  std::string s;
  for (size_t i = 0; i < 1024; ++i) s += content[i * step] ? content[i * step] : 'P';
  return s;
}

std::string Read(IFileSystem& fs, const char* path, IKeyFileView& view, int* rc) {
  char block[1025];
  *rc = ReadCommonKeyFile(fs, path, block, view);
  EXPECT_TRUE(*rc != kKeyOk || block[1024] == 0);
  return std::string(block, 1024);
}

}  // namespace

TEST(CommonKeyFile, SamplesEvenlySpreadBytesWithProgress) {
  CMemoryFileSystem fs;
  std::string small = Bytes(1024, 1), twice = Bytes(2048, 2);
  twice[100] = 0;  // sampled, becomes 'P'
  fs.AddFile("C:\\k1.bin", small);
  fs.AddFile("C:\\k2.bin", twice);
  CRecordingKeyFileView view;
  int rc;
  EXPECT_EQ(ExpectedBlock(SampleEvery(small, 1)), Read(fs, "C:\\k1.bin", view, &rc));
  EXPECT_EQ(kKeyOk, rc);
  std::string block = Read(fs, "C:\\k2.bin", view, &rc);
  EXPECT_EQ(ExpectedBlock(SampleEvery(twice, 2)), block);
  EXPECT_EQ(2, view.shown);
  EXPECT_EQ((std::vector<int32_t>{0, 1024}), view.range);
  ASSERT_EQ(2048u, view.positions.size());
  for (int32_t i = 0; i < 2048; ++i) ASSERT_EQ(i % 1024, view.positions[i]);
  EXPECT_EQ(kKeyFileReadingText, view.text);
  EXPECT_TRUE(view.warnings.empty());
  EXPECT_EQ(0, fs.OpenFiles());

  twice[777] ^= 0x40;  // odd offsets are not sampled
  fs.AddFile("C:\\k2.bin", twice);
  EXPECT_EQ(block, Read(fs, "C:\\k2.bin", view, &rc));
}

TEST(CommonKeyFile, RefusesSmallAndMissingFilesWithTheirMessages) {
  CMemoryFileSystem fs;
  fs.AddFile("/k/small.bin", Bytes(1023, 3));
  fs.AddFile("/k/empty.bin", "");
  int rc;
  for (KeyFileProgram program : {KeyFileProgram::Mirelka, KeyFileProgram::Trisel}) {
    CRecordingKeyFileView view(program);
    Read(fs, "/k/small.bin", view, &rc);
    EXPECT_EQ(kKeyFailed, rc);
    Read(fs, "/k/empty.bin", view, &rc);
    EXPECT_EQ(kKeyFailed, rc);
    EXPECT_EQ(std::vector<std::string>(2, KeyFileTooSmallText(program)), view.warnings);
    EXPECT_EQ(0, view.shown);
  }
  EXPECT_NE(nullptr, std::strstr(KeyFileTooSmallText(KeyFileProgram::Trisel), "\n공통키파일 [설정] 에서"));
  EXPECT_NE(nullptr, std::strstr(KeyFileTooSmallText(KeyFileProgram::Mirelka), "\n<환경 설정> / <공통 키 파일> 에서"));

  CRecordingKeyFileView view;
  Read(fs, "C:\\키\\사진.jpg", view, &rc);
  EXPECT_EQ(kKeyFailed, rc);
  ASSERT_EQ(1u, view.warnings.size());
  EXPECT_EQ(0u, view.warnings[0].find("공통 키 파일을 찾을 수 없습니다.\n( C:\\키\\사진.jpg )\n\n메뉴의"));
  EXPECT_EQ(0, fs.OpenFiles());
}

// Every open, seek and read made to fail in turn: an open or read error is
// shown with the runtime's text (never taken for a short file), a seek
// failure ends the reading quietly, and the file is closed each time.
TEST(CommonKeyFile, EveryFailurePointFailsCleanly) {
  CMemoryFileSystem memory;
  memory.AddFile("k.bin", Bytes(3000, 5));
  CMyString accessText, ioText;
  KeyFileErrorText("k.bin", std::strerror(EACCES), accessText);
  KeyFileErrorText("k.bin", std::strerror(EIO), ioText);
  EXPECT_EQ(0u, std::string(ioText.GetBuffer()).find("공통 키 파일에서 오류가 발생했습니다.\n( k.bin )\n( "));
  for (FsOp op : {FsOp::Open, FsOp::Read, FsOp::Seek}) {
    unsigned n = 1;
    for (;; ++n) {
      CFaultFileSystem fs(memory);
      fs.FailAt(op, n, op == FsOp::Open ? EACCES : EIO);
      CRecordingKeyFileView view;
      int rc;
      Read(fs, "k.bin", view, &rc);
      if (!fs.Fired()) break;
      ASSERT_EQ(kKeyFailed, rc) << FsOpName(op) << n;
      std::vector<std::string> expected;
      if (op != FsOp::Seek) expected.push_back(op == FsOp::Open ? accessText.GetBuffer() : ioText.GetBuffer());
      ASSERT_EQ(expected, view.warnings) << FsOpName(op) << n;
      ASSERT_EQ(0, memory.OpenFiles());
    }
    EXPECT_EQ(op == FsOp::Open ? 2u : op == FsOp::Read ? 1025u : 1027u, n) << FsOpName(op);
  }
}

TEST(CommonKeyFile, CancelEndsTheReadingWithoutAMessage) {
  CMemoryFileSystem fs;
  fs.AddFile("k.bin", Bytes(8192, 6));
  for (int at : {0, 1023}) {
    CRecordingKeyFileView view;
    view.cancelAt = at;
    int rc;
    Read(fs, "k.bin", view, &rc);
    EXPECT_EQ(kKeyCancelled, rc);
    EXPECT_TRUE(view.warnings.empty());
    EXPECT_EQ(static_cast<size_t>(at + 1), view.positions.size());
    EXPECT_EQ(0, fs.OpenFiles());
  }
}

// Offsets follow the size rounded to single precision; above 2 GB they
// still cover the whole file.
TEST(CommonKeyFile, LargeFilesAreSampledAtOffsetsOfTheRoundedSize) {
  EXPECT_EQ(16777216u, SizeAsFloat(16777217));  // rounds down
  EXPECT_EQ(16777220u, SizeAsFloat(16777219));  // halfway: to even, up
  EXPECT_EQ(1000000000u, SizeAsFloat(1000000007));
  std::mt19937_64 rng(1024);
  for (int n = 0; n < 20000; ++n) {
    uint64_t size = rng() >> (rng() % 40 + 1);
    volatile float f = static_cast<float>(size);  // stored, so really rounded
    ASSERT_EQ(static_cast<uint64_t>(f), SizeAsFloat(size)) << size;
  }
  const uint64_t big = 3ull << 30;
  EXPECT_EQ(0, KeyFileSampleOffset(0, big));
  EXPECT_EQ(static_cast<int64_t>(big / 1024 * 1023), KeyFileSampleOffset(1023, big));

  CMemoryFileSystem fs;
  std::string content = Bytes(16777219, 7);
  fs.AddFile("k.bin", content);
  CRecordingKeyFileView view;
  int rc;
  std::string block = Read(fs, "k.bin", view, &rc), sample;
  for (int i = 0; i < 1024; ++i) {
    char c = content[static_cast<size_t>(i) * 16777220 / 1024];
    sample += c ? c : 'P';
  }
  EXPECT_EQ(ExpectedBlock(sample), block);
}
