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

const char kMirelkaClass[] = "Mirelka";
const int kMirelkaExit = 40034;  // its "프로그램 종료" command
const int kSourceEdit = 303;
const char kRunningQuestion[] = "Mirelka가 실행 중입니다.";
const char kRunText[] = "지금 Mirelka 실행";

BOOL CALLBACK AddWindow(HWND w, LPARAM list) {
  reinterpret_cast<std::vector<HWND>*>(list)->push_back(w);
  return TRUE;
}
// Every window below `top`.
std::vector<HWND> Descendants(HWND top) {
  std::vector<HWND> all;
  EnumChildWindows(top, AddWindow, reinterpret_cast<LPARAM>(&all));
  return all;
}
HWND VisibleDescendantWithText(HWND top, const std::string& text) {
  for (HWND w : Descendants(top)) {
    if (IsWindowVisible(w) && Text(w) == text) return w;
  }
  return nullptr;
}
std::string ClassOf(HWND w) {
  char name[64] = {};
  GetClassNameA(w, name, sizeof name);
  return name;
}

HWND MirelkaWindow() { return FindWindowA(kMirelkaClass, nullptr); }

bool ProcessEnded(DWORD pid, DWORD waitMs) {
  HANDLE h = OpenProcess(SYNCHRONIZE, FALSE, pid);
  if (!h) return true;
  bool ended = WaitForSingleObject(h, waitMs) == WAIT_OBJECT_0;
  CloseHandle(h);
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
  std::string target;
  IShellLinkA* link = nullptr;
  if (FAILED(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkA,
                              reinterpret_cast<void**>(&link)))) {
    return target;
  }
  IPersistFile* file = nullptr;
  if (SUCCEEDED(link->QueryInterface(IID_IPersistFile, reinterpret_cast<void**>(&file)))) {
    wchar_t wide[MAX_PATH] = {};
    MultiByteToWideChar(CP_ACP, 0, shortcut.c_str(), -1, wide, MAX_PATH);
    char path[MAX_PATH] = {};
    if (SUCCEEDED(file->Load(wide, STGM_READ)) && SUCCEEDED(link->GetPath(path, MAX_PATH, nullptr, 0))) {
      target = path;
    }
    file->Release();
  }
  link->Release();
  return target;
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
  bool captured = WaitUntil([&] { return IsWindowVisible(mirelka) && Text(GetDlgItem(mirelka, kSourceEdit)) == want; });
  if (!captured) Shot(nullptr, "capture-failed");
  CHECK(captured, "Alt+Scroll Lock over notepad puts the selection into Mirelka's window");
  SendMessageA(mirelka, WM_SYSCOMMAND, SC_CLOSE, 0);
}

// A message box of the process other than its main window.
HWND WaitOtherBox(DWORD pid, HWND main, DWORD timeoutMs) {
  HWND box = nullptr;
  WaitUntil([&] {
    for (HWND w : TopWindows(pid, nullptr)) {
      if (w != main && GetDlgItem(w, 0xFFFF)) box = w;
    }
    return box != nullptr;
  }, timeoutMs);
  return box;
}

int Upgrade(char** a) {
  SetArtefacts(a[1], "installer-");
  std::string instdir = a[2], shortcut = a[3], document = a[4], setup = a[5], version = a[6];
  const std::string caption = "Mirelka " + version + " 설치";
  const std::string finishTitle = "Mirelka " + version + " 설치 완료";

  std::string folder = shortcut.substr(0, shortcut.rfind('\\') + 1);
  CHECK(ShortcutTarget(shortcut) == instdir + "\\Mirelka.exe", "the Mirelka shortcut points at " + instdir +
        "\\Mirelka.exe: " + ShortcutTarget(shortcut));
  CHECK(ShortcutTarget(folder + "Mirelka 도움말.lnk") == instdir + "\\Mirelka.chm",
        "the help shortcut points at the help file: " + ShortcutTarget(folder + "Mirelka 도움말.lnk"));
  HWND old = StartFromShortcut(shortcut);
  DWORD oldPid = ProcessOf(old);
  CaptureFromNotepad(document);

  Program setupRun;
  REQUIRE(StartProgram("\"" + setup + "\"", setupRun), "the installer starts");
  DWORD pid = setupRun.pi.dwProcessId;
  HWND top = nullptr;
  REQUIRE(WaitUntil([&] {
    std::vector<HWND> w = TopWindows(pid, caption.c_str());
    top = w.empty() ? nullptr : w[0];
    return top && VisibleDescendantWithText(top, caption) != nullptr;
  }, 30000), "the first page, titled \"" + caption + "\"");
  CHECK(Shot(nullptr, "first-page"), "screenshot of the first page");
  Click(top, IDOK);

  // The folder page shows it with a closing backslash.
  std::string offered;
  bool offeredOld = WaitUntil([&] {
    for (HWND w : Descendants(top)) {
      if (!IsWindowVisible(w) || ClassOf(w) != "Edit") continue;
      offered = Text(w);
      if (!offered.empty() && offered.back() == '\\') offered.pop_back();
      if (offered == instdir) return true;
    }
    return false;
  });
  REQUIRE(offeredOld, "the folder page offers the earlier installation's folder " + instdir + ": " + offered);
  Click(top, IDOK);

  HWND box = WaitOtherBox(pid, top, 30000);
  REQUIRE(box != nullptr, "the installer asks before closing the running Mirelka");
  std::string question = Text(GetDlgItem(box, 0xFFFF));
  CHECK(question.find(kRunningQuestion) == 0,
        "the question says Mirelka is running: " + question.substr(0, question.find('\n')));
  REQUIRE(Answer(box, IDOK), "the question is answered with OK");
  CHECK(ProcessEnded(oldPid, 15000), "the running Mirelka has ended");

  REQUIRE(WaitUntil([&] { return VisibleDescendantWithText(top, finishTitle) != nullptr; }, 120000),
          "the finish page, titled \"" + finishTitle + "\"");
  CHECK(Shot(nullptr, "finish-page"), "screenshot of the finish page");
  bool radio = false, runChecked = false;
  for (HWND w : Descendants(top)) {
    LONG type = GetWindowLongA(w, GWL_STYLE) & BS_TYPEMASK;
    if (ClassOf(w) != "Button" || !IsWindowVisible(w)) continue;
    if (type == BS_AUTORADIOBUTTON || type == BS_RADIOBUTTON) radio = true;
    if (Text(w) == kRunText) runChecked = SendMessageA(w, BM_GETCHECK, 0, 0) == BST_CHECKED;
  }
  CHECK(!radio, "the finish page asks for no restart (the shell DLLs in use were moved aside)");
  CHECK(runChecked, std::string("\"") + kRunText + "\" is offered and ticked");
  Click(top, IDOK);
  CHECK(setupRun.Ended(30000), "the installer ends with the finish button");
  DWORD code = 99;
  GetExitCodeProcess(setupRun.pi.hProcess, &code);
  CHECK(code == 0, "the installer's exit code is 0: " + std::to_string(code));

  HWND fresh = nullptr;
  CHECK(WaitUntil([&] {
    fresh = MirelkaWindow();
    return fresh && ProcessOf(fresh) != oldPid;
  }, 30000), "the finish page started the new Mirelka");
  StopMirelka();
  return 0;
}

// Waits for a silent run to end while watching that it shows no window;
// false when it did not end in time.
bool EndSilently(Program& run, DWORD timeoutMs, DWORD& code, bool& shown) {
  shown = false;
  if (!WaitUntil([&] {
        shown = shown || !TopWindows(run.pi.dwProcessId, nullptr).empty();
        return run.Ended(0);
      }, timeoutMs, 20))
    return false;
  GetExitCodeProcess(run.pi.hProcess, &code);
  return true;
}

int Uninstall(char** a) {
  std::string shortcut = a[1], command = a[2];
  HWND w = StartFromShortcut(shortcut);
  DWORD mirelkaPid = ProcessOf(w);
  Program run;
  REQUIRE(StartProgram(command, run), "the uninstaller starts: " + command);
  DWORD code = 99;
  bool shown = false;
  REQUIRE(EndSilently(run, 120000, code, shown), "the silent uninstall ends");
  CHECK(!shown, "the silent uninstall showed no window");
  CHECK(code == 0, "the silent uninstall's exit code is 0: " + std::to_string(code));
  CHECK(ProcessEnded(mirelkaPid, 5000) && MirelkaWindow() == nullptr, "the uninstaller closed Mirelka");
  return 0;
}

int Hold(int argc, char** argv) {
  std::string stop = argv[2];
  for (int i = 3; i < argc; ++i) {
    if (!LoadLibraryA(argv[i])) {
      std::printf("cannot load %s (%lu)\n", argv[i], GetLastError());
      return 1;
    }
  }
  if (FILE* f = std::fopen((stop + ".ready").c_str(), "w")) std::fclose(f);
  while (GetFileAttributesA(stop.c_str()) == INVALID_FILE_ATTRIBUTES) Sleep(100);
  return 0;
}

}  // namespace

// A silent install or removal: its exit code, or 97 when it showed a window.
int Run(const char* command) {
  Program p;
  DWORD code = 99;
  bool shown = false;
  if (!StartProgram(command, p) || !EndSilently(p, INFINITE, code, shown)) return 98;
  if (shown) std::printf("the silent run showed a window\n");
  return shown ? 97 : static_cast<int>(code);
}

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
