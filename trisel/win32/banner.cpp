#include "trisel/win32/banner.h"

#include "common/win32/banner_window.h"
#include "trisel/win32/app.h"
#include "trisel/win32/resource.h"

HWND CreateBanner(HWND mainWnd, bool encrypt) {
  HWND banner = CreateWindowA("button", "BANNER", WS_CHILD | WS_VISIBLE | BS_OWNERDRAW, 300, 9,
                              170, 85, mainWnd, reinterpret_cast<HMENU>(IDC_BANNER),
                              App().instance, nullptr);
  if (banner != nullptr) {
    BannerAttach(banner, encrypt ? kTriselEncryptBanner : kTriselDecryptBanner, IDC_TRISEL_HAND,
                 &App().instance);
  }
  return banner;
}

void DrawBannerItem(const DRAWITEMSTRUCT* item) { BannerDrawItem(item); }
