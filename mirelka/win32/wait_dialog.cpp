// The wait dialog shown while the common key file is read: the reader on the
// cipher worker shows it, moves its bar and closes it; Cancel asks the reader
// to stop.
#include <windows.h>

#include "mirelka/win32/app.h"
#include "mirelka/win32/main_window.h"
#include "mirelka/win32/resource.h"

namespace {

void CentreOn(HWND hwnd, HWND over) {
  RECT a, r;
  GetWindowRect(over, &a);
  GetWindowRect(hwnd, &r);
  int x = a.left + ((a.right - a.left) - (r.right - r.left)) / 2;
  int y = a.top + ((a.bottom - a.top) - (r.bottom - r.top)) / 2;
  SetWindowPos(hwnd, nullptr, x, y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

INT_PTR CALLBACK WaitProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM) {
  CMirelkaApp& app = App();
  switch (msg) {
    case WM_INITDIALOG: CentreOn(hwnd, GetWindow(hwnd, GW_OWNER)); return TRUE;
    case WM_COMMAND:
      if (LOWORD(wp) == IDC_WAIT_CANCEL || LOWORD(wp) == IDCANCEL) {
        app.cap.cancelKeyFile = 1;
        DestroyWindow(hwnd);
      }
      return TRUE;
    case WM_CLOSE: DestroyWindow(hwnd); return TRUE;
    case WM_DESTROY:
      if (app.waitDialog == hwnd) app.waitDialog = nullptr;
      return TRUE;
  }
  return FALSE;
}

}  // namespace

HWND CreateWaitDialog(HWND owner) {
  return CreateDialogParamA(App().instance, MAKEINTRESOURCEA(IDD_WAIT), owner, WaitProc, 0);
}
