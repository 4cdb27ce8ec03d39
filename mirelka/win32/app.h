// Process-wide state of Mirelka.exe: the main window and its controls, the
// capture cycle's record and the settings. The user-interface thread owns
// all of it; the cipher worker reads the window handles and writes `busy`,
// the wait dialog writes `cancelKeyFile`, the update check `updateState`.
#ifndef MIRELKA_WIN32_APP_H
#define MIRELKA_WIN32_APP_H

#include <windows.h>

#include <atomic>
#include <cstdint>

#include "common/win32/gdi.h"
#include "common/win32/window.h"
#include "common/win32/worker_thread.h"
#include "mirelka/capture_rules.h"
#include "mirelka/settings.h"

// The capture-and-replace cycle.
struct CaptureState {
  HWND targetWindow = nullptr;  // foreground window at capture; the paste goes back to it
  HWND targetFocus = nullptr;   // its control that held the selection
  int32_t encryptMode = 1;      // 1: plain text in the source edit; 0: a block in the result edit
  std::atomic<int32_t> busy{0};  // a cipher run is being started or runs
  int32_t pastePending = 0;     // between the two ticks of the paste timer
  int32_t tooLarge = 0;         // the last read refused more than the limit
  CaptureCounters counters;     // key-release polls and empty clipboard reads
  std::atomic<int32_t> cancelKeyFile{0};  // Cancel in the wait dialog
  int32_t hotkeyRegistered = 0;
  int32_t lastFocusSource = 1;  // the source edit had the focus last (else the result edit)
};

struct CMirelkaApp {
  HINSTANCE instance = nullptr;
  HWND main = nullptr;
  HWND password = nullptr, confirm = nullptr, source = nullptr, result = nullptr;
  HWND tooltip = nullptr;
  HWND encode = nullptr, paste = nullptr, clear = nullptr;
  HWND topmost = nullptr, horz = nullptr, vert = nullptr, wrap = nullptr, banner = nullptr;
  HWND findDialog = nullptr;  // modeless find dialog, when open
  HWND waitDialog = nullptr;  // common-key-file wait dialog, while a file is read
  HACCEL accelerators = nullptr;

  HANDLE mutex = nullptr;
  CWorkerThread cipherWorker;  // the latest cipher run

  bool noUpdate = false;
  // -1 while the update check runs, 0 nothing to do, 1 the updater was
  // started and Mirelka must end.
  std::atomic<int32_t> updateState{-1};

  RECT windowRect = {};  // last non-minimized rectangle, screen coordinates

  WNDPROC sourceProc = nullptr, resultProc = nullptr, bannerProc = nullptr;
  CFont passwordFont, editFont;

  CaptureState cap;
  MirelkaSettings settings;
};

CMirelkaApp& App();

// The title of the main window and the tray tip.
extern const char kProgramName[];    // "Mirelka"
extern const char kProgramVersion[]; // "1.0"

#endif
