// The wildcard rule of Windows file searches, for the adapters and stand-ins
// that have to search without FindFirstFileA.
#ifndef MIRELKA_COMMON_WILDCARD_H
#define MIRELKA_COMMON_WILDCARD_H

// Matches one file name (no folder part) against one wildcard component, the
// way FindFirstFileA does on an NTFS volume, counting a CP949 double-byte
// character as one character:
//   '*'  any run of characters; "*" and "*.*" match every name, also names
//        without a dot.
//   '?'  exactly one character, except that at a '.' or at the end of the
//        name it matches nothing ("a?" matches "a" and "ab", "???" every name
//        of at most three characters).
//   '.'  followed by '*', '?' or the end of the pattern also matches the end
//        of a name without an extension ("*." matches "readme", not "a.txt").
//   '*' before a '.' does not run over the name's last '.'.
// Letters compare ASCII case-insensitively; other bytes exactly. The short
// 8.3 names that Windows also matches are not emulated.
bool WildcardMatch(const char* pattern, const char* name);

// The same rule with UTF-8 characters instead of CP949 ones, for a POSIX
// file system that names its files in UTF-8.
bool WildcardMatchUtf8(const char* pattern, const char* name);

// True when s is well-formed UTF-8 (ASCII included).
bool IsValidUtf8(const char* s);

// True when the pattern holds '*' or '?'.
bool HasWildcard(const char* pattern);

#endif
