// The find command's rules that need no window: what is searched for, where
// the next or previous occurrence lies, what the not-found message says, and
// how byte offsets of a CP949 text map to the positions of an edit control.
//
// Texts are CP949: a byte 0x81..0xFE starts a two-byte character (when a
// byte follows it), every other byte is a character of its own. The search
// only matches at character starts, so a Latin letter never matches the
// second byte of a Hangul syllable, and upper-casing for a search that
// ignores case touches single-byte letters only.
#ifndef MIRELKA_MIRELKA_FIND_RULES_H
#define MIRELKA_MIRELKA_FIND_RULES_H

#include <cstdint>

#include "common/mystring.h"

enum : uint32_t { kFindTextLimit = 1024 };
extern const char kBlockDelimiter[];  // "\x7F"

// What the find command remembers for the life of the program.
struct FindState {
  CMyString findText;         // at most kFindTextLimit bytes
  int32_t textMode = 1;       // 1 the find text, 0 the block delimiter
  int32_t caseSensitive = 0;  // 0: letters compare without case
  int32_t downward = 1;       // direction of the dialog's search
  uint32_t selStart = 0, selEnd = 0;  // selection when the last search or the dialog began
};

// The find text in text mode, the delimiter in delimiter mode.
CMyString FindPattern(const FindState& state);

// The find text taken from a selection: its first kFindTextLimit bytes,
// one less when the last of them would be the first half of a character.
CMyString FindTextFromSelection(const char* selection, uint32_t length);

// Looks for `pattern` in `text` (byte offsets). Downward: the first
// occurrence that starts at or after selEnd. Upward: the last one that ends
// at or before selStart. Returns the start, or -1 when there is none (also
// for an empty pattern).
int64_t FindOccurrence(const char* text, uint32_t length, const char* pattern, uint32_t patternLength,
                       bool caseSensitive, bool downward, uint32_t selStart, uint32_t selEnd);

// The message for a search that found nothing. `pattern` is shown as it was
// entered; an empty edit gets no hint about the other direction.
CMyString NotFoundMessage(bool sourceSearched, const CMyString& pattern, bool textEmpty, bool downward);

// Edit controls count positions either in bytes or in characters. These map
// a byte offset to the number of characters before it and back (an offset
// inside a character counts that character; past the end is the end).
uint32_t CharsBefore(const char* text, uint32_t length, uint32_t byteOffset);
uint32_t ByteOffsetOfChar(const char* text, uint32_t length, uint32_t charIndex);

#endif
