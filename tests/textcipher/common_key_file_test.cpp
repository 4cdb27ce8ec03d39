#include "textcipher/common_key_file.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <cstring>

#include "support/memory_fs.h"
#include "textcipher/key_text.h"

namespace {

// Records the warnings and positions shown; cancels once cancelAt was shown.
struct CRecordingKeyFileView : IKeyFileView {
  KeyFileProgram Program() const override { return KeyFileProgram::Mirelka; }
  void Show() override { ++shown; }
  void SetRange(int32_t, int32_t) override {}
  void SetPosition(int32_t pos) override { positions.push_back(pos); }
  void SetText(const char*) override {}
  void ShowWarning(const char* t) override { warnings.push_back(t); }
  bool CancelRequested() override { return cancelAt >= 0 && !positions.empty() && positions.back() >= cancelAt; }
  void Finish() override {}

  int cancelAt = -1, shown = 0;
  std::vector<int32_t> positions;
  std::vector<std::string> warnings;
};

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
TEST(CommonKeyFile, SamplesEvenlySpreadBytes) {
  CMemoryFileSystem fs;
  std::string small = Bytes(1024, 1), large = Bytes(16777219, 7), block;
  small[100] = 0;
  fs.AddFile("C:\\k1.bin", small);
  fs.AddFile("C:\\k2.bin", large);
  CRecordingKeyFileView view;
  ASSERT_EQ(kKeyOk, Read(fs, "C:\\k1.bin", view, &block));
  EXPECT_EQ(ExpectedBlock(small, 1024), block);
  ASSERT_EQ(kKeyOk, Read(fs, "C:\\k2.bin", view, &block));
  EXPECT_EQ(ExpectedBlock(large, 16777220), block);
  EXPECT_TRUE(view.warnings.empty() && view.positions.size() == 2048 && fs.OpenFiles() == 0);
}

// The rounding is done in integers; it must agree with the hardware's, and
// offsets above 2 GB must still reach the end of the file.
TEST(CommonKeyFile, SizeRoundingAndOffsetsOfLargeFiles) {
  EXPECT_EQ(16777216u, SizeAsFloat(16777217));  // halfway: to even, down
  for (int bits = 24; bits < 64; ++bits)  // half steps of the last place, and one below and above
    for (uint64_t d = 0; d < 12; ++d) {
      const uint64_t size = (1ull << bits) + (d / 3 << (bits - 24)) + d % 3 - 1;
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
  CRecordingKeyFileView small;
  EXPECT_TRUE(Read(memory, "/k/small.bin", small) == kKeyFailed && Read(memory, "/k/empty.bin", small) == kKeyFailed);
  EXPECT_TRUE(small.warnings.size() == 2 && small.shown == 0);
  CMyString accessText, ioText;
  KeyFileErrorText("k.bin", std::strerror(EACCES), accessText);
  KeyFileErrorText("k.bin", std::strerror(EIO), ioText);
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
  CRecordingKeyFileView view;  // a cancel at the last sample
  view.cancelAt = 1023;
  EXPECT_TRUE(Read(memory, "k.bin", view) == kKeyCancelled && view.warnings.empty());
  EXPECT_EQ(0, memory.OpenFiles());
}

// The key text: the password's bytes reversed, then their count; with a
// common key file of zeros (every sample 'P') "QP2" is mixed in over the
// whole block, and 'P' ^ 'P' = 0 is taken as 'P'.
TEST(TextCoder, KeyText) {
  CMemoryFileSystem fs;
  fs.AddFile("/k/zeros.bin", std::string(2000, '\0'));
  CRecordingKeyFileView view;
  CMyString key;
  ASSERT_EQ(kKeyOk, MakeKeyText("\xB0\xA1\xAA\xB3", "", fs, view, key));
  EXPECT_STREQ("\xB3\xAA\xA1\xB0" "4", key.GetBuffer());
  char password[] = "PQ";
  ASSERT_EQ(kKeyOk, MakeKeyText(password, "/k/zeros.bin", fs, view, key));
  EXPECT_STREQ("PQ", password);  // the caller's buffer is left as typed
  ASSERT_EQ(1024u, key.GetLength());
  for (int i = 0; i < 1024; ++i) ASSERT_EQ("\x01P\x62"[i % 3], key.GetBuffer()[i]) << i;
}
