// Trisel's main dialog (resource 101).
#ifndef TRISEL_WIN32_MAIN_DIALOG_H
#define TRISEL_WIN32_MAIN_DIALOG_H

#include <windows.h>

// Runs the main dialog modally until the program's end.
void RunMainDialog(HINSTANCE instance);

// Places the controls in pixels around the painted panels (main_layout.cpp).
void LayoutMainDialog(HWND hwnd);
// Painting of the main dialog's client area (main_paint.cpp); `white` fills
// the white panels.
void PaintMainDialog(HWND hwnd, HDC dc, HBRUSH white);
// Colours of the dialog's statics; null when the control keeps its own.
// `bannerBack` is the mode colour behind the banner text box.
HBRUSH MainDialogCtlColor(HWND control, HDC dc, HBRUSH white, HBRUSH bannerBack);

#endif
