// The banner's picture player: one object per picture on display.
//
// A still picture (or a GIF with one image) is decoded by the system's
// picture loader and drawn once. An animated GIF is cut into one small GIF
// per frame (common/gif_blocks.h), each decoded once at load, and an
// animation thread draws the ready frames into a memory picture of the
// logical screen's size, applying the frames' disposal methods; painting is
// one copy of that picture. A lock keeps the animation thread's drawing and
// the copy apart, so a paint never shows a half-drawn step.
#ifndef MIRELKA_COMMON_WIN32_BANNER_PICTURE_H
#define MIRELKA_COMMON_WIN32_BANNER_PICTURE_H

#include <windows.h>
#include <ocidl.h>

#include <atomic>
#include <cstddef>
#include <cstdint>
#include <vector>

struct BannerFrame {
  IPicture* picture = nullptr;  // the frame as its own GIF, decoded
  int32_t width = 0, height = 0;
  int32_t left = 0, top = 0;
  uint32_t delay = 0;    // hundredths of a second; all bits set without a control extension
  int32_t disposal = 0;  // 2: back to the background colour, 3: back to what was there
};

class CBannerPicture {
 public:
  explicit CBannerPicture(HWND banner);
  virtual ~CBannerPicture();
  CBannerPicture(const CBannerPicture&) = delete;
  CBannerPicture& operator=(const CBannerPicture&) = delete;

  // Reads a picture file of at most 1048576 bytes and loads it. A larger
  // file shows "Banner image size too big(max:1M)!" (owned by the banner's
  // parent) and is refused. False when nothing can be shown.
  bool LoadFile(const char* path);
  // Loads a picture from memory (a GIF is walked here, anything else goes to
  // the system's loader) and resizes the banner window to it. False when it
  // cannot be shown.
  bool LoadMemory(const void* data, size_t size);
  // Animates an animated GIF on its own thread, or draws a still picture
  // once. False when nothing is loaded or the thread cannot start.
  bool Start();
  // Ends the animation thread (waiting at most 5 s).
  void Stop();
  // Stops and frees everything the picture held.
  void Unload();

  // Copies the memory picture to dc at (0, 0) (WM_PAINT, WM_DRAWITEM);
  // nothing when no picture is ready.
  void CopyTo(HDC dc);

  // One step of the animation as the thread takes it: the current frame's
  // disposal, then the next frame (after the last, the first on a cleared
  // picture). Returns the milliseconds the new frame stays.
  uint32_t Step();
  // Draws the current frame; the thread's first step.
  uint32_t DrawCurrent();

  // True when Stop gave up waiting for the animation thread: the picture
  // then keeps everything it holds, and must be left allocated.
  bool Abandoned() const { return m_abandoned; }
  uint32_t FileSize() const { return m_fileSize; }
  int Width() const { return m_width; }
  int Height() const { return m_height; }
  bool IsReady() const { return m_ready; }
  bool IsPlaying() const { return m_playing.load() != 0; }
  size_t FrameCount() const { return m_frames.size(); }
  size_t CurrentFrame() const { return m_current; }

 private:
  static DWORD WINAPI AnimationThread(LPVOID self);
  bool Prepare(int width, int height);
  void Fill(int left, int top, int width, int height);
  void Dispose(const BannerFrame& frame);
  void Draw(const BannerFrame& frame);

  HWND m_banner;
  uint32_t m_fileSize = 0;
  int m_width = 0, m_height = 0;
  COLORREF m_background = 0;
  size_t m_current = 0;
  bool m_isGif = false;
  bool m_ready = false;
  std::atomic<int32_t> m_playing{0};
  std::atomic<int32_t> m_stopRequested{0};
  // A thread that did not end within the wait may still use what the
  // picture holds; it is then left allocated rather than freed under it.
  bool m_abandoned = false;

  HDC m_memDC = nullptr;
  HBITMAP m_memBitmap = nullptr, m_memOld = nullptr;
  HDC m_saveDC = nullptr;
  HBITMAP m_saveBitmap = nullptr, m_saveOld = nullptr;
  HANDLE m_thread = nullptr;
  HANDLE m_stopEvent = nullptr;
  CRITICAL_SECTION m_lock;

  IPicture* m_still = nullptr;
  std::vector<BannerFrame> m_frames;
};

#endif
