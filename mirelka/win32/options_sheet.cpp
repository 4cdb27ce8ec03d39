// The options sheet "환경 설정" and its four pages. Each page works on its
// own copies of the settings it shows; only OK writes them back, and then
// only the ones that changed are stored and applied to the running window,
// one at a time in the order of the page.
#include <windows.h>
#include <commctrl.h>
#include <commdlg.h>

#include <cstring>

#include "common/registry.h"
#include "common/win32/dialog.h"
#include "common/win32/help_browser.h"
#include "common/win32/window.h"
#include "mirelka/settings.h"
#include "mirelka/win32/app.h"
#include "mirelka/win32/main_window.h"
#include "mirelka/win32/resource.h"

namespace {

bool SameBytes(const CMyString& a, const CMyString& b) {
  return a.GetLength() == b.GetLength() && std::memcmp(a.GetBuffer(), b.GetBuffer(), a.GetLength()) == 0;
}

// Stores one changed setting and applies it.
void Commit(uint32_t bit) {
  SaveSettings(RealRegistry(), App().settings, bit);
  ApplySettings(bit);
}

void Check(HWND page, int id, bool on) { CheckDlgButton(page, id, on ? BST_CHECKED : BST_UNCHECKED); }
uint32_t Checked(HWND page, int id) { return IsDlgButtonChecked(page, id) == BST_CHECKED ? 1 : 0; }

class COptionsPage : public CDialog {
 protected:
  virtual void CopySettings() = 0;  // settings -> copies, at creation
  virtual void Show() = 0;          // copies -> controls
  virtual void Read() = 0;          // controls -> copies
  virtual void Apply() = 0;         // changed copies -> settings
  virtual void OnCommand(int) {}

 private:
  INT_PTR HandleMessage(UINT msg, WPARAM wp, LPARAM lp) override {
    HWND hwnd = Handle();
    switch (msg) {
      case WM_INITDIALOG:
        // Opened from the tray, the sheet would sit where the hidden window
        // was. (The sheet has its final size by the time its pages exist.)
        if (IsIconic(App().main)) CenterWindow(GetParent(hwnd), nullptr);
        CopySettings();
        return TRUE;
      case WM_COMMAND:
        OnCommand(LOWORD(wp));
        return TRUE;
      case WM_NOTIFY: {
        const NMHDR* n = reinterpret_cast<const NMHDR*>(lp);
        switch (n->code) {
          case PSN_SETACTIVE: Show(); break;
          case PSN_KILLACTIVE: Read(); break;
          case PSN_APPLY:
            Read();
            Apply();
            SetWindowLongPtrA(hwnd, DWLP_MSGRESULT, PSNRET_NOERROR);
            return TRUE;
          case PSN_RESET: break;  // Cancel: nothing changes
          default: return FALSE;
        }
        SetWindowLongPtrA(hwnd, DWLP_MSGRESULT, 0);
        return TRUE;
      }
    }
    return FALSE;
  }
};

// 기본: start with Windows, start hidden, always on top.
class CBasicPage : public COptionsPage {
  uint32_t m_autoRun = 0, m_hidden = 0, m_topmost = 0;

  void CopySettings() override {
    const MirelkaSettings& s = App().settings;
    m_autoRun = s.wndStartAutoRun;
    m_hidden = s.startHideWnd;
    m_topmost = s.alwaysOnTop;
  }
  void Show() override {
    Check(Handle(), IDC_OPT_AUTORUN, m_autoRun != 0);
    Check(Handle(), IDC_OPT_HIDDEN, m_hidden != 0);
    Check(Handle(), IDC_OPT_TOPMOST, m_topmost != 0);
  }
  void Read() override {
    m_autoRun = Checked(Handle(), IDC_OPT_AUTORUN);
    m_hidden = Checked(Handle(), IDC_OPT_HIDDEN);
    m_topmost = Checked(Handle(), IDC_OPT_TOPMOST);
  }
  void Apply() override {
    MirelkaSettings& s = App().settings;
    if (m_autoRun != s.wndStartAutoRun) {
      s.wndStartAutoRun = m_autoRun;
      Commit(kSetAutoRun);
    }
    if (m_hidden != s.startHideWnd) {
      s.startHideWnd = m_hidden;
      Commit(kSetStartHide);
    }
    if (m_topmost != s.alwaysOnTop) {
      s.alwaysOnTop = m_topmost;
      Commit(kSetTopmost);
    }
  }
};

// 편집 창: arrangement, font, word wrap, tab width.
class CEditPage : public COptionsPage {
  uint32_t m_wrap = 0, m_wndH = 0, m_tabStop = 0;
  EditFont m_font;

  void CopySettings() override {
    const MirelkaSettings& s = App().settings;
    m_wrap = s.wordsWrap;
    m_wndH = s.wndH;
    m_font = s.font;
    m_tabStop = s.tabStop;
    // Four digits: the tab stops are the average character width times
    // this, and must stay far from overflowing.
    SendMessageA(Item(IDC_OPT_TAB), EM_LIMITTEXT, 4, 0);
  }
  void Show() override {
    Check(Handle(), IDC_OPT_HORZ, m_wndH == 1);
    Check(Handle(), IDC_OPT_VERT, m_wndH != 1);
    SetDlgItemTextA(Handle(), IDC_OPT_FACE, m_font.faceName);
    Check(Handle(), IDC_OPT_WRAP, m_wrap != 0);
    SetDlgItemInt(Handle(), IDC_OPT_TAB, m_tabStop, FALSE);
  }
  void Read() override {
    m_wrap = Checked(Handle(), IDC_OPT_WRAP);
    m_wndH = Checked(Handle(), IDC_OPT_HORZ);
    m_tabStop = GetDlgItemInt(Handle(), IDC_OPT_TAB, nullptr, FALSE);
  }
  void Apply() override {
    MirelkaSettings& s = App().settings;
    if (m_wrap != s.wordsWrap) {
      s.wordsWrap = m_wrap;
      Commit(kSetWordsWrap);
    }
    if (m_wndH != s.wndH) {
      s.wndH = m_wndH;
      Commit(kSetWndH);
    }
    if (m_font != s.font) {
      s.font = m_font;
      Commit(kSetFont);
    }
    if (m_tabStop != s.tabStop) {
      s.tabStop = m_tabStop;
      Commit(kSetTabStop);
    }
  }
  void OnCommand(int id) override {
    if (id != IDC_OPT_FONT) return;
    LOGFONTA lf = ToLogFont(m_font);
    CHOOSEFONTA cf = {};
    cf.lStructSize = sizeof cf;
    cf.hwndOwner = Handle();
    cf.lpLogFont = &lf;
    cf.Flags = CF_SCREENFONTS | CF_NOVERTFONTS | CF_LIMITSIZE | CF_INITTOLOGFONTSTRUCT;
    cf.nSizeMin = 6;
    cf.nSizeMax = 20;
    if (!ChooseFontA(&cf)) return;
    m_font = FromLogFont(lf);
    SetDlgItemTextA(Handle(), IDC_OPT_FACE, m_font.faceName);
  }
};

// 단축키: the modifier that goes with Scroll Lock.
class CHotKeyPage : public COptionsPage {
  uint32_t m_actKey = kActKeyAlt;

  void CopySettings() override { m_actKey = App().settings.actKey; }
  void Show() override {
    Check(Handle(), IDC_OPT_ALT, m_actKey == kActKeyAlt);
    Check(Handle(), IDC_OPT_SHIFT, m_actKey == kActKeyShift);
    Check(Handle(), IDC_OPT_WIN, m_actKey == kActKeyWin);
  }
  void Read() override {
    if (Checked(Handle(), IDC_OPT_ALT)) m_actKey = kActKeyAlt;
    else if (Checked(Handle(), IDC_OPT_SHIFT)) m_actKey = kActKeyShift;
    else if (Checked(Handle(), IDC_OPT_WIN)) m_actKey = kActKeyWin;
  }
  void Apply() override {
    MirelkaSettings& s = App().settings;
    if (m_actKey != s.actKey) {
      s.actKey = m_actKey;
      Commit(kSetActKey);
    }
  }
  void OnCommand(int id) override {
    if (id == IDC_OPT_HELP_KEY) OpenHelpPage(Handle(), "DetailUsage/Menu/page04.htm#P_ACTKEY");
  }
};

// 고급: the common key file. The file itself is examined when it is read.
class CAdvancedPage : public COptionsPage {
  CMyString m_keyFile;

  void CopySettings() override { m_keyFile = App().settings.commKeyFile; }
  void Show() override { SetDlgItemTextA(Handle(), IDC_OPT_KEY_PATH, m_keyFile.GetBuffer()); }
  void Read() override {}  // the path changes only through the two buttons
  void Apply() override {
    MirelkaSettings& s = App().settings;
    if (!SameBytes(m_keyFile, s.commKeyFile)) {
      s.commKeyFile = m_keyFile;
      SaveSettings(RealRegistry(), s, kSetKeyFile);
      ApplySettings(0);  // the next cipher run reads the new path
    }
  }
  void OnCommand(int id) override {
    switch (id) {
      case IDC_OPT_HELP_ADV: OpenHelpPage(Handle(), "Notice/page06.htm"); break;
      case IDC_OPT_HELP_FILE: OpenHelpPage(Handle(), "DetailUsage/Menu/page04.htm#P_COMMKEYFILE"); break;
      case IDC_OPT_RESET:
        m_keyFile = CMyString();
        SetDlgItemTextA(Handle(), IDC_OPT_KEY_PATH, "");
        break;
      case IDC_OPT_FILE: {
        char path[260] = {};
        OPENFILENAMEA ofn = {};
        ofn.lStructSize = sizeof ofn;
        ofn.hwndOwner = Handle();
        ofn.lpstrFilter = "모든 파일(*.*)\0*.*\0";
        ofn.lpstrFile = path;
        ofn.nMaxFile = sizeof path;
        if (!GetOpenFileNameA(&ofn)) break;
        m_keyFile = CMyString(path);
        SetDlgItemTextA(Handle(), IDC_OPT_KEY_PATH, path);
        break;
      }
    }
  }
};

HWND g_sheet = nullptr;  // the open sheet, so a second command only brings it up

int CALLBACK SheetCallback(HWND hwnd, UINT msg, LPARAM) {
  if (msg == PSCB_INITIALIZED) g_sheet = hwnd;
  return 0;
}

}  // namespace

void OpenOptions() {
  CMirelkaApp& app = App();
  if (g_sheet) {
    // The tray menu still answers while the sheet is open.
    if (IsWindow(g_sheet)) SetForegroundWindow(g_sheet);
    return;
  }
  CBasicPage basic;
  CEditPage edit;
  CHotKeyPage hotKey;
  CAdvancedPage advanced;
  PROPSHEETPAGEA pages[4] = {basic.Page(app.instance, IDD_PAGE_BASIC), edit.Page(app.instance, IDD_PAGE_EDIT),
                             hotKey.Page(app.instance, IDD_PAGE_HOTKEY),
                             advanced.Page(app.instance, IDD_PAGE_ADVANCED)};
  PROPSHEETHEADERA h = {};
  h.dwSize = sizeof h;
  h.dwFlags = PSH_PROPSHEETPAGE | PSH_NOAPPLYNOW | PSH_USECALLBACK;
  h.hwndParent = app.main;
  h.hInstance = app.instance;
  h.pszCaption = "환경 설정";
  h.nPages = 4;
  h.nStartPage = 0;
  h.ppsp = pages;
  h.pfnCallback = SheetCallback;
  g_sheet = reinterpret_cast<HWND>(-1);  // until the sheet's window exists
  PropertySheetA(&h);
  g_sheet = nullptr;
}
