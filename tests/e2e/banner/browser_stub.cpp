// Stands in for the web browser in the banner tests: registered as the
// handler of http addresses, it appends its command line to
// browser-calls.txt beside itself and ends.
#include <windows.h>

#include <cstdio>
#include <cstring>

int main() {
  char path[MAX_PATH] = {};
  GetModuleFileNameA(nullptr, path, MAX_PATH - 20);
  std::strcpy(std::strrchr(path, '\\') + 1, "browser-calls.txt");
  FILE* f = std::fopen(path, "ab");
  return !f || std::fprintf(f, "%s\n", GetCommandLineA()) < 0 || std::fclose(f) != 0;
}
