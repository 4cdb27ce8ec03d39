// update.exe's dialog: runs the update (update/updater.h) inside its own
// message handling and shows every outcome.
#ifndef MIRELKA_UPDATE_WIN32_UPDATER_DIALOG_H
#define MIRELKA_UPDATE_WIN32_UPDATER_DIALOG_H

#include <windows.h>

// Shows the dialog until the update has run and its last message was shown.
// `allowed` false (a command line other than Mirelka's) shows only the
// refusal.
int RunUpdaterDialog(HINSTANCE instance, bool allowed);

#endif
