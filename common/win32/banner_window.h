// The banner strip of Trisel and Mirelka: a child button of the main window
// that shows the vendor's picture (common/win32/banner_picture.h) and opens
// the vendor's page on a click, and the two banner threads that fetch the
// text for the program's text box and a newer picture (common/banner_fetch.h).
//
// Use, from the user-interface thread:
//   1. create the button (owner-drawn) and call BannerAttach: the shipped
//      picture shows at once;
//   2. StartBannerTextThread when the text is wanted; when it has set the
//      text it arms timer TIMER_BANNER_IMAGE on the banner's parent;
//   3. on that timer: kill it and call StartBannerImageThread;
//   4. WM_DRAWITEM for the button: BannerDrawItem;
//   5. at the end: StopBannerDownloads, then destroy the windows (the
//      banner's WM_DESTROY stops its animation and frees the picture).
// The threads are let go, not waited for: the process ends with its loop.
#ifndef MIRELKA_COMMON_WIN32_BANNER_WINDOW_H
#define MIRELKA_COMMON_WIN32_BANNER_WINDOW_H

#include <windows.h>

#include <cstdint>

#include "common/banner_fetch.h"

#ifndef UM_BANNER_SETUP
// wParam: the set-up text "picture|fallback|link|", lParam: the address of
// the program's instance handle. Returns the size of the picture file shown,
// or -1 when neither picture could be shown.
#define UM_BANNER_SETUP (WM_USER + 555)
#endif
#ifndef UM_BANNER_CLEAR
// Frees the picture (ending its animation) and the click address.
#define UM_BANNER_CLEAR (WM_USER + 556)
#endif
#ifndef TIMER_BANNER_TEXT
#define TIMER_BANNER_TEXT 555
#endif
#ifndef TIMER_BANNER_IMAGE
#define TIMER_BANNER_IMAGE 556
#endif

// Makes `button` the banner window for `objects`: replaces its window
// procedure, and sets it up with the shipped picture and the vendor's home
// page. `cursor` is the banner cursor's resource id in *instance.
void BannerAttach(HWND button, const BannerObjects& objects, int cursor, HINSTANCE* instance);
// Gives the button back the window procedure it had.
void BannerDetach(HWND button);

// WM_DRAWITEM of the banner button: the picture, or the button face colour
// while there is none.
void BannerDrawItem(const DRAWITEMSTRUCT* item);

// Fetches the banner text into `textBox` (a line break, then the vendor's
// text), then arms TIMER_BANNER_IMAGE for `imageTimerMs` on the banner's
// parent. False when the thread cannot start.
bool StartBannerTextThread(HWND textBox, UINT imageTimerMs);
// Asks for a newer picture, downloads it when there is one, and sets the
// banner up with it. False when the thread cannot start or one still runs.
bool StartBannerImageThread();

// Program end: a running picture download stops, removing its file, and no
// later set-up happens.
void StopBannerDownloads();

// The size of the picture file on display, -1 when none.
int32_t BannerShownSize();

#endif
