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
#include <cstdio>
#include <cstring>

#include "../driver/harness.h"
#include "../driver/ui.h"

namespace {

std::string g_work, g_app;
Program g_mirelka;
// The password (WORK\password.txt, first line); the document, the passage in
// it, what mirelka-cli makes of the passage with the password alone and
// with the key file too, and the document with the passage encrypted.
std::string g_password, g_doc, g_passage, g_block, g_keyBlock, g_encDoc;

// Every wait for what the program is expected to do: generous, so that a
// loaded machine only makes a scenario slower, while a fault still fails it.
const DWORD kWait = 30000;
bool Until(const std::function<bool()>& condition, DWORD timeoutMs = kWait) { return WaitUntil(condition, timeoutMs); }

std::string Path(const std::string& rel) { return g_work + "\\" + rel; }
std::string Bytes(const std::string& rel) { return FileBytes(Path(rel)); }
std::string FirstLine(const std::string& rel) { const std::string text = Bytes(rel); return text.substr(0, text.find('\n')); }

#define CONF "Software\\Pelmora\\Mirelka\\Conf"
const char kConf[] = CONF, kBasic[] = CONF "\\Basic", kFont[] = CONF "\\Edit\\Font", kKey[] = CONF "\\Key",
           kKeycomm[] = CONF "\\Keycomm", kLastState[] = "Software\\Pelmora\\Mirelka\\LastState",
           kRun[] = "Software\\Microsoft\\Windows\\CurrentVersion\\Run";

enum {
  kIdEncode = 200, kIdPaste = 201, kIdTopmost = 230, kIdVert = 232, kIdPassword = 300, kIdConfirm = 301,
  kIdSource = 303, kIdResult = 304, kIdAddresses = 302, kIdLogo = 290, kIdWaitCancel = 1039, kUmTrayNotify = WM_APP + 100,
  kCmdExit = 40034, kCmdOptions = 40036, kCmdOptionsTray = 40099, kCmdWrap = 40052, kCmdHelp = 40044,
  kCmdAbout = 40045, kCmdSimpleUsage = 40103, kCmdNotice = 40104,
  kOptAutoRun = 1003, kOptHidden = 1004, kOptTopmost = 1005, kOptVert = 1006, kOptWrap = 1007, kOptShift = 1009,
  kOptFont = 1010, kOptTab = 1015, kOptKeyPath = 1021, kOptReset = 1025, kOptHelpAdv = 1045, kOptHelpFile = 1046,
  kOptHelpKey = 1047, kFindTextMode = 1026, kFindText = 1027, kFindDelimMode = 1028, kFindNext = 1029,
  kFindCancel = 1030, kFindCase = 1031, kFindUp = 1032, kFindDown = 1033,
};

void ClearSettings() {
  SHDeleteKeyA(HKEY_CURRENT_USER, kConf), SHDeleteKeyA(HKEY_CURRENT_USER, kLastState);
  SHDeleteValueA(HKEY_CURRENT_USER, kRun, "Mirelka");
}

// Every value under Conf, for "only what changed was stored".
std::string ConfValues() {
  std::string out;
  for (std::string v : {"Basic\\WndStartAutoRun", "Basic\\StartHideWnd", "Basic\\AlwaysOnTop", "Edit\\WordsWrap", "Edit\\WndH",
                        "Edit\\TabStop", "Edit\\Font\\lfHeight", "Edit\\Font\\lfFaceName", "Key\\ActKey", "Keycomm\\CommKeyFile"}) {
    const size_t cut = v.rfind('\\');
    const std::string name = v.substr(cut + 1), r = RegText((CONF "\\" + v.substr(0, cut)).c_str(), name.c_str());
    if (r != "(none)") out += name + "=" + r + " ";
  }
  return out;
}

// --- Mirelka
HWND Main() { return g_mirelka.pi.hProcess ? WindowOfClass("Mirelka", g_mirelka.pi.dwProcessId) : nullptr; }
HWND Ctl(int id) { return GetDlgItem(Main(), id); }
std::string CtlText(int id) { return Text(Ctl(id)); }
bool ReadOnly(int id) { return (GetWindowLongPtrA(Ctl(id), GWL_STYLE) & ES_READONLY) != 0; }
bool Wrapped(int id) { return (GetWindowLongPtrA(Ctl(id), GWL_STYLE) & WS_HSCROLL) == 0; }
bool Shown() { return Main() && IsWindowVisible(Main()) && !IsIconic(Main()); }
bool Hidden() { return !Shown(); }
bool Topmost() { return (GetWindowLongPtrA(Main(), GWL_EXSTYLE) & WS_EX_TOPMOST) != 0; }
bool Focused(int id) { return Until([&] { return FocusOf(Main()) == Ctl(id); }); }
void Command(int id) { PostMessageA(Main(), WM_COMMAND, MAKEWPARAM(id, 0), 0); }
// The close box: hides the window and wipes its edits.
void Hide() { if (Main() && IsWindowVisible(Main())) SendMessageA(Main(), WM_SYSCOMMAND, SC_CLOSE, 0); }
std::string Sel(int id) { return Selection(Ctl(id)); }
std::string WindowRect(HWND w) {
  RECT r = {};
  GetWindowRect(w, &r);
  return std::to_string(r.left) + "," + std::to_string(r.top) + "," + std::to_string(r.right) + "," + std::to_string(r.bottom);
}
// The result edit beside the source edit (the vertical arrangement).
bool Beside() {
  RECT s, r;
  return GetWindowRect(Ctl(kIdSource), &s) && GetWindowRect(Ctl(kIdResult), &r) && r.left >= s.right - 2 && r.top < s.bottom;
}
std::string Exe() { return "\"" + g_app + "\\Mirelka.exe\""; }

void StopMirelka() { if (Main()) Command(kCmdExit); g_mirelka.Ended(kWait), g_mirelka.Close(); }

void StartMirelka() {
  StopMirelka();
  REQUIRE(StartProgram(Exe() + " noupdate", g_mirelka), "Mirelka.exe did not start");
  // The title is set once the window is made and shown or hidden.
  REQUIRE(Until([] { return Text(Main()) == "Mirelka v1.0  for 한글 윈도우즈"; }), "no main window");
}

void EnsureMirelka() { if (!Main() || g_mirelka.Ended(0)) StartMirelka(); }

// Mirelka anew with the default settings, after `settings` stored others;
// they are cleared again after the scenario.
bool g_restarted = false;
void Fresh(const std::function<void()>& settings = nullptr) {
  StopMirelka(), ClearSettings();
  if (settings) settings();
  g_restarted = true, StartMirelka();
}

// --- notepad, the other application
// Notepad with a file of WORK, once it shows the file's text.
struct Notepad : NotepadWindow {
  explicit Notepad(const std::string& rel) { REQUIRE(OpenInNotepad(Path(rel), Bytes(rel), *this, kWait), "notepad does not show " + rel); }
};

// Mirelka's window in front, or a box of its own over it (a capture that is
// refused shows its message at once).
bool InFront() { HWND front = GetForegroundWindow(); return front && (front == Main() || GetWindow(front, GW_OWNER) == Main()); }

// Selects `part` in notepad if given and presses the hot key over it.
void PressHotKey(Notepad& np, const std::string& part, BYTE modifier) {
  if (!part.empty()) REQUIRE(SelectText(np.edit, part), "notepad does not hold the text to select");
  EnsureMirelka(), Hide();
  BringToFront(np.main, 15000);
  REQUIRE(GetForegroundWindow() == np.main, "notepad is not in front");
  PressKeys({modifier, VK_SCROLL});
}

// The same, and Mirelka's window comes up.
void Capture(Notepad& np, const std::string& part = "", BYTE modifier = VK_MENU) {
  PressHotKey(np, part, modifier);
  REQUIRE(Until([] { return Shown() && InFront(); }), "Mirelka did not come up after the hot key");
}

// Captures `part`: Mirelka's edit `into` (the source edit for plain text,
// the result edit for a block) then holds it.
void CaptureText(Notepad& np, const std::string& part, int into = kIdSource, BYTE modifier = VK_MENU,
                 const std::string& what = "captured text") {
  Capture(np, part, modifier);
  REQUIRE(Until([&] { return CtlText(into) == part; }), what + ": " + Show(CtlText(into)));
}

// The hot key with `other` for a modifier does nothing; with `modifier` it
// captures the passage.
void HotKeyIs(Notepad& np, BYTE modifier, BYTE other, const std::string& what) {
  PressHotKey(np, g_passage, other);
  CHECK(Stays(Hidden, 1500), what + ": another modifier captured");
  CaptureText(np, g_passage, kIdSource, modifier, what);
}

// What the output edit may hold before a run: nothing, or the line break
// and vendor's banner text that the banner writes there after a capture.
bool Starts(const std::string& text, const std::string& start) { return text.compare(0, start.size(), start) == 0; }
bool BannerOnly(int id) { return CtlText(id).empty() || Starts(CtlText(id), "\r\n"); }

// The banner text thread, started 300 ms after a capture or after the window
// opens from the tray, puts a line break and the vendor's text into the
// output edit of the coming run (the read-only one). A run started before
// that would see its result replaced; a user is never that quick.
void AwaitBanner() {
  CHECK(Until([] { return Starts(CtlText(ReadOnly(kIdResult) ? kIdResult : kIdSource), "\r\n"); }), "the banner text did not arrive");
}

void TypePasswords(const std::string& a, const std::string& b) { SetItemText(Main(), kIdPassword, a), SetItemText(Main(), kIdConfirm, b); }
// Both passwords typed, once the banner text is in (as a user would be).
void Ready(const std::string& password) { TypePasswords(password, password), AwaitBanner(); }

// ENCODE, by Enter or the button, gives `want` in the edit `id`; the run
// has ended once ENCODE is back and focused.
void EncodeTo(int id, const std::string& want, bool enter = false) {
  if (enter) PressKeys({VK_RETURN}); else Click(Main(), kIdEncode);
  REQUIRE(Until([&] { return CtlText(id) == want; }), "after ENCODE: " + Show(CtlText(id)));
  CHECK(Until([] { return IsWindowEnabled(Ctl(kIdEncode)) && FocusOf(Main()) == Ctl(kIdEncode); }), "ENCODE not back and focused");
}

// PASTE, by F10 or the button: notepad then holds `want`.
void Paste(Notepad& np, const std::string& want, bool key) {
  if (key) PressKeys({VK_F10}); else Click(Main(), kIdPaste);
  CHECK(Until([&] { return Text(np.edit) == want; }), "notepad after the paste: " + Show(Text(np.edit)));
}

// The texts of the four edits, for "all four wiped".
std::string EditTexts() { std::string t; for (int id : {kIdPassword, kIdConfirm, kIdSource, kIdResult}) t += CtlText(id); return t; }

// Opens the window from the tray (wiped first, if it was open; of a fresh
// Mirelka if asked) and waits for the banner text.
void OpenFromTray(bool fresh = false) {
  if (fresh) Fresh(); else EnsureMirelka();
  // Empty, so that the banner text seen is the one this opening brings.
  Hide(), SetItemText(Main(), kIdSource, ""), SetItemText(Main(), kIdResult, "");
  PostMessageA(Main(), kUmTrayNotify, 0, WM_LBUTTONDBLCLK);
  REQUIRE(Until([] { return Shown() && InFront(); }), "the tray double click did not open the window");
  AwaitBanner();
}

// Expects a message box of Mirelka (of `pid` if given). Checks its caption,
// its text unless `text` is empty, and its owner if given; takes its
// picture and answers it. Returns what it showed.
Box ExpectBox(const std::string& what, const std::string& text, int answer, const char* shot = nullptr,
              HWND owner = nullptr, const char* caption = "경고", DWORD pid = 0) {
  Box box;
  REQUIRE(WaitBox(pid ? pid : g_mirelka.pi.dwProcessId, box, kWait), what + ": no message box");
  CHECK_EQ(caption, box.caption, what + ": caption");
  if (!text.empty()) CHECK_EQ(text, box.text, what + ": text");
  if (owner) CHECK(GetWindow(box.hwnd, GW_OWNER) == owner, what + ": owner");
  if (shot) Shot(box.hwnd, shot);
  CHECK(Answer(box.hwnd, answer, kWait), what + ": the box did not close");
  return box;
}

bool Has(const std::string& text, const std::string& part) { return text.find(part) != std::string::npos; }

void ClickInto(int id) { CHECK(ClickInto(Ctl(id), kWait), "a click did not focus the control"); }

// The DWORD the clipboard holds in the format named, as 4 bytes ("(non" for none).
std::string ClipboardDword(const char* format) { return ClipboardData(RegisterClipboardFormatA(format)).substr(0, 4); }

// --- scenarios

// Capture, ENCODE by Enter, paste by F10; the clipboard then holds the block
// and is marked out of the clipboard history.
void ScenarioEncrypt() {
  Notepad np("doc.txt");
  CaptureText(np, g_passage);
  Ready(g_password);
  Shot(Main(), "capture-horizontal");
  EncodeTo(kIdResult, g_block, true);
  Paste(np, g_encDoc, true);
  CHECK(Until([] { return Hidden() && EditTexts().empty(); }), "not hidden and wiped after the paste: " + Show(EditTexts()));
  CHECK_EQ(g_block, ClipboardText(), "clipboard text after the paste");
  CHECK(ClipboardData(RegisterClipboardFormatA("ExcludeClipboardContentFromMonitorProcessing")) != "(none)", "exclusion format");
  CHECK_EQ(std::string(8, '\0'), ClipboardDword("CanIncludeInClipboardHistory") + ClipboardDword("CanUploadToCloudClipboard"),
           "history and cloud formats");
}

// The block selected again: decrypt mode; ENCODE and PASTE give the plain
// text back between the delimiters.
void ScenarioDecrypt() {
  Notepad np("doc-enc.txt");
  CaptureText(np, g_block, kIdResult);
  CHECK(ReadOnly(kIdSource) && !ReadOnly(kIdResult), "decrypt mode: source read-only, result writable");
  Ready(g_password);
  const std::string plain = "\x7F" + g_passage + "\x7F";
  EncodeTo(kIdSource, plain);
  Paste(np, Bytes("doc-dec.txt"), false);  // the run script's: the passage between delimiters
}

// A password that makes the block hold a byte pair that is no character:
// the result is refused instead of being damaged on its way.
void ScenarioNotText() {
  const std::string bad = FirstLine("bad-password.txt");
  REQUIRE(!bad.empty(), "no bad-password.txt");
  Notepad np("doc.txt");
  CaptureText(np, g_passage);
  Ready(bad);
  PressKeys({VK_RETURN});
  const Box box = ExpectBox("result that is not text", "", IDOK);
  CHECK(Starts(box.text, "결과에 글자로 나타낼 수 없는 문자 조합이 생겼습니다."), "not-text message: " + Show(box.text));
  CHECK(Until([] { return CtlText(kIdResult).empty(); }), "result edit kept the damaged block");
}

// Nothing selected while older text is on the clipboard: the window opens
// empty. 102400 bytes are taken, 102401 refused with the message.
void ScenarioLimits() {
  {
    Notepad np("doc.txt");
    SendMessageA(np.edit, EM_SETSEL, 3, 3), PutClipboardText("older text");
    Capture(np);
    CHECK(BannerOnly(kIdSource) && BannerOnly(kIdResult), "edits with nothing selected");
  }
  { Notepad np("limit.txt"); CaptureText(np, Bytes("limit.txt"), kIdSource, VK_MENU, "102400 bytes"); }
  Notepad np("over.txt");
  Capture(np, Bytes("over.txt"));
  Box box = ExpectBox("102401 bytes", "", IDOK);
  CHECK(Starts(box.text, "100KB 이상의 데이터를 선택했습니다. 다음 방안으로"), "102401 bytes: " + Show(box.text));
  // The result edit may hold the banner's line break (it follows any capture).
  CHECK(CtlText(kIdSource).empty() && BannerOnly(kIdResult), "edits after 102401 bytes");
}

// One and three delimiters: the cipher's question with the count; No leaves
// both edits as they were.
void ScenarioDelimiters() {
  for (const char* name : {"one-delimiter.txt", "three-delimiters.txt"}) {
    const std::string text = Bytes(name);
    Notepad np(name);
    CaptureText(np, text, kIdSource, VK_MENU, name);  // in the source edit: encrypt mode
    Ready(g_password);
    const std::string result = CtlText(kIdResult);
    Click(Main(), kIdEncode);
    const std::string count = "총 ( " + std::to_string(std::count(text.begin(), text.end(), '\x7F')) + " ) 개가 발견됐습니다.";
    CHECK(Has(ExpectBox(name, "", IDNO).text, count), std::string(name) + ": the question lacks " + count);
    CHECK_EQ(text + "|" + result, CtlText(kIdSource) + "|" + CtlText(kIdResult), std::string(name) + ": edits after No");
  }
}

// The four refusals of the password check.
void ScenarioPasswords() {
  OpenFromTray();
  const char* const cases[][3] = {{"", "", "<암호(Password)>와 <확인(Confirm)>을 입력하십시오."},
                                  {"", "x", "<암호(Password)>를 입력하십시오."}, {"x", "", "<확인(Confirm)>을 입력하십시오."},
                                  {"secret", "secret ", "<암호(Password)>와 <확인(Confirm)>이 일치하지 않습니다."}};
  int n = 0;
  for (const auto& c : cases) {
    if (++n == 4) {  // typed as a user does: Tab to the confirm edit, Enter runs ENCODE
      TypePasswords("", "");
      TypeAscii(c[0]), PressKeys({VK_TAB}), TypeAscii(c[1]), PressKeys({VK_RETURN});
    } else {
      TypePasswords(c[0], c[1]);
      Click(Main(), kIdEncode);
    }
    ExpectBox(c[2], c[2], IDOK, ("password-" + std::to_string(n)).c_str());
  }
}

// Always on top: the window stays after PASTE and keeps the password.
void ScenarioTopmost() {
  Notepad np("doc.txt");
  CaptureText(np, g_passage);
  Click(Main(), kIdTopmost);
  REQUIRE(Until(Topmost), "not topmost");
  Ready(g_password);
  EncodeTo(kIdResult, g_block);
  Paste(np, g_encDoc, true);
  // Without always on top it would hide and wipe right after the keys.
  CHECK(Stays(Shown, 1500), "window hidden although always on top");
  CHECK_EQ(g_password + "|" + g_block, CtlText(kIdPassword) + "|" + CtlText(kIdResult), "password and result kept");
}

// A second start shows the message and the first instance goes on working;
// starting hidden, the tray, closing, exit, and what is stored.
void ScenarioInstance() {
  Fresh();
  CHECK(!IsWindowVisible(Main()), "started visible although StartHideWnd is 1 by default");
  Program second;
  REQUIRE(StartProgram(Exe(), second), "second start");
  ExpectBox("second instance", "Mirelka 프로그램이 이미 실행 중입니다.\n트래이 아이콘을 확인하십시오.", IDOK,
            nullptr, nullptr, "경고", second.pi.dwProcessId);
  CHECK(second.Ended(kWait), "the second instance did not end");
  Notepad np("doc.txt");
  CaptureText(np, g_passage, kIdSource, VK_MENU, "first instance after the second start");
  // The close box hides and wipes.
  Hide();
  CHECK(Until([] { return !IsWindowVisible(Main()) && EditTexts().empty(); }), "close box did not hide and wipe: " + Show(EditTexts()));
  // The tray: a double click opens, the right button shows the menu.
  PostMessageA(Main(), kUmTrayNotify, 0, WM_LBUTTONDBLCLK);
  CHECK(Until(Shown), "tray double click");
  SetCursorPos(900, 700);
  PostMessageA(Main(), kUmTrayNotify, 0, WM_RBUTTONUP);
  HWND menu = nullptr;
  if (Until([&] { return (menu = FindWindowA("#32768", nullptr)) != nullptr && IsWindowVisible(menu); })) WaitPainted(menu, 5000);
  Shot(nullptr, "tray-menu"), PressKeys({VK_ESCAPE});
  // Moved, then ended by the menu: the rectangle and the settings are stored
  // and used at the next start; the Run entry follows the setting.
  MoveWindow(Main(), 100, 80, 520, 500, TRUE);  // sent: done on return
  Command(kCmdExit);
  CHECK(g_mirelka.Ended(kWait), "the menu's exit did not end the program");
  CHECK_EQ("1 1", RegText(kBasic, "WndStartAutoRun") + " " + RegText(kKey, "ActKey"), "stored WndStartAutoRun, ActKey");
  RegSetDword(kBasic, "WndStartAutoRun", 0), RegSetDword(kBasic, "StartHideWnd", 0);
  StartMirelka();
  CHECK(Until(Shown), "StartHideWnd 0: not shown");
  CHECK_EQ("100,80,620,580 (none)", WindowRect(Main()) + " " + RegText(kRun, "Mirelka"), "rectangle and Run entry at the next start");
}

// The vertical arrangement (the horizontal one is the default), word wrap
// off (text, selection and focus kept), Enter in a large edit.
void ScenarioLayout() {
  OpenFromTray(true);
  const std::string source = "첫째 줄 first line\r\n둘째 줄 second line with more words to wrap around the edge of the box";
  SetItemText(Main(), kIdSource, source);
  Click(Main(), kIdVert);
  CHECK(Until(Beside), "vertical: result beside the source");
  Shot(Main(), "vertical");
  ClickInto(kIdSource), SendMessageA(Ctl(kIdSource), EM_SETSEL, 3, 9);
  // The menu's word wrap, so the focus stays where it was; the new edits get
  // their texts, then their selections, then the focus.
  Command(kCmdWrap);
  REQUIRE(Until([] { return !Wrapped(kIdSource); }), "word wrap off: no scroll bar");
  CHECK(Until([] { return Sel(kIdSource) == "3,9"; }) && Focused(kIdSource), "selection or focus lost: " + Sel(kIdSource));
  CHECK_EQ(source, CtlText(kIdSource), "text kept");
  Shot(Main(), "wrap-off");
  // Enter in the large edit is a line break, not ENCODE (which with no
  // password would say so at once).
  BringToFront(Main(), 15000);
  SendMessageA(Ctl(kIdSource), EM_SETSEL, 0, 0), PressKeys({VK_RETURN});
  CHECK(Until([&] { return CtlText(kIdSource) == "\r\n" + source; }), "Enter in the source edit: " + Show(CtlText(kIdSource)));
}

// Scroll Lock's light, read by a window of the driver brought to the front
// for a moment (a thread's key state follows the keyboard while it is in
// front; it is the keyboard's as of the last key message taken); the
// application is put back in front afterwards.
bool ScrollLockOn(HWND app) {
  static HWND probe = CreateWindowExA(0, "STATIC", "probe", WS_POPUP | WS_VISIBLE, 0, 0, 10, 10,
                                      nullptr, nullptr, GetModuleHandleA(nullptr), nullptr);
  BringToFront(probe, 15000);
  PressKeys({VK_SHIFT});
  bool up = false;
  WaitUntil([&] {
    for (MSG m; PeekMessageA(&m, nullptr, 0, 0, PM_REMOVE); DispatchMessageA(&m))
      up = up || (m.message == WM_KEYUP && m.wParam == VK_SHIFT);
    return up;
  }, 15000, 10);
  bool on = (GetKeyState(VK_SCROLL) & 1) != 0;
  BringToFront(app, 15000);
  return on;
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
// proves nothing and is tried again. Returns what went wrong, if anything.
std::string HoldHotKey(HWND app, DWORD ms) {
  for (int attempt = 0;; ++attempt) {
    Hide(), BringToFront(app, 15000);
    // The application takes in its focus change before the keys go down.
    SendMessageTimeoutA(app, WM_NULL, 0, 0, SMTO_ABORTIFHUNG, kWait, nullptr);
    Key(VK_MENU, false), PressKeys({VK_SCROLL});
    AltWatch watch{ms};
    HANDLE thread = CreateThread(nullptr, 0, AltWatch::Run, &watch, 0, nullptr);
    bool captured = !Stays(Hidden, ms);
    if (thread) WaitForSingleObject(thread, INFINITE), CloseHandle(thread);
    if (watch.kept) return captured ? "captured while the keys were held" : "";
    if (attempt == 2) return "Wine kept letting go of Alt";
    Say("    Wine let go of the held Alt; holding again\n");
    Key(VK_MENU, true);
    Until(Shown, 3000);  // the capture it brings, unless Mirelka gave up already
  }
}

// The hot key's modifier from the registry; held keys; Scroll Lock's state.
void ScenarioActKey() {
  Notepad np("doc.txt");
  struct Row { DWORD actKey; BYTE modifier, other; };
  for (const Row& row : {Row{2, VK_SHIFT, VK_MENU}, Row{3, VK_LWIN, VK_MENU}, Row{1, VK_MENU, VK_SHIFT}}) {
    Fresh([&] { RegSetDword(kKey, "ActKey", row.actKey); });
    HotKeyIs(np, row.modifier, row.other, "ActKey " + std::to_string(row.actKey));
  }
  // Held for 2 s: one capture, after the release; Scroll Lock as before.
  REQUIRE(SelectText(np.edit, g_passage), "notepad does not hold the passage");
  BringToFront(np.main, 15000);
  bool before = ScrollLockOn(np.main);
  PressKeys({VK_SCROLL});  // the light is seen to change at all
  CHECK(Until([&] { return ScrollLockOn(np.main) != before; }), "a Scroll Lock tap is not seen"), before = !before;
  std::string wrong;
  CHECK((wrong = HoldHotKey(np.main, 2000)).empty(), "held 2 s: " + wrong);
  Key(VK_MENU, true);
  CHECK(Until([] { return Shown() && CtlText(kIdSource) == g_passage; }), "held keys: no capture after the release");
  CHECK(ScrollLockOn(np.main) == before, "Scroll Lock changed its state");
}

// The dialog of Mirelka with this title, once it is there.
HWND Dialog(const char* title, DWORD pollMs = 20) { return WaitDialog(g_mirelka.pi.dwProcessId, title, kWait, pollMs); }

// A common key file named in the registry: a missing file's message; Cancel
// in the wait dialog while a large file is read; a usable one gives the
// block mirelka-cli makes with it.
void ScenarioKeyFile() {
  Notepad np("doc.txt");
  for (const char* file : {"missing.bin", "big.bin", "key.bin"}) {
    Fresh([&] { RegSetString(kKeycomm, "CommKeyFile", Path(file)); });
    CaptureText(np, g_passage);
    Ready(g_password);
    const std::string result = CtlText(kIdResult);
    if (file[0] == 'k') { EncodeTo(kIdResult, g_keyBlock); continue; }
    Click(Main(), kIdEncode);
    if (file[0] == 'm') {
      ExpectBox("missing key file", "공통 키 파일을 찾을 수 없습니다.\n( " + Path(file) +
                " )\n\n메뉴의 <도구> / <환경설정> 의 <공통 키 파일> 탭에서,\n공통 키 파일을 다시 설정하십시오.", IDOK);
    } else {
      HWND wait = NEED(Dialog("잠시만 기다려 주십시오 ...", 5), "the wait dialog did not show");
      Shot(wait, "wait-dialog");  // shown by the reading thread, painted by the window's
      Click(wait, kIdWaitCancel);
      CHECK(Until([] { return IsWindowEnabled(Ctl(kIdEncode)) != FALSE; }, 60000), "run did not end");
    }
    CHECK_EQ(g_passage + "|" + result, CtlText(kIdSource) + "|" + CtlText(kIdResult), std::string("edits after ") + file);
  }
}

// --- the dialogs: options sheet, find, about and notice, help

// The options sheet, opened by the menu's command (or the tray's), and its pages.
HWND OpenSheet(int command = kCmdOptions) { return Command(command), NEED(Dialog("환경 설정"), "the options sheet did not open"); }
HWND Page(HWND sheet, int index) {
  SendMessageA(sheet, PSM_SETCURSEL, index, 0);
  HWND page = nullptr;
  Until([&] { return (page = reinterpret_cast<HWND>(SendMessageA(sheet, PSM_GETCURRENTPAGEHWND, 0, 0))) && IsWindowVisible(page); });
  return NEED(page, "page " + std::to_string(index));
}
void CloseSheet(HWND sheet, int button) { Click(sheet, button), CHECK(Until([&] { return !IsWindow(sheet); }), "the sheet did not close"); }

// A check box or radio button of a page pressed, once the press has taken
// effect: the clicks are posted, and a page reads its controls when it is
// left, which a message sent to the sheet would do before a posted click.
void Press(HWND page, int id, bool radio = false) {
  const bool before = Checked(page, id);
  Click(page, id);
  CHECK(Until([&] { return radio ? Checked(page, id) : Checked(page, id) != before; }),
        "the click on " + std::to_string(id) + " did not take");
}

// Cancel changes nothing; OK on the basic page stores and applies just
// what changed there.
void ScenarioOptionsBasic() {
  Fresh();  // hidden in the tray (StartHideWnd 1)
  const std::string run = RegText(kRun, "Mirelka");
  CHECK(run.find(g_app + "\\Mirelka.exe") != std::string::npos, "Run entry at start: " + run);
  HWND sheet = OpenSheet(kCmdOptionsTray);
  const char* const pages[] = {"options-basic", "options-edit", "options-hotkey", "options-advanced"};
  for (int i = 0; i < 4; ++i) Page(sheet, i), Shot(sheet, pages[i]);
  // Everything changed, then Cancel.
  for (int id : {kOptAutoRun, kOptTopmost}) Press(Page(sheet, 0), id);
  Press(Page(sheet, 2), kOptShift, true);
  CloseSheet(sheet, IDCANCEL);
  CHECK_EQ("", ConfValues(), "stored after Cancel");
  CHECK(RegText(kRun, "Mirelka") == run && !Topmost(), "Cancel changed the Run entry or always-on-top");
  sheet = OpenSheet(kCmdOptionsTray);
  for (int id : {kOptAutoRun, kOptHidden, kOptTopmost}) Press(Page(sheet, 0), id);
  CloseSheet(sheet, IDOK);
  CHECK_EQ("WndStartAutoRun=0 StartHideWnd=0 AlwaysOnTop=1 ", ConfValues(), "stored after OK");
  CHECK(RegText(kRun, "Mirelka") == "(none)" && Topmost(), "after OK: Run entry left, or not topmost");
}

int CharX(int index) { return static_cast<short>(LOWORD(SendMessageA(Ctl(kIdSource), EM_POSFROMCHAR, index, 0))); }

// The edit page: arrangement, word wrap, tab width and the font dialog
// (20 points taken).
void ScenarioOptionsEdit() {
  OpenFromTray(true);
  SetItemText(Main(), kIdSource, "\tX abcdefgh");
  const int tabX = CharX(1), charX = CharX(10) - CharX(3);
  HWND sheet = OpenSheet(), page = Page(sheet, 1);
  Press(page, kOptVert, true);
  Press(page, kOptWrap);
  SetItemText(page, kOptTab, "8");
  Click(page, kOptFont);
  HWND font = nullptr;
  REQUIRE(Until([&] { for (HWND w : TopWindows(g_mirelka.pi.dwProcessId, nullptr)) font = w != sheet ? w : font; return font != nullptr; }),
          "the font dialog did not open");
  HWND size = GetDlgItem(font, 0x472);  // the size box
  SendMessageA(size, CB_SETCURSEL, SendMessageA(size, CB_FINDSTRINGEXACT, -1, reinterpret_cast<LPARAM>("20")), 0);
  SendMessageA(font, WM_COMMAND, MAKEWPARAM(0x472, CBN_SELCHANGE), reinterpret_cast<LPARAM>(size));
  Click(font, IDOK);
  CHECK(Until([&] { return !IsWindow(font); }), "the font dialog did not close");
  CloseSheet(sheet, IDOK);
  CHECK_EQ("WordsWrap=0 WndH=0 TabStop=8 lfHeight=" + RegText(kFont, "lfHeight") + " lfFaceName=" + RegText(kFont, "lfFaceName") + " ",
           ConfValues(), "stored after OK");
  CHECK(Beside() && !Wrapped(kIdSource), "not side by side, or still wrapped, after OK");
  CHECK(CharX(1) > tabX + tabX / 2 && CharX(10) - CharX(3) > charX, "tab stops or font size not applied");
}

// The hot key page: only the hot key changes and it is registered at once.
void ScenarioOptionsHotKey() {
  Fresh();
  HWND sheet = OpenSheet(kCmdOptionsTray);
  Press(Page(sheet, 2), kOptShift, true);
  CloseSheet(sheet, IDOK);
  CHECK_EQ("ActKey=2 ", ConfValues(), "stored after OK");
  Notepad np("doc.txt");
  HotKeyIs(np, VK_SHIFT, VK_MENU, "the new hot key");
}

// The advanced page: "초기화" and OK clear the common key file; the next run
// uses the password alone.
void ScenarioOptionsKeyFile() {
  Fresh([] { RegSetString(kKeycomm, "CommKeyFile", Path("key.bin")); });
  Notepad np("doc.txt");
  HWND sheet = OpenSheet(kCmdOptionsTray), page = Page(sheet, 3);
  Click(page, kOptReset);
  CHECK(Until([&] { return ItemText(page, kOptKeyPath).empty(); }), "초기화 left the path");
  CloseSheet(sheet, IDOK);
  CHECK_EQ("CommKeyFile= ", ConfValues(), "stored after 초기화 and OK");
  CaptureText(np, g_passage);
  Ready(g_password);
  EncodeTo(kIdResult, g_block);
}

HWND FindDialog() { return WaitDialog(g_mirelka.pi.dwProcessId, "찾기", 0); }
// Ctrl+F, the caret first put at `at` in the edit `id` if given.
HWND OpenFind(int id = 0, int at = 0) {
  if (id) SendMessageA(Ctl(id), EM_SETSEL, at, at);
  BringToFront(Main(), 15000);
  PressKeys({VK_CONTROL, 'F'});
  return NEED(Dialog("찾기"), "Ctrl+F opened no find dialog");
}
// Searches from the dialog: the text typed if given, the buttons pressed,
// then 다음 찾기.
void Search(HWND find, const char* text, std::initializer_list<int> buttons) {
  if (text) SetItemText(find, kFindText, text);
  for (int id : buttons) Click(find, id);
  Click(find, kFindNext);
}
// The find dialog, after a search, is closed (it is on success) and the
// edit's selection is `sel`.
bool FoundAt(int id, const char* sel) { return Until([&] { return FindDialog() == nullptr && Sel(id) == sel; }); }

// The find dialog: case-insensitive it finds capitals, with case it passes
// them over; success closes it, a failure keeps it and owns the box (upward
// at the start, with the downward hint); a 2000-byte selection fills 1024.
void ScenarioFind() {
  OpenFromTray(true);
  // Hangul before the words: positions in bytes and characters differ.
  SetItemText(Main(), kIdSource, "한글 Alpha beta ALPHA gamma alpha 끝");
  ClickInto(kIdSource);
  HWND find = OpenFind(kIdSource, 0);
  Shot(find, "find");
  Search(find, "alpha", {});
  CHECK(FoundAt(kIdSource, "3,8"), "first match, Alpha, ignoring case: " + Sel(kIdSource));
  Search(OpenFind(kIdSource, 0), "ALPHA", {kFindCase, kFindDown});
  CHECK(FoundAt(kIdSource, "14,19"), "with case: " + Sel(kIdSource));
  find = OpenFind(kIdSource, 0);
  Search(find, "beta", {kFindCase, kFindUp});
  const std::string text = ExpectBox("upward at the start", "", IDOK, nullptr, find).text;
  CHECK(Has(text, "\"beta\" 을(를) 찾을 수 없습니다") && Has(text, "<아래쪽>으로 검색해 보십시오"), "not found upward: " + Show(text));
  CHECK(IsWindow(find) && IsWindowVisible(find), "failure closed the dialog");
  Click(find, kFindCancel), Until([] { return FindDialog() == nullptr; });
  SetItemText(Main(), kIdSource, std::string(2000, 'q')), SendMessageA(Ctl(kIdSource), EM_SETSEL, 0, -1);
  CHECK_EQ(std::string(1024, 'q'), ItemText(OpenFind(), kFindText), "find text from 2000 bytes");
  PressKeys({VK_ESCAPE});
}

// The wrong-delimiter question answered Yes: the find dialog in delimiter
// mode; F3 selects the delimiters one after the other.
void ScenarioFindDelimiter() {
  Fresh();
  Notepad np("three-delimiters.txt");
  CaptureText(np, Bytes("three-delimiters.txt"));
  Ready(g_password);
  PressKeys({VK_F8});  // the last focus in the result edit: the delimiters are still looked for in the source
  Click(Main(), kIdEncode);
  ExpectBox("question", "", IDYES);
  HWND find = NEED(Dialog("찾기"), "Yes opened no find dialog");
  CHECK(Until([&] { return Checked(find, kFindDelimMode) && !Checked(find, kFindTextMode); }), "delimiter mode");
  BringToFront(find, 15000);
  for (const char* sel : {"0,1", "2,3", "7,8"}) {
    PressKeys({VK_F3});
    CHECK(Until([&] { return Sel(kIdSource) == sel; }), std::string("F3: delimiter at ") + sel + ": " + Sel(kIdSource));
  }
  Click(find, kFindCancel);  // it stays open after F3
}

// The addresses the stand-in browser was given, one a line, in quotes.
std::string BrowserCalls() { return Bytes("browser\\browser-calls.txt"); }
bool BrowserGot(const std::string& url) { return BrowserCalls().find("\"" + url + "\"") != std::string::npos; }

// The about box: its addresses; the LOGO opens the home page; a click
// closes it. The notice box.
void ScenarioAbout() {
  DeleteFileA(Path("browser\\browser-calls.txt").c_str());
  OpenFromTray();
  Command(kCmdAbout);
  HWND about = NEED(Dialog(nullptr), "no about box");
  CHECK_EQ("http://127.0.0.1:9/\r\nsupport@pelmora.co.kr", ItemText(about, kIdAddresses), "addresses");
  Shot(about, "about");
  Click(about, kIdLogo);
  CHECK(Until([&] { return BrowserGot("http://127.0.0.1:9/"); }), "LOGO: browser calls " + Show(BrowserCalls()));
  PostMessageA(about, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(4, 4));
  CHECK(Until([&] { return !IsWindow(about); }), "a click left the about box open");
  Command(kCmdNotice);
  Box box = ExpectBox("notice", "", IDOK, "notice", nullptr, "정보");
  CHECK(Starts(box.text, "Mirelka 특허 안내"), "notice text: " + Show(box.text));
}

// Each help command starts hh.exe with its page (a stand-in hh.exe beside
// Mirelka.exe records its command line).
void ScenarioHelp() {
  const std::string hh = g_app + "\\hh.exe", calls = g_app + "\\browser-calls.txt";
  REQUIRE(CopyFileA(Path("browser\\mirelka_e2e_standin.exe").c_str(), hh.c_str(), FALSE), "stand-in hh.exe not copied");
  DeleteFileA(calls.c_str());
  OpenFromTray(true);
  // The main window's commands, then the option pages' help buttons.
  const std::pair<int, const char*> helps[] = {
      {kCmdHelp, "main.htm"}, {kCmdSimpleUsage, "SimpleUsage/page00.htm"}, {kOptHelpKey, "DetailUsage/Menu/page04.htm#P_ACTKEY"},
      {kOptHelpAdv, "Notice/page06.htm"}, {kOptHelpFile, "DetailUsage/Menu/page04.htm#P_COMMKEYFILE"}};
  std::string want;
  HWND sheet = nullptr;
  for (const auto& h : helps) {
    if (h.first > 40000) Command(h.first);
    else Click(Page(sheet ? sheet : (sheet = OpenSheet()), h.first == kOptHelpKey ? 2 : 3), h.first);
    want += "hh.exe " + g_app + "\\Mirelka.chm::/" + h.second + "\n";
    CHECK(Until([&] { return FileBytes(calls) == want; }), std::string(h.second) + ": " + Show(FileBytes(calls)));
  }
  CloseSheet(sheet, IDCANCEL);
  DeleteFileA(hh.c_str()), DeleteFileA(calls.c_str());
}

// --- figures for scripts/bench (no assertions on time)

double Now() { LARGE_INTEGER t, f; return QueryPerformanceCounter(&t), QueryPerformanceFrequency(&f), double(t.QuadPart) / f.QuadPart; }

void SayFigure(const char* name, std::vector<double> v) {
  std::sort(v.begin(), v.end()), Say("BENCH %s median %.0f ms, min %.0f ms\n", name, v[v.size() / 2] * 1000, v[0] * 1000);
}

// Five times: the hot key's release to the window with the passage, and on
// to the password, Enter, F10 and the text replaced; ENCODE of 100 KB of
// Korean text. Then idle in the tray for 10 s: CPU time and working set.
void Bench() {
  Fresh();
  std::vector<double> shown, cycle, encode;
  auto fast = [](const std::function<bool()>& c, const char* what) { REQUIRE(WaitUntil(c, kWait, 1), what); };
  Notepad np("doc.txt");
  for (int i = 0; i < 5; ++i) {
    SendMessageA(np.edit, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(g_doc.c_str()));
    PressHotKey(np, g_passage, VK_MENU);
    double t0 = Now();
    fast([] { return Shown() && CtlText(kIdSource) == g_passage; }, "capture");
    shown.push_back(Now() - t0);
    TypePasswords(g_password, g_password), PressKeys({VK_RETURN});
    fast([] { return CtlText(kIdResult) == g_block; }, "encode");
    PressKeys({VK_F10});
    fast([&] { return Text(np.edit) == g_encDoc; }, "paste");
    cycle.push_back(Now() - t0);
    OpenFromTray();
    SetItemText(Main(), kIdSource, Bytes("korean100k.txt")), TypePasswords(g_password, g_password);
    t0 = Now(), Click(Main(), kIdEncode);
    fast([] { return SendMessageA(Ctl(kIdResult), WM_GETTEXTLENGTH, 0, 0) == 102402; }, "100 KB encode");
    encode.push_back(Now() - t0);
  }
  Hide(), Sleep(2000);
  auto cpu = [] {
    FILETIME c, e, k, u;
    GetProcessTimes(g_mirelka.pi.hProcess, &c, &e, &k, &u);
    return ((ULONGLONG(k.dwHighDateTime) << 32 | k.dwLowDateTime) + (ULONGLONG(u.dwHighDateTime) << 32 | u.dwLowDateTime)) / 1e7;
  };
  const double c0 = cpu(), w0 = Now();
  Sleep(10000);
  const double idleCpu = std::max(0.0, cpu() - c0), wall = Now() - w0;
  PROCESS_MEMORY_COUNTERS mem = {};
  mem.cb = sizeof mem;
  GetProcessMemoryInfo(g_mirelka.pi.hProcess, &mem, sizeof mem);
  SayFigure("hotkey-to-window", shown), SayFigure("encode-100k", encode), SayFigure("cycle", cycle);
  Say("BENCH idle-cpu %.1f ms in %.1f s (%.3f %%)\n", idleCpu * 1000, wall, 100 * idleCpu / wall);
  Say("BENCH working-set %.0f KiB, peak %.0f KiB\n", mem.WorkingSetSize / 1024.0, mem.PeakWorkingSetSize / 1024.0);
}

// After each scenario, so that the next starts clean: held keys are let go;
// a box or dialog the scenario left open fails it (the next would answer
// it); Mirelka is ended and its settings cleared after a failure or settings
// of the scenario's own, else hidden.
void Tidy() {
  for (BYTE vk : {VK_MENU, VK_SHIFT, VK_CONTROL, VK_LWIN}) if (GetAsyncKeyState(vk) < 0) Key(vk, true);
  // What the scenario closed at its end may take a moment to go.
  if (!Failures() && Main() && !Until([] { return TopWindows(g_mirelka.pi.dwProcessId, nullptr).empty(); }, 5000))
    Fail(__FILE__, __LINE__, "a box or dialog left open");
  if (Failures() || g_restarted) StopMirelka(), ClearSettings(); else Hide();
  g_restarted = false;
}

const Scenario kScenarios[] = {
    {"encrypt", ScenarioEncrypt}, {"decrypt", ScenarioDecrypt}, {"nottext", ScenarioNotText}, {"limits", ScenarioLimits},
    {"delimiters", ScenarioDelimiters}, {"passwords", ScenarioPasswords}, {"topmost", ScenarioTopmost},
    {"instance", ScenarioInstance}, {"layout", ScenarioLayout}, {"actkey", ScenarioActKey},
    {"keyfile", ScenarioKeyFile}, {"options-basic", ScenarioOptionsBasic}, {"options-edit", ScenarioOptionsEdit},
    {"options-hotkey", ScenarioOptionsHotKey}, {"options-keyfile", ScenarioOptionsKeyFile}, {"find", ScenarioFind},
    {"find-delimiter", ScenarioFindDelimiter}, {"about", ScenarioAbout}, {"help", ScenarioHelp}, {nullptr, nullptr},
};

}  // namespace

int main(int argc, char** argv) {
  if (argc < 4) return std::printf("usage: mirelka_e2e WORK APP ARTEFACTS [SCENARIO...]\n"), 2;
  g_work = argv[1], g_app = argv[2];
  OpenResults(g_work + "\\results.txt"), SetArtefacts(argv[3], "mirelka-");
  g_password = FirstLine("password.txt"), g_doc = Bytes("doc.txt"), g_passage = Bytes("passage.txt"), g_block = Bytes("passage.enc");
  g_keyBlock = Bytes("passage-key.enc"), g_encDoc = Bytes("doc-enc.txt");
  ClearSettings();
  const bool bench = argc == 5 && std::strcmp(argv[4], "bench") == 0;
  const int failed = bench ? !Guarded(Bench) || Failures() : RunScenarios(kScenarios, argc - 4, argv + 4, "Mirelka", Tidy);
  StopMirelka(), ClearSettings();
  return Finish(failed);
}
