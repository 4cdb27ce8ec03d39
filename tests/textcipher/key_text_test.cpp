#include "textcipher/key_text.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "support/memory_fs.h"
#include "textcipher/fakes.h"

namespace {

std::string Str(const CMyString& s) { return std::string(s.GetBuffer(), s.GetLength()); }

std::string PasswordText(const char* password) {
  CMyString out;
  MakePasswordText(password, out);
  return Str(out);
}

}  // namespace

TEST(KeyText, PasswordTextIsTheReversedBytesAndTheirCount) {
  char odd[] = "abcde", hangul[] = "\xB0\xA1z";  // 가 z
  ReverseString(odd);
  ReverseString(hangul);
  EXPECT_STREQ("edcba", odd);
  EXPECT_STREQ("z\xA1\xB0", hangul);
  EXPECT_EQ("a1", PasswordText("a"));
  EXPECT_EQ("0987654321" "10", PasswordText("1234567890"));
  EXPECT_EQ("\xB3\xAA\xA1\xB0" "4", PasswordText("\xB0\xA1\xAA\xB3"));  // 가나
}

TEST(KeyText, MixingCoversTheWholeBlockAndNeverLeavesAZero) {
  CMyString block;
  char* b = block.AllocBuffer(1024);
  for (int i = 0; i < 1024; ++i) b[i] = static_cast<char>(i % 7 ? 0x20 + i % 90 : 'a');
  b[10] = 0;  // a zero inside does not stop the mixing
  std::string before(b, 1024);
  MixKeyBlock(block, "abc");
  for (int i = 0; i < 1024; ++i) {
    char x = static_cast<char>(before[i] ^ "abc"[i % 3]);
    ASSERT_EQ(x ? x : 'P', block.GetBuffer()[i]) << i;
  }
  EXPECT_EQ('P', block.GetBuffer()[0]);  // 'a' ^ 'a'
}

TEST(KeyText, WithAndWithoutACommonKeyFile) {
  CMemoryFileSystem fs;
  fs.AddFile("/k/zeros.bin", std::string(2000, '\0'));  // every sample byte is 'P'
  fs.AddFile("/k/small.bin", std::string(1023, 'x'));
  CRecordingKeyFileView view;
  char password[] = "P";
  CMyString key;
  ASSERT_EQ(kKeyOk, MakeKeyText(password, "", fs, view, key));
  EXPECT_EQ("P1", Str(key));
  EXPECT_EQ(0, view.finished);
  ASSERT_EQ(kKeyOk, MakeKeyText(password, "/k/zeros.bin", fs, view, key));
  EXPECT_STREQ("P", password);  // the caller's buffer is left as typed
  ASSERT_EQ(1024u, std::strlen(key.GetBuffer()));
  // 'P' ^ 'P' is zero and so 'P' again; then 'P' ^ '1'.
  for (int i = 0; i < 1024; ++i) ASSERT_EQ(i % 2 ? ('P' ^ '1') : 'P', key.GetBuffer()[i]) << i;

  // The display is finished whatever the outcome; failures are passed on.
  EXPECT_EQ(kKeyFailed, MakeKeyText(password, "/k/missing.bin", fs, view, key));
  EXPECT_EQ(kKeyFailed, MakeKeyText(password, "/k/small.bin", fs, view, key));
  view.cancelAt = 3;
  EXPECT_EQ(kKeyCancelled, MakeKeyText(password, "/k/zeros.bin", fs, view, key));
  EXPECT_EQ(4, view.finished);
}
