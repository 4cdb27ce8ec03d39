// GIF block walking for the banner player.
//
// The player never decodes pixels itself: it cuts an animated GIF into one
// small GIF per frame and hands each to the platform's picture loader. This
// file is the cutting: the signature, the logical screen, the length of each
// block, graphic blocks (an optional graphic control extension followed by an
// image or a plain-text extension) and the one-image GIF of a frame. Every
// read is checked against the data's end; a block that does not end inside
// the data ends the walk, so a cut file keeps its complete frames.
#ifndef MIRELKA_COMMON_GIF_BLOCKS_H
#define MIRELKA_COMMON_GIF_BLOCKS_H

#include <cstddef>
#include <cstdint>
#include <vector>

namespace gif {

enum class Block { kApplication, kComment, kGraphicControl, kPlainText, kImage, kTrailer, kUnknown };

// The delay of a frame without a graphic control extension.
constexpr uint32_t kNoDelay = 0xFFFFFFFFu;

struct Frame {
  uint32_t delay = kNoDelay;  // hundredths of a second
  int32_t disposal = 0;       // bits 2-4 of the control extension's packed byte
  int32_t left = 0, top = 0, width = 0, height = 0;
  size_t start = 0;  // offset of the frame's first block
  size_t bytes = 0;  // length of its blocks, the image (or plain text) included
  size_t image = 0;  // offset of the image descriptor; 0 for a plain-text frame
  int lzwCodeSize = -1;  // the image's minimum code size; -1 without an image
};

class Reader {
 public:
  Reader(const uint8_t* data, size_t size) : m_data(data), m_size(size) {}

  // "GIF87a" or "GIF89a". Anything else (a "GIF90a" too) is not walked here
  // but left to the picture loader as a still picture.
  bool IsGif() const;
  uint32_t ScreenWidth() const { return Word(6); }
  uint32_t ScreenHeight() const { return Word(8); }
  size_t GlobalTableSize() const;
  size_t FirstBlock() const { return 13 + GlobalTableSize(); }

  Block TypeAt(size_t offset) const;
  // The block's length in bytes, or 0 when it is unrecognised, or it or its
  // chain of data sub-blocks runs past the end.
  size_t LengthAt(size_t offset) const;
  // Moves offset past the block; false (offset unchanged) for an invalid one.
  bool Skip(size_t& offset) const;

  // Reads the graphic block at or after offset (application and comment
  // extensions are skipped) and moves offset past it. False at the trailer,
  // at an unrecognised block, and when the block is not complete.
  bool NextFrame(size_t& offset, Frame& frame) const;
  size_t CountGraphicBlocks() const;

  // The frame as a GIF of its own: header and global colour table, the
  // frame's blocks, the trailer. The logical screen is set to the frame's
  // size and the image moved to its top left corner, so the decoded picture
  // is exactly the frame whatever the loader makes of offsets; the player
  // places it. The frame must come from NextFrame on this data and have an
  // image.
  std::vector<uint8_t> FrameGif(const Frame& frame) const;

 private:
  uint32_t Word(size_t at) const;     // 16-bit little-endian, 0 past the end
  size_t ChainLength(size_t at) const;  // 0 when it runs past the end

  const uint8_t* m_data;
  size_t m_size;
};

// What a banner picture may cost once decoded. A decoded frame holds a
// bitmap and often a mask (two GDI objects) plus its pixels; 500 frames keep
// the banner to about a tenth of a process's 10,000 GDI objects, and 8 Mi
// pixels to about 32 MB at 32 bits per pixel. Both lie far above any real
// banner (170 x 85 is 14,450 pixels; 500 frames are 50 s at ten per second)
// yet well inside what the programs can spare.
constexpr size_t kMaxFrames = 500;
constexpr uint64_t kMaxPixels = 8u << 20;

// A logical screen the player can make its memory picture for: not empty,
// and within the pixel budget.
bool ScreenFits(const Reader& reader);

// The frames worth handing to the picture loader, in order: those with an
// image of non-zero size and a minimum code size the format allows (2 to 8).
// It stops before the frame that would pass kMaxFrames or kMaxPixels.
std::vector<Frame> PlanFrames(const Reader& reader);

// Milliseconds to show a frame: its delay when that is 5 hundredths or more,
// else 100 ms (frames without a control extension included).
uint32_t FrameWaitMs(uint32_t delay);

}  // namespace gif

#endif
