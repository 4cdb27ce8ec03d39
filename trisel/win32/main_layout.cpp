// Places the main dialog's controls in pixels. The painted parts of the
// dialog (the gradient band, 102 pixels high; the white panel from y = 220;
// the banner at (300, 9)) are fixed in pixels, while the dialog's size comes
// in dialog units and so depends on the font; placing the controls from the
// client size and the font's height keeps them on their panels either way.
#include <windows.h>

#include "trisel/win32/main_dialog.h"
#include "trisel/win32/resource.h"

namespace {

void Place(HWND dialog, int id, int x, int y, int w, int h) {
  SetWindowPos(GetDlgItem(dialog, id), nullptr, x, y, w, h, SWP_NOZORDER | SWP_NOACTIVATE);
}

int FontHeight(HWND dialog) {
  HDC dc = GetDC(dialog);
  HGDIOBJ old = SelectObject(dc, reinterpret_cast<HFONT>(SendMessageA(dialog, WM_GETFONT, 0, 0)));
  TEXTMETRICA tm = {};
  GetTextMetricsA(dc, &tm);
  SelectObject(dc, old);
  ReleaseDC(dialog, dc);
  return tm.tmHeight > 0 ? tm.tmHeight : 12;
}

}  // namespace

void LayoutMainDialog(HWND hwnd) {
  RECT client;
  GetClientRect(hwnd, &client);
  const int w = client.right, h = client.bottom;
  const int line = FontHeight(hwnd);
  const int field = line + 6;   // edits and buttons
  const int text = line + 2;    // one-line statics

  // The band (y 0..102): the two password edits beside the painted labels
  // at y 13 and 36, then the option row in its group box.
  Place(hwnd, IDC_PASSWORD, 60, 19 - field / 2, 220, field);
  Place(hwnd, IDC_CONFIRM, 60, 42 - field / 2, 220, field);
  const int groupTop = 56, groupBottom = 98;
  const int rowMid = (groupTop + 6 + groupBottom) / 2;
  Place(hwnd, IDC_OPTION_GROUP, 14, groupTop, 272, groupBottom - groupTop);
  Place(hwnd, IDC_DELETE_SOURCE, 26, rowMid - text / 2, 120, text);
  Place(hwnd, IDC_SETTINGS, 226, rowMid - field / 2, 52, field);
  Place(hwnd, IDC_SETTINGS_LABEL, 160, rowMid - text / 2, 64, text);

  // Between the band and the white panel: the banner text box, with room
  // for the two painted release lines under it.
  Place(hwnd, IDC_BANNER_TEXT, 12, 108, w - 24, 218 - 108 - 2 * (line + 3) - 4);

  // The white panel (y 220 .. h - 11): progress, status line, buttons.
  const int left = 24, width = w - 48;
  int y = 228;
  Place(hwnd, IDC_TOTAL_TEXT, left, y, width, text);
  y += text + 2;
  Place(hwnd, IDC_TOTAL_PROGRESS, left, y, width, 16);
  y += 16 + 8;
  Place(hwnd, IDC_CURRENT_FILE, left, y, width, text);
  y += text + 2;
  Place(hwnd, IDC_FILE_PROGRESS, left, y, width, 16);
  y += 16 + 10;
  const int buttonTop = h - 11 - 10 - field;
  Place(hwnd, IDC_STATUS, left, y, width, buttonTop - 6 - y > 2 * text ? 2 * text : text);
  const int bw = 64, gap = 6;
  Place(hwnd, IDC_SHOW_LOG, left, buttonTop, bw, field);
  Place(hwnd, IDC_SHOW_ERRLOG, left + bw + gap, buttonTop, bw, field);
  Place(hwnd, IDC_HELP_MAIN, left + 2 * (bw + gap), buttonTop, bw, field);
  Place(hwnd, IDCANCEL, w - left - bw, buttonTop, bw, field);
  Place(hwnd, IDC_RUN, w - left - 2 * bw - gap, buttonTop, bw, field);
}
