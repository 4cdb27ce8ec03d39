// The terminal of the console programs (trisel-cli, mirelka-cli).
//
// The core speaks CP949; a terminal the user's character set. ITerminal does
// the reading, the writing and the conversion, so that what is built on it
// can be tested with a scripted terminal.
#ifndef MIRELKA_CONSOLE_TERMINAL_H
#define MIRELKA_CONSOLE_TERMINAL_H

#include <memory>
#include <string>

#include "common/filesystem.h"

namespace console {

enum class ReadResult { Line, End, Interrupted };

class ITerminal {
 public:
  virtual ~ITerminal() = default;
  // Questions can be asked.
  virtual bool Interactive() = 0;
  // Progress can be drawn: standard error is a terminal.
  virtual bool ShowsProgress() = 0;
  // Shows a prompt (CP949) and reads one line without its line break, as
  // typed (see FromTerminal), echoed or not. Interrupted: a Ctrl+C that the
  // program took as a cancel request arrived while waiting.
  virtual ReadResult ReadLine(const std::string& prompt, bool echo, std::string& line) = 0;
  // Text for standard output and standard error, as ToTerminal made it.
  virtual void Out(const std::string& text) = 0;
  virtual void Err(const std::string& text) = 0;
  // The progress line on standard error, redrawn in place; cleared by the
  // next Out or Err.
  virtual void Progress(const std::string& text) = 0;
  // CP949 to UTF-8 for showing (ShownText below).
  virtual std::string ToTerminal(const std::string& cp949) = 0;
  // What was typed, in the terminal's character set, to CP949 (TypedToCp949
  // below).
  virtual bool FromTerminal(const std::string& typed, std::string& cp949) = 0;
};

// Where the questions are asked.
enum class QuestionInput {
  // Standard input, with the prompts on standard error; questions are asked
  // only when both are terminals (trisel-cli).
  StandardInput,
  // The controlling terminal itself, prompts included, because standard
  // input and output carry data (mirelka-cli).
  ControllingTerminal,
};

std::unique_ptr<ITerminal> OpenTerminal(QuestionInput input);

// The conversions of every ITerminal. ShownText: CP949 to UTF-8, a name
// kept in its native UTF-8 bytes as it is, anything else that does not
// convert as '?'. TypedToCp949: the terminal's character set to CP949;
// false (cp949 untouched) when the text has no CP949 form.
std::string ShownText(const std::string& cp949);
bool TypedToCp949(const std::string& typed, std::string& cp949);

// Ctrl+C: each one calls cancel (from the signal handler or the console's
// control thread: it may only set atomic words). When cancel returns false,
// or at the second Ctrl+C, the program ends at once with status 130, the
// terminal's echo restored first. Without this call a Ctrl+C ends the
// program as it would anyway, echo restored.
void InstallInterruptHandler(bool (*cancel)());

// Standard input and output in byte mode (no line-end translation).
void SetBinaryStdio();

// A path from the command line as the core's CP949 path.
std::string ArgumentToCp949(const std::string& argument);

// The real file system with CP949 paths.
IFileSystem& Cp949FileSystem();

}  // namespace console

#endif
