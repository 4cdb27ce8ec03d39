#include "common/gif_blocks.h"

#include <cstring>

namespace gif {

namespace {

// Colour table bytes for a packed byte whose bit 7 says a table follows.
size_t TableSize(uint8_t packed) {
  return (packed & 0x80) ? 3u * (size_t{2} << (packed & 7)) : 0;
}

void PutWord(std::vector<uint8_t>& out, size_t at, uint32_t value) {
  out[at] = static_cast<uint8_t>(value & 0xFF);
  out[at + 1] = static_cast<uint8_t>((value >> 8) & 0xFF);
}

}  // namespace

bool Reader::IsGif() const {
  return m_size >= 6 && std::memcmp(m_data, "GIF", 3) == 0 &&
         (std::memcmp(m_data + 3, "87a", 3) == 0 || std::memcmp(m_data + 3, "89a", 3) == 0);
}

uint32_t Reader::Word(size_t at) const {
  if (at >= m_size || m_size - at < 2) return 0;
  return m_data[at] | (static_cast<uint32_t>(m_data[at + 1]) << 8);
}

size_t Reader::GlobalTableSize() const { return m_size > 10 ? TableSize(m_data[10]) : 0; }

Block Reader::TypeAt(size_t offset) const {
  if (offset >= m_size) return Block::kUnknown;
  switch (m_data[offset]) {
    case 0x2C: return Block::kImage;
    case 0x3B: return Block::kTrailer;
    case 0x21: break;
    default: return Block::kUnknown;
  }
  if (m_size - offset < 2) return Block::kUnknown;
  switch (m_data[offset + 1]) {
    case 0xFF: return Block::kApplication;
    case 0xFE: return Block::kComment;
    case 0xF9: return Block::kGraphicControl;
    case 0x01: return Block::kPlainText;
    default: return Block::kUnknown;
  }
}

size_t Reader::ChainLength(size_t at) const {
  size_t pos = at;
  while (pos < m_size) {
    const size_t n = m_data[pos];
    ++pos;
    if (n == 0) return pos - at;
    if (m_size - pos < n) return 0;
    pos += n;
  }
  return 0;
}

size_t Reader::LengthAt(size_t offset) const {
  if (offset >= m_size) return 0;
  const size_t left = m_size - offset;
  // A fixed head, then a chain of data sub-blocks.
  size_t head;
  switch (TypeAt(offset)) {
    case Block::kTrailer: return 1;
    case Block::kGraphicControl: return left >= 8 ? 8 : 0;
    case Block::kApplication: head = 14; break;
    case Block::kComment: head = 2; break;
    case Block::kPlainText: head = 15; break;
    case Block::kImage:
      if (left < 10) return 0;
      head = 11 + TableSize(m_data[offset + 9]);
      break;
    default: return 0;
  }
  if (left <= head) return 0;
  const size_t chain = ChainLength(offset + head);
  return chain == 0 ? 0 : head + chain;
}

bool Reader::Skip(size_t& offset) const {
  const size_t length = LengthAt(offset);
  if (length == 0 || m_size - offset < length) return false;
  offset += length;
  return true;
}

bool Reader::NextFrame(size_t& offset, Frame& frame) const {
  size_t pos = offset;
  Block type = TypeAt(pos);
  while (type == Block::kApplication || type == Block::kComment) {
    if (!Skip(pos)) return false;
    type = TypeAt(pos);
  }
  if (type != Block::kGraphicControl && type != Block::kImage && type != Block::kPlainText)
    return false;

  Frame f;
  f.start = pos;
  if (type == Block::kGraphicControl) {
    const size_t control = pos;
    if (!Skip(pos)) return false;
    f.delay = Word(control + 4);
    f.disposal = (m_data[control + 3] >> 2) & 7;
    // Whatever stands between the control extension and its picture goes
    // with the frame.
    for (type = TypeAt(pos); type != Block::kImage && type != Block::kPlainText;
         type = TypeAt(pos)) {
      if (type == Block::kTrailer || type == Block::kUnknown || !Skip(pos)) return false;
    }
  }
  const size_t picture = pos;
  if (!Skip(pos)) return false;
  if (type == Block::kImage) {
    // Skip succeeded, so the descriptor, its table and the code-size byte
    // all lie inside the data.
    f.image = picture;
    f.left = static_cast<int32_t>(Word(picture + 1));
    f.top = static_cast<int32_t>(Word(picture + 3));
    f.width = static_cast<int32_t>(Word(picture + 5));
    f.height = static_cast<int32_t>(Word(picture + 7));
    f.lzwCodeSize = m_data[picture + 10 + TableSize(m_data[picture + 9])];
  }
  f.bytes = pos - f.start;
  frame = f;
  offset = pos;
  return true;
}

size_t Reader::CountGraphicBlocks() const {
  size_t count = 0;
  size_t pos = FirstBlock();
  Frame f;
  while (NextFrame(pos, f)) ++count;
  return count;
}

std::vector<uint8_t> Reader::FrameGif(const Frame& frame) const {
  const size_t head = FirstBlock();
  std::vector<uint8_t> out;
  out.reserve(head + frame.bytes + 1);
  out.insert(out.end(), m_data, m_data + head);
  out.insert(out.end(), m_data + frame.start, m_data + frame.start + frame.bytes);
  out.push_back(0x3B);
  PutWord(out, 6, static_cast<uint32_t>(frame.width));
  PutWord(out, 8, static_cast<uint32_t>(frame.height));
  const size_t image = head + (frame.image - frame.start);
  PutWord(out, image + 1, 0);
  PutWord(out, image + 3, 0);
  return out;
}

bool ScreenFits(const Reader& reader) {
  const uint64_t pixels = uint64_t{reader.ScreenWidth()} * reader.ScreenHeight();
  return pixels != 0 && pixels <= kMaxPixels;
}

std::vector<Frame> PlanFrames(const Reader& reader) {
  std::vector<Frame> plan;
  uint64_t pixels = 0;
  size_t pos = reader.FirstBlock();
  Frame f;
  while (reader.NextFrame(pos, f)) {
    if (f.image == 0 || f.width == 0 || f.height == 0) continue;
    if (f.lzwCodeSize < 2 || f.lzwCodeSize > 8) continue;
    const uint64_t area = uint64_t(f.width) * uint64_t(f.height);
    if (plan.size() == kMaxFrames || area > kMaxPixels - pixels) break;
    pixels += area;
    plan.push_back(f);
  }
  return plan;
}

uint32_t FrameWaitMs(uint32_t delay) {
  if (delay >= 5 && delay != kNoDelay) return delay * 10;
  return 100;
}

}  // namespace gif
