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

// Trisel's stored settings under HKEY_CURRENT_USER (RegText and
// RegSetString of the harness read and write them).
extern const char kBasicKey[];
extern const char kKeycommKey[];

// The scenarios (scenarios.cpp) in the order they run; later ones use what
// earlier ones left (the encrypted files, the stored settings).
struct Scenario;
extern const Scenario kScenarios[];

// Encrypts one file through the dialog and measures the time from the run
// button to the status line (seconds; -1 on failure).
void BenchEncrypt(const std::string& file, double& seconds);

#endif
