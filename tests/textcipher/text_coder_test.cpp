#include "textcipher/text_coder.h"

#include <gtest/gtest.h>

#include <string>

#include "support/memory_fs.h"
#include "textcipher/fakes.h"
#include "textcipher/key_text.h"

namespace {

const std::string D = "\x7F";

struct CoderRun {
  CMemoryFileSystem fs;
  CRecordingKeyFileView view;

  int Code(CBufferCoderHost& host, const char* password, const char* keyFile = nullptr) {
    CTextCoder coder(fs, view);
    return coder.Coding(host, password, keyFile);
  }
};

std::string Expected(const std::string& text, const char* password, int flags) {
  CMyString key;
  MakePasswordText(password, key);
  std::string out(text.size() + 3, '\0');
  out.resize(TransformTextBlock(text.data(), static_cast<uint32_t>(text.size()), key.GetBuffer(), flags, &out[0]));
  return out;
}

}  // namespace

TEST(TextCoder, EncryptsPlainTextAndDecryptsItBackWithTheSamePassword) {
  CoderRun r;
  const std::string plain = "안녕하세요, Mirelka! 2026년 12월 (토)\r\n둘째 줄";
  CBufferCoderHost host(plain);
  char password[] = "\xBE\xCF\xC8\xA3 pw";
  ASSERT_EQ(kCodingDone, r.Code(host, password));
  EXPECT_STREQ("\xBE\xCF\xC8\xA3 pw", password);
  EXPECT_EQ(Expected(plain, password, kCodingEncrypt), host.result);
  EXPECT_NE(D + plain + D, host.result);

  CBufferCoderHost back(host.result);
  ASSERT_EQ(kCodingDone, r.Code(back, password));
  EXPECT_EQ(D + plain + D, back.result);
  // Still two delimiters: running it again encrypts the block content again.
  CBufferCoderHost again(back.result);
  ASSERT_EQ(kCodingDone, r.Code(again, password));
  EXPECT_EQ(host.result, again.result);
  EXPECT_TRUE(host.questions.empty());
}

TEST(TextCoder, AnEmptySourceDoesNothing) {
  CoderRun r;
  CBufferCoderHost host("");
  EXPECT_EQ(kCodingNothing, r.Code(host, "pw", "missing.bin"));
  EXPECT_EQ(0, host.writes);
  EXPECT_TRUE(r.view.warnings.empty());  // the key file is not even looked at
}

TEST(TextCoder, AWrongDelimiterCountAsksWhetherToFindThem) {
  for (int count : {1, 3, 4}) {
    CoderRun r;
    std::string text = "abc";
    for (int i = 0; i < count; ++i) text += D + "x";
    CBufferCoderHost no(text);
    EXPECT_EQ(kCodingNothing, r.Code(no, "pw"));
    ASSERT_EQ(1u, no.questions.size());
    CMyString message;
    WrongDelimiterText(count, message);
    EXPECT_EQ(std::string(message.GetBuffer()), no.questions[0]);
    EXPECT_NE(std::string::npos, no.questions[0].find("총 ( " + std::to_string(count) + " ) 개가 발견됐습니다."));
    EXPECT_EQ(0, no.writes);
    EXPECT_EQ(0, no.findCommands);

    CBufferCoderHost yes(text);
    yes.answerYes = true;
    EXPECT_EQ(kCodingFindAsked, r.Code(yes, "pw"));
    EXPECT_EQ(1, yes.findCommands);
    EXPECT_EQ(0, yes.writes);
  }
  CMyString message;
  WrongDelimiterText(3, message);
  EXPECT_EQ(0u, std::string(message.GetBuffer()).find("잘못된 영역을 선택했습니다.\n\n암호화된 영역을 구분하는 문자인, '\x7F'는,\n"));
}

TEST(TextCoder, UsesTheCommonKeyFileAndClosesTheDisplayAfterReading) {
  CoderRun r;
  std::string content(3000, 'k');
  for (size_t i = 0; i < content.size(); ++i) content[i] = static_cast<char>(i * 31 + 7);
  r.fs.AddFile("D:\\shared\\key.png", content);
  CBufferCoderHost host("비밀 text 123");
  ASSERT_EQ(kCodingDone, r.Code(host, "pw", "D:\\shared\\key.png"));
  EXPECT_EQ(1, r.view.finished);
  EXPECT_NE(Expected(host.source, "pw", kCodingEncrypt), host.result);

  CBufferCoderHost back(host.result);
  ASSERT_EQ(kCodingDone, r.Code(back, "pw", "D:\\shared\\key.png"));
  EXPECT_EQ(D + "비밀 text 123" + D, back.result);

  CBufferCoderHost withoutFile(host.result);
  ASSERT_EQ(kCodingDone, r.Code(withoutFile, "pw"));
  EXPECT_NE(back.result, withoutFile.result);
}

TEST(TextCoder, AKeyFileThatFailsOrIsCancelledLeavesTheResultAlone) {
  CoderRun r;
  r.fs.AddFile("small.bin", std::string(100, 'x'));
  r.fs.AddFile("big.bin", std::string(5000, 'x'));
  CBufferCoderHost host("text");
  EXPECT_EQ(kCodingNothing, r.Code(host, "pw", "missing.bin"));
  EXPECT_EQ(kCodingNothing, r.Code(host, "pw", "small.bin"));
  r.view.cancelAt = 10;
  EXPECT_EQ(kCodingCancelled, r.Code(host, "pw", "big.bin"));
  EXPECT_EQ(0, host.writes);
  EXPECT_EQ(2u, r.view.warnings.size());
  EXPECT_EQ(3, r.view.finished);
}

TEST(TextCoder, ATextThatShrankBeforeItWasReadIsCodedAsRead) {
  CoderRun r;
  CBufferCoderHost host("abcdef");
  host.shrinkTo = 3;
  ASSERT_EQ(kCodingDone, r.Code(host, "pw"));
  EXPECT_EQ(Expected("abc", "pw", kCodingEncrypt), host.result);
}
