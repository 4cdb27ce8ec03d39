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
  std::string Trisel() const { return app + "\\Trisel.exe"; }
};

extern Fixture g_fx;

// The command line Explorer's menu builds: every part quoted.
std::string TriselCommand(const std::vector<std::string>& args);

bool FileExists(const std::string& path);
bool ReadFileBytes(const std::string& path, std::string& out);
bool WriteFileBytes(const std::string& path, const std::string& bytes);
// Modify time of a file; 0 when it cannot be read.
ULONGLONG ModifyTime(const std::string& path);

bool RegDword(const char* subkey, const char* name, DWORD& out);
bool RegString(const char* subkey, const char* name, std::string& out);
void RegClearTrisel();
bool RegSetString(const char* subkey, const char* name, const std::string& value);

extern const char kBasicKey[];
extern const char kKeycommKey[];

#endif
