// The installer's end-to-end driver: what a user sees and does on Wine's
// virtual desktop, one step per run (tests/e2e/installer/run checks the
// files and the registry around it).
//   installer_e2e hold STOPFILE DLL...
//       loads the DLLs as Explorer does, writes STOPFILE.ready, and keeps
//       them loaded until STOPFILE exists
//   installer_e2e upgrade RESULTS ARTEFACTS INSTDIR SHORTCUT DOCUMENT SETUP VERSION
//       starts Mirelka from its Start-menu shortcut, captures the document's
//       text from notepad with the hot key, then runs SETUP interactively
//       over the running Mirelka: first page, folder, the question about
//       Mirelka, finish page (screenshots of both), finish with "run"
//   installer_e2e run COMMAND
//       runs the command line as it is (an installer's "/D=" must stay
//       unquoted) and ends with its exit code
//   installer_e2e uninstall RESULTS SHORTCUT COMMAND
//       starts Mirelka from its shortcut and runs the silent uninstall
//       COMMAND, which must close it
// RESULTS receives a "FAIL ..." line for each failed check and "RESULT OK"
// or "RESULT FAIL" (the desktop swallows standard output).
#include <windows.h>
#include <objbase.h>
#include <shellapi.h>
#include <shlobj.h>
#include <shobjidl.h>

#include <cstdio>
#include <string>
#include <vector>

#include "../driver/harness.h"
#include "../driver/ui.h"

namespace {

const int kMirelkaExit = 40034;  // its "프로그램 종료" command
const int kSourceEdit = 303;
const char kRunningQuestion[] = "Mirelka가 실행 중입니다.";
const char kRunText[] = "지금 Mirelka 실행";

BOOL CALLBACK AddWindow(HWND w, LPARAM list) {
  reinterpret_cast<std::vector<HWND>*>(list)->push_back(w);
  return TRUE;
}
// Every visible window below `top` of the class.
std::vector<HWND> Shown(HWND top, const char* cls) {
  std::vector<HWND> all, out;
  EnumChildWindows(top, AddWindow, reinterpret_cast<LPARAM>(&all));
  char name[64];
  for (HWND w : all)
    if (IsWindowVisible(w) && GetClassNameA(w, name, sizeof name) && (!cls || lstrcmpiA(name, cls) == 0)) out.push_back(w);
  return out;
}
bool ShowsText(HWND top, const std::string& text) {
  for (HWND w : Shown(top, nullptr))
    if (Text(w) == text) return true;
  return false;
}

HWND MirelkaWindow() { return FindWindowA("Mirelka", nullptr); }

bool ProcessEnded(DWORD pid, DWORD waitMs) {
  HANDLE h = OpenProcess(SYNCHRONIZE, FALSE, pid);
  bool ended = !h || WaitForSingleObject(h, waitMs) == WAIT_OBJECT_0;
  if (h) CloseHandle(h);
  return ended;
}

void StopMirelka() {
  if (HWND w = MirelkaWindow()) {
    DWORD pid = ProcessOf(w);
    PostMessageA(w, WM_COMMAND, MAKEWPARAM(kMirelkaExit, 0), 0);
    ProcessEnded(pid, 10000);
  }
}

// Where a shortcut points, as the shell reads it.
std::string ShortcutTarget(const std::string& shortcut) {
  char path[MAX_PATH] = {};
  wchar_t wide[MAX_PATH] = {};
  MultiByteToWideChar(CP_ACP, 0, shortcut.c_str(), -1, wide, MAX_PATH);
  IShellLinkA* link = nullptr;
  IPersistFile* file = nullptr;
  if (SUCCEEDED(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkA,
                                 reinterpret_cast<void**>(&link))) &&
      SUCCEEDED(link->QueryInterface(IID_IPersistFile, reinterpret_cast<void**>(&file))) &&
      SUCCEEDED(file->Load(wide, STGM_READ)))
    link->GetPath(path, MAX_PATH, nullptr, 0);
  if (file) file->Release();
  if (link) link->Release();
  return path;
}

// Starts Mirelka the way the Start menu does: the shell opens the shortcut.
HWND StartFromShortcut(const std::string& shortcut) {
  HINSTANCE r = ShellExecuteA(nullptr, "open", shortcut.c_str(), nullptr, nullptr, SW_SHOWNORMAL);
  REQUIRE(reinterpret_cast<INT_PTR>(r) > 32, "the shell opens the shortcut " + shortcut);
  HWND w = nullptr;
  // The full title is set once the window is made, its hot key registered.
  REQUIRE(WaitUntil([&] { return (w = MirelkaWindow()) != nullptr && Text(w).rfind("Mirelka v", 0) == 0; }, 30000),
          "Mirelka started from its shortcut has its window");
  return w;
}

// Selects all of notepad's text and presses Alt+Scroll Lock over it: the
// text lands in Mirelka's source edit.
void CaptureFromNotepad(const std::string& document) {
  const std::string want = FileBytes(document);
  NotepadWindow notepad;
  REQUIRE(OpenInNotepad(document, want, notepad), "notepad shows the document");
  SendMessageA(notepad.edit, EM_SETSEL, 0, -1);
  BringToFront(notepad.main);
  REQUIRE(GetForegroundWindow() == notepad.main, "notepad is in front");
  PressKeys({VK_MENU, VK_SCROLL});
  HWND mirelka = MirelkaWindow();
  CHECK(WaitUntil([&] { return IsWindowVisible(mirelka) && Text(GetDlgItem(mirelka, kSourceEdit)) == want; }) ||
            (Shot(nullptr, "capture-failed"), false),
        "Alt+Scroll Lock over notepad puts the selection into Mirelka's window");
  SendMessageA(mirelka, WM_SYSCOMMAND, SC_CLOSE, 0);
}

int Upgrade(char** a) {
  SetArtefacts(a[1], "installer-");
  std::string instdir = a[2], shortcut = a[3], document = a[4], setup = a[5], version = a[6];
  const std::string caption = "Mirelka " + version + " 설치", finishTitle = caption + " 완료";
  const std::string help = shortcut.substr(0, shortcut.rfind('\\') + 1) + "Mirelka 도움말.lnk";
  CHECK_EQ(instdir + "\\Mirelka.exe", ShortcutTarget(shortcut), "the Mirelka shortcut's target");
  CHECK_EQ(instdir + "\\Mirelka.chm", ShortcutTarget(help), "the help shortcut's target");
  DWORD oldPid = ProcessOf(StartFromShortcut(shortcut));
  CaptureFromNotepad(document);

  Program setupRun;
  REQUIRE(StartProgram("\"" + setup + "\"", setupRun), "the installer starts");
  DWORD pid = setupRun.pi.dwProcessId;
  HWND top = nullptr;
  REQUIRE(WaitUntil([&] {
    std::vector<HWND> w = TopWindows(pid, caption.c_str());
    return (top = w.empty() ? nullptr : w[0]) && ShowsText(top, caption);
  }, 30000), "the first page, titled \"" + caption + "\"");
  CHECK(Shot(nullptr, "first-page"), "screenshot of the first page");
  Click(top, IDOK);

  // The folder page (perhaps with a closing backslash).
  std::string offered;
  REQUIRE(WaitUntil([&] {
    for (HWND w : Shown(top, "Edit"))
      if ((offered = Text(w)) == instdir || offered == instdir + "\\") return true;
    return false;
  }), "the folder page offers the earlier installation's folder " + instdir + ": " + offered);
  Click(top, IDOK);

  // Then it asks (a box other than its main window) before closing Mirelka.
  HWND box = nullptr;
  REQUIRE(WaitUntil([&] {
    for (HWND w : TopWindows(pid, nullptr))
      if (w != top && GetDlgItem(w, 0xFFFF)) box = w;
    return box != nullptr;
  }, 30000), "the installer asks before closing the running Mirelka");
  std::string question = Text(GetDlgItem(box, 0xFFFF));
  CHECK(question.find(kRunningQuestion) == 0, "the question says Mirelka is running: " + question);
  REQUIRE(Answer(box, IDOK), "the question is answered with OK");
  CHECK(ProcessEnded(oldPid, 15000), "the running Mirelka has ended");

  REQUIRE(WaitUntil([&] { return ShowsText(top, finishTitle); }, 120000), "the finish page, titled " + finishTitle);
  CHECK(Shot(nullptr, "finish-page"), "screenshot of the finish page");
  bool radio = false, runChecked = false;
  for (HWND w : Shown(top, "Button")) {
    LONG type = GetWindowLongA(w, GWL_STYLE) & BS_TYPEMASK;
    radio = radio || type == BS_AUTORADIOBUTTON || type == BS_RADIOBUTTON;
    if (Text(w) == kRunText) runChecked = SendMessageA(w, BM_GETCHECK, 0, 0) == BST_CHECKED;
  }
  CHECK(!radio, "the finish page asks for no restart (the shell DLLs in use were moved aside)");
  CHECK(runChecked, std::string("\"") + kRunText + "\" is offered and ticked");
  Click(top, IDOK);
  CHECK(setupRun.Ended(30000), "the installer ends with the finish button");
  DWORD code = 99;
  GetExitCodeProcess(setupRun.pi.hProcess, &code);
  CHECK(code == 0, "the installer's exit code is 0: " + std::to_string(code));
  CHECK(WaitUntil([&] { return MirelkaWindow() && ProcessOf(MirelkaWindow()) != oldPid; }, 30000),
        "the finish page started the new Mirelka");
  StopMirelka();
  return 0;
}

// Runs a silent install or removal (the command line as it is: "/D=" must
// stay unquoted) while watching that it shows no window: its exit code, 97
// when it showed a window, 98 when it did not start or end.
int Run(const std::string& command, DWORD timeoutMs = INFINITE) {
  Program p;
  DWORD code = 98;
  bool shown = false;
  if (!StartProgram(command, p) || !WaitUntil([&] {
        shown = shown || !TopWindows(p.pi.dwProcessId, nullptr).empty();
        return p.Ended(0);
      }, timeoutMs, 20))
    return 98;
  GetExitCodeProcess(p.pi.hProcess, &code);
  if (shown) Say("the silent run showed a window\n");
  return shown ? 97 : static_cast<int>(code);
}

int Uninstall(char** a) {
  DWORD mirelkaPid = ProcessOf(StartFromShortcut(a[1]));
  CHECK_EQ("0", std::to_string(Run(a[2], 120000)), "the silent uninstall of " + std::string(a[2]) + ": exit code");
  CHECK(ProcessEnded(mirelkaPid, 5000) && MirelkaWindow() == nullptr, "the uninstaller closed Mirelka");
  return 0;
}

int Hold(int argc, char** argv) {
  for (int i = 3; i < argc; ++i)
    if (!LoadLibraryA(argv[i])) return std::printf("cannot load %s (%lu)\n", argv[i], GetLastError()), 1;
  std::string stop = argv[2];
  if (FILE* f = std::fopen((stop + ".ready").c_str(), "w")) std::fclose(f);
  while (GetFileAttributesA(stop.c_str()) == INVALID_FILE_ATTRIBUTES) Sleep(100);
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  std::string mode = argc > 1 ? argv[1] : "";
  if (mode == "hold" && argc >= 4) return Hold(argc, argv);
  if (mode == "run" && argc == 3) return Run(argv[2]);
  bool upgrade = mode == "upgrade" && argc == 9, uninstall = mode == "uninstall" && argc == 5;
  if (!upgrade && !uninstall) {
    std::printf("usage: installer_e2e hold STOPFILE DLL... | run COMMAND | upgrade RESULTS ARTEFACTS INSTDIR SHORTCUT "
                "DOCUMENT SETUP VERSION | uninstall RESULTS SHORTCUT COMMAND\n");
    return 2;
  }
  OpenResults(argv[2]);
  CoInitialize(nullptr);
  if (!Guarded([&] { upgrade ? Upgrade(argv + 2) : Uninstall(argv + 2); })) {
    if (upgrade) Shot(nullptr, "failed-step");
    StopMirelka();
  }
  return Finish(Failures()) ? 1 : 0;
}
