// Builds GIF files block by block for the tests: well-formed ones that real
// decoders accept (the image data is valid LZW, written without compression)
// and malformed ones (any block can be left out, cut or given odd fields).
#ifndef MIRELKA_TESTS_SUPPORT_GIF_BUILDER_H
#define MIRELKA_TESTS_SUPPORT_GIF_BUILDER_H

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace gifbuild {

// Sub-blocks of at most 255 bytes, then the terminator.
template <typename Bytes>
inline void Chain(std::vector<uint8_t>& out, const Bytes& data) {
  for (size_t at = 0; at < data.size(); at += 255) {
    const size_t n = data.size() - at < 255 ? data.size() - at : 255;
    out.push_back(static_cast<uint8_t>(n));
    out.insert(out.end(), data.begin() + at, data.begin() + at + n);
  }
  out.push_back(0);
}

// The image data of `pixels` pixels of one colour: the minimum code size
// byte and the chain of sub-blocks. A clear code comes before the table
// would need wider codes, so every code has codeSize + 1 bits.
inline std::vector<uint8_t> LzwData(size_t pixels, uint8_t colour, int codeSize = 2) {
  std::vector<uint8_t> codes;  // packed bits, least significant first
  uint32_t acc = 0;
  int bits = 0;
  const uint32_t clear = 1u << codeSize;
  auto put = [&](uint32_t code) {
    for (acc |= code << bits, bits += codeSize + 1; bits >= 8; acc >>= 8, bits -= 8)
      codes.push_back(static_cast<uint8_t>(acc & 0xFF));
  };
  for (size_t done = 0; done < pixels;) {
    put(clear);
    for (size_t i = 0; i < clear - 2 && done < pixels; ++i, ++done) put(colour & (clear - 1));
  }
  put(clear + 1);
  if (bits > 0) codes.push_back(static_cast<uint8_t>(acc & 0xFF));
  std::vector<uint8_t> out{static_cast<uint8_t>(codeSize)};
  Chain(out, codes);
  return out;
}

class Gif {
 public:
  std::vector<uint8_t> bytes;
  std::vector<size_t> ends;  // the offset after each image or plain text

  // Header and logical screen; tableBits < 0: no global colour table, else
  // one of 2^(tableBits + 1) entries (a grey ramp).
  explicit Gif(uint16_t w = 170, uint16_t h = 85, int tableBits = 1) {
    bytes = {'G', 'I', 'F', '8', '9', 'a'};
    Words({w, h});
    bytes.insert(bytes.end(), {static_cast<uint8_t>(tableBits < 0 ? 0 : 0xF0 | tableBits), 0, 0});
    if (tableBits >= 0) Table(tableBits);
  }
  Gif& Comment(const std::string& text) {
    bytes.insert(bytes.end(), {0x21, 0xFE});
    Chain(bytes, text);
    return *this;
  }
  Gif& Control(uint16_t delay, int disposal = 0, int transparent = -1) {
    bytes.insert(bytes.end(), {0x21, 0xF9, 0x04, static_cast<uint8_t>((disposal & 7) << 2 | (transparent >= 0))});
    Words({delay});
    bytes.insert(bytes.end(), {static_cast<uint8_t>(transparent >= 0 ? transparent : 0), 0});
    return *this;
  }
  // One colour over the frame; localBits >= 0 adds a local colour table.
  Gif& Image(uint16_t l, uint16_t t, uint16_t w, uint16_t h, uint8_t colour = 1, int localBits = -1) {
    return RawImage(l, t, w, h, LzwData(size_t{w} * h, colour), localBits);
  }
  // An image with the given code-size byte and chain as they stand.
  Gif& RawImage(uint16_t l, uint16_t t, uint16_t w, uint16_t h, const std::vector<uint8_t>& data,
                int localBits = -1) {
    bytes.push_back(0x2C);
    Words({l, t, w, h});
    bytes.push_back(localBits < 0 ? 0 : static_cast<uint8_t>(0x80 | localBits));
    if (localBits >= 0) Table(localBits);
    bytes.insert(bytes.end(), data.begin(), data.end());
    ends.push_back(bytes.size());
    return *this;
  }
  Gif& PlainText() {
    bytes.insert(bytes.end(), {0x21, 0x01, 0x0C});
    bytes.insert(bytes.end(), 12, 1);
    Chain(bytes, std::string("text"));
    ends.push_back(bytes.size());
    return *this;
  }
  Gif& Trailer() { return bytes.push_back(0x3B), *this; }

 private:
  void Words(std::initializer_list<uint16_t> words) {
    for (uint16_t v : words) bytes.insert(bytes.end(), {static_cast<uint8_t>(v & 0xFF), static_cast<uint8_t>(v >> 8)});
  }
  void Table(int bits) {
    for (int i = 0, n = 2 << bits; i < n; ++i) {
      const uint8_t grey = static_cast<uint8_t>(255 - i * 255 / (n - 1));
      bytes.insert(bytes.end(), {grey, grey, grey});
    }
  }
};

}  // namespace gifbuild

#endif
