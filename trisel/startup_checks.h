// The checks Trisel makes before it shows its dialog, shared by trisel-cli.
#ifndef MIRELKA_TRISEL_STARTUP_CHECKS_H
#define MIRELKA_TRISEL_STARTUP_CHECKS_H

#include "common/filesystem.h"
#include "common/mystring.h"
#include "common/password_check.h"

// The usage text of Trisel (CP949).
const char* TriselUsageText();

// With exactly one path: a file (not a folder, attributes readable) that
// does not suit the mode gives its refusal text ("name.ext" and why) and
// true. A .tsl file (any ASCII case) is refused for encryption, any other
// file for decryption.
bool SingleFileRefusal(IFileSystem& fs, bool encrypt, const char* path, CMyString& message);

// Trisel's wording of a failed password check (CP949), "" for Ok.
const char* PasswordRefusalText(PasswordCheck check);

// The password check of the run button: null when accepted, else the
// refusal text (both empty, one empty, or different byte for byte).
const char* CheckPasswordInput(const char* password, const char* confirmation);

#endif
