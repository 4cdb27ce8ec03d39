// WriteLog: the run logs.
//
//   flags (low 8 bits only)   log    file
//   0                         0      <base>.log       job log
//   bit 0 set                 1      <base>_err.log   error log
//   bit 0 clear, bit 1 set    2      <base>_dbg.log   debug log (only when
//                                                     enabled)
//   bit 2 set (0, 1 clear)    close every open log file
//
// Every call goes to the process's one log object (TheRunLog()), which hands
// the formatted text to its two sinks: the files, and a listener that a
// program may set to see each text as it is written (trisel-cli echoes the
// logs on the console that way).
//
// The files lie beside the executable (base = its full path) unless another
// base is set. A file is created afresh (earlier contents dropped) by its
// first write after program start or after a close request, and flushed
// after every write, so the text is on disk when the call returns. Lines are
// written the way a Windows text-mode stream writes them: every LF becomes
// CR LF, on every platform, so the files are the same bytes wherever they
// were made. A file that cannot be opened drops the text; the next write
// tries again. There is no lock: one thread writes the logs at a time.
#ifndef MIRELKA_COMMON_LOG_H
#define MIRELKA_COMMON_LOG_H

#include <cstdarg>
#include <cstddef>
#include <cstdio>
#include <string>

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

// Sees every text written to a log level, as formatted (LF line ends), right
// after the files got it; runs on the writing thread.
class ILogListener {
 public:
  virtual ~ILogListener() = default;
  virtual void LogWritten(int level, const char* text, size_t length) = 0;
};

class CRunLog {
 public:
  CRunLog() = default;
  ~CRunLog() { CloseFiles(); }
  CRunLog(const CRunLog&) = delete;
  CRunLog& operator=(const CRunLog&) = delete;

  // WriteLog's work on this log.
  void Write(int flags, const char* format, va_list args);
  // Closes every open file: the next write to a level starts its file afresh.
  void CloseFiles();

  // Where the files go: base + ".log", "_err.log", "_dbg.log"; null or empty
  // is the full path of the running executable. Closes any open file first.
  // A base whose longest log name would not fit in 259 bytes writes no file.
  void SetFileBase(const char* base);
  // Whether the files are written at all (on at start); the listener sees
  // the texts either way.
  void SetFilesEnabled(bool enabled);
  // Whether log 2 takes anything. Off at start: Trisel switches it on,
  // Mirelka and update leave it off and their debug traces cost nothing.
  void SetDebugEnabled(bool enabled) { m_debugEnabled = enabled; }
  // The listener, or null for none. Not owned.
  void SetListener(ILogListener* listener) { m_listener = listener; }

 private:
  FILE* OpenFile(int level);

  FILE* m_files[3] = {nullptr, nullptr, nullptr};
  std::string m_base;  // empty: beside the executable
  bool m_filesEnabled = true;
  bool m_debugEnabled = false;
  ILogListener* m_listener = nullptr;
};

// The one log of the process, which WriteLog writes to.
CRunLog& TheRunLog();

void WriteLog(int flags, const char* format, ...) MIRELKA_PRINTF(2, 3);

#endif
