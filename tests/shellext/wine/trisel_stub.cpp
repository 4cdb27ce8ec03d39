// Stands in for Trisel.exe in the shell extension's Wine test: records the
// command line it was started with beside itself (Trisel.args.txt: the raw
// line, then one parsed argument per line) and shows a window titled like
// Trisel's main dialog for the mode, until it is closed.
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace {

void ModuleDir(char* dir) {
  GetModuleFileNameA(nullptr, dir, MAX_PATH);
  char* slash = strrchr(dir, '\\');
  if (slash) slash[1] = 0;
}

// Written under another name and renamed, so a reader never sees half a file.
void RecordArguments() {
  char dir[MAX_PATH], part[MAX_PATH + 32], done[MAX_PATH + 32];
  ModuleDir(dir);
  snprintf(part, sizeof(part), "%sTrisel.args.part", dir);
  snprintf(done, sizeof(done), "%sTrisel.args.txt", dir);
  FILE* f = fopen(part, "wb");
  if (!f) return;
  fprintf(f, "%s\n", GetCommandLineA());
  for (int i = 0; i < __argc; ++i) fprintf(f, "%s\n", __argv[i]);
  fclose(f);
  MoveFileExA(part, done, MOVEFILE_REPLACE_EXISTING);
}

LRESULT CALLBACK WndProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
  if (msg == WM_DESTROY || msg == WM_TIMER) {
    PostQuitMessage(0);
    return 0;
  }
  return DefWindowProcA(hwnd, msg, wp, lp);
}

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int show) {
  RecordArguments();
  const char* title = "Trisel usage";
  if (__argc >= 2 && strcmp(__argv[1], "-e") == 0) title = "암호 - Trisel v1.0";
  if (__argc >= 2 && strcmp(__argv[1], "-d") == 0) title = "해독 - Trisel v1.0";
  WNDCLASSA wc = {};
  wc.lpfnWndProc = WndProc;
  wc.hInstance = instance;
  wc.lpszClassName = "TriselStubWindow";
  RegisterClassA(&wc);
  HWND hwnd = CreateWindowA("TriselStubWindow", title, WS_OVERLAPPEDWINDOW, 10, 10, 300, 200,
                            nullptr, nullptr, instance, nullptr);
  ShowWindow(hwnd, show);
  SetTimer(hwnd, 1, 60000, nullptr);  // never outlive a broken test run
  MSG msg;
  while (GetMessageA(&msg, nullptr, 0, 0) > 0) DispatchMessageA(&msg);
  return 0;
}
