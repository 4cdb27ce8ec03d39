#include "filecipher/job_state.h"

void JobState::ResetCounts() {
  total = seq = ok = warn = err = 0;
}

void JobState::ResetAll() {
  ResetCounts();
  busy.store(0, std::memory_order_relaxed);
  cancel.store(0, std::memory_order_relaxed);
  cancelKeyFile.store(0, std::memory_order_relaxed);
}

JobState& TheJobState() {
  static JobState state;
  return state;
}
