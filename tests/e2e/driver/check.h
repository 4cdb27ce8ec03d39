// Scenario bookkeeping of the end-to-end driver.
#ifndef E2E_DRIVER_CHECK_H
#define E2E_DRIVER_CHECK_H

#include <string>

// Records a failed expectation of the running scenario and prints it.
void Fail(const char* file, int line, const std::string& what);

#define EXPECT_TRUE_E(cond, what) \
  do {                            \
    if (!(cond)) Fail(__FILE__, __LINE__, std::string(what)); \
  } while (0)
#define EXPECT_EQ_E(want, got, what)                                                      \
  do {                                                                                    \
    const std::string w_ = (want), g_ = (got);                                            \
    if (w_ != g_) Fail(__FILE__, __LINE__, std::string(what) + ": want [" + w_ + "] got [" + g_ + "]"); \
  } while (0)
// Ends the scenario at once when a step it depends on failed.
#define REQUIRE_E(cond, what)                                  \
  do {                                                         \
    if (!(cond)) return Fail(__FILE__, __LINE__, std::string(what)); \
  } while (0)

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
