#include "update/win32/updater_dialog.h"

#include <commctrl.h>

#include <string>

#include "common/filesystem.h"
#include "common/log.h"
#include "common/mystring.h"
#include "common/vendor.h"
#include "common/win32/dialog.h"
#include "common/win32/help_browser.h"
#include "common/win32/http_wininet.h"
#include "common/win32/window.h"
#include "update/update_rules.h"
#include "update/updater.h"
#include "update/win32/cng_crypto.h"
#include "update/win32/resource.h"

namespace {

enum : UINT {
  UM_RUN_UPDATE = WM_USER + 1,
  UM_END_DIALOG = WM_USER + 2,
};
enum : UINT_PTR { TIMER_START = 1, TIMER_END = 2 };

const char kTitle[] = "Mirelka 자동 업데이트";
const int kProgressIds[] = {IDC_FILE_BAR, IDC_FILES_BAR, IDC_FILE_NAME, IDC_COUNTER};

// The vendor's public key compiled into this program; false when it is
// missing or unreadable (every release is then refused).
bool LoadVendorKey(uint8_t key[kP256KeySize]) {
  HRSRC res = FindResourceA(nullptr, MAKEINTRESOURCEA(IDR_VENDOR_KEY), MAKEINTRESOURCEA(10));  // RT_RCDATA
  HGLOBAL data = res ? LoadResource(nullptr, res) : nullptr;
  const char* pem = data ? static_cast<const char*>(LockResource(data)) : nullptr;
  return pem && PublicKeyFromPem(std::string(pem, SizeofResource(nullptr, res)), key);
}

// The debug trace (the download's progress, why a release was refused)
// goes to the system's debugger output, where a debugger or a viewer of
// that output shows it; the program writes no log file.
class CDebugOutput : public ILogListener {
 public:
  void LogWritten(int level, const char* text, size_t) override {
    if (level == kLogDebug) OutputDebugStringA(text);
  }
};

// The one dialog of the program and what its handlers share.
class CUpdaterDialog : public CDialog, public IUpdaterView {
 public:
  explicit CUpdaterDialog(bool allowed) : m_allowed(allowed) {}

  // IUpdaterView
  void ShowMessage(const char* text) override {
    for (int id : kProgressIds) ShowWindow(GetDlgItem(Handle(), id), SW_HIDE);
    SetDlgItemTextA(Handle(), IDC_MESSAGE, text);
    ShowWindow(GetDlgItem(Handle(), IDC_MESSAGE), SW_SHOW);
  }
  void ShowProgress(int count) override {
    SendDlgItemMessageA(Handle(), IDC_FILES_BAR, PBM_SETRANGE32, 0, count);
    SetWindowTextA(Handle(), kTitle);
    ShowWindow(GetDlgItem(Handle(), IDC_MESSAGE), SW_HIDE);
    for (int id : kProgressIds) ShowWindow(GetDlgItem(Handle(), id), SW_SHOW);
  }
  void StartFile(int number, int, const char* counterText, const char* name) override {
    SetDlgItemTextA(Handle(), IDC_COUNTER, counterText);
    SendDlgItemMessageA(Handle(), IDC_FILES_BAR, PBM_SETPOS, static_cast<WPARAM>(number), 0);
    SetDlgItemTextA(Handle(), IDC_FILE_NAME, name);
    SendDlgItemMessageA(Handle(), IDC_FILE_BAR, PBM_SETPOS, 0, 0);
    m_filePos = -1;
  }
  void FileProgress(uint64_t position, uint64_t total) override {
    // The bar takes a 32-bit signed range: large files are shown in
    // proportion, in units of 2^shift bytes.
    int shift = 0;
    while ((total >> shift) > 0x7FFFFFFF) ++shift;
    LPARAM range = static_cast<LPARAM>(total >> shift);
    if (range != m_fileRange) {
      SendDlgItemMessageA(Handle(), IDC_FILE_BAR, PBM_SETRANGE32, 0, range);
      m_fileRange = range;
      m_filePos = -1;
    }
    // Every move repaints the bar, which costs more than reading a chunk:
    // the bar moves in steps of a thousandth.
    LPARAM pos = static_cast<LPARAM>(position >> shift);
    if (m_filePos < 0 || pos == range || pos - m_filePos >= range / 1000) {
      SendDlgItemMessageA(Handle(), IDC_FILE_BAR, PBM_SETPOS, static_cast<WPARAM>(pos), 0);
      m_filePos = pos;
    }
  }
  bool CancelRequested() override {
    MSG msg;
    if (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE) && !IsDialogMessageA(Handle(), &msg)) {
      TranslateMessage(&msg);
      DispatchMessageA(&msg);
    }
    if (!m_cancel) return false;
    m_cancel = false;
    return true;
  }
  void SetDownloading(bool downloading) override {
    m_downloading = downloading;
    if (!downloading) m_cancel = false;
  }
  bool MirelkaRunning() override { return FindWindowA("Mirelka", nullptr) != nullptr; }
  bool AskRetryWhileMirelkaRuns() override {
    return MessageBoxA(Handle(),
                       "Mirelka 프로그램이 현재 실행 중입니다.\n(트레이 아이콘을 확인하십시오.)\n\n"
                       "실행 중인 Mirelka 프로그램을 종료하고, [다시 시도] 버튼을 클릭하십시오.",
                       kWarningCaption, MB_RETRYCANCEL) == IDRETRY;
  }

 protected:
  INT_PTR HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) override;

 private:
  BOOL OnInit();
  void OnRun();
  void OnButton();
  int AfterRun(int r);
  int RestartMirelka();
  void OpenDownloadPage();

  bool m_allowed;
  bool m_ran = false;          // the run has ended; buttons only close
  bool m_downloading = false;  // a download loop is reading
  bool m_cancel = false;       // Cancel was pressed during it
  LPARAM m_fileRange = -1;
  LPARAM m_filePos = -1;  // where the bytes bar was last set
};

BOOL CUpdaterDialog::OnInit() {
  if (!m_allowed) {
    WarningBox(Handle(), "Mirelka 자동 업데이트 프로그램입니다.\n수동으로는 실행할 수 없습니다.");
    EndDialog(Handle(), 0);
    return TRUE;
  }
  CenterWindow(Handle(), nullptr);
  SetWindowPos(Handle(), HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
  ShowMessage("Mirelka 자동 업데이트를 준비 중입니다 . . .");
  SetTimer(Handle(), TIMER_START, 100, nullptr);
  return TRUE;
}

void CUpdaterDialog::OnRun() {
  const VendorServer& server = TheVendorServer();
  UpdaterSetup setup;
  setup.fs = &RealFileSystem();
  setup.http = &WinInetHttp();
  setup.view = this;
  setup.host = server.host.GetBuffer();
  setup.port = server.port;
  GetModuleDir(setup.dir);
  CCngCrypto crypto;
  uint8_t key[kP256KeySize];
  setup.crypto = &crypto;
  setup.vendorKey = LoadVendorKey(key) ? key : nullptr;
  char reported[32] = "";
  DWORD n = GetEnvironmentVariableA(kVersionVariable, reported, sizeof reported);
  if (n == 0 || n >= sizeof reported) reported[0] = 0;
  std::string installed = InstalledVersion(reported);
  WriteLog(kLogDebug, "installed version %s (Mirelka says %s, the updater is %s)\n", installed.c_str(),
           reported[0] ? reported : "nothing", kOwnVersion);
  setup.installedVersion = installed.c_str();
  int r = AfterRun(RunUpdate(setup));
  m_ran = true;
  ShowWindow(GetDlgItem(Handle(), IDCANCEL), SW_HIDE);
  ShowMessage(r == 0 ? "설치가 완료됐습니다. 프로그램을 다시 시작합니다 . . ."
                     : "설치가 중지됐습니다.  업데이트를 종료합니다 . . .");
  SetTimer(Handle(), TIMER_END, r == kUpdateFailed ? 500 : 700, nullptr);
}

int CUpdaterDialog::AfterRun(int r) {
  if (r == kUpdateDone) {
    ShowMessage("설치가 완료됐습니다. 프로그램을 다시 시작합니다 . . .");
    return RestartMirelka();
  }
  if (r == kUpdateFailed) {
    int answer = WarningBox(
        Handle(),
        "자동 업데이트에 실패했습니다.\n\n"
        "Trisel(Trisel) 프로그램이나, 탐색기(Explorer)가 실행 중이면,\n"
        "모두 종료하고, Mirelka 프로그램을 다시 기동하십시오.\n\n"
        "[예]       이미 설치된 프로그램을 기동합니다.\n"
        "[아니오] 전체 설치를 위해 다운로드 사이트로 이동합니다.\n"
        "[취소]    자동 업데이트 프로그램을 종료합니다.",
        MB_YESNOCANCEL);
    if (answer == IDYES) RestartMirelka();
    if (answer == IDNO) OpenDownloadPage();
    return r;
  }
  if (WarningBox(Handle(), "자동 업데이트가 취소되었습니다.\n\n[확인]을 클릭하면, 이미 설치된 프로그램이 다시 시작됩니다.",
                 MB_OKCANCEL) == IDOK) {
    RestartMirelka();
  }
  return r;
}

int CUpdaterDialog::RestartMirelka() {
  CMyString program;
  GetModuleDir(program);
  program += CMyString("Mirelka.exe");
  CMyString cmd = ProgramCommandLine(program, "noupdate");
  STARTUPINFOA si = {};
  si.cb = sizeof si;
  si.dwFlags = STARTF_USESHOWWINDOW;
  si.wShowWindow = SW_SHOW;
  PROCESS_INFORMATION pi = {};
  if (CreateProcessA(nullptr, cmd.GetBuffer(), nullptr, nullptr, TRUE, 0, nullptr, nullptr, &si, &pi)) {
    CloseHandle(pi.hThread);
    CloseHandle(pi.hProcess);
    return 0;
  }
  int answer = MessageBoxA(Handle(),
                           "( Mirelka.exe ) 프로그램 실행에 실패했습니다.\n파일이 손상, 또는 삭제됐습니다.\n\n"
                           "최신 판(version)의 전체 설치 파일을 다운 받겠습니까?\n\n"
                           "[확인]을 클릭하면, 다운로드 사이트로 이동합니다.",
                           kErrorCaption, MB_OKCANCEL | MB_ICONWARNING);
  if (answer != IDOK) return kUpdateCancelled;
  OpenWebPage(TheVendorServer().downloadPage.GetBuffer(), SW_SHOWMAXIMIZED);
  return kUpdateFailed;
}

void CUpdaterDialog::OpenDownloadPage() {
  OpenWebPageDirect(TheVendorServer().downloadPage.GetBuffer(), SW_SHOWNORMAL);
}

void CUpdaterDialog::OnButton() {
  if (m_downloading) {
    m_cancel = true;
    return;
  }
  // Once the run has ended Mirelka was restarted (or the user chose not
  // to): a key pressed during the last message must not start it twice.
  if (!m_ran) RestartMirelka();
  EndDialog(Handle(), 0);
}

INT_PTR CUpdaterDialog::HandleMessage(UINT msg, WPARAM wParam, LPARAM) {
  switch (msg) {
    case WM_INITDIALOG: return OnInit();
    case WM_TIMER:
      KillTimer(Handle(), wParam);
      PostMessageA(Handle(), wParam == TIMER_START ? UM_RUN_UPDATE : UM_END_DIALOG, 0, 0);
      return TRUE;
    case UM_RUN_UPDATE:
      OnRun();
      return TRUE;
    case UM_END_DIALOG:
      EndDialog(Handle(), 0);
      return TRUE;
    case WM_COMMAND:
      if (LOWORD(wParam) != IDOK && LOWORD(wParam) != IDCANCEL) return FALSE;
      OnButton();
      return TRUE;
    case WM_DESTROY:
      TheRunLog().CloseFiles();
      return FALSE;
    default: return FALSE;
  }
}

}  // namespace

int RunUpdaterDialog(HINSTANCE instance, bool allowed) {
  INITCOMMONCONTROLSEX icc = {sizeof icc, ICC_PROGRESS_CLASS};
  InitCommonControlsEx(&icc);
  CDebugOutput trace;
  CRunLog& log = TheRunLog();
  log.SetFilesEnabled(false);
  log.SetDebugEnabled(true);
  log.SetListener(&trace);
  CUpdaterDialog dialog(allowed);
  int rc = static_cast<int>(dialog.RunModal(instance, IDD_UPDATE, nullptr));
  log.SetListener(nullptr);
  return rc;
}
