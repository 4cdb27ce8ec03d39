// A stand-in for Mirelka.exe in the updater's end-to-end runs: a window of
// Mirelka's class that runs the real update check (unless started with
// "noupdate") and polls it as Mirelka does. It appends to
// "<its folder>mirelka-runs.log": "start <argument>", and "state <n>" when
// the check has ended.
#include <windows.h>

#include <atomic>
#include <cstdio>
#include <string>

#include "common/mystring.h"
#include "update/update_rules.h"
#include "update/win32/update_check.h"

namespace {

std::atomic<int32_t> g_state{0};

void Note(const std::string& line) {
  CMyString path;
  GetModuleDir(path);
  path += CMyString("mirelka-runs.log");
  if (FILE* f = std::fopen(path.GetBuffer(), "ab")) std::fprintf(f, "%s\r\n", line.c_str()), std::fclose(f);
}

LRESULT CALLBACK Proc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  if (msg == WM_TIMER && g_state.load() != -1) {
    KillTimer(hwnd, wParam);
    Note("state " + std::to_string(g_state.load()));
    if (g_state.load() == 1) DestroyWindow(hwnd);
  }
  if (msg == WM_DESTROY) PostQuitMessage(0);
  return DefWindowProcA(hwnd, msg, wParam, lParam);
}

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
  const char* arg = CommandLineTail(GetCommandLineA());
  Note(std::string("start ") + arg);
  WNDCLASSA wc = {};
  wc.lpfnWndProc = Proc, wc.hInstance = instance, wc.lpszClassName = "Mirelka";
  RegisterClassA(&wc);
  HWND hwnd = CreateWindowA("Mirelka", "Mirelka (stand-in)", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 20, 20, 300, 120,
                            nullptr, nullptr, instance, nullptr);
  if (!IsNoUpdateArgument(arg) && BeginUpdateCheck(hwnd, g_state)) SetTimer(hwnd, 500, 100, nullptr);
  MSG msg;
  while (GetMessageA(&msg, nullptr, 0, 0) > 0) TranslateMessage(&msg), DispatchMessageA(&msg);
  return 0;
}
