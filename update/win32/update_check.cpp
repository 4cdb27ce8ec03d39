#include "update/win32/update_check.h"

#include <new>

#include "common/mystring.h"
#include "common/vendor.h"
#include "common/win32/help_browser.h"
#include "common/win32/http_wininet.h"
#include "update/update_rules.h"

namespace {

struct CheckJob {
  HWND owner;
  std::atomic<int32_t>* state;
};

DWORD WINAPI CheckThread(LPVOID param) {
  CheckJob job = *static_cast<CheckJob*>(param);
  delete static_cast<CheckJob*>(param);
  const VendorServer& server = TheVendorServer();
  if (CheckForUpdate(WinInetHttp(), server.host.GetBuffer(), server.port) == 0) {
    job.state->store(0);
    return 0;
  }
  if (!StartUpdater()) {
    int answer = MessageBoxA(job.owner,
                             "업데이트 파일 ( update.exe ) 이 손상, 또는 삭제됐습니다.\n\n"
                             "전체 설치 파일을 다시 다운 받겠습니까?\n\n"
                             "[확인]을 클릭하면, 다운로드 사이트로 이동합니다.",
                             "경고", MB_OKCANCEL | MB_ICONEXCLAMATION);
    if (answer == IDOK) OpenWebPage(server.downloadPage.GetBuffer(), SW_SHOWMAXIMIZED);
  }
  job.state->store(1);
  return 0;
}

}  // namespace

bool StartUpdater() {
  CMyString program;
  GetModuleDir(program);
  program += CMyString("update.exe");
  CMyString cmd = ProgramCommandLine(program, "Mirelka");
  STARTUPINFOA si = {};
  si.cb = sizeof si;
  si.dwFlags = STARTF_USESHOWWINDOW;
  si.wShowWindow = SW_SHOW;
  PROCESS_INFORMATION pi = {};
  if (!CreateProcessA(nullptr, cmd.GetBuffer(), nullptr, nullptr, TRUE, 0, nullptr, nullptr, &si, &pi)) return false;
  CloseHandle(pi.hThread);
  CloseHandle(pi.hProcess);
  return true;
}

bool BeginUpdateCheck(HWND owner, std::atomic<int32_t>& state) {
  // Running before the thread exists, so a poll cannot take the 0 of a
  // check that has not begun for its end.
  state.store(-1);
  CheckJob* job = new (std::nothrow) CheckJob{owner, &state};
  HANDLE thread = job ? CreateThread(nullptr, 0, CheckThread, job, 0, nullptr) : nullptr;
  if (!thread) {
    delete job;
    state.store(0);
    return false;
  }
  CloseHandle(thread);
  return true;
}
