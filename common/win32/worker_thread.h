// A worker thread that a window starts for a long piece of work (Trisel's
// job, Mirelka's cipher run, the updater's downloads).
//
// The work's "busy" state is claimed on the user-interface thread before
// the thread exists: Start runs `begin` (set the busy word, lock the
// controls) right there, and only then starts the thread that runs `work`,
// which releases them at its end. A second click on the run button or a
// close that arrives before the new thread gets to run thus already finds
// the work busy; the thread itself never sets busy.
#ifndef MIRELKA_COMMON_WIN32_WORKER_THREAD_H
#define MIRELKA_COMMON_WIN32_WORKER_THREAD_H

#include <windows.h>

#include <functional>

class CWorkerThread {
 public:
  CWorkerThread() = default;
  // Lets go of the thread's handle; the thread is neither waited for nor
  // stopped (the work's own cancel word does that).
  ~CWorkerThread() { Close(); }
  CWorkerThread(const CWorkerThread&) = delete;
  CWorkerThread& operator=(const CWorkerThread&) = delete;

  // Runs `begin` on the calling thread, then `work` on a new thread. When the
  // thread cannot be started, `undo` runs on the calling thread (to give back
  // what `begin` took) and the result is false. The handle of an earlier
  // thread is let go first.
  bool Start(const std::function<void()>& begin, std::function<void()> work,
             const std::function<void()>& undo);

  // The last thread started, null before the first or after Close.
  HANDLE Handle() const { return m_thread; }
  // Lets go of the handle (the thread runs on).
  void Close();

 private:
  HANDLE m_thread = nullptr;
};

#endif
