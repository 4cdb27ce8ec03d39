// The process-wide state of a Trisel job, as the file coder and its callers
// share it.
//
// One job runs at a time. The job runner resets the counters before the count
// pass, the coder bumps seq and the walk adds up ok/warn/err; the dialog only
// reads them and writes the two cancel words. busy, cancel and cancelKeyFile
// cross threads (each has one writer), so they are atomics read and written
// with relaxed order: a stale read only delays a cancel by one block.
#ifndef MIRELKA_FILECIPHER_JOB_STATE_H
#define MIRELKA_FILECIPHER_JOB_STATE_H

#include <atomic>
#include <cstdint>

// Result codes passed between the reporter, the coder, the walk and the
// job runner, and the job's own result. The values are part of the logs'
// and the console's contract.
enum JobResult : int {
  kResultDone = 0,
  kResultStop = -1,       // stop the whole job (a job: stopped by an error or an answer)
  kResultCancelled = -2,  // cancelled by the user
  kResultSkip = -3,       // this file is skipped, the job goes on
  kResultNoFiles = -4,    // a job: nothing to work on
  kResultOptionsCancelled = -5,  // a job: the user cancelled the folder options
  kResultRetry = 4,       // repeat the failed step
  kResultYesToAll = 10,   // overwrite: yes to all
  kResultNoToAll = 11,    // overwrite: no to all
};

// The job's answers to the overwrite question that hold for the rest of it.
struct OverwriteAll {
  int32_t yesToAll = 0;
  int32_t noToAll = 0;
};

// The per-item counters record of the folder walk; the coder updates it in
// place for every file it is given.
struct JobCounters {
  int32_t count = 0;  // files started
  int32_t ok = 0;
  int32_t warn = 0;
  int32_t err = 0;
};

struct JobState {
  uint32_t total = 0;  // files found by the count pass
  uint32_t seq = 0;    // number of the file being coded, 1 for the first
  uint32_t ok = 0;
  uint32_t warn = 0;
  uint32_t err = 0;
  std::atomic<int32_t> busy{0};           // 1 while a job runs
  std::atomic<int32_t> cancel{0};         // 1 = stop the coding loop
  std::atomic<int32_t> cancelKeyFile{0};  // 1 = stop the key file reader

  // total, seq, ok, warn and err back to 0 (the start of a count pass).
  void ResetCounts();
  // Everything back to 0, the cancel and busy words included (tests).
  void ResetAll();
};

// The one job state of the process. The coder and the reporter take a
// reference to it from their creator, so tests may also use their own.
JobState& TheJobState();

#endif
