#include "common/gif_blocks.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "support/gif_builder.h"

namespace {

using gifbuild::Gif;

gif::Reader Read(const std::vector<uint8_t>& b, size_t n = SIZE_MAX) { return gif::Reader(b.data(), std::min(n, b.size())); }

// A picture still downloading: every cut keeps exactly the graphic blocks
// that end inside it (a long comment and a plain text between them).
TEST(GifBlocks, EveryTruncationKeepsTheCompleteFrames) {
  Gif g(64, 32, 2);
  g.Control(10, 2).Image(0, 0, 64, 32, 3).Comment(std::string(260, 'y')).Image(4, 5, 6, 7, 1, 1);
  g.PlainText().Trailer();
  for (size_t n = 0; n <= g.bytes.size(); ++n) {
    size_t complete = 0;
    while (complete < g.ends.size() && g.ends[complete] <= n) ++complete;
    EXPECT_EQ(Read(g.bytes, n).CountGraphicBlocks(), complete) << n;
  }
}

// The frame and pixel budgets; empty frames and code sizes the format does
// not have are left out; the screen size limit.
TEST(GifBlocks, Budgets) {
  Gif many(1, 1, 0);
  for (int i = 0; i < 100000; ++i) many.Control(1, 2).Image(0, 0, 1, 1);
  EXPECT_EQ(gif::PlanFrames(Read(many.Trailer().bytes)).size(), gif::kMaxFrames);
  const std::vector<uint8_t> tiny = gifbuild::LzwData(1, 0);
  Gif big(2048, 2048, 0);
  for (int i = 0; i < 3; ++i) big.RawImage(0, 0, 2048, 2048, tiny);
  EXPECT_EQ(gif::PlanFrames(Read(big.bytes)).size(), 2u);
  Gif odd(170, 85, 1);
  odd.Image(0, 0, 0, 5);
  for (int code : {1, 2, 9}) {
    std::vector<uint8_t> data = tiny;
    data[0] = static_cast<uint8_t>(code);
    odd.RawImage(0, 0, 4, 4, data);
  }
  const std::vector<gif::Frame> kept = gif::PlanFrames(Read(odd.Trailer().bytes));
  EXPECT_TRUE(kept.size() == 1 && kept[0].lzwCodeSize == 2);
  EXPECT_TRUE(gif::ScreenFits(Read(Gif(4096, 2048).bytes)));
  for (const Gif& g : {Gif(0, 85), Gif(4097, 2048)}) EXPECT_FALSE(gif::ScreenFits(Read(g.bytes)));
}

}  // namespace
