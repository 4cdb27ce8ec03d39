#include "trisel/win32/win_views.h"

#include <commctrl.h>

#include <cstring>

#include "common/win32/window.h"
#include "trisel/win32/folder_options.h"
#include "trisel/win32/overwrite_dialog.h"
#include "trisel/win32/resource.h"

namespace {

const int kProgressControls[] = {IDC_TOTAL_TEXT, IDC_CURRENT_FILE, IDC_TOTAL_PROGRESS,
                                 IDC_FILE_PROGRESS};
const int kLockedControls[] = {IDC_SETTINGS, IDC_SHOW_LOG, IDC_SHOW_ERRLOG, IDC_HELP_MAIN,
                               IDC_DELETE_SOURCE};

LRESULT Send(HWND dialog, int id, UINT msg, WPARAM w = 0, LPARAM l = 0) {
  return SendDlgItemMessageA(dialog, id, msg, w, l);
}

}  // namespace

void CWinTriselView::SetCounterText(const char* text) { SetDlgItemTextA(m_dialog, IDC_TOTAL_TEXT, text); }

void CWinTriselView::SetFileName(const char* name) { SetDlgItemTextA(m_dialog, IDC_CURRENT_FILE, name); }

void CWinTriselView::FileBarReset() {
  Send(m_dialog, IDC_FILE_PROGRESS, PBM_SETRANGE, 0, MAKELPARAM(0, 100));
  Send(m_dialog, IDC_FILE_PROGRESS, PBM_SETSTEP, 1);
  Send(m_dialog, IDC_FILE_PROGRESS, PBM_SETPOS, 0);
}

void CWinTriselView::FileBarStep() { Send(m_dialog, IDC_FILE_PROGRESS, PBM_STEPIT); }

void CWinTriselView::OverallBarReset(uint32_t total) {
  Send(m_dialog, IDC_TOTAL_PROGRESS, PBM_SETRANGE, 0, MAKELPARAM(0, total & 0xFFFF));
  Send(m_dialog, IDC_TOTAL_PROGRESS, PBM_SETSTEP, 1);
  Send(m_dialog, IDC_TOTAL_PROGRESS, PBM_SETPOS, 0);
}

void CWinTriselView::OverallBarStep() { Send(m_dialog, IDC_TOTAL_PROGRESS, PBM_STEPIT); }

void CWinJobView::ShowJobStatus(const char* title, const char* status, int show) {
  for (int id : kProgressControls) ShowWindow(GetDlgItem(m_dialog, id), show ? SW_SHOW : SW_HIDE);
  if (title != nullptr) SetWindowTextA(m_dialog, title);
  if (status != nullptr) {
    HWND line = GetDlgItem(m_dialog, IDC_STATUS);
    if (std::strcmp(status, "SW_HIDE") == 0) {
      ShowWindow(line, SW_HIDE);
    } else {
      SetWindowTextA(line, status);
      ShowWindow(line, SW_SHOW);
    }
  }
}

void CWinJobView::LockControls() {
  SetDlgItemTextA(m_dialog, IDCANCEL, "취소");
  for (int id : kLockedControls) EnableWindow(GetDlgItem(m_dialog, id), FALSE);
  EnableWindow(GetDlgItem(m_dialog, IDC_RUN), FALSE);
  // The focus must not stay on a disabled control, or the keyboard is lost.
  PostMessageA(m_dialog, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(GetDlgItem(m_dialog, IDCANCEL)), TRUE);
}

void CWinJobView::UnlockControls(bool runEnabled) {
  SetDlgItemTextA(m_dialog, IDCANCEL, "닫기");
  for (int id : kLockedControls) EnableWindow(GetDlgItem(m_dialog, id), TRUE);
  EnableWindow(GetDlgItem(m_dialog, IDC_RUN), runEnabled ? TRUE : FALSE);
}

void CWinJobView::HideBannerText() { ShowWindow(GetDlgItem(m_dialog, IDC_BANNER_TEXT), SW_HIDE); }

bool CWinJobView::DeleteSourceChecked() {
  return Send(m_dialog, IDC_DELETE_SOURCE, BM_GETCHECK) == BST_CHECKED;
}

int CWinJobView::AskFolderOptions(bool encrypt, FolderOptions& options) {
  return RunFolderOptionsDialog(m_dialog, encrypt, options);
}

void CWinJobView::ShowAlert(const char* caption, const char* text) {
  MessageBoxA(m_dialog, text, caption, MB_OK);
}

void CWinKeyFileView::Show() {
  ShowWindow(GetDlgItem(m_dialog, IDC_TOTAL_PROGRESS), SW_SHOW);
  ShowWindow(GetDlgItem(m_dialog, IDC_TOTAL_TEXT), SW_SHOW);
}

void CWinKeyFileView::SetRange(int32_t low, int32_t high) {
  Send(m_dialog, IDC_TOTAL_PROGRESS, PBM_SETRANGE, 0, MAKELPARAM(low, high));
}

void CWinKeyFileView::SetPosition(int32_t pos) { Send(m_dialog, IDC_TOTAL_PROGRESS, PBM_SETPOS, pos); }

void CWinKeyFileView::SetText(const char* text) { SetDlgItemTextA(m_dialog, IDC_TOTAL_TEXT, text); }

void CWinKeyFileView::ShowWarning(const char* text) { WarningBox(m_dialog, text); }

int CWinReportUI::AskMessageBox(ReportKind kind, const char* caption, const char* text) {
  UINT flags = MB_ICONQUESTION;
  if (kind == kReportAbortRetryIgnore) {
    flags |= MB_ABORTRETRYIGNORE | MB_DEFBUTTON3;
  } else {
    flags |= MB_YESNO | MB_DEFBUTTON2;
  }
  return MessageBoxA(m_owner, text, caption, flags);
}

int CWinReportUI::AskOverwrite(const char* text) { return AskOverwriteDialog(m_owner, text); }
