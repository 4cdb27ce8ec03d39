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

// The image data of w x h pixels of one colour: the minimum code size byte
// and the chain of sub-blocks. A clear code comes before the table would
// need wider codes, so every code has codeSize + 1 bits.
inline std::vector<uint8_t> LzwData(size_t pixels, uint8_t colour, int codeSize = 2) {
  std::vector<uint8_t> codes;  // packed bits, least significant first
  uint32_t acc = 0;
  int bits = 0;
  const int width = codeSize + 1;
  const uint32_t clear = 1u << codeSize;
  auto put = [&](uint32_t code) {
    acc |= code << bits;
    bits += width;
    while (bits >= 8) {
      codes.push_back(static_cast<uint8_t>(acc & 0xFF));
      acc >>= 8;
      bits -= 8;
    }
  };
  const size_t run = (size_t{1} << codeSize) - 2;
  for (size_t done = 0; done < pixels;) {
    put(clear);
    for (size_t i = 0; i < run && done < pixels; ++i, ++done) put(colour & (clear - 1));
  }
  put(clear + 1);
  if (bits > 0) codes.push_back(static_cast<uint8_t>(acc & 0xFF));
  std::vector<uint8_t> out{static_cast<uint8_t>(codeSize)};
  for (size_t at = 0; at < codes.size(); at += 255) {
    const size_t n = codes.size() - at < 255 ? codes.size() - at : 255;
    out.push_back(static_cast<uint8_t>(n));
    out.insert(out.end(), codes.begin() + at, codes.begin() + at + n);
  }
  out.push_back(0);
  return out;
}

class Gif {
 public:
  std::vector<uint8_t> bytes;
  std::vector<size_t> ends;  // the offset after each image or plain text

  // Header and logical screen; tableBits < 0: no global colour table, else
  // one of 2^(tableBits + 1) entries (a grey ramp, entry 1 red).
  explicit Gif(uint16_t w = 170, uint16_t h = 85, int tableBits = 1, const char* version = "89a") {
    Put("GIF");
    Put(version);
    Word(w);
    Word(h);
    bytes.push_back(tableBits < 0 ? 0 : static_cast<uint8_t>(0x80 | 0x70 | tableBits));
    bytes.push_back(0);
    bytes.push_back(0);
    if (tableBits >= 0) Table(tableBits);
  }
  Gif& App() {  // a looping block as animators write it
    bytes.insert(bytes.end(), {0x21, 0xFF, 0x0B});
    Put("NETSCAPE2.0");
    bytes.insert(bytes.end(), {0x03, 0x01, 0x00, 0x00, 0x00});
    return *this;
  }
  Gif& Comment(const std::string& text) {
    bytes.insert(bytes.end(), {0x21, 0xFE});
    Chain(text);
    return *this;
  }
  Gif& Control(uint16_t delay, int disposal = 0, int transparent = -1) {
    bytes.insert(bytes.end(), {0x21, 0xF9, 0x04});
    bytes.push_back(static_cast<uint8_t>((disposal & 7) << 2 | (transparent >= 0 ? 1 : 0)));
    Word(delay);
    bytes.push_back(static_cast<uint8_t>(transparent >= 0 ? transparent : 0));
    bytes.push_back(0);
    return *this;
  }
  // One colour over the frame; localBits >= 0 adds a local colour table.
  Gif& Image(uint16_t l, uint16_t t, uint16_t w, uint16_t h, uint8_t colour = 1, int localBits = -1,
             int codeSize = 2) {
    std::vector<uint8_t> data = LzwData(size_t{w} * h, colour, codeSize);
    return RawImage(l, t, w, h, data, localBits);
  }
  // An image with the given code-size byte and chain as they stand.
  Gif& RawImage(uint16_t l, uint16_t t, uint16_t w, uint16_t h, const std::vector<uint8_t>& data,
                int localBits = -1) {
    bytes.push_back(0x2C);
    Word(l);
    Word(t);
    Word(w);
    Word(h);
    bytes.push_back(localBits < 0 ? 0 : static_cast<uint8_t>(0x80 | localBits));
    if (localBits >= 0) Table(localBits);
    bytes.insert(bytes.end(), data.begin(), data.end());
    ends.push_back(bytes.size());
    return *this;
  }
  Gif& PlainText() {
    bytes.insert(bytes.end(), {0x21, 0x01, 0x0C});
    bytes.insert(bytes.end(), 12, 1);
    Chain("text");
    ends.push_back(bytes.size());
    return *this;
  }
  Gif& Trailer() {
    bytes.push_back(0x3B);
    return *this;
  }

 private:
  void Put(const char* s) {
    for (; *s; ++s) bytes.push_back(static_cast<uint8_t>(*s));
  }
  void Word(uint16_t v) {
    bytes.push_back(static_cast<uint8_t>(v & 0xFF));
    bytes.push_back(static_cast<uint8_t>(v >> 8));
  }
  void Table(int bits) {
    const int n = 2 << bits;
    for (int i = 0; i < n; ++i) {
      const uint8_t grey = static_cast<uint8_t>(255 - i * 255 / (n - 1));
      if (i == 1) bytes.insert(bytes.end(), {0xE0, 0x20, 0x20});
      else bytes.insert(bytes.end(), {grey, grey, grey});
    }
  }
  void Chain(const std::string& data) {
    for (size_t at = 0; at < data.size(); at += 255) {
      const size_t n = data.size() - at < 255 ? data.size() - at : 255;
      bytes.push_back(static_cast<uint8_t>(n));
      bytes.insert(bytes.end(), data.begin() + at, data.begin() + at + n);
    }
    bytes.push_back(0);
  }
};

}  // namespace gifbuild

#endif
