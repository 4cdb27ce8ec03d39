// The wait dialog shown while the common key file is read: the reader on the
// cipher worker shows it, moves its bar and closes it; Cancel asks the reader
// to stop.
#include <windows.h>

#include "common/win32/dialog.h"
#include "common/win32/window.h"
#include "mirelka/win32/app.h"
#include "mirelka/win32/main_window.h"
#include "mirelka/win32/resource.h"

namespace {

// Modeless and its own owner: deleted once its window is gone.
class CWaitDialog : public CDialog {
 protected:
  INT_PTR HandleMessage(UINT msg, WPARAM wp, LPARAM) override {
    CMirelkaApp& app = App();
    switch (msg) {
      case WM_INITDIALOG: CenterWindow(Handle(), GetWindow(Handle(), GW_OWNER)); return TRUE;
      case WM_COMMAND:
        if (LOWORD(wp) == IDC_WAIT_CANCEL || LOWORD(wp) == IDCANCEL) {
          app.cap.cancelKeyFile = 1;
          DestroyWindow(Handle());
        }
        return TRUE;
      case WM_CLOSE: DestroyWindow(Handle()); return TRUE;
      case WM_DESTROY:
        if (app.waitDialog == Handle()) app.waitDialog = nullptr;
        return TRUE;
    }
    return FALSE;
  }
  void OnFinalMessage() override { delete this; }
};

}  // namespace

HWND CreateWaitDialog(HWND owner) {
  CWaitDialog* dialog = new CWaitDialog;
  HWND hwnd = dialog->Create(App().instance, IDD_WAIT, owner);
  if (!hwnd) delete dialog;
  return hwnd;
}
