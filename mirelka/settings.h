// Mirelka's stored settings: every value with its key, default and the rule
// that decides what a stored value may be, and the window rectangle kept per
// screen resolution. Storage goes through IRegistry, so the Windows program
// uses the registry and the tests an in-memory store; applying a setting to
// the running window is the Windows program's business.
#ifndef MIRELKA_MIRELKA_SETTINGS_H
#define MIRELKA_MIRELKA_SETTINGS_H

#include <cstdint>

#include "common/mystring.h"
#include "common/registry.h"

extern const char kConfBasicKey[];    // Software\Pelmora\Mirelka\Conf\Basic
extern const char kConfEditKey[];     // ...\Conf\Edit
extern const char kConfFontKey[];     // ...\Conf\Edit\Font
extern const char kConfKeyKey[];      // ...\Conf\Key
extern const char kConfKeycommKey[];  // ...\Conf\Keycomm
extern const char kRunKey[];          // Software\Microsoft\Windows\CurrentVersion\Run
extern const char kRunValue[];        // "Mirelka"

// The edit font, laid out field for field like a Windows LOGFONTA so the
// Windows program can copy it into one.
struct EditFont {
  int32_t height = -13;
  int32_t width = 0;
  int32_t escapement = 0;
  int32_t orientation = 0;
  int32_t weight = 400;
  uint8_t italic = 0;
  uint8_t underline = 0;
  uint8_t strikeOut = 0;
  uint8_t charSet = 129;  // Hangul
  uint8_t outPrecision = 3;
  uint8_t clipPrecision = 2;
  uint8_t quality = 1;
  uint8_t pitchAndFamily = 18;
  char faceName[32] = "바탕";
};
bool operator==(const EditFont& a, const EditFont& b);
inline bool operator!=(const EditFont& a, const EditFont& b) { return !(a == b); }

// The activation hot key: Scroll Lock with one of these.
enum : uint32_t { kActKeyAlt = 1, kActKeyShift = 2, kActKeyWin = 3 };

struct MirelkaSettings {
  uint32_t wndStartAutoRun = 1;  // start with Windows (the Run entry)
  uint32_t startHideWnd = 1;     // start with only the tray icon
  uint32_t alwaysOnTop = 0;      // topmost; also stays visible after a paste
  uint32_t wordsWrap = 1;        // the two large edits wrap words
  uint32_t wndH = 1;             // 1 edits one above the other, 0 side by side
  uint32_t tabStop = 4;          // tab width factor of the large edits
  EditFont font;
  uint32_t actKey = kActKeyAlt;
  CMyString commKeyFile;  // full path of the common key file; empty = none
};

// Bits that pick settings for SaveSettings and for the Windows program's
// ApplySettings.
enum : uint32_t {
  kSetAutoRun = 0x1,
  kSetStartHide = 0x2,
  kSetTopmost = 0x4,
  kSetWordsWrap = 0x8,
  kSetWndH = 0x10,
  kSetFont = 0x20,
  kSetTabStop = 0x40,
  kSetActKey = 0x80,
  kSetKeyFile = 0x100,
  kSetAll = 0x1FF,
};

// Reads every value, a missing or unreadable one as its default, then holds
// each to its rule: the switches are 0 or 1 (anything else gives the
// default), TabStop 1..1023 (else 4), ActKey 1..3 (else 1), the font's byte
// fields keep their low byte, a face name must fit 31 bytes and a key-file
// path 259 (a longer one gives the default).
void LoadSettings(IRegistry& reg, MirelkaSettings& s);

// Writes the values that `bits` picks; the font's byte fields as DWORDs.
// Failures are ignored.
void SaveSettings(IRegistry& reg, const MirelkaSettings& s, uint32_t bits);

// The Run entry: the program folder (with its trailing separator) followed by
// "Mirelka.exe", in double quotes when the path holds a space so that
// Windows does not try a shorter path first. Written when `on`, else deleted.
void WriteAutoRun(IRegistry& reg, bool on, const char* programFolder);
CMyString AutoRunCommand(const char* programFolder);

// The main window rectangle in screen coordinates.
struct WindowRect {
  int32_t left = 0, top = 0, right = 0, bottom = 0;
};

// "Software\Pelmora\Mirelka\LastState\Pos(1024x768)" for a 1024 x 768 screen.
CMyString WindowPosKey(int32_t screenWidth, int32_t screenHeight);
// 510 x 490, centred on the screen.
WindowRect DefaultWindowRect(int32_t screenWidth, int32_t screenHeight);
// The rectangle stored for this screen size, or the default one when none is
// stored, all four edges are 0 or less, or it lies wholly beyond the screen
// (every edge past the width or height, not just some).
WindowRect LoadWindowPos(IRegistry& reg, int32_t screenWidth, int32_t screenHeight);
void SaveWindowPos(IRegistry& reg, int32_t screenWidth, int32_t screenHeight, const WindowRect& r);

#endif
