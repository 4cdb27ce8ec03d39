#include "textcipher/common_key_file.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <cstring>
#include <random>
#include <string>

#include "support/memory_fs.h"
#include "textcipher/fakes.h"

namespace {

std::string Bytes(size_t n, unsigned seed) {
  std::string s(n, '\0');
  for (size_t i = 0; i < n; ++i) s[i] = static_cast<char>((i * 2654435761u + seed) >> 13);
  return s;
}

// The block for the bytes at offsets i * size / 1024: a zero taken as 'P',
// then alternately from the end and the start of the sample.
std::string ExpectedBlock(const std::string& content, uint64_t size) {
  std::string s, block(1024, '\0');
  for (uint64_t i = 0; i < 1024; ++i) s += content[i * size / 1024] ? content[i * size / 1024] : 'P';
  for (int m = 0; m < 512; ++m) block[2 * m] = s[1023 - m], block[2 * m + 1] = s[m];
  return block;
}

int Read(IFileSystem& fs, const char* path, IKeyFileView& view, std::string* out = nullptr) {
  char block[1025];
  int rc = ReadCommonKeyFile(fs, path, block, view);
  EXPECT_TRUE(rc != kKeyOk || block[1024] == 0);
  if (out) out->assign(block, 1024);
  return rc;
}

}  // namespace

// The smallest file allowed, and one above 16 MB whose offsets follow its
// size rounded to single precision (16777219 becomes 16777220).
TEST(CommonKeyFile, SamplesEvenlySpreadBytesWithProgress) {
  CMemoryFileSystem fs;
  std::string small = Bytes(1024, 1), large = Bytes(16777219, 7), block;
  small[100] = 0;
  fs.AddFile("C:\\k1.bin", small);
  fs.AddFile("C:\\k2.bin", large);
  CRecordingKeyFileView view;
  ASSERT_EQ(kKeyOk, Read(fs, "C:\\k1.bin", view, &block));
  EXPECT_EQ(ExpectedBlock(small, 1024), block);
  EXPECT_EQ((std::vector<int32_t>{0, 1024}), view.range);
  EXPECT_TRUE(view.shown == 1 && view.positions.size() == 1024 && view.positions.back() == 1023);
  ASSERT_EQ(kKeyOk, Read(fs, "C:\\k2.bin", view, &block));
  EXPECT_EQ(ExpectedBlock(large, 16777220), block);
  EXPECT_TRUE(view.warnings.empty());
  EXPECT_EQ(0, fs.OpenFiles());
}

// The rounding is done in integers; it must agree with the hardware's, and
// offsets above 2 GB must still reach the end of the file.
TEST(CommonKeyFile, SizeRoundingAndOffsetsOfLargeFiles) {
  EXPECT_EQ(16777216u, SizeAsFloat(16777217));  // halfway: to even, down
  std::mt19937_64 rng(1024);
  for (int n = 0; n < 20000; ++n) {
    uint64_t size = rng() >> (rng() % 40 + 1);
    volatile float f = static_cast<float>(size);  // stored, so really rounded
    ASSERT_EQ(static_cast<uint64_t>(f), SizeAsFloat(size)) << size;
  }
  EXPECT_EQ(0, KeyFileSampleOffset(0, 3ull << 30));
  EXPECT_EQ(static_cast<int64_t>((3ull << 30) / 1024 * 1023), KeyFileSampleOffset(1023, 3ull << 30));
}

// Small and failing files, and a cancel: the run fails with the message for
// the case (none for a cancel or a failed seek), an open or read error is
// never taken for a short file, and the file is closed each time. (A missing
// file and its message are mirelka-cli's end-to-end case.)
TEST(CommonKeyFile, EveryFailurePointFailsCleanly) {
  CMemoryFileSystem memory;
  memory.AddFile("/k/small.bin", Bytes(1023, 3));
  memory.AddFile("/k/empty.bin", "");
  memory.AddFile("k.bin", Bytes(3000, 5));
  CRecordingKeyFileView small(KeyFileProgram::Trisel);
  EXPECT_EQ(kKeyFailed, Read(memory, "/k/small.bin", small));
  EXPECT_EQ(kKeyFailed, Read(memory, "/k/empty.bin", small));
  EXPECT_EQ(std::vector<std::string>(2, KeyFileTooSmallText(KeyFileProgram::Trisel)), small.warnings);
  EXPECT_EQ(0, small.shown);
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
      int rc = Read(fs, "k.bin", view);
      if (!fs.Fired()) break;
      ASSERT_EQ(kKeyFailed, rc) << FsOpName(op) << n;
      std::vector<std::string> expected;
      if (op != FsOp::Seek) expected.push_back(op == FsOp::Open ? accessText.GetBuffer() : ioText.GetBuffer());
      ASSERT_EQ(expected, view.warnings) << FsOpName(op) << n;
      ASSERT_EQ(0, memory.OpenFiles());
    }
    EXPECT_EQ(op == FsOp::Open ? 2u : op == FsOp::Read ? 1025u : 1027u, n) << FsOpName(op);
  }
  for (int at : {0, 1023}) {  // a cancel at the first or the last sample
    CRecordingKeyFileView view;
    view.cancelAt = at;
    EXPECT_EQ(kKeyCancelled, Read(memory, "k.bin", view));
    EXPECT_EQ(std::make_pair(size_t{0}, static_cast<size_t>(at + 1)), std::make_pair(view.warnings.size(), view.positions.size()));
  }
  EXPECT_EQ(0, memory.OpenFiles());
}
