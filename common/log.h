// WriteLog: the run logs beside the executable.
//
//   flags (low 8 bits only)   log    file
//   0                         0      <exe path>.log       job log
//   bit 0 set                 1      <exe path>_err.log   error log
//   bit 0 clear, bit 1 set    2      <exe path>_dbg.log   debug log (only
//                                                         when enabled)
//   bit 2 set (0, 1 clear)    close every open log
//
// A log is created afresh (earlier contents dropped) by its first write after
// program start or after a close request, and flushed after every write, so
// the text is on disk when the call returns. Lines are written the way a
// Windows text-mode stream writes them: every LF becomes CR LF, on every
// platform, so the files are the same bytes wherever they were made. A log
// that cannot be opened drops the message; the next write tries again. There
// is no lock: one thread writes the logs at a time.
#ifndef MIRELKA_COMMON_LOG_H
#define MIRELKA_COMMON_LOG_H

enum : int {
  kLogJob = 0,
  kLogError = 1,
  kLogDebug = 2,
  kLogClose = 4,
};

#if defined(__GNUC__)
#define MIRELKA_PRINTF(f, a) __attribute__((format(printf, f, a)))
#else
#define MIRELKA_PRINTF(f, a)
#endif

void WriteLog(int flags, const char* format, ...) MIRELKA_PRINTF(2, 3);
// WriteLog(kLogClose, ...) without a format to warn about.
void CloseLogs();

// Where the logs go: base + ".log", "_err.log", "_dbg.log". The default
// (null or empty) is the full path of the running executable. Closes any
// open log first. A base whose longest log name would not fit in 259 bytes
// writes no log at all.
void SetLogBasePath(const char* base);
// Whether log 2 writes anything. Off at start: Trisel switches it on, Mirelka
// and update leave it off and their debug traces cost nothing.
void SetDebugLogEnabled(bool enabled);

#endif
