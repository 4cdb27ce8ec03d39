// The running program's own folder: drive and folder of its executable.
#include <windows.h>

#include <cstdlib>

#include "common/mystring.h"

void GetModulePath(CMyString& out) {
  char path[MAX_PATH];
  DWORD n = GetModuleFileNameA(nullptr, path, MAX_PATH);
  if (n == 0 || n >= MAX_PATH) path[0] = 0;
  out = CMyString(path);
}

void GetModuleDir(CMyString& out) {
  char path[MAX_PATH];
  DWORD n = GetModuleFileNameA(nullptr, path, MAX_PATH);
  if (n == 0 || n >= MAX_PATH) path[0] = 0;
  char drive[_MAX_DRIVE], dir[_MAX_DIR], name[_MAX_FNAME], ext[_MAX_EXT];
  _splitpath(path, drive, dir, name, ext);
  CMyString result(drive);
  result += CMyString(dir);
  out = result;
}
