// Mirelka.exe: the tray program that encrypts and decrypts a selection in
// any application. Started with Windows (the Run entry) or by hand; the
// updater restarts it with the single argument "noupdate".
#include <windows.h>

#include <cstring>

#include "common/registry.h"
#include "mirelka/win32/app.h"
#include "mirelka/win32/main_window.h"
#include "mirelka/win32/resource.h"

const char kProgramName[] = "Mirelka";
const char kProgramVersion[] = "1.0";

CMirelkaApp& App() {
  static CMirelkaApp app;
  return app;
}

namespace {

// Enter in the password edits or on a text button, once the dialog
// navigation has had the key: the button's command, unless a run is busy.
void EnterShortcut(const MSG& msg) {
  CMirelkaApp& app = App();
  if (msg.message != WM_KEYDOWN || msg.wParam != VK_RETURN || app.cap.busy.load() != 0) return;
  if (msg.hwnd == app.password || msg.hwnd == app.confirm || msg.hwnd == app.encode) {
    app.cap.busy = 1;
    SendMessageA(app.main, WM_COMMAND, MAKEWPARAM(IDC_ENCODE, BN_CLICKED), 0);
  } else if (msg.hwnd == app.paste) {
    SendMessageA(app.main, WM_COMMAND, MAKEWPARAM(IDC_PASTE, BN_CLICKED), 0);
  } else if (msg.hwnd == app.clear) {
    SendMessageA(app.main, WM_COMMAND, MAKEWPARAM(IDC_CLEAR, BN_CLICKED), 0);
  }
}

int MessageLoop() {
  CMirelkaApp& app = App();
  MSG msg;
  while (GetMessageA(&msg, nullptr, 0, 0) > 0) {
    if (app.accelerators && TranslateAcceleratorA(app.main, app.accelerators, &msg)) continue;
    // The large edits take every key themselves: Enter is a line break
    // there and Tab a tab.
    if (msg.hwnd != nullptr && (msg.hwnd == app.source || msg.hwnd == app.result)) {
      TranslateMessage(&msg);
      DispatchMessageA(&msg);
      continue;
    }
    bool taken = IsDialogMessageA(app.main, &msg) ||
                 (app.findDialog && IsDialogMessageA(app.findDialog, &msg)) ||
                 (app.waitDialog && IsDialogMessageA(app.waitDialog, &msg));
    if (!taken) {
      TranslateMessage(&msg);
      DispatchMessageA(&msg);
      continue;
    }
    EnterShortcut(msg);
  }
  return static_cast<int>(msg.wParam);
}

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR commandLine, int) {
  CMirelkaApp& app = App();
  app.instance = instance;
  if (!RegisterMainClass(instance)) return 1;
  // Only the exact word, as the updater gives it, suppresses the check.
  app.noUpdate = commandLine != nullptr && std::strcmp(commandLine, "noupdate") == 0;
  LoadSettings(RealRegistry(), app.settings);

  HWND main = CreateWindowExA(0, kMainClass, kProgramName, WS_OVERLAPPEDWINDOW, 50, 50, 510, 490,
                              nullptr, nullptr, instance, nullptr);
  // A second instance ends inside window creation.
  if (main == nullptr || !IsWindow(main)) return 0;
  if (app.settings.startHideWnd == 1) {
    HideToTray();
  } else {
    ShowWindow(main, SW_SHOWNORMAL);
    UpdateWindow(main);
  }
  SetWindowTextA(main, "Mirelka v1.0  for 한글 윈도우즈");
  app.accelerators = LoadAcceleratorsA(instance, MAKEINTRESOURCEA(IDR_ACCEL));
  return MessageLoop();
}
