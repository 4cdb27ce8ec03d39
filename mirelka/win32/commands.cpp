// Commands whose work lives in the shared layers: the update check
// (update/win32/update_check.h), the banner (common/win32/banner_window.h)
// and the help pages. The options sheet, the find dialog and the about and
// notice boxes have files of their own.
#include <windows.h>

#include "common/vendor.h"
#include "common/win32/banner_window.h"
#include "common/win32/help_browser.h"
#include "mirelka/win32/app.h"
#include "mirelka/win32/main_window.h"
#include "mirelka/win32/resource.h"
#include "update/win32/update_check.h"

void StartUpdateCheck() {
  // The check of the vendor's version file runs on its own thread and sets
  // updateState to 0 (nothing to do) or 1 (the updater runs, Mirelka ends).
  BeginUpdateCheck(App().main, App().updateState);
}

void StartBannerText() {
  // The text goes into the output edit of the coming run; the cipher result
  // replaces it later.
  CMirelkaApp& app = App();
  StartBannerTextThread(app.cap.encryptMode == 1 ? app.result : app.source, 1000);
}

void StartBannerImage() { StartBannerImageThread(); }  // not while an earlier one still runs

void AttachBanner() { BannerAttach(App().banner, kMirelkaBanner, IDC_BUTTON_CURSOR, &App().instance); }
void StopBanner() { StopBannerDownloads(); }
void DetachBanner() { BannerDetach(App().banner); }

void OpenHelp(const char* page) { OpenHelpPage(App().main, page); }

void DrawBanner(const DRAWITEMSTRUCT& item) { BannerDrawItem(&item); }
