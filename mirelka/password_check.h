// The check of the password and its confirmation before a cipher run.
#ifndef MIRELKA_MIRELKA_PASSWORD_CHECK_H
#define MIRELKA_MIRELKA_PASSWORD_CHECK_H

enum class PasswordCheck {
  Ok,
  BothEmpty,
  PasswordEmpty,
  ConfirmEmpty,
  Mismatch,  // exact byte comparison: a trailing space counts
};

// Tests in this order: both empty, password empty, confirm empty, different.
PasswordCheck CheckPassword(const char* password, const char* confirm);

// The message for a failed check (CP949), "" for Ok. Shown with caption
// "경고"; the password edit gets the focus afterwards.
const char* PasswordCheckText(PasswordCheck result);

#endif
