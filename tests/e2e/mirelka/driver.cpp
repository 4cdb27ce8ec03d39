// The end-to-end driver that works Mirelka.exe the way a user does, with
// Wine's notepad as the application that holds the text:
//   mirelka_e2e.exe WORK APP ARTEFACTS [SCENARIO...]
//   mirelka_e2e.exe WORK APP ARTEFACTS bench
// WORK holds the documents and the blocks mirelka-cli made from them (see
// the run script), APP the folder of Mirelka.exe, ARTEFACTS receives the
// screenshots. Keys are injected with keybd_event, so they reach the hot key
// and the accelerators as typed keys do. Results go to WORK\results.txt.
#include <windows.h>
#include <commctrl.h>
#include <psapi.h>
#include <shlwapi.h>

#include <algorithm>
#include <cstdarg>
#include <cstdlib>
#include <initializer_list>
#include <utility>
#include <cstdio>
#include <cstring>
#include <functional>
#include <map>
#include <string>
#include <vector>

#include "../driver/ui.h"

namespace {

std::string g_work, g_app, g_art;
FILE* g_out = nullptr;
int g_failures = 0;

void Say(const char* fmt, ...) {
  for (FILE* f : {stdout, g_out}) {
    if (!f) continue;
    va_list args;
    va_start(args, fmt);
    std::vfprintf(f, fmt, args);
    va_end(args);
    std::fflush(f);
  }
}

struct Abort {};

void Fail(int line, const std::string& what) {
  ++g_failures;
  Say("    FAIL line %d: %s\n", line, what.c_str());
}

// Shows bytes readably: ASCII as it is, everything else as \xNN.
std::string Show(const std::string& s) {
  std::string out;
  for (unsigned char c : s.substr(0, 160)) {
    char buf[8];
    if (c >= 0x20 && c < 0x7F) {
      out += static_cast<char>(c);
    } else {
      std::snprintf(buf, sizeof buf, "\\x%02X", c);
      out += buf;
    }
  }
  return s.size() > 160 ? out + "...(" + std::to_string(s.size()) + " bytes)" : out;
}

#define CHECK(cond, what) ((cond) ? void() : Fail(__LINE__, (what)))
#define CHECK_EQ(want, got, what)                                                             \
  do {                                                                                        \
    std::string w_ = (want), g_ = (got);                                                      \
    if (w_ != g_) Fail(__LINE__, std::string(what) + ": want [" + Show(w_) + "] got [" + Show(g_) + "]"); \
  } while (0)
#define REQUIRE(cond, what)                \
  do {                                     \
    if (!(cond)) {                         \
      Fail(__LINE__, (what));              \
      throw Abort();                       \
    }                                      \
  } while (0)

// Every wait for what the program is expected to do: generous, so that a
// loaded machine only makes a scenario slower, while a fault still fails it.
const DWORD kWait = 30000;
bool Until(const std::function<bool()>& condition, DWORD timeoutMs = kWait) {
  return WaitUntil(condition, timeoutMs);
}
// For what must not happen: whether the condition held for the whole time.
bool Stays(const std::function<bool()>& condition, DWORD ms) {
  return !WaitUntil([&] { return !condition(); }, ms);
}

std::string g_password;  // WORK\password.txt, first line
const char kConf[] = "Software\\Pelmora\\Mirelka\\Conf";
const char kBasic[] = "Software\\Pelmora\\Mirelka\\Conf\\Basic";
const char kEdit[] = "Software\\Pelmora\\Mirelka\\Conf\\Edit";
const char kKey[] = "Software\\Pelmora\\Mirelka\\Conf\\Key";
const char kKeycomm[] = "Software\\Pelmora\\Mirelka\\Conf\\Keycomm";
const char kLastState[] = "Software\\Pelmora\\Mirelka\\LastState";
const char kRun[] = "Software\\Microsoft\\Windows\\CurrentVersion\\Run";
const char kTooLarge[] =
    "100KB 이상의 데이터를 선택했습니다. 다음 방안으로 작업하십시오.\n\n"
    "(방안1) 100KB (한글5만자,영문10만자) 이하로 나누어서 암호화\n\n"
    "(방안2) 파일로 저장 후, 파일 자체를 암호화\n"
    "           → 탐색기 마우스 우측 버튼으로 선택 후 <Trisel> 실행";

enum {
  kIdEncode = 200, kIdPaste = 201, kIdClear = 202, kIdTopmost = 230, kIdHorz = 231, kIdVert = 232,
  kIdWrap = 233, kIdPassword = 300, kIdConfirm = 301, kIdSource = 303, kIdResult = 304,
  kIdWaitBar = 1038, kIdWaitCancel = 1039, kIdWaitText = 1040, kUmTrayNotify = WM_APP + 100,
};

std::string Path(const std::string& rel) { return g_work + "\\" + rel; }
std::string Bytes(const std::string& rel) {
  std::string out;
  FILE* f = std::fopen(Path(rel).c_str(), "rb");
  if (!f) return out;
  char buf[65536];
  size_t n;
  while ((n = std::fread(buf, 1, sizeof buf, f)) > 0) out.append(buf, n);
  std::fclose(f);
  return out;
}

void Shot(HWND hwnd, const char* name) {
  if (hwnd) {
    WaitPainted(hwnd, 5000);  // a picture of a half-painted window is still a picture
  } else {
    Sleep(300);
  }
  SaveScreenshot(hwnd ? hwnd : GetDesktopWindow(), g_art + "\\mirelka-" + name + ".bmp");
}

// --- registry
void SetDword(const char* key, const char* name, DWORD v) {
  HKEY k;
  if (RegCreateKeyExA(HKEY_CURRENT_USER, key, 0, nullptr, 0, KEY_WRITE, nullptr, &k, nullptr) != ERROR_SUCCESS) return;
  RegSetValueExA(k, name, 0, REG_DWORD, reinterpret_cast<const BYTE*>(&v), sizeof v);
  RegCloseKey(k);
}
void SetString(const char* key, const char* name, const std::string& v) {
  HKEY k;
  if (RegCreateKeyExA(HKEY_CURRENT_USER, key, 0, nullptr, 0, KEY_WRITE, nullptr, &k, nullptr) != ERROR_SUCCESS) return;
  RegSetValueExA(k, name, 0, REG_SZ, reinterpret_cast<const BYTE*>(v.c_str()), static_cast<DWORD>(v.size() + 1));
  RegCloseKey(k);
}
// A number in decimal, a string as it is, "(none)" when missing.
std::string Reg(const char* key, const char* name) {
  HKEY k;
  if (RegOpenKeyExA(HKEY_CURRENT_USER, key, 0, KEY_READ, &k) != ERROR_SUCCESS) return "(none)";
  char buf[1024] = {};
  DWORD type = 0, size = sizeof buf - 1;
  LONG r = RegQueryValueExA(k, name, nullptr, &type, reinterpret_cast<BYTE*>(buf), &size);
  RegCloseKey(k);
  if (r != ERROR_SUCCESS) return "(none)";
  if (type == REG_DWORD) return std::to_string(static_cast<long>(*reinterpret_cast<LONG*>(buf)));
  return buf;
}
void ClearSettings() {
  SHDeleteKeyA(HKEY_CURRENT_USER, kConf);
  SHDeleteKeyA(HKEY_CURRENT_USER, kLastState);
  HKEY k;
  if (RegOpenKeyExA(HKEY_CURRENT_USER, kRun, 0, KEY_WRITE, &k) == ERROR_SUCCESS) {
    RegDeleteValueA(k, "Mirelka");
    RegCloseKey(k);
  }
}

// --- keys, as typed
void Key(BYTE vk, bool up) {
  keybd_event(vk, static_cast<BYTE>(MapVirtualKeyA(vk, 0)), up ? KEYEVENTF_KEYUP : 0, 0);
}
void Tap(BYTE vk) {
  Key(vk, false);
  Key(vk, true);
}
void HotKey(BYTE modifier) {
  Key(modifier, false);
  Key(VK_SCROLL, false);
  Key(VK_SCROLL, true);
  Key(modifier, true);
}

// --- Mirelka
Program g_mirelka;

HWND Main() {
  HWND w = nullptr;
  while ((w = FindWindowExA(nullptr, w, "Mirelka", nullptr)) != nullptr) {
    DWORD pid = 0;
    GetWindowThreadProcessId(w, &pid);
    if (pid == g_mirelka.pi.dwProcessId) return w;
  }
  return nullptr;
}
HWND Ctl(int id) { return GetDlgItem(Main(), id); }
std::string CtlText(int id) { return Text(Ctl(id)); }
bool ReadOnly(int id) { return (GetWindowLongPtrA(Ctl(id), GWL_STYLE) & ES_READONLY) != 0; }
bool Shown() { return Main() && IsWindowVisible(Main()) && !IsIconic(Main()); }

std::string MirelkaCommand(const char* args = "") {
  return "\"" + g_app + "\\Mirelka.exe\"" + (*args ? std::string(" ") + args : "");
}

void StopMirelka() {
  HWND main = Main();
  if (main) PostMessageA(main, WM_COMMAND, MAKEWPARAM(40034, 0), 0);
  g_mirelka.Ended(kWait);
  g_mirelka.Close();
}

void StartMirelka() {
  StopMirelka();
  REQUIRE(StartProgram(MirelkaCommand("noupdate"), g_mirelka), "Mirelka.exe did not start");
  // The title is set once the window is made and shown or hidden.
  REQUIRE(Until([] { return Main() != nullptr && Text(Main()) == "Mirelka v1.0  for 한글 윈도우즈"; }),
          "no main window");
}

void EnsureMirelka() {
  if (!Main() || g_mirelka.Ended(0)) StartMirelka();
}

// --- notepad, the other application
struct Notepad {
  Program prog;
  HWND main = nullptr, edit = nullptr;
  ~Notepad() { prog.Close(); }
};

void OpenNotepad(const std::string& rel, Notepad& np) {
  REQUIRE(StartProgram("notepad.exe \"" + Path(rel) + "\"", np.prog), "notepad did not start");
  REQUIRE(Until([&] {
    np.main = nullptr;
    while ((np.main = FindWindowExA(nullptr, np.main, "Notepad", nullptr)) != nullptr) {
      DWORD pid = 0;
      GetWindowThreadProcessId(np.main, &pid);
      if (pid == np.prog.pi.dwProcessId && IsWindowVisible(np.main)) break;
    }
    np.edit = np.main ? FindWindowExA(np.main, nullptr, "Edit", nullptr) : nullptr;
    return np.edit != nullptr;
  }), "no notepad window");
  REQUIRE(Until([&] { return Text(np.edit) == Bytes(rel); }), "notepad does not show " + rel);
}

// Selects bytes [start, end) of the (CP949) text: the edit counts characters.
void SelectBytes(Notepad& np, size_t start, size_t end) {
  std::string text = Text(np.edit);
  auto chars = [&](size_t bytes) {
    return bytes ? MultiByteToWideChar(949, 0, text.data(), static_cast<int>(bytes), nullptr, 0) : 0;
  };
  SendMessageA(np.edit, EM_SETSEL, chars(start), chars(end));
}

void Foreground(HWND hwnd) {
  WaitUntil([&] {
    SetForegroundWindow(hwnd);
    return GetForegroundWindow() == hwnd;
  }, 15000, 50);
}

// Mirelka's window in front, or a box of its own over it (a capture that is
// refused shows its message at once).
bool InFront() {
  HWND front = GetForegroundWindow();
  return front != nullptr && (front == Main() || GetWindow(front, GW_OWNER) == Main());
}

// Presses the hot key over notepad and waits for Mirelka's window.
void Capture(Notepad& np, BYTE modifier = VK_MENU) {
  EnsureMirelka();
  if (IsWindowVisible(Main())) SendMessageA(Main(), WM_SYSCOMMAND, SC_CLOSE, 0);
  Foreground(np.main);
  REQUIRE(GetForegroundWindow() == np.main, "notepad is not in front");
  HotKey(modifier);
  REQUIRE(Until([] { return Shown() && InFront(); }), "Mirelka did not come up after the hot key");
}

void TypePasswords(const std::string& a, const std::string& b) {
  SetItemText(Main(), kIdPassword, a);
  SetItemText(Main(), kIdConfirm, b);
}

// What the output edit may hold before a run: nothing, or the line break
// and vendor's banner text that the banner writes there after a capture.
bool BannerOnly(const std::string& s) { return s.empty() || s.compare(0, 2, "\r\n") == 0; }

// A click into a control of another program: it takes the focus as it does
// under the mouse. Sent, not posted, so that it is over when this returns:
// a click still queued would move a selection made after it.
void ClickInto(HWND control) {
  for (UINT msg : {WM_LBUTTONDOWN, WM_LBUTTONUP})
    SendMessageTimeoutA(control, msg, msg == WM_LBUTTONDOWN ? MK_LBUTTON : 0, MAKELPARAM(5, 5), SMTO_ABORTIFHUNG,
                        kWait, nullptr);
  CHECK(Until([&] { return FocusOf(control) == control; }), "a click did not focus the control");
}

// Scroll Lock's light, read by a window of the driver brought to the front
// for a moment (a thread's key state follows the keyboard while it is in
// front); the application is put back in front afterwards.
bool ScrollLockOn(HWND app) {
  static HWND probe = CreateWindowExA(0, "STATIC", "probe", WS_POPUP | WS_VISIBLE, 0, 0, 10, 10,
                                      nullptr, nullptr, GetModuleHandleA(nullptr), nullptr);
  Foreground(probe);
  Tap(VK_SHIFT);
  // The key state is the keyboard's as of the last key message taken.
  WaitUntil([] {
    MSG m;
    bool up = false;
    while (PeekMessageA(&m, nullptr, 0, 0, PM_REMOVE)) {
      up = up || (m.message == WM_KEYUP && m.wParam == VK_SHIFT);
      DispatchMessageA(&m);
    }
    return up;
  }, 15000, 10);
  bool on = (GetKeyState(VK_SCROLL) & 1) != 0;
  Foreground(app);
  return on;
}

std::string Replace(std::string doc, const std::string& what, const std::string& with) {
  size_t at = doc.find(what);
  return at == std::string::npos ? doc : doc.replace(at, what.size(), with);
}

bool ClipboardHas(const char* format, DWORD* value) {
  bool found = false;
  if (!OpenClipboard(nullptr)) return false;
  UINT f = RegisterClipboardFormatA(format);
  HANDLE h = GetClipboardData(f);
  if (h) {
    const DWORD* p = static_cast<const DWORD*>(GlobalLock(h));
    found = p != nullptr;
    if (p && value && GlobalSize(h) >= sizeof(DWORD)) *value = *p;
    GlobalUnlock(h);
  }
  CloseClipboard();
  return found;
}

std::string ClipboardText() {
  std::string text = "(none)";
  if (!OpenClipboard(nullptr)) return text;
  HANDLE h = GetClipboardData(CF_TEXT);
  const char* p = h ? static_cast<const char*>(GlobalLock(h)) : nullptr;
  if (p) text = p;
  if (p) GlobalUnlock(h);
  CloseClipboard();
  return text;
}

void PutClipboardText(const std::string& text) {
  if (!OpenClipboard(nullptr)) return;
  EmptyClipboard();
  HGLOBAL h = GlobalAlloc(GMEM_MOVEABLE, text.size() + 1);
  std::memcpy(GlobalLock(h), text.c_str(), text.size() + 1);
  GlobalUnlock(h);
  SetClipboardData(CF_TEXT, h);
  CloseClipboard();
}

// Expects a message box of Mirelka and answers it.
void ExpectBox(const std::string& text, int answer, const char* shot, const std::string& what) {
  Box box;
  REQUIRE(WaitBox(g_mirelka.pi.dwProcessId, box, kWait), what + ": no message box");
  CHECK_EQ("경고", box.caption, what + ": caption");
  CHECK_EQ(text, box.text, what + ": text");
  if (shot) Shot(box.hwnd, shot);
  CHECK(Answer(box.hwnd, answer, kWait), what + ": the box did not close");
}

// The banner text thread, started 300 ms after a capture or after the window
// opens from the tray, puts a line break and the vendor's text into the
// output edit of the coming run (the read-only one). A run started before
// that would see its result replaced; a user is never that quick.
void AwaitBanner() {
  CHECK(Until([] { return CtlText(ReadOnly(kIdResult) ? kIdResult : kIdSource).compare(0, 2, "\r\n") == 0; }),
        "the banner text did not arrive");
}

// A run that gave a result has ended once ENCODE is back and focused.
void AwaitRunEnd() {
  CHECK(Until([] { return IsWindowEnabled(Ctl(kIdEncode)) && FocusOf(Main()) == Ctl(kIdEncode); }),
        "ENCODE not back and focused after the run");
}

// Opens the window from the tray (wiped first, if it was open) and waits for
// the banner text.
void OpenFromTray() {
  EnsureMirelka();
  if (IsWindowVisible(Main())) SendMessageA(Main(), WM_SYSCOMMAND, SC_CLOSE, 0);
  // Empty, so that the banner text seen is the one this opening brings.
  SetItemText(Main(), kIdSource, "");
  SetItemText(Main(), kIdResult, "");
  PostMessageA(Main(), kUmTrayNotify, 0, WM_LBUTTONDBLCLK);
  REQUIRE(Until([] { return Shown() && InFront(); }), "the tray double click did not open the window");
  AwaitBanner();
}

// The document, the passage in it and what mirelka-cli makes of it.
struct Texts {
  std::string doc = Bytes("doc.txt"), passage = Bytes("passage.txt"), block = Bytes("passage.enc");
};

}  // namespace

// --- scenarios

// Capture, ENCODE by Enter, paste by F10; the clipboard then holds the block
// and is marked out of the clipboard history.
void ScenarioEncrypt() {
  Texts t;
  REQUIRE(t.doc.find(t.passage) != std::string::npos && t.block.size() == t.passage.size() + 2,
          "fixture texts");
  Notepad np;
  OpenNotepad("doc.txt", np);
  size_t at = t.doc.find(t.passage);
  SelectBytes(np, at, at + t.passage.size());
  Capture(np);
  REQUIRE(Until([&] { return CtlText(kIdSource) == t.passage; }), "source edit: " + Show(CtlText(kIdSource)));
  CHECK(BannerOnly(CtlText(kIdResult)), "result edit after capture: " + Show(CtlText(kIdResult)));
  CHECK(!ReadOnly(kIdSource) && ReadOnly(kIdResult), "encrypt mode: source writable, result read-only");
  CHECK(Until([] { return FocusOf(Main()) == Ctl(kIdPassword); }), "password edit focused");
  CHECK_EQ("", ClipboardText() == "(none)" ? "" : ClipboardText(), "captured text left on the clipboard");
  TypePasswords(g_password, g_password);
  AwaitBanner();
  Shot(Main(), "capture-horizontal");
  Tap(VK_RETURN);
  REQUIRE(Until([&] { return CtlText(kIdResult) == t.block; }), "result edit: " + Show(CtlText(kIdResult)));
  AwaitRunEnd();
  Shot(Main(), "encrypted");
  Tap(VK_F10);
  std::string want = Replace(t.doc, t.passage, t.block);
  CHECK(Until([&] { return Text(np.edit) == want; }), "notepad after the paste: " + Show(Text(np.edit)));
  CHECK(Until([] { return !IsWindowVisible(Main()); }), "Mirelka still visible after the paste");
  for (int id : {kIdPassword, kIdConfirm, kIdSource, kIdResult})
    CHECK(Until([&] { return CtlText(id).empty(); }), "edit not wiped: " + std::to_string(id) + " " + Show(CtlText(id)));
  CHECK_EQ(t.block, ClipboardText(), "clipboard text after the paste");
  DWORD v = 1;
  CHECK(ClipboardHas("ExcludeClipboardContentFromMonitorProcessing", nullptr), "exclusion format");
  CHECK(ClipboardHas("CanIncludeInClipboardHistory", &v) && v == 0, "history format 0");
  v = 1;
  CHECK(ClipboardHas("CanUploadToCloudClipboard", &v) && v == 0, "cloud format 0");
}

// The block selected again: decrypt mode; ENCODE and PASTE give the plain
// text back between the delimiters.
void ScenarioDecrypt() {
  Texts t;
  std::string doc = Replace(t.doc, t.passage, t.block);
  Notepad np;
  OpenNotepad("doc-enc.txt", np);
  REQUIRE(Text(np.edit) == doc, "doc-enc.txt");
  size_t at = doc.find(t.block);
  SelectBytes(np, at, at + t.block.size());
  Capture(np);
  REQUIRE(Until([&] { return CtlText(kIdResult) == t.block; }), "result edit: " + Show(CtlText(kIdResult)));
  CHECK(BannerOnly(CtlText(kIdSource)), "source edit in decrypt mode: " + Show(CtlText(kIdSource)));
  CHECK(ReadOnly(kIdSource) && !ReadOnly(kIdResult), "decrypt mode: source read-only, result writable");
  TypePasswords(g_password, g_password);
  AwaitBanner();
  Shot(Main(), "capture-decrypt");
  Click(Main(), kIdEncode);
  std::string plain = "\x7F" + t.passage + "\x7F";
  REQUIRE(Until([&] { return CtlText(kIdSource) == plain; }), "source edit: " + Show(CtlText(kIdSource)));
  AwaitRunEnd();
  Click(Main(), kIdPaste);
  CHECK(Until([&] { return Text(np.edit) == Replace(doc, t.block, plain); }),
        "notepad after the paste: " + Show(Text(np.edit)));
}

// A password that makes the block hold a byte pair that is no character:
// the result is refused instead of being damaged on its way.
void ScenarioNotText() {
  std::string bad = Bytes("bad-password.txt");
  REQUIRE(!bad.empty(), "no bad-password.txt");
  bad = bad.substr(0, bad.find('\n'));
  Texts t;
  Notepad np;
  OpenNotepad("doc.txt", np);
  size_t at = t.doc.find(t.passage);
  SelectBytes(np, at, at + t.passage.size());
  Capture(np);
  REQUIRE(Until([&] { return CtlText(kIdSource) == t.passage; }), "source edit");
  TypePasswords(bad, bad);
  AwaitBanner();
  Tap(VK_RETURN);
  ExpectBox("결과에 글자로 나타낼 수 없는 문자 조합이 생겼습니다.\n"
            "이대로 붙여 넣으면 내용이 손상되어 다시 해독할 수 없습니다.\n\n"
            "다른 암호로 다시 암호화하십시오.", IDOK, "not-text", "result that is not text");
  CHECK(Until([] { return CtlText(kIdResult).empty(); }), "result edit kept the damaged block");
  CHECK(Until([] { return FocusOf(Main()) == Ctl(kIdPassword); }), "password edit focused");
  SendMessageA(Main(), WM_SYSCOMMAND, SC_CLOSE, 0);
}

// Nothing selected while older text is on the clipboard: the window opens
// empty. 102400 bytes are taken, 102401 refused with the message.
void ScenarioLimits() {
  {
    Notepad np;
    OpenNotepad("doc.txt", np);
    SendMessageA(np.edit, EM_SETSEL, 3, 3);
    PutClipboardText("older text");
    Capture(np);
    CHECK(BannerOnly(CtlText(kIdSource)) && BannerOnly(CtlText(kIdResult)), "edits with nothing selected");
    CHECK(ClipboardText() != "older text", "the older text was not emptied");
  }
  for (const char* name : {"limit.txt", "over.txt"}) {
    bool over = std::strcmp(name, "over.txt") == 0;
    Notepad np;
    OpenNotepad(name, np);
    SendMessageA(np.edit, EM_SETSEL, 0, -1);
    Capture(np);
    if (over) {
      ExpectBox(kTooLarge, IDOK, "too-large", "102401 bytes");
      CHECK_EQ("", CtlText(kIdSource), "source edit after 102401 bytes");
    } else {
      // Read with WM_GETTEXT: GetWindowTextLength does not ask another
      // program's edit for its text.
      CHECK(Until([] { return CtlText(kIdSource).size() == 102400; }),
            "102400 bytes not taken: " + std::to_string(CtlText(kIdSource).size()));
    }
    SendMessageA(Main(), WM_SYSCOMMAND, SC_CLOSE, 0);
  }
}

// One and three delimiters: the cipher's question with the count; No leaves
// both edits as they were.
void ScenarioDelimiters() {
  for (const char* name : {"one-delimiter.txt", "three-delimiters.txt"}) {
    std::string text = Bytes(name);
    size_t count = 0;
    for (char c : text) count += c == '\x7F';
    Notepad np;
    OpenNotepad(name, np);
    SendMessageA(np.edit, EM_SETSEL, 0, -1);
    Capture(np);
    REQUIRE(Until([&] { return CtlText(kIdSource) == text; }), std::string(name) + ": source edit");
    CHECK(!ReadOnly(kIdSource), "encrypt mode for a wrong count");
    TypePasswords(g_password, g_password);
    AwaitBanner();
    std::string result = CtlText(kIdResult);
    Click(Main(), kIdEncode);
    std::string msg = std::string("잘못된 영역을 선택했습니다.\n\n암호화된 영역을 구분하는 문자인, '\x7F'는,\n") +
                      "시작, 끝 위치에, 총 ( 2 ) 개가 있어야 합니다.\n\n현재 선택한 영역에서는 총 ( " +
                      std::to_string(count) + " ) 개가 발견됐습니다.\n\n───────────────────\n '\x7F" +
                      "' 문자를 선택한 영역에서 찾겠습니까?\n───────────────────";
    ExpectBox(msg, IDNO, count == 1 ? "delimiters-1" : nullptr, name);
    CHECK(Until([] { return IsWindowEnabled(Ctl(kIdEncode)) != FALSE; }), "ENCODE enabled again");
    CHECK_EQ(text, CtlText(kIdSource), std::string(name) + ": source after No");
    CHECK_EQ(result, CtlText(kIdResult), std::string(name) + ": result after No");
    SendMessageA(Main(), WM_SYSCOMMAND, SC_CLOSE, 0);
  }
}

// The four refusals of the password check.
void ScenarioPasswords() {
  OpenFromTray();
  const char* const cases[][3] = {
      {"", "", "<암호(Password)>와 <확인(Confirm)>을 입력하십시오."},
      {"", "x", "<암호(Password)>를 입력하십시오."},
      {"x", "", "<확인(Confirm)>을 입력하십시오."},
      {"secret", "secret ", "<암호(Password)>와 <확인(Confirm)>이 일치하지 않습니다."},
  };
  int n = 0;
  for (const auto& c : cases) {
    TypePasswords(c[0], c[1]);
    SetFocus(Ctl(kIdPassword));
    Click(Main(), kIdEncode);
    std::string shot = "password-" + std::to_string(++n);
    ExpectBox(c[2], IDOK, shot.c_str(), std::string("password check ") + c[2]);
    CHECK(Until([] { return FocusOf(Main()) == Ctl(kIdPassword); }), "password edit focused after the message");
  }
  SendMessageA(Main(), WM_SYSCOMMAND, SC_CLOSE, 0);
}

// Always on top: the window stays after PASTE and keeps the password.
void ScenarioTopmost() {
  Texts t;
  Notepad np;
  OpenNotepad("doc.txt", np);
  size_t at = t.doc.find(t.passage);
  SelectBytes(np, at, at + t.passage.size());
  Capture(np);
  Click(Main(), kIdTopmost);
  REQUIRE(Until([] { return (GetWindowLongPtrA(Main(), GWL_EXSTYLE) & WS_EX_TOPMOST) != 0; }), "not topmost");
  Shot(Main(), "topmost-on");
  TypePasswords(g_password, g_password);
  AwaitBanner();
  Click(Main(), kIdEncode);
  REQUIRE(Until([&] { return CtlText(kIdResult) == t.block; }), "result edit");
  AwaitRunEnd();
  Tap(VK_F10);
  CHECK(Until([&] { return Text(np.edit) == Replace(t.doc, t.passage, t.block); }),
        "notepad after the paste: " + Show(Text(np.edit)));
  // Without always on top it would hide and wipe right after the keys.
  CHECK(Stays([] { return Shown(); }, 1500), "window hidden although always on top");
  CHECK_EQ(g_password, CtlText(kIdPassword), "password kept");
  CHECK_EQ(t.block, CtlText(kIdResult), "result kept");
  Click(Main(), kIdTopmost);
  CHECK(Until([] { return (GetWindowLongPtrA(Main(), GWL_EXSTYLE) & WS_EX_TOPMOST) == 0; }), "still topmost");
  SendMessageA(Main(), WM_SYSCOMMAND, SC_CLOSE, 0);
}

// A second start shows the message and the first instance goes on working;
// starting hidden, the tray, closing, exit, and what is stored.
void ScenarioInstance() {
  StopMirelka();
  ClearSettings();
  StartMirelka();
  CHECK(!IsWindowVisible(Main()), "started visible although StartHideWnd is 1 by default");
  Program second;
  REQUIRE(StartProgram(MirelkaCommand(), second), "second start");
  Box box;
  REQUIRE(WaitBox(second.pi.dwProcessId, box, kWait), "no message for the second instance");
  CHECK_EQ("경고", box.caption, "second instance caption");
  CHECK_EQ("Mirelka 프로그램이 이미 실행 중입니다.\n트래이 아이콘을 확인하십시오.", box.text, "second instance text");
  Shot(box.hwnd, "second-instance");
  Answer(box.hwnd, IDOK, kWait);
  CHECK(second.Ended(kWait), "the second instance did not end");
  // The first still captures.
  {
    Texts t;
    Notepad np;
    OpenNotepad("doc.txt", np);
    size_t at = t.doc.find(t.passage);
    SelectBytes(np, at, at + t.passage.size());
    Capture(np);
    CHECK(Until([&] { return CtlText(kIdSource) == t.passage; }), "first instance after the second start");
  }
  // The close box hides and wipes.
  AwaitBanner();
  TypePasswords("pw", "pw");
  SendMessageA(Main(), WM_SYSCOMMAND, SC_CLOSE, 0);
  CHECK(Until([] { return !IsWindowVisible(Main()); }), "close box did not hide");
  for (int id : {kIdPassword, kIdConfirm, kIdSource, kIdResult})
    CHECK_EQ("", CtlText(id), "wiped by the close box: " + std::to_string(id));
  // The tray: a double click opens, the right button shows the menu.
  PostMessageA(Main(), kUmTrayNotify, 0, WM_LBUTTONDBLCLK);
  CHECK(Until([] { return Shown(); }), "tray double click");
  SetCursorPos(900, 700);
  PostMessageA(Main(), kUmTrayNotify, 0, WM_RBUTTONUP);
  HWND menu = nullptr;
  CHECK(Until([&] { return (menu = FindWindowA("#32768", nullptr)) != nullptr && IsWindowVisible(menu); }), "tray menu");
  WaitPainted(menu, 5000);
  Shot(nullptr, "tray-menu");
  Tap(VK_ESCAPE);
  CHECK(Until([] { HWND m = FindWindowA("#32768", nullptr); return !m || !IsWindowVisible(m); }), "Esc left the tray menu");
  // Moved, then ended by the menu: the rectangle and the settings are stored.
  MoveWindow(Main(), 100, 80, 520, 500, TRUE);
  CHECK(Until([] {
    RECT w = {};
    GetWindowRect(Main(), &w);
    return w.left == 100 && w.top == 80 && w.right == 620 && w.bottom == 580;
  }), "the window did not move");
  PostMessageA(Main(), WM_COMMAND, MAKEWPARAM(40034, 0), 0);
  CHECK(g_mirelka.Ended(kWait), "the menu's exit did not end the program");
  std::string pos = std::string(kLastState) + "\\Pos(1024x768)";
  CHECK_EQ("100,80,620,580", Reg(pos.c_str(), "Left") + "," + Reg(pos.c_str(), "Top") + "," +
                                 Reg(pos.c_str(), "Right") + "," + Reg(pos.c_str(), "Bottom"), "stored rectangle");
  CHECK_EQ("1", Reg(kBasic, "WndStartAutoRun"), "stored WndStartAutoRun");
  CHECK_EQ("1", Reg(kEdit, "WordsWrap"), "stored WordsWrap");
  CHECK_EQ("1", Reg(kKey, "ActKey"), "stored ActKey");
  CHECK_EQ("-13", Reg((std::string(kEdit) + "\\Font").c_str(), "lfHeight"), "stored font height");
  std::string run = Reg(kRun, "Mirelka");
  CHECK(run.size() > 11 && run.find("Mirelka.exe") != std::string::npos, "Run entry: " + run);
  // The next start uses them; the Run entry follows the setting.
  SetDword(kBasic, "WndStartAutoRun", 0);
  SetDword(kBasic, "StartHideWnd", 0);
  StartMirelka();
  CHECK(Until([] { return Shown(); }), "StartHideWnd 0: not shown");
  RECT r = {};
  GetWindowRect(Main(), &r);
  CHECK_EQ("100,80,620,580", std::to_string(r.left) + "," + std::to_string(r.top) + "," + std::to_string(r.right) + "," +
                                 std::to_string(r.bottom), "rectangle at the next start");
  CHECK_EQ("(none)", Reg(kRun, "Mirelka"), "Run entry after WndStartAutoRun 0");
  StopMirelka();
  ClearSettings();
}

// Both arrangements, word wrap off and on (texts, selections, read-only
// states and the focus kept), Enter in a large edit.
void ScenarioLayout() {
  StopMirelka();
  ClearSettings();
  StartMirelka();
  OpenFromTray();
  SetItemText(Main(), kIdSource, "첫째 줄 first line\r\n둘째 줄 second line with more words to wrap around the edge of the box");
  SetItemText(Main(), kIdResult, "\x7F결과\x7F");
  SendMessageA(Ctl(kIdSource), EM_SETSEL, 3, 9);
  Click(Main(), kIdVert);
  RECT s, rr;
  auto edits = [&] {
    GetWindowRect(Ctl(kIdSource), &s);
    GetWindowRect(Ctl(kIdResult), &rr);
  };
  CHECK(Until([&] { edits(); return rr.left >= s.right - 2 && rr.top < s.bottom; }), "vertical: result beside the source");
  Shot(Main(), "vertical");
  Click(Main(), kIdHorz);
  CHECK(Until([&] { edits(); return rr.top >= s.bottom - 2; }), "horizontal: result below the source");
  ClickInto(Ctl(kIdSource));
  SendMessageA(Ctl(kIdSource), EM_SETSEL, 3, 9);
  std::string before = CtlText(kIdSource);
  // The menu's word wrap, so the focus stays where it was.
  PostMessageA(Main(), WM_COMMAND, MAKEWPARAM(40052, 0), 0);
  REQUIRE(Until([] { return (GetWindowLongPtrA(Ctl(kIdSource), GWL_STYLE) & WS_HSCROLL) != 0; }), "word wrap off: no scroll bar");
  // The new edits get their texts, then their selections, then the focus.
  DWORD a = 0, b = 0;
  CHECK(Until([&] {
    SendMessageA(Ctl(kIdSource), EM_GETSEL, reinterpret_cast<WPARAM>(&a), reinterpret_cast<LPARAM>(&b));
    return a == 3 && b == 9;
  }), "selection kept: " + std::to_string(a) + "," + std::to_string(b));
  CHECK(Until([] { return FocusOf(Main()) == Ctl(kIdSource); }), "focus kept");
  CHECK_EQ(before, CtlText(kIdSource), "source text kept");
  CHECK_EQ("\x7F결과\x7F", CtlText(kIdResult), "result text kept");
  CHECK(ReadOnly(kIdResult) && !ReadOnly(kIdSource), "read-only states kept");
  Shot(Main(), "wrap-off");
  Click(Main(), kIdWrap);
  // Both edits made again, with their texts (a missing edit has no style).
  CHECK(Until([&] {
    HWND source = Ctl(kIdSource);
    return source && Ctl(kIdResult) && (GetWindowLongPtrA(source, GWL_STYLE) & WS_HSCROLL) == 0 && Text(source) == before &&
           CtlText(kIdResult) == "\x7F결과\x7F";
  }), "word wrap back on");
  // Enter in the large edit is a line break, not ENCODE.
  Foreground(Main());
  ClickInto(Ctl(kIdSource));
  SendMessageA(Ctl(kIdSource), EM_SETSEL, 0, 0);
  Tap(VK_RETURN);
  CHECK(Until([&] { return CtlText(kIdSource) == "\r\n" + before; }), "Enter in the source edit: " + Show(CtlText(kIdSource)));
  Box box;  // ENCODE with no password would say so at once
  CHECK(!WaitBox(g_mirelka.pi.dwProcessId, box, 1500), "Enter in the source edit started ENCODE");
  SendMessageA(Main(), WM_SYSCOMMAND, SC_CLOSE, 0);
}

// The accelerators that clear, move the focus and select. (The menu's check
// marks cannot be read from another process under Wine.)
void ScenarioKeys() {
  OpenFromTray();
  TypePasswords("pw", "pw");
  SetItemText(Main(), kIdSource, "source text");
  SetItemText(Main(), kIdResult, "result text");
  Tap(VK_F8);
  CHECK(Until([] { return FocusOf(Main()) == Ctl(kIdResult); }), "F8: result edit focused");
  Key(VK_CONTROL, false);
  Tap('A');
  Key(VK_CONTROL, true);
  DWORD a = 0, b = 0;
  CHECK(Until([&] {
    SendMessageA(Ctl(kIdResult), EM_GETSEL, reinterpret_cast<WPARAM>(&a), reinterpret_cast<LPARAM>(&b));
    return a == 0 && b == 11;
  }), "Ctrl+A: all of the result edit selected");
  Tap(VK_F7);
  CHECK(Until([] { return FocusOf(Main()) == Ctl(kIdSource); }), "F7: source edit focused");
  Tap(VK_F4);
  CHECK(Until([] { return CtlText(kIdPassword).empty() && CtlText(kIdConfirm).empty(); }), "F4: passwords emptied");
  CHECK(Until([] { return FocusOf(Main()) == Ctl(kIdPassword); }), "F4: password edit focused");
  CHECK_EQ("source text", CtlText(kIdSource), "F4 keeps the source edit");
  Tap(VK_F5);
  CHECK(Until([] { return CtlText(kIdSource).empty() && CtlText(kIdResult).empty(); }), "F5: edits emptied");
  CHECK(!ReadOnly(kIdSource) && ReadOnly(kIdResult), "F5: encrypt mode");
  SendMessageA(Main(), WM_SYSCOMMAND, SC_CLOSE, 0);
}

// Whether Alt stayed down for `ms`, read on a thread of its own that has no
// window: Wine lets go of a held Alt, Ctrl or Shift whenever a thread of it
// takes in a focus change from the X server (it matches them to the X
// keyboard, which never saw a typed key), and a thread with windows takes
// in its pending X events when it reads the key state.
struct AltWatch {
  DWORD ms;
  bool kept = true;
  static DWORD WINAPI Run(LPVOID p) {
    AltWatch& w = *static_cast<AltWatch*>(p);
    Sleep(100);  // a thread's copy of the key state is renewed after 50 ms
    for (DWORD start = GetTickCount(); w.kept && GetTickCount() - start < w.ms; Sleep(20))
      w.kept = GetAsyncKeyState(VK_MENU) < 0;
    return 0;
  }
};

// Presses Alt with Scroll Lock and holds Alt for `ms`, watching that Mirelka
// does not capture meanwhile. A hold that Wine cut short (see AltWatch; a
// focus change just before, which a loaded machine delays into the hold)
// proves nothing and is tried again.
enum class Hold { Kept, Captured, Dropped };
Hold HoldHotKey(HWND app, DWORD ms) {
  for (int attempt = 0;; ++attempt) {
    if (IsWindowVisible(Main())) SendMessageA(Main(), WM_SYSCOMMAND, SC_CLOSE, 0);
    Foreground(app);
    // The application takes in its focus change before the keys go down.
    SendMessageTimeoutA(app, WM_NULL, 0, 0, SMTO_ABORTIFHUNG, kWait, nullptr);
    Key(VK_MENU, false);
    Key(VK_SCROLL, false);
    Key(VK_SCROLL, true);
    AltWatch watch{ms};
    HANDLE thread = CreateThread(nullptr, 0, AltWatch::Run, &watch, 0, nullptr);
    bool captured = !Stays([] { return !Shown(); }, ms);
    if (thread) {
      WaitForSingleObject(thread, INFINITE);
      CloseHandle(thread);
    }
    if (watch.kept || attempt == 2) return watch.kept ? (captured ? Hold::Captured : Hold::Kept) : Hold::Dropped;
    Say("    Wine let go of the held Alt; holding again\n");
    Key(VK_MENU, true);
    Until([] { return Shown(); }, 3000);  // the capture it brings, unless Mirelka gave up already
  }
}

// The hot key's modifier from the registry; held keys; Scroll Lock's state.
void ScenarioActKey() {
  Texts t;
  Notepad np;
  OpenNotepad("doc.txt", np);
  size_t at = t.doc.find(t.passage);
  struct Row { DWORD actKey; BYTE modifier; BYTE other; };
  for (const Row& row : {Row{2, VK_SHIFT, VK_MENU}, Row{3, VK_LWIN, VK_MENU}, Row{1, VK_MENU, VK_SHIFT}}) {
    StopMirelka();
    ClearSettings();
    SetDword(kKey, "ActKey", row.actKey);
    StartMirelka();
    SelectBytes(np, at, at + t.passage.size());
    Foreground(np.main);
    HotKey(row.other);
    CHECK(Stays([] { return !Shown(); }, 1500), "ActKey " + std::to_string(row.actKey) + ": another modifier captured");
    Capture(np, row.modifier);
    CHECK(Until([&] { return CtlText(kIdSource) == t.passage; }), "ActKey " + std::to_string(row.actKey) + ": no capture");
    SendMessageA(Main(), WM_SYSCOMMAND, SC_CLOSE, 0);
  }
  // Held for 2 s: one capture, after the release; Scroll Lock as before.
  SelectBytes(np, at, at + t.passage.size());
  Foreground(np.main);
  bool before = ScrollLockOn(np.main);
  Tap(VK_SCROLL);  // the light is seen to change at all
  CHECK(Until([&] { return ScrollLockOn(np.main) != before; }), "a Scroll Lock tap is not seen");
  before = !before;
  Hold held = HoldHotKey(np.main, 2000);
  CHECK(held == Hold::Kept, held == Hold::Captured ? "captured while the keys were held" : "Wine kept letting go of Alt");
  Key(VK_MENU, true);
  CHECK(Until([] { return Shown(); }), "no capture after the release");
  CHECK(Until([&] { return CtlText(kIdSource) == t.passage; }), "held keys: source edit");
  CHECK(ScrollLockOn(np.main) == before, "Scroll Lock changed its state");
  // Held for more than the 50 polls of 100 ms: nothing; the next press works.
  held = HoldHotKey(np.main, 10000);
  CHECK(held == Hold::Kept, held == Hold::Captured ? "captured while the keys were held long" : "Wine kept letting go of Alt");
  Key(VK_MENU, true);
  CHECK(Stays([] { return !Shown(); }, 2000), "keys held past the polls captured");
  Capture(np);
  CHECK(Until([&] { return CtlText(kIdSource) == t.passage; }), "the press after a dropped one");
  SendMessageA(Main(), WM_SYSCOMMAND, SC_CLOSE, 0);
  StopMirelka();
  ClearSettings();
}

// A common key file from the registry: the same block as mirelka-cli's;
// a missing file's message; Cancel in the wait dialog.
void ScenarioKeyFile() {
  Texts t;
  Notepad np;
  OpenNotepad("doc.txt", np);
  size_t at = t.doc.find(t.passage);
  struct Row { const char* file; int kind; };  // 0 read, 1 missing, 2 cancel
  for (const Row& row : {Row{"key.bin", 0}, Row{"missing.bin", 1}, Row{"big.bin", 2}}) {
    StopMirelka();
    ClearSettings();
    SetString(kKeycomm, "CommKeyFile", Path(row.file));
    StartMirelka();
    SelectBytes(np, at, at + t.passage.size());
    Capture(np);
    REQUIRE(Until([&] { return CtlText(kIdSource) == t.passage; }), "source edit");
    TypePasswords(g_password, g_password);
    AwaitBanner();
    std::string result = CtlText(kIdResult);
    Click(Main(), kIdEncode);
    if (row.kind == 0) {
      std::string want = Bytes("passage-key.enc");
      CHECK(Until([&] { return CtlText(kIdResult) == want; }), "block with the key file: " + Show(CtlText(kIdResult)));
    } else if (row.kind == 1) {
      ExpectBox("공통 키 파일을 찾을 수 없습니다.\n( " + Path(row.file) +
                    " )\n\n메뉴의 <도구> / <환경설정> 의 <공통 키 파일> 탭에서,\n공통 키 파일을 다시 설정하십시오.",
                IDOK, "key-file-missing", "missing key file");
      CHECK_EQ(result, CtlText(kIdResult), "result after the missing file");
    } else {
      HWND wait = nullptr;
      bool seen = WaitUntil([&] {
        for (HWND w : TopWindows(g_mirelka.pi.dwProcessId, "잠시만 기다려 주십시오 ...")) wait = w;
        return wait != nullptr;
      }, kWait, 5);
      CHECK(seen, "the wait dialog did not show");
      if (seen) {
        CHECK(Visible(wait, kIdWaitBar) && Visible(wait, kIdWaitCancel) && Visible(wait, kIdWaitText),
              "wait dialog: the label, bar or Cancel button is not shown");
        // Shown by the reading thread, painted by Mirelka's window thread.
        CHECK(WaitPainted(wait), "the wait dialog was not painted");
        SaveScreenshot(wait, g_art + "\\mirelka-wait-dialog.bmp");
        Click(wait, kIdWaitCancel);
      }
      CHECK(WaitUntil([] { return IsWindowEnabled(Ctl(kIdEncode)) != FALSE; }, 60000), "run did not end");
      CHECK_EQ(result, CtlText(kIdResult), "result edit after Cancel");
      CHECK_EQ(t.passage, CtlText(kIdSource), "source edit after Cancel");
    }
    SendMessageA(Main(), WM_SYSCOMMAND, SC_CLOSE, 0);
  }
  StopMirelka();
  ClearSettings();
}

// --- the dialogs: options sheet, find, about and notice, help

enum {
  kUmFindDelimiter = WM_USER + 6,
  kOptAutoRun = 1003, kOptHidden = 1004, kOptTopmost = 1005, kOptHorz = 1005, kOptVert = 1006, kOptWrap = 1007,
  kOptAlt = 1008, kOptShift = 1009, kOptWin = 1010, kOptFont = 1010, kOptFace = 1014, kOptTab = 1015,
  kOptFile = 1020, kOptKeyPath = 1021, kOptReset = 1025, kOptHelpAdv = 1045, kOptHelpFile = 1046, kOptHelpKey = 1047,
  kFindTextMode = 1026, kFindText = 1027, kFindDelimMode = 1028, kFindNext = 1029, kFindCancel = 1030,
  kFindCase = 1031, kFindUp = 1032, kFindDown = 1033, kFindDelimiter = 1034,
};
const char kFont[] = "Software\\Pelmora\\Mirelka\\Conf\\Edit\\Font";

// A message box of Mirelka: not the find dialog or the about box, which
// also hold unnamed labels.
bool WaitMessageBox(Box& box, DWORD timeoutMs = kWait) {
  box = Box();
  return Until([&] {
    for (HWND w : TopWindows(g_mirelka.pi.dwProcessId, nullptr)) {
      HWND text = GetDlgItem(w, 0xFFFF);
      if (!text || GetDlgItem(w, kFindNext) || GetDlgItem(w, 302)) continue;
      box = {w, Text(w), Text(text)};
      return true;
    }
    return false;
  }, timeoutMs);
}

HWND OpenSheet(int command = 40036) {
  PostMessageA(Main(), WM_COMMAND, MAKEWPARAM(command, 0), 0);
  HWND sheet = nullptr;
  REQUIRE(Until([&] {
    std::vector<HWND> w = TopWindows(g_mirelka.pi.dwProcessId, "환경 설정");
    sheet = w.empty() ? nullptr : w[0];
    return sheet != nullptr;
  }), "the options sheet did not open");
  return sheet;
}

HWND SheetPage(HWND sheet, int index) {
  SendMessageA(sheet, PSM_SETCURSEL, index, 0);
  HWND page = nullptr;
  Until([&] {
    page = reinterpret_cast<HWND>(SendMessageA(sheet, PSM_GETCURRENTPAGEHWND, 0, 0));
    return page != nullptr && IsWindowVisible(page);
  }, kWait);
  return page;
}

// A check box or radio button of a page pressed, once the press has taken
// effect: the clicks are posted, and a page reads its controls when it is
// left, which a message sent to the sheet would do before a posted click.
void Press(HWND page, int id, bool radio = false) {
  bool before = Checked(page, id);
  Click(page, id);
  CHECK(Until([&] { return radio ? Checked(page, id) : Checked(page, id) != before; }),
        "the click on " + std::to_string(id) + " did not take");
}

void CloseSheet(HWND sheet, int button) {
  Click(sheet, button);
  CHECK(Until([&] { return !IsWindow(sheet); }), "the options sheet did not close");
}

// A dialog of Mirelka other than the ones given, e.g. a common dialog.
HWND OtherDialog(std::initializer_list<HWND> known) {
  HWND found = nullptr;
  Until([&] {
    for (HWND w : TopWindows(g_mirelka.pi.dwProcessId, nullptr))
      if (std::find(known.begin(), known.end(), w) == known.end()) found = w;
    return found != nullptr;
  });
  return found;
}

bool Topmost() { return (GetWindowLongPtrA(Main(), GWL_EXSTYLE) & WS_EX_TOPMOST) != 0; }
bool SideBySide() {
  RECT s, r;
  GetWindowRect(Ctl(kIdSource), &s);
  GetWindowRect(Ctl(kIdResult), &r);
  return r.left >= s.right - 2;
}
int CharX(int id, int index) {
  LRESULT p = SendMessageA(Ctl(id), EM_POSFROMCHAR, index, 0);
  return static_cast<short>(LOWORD(p));
}

// Every value under Conf, for "only what changed was stored".
std::string ConfValues() {
  std::string out;
  struct V { const char* key; const char* name; };
  const V values[] = {{kBasic, "WndStartAutoRun"}, {kBasic, "StartHideWnd"}, {kBasic, "AlwaysOnTop"},
                      {kEdit, "WordsWrap"}, {kEdit, "WndH"}, {kEdit, "TabStop"}, {kFont, "lfHeight"},
                      {kFont, "lfFaceName"}, {kKey, "ActKey"}, {kKeycomm, "CommKeyFile"}};
  for (const V& v : values) {
    std::string r = Reg(v.key, v.name);
    if (r != "(none)") out += std::string(v.name) + "=" + r + " ";
  }
  return out;
}

// Cancel changes nothing; OK on the basic page stores and applies just
// what changed there; opened from the tray, the sheet sits in the middle of
// the screen.
std::string SheetRect(HWND sheet) {
  RECT r, w;
  GetWindowRect(sheet, &r);
  SystemParametersInfoA(SPI_GETWORKAREA, 0, &w, 0);
  char buf[200];
  std::snprintf(buf, sizeof buf, "%ld %ld %ld %ld work %ld %ld %ld %ld", r.left, r.top, r.right, r.bottom, w.left, w.top, w.right, w.bottom);
  return buf;
}

void ScenarioOptionsBasic() {
  StopMirelka();
  ClearSettings();
  StartMirelka();  // hidden in the tray (StartHideWnd 1)
  CHECK(Reg(kRun, "Mirelka").find("Mirelka.exe") != std::string::npos, "Run entry written at start");
  HWND sheet = OpenSheet(40099);
  // In the middle of the screen, or of its work area (Wine reports the
  // whole screen as the work area for a moment after a window appears).
  int dx = 0, dy = 0;
  CHECK(Until([&] {
    RECT rc, work = {0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
    GetWindowRect(sheet, &rc);
    for (int i = 0; i < 2; ++i) {
      if (i == 1) SystemParametersInfoA(SPI_GETWORKAREA, 0, &work, 0);
      dx = (rc.left + rc.right) / 2 - (work.left + work.right) / 2;
      dy = (rc.top + rc.bottom) / 2 - (work.top + work.bottom) / 2;
      if (std::abs(dx) <= 2 && std::abs(dy) <= 2) return true;
    }
    return false;
  }), "sheet not centred on the screen: " + std::to_string(dx) + "," + std::to_string(dy) + " " + SheetRect(sheet));
  const char* names[] = {"options-basic", "options-edit", "options-hotkey", "options-advanced"};
  for (int i = 0; i < 4; ++i) {
    HWND page = SheetPage(sheet, i);
    REQUIRE(page, "page " + std::to_string(i));
    Shot(sheet, names[i]);
  }
  HWND apply = GetDlgItem(sheet, 0x3021);  // the sheet's Apply button
  CHECK(!apply || !IsWindowVisible(apply), "an Apply button");
  // Everything changed, then Cancel.
  HWND page = SheetPage(sheet, 0);
  CHECK(Checked(page, kOptAutoRun) && Checked(page, kOptHidden) && !Checked(page, kOptTopmost), "basic page shows the defaults");
  Press(page, kOptAutoRun);
  Press(page, kOptTopmost);
  page = SheetPage(sheet, 1);
  Press(page, kOptVert, true);
  Press(page, kOptWrap);
  SetItemText(page, kOptTab, "8");
  page = SheetPage(sheet, 2);
  Press(page, kOptShift, true);
  CloseSheet(sheet, IDCANCEL);
  CHECK_EQ("", ConfValues(), "stored after Cancel");
  CHECK(Reg(kRun, "Mirelka") != "(none)", "Run entry removed by Cancel");
  CHECK(!Topmost(), "topmost after Cancel");
  // OK on the basic page.
  sheet = OpenSheet(40099);
  page = SheetPage(sheet, 0);
  CHECK(Checked(page, kOptAutoRun) && !Checked(page, kOptTopmost), "the page shows the settings again after Cancel");
  Press(page, kOptAutoRun);
  Press(page, kOptHidden);
  Press(page, kOptTopmost);
  CloseSheet(sheet, IDOK);
  CHECK_EQ("WndStartAutoRun=0 StartHideWnd=0 AlwaysOnTop=1 ", ConfValues(), "stored after OK");
  CHECK_EQ("(none)", Reg(kRun, "Mirelka"), "Run entry after auto-run was cleared");
  CHECK(Topmost(), "not topmost after OK");
  // Back on: the Run entry names this program.
  sheet = OpenSheet(40099);
  page = SheetPage(sheet, 0);
  Press(page, kOptAutoRun);
  CloseSheet(sheet, IDOK);
  std::string run = Reg(kRun, "Mirelka");
  CHECK(run.find(g_app) != std::string::npos && run.find("Mirelka.exe") != std::string::npos, "Run entry: " + run);
  StopMirelka();
  ClearSettings();
}

// The edit page: arrangement, word wrap, tab width and the font dialog.
void ScenarioOptionsEdit() {
  StopMirelka();
  ClearSettings();
  StartMirelka();
  OpenFromTray();
  SetItemText(Main(), kIdSource, "\tX abcdefgh");
  int tabX = CharX(kIdSource, 1), charX = CharX(kIdSource, 10) - CharX(kIdSource, 3);
  CHECK(!SideBySide() && (GetWindowLongPtrA(Ctl(kIdSource), GWL_STYLE) & WS_HSCROLL) == 0, "start: horizontal, wrapped");
  HWND sheet = OpenSheet();
  HWND page = SheetPage(sheet, 1);
  CHECK(Checked(page, kOptHorz) && Checked(page, kOptWrap), "edit page shows the defaults");
  CHECK_EQ("4", ItemText(page, kOptTab), "tab width shown");
  CHECK_EQ("바탕", ItemText(page, kOptFace), "face shown");
  Press(page, kOptVert, true);
  Press(page, kOptWrap);
  SetItemText(page, kOptTab, "8");
  CloseSheet(sheet, IDOK);
  CHECK_EQ("WordsWrap=0 WndH=0 TabStop=8 ", ConfValues(), "stored after OK");
  CHECK(SideBySide(), "not side by side after OK");
  CHECK((GetWindowLongPtrA(Ctl(kIdSource), GWL_STYLE) & WS_HSCROLL) != 0, "word wrap still on");
  int tabX8 = CharX(kIdSource, 1);
  CHECK(tabX8 > tabX + tabX / 2, "tab stops: " + std::to_string(tabX) + " then " + std::to_string(tabX8));
  // The font dialog: 20 points.
  sheet = OpenSheet();
  page = SheetPage(sheet, 1);
  Click(page, kOptFont);
  HWND font = OtherDialog({sheet});
  REQUIRE(font, "the font dialog did not open");
  Shot(font, "font-dialog");
  HWND size = GetDlgItem(font, 0x472);  // the size box
  LRESULT at = SendMessageA(size, CB_FINDSTRINGEXACT, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>("20"));
  CHECK(at != CB_ERR, "no size 20 offered");
  CHECK(SendMessageA(size, CB_FINDSTRINGEXACT, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>("22")) == CB_ERR &&
            SendMessageA(size, CB_FINDSTRINGEXACT, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>("5")) == CB_ERR,
        "sizes outside 6 to 20 offered");
  SendMessageA(size, CB_SETCURSEL, at, 0);
  SendMessageA(font, WM_COMMAND, MAKEWPARAM(0x472, CBN_SELCHANGE), reinterpret_cast<LPARAM>(size));
  Click(font, IDOK);
  CHECK(Until([&] { return !IsWindow(font); }), "the font dialog did not close");
  CloseSheet(sheet, IDOK);
  std::string height = Reg(kFont, "lfHeight");
  CHECK(height != "(none)" && std::atoi(height.c_str()) < -20, "lfHeight after 20 points: " + height);
  CHECK(Reg(kFont, "lfFaceName") != "(none)", "face name stored with the font");
  int charX20 = CharX(kIdSource, 10) - CharX(kIdSource, 3);
  CHECK(charX20 > charX, "the edit font did not grow: " + std::to_string(charX) + " then " + std::to_string(charX20));
  Shot(Main(), "options-applied");
  // Cancel in the font dialog keeps the page's font.
  sheet = OpenSheet();
  page = SheetPage(sheet, 1);
  std::string face = ItemText(page, kOptFace);
  Click(page, kOptFont);
  font = OtherDialog({sheet});
  REQUIRE(font, "the font dialog did not open again");
  Click(font, IDCANCEL);
  CHECK(Until([&] { return !IsWindow(font); }), "the font dialog did not close on Cancel");
  CHECK_EQ(face, ItemText(page, kOptFace), "face after Cancel in the font dialog");
  CloseSheet(sheet, IDCANCEL);
  SendMessageA(Main(), WM_SYSCOMMAND, SC_CLOSE, 0);
  StopMirelka();
  ClearSettings();
}

// The hot key page: only the hot key changes and it is registered at once.
void ScenarioOptionsHotKey() {
  StopMirelka();
  ClearSettings();
  StartMirelka();
  HWND sheet = OpenSheet(40099);
  HWND page = SheetPage(sheet, 2);
  CHECK(Checked(page, kOptAlt) && !Checked(page, kOptShift) && !Checked(page, kOptWin), "hot key page shows Alt");
  Press(page, kOptShift, true);
  CloseSheet(sheet, IDOK);
  CHECK_EQ("ActKey=2 ", ConfValues(), "stored after OK");
  Texts t;
  Notepad np;
  OpenNotepad("doc.txt", np);
  size_t at = t.doc.find(t.passage);
  SelectBytes(np, at, at + t.passage.size());
  Foreground(np.main);
  HotKey(VK_MENU);
  CHECK(Stays([] { return !Shown(); }, 1500), "the old hot key still captures");
  Capture(np, VK_SHIFT);
  CHECK(Until([&] { return CtlText(kIdSource) == t.passage; }), "the new hot key does not capture");
  SendMessageA(Main(), WM_SYSCOMMAND, SC_CLOSE, 0);
  StopMirelka();
  ClearSettings();
}

// One ENCODE of the passage; the block it gives once it is `want` or the
// run has ended.
std::string EncodePassage(Notepad& np, const std::string& want) {
  Texts t;
  size_t at = t.doc.find(t.passage);
  SelectBytes(np, at, at + t.passage.size());
  Capture(np);
  REQUIRE(Until([&] { return CtlText(kIdSource) == t.passage; }), "source edit");
  TypePasswords(g_password, g_password);
  AwaitBanner();
  Click(Main(), kIdEncode);
  std::string block;
  Until([&] { return (block = CtlText(kIdResult)) == want; });
  SendMessageA(Main(), WM_SYSCOMMAND, SC_CLOSE, 0);
  return block;
}

// The advanced page: the common key file chosen in the open-file dialog is
// used by the next run; "초기화" and OK go back to the password alone.
void ScenarioOptionsKeyFile() {
  StopMirelka();
  ClearSettings();
  StartMirelka();
  HWND sheet = OpenSheet(40099);
  HWND page = SheetPage(sheet, 3);
  CHECK_EQ("", ItemText(page, kOptKeyPath), "no key file shown");
  Click(page, kOptFile);
  HWND open = OtherDialog({sheet});
  REQUIRE(open, "the open-file dialog did not open");
  Shot(open, "open-file-dialog");
  HWND name = FocusOf(open);
  REQUIRE(name, "nothing focused in the open-file dialog");
  SendMessageA(name, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(Path("key.bin").c_str()));
  Click(open, IDOK);
  CHECK(Until([&] { return !IsWindow(open) || !IsWindowVisible(open); }), "the open-file dialog did not close");
  CHECK(Until([&] { return ItemText(page, kOptKeyPath) == Path("key.bin"); }),
        "path shown: " + ItemText(page, kOptKeyPath));
  Shot(sheet, "options-advanced-file");
  CloseSheet(sheet, IDOK);
  CHECK_EQ("CommKeyFile=" + Path("key.bin") + " ", ConfValues(), "stored after OK");
  {
    Notepad np;
    OpenNotepad("doc.txt", np);
    CHECK_EQ(Bytes("passage-key.enc"), EncodePassage(np, Bytes("passage-key.enc")), "block with the chosen key file");
  }
  sheet = OpenSheet(40099);
  page = SheetPage(sheet, 3);
  CHECK_EQ(Path("key.bin"), ItemText(page, kOptKeyPath), "key file shown");
  Click(page, kOptReset);
  CHECK(Until([&] { return ItemText(page, kOptKeyPath).empty(); }), "초기화 left the path");
  CloseSheet(sheet, IDOK);
  CHECK_EQ("", Reg(kKeycomm, "CommKeyFile"), "CommKeyFile after 초기화");
  {
    Notepad np;
    OpenNotepad("doc.txt", np);
    CHECK_EQ(Bytes("passage.enc"), EncodePassage(np, Bytes("passage.enc")), "block with the password alone");
  }
  StopMirelka();
  ClearSettings();
}

// The selection of an edit as bytes of its text (Wine's edits count
// characters).
std::string SelectedBytes(int id) {
  std::string text = CtlText(id);
  DWORD a = 0, b = 0;
  SendMessageA(Ctl(id), EM_GETSEL, reinterpret_cast<WPARAM>(&a), reinterpret_cast<LPARAM>(&b));
  int wn = MultiByteToWideChar(949, 0, text.data(), static_cast<int>(text.size()), nullptr, 0);
  std::wstring w(wn, L'\0');
  MultiByteToWideChar(949, 0, text.data(), static_cast<int>(text.size()), &w[0], wn);
  if (b > w.size() || a > b) return "(bad selection)";
  std::wstring sel = w.substr(a, b - a);
  int n = WideCharToMultiByte(949, 0, sel.data(), static_cast<int>(sel.size()), nullptr, 0, nullptr, nullptr);
  std::string out(n, '\0');
  WideCharToMultiByte(949, 0, sel.data(), static_cast<int>(sel.size()), &out[0], n, nullptr, nullptr);
  return out;
}
std::pair<DWORD, DWORD> Sel(int id) {
  DWORD a = 0, b = 0;
  SendMessageA(Ctl(id), EM_GETSEL, reinterpret_cast<WPARAM>(&a), reinterpret_cast<LPARAM>(&b));
  return {a, b};
}
std::string SelText(int id) {
  auto s = Sel(id);
  return std::to_string(s.first) + "," + std::to_string(s.second);
}

HWND FindDialog() {
  std::vector<HWND> w = TopWindows(g_mirelka.pi.dwProcessId, "찾기");
  return w.empty() ? nullptr : w[0];
}
HWND OpenFind() {
  Foreground(Main());
  Key(VK_CONTROL, false);
  Tap('F');
  Key(VK_CONTROL, true);
  HWND find = nullptr;
  REQUIRE(Until([&] { return (find = FindDialog()) != nullptr; }), "Ctrl+F opened no find dialog");
  return find;
}
void ShiftF3() {
  Key(VK_SHIFT, false);
  Tap(VK_F3);
  Key(VK_SHIFT, true);
}
void CtrlF3() {
  Key(VK_CONTROL, false);
  Tap(VK_F3);
  Key(VK_CONTROL, true);
}

std::string NotFound(bool source, const std::string& pattern, int hint) {  // hint 1 up, 2 down, 0 none
  std::string m = std::string(source ? "<원본>" : "<결과>") + " 편집 창에서 \"" + pattern +
                  "\" 을(를) 찾을 수 없습니다.\n\n──────────────────────────────\n\n";
  if (hint == 1) m += "<위쪽>으로 검색해 보십시오. (단축키는 [Shift]+[F3] 입니다.)\n\n\n";
  if (hint == 2) m += "<아래쪽>으로 검색해 보십시오. (단축키는 [F3] 입니다.)\n\n\n";
  m += source ? "<결과> 편집 창에서 검색하려면,\n<결과> 창을 마우스로 클릭하고, 다시 시도하십시오."
              : "<원본> 편집 창에서 검색하려면,\n<원본> 창을 마우스로 클릭하고, 다시 시도하십시오.";
  return m;
}

// Expects the not-found box with its owner and answers it.
void ExpectNotFound(const std::string& text, HWND owner, const char* shot, const std::string& what) {
  Box box;
  REQUIRE(WaitMessageBox(box), what + ": no message box");
  CHECK_EQ("경고", box.caption, what + ": caption");
  CHECK_EQ(text, box.text, what + ": text");
  CHECK(GetWindow(box.hwnd, GW_OWNER) == owner, what + ": owner");
  if (shot) Shot(box.hwnd, shot);
  CHECK(Answer(box.hwnd, IDOK, kWait), what + ": the box did not close");
}

// The find dialog and F3, Shift+F3, Ctrl+F3 in both edits.
void ScenarioFind() {
  StopMirelka();
  ClearSettings();
  StartMirelka();
  OpenFromTray();
  // Hangul before the words: positions in bytes and characters differ.
  const std::string text = "한글 Alpha beta ALPHA gamma alpha 끝";
  SetItemText(Main(), kIdSource, text);
  ClickInto(Ctl(kIdSource));
  SendMessageA(Ctl(kIdSource), EM_SETSEL, 0, 0);
  HWND find = OpenFind();
  Shot(find, "find");
  CHECK(Checked(find, kFindTextMode) && Checked(find, kFindDown) && !Checked(find, kFindCase), "find dialog defaults");
  CHECK_EQ("\x7F", ItemText(find, kFindDelimiter), "delimiter shown");
  SetItemText(find, kFindText, "alpha");
  Click(find, kFindNext);
  CHECK(Until([] { return FindDialog() == nullptr; }), "success did not close the dialog");
  CHECK_EQ("Alpha", SelectedBytes(kIdSource), "first match ignoring case");
  CHECK(Until([] { return FocusOf(Main()) == Ctl(kIdSource); }), "source edit focused");
  Tap(VK_F3);
  CHECK(Until([] { return SelText(kIdSource) == "14,19"; }), "F3: " + SelText(kIdSource));
  Tap(VK_F3);
  CHECK(Until([] { return SelText(kIdSource) == "26,31"; }), "F3 again: " + SelText(kIdSource));
  Tap(VK_F3);
  ExpectNotFound(NotFound(true, "alpha", 1), Main(), "find-not-found", "F3 past the last");
  CHECK(Until([] { return SelText(kIdSource) == "26,31"; }), "selection kept: " + SelText(kIdSource));
  ShiftF3();
  CHECK(Until([] { return SelText(kIdSource) == "14,19"; }), "Shift+F3: " + SelText(kIdSource));
  CtrlF3();
  CHECK(Until([] { return SelText(kIdSource) == "3,8"; }), "Ctrl+F3: " + SelText(kIdSource));
  ShiftF3();
  ExpectNotFound(NotFound(true, "alpha", 2), Main(), nullptr, "Shift+F3 before the first");
  // With case: the capitals are passed over; a failure keeps the dialog,
  // owns the box, and Cancel restores the selection of the search's start.
  SendMessageA(Ctl(kIdSource), EM_SETSEL, 0, 0);
  find = OpenFind();
  CHECK(Checked(find, kFindUp) && !Checked(find, kFindDown), "Shift+F3 left the direction upward");
  SetItemText(find, kFindText, "ALPHA");
  Click(find, kFindCase);
  Click(find, kFindDown);
  Click(find, kFindNext);
  CHECK(Until([] { return FindDialog() == nullptr && SelText(kIdSource) == "14,19"; }),
        "with case: " + SelText(kIdSource));
  SendMessageA(Ctl(kIdSource), EM_SETSEL, 2, 2);
  find = OpenFind();
  CHECK(Checked(find, kFindCase), "case flag kept");
  SetItemText(find, kFindText, "BETA");
  Click(find, kFindNext);
  ExpectNotFound(NotFound(true, "BETA", 1), find, nullptr, "with case, beta in capitals");
  CHECK(IsWindow(find) && IsWindowVisible(find), "failure closed the dialog");
  Click(find, kFindCase);
  Click(find, kFindUp);
  SendMessageA(Ctl(kIdSource), EM_SETSEL, 0, 0);
  Click(find, kFindNext);
  ExpectNotFound(NotFound(true, "BETA", 2), find, "find-up-not-found", "upward at the start");
  SendMessageA(Ctl(kIdSource), EM_SETSEL, 5, 9);
  Click(find, kFindCancel);
  CHECK(Until([] { return FindDialog() == nullptr; }), "Cancel did not close the dialog");
  CHECK(Until([] { return SelText(kIdSource) == "0,0"; }), "Cancel: selection " + SelText(kIdSource));
  // A selection of 2000 bytes fills the first 1024 and selects text mode.
  SetItemText(Main(), kIdSource, std::string(2000, 'q'));
  SendMessageA(Ctl(kIdSource), EM_SETSEL, 0, -1);
  find = OpenFind();
  CHECK_EQ(std::string(1024, 'q'), ItemText(find, kFindText), "find text from 2000 bytes");
  CHECK(Checked(find, kFindTextMode) && Checked(find, kFindUp), "text mode, direction kept");
  Tap(VK_ESCAPE);
  CHECK(Until([] { return FindDialog() == nullptr; }), "Esc did not close the dialog");
  // The result edit, and an empty one: no direction hint, the dialog owns it.
  SetItemText(Main(), kIdResult, "only words");
  Tap(VK_F8);
  CHECK(Until([] { return FocusOf(Main()) == Ctl(kIdResult); }), "F8");
  SendMessageA(Ctl(kIdResult), EM_SETSEL, 0, 0);
  find = OpenFind();
  SetItemText(find, kFindText, "WORDS");
  Click(find, kFindDown);
  Click(find, kFindNext);
  CHECK(Until([] { return FindDialog() == nullptr && SelectedBytes(kIdResult) == "words"; }),
        "result edit: " + SelText(kIdResult));
  SetItemText(Main(), kIdResult, "");
  find = OpenFind();
  Click(find, kFindNext);
  ExpectNotFound(NotFound(false, "WORDS", 0), find, nullptr, "empty edit");
  Click(find, kFindCancel);
  SendMessageA(Main(), WM_SYSCOMMAND, SC_CLOSE, 0);
}

// The wrong-delimiter question answered Yes: the find dialog in delimiter
// mode; F3 selects the delimiters one after the other.
void ScenarioFindDelimiter() {
  StopMirelka();
  ClearSettings();
  StartMirelka();
  std::string text = Bytes("three-delimiters.txt");
  Notepad np;
  OpenNotepad("three-delimiters.txt", np);
  SendMessageA(np.edit, EM_SETSEL, 0, -1);
  Capture(np);
  REQUIRE(Until([&] { return CtlText(kIdSource) == text; }), "source edit");
  TypePasswords(g_password, g_password);
  AwaitBanner();
  Tap(VK_F8);  // the last focus in the result edit: the delimiters are still looked for in the source
  Click(Main(), kIdEncode);
  Box box;
  REQUIRE(WaitMessageBox(box), "no question");
  CHECK(box.text.find("찾겠습니까?") != std::string::npos, "question: " + Show(box.text));
  Answer(box.hwnd, IDYES, kWait);
  HWND find = nullptr;
  REQUIRE(Until([&] { return (find = FindDialog()) != nullptr; }), "Yes opened no find dialog");
  CHECK(Until([&] { return Checked(find, kFindDelimMode) && !Checked(find, kFindTextMode); }), "delimiter mode");
  CHECK((GetWindowLongPtrA(GetDlgItem(find, kFindText), GWL_STYLE) & ES_READONLY) != 0, "find text read-only");
  CHECK(Until([&] { return FocusOf(find) == GetDlgItem(find, kFindDelimiter); }), "delimiter edit focused");
  Shot(find, "find-delimiter");
  Foreground(find);
  Tap(VK_F3);
  CHECK(Until([] { return SelText(kIdSource) == "0,1"; }), "F3: first delimiter " + SelText(kIdSource));
  Tap(VK_F3);
  CHECK(Until([] { return SelText(kIdSource) == "2,3"; }), "F3: second delimiter " + SelText(kIdSource));
  find = FindDialog();
  if (find) {
    Click(find, kFindNext);
    CHECK(Until([] { return FindDialog() == nullptr && SelText(kIdSource) == "7,8"; }),
          "dialog: third delimiter " + SelText(kIdSource));
  }
  SendMessageA(Main(), WM_SYSCOMMAND, SC_CLOSE, 0);
}

// The addresses the stand-in browser was given, one a line, in quotes.
std::string BrowserCalls() { return Bytes("browser\\browser-calls.txt"); }
bool BrowserGot(const std::string& url, size_t times) {
  std::string calls = BrowserCalls(), quoted = "\"" + url + "\"";
  size_t n = 0;
  for (size_t at = calls.find(quoted); at != std::string::npos; at = calls.find(quoted, at + 1)) ++n;
  return n == times;
}

HWND AboutBox() {
  for (HWND w : TopWindows(g_mirelka.pi.dwProcessId, nullptr))
    if (GetDlgItem(w, 290)) return w;
  return nullptr;
}

// The about box: the addresses, closing on Esc and on a click; the LOGO
// and the home page command open the home page; the notice box.
void ScenarioAbout() {
  DeleteFileA(Path("browser\\browser-calls.txt").c_str());
  OpenFromTray();
  for (int way = 0; way < 2; ++way) {
    PostMessageA(Main(), WM_COMMAND, MAKEWPARAM(40045, 0), 0);
    HWND about = nullptr;
    REQUIRE(Until([&] { return (about = AboutBox()) != nullptr; }), "no about box");
    CHECK_EQ("http://127.0.0.1:9/\r\nsupport@pelmora.co.kr", ItemText(about, 302), "addresses");
    CHECK((GetWindowLongPtrA(about, GWL_STYLE) & (WS_CAPTION | WS_THICKFRAME)) == 0, "the about box has a border or caption");
    if (way == 0) {
      Shot(about, "about");
      Foreground(about);
      Tap(VK_ESCAPE);
    } else {
      RECT rc;
      GetClientRect(about, &rc);
      PostMessageA(about, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(rc.right - 6, rc.bottom - 6));
      PostMessageA(about, WM_LBUTTONUP, 0, MAKELPARAM(rc.right - 6, rc.bottom - 6));
    }
    CHECK(Until([&] { return !IsWindow(about); }), way == 0 ? "Esc left the about box" : "a click left the about box");
  }
  const std::string home = "http://127.0.0.1:9/";
  PostMessageA(Main(), WM_COMMAND, MAKEWPARAM(40045, 0), 0);
  HWND about = nullptr;
  REQUIRE(Until([&] { return (about = AboutBox()) != nullptr; }), "no about box for the LOGO");
  Click(about, 290);
  CHECK(Until([&] { return BrowserGot(home, 1); }), "LOGO: browser calls " + Show(BrowserCalls()));
  PostMessageA(about, WM_COMMAND, MAKEWPARAM(IDCANCEL, 0), 0);
  CHECK(Until([&] { return !IsWindow(about); }), "the about box stayed");
  PostMessageA(Main(), WM_COMMAND, MAKEWPARAM(40046, 0), 0);
  CHECK(Until([&] { return BrowserGot(home, 2); }), "home page: browser calls " + Show(BrowserCalls()));
  PostMessageA(Main(), WM_COMMAND, MAKEWPARAM(40104, 0), 0);
  Box box;
  REQUIRE(WaitMessageBox(box), "no notice box");
  CHECK_EQ("정보", box.caption, "notice caption");
  CHECK(box.text.compare(0, 17, "Mirelka 특허 안내") == 0, "notice text: " + Show(box.text));
  Shot(box.hwnd, "notice");
  Answer(box.hwnd, IDOK, kWait);
  CHECK(!g_mirelka.Ended(300) && Shown(), "Mirelka ended");
  SendMessageA(Main(), WM_SYSCOMMAND, SC_CLOSE, 0);
}

// Each help command starts hh.exe with its page (a stand-in hh.exe beside
// Mirelka.exe records its command line); one that cannot start shows the box.
void ScenarioHelp() {
  char self[MAX_PATH] = {};
  GetModuleFileNameA(nullptr, self, MAX_PATH);
  std::string standIn = self;
  standIn = standIn.substr(0, standIn.rfind('\\') + 1) + "mirelka_e2e_standin.exe";
  std::string hh = g_app + "\\hh.exe", calls = g_app + "\\browser-calls.txt";
  REQUIRE(CopyFileA(standIn.c_str(), hh.c_str(), FALSE), "stand-in hh.exe not copied");
  DeleteFileA(calls.c_str());
  StopMirelka();
  ClearSettings();
  StartMirelka();
  OpenFromTray();
  std::string prefix = "hh.exe " + g_app + "\\Mirelka.chm::/";
  std::vector<std::string> want;
  auto expectCall = [&](const std::string& page, const std::string& what) {
    want.push_back(prefix + page);
    std::string all;
    CHECK(Until([&] {
      FILE* f = std::fopen(calls.c_str(), "rb");
      all.clear();
      if (f) {
        char buf[4096];
        size_t n;
        while ((n = std::fread(buf, 1, sizeof buf, f)) > 0) all.append(buf, n);
        std::fclose(f);
      }
      std::string w;
      for (const std::string& s : want) w += s + "\n";
      return all == w;
    }), what + ": " + Show(all));
  };
  PostMessageA(Main(), WM_COMMAND, MAKEWPARAM(40044, 0), 0);
  expectCall("main.htm", "도움말");
  PostMessageA(Main(), WM_COMMAND, MAKEWPARAM(40103, 0), 0);
  expectCall("SimpleUsage/page00.htm", "간단 사용법");
  HWND sheet = OpenSheet();
  Click(SheetPage(sheet, 2), kOptHelpKey);
  expectCall("DetailUsage/Menu/page04.htm#P_ACTKEY", "단축키 도움말");
  HWND page = SheetPage(sheet, 3);
  Click(page, kOptHelpAdv);
  expectCall("Notice/page06.htm", "도움말1");
  Click(page, kOptHelpFile);
  expectCall("DetailUsage/Menu/page04.htm#P_COMMKEYFILE", "도움말2");
  CloseSheet(sheet, IDCANCEL);
  // A help viewer that cannot be started.
  FILE* bad = std::fopen(hh.c_str(), "wb");
  if (bad) {
    std::fputs("not a program", bad);
    std::fclose(bad);
  }
  PostMessageA(Main(), WM_COMMAND, MAKEWPARAM(40044, 0), 0);
  Box box;
  REQUIRE(WaitMessageBox(box), "no box for a help viewer that cannot start");
  CHECK_EQ("경고", box.caption, "help failure caption");
  CHECK_EQ("도움말 파일 ( Mirelka.chm ) 이 손상, 또는 삭제됐습니다.\n\n도움말 파일을 다시 다운 받겠습니까?\n\n"
           "[확인]을 클릭하면, 다운로드 사이트로 이동합니다.", box.text, "help failure text");
  Shot(box.hwnd, "help-failure");
  Answer(box.hwnd, IDCANCEL, kWait);
  // OK goes to the download page.
  DeleteFileA(Path("browser\\browser-calls.txt").c_str());
  PostMessageA(Main(), WM_COMMAND, MAKEWPARAM(40103, 0), 0);
  REQUIRE(WaitMessageBox(box), "no box for the second help command");
  Answer(box.hwnd, IDOK, kWait);
  CHECK(Until([&] { return BrowserGot("http://127.0.0.1:9/download", 1); }),
        "download page: browser calls " + Show(BrowserCalls()));
  DeleteFileA(hh.c_str());
  DeleteFileA(calls.c_str());
  SendMessageA(Main(), WM_SYSCOMMAND, SC_CLOSE, 0);
  StopMirelka();
}


// --- figures for scripts/bench (no assertions on time)

double Now() {
  static LARGE_INTEGER freq = [] { LARGE_INTEGER f; QueryPerformanceFrequency(&f); return f; }();
  LARGE_INTEGER t;
  QueryPerformanceCounter(&t);
  return static_cast<double>(t.QuadPart) / static_cast<double>(freq.QuadPart);
}

LRESULT TextLength(HWND hwnd) {
  DWORD_PTR r = 0;
  SendMessageTimeoutA(hwnd, WM_GETTEXTLENGTH, 0, 0, SMTO_ABORTIFHUNG, 5000, &r);
  return static_cast<LRESULT>(r);
}

double Median(std::vector<double> v) {
  std::sort(v.begin(), v.end());
  return v.empty() ? -1 : v[v.size() / 2];
}

void Bench() {
  const int kRuns = 5;
  StopMirelka();
  ClearSettings();
  StartMirelka();
  Texts t;
  std::vector<double> shown, encode, cycle;
  {
    Notepad np;
    OpenNotepad("doc.txt", np);
    size_t at = t.doc.find(t.passage);
    for (int i = 0; i < kRuns; ++i) {
      SelectBytes(np, at, at + t.passage.size());
      if (IsWindowVisible(Main())) SendMessageA(Main(), WM_SYSCOMMAND, SC_CLOSE, 0);
      Foreground(np.main);
      REQUIRE(GetForegroundWindow() == np.main, "notepad is not in front");
      HotKey(VK_MENU);
      double t0 = Now();  // the keys are up
      REQUIRE(WaitUntil([&] { return Shown() && CtlText(kIdSource) == t.passage; }, 15000, 1), "capture");
      shown.push_back(Now() - t0);
    }
    // A whole cycle: hot key, password and Enter, F10, the text replaced.
    std::string want = Replace(t.doc, t.passage, t.block);
    for (int i = 0; i < kRuns; ++i) {
      SendMessageA(np.edit, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(t.doc.c_str()));
      SelectBytes(np, at, at + t.passage.size());
      if (IsWindowVisible(Main())) SendMessageA(Main(), WM_SYSCOMMAND, SC_CLOSE, 0);
      Foreground(np.main);
      double t0 = Now();
      HotKey(VK_MENU);
      REQUIRE(WaitUntil([&] { return Shown() && CtlText(kIdSource) == t.passage; }, 15000, 1), "capture");
      TypePasswords(g_password, g_password);
      Tap(VK_RETURN);
      REQUIRE(WaitUntil([&] { return CtlText(kIdResult) == t.block; }, 15000, 1), "encode");
      Tap(VK_F10);
      REQUIRE(WaitUntil([&] { return Text(np.edit) == want; }, 15000, 1), "paste");
      cycle.push_back(Now() - t0);
    }
  }
  {
    // ENCODE of 100 KB of Korean text, from the button to the whole result.
    Notepad np;
    OpenNotepad("korean100k.txt", np);
    for (int i = 0; i < kRuns; ++i) {
      SendMessageA(np.edit, EM_SETSEL, 0, -1);
      Capture(np);
      REQUIRE(WaitUntil([] { return TextLength(Ctl(kIdSource)) == 102400; }, 15000, 1), "100 KB capture");
      TypePasswords(g_password, g_password);
      Sleep(500);  // the banner has written the output edit
      double t0 = Now();
      Click(Main(), kIdEncode);
      REQUIRE(WaitUntil([] { return TextLength(Ctl(kIdResult)) == 102402; }, 30000, 1), "100 KB encode");
      encode.push_back(Now() - t0);
    }
  }
  SendMessageA(Main(), WM_SYSCOMMAND, SC_CLOSE, 0);
  Sleep(2000);
  // Idle in the tray: CPU time and working set over 10 s.
  HANDLE p = g_mirelka.pi.hProcess;
  auto cpu = [&] {
    FILETIME c, e, k, u;
    GetProcessTimes(p, &c, &e, &k, &u);
    return ((static_cast<ULONGLONG>(k.dwHighDateTime) << 32 | k.dwLowDateTime) +
            (static_cast<ULONGLONG>(u.dwHighDateTime) << 32 | u.dwLowDateTime)) / 1e7;
  };
  double c0 = cpu(), w0 = Now();
  Sleep(10000);
  double idleCpu = std::max(0.0, cpu() - c0), wall = Now() - w0;
  PROCESS_MEMORY_COUNTERS mem = {};
  mem.cb = sizeof mem;
  GetProcessMemoryInfo(p, &mem, sizeof mem);
  Say("BENCH hotkey-to-window median %.0f ms, min %.0f ms\n", Median(shown) * 1000,
      *std::min_element(shown.begin(), shown.end()) * 1000);
  Say("BENCH encode-100k median %.0f ms, min %.0f ms\n", Median(encode) * 1000,
      *std::min_element(encode.begin(), encode.end()) * 1000);
  Say("BENCH cycle median %.0f ms, min %.0f ms\n", Median(cycle) * 1000,
      *std::min_element(cycle.begin(), cycle.end()) * 1000);
  Say("BENCH idle-cpu %.1f ms in %.1f s (%.3f %%)\n", idleCpu * 1000, wall, 100 * idleCpu / wall);
  Say("BENCH working-set %.0f KiB, peak %.0f KiB\n", mem.WorkingSetSize / 1024.0, mem.PeakWorkingSetSize / 1024.0);
  StopMirelka();
  ClearSettings();
}

// After each scenario, so that the next one starts clean: keys still held
// are let go, and the boxes and dialogs Mirelka still shows are closed, the
// newest first, lest the next scenario answer a box it did not ask for. A
// scenario that passed yet left one open fails for it; after one that
// failed, Mirelka is ended and its settings cleared.
void Tidy() {
  for (BYTE vk : {VK_MENU, VK_SHIFT, VK_CONTROL, VK_LWIN})
    if (GetAsyncKeyState(vk) < 0) Key(vk, true);
  const bool failed = g_failures != 0;
  if (g_mirelka.pi.hProcess != nullptr && !g_mirelka.Ended(0)) {
    const DWORD pid = g_mirelka.pi.dwProcessId;
    // What the scenario closed at its end may take a moment to go.
    Until([&] { return TopWindows(pid, nullptr).empty(); }, failed ? 2000 : 5000);
    std::map<HWND, DWORD> asked;  // when each was told to close
    std::string left;
    bool closed = Until([&] {
      std::vector<HWND> open = TopWindows(pid, nullptr);
      for (HWND w : open) {
        bool owner = false;  // a box or dialog over this one goes first
        for (HWND other : open) owner = owner || GetWindow(other, GW_OWNER) == w;
        if (owner || (asked.count(w) && GetTickCount() - asked[w] < 1000)) continue;
        if (!asked.count(w)) left += " [" + Show(Text(w)) + "]";
        asked[w] = GetTickCount();
        if (GetDlgItem(w, IDNO)) {
          Click(w, IDNO);
        } else if (GetDlgItem(w, kIdWaitCancel)) {
          Click(w, kIdWaitCancel);
        } else {
          PostMessageA(w, WM_COMMAND, MAKEWPARAM(IDCANCEL, 0), 0);
        }
      }
      return open.empty();
    });
    if (!left.empty()) Say("    closed what the scenario left open:%s\n", left.c_str());
    if (!left.empty() && !failed) Fail(__LINE__, "the scenario left a box or dialog open");
    if (!closed) Fail(__LINE__, "Mirelka's boxes and dialogs did not close");
  }
  if (failed) {
    StopMirelka();
    ClearSettings();
  }
}

namespace {

struct Scenario {
  const char* name;
  void (*run)();
};
const Scenario kScenarios[] = {
    {"encrypt", ScenarioEncrypt},   {"decrypt", ScenarioDecrypt}, {"nottext", ScenarioNotText}, {"limits", ScenarioLimits},
    {"delimiters", ScenarioDelimiters}, {"passwords", ScenarioPasswords}, {"topmost", ScenarioTopmost},
    {"instance", ScenarioInstance}, {"layout", ScenarioLayout}, {"keys", ScenarioKeys}, {"actkey", ScenarioActKey},
    {"keyfile", ScenarioKeyFile}, {"options-basic", ScenarioOptionsBasic}, {"options-edit", ScenarioOptionsEdit},
    {"options-hotkey", ScenarioOptionsHotKey}, {"options-keyfile", ScenarioOptionsKeyFile}, {"find", ScenarioFind},
    {"find-delimiter", ScenarioFindDelimiter}, {"about", ScenarioAbout}, {"help", ScenarioHelp},
};

}  // namespace

int main(int argc, char** argv) {
  if (argc < 4) {
    std::printf("usage: mirelka_e2e WORK APP ARTEFACTS [SCENARIO...]\n");
    return 2;
  }
  g_work = argv[1];
  g_app = argv[2];
  g_art = argv[3];
  g_out = std::fopen((g_work + "\\results.txt").c_str(), "w");
  g_password = Bytes("password.txt");
  g_password = g_password.substr(0, g_password.find('\n'));
  ClearSettings();
  int failed = 0, run = 0;
  if (argc == 5 && std::strcmp(argv[4], "bench") == 0) {
    try {
      Bench();
    } catch (const Abort&) {
    }
    Say("RESULT %s\n", g_failures ? "FAIL" : "OK");
    if (g_out) std::fclose(g_out);
    return g_failures != 0;
  }
  for (const Scenario& s : kScenarios) {
    bool wanted = argc == 4;
    for (int i = 4; i < argc; ++i) wanted = wanted || std::strcmp(argv[i], s.name) == 0;
    if (!wanted) continue;
    ++run;
    Say("--- %s\n", s.name);
    g_failures = 0;
    DWORD start = GetTickCount();
    try {
      s.run();
    } catch (const Abort&) {
    }
    Tidy();
    Say("%s %s (%.1f s)\n", g_failures ? "FAIL" : "PASS", s.name, (GetTickCount() - start) / 1000.0);
    if (g_failures) ++failed;
  }
  StopMirelka();
  ClearSettings();
  Say("e2e: %d of %d Mirelka scenarios passed\n", run - failed, run);
  Say("RESULT %s\n", failed ? "FAIL" : "OK");
  if (g_out) std::fclose(g_out);
  return failed;
}
