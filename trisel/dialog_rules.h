// Decisions of Trisel's main dialog that do not depend on windows: what the
// command line allows at start-up, the text a log viewer shows and the look
// of each mode. The usage text, the single-file refusal and the password
// check are the ones trisel-cli shares (trisel/startup_checks.h).
#ifndef MIRELKA_TRISEL_DIALOG_RULES_H
#define MIRELKA_TRISEL_DIALOG_RULES_H

#include <cstdint>

#include "common/filesystem.h"
#include "common/mystring.h"
#include "trisel/startup_checks.h"

enum StartAction {
  kStartOpenDialog,  // run the main dialog
  kStartUsage,       // show TriselUsageText() and end
  kStartRefuse,      // show StartDecision::message and end
};

struct StartDecision {
  StartAction action = kStartUsage;
  bool encrypt = false;  // mode, valid for kStartOpenDialog and kStartRefuse
  CMyString message;     // the refusal text
};

// argv[0] is the program, argv[1] the switch ("-e" or "-d", case-sensitive),
// argv[2..] the paths. A single path that names a file (not a folder) whose
// attributes can be read is refused when its extension does not suit the
// mode: ".tsl" (any ASCII case) in encryption, anything else in decryption.
StartDecision CheckStartup(int argc, const char* const* argv, IFileSystem& fs);

// What a log viewer shows: the banner text box's text, CR LF, then the log
// file's bytes. Reads the whole file through fs; returns -1 when it cannot be
// opened or read.
int BuildLogViewText(IFileSystem& fs, const char* path, const char* bannerText, CMyString& out);

// Colours of a mode, 0x00BBGGRR like a Win32 COLORREF.
struct ModeColours {
  uint32_t bandStart;   // left end of the gradient band
  uint32_t shadow;      // shadow of the painted labels
  uint32_t bannerBack;  // background of the banner text box
};
ModeColours ColoursOfMode(bool encrypt);

inline uint32_t Rgb(uint32_t r, uint32_t g, uint32_t b) { return r | (g << 8) | (b << 16); }

// "암호 - Trisel v1.0" or "해독 - Trisel v1.0", and the run button's "암호"/"해독".
const char* TitleOfMode(bool encrypt);
const char* RunButtonTextOfMode(bool encrypt);

#endif
