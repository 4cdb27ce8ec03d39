#include "common/win32/help_browser.h"

#include <shellapi.h>

#include <cstdio>
#include <cstring>

#include "common/mystring.h"
#include "common/vendor.h"
#include "common/win32/window.h"

namespace {

// The shell's result of 32 or less is a failure, as is WinExec's 31 or less.
bool ShellOpen(const char* file, const char* params, int showCmd) {
  HINSTANCE h = ShellExecuteA(nullptr, "open", file, params, nullptr, showCmd);
  return reinterpret_cast<INT_PTR>(h) > 32;
}

bool OpenInExplorerByName(const char* url, int showCmd) {
  return ShellOpen("iexplore.exe", url, showCmd);
}

}  // namespace

bool OpenHelpPage(HWND owner, const char* page) {
  CMyString cmd("hh.exe ");
  CMyString dir;
  GetModuleDir(dir);
  cmd += dir;
  cmd += CMyString("Mirelka.chm::/");
  cmd += CMyString(page);
  if (WinExec(cmd.GetBuffer(), SW_SHOWMAXIMIZED) > 30) return true;
  int answer = WarningBox(owner,
                          "도움말 파일 ( Mirelka.chm ) 이 손상, 또는 삭제됐습니다.\n\n"
                          "도움말 파일을 다시 다운 받겠습니까?\n\n"
                          "[확인]을 클릭하면, 다운로드 사이트로 이동합니다.",
                          MB_OKCANCEL);
  if (answer == IDOK) OpenWebPage(TheVendorServer().downloadPage.GetBuffer(), SW_SHOWMAXIMIZED);
  return false;
}

bool OpenWebPage(const char* url, int showCmd) {
  if (ShellOpen(url, nullptr, showCmd)) return true;
  return OpenInExplorerByName(url, showCmd);
}

bool OpenWebPageDirect(const char* url, int showCmd) {
  if (ShellOpen(url, nullptr, showCmd)) return true;
  char windir[520] = {};
  UINT n = GetWindowsDirectoryA(windir, sizeof windir);
  if (n >= 2 && n < sizeof windir && windir[1] == ':') {
    windir[2] = 0;
    // The address goes in quotes: it must reach the browser as one argument.
    char cmd[1600];
    int len = std::snprintf(cmd, sizeof cmd,
                            "\"%s\\Program Files\\Internet Explorer\\iexplore.exe\" \"%s\"",
                            windir, url);
    if (len > 0 && static_cast<size_t>(len) < sizeof cmd && WinExec(cmd, showCmd) > 30) return true;
  }
  return OpenInExplorerByName(url, showCmd);
}
