// The checks Trisel makes before it shows its dialog, shared by the console.
#ifndef MIRELKA_TRISEL_CLI_STARTUP_CHECKS_H
#define MIRELKA_TRISEL_CLI_STARTUP_CHECKS_H

#include "common/filesystem.h"
#include "common/mystring.h"

// The usage text of Trisel (CP949).
const char* TriselUsageText();

// With exactly one path: a file (not a folder, attributes readable) that
// does not suit the mode gives its refusal text ("name.ext" and why) and
// true. A .tsl file (any ASCII case) is refused for encryption, any other
// file for decryption.
bool SingleFileRefusal(IFileSystem& fs, bool encrypt, const char* path, CMyString& message);

// The password check of the run button: null when accepted, else the
// refusal text (both empty, one empty, or different byte for byte).
const char* CheckPasswordInput(const char* password, const char* confirmation);

#endif
