#include "common/win32/help_button.h"

#include "common/win32/gdi.h"

void SizeHelpButton(HWND dialog, int id) {
  SetWindowPos(GetDlgItem(dialog, id), nullptr, 0, 0, 32, 32, SWP_NOMOVE | SWP_NOZORDER);
}

void DrawHelpButton(const DRAWITEMSTRUCT* item, HBITMAP picture) {
  HDC dc = item->hDC;
  RECT rc = item->rcItem;
  FillRect(dc, &rc, GetSysColorBrush(COLOR_BTNFACE));
  if (picture != nullptr) {
    CMemoryDC mem(dc);
    CSelectObject select(mem.Get(), picture);
    BitBlt(dc, 1, 1, 30, 30, mem.Get(), 0, 0, SRCCOPY);
  }
  bool pressed = (item->itemState & ODS_SELECTED) != 0;
  DrawEdge(dc, &rc, pressed ? BDR_SUNKENOUTER : BDR_RAISEDOUTER, BF_RECT);
  if ((item->itemState & ODS_FOCUS) != 0) {
    RECT focus = {rc.left + 2, rc.top + 2, rc.right - 2, rc.bottom - 2};
    DrawFocusRect(dc, &focus);
  }
}
