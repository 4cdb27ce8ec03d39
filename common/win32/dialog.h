// A dialog box driven by a C++ object.
//
// The object's address travels to WM_INITDIALOG as the creation parameter
// and stays in the dialog's DWLP_USER, so every later message reaches the
// object's HandleMessage with its `this` and its members; no dialog state
// lives in globals. A derived class keeps what the dialog works on as
// members, set before RunModal or Create (or before the property sheet
// that holds it as a Page is made).
//
//   class CAskName : public CDialog {
//     INT_PTR HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) override;
//   };
//   CAskName ask;
//   INT_PTR answer = ask.RunModal(instance, IDD_ASK_NAME, owner);
#ifndef MIRELKA_COMMON_WIN32_DIALOG_H
#define MIRELKA_COMMON_WIN32_DIALOG_H

#include <windows.h>
#include <prsht.h>

class CDialog {
 public:
  CDialog() = default;
  virtual ~CDialog() = default;
  CDialog(const CDialog&) = delete;
  CDialog& operator=(const CDialog&) = delete;

  // Runs the dialog template `id` modally over `owner`. Returns the value
  // given to EndDialog, or -1 when the dialog could not be made.
  INT_PTR RunModal(HINSTANCE instance, int id, HWND owner);
  // Makes the dialog template `id` modeless over `owner` (not yet shown).
  // The object must outlive the window; one that owns itself deletes itself
  // in OnFinalMessage. Null when the dialog could not be made.
  HWND Create(HINSTANCE instance, int id, HWND owner);
  // Describes the dialog template `id` as a page of a property sheet; the
  // sheet makes the page's window, which then reaches this object as a
  // dialog made by RunModal or Create does. The object must outlive the sheet.
  PROPSHEETPAGEA Page(HINSTANCE instance, int id);

  // The dialog's window; null before WM_INITDIALOG and after the window is gone.
  HWND Handle() const { return m_hwnd; }
  HWND Item(int id) const { return GetDlgItem(m_hwnd, id); }

 protected:
  // The dialog procedure for this object, from WM_INITDIALOG (Handle() is
  // set by then) to WM_NCDESTROY. Returns what a dialog procedure returns:
  // FALSE for a message it leaves to the dialog manager, else TRUE (a
  // result for the message goes to DWLP_MSGRESULT) or, for WM_INITDIALOG,
  // WM_CTLCOLOR* and the few others that return it directly, the result.
  virtual INT_PTR HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) = 0;
  // Called after the window's last message; the window no longer uses the
  // object. A modeless dialog that owns itself deletes itself here.
  virtual void OnFinalMessage() {}

 private:
  static INT_PTR CALLBACK Proc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);
  static INT_PTR CALLBACK PageProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);
  // Both procedures: `created` is the object WM_INITDIALOG brings.
  static INT_PTR Dispatch(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam, CDialog* created);

  HWND m_hwnd = nullptr;
};

#endif
