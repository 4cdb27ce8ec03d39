#include "mirelka/password_check.h"

#include <gtest/gtest.h>

#include <string>

TEST(PasswordCheck, TestsInOrderAndComparesEveryByte) {
  EXPECT_EQ(PasswordCheck::BothEmpty, CheckPassword("", ""));
  EXPECT_EQ(PasswordCheck::BothEmpty, CheckPassword(nullptr, nullptr));
  EXPECT_EQ(PasswordCheck::PasswordEmpty, CheckPassword("", "x"));
  EXPECT_EQ(PasswordCheck::ConfirmEmpty, CheckPassword("x", ""));
  EXPECT_EQ(PasswordCheck::Mismatch, CheckPassword("secret", "secret "));
  EXPECT_EQ(PasswordCheck::Mismatch, CheckPassword("Secret", "secret"));
  EXPECT_EQ(PasswordCheck::Mismatch, CheckPassword("\xBE\xCF\xC8\xA3", "\xBE\xCF\xC8\xA4"));
  EXPECT_EQ(PasswordCheck::Ok, CheckPassword("\xBE\xCF\xC8\xA3 1", "\xBE\xCF\xC8\xA3 1"));
}

TEST(PasswordCheck, EachFailureHasItsOwnMessage) {
  EXPECT_STREQ("<암호(Password)>와 <확인(Confirm)>을 입력하십시오.", PasswordCheckText(PasswordCheck::BothEmpty));
  EXPECT_STREQ("<암호(Password)>를 입력하십시오.", PasswordCheckText(PasswordCheck::PasswordEmpty));
  EXPECT_STREQ("<확인(Confirm)>을 입력하십시오.", PasswordCheckText(PasswordCheck::ConfirmEmpty));
  EXPECT_STREQ("<암호(Password)>와 <확인(Confirm)>이 일치하지 않습니다.", PasswordCheckText(PasswordCheck::Mismatch));
  EXPECT_STREQ("", PasswordCheckText(PasswordCheck::Ok));
}
