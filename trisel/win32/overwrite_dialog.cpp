#include "trisel/win32/overwrite_dialog.h"

#include "trisel/win32/app.h"
#include "trisel/win32/resource.h"
#include "trisel/win32/window_util.h"

namespace {

int AnswerOf(int id) {
  switch (id) {
    case IDC_OW_YES: return IDYES;
    case IDC_OW_YES_ALL: return 10;
    case IDC_OW_NO: return IDNO;
    case IDC_OW_NO_ALL: return 11;
    case IDC_OW_CANCEL: return IDCANCEL;
    default: return 0;  // Escape (IDCANCEL from the keyboard) and the rest
  }
}

INT_PTR CALLBACK OverwriteProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  switch (msg) {
    case WM_INITDIALOG:
      SetDlgItemTextA(hwnd, 1019, reinterpret_cast<const char*>(lParam));
      CenterWindow(hwnd, nullptr);
      SetForegroundWindow(hwnd);
      return TRUE;
    case WM_COMMAND: {
      int answer = AnswerOf(LOWORD(wParam));
      if (answer != 0) EndDialog(hwnd, answer);
      return TRUE;
    }
    case WM_CLOSE: return TRUE;  // the close box does nothing: pick a button
    default: return FALSE;
  }
}

}  // namespace

int AskOverwriteDialog(HWND owner, const char* text) {
  INT_PTR r = DialogBoxParamA(App().instance, MAKEINTRESOURCEA(IDD_OVERWRITE), owner,
                              OverwriteProc, reinterpret_cast<LPARAM>(text));
  return r > 0 ? static_cast<int>(r) : 0;
}
