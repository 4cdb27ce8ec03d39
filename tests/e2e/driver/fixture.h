// Where the driver finds Trisel and the files the run script prepared.
#ifndef E2E_DRIVER_FIXTURE_H
#define E2E_DRIVER_FIXTURE_H

#include <windows.h>

#include <string>
#include <vector>

struct Fixture {
  std::string work;       // ends without a backslash
  std::string app;        // folder of Trisel.exe
  std::string artefacts;  // screenshots
  std::string Path(const std::string& rel) const { return work + "\\" + rel; }
};

extern Fixture g_fx;

// The command line Explorer's menu builds: every part quoted.
std::string TriselCommand(const std::vector<std::string>& args);

bool FileExists(const std::string& path);
// The file's bytes; empty when it cannot be read.
std::string FileBytes(const std::string& path);
// Modify time of a file; 0 when it cannot be read.
ULONGLONG ModifyTime(const std::string& path);

// Trisel's stored settings under HKEY_CURRENT_USER. RegText gives a
// number in decimal, a string as it is, and "(none)" when the value is
// missing or of another type.
extern const char kBasicKey[];
extern const char kKeycommKey[];
std::string RegText(const char* subkey, const char* name);
bool RegSetString(const char* subkey, const char* name, const std::string& value);

#endif
