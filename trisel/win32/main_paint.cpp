// The look of the main dialog: the gradient band behind the password row,
// the white panels, the shadowed labels and the colours of the statics.
#include <windows.h>

#include "common/win32/gdi.h"
#include "trisel/dialog_rules.h"
#include "trisel/win32/app.h"
#include "trisel/win32/main_dialog.h"
#include "trisel/win32/resource.h"

namespace {

const int kBandRight = 300;
const int kBandBottom = 102;

COLOR16 Channel(uint32_t colour, int shift) {
  return static_cast<COLOR16>(((colour >> shift) & 0xFF) << 8);
}

void FillBand(HDC dc, const RECT& client, uint32_t start, HBRUSH white) {
  TRIVERTEX v[2] = {};
  v[0].x = 0;
  v[0].y = 0;
  v[0].Red = Channel(start, 0);
  v[0].Green = Channel(start, 8);
  v[0].Blue = Channel(start, 16);
  v[1].x = kBandRight;
  v[1].y = kBandBottom;
  v[1].Red = v[1].Green = v[1].Blue = 0xFF00;
  GRADIENT_RECT r = {0, 1};
  GradientFill(dc, v, 2, &r, 1, GRADIENT_FILL_RECT_H);

  RECT right = {kBandRight, 0, client.right, kBandBottom};
  FillRect(dc, &right, white);
  RECT bottom = {11, 220, client.right - 11, client.bottom - 11};
  FillRect(dc, &bottom, white);
}

HFONT MakeFont(int height, int weight) {
  return CreateFontA(-height, 0, 0, 0, weight, FALSE, FALSE, FALSE, HANGUL_CHARSET,
                     OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY,
                     DEFAULT_PITCH | FF_DONTCARE, "굴림");
}

void ShadowedLabel(HDC dc, int x, int y, const char* text, uint32_t shadow) {
  int n = lstrlenA(text);
  SetTextColor(dc, shadow);
  TextOutA(dc, x + 2, y + 2, text, n);
  SetTextColor(dc, RGB(0xFF, 0xFF, 0xFF));
  TextOutA(dc, x, y, text, n);
}

// The release line and the maker's notice, under the banner text box.
void ReleaseLines(HWND hwnd, HDC dc) {
  RECT box;
  GetWindowRect(GetDlgItem(hwnd, IDC_BANNER_TEXT), &box);
  MapWindowPoints(nullptr, hwnd, reinterpret_cast<POINT*>(&box), 2);
  CFont font(MakeFont(12, FW_NORMAL));
  CSelectObject select(dc, font.Get());
  SetTextColor(dc, RGB(0x50, 0x50, 0x50));
  const char* release = "Trisel v1.0 - 파일 암호화 / 해독";
  const char* notice = "Copyright (C) Pelmora. 탐색기 오른쪽 버튼 메뉴에서 실행됩니다.";
  TextOutA(dc, box.left + 2, box.bottom + 4, release, lstrlenA(release));
  TextOutA(dc, box.left + 2, box.bottom + 19, notice, lstrlenA(notice));
}

}  // namespace

void PaintMainDialog(HWND hwnd, HDC dc, HBRUSH white) {
  ModeColours colours = ColoursOfMode(App().encrypt);
  RECT client;
  GetClientRect(hwnd, &client);
  FillBand(dc, client, colours.bandStart, white);

  SetBkMode(dc, TRANSPARENT);
  {
    CFont bold(MakeFont(12, FW_BOLD));
    CSelectObject select(dc, bold.Get());
    ShadowedLabel(dc, 20, 13, "암호", colours.shadow);
    ShadowedLabel(dc, 20, 36, "확인", colours.shadow);
  }
  ReleaseLines(hwnd, dc);
}

HBRUSH MainDialogCtlColor(HWND control, HDC dc, HBRUSH white, HBRUSH bannerBack) {
  switch (GetDlgCtrlID(control)) {
    case IDC_STATUS:
    case IDC_TOTAL_TEXT:
    case IDC_CURRENT_FILE:
      SetTextColor(dc, RGB(0, 0, 0));
      SetBkMode(dc, TRANSPARENT);
      return white;
    case IDC_BANNER_TEXT:
      SetTextColor(dc, RGB(0, 0, 0));
      SetBkColor(dc, ColoursOfMode(App().encrypt).bannerBack);
      return bannerBack;
    case IDC_DELETE_SOURCE:
    case IDC_OPTION_GROUP:
    case IDC_SETTINGS_LABEL:
      // These sit on the gradient band: let it show through.
      SetBkMode(dc, TRANSPARENT);
      return static_cast<HBRUSH>(GetStockObject(NULL_BRUSH));
    default: return nullptr;
  }
}
