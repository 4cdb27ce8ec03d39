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

TEST(KeyText, ReverseStringSwapsEveryByteIncludingDoubleByteHalves) {
  char empty[] = "";
  ReverseString(empty);
  EXPECT_STREQ("", empty);
  char one[] = "a";
  ReverseString(one);
  EXPECT_STREQ("a", one);
  char odd[] = "abcde";
  ReverseString(odd);
  EXPECT_STREQ("edcba", odd);
  char hangul[] = "\xB0\xA1z";  // 가 z
  ReverseString(hangul);
  EXPECT_STREQ("z\xA1\xB0", hangul);
}

TEST(KeyText, PasswordTextIsTheReversedBytesAndTheirCount) {
  EXPECT_EQ("a1", PasswordText("a"));
  EXPECT_EQ("0987654321" "10", PasswordText("1234567890"));
  EXPECT_EQ("\xB3\xAA\xA1\xB0" "4", PasswordText("\xB0\xA1\xAA\xB3"));  // 가나
  std::string longer(123, 'x');
  EXPECT_EQ(longer + "123", PasswordText(longer.c_str()));
}

TEST(KeyText, MixKeyBlockRepeatsThePasswordTextAndNeverLeavesAZero) {
  CMyString block;
  char* b = block.AllocBuffer(1024);
  for (int i = 0; i < 1024; ++i) b[i] = static_cast<char>(i % 7 == 0 ? 'a' : 0x20 + i % 90);
  b[10] = 0;  // a zero inside must not stop the mixing
  std::string before(b, 1024);
  MixKeyBlock(block, "abc");
  for (int i = 0; i < 1024; ++i) {
    char x = static_cast<char>(before[i] ^ "abc"[i % 3]);
    ASSERT_EQ(x ? x : 'P', block.GetBuffer()[i]) << i;
  }
  EXPECT_EQ(1024u, std::strlen(block.GetBuffer()));
  EXPECT_EQ('P', block.GetBuffer()[0]);  // 'a' ^ 'a'
}

TEST(KeyText, WithoutAKeyFileThePasswordTextIsTheKeyText) {
  CPatternFileSystem fs(4096);
  CRecordingKeyFileView view;
  char password[] = "secret";
  for (const char* path : {static_cast<const char*>(nullptr), ""}) {
    CMyString key;
    ASSERT_EQ(kKeyOk, MakeKeyText(password, path, fs, view, key));
    EXPECT_EQ("terces6", Str(key));
  }
  EXPECT_STREQ("secret", password);  // the caller's buffer is left alone
  EXPECT_TRUE(fs.seeks.empty());
  EXPECT_EQ(0, view.finished);
}

TEST(KeyText, WithAKeyFileTheKeyTextIsTheMixedBlock) {
  CMemoryFileSystem fs;
  std::string content(2000, '\0');  // every sampled byte becomes 'P'
  fs.AddFile("/k/shared.bin", content);
  CRecordingKeyFileView view;
  CMyString key;
  ASSERT_EQ(kKeyOk, MakeKeyText("P", "/k/shared.bin", fs, view, key));
  ASSERT_EQ(1024u, key.GetLength());
  ASSERT_EQ(1024u, std::strlen(key.GetBuffer()));
  // "P1" mixed into 'P' bytes: 'P' ^ 'P' is zero and so 'P' again, then 'P' ^ '1'.
  for (int i = 0; i < 1024; ++i) ASSERT_EQ(i % 2 ? ('P' ^ '1') : 'P', key.GetBuffer()[i]) << i;
  EXPECT_EQ(1, view.finished);

  CMyString plain;
  ASSERT_EQ(kKeyOk, MakeKeyText("P", nullptr, fs, view, plain));
  EXPECT_NE(Str(plain), Str(key));
}

TEST(KeyText, TheDisplayIsFinishedAndTheResultPassedOnWhenReadingFails) {
  CMemoryFileSystem fs;
  fs.AddFile("small.bin", std::string(1023, 'x'));
  fs.AddFile("fine.bin", std::string(1024, 'x'));
  CRecordingKeyFileView view;
  CMyString key;
  EXPECT_EQ(kKeyFailed, MakeKeyText("pw", "missing.bin", fs, view, key));
  EXPECT_EQ(kKeyFailed, MakeKeyText("pw", "small.bin", fs, view, key));
  view.cancelAt = 3;
  EXPECT_EQ(kKeyCancelled, MakeKeyText("pw", "fine.bin", fs, view, key));
  EXPECT_EQ(3, view.finished);
  EXPECT_EQ(2u, view.warnings.size());
}

// A key file that ends early still gives a full key text of 1024 non-zero
// bytes: the mixing covers the whole block, not just the sample.
TEST(KeyText, AShortSampleStillGivesAFullKeyText) {
  CPatternFileSystem fs(8192);
  fs.endAt = 8 * 10;
  CRecordingKeyFileView view;
  CMyString key;
  ASSERT_EQ(kKeyOk, MakeKeyText("pass", "big.bin", fs, view, key));
  EXPECT_EQ(1024u, std::strlen(key.GetBuffer()));
  const char* passwordText = "ssap4";
  for (int i = 10; i < 1024; ++i) ASSERT_EQ(passwordText[i % 5], key.GetBuffer()[i]) << i;
}
