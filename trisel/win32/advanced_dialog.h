// The advanced dialog (116): the common key file.
#ifndef TRISEL_WIN32_ADVANCED_DIALOG_H
#define TRISEL_WIN32_ADVANCED_DIALOG_H

#include <windows.h>

// Modal over `owner`; returns 1 after OK (CommKeyFile stored), 2 after Cancel.
int RunAdvancedDialog(HWND owner);

#endif
