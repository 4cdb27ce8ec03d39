#include "common/gif_blocks.h"

#include <gtest/gtest.h>

#include <string>

#include "support/gif_builder.h"

namespace {

using gif::Block;
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

TEST(GifBlocks, Signature) {
  struct Row {
    std::string head;
    bool gif;
  } rows[] = {{"GIF89a", true}, {"GIF87a", true}, {"GIF90a", false}, {"gif89a", false},
              {"GIF8", false},  {"", false},      {"\x89PNG\r\n", false}};
  for (const Row& r : rows) {
    std::vector<uint8_t> b(r.head.begin(), r.head.end());
    EXPECT_EQ(Read(b).IsGif(), r.gif) << r.head;
  }
}

TEST(GifBlocks, BlockTypesAndLengths) {
  const size_t h = Gif(1, 1, -1).bytes.size();
  auto tail = [h](const Gif& g) { return std::vector<uint8_t>(g.bytes.begin() + h, g.bytes.end()); };
  struct Row {
    const char* name;
    std::vector<uint8_t> block;
    Block type;
    size_t length;
  } rows[] = {
      {"application", tail(Gif(1, 1, -1).App()), Block::kApplication, 19},
      {"comment over two sub-blocks", tail(Gif(1, 1, -1).Comment(std::string(300, 'c'))),
       Block::kComment, 2 + 256 + 46 + 1},
      {"empty comment", tail(Gif(1, 1, -1).Comment("")), Block::kComment, 3},
      {"control", tail(Gif(1, 1, -1).Control(7, 2)), Block::kGraphicControl, 8},
      {"plain text", tail(Gif(1, 1, -1).PlainText()), Block::kPlainText, 15 + 6},
      {"image", {0x2C, 0, 0, 0, 0, 1, 0, 1, 0, 0x00, 2, 2, 0x4C, 0x01, 0}, Block::kImage, 15},
      {"image with local table",
       {0x2C, 0, 0, 0, 0, 1, 0, 1, 0, 0x80, 1, 2, 3, 4, 5, 6, 2, 1, 0x44, 0}, Block::kImage, 20},
      {"trailer", {0x3B}, Block::kTrailer, 1},
      {"unknown extension", {0x21, 0x02, 0x00}, Block::kUnknown, 0},
      {"unknown byte", {0x00}, Block::kUnknown, 0},
      {"lone introducer", {0x21}, Block::kUnknown, 0},
      {"chain past the end", {0x21, 0xFE, 0x05, 'a', 'b'}, Block::kComment, 0},
      {"no terminator", {0x21, 0xFE, 0x02, 'a', 'b'}, Block::kComment, 0},
      {"short control", {0x21, 0xF9, 0x04, 0, 0, 0, 0}, Block::kGraphicControl, 0},
      {"short descriptor", {0x2C, 0, 0, 0, 0, 1, 0, 1, 0}, Block::kImage, 0},
      {"local table past the end", {0x2C, 0, 0, 0, 0, 1, 0, 1, 0, 0x87, 2, 0}, Block::kImage, 0},
  };
  for (const Row& r : rows) {
    const gif::Reader g = Read(r.block);
    EXPECT_EQ(g.TypeAt(0), r.type) << r.name;
    EXPECT_EQ(g.LengthAt(0), r.length) << r.name;
    size_t pos = 0;
    EXPECT_EQ(g.Skip(pos), r.length != 0) << r.name;
    EXPECT_EQ(pos, r.length) << r.name;
  }
}

// Every cut of a file keeps exactly the graphic blocks that end inside it,
// with the fields they have in the whole file.
TEST(GifBlocks, EveryTruncationKeepsTheCompleteFrames) {
  Gif g(64, 32, 2);
  g.App().Comment("x").Control(10, 2).Image(0, 0, 64, 32, 3);
  g.Image(4, 5, 6, 7, 1, 1);
  g.Control(20, 3).Comment(std::string(260, 'y')).Control(30, 1).Image(1, 2, 3, 4, 2);
  g.Control(40, 0, 0).PlainText().Trailer();
  const std::vector<gif::Frame> whole = Frames(Read(g.bytes));
  ASSERT_EQ(whole.size(), 4u);
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

TEST(GifBlocks, FrameFields) {
  Gif g(170, 85, 1);
  g.Control(0, 2).Image(1, 2, 3, 4);
  g.Control(1, 3).Image(0, 0, 170, 85);
  g.Control(2, 1).Image(0, 0, 1, 1);
  g.Control(65535, 7).Image(9, 9, 9, 9, 1, 3, 4);
  g.Image(300, 200, 10, 10);                       // no control: beyond the screen, too
  g.Control(50, 2).Control(60, 3).Image(5, 5, 5, 5);  // two controls: the first counts
  g.Control(70, 1).PlainText();
  g.Trailer();
  // Delay, disposal, left, top, width, height, code size.
  const std::vector<int64_t> want[] = {{0, 2, 1, 2, 3, 4, 2},     {1, 3, 0, 0, 170, 85, 2}, {2, 1, 0, 0, 1, 1, 2},
                                       {65535, 7, 9, 9, 9, 9, 4}, {gif::kNoDelay, 0, 300, 200, 10, 10, 2},
                                       {50, 2, 5, 5, 5, 5, 2},    {70, 1, 0, 0, 0, 0, -1}};
  const std::vector<gif::Frame> frames = Frames(Read(g.bytes));
  ASSERT_EQ(frames.size(), std::size(want));
  for (size_t i = 0; i < frames.size(); ++i) {
    const gif::Frame& f = frames[i];
    EXPECT_EQ(want[i], (std::vector<int64_t>{f.delay, f.disposal, f.left, f.top, f.width, f.height, f.lzwCodeSize}))
        << i;
    // Frames follow each other without a gap: a second control extension
    // stays with its frame.
    EXPECT_EQ(f.start, i == 0 ? 13u + 12u : g.ends[i - 1]) << i;
    EXPECT_EQ(f.start + f.bytes, g.ends[i]) << i;
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
