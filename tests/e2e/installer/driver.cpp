// The installer's end-to-end driver: what a user sees and does on Wine's
// virtual desktop, one step per run (tests/e2e/installer/run checks the
// files and the registry around it).
//   installer_e2e hold STOPFILE DLL
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

#include <cstdio>
#include <string>
#include <vector>

#include "../driver/harness.h"
#include "../driver/ui.h"

namespace {

const int kMirelkaExit = 40034, kSourceEdit = 303;  // its "프로그램 종료" command, its source edit

BOOL CALLBACK AddWindow(HWND w, LPARAM list) {
  reinterpret_cast<std::vector<HWND>*>(list)->push_back(w);
  return TRUE;
}
// Whether a visible window below `top` of the class (any for null) is `what`.
bool Shows(HWND top, const char* cls, const std::function<bool(HWND)>& what) {
  std::vector<HWND> all;
  EnumChildWindows(top, AddWindow, reinterpret_cast<LPARAM>(&all));
  char name[64];
  for (HWND w : all)
    if (IsWindowVisible(w) && GetClassNameA(w, name, sizeof name) && (!cls || !lstrcmpiA(name, cls)) && what(w)) return true;
  return false;
}
bool ShowsText(HWND top, const std::string& text) { return Shows(top, nullptr, [&](HWND w) { return Text(w) == text; }); }

HWND MirelkaWindow() { return FindWindowA("Mirelka", nullptr); }

bool ProcessEnded(DWORD pid, DWORD waitMs) {
  Program p;
  p.pi.hProcess = OpenProcess(SYNCHRONIZE, FALSE, pid);
  return !p.pi.hProcess || p.Ended(waitMs);
}

void StopMirelka() {
  const DWORD pid = ProcessOf(MirelkaWindow());
  if (pid) PostMessageA(MirelkaWindow(), WM_COMMAND, kMirelkaExit, 0), ProcessEnded(pid, 10000);
}

// Starts Mirelka the way the Start menu does: the shell opens the shortcut.
HWND StartFromShortcut(const std::string& shortcut) {
  REQUIRE(reinterpret_cast<INT_PTR>(ShellExecuteA(nullptr, "open", shortcut.c_str(), nullptr, nullptr, SW_SHOWNORMAL)) > 32,
          "the shell opens the shortcut " + shortcut);
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
  DWORD oldPid = ProcessOf(StartFromShortcut(shortcut));
  CaptureFromNotepad(document);

  Program setupRun;
  REQUIRE(StartProgram("\"" + setup + "\"", setupRun), "the installer starts");
  DWORD pid = setupRun.pi.dwProcessId;
  HWND top = NEED(WaitDialog(pid, caption.c_str(), 30000), "the installer's window");
  REQUIRE(WaitUntil([&] { return ShowsText(top, caption); }), "the first page, titled \"" + caption + "\"");
  CHECK(Shot(nullptr, "first-page"), "screenshot of the first page");
  Click(top, IDOK);

  // The folder page (perhaps with a closing backslash).
  REQUIRE(WaitUntil([&] { return Shows(top, "Edit", [&](HWND w) { return Text(w).rfind(instdir, 0) == 0; }); }),
          "the folder page offers the earlier installation's folder " + instdir);
  Click(top, IDOK);

  // Then it asks (a box other than its main window) before closing Mirelka.
  HWND box = nullptr;
  REQUIRE(WaitUntil([&] {
    for (HWND w : TopWindows(pid, nullptr))
      if (w != top && GetDlgItem(w, 0xFFFF)) box = w;
    return box != nullptr;
  }, 30000), "the installer asks before closing the running Mirelka");
  REQUIRE(Answer(box, IDOK), "the question is answered with OK");
  CHECK(ProcessEnded(oldPid, 15000), "the running Mirelka has ended");

  REQUIRE(WaitUntil([&] { return ShowsText(top, finishTitle); }, 120000), "the finish page, titled " + finishTitle);
  CHECK(Shot(nullptr, "finish-page"), "screenshot of the finish page");
  CHECK(!Shows(top, "Button", [](HWND w) { return (GetWindowLongA(w, GWL_STYLE) & BS_TYPEMASK) == BS_AUTORADIOBUTTON; }),
        "the finish page asks for no restart (the shell DLLs in use were moved aside)");
  Click(top, IDOK);
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
  if (StartProgram(command, p) &&
      WaitUntil([&] { return (shown = shown || !TopWindows(p.pi.dwProcessId, nullptr).empty()), p.Ended(0); }, timeoutMs, 20))
    GetExitCodeProcess(p.pi.hProcess, &code);
  return shown ? 97 : static_cast<int>(code);
}

int Uninstall(char** a) {
  DWORD mirelkaPid = ProcessOf(StartFromShortcut(a[1]));
  CHECK_EQ("0", std::to_string(Run(a[2], 120000)), "the silent uninstall of " + std::string(a[2]) + ": exit code");
  CHECK(ProcessEnded(mirelkaPid, 5000) && MirelkaWindow() == nullptr, "the uninstaller closed Mirelka");
  return 0;
}

int Hold(char** argv) {
  if (!LoadLibraryA(argv[3])) return std::printf("cannot load %s (%lu)\n", argv[3], GetLastError()), 1;
  std::string stop = argv[2];
  if (FILE* f = std::fopen((stop + ".ready").c_str(), "w")) std::fclose(f);
  while (GetFileAttributesA(stop.c_str()) == INVALID_FILE_ATTRIBUTES) Sleep(100);
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  std::string mode = argc > 1 ? argv[1] : "";
  if (mode == "hold" && argc == 4) return Hold(argv);
  if (mode == "run" && argc == 3) return Run(argv[2]);
  bool upgrade = mode == "upgrade" && argc == 9, uninstall = mode == "uninstall" && argc == 5;
  if (!upgrade && !uninstall) return std::printf("usage: see tests/e2e/installer/driver.cpp\n"), 2;
  OpenResults(argv[2]);
  CoInitialize(nullptr);
  if (!Guarded([&] { upgrade ? Upgrade(argv + 2) : Uninstall(argv + 2); })) {
    if (upgrade) Shot(nullptr, "failed-step");
    StopMirelka();
  }
  return Finish(Failures()) ? 1 : 0;
}
