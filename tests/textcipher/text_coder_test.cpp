#include "textcipher/text_coder.h"

#include <gtest/gtest.h>

#include <string>

#include "support/memory_fs.h"
#include "textcipher/fakes.h"
#include "textcipher/key_text.h"

namespace {

const std::string D = "\x7F";

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

TEST_F(CCoderFixture, EncryptsAndDecryptsBetweenTheDelimiters) {
  const std::string plain = "안녕하세요, Mirelka! 2026년 (토)\r\n둘째 줄";
  for (const char* keyFile : {static_cast<const char*>(nullptr), "/k/zeros.bin"}) {
    std::string cipher = Code(plain, keyFile);
    ASSERT_EQ(plain.size() + 2, cipher.size());
    EXPECT_NE(D + plain + D, cipher);
    EXPECT_EQ(D + plain + D, Code(cipher, keyFile));
    EXPECT_NE(D + plain + D, Code(cipher, keyFile ? nullptr : "/k/zeros.bin"));  // the other keying
  }
}

TEST_F(CCoderFixture, NothingIsWrittenWhenTheRunStops) {
  EXPECT_EQ("", Code("", "/k/missing.bin", kCodingNothing));
  EXPECT_TRUE(view.warnings.empty());  // an empty text needs no key
  EXPECT_EQ("", Code("text", "/k/missing.bin", kCodingNothing));
  EXPECT_EQ("", Code("text", "/k/small.bin", kCodingNothing));
  EXPECT_EQ(2u, view.warnings.size());
  view.cancelAt = 10;
  EXPECT_EQ("", Code("text", "/k/zeros.bin", kCodingCancelled));
  EXPECT_EQ(3, view.finished);  // the key-file display is closed whatever the outcome
  // A wrong delimiter count asks whether to find them, and writes nothing.
  for (int count : {1, 3})
    for (bool yes : {false, true}) {
      CBufferCoderHost host("a" + std::string(count, '\x7F'));
      host.answerYes = yes;
      EXPECT_EQ(yes ? kCodingFindAsked : kCodingNothing, CTextCoder(fs, view).Coding(host, "pw", nullptr));
      EXPECT_EQ(std::make_pair(yes ? 1 : 0, std::string()), std::make_pair(host.findCommands, host.result));
      EXPECT_EQ("잘못된 영역을 선택했습니다.\n\n암호화된 영역을 구분하는 문자인, '\x7F'는,\n시작, 끝 위치에, 총 ( 2 ) 개가 "
                "있어야 합니다.\n\n현재 선택한 영역에서는 총 ( " + std::to_string(count) + " ) 개가 발견됐습니다.\n\n"
                "───────────────────\n '\x7F' 문자를 선택한 영역에서 찾겠습니까?\n───────────────────",
                host.question);
    }
}
