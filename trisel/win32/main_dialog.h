// Trisel's main dialog (resource 101).
#ifndef TRISEL_WIN32_MAIN_DIALOG_H
#define TRISEL_WIN32_MAIN_DIALOG_H

#include <windows.h>

INT_PTR CALLBACK MainDialogProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);

// Places the controls in pixels around the painted panels (main_layout.cpp).
void LayoutMainDialog(HWND hwnd);
// Painting of the main dialog's client area (main_paint.cpp).
void PaintMainDialog(HWND hwnd, HDC dc);
// Colours of the dialog's statics; null when the control keeps its own.
HBRUSH MainDialogCtlColor(HWND control, HDC dc);

#endif
