#include "common/win32/banner_picture.h"

#include <olectl.h>

#include <cstring>

#include "common/gif_blocks.h"

namespace {

constexpr DWORD kMaxFileSize = 1048576;
constexpr DWORD kJoinMs = 5000;

// Decodes a picture with the system's loader, from a stream over a copy of
// the bytes in global memory (the stream frees it).
IPicture* Decode(const void* data, size_t size) {
  if (size == 0 || size > kMaxFileSize) return nullptr;
  HGLOBAL mem = GlobalAlloc(GMEM_MOVEABLE, size);
  if (mem == nullptr) return nullptr;
  void* p = GlobalLock(mem);
  if (p == nullptr) {
    GlobalFree(mem);
    return nullptr;
  }
  std::memcpy(p, data, size);
  GlobalUnlock(mem);
  IStream* stream = nullptr;
  if (FAILED(CreateStreamOnHGlobal(mem, TRUE, &stream))) {
    GlobalFree(mem);
    return nullptr;
  }
  IPicture* picture = nullptr;
  HRESULT hr = OleLoadPicture(stream, static_cast<LONG>(size), FALSE, IID_IPicture,
                              reinterpret_cast<void**>(&picture));
  stream->Release();
  return SUCCEEDED(hr) ? picture : nullptr;
}

bool Render(IPicture* picture, HDC dc, int x, int y, int w, int h) {
  OLE_XSIZE_HIMETRIC hw = 0;
  OLE_YSIZE_HIMETRIC hh = 0;
  if (FAILED(picture->get_Width(&hw)) || FAILED(picture->get_Height(&hh))) return false;
  // The source rectangle runs bottom up in HIMETRIC.
  return SUCCEEDED(picture->Render(dc, x, y, w, h, 0, hh, hw, -hh, nullptr));
}

// Locks a critical section for one scope.
class CLock {
 public:
  explicit CLock(CRITICAL_SECTION& cs) : m_cs(cs) { EnterCriticalSection(&m_cs); }
  ~CLock() { LeaveCriticalSection(&m_cs); }
  CLock(const CLock&) = delete;
  CLock& operator=(const CLock&) = delete;

 private:
  CRITICAL_SECTION& m_cs;
};

}  // namespace

CBannerPicture::CBannerPicture(HWND banner) : m_banner(banner) {
  InitializeCriticalSection(&m_lock);
  m_stopEvent = CreateEventA(nullptr, TRUE, FALSE, nullptr);
}

CBannerPicture::~CBannerPicture() {
  Unload();
  if (m_abandoned) return;
  if (m_stopEvent) CloseHandle(m_stopEvent);
  DeleteCriticalSection(&m_lock);
}

bool CBannerPicture::LoadFile(const char* path) {
  m_fileSize = 0;
  HANDLE file = CreateFileA(path, GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                            FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return false;
  DWORD high = 0;
  const DWORD size = GetFileSize(file, &high);
  if (size == INVALID_FILE_SIZE && GetLastError() != NO_ERROR) {
    CloseHandle(file);
    return false;
  }
  if (high != 0 || size > kMaxFileSize) {
    CloseHandle(file);
    MessageBoxA(GetParent(m_banner), "Banner image size too big(max:1M)!", "Warning",
                MB_OK | MB_ICONWARNING);
    return false;
  }
  std::vector<uint8_t> data(size);
  DWORD got = 0;
  const bool read = size == 0 || (ReadFile(file, data.data(), size, &got, nullptr) && got == size);
  CloseHandle(file);
  if (!read) return false;
  m_fileSize = size;
  return LoadMemory(data.data(), data.size());
}

bool CBannerPicture::LoadMemory(const void* data, size_t size) {
  Unload();
  const gif::Reader gif(static_cast<const uint8_t*>(data), size);
  m_isGif = gif.IsGif();
  if (!m_isGif) {
    m_still = Decode(data, size);
    if (m_still == nullptr) return false;
    OLE_XSIZE_HIMETRIC hw = 0;
    OLE_YSIZE_HIMETRIC hh = 0;
    m_still->get_Width(&hw);
    m_still->get_Height(&hh);
    HDC screen = GetDC(nullptr);
    const int w = MulDiv(hw, GetDeviceCaps(screen, LOGPIXELSX), 2540);
    const int h = MulDiv(hh, GetDeviceCaps(screen, LOGPIXELSY), 2540);
    ReleaseDC(nullptr, screen);
    if (w <= 0 || h <= 0 || uint64_t(w) * uint64_t(h) > gif::kMaxPixels || !Prepare(w, h)) {
      Unload();
      return false;
    }
    return true;
  }

  // A screen of no pixels, or one too large for a memory picture, cannot be
  // shown whatever its frames hold.
  if (!gif::ScreenFits(gif)) return false;
  const size_t blocks = gif.CountGraphicBlocks();
  const std::vector<gif::Frame> plan = gif::PlanFrames(gif);
  if (blocks == 0 || plan.empty()) return false;
  if (blocks == 1) {
    m_still = Decode(data, size);
    if (m_still == nullptr) return false;
  } else {
    m_frames.reserve(plan.size());
    for (const gif::Frame& f : plan) {
      const std::vector<uint8_t> one = gif.FrameGif(f);
      BannerFrame frame;
      frame.picture = Decode(one.data(), one.size());
      if (frame.picture == nullptr) continue;
      frame.width = f.width;
      frame.height = f.height;
      frame.left = f.left;
      frame.top = f.top;
      frame.delay = f.delay;
      frame.disposal = f.disposal;
      m_frames.push_back(frame);
    }
    if (m_frames.empty()) return false;
  }
  if (!Prepare(static_cast<int>(gif.ScreenWidth()), static_cast<int>(gif.ScreenHeight()))) {
    Unload();
    return false;
  }
  return true;
}

bool CBannerPicture::Prepare(int width, int height) {
  SetWindowPos(m_banner, nullptr, 0, 0, width, height, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
  HDC windowDC = GetDC(m_banner);
  if (windowDC == nullptr) return false;
  m_memDC = CreateCompatibleDC(windowDC);
  m_saveDC = CreateCompatibleDC(windowDC);
  m_memBitmap = CreateCompatibleBitmap(windowDC, width, height);
  ReleaseDC(m_banner, windowDC);
  if (m_memDC == nullptr || m_saveDC == nullptr || m_memBitmap == nullptr) return false;
  m_memOld = static_cast<HBITMAP>(SelectObject(m_memDC, m_memBitmap));
  m_width = width;
  m_height = height;
  m_background = GetSysColor(COLOR_BTNFACE);
  Fill(0, 0, width, height);
  m_ready = true;
  return true;
}

void CBannerPicture::Fill(int left, int top, int width, int height) {
  const RECT r = {left, top, left + width, top + height};
  SetBkColor(m_memDC, m_background);
  ExtTextOutA(m_memDC, 0, 0, ETO_OPAQUE, &r, nullptr, 0, nullptr);
}

bool CBannerPicture::Start() {
  if (!m_ready) return false;
  if (m_isGif && m_frames.size() > 1) {
    ResetEvent(m_stopEvent);
    m_stopRequested = 0;
    m_thread = CreateThread(nullptr, 0, AnimationThread, this, CREATE_SUSPENDED, nullptr);
    if (m_thread == nullptr) return false;
    ResumeThread(m_thread);
    return true;
  }
  {
    CLock lock(m_lock);
    if (m_still != nullptr) {
      Render(m_still, m_memDC, 0, 0, m_width, m_height);
    } else if (!m_frames.empty()) {
      Draw(m_frames[0]);  // a GIF of which one frame could be decoded
    }
  }
  InvalidateRect(m_banner, nullptr, FALSE);
  return true;
}

DWORD WINAPI CBannerPicture::AnimationThread(LPVOID param) {
  CBannerPicture& self = *static_cast<CBannerPicture*>(param);
  self.m_playing = 1;
  for (uint32_t wait = self.DrawCurrent(); !self.m_stopRequested; wait = self.Step()) {
    WaitForSingleObject(self.m_stopEvent, wait);
    if (self.m_stopRequested) break;
  }
  self.m_playing = 0;
  return 0;
}

uint32_t CBannerPicture::DrawCurrent() {
  if (m_frames.empty()) return 0;
  const BannerFrame& frame = m_frames[m_current];
  {
    CLock lock(m_lock);
    Dispose(frame);
    Draw(frame);
  }
  InvalidateRect(m_banner, nullptr, FALSE);
  return gif::FrameWaitMs(frame.delay);
}

uint32_t CBannerPicture::Step() {
  if (m_frames.empty()) return 0;
  {
    // One step under one lock: a paint sees the frame before or after it,
    // never the cleared picture between the last frame and the first.
    CLock lock(m_lock);
    Dispose(m_frames[m_current]);
    if (++m_current >= m_frames.size()) {
      m_current = 0;
      Fill(0, 0, m_width, m_height);
    }
    Draw(m_frames[m_current]);
  }
  InvalidateRect(m_banner, nullptr, FALSE);
  return gif::FrameWaitMs(m_frames[m_current].delay);
}

void CBannerPicture::Draw(const BannerFrame& frame) {
  if (frame.picture == nullptr) return;
  if (frame.disposal == 3) {
    // What the frame covers comes back when it is disposed of.
    if (m_saveBitmap != nullptr) {
      SelectObject(m_saveDC, m_saveOld);
      DeleteObject(m_saveBitmap);
    }
    m_saveBitmap = CreateCompatibleBitmap(m_memDC, frame.width, frame.height);
    if (m_saveBitmap != nullptr) {
      m_saveOld = static_cast<HBITMAP>(SelectObject(m_saveDC, m_saveBitmap));
      BitBlt(m_saveDC, 0, 0, frame.width, frame.height, m_memDC, frame.left, frame.top, SRCCOPY);
    }
  }
  Render(frame.picture, m_memDC, frame.left, frame.top, frame.width, frame.height);
}

void CBannerPicture::Dispose(const BannerFrame& frame) {
  if (frame.disposal == 2) {
    Fill(frame.left, frame.top, frame.width, frame.height);
  } else if (frame.disposal == 3 && m_saveBitmap != nullptr) {
    BitBlt(m_memDC, frame.left, frame.top, frame.width, frame.height, m_saveDC, 0, 0, SRCCOPY);
    SelectObject(m_saveDC, m_saveOld);
    DeleteObject(m_saveBitmap);
    m_saveBitmap = nullptr;
  }
}

void CBannerPicture::Stop() {
  m_playing = 0;
  if (m_thread == nullptr) return;
  m_stopRequested = 1;
  SetEvent(m_stopEvent);
  if (WaitForSingleObject(m_thread, kJoinMs) != WAIT_OBJECT_0) m_abandoned = true;
  CloseHandle(m_thread);
  m_thread = nullptr;
  ResetEvent(m_stopEvent);
  m_stopRequested = 0;
}

void CBannerPicture::Unload() {
  Stop();
  if (m_abandoned) return;  // the thread may still draw with all of it
  CLock lock(m_lock);
  for (BannerFrame& f : m_frames) {
    if (f.picture) f.picture->Release();
  }
  m_frames.clear();
  if (m_still) {
    m_still->Release();
    m_still = nullptr;
  }
  if (m_saveDC) {
    if (m_saveBitmap) {
      SelectObject(m_saveDC, m_saveOld);
      DeleteObject(m_saveBitmap);
      m_saveBitmap = nullptr;
    }
    DeleteDC(m_saveDC);
    m_saveDC = nullptr;
  }
  if (m_memDC) {
    if (m_memOld) SelectObject(m_memDC, m_memOld);
    DeleteDC(m_memDC);
    m_memDC = nullptr;
  }
  if (m_memBitmap) {
    DeleteObject(m_memBitmap);
    m_memBitmap = nullptr;
  }
  m_memOld = nullptr;
  m_current = 0;
  m_width = m_height = 0;
  m_isGif = false;
  m_ready = false;
}

void CBannerPicture::CopyTo(HDC dc) {
  CLock lock(m_lock);
  if (m_ready) BitBlt(dc, 0, 0, m_width, m_height, m_memDC, 0, 0, SRCCOPY);
}
