#include "common/path.h"

#include <cstring>

namespace {

bool IsSeparator(char c) { return c == '\\' || c == '/'; }

// Copies [begin, end) into out (when given), cut to kMaxPathLen - 1 bytes
// without splitting a double-byte character.
void CopyPart(const char* begin, const char* end, char* out) {
  if (!out) return;
  size_t n = 0;
  const size_t limit = kMaxPathLen - 1;
  const char* p = begin;
  while (p < end) {
    size_t step = (IsCp949Lead(static_cast<unsigned char>(*p)) && p + 1 < end) ? 2 : 1;
    if (n + step > limit) break;
    n += step;
    p += step;
  }
  std::memcpy(out, begin, n);
  out[n] = 0;
}

}  // namespace

size_t PathNameOffset(const char* path) {
  if (!path) return 0;
  size_t cut = 0;
  for (size_t i = 0; path[i];) {
    unsigned char c = static_cast<unsigned char>(path[i]);
    if (IsCp949Lead(c) && path[i + 1]) {
      i += 2;
      continue;
    }
    ++i;
    if (IsSeparator(static_cast<char>(c))) cut = i;
  }
  return cut;
}

bool PathEndsWithSeparator(const char* path) {
  if (!path || !*path) return false;
  return PathNameOffset(path) == std::strlen(path);
}

void SplitPath(const char* path, char* drive, char* dir, char* fname, char* ext) {
  if (!path) path = "";
  const char* p = path;
  const char* driveEnd = p;
  // A drive is a single byte and a colon at the very start; a lead byte
  // cannot be a drive letter.
  if (p[0] && !IsCp949Lead(static_cast<unsigned char>(p[0])) && p[1] == ':') driveEnd = p + 2;
  CopyPart(p, driveEnd, drive);

  const char* rest = driveEnd;
  const char* name = rest + PathNameOffset(rest);
  CopyPart(rest, name, dir);

  // The extension starts at the last dot of the last component.
  const char* end = name + std::strlen(name);
  const char* dot = nullptr;
  for (const char* q = name; *q;) {
    if (IsCp949Lead(static_cast<unsigned char>(*q)) && q[1]) {
      q += 2;
      continue;
    }
    if (*q == '.') dot = q;
    ++q;
  }
  if (!dot) dot = end;
  CopyPart(name, dot, fname);
  CopyPart(dot, end, ext);
}
