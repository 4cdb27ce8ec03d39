#include "textcipher/common_key_file.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <random>
#include <string>

#include "support/memory_fs.h"
#include "textcipher/fakes.h"

namespace {

// The block for a full sample s[0..1023]: alternately from its end and from
// its start.
std::string ExpectedBlock(const std::string& sample) {
  std::string block(1024, '\0');
  for (int m = 0; m < 512; ++m) {
    block[2 * m] = sample[1023 - m];
    block[2 * m + 1] = sample[m];
  }
  return block;
}

std::string SampleEvery(const std::string& content, size_t step) {
  std::string s;
  for (size_t i = 0; i < 1024; ++i) s += content[i * step] ? content[i * step] : 'P';
  return s;
}

std::string Bytes(size_t n, unsigned seed) {
  std::string s(n, '\0');
  for (size_t i = 0; i < n; ++i) s[i] = static_cast<char>(PatternByte(static_cast<int64_t>(i + seed * 7919)));
  return s;
}

struct Reader {
  CMemoryFileSystem fs;
  CRecordingKeyFileView view;
  char block[1025];

  int Read(const std::string& path = "C:\\keys\\photo.jpg") {
    std::memset(block, 0x55, sizeof block);
    return ReadCommonKeyFile(fs, path.c_str(), block, view);
  }
  std::string Block() const { return std::string(block, 1024); }
};

}  // namespace

TEST(CommonKeyFile, SamplesEveryByteOfAOneKilobyteFileInOrder) {
  Reader r;
  std::string content = Bytes(1024, 1);
  r.fs.AddFile("C:\\keys\\photo.jpg", content);
  ASSERT_EQ(kKeyOk, r.Read());
  EXPECT_EQ(ExpectedBlock(SampleEvery(content, 1)), r.Block());
  EXPECT_EQ(0, r.block[1024]);
  EXPECT_TRUE(r.view.warnings.empty());
  EXPECT_EQ(0, r.fs.OpenFiles());

  // The progress moves once per byte over 0..1024, with the reading text.
  EXPECT_EQ(1, r.view.shown);
  EXPECT_EQ(0, r.view.rangeLow);
  EXPECT_EQ(1024, r.view.rangeHigh);
  ASSERT_EQ(1024u, r.view.positions.size());
  for (int32_t i = 0; i < 1024; ++i) ASSERT_EQ(i, r.view.positions[i]);
  EXPECT_EQ(std::string(kKeyFileReadingText), r.view.text);
  EXPECT_EQ(0, r.view.finished);  // closing the display is the caller's call
}

TEST(CommonKeyFile, SamplesEvenOffsetsOfATwoKilobyteFileOnly) {
  Reader r;
  std::string content = Bytes(2048, 2);
  r.fs.AddFile("C:\\keys\\photo.jpg", content);
  ASSERT_EQ(kKeyOk, r.Read());
  std::string first = r.Block();
  EXPECT_EQ(ExpectedBlock(SampleEvery(content, 2)), first);

  content[777] = static_cast<char>(content[777] ^ 0x40);  // odd: not sampled
  r.fs.AddFile("C:\\keys\\photo.jpg", content);
  ASSERT_EQ(kKeyOk, r.Read());
  EXPECT_EQ(first, r.Block());

  content[778] = static_cast<char>(content[778] ^ 0x40);  // even: sampled
  r.fs.AddFile("C:\\keys\\photo.jpg", content);
  ASSERT_EQ(kKeyOk, r.Read());
  EXPECT_NE(first, r.Block());
}

TEST(CommonKeyFile, ZeroBytesAreSampledAsP) {
  Reader r;
  r.fs.AddFile("C:\\keys\\photo.jpg", std::string(5000, '\0'));
  ASSERT_EQ(kKeyOk, r.Read());
  EXPECT_EQ(std::string(1024, 'P'), r.Block());
}

TEST(CommonKeyFile, RefusesFilesBelowOneKilobyteWithEachProgramsText) {
  for (KeyFileProgram program : {KeyFileProgram::Mirelka, KeyFileProgram::Trisel}) {
    for (size_t size : {0, 1, 1023}) {
      Reader r;
      r.view = CRecordingKeyFileView(program);
      r.fs.AddFile("C:\\keys\\photo.jpg", Bytes(size, 3));
      EXPECT_EQ(kKeyFailed, r.Read());
      ASSERT_EQ(1u, r.view.warnings.size());
      EXPECT_EQ(std::string(KeyFileTooSmallText(program)), r.view.warnings[0]);
      EXPECT_EQ(0, r.view.shown);
      EXPECT_EQ(0, r.fs.OpenFiles());
    }
  }
  EXPECT_STRNE(KeyFileTooSmallText(KeyFileProgram::Mirelka), KeyFileTooSmallText(KeyFileProgram::Trisel));
  EXPECT_NE(nullptr, std::strstr(KeyFileTooSmallText(KeyFileProgram::Trisel), "공통키파일 [설정]"));
  EXPECT_NE(nullptr, std::strstr(KeyFileTooSmallText(KeyFileProgram::Mirelka), "<환경 설정>"));
}

TEST(CommonKeyFile, MissingFileNamesThePathInTheNotFoundMessage) {
  Reader r;
  EXPECT_EQ(kKeyFailed, r.Read("C:\\keys\\사진.jpg"));
  ASSERT_EQ(1u, r.view.warnings.size());
  EXPECT_EQ(0u, r.view.warnings[0].find("공통 키 파일을 찾을 수 없습니다.\n( C:\\keys\\사진.jpg )\n\n"));
  EXPECT_EQ(0, r.view.shown);
}

TEST(CommonKeyFile, OtherOpenFailuresShowTheRuntimeErrorText) {
  CMemoryFileSystem memory;
  memory.AddFile("k.bin", Bytes(4096, 4));
  CFaultFileSystem fs(memory);
  fs.FailAt(FsOp::Open, 1, EACCES);
  CRecordingKeyFileView view;
  char block[1025];
  EXPECT_EQ(kKeyFailed, ReadCommonKeyFile(fs, "k.bin", block, view));
  ASSERT_EQ(1u, view.warnings.size());
  CMyString expected;
  KeyFileErrorText("k.bin", std::strerror(EACCES), expected);
  EXPECT_EQ(std::string(expected.GetBuffer()), view.warnings[0]);
  EXPECT_EQ(0u, view.warnings[0].find("공통 키 파일에서 오류가 발생했습니다.\n( k.bin )\n( "));
}

// Every read and every seek of the reading, made to fail in turn: a read
// error is reported with its text and never passes for a short file; a seek
// failure ends the reading quietly. The file is closed each time.
TEST(CommonKeyFile, EveryReadAndSeekFailureFailsCleanly) {
  CMemoryFileSystem memory;
  memory.AddFile("k.bin", Bytes(3000, 5));
  CMyString ioText;
  KeyFileErrorText("k.bin", std::strerror(EIO), ioText);
  for (FsOp op : {FsOp::Read, FsOp::Seek}) {
    unsigned n = 1;
    for (;; ++n) {
      CFaultFileSystem fs(memory);
      fs.FailAt(op, n, EIO);
      CRecordingKeyFileView view;
      char block[1025];
      int rc = ReadCommonKeyFile(fs, "k.bin", block, view);
      if (!fs.Fired()) {
        EXPECT_EQ(kKeyOk, rc);
        break;
      }
      ASSERT_EQ(kKeyFailed, rc) << FsOpName(op) << " " << n;
      if (op == FsOp::Read) {
        ASSERT_EQ(1u, view.warnings.size()) << n;
        EXPECT_EQ(std::string(ioText.GetBuffer()), view.warnings[0]);
      } else {
        EXPECT_TRUE(view.warnings.empty()) << n;
      }
      ASSERT_EQ(0, memory.OpenFiles()) << FsOpName(op) << " " << n;
    }
    EXPECT_EQ(op == FsOp::Read ? 1025u : 1027u, n) << FsOpName(op);
  }
}

TEST(CommonKeyFile, CancelStopsTheReadingWithoutAMessage) {
  for (int at : {0, 500, 1023}) {
    Reader r;
    r.fs.AddFile("C:\\keys\\photo.jpg", Bytes(8192, 6));
    r.view.cancelAt = at;
    EXPECT_EQ(kKeyCancelled, r.Read());
    EXPECT_TRUE(r.view.warnings.empty());
    EXPECT_EQ(static_cast<size_t>(at + 1), r.view.positions.size());
    EXPECT_EQ(0, r.fs.OpenFiles());
  }
}

namespace {

// Reads a pattern file of `size` bytes and checks the sampled offsets
// against the size rounded to single precision, `f`.
void CheckLargeFile(int64_t size, double f) {
  CPatternFileSystem fs(size);
  CRecordingKeyFileView view;
  char block[1025];
  ASSERT_EQ(kKeyOk, ReadCommonKeyFile(fs, "big.bin", block, view));
  ASSERT_EQ(1025u, fs.seeks.size());  // back to the start, then one per byte
  EXPECT_EQ(1024, fs.reads);
  std::string sample;
  for (int i = 0; i < 1024; ++i) {
    int64_t offset = fs.seeks[i + 1];
    ASSERT_EQ(static_cast<int64_t>(i * f / 1024), offset) << size << " " << i;
    ASSERT_LT(offset, size);
    unsigned char b = PatternByte(offset);
    sample += b ? static_cast<char>(b) : 'P';
  }
  EXPECT_EQ(ExpectedBlock(sample), std::string(block, 1024));
  EXPECT_EQ(0, fs.openFiles);
}

}  // namespace

TEST(CommonKeyFile, OffsetsFollowTheSizeInSinglePrecision) {
  CheckLargeFile(16777216, 16777216.0);        // the last size that is exact
  CheckLargeFile(16777217, 16777216.0);        // rounds down
  CheckLargeFile(16777219, 16777220.0);        // halfway: rounds to even, up
  CheckLargeFile(1000000007, 1000000000.0);    // 24 significant bits
  CheckLargeFile(1073741824, 1073741824.0);    // 1 GB
}

TEST(CommonKeyFile, SizeRoundingMatchesTheFloatConversion) {
  std::mt19937_64 rng(1024);
  for (int n = 0; n < 20000; ++n) {
    uint64_t size = rng() >> (rng() % 40 + 1);
    if (n < 64) size = (uint64_t{1} << (24 + n % 30)) + (n / 30) * 3 - 2;
    volatile float f = static_cast<float>(size);  // stored: really rounded
    ASSERT_EQ(static_cast<uint64_t>(f), SizeAsFloat(size)) << size;
  }
}

TEST(CommonKeyFile, FilesOfSeveralGigabytesAreSampledAcrossTheirLength) {
  const int64_t size = 3LL << 30;
  CheckLargeFile(size, static_cast<double>(size));
  CPatternFileSystem fs(size);
  CRecordingKeyFileView view;
  char block[1025];
  ASSERT_EQ(kKeyOk, ReadCommonKeyFile(fs, "big.bin", block, view));
  EXPECT_GT(fs.seeks.back(), int64_t{1} << 31);
}

TEST(CommonKeyFile, AFileThatShrankWhileReadGivesTheBytesReadSoFar) {
  CPatternFileSystem fs(4096);
  fs.endAt = 4 * 701;  // sample 701 (offset 2804) meets the end
  CRecordingKeyFileView view;
  char block[1025];
  ASSERT_EQ(kKeyOk, ReadCommonKeyFile(fs, "big.bin", block, view));
  ASSERT_EQ(701u, std::strlen(block));
  std::string sample, got(block, 701);
  for (int i = 0; i < 701; ++i) {
    unsigned char b = PatternByte(4 * i);
    sample += b ? static_cast<char>(b) : 'P';
  }
  // The middle byte ends up last; all of them are kept, each once.
  EXPECT_EQ(sample[350], got[700]);
  std::sort(sample.begin(), sample.end());
  std::sort(got.begin(), got.end());
  EXPECT_EQ(sample, got);
  EXPECT_EQ(std::string(324, '\0'), std::string(block + 701, 324));
}
