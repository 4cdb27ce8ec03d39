#include "trisel/win32/advanced_dialog.h"

#include <commdlg.h>

#include "common/registry.h"
#include "common/win32/dialog.h"
#include "common/win32/help_browser.h"
#include "common/win32/window.h"
#include "trisel/settings.h"
#include "trisel/win32/app.h"
#include "trisel/win32/resource.h"

namespace {

class CAdvancedDialog : public CDialog {
 protected:
  INT_PTR HandleMessage(UINT msg, WPARAM wParam, LPARAM) override {
    HWND hwnd = Handle();
    switch (msg) {
      case WM_INITDIALOG:
        CenterWindow(hwnd, App().mainWnd);
        SetDlgItemTextA(hwnd, IDC_ADV_KEY_PATH, LoadCommKeyFile(RealRegistry()).GetBuffer());
        return TRUE;
      case WM_COMMAND:
        switch (LOWORD(wParam)) {
          case IDC_ADV_FILE_SELECT: OnChooseFile(); break;
          case IDC_ADV_RESET: SetDlgItemTextA(hwnd, IDC_ADV_KEY_PATH, ""); break;
          case IDC_ADV_HELP: OpenHelpPage(hwnd, "Trisel/page03.htm"); break;
          case IDOK:
            SaveCommKeyFile(RealRegistry(), GetWindowTextString(Item(IDC_ADV_KEY_PATH)).GetBuffer());
            EndDialog(hwnd, 1);
            break;
          case IDCANCEL: EndDialog(hwnd, 2); break;
          default: break;
        }
        return TRUE;
      default: return FALSE;
    }
  }

 private:
  void OnChooseFile() {
    char name[260] = {};
    OPENFILENAMEA ofn = {};
    ofn.lStructSize = sizeof ofn;
    ofn.hwndOwner = Handle();
    ofn.lpstrFilter = "모든 파일(*.*)\0*.*\0";
    ofn.lpstrFile = name;
    ofn.nMaxFile = sizeof name;
    if (GetOpenFileNameA(&ofn)) SetDlgItemTextA(Handle(), IDC_ADV_KEY_PATH, name);
  }
};

}  // namespace

int RunAdvancedDialog(HWND owner) {
  CAdvancedDialog dialog;
  return dialog.RunModal(App().instance, IDD_ADVANCED, owner) == 1 ? 1 : 2;
}
