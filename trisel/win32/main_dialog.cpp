#include "trisel/win32/main_dialog.h"

#include <commctrl.h>

#include <cstring>

#include "common/filesystem.h"
#include "common/registry.h"
#include "common/vendor.h"
#include "common/win32/banner_window.h"
#include "common/win32/help_browser.h"
#include "filecipher/job_state.h"
#include "trisel/dialog_rules.h"
#include "trisel/settings.h"
#include "trisel/win32/advanced_dialog.h"
#include "trisel/win32/app.h"
#include "trisel/win32/banner.h"
#include "trisel/win32/job_thread.h"
#include "trisel/win32/log_viewer.h"
#include "trisel/win32/resource.h"
#include "trisel/win32/window_util.h"

namespace {

const int kProgressControls[] = {IDC_TOTAL_TEXT, IDC_CURRENT_FILE, IDC_TOTAL_PROGRESS,
                                 IDC_FILE_PROGRESS};

// Ends the dialog before it was ever shown (usage or refusal box).
BOOL EndAtStart(HWND hwnd, const char* text) {
  WarningBox(hwnd, text);
  EndDialog(hwnd, 0);
  return TRUE;
}

BOOL OnInitDialog(HWND hwnd) {
  CTriselApp& app = App();
  app.mainWnd = hwnd;
  HICON icon = LoadIconA(app.instance, MAKEINTRESOURCEA(IDI_TRISEL));
  SetClassLongPtrA(hwnd, GCLP_HICON, reinterpret_cast<LONG_PTR>(icon));
  SendMessageA(hwnd, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(icon));

  StartDecision start = CheckStartup(app.argc, app.argv, RealFileSystem());
  if (start.action == kStartUsage) return EndAtStart(hwnd, TriselUsageText());
  app.encrypt = start.encrypt;
  if (start.action == kStartRefuse) return EndAtStart(hwnd, start.message.GetBuffer());

  // Every button of the program (the class is shared) shows Trisel's cursor.
  HCURSOR hand = LoadCursorA(app.instance, MAKEINTRESOURCEA(IDC_TRISEL_HAND));
  if (hand != nullptr) {
    SetClassLongPtrA(GetDlgItem(hwnd, IDC_SHOW_LOG), GCLP_HCURSOR,
                     reinterpret_cast<LONG_PTR>(hand));
  }

  ModeColours colours = ColoursOfMode(app.encrypt);
  app.whiteBrush = CreateSolidBrush(RGB(0xFF, 0xFF, 0xFF));
  app.bannerTextBrush = CreateSolidBrush(colours.bannerBack);

  LayoutMainDialog(hwnd);
  CreateBanner(hwnd, app.encrypt);
  CenterWindow(hwnd, nullptr);

  if (LoadDelSrcFile(RealRegistry()) != 0) CheckDlgButton(hwnd, IDC_DELETE_SOURCE, BST_CHECKED);
  for (int id : kProgressControls) ShowWindow(GetDlgItem(hwnd, id), SW_HIDE);
  SetWindowTextA(hwnd, TitleOfMode(app.encrypt));
  SetDlgItemTextA(hwnd, IDC_RUN, RunButtonTextOfMode(app.encrypt));
  SendDlgItemMessageA(hwnd, IDC_PASSWORD, EM_LIMITTEXT, 255, 0);
  SendDlgItemMessageA(hwnd, IDC_CONFIRM, EM_LIMITTEXT, 255, 0);

  SetTimer(hwnd, TIMER_BANNER_TEXT, 1, nullptr);
  SetFocus(GetDlgItem(hwnd, IDC_PASSWORD));
  return FALSE;  // the focus is set
}

void OnRun(HWND hwnd) {
  CMyString password = GetWindowTextString(GetDlgItem(hwnd, IDC_PASSWORD));
  CMyString confirm = GetWindowTextString(GetDlgItem(hwnd, IDC_CONFIRM));
  const char* refusal = CheckPasswordInput(password.GetBuffer(), confirm.GetBuffer());
  if (refusal != nullptr) {
    WarningBox(hwnd, refusal);
    SetFocus(GetDlgItem(hwnd, IDC_PASSWORD));
  } else {
    StartJobThread(password);
  }
  // The typed password does not outlive its use in these buffers.
  SecureZeroMemory(password.GetBuffer(), password.GetLength());
  SecureZeroMemory(confirm.GetBuffer(), confirm.GetLength());
}

void OnClose(HWND hwnd) {
  JobState& job = TheJobState();
  if (job.busy.load() == 1) {
    job.cancel.store(1);
    job.cancelKeyFile.store(1);
    return;
  }
  EndDialog(hwnd, 0);
}

void OnCommand(HWND hwnd, int id) {
  switch (id) {
    case IDC_RUN: OnRun(hwnd); break;
    case IDCANCEL: OnClose(hwnd); break;
    case IDC_SETTINGS: RunAdvancedDialog(hwnd); break;
    case IDC_HELP_MAIN: OpenHelpPage(hwnd, "Trisel/page00.htm"); break;
    case IDC_SHOW_LOG:
    case IDC_SHOW_ERRLOG: SendMessageA(hwnd, UM_OPEN_LOG, id, 0); break;
    default: break;
  }
}

void OnTimer(HWND hwnd, UINT_PTR id) {
  if (id == TIMER_BANNER_TEXT) {
    KillTimer(hwnd, id);
    App().bannerTextThread = StartBannerTextThread(GetDlgItem(hwnd, IDC_BANNER_TEXT), 100);
  } else if (id == TIMER_BANNER_IMAGE) {
    KillTimer(hwnd, id);
    if (App().bannerImageThread == nullptr) App().bannerImageThread = StartBannerImageThread();
  }
}

void OnDestroy(HWND hwnd) {
  CTriselApp& app = App();
  SaveDelSrcFile(RealRegistry(), IsDlgButtonChecked(hwnd, IDC_DELETE_SOURCE) == BST_CHECKED);
  StopBannerDownloads();
  for (HANDLE* h : {&app.jobThread, &app.bannerTextThread, &app.bannerImageThread}) {
    if (*h != nullptr) CloseHandle(*h);
    *h = nullptr;
  }
  for (HBRUSH* b : {&app.whiteBrush, &app.bannerTextBrush}) {
    if (*b != nullptr) DeleteObject(*b);
    *b = nullptr;
  }
  PostQuitMessage(0);
}

}  // namespace

INT_PTR CALLBACK MainDialogProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  switch (msg) {
    case WM_INITDIALOG: return OnInitDialog(hwnd);
    case WM_COMMAND: OnCommand(hwnd, LOWORD(wParam)); return TRUE;
    case UM_OPEN_LOG: OpenLogViewer(hwnd, static_cast<int>(wParam)); return TRUE;
    case WM_TIMER: OnTimer(hwnd, wParam); return TRUE;
    case WM_PAINT: {
      PAINTSTRUCT ps;
      HDC dc = BeginPaint(hwnd, &ps);
      PaintMainDialog(hwnd, dc);
      EndPaint(hwnd, &ps);
      return TRUE;
    }
    case WM_CTLCOLORSTATIC:
      return reinterpret_cast<INT_PTR>(
          MainDialogCtlColor(reinterpret_cast<HWND>(lParam), reinterpret_cast<HDC>(wParam)));
    case WM_DRAWITEM:
      if (wParam == IDC_BANNER) {
        DrawBannerItem(reinterpret_cast<DRAWITEMSTRUCT*>(lParam));
        return TRUE;
      }
      return FALSE;
    case WM_DESTROY:
      // Only a dialog that got past the start-up checks has state to store.
      if (App().whiteBrush != nullptr) OnDestroy(hwnd);
      return TRUE;
    default: return FALSE;
  }
}
