// Stands in for Trisel.exe in the shell extension's Wine test: records the
// command line it was started with beside itself (Trisel.args.txt: the raw
// line, then one parsed argument per line) and shows a window titled like
// Trisel's main dialog for the mode, until it is closed.
#include <windows.h>

#include <cstdio>
#include <cstring>
#include <string>

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int show) {
  char exe[MAX_PATH] = "";
  GetModuleFileNameA(nullptr, exe, MAX_PATH);
  const std::string dir(exe, strrchr(exe, '\\') + 1), part = dir + "Trisel.args.part";
  // Written under another name and renamed, so a reader never sees half a file.
  if (FILE* f = fopen(part.c_str(), "wb")) {
    fprintf(f, "%s\n", GetCommandLineA());
    for (int i = 0; i < __argc; ++i) fprintf(f, "%s\n", __argv[i]);
    fclose(f);
    MoveFileExA(part.c_str(), (dir + "Trisel.args.txt").c_str(), MOVEFILE_REPLACE_EXISTING);
  }
  const char* sw = __argc >= 2 ? __argv[1] : "";
  const char* title = strcmp(sw, "-e") == 0   ? "암호 - Trisel v1.0"
                      : strcmp(sw, "-d") == 0 ? "해독 - Trisel v1.0"
                                              : "Trisel usage";
  // A plain static window: closing it destroys it, and the loop, woken by a
  // timer, sees it gone. A minute at most, should a test run break.
  HWND hwnd = CreateWindowA("STATIC", title, WS_OVERLAPPEDWINDOW, 10, 10, 300, 200, nullptr,
                            nullptr, nullptr, nullptr);
  ShowWindow(hwnd, show);
  SetTimer(nullptr, 0, 100, nullptr);
  MSG msg;
  for (DWORD start = GetTickCount(); IsWindow(hwnd) && GetTickCount() - start < 60000 &&
                                     GetMessageA(&msg, nullptr, 0, 0) > 0;) {
    DispatchMessageA(&msg);
  }
  return 0;
}
