// The main window: creation, the picture buttons, the painted band, the tray
// icon and menus, the commands, hiding to the tray and the shutdown order.
#include "mirelka/win32/main_window.h"

#include <commctrl.h>
#include <imm.h>
#include <shellapi.h>

#include <cstdio>
#include <cstring>

#include "common/log.h"
#include "common/registry.h"
#include "mirelka/win32/app.h"
#include "mirelka/win32/resource.h"

const char kMainClass[] = "Mirelka";

namespace {

const COLORREF kBackColour = RGB(212, 208, 200);
CBrush g_backBrush, g_whiteBrush, g_readOnlyBrush, g_bandBrush;
bool g_started = false;  // window creation went through (not a second instance)

// The 17 button pictures, by resource id.
const int kPictureIds[] = {IDB_HORZ, IDB_HORZ_DOWN, IDB_VERT, IDB_VERT_DOWN, IDB_WRAP,
                           IDB_WRAP_DOWN, IDB_ENCODE_DOWN, IDB_ENCODE, IDB_PASTE_DOWN, IDB_PASTE,
                           IDB_CLEAR_DOWN, IDB_CLEAR, IDB_PASTE_FOCUS, IDB_ENCODE_FOCUS,
                           IDB_CLEAR_FOCUS, IDB_TOPMOST_ON, IDB_TOPMOST_OFF};
CBitmap g_pictures[sizeof kPictureIds / sizeof kPictureIds[0]];

HBITMAP Picture(int id) {
  for (size_t i = 0; i < sizeof kPictureIds / sizeof kPictureIds[0]; ++i)
    if (kPictureIds[i] == id) return g_pictures[i].Get();
  return nullptr;
}

struct ChildSpec {
  int id;
  const char* cls;
  const char* text;
  DWORD style;
  int x, y, w, h;
  const char* tip;
};
const ChildSpec kChildren[] = {
    {IDC_PASSWORD, "EDIT", "", ES_PASSWORD | ES_AUTOHSCROLL | WS_BORDER | WS_TABSTOP, 66, 11, 222, 19,
     "암호 입력"},
    {IDC_CONFIRM, "EDIT", "", ES_PASSWORD | ES_AUTOHSCROLL | WS_BORDER | WS_TABSTOP, 66, 31, 222, 19,
     "암호 확인 (한 번 더 입력)"},
    {IDC_ENCODE, "BUTTON", "ENCODE", BS_OWNERDRAW | WS_TABSTOP, 116, 62, 58, 37,
     "[암호] 암호문(해독문)을 만듭니다."},
    {IDC_PASTE, "BUTTON", "PASTE", BS_OWNERDRAW | WS_TABSTOP, 174, 62, 56, 37,
     "[치환] 만든 암호문(해독문)을 마우스로 선택한 원본에 자동으로 치환합니다."},
    {IDC_CLEAR, "BUTTON", "CLEAR", BS_OWNERDRAW | WS_TABSTOP, 230, 62, 58, 37,
     "[지우기] 편집 창의 내용을 지웁니다."},
    {IDC_TOPMOST, "BUTTON", "", BS_OWNERDRAW, 1, 58, 100, 15, "항상 위"},
    {IDC_HORZ, "BUTTON", "", BS_OWNERDRAW, 1, 77, 22, 22, "가로 정렬"},
    {IDC_VERT, "BUTTON", "", BS_OWNERDRAW, 23, 77, 22, 22, "세로 정렬"},
    {IDC_WRAP, "BUTTON", "", BS_OWNERDRAW, 45, 77, 22, 22, "자동 줄 바꿈"},
    {IDC_BANNER, "BUTTON", "BANNER", BS_OWNERDRAW, 326, 14, 170, 85,
     "배너 클릭하면, 해당 사이트로 이동합니다."},
};

void AddTrayIcon(HWND hwnd, DWORD action) {
  NOTIFYICONDATAA nid = {};
  nid.cbSize = NOTIFYICONDATAA_V1_SIZE;
  nid.hWnd = hwnd;
  nid.uID = 0;
  if (action == NIM_ADD) {
    nid.uFlags = NIF_ICON | NIF_MESSAGE | NIF_TIP;
    nid.uCallbackMessage = UM_TRAY_NOTIFY;
    nid.hIcon = static_cast<HICON>(
        LoadImageA(App().instance, MAKEINTRESOURCEA(IDI_TRAY), IMAGE_ICON, 16, 16, LR_SHARED));
    std::snprintf(nid.szTip, sizeof nid.szTip, "%s v%s", kProgramName, kProgramVersion);
  }
  Shell_NotifyIconA(action, &nid);
}

void CreateTooltip(HWND hwnd) {
  CMirelkaApp& app = App();
  app.tooltip = CreateWindowExA(WS_EX_TOPMOST, TOOLTIPS_CLASSA, nullptr, WS_POPUP | TTS_ALWAYSTIP,
                                CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, hwnd,
                                nullptr, app.instance, nullptr);
  if (!app.tooltip) return;
  SendMessageA(app.tooltip, TTM_SETDELAYTIME, TTDT_INITIAL, 0);
  SendMessageA(app.tooltip, TTM_SETDELAYTIME, TTDT_AUTOPOP, 5000);
  SendMessageA(app.tooltip, TTM_SETDELAYTIME, TTDT_RESHOW, 0);
  for (const ChildSpec& c : kChildren) {
    TOOLINFOA ti = {};
    ti.cbSize = TTTOOLINFOA_V1_SIZE;
    ti.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
    ti.hwnd = hwnd;
    ti.uId = reinterpret_cast<UINT_PTR>(GetDlgItem(hwnd, c.id));
    ti.lpszText = const_cast<char*>(c.tip);
    SendMessageA(app.tooltip, TTM_ADDTOOLA, 0, reinterpret_cast<LPARAM>(&ti));
  }
}

// Window creation; false for a second instance, which ends at once.
bool OnCreate(HWND hwnd, const CREATESTRUCTA& cs) {
  CMirelkaApp& app = App();
  app.main = hwnd;
  app.mutex = CreateMutexA(nullptr, FALSE, "PelmoraMirelkaProgram");
  if (app.mutex != nullptr && GetLastError() == ERROR_ALREADY_EXISTS) {
    // Forgotten, not closed here: the first instance keeps the name alive.
    CloseHandle(app.mutex);
    app.mutex = nullptr;
    WarningBox(hwnd, "Mirelka 프로그램이 이미 실행 중입니다.\n트래이 아이콘을 확인하십시오.");
    return false;
  }
  RestoreWindowPos();
  if (!app.noUpdate) {
    app.updateState = -1;
    StartUpdateCheck();
    SetTimer(hwnd, TIMER_UPDATE_POLL, 100, nullptr);
  }
  AddTrayIcon(hwnd, NIM_ADD);

  g_backBrush.Reset(CreateSolidBrush(kBackColour));
  g_whiteBrush.Reset(CreateSolidBrush(RGB(255, 255, 255)));
  g_readOnlyBrush.Reset(CreateSolidBrush(RGB(230, 240, 255)));
  g_bandBrush.Reset(CreateSolidBrush(RGB(170, 198, 248)));
  SetClassLongPtrA(hwnd, GCLP_HBRBACKGROUND, reinterpret_cast<LONG_PTR>(g_backBrush.Get()));

  INITCOMMONCONTROLSEX icc = {sizeof icc, 0xFF};
  InitCommonControlsEx(&icc);
  for (const ChildSpec& c : kChildren) {
    HWND w = CreateWindowExA(0, c.cls, c.text, WS_CHILD | WS_VISIBLE | c.style, c.x, c.y, c.w, c.h,
                             hwnd, reinterpret_cast<HMENU>(static_cast<INT_PTR>(c.id)), app.instance,
                             nullptr);
    (void)w;
  }
  app.password = GetDlgItem(hwnd, IDC_PASSWORD);
  app.confirm = GetDlgItem(hwnd, IDC_CONFIRM);
  app.encode = GetDlgItem(hwnd, IDC_ENCODE);
  app.paste = GetDlgItem(hwnd, IDC_PASTE);
  app.clear = GetDlgItem(hwnd, IDC_CLEAR);
  app.topmost = GetDlgItem(hwnd, IDC_TOPMOST);
  app.horz = GetDlgItem(hwnd, IDC_HORZ);
  app.vert = GetDlgItem(hwnd, IDC_VERT);
  app.wrap = GetDlgItem(hwnd, IDC_WRAP);
  app.banner = GetDlgItem(hwnd, IDC_BANNER);
  for (size_t i = 0; i < sizeof kPictureIds / sizeof kPictureIds[0]; ++i)
    g_pictures[i].Reset(LoadBitmapA(app.instance, MAKEINTRESOURCEA(kPictureIds[i])));
  app.passwordFont.Reset(CreateFontA(15, 0, 0, 0, FW_NORMAL, 0, 0, 0, DEFAULT_CHARSET, OUT_DEFAULT_PRECIS,
                                     CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH, "Times New Roman"));
  SendMessageA(app.password, WM_SETFONT, reinterpret_cast<WPARAM>(app.passwordFont.Get()), FALSE);
  SendMessageA(app.confirm, WM_SETFONT, reinterpret_cast<WPARAM>(app.passwordFont.Get()), FALSE);
  CreateTooltip(hwnd);

  // Every button of the process shows the program's cursor.
  SetClassLongPtrA(app.encode, GCLP_HCURSOR,
                   reinterpret_cast<LONG_PTR>(LoadCursorA(app.instance, MAKEINTRESOURCEA(IDC_BUTTON_CURSOR))));
  AttachBanner();

  CreateEdits(cs.cx, cs.cy);
  ApplySettings(kSetAll & ~(kSetFont | kSetTabStop));
  return true;
}

void OnDestroy(HWND hwnd) {
  CMirelkaApp& app = App();
  if (g_started) {
    StopBanner();
    SaveWindowPos();
    SaveSettings(RealRegistry(), app.settings, kSetAll);
    AddTrayIcon(hwnd, NIM_DELETE);
  }
  // The cipher thread is let go, not waited for: the process ends with the loop.
  app.cipherWorker.Close();
  GiveBackEditProcs();
  DetachBanner();
  for (CBitmap& b : g_pictures) b.Reset();
  // The fonts are freed with the App record when the program ends: the
  // edits that use them are destroyed only after this message.
  for (CBrush* b : {&g_backBrush, &g_whiteBrush, &g_readOnlyBrush, &g_bandBrush}) b->Reset();
  if (app.mutex) {
    ReleaseMutex(app.mutex);
    CloseHandle(app.mutex);
    app.mutex = nullptr;
  }
  WriteLog(kLogClose, "%s", "");
  UnregisterActivationKey();
  PostQuitMessage(0);
}

// A picture button: the picture of its state copied to its top-left corner.
void DrawPicture(const DRAWITEMSTRUCT& item, int pictureId) {
  HBITMAP bmp = Picture(pictureId);
  if (!bmp) return;
  BITMAP info;
  GetObjectA(bmp, sizeof info, &info);
  CMemoryDC mem(item.hDC);
  CSelectObject picture(mem.Get(), bmp);
  BitBlt(item.hDC, 0, 0, info.bmWidth < 100 ? info.bmWidth : 100,
         info.bmHeight < 100 ? info.bmHeight : 100, mem.Get(), 0, 0, SRCCOPY);
}

void OnDrawItem(const DRAWITEMSTRUCT& item) {
  CMirelkaApp& app = App();
  bool pressed = (item.itemState & ODS_SELECTED) != 0;
  bool focused = (item.itemState & ODS_FOCUS) != 0;
  switch (item.CtlID) {
    case IDC_ENCODE:
      DrawPicture(item, pressed ? IDB_ENCODE_DOWN : focused ? IDB_ENCODE_FOCUS : IDB_ENCODE);
      break;
    case IDC_PASTE:
    case IDC_CLEAR: {
      bool isPaste = item.CtlID == IDC_PASTE;
      DrawPicture(item, pressed ? (isPaste ? IDB_PASTE_DOWN : IDB_CLEAR_DOWN)
                        : focused ? (isPaste ? IDB_PASTE_FOCUS : IDB_CLEAR_FOCUS)
                                  : (isPaste ? IDB_PASTE : IDB_CLEAR));
      if (focused) InvalidateRect(app.encode, nullptr, FALSE);
      break;
    }
    case IDC_TOPMOST: {
      // While pressed it shows what the click will switch to.
      bool on = (app.settings.alwaysOnTop != 0) != pressed;
      DrawPicture(item, on ? IDB_TOPMOST_ON : IDB_TOPMOST_OFF);
      break;
    }
    case IDC_HORZ: DrawPicture(item, pressed ? IDB_HORZ_DOWN : IDB_HORZ); break;
    case IDC_VERT: DrawPicture(item, pressed ? IDB_VERT_DOWN : IDB_VERT); break;
    case IDC_WRAP: DrawPicture(item, pressed ? IDB_WRAP_DOWN : IDB_WRAP); break;
    case IDC_BANNER: DrawBanner(item); break;
  }
}

void DrawLabel(HDC dc, int x, int y, const char* text) {
  int n = static_cast<int>(std::strlen(text));
  SetTextColor(dc, RGB(65, 91, 201));
  TextOutA(dc, x + 2, y + 2, text, n);
  SetTextColor(dc, RGB(255, 255, 255));
  TextOutA(dc, x, y, text, n);
}

void OnPaint(HWND hwnd) {
  PAINTSTRUCT ps;
  HDC dc = BeginPaint(hwnd, &ps);
  RECT rc;
  GetClientRect(hwnd, &rc);
  TRIVERTEX v[2] = {{0, 0, 170 << 8, 198 << 8, 248 << 8, 0}, {325, 102, 0xFF00, 0xFF00, 0xFF00, 0}};
  GRADIENT_RECT g = {0, 1};
  GradientFill(dc, v, 2, &g, 1, GRADIENT_FILL_RECT_H);
  RECT white = {325, 0, rc.right, 102};
  FillRect(dc, &white, g_whiteBrush.Get());
  {
    CFont font(CreateFontA(12, 0, 0, 0, FW_BOLD, 0, 0, 0, HANGEUL_CHARSET, OUT_DEFAULT_PRECIS,
                           CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH, "굴림"));
    CSelectObject selected(dc, font.Get());
    SetBkMode(dc, TRANSPARENT);
    DrawLabel(dc, 20, 15, "암호");
    DrawLabel(dc, 20, 35, "확인");
  }
  EndPaint(hwnd, &ps);
}

void ShowTrayMenu(HWND hwnd) {
  HMENU bar = LoadMenuA(App().instance, MAKEINTRESOURCEA(IDR_TRAY_MENU));
  if (!bar) return;
  POINT pt;
  GetCursorPos(&pt);
  SetForegroundWindow(hwnd);
  // The input method's status window would sit over the menu.
  HWND ime = ImmGetDefaultIMEWnd(hwnd);
  if (ime) SendMessageA(ime, WM_IME_CONTROL, IMC_CLOSESTATUSWINDOW, 0);
  TrackPopupMenu(GetSubMenu(bar, 0), TPM_RIGHTBUTTON, pt.x, pt.y, 0, hwnd, nullptr);
  SetForegroundWindow(hwnd);
  DestroyMenu(bar);
  if (ime) SendMessageA(ime, WM_IME_CONTROL, IMC_OPENSTATUSWINDOW, 0);
}

void OnInitMenu(HWND hwnd, HMENU menu) {
  if (menu != GetMenu(hwnd)) return;
  const MirelkaSettings& s = App().settings;
  CheckMenuItem(menu, IDM_TOPMOST, s.alwaysOnTop ? MF_CHECKED : MF_UNCHECKED);
  CheckMenuItem(menu, IDM_HORZ, s.wndH == 1 ? MF_CHECKED : MF_UNCHECKED);
  CheckMenuItem(menu, IDM_VERT, s.wndH == 1 ? MF_UNCHECKED : MF_CHECKED);
  CheckMenuItem(menu, IDM_WRAP, s.wordsWrap ? MF_CHECKED : MF_UNCHECKED);
}

void SendCommand(HWND hwnd, int id, LPARAM lp = 0) {
  SendMessageA(hwnd, WM_COMMAND, MAKEWPARAM(id, 0), lp);
}

void FocusEdit(HWND edit) {
  SetFocus(edit);
  SendMessageA(edit, EM_SCROLLCARET, 0, 0);
}

void OnCommand(HWND hwnd, int id, LPARAM lp) {
  CMirelkaApp& app = App();
  switch (id) {
    case IDC_ENCODE: OnEncode(); break;
    case IDC_PASTE: SendMessageA(hwnd, UM_PASTE_BACK, 0, 0); break;
    case IDC_CLEAR:
      app.cap.encryptMode = 1;
      SetWindowTextA(app.source, "");
      SetWindowTextA(app.result, "");
      SetEditModes();
      SetFocus(app.source);
      break;
    case IDC_TOPMOST:
      // The button's own click switches; the menu and the settings have
      // switched already and only ask for the window to follow.
      if (lp != 0 && reinterpret_cast<HWND>(lp) == app.topmost) {
        app.settings.alwaysOnTop = app.settings.alwaysOnTop ? 0 : 1;
        InvalidateRect(app.topmost, nullptr, FALSE);
      }
      SetWindowPos(hwnd, app.settings.alwaysOnTop ? HWND_TOPMOST : HWND_NOTOPMOST, 0, 0, 0, 0,
                   SWP_NOMOVE | SWP_NOSIZE);
      break;
    case IDC_HORZ: ArrangeEdits(true); break;
    case IDC_VERT: ArrangeEdits(false); break;
    case IDC_WRAP:
      if (lp != 0) app.settings.wordsWrap = app.settings.wordsWrap ? 0 : 1;
      RebuildEdits();
      break;

    case IDM_HIDE: SendMessageA(hwnd, WM_SYSCOMMAND, SC_CLOSE, 0); break;
    case IDM_EXIT:
    case IDM_TRAY_EXIT: DestroyWindow(hwnd); break;
    case IDM_FIND: OpenFindDialog(lp != 0); break;
    case IDA_FIND: OpenFindDialog(false); break;
    case IDM_FIND_NEXT:
    case IDA_FIND_NEXT: FindAgain(true); break;
    case IDM_FIND_PREV:
    case IDA_FIND_PREV:
    case IDA_FIND_PREV_CTRL: FindAgain(false); break;
    case IDM_SELECT_ALL:
    case IDA_SELECT_ALL: {
      HWND edit = LastFocusedEdit();
      SendMessageA(edit, EM_SETSEL, 0, -1);
      SetFocus(edit);
      break;
    }
    case IDM_ENCODE:
    case IDA_ENCODE: SendCommand(hwnd, IDC_ENCODE); break;
    case IDM_PASTE: PostMessageA(hwnd, WM_COMMAND, MAKEWPARAM(IDC_PASTE, 0), 0); break;
    case IDA_PASTE: SendCommand(hwnd, IDC_PASTE); break;
    case IDM_CLEAR_PASSWORD:
    case IDA_CLEAR_PASSWORD:
      SetWindowTextA(app.password, "");
      SetWindowTextA(app.confirm, "");
      SetFocus(app.password);
      break;
    case IDM_CLEAR_EDITS:
    case IDA_CLEAR_EDITS: SendCommand(hwnd, IDC_CLEAR); break;
    case IDM_FOCUS_SOURCE:
    case IDA_FOCUS_SOURCE: FocusEdit(app.source); break;
    case IDM_FOCUS_RESULT:
    case IDA_FOCUS_RESULT: FocusEdit(app.result); break;
    case IDM_TOPMOST:
      app.settings.alwaysOnTop = app.settings.alwaysOnTop ? 0 : 1;
      InvalidateRect(app.topmost, nullptr, FALSE);
      SendCommand(hwnd, IDC_TOPMOST);
      break;
    case IDM_HORZ: SendCommand(hwnd, IDC_HORZ); break;
    case IDM_VERT: SendCommand(hwnd, IDC_VERT); break;
    case IDM_WRAP: SendCommand(hwnd, IDC_WRAP, 1); break;
    case IDM_OPTIONS:
    case IDM_TRAY_OPTIONS: OpenOptions(); break;
    case IDM_HELP_SHORT: OpenHelp("SimpleUsage/page00.htm"); break;
    case IDM_HELP: OpenHelp("main.htm"); break;
    case IDM_ABOUT: ShowAbout(); break;
    case IDM_NOTICE: ShowNotice(); break;
    case IDM_HOME_PAGE: OpenHomePage(); break;
    case IDM_TRAY_OPEN: OpenMainWindow(); break;
  }
}

void OnTimer(HWND hwnd, UINT_PTR id) {
  CMirelkaApp& app = App();
  switch (id) {
    case TIMER_HOTKEY_WAIT: OnHotkeyTimer(); break;
    case TIMER_READ_CLIPBOARD:
      KillTimer(hwnd, id);
      PostMessageA(hwnd, UM_READ_CLIPBOARD, 0, 0);
      break;
    case TIMER_PASTE: OnPasteTimer(); break;
    case TIMER_UPDATE_POLL: {
      int32_t state = app.updateState.load();
      if (state == 0) KillTimer(hwnd, id);
      if (state == 1) {
        KillTimer(hwnd, id);
        DestroyWindow(hwnd);  // the updater waits for Mirelka to end
      }
      break;
    }
    case TIMER_BANNER_TEXT:
      KillTimer(hwnd, id);
      StartBannerText();
      break;
    case TIMER_BANNER_IMAGE:
      KillTimer(hwnd, id);
      StartBannerImage();
      break;
  }
}

}  // namespace

void WipeEdits() {
  CMirelkaApp& app = App();
  for (HWND w : {app.password, app.confirm, app.source, app.result})
    if (w) SetWindowTextA(w, "");
}

void HideToTray() {
  ShowWindow(App().main, SW_MINIMIZE);
  ShowWindow(App().main, SW_HIDE);
}

void OpenMainWindow() {
  CMirelkaApp& app = App();
  ShowWindow(app.main, SW_SHOWNORMAL);
  SetForegroundWindow(app.main);
  SetFocus(app.password);
  SetTimer(app.main, TIMER_BANNER_TEXT, 300, nullptr);
}

bool RegisterMainClass(HINSTANCE instance) {
  WNDCLASSEXA wc = {};
  wc.cbSize = sizeof wc;
  wc.style = CS_HREDRAW | CS_VREDRAW;
  wc.lpfnWndProc = MainWndProc;
  wc.hInstance = instance;
  wc.hIcon = LoadIconA(instance, MAKEINTRESOURCEA(IDI_MIRELKA));
  wc.hIconSm = static_cast<HICON>(
      LoadImageA(instance, MAKEINTRESOURCEA(IDI_MIRELKA), IMAGE_ICON, 16, 16, LR_SHARED));
  wc.hCursor = LoadCursorA(nullptr, IDC_CROSS);
  wc.hbrBackground = static_cast<HBRUSH>(GetStockObject(LTGRAY_BRUSH));
  wc.lpszMenuName = MAKEINTRESOURCEA(IDR_MAIN_MENU);
  wc.lpszClassName = kMainClass;
  return RegisterClassExA(&wc) != 0;
}

LRESULT CALLBACK MainWndProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
  CMirelkaApp& app = App();
  switch (msg) {
    case WM_CREATE:
      g_started = OnCreate(hwnd, *reinterpret_cast<CREATESTRUCTA*>(lp));
      return g_started ? 0 : -1;
    case WM_DESTROY: OnDestroy(hwnd); return 0;
    case WM_QUERYENDSESSION:
      SaveWindowPos();
      SaveSettings(RealRegistry(), app.settings, kSetAll);
      break;
    case WM_COMMAND: OnCommand(hwnd, LOWORD(wp), lp); return 0;
    case WM_SYSCOMMAND:
      if ((wp & 0xFFF0) == SC_CLOSE) {
        WipeEdits();
        HideToTray();
        return 0;
      }
      break;
    case WM_DRAWITEM:
      OnDrawItem(*reinterpret_cast<const DRAWITEMSTRUCT*>(lp));
      return TRUE;
    case WM_PAINT: OnPaint(hwnd); return 0;
    case WM_CTLCOLOREDIT:
      if (reinterpret_cast<HWND>(lp) == app.source) {
        HDC dc = reinterpret_cast<HDC>(wp);
        SetTextColor(dc, RGB(0, 0, 0));
        SetBkColor(dc, RGB(255, 255, 255));
        SetBkMode(dc, OPAQUE);
        return reinterpret_cast<LRESULT>(g_whiteBrush.Get());
      }
      break;
    case WM_CTLCOLORSTATIC:
      if (reinterpret_cast<HWND>(lp) == app.source || reinterpret_cast<HWND>(lp) == app.result) {
        HDC dc = reinterpret_cast<HDC>(wp);
        SetTextColor(dc, RGB(0, 0, 0));
        SetBkColor(dc, RGB(230, 240, 255));
        return reinterpret_cast<LRESULT>(g_readOnlyBrush.Get());
      }
      break;
    case WM_GETMINMAXINFO: {
      MINMAXINFO* mm = reinterpret_cast<MINMAXINFO*>(lp);
      mm->ptMinTrackSize.x = 335;
      mm->ptMinTrackSize.y = 250;
      return 0;
    }
    case WM_SIZE:
      if (wp != SIZE_MINIMIZED && !IsIconic(hwnd)) {
        GetWindowRect(hwnd, &app.windowRect);
        PlaceSourceEdit(LOWORD(lp), HIWORD(lp));
      }
      return 0;
    case WM_MOVE:
      if (!IsIconic(hwnd)) GetWindowRect(hwnd, &app.windowRect);
      return 0;
    case WM_INITMENU: OnInitMenu(hwnd, reinterpret_cast<HMENU>(wp)); return 0;
    case WM_TIMER: OnTimer(hwnd, wp); return 0;
    case WM_HOTKEY:
      if (wp == 0) OnHotKey();
      return 0;
    case UM_TRAY_NOTIFY:
      if (lp == WM_LBUTTONDBLCLK) OpenMainWindow();
      if (lp == WM_RBUTTONUP) ShowTrayMenu(hwnd);
      return 0;
    case UM_CAPTURE: OnCapture(); return 0;
    case UM_READ_CLIPBOARD: OnReadClipboard(); return 0;
    case UM_RUN_CIPHER: OnRunCipher(reinterpret_cast<const char*>(wp)); return 0;
    case UM_PASTE_BACK: OnPasteBack(); return 0;
    case UM_REGISTER_HOTKEY: RegisterActivationKey(); return 0;
    case UM_CIPHER_FAILED: SetFocus(app.password); return 0;
    case UM_CIPHER_DONE: SetFocus(app.encode); return 0;
    case UM_CIPHER_ENDED: OnCipherEnded(); return 0;
  }
  return DefWindowProcA(hwnd, msg, wp, lp);
}
