#include "fixture.h"

#include <cstdio>

Fixture g_fx;

const char kBasicKey[] = "Software\\Pelmora\\Mirelka\\Trisel\\Basic";
const char kKeycommKey[] = "Software\\Pelmora\\Mirelka\\Trisel\\Keycomm";

std::string TriselCommand(const std::vector<std::string>& args) {
  std::string cmd = "\"" + g_fx.Trisel() + "\"";
  for (const std::string& a : args) cmd += " \"" + a + "\"";
  return cmd;
}

bool FileExists(const std::string& path) {
  return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

bool ReadFileBytes(const std::string& path, std::string& out) {
  FILE* f = std::fopen(path.c_str(), "rb");
  if (!f) return false;
  out.clear();
  char buf[65536];
  size_t n;
  while ((n = std::fread(buf, 1, sizeof buf, f)) > 0) out.append(buf, n);
  bool ok = !std::ferror(f);
  std::fclose(f);
  return ok;
}

bool WriteFileBytes(const std::string& path, const std::string& bytes) {
  FILE* f = std::fopen(path.c_str(), "wb");
  if (!f) return false;
  bool ok = std::fwrite(bytes.data(), 1, bytes.size(), f) == bytes.size();
  return std::fclose(f) == 0 && ok;
}

ULONGLONG ModifyTime(const std::string& path) {
  WIN32_FILE_ATTRIBUTE_DATA d;
  if (!GetFileAttributesExA(path.c_str(), GetFileExInfoStandard, &d)) return 0;
  return (static_cast<ULONGLONG>(d.ftLastWriteTime.dwHighDateTime) << 32) |
         d.ftLastWriteTime.dwLowDateTime;
}

bool RegDword(const char* subkey, const char* name, DWORD& out) {
  HKEY key;
  if (RegOpenKeyExA(HKEY_CURRENT_USER, subkey, 0, KEY_READ, &key) != ERROR_SUCCESS) return false;
  DWORD type = 0, size = sizeof out;
  LONG r = RegQueryValueExA(key, name, nullptr, &type, reinterpret_cast<BYTE*>(&out), &size);
  RegCloseKey(key);
  return r == ERROR_SUCCESS && type == REG_DWORD;
}

bool RegString(const char* subkey, const char* name, std::string& out) {
  HKEY key;
  if (RegOpenKeyExA(HKEY_CURRENT_USER, subkey, 0, KEY_READ, &key) != ERROR_SUCCESS) return false;
  char buf[1024] = {};
  DWORD type = 0, size = sizeof buf - 1;
  LONG r = RegQueryValueExA(key, name, nullptr, &type, reinterpret_cast<BYTE*>(buf), &size);
  RegCloseKey(key);
  out = buf;
  return r == ERROR_SUCCESS && type == REG_SZ;
}

bool RegSetString(const char* subkey, const char* name, const std::string& value) {
  HKEY key;
  if (RegCreateKeyExA(HKEY_CURRENT_USER, subkey, 0, nullptr, 0, KEY_WRITE, nullptr, &key, nullptr) !=
      ERROR_SUCCESS) {
    return false;
  }
  LONG r = RegSetValueExA(key, name, 0, REG_SZ, reinterpret_cast<const BYTE*>(value.c_str()),
                          static_cast<DWORD>(value.size() + 1));
  RegCloseKey(key);
  return r == ERROR_SUCCESS;
}

void RegClearTrisel() {
  RegDeleteKeyA(HKEY_CURRENT_USER, kBasicKey);
  RegDeleteKeyA(HKEY_CURRENT_USER, kKeycommKey);
}
