#include "fixture.h"

#include <fstream>
#include <iterator>

Fixture g_fx;

const char kBasicKey[] = "Software\\Pelmora\\Mirelka\\Trisel\\Basic";
const char kKeycommKey[] = "Software\\Pelmora\\Mirelka\\Trisel\\Keycomm";

std::string TriselCommand(const std::vector<std::string>& args) {
  std::string cmd = "\"" + g_fx.app + "\\Trisel.exe\"";
  for (const std::string& a : args) cmd += " \"" + a + "\"";
  return cmd;
}

bool FileExists(const std::string& path) {
  return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

std::string FileBytes(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

ULONGLONG ModifyTime(const std::string& path) {
  WIN32_FILE_ATTRIBUTE_DATA d;
  if (!GetFileAttributesExA(path.c_str(), GetFileExInfoStandard, &d)) return 0;
  return (static_cast<ULONGLONG>(d.ftLastWriteTime.dwHighDateTime) << 32) |
         d.ftLastWriteTime.dwLowDateTime;
}

std::string RegText(const char* subkey, const char* name) {
  HKEY key;
  if (RegOpenKeyExA(HKEY_CURRENT_USER, subkey, 0, KEY_READ, &key) != ERROR_SUCCESS) return "(none)";
  char buf[1024] = {};
  DWORD type = 0, size = sizeof buf - 1;
  LONG r = RegQueryValueExA(key, name, nullptr, &type, reinterpret_cast<BYTE*>(buf), &size);
  RegCloseKey(key);
  if (r == ERROR_SUCCESS && type == REG_DWORD) return std::to_string(*reinterpret_cast<DWORD*>(buf));
  return r == ERROR_SUCCESS && type == REG_SZ ? buf : "(none)";
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
