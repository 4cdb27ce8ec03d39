#ifndef E2E_DRIVER_SCENARIOS_H
#define E2E_DRIVER_SCENARIOS_H

struct ScenarioEntry {
  const char* name;
  void (*run)();
};

// In the order they run; ended by a null entry. Later ones use what earlier
// ones left (the encrypted files, the stored settings).
extern const ScenarioEntry kScenarios[];

#endif
