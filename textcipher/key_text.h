// The key text that keys both ciphers of the suite: a zero-free byte string
// of at least one byte, made from the password and, when one is configured,
// the common key file. Two users with the same password and the same file get
// the same key text, in Mirelka and in Trisel alike.
#ifndef MIRELKA_TEXTCIPHER_KEY_TEXT_H
#define MIRELKA_TEXTCIPHER_KEY_TEXT_H

#include "common/filesystem.h"
#include "common/mystring.h"
#include "textcipher/common_key_file.h"
#include "textcipher/keyfile_view.h"

// Reverses the bytes of a zero-terminated string in place.
void ReverseString(char* s);

// The password text: the password's bytes in reverse order, then the decimal
// digits of its length in bytes ("abc" gives "cba3").
void MakePasswordText(const char* password, CMyString& out);

// XORs passwordText (zero-terminated, not empty), repeated, into every one of
// block's GetLength() bytes; a byte that comes out zero becomes 'P'.
void MixKeyBlock(CMyString& block, const char* passwordText);

// Builds the key text for `password` (zero-terminated, not empty; left
// unchanged). keyFilePath (CP949) names the common key file; null or empty
// means none, and the key text is the password text. Otherwise the file is
// read through `fs` and `view` and the key text is the 1024-byte mixed key
// block; view.Finish() is called after the read, whatever its outcome.
// Returns kKeyOk with keyText set, or the reader's kKeyFailed/kKeyCancelled
// (keyText then is unspecified).
int MakeKeyText(const char* password, const char* keyFilePath, IFileSystem& fs,
                IKeyFileView& view, CMyString& keyText);

#endif
