// Path splitting for CP949 paths, as the runtime's _splitpath does it.
//
// Both '\\' and '/' separate folders everywhere. A CP949 lead byte
// (0x81-0xFE) always takes the next byte as its trail, so the trail byte 0x5C
// of a Hangul syllable is never taken for a backslash.
#ifndef MIRELKA_COMMON_PATH_H
#define MIRELKA_COMMON_PATH_H

#include <cstddef>

// Size of every output buffer of SplitPath, terminator included.
enum { kMaxPathLen = 260 };

// True for a byte that starts a two-byte CP949 character.
inline bool IsCp949Lead(unsigned char c) { return c >= 0x81 && c <= 0xFE; }

// Splits path into drive ("C:", only at the very start), folder (up to and
// including the last separator), file name and extension (from the last '.'
// of the last component, dot included; empty when it has none, and a name
// that is nothing but a leading dot, ".profile", is all extension as with
// _splitpath). Any output may be null; each non-null one must hold
// kMaxPathLen bytes and gets at most kMaxPathLen - 1 bytes, cut on a
// character boundary. A null path gives empty outputs.
void SplitPath(const char* path, char* drive, char* dir, char* fname, char* ext);

// Offset of the last component of path (just past the last separator), 0
// when it has no separator. CP949-aware like SplitPath.
size_t PathNameOffset(const char* path);

// True when the path ends in a separator (not a trail byte 0x5C).
bool PathEndsWithSeparator(const char* path);

#endif
