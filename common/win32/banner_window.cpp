#include "common/win32/banner_window.h"

#include <atomic>

#include "common/filesystem.h"
#include "common/vendor.h"
#include "common/win32/banner_picture.h"
#include "common/win32/help_browser.h"
#include "common/win32/http_wininet.h"
#include "common/win32/worker_thread.h"

namespace {

// Posted by the text thread: arm the picture timer (wParam ms) on the
// banner's parent from the thread that owns it.
constexpr UINT UM_BANNER_ARM_TIMER = WM_USER + 557;

// One banner per program. The window fields and the player belong to the
// user-interface thread; the threads read the fields set before they start.
struct BannerState {
  HWND window = nullptr;
  WNDPROC buttonProc = nullptr;
  const BannerObjects* objects = nullptr;
  int cursor = 0;
  HINSTANCE* instance = nullptr;
  CBannerPicture* player = nullptr;
  CMyString clickAddress;
  std::atomic<int32_t> shownSize{-1};
  std::atomic<int32_t> stop{0};
  std::atomic<int32_t> imageBusy{0};
  CWorkerThread textThread, imageThread;
};

BannerState& Banner() {
  static BannerState state;
  return state;
}

void ClearPlayer() {
  BannerState& b = Banner();
  if (b.player != nullptr) {
    b.player->Unload();
    // A picture whose animation thread did not end is left to it.
    if (!b.player->Abandoned()) delete b.player;
    b.player = nullptr;
  }
  b.clickAddress = CMyString();
}

LRESULT Setup(HWND hwnd, const char* text, HINSTANCE* instance) {
  BannerState& b = Banner();
  ClearPlayer();
  const BannerSetup setup = ParseBannerSetup(text);
  b.clickAddress = setup.link;
  if (instance != nullptr) b.instance = instance;
  b.player = new CBannerPicture(hwnd);
  CMyString folder;
  GetModuleDir(folder);
  for (const CMyString* name : {&setup.picture, &setup.fallback}) {
    if (name->GetLength() == 0) continue;
    CMyString path(folder);
    path += *name;
    if (b.player->LoadFile(path.GetBuffer()) && b.player->Start()) {
      InvalidateRect(hwnd, nullptr, FALSE);
      return static_cast<LRESULT>(b.player->FileSize());
    }
  }
  ClearPlayer();
  b.clickAddress = setup.link;
  InvalidateRect(hwnd, nullptr, FALSE);
  return -1;
}

LRESULT CALLBACK BannerProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  BannerState& b = Banner();
  switch (msg) {
    case UM_BANNER_SETUP:
      return Setup(hwnd, reinterpret_cast<const char*>(wParam), reinterpret_cast<HINSTANCE*>(lParam));
    case UM_BANNER_CLEAR:
      ClearPlayer();
      InvalidateRect(hwnd, nullptr, FALSE);
      return 0;
    case UM_BANNER_ARM_TIMER:
      SetTimer(GetParent(hwnd), TIMER_BANNER_IMAGE, static_cast<UINT>(wParam), nullptr);
      return 0;
    case WM_DESTROY:
      ClearPlayer();
      break;
    case WM_PAINT: {
      PAINTSTRUCT ps;
      HDC dc = BeginPaint(hwnd, &ps);
      if (b.player != nullptr) b.player->CopyTo(dc);
      EndPaint(hwnd, &ps);
      break;
    }
    case WM_SETCURSOR: {
      HINSTANCE instance = b.instance != nullptr ? *b.instance : GetModuleHandleA(nullptr);
      HCURSOR cursor = LoadCursorA(instance, MAKEINTRESOURCEA(b.cursor));
      if (cursor != nullptr) SetCursor(cursor);
      return 0;
    }
    case WM_LBUTTONDOWN:
      if (b.clickAddress.GetLength() > 0) OpenWebPageDirect(b.clickAddress.GetBuffer(), SW_SHOWMAXIMIZED);
      return 0;
    default:
      break;
  }
  return CallWindowProcA(b.buttonProc, hwnd, msg, wParam, lParam);
}

void TextWork(HWND textBox, UINT imageTimerMs) {
  BannerState& b = Banner();
  const CMyString text = FetchBannerText(WinInetHttp(), TheVendorServer(), *b.objects);
  if (b.stop) return;
  SetWindowTextA(textBox, text.GetBuffer());
  PostMessageA(b.window, UM_BANNER_ARM_TIMER, imageTimerMs, 0);
}

void ImageWork() {
  BannerState& b = Banner();
  CMyString folder;
  GetModuleDir(folder);
  auto stopped = [&b] { return b.stop.load() != 0; };
  const BannerObjects& objects = *b.objects;
  if (FetchBannerPicture(WinInetHttp(), RealFileSystem(), TheVendorServer(), folder.GetBuffer(),
                         objects, b.shownSize, stopped) &&
      b.shownSize != -1 && !stopped()) {
    CMyString text(objects.picture);
    text += "|";
    text += objects.shipped;
    text += "|";
    text += FetchBannerLink(WinInetHttp(), TheVendorServer(), objects);
    text += "|";
    if (!stopped()) {
      SendMessageA(b.window, UM_BANNER_CLEAR, 0, 0);
      b.shownSize = static_cast<int32_t>(SendMessageA(b.window, UM_BANNER_SETUP,
                                                      reinterpret_cast<WPARAM>(text.GetBuffer()),
                                                      reinterpret_cast<LPARAM>(b.instance)));
    }
  }
  b.imageBusy = 0;
}

}  // namespace

void BannerAttach(HWND button, const BannerObjects& objects, int cursor, HINSTANCE* instance) {
  BannerState& b = Banner();
  b.window = button;
  b.objects = &objects;
  b.cursor = cursor;
  b.instance = instance;
  b.buttonProc = reinterpret_cast<WNDPROC>(
      SetWindowLongPtrA(button, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(BannerProc)));
  const CMyString text = BannerStartText(objects, TheVendorServer().homePage.GetBuffer());
  b.shownSize = static_cast<int32_t>(SendMessageA(
      button, UM_BANNER_SETUP, reinterpret_cast<WPARAM>(text.GetBuffer()), reinterpret_cast<LPARAM>(instance)));
}

void BannerDetach(HWND button) {
  BannerState& b = Banner();
  if (button == nullptr || button != b.window || b.buttonProc == nullptr) return;
  ClearPlayer();
  SetWindowLongPtrA(button, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(b.buttonProc));
  b.buttonProc = nullptr;
}

void BannerDrawItem(const DRAWITEMSTRUCT* item) {
  BannerState& b = Banner();
  if (b.player != nullptr && b.player->IsReady()) {
    b.player->CopyTo(item->hDC);
  } else {
    FillRect(item->hDC, &item->rcItem, GetSysColorBrush(COLOR_BTNFACE));
  }
}

bool StartBannerTextThread(HWND textBox, UINT imageTimerMs) {
  BannerState& b = Banner();
  if (b.window == nullptr || b.stop) return false;
  return b.textThread.Start(nullptr, [textBox, imageTimerMs] { TextWork(textBox, imageTimerMs); }, nullptr);
}

bool StartBannerImageThread() {
  BannerState& b = Banner();
  // Mirelka asks again at every capture; one download at a time.
  if (b.window == nullptr || b.stop || b.imageBusy != 0) return false;
  return b.imageThread.Start([&b] { b.imageBusy = 1; }, ImageWork, [&b] { b.imageBusy = 0; });
}

void StopBannerDownloads() { Banner().stop = 1; }

int32_t BannerShownSize() { return Banner().shownSize; }
