// Trisel.exe: started by the Explorer menu with "-e" or "-d" and the paths of
// the selected files and folders.
#include <windows.h>
#include <commctrl.h>

#include <cstdlib>

#include "common/log.h"
#include "trisel/win32/app.h"
#include "trisel/win32/main_dialog.h"

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
  INITCOMMONCONTROLSEX icc = {sizeof icc, ICC_PROGRESS_CLASS | ICC_STANDARD_CLASSES};
  InitCommonControlsEx(&icc);
  TheRunLog().SetDebugEnabled(true);  // Trisel writes the heading of its debug log
  CTriselApp& app = App();
  app.instance = instance;
  // The runtime's argument list: quoted arguments arrive without quotes.
  app.argc = __argc;
  app.argv = __argv;
  RunMainDialog(instance);
  return 0;
}
