// The owner-drawn help buttons of the suite's dialogs: a 30 x 30 picture
// inside a one-pixel frame that looks raised, or sunken while pressed.
#ifndef MIRELKA_COMMON_WIN32_HELP_BUTTON_H
#define MIRELKA_COMMON_WIN32_HELP_BUTTON_H

#include <windows.h>

// Makes the button `id` of `dialog` exactly the picture and its frame
// (32 x 32), keeping its position.
void SizeHelpButton(HWND dialog, int id);

// WM_DRAWITEM of such a button: the face colour, the picture at (1, 1) when
// there is one, the frame, and the focus rectangle while it has the focus.
void DrawHelpButton(const DRAWITEMSTRUCT* item, HBITMAP picture);

#endif
