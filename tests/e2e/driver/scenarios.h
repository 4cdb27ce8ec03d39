#ifndef E2E_DRIVER_SCENARIOS_H
#define E2E_DRIVER_SCENARIOS_H

#include <string>

struct ScenarioEntry {
  const char* name;
  void (*run)();
};

// In the order they run; ended by a null entry. Later ones use what earlier
// ones left (the encrypted files, the stored settings).
extern const ScenarioEntry kScenarios[];

// Encrypts one file through the dialog and measures the time from the run
// button to the status line (seconds; -1 on failure).
void BenchEncrypt(const std::string& file, double& seconds);

#endif
