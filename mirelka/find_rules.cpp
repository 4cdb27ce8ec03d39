#include "mirelka/find_rules.h"

#include <cstring>
#include <vector>

const char kBlockDelimiter[] = "\x7F";

namespace {

bool IsLead(unsigned char c) { return c >= 0x81 && c <= 0xFE; }

// Length of the character at i: 2 for a lead byte with a byte behind it.
uint32_t CharLength(const char* s, uint32_t length, uint32_t i) {
  return IsLead(static_cast<unsigned char>(s[i])) && i + 1 < length ? 2 : 1;
}

// Upper-cases the single-byte letters of a CP949 text; the bytes of
// two-byte characters stay as they are.
std::vector<char> UpperCopy(const char* s, uint32_t length) {
  std::vector<char> out(s, s + length);
  for (uint32_t i = 0; i < length;) {
    uint32_t n = CharLength(s, length, i);
    unsigned char c = static_cast<unsigned char>(out[i]);
    if (n == 1 && c >= 'a' && c <= 'z') out[i] = static_cast<char>(c - 'a' + 'A');
    i += n;
  }
  return out;
}

}  // namespace

CMyString FindPattern(const FindState& state) {
  return state.textMode == 0 ? CMyString(kBlockDelimiter) : state.findText;
}

CMyString FindTextFromSelection(const char* selection, uint32_t length) {
  uint32_t end = 0;
  while (end < length) {
    uint32_t n = CharLength(selection, length, end);
    if (end + n > kFindTextLimit) break;
    end += n;
  }
  CMyString out;
  char* buf = out.AllocBuffer(end);
  std::memcpy(buf, selection, end);
  return out;
}

int64_t FindOccurrence(const char* text, uint32_t length, const char* pattern, uint32_t patternLength,
                       bool caseSensitive, bool downward, uint32_t selStart, uint32_t selEnd) {
  if (patternLength == 0 || patternLength > length) return -1;
  std::vector<char> hay(text, text + length), needle(pattern, pattern + patternLength);
  if (!caseSensitive) {
    hay = UpperCopy(text, length);
    needle = UpperCopy(pattern, patternLength);
  }
  // Character starts, so that a match never begins inside a character.
  std::vector<bool> start(length, false);
  for (uint32_t i = 0; i < length; i += CharLength(text, length, i)) start[i] = true;
  auto matchesAt = [&](uint32_t i) {
    return start[i] && std::memcmp(&hay[i], &needle[0], patternLength) == 0;
  };
  uint32_t last = length - patternLength;  // the last start that fits
  if (downward) {
    for (uint32_t i = selEnd; i <= last; ++i)
      if (matchesAt(i)) return i;
  } else {
    if (selStart > length) selStart = length;
    if (selStart < patternLength) return -1;
    for (uint32_t i = selStart - patternLength + 1; i-- > 0;)
      if (matchesAt(i)) return i;
  }
  return -1;
}

CMyString NotFoundMessage(bool sourceSearched, const CMyString& pattern, bool textEmpty, bool downward) {
  CMyString m(sourceSearched ? "<원본> 편집 창에서 \"" : "<결과> 편집 창에서 \"");
  m += pattern;
  m += CMyString("\" 을(를) 찾을 수 없습니다.\n\n");
  m += CMyString("──────────────────────────────\n\n");
  if (!textEmpty) {
    m += CMyString(downward ? "<위쪽>으로 검색해 보십시오. (단축키는 [Shift]+[F3] 입니다.)\n\n\n"
                            : "<아래쪽>으로 검색해 보십시오. (단축키는 [F3] 입니다.)\n\n\n");
  }
  m += CMyString(sourceSearched
                     ? "<결과> 편집 창에서 검색하려면,\n<결과> 창을 마우스로 클릭하고, 다시 시도하십시오."
                     : "<원본> 편집 창에서 검색하려면,\n<원본> 창을 마우스로 클릭하고, 다시 시도하십시오.");
  return m;
}

uint32_t CharsBefore(const char* text, uint32_t length, uint32_t byteOffset) {
  uint32_t chars = 0;
  for (uint32_t i = 0; i < length && i < byteOffset; i += CharLength(text, length, i)) ++chars;
  return chars;
}

uint32_t ByteOffsetOfChar(const char* text, uint32_t length, uint32_t charIndex) {
  uint32_t i = 0;
  for (uint32_t c = 0; c < charIndex && i < length; ++c) i += CharLength(text, length, i);
  return i;
}
