#include "update/win32/update_check.h"

#include "common/mystring.h"
#include "common/vendor.h"
#include "common/win32/help_browser.h"
#include "common/win32/http_wininet.h"
#include "common/win32/window.h"
#include "common/win32/worker_thread.h"
#include "update/release_manifest.h"
#include "update/update_rules.h"

namespace {

void Check(HWND owner, std::atomic<int32_t>& state) {
  const VendorServer& server = TheVendorServer();
  if (CheckForUpdate(WinInetHttp(), server.host.GetBuffer(), server.port) == 0) {
    state.store(0);
    return;
  }
  if (!StartUpdater()) {
    int answer = WarningBox(owner,
                            "업데이트 파일 ( update.exe ) 이 손상, 또는 삭제됐습니다.\n\n"
                            "전체 설치 파일을 다시 다운 받겠습니까?\n\n"
                            "[확인]을 클릭하면, 다운로드 사이트로 이동합니다.",
                            MB_OKCANCEL);
    if (answer == IDOK) OpenWebPage(server.downloadPage.GetBuffer(), SW_SHOWMAXIMIZED);
  }
  state.store(1);
}

}  // namespace

bool StartUpdater() {
  CMyString program;
  GetModuleDir(program);
  program += CMyString("update.exe");
  CMyString cmd = ProgramCommandLine(program, "Mirelka");
  // After an update the updater (never updated itself) is older than we
  // are: it learns our version from the environment it inherits, so that it
  // refuses a release older than this one.
  SetEnvironmentVariableA(kVersionVariable, kOwnVersion);
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
  // The state says "running" before the thread exists, so a poll cannot
  // take the 0 of a check that has not begun for its end. The thread runs
  // on alone; nothing waits for it.
  CWorkerThread thread;
  return thread.Start([&state] { state.store(-1); }, [owner, &state] { Check(owner, state); },
                      [&state] { state.store(0); });
}
