// Small window helpers shared by Trisel's dialogs.
#ifndef TRISEL_WIN32_WINDOW_UTIL_H
#define TRISEL_WIN32_WINDOW_UTIL_H

#include <windows.h>

#include "common/mystring.h"

// Centres hwnd on `over`, or on the screen's work area when `over` is null.
void CenterWindow(HWND hwnd, HWND over);

// The whole text of a window as bytes (CP949).
CMyString GetWindowTextString(HWND hwnd);

// Shows a message box owned by the main window with the warning icon.
int WarningBox(HWND owner, const char* text, UINT extraFlags = MB_OK);

#endif
