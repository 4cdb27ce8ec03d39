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

DWORD WINAPI JobThread(LPVOID param) {
  char* password = static_cast<char*>(param);
  TheJob().Work(password);
  SecureZeroMemory(password, std::strlen(password));
  delete[] password;
  return 0;
}

}  // namespace

bool StartJobThread(const CMyString& password) {
  TheJob();  // built on the dialog's thread, before the worker uses it
  char* copy = new char[password.GetLength() + 1];
  std::memcpy(copy, password.GetBuffer(), password.GetLength() + 1);
  CTriselApp& app = App();
  if (app.jobThread != nullptr) {
    CloseHandle(app.jobThread);
    app.jobThread = nullptr;
  }
  DWORD id = 0;
  app.jobThread = CreateThread(nullptr, 0, JobThread, copy, 0, &id);
  if (app.jobThread == nullptr) {
    SecureZeroMemory(copy, password.GetLength());
    delete[] copy;
    return false;
  }
  return true;
}
