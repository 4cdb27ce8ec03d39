// The banner's picture player under Wine: the size limit, the frame budget
// and the pixels each animation step leaves (the end-to-end run meets the
// loading, sizing and animating of real pictures).
#include "common/win32/banner_picture.h"

#include <gtest/gtest.h>

#include <atomic>
#include <string>
#include <thread>

#include "common/gif_blocks.h"
#include "support/gdi_count.h"
#include "support/gif_builder.h"
#include "support/temp_dir.h"

namespace {

using gifbuild::Gif;

// A hidden window for the player to size and draw for.
class BannerPictureTest : public ::testing::Test {
 protected:
  void SetUp() override {
    window_ = CreateWindowA("STATIC", "banner", WS_POPUP, 0, 0, 170, 85, nullptr, nullptr,
                            GetModuleHandleA(nullptr), nullptr);
    ASSERT_NE(window_, nullptr);
  }
  void TearDown() override { DestroyWindow(window_); }

  bool Load(CBannerPicture& p, const std::vector<uint8_t>& b) { return p.LoadMemory(b.data(), b.size()); }
  // The memory picture's pixels along its top row.
  std::vector<COLORREF> Row(CBannerPicture& p) {
    HDC screen = GetDC(nullptr);
    HDC dc = CreateCompatibleDC(screen);
    HBITMAP bmp = CreateCompatibleBitmap(screen, p.Width(), p.Height());
    ReleaseDC(nullptr, screen);
    HGDIOBJ old = SelectObject(dc, bmp);
    p.CopyTo(dc);
    std::vector<COLORREF> row;
    for (int x = 0; x < p.Width(); ++x) row.push_back(GetPixel(dc, x, 0));
    SelectObject(dc, old);
    DeleteObject(bmp);
    DeleteDC(dc);
    return row;
  }

  HWND window_ = nullptr;
};

// A GIF of two frames padded after its trailer to 1 MB and a byte more.
TEST_F(BannerPictureTest, FileSizeLimit) {
  CTempDir dir;
  Gif g(16, 16, 1);
  g.Control(10, 1).Image(0, 0, 16, 16, 1).Control(10, 1).Image(4, 4, 8, 8, 0).Trailer();
  for (size_t size : {size_t{1048576}, size_t{1048577}}) {
    g.bytes.resize(size, 0);
    const std::string name = "big" + std::to_string(size) + ".gif";
    ASSERT_TRUE(dir.WriteFile(name, std::string(g.bytes.begin(), g.bytes.end())));

    // The refusal's box is answered from here.
    std::string boxText;
    std::atomic<bool> done{false};
    std::thread answer([&] {
      for (int i = 0; i < 200 && boxText.empty() && !done; ++i) {
        HWND box = FindWindowA("#32770", "Warning");
        if (box != nullptr) {
          char text[128] = {};
          GetDlgItemTextA(box, 0xFFFF, text, sizeof text);
          boxText = text;
          PostMessageA(box, WM_COMMAND, IDOK, 0);
        }
        Sleep(25);
      }
    });
    CBannerPicture p(window_);
    const bool loaded = p.LoadFile((dir / name).c_str());
    done = true;
    answer.join();
    EXPECT_EQ(loaded, size == 1048576);
    EXPECT_EQ(p.FrameCount(), loaded ? 2u : 0u);
    EXPECT_EQ(boxText, loaded ? "" : "Banner image size too big(max:1M)!");
  }
  CBannerPicture missing(window_);
  EXPECT_FALSE(missing.LoadFile((dir / "none.gif").c_str()));
}

// Tens of thousands of tiny frames: only the budget is decoded, the GDI
// objects do not grow while the animation runs, and they all come back when
// the picture goes.
TEST_F(BannerPictureTest, ManyFramesKeepToTheBudget) {
  Gif g(4, 4, 0);
  for (int i = 0; i < 100000; ++i) g.Control(1, 2 + (i & 1)).Image(0, 0, 1, 1, i & 1);
  g.Trailer();
  const int before = GdiObjectCount();
  {
    CBannerPicture p(window_);
    ASSERT_TRUE(Load(p, g.bytes));
    EXPECT_EQ(p.FrameCount(), gif::kMaxFrames);
    const int loaded = GdiObjectCount();
    EXPECT_GT(loaded, before);
    EXPECT_LE(loaded - before, int(3 * gif::kMaxFrames + 10));
    ASSERT_TRUE(p.Start());
    Sleep(300);
    EXPECT_TRUE(p.IsPlaying());
    const int early = GdiObjectCount();
    Sleep(1200);  // a dozen steps more
    EXPECT_LE(GdiObjectCount(), early + 1);  // at most a saved background more
  }
  EXPECT_EQ(GdiObjectCount(), before);
}

// Disposal 3 gives back what the frame covered, disposal 2 leaves the
// background colour, and each loop starts on a cleared picture.
TEST_F(BannerPictureTest, DisposalAndLoopPixels) {
  Gif g(4, 1, 2);  // colours: 0 white, 1 red, 3 grey
  g.Control(10, 1).Image(0, 0, 3, 1, 1);
  g.Control(10, 3).Image(1, 0, 1, 1, 3);
  g.Control(10, 2).Image(2, 0, 1, 1, 0);
  g.Control(10, 1).Image(3, 0, 1, 1, 3);
  g.Trailer();
  CBannerPicture p(window_);
  ASSERT_TRUE(Load(p, g.bytes));
  ASSERT_EQ(p.FrameCount(), 4u);
  const COLORREF F = GetSysColor(COLOR_BTNFACE), R = RGB(0xE0, 0x20, 0x20), W = RGB(255, 255, 255);
  const COLORREF G = RGB(146, 146, 146);
  EXPECT_EQ(Row(p), (std::vector<COLORREF>{F, F, F, F}));
  EXPECT_EQ(p.DrawCurrent(), 100u);
  EXPECT_EQ(Row(p), (std::vector<COLORREF>{R, R, R, F}));
  const std::vector<COLORREF> want[] = {
      {R, G, R, F},  // frame 1
      {R, R, W, F},  // frame 1 gone (disposal 3), frame 2
      {R, R, F, G},  // frame 2 cleared (disposal 2), frame 3
      {R, R, R, F},  // the loop: cleared, frame 0
      {R, G, R, F},
  };
  for (size_t i = 0; i < std::size(want); ++i) {
    p.Step();
    EXPECT_EQ(Row(p), want[i]) << "step " << i + 1;
  }
}

}  // namespace
