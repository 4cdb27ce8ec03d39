#include "trisel/settings.h"

#include <cstdio>

const char kTriselBasicKey[] = "Software\\Pelmora\\Mirelka\\Trisel\\Basic";
const char kTriselKeycommKey[] = "Software\\Pelmora\\Mirelka\\Trisel\\Keycomm";

namespace {

CMyString LoadText(IRegistry& reg, const char* key, const char* name, const char* def) {
  char buf[260];
  // A key that cannot be opened leaves the buffer as it was: start from the
  // default so that case gives it too.
  snprintf(buf, sizeof buf, "%s", def);
  reg.ReadString(kHkeyCurrentUser, key, name, def, buf, sizeof buf);
  return CMyString(buf);
}

}  // namespace

uint32_t LoadDelSrcFile(IRegistry& reg) {
  return reg.ReadDword(kHkeyCurrentUser, kTriselBasicKey, "DelSrcFile", 0);
}

void SaveDelSrcFile(IRegistry& reg, bool on) {
  reg.WriteDword(kHkeyCurrentUser, kTriselBasicKey, "DelSrcFile", on ? 1 : 0);
}

uint32_t LoadSubDir(IRegistry& reg) {
  return reg.ReadDword(kHkeyCurrentUser, kTriselBasicKey, "SubDir", 0);
}

void SaveSubDir(IRegistry& reg, bool on) {
  reg.WriteDword(kHkeyCurrentUser, kTriselBasicKey, "SubDir", on ? 1 : 0);
}

CMyString LoadFilter(IRegistry& reg) { return LoadText(reg, kTriselBasicKey, "Filter", "*.*"); }

void SaveFilter(IRegistry& reg, const char* filter) {
  reg.WriteString(kHkeyCurrentUser, kTriselBasicKey, "Filter", filter);
}

CMyString LoadCommKeyFile(IRegistry& reg) {
  return LoadText(reg, kTriselKeycommKey, "CommKeyFile", "");
}

void SaveCommKeyFile(IRegistry& reg, const char* path) {
  reg.WriteString(kHkeyCurrentUser, kTriselKeycommKey, "CommKeyFile", path);
}
