// The job's worker thread.
#ifndef TRISEL_WIN32_JOB_THREAD_H
#define TRISEL_WIN32_JOB_THREAD_H

#include "common/mystring.h"

// Starts JobThread with a heap copy of the password; the thread locks the
// dialog's buttons itself. False when the thread could not be started.
bool StartJobThread(const CMyString& password);

#endif
