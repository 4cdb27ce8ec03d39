// The job's worker thread.
#ifndef TRISEL_WIN32_JOB_THREAD_H
#define TRISEL_WIN32_JOB_THREAD_H

#include "common/mystring.h"
#include "common/win32/worker_thread.h"

// Starts the job of this program run on `worker` with a heap copy of the
// password. The job is marked busy and the dialog's controls are locked here,
// on the dialog's thread, before the worker starts; the worker releases them
// when the job ends. False (and nothing locked) when it could not be started.
bool StartJobThread(CWorkerThread& worker, const CMyString& password);

#endif
