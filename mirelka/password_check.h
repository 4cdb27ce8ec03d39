// Mirelka's wording of the password check (common/password_check.h).
#ifndef MIRELKA_MIRELKA_PASSWORD_CHECK_H
#define MIRELKA_MIRELKA_PASSWORD_CHECK_H

#include "common/password_check.h"

// The message for a failed check (CP949), "" for Ok. Shown with caption
// "경고"; the password edit gets the focus afterwards.
const char* PasswordCheckText(PasswordCheck result);

#endif
