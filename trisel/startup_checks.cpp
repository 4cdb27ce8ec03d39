#include "trisel/startup_checks.h"

#include <cstring>

#include "common/path.h"

const char* TriselUsageText() {
  return "Trisel(Trisel)은 탐색기 마우스 우측버튼에서 실행되는 프로그램입니다.\n\n"
         "[전달받는 파라미터]\n\n"
         "(암호) Trisel -e \"file1\" \"file2\" \"...\"\n"
         "(해독) Trisel -d \"file1\" \"file2\" \"...\"\n\n"
         "file → 전체경로";
}

bool SingleFileRefusal(IFileSystem& fs, bool encrypt, const char* path, CMyString& message) {
  uint32_t attr = fs.GetAttributes(path);
  if (attr == kAttrInvalid || (attr & kAttrDirectory)) return false;
  char fname[kMaxPathLen], ext[kMaxPathLen];
  SplitPath(path, nullptr, nullptr, fname, ext);
  CMyString lowered(ext);
  lowered.MakeLower();
  bool isTsl = strcmp(lowered.GetBuffer(), ".tsl") == 0;
  if (encrypt == !isTsl) return false;
  message = fname;
  message += ext;
  message += encrypt ? "\n\n암호화된 파일입니다.\n(이중으로 암호화할 수 없습니다.)"
                     : "\n\n암호화된 파일이 아닙니다.\n(해독할 수 없습니다.)";
  return true;
}

const char* PasswordRefusalText(PasswordCheck check) {
  switch (check) {
    case PasswordCheck::BothEmpty: return "<암호>와 <확인>을 입력하십시오.";
    case PasswordCheck::PasswordEmpty: return "<암호>를 입력하십시오.";
    case PasswordCheck::ConfirmEmpty: return "<확인>을 입력하십시오.";
    case PasswordCheck::Mismatch: return "<암호>와 <확인>이 일치하지 않습니다.";
    case PasswordCheck::Ok: break;
  }
  return "";
}

const char* CheckPasswordInput(const char* password, const char* confirmation) {
  PasswordCheck check = CheckPassword(password, confirmation);
  return check == PasswordCheck::Ok ? nullptr : PasswordRefusalText(check);
}
