#include "textcipher/text_coder.h"

#include <gtest/gtest.h>

#include <string>

#include "support/memory_fs.h"
#include "textcipher/fakes.h"

namespace {

const std::string D = "\x7F";

struct Coder {
  CMemoryFileSystem fs;
  CRecordingKeyFileView view;
  int Code(CBufferCoderHost& host, const char* password, const char* keyFile = nullptr) {
    CTextCoder coder(fs, view);
    return coder.Coding(host, password, keyFile);
  }
};

}  // namespace

TEST(TextCoder, EncryptsAndDecryptsBetweenTheDelimiters) {
  Coder c;
  std::string key(3000, '\0');
  for (size_t i = 0; i < key.size(); ++i) key[i] = static_cast<char>(i * 31 + 7);
  c.fs.AddFile("D:\\shared\\key.png", key);
  const std::string plain = "안녕하세요, Mirelka! 2026년 (토)\r\n둘째 줄";
  for (const char* keyFile : {static_cast<const char*>(nullptr), "D:\\shared\\key.png"}) {
    CBufferCoderHost host(plain), back(""), again("");
    ASSERT_EQ(kCodingDone, c.Code(host, "pw", keyFile));
    ASSERT_EQ(plain.size() + 2, host.result.size());
    EXPECT_NE(D + plain + D, host.result);
    back.source = host.result;
    ASSERT_EQ(kCodingDone, c.Code(back, "pw", keyFile));
    EXPECT_EQ(D + plain + D, back.result);
    again.source = back.result;  // still two delimiters: encrypted again
    ASSERT_EQ(kCodingDone, c.Code(again, "pw", keyFile));
    EXPECT_EQ(host.result, again.result);
    CBufferCoderHost other(host.result);  // the other way of keying
    ASSERT_EQ(kCodingDone, c.Code(other, "pw", keyFile ? nullptr : "D:\\shared\\key.png"));
    EXPECT_NE(D + plain + D, other.result);
  }
}

TEST(TextCoder, NothingIsWrittenWhenTheRunStops) {
  Coder c;
  c.fs.AddFile("small.bin", std::string(100, 'x'));
  c.fs.AddFile("big.bin", std::string(5000, 'x'));
  CBufferCoderHost empty(""), host("text");
  EXPECT_EQ(kCodingNothing, c.Code(empty, "pw", "missing.bin"));
  EXPECT_TRUE(c.view.warnings.empty());  // an empty text needs no key
  EXPECT_EQ(kCodingNothing, c.Code(host, "pw", "missing.bin"));
  EXPECT_EQ(kCodingNothing, c.Code(host, "pw", "small.bin"));
  c.view.cancelAt = 10;
  EXPECT_EQ(kCodingCancelled, c.Code(host, "pw", "big.bin"));
  EXPECT_EQ(0, empty.writes + host.writes);
  EXPECT_EQ(2u, c.view.warnings.size());
}

TEST(TextCoder, AWrongDelimiterCountAsksWhetherToFindThem) {
  for (int count : {1, 3}) {
    Coder c;
    std::string text = "abc";
    for (int i = 0; i < count; ++i) text += D + "x";
    CBufferCoderHost no(text), yes(text);
    yes.answerYes = true;
    EXPECT_EQ(kCodingNothing, c.Code(no, "pw"));
    EXPECT_EQ(kCodingFindAsked, c.Code(yes, "pw"));
    EXPECT_EQ(0, no.findCommands);
    EXPECT_EQ(1, yes.findCommands);
    EXPECT_EQ(0, no.writes + yes.writes);
    ASSERT_EQ(1u, no.questions.size());
    EXPECT_EQ("잘못된 영역을 선택했습니다.\n\n암호화된 영역을 구분하는 문자인, '\x7F'는,\n"
              "시작, 끝 위치에, 총 ( 2 ) 개가 있어야 합니다.\n\n현재 선택한 영역에서는 총 ( " +
                  std::to_string(count) + " ) 개가 발견됐습니다.\n\n───────────────────\n '\x7F"
                  "' 문자를 선택한 영역에서 찾겠습니까?\n───────────────────",
              no.questions[0]);
  }
}
