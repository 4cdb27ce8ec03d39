// update.exe: the updater Mirelka starts, with the single argument
// "Mirelka", when the vendor's server announces a higher version. Started
// any other way it only says that it cannot be run by hand.
#include <windows.h>

#include "update/update_rules.h"
#include "update/win32/updater_dialog.h"

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
  return RunUpdaterDialog(instance, IsUpdaterArgument(CommandLineTail(GetCommandLineA())));
}
