#include "trisel/win32/banner.h"

#include <cstring>

#include "common/win32/help_browser.h"
#include "trisel/win32/app.h"
#include "trisel/win32/resource.h"

namespace {

WNDPROC g_buttonProc = nullptr;

// The third "|"-ended field of the setup text, at most 1023 bytes.
CMyString LinkOfSetupText(const char* text) {
  const char* p = text;
  for (int field = 0; field < 2 && p != nullptr; ++field) {
    p = std::strchr(p, '|');
    if (p != nullptr) ++p;
  }
  if (p == nullptr) return CMyString();
  const char* end = std::strchr(p, '|');
  size_t n = end ? static_cast<size_t>(end - p) : std::strlen(p);
  if (n > 1023) n = 1023;
  CMyString link;
  link.AssignLeft(CMyString(p), static_cast<uint32_t>(n));
  return link;
}

LRESULT CALLBACK BannerProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  switch (msg) {
    case UM_BANNER_SETUP:
      if (wParam != 0) App().bannerLink = LinkOfSetupText(reinterpret_cast<const char*>(wParam));
      return -1;  // no picture shown yet
    case WM_SETCURSOR: {
      HCURSOR c = LoadCursorA(App().instance, MAKEINTRESOURCEA(IDC_TRISEL_HAND));
      if (c != nullptr) SetCursor(c);
      return 0;
    }
    case WM_LBUTTONDOWN:
      if (App().bannerLink.GetLength() > 0) {
        OpenWebPageDirect(App().bannerLink.GetBuffer(), SW_SHOWMAXIMIZED);
      }
      return 0;
    default: return CallWindowProcA(g_buttonProc, hwnd, msg, wParam, lParam);
  }
}

}  // namespace

HWND CreateBanner(HWND mainWnd, const CMyString& startText) {
  HWND banner = CreateWindowA("button", "BANNER", WS_CHILD | WS_VISIBLE | BS_OWNERDRAW, 300, 9,
                              170, 85, mainWnd, reinterpret_cast<HMENU>(IDC_BANNER),
                              App().instance, nullptr);
  if (banner == nullptr) return nullptr;
  g_buttonProc = reinterpret_cast<WNDPROC>(
      SetWindowLongPtrA(banner, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(BannerProc)));
  SendMessageA(banner, UM_BANNER_SETUP, reinterpret_cast<WPARAM>(startText.GetBuffer()),
               reinterpret_cast<LPARAM>(&App().instance));
  return banner;
}

void DrawBannerItem(const DRAWITEMSTRUCT* item) {
  FillRect(item->hDC, &item->rcItem, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
}

void StartBannerTextThread(HWND) {}

void StartBannerImageThread(HWND) {}
