#include "mirelka/password_check.h"

const char* PasswordCheckText(PasswordCheck result) {
  switch (result) {
    case PasswordCheck::BothEmpty: return "<암호(Password)>와 <확인(Confirm)>을 입력하십시오.";
    case PasswordCheck::PasswordEmpty: return "<암호(Password)>를 입력하십시오.";
    case PasswordCheck::ConfirmEmpty: return "<확인(Confirm)>을 입력하십시오.";
    case PasswordCheck::Mismatch: return "<암호(Password)>와 <확인(Confirm)>이 일치하지 않습니다.";
    case PasswordCheck::Ok: break;
  }
  return "";
}
