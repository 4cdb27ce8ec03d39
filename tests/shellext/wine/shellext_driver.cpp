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
std::string g_dir;   // the DLL's folder, with a backslash at the end
std::string g_args;  // where the stand-in records its command line
bool g_real = false;  // Trisel.exe is the real program, not the stand-in

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
const char kDllName[] = "TriselShell64.dll", kDllTitle[] = "TriselShell64";
#else
const char kDllName[] = "TriselShell.dll", kDllTitle[] = "TriselShell";
#endif

// A data object holding one CF_HDROP list, ANSI or wide (as NT's Explorer
// hands it). It lives on the stack, so it only counts its references.
class CDropData : public IDataObject {
 public:
  CDropData(const std::vector<std::string>& paths, bool wide, bool hasDrop = true)
      : m_paths(paths), m_wide(wide), m_hasDrop(hasDrop) {}
  ULONG m_refs = 1;

  STDMETHODIMP QueryInterface(REFIID iid, void** out) override {
    bool ours = IsEqualIID(iid, IID_IUnknown) || IsEqualIID(iid, IID_IDataObject);
    *out = ours ? this : nullptr;
    if (ours) AddRef();
    return ours ? S_OK : E_NOINTERFACE;
  }
  STDMETHODIMP_(ULONG) AddRef() override { return ++m_refs; }
  STDMETHODIMP_(ULONG) Release() override { return --m_refs; }

  STDMETHODIMP GetData(FORMATETC* format, STGMEDIUM* medium) override {
    if (QueryGetData(format) != S_OK) return DV_E_FORMATETC;
    std::string list(sizeof(DROPFILES), '\0');
    for (const std::string& p : m_paths) {
      std::vector<WCHAR> w(p.size() + 1);
      int n = MultiByteToWideChar(CP_ACP, 0, p.c_str(), -1, w.data(), static_cast<int>(w.size()));
      if (m_wide) list.append(reinterpret_cast<const char*>(w.data()), n * sizeof(WCHAR));
      else list.append(p.c_str(), p.size() + 1);
    }
    list.append(m_wide ? 2 : 1, '\0');
    DROPFILES* drop = reinterpret_cast<DROPFILES*>(&list[0]);
    drop->pFiles = sizeof(DROPFILES);
    drop->fWide = m_wide;
    medium->tymed = TYMED_HGLOBAL;
    medium->hGlobal = GlobalAlloc(GMEM_FIXED, list.size());  // fixed: the handle is the pointer
    memcpy(medium->hGlobal, list.data(), list.size());
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
  std::vector<std::string> m_paths;
  bool m_wide, m_hasDrop;
};

bool WaitFor(const std::function<bool()>& done, DWORD ms) {
  for (DWORD waited = 0; !done(); waited += 100) {
    if (waited >= ms) return false;
    Sleep(100);
  }
  return true;
}

bool ArgsWritten(DWORD ms) {
  return WaitFor([] { return GetFileAttributesA(g_args.c_str()) != INVALID_FILE_ATTRIBUTES; }, ms);
}

HWND WaitForWindow(const char* cls, const char* title, DWORD ms) {
  HWND hwnd = nullptr;
  WaitFor([&] { return (hwnd = FindWindowA(cls, title)) != nullptr; }, ms);
  return hwnd;
}

// Waits for a message box with the caption, answers it and returns its text.
std::string TakeBox(const char* caption, DWORD ms) {
  HWND box = WaitForWindow("#32770", caption, ms);
  char text[1024] = "(no box)";
  if (box) GetDlgItemTextA(box, 0xFFFF, text, sizeof(text));
  if (box) PostMessageA(box, WM_COMMAND, IDOK, 0);
  if (box) WaitFor([&] { return !IsWindow(box); }, 10000);
  return text;
}

// A command by its menu offset, or a verb by name.
HRESULT Invoke(IContextMenu* menu, UINT offset, LPCSTR verb = nullptr) {
  CMINVOKECOMMANDINFO info = {};
  info.cbSize = sizeof(info);
  info.lpVerb = verb ? verb : MAKEINTRESOURCEA(offset);
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
  Check(SUCCEEDED(hr) && HRESULT_CODE(hr) == 2 && GetMenuItemCount(popup) == 3,
        "QueryContextMenu inserts two commands", Hex(hr));
  const char* texts[2] = {"암호 - Trisel", "해독 - Trisel"};
  for (UINT i = 0; i < 2; ++i) {
    char text[64] = "";
    GetMenuStringA(popup, i + 1, text, sizeof(text), MF_BYPOSITION);
    Check(strcmp(text, texts[i]) == 0 && GetMenuItemID(popup, i + 1) == 100 + i,
          "item text and command id", text);
    MENUITEMINFOA mii = {};
    mii.cbSize = sizeof(mii);
    mii.fMask = MIIM_CHECKMARKS;
    GetMenuItemInfoA(popup, i + 1, TRUE, &mii);
    BITMAP bm = {};
    bool has = mii.hbmpChecked && mii.hbmpChecked == mii.hbmpUnchecked &&
               GetObjectA(mii.hbmpChecked, sizeof(bm), &bm) == sizeof(bm);
    Check(has && bm.bmWidth == 13 && bm.bmHeight == 13, "item bitmap 13 x 13 for both states");
  }
  DestroyMenu(popup);
}

// The text, zeros after it up to the size given (60), and nothing past it.
template <typename C>
bool Filled(const C* buf, const char* text) {
  for (size_t i = 0; i < 60; ++i) {
    if (buf[i] != C(i < strlen(text) ? text[i] : 0)) return false;
  }
  return buf[60] == C(0x55);
}

void CheckCommandStrings(IContextMenu* menu) {
  // Per command offset (5 is none of ours): its verb, then its help text.
  struct Case { UINT_PTR offset; const char* texts[2]; };
  const Case cases[] = {{0, {"Operation1", "Do something to the selected file(s)"}},
                        {1, {"Operation2", "Do something else to the selected file(s)"}},
                        {5, {"TriselShell", "TriselShell"}}};
  const UINT types[2][2] = {{GCS_VERBA, GCS_VERBW}, {GCS_HELPTEXTA, GCS_HELPTEXTW}};
  for (const Case& c : cases) {
    for (int t = 0; t < 2; ++t) {
      char ansi[64];
      WCHAR wide[64];
      for (WCHAR& w : wide) w = 0x55;
      memset(ansi, 0x55, sizeof(ansi));
      HRESULT hrA = menu->GetCommandString(c.offset, types[t][0], nullptr, ansi, 60);
      HRESULT hrW = menu->GetCommandString(c.offset, types[t][1], nullptr, reinterpret_cast<LPSTR>(wide), 60);
      Check(hrA == S_OK && hrW == S_OK && Filled(ansi, c.texts[t]) && Filled(wide, c.texts[t]),
            "GetCommandString ANSI and wide", c.texts[t]);
    }
  }
  char untouched = 0x55;
  HRESULT hr = menu->GetCommandString(0, GCS_VALIDATEA, nullptr, &untouched, 1);
  Check(hr == S_OK && untouched == 0x55, "validation request leaves the buffer alone");
}

// Invokes a command and waits for Trisel's window. The stand-in also tells
// what it was started with: the line as built, then as the program parsed it
// (after its own name).
void CheckRun(IShellExtInit* init, IContextMenu* menu, UINT offset, CDropData& data,
              const std::vector<std::string>& paths, const char* label) {
  init->Initialize(nullptr, &data, nullptr);
  DeleteFileA(g_args.c_str());
  HRESULT hr = Invoke(menu, offset);
  HWND hwnd = WaitForWindow(nullptr, offset == 1 ? "해독 - Trisel v1.0" : "암호 - Trisel v1.0", 30000);
  Check(hr == S_OK && hwnd != nullptr, "InvokeCommand opens Trisel's window", label);
  if (hwnd) PostMessageA(hwnd, WM_CLOSE, 0, 0);
  WaitFor([&] { return !IsWindow(hwnd); }, 10000);
  if (g_real) return;
  std::ifstream in(g_args, std::ios::binary);
  std::vector<std::string> lines;
  for (std::string line; std::getline(in, line);) lines.push_back(line);
  const std::string sw = offset == 1 ? "-d" : "-e";
  std::vector<std::string> want = {"\"" + g_dir + "Trisel.exe\" \"" + sw + "\"",
                                   lines.size() > 1 ? lines[1] : "", sw};
  for (const std::string& p : paths) {
    want[0] += " \"" + p + "\"";
    want.push_back(p);
  }
  Check(lines == want, "command line, and the arguments parsed from it", lines.empty() ? "" : lines[0]);
}

// Invokes the encrypt command expecting the extension's failure box and no
// program started.
void CheckFailureBox(IContextMenu* menu, const char* label) {
  DeleteFileA(g_args.c_str());
  std::string text;
  std::thread watch([&] { text = TakeBox(kDllTitle, 15000); });
  HRESULT hr = Invoke(menu, 0);
  watch.join();
  const std::string want = "[ " + g_dir + "Trisel.exe ] 프로그램 실행에 실패했습니다.\n"
                          "해당 프로그램 설치 환경이 변경됐거나, 선택하신 파일이 너무 많습니다.";
  Check(hr == S_OK && text == want, label, text);
  Check(!ArgsWritten(1000), "nothing started", label);
}

template <typename F>
F Export(const char* name) {
  return reinterpret_cast<F>(reinterpret_cast<void*>(GetProcAddress(GetModuleHandleA(kDllName), name)));
}

void CheckUnloadRule() {
  auto getClass = Export<decltype(&DllGetClassObject)>("DllGetClassObject");
  auto canUnload = Export<decltype(&DllCanUnloadNow)>("DllCanUnloadNow");
  Check(getClass && canUnload && canUnload() == S_OK,
        "exports found by name; DllCanUnloadNow with no objects alive");
  if (!getClass || !canUnload) return;
  void* out = reinterpret_cast<void*>(1);
  HRESULT foreign = getClass(IID_IContextMenu, IID_IClassFactory, &out);
  void* out2 = reinterpret_cast<void*>(1);
  HRESULT hr = getClass(CLSID_TriselShell, IID_IDispatch, &out2);
  Check(foreign == CLASS_E_CLASSNOTAVAILABLE && !out && hr == E_NOINTERFACE && !out2 && canUnload() == S_OK,
        "foreign class refused; no factory left behind for an unknown interface", Hex(foreign) + " " + Hex(hr));

  IClassFactory* factory = nullptr;
  hr = getClass(CLSID_TriselShell, IID_PPV_ARGS(&factory));
  Check(hr == S_OK && factory && canUnload() == S_FALSE,
        "DllGetClassObject; no unloading while the factory lives", Hex(hr));
  if (!factory) return;
  hr = factory->CreateInstance(factory, IID_IUnknown, &out);
  Check(hr == CLASS_E_NOAGGREGATION && out == nullptr, "aggregation refused", Hex(hr));
  IContextMenu* menu = nullptr;
  hr = factory->CreateInstance(nullptr, IID_PPV_ARGS(&menu));
  factory->Release();
  Check(hr == S_OK && menu && canUnload() == S_FALSE,
        "CreateInstance; no unloading while the object lives", Hex(hr));
  if (menu) menu->Release();
  Check(canUnload() == S_OK, "DllCanUnloadNow after everything is released");
}

}  // namespace

int main(int argc, char** argv) {
  g_real = argc > 1 && strcmp(argv[1], "real") == 0;
  Check(GetACP() == 949, "ANSI code page is 949");
  CoInitialize(nullptr);

  IShellExtInit* init = nullptr;
  HRESULT hr = CoCreateInstance(CLSID_TriselShell, nullptr, CLSCTX_INPROC_SERVER, IID_PPV_ARGS(&init));
  Check(hr == S_OK && init, "CoCreateInstance of the registered class", Hex(hr));
  IContextMenu* menu = nullptr;
  if (init) init->QueryInterface(IID_PPV_ARGS(&menu));
  if (!menu) return 100;
  char dllPath[MAX_PATH] = "";
  GetModuleFileNameA(GetModuleHandleA(kDllName), dllPath, MAX_PATH);
  g_dir = dllPath;
  g_dir.erase(g_dir.rfind('\\') + 1);
  g_args = g_dir + "Trisel.args.txt";
  printf("     DLL loaded from %s\n", dllPath);

  IUnknown *viaInit = nullptr, *viaMenu = nullptr;
  void* none = reinterpret_cast<void*>(1);
  init->QueryInterface(IID_PPV_ARGS(&viaInit));
  menu->QueryInterface(IID_PPV_ARGS(&viaMenu));
  hr = menu->QueryInterface(IID_IDispatch, &none);
  Check(viaInit && viaInit == viaMenu && hr == E_NOINTERFACE && none == nullptr,
        "one object behind both interfaces, and no other interface", Hex(hr));
  if (viaInit) viaInit->Release();
  if (viaMenu) viaMenu->Release();

  // The selection: two files and a folder with Hangul and blanks in their
  // names (the extension only passes them on, so they need not exist).
  std::string data = g_dir + "선택 항목\\";
  CreateDirectoryA(data.c_str(), nullptr);
  std::vector<std::string> paths = {data + "한글 문서.txt", data + "보고서 2026.doc",
                                    data + "새 폴더"};
  CDropData noDrop(paths, false, false), ansi(paths, false), wide(paths, true);
  Check(init->Initialize(nullptr, nullptr, nullptr) == E_FAIL &&
            init->Initialize(nullptr, &noDrop, nullptr) == E_FAIL,
        "Initialize without data or without CF_HDROP fails");
  Check(init->Initialize(nullptr, &wide, nullptr) == S_OK && wide.m_refs == 2 && noDrop.m_refs == 1,
        "Initialize keeps the data object with one reference, the refused one let go");
  Check(init->Initialize(nullptr, &ansi, nullptr) == S_OK && wide.m_refs == 1 && ansi.m_refs == 2,
        "Initialize again lets go of the first data object");

  CheckMenu(menu);
  CheckCommandStrings(menu);

  DeleteFileA(g_args.c_str());
  hr = Invoke(menu, 0, "Operation2");
  Check(hr == S_OK && !ArgsWritten(2000), "a verb given by name starts nothing");

  CheckRun(init, menu, 1, ansi, paths, "decrypt, ANSI drop list");
  CheckRun(init, menu, 0, ansi, paths, "encrypt, ANSI drop list");
  CheckRun(init, menu, 1, wide, paths, "decrypt, wide drop list");
  if (g_real) {
    // Trisel refuses to encrypt a single .tsl file with a box that names the
    // file: proof that the path arrived whole, Hangul and blanks included.
    std::vector<std::string> one = {data + "이미 암호.tsl"};
    if (FILE* f = fopen(one[0].c_str(), "wb")) fclose(f);
    CDropData single(one, true);
    init->Initialize(nullptr, &single, nullptr);
    Invoke(menu, 0);
    init->Initialize(nullptr, &wide, nullptr);  // lets go of `single` before it goes
    std::string text = TakeBox("경고", 30000);
    Check(text == "이미 암호.tsl\n\n암호화된 파일입니다.\n(이중으로 암호화할 수 없습니다.)",
          "real Trisel names the one selected file", text);
  } else {
    // Trisel.exe gone from beside the DLL.
    std::string exe = g_dir + "Trisel.exe", away = g_dir + "Trisel.exe.away";
    MoveFileA(exe.c_str(), away.c_str());
    CheckFailureBox(menu, "failure box: Trisel.exe missing");
    MoveFileA(away.c_str(), exe.c_str());

    // A selection whose command line is longer than a process may be given.
    std::vector<std::string> many;
    for (int i = 0; i < 200; ++i) many.push_back(data + std::string(180, 'x') + std::to_string(i));
    CDropData big(many, true);
    init->Initialize(nullptr, &big, nullptr);
    CheckFailureBox(menu, "failure box: selection too long for a command line");
    init->Initialize(nullptr, &wide, nullptr);  // lets go of `big` before it goes
  }

  init->Release();
  menu->Release();
  Check(ansi.m_refs == 1 && wide.m_refs == 1, "releasing the extension frees its data object");
  CheckUnloadRule();
  CoUninitialize();
  printf("%d failed\n", g_failures);
  return g_failures;
}
