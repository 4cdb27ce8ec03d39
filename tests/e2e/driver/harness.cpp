#include "harness.h"

#include <cstdarg>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <iterator>

#include "ui.h"

namespace {
FILE* g_out = nullptr;
int g_failures = 0;
std::string g_artDir, g_artPrefix;

bool RegSet(const char* subkey, const char* name, DWORD type, const void* data, DWORD size) {
  HKEY key;
  if (RegCreateKeyExA(HKEY_CURRENT_USER, subkey, 0, nullptr, 0, KEY_WRITE, nullptr, &key, nullptr)) return false;
  const bool ok = RegSetValueExA(key, name, 0, type, static_cast<const BYTE*>(data), size) == ERROR_SUCCESS;
  return RegCloseKey(key), ok;
}
}  // namespace

void OpenResults(const std::string& path) { g_out = std::fopen(path.c_str(), "w"); }

void Say(const char* fmt, ...) {
  for (FILE* f : {stdout, g_out}) {
    va_list args;
    va_start(args, fmt);
    if (f) std::vfprintf(f, fmt, args), std::fflush(f);
    va_end(args);
  }
}

void Fail(const char* file, int line, const std::string& what) {
  const char* base = std::strrchr(file, '/');
  ++g_failures, Say("    FAIL %s:%d: %s\n", base ? base + 1 : file, line, what.c_str());
}

int Failures() { return g_failures; }

std::string Show(const std::string& s) {
  std::string out;
  char buf[8];
  for (unsigned char c : s.substr(0, 160))
    out += c >= 0x20 && c < 0x7F ? std::string(1, c) : (std::snprintf(buf, sizeof buf, "\\x%02X", c), buf);
  return s.size() > 160 ? out + "...(" + std::to_string(s.size()) + " bytes)" : out;
}

void CheckEq(const std::string& want, const std::string& got, const char* file, int line, const std::string& what) {
  if (want != got) Fail(file, line, what + ": want [" + Show(want) + "] got [" + Show(got) + "]");
}

bool Guarded(const std::function<void()>& step) { try { return step(), true; } catch (const ScenarioAbort&) { return false; } }

int RunScenarios(const Scenario* list, int count, char** names, const char* what, void (*after)()) {
  int failed = 0, run = 0;
  for (const Scenario* s = list; s->name; ++s) {
    bool wanted = count == 0;
    for (int i = 0; i < count; ++i) wanted = wanted || std::strcmp(names[i], s->name) == 0;
    if (!wanted) continue;
    ++run;
    Say("--- %s\n", s->name);
    g_failures = 0;
    const DWORD start = GetTickCount();
    Guarded(s->run);
    if (after) Guarded(after);
    Say("%s %s (%.1f s)\n", g_failures ? "FAIL" : "PASS", s->name, (GetTickCount() - start) / 1000.0);
    failed += g_failures != 0;
  }
  Say("e2e: %d of %d %s scenarios passed\n", run - failed, run, what);
  return failed;
}

int Finish(int failed) {
  Say("RESULT %s\n", failed ? "FAIL" : "OK");
  if (g_out) std::fclose(g_out), g_out = nullptr;
  return failed;
}

void SetArtefacts(const std::string& dir, const std::string& prefix) { g_artDir = dir, g_artPrefix = prefix; }

bool Shot(HWND hwnd, const std::string& name) {
  if (hwnd) WaitPainted(hwnd, 5000); else Sleep(300);  // nothing tells when the whole screen has painted
  return SaveScreenshot(hwnd ? hwnd : GetDesktopWindow(), g_artDir + "\\" + g_artPrefix + name + ".bmp");
}

std::string FileBytes(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

bool FileExists(const std::string& path) { return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES; }

bool PutFile(const std::string& path, const std::string& bytes) {
  CreateDirectoryA(path.substr(0, path.rfind('\\')).c_str(), nullptr);
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  return static_cast<bool>((out << bytes).flush());
}

ULONGLONG ModifyTime(const std::string& path) {
  WIN32_FILE_ATTRIBUTE_DATA d;
  if (!GetFileAttributesExA(path.c_str(), GetFileExInfoStandard, &d)) return 0;
  return (static_cast<ULONGLONG>(d.ftLastWriteTime.dwHighDateTime) << 32) | d.ftLastWriteTime.dwLowDateTime;
}

std::string RegText(const char* subkey, const char* name) {
  char buf[1024] = {};
  DWORD type = 0, size = sizeof buf - 1;
  if (RegGetValueA(HKEY_CURRENT_USER, subkey, name, RRF_RT_REG_SZ | RRF_RT_REG_DWORD, &type, buf, &size)) return "(none)";
  return type == REG_DWORD ? std::to_string(*reinterpret_cast<LONG*>(buf)) : buf;
}

bool RegSetString(const char* subkey, const char* name, const std::string& value) {
  return RegSet(subkey, name, REG_SZ, value.c_str(), static_cast<DWORD>(value.size() + 1));
}

bool RegSetDword(const char* subkey, const char* name, DWORD value) {
  return RegSet(subkey, name, REG_DWORD, &value, sizeof value);
}
