// The check of a password and its confirmation before a cipher run. Every
// program checks the same way and words the refusals its own way.
#ifndef MIRELKA_COMMON_PASSWORD_CHECK_H
#define MIRELKA_COMMON_PASSWORD_CHECK_H

#include <cstring>

enum class PasswordCheck {
  Ok,
  BothEmpty,
  PasswordEmpty,
  ConfirmEmpty,
  Mismatch,  // exact byte comparison: a trailing space counts
};

// Tests in this order: both empty, password empty, confirm empty, different.
inline PasswordCheck CheckPassword(const char* password, const char* confirm) {
  bool noPassword = !password || !*password;
  bool noConfirm = !confirm || !*confirm;
  if (noPassword && noConfirm) return PasswordCheck::BothEmpty;
  if (noPassword) return PasswordCheck::PasswordEmpty;
  if (noConfirm) return PasswordCheck::ConfirmEmpty;
  if (std::strcmp(password, confirm) != 0) return PasswordCheck::Mismatch;
  return PasswordCheck::Ok;
}

#endif
