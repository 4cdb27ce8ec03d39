// Scenario bookkeeping of the end-to-end driver.
#ifndef E2E_DRIVER_CHECK_H
#define E2E_DRIVER_CHECK_H

#include <string>

// Records a failed expectation of the running scenario and prints it.
void Fail(const char* file, int line, const std::string& what);

// Records a failure unless the strings are equal.
void ExpectEq(const std::string& want, const std::string& got, const char* file, int line,
              const std::string& what);

#define EXPECT_TRUE_E(cond, what) ((cond) ? void() : Fail(__FILE__, __LINE__, (what)))
#define EXPECT_EQ_E(want, got, what) ExpectEq((want), (got), __FILE__, __LINE__, (what))
// Ends the scenario at once when a step it depends on failed (the driver
// catches the ScenarioAbort and goes on with the next scenario).
struct ScenarioAbort {};
// The value (a window, say) when it is set; else the scenario ends.
template <typename T>
T Need(T value, const char* file, int line, const std::string& what) {
  if (!value) Fail(file, line, what);
  if (!value) throw ScenarioAbort();
  return value;
}
#define NEED_E(value, what) Need((value), __FILE__, __LINE__, (what))
#define REQUIRE_E(cond, what) Need(static_cast<bool>(cond), __FILE__, __LINE__, (what))

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
