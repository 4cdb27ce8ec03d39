#include "mirelka/password_check.h"

#include <gtest/gtest.h>

// Tested in this order, every byte compared; each outcome has its own
// message, so the message tells the outcome.
TEST(PasswordCheck, TestsInOrderAndComparesEveryByte) {
  const char* const both = "<암호(Password)>와 <확인(Confirm)>을 입력하십시오.";
  const char* const mismatch = "<암호(Password)>와 <확인(Confirm)>이 일치하지 않습니다.";
  const char* const cases[][3] = {
      {"", "", both}, {nullptr, nullptr, both},
      {"", "x", "<암호(Password)>를 입력하십시오."}, {"x", "", "<확인(Confirm)>을 입력하십시오."},
      {"secret", "secret ", mismatch}, {"\xBE\xCF\xC8\xA3", "\xBE\xCF\xC8\xA4", mismatch},
      {"\xBE\xCF\xC8\xA3 1", "\xBE\xCF\xC8\xA3 1", ""},
  };
  for (const auto& c : cases) EXPECT_STREQ(c[2], PasswordCheckText(CheckPassword(c[0], c[1]))) << (c[0] ? c[0] : "null");
}
