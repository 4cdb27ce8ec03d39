// The about box (a borderless popup with the maker's logo and addresses),
// the notice box, and the home page.
#include <windows.h>

#include "common/vendor.h"
#include "common/win32/dialog.h"
#include "common/win32/gdi.h"
#include "common/win32/help_browser.h"
#include "common/win32/window.h"
#include "mirelka/win32/app.h"
#include "mirelka/win32/main_window.h"
#include "mirelka/win32/resource.h"

namespace {

const char kVendorEmail[] = "support@pelmora.co.kr";
const COLORREF kBlue = RGB(170, 198, 248);

class CAboutBox : public CDialog {
 protected:
  INT_PTR HandleMessage(UINT msg, WPARAM wp, LPARAM lp) override {
    HWND hwnd = Handle();
    switch (msg) {
      case WM_INITDIALOG: OnInit(); return FALSE;
      case WM_CTLCOLORDLG: return reinterpret_cast<INT_PTR>(m_blue.Get());
      case WM_CTLCOLORSTATIC: {
        HDC dc = reinterpret_cast<HDC>(wp);
        if (reinterpret_cast<HWND>(lp) == Item(IDC_ABOUT_ADDRESS)) {
          SetTextColor(dc, kBlue);
          SetBkColor(dc, RGB(255, 255, 255));
          return reinterpret_cast<INT_PTR>(m_white.Get());
        }
        SetTextColor(dc, RGB(16, 32, 72));
        SetBkMode(dc, TRANSPARENT);
        return reinterpret_cast<INT_PTR>(m_blue.Get());
      }
      case WM_PAINT: {
        // No border of its own: a thin frame keeps it apart from what lies below.
        PAINTSTRUCT ps;
        HDC dc = BeginPaint(hwnd, &ps);
        RECT rc;
        GetClientRect(hwnd, &rc);
        FrameRect(dc, &rc, static_cast<HBRUSH>(GetStockObject(GRAY_BRUSH)));
        EndPaint(hwnd, &ps);
        return TRUE;
      }
      case WM_DRAWITEM: {
        const DRAWITEMSTRUCT* item = reinterpret_cast<const DRAWITEMSTRUCT*>(lp);
        if (item->CtlID != IDC_ABOUT_LOGO) return FALSE;
        CMemoryDC mem(item->hDC);
        CSelectObject picture(mem.Get(), m_logo.Get());
        BitBlt(item->hDC, 0, 0, 79, 46, mem.Get(), 0, 0, SRCCOPY);
        return TRUE;
      }
      case WM_LBUTTONDOWN: EndDialog(hwnd, IDOK); return TRUE;
      case WM_COMMAND:
        if (LOWORD(wp) == IDCANCEL || LOWORD(wp) == IDOK) EndDialog(hwnd, IDCANCEL);
        if (LOWORD(wp) == IDC_ABOUT_LOGO) OpenHomePage();
        return TRUE;
    }
    return FALSE;
  }

 private:
  CBrush m_blue, m_white;
  CBitmap m_logo;
  CFont m_addressFont;

  void OnInit() {
    HWND hwnd = Handle();
    HINSTANCE instance = App().instance;
    m_blue.Reset(CreateSolidBrush(kBlue));
    m_white.Reset(CreateSolidBrush(RGB(255, 255, 255)));
    CenterWindow(hwnd, App().main);
    HWND address = CreateWindowExA(0, "EDIT", "", WS_CHILD | WS_VISIBLE | ES_MULTILINE | ES_READONLY, 120, 20,
                                   185, 35, hwnd, reinterpret_cast<HMENU>(static_cast<INT_PTR>(IDC_ABOUT_ADDRESS)),
                                   instance, nullptr);
    m_addressFont.Reset(CreateFontA(17, 0, 0, 0, FW_BOLD, 0, 0, 0, DEFAULT_CHARSET, OUT_DEFAULT_PRECIS,
                                    CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH, "Times New Roman"));
    SendMessageA(address, WM_SETFONT, reinterpret_cast<WPARAM>(m_addressFont.Get()), FALSE);
    CMyString text(TheVendorServer().homePage);
    text += CMyString("\r\n");
    text += CMyString(kVendorEmail);
    SetWindowTextA(address, text.GetBuffer());
    HWND logo = CreateWindowExA(0, "BUTTON", "LOGO", WS_CHILD | WS_VISIBLE | BS_OWNERDRAW, 15, 15, 79, 46, hwnd,
                                reinterpret_cast<HMENU>(static_cast<INT_PTR>(IDC_ABOUT_LOGO)), instance, nullptr);
    m_logo.Reset(LoadBitmapA(instance, MAKEINTRESOURCEA(IDB_LOGO)));
    // Every button of the process shows the program's cursor.
    SetClassLongPtrA(logo, GCLP_HCURSOR,
                     reinterpret_cast<LONG_PTR>(LoadCursorA(instance, MAKEINTRESOURCEA(IDC_BUTTON_CURSOR))));
    SetFocus(logo);
  }
};

}  // namespace

void ShowAbout() {
  CAboutBox box;
  box.RunModal(App().instance, IDD_ABOUT, App().main);
}

void ShowNotice() {
  CMyString text(
      "Mirelka 특허 안내\n\n"
      "지금은 이 프로그램에 관해 안내할 특허 출원 정보가 없습니다.\n"
      "새로운 소식은 Pelmora 홈페이지에 올립니다.\n( ");
  text += TheVendorServer().homePage;
  text += CMyString(
      " )\n\n"
      "Mirelka의 암호는 간단한 XOR 방식이어서, 마음먹고 분석하는 사람을 막지는 못합니다.\n"
      "자세한 내용은 도움말의 <알아두기> 페이지를 읽어 보십시오.");
  MessageBoxA(App().main, text.GetBuffer(), "정보", MB_OK | MB_ICONINFORMATION);
}

void OpenHomePage() { OpenWebPageDirect(TheVendorServer().homePage.GetBuffer(), SW_SHOWMAXIMIZED); }
