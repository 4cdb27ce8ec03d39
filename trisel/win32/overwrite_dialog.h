// The overwrite question (dialog 102): five answers and no way around them.
#ifndef TRISEL_WIN32_OVERWRITE_DIALOG_H
#define TRISEL_WIN32_OVERWRITE_DIALOG_H

#include <windows.h>

// Returns IDYES (6), 10 (yes to all), IDNO (7), 11 (no to all) or IDCANCEL
// (2); 0 when the dialog could not be shown.
int AskOverwriteDialog(HWND owner, const char* text);

#endif
