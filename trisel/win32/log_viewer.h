// The log viewer (dialog 105): a resizable, modeless window over the job log
// or the error log. Every request opens another viewer.
#ifndef TRISEL_WIN32_LOG_VIEWER_H
#define TRISEL_WIN32_LOG_VIEWER_H

#include <windows.h>

// which = IDC_SHOW_LOG (job log) or IDC_SHOW_ERRLOG (error log).
void OpenLogViewer(HWND mainWnd, int which);

#endif
