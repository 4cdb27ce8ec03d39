// The menu's item texts and the verb and help texts that the shell asks
// for through GetCommandString.
#ifndef MIRELKA_SHELLEXT_COMMAND_TEXT_H
#define MIRELKA_SHELLEXT_COMMAND_TEXT_H

#include <cstdint>

extern const char kServerName[];       // "TriselShell"
extern const char kEncryptItemText[];  // menu item of the encrypt command
extern const char kDecryptItemText[];  // menu item of the decrypt command

// GetCommandString's request types (the shell's GCS_* numbers).
enum {
  kVerbA = 0,
  kHelpTextA = 1,
  kVerbW = 4,
  kHelpTextW = 5,
};

// The text for a command offset and request type: "Operation1" /
// "Operation2" as verbs, a help line each, kServerName for any other
// offset; null for a type that carries no text (validation requests).
// The wide types give the same (ASCII) texts as their ANSI twins.
const char* CommandText(unsigned offset, unsigned type);

// Copies text into buf of size bytes and fills the rest with zeros. A text
// that does not fit is cut one byte short so that buf is always terminated;
// a size of 0 writes nothing.
void CopyCommandText(const char* text, char* buf, uint32_t size);

// The same for a buffer of count 16-bit characters; the texts are ASCII,
// so each byte becomes one character.
void CopyCommandTextW(const char* text, char16_t* buf, uint32_t count);

#endif
