#include "common/win32/window.h"

const char kWarningCaption[] = "경고";
const char kErrorCaption[] = "에러";

int WarningBox(HWND owner, const char* text, UINT extraFlags) {
  return MessageBoxA(owner, text, kWarningCaption, MB_ICONWARNING | extraFlags);
}

int ErrorBox(HWND owner, const char* text, UINT extraFlags) {
  return MessageBoxA(owner, text, kErrorCaption, MB_ICONERROR | extraFlags);
}

void CenterWindow(HWND hwnd, HWND over) {
  RECT area;
  if (over != nullptr) {
    GetWindowRect(over, &area);
  } else {
    SystemParametersInfoA(SPI_GETWORKAREA, 0, &area, 0);
  }
  RECT rc;
  GetWindowRect(hwnd, &rc);
  int w = rc.right - rc.left;
  int h = rc.bottom - rc.top;
  int x = area.left + ((area.right - area.left) - w) / 2;
  int y = area.top + ((area.bottom - area.top) - h) / 2;
  RECT screen;
  SystemParametersInfoA(SPI_GETWORKAREA, 0, &screen, 0);
  if (x + w > screen.right) x = screen.right - w;
  if (y + h > screen.bottom) y = screen.bottom - h;
  if (x < screen.left) x = screen.left;
  if (y < screen.top) y = screen.top;
  SetWindowPos(hwnd, nullptr, x, y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

CMyString GetWindowTextString(HWND hwnd) {
  int n = GetWindowTextLengthA(hwnd);
  if (n <= 0) return CMyString();
  CMyString buffer;
  char* buf = buffer.AllocBuffer(static_cast<uint32_t>(n));
  int got = GetWindowTextA(hwnd, buf, n + 1);
  CMyString s;
  if (got > 0) s.AssignLeft(buffer, static_cast<uint32_t>(got));
  return s;
}
