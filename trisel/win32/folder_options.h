// The folder options question (dialog 117), asked once per job when the
// selection holds a folder.
#ifndef TRISEL_WIN32_FOLDER_OPTIONS_H
#define TRISEL_WIN32_FOLDER_OPTIONS_H

#include <windows.h>

#include "trisel/job_view.h"

// On entry `options` holds what the dialog opens with. Returns 1 after OK
// (the choice in `options`) or 2 after Cancel, Escape or the close box.
int RunFolderOptionsDialog(HWND owner, bool encrypt, FolderOptions& options);

#endif
