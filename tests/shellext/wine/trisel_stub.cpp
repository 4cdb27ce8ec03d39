// Stands in for Trisel.exe: records the command line it was started with beside
// itself (Trisel.args.txt).
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
  fputs(GetCommandLineA(), f), fclose(f);
  return !MoveFileExA(part.c_str(), (dir + "Trisel.args.txt").c_str(), MOVEFILE_REPLACE_EXISTING);  // whole or none
}
