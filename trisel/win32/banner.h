// Trisel's banner button (id 1023). For now it keeps its setup text's link,
// shows Trisel's cursor and opens the link on a click; the picture and the
// banner threads come with the banner strip.
#ifndef TRISEL_WIN32_BANNER_H
#define TRISEL_WIN32_BANNER_H

#include <windows.h>

#include "common/mystring.h"

// Creates the banner control at (300, 9), 170 x 85, and hands it its start
// text ("picture|fallback|link|") with UM_BANNER_SETUP.
HWND CreateBanner(HWND mainWnd, const CMyString& startText);

// WM_DRAWITEM of the owner-drawn banner: the white of the band behind it.
void DrawBannerItem(const DRAWITEMSTRUCT* item);

// Started by the one-shot timers 555 and 556.
void StartBannerTextThread(HWND mainWnd);
void StartBannerImageThread(HWND mainWnd);

#endif
