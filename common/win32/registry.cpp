// The registry value functions over advapi32.
#include <windows.h>

#include <cstring>

#include "common/registry.h"

namespace {

HKEY RootKey(RegRoot root) {
  switch (root) {
    case kHkeyLocalMachine: return HKEY_LOCAL_MACHINE;
    case kHkeyClassesRoot: return HKEY_CLASSES_ROOT;
    case kHkeyCurrentUser: break;
  }
  return HKEY_CURRENT_USER;
}

// Opens or creates the key; null when neither works.
HKEY OpenKey(RegRoot root, const char* subkey, REGSAM access) {
  HKEY key = nullptr;
  DWORD disposition = 0;
  if (RegCreateKeyExA(RootKey(root), subkey ? subkey : "", 0, nullptr, REG_OPTION_NON_VOLATILE,
                      access, nullptr, &key, &disposition) != ERROR_SUCCESS)
    return nullptr;
  return key;
}

}  // namespace

uint32_t ReadRegDword(RegRoot root, const char* subkey, const char* name, uint32_t def) {
  HKEY key = OpenKey(root, subkey, KEY_READ);
  if (!key) return 0;
  DWORD value = 0;
  DWORD size = sizeof value;
  LONG rc = RegQueryValueExA(key, name, nullptr, nullptr, reinterpret_cast<BYTE*>(&value), &size);
  RegCloseKey(key);
  return rc == ERROR_SUCCESS ? value : def;
}

int ReadRegString(RegRoot root, const char* subkey, const char* name, const char* def,
                  char* buf, uint32_t size) {
  HKEY key = OpenKey(root, subkey, KEY_READ);
  if (!key) return 0;
  bool ok = false;
  if (size > 0) {
    DWORD got = size;
    LONG rc = RegQueryValueExA(key, name, nullptr, nullptr, reinterpret_cast<BYTE*>(buf), &got);
    if (rc == ERROR_SUCCESS && got <= size) {
      // A value stored without its terminator still has to come out as a
      // zero-terminated text, or it counts as too long for the buffer.
      if (got == 0) {
        buf[0] = 0;
        ok = true;
      } else if (buf[got - 1] == 0) {
        ok = true;
      } else if (got < size) {
        buf[got] = 0;
        ok = true;
      }
    }
  }
  RegCloseKey(key);
  if (ok) return 1;
  CopyRegDefault(def, buf, size);
  return 0;
}

int WriteRegDword(RegRoot root, const char* subkey, const char* name, uint32_t value) {
  HKEY key = OpenKey(root, subkey, KEY_WRITE);
  if (!key) return 0;
  DWORD v = value;
  LONG rc = RegSetValueExA(key, name, 0, REG_DWORD, reinterpret_cast<const BYTE*>(&v), sizeof v);
  RegCloseKey(key);
  return rc == ERROR_SUCCESS ? 1 : 0;
}

int WriteRegString(RegRoot root, const char* subkey, const char* name, const char* text) {
  HKEY key = OpenKey(root, subkey, KEY_WRITE);
  if (!key) return 0;
  if (!text) text = "";
  LONG rc = RegSetValueExA(key, name, 0, REG_SZ, reinterpret_cast<const BYTE*>(text),
                           static_cast<DWORD>(strlen(text) + 1));
  RegCloseKey(key);
  return rc == ERROR_SUCCESS ? 1 : 0;
}

int DeleteRegValue(RegRoot root, const char* subkey, const char* name) {
  HKEY key = OpenKey(root, subkey, KEY_WRITE);
  if (!key) return 0;
  LONG rc = RegDeleteValueA(key, name);
  RegCloseKey(key);
  return rc == ERROR_SUCCESS ? 1 : 0;
}

std::string RegistryStorePath() { return std::string(); }
