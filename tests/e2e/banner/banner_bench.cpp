// Figures of the banner strip, for scripts/bench.d/banner.sh:
//   banner_bench.exe load NAME SECONDS
//     hosts the real banner window with the picture NAME beside this program
//     as its shipped picture, and prints the set-up time (reading, decoding
//     every frame, the first drawing), this process's CPU use while only the
//     banner animates, and its GDI object count once a second.
//   banner_bench.exe open-mirelka
//     opens Mirelka's window (as its tray menu does) so its banner is seen.
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "common/win32/banner_window.h"
#include "support/gdi_count.h"

namespace {

uint64_t CpuTime() {  // user + kernel, 100 ns units
  uint64_t c, e, k, u;
  GetProcessTimes(GetCurrentProcess(), reinterpret_cast<FILETIME*>(&c), reinterpret_cast<FILETIME*>(&e),
                  reinterpret_cast<FILETIME*>(&k), reinterpret_cast<FILETIME*>(&u));
  return k + u;
}

LRESULT CALLBACK MainProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  if (msg == WM_DRAWITEM) return BannerDrawItem(reinterpret_cast<DRAWITEMSTRUCT*>(lParam)), TRUE;
  return DefWindowProcA(hwnd, msg, wParam, lParam);
}

// Pumps messages for ms milliseconds.
void Pump(DWORD ms) {
  for (DWORD end = GetTickCount() + ms, now; static_cast<int32_t>(end - (now = GetTickCount())) > 0;) {
    MsgWaitForMultipleObjects(0, nullptr, FALSE, end - now, QS_ALLINPUT);
    MSG m;
    while (PeekMessageA(&m, nullptr, 0, 0, PM_REMOVE)) TranslateMessage(&m), DispatchMessageA(&m);
  }
}

// One round: a window with the banner, animating for `seconds`, then gone.
int Round(const char* name, int seconds) {
  static HINSTANCE instance = GetModuleHandleA(nullptr);
  HWND main = CreateWindowA("BannerBench", "banner bench", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 10, 10, 400,
                            300, nullptr, nullptr, instance, nullptr);
  HWND button = CreateWindowA("button", "BANNER", WS_CHILD | WS_VISIBLE | BS_OWNERDRAW, 10, 10, 170, 85,
                              main, reinterpret_cast<HMENU>(1023), instance, nullptr);
  Pump(500);
  const int gdiBefore = GdiObjectCount();
  static const BannerObjects objects = {"-", "-", "-", "-", name};
  LARGE_INTEGER t0, t1, f;
  QueryPerformanceCounter(&t0);
  BannerAttach(button, objects, 0, &instance);
  QueryPerformanceCounter(&t1), QueryPerformanceFrequency(&f);
  if (BannerShownSize() < 0) return std::printf("banner_bench: %s could not be shown\n", name), 1;
  std::printf("set-up of %s (%ld bytes): %.3f s\n", name, static_cast<long>(BannerShownSize()),
              double(t1.QuadPart - t0.QuadPart) / double(f.QuadPart));
  Pump(1000);
  std::printf("GDI objects: %d before the banner\n", gdiBefore);
  const uint64_t cpu0 = CpuTime();
  const DWORD wall0 = GetTickCount();
  for (int s = 1; s <= seconds; ++s) Pump(1000), std::printf("GDI objects after %2d s: %d\n", s, GdiObjectCount());
  const double cpu = double(CpuTime() - cpu0) / 1e7, wall = (GetTickCount() - wall0) / 1000.0;
  std::printf("CPU of this process while the banner animates: %.2f %% of one core\n", 100.0 * cpu / wall);
  DestroyWindow(main), Pump(300);
  std::printf("GDI objects after the window is gone: %d\n", GdiObjectCount());
  return 0;
}

int Load(const char* name, int seconds) {
  WNDCLASSA wc = {};
  wc.lpfnWndProc = MainProc, wc.hInstance = GetModuleHandleA(nullptr), wc.lpszClassName = "BannerBench";
  wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
  RegisterClassA(&wc);
  // A second, short round shows whether what stays after the first is the
  // system's once-only caches or grows with every banner.
  return Round(name, seconds) || (std::printf("second round:\n"), Round(name, 2));
}

int OpenMirelka() {
  HWND w = nullptr;
  for (int i = 0; i < 150 && (w = FindWindowA("Mirelka", nullptr)) == nullptr; ++i) Sleep(100);
  return w ? Sleep(500), !PostMessageA(w, WM_COMMAND, 40004, 0) : 1;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc >= 4 && std::strcmp(argv[1], "load") == 0) return Load(argv[2], std::atoi(argv[3]));
  if (argc >= 2 && std::strcmp(argv[1], "open-mirelka") == 0) return OpenMirelka();
  std::printf("usage: banner_bench load NAME SECONDS | open-mirelka\n");
  return 2;
}
