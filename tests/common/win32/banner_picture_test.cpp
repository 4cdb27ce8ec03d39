// The banner's picture player under Wine: the size limit and the frame
// budget (the end-to-end run meets the loading, sizing and animating of
// real pictures).
#include "common/win32/banner_picture.h"

#include <gtest/gtest.h>

#include <atomic>
#include <thread>

#include "common/gif_blocks.h"
#include "support/gdi_count.h"
#include "support/gif_builder.h"
#include "support/temp_dir.h"

namespace {

using gifbuild::Gif;

HWND Window() {
  return CreateWindowA("STATIC", "banner", WS_POPUP, 0, 0, 170, 85, nullptr, nullptr, GetModuleHandleA(nullptr), nullptr);
}

// A GIF of two frames padded after its trailer to 1 MB and a byte more; the
// refusal's box is answered from here.
TEST(BannerPicture, FileSizeLimit) {
  CTempDir dir;
  HWND window = Window();
  Gif g(16, 16, 1);
  g.Control(10, 1).Image(0, 0, 16, 16, 1).Control(10, 1).Image(4, 4, 8, 8, 0).Trailer();
  for (size_t size : {size_t{1048576}, size_t{1048577}}) {
    g.bytes.resize(size, 0);
    ASSERT_TRUE(dir.WriteFile("big.gif", std::string(g.bytes.begin(), g.bytes.end())));
    std::atomic<bool> done{false}, boxSeen{false};
    std::thread answer([&] {
      for (int i = 0; i < 200 && !boxSeen && !done; ++i, Sleep(25))
        if (HWND box = FindWindowA("#32770", "Warning")) boxSeen = PostMessageA(box, WM_COMMAND, IDOK, 0);
    });
    CBannerPicture p(window);
    const bool loaded = p.LoadFile((dir / "big.gif").c_str());
    done = true;
    answer.join();
    EXPECT_TRUE(loaded == (size == 1048576) && boxSeen == !loaded && p.FrameCount() == (loaded ? 2u : 0u)) << size;
  }
  DestroyWindow(window);
}

// Tens of thousands of tiny frames: only the budget is decoded, the GDI
// objects do not grow while the animation runs, and they all come back when
// the picture goes.
TEST(BannerPicture, ManyFramesKeepToTheBudget) {
  HWND window = Window();
  Gif g(4, 4, 0);
  for (int i = 0; i < 100000; ++i) g.Control(1, 2 + (i & 1)).Image(0, 0, 1, 1, i & 1);
  g.Trailer();
  const int before = GdiObjectCount();
  {
    CBannerPicture p(window);
    ASSERT_TRUE(p.LoadMemory(g.bytes.data(), g.bytes.size()));
    EXPECT_EQ(p.FrameCount(), gif::kMaxFrames);
    EXPECT_LE(GdiObjectCount() - before, int(3 * gif::kMaxFrames + 10));
    ASSERT_TRUE(p.Start());
    Sleep(300);
    const int early = GdiObjectCount();
    Sleep(1200);  // a dozen steps more
    EXPECT_TRUE(p.IsPlaying() && GdiObjectCount() <= early + 1);  // at most a saved background more
  }
  EXPECT_EQ(GdiObjectCount(), before);
  DestroyWindow(window);
}

}  // namespace
