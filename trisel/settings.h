// Trisel's four stored settings, with their keys and defaults.
//
// Missing or unreadable values give the defaults; every text is read into a
// 260-byte buffer, so a stored text of more than 259 bytes gives the default.
#ifndef MIRELKA_TRISEL_SETTINGS_H
#define MIRELKA_TRISEL_SETTINGS_H

#include <cstdint>

#include "common/mystring.h"
#include "common/registry.h"

extern const char kTriselBasicKey[];    // Software\Pelmora\Mirelka\Trisel\Basic
extern const char kTriselKeycommKey[];  // Software\Pelmora\Mirelka\Trisel\Keycomm

// DelSrcFile: delete each source after it was coded. Default 0.
uint32_t LoadDelSrcFile(IRegistry& reg);
void SaveDelSrcFile(IRegistry& reg, bool on);

// SubDir: folder items include all sub-folders. Default 0.
uint32_t LoadSubDir(IRegistry& reg);
void SaveSubDir(IRegistry& reg, bool on);

// Filter: the file-name wildcard for folder items in encryption. Default "*.*".
CMyString LoadFilter(IRegistry& reg);
void SaveFilter(IRegistry& reg, const char* filter);

// CommKeyFile: full path of Trisel's common key file; empty = none.
CMyString LoadCommKeyFile(IRegistry& reg);
void SaveCommKeyFile(IRegistry& reg, const char* path);

#endif
