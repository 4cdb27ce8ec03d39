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
#include <iterator>
#include <string>
#include <thread>
#include <vector>

#include "shellext/win32/clsid.h"

int g_failures = 0;
std::string g_dir, g_args;  // the DLL's folder (with its backslash); the stand-in's record

void Check(bool ok, const char* what, const std::string& detail = "") {
  printf("%s %s: %s\n", ok ? "ok  " : "FAIL", what, detail.c_str()), fflush(stdout), g_failures += !ok;
}

const std::string kDllTitle = sizeof(void*) == 8 ? "TriselShell64" : "TriselShell", kDllName = kDllTitle + ".dll";

// A data object holding one wide CF_HDROP list (as NT's Explorer hands it),
// by way of the clipboard.
IDataObject* DropData(const std::vector<std::string>& paths) {
  std::string list(sizeof(DROPFILES), '\0');
  for (const std::string& p : paths) {
    std::vector<WCHAR> w(p.size() + 1);
    int n = MultiByteToWideChar(CP_ACP, 0, p.c_str(), -1, w.data(), static_cast<int>(w.size()));
    list.append(reinterpret_cast<const char*>(w.data()), n * sizeof(WCHAR));
  }
  list.append(2, '\0');
  DROPFILES* drop = reinterpret_cast<DROPFILES*>(&list[0]);
  drop->pFiles = sizeof(DROPFILES), drop->fWide = TRUE;
  HGLOBAL h = GlobalAlloc(GMEM_MOVEABLE, list.size());
  memcpy(GlobalLock(h), list.data(), list.size()), GlobalUnlock(h);
  IDataObject* data = nullptr;
  if (OpenClipboard(nullptr) && EmptyClipboard() && SetClipboardData(CF_HDROP, h) && CloseClipboard())
    OleGetClipboard(&data);
  return data;
}

bool WaitFor(const std::function<bool()>& done, DWORD ms) {
  for (DWORD waited = 0; !done(); waited += 100, Sleep(100))
    if (waited >= ms) return false;
  return true;
}

HRESULT Invoke(IContextMenu* menu, UINT offset) {
  CMINVOKECOMMANDINFO ci = {sizeof(ci), 0, nullptr, MAKEINTRESOURCEA(offset), nullptr, nullptr, SW_SHOWNORMAL, 0, 0};
  return menu->InvokeCommand(&ci);
}

bool ArgsWritten(DWORD ms) {
  return WaitFor([] { return GetFileAttributesA(g_args.c_str()) != INVALID_FILE_ATTRIBUTES; }, ms);
}

// Invokes a command: the stand-in must have been given the line as built.
void CheckRun(IShellExtInit* init, IContextMenu* menu, UINT offset, const std::vector<std::string>& paths) {
  IDataObject* data = DropData(paths);
  const bool taken = data && init->Initialize(nullptr, data, nullptr) == S_OK;
  if (data) data->Release();
  DeleteFileA(g_args.c_str());
  const bool ran = taken && Invoke(menu, offset) == S_OK && ArgsWritten(30000);
  std::ifstream in(g_args, std::ios::binary);
  const std::string line((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  std::string want = "\"" + g_dir + "Trisel.exe\" \"" + (offset == 1 ? "-d" : "-e") + "\"";
  for (const std::string& p : paths) want += " \"" + p + "\"";
  Check(ran && line == want, "selection taken, Trisel.exe started with the command line", line);
}

// The encrypt command must show the extension's failure box and start nothing.
void CheckFailureBox(IContextMenu* menu, const char* label) {
  DeleteFileA(g_args.c_str());
  char text[1024] = "(no box)";
  std::thread watch([&] {
    HWND box = nullptr;
    WaitFor([&] { return (box = FindWindowA("#32770", kDllTitle.c_str())) != nullptr; }, 15000);
    if (box) GetDlgItemTextA(box, 0xFFFF, text, sizeof(text)), PostMessageA(box, WM_COMMAND, IDOK, 0);
  });
  HRESULT hr = Invoke(menu, 0);
  watch.join();
  Check(hr == S_OK && std::string(text).find("[ " + g_dir + "Trisel.exe ] 프로그램 실행에 실패했습니다.") == 0 &&
        !ArgsWritten(1000), label, text);
}

int main() {
  OleInitialize(nullptr);
  auto canUnload = reinterpret_cast<decltype(&DllCanUnloadNow)>(
      reinterpret_cast<void*>(GetProcAddress(LoadLibraryA(kDllName.c_str()), "DllCanUnloadNow")));
  IShellExtInit* init = nullptr;
  IContextMenu* menu = nullptr;
  HRESULT hr = CoCreateInstance(CLSID_TriselShell, nullptr, CLSCTX_INPROC_SERVER, IID_PPV_ARGS(&init));
  if (init) init->QueryInterface(IID_PPV_ARGS(&menu));
  Check(hr == S_OK && menu && canUnload && canUnload() == S_FALSE, "CoCreateInstance; no unloading while it lives");
  if (!menu || !canUnload) return 100;
  char dllPath[MAX_PATH] = "";
  GetModuleFileNameA(GetModuleHandleA(kDllName.c_str()), dllPath, MAX_PATH);
  g_dir.assign(dllPath, strrchr(dllPath, '\\') + 1), g_args = g_dir + "Trisel.args.txt";

  // Two files and a folder with Hangul and blanks (passed on, so they need not exist).
  std::string data = g_dir + "선택 항목\\";
  std::vector<std::string> paths = {data + "한글 문서.txt", data + "보고서 2026.doc", data + "새 폴더"};

  HMENU popup = CreatePopupMenu();
  AppendMenuA(popup, MF_STRING, 1, "열기");
  hr = menu->QueryContextMenu(popup, 1, 100, 200, CMF_NORMAL);
  Check(SUCCEEDED(hr) && HRESULT_CODE(hr) == 2 && GetMenuItemCount(popup) == 3, "two commands inserted");
  DestroyMenu(popup);

  CheckRun(init, menu, 1, paths);
  CheckRun(init, menu, 0, paths);
  // A selection whose command line is longer than a process may be given; then no Trisel.exe.
  std::vector<std::string> many;
  for (int i = 0; i < 200; ++i) many.push_back(data + std::string(180, 'x') + std::to_string(i));
  IDataObject* big = DropData(many);
  init->Initialize(nullptr, big, nullptr);
  CheckFailureBox(menu, "failure box: selection too long for a command line");
  MoveFileA((g_dir + "Trisel.exe").c_str(), (g_dir + "Trisel.away").c_str());
  CheckFailureBox(menu, "failure box: Trisel.exe missing");

  init->Release();
  menu->Release();
  Check(big && big->Release() == 0 && canUnload() == S_OK, "released: data let go, DLL may unload");
  OleUninitialize();
  printf("%d failed\n", g_failures);
  return g_failures;
}
