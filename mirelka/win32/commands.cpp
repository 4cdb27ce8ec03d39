// Commands whose work belongs to other parts of the program: the update
// check, the banner, the options sheet, the find dialog and the about and
// notice boxes. Until those parts are in, each is a safe no-op (the update
// check reports "nothing to do" so its poll timer stops). Help pages and
// the home page already open.
#include <windows.h>

#include "common/vendor.h"
#include "common/win32/help_browser.h"
#include "mirelka/win32/app.h"
#include "mirelka/win32/main_window.h"

void StartUpdateCheck() {
  // The check of the vendor's version file runs on its own thread and sets
  // updateState to 0 (nothing to do) or 1 (the updater runs, Mirelka ends).
  App().updateState = 0;
}

void StartBannerText() {}
void StartBannerImage() {}
void OpenOptions() {}
void OpenFindDialog(bool) {}
void FindAgain(bool) {}
void ShowAbout() {}
void ShowNotice() {}

void OpenHelp(const char* page) { OpenHelpPage(App().main, page); }

void OpenHomePage() { OpenWebPageDirect(TheVendorServer().homePage.GetBuffer(), SW_SHOWMAXIMIZED); }

void DrawBanner(const DRAWITEMSTRUCT& item) {
  // Until the vendor's banner arrives: a white panel with the program's name.
  FillRect(item.hDC, &item.rcItem, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
  RECT r = item.rcItem;
  SetBkMode(item.hDC, TRANSPARENT);
  SetTextColor(item.hDC, RGB(45, 91, 196));
  DrawTextA(item.hDC, "Mirelka v1.0", -1, &r, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
}
