// A stand-in for Mirelka.exe in the updater's end-to-end runs: a window of
// Mirelka's class that runs the real update check (unless started with
// "noupdate") and polls it as Mirelka does. It appends to
// "<its folder>mirelka-runs.log": "start <argument>", "state <n>" when the
// check has ended, "end" when its window closes.
#include <windows.h>

#include <atomic>
#include <cstdio>

#include "common/mystring.h"
#include "update/update_rules.h"
#include "update/win32/update_check.h"

namespace {

std::atomic<int32_t> g_state{0};

void Note(const char* text, const char* arg = "") {
  CMyString path;
  GetModuleDir(path);
  path += CMyString("mirelka-runs.log");
  if (FILE* f = std::fopen(path.GetBuffer(), "ab")) std::fprintf(f, "%s%s\r\n", text, arg), std::fclose(f);
}

LRESULT CALLBACK Proc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  if (msg == WM_TIMER && g_state.load() != -1) {
    KillTimer(hwnd, wParam);
    char line[32];
    std::snprintf(line, sizeof line, "state %d", static_cast<int>(g_state.load()));
    Note(line);
    if (g_state.load() == 1) DestroyWindow(hwnd);
  } else if (msg == WM_DESTROY) {
    Note("end");
    PostQuitMessage(0);
  }
  return msg == WM_TIMER || msg == WM_DESTROY ? 0 : DefWindowProcA(hwnd, msg, wParam, lParam);
}

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
  const char* arg = CommandLineTail(GetCommandLineA());
  Note("start ", arg);
  WNDCLASSA wc = {};
  wc.lpfnWndProc = Proc, wc.hInstance = instance, wc.lpszClassName = "Mirelka";
  wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
  RegisterClassA(&wc);
  HWND hwnd = CreateWindowA("Mirelka", "Mirelka (stand-in)", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 20, 20, 300, 120,
                            nullptr, nullptr, instance, nullptr);
  if (!IsNoUpdateArgument(arg) && BeginUpdateCheck(hwnd, g_state)) SetTimer(hwnd, 500, 100, nullptr);
  MSG msg;
  while (GetMessageA(&msg, nullptr, 0, 0) > 0) TranslateMessage(&msg), DispatchMessageA(&msg);
  return 0;
}
