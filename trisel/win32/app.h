// Program-wide state of Trisel.exe that the main dialog shares with the job
// thread, the settings dialogs and the banner.
#ifndef TRISEL_WIN32_APP_H
#define TRISEL_WIN32_APP_H

#include <windows.h>

struct CTriselApp {
  HINSTANCE instance = nullptr;
  HWND mainWnd = nullptr;
  int argc = 0;
  char** argv = nullptr;
  bool encrypt = false;

};

CTriselApp& App();

#endif
