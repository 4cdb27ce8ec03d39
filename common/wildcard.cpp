#include "common/wildcard.h"

#include <cstring>
#include <string>
#include <vector>

#include "common/path.h"

namespace {

enum TokenKind { kLiteral, kStar, kDosStar, kDosQm, kDosDot };

struct Unit {
  const char* p;
  size_t len;
};

struct Token {
  TokenKind kind;
  Unit unit;  // for kLiteral
};

size_t CharLen(const char* s, bool utf8) {
  unsigned char c = static_cast<unsigned char>(*s);
  size_t len = 1;
  if (utf8) {
    if (c >= 0xF0) len = 4;
    else if (c >= 0xE0) len = 3;
    else if (c >= 0xC0) len = 2;
  } else if (IsCp949Lead(c)) {
    len = 2;
  }
  // A sequence cut short by the terminator is taken byte by byte.
  for (size_t i = 1; i < len; ++i)
    if (!s[i]) return 1;
  return len;
}

std::vector<Unit> Units(const char* s, bool utf8) {
  std::vector<Unit> out;
  while (*s) {
    size_t len = CharLen(s, utf8);
    out.push_back({s, len});
    s += len;
  }
  return out;
}

char Fold(char c) { return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c; }

bool Same(const Unit& a, const Unit& b) {
  if (a.len != b.len) return false;
  if (a.len == 1) return Fold(a.p[0]) == Fold(b.p[0]);
  return std::memcmp(a.p, b.p, a.len) == 0;
}

bool IsDot(const Unit& u) { return u.len == 1 && u.p[0] == '.'; }

// The search turns the plain pattern into the DOS wildcard forms before
// matching: every '?' is a DOS '?', a '.' before '?', '*' or the end is a DOS
// dot, a '*' before a '.' a DOS star.
std::vector<Token> Tokens(const std::vector<Unit>& units) {
  std::vector<Token> out;
  for (size_t i = 0; i < units.size(); ++i) {
    const Unit& u = units[i];
    const Unit* next = i + 1 < units.size() ? &units[i + 1] : nullptr;
    TokenKind kind = kLiteral;
    if (u.len == 1 && u.p[0] == '?') {
      kind = kDosQm;
    } else if (u.len == 1 && u.p[0] == '*') {
      kind = (next && IsDot(*next)) ? kDosStar : kStar;
    } else if (IsDot(u)) {
      if (!next || (next->len == 1 && (next->p[0] == '?' || next->p[0] == '*'))) kind = kDosDot;
    }
    out.push_back({kind, u});
  }
  return out;
}

bool Match(const char* pattern, const char* name, bool utf8) {
  if (!pattern || !name || !*pattern) return false;
  if (std::strcmp(pattern, "*") == 0 || std::strcmp(pattern, "*.*") == 0) return true;
  std::vector<Token> tok = Tokens(Units(pattern, utf8));
  std::vector<Unit> nm = Units(name, utf8);
  const size_t n = nm.size();
  size_t lastDot = n;  // n: no dot
  for (size_t j = 0; j < n; ++j)
    if (IsDot(nm[j])) lastDot = j;

  // ok[j]: the tokens from the current one on match the name from j on;
  // filled from the last token backwards.
  std::vector<char> ok(n + 1, 0), prev(n + 1, 0);
  prev[n] = 1;  // no tokens left: only the end of the name matches
  for (size_t i = tok.size(); i-- > 0;) {
    const Token& t = tok[i];
    for (size_t j = n + 1; j-- > 0;) {
      bool end = j == n;
      bool r = false;
      switch (t.kind) {
        case kLiteral:
          r = !end && Same(t.unit, nm[j]) && prev[j + 1];
          break;
        case kStar:
          r = prev[j] || (!end && ok[j + 1]);
          break;
        case kDosStar:
          r = prev[j] || (!end && j != lastDot && ok[j + 1]);
          break;
        case kDosQm:
          r = (end || IsDot(nm[j])) ? prev[j] : prev[j + 1];
          break;
        case kDosDot:
          r = end ? prev[j] : (IsDot(nm[j]) && prev[j + 1]);
          break;
      }
      ok[j] = r;
    }
    prev.swap(ok);
  }
  return prev[0] != 0;
}

}  // namespace

bool WildcardMatch(const char* pattern, const char* name) { return Match(pattern, name, false); }

bool WildcardMatchUtf8(const char* pattern, const char* name) { return Match(pattern, name, true); }

bool HasWildcard(const char* pattern) {
  return pattern && (std::strchr(pattern, '*') || std::strchr(pattern, '?'));
}

bool IsValidUtf8(const char* s) {
  const unsigned char* p = reinterpret_cast<const unsigned char*>(s);
  while (*p) {
    unsigned char c = *p;
    size_t len = c < 0x80 ? 1 : (c >= 0xC2 && c < 0xE0) ? 2 : (c >= 0xE0 && c < 0xF0) ? 3 : (c >= 0xF0 && c < 0xF5) ? 4 : 0;
    if (!len) return false;
    for (size_t i = 1; i < len; ++i)
      if ((p[i] & 0xC0) != 0x80) return false;
    p += len;
  }
  return true;
}
