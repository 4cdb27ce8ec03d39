#include "trisel/win32/overwrite_dialog.h"

#include "common/win32/dialog.h"
#include "common/win32/window.h"
#include "trisel/win32/app.h"
#include "trisel/win32/resource.h"

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

class COverwriteDialog : public CDialog {
 public:
  explicit COverwriteDialog(const char* text) : m_text(text) {}

 protected:
  INT_PTR HandleMessage(UINT msg, WPARAM wParam, LPARAM) override {
    switch (msg) {
      case WM_INITDIALOG:
        SetDlgItemTextA(Handle(), 1019, m_text);
        CenterWindow(Handle(), nullptr);
        SetForegroundWindow(Handle());
        return TRUE;
      case WM_COMMAND: {
        int answer = AnswerOf(LOWORD(wParam));
        if (answer != 0) EndDialog(Handle(), answer);
        return TRUE;
      }
      case WM_CLOSE: return TRUE;  // the close box does nothing: pick a button
      default: return FALSE;
    }
  }

 private:
  const char* m_text;
};

}  // namespace

int AskOverwriteDialog(HWND owner, const char* text) {
  COverwriteDialog dialog(text);
  INT_PTR r = dialog.RunModal(App().instance, IDD_OVERWRITE, owner);
  return r > 0 ? static_cast<int>(r) : 0;
}
