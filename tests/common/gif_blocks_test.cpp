#include "common/gif_blocks.h"

#include <gtest/gtest.h>

#include <string>

#include "support/gif_builder.h"

namespace {

using gifbuild::Gif;

gif::Reader Read(const std::vector<uint8_t>& b, size_t n = SIZE_MAX) {
  return gif::Reader(b.data(), n < b.size() ? n : b.size());
}

std::vector<gif::Frame> Frames(const gif::Reader& r) {
  std::vector<gif::Frame> out;
  size_t pos = r.FirstBlock();
  gif::Frame f;
  while (r.NextFrame(pos, f)) out.push_back(f);
  return out;
}

// Every cut of a file keeps exactly the graphic blocks that end inside it,
// as they are in the whole file; cut chains, descriptors and colour tables
// are never read past.
TEST(GifBlocks, EveryTruncationKeepsTheCompleteFrames) {
  Gif g(64, 32, 2);
  g.App().Comment("x").Control(10, 2).Image(0, 0, 64, 32, 3);
  g.Image(4, 5, 6, 7, 1, 1);
  g.Control(20, 3).Comment(std::string(260, 'y')).Control(30, 1).Image(1, 2, 3, 4, 2);
  g.Control(40, 0, 0).PlainText().Trailer();
  const std::vector<gif::Frame> whole = Frames(Read(g.bytes));
  ASSERT_EQ(whole.size(), 4u);
  // Frames lie end to end; no control: no delay; of two controls the first counts.
  const int64_t want[][2] = {{10, 2}, {gif::kNoDelay, 0}, {20, 3}, {40, 0}};
  for (size_t i = 0; i < 4; ++i)
    EXPECT_TRUE(whole[i].start + whole[i].bytes == g.ends[i] && whole[i].delay == want[i][0] &&
                whole[i].disposal == want[i][1]) << i;
  for (size_t n = 0; n <= g.bytes.size(); ++n) {
    const gif::Reader cut = Read(g.bytes, n);
    size_t complete = 0;
    while (complete < g.ends.size() && g.ends[complete] <= n) ++complete;
    EXPECT_EQ(cut.CountGraphicBlocks(), complete) << n;
    const std::vector<gif::Frame> frames = Frames(cut);
    for (size_t i = 0; i < frames.size() && i < whole.size(); ++i) {
      EXPECT_EQ(frames[i].start, whole[i].start);
      EXPECT_EQ(frames[i].bytes, whole[i].bytes);
    }
  }
}

TEST(GifBlocks, BudgetAndUndecodableFrames) {
  // Tens of thousands of tiny frames: all counted, only the budget planned.
  Gif many(1, 1, 0);
  for (int i = 0; i < 100000; ++i) many.Control(1, 2).Image(0, 0, 1, 1);
  many.Trailer();
  EXPECT_EQ(Read(many.bytes).CountGraphicBlocks(), 100000u);
  EXPECT_EQ(gif::PlanFrames(Read(many.bytes)).size(), gif::kMaxFrames);

  // Large frames: the third would pass the pixel budget.
  const std::vector<uint8_t> tiny = gifbuild::LzwData(1, 0);
  Gif big(2048, 2048, 0);
  for (int i = 0; i < 3; ++i) big.RawImage(0, 0, 2048, 2048, tiny);
  EXPECT_EQ(gif::PlanFrames(Read(big.bytes)).size(), 2u);

  // Empty frames and code sizes the format does not have are left out.
  Gif odd(170, 85, 1);
  odd.Image(0, 0, 0, 5).Image(0, 0, 5, 0);
  for (int code : {0, 1, 2, 8, 9, 12, 13, 255}) {
    std::vector<uint8_t> data = tiny;
    data[0] = static_cast<uint8_t>(code);
    odd.RawImage(0, 0, 4, 4, data);
  }
  odd.Trailer();
  std::vector<int> kept;
  for (const gif::Frame& f : gif::PlanFrames(Read(odd.bytes))) kept.push_back(f.lzwCodeSize);
  EXPECT_EQ(kept, (std::vector<int>{2, 8}));

  struct Screen {
    uint16_t w, h;
    bool fits;
  } screens[] = {{170, 85, true}, {0, 85, false}, {170, 0, false}, {4096, 2048, true},
                 {4097, 2048, false}, {65535, 65535, false}};
  for (const Screen& s : screens)
    EXPECT_EQ(gif::ScreenFits(Read(Gif(s.w, s.h).bytes)), s.fits) << s.w << "x" << s.h;
}

}  // namespace
