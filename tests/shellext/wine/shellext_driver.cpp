// Drives the registered TriselShell DLL through COM as Explorer does, with the
// recording stand-in as Trisel.exe beside it (the real program's start from
// a command line is met by Trisel's end-to-end run). Prints one line per check and
// exits with the number of failed checks.
#include <windows.h>
#include <shlobj.h>

#include <cstdio>
#include <cstring>
#include <fstream>
#include <functional>
#include <string>
#include <thread>
#include <vector>

#include "shellext/win32/clsid.h"

namespace {

int g_failures = 0;
std::string g_dir, g_args;  // the DLL's folder (with its backslash); the stand-in's record

void Check(bool ok, const char* what, const std::string& detail = "") {
  printf("%s %s%s%s\n", ok ? "ok  " : "FAIL", what, detail.empty() ? "" : ": ", detail.c_str());
  fflush(stdout);
  g_failures += !ok;
}

#ifdef _WIN64
const char kDllName[] = "TriselShell64.dll", kDllTitle[] = "TriselShell64";
#else
const char kDllName[] = "TriselShell.dll", kDllTitle[] = "TriselShell";
#endif

// A data object holding one CF_HDROP list, ANSI or wide (as NT's Explorer
// hands it), by way of the clipboard.
IDataObject* DropData(const std::vector<std::string>& paths, bool wide) {
  std::string list(sizeof(DROPFILES), '\0');
  for (const std::string& p : paths) {
    std::vector<WCHAR> w(p.size() + 1);
    int n = MultiByteToWideChar(CP_ACP, 0, p.c_str(), -1, w.data(), static_cast<int>(w.size()));
    list += wide ? std::string(reinterpret_cast<const char*>(w.data()), n * sizeof(WCHAR)) : p + '\0';
  }
  list.append(wide ? 2 : 1, '\0');
  DROPFILES* drop = reinterpret_cast<DROPFILES*>(&list[0]);
  drop->pFiles = sizeof(DROPFILES), drop->fWide = wide;
  HGLOBAL h = GlobalAlloc(GMEM_MOVEABLE, list.size());
  memcpy(GlobalLock(h), list.data(), list.size());
  GlobalUnlock(h);
  IDataObject* data = nullptr;
  if (OpenClipboard(nullptr) && EmptyClipboard() && SetClipboardData(CF_HDROP, h) && CloseClipboard())
    OleGetClipboard(&data);
  return data;
}

bool WaitFor(const std::function<bool()>& done, DWORD ms) {
  for (DWORD waited = 0; !done(); waited += 100) {
    if (waited >= ms) return false;
    Sleep(100);
  }
  return true;
}

HRESULT Invoke(IContextMenu* menu, UINT offset) {
  CMINVOKECOMMANDINFO info = {};
  info.cbSize = sizeof(info), info.lpVerb = MAKEINTRESOURCEA(offset), info.nShow = SW_SHOWNORMAL;
  return menu->InvokeCommand(&info);
}

bool ArgsWritten(DWORD ms) {
  return WaitFor([] { return GetFileAttributesA(g_args.c_str()) != INVALID_FILE_ATTRIBUTES; }, ms);
}

// Invokes a command: the stand-in must have been given the line as built and
// parse the paths back from it.
void CheckRun(IShellExtInit* init, IContextMenu* menu, UINT offset, bool wide, const std::vector<std::string>& paths) {
  IDataObject* data = DropData(paths, wide);
  Check(data && init->Initialize(nullptr, data, nullptr) == S_OK, "Initialize with the selection");
  if (data) data->Release();
  DeleteFileA(g_args.c_str());
  Check(Invoke(menu, offset) == S_OK && ArgsWritten(30000), "InvokeCommand starts Trisel.exe");
  std::ifstream in(g_args, std::ios::binary);
  std::vector<std::string> lines;
  for (std::string line; std::getline(in, line);) lines.push_back(line);
  const std::string sw = offset == 1 ? "-d" : "-e";
  std::vector<std::string> want = {"\"" + g_dir + "Trisel.exe\" \"" + sw + "\"", lines.size() > 1 ? lines[1] : "", sw};
  for (const std::string& p : paths) want[0] += " \"" + p + "\"", want.push_back(p);
  Check(lines == want, "command line, and the arguments parsed from it", lines.empty() ? "" : lines[0]);
}

// The encrypt command must show the extension's failure box and start nothing.
void CheckFailureBox(IContextMenu* menu, const char* label) {
  DeleteFileA(g_args.c_str());
  char text[1024] = "(no box)";
  std::thread watch([&] {
    HWND box = nullptr;
    WaitFor([&] { return (box = FindWindowA("#32770", kDllTitle)) != nullptr; }, 15000);
    if (box) GetDlgItemTextA(box, 0xFFFF, text, sizeof(text)), PostMessageA(box, WM_COMMAND, IDOK, 0);
  });
  HRESULT hr = Invoke(menu, 0);
  watch.join();
  Check(hr == S_OK && std::string(text) == "[ " + g_dir + "Trisel.exe ] 프로그램 실행에 실패했습니다.\n"
                                            "해당 프로그램 설치 환경이 변경됐거나, 선택하신 파일이 너무 많습니다.",
        label, text);
  Check(!ArgsWritten(1000), "nothing started", label);
}

}  // namespace

int main() {
  OleInitialize(nullptr);
  auto canUnload = reinterpret_cast<decltype(&DllCanUnloadNow)>(
      reinterpret_cast<void*>(GetProcAddress(LoadLibraryA(kDllName), "DllCanUnloadNow")));
  IShellExtInit* init = nullptr;
  IContextMenu* menu = nullptr;
  HRESULT hr = CoCreateInstance(CLSID_TriselShell, nullptr, CLSCTX_INPROC_SERVER, IID_PPV_ARGS(&init));
  if (init) init->QueryInterface(IID_PPV_ARGS(&menu));
  Check(hr == S_OK && menu && canUnload && canUnload() == S_FALSE, "CoCreateInstance; no unloading while it lives");
  if (!menu || !canUnload) return 100;
  char dllPath[MAX_PATH] = "";
  GetModuleFileNameA(GetModuleHandleA(kDllName), dllPath, MAX_PATH);
  g_dir = dllPath;
  g_dir.erase(g_dir.rfind('\\') + 1);
  g_args = g_dir + "Trisel.args.txt";

  // Two files and a folder with Hangul and blanks (passed on, so they need not exist).
  std::string data = g_dir + "선택 항목\\";
  std::vector<std::string> paths = {data + "한글 문서.txt", data + "보고서 2026.doc", data + "새 폴더"};

  HMENU popup = CreatePopupMenu();
  AppendMenuA(popup, MF_STRING, 1, "열기");
  hr = menu->QueryContextMenu(popup, 1, 100, 200, CMF_NORMAL);
  Check(SUCCEEDED(hr) && HRESULT_CODE(hr) == 2 && GetMenuItemCount(popup) == 3, "two commands inserted");
  for (UINT i = 0; i < 2; ++i) {
    char text[64] = "";
    GetMenuStringA(popup, i + 1, text, sizeof(text), MF_BYPOSITION);
    Check(strcmp(text, i ? "해독 - Trisel" : "암호 - Trisel") == 0 && GetMenuItemID(popup, i + 1) == 100 + i,
          "item text and command id", text);
  }
  DestroyMenu(popup);

  CheckRun(init, menu, 1, false, paths);
  CheckRun(init, menu, 0, true, paths);
  std::string exe = g_dir + "Trisel.exe", away = exe + ".away";
  MoveFileA(exe.c_str(), away.c_str());
  CheckFailureBox(menu, "failure box: Trisel.exe missing");
  MoveFileA(away.c_str(), exe.c_str());
  // A selection whose command line is longer than a process may be given.
  std::vector<std::string> many;
  for (int i = 0; i < 200; ++i) many.push_back(data + std::string(180, 'x') + std::to_string(i));
  IDataObject* big = DropData(many, true);
  init->Initialize(nullptr, big, nullptr);
  CheckFailureBox(menu, "failure box: selection too long for a command line");

  init->Release();
  menu->Release();
  Check(big && big->Release() == 0 && canUnload() == S_OK, "released: data let go, DLL may unload");
  OleUninitialize();
  printf("%d failed\n", g_failures);
  return g_failures;
}
