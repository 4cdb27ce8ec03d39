// Small helpers for the windows and dialogs of the suite's Windows programs
// (Trisel.exe, Mirelka.exe, update.exe).
#ifndef MIRELKA_COMMON_WIN32_WINDOW_H
#define MIRELKA_COMMON_WIN32_WINDOW_H

#include <windows.h>

#include "common/mystring.h"

// The two captions of the suite's message boxes.
extern const char kWarningCaption[];  // "경고"
extern const char kErrorCaption[];    // "에러"

// A message box with the caption "경고" and the warning icon; extraFlags
// adds the buttons (MB_OK by default) and their default. Returns the button
// pressed, 0 when the box could not be shown.
int WarningBox(HWND owner, const char* text, UINT extraFlags = MB_OK);
// The same with the caption "에러" and the error icon.
int ErrorBox(HWND owner, const char* text, UINT extraFlags = MB_OK);

// Centres hwnd on the window `over`, or on the screen's work area when
// `over` is null, and keeps it inside the work area so that its caption
// stays reachable when `over` sits near an edge. The size is kept.
void CenterWindow(HWND hwnd, HWND over);

// The whole text of a window (or control) as bytes, CP949; empty when it
// has none or cannot be read.
CMyString GetWindowTextString(HWND hwnd);

#endif
