// The byte transform of the text-block cipher.
//
// Every byte belongs to a class; a transformed byte stays in its class, and
// a candidate that would land in a class that is never transformed (spaces
// and control bytes, brackets, the delimiter) is refused: the byte stays and
// the key index does not move. Because the refusal looks only at classes
// that both sides see alike, the same positions change and the same key
// bytes are used when the cipher text is run through again, so the
// transform is its own inverse.
#include "textcipher/text_coder.h"

#include <cstring>

namespace {

inline bool IsBracket(unsigned char c) {
  return c == 0x28 || c == 0x29 || c == 0x5B || c == 0x5D || c == 0x7B || c == 0x7D;
}

// Bytes below 0x80 that are copied as they are.
inline bool IsFixedSingle(unsigned char c) { return c <= 0x20 || IsBracket(c) || c == kBlockDelimiter; }

// Trail bytes that are never produced and never changed. 0xA0 and 0xFF lie
// outside the Hangul trail range; 0x7F would be read as a third delimiter and
// 0x00 would end the text in an edit control.
inline bool IsFixedTrail(unsigned char t) { return t == 0xA0 || t == 0xFF || t == 0x7F || t == 0x00; }

struct Key {
  const unsigned char* text;
  size_t length;
  size_t index;
  unsigned char Byte() const { return text[index]; }
  void Advance() {
    // ">=": an empty key (never handed in) then stays on its terminator.
    if (++index >= length) index = 0;
  }
};

// A double-byte character at out[0], out[1] (already copied).
inline void CodePair(unsigned char* out, Key& key) {
  unsigned char lead = out[0];
  unsigned char trail = out[1];
  if (lead < 0xB0 || lead > 0xC8 || IsFixedTrail(trail)) return;
  unsigned char k = key.Byte();
  unsigned char newLead = lead;
  if (lead <= 0xBF)
    newLead = static_cast<unsigned char>(lead ^ (k & 0x0F));
  else if (lead <= 0xC7)
    newLead = static_cast<unsigned char>(lead ^ (k & 0x07));
  unsigned char newTrail = static_cast<unsigned char>(trail ^ (k & 0x1F));
  if (IsFixedTrail(newTrail)) return;
  out[0] = newLead;
  out[1] = newTrail;
  key.Advance();
}

// A single byte below 0x80 at out[0] (already copied).
inline void CodeSingle(unsigned char* out, Key& key) {
  unsigned char c = out[0];
  if (IsFixedSingle(c)) return;
  unsigned char mask = c <= 0x3F ? 0x1F : 0x3F;
  unsigned char coded = static_cast<unsigned char>(c ^ (key.Byte() & mask));
  if (IsFixedSingle(coded)) return;
  out[0] = coded;
  key.Advance();
}

}  // namespace

uint32_t CountDelimiters(const char* text, uint32_t n) {
  uint32_t count = 0;
  for (uint32_t i = 0; i < n; ++i)
    if (static_cast<unsigned char>(text[i]) == kBlockDelimiter) ++count;
  return count;
}

uint32_t TransformTextBlock(const char* source, uint32_t n, const char* keyText, int flags, char* output) {
  const unsigned char* src = reinterpret_cast<const unsigned char*>(source);
  unsigned char* out = reinterpret_cast<unsigned char*>(output);
  Key key{reinterpret_cast<const unsigned char*>(keyText), std::strlen(keyText), 0};
  const bool encrypt = (flags & kCodingEncrypt) != 0;
  bool inside = encrypt;
  uint32_t o = 0;
  if (encrypt) out[o++] = kBlockDelimiter;

  uint32_t i = 0;
  while (i < n) {
    unsigned char c = src[i];
    if (!encrypt && (c == kBlockDelimiter || !inside)) {
      // Outside a block bytes are copied one at a time, with no pairing.
      if (c == kBlockDelimiter) inside = !inside;
      out[o++] = c;
      ++i;
      continue;
    }
    if (c >= 0x80) {
      // A lead byte with nothing after it, or with the closing delimiter
      // after it, stands alone: taking the terminator as its trail would
      // overrun the text, and taking the delimiter would swallow the block's
      // end.
      if (i + 1 >= n || src[i + 1] == kBlockDelimiter) {
        out[o++] = c;
        ++i;
        continue;
      }
      out[o] = c;
      out[o + 1] = src[i + 1];
      CodePair(out + o, key);
      o += 2;
      i += 2;
      continue;
    }
    out[o] = c;
    CodeSingle(out + o, key);
    ++o;
    ++i;
  }
  if (encrypt) out[o++] = kBlockDelimiter;
  out[o] = 0;
  return o;
}
