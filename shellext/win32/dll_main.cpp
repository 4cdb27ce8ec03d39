// Entry point and the four exports of the COM in-process server.
#include <windows.h>
#include <olectl.h>

#include <new>
#include <vector>

#include "shellext/registration.h"
#include "shellext/win32/class_factory.h"
#include "shellext/win32/clsid.h"
#include "shellext/win32/module.h"
#include "shellext/win32/win_shell_registry.h"

HINSTANCE g_hModule = nullptr;

namespace {

volatile LONG g_liveObjects = 0;

void ClsidText(char* out, int size) {
  WCHAR wide[64];
  out[0] = 0;
  if (StringFromGUID2(CLSID_TriselShell, wide, 64) > 0) {
    WideCharToMultiByte(CP_ACP, 0, wide, -1, out, size, nullptr, nullptr);
  }
}

bool IsNtPlatform() {
  OSVERSIONINFOA info;
  ZeroMemory(&info, sizeof(info));
  info.dwOSVersionInfoSize = sizeof(info);
  if (!GetVersionExA(&info)) return false;
  return info.dwPlatformId == VER_PLATFORM_WIN32_NT;
}

}  // namespace

void ModuleObjectCreated() { InterlockedIncrement(&g_liveObjects); }
void ModuleObjectDestroyed() { InterlockedDecrement(&g_liveObjects); }
LONG ModuleLiveObjects() { return InterlockedCompareExchange(&g_liveObjects, 0, 0); }

void GetDllPath(CMyString& out) {
  char path[MAX_PATH];
  DWORD n = GetModuleFileNameA(g_hModule, path, MAX_PATH);
  if (n == 0 || n >= MAX_PATH) path[0] = 0;
  out = CMyString(path);
}

extern "C" BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID) {
  if (reason == DLL_PROCESS_ATTACH) {
    g_hModule = instance;
    DisableThreadLibraryCalls(instance);
  }
  return TRUE;
}

STDAPI DllGetClassObject(REFCLSID clsid, REFIID iid, LPVOID* out) {
  if (!out) return E_POINTER;
  *out = nullptr;
  if (!IsEqualCLSID(clsid, CLSID_TriselShell)) return CLASS_E_CLASSNOTAVAILABLE;
  CShellExtClassFactory* factory = new (std::nothrow) CShellExtClassFactory();
  if (!factory) return E_OUTOFMEMORY;
  // The factory starts at 0; a failed QueryInterface leaves it unowned.
  factory->AddRef();
  HRESULT hr = factory->QueryInterface(iid, out);
  factory->Release();
  return hr;
}

STDAPI DllCanUnloadNow() { return ModuleLiveObjects() == 0 ? S_OK : S_FALSE; }

STDAPI DllRegisterServer() {
  char clsid[64];
  ClsidText(clsid, sizeof(clsid));
  CMyString dll;
  GetDllPath(dll);
  std::vector<CShellRegRow> rows;
  BuildRegisterRows(clsid, dll.GetBuffer(), IsNtPlatform(), rows);
  CWinShellRegistry reg;
  return RegisterShellExt(reg, rows) == 0 ? S_OK : SELFREG_E_CLASS;
}

STDAPI DllUnregisterServer() {
  char clsid[64];
  ClsidText(clsid, sizeof(clsid));
  CWinShellRegistry reg;
  return UnregisterShellExt(reg, clsid, IsNtPlatform()) == 0 ? S_OK : SELFREG_E_CLASS;
}
