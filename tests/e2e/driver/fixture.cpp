#include "fixture.h"

Fixture g_fx;

const char kBasicKey[] = "Software\\Pelmora\\Mirelka\\Trisel\\Basic";
const char kKeycommKey[] = "Software\\Pelmora\\Mirelka\\Trisel\\Keycomm";

std::string TriselCommand(const std::vector<std::string>& args) {
  std::string cmd = "\"" + g_fx.app + "\\Trisel.exe\"";
  for (const std::string& a : args) cmd += " \"" + a + "\"";
  return cmd;
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
