// Stands in for the web browser in the banner tests: registered as the
// handler of http addresses, it appends its command line to
// browser-calls.txt beside itself and ends.
#include <windows.h>

#include <cstdio>
#include <cstring>

int main() {
  char path[MAX_PATH] = {};
  GetModuleFileNameA(nullptr, path, MAX_PATH);
  char* slash = std::strrchr(path, '\\');
  if (slash == nullptr) return 1;
  std::strcpy(slash + 1, "browser-calls.txt");
  FILE* f = std::fopen(path, "ab");
  if (f == nullptr) return 1;
  std::fprintf(f, "%s\n", GetCommandLineA());
  return std::fclose(f);
}
