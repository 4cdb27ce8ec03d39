#include "trisel/win32/job_thread.h"

#include <windows.h>

#include <cstring>

#include "common/filesystem.h"
#include "common/registry.h"
#include "filecipher/job_state.h"
#include "trisel/job.h"
#include "trisel/win32/app.h"
#include "trisel/win32/win_views.h"

namespace {

// The job of this program run. It outlives single jobs: the folder options
// chosen by one stay for the next after a cancelled options dialog.
CTriselJob& TheJob() {
  static CWinTriselView coderView(App().mainWnd);
  static CWinJobView jobView(App().mainWnd);
  static CWinKeyFileView keyView(App().mainWnd, TheJobState());
  static CWinReportUI reportUI(App().mainWnd);
  static CTriselJob job(RealFileSystem(), RealRegistry(), reportUI, coderView, jobView, keyView,
                        TheJobState());
  static const bool ready = (job.SetCommandLine(App().argc, App().argv), true);
  (void)ready;
  return job;
}

// A heap copy of the typed password, cleared and freed when it has served.
char* CopyPassword(const CMyString& password) {
  char* copy = new char[password.GetLength() + 1];
  std::memcpy(copy, password.GetBuffer(), password.GetLength() + 1);
  return copy;
}

void FreePassword(char* copy, size_t length) {
  SecureZeroMemory(copy, length);
  delete[] copy;
}

}  // namespace

bool StartJobThread(CWorkerThread& worker, const CMyString& password) {
  CTriselJob& job = TheJob();  // built on the dialog's thread, before the worker uses it
  char* copy = CopyPassword(password);
  const size_t length = password.GetLength();
  return worker.Start([&job] { job.Begin(); },
                      [&job, copy, length] {
                        job.Finish(copy);
                        FreePassword(copy, length);
                      },
                      [&job, copy, length] {
                        job.Abandon();
                        FreePassword(copy, length);
                      });
}
