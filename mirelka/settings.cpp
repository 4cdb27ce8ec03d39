#include "mirelka/settings.h"

#include <cstdio>
#include <cstring>

const char kConfBasicKey[] = "Software\\Pelmora\\Mirelka\\Conf\\Basic";
const char kConfEditKey[] = "Software\\Pelmora\\Mirelka\\Conf\\Edit";
const char kConfFontKey[] = "Software\\Pelmora\\Mirelka\\Conf\\Edit\\Font";
const char kConfKeyKey[] = "Software\\Pelmora\\Mirelka\\Conf\\Key";
const char kConfKeycommKey[] = "Software\\Pelmora\\Mirelka\\Conf\\Keycomm";
const char kRunKey[] = "Software\\Microsoft\\Windows\\CurrentVersion\\Run";
const char kRunValue[] = "Mirelka";

bool operator==(const EditFont& a, const EditFont& b) {
  return a.height == b.height && a.width == b.width && a.escapement == b.escapement &&
         a.orientation == b.orientation && a.weight == b.weight && a.italic == b.italic &&
         a.underline == b.underline && a.strikeOut == b.strikeOut && a.charSet == b.charSet &&
         a.outPrecision == b.outPrecision && a.clipPrecision == b.clipPrecision &&
         a.quality == b.quality && a.pitchAndFamily == b.pitchAndFamily &&
         std::strcmp(a.faceName, b.faceName) == 0;
}

namespace {

const RegRoot kRoot = kHkeyCurrentUser;

// A switch: 0 or 1, anything else is the default.
uint32_t Switch(IRegistry& reg, const char* key, const char* name, uint32_t def) {
  uint32_t v = reg.ReadDword(kRoot, key, name, def);
  return v <= 1 ? v : def;
}

uint32_t InRange(IRegistry& reg, const char* key, const char* name, uint32_t def, uint32_t low,
                 uint32_t high) {
  uint32_t v = reg.ReadDword(kRoot, key, name, def);
  return v >= low && v <= high ? v : def;
}

// Reads a text into a buffer of `size` bytes; a value that does not fit (or
// a key that cannot be opened) leaves the default.
void ReadText(IRegistry& reg, const char* key, const char* name, const char* def, char* buf,
              uint32_t size) {
  std::snprintf(buf, size, "%s", def);
  reg.ReadString(kRoot, key, name, def, buf, size);
}

// The numeric font fields in their stored order, with where each one lives.
struct FontField {
  const char* name;
  int32_t EditFont::*wide;   // one of the five 32-bit fields, or null
  uint8_t EditFont::*byte;   // one of the eight byte fields, or null
};
const FontField kFontFields[] = {
    {"lfHeight", &EditFont::height, nullptr},
    {"lfWidth", &EditFont::width, nullptr},
    {"lfEscapement", &EditFont::escapement, nullptr},
    {"lfOrientation", &EditFont::orientation, nullptr},
    {"lfWeight", &EditFont::weight, nullptr},
    {"lfItalic", nullptr, &EditFont::italic},
    {"lfUnderline", nullptr, &EditFont::underline},
    {"lfStrikeOut", nullptr, &EditFont::strikeOut},
    {"lfCharSet", nullptr, &EditFont::charSet},
    {"lfOutPrecision", nullptr, &EditFont::outPrecision},
    {"lfClipPrecision", nullptr, &EditFont::clipPrecision},
    {"lfQuality", nullptr, &EditFont::quality},
    {"lfPitchAndFamily", nullptr, &EditFont::pitchAndFamily},
};

}  // namespace

void LoadSettings(IRegistry& reg, MirelkaSettings& s) {
  const MirelkaSettings def;
  s.wndStartAutoRun = Switch(reg, kConfBasicKey, "WndStartAutoRun", def.wndStartAutoRun);
  s.startHideWnd = Switch(reg, kConfBasicKey, "StartHideWnd", def.startHideWnd);
  s.alwaysOnTop = Switch(reg, kConfBasicKey, "AlwaysOnTop", def.alwaysOnTop);
  s.wordsWrap = Switch(reg, kConfEditKey, "WordsWrap", def.wordsWrap);
  s.wndH = Switch(reg, kConfEditKey, "WndH", def.wndH);
  s.tabStop = InRange(reg, kConfEditKey, "TabStop", def.tabStop, 1, 1023);
  for (const FontField& f : kFontFields) {
    if (f.wide) {
      s.font.*f.wide = static_cast<int32_t>(
          reg.ReadDword(kRoot, kConfFontKey, f.name, static_cast<uint32_t>(def.font.*f.wide)));
    } else {
      s.font.*f.byte =
          static_cast<uint8_t>(reg.ReadDword(kRoot, kConfFontKey, f.name, def.font.*f.byte) & 0xFF);
    }
  }
  ReadText(reg, kConfFontKey, "lfFaceName", def.font.faceName, s.font.faceName,
           sizeof s.font.faceName);
  s.actKey = InRange(reg, kConfKeyKey, "ActKey", def.actKey, kActKeyAlt, kActKeyWin);
  char path[260];
  ReadText(reg, kConfKeycommKey, "CommKeyFile", "", path, sizeof path);
  s.commKeyFile = path;
}

void SaveSettings(IRegistry& reg, const MirelkaSettings& s, uint32_t bits) {
  if (bits & kSetAutoRun) reg.WriteDword(kRoot, kConfBasicKey, "WndStartAutoRun", s.wndStartAutoRun);
  if (bits & kSetStartHide) reg.WriteDword(kRoot, kConfBasicKey, "StartHideWnd", s.startHideWnd);
  if (bits & kSetTopmost) reg.WriteDword(kRoot, kConfBasicKey, "AlwaysOnTop", s.alwaysOnTop);
  if (bits & kSetWordsWrap) reg.WriteDword(kRoot, kConfEditKey, "WordsWrap", s.wordsWrap);
  if (bits & kSetWndH) reg.WriteDword(kRoot, kConfEditKey, "WndH", s.wndH);
  if (bits & kSetFont) {
    for (const FontField& f : kFontFields) {
      uint32_t v = f.wide ? static_cast<uint32_t>(s.font.*f.wide) : s.font.*f.byte;
      reg.WriteDword(kRoot, kConfFontKey, f.name, v);
    }
    reg.WriteString(kRoot, kConfFontKey, "lfFaceName", s.font.faceName);
  }
  if (bits & kSetTabStop) reg.WriteDword(kRoot, kConfEditKey, "TabStop", s.tabStop);
  if (bits & kSetActKey) reg.WriteDword(kRoot, kConfKeyKey, "ActKey", s.actKey);
  if (bits & kSetKeyFile) reg.WriteString(kRoot, kConfKeycommKey, "CommKeyFile", s.commKeyFile.GetBuffer());
}

CMyString AutoRunCommand(const char* programFolder) {
  CMyString path(programFolder);
  path += "Mirelka.exe";
  if (!std::strchr(path.GetBuffer(), ' ')) return path;
  CMyString quoted("\"");
  quoted += path;
  quoted += "\"";
  return quoted;
}

void WriteAutoRun(IRegistry& reg, bool on, const char* programFolder) {
  if (on) {
    reg.WriteString(kRoot, kRunKey, kRunValue, AutoRunCommand(programFolder).GetBuffer());
  } else {
    reg.DeleteValue(kRoot, kRunKey, kRunValue);
  }
}

CMyString WindowPosKey(int32_t screenWidth, int32_t screenHeight) {
  char key[128];
  std::snprintf(key, sizeof key, "Software\\Pelmora\\Mirelka\\LastState\\Pos(%dx%d)",
                static_cast<int>(screenWidth), static_cast<int>(screenHeight));
  return CMyString(key);
}

WindowRect DefaultWindowRect(int32_t screenWidth, int32_t screenHeight) {
  WindowRect r;
  r.left = (screenWidth - 510) / 2;
  r.top = (screenHeight - 490) / 2;
  r.right = r.left + 510;
  r.bottom = r.top + 490;
  return r;
}

WindowRect LoadWindowPos(IRegistry& reg, int32_t screenWidth, int32_t screenHeight) {
  const WindowRect def = DefaultWindowRect(screenWidth, screenHeight);
  const CMyString key = WindowPosKey(screenWidth, screenHeight);
  auto read = [&](const char* name, int32_t d) {
    return static_cast<int32_t>(reg.ReadDword(kRoot, key.GetBuffer(), name, static_cast<uint32_t>(d)));
  };
  WindowRect r;
  r.left = read("Left", def.left);
  r.top = read("Top", def.top);
  r.right = read("Right", def.right);
  r.bottom = read("Bottom", def.bottom);
  bool nothing = r.left <= 0 && r.top <= 0 && r.right <= 0 && r.bottom <= 0;
  bool beyond = r.left > screenWidth && r.top > screenHeight && r.right > screenWidth &&
                r.bottom > screenHeight;
  return nothing || beyond ? def : r;
}

void SaveWindowPos(IRegistry& reg, int32_t screenWidth, int32_t screenHeight, const WindowRect& r) {
  const CMyString key = WindowPosKey(screenWidth, screenHeight);
  reg.WriteDword(kRoot, key.GetBuffer(), "Left", static_cast<uint32_t>(r.left));
  reg.WriteDword(kRoot, key.GetBuffer(), "Top", static_cast<uint32_t>(r.top));
  reg.WriteDword(kRoot, key.GetBuffer(), "Right", static_cast<uint32_t>(r.right));
  reg.WriteDword(kRoot, key.GetBuffer(), "Bottom", static_cast<uint32_t>(r.bottom));
}
