// Help pages and web pages, each opened in a separate program so the caller
// never waits for them.
#ifndef MIRELKA_COMMON_WIN32_HELP_BROWSER_H
#define MIRELKA_COMMON_WIN32_HELP_BROWSER_H

#include <windows.h>

// Opens "Mirelka.chm::/<page>" of the program folder in hh.exe, maximised.
// When hh.exe cannot be started (start result 30 or less) asks whether to
// download the help file again (OK / Cancel, owned by `owner`); OK opens the
// vendor's download page. Returns true when the viewer was started.
bool OpenHelpPage(HWND owner, const char* page);

// Opens a web address in the user's default browser through the shell. Only
// when that fails is Internet Explorer asked for by name ("iexplore.exe"
// with the address as its parameter). Returns true when either started.
bool OpenWebPage(const char* url, int showCmd);

// The same, but the last resort also tries the browser's own file under
// "<Windows drive>\Program Files\Internet Explorer" before the name alone
// (the banner's and the updater's way).
bool OpenWebPageDirect(const char* url, int showCmd);

#endif
