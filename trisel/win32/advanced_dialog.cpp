#include "trisel/win32/advanced_dialog.h"

#include <commdlg.h>

#include "common/registry.h"
#include "common/win32/help_browser.h"
#include "trisel/settings.h"
#include "trisel/win32/app.h"
#include "trisel/win32/resource.h"
#include "trisel/win32/window_util.h"

namespace {

void OnChooseFile(HWND hwnd) {
  char name[260] = {};
  OPENFILENAMEA ofn = {};
  ofn.lStructSize = sizeof ofn;
  ofn.hwndOwner = hwnd;
  ofn.lpstrFilter = "모든 파일(*.*)\0*.*\0";
  ofn.lpstrFile = name;
  ofn.nMaxFile = sizeof name;
  if (GetOpenFileNameA(&ofn)) SetDlgItemTextA(hwnd, IDC_ADV_KEY_PATH, name);
}

INT_PTR CALLBACK AdvancedProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM) {
  switch (msg) {
    case WM_INITDIALOG:
      CenterWindow(hwnd, App().mainWnd);
      SetDlgItemTextA(hwnd, IDC_ADV_KEY_PATH, LoadCommKeyFile(RealRegistry()).GetBuffer());
      return TRUE;
    case WM_COMMAND:
      switch (LOWORD(wParam)) {
        case IDC_ADV_FILE_SELECT: OnChooseFile(hwnd); break;
        case IDC_ADV_RESET: SetDlgItemTextA(hwnd, IDC_ADV_KEY_PATH, ""); break;
        case IDC_ADV_HELP: OpenHelpPage(hwnd, "Trisel/page03.htm"); break;
        case IDOK:
          SaveCommKeyFile(RealRegistry(),
                          GetWindowTextString(GetDlgItem(hwnd, IDC_ADV_KEY_PATH)).GetBuffer());
          EndDialog(hwnd, 1);
          break;
        case IDCANCEL: EndDialog(hwnd, 2); break;
        default: break;
      }
      return TRUE;
    default: return FALSE;
  }
}

}  // namespace

int RunAdvancedDialog(HWND owner) {
  INT_PTR r = DialogBoxParamA(App().instance, MAKEINTRESOURCEA(IDD_ADVANCED), owner,
                              AdvancedProc, 0);
  return r == 1 ? 1 : 2;
}
