#include "trisel/win32/folder_options.h"

#include "common/win32/dialog.h"
#include "common/win32/gdi.h"
#include "common/win32/help_browser.h"
#include "common/win32/help_button.h"
#include "common/win32/window.h"
#include "trisel/win32/app.h"
#include "trisel/win32/resource.h"

namespace {

class CFolderOptionsDialog : public CDialog {
 public:
  CFolderOptionsDialog(bool encrypt, FolderOptions& options)
      : m_encrypt(encrypt), m_options(options) {}

 protected:
  INT_PTR HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) override {
    switch (msg) {
      case WM_INITDIALOG: return OnInit();
      case WM_COMMAND:
        switch (LOWORD(wParam)) {
          case IDOK: OnOk(); break;
          case IDCANCEL: EndDialog(Handle(), kFolderOptionsCancel); break;
          case IDC_FO_HELP_SUBDIR: OpenHelpPage(Handle(), "Trisel/page05.htm"); break;
          case IDC_FO_HELP_FILTER: OpenHelpPage(Handle(), "Trisel/page04.htm"); break;
          default: break;
        }
        return TRUE;
      case WM_DRAWITEM:
        DrawHelpButton(reinterpret_cast<DRAWITEMSTRUCT*>(lParam), m_picture.Get());
        return TRUE;
      case WM_DESTROY:
        m_picture.Reset();
        return TRUE;
      default: return FALSE;
    }
  }

 private:
  BOOL OnInit() {
    HWND hwnd = Handle();
    CenterWindow(hwnd, App().mainWnd);
    m_picture.Reset(LoadBitmapA(App().instance, MAKEINTRESOURCEA(IDB_HELP30)));
    SizeHelpButton(hwnd, IDC_FO_HELP_SUBDIR);
    SizeHelpButton(hwnd, IDC_FO_HELP_FILTER);
    bool sub = m_options.subDir != 0;
    CheckDlgButton(hwnd, IDC_FO_SUBDIRS, sub ? BST_CHECKED : BST_UNCHECKED);
    CheckDlgButton(hwnd, IDC_FO_THIS_ONLY, sub ? BST_UNCHECKED : BST_CHECKED);
    HWND filter = Item(IDC_FO_FILTER);
    SendMessageA(filter, EM_LIMITTEXT, 259, 0);
    if (m_encrypt) {
      SetDlgItemTextA(hwnd, IDC_FO_HINT, "(*.txt)");
      SetWindowTextA(filter, m_options.filter.GetBuffer());
    } else {
      SetDlgItemTextA(hwnd, IDC_FO_HINT, "(해독 작업은 *.tsl 만 포함)");
      SetWindowTextA(filter, "*.tsl");
      SendMessageA(filter, EM_SETREADONLY, TRUE, 0);
    }
    SetForegroundWindow(hwnd);
    return TRUE;
  }

  void OnOk() {
    m_options.subDir = IsDlgButtonChecked(Handle(), IDC_FO_SUBDIRS) == BST_CHECKED ? 1 : 0;
    m_options.filter = GetWindowTextString(Item(IDC_FO_FILTER));
    EndDialog(Handle(), kFolderOptionsOk);
  }

  bool m_encrypt;
  FolderOptions& m_options;
  CBitmap m_picture;  // the help buttons' picture
};

}  // namespace

int RunFolderOptionsDialog(HWND owner, bool encrypt, FolderOptions& options) {
  CFolderOptionsDialog dialog(encrypt, options);
  INT_PTR r = dialog.RunModal(App().instance, IDD_FOLDEROPT, owner);
  return r == kFolderOptionsOk ? kFolderOptionsOk : kFolderOptionsCancel;
}
