// What every end-to-end driver shares besides the windows: the results
// file (the desktop swallows standard output), failed checks, scenarios
// run by name, screenshots, files.
#ifndef E2E_DRIVER_HARNESS_H
#define E2E_DRIVER_HARNESS_H

#include <windows.h>

#include <functional>
#include <string>

// Every Say line also goes to this file from now on.
void OpenResults(const std::string& path);
void Say(const char* fmt, ...);

// Records a failed check of the running scenario and prints it.
void Fail(const char* file, int line, const std::string& what);
// Failed checks since the running scenario began.
int Failures();
// Bytes shown readably: ASCII as it is, anything else as \xNN.
std::string Show(const std::string& bytes);
void CheckEq(const std::string& want, const std::string& got, const char* file, int line, const std::string& what);

// Ends the scenario at once when a step it depends on failed.
struct ScenarioAbort {};
// The value (a window, say) when it is set; else the scenario ends.
template <typename T>
T Need(T value, const char* file, int line, const std::string& what) {
  if (!value) Fail(file, line, what), throw ScenarioAbort();
  return value;
}

#define CHECK(cond, what) ((cond) ? void() : Fail(__FILE__, __LINE__, (what)))
#define CHECK_EQ(want, got, what) CheckEq((want), (got), __FILE__, __LINE__, (what))
#define REQUIRE(cond, what) Need(static_cast<bool>(cond), __FILE__, __LINE__, (what))
#define NEED(value, what) Need((value), __FILE__, __LINE__, (what))

// Runs `step` to its end or its first failed requirement; false on the latter.
bool Guarded(const std::function<void()>& step);

struct Scenario { const char* name; void (*run)(); };
// Runs those of `list` (ended by a null entry) that `names` name, or all of
// them when there are none, in the list's order: one line each, then the
// summary. `after`, when given, runs after each scenario and counts towards
// it (clearing up what the scenario left). Returns how many failed.
int RunScenarios(const Scenario* list, int count, char** names, const char* what, void (*after)() = nullptr);
// Prints "RESULT OK" or "RESULT FAIL", closes the results file and gives
// the exit code.
int Finish(int failed);

// Screenshots go to DIR\PREFIXname.bmp; the whole screen for a null window.
// A window is taken once it shows painted (a picture of a half-painted one,
// after a while, is still a picture).
void SetArtefacts(const std::string& dir, const std::string& prefix);
bool Shot(HWND hwnd, const std::string& name);

// The file's bytes; empty when it cannot be read.
std::string FileBytes(const std::string& path);
bool FileExists(const std::string& path);
// A new file with the bytes, its folder made first.
bool PutFile(const std::string& path, const std::string& bytes);
// Modify time of a file; 0 when it cannot be read.
ULONGLONG ModifyTime(const std::string& path);

// Values under HKEY_CURRENT_USER. RegText gives a number in decimal (signed),
// a string as it is, and "(none)" when the value is missing or of another type.
std::string RegText(const char* subkey, const char* name);
bool RegSetString(const char* subkey, const char* name, const std::string& value);
bool RegSetDword(const char* subkey, const char* name, DWORD value);

#endif
