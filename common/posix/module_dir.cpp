// The running program's own path, from the kernel's link to the executable.
#include <unistd.h>

#include <climits>

#include "common/mystring.h"

void GetModulePath(CMyString& out) {
  char path[PATH_MAX + 1];
  ssize_t n = readlink("/proc/self/exe", path, PATH_MAX);
  if (n < 0) n = 0;
  path[n] = 0;
  out = CMyString(path);
}

void GetModuleDir(CMyString& out) {
  CMyString path;
  GetModulePath(path);
  uint32_t len = path.GetLength();
  uint32_t cut = 0;  // length of the folder part, separator included
  for (uint32_t i = 0; i < len; ++i)
    if (path.GetAt(i) == '/') cut = i + 1;
  out.AssignLeft(path, cut);
}
