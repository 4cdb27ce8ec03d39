#include "trisel/win32/folder_options.h"

#include "common/win32/help_browser.h"
#include "trisel/win32/app.h"
#include "trisel/win32/resource.h"
#include "trisel/win32/window_util.h"

namespace {

struct FolderOptionsRun {
  bool encrypt;
  FolderOptions* options;
  HBITMAP picture;
};

// The help buttons are exactly the picture and a one-pixel frame.
void SizeHelpButton(HWND hwnd, int id) {
  SetWindowPos(GetDlgItem(hwnd, id), nullptr, 0, 0, 32, 32, SWP_NOMOVE | SWP_NOZORDER);
}

BOOL OnInit(HWND hwnd, FolderOptionsRun* run) {
  SetWindowLongPtrA(hwnd, DWLP_USER, reinterpret_cast<LONG_PTR>(run));
  CenterWindow(hwnd, App().mainWnd);
  run->picture = LoadBitmapA(App().instance, MAKEINTRESOURCEA(IDB_HELP30));
  SizeHelpButton(hwnd, IDC_FO_HELP_SUBDIR);
  SizeHelpButton(hwnd, IDC_FO_HELP_FILTER);
  bool sub = run->options->subDir != 0;
  CheckDlgButton(hwnd, IDC_FO_SUBDIRS, sub ? BST_CHECKED : BST_UNCHECKED);
  CheckDlgButton(hwnd, IDC_FO_THIS_ONLY, sub ? BST_UNCHECKED : BST_CHECKED);
  HWND filter = GetDlgItem(hwnd, IDC_FO_FILTER);
  SendMessageA(filter, EM_LIMITTEXT, 259, 0);
  if (run->encrypt) {
    SetDlgItemTextA(hwnd, IDC_FO_HINT, "(*.txt)");
    SetWindowTextA(filter, run->options->filter.GetBuffer());
  } else {
    SetDlgItemTextA(hwnd, IDC_FO_HINT, "(해독 작업은 *.tsl 만 포함)");
    SetWindowTextA(filter, "*.tsl");
    SendMessageA(filter, EM_SETREADONLY, TRUE, 0);
  }
  SetForegroundWindow(hwnd);
  return TRUE;
}

void OnOk(HWND hwnd, FolderOptionsRun* run) {
  run->options->subDir = IsDlgButtonChecked(hwnd, IDC_FO_SUBDIRS) == BST_CHECKED ? 1 : 0;
  run->options->filter = GetWindowTextString(GetDlgItem(hwnd, IDC_FO_FILTER));
  EndDialog(hwnd, kFolderOptionsOk);
}

INT_PTR CALLBACK FolderOptionsProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  FolderOptionsRun* run = reinterpret_cast<FolderOptionsRun*>(GetWindowLongPtrA(hwnd, DWLP_USER));
  switch (msg) {
    case WM_INITDIALOG: return OnInit(hwnd, reinterpret_cast<FolderOptionsRun*>(lParam));
    case WM_COMMAND:
      switch (LOWORD(wParam)) {
        case IDOK: OnOk(hwnd, run); break;
        case IDCANCEL: EndDialog(hwnd, kFolderOptionsCancel); break;
        case IDC_FO_HELP_SUBDIR: OpenHelpPage(hwnd, "Trisel/page05.htm"); break;
        case IDC_FO_HELP_FILTER: OpenHelpPage(hwnd, "Trisel/page04.htm"); break;
        default: break;
      }
      return TRUE;
    case WM_DRAWITEM:
      if (run != nullptr) DrawHelpButton(reinterpret_cast<DRAWITEMSTRUCT*>(lParam), run->picture);
      return TRUE;
    case WM_DESTROY:
      if (run != nullptr && run->picture != nullptr) {
        DeleteObject(run->picture);
        run->picture = nullptr;
      }
      return TRUE;
    default: return FALSE;
  }
}

}  // namespace

void DrawHelpButton(const DRAWITEMSTRUCT* item, HBITMAP picture) {
  HDC dc = item->hDC;
  RECT rc = item->rcItem;
  FillRect(dc, &rc, GetSysColorBrush(COLOR_BTNFACE));
  if (picture != nullptr) {
    HDC mem = CreateCompatibleDC(dc);
    HGDIOBJ old = SelectObject(mem, picture);
    BitBlt(dc, 1, 1, 30, 30, mem, 0, 0, SRCCOPY);
    SelectObject(mem, old);
    DeleteDC(mem);
  }
  bool pressed = (item->itemState & ODS_SELECTED) != 0;
  DrawEdge(dc, &rc, pressed ? BDR_SUNKENOUTER : BDR_RAISEDOUTER, BF_RECT);
  if ((item->itemState & ODS_FOCUS) != 0) {
    RECT focus = {rc.left + 2, rc.top + 2, rc.right - 2, rc.bottom - 2};
    DrawFocusRect(dc, &focus);
  }
}

int RunFolderOptionsDialog(HWND owner, bool encrypt, FolderOptions& options) {
  FolderOptionsRun run = {encrypt, &options, nullptr};
  INT_PTR r = DialogBoxParamA(App().instance, MAKEINTRESOURCEA(IDD_FOLDEROPT), owner,
                              FolderOptionsProc, reinterpret_cast<LPARAM>(&run));
  return r == kFolderOptionsOk ? kFolderOptionsOk : kFolderOptionsCancel;
}
