#include "mirelka/cli/terminal.h"

#include <windows.h>
#include <fcntl.h>
#include <io.h>

#include <cstdio>
#include <cstring>

void SetBinaryStdio() {
  _setmode(_fileno(stdin), _O_BINARY);
  _setmode(_fileno(stdout), _O_BINARY);
}

bool ReadSecretLine(const char* prompt, std::string& line) {
  line.clear();
  HANDLE in = CreateFileA("CONIN$", GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                          OPEN_EXISTING, 0, nullptr);
  if (in == INVALID_HANDLE_VALUE) return false;
  HANDLE out = CreateFileA("CONOUT$", GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                           OPEN_EXISTING, 0, nullptr);
  DWORD mode = 0;
  bool quiet = GetConsoleMode(in, &mode) != 0;
  if (quiet) SetConsoleMode(in, (mode & ~static_cast<DWORD>(ENABLE_ECHO_INPUT)) | ENABLE_LINE_INPUT);
  DWORD done = 0;
  if (out != INVALID_HANDLE_VALUE) WriteFile(out, prompt, static_cast<DWORD>(std::strlen(prompt)), &done, nullptr);
  char c;
  while (ReadFile(in, &c, 1, &done, nullptr) && done == 1 && c != '\n') line += c;
  if (!line.empty() && line.back() == '\r') line.pop_back();
  if (out != INVALID_HANDLE_VALUE) {
    WriteFile(out, "\r\n", 2, &done, nullptr);
    CloseHandle(out);
  }
  if (quiet) SetConsoleMode(in, mode);
  CloseHandle(in);
  return true;
}

// The command line of a Korean Windows arrives in its ANSI code page, CP949.
std::string CommandLinePathToCp949(const std::string& path) { return path; }

IFileSystem& CliFileSystem() { return RealFileSystem(); }
