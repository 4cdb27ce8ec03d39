// Mirelka's update check, started by its main window once the single-
// instance check has passed, unless Mirelka was started with "noupdate":
//
//   BeginUpdateCheck(mainWnd, app.updateState);
//
// The check asks the vendor's server for the current version on its own
// thread and leaves its outcome in `state`, which the main window polls with
// its TIMER_UPDATE_POLL: -1 while it runs; 0 no update (or the server could
// not be reached); 1 the updater was started, or could not be and the user
// was told: Mirelka must close so that the updater can replace its files.
#ifndef MIRELKA_UPDATE_WIN32_UPDATE_CHECK_H
#define MIRELKA_UPDATE_WIN32_UPDATE_CHECK_H

#include <windows.h>

#include <atomic>
#include <cstdint>

// Sets state to -1 and starts the check thread; `owner` owns the message
// box shown when the updater cannot be started. When no thread can be
// started, state becomes 0 and the result is false. `state` must outlive
// the thread (a member of the program's application object).
bool BeginUpdateCheck(HWND owner, std::atomic<int32_t>& state);

// Starts "<program folder>update.exe" Mirelka, the path quoted, as a new
// process shown normally; true when it started.
bool StartUpdater();

#endif
