#include "textcipher/text_coder.h"

#include <gtest/gtest.h>

#include <string>

#include "support/memory_fs.h"
#include "textcipher/fakes.h"
#include "textcipher/key_text.h"

namespace {

struct CCoderFixture : ::testing::Test {
  CMemoryFileSystem fs;
  CRecordingKeyFileView view;
  void SetUp() override {
    fs.AddFile("/k/zeros.bin", std::string(2000, '\0'));
    fs.AddFile("/k/small.bin", std::string(1023, 'x'));
  }
  std::string Key(const char* password, const char* keyFile) {
    CMyString key;
    EXPECT_EQ(kKeyOk, MakeKeyText(password, keyFile, fs, view, key));
    return std::string(key.GetBuffer(), key.GetLength());
  }
  std::string Code(const std::string& text, const char* keyFile = nullptr, int want = kCodingDone) {
    CBufferCoderHost host(text);
    EXPECT_EQ(want, CTextCoder(fs, view).Coding(host, "pw", keyFile)) << text;
    return host.result;
  }
};

}  // namespace

TEST_F(CCoderFixture, KeyTextWithAndWithoutACommonKeyFile) {
  // The password's bytes reversed, then their count.
  const char* cases[][2] = {{"abc", "cba3"}, {"1234567890", "0987654321" "10"}, {"\xB0\xA1\xAA\xB3", "\xB3\xAA\xA1\xB0" "4"}};
  for (auto& c : cases) EXPECT_EQ(c[1], Key(c[0], ""));
  EXPECT_EQ(0, view.finished);
  // Every sample of a file of zeros is 'P'; "QP2" is mixed in over the whole
  // block, and 'P' ^ 'P' = 0 is taken as 'P'.
  char password[] = "PQ";
  std::string key = Key(password, "/k/zeros.bin");
  EXPECT_STREQ("PQ", password);  // the caller's buffer is left as typed
  ASSERT_EQ(1024u, key.size());
  for (int i = 0; i < 1024; ++i) ASSERT_EQ("\x01P\x62"[i % 3], key[i]) << i;
}

// What the end-to-end run of Mirelka does not meet: an empty text needs no
// key, a key file under 1 KB, and the key-file display closed whatever the
// outcome.
TEST_F(CCoderFixture, NothingIsWrittenWhenTheRunStops) {
  EXPECT_EQ("", Code("", "/k/missing.bin", kCodingNothing));
  EXPECT_TRUE(view.warnings.empty());
  EXPECT_EQ("", Code("text", "/k/missing.bin", kCodingNothing));
  EXPECT_EQ("", Code("text", "/k/small.bin", kCodingNothing));
  EXPECT_EQ(2u, view.warnings.size());
  view.cancelAt = 10;
  EXPECT_EQ("", Code("text", "/k/zeros.bin", kCodingCancelled));
  EXPECT_EQ(3, view.finished);
}
