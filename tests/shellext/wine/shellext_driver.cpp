// Drives the registered TriselShell DLL through COM the way Explorer does:
// create, initialise with a selection, fill a popup menu, ask for the
// command strings, invoke both commands, and check the module's unload
// answer. Usage: shellext_driver stub|real
//   stub  Trisel.exe beside the DLL is the recording stand-in: the exact
//         command line and parsed arguments are checked.
//   real  Trisel.exe is the real program: its main window must appear with
//         the mode's title.
// Prints one line per check and exits with the number of failed checks.
#include <windows.h>
#include <shellapi.h>
#include <shlobj.h>

#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "shellext/win32/clsid.h"

namespace {

int g_failures = 0;

void Check(bool ok, const char* what, const std::string& detail = "") {
  printf("%s %s%s%s\n", ok ? "ok  " : "FAIL", what, detail.empty() ? "" : ": ", detail.c_str());
  fflush(stdout);
  if (!ok) ++g_failures;
}

std::string Hex(HRESULT hr) {
  char buf[16];
  snprintf(buf, sizeof(buf), "0x%08lX", static_cast<unsigned long>(hr));
  return buf;
}

#ifdef _WIN64
const char kDllName[] = "TriselShell64.dll";
const char kDllTitle[] = "TriselShell64";
#else
const char kDllName[] = "TriselShell.dll";
const char kDllTitle[] = "TriselShell";
#endif

// A data object holding one CF_HDROP list, ANSI or wide (as NT's Explorer
// hands it), built fresh for each GetData.
class CDropData : public IDataObject {
 public:
  CDropData(const std::vector<std::string>& paths, bool wide, bool hasDrop)
      : m_refs(1), m_paths(paths), m_wide(wide), m_hasDrop(hasDrop) {}
  ULONG Refs() const { return m_refs; }

  STDMETHODIMP QueryInterface(REFIID iid, void** out) override {
    if (IsEqualIID(iid, IID_IUnknown) || IsEqualIID(iid, IID_IDataObject)) {
      *out = static_cast<IDataObject*>(this);
      AddRef();
      return S_OK;
    }
    *out = nullptr;
    return E_NOINTERFACE;
  }
  STDMETHODIMP_(ULONG) AddRef() override { return ++m_refs; }
  STDMETHODIMP_(ULONG) Release() override { return --m_refs; }  // lives on the stack

  STDMETHODIMP GetData(FORMATETC* format, STGMEDIUM* medium) override {
    if (QueryGetData(format) != S_OK) return DV_E_FORMATETC;
    std::vector<char> list(sizeof(DROPFILES));
    for (const std::string& p : m_paths) {
      if (m_wide) {
        int n = MultiByteToWideChar(CP_ACP, 0, p.c_str(), -1, nullptr, 0);
        std::vector<WCHAR> w(n);
        MultiByteToWideChar(CP_ACP, 0, p.c_str(), -1, w.data(), n);
        const char* b = reinterpret_cast<const char*>(w.data());
        list.insert(list.end(), b, b + n * sizeof(WCHAR));
      } else {
        list.insert(list.end(), p.c_str(), p.c_str() + p.size() + 1);
      }
    }
    list.insert(list.end(), m_wide ? 2 : 1, 0);
    DROPFILES* drop = reinterpret_cast<DROPFILES*>(list.data());
    memset(drop, 0, sizeof(*drop));
    drop->pFiles = sizeof(DROPFILES);
    drop->fWide = m_wide;
    HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, list.size());
    memcpy(GlobalLock(memory), list.data(), list.size());
    GlobalUnlock(memory);
    medium->tymed = TYMED_HGLOBAL;
    medium->hGlobal = memory;
    medium->pUnkForRelease = nullptr;
    return S_OK;
  }
  STDMETHODIMP QueryGetData(FORMATETC* f) override {
    return m_hasDrop && f->cfFormat == CF_HDROP && (f->tymed & TYMED_HGLOBAL) ? S_OK
                                                                            : DV_E_FORMATETC;
  }
  STDMETHODIMP GetDataHere(FORMATETC*, STGMEDIUM*) override { return E_NOTIMPL; }
  STDMETHODIMP GetCanonicalFormatEtc(FORMATETC*, FORMATETC*) override { return E_NOTIMPL; }
  STDMETHODIMP SetData(FORMATETC*, STGMEDIUM*, BOOL) override { return E_NOTIMPL; }
  STDMETHODIMP EnumFormatEtc(DWORD, IEnumFORMATETC**) override { return E_NOTIMPL; }
  STDMETHODIMP DAdvise(FORMATETC*, DWORD, IAdviseSink*, DWORD*) override { return E_NOTIMPL; }
  STDMETHODIMP DUnadvise(DWORD) override { return E_NOTIMPL; }
  STDMETHODIMP EnumDAdvise(IEnumSTATDATA**) override { return E_NOTIMPL; }

 private:
  ULONG m_refs;
  std::vector<std::string> m_paths;
  bool m_wide;
  bool m_hasDrop;
};

std::string g_dir;  // the DLL's folder, with a backslash at the end

std::string ArgsFile() { return g_dir + "Trisel.args.txt"; }

std::vector<std::string> ReadLines(const std::string& path) {
  std::vector<std::string> lines;
  FILE* f = fopen(path.c_str(), "rb");
  if (!f) return lines;
  std::string line;
  int c;
  while ((c = fgetc(f)) != EOF) {
    if (c == '\n') {
      lines.push_back(line);
      line.clear();
    } else {
      line += static_cast<char>(c);
    }
  }
  fclose(f);
  return lines;
}

bool WaitForFile(const std::string& path, DWORD ms) {
  for (DWORD waited = 0; waited < ms; waited += 100) {
    if (GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES) return true;
    Sleep(100);
  }
  return false;
}

HWND WaitForWindow(const char* cls, const char* title, DWORD ms) {
  for (DWORD waited = 0; waited < ms; waited += 100) {
    HWND hwnd = FindWindowA(cls, title);
    if (hwnd) return hwnd;
    Sleep(100);
  }
  return nullptr;
}

// Closes a program's window and waits until its process has gone.
void CloseAndWait(HWND hwnd) {
  DWORD pid = 0;
  GetWindowThreadProcessId(hwnd, &pid);
  HANDLE process = OpenProcess(SYNCHRONIZE, FALSE, pid);
  PostMessageA(hwnd, WM_CLOSE, 0, 0);
  if (process) {
    WaitForSingleObject(process, 10000);
    CloseHandle(process);
  }
}

HRESULT Invoke(IContextMenu* menu, LPCSTR verb) {
  CMINVOKECOMMANDINFO info;
  memset(&info, 0, sizeof(info));
  info.cbSize = sizeof(info);
  info.lpVerb = verb;
  info.nShow = SW_SHOWNORMAL;
  return menu->InvokeCommand(&info);
}

void CheckMenu(IContextMenu* menu) {
  HRESULT hr = menu->QueryContextMenu(nullptr, 0, 100, 200, CMF_NORMAL);
  Check(SUCCEEDED(hr) && HRESULT_CODE(hr) == 0, "QueryContextMenu without a menu adds nothing",
        Hex(hr));

  HMENU popup = CreatePopupMenu();
  AppendMenuA(popup, MF_STRING, 1, "열기");
  hr = menu->QueryContextMenu(popup, 1, 100, 200, CMF_NORMAL);
  Check(SUCCEEDED(hr) && HRESULT_CODE(hr) == 2, "QueryContextMenu reports two commands", Hex(hr));
  Check(GetMenuItemCount(popup) == 3, "two items inserted");
  const char* texts[2] = {"암호 - Trisel", "해독 - Trisel"};
  for (UINT i = 0; i < 2; ++i) {
    char text[64] = "";
    GetMenuStringA(popup, i + 1, text, sizeof(text), MF_BYPOSITION);
    Check(strcmp(text, texts[i]) == 0, "item text", text);
    Check(GetMenuItemID(popup, i + 1) == 100 + i, "item command id");
    MENUITEMINFOA mii;
    memset(&mii, 0, sizeof(mii));
    mii.cbSize = sizeof(mii);
    mii.fMask = MIIM_CHECKMARKS;
    GetMenuItemInfoA(popup, i + 1, TRUE, &mii);
    BITMAP bm;
    memset(&bm, 0, sizeof(bm));
    bool has = mii.hbmpChecked && mii.hbmpChecked == mii.hbmpUnchecked &&
               GetObjectA(mii.hbmpChecked, sizeof(bm), &bm) == sizeof(bm);
    Check(has && bm.bmWidth == 13 && bm.bmHeight == 13, "item bitmap 13 x 13 for both states");
  }
  DestroyMenu(popup);

  HMODULE dll = GetModuleHandleA(kDllName);
  HRSRC res = FindResourceA(dll, MAKEINTRESOURCEA(129), MAKEINTRESOURCEA(2) /* RT_BITMAP */);
  const BITMAPINFOHEADER* header =
      res ? static_cast<const BITMAPINFOHEADER*>(LockResource(LoadResource(dll, res))) : nullptr;
  Check(header && header->biWidth == 13 && header->biHeight == 13 && header->biBitCount == 4,
        "bitmap resource 129 is 13 x 13 with 16 colours");
}

void CheckCommandStrings(IContextMenu* menu) {
  struct Case { UINT_PTR offset; UINT type; const char* text; };
  const Case cases[] = {
      {0, GCS_VERBA, "Operation1"},
      {1, GCS_VERBA, "Operation2"},
      {5, GCS_VERBA, "TriselShell"},
      {0, GCS_HELPTEXTA, "Do something to the selected file(s)"},
      {1, GCS_HELPTEXTA, "Do something else to the selected file(s)"},
      {5, GCS_HELPTEXTA, "TriselShell"},
  };
  for (const Case& c : cases) {
    char buf[64];
    memset(buf, 0x55, sizeof(buf));
    HRESULT hr = menu->GetCommandString(c.offset, c.type, nullptr, buf, 60);
    bool zeroed = true;
    for (size_t i = strlen(c.text); i < 60; ++i) zeroed = zeroed && buf[i] == 0;
    Check(hr == S_OK && strcmp(buf, c.text) == 0 && zeroed && buf[60] == 0x55,
          "GetCommandString ANSI", c.text);

    WCHAR wide[64];
    memset(wide, 0x55, sizeof(wide));
    UINT wideType = c.type == GCS_VERBA ? GCS_VERBW : GCS_HELPTEXTW;
    hr = menu->GetCommandString(c.offset, wideType, nullptr, reinterpret_cast<LPSTR>(wide), 60);
    char back[64] = "";
    WideCharToMultiByte(CP_ACP, 0, wide, -1, back, sizeof(back), nullptr, nullptr);
    Check(hr == S_OK && strcmp(back, c.text) == 0 && wide[59] == 0 && wide[60] == 0x5555,
          "GetCommandString wide", c.text);
  }
  char small[8];
  memset(small, 0x55, sizeof(small));
  menu->GetCommandString(0, GCS_VERBA, nullptr, small, 5);
  Check(strcmp(small, "Oper") == 0 && small[5] == 0x55, "short buffer cut and terminated", small);
  memset(small, 0x55, sizeof(small));
  HRESULT hr = menu->GetCommandString(0, GCS_VALIDATEA, nullptr, small, 8);
  Check(hr == S_OK && small[0] == 0x55, "validation request leaves the buffer alone");
}

// Invokes a command with the stand-in and compares what it was started with.
void CheckStubRun(IContextMenu* menu, UINT offset, const std::vector<std::string>& paths,
                  const char* label) {
  DeleteFileA(ArgsFile().c_str());
  HRESULT hr = Invoke(menu, MAKEINTRESOURCEA(offset));
  const char* sw = offset == 1 ? "-d" : "-e";
  const char* title = offset == 1 ? "해독 - Trisel v1.0" : "암호 - Trisel v1.0";
  bool started = WaitForFile(ArgsFile(), 20000);
  Check(hr == S_OK && started, "InvokeCommand starts Trisel.exe", label);
  if (!started) return;
  std::vector<std::string> lines = ReadLines(ArgsFile());
  std::string expected = "\"" + g_dir + "Trisel.exe\" \"" + sw + "\"";
  for (const std::string& p : paths) expected += " \"" + p + "\"";
  Check(!lines.empty() && lines[0] == expected, "command line", lines.empty() ? "" : lines[0]);
  bool argsOk = lines.size() == paths.size() + 3 && lines[2] == sw;
  for (size_t i = 0; argsOk && i < paths.size(); ++i) argsOk = lines[3 + i] == paths[i];
  Check(argsOk, "parsed arguments: switch unquoted, paths unchanged");
  HWND hwnd = WaitForWindow(nullptr, title, 10000);
  Check(hwnd != nullptr, "Trisel window title", title);
  if (hwnd) CloseAndWait(hwnd);
}

void CheckRealRun(IContextMenu* menu, UINT offset) {
  const char* title = offset == 1 ? "해독 - Trisel v1.0" : "암호 - Trisel v1.0";
  HRESULT hr = Invoke(menu, MAKEINTRESOURCEA(offset));
  HWND hwnd = WaitForWindow(nullptr, title, 30000);
  Check(hr == S_OK && hwnd != nullptr, "real Trisel opens its dialog", title);
  HWND usage = FindWindowA("#32770", "경고");
  Check(usage == nullptr, "no usage box from Trisel");
  if (usage) PostMessageA(usage, WM_COMMAND, IDOK, 0);
  if (hwnd) CloseAndWait(hwnd);
}

struct BoxWatch {
  std::string text;
  bool found = false;
};

BOOL CALLBACK CollectStatic(HWND child, LPARAM lp) {
  char cls[32] = "", text[1024] = "";
  GetClassNameA(child, cls, sizeof(cls));
  GetWindowTextA(child, text, sizeof(text));
  if (lstrcmpiA(cls, "Static") == 0 && text[0]) reinterpret_cast<BoxWatch*>(lp)->text = text;
  return TRUE;
}

// Trisel refuses to encrypt a single .tsl file with a box that names the
// file: proof that the path arrived whole, Hangul and blanks included.
void CheckRealRefusal(IShellExtInit* init, IContextMenu* menu, const std::string& data) {
  std::vector<std::string> one = {data + "이미 암호.tsl"};
  HANDLE f = CreateFileA(one[0].c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
  if (f != INVALID_HANDLE_VALUE) CloseHandle(f);
  CDropData single(one, true, true);
  init->Initialize(nullptr, &single, nullptr);
  Invoke(menu, MAKEINTRESOURCEA(0));
  init->Initialize(nullptr, nullptr, nullptr);  // lets go of `single` before it goes
  HWND box = WaitForWindow("#32770", "경고", 30000);
  BoxWatch watch;
  if (box) {
    EnumChildWindows(box, CollectStatic, reinterpret_cast<LPARAM>(&watch));
    CloseAndWait(box);
  }
  Check(watch.text == "이미 암호.tsl\n\n암호화된 파일입니다.\n(이중으로 암호화할 수 없습니다.)",
        "real Trisel names the one selected file", watch.text);
}

DWORD WINAPI WatchForBox(LPVOID arg) {
  BoxWatch* watch = static_cast<BoxWatch*>(arg);
  HWND box = WaitForWindow("#32770", kDllTitle, 15000);
  if (!box) return 0;
  watch->found = true;
  EnumChildWindows(box, CollectStatic, reinterpret_cast<LPARAM>(watch));
  PostMessageA(box, WM_COMMAND, IDOK, 0);
  return 0;
}

// Invokes the encrypt command expecting the extension's failure box.
void InvokeExpectingBox(IContextMenu* menu, const char* label) {
  BoxWatch watch;
  HANDLE thread = CreateThread(nullptr, 0, WatchForBox, &watch, 0, nullptr);
  HRESULT hr = Invoke(menu, MAKEINTRESOURCEA(0));
  WaitForSingleObject(thread, 20000);
  CloseHandle(thread);
  std::string expected = "[ " + g_dir +
                         "Trisel.exe ] 프로그램 실행에 실패했습니다.\n해당 프로그램 설치 환경이 "
                         "변경됐거나, 선택하신 파일이 너무 많습니다.";
  Check(hr == S_OK && watch.found, "failure box shown", label);
  Check(watch.text == expected, "failure box text", watch.text);
}

void CheckMissingTrisel(IContextMenu* menu) {
  std::string exe = g_dir + "Trisel.exe", away = g_dir + "Trisel.exe.away";
  Check(MoveFileA(exe.c_str(), away.c_str()) != 0, "Trisel.exe moved away");
  InvokeExpectingBox(menu, "Trisel.exe missing");
  MoveFileA(away.c_str(), exe.c_str());
}

// A selection whose command line is longer than a process may be given.
void CheckTooManyFiles(IShellExtInit* init, IContextMenu* menu, const std::string& data) {
  std::vector<std::string> many;
  for (int i = 0; i < 200; ++i) many.push_back(data + std::string(180, 'x') + std::to_string(i));
  CDropData big(many, true, true);
  init->Initialize(nullptr, &big, nullptr);
  DeleteFileA(ArgsFile().c_str());
  InvokeExpectingBox(menu, "selection too long for a command line");
  Check(!WaitForFile(ArgsFile(), 1000), "nothing started for the long selection");
  init->Initialize(nullptr, nullptr, nullptr);  // lets go of `big` before it goes
}

typedef HRESULT(STDAPICALLTYPE* GetClassObjectFn)(REFCLSID, REFIID, LPVOID*);
typedef HRESULT(STDAPICALLTYPE* CanUnloadFn)();

void CheckUnloadRule() {
  HMODULE dll = GetModuleHandleA(kDllName);
  GetClassObjectFn getClass =
      reinterpret_cast<GetClassObjectFn>(reinterpret_cast<void*>(GetProcAddress(dll, "DllGetClassObject")));
  CanUnloadFn canUnload = reinterpret_cast<CanUnloadFn>(reinterpret_cast<void*>(GetProcAddress(dll, "DllCanUnloadNow")));
  Check(getClass && canUnload, "exports found by name");
  if (!getClass || !canUnload) return;
  Check(canUnload() == S_OK, "DllCanUnloadNow with no objects alive");

  void* out = reinterpret_cast<void*>(1);
  HRESULT hr = getClass(IID_IContextMenu, IID_IClassFactory, &out);
  Check(hr == CLASS_E_CLASSNOTAVAILABLE && out == nullptr, "foreign class refused", Hex(hr));
  hr = getClass(CLSID_TriselShell, IID_IDispatch, &out);
  Check(hr == E_NOINTERFACE && out == nullptr && canUnload() == S_OK,
        "factory for an unknown interface is not left behind", Hex(hr));

  IClassFactory* factory = nullptr;
  hr = getClass(CLSID_TriselShell, IID_IClassFactory, reinterpret_cast<void**>(&factory));
  Check(hr == S_OK && factory, "DllGetClassObject", Hex(hr));
  if (!factory) return;
  Check(canUnload() == S_FALSE, "DllCanUnloadNow while a class factory lives");
  IUnknown* outer = factory;
  hr = factory->CreateInstance(outer, IID_IUnknown, &out);
  Check(hr == CLASS_E_NOAGGREGATION && out == nullptr, "aggregation refused", Hex(hr));
  IContextMenu* menu = nullptr;
  hr = factory->CreateInstance(nullptr, IID_IContextMenu, reinterpret_cast<void**>(&menu));
  Check(hr == S_OK && menu, "CreateInstance", Hex(hr));
  factory->Release();
  Check(canUnload() == S_FALSE, "DllCanUnloadNow while an extension object lives");
  if (menu) menu->Release();
  Check(canUnload() == S_OK, "DllCanUnloadNow after everything is released");
}

}  // namespace

int main(int argc, char** argv) {
  bool real = argc > 1 && strcmp(argv[1], "real") == 0;
  Check(GetACP() == 949, "ANSI code page is 949");
  CoInitialize(nullptr);

  IShellExtInit* init = nullptr;
  HRESULT hr = CoCreateInstance(CLSID_TriselShell, nullptr, CLSCTX_INPROC_SERVER,
                                IID_IShellExtInit, reinterpret_cast<void**>(&init));
  Check(hr == S_OK && init, "CoCreateInstance of the registered class", Hex(hr));
  if (!init) return 100;

  char dllPath[MAX_PATH] = "";
  GetModuleFileNameA(GetModuleHandleA(kDllName), dllPath, MAX_PATH);
  g_dir = dllPath;
  g_dir.erase(g_dir.rfind('\\') + 1);
  printf("     DLL loaded from %s\n", dllPath);

  IContextMenu* menu = nullptr;
  init->QueryInterface(IID_IContextMenu, reinterpret_cast<void**>(&menu));
  IUnknown *unknown1 = nullptr, *unknown2 = nullptr;
  void* none = reinterpret_cast<void*>(1);
  if (menu) {
    menu->QueryInterface(IID_IUnknown, reinterpret_cast<void**>(&unknown1));
    init->QueryInterface(IID_IUnknown, reinterpret_cast<void**>(&unknown2));
    hr = menu->QueryInterface(IID_IDispatch, &none);
  }
  Check(menu && unknown1 && unknown1 == unknown2, "one object behind both interfaces");
  Check(hr == E_NOINTERFACE && none == nullptr, "unknown interface refused", Hex(hr));
  if (unknown1) unknown1->Release();
  if (unknown2) unknown2->Release();
  if (!menu) return 100;

  // The selection: two files and a folder with Hangul and blanks in their names.
  std::string data = g_dir + "선택 항목\\";
  CreateDirectoryA(data.c_str(), nullptr);
  std::vector<std::string> paths = {data + "한글 문서.txt", data + "보고서 2026.doc",
                                    data + "새 폴더"};
  for (size_t i = 0; i < 2; ++i) {
    HANDLE f = CreateFileA(paths[i].c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    if (f != INVALID_HANDLE_VALUE) CloseHandle(f);
  }
  CreateDirectoryA(paths[2].c_str(), nullptr);

  Check(init->Initialize(nullptr, nullptr, nullptr) == E_FAIL, "Initialize without data fails");
  CDropData noDrop(paths, false, false);
  Check(init->Initialize(nullptr, &noDrop, nullptr) == E_FAIL, "Initialize without CF_HDROP fails");
  CDropData ansi(paths, false, true), wide(paths, true, true);
  Check(init->Initialize(nullptr, &wide, nullptr) == S_OK && wide.Refs() == 2,
        "Initialize keeps the data object with one reference");
  Check(init->Initialize(nullptr, &ansi, nullptr) == S_OK && wide.Refs() == 1 && ansi.Refs() == 2,
        "Initialize again lets go of the first data object");
  Check(noDrop.Refs() == 1, "a refused data object is not kept");

  CheckMenu(menu);
  CheckCommandStrings(menu);

  DeleteFileA(ArgsFile().c_str());
  hr = Invoke(menu, "Operation2");
  Check(hr == S_OK && !WaitForFile(ArgsFile(), 2000), "a verb given by name starts nothing");

  if (real) {
    CheckRealRun(menu, 0);
    CheckRealRun(menu, 1);
    CheckRealRefusal(init, menu, data);
  } else {
    CheckStubRun(menu, 1, paths, "decrypt, ANSI drop list");
    CheckStubRun(menu, 0, paths, "encrypt, ANSI drop list");
    init->Initialize(nullptr, &wide, nullptr);
    CheckStubRun(menu, 1, paths, "decrypt, wide drop list");
    std::vector<std::string> one(paths.begin(), paths.begin() + 1);
    CDropData single(one, true, true);
    init->Initialize(nullptr, &single, nullptr);
    CheckStubRun(menu, 1, one, "one file");
    init->Initialize(nullptr, &wide, nullptr);
    CheckMissingTrisel(menu);
    CheckTooManyFiles(init, menu, data);
  }

  init->Release();
  menu->Release();
  Check(ansi.Refs() == 1 && wide.Refs() == 1, "releasing the extension frees its data object");
  CheckUnloadRule();
  CoUninitialize();
  printf("%d failed\n", g_failures);
  return g_failures;
}
