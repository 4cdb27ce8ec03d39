// The password of a console program: asked twice on the terminal, or read
// from a file.
#ifndef MIRELKA_CONSOLE_PASSWORD_H
#define MIRELKA_CONSOLE_PASSWORD_H

#include <string>

#include "common/password_check.h"
#include "console/terminal.h"

namespace console {

// How one program asks: its prompts and refusal texts (CP949).
struct PasswordQuestion {
  const char* passwordPrompt;
  const char* confirmationPrompt;
  const char* (*refusal)(PasswordCheck check);  // the text for a failed check
  const char* refusalPrefix;  // shown in front of it on the same line
  const char* program;        // names the program in its own (ASCII) messages
  int attempts;               // how often the user may try
};

enum class PasswordAnswer {
  Ok,
  Refused,  // every attempt failed the check or had no CP949 form
  Ended,    // the input ended or was interrupted
};

// Asks for the password and its confirmation without echo, checks them and
// converts the password to CP949, the bytes Trisel.exe and Mirelka.exe key
// their ciphers with, so that what is coded here opens there. Each refusal
// is shown on standard error.
PasswordAnswer AskPassword(ITerminal& term, const PasswordQuestion& question,
                           std::string& password);

// The first line of the file without its line break (LF or CR LF), as bytes.
// False with a one-line reason (ASCII) when the file cannot be read or the
// line holds a zero byte (the ciphers take the password up to its first
// zero, so the rest would be silently ignored).
bool ReadPasswordFile(const std::string& path, std::string& password, std::string& error);

}  // namespace console

#endif
