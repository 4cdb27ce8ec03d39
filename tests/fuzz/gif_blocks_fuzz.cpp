// Fuzz target: any bytes through the banner player's GIF walk. Nothing may
// crash or overrun; the frames must lie end to end inside the data, the plan
// must keep to the budget, and every planned frame's own GIF must read back
// as exactly one frame of the frame's size at 0,0.
#include <cstdlib>

#include "common/gif_blocks.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  // An odd first byte gets a valid signature, so that half of the inputs
  // reach the blocks.
  std::vector<uint8_t> bytes(data, data + size);
  if (size >= 6 && (data[0] & 1)) {
    static const uint8_t kSignature[] = {'G', 'I', 'F', '8', '9', 'a'};
    for (int i = 0; i < 6; ++i) bytes[i] = kSignature[i];
  }
  const gif::Reader reader(bytes.data(), bytes.size());
  if (!reader.IsGif()) return 0;
  (void)gif::ScreenFits(reader);

  size_t pos = reader.FirstBlock(), count = 0;
  gif::Frame f;
  while (reader.NextFrame(pos, f)) {
    if (f.start + f.bytes != pos || pos > bytes.size()) abort();
    ++count;
  }
  if (count != reader.CountGraphicBlocks()) abort();

  const std::vector<gif::Frame> plan = gif::PlanFrames(reader);
  if (plan.size() > gif::kMaxFrames || plan.size() > count) abort();
  uint64_t pixels = 0;
  for (const gif::Frame& frame : plan) {
    pixels += uint64_t(frame.width) * uint64_t(frame.height);
    const std::vector<uint8_t> one = reader.FrameGif(frame);
    const gif::Reader inner(one.data(), one.size());
    size_t at = inner.FirstBlock();
    gif::Frame g;
    if (!inner.IsGif() || !inner.NextFrame(at, g) || inner.TypeAt(at) != gif::Block::kTrailer ||
        g.left != 0 || g.top != 0 || g.width != frame.width || g.height != frame.height ||
        inner.ScreenWidth() != uint32_t(frame.width) || inner.CountGraphicBlocks() != 1)
      abort();
  }
  if (pixels > gif::kMaxPixels) abort();
  return 0;
}
