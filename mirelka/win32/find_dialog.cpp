// The find command: the modeless find dialog, F3 / Shift+F3 / Ctrl+F3, and
// the search in the edit that had the focus last. What was searched for, how
// and in which direction is kept for the life of the program.
#include <windows.h>

#include "common/mystring.h"
#include "common/win32/dialog.h"
#include "common/win32/window.h"
#include "mirelka/find_rules.h"
#include "mirelka/win32/app.h"
#include "mirelka/win32/main_window.h"
#include "mirelka/win32/resource.h"

namespace {

FindState g_find;

// An edit's text and how it counts positions. An edit control keeps its
// positions in bytes where it stores the text in the ANSI code page and in
// characters where it stores UTF-16 (Wine's always do); the search works on
// bytes, so positions are mapped where the two differ.
struct EditText {
  HWND edit = nullptr;
  CMyString text;
  bool countsChars = false;

  explicit EditText(HWND e) : edit(e), text(GetWindowTextString(e)) {
    LRESULT lines = SendMessageA(edit, EM_GETLINECOUNT, 0, 0);
    LRESULT lastStart = SendMessageA(edit, EM_LINEINDEX, lines > 0 ? lines - 1 : 0, 0);
    LRESULT lastLength = lastStart >= 0 ? SendMessageA(edit, EM_LINELENGTH, lastStart, 0) : 0;
    countsChars = lastStart >= 0 && static_cast<uint32_t>(lastStart + lastLength) != text.GetLength();
  }
  uint32_t ToBytes(DWORD pos) const {
    return countsChars ? ByteOffsetOfChar(text.GetBuffer(), text.GetLength(), pos) : pos;
  }
  DWORD ToPos(uint32_t bytes) const {
    return countsChars ? CharsBefore(text.GetBuffer(), text.GetLength(), bytes) : bytes;
  }
  void GetSel(uint32_t& start, uint32_t& end) const {
    DWORD s = 0, e = 0;
    SendMessageA(edit, EM_GETSEL, reinterpret_cast<WPARAM>(&s), reinterpret_cast<LPARAM>(&e));
    start = ToBytes(s);
    end = ToBytes(e);
  }
  // Selects, focuses and scrolls the caret into view.
  void Select(uint32_t start, uint32_t end) const {
    SendMessageA(edit, EM_SETSEL, ToPos(start), ToPos(end));
    SetFocus(edit);
    SendMessageA(edit, EM_SCROLLCARET, 0, 0);
  }
};

// Searches the edit that had the focus last by the find state. True when
// something was found and selected; otherwise the not-found message, owned
// by the find dialog when the search came from it or the edit is empty.
bool Search(bool fromDialog) {
  CMirelkaApp& app = App();
  HWND edit = LastFocusedEdit();
  bool source = edit == app.source;
  CMyString pattern = FindPattern(g_find);
  EditText t(edit);
  bool empty = t.text.GetLength() == 0;
  if (!empty) {
    t.GetSel(g_find.selStart, g_find.selEnd);
    int64_t at = FindOccurrence(t.text.GetBuffer(), t.text.GetLength(), pattern.GetBuffer(),
                                pattern.GetLength(), g_find.caseSensitive != 0, g_find.downward != 0,
                                g_find.selStart, g_find.selEnd);
    if (at >= 0) {
      t.Select(static_cast<uint32_t>(at), static_cast<uint32_t>(at) + pattern.GetLength());
      return true;
    }
  }
  HWND owner = (fromDialog || empty) && app.findDialog ? app.findDialog : app.main;
  WarningBox(owner, NotFoundMessage(source, pattern, empty, g_find.downward != 0).GetBuffer());
  t.Select(g_find.selStart, g_find.selEnd);
  return false;
}

// Modeless and its own owner: deleted once its window is gone.
class CFindDialog : public CDialog {
 protected:
  INT_PTR HandleMessage(UINT msg, WPARAM wp, LPARAM) override {
    switch (msg) {
      case WM_INITDIALOG: return OnInit();
      case WM_COMMAND:
        switch (LOWORD(wp)) {
          case IDC_FIND_TEXT_MODE: SendMessageA(Item(IDC_FIND_TEXT), EM_SETREADONLY, FALSE, 0); break;
          case IDC_FIND_DELIM_MODE: SendMessageA(Item(IDC_FIND_TEXT), EM_SETREADONLY, TRUE, 0); break;
          case IDC_FIND_NEXT: OnFindNext(); break;
          case IDC_FIND_CANCEL:
          case IDCANCEL: OnCancel(); break;
        }
        return TRUE;
      case UM_FIND_DELIMITER: ShowDelimiterMode(); return TRUE;
      case WM_CLOSE: DestroyWindow(Handle()); return TRUE;
      case WM_DESTROY:
        if (App().findDialog == Handle()) App().findDialog = nullptr;
        return TRUE;
    }
    return FALSE;
  }
  void OnFinalMessage() override { delete this; }

 public:
  // The text to look for, selected, or the delimiter in delimiter mode.
  void FocusFirst() {
    HWND first = Item(g_find.textMode ? IDC_FIND_TEXT : IDC_FIND_DELIMITER);
    SetFocus(first);
    SendMessageA(first, EM_SETSEL, 0, -1);
  }

 private:
  INT_PTR OnInit() {
    HWND hwnd = Handle();
    App().findDialog = hwnd;
    CenterWindow(hwnd, App().main);
    SendMessageA(Item(IDC_FIND_TEXT), EM_LIMITTEXT, kFindTextLimit, 0);
    EditText t(LastFocusedEdit());
    t.GetSel(g_find.selStart, g_find.selEnd);
    if (g_find.selEnd > g_find.selStart && g_find.selEnd <= t.text.GetLength()) {
      g_find.findText = FindTextFromSelection(t.text.GetBuffer() + g_find.selStart,
                                              g_find.selEnd - g_find.selStart);
      g_find.textMode = 1;
    }
    SetDlgItemTextA(hwnd, IDC_FIND_TEXT, g_find.findText.GetBuffer());
    SetDlgItemTextA(hwnd, IDC_FIND_DELIMITER, kBlockDelimiter);
    CheckDlgButton(hwnd, IDC_FIND_TEXT_MODE, g_find.textMode ? BST_CHECKED : BST_UNCHECKED);
    CheckDlgButton(hwnd, IDC_FIND_DELIM_MODE, g_find.textMode ? BST_UNCHECKED : BST_CHECKED);
    SendMessageA(Item(IDC_FIND_TEXT), EM_SETREADONLY, g_find.textMode ? FALSE : TRUE, 0);
    CheckDlgButton(hwnd, IDC_FIND_CASE, g_find.caseSensitive ? BST_CHECKED : BST_UNCHECKED);
    CheckDlgButton(hwnd, IDC_FIND_DOWN, g_find.downward ? BST_CHECKED : BST_UNCHECKED);
    CheckDlgButton(hwnd, IDC_FIND_UP, g_find.downward ? BST_UNCHECKED : BST_CHECKED);
    return FALSE;  // the focus is set once the dialog shows (FocusFirst)
  }

  // The wrong-delimiter question was answered Yes: look for the delimiter.
  // F3 follows too, so the state changes with the controls.
  void ShowDelimiterMode() {
    CheckDlgButton(Handle(), IDC_FIND_TEXT_MODE, BST_UNCHECKED);
    CheckDlgButton(Handle(), IDC_FIND_DELIM_MODE, BST_CHECKED);
    SendMessageA(Item(IDC_FIND_TEXT), EM_SETREADONLY, TRUE, 0);
    SetFocus(Item(IDC_FIND_DELIMITER));
    g_find.textMode = 0;
  }

  void OnFindNext() {
    HWND hwnd = Handle();
    g_find.textMode = IsDlgButtonChecked(hwnd, IDC_FIND_TEXT_MODE) == BST_CHECKED ? 1 : 0;
    CMyString text = GetWindowTextString(Item(IDC_FIND_TEXT));
    g_find.findText = FindTextFromSelection(text.GetBuffer(), text.GetLength());
    g_find.caseSensitive = IsDlgButtonChecked(hwnd, IDC_FIND_CASE) == BST_CHECKED ? 1 : 0;
    g_find.downward = IsDlgButtonChecked(hwnd, IDC_FIND_DOWN) == BST_CHECKED ? 1 : 0;
    if (g_find.textMode == 1 && g_find.findText.GetLength() == 0) {
      // Nothing to look for: back to the text.
      MessageBeep(MB_ICONWARNING);
      SetFocus(Item(IDC_FIND_TEXT));
      return;
    }
    if (Search(true)) DestroyWindow(hwnd);
  }

  void OnCancel() {
    EditText t(LastFocusedEdit());
    t.Select(g_find.selStart, g_find.selEnd);
    DestroyWindow(Handle());
  }
};

}  // namespace

void OpenFindDialog(bool delimiterMode) {
  CMirelkaApp& app = App();
  if (delimiterMode) {
    // The delimiters are looked for where the cipher read them.
    app.cap.lastFocusSource = app.cap.encryptMode == 1 ? 1 : 0;
  }
  if (app.findDialog) {
    if (delimiterMode) {
      SendMessageA(app.findDialog, UM_FIND_DELIMITER, 0, 0);
      SetActiveWindow(app.findDialog);
    }
    return;
  }
  CFindDialog* dialog = new CFindDialog;
  HWND hwnd = dialog->Create(app.instance, IDD_FIND, app.main);
  if (!hwnd) {
    delete dialog;
    return;
  }
  ShowWindow(hwnd, SW_SHOW);
  dialog->FocusFirst();
  if (delimiterMode) SendMessageA(hwnd, UM_FIND_DELIMITER, 0, 0);
}

void FindAgain(bool downward) {
  g_find.downward = downward ? 1 : 0;
  // Nothing to look for yet: ask for it, as Ctrl+F does.
  if (g_find.textMode == 1 && g_find.findText.GetLength() == 0) {
    OpenFindDialog(false);
    return;
  }
  Search(false);
}
