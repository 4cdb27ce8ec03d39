#include "common/win32/worker_thread.h"

#include <memory>
#include <new>
#include <utility>

namespace {

DWORD WINAPI RunWork(LPVOID param) {
  std::unique_ptr<std::function<void()>> work(static_cast<std::function<void()>*>(param));
  (*work)();
  return 0;
}

}  // namespace

bool CWorkerThread::Start(const std::function<void()>& begin, std::function<void()> work,
                          const std::function<void()>& undo) {
  Close();
  std::unique_ptr<std::function<void()>> job(new (std::nothrow)
                                                 std::function<void()>(std::move(work)));
  if (begin) begin();
  DWORD id = 0;
  m_thread = job ? CreateThread(nullptr, 0, RunWork, job.get(), 0, &id) : nullptr;
  if (m_thread == nullptr) {
    if (undo) undo();
    return false;
  }
  job.release();  // the thread owns it now
  return true;
}

void CWorkerThread::Close() {
  if (m_thread != nullptr) CloseHandle(m_thread);
  m_thread = nullptr;
}
