// The two large edits: the source edit on top (or at the left) doubles as
// the splitter, the result edit fills the rest. Their font, tab stops and
// word wrap come from the settings, and so do the window's rectangle, the
// Run entry and the hot key (ApplySettings).
#include <windows.h>

#include <utility>

#include "common/mystring.h"
#include "common/registry.h"
#include "mirelka/win32/app.h"
#include "mirelka/win32/main_window.h"
#include "mirelka/win32/resource.h"

namespace {

const int kBandHeight = 102;  // password edits, buttons and banner above the edits
const LPARAM kEditLimit = 1048576;

bool Horizontal() { return App().settings.wndH == 1; }

RECT MainClient() {
  RECT r = {};
  GetClientRect(App().main, &r);
  return r;
}

// The result edit follows the source edit whose client area is now w x h.
void FollowSource(int w, int h) {
  CMirelkaApp& app = App();
  if (!app.result || !app.source) return;
  RECT r = MainClient();
  if (Horizontal()) {
    int y = r.top + h + 117, height = r.bottom - h - r.top - 117;
    if (GetWindowLongPtrA(app.source, GWL_STYLE) & WS_HSCROLL) {
      y += 15;
      height -= 15;
    }
    MoveWindow(app.result, 4, y, r.right - r.left - 8, height, TRUE);
  } else {
    MoveWindow(app.result, w + r.left + 33, r.top + 106, r.right - w - r.left - 37,
               r.bottom - r.top - 109, TRUE);
  }
}

void FollowSourceNow() {
  RECT c;
  if (App().source && GetClientRect(App().source, &c)) FollowSource(c.right, c.bottom);
}

bool IsBorderHit(LRESULT hit) { return hit >= HTLEFT && hit <= HTBORDER; }

LRESULT CALLBACK SourceProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
  CMirelkaApp& app = App();
  switch (msg) {
    case WM_SETFOCUS: app.cap.lastFocusSource = 1; break;
    case WM_NCHITTEST: {
      // A splitter with one handle: the edge that borders the result edit.
      LRESULT hit = CallWindowProcA(app.sourceProc, hwnd, msg, wp, lp);
      LRESULT allowed = Horizontal() ? HTBOTTOM : HTRIGHT;
      return IsBorderHit(hit) && hit != allowed ? HTNOWHERE : hit;
    }
    case WM_GETMINMAXINFO: {
      LRESULT rc = CallWindowProcA(app.sourceProc, hwnd, msg, wp, lp);
      MINMAXINFO* mm = reinterpret_cast<MINMAXINFO*>(lp);
      // Only the splitter's own edge moves; the other dimension is the
      // layout's (this message also comes with every MoveWindow).
      RECT r = MainClient();
      int cw = r.right - r.left, ch = r.bottom - r.top;
      if (Horizontal()) {
        mm->ptMinTrackSize = {cw, 43};
        mm->ptMaxTrackSize = {cw, ch - 147};
      } else {
        mm->ptMinTrackSize = {43, ch - kBandHeight};
        mm->ptMaxTrackSize = {cw - 45, ch - kBandHeight};
      }
      return rc;
    }
    case WM_SIZE: {
      LRESULT rc = CallWindowProcA(app.sourceProc, hwnd, msg, wp, lp);
      FollowSource(LOWORD(lp), HIWORD(lp));
      return rc;
    }
  }
  return CallWindowProcA(app.sourceProc, hwnd, msg, wp, lp);
}

LRESULT CALLBACK ResultProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
  if (msg == WM_SETFOCUS) App().cap.lastFocusSource = 0;
  return CallWindowProcA(App().resultProc, hwnd, msg, wp, lp);
}

HWND MakeEdit(int id, const RECT& r, bool wrap, bool readOnly) {
  DWORD style = WS_CHILD | WS_VISIBLE | ES_MULTILINE | ES_WANTRETURN | ES_AUTOVSCROLL | WS_VSCROLL;
  if (!wrap) style |= WS_HSCROLL | ES_AUTOHSCROLL;
  if (id == IDC_SOURCE) style |= WS_DLGFRAME | WS_THICKFRAME;
  if (readOnly) style |= ES_READONLY;
  HWND edit = CreateWindowExA(WS_EX_CLIENTEDGE, "EDIT", "", style, r.left, r.top, r.right - r.left,
                              r.bottom - r.top, App().main,
                              reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), App().instance, nullptr);
  SendMessageA(edit, EM_LIMITTEXT, kEditLimit, 0);
  return edit;
}

void Subclass(HWND edit) {
  CMirelkaApp& app = App();
  WNDPROC mine = edit == app.source ? SourceProc : ResultProc;
  WNDPROC old = reinterpret_cast<WNDPROC>(
      SetWindowLongPtrA(edit, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(mine)));
  (edit == app.source ? app.sourceProc : app.resultProc) = old;
}

struct EditSnapshot {
  RECT rect;
  DWORD selStart = 0, selEnd = 0;
  CMyString text;
  bool readOnly = false;
};

EditSnapshot Take(HWND edit) {
  EditSnapshot s;
  GetWindowRect(edit, &s.rect);
  MapWindowPoints(nullptr, App().main, reinterpret_cast<POINT*>(&s.rect), 2);
  SendMessageA(edit, EM_GETSEL, reinterpret_cast<WPARAM>(&s.selStart), reinterpret_cast<LPARAM>(&s.selEnd));
  s.text = GetWindowTextString(edit);
  s.readOnly = (GetWindowLongPtrA(edit, GWL_STYLE) & ES_READONLY) != 0;
  return s;
}

}  // namespace

void CreateEdits(int width, int height) {
  CMirelkaApp& app = App();
  int h = (height - kBandHeight) / 2;
  RECT top = {0, kBandHeight, width, kBandHeight + h};
  RECT below = {0, kBandHeight + h, width, kBandHeight + 2 * h};
  app.source = MakeEdit(IDC_SOURCE, top, false, false);
  Subclass(app.source);
  app.result = MakeEdit(IDC_RESULT, below, false, true);
  Subclass(app.result);
}

void PlaceSourceEdit(int cw, int ch) {
  CMirelkaApp& app = App();
  if (!app.source) return;
  if (Horizontal()) {
    MoveWindow(app.source, 0, kBandHeight, cw, (ch - kBandHeight) / 2, TRUE);
  } else {
    MoveWindow(app.source, 0, kBandHeight, cw / 2, ch - kBandHeight, TRUE);
  }
  // Also when the source kept its size and sent no WM_SIZE.
  FollowSourceNow();
}

HWND LastFocusedEdit() {
  CMirelkaApp& app = App();
  return app.cap.lastFocusSource ? app.source : app.result;
}

void ArrangeEdits(bool horizontal) {
  CMirelkaApp& app = App();
  app.settings.wndH = horizontal ? 1 : 0;
  RECT r = MainClient();
  PlaceSourceEdit(r.right - r.left, r.bottom - r.top);
  HWND edit = LastFocusedEdit();
  SetFocus(edit);
  SendMessageA(edit, EM_SCROLLCARET, 0, 0);
}

void RebuildEdits() {
  CMirelkaApp& app = App();
  if (!app.source || !app.result) return;
  HWND focus = GetFocus();
  int focused = focus == app.source ? 1 : focus == app.result ? 2 : 0;
  bool wrap = app.settings.wordsWrap != 0;
  EditSnapshot snaps[2];
  HWND* edits[2] = {&app.source, &app.result};
  WNDPROC* procs[2] = {&app.sourceProc, &app.resultProc};
  const int ids[2] = {IDC_SOURCE, IDC_RESULT};
  for (int i = 0; i < 2; ++i) {
    HWND& edit = *edits[i];
    snaps[i] = Take(edit);
    SetWindowLongPtrA(edit, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(*procs[i]));
    DestroyWindow(edit);
    edit = MakeEdit(ids[i], snaps[i].rect, wrap, snaps[i].readOnly);
    SetWindowTextA(edit, snaps[i].text.GetBuffer());
    Subclass(edit);
  }
  ApplyEditFont();
  FollowSourceNow();
  for (int i = 0; i < 2; ++i) {
    HWND edit = *edits[i];
    SendMessageA(edit, EM_SETSEL, snaps[i].selStart, snaps[i].selEnd);
    SendMessageA(edit, EM_SCROLLCARET, 0, 0);
  }
  if (focused) SetFocus(focused == 1 ? app.source : app.result);
}

LOGFONTA ToLogFont(const EditFont& f) {
  LOGFONTA lf = {};
  lf.lfHeight = f.height;
  lf.lfWidth = f.width;
  lf.lfEscapement = f.escapement;
  lf.lfOrientation = f.orientation;
  lf.lfWeight = f.weight;
  lf.lfItalic = f.italic;
  lf.lfUnderline = f.underline;
  lf.lfStrikeOut = f.strikeOut;
  lf.lfCharSet = f.charSet;
  lf.lfOutPrecision = f.outPrecision;
  lf.lfClipPrecision = f.clipPrecision;
  lf.lfQuality = f.quality;
  lf.lfPitchAndFamily = f.pitchAndFamily;
  lstrcpynA(lf.lfFaceName, f.faceName, LF_FACESIZE);
  return lf;
}

EditFont FromLogFont(const LOGFONTA& lf) {
  EditFont f;
  f.height = lf.lfHeight;
  f.width = lf.lfWidth;
  f.escapement = lf.lfEscapement;
  f.orientation = lf.lfOrientation;
  f.weight = lf.lfWeight;
  f.italic = lf.lfItalic;
  f.underline = lf.lfUnderline;
  f.strikeOut = lf.lfStrikeOut;
  f.charSet = lf.lfCharSet;
  f.outPrecision = lf.lfOutPrecision;
  f.clipPrecision = lf.lfClipPrecision;
  f.quality = lf.lfQuality;
  f.pitchAndFamily = lf.lfPitchAndFamily;
  lstrcpynA(f.faceName, lf.lfFaceName, sizeof f.faceName);
  return f;
}

void ApplyEditFont() {
  CMirelkaApp& app = App();
  LOGFONTA lf = ToLogFont(app.settings.font);
  CFont font(CreateFontIndirectA(&lf));
  for (HWND edit : {app.source, app.result}) {
    SendMessageA(edit, WM_SETFONT, reinterpret_cast<WPARAM>(font.Get()), TRUE);
    InvalidateRect(edit, nullptr, TRUE);
  }
  app.editFont = std::move(font);  // the edits no longer use the old one
  ApplyTabStops();
}

void ApplyTabStops() {
  CMirelkaApp& app = App();
  for (HWND edit : {app.source, app.result}) {
    if (!edit) continue;
    HDC dc = GetDC(edit);
    TEXTMETRICA tm = {};
    {
      CSelectObject font(dc, reinterpret_cast<HFONT>(SendMessageA(edit, WM_GETFONT, 0, 0)));
      GetTextMetricsA(dc, &tm);
    }
    ReleaseDC(edit, dc);
    INT stops[100];
    for (int i = 1; i <= 100; ++i)
      stops[i - 1] = static_cast<INT>((i * tm.tmAveCharWidth) / 2 * static_cast<int>(app.settings.tabStop));
    SendMessageA(edit, EM_SETTABSTOPS, 100, reinterpret_cast<LPARAM>(stops));
    InvalidateRect(edit, nullptr, TRUE);
  }
}

void ApplySettings(uint32_t bits) {
  CMirelkaApp& app = App();
  const MirelkaSettings& s = app.settings;
  if (bits & kSetAutoRun) {
    CMyString folder;
    GetModuleDir(folder);
    WriteAutoRun(RealRegistry(), s.wndStartAutoRun == 1, folder.GetBuffer());
  }
  if (bits & kSetTopmost) {
    InvalidateRect(app.topmost, nullptr, FALSE);  // its picture shows the setting
    SendMessageA(app.main, WM_COMMAND, MAKEWPARAM(IDC_TOPMOST, 0), 0);
  }
  if (bits & kSetWordsWrap) SendMessageA(app.main, WM_COMMAND, MAKEWPARAM(IDC_WRAP, 0), 0);
  if (bits & kSetWndH) SendMessageA(app.main, WM_COMMAND, MAKEWPARAM(s.wndH == 1 ? IDC_HORZ : IDC_VERT, 0), 0);
  if (bits & kSetFont) ApplyEditFont();
  if (bits & kSetTabStop) ApplyTabStops();
  if (bits & kSetActKey) SendMessageA(app.main, UM_REGISTER_HOTKEY, 0, 0);
}

void RestoreWindowPos() {
  int sw = GetSystemMetrics(SM_CXSCREEN), sh = GetSystemMetrics(SM_CYSCREEN);
  WindowRect r = LoadWindowPos(RealRegistry(), sw, sh);
  MoveWindow(App().main, r.left, r.top, r.right - r.left, r.bottom - r.top, TRUE);
}

void SaveWindowPos() {
  const RECT& w = App().windowRect;
  WindowRect r;
  r.left = w.left;
  r.top = w.top;
  r.right = w.right;
  r.bottom = w.bottom;
  SaveWindowPos(RealRegistry(), GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN), r);
}

void SetEditModes() {
  CMirelkaApp& app = App();
  bool encrypt = app.cap.encryptMode == 1;
  SendMessageA(app.source, EM_SETREADONLY, encrypt ? FALSE : TRUE, 0);
  SendMessageA(app.result, EM_SETREADONLY, encrypt ? TRUE : FALSE, 0);
}

void GiveBackEditProcs() {
  CMirelkaApp& app = App();
  if (app.source && app.sourceProc && IsWindow(app.source))
    SetWindowLongPtrA(app.source, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(app.sourceProc));
  if (app.result && app.resultProc && IsWindow(app.result))
    SetWindowLongPtrA(app.result, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(app.resultProc));
}
