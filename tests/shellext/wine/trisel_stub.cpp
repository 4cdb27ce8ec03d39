// Stands in for Trisel.exe: records the command line it was started with beside
// itself (Trisel.args.txt: the raw line, then one parsed argument per line).
#include <windows.h>

#include <cstdio>
#include <cstring>
#include <string>

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
  char exe[MAX_PATH] = "";
  GetModuleFileNameA(nullptr, exe, MAX_PATH);
  const std::string dir(exe, strrchr(exe, '\\') + 1), part = dir + "Trisel.args.part";
  FILE* f = fopen(part.c_str(), "wb");
  if (!f) return 1;
  fprintf(f, "%s\n", GetCommandLineA());
  for (int i = 0; i < __argc; ++i) fprintf(f, "%s\n", __argv[i]);
  fclose(f);
  return !MoveFileExA(part.c_str(), (dir + "Trisel.args.txt").c_str(), MOVEFILE_REPLACE_EXISTING);  // whole or none
}
