#include "shellext/win32/win_shell_registry.h"

#include <windows.h>

namespace {

HKEY RootKey(ShellRegRoot root) {
  return root == kShellLocalMachine ? HKEY_LOCAL_MACHINE : HKEY_CLASSES_ROOT;
}

bool Missing(LONG status) {
  return status == ERROR_FILE_NOT_FOUND || status == ERROR_PATH_NOT_FOUND;
}

}  // namespace

int CWinShellRegistry::WriteValue(const CShellRegRow& row) {
  HKEY key = nullptr;
  DWORD disposition = 0;
  if (RegCreateKeyExA(RootKey(row.root), row.key.GetBuffer(), 0, nullptr, REG_OPTION_NON_VOLATILE,
                      KEY_WRITE, nullptr, &key, &disposition) != ERROR_SUCCESS) {
    return -1;
  }
  const char* name = row.name.GetLength() ? row.name.GetBuffer() : nullptr;
  LONG status = RegSetValueExA(key, name, 0, REG_SZ,
                               reinterpret_cast<const BYTE*>(row.data.GetBuffer()),
                               row.data.GetLength() + 1);
  RegCloseKey(key);
  return status == ERROR_SUCCESS ? 0 : -2;
}

int CWinShellRegistry::DeleteKey(ShellRegRoot root, const CMyString& key) {
  LONG status = RegDeleteKeyA(RootKey(root), key.GetBuffer());
  if (status == ERROR_SUCCESS) return 0;
  return Missing(status) ? 1 : -1;
}

int CWinShellRegistry::DeleteValue(ShellRegRoot root, const CMyString& key,
                                   const CMyString& name) {
  HKEY handle = nullptr;
  LONG status = RegOpenKeyExA(RootKey(root), key.GetBuffer(), 0, KEY_SET_VALUE, &handle);
  if (status != ERROR_SUCCESS) return Missing(status) ? 1 : -1;
  status = RegDeleteValueA(handle, name.GetBuffer());
  RegCloseKey(handle);
  if (status == ERROR_SUCCESS) return 0;
  return Missing(status) ? 1 : -1;
}
