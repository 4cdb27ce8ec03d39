#include "trisel/win32/main_dialog.h"

#include <commctrl.h>

#include "common/filesystem.h"
#include "common/registry.h"
#include "common/win32/banner_window.h"
#include "common/win32/dialog.h"
#include "common/win32/gdi.h"
#include "common/win32/help_browser.h"
#include "common/win32/window.h"
#include "common/win32/worker_thread.h"
#include "filecipher/job_state.h"
#include "trisel/dialog_rules.h"
#include "trisel/settings.h"
#include "trisel/win32/advanced_dialog.h"
#include "trisel/win32/app.h"
#include "trisel/win32/banner.h"
#include "trisel/win32/job_thread.h"
#include "trisel/win32/log_viewer.h"
#include "trisel/win32/resource.h"

namespace {

const int kProgressControls[] = {IDC_TOTAL_TEXT, IDC_CURRENT_FILE, IDC_TOTAL_PROGRESS,
                                 IDC_FILE_PROGRESS};

class CMainDialog : public CDialog {
 protected:
  INT_PTR HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) override;

 private:
  BOOL OnInitDialog();
  BOOL EndAtStart(const char* text);
  void OnRun();
  void OnClose();
  void OnCommand(int id);
  void OnTimer(UINT_PTR id);
  void OnDestroy();

  bool m_started = false;  // got past the start-up checks
  CBrush m_white;
  CBrush m_bannerBack;  // the mode colour behind the banner text box
  CWorkerThread m_job;
};

// Ends the dialog before it was ever shown (usage or refusal box).
BOOL CMainDialog::EndAtStart(const char* text) {
  WarningBox(Handle(), text);
  EndDialog(Handle(), 0);
  return TRUE;
}

BOOL CMainDialog::OnInitDialog() {
  HWND hwnd = Handle();
  CTriselApp& app = App();
  app.mainWnd = hwnd;
  HICON icon = LoadIconA(app.instance, MAKEINTRESOURCEA(IDI_TRISEL));
  SetClassLongPtrA(hwnd, GCLP_HICON, reinterpret_cast<LONG_PTR>(icon));
  SendMessageA(hwnd, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(icon));

  StartDecision start = CheckStartup(app.argc, app.argv, RealFileSystem());
  if (start.action == kStartUsage) return EndAtStart(TriselUsageText());
  app.encrypt = start.encrypt;
  if (start.action == kStartRefuse) return EndAtStart(start.message.GetBuffer());
  m_started = true;

  // Every button of the program (the class is shared) shows Trisel's cursor.
  HCURSOR hand = LoadCursorA(app.instance, MAKEINTRESOURCEA(IDC_TRISEL_HAND));
  if (hand != nullptr) {
    SetClassLongPtrA(Item(IDC_SHOW_LOG), GCLP_HCURSOR, reinterpret_cast<LONG_PTR>(hand));
  }

  m_white.Reset(CreateSolidBrush(RGB(0xFF, 0xFF, 0xFF)));
  m_bannerBack.Reset(CreateSolidBrush(ColoursOfMode(app.encrypt).bannerBack));

  LayoutMainDialog(hwnd);
  CreateBanner(hwnd, app.encrypt);
  CenterWindow(hwnd, nullptr);

  if (LoadDelSrcFile(RealRegistry()) != 0) CheckDlgButton(hwnd, IDC_DELETE_SOURCE, BST_CHECKED);
  for (int id : kProgressControls) ShowWindow(Item(id), SW_HIDE);
  SetWindowTextA(hwnd, TitleOfMode(app.encrypt));
  SetDlgItemTextA(hwnd, IDC_RUN, RunButtonTextOfMode(app.encrypt));

  SetTimer(hwnd, TIMER_BANNER_TEXT, 1, nullptr);
  SetFocus(Item(IDC_PASSWORD));
  return FALSE;  // the focus is set
}

void CMainDialog::OnRun() {
  // A click queued behind the one that started the job starts nothing.
  if (TheJobState().busy.load() != 0) return;
  CMyString password = GetWindowTextString(Item(IDC_PASSWORD));
  CMyString confirm = GetWindowTextString(Item(IDC_CONFIRM));
  const char* refusal = CheckPasswordInput(password.GetBuffer(), confirm.GetBuffer());
  if (refusal != nullptr) {
    WarningBox(Handle(), refusal);
    SetFocus(Item(IDC_PASSWORD));
  } else {
    StartJobThread(m_job, password);
  }
  // The typed password does not outlive its use in these buffers.
  SecureZeroMemory(password.GetBuffer(), password.GetLength());
  SecureZeroMemory(confirm.GetBuffer(), confirm.GetLength());
}

void CMainDialog::OnClose() {
  JobState& job = TheJobState();
  if (job.busy.load() == 1) {
    job.cancel.store(1);
    job.cancelKeyFile.store(1);
    return;
  }
  EndDialog(Handle(), 0);
}

void CMainDialog::OnCommand(int id) {
  HWND hwnd = Handle();
  switch (id) {
    case IDC_RUN: OnRun(); break;
    case IDCANCEL: OnClose(); break;
    case IDC_SETTINGS: RunAdvancedDialog(hwnd); break;
    case IDC_HELP_MAIN: OpenHelpPage(hwnd, "Trisel/page00.htm"); break;
    case IDC_SHOW_LOG:
    case IDC_SHOW_ERRLOG: SendMessageA(hwnd, UM_OPEN_LOG, id, 0); break;
    default: break;
  }
}

void CMainDialog::OnTimer(UINT_PTR id) {
  if (id == TIMER_BANNER_TEXT) {
    KillTimer(Handle(), id);
    StartBannerTextThread(Item(IDC_BANNER_TEXT), 100);
  } else if (id == TIMER_BANNER_IMAGE) {
    KillTimer(Handle(), id);
    StartBannerImageThread();
  }
}

void CMainDialog::OnDestroy() {
  SaveDelSrcFile(RealRegistry(), IsDlgButtonChecked(Handle(), IDC_DELETE_SOURCE) == BST_CHECKED);
  StopBannerDownloads();
  m_job.Close();
  m_white.Reset();
  m_bannerBack.Reset();
  PostQuitMessage(0);
}

INT_PTR CMainDialog::HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) {
  switch (msg) {
    case WM_INITDIALOG: return OnInitDialog();
    case WM_COMMAND: OnCommand(LOWORD(wParam)); return TRUE;
    case UM_OPEN_LOG: OpenLogViewer(Handle(), static_cast<int>(wParam)); return TRUE;
    case WM_TIMER: OnTimer(wParam); return TRUE;
    case WM_PAINT: {
      PAINTSTRUCT ps;
      HDC dc = BeginPaint(Handle(), &ps);
      PaintMainDialog(Handle(), dc, m_white.Get());
      EndPaint(Handle(), &ps);
      return TRUE;
    }
    case WM_CTLCOLORSTATIC:
      return reinterpret_cast<INT_PTR>(MainDialogCtlColor(reinterpret_cast<HWND>(lParam),
                                                          reinterpret_cast<HDC>(wParam),
                                                          m_white.Get(), m_bannerBack.Get()));
    case WM_DRAWITEM:
      if (wParam == IDC_BANNER) {
        DrawBannerItem(reinterpret_cast<DRAWITEMSTRUCT*>(lParam));
        return TRUE;
      }
      return FALSE;
    case WM_DESTROY:
      // Only a dialog that got past the start-up checks has state to store.
      if (m_started) OnDestroy();
      return TRUE;
    default: return FALSE;
  }
}

}  // namespace

void RunMainDialog(HINSTANCE instance) {
  CMainDialog dialog;
  dialog.RunModal(instance, IDD_MAIN, nullptr);
}
