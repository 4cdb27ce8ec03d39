#include "trisel/win32/log_viewer.h"

#include <new>

#include "common/filesystem.h"
#include "common/mystring.h"
#include "common/win32/dialog.h"
#include "common/win32/gdi.h"
#include "common/win32/window.h"
#include "trisel/dialog_rules.h"
#include "trisel/win32/app.h"
#include "trisel/win32/resource.h"

namespace {

const COLORREF kViewerBack = RGB(0xF5, 0xFF, 0xFF);
const char kViewerMark[] = "TriselLogViewer";
HHOOK g_keyHook = nullptr;

// The viewers are modeless while the main dialog runs its own modal loop,
// which only gives the main dialog its keyboard handling. This filter of
// that loop hands the viewers theirs (Tab, Enter, Escape closes).
LRESULT CALLBACK ViewerKeys(int code, WPARAM wParam, LPARAM lParam) {
  if (code == MSGF_DIALOGBOX) {
    MSG* msg = reinterpret_cast<MSG*>(lParam);
    HWND top = msg->hwnd ? GetAncestor(msg->hwnd, GA_ROOT) : nullptr;
    if (top != nullptr && GetPropA(top, kViewerMark) != nullptr && IsDialogMessageA(top, msg)) {
      return TRUE;
    }
  }
  return CallNextHookEx(g_keyHook, code, wParam, lParam);
}
const int kEditTop = 29;
const int kMinSize = 300;

void Layout(HWND hwnd, int width, int height) {
  MoveWindow(GetDlgItem(hwnd, IDC_LOG_TEXT), 0, kEditTop, width,
             height > kEditTop ? height - kEditTop : 0, TRUE);
  HWND close = GetDlgItem(hwnd, IDCANCEL);
  SetWindowPos(close, nullptr, width - 90, 5, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
  InvalidateRect(hwnd, nullptr, TRUE);
}

class CLogViewer : public CDialog {
 protected:
  INT_PTR HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) override {
    HWND hwnd = Handle();
    switch (msg) {
      case WM_INITDIALOG: {
        CenterWindow(hwnd, App().mainWnd);
        SetPropA(hwnd, kViewerMark, reinterpret_cast<HANDLE>(1));
        m_back.Reset(CreateSolidBrush(kViewerBack));
        RECT rc;
        GetClientRect(hwnd, &rc);
        Layout(hwnd, rc.right, rc.bottom);
        return TRUE;
      }
      case UM_LOG_SETTEXT:
        OnSetText(reinterpret_cast<const char*>(wParam), lParam != 0);
        return TRUE;
      case WM_SIZE: Layout(hwnd, LOWORD(lParam), HIWORD(lParam)); return TRUE;
      case WM_GETMINMAXINFO: {
        MINMAXINFO* mm = reinterpret_cast<MINMAXINFO*>(lParam);
        mm->ptMinTrackSize.x = kMinSize;
        mm->ptMinTrackSize.y = kMinSize;
        return TRUE;
      }
      case WM_CTLCOLORSTATIC:
      case WM_CTLCOLOREDIT:
        if (GetDlgCtrlID(reinterpret_cast<HWND>(lParam)) == IDC_LOG_TEXT) {
          HDC dc = reinterpret_cast<HDC>(wParam);
          SetTextColor(dc, RGB(0, 0, 0));
          SetBkColor(dc, kViewerBack);
          return reinterpret_cast<INT_PTR>(m_back.Get());
        }
        return FALSE;
      case WM_COMMAND:
        if (LOWORD(wParam) == IDCANCEL) DestroyWindow(hwnd);
        return TRUE;
      case WM_CLOSE: DestroyWindow(hwnd); return TRUE;
      case WM_DESTROY:
        m_back.Reset();
        RemovePropA(hwnd, kViewerMark);
        return TRUE;
      default: return FALSE;
    }
  }
  // Each viewer owns itself and goes with its window.
  void OnFinalMessage() override { delete this; }

 private:
  void OnSetText(const char* text, bool jobLog) {
    SetWindowTextA(Handle(), jobLog ? "로그 보기" : "에러 보기");
    SetDlgItemTextA(Handle(), 1019, jobLog ? "작업한 로그 내용입니다." : "작업한 에러 내용입니다.");
    HWND edit = Item(IDC_LOG_TEXT);
    SendMessageA(edit, EM_LIMITTEXT, 0, 0);  // no 32 KB cap on long logs
    SetWindowTextA(edit, text);
  }

  CBrush m_back;
};

}  // namespace

void OpenLogViewer(HWND mainWnd, int which) {
  bool jobLog = which == IDC_SHOW_LOG;
  // The logs are named after the running program's own path, exactly as
  // the log writer names them, so a renamed program still finds its logs.
  CMyString path;
  GetModulePath(path);
  path += CMyString(jobLog ? ".log" : "_err.log");
  CMyString banner = GetWindowTextString(GetDlgItem(mainWnd, IDC_BANNER_TEXT));
  CMyString text;
  if (BuildLogViewText(RealFileSystem(), path.GetBuffer(), banner.GetBuffer(), text) != 0) {
    WarningBox(mainWnd, "도움말 파일을 찾을 수 없습니다.");
    return;
  }
  if (g_keyHook == nullptr) {
    g_keyHook = SetWindowsHookExA(WH_MSGFILTER, ViewerKeys, nullptr, GetCurrentThreadId());
  }
  CLogViewer* dialog = new (std::nothrow) CLogViewer;
  if (dialog == nullptr) return;
  HWND viewer = dialog->Create(App().instance, IDD_LOGVIEW, mainWnd);
  if (viewer == nullptr) {
    delete dialog;
    return;
  }
  ShowWindow(viewer, SW_SHOW);
  SendMessageA(viewer, UM_LOG_SETTEXT, reinterpret_cast<WPARAM>(text.GetBuffer()), jobLog ? 1 : 0);
}
