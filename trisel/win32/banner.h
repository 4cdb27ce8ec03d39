// Trisel's banner button (id 1023, at (300, 9), 170 x 85): the shared banner
// strip (common/win32/banner_window.h) with the objects of Trisel's mode and
// Trisel's cursor.
#ifndef TRISEL_WIN32_BANNER_H
#define TRISEL_WIN32_BANNER_H

#include <windows.h>

// Creates the banner control and shows the shipped picture of the mode.
HWND CreateBanner(HWND mainWnd, bool encrypt);

// WM_DRAWITEM of the owner-drawn banner.
void DrawBannerItem(const DRAWITEMSTRUCT* item);

#endif
