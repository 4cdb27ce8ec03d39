#include "shellext/win32/shell_ext.h"


#include "shellext/command_line.h"
#include "shellext/command_text.h"
#include "shellext/win32/module.h"
#include "shellext/win32/resource.h"

CShellExt::CShellExt() : m_refs(0), m_dataObject(nullptr), m_bitmap(nullptr) {
  m_bitmap = LoadBitmapA(g_hModule, MAKEINTRESOURCEA(IDB_MENU_MARK));
  ModuleObjectCreated();
}

CShellExt::~CShellExt() {
  if (m_dataObject) m_dataObject->Release();
  ModuleObjectDestroyed();
  if (m_bitmap) DeleteObject(m_bitmap);
}

STDMETHODIMP CShellExt::QueryInterface(REFIID iid, void** out) {
  if (!out) return E_POINTER;
  if (IsEqualIID(iid, IID_IShellExtInit) || IsEqualIID(iid, IID_IUnknown)) {
    *out = static_cast<IShellExtInit*>(this);
  } else if (IsEqualIID(iid, IID_IContextMenu)) {
    *out = static_cast<IContextMenu*>(this);
  } else {
    *out = nullptr;
    return E_NOINTERFACE;
  }
  AddRef();
  return S_OK;
}

STDMETHODIMP_(ULONG) CShellExt::AddRef() { return ++m_refs; }

STDMETHODIMP_(ULONG) CShellExt::Release() {
  ULONG left = --m_refs;
  if (left == 0) delete this;
  return left;
}

STDMETHODIMP CShellExt::Initialize(PCIDLIST_ABSOLUTE, IDataObject* data, HKEY) {
  if (m_dataObject) {
    m_dataObject->Release();
    m_dataObject = nullptr;
  }
  if (!data) return E_FAIL;
  m_dataObject = data;
  m_dataObject->AddRef();
  m_paths.clear();

  FORMATETC format = {CF_HDROP, nullptr, DVASPECT_CONTENT, -1, TYMED_HGLOBAL};
  STGMEDIUM medium;
  ZeroMemory(&medium, sizeof(medium));
  if (FAILED(m_dataObject->GetData(&format, &medium))) return E_FAIL;
  ReadDropList(static_cast<HDROP>(medium.hGlobal));
  ReleaseStgMedium(&medium);
  return S_OK;
}

// One entry per selected item, in the data object's order. Each path is read
// with its full length: a fixed MAX_PATH buffer would silently cut a long
// path and hand Trisel the name of some other file or folder. A path that
// cannot be read keeps an empty entry at its place.
void CShellExt::ReadDropList(HDROP drop) {
  UINT count = DragQueryFileA(drop, 0xFFFFFFFF, nullptr, 0);
  if (count == 0) return;
  m_paths.resize(count);
  for (UINT i = 0; i < count; ++i) {
    UINT length = DragQueryFileA(drop, i, nullptr, 0);
    if (length == 0) continue;
    CMyString path(static_cast<uint32_t>(length + 1));
    UINT read = DragQueryFileA(drop, i, path.GetBuffer(), length + 1);
    if (read == 0) continue;
    path.Crop(0, read - 1);
    m_paths[i] = path;
  }
}

STDMETHODIMP CShellExt::QueryContextMenu(HMENU menu, UINT index, UINT firstId, UINT, UINT) {
  if (!menu) return MAKE_HRESULT(SEVERITY_SUCCESS, 0, 0);
  InsertMenuA(menu, index, MF_STRING | MF_BYPOSITION, firstId, kEncryptItemText);
  SetMenuItemBitmaps(menu, index, MF_BYPOSITION, m_bitmap, m_bitmap);
  InsertMenuA(menu, index + 1, MF_STRING | MF_BYPOSITION, firstId + 1, kDecryptItemText);
  SetMenuItemBitmaps(menu, index + 1, MF_BYPOSITION, m_bitmap, m_bitmap);
  return MAKE_HRESULT(SEVERITY_SUCCESS, 0, 2);
}

STDMETHODIMP CShellExt::InvokeCommand(CMINVOKECOMMANDINFO* info) {
  if (!info) return E_INVALIDARG;
  // A verb given by name is not ours to run; only menu offsets are.
  if (!IS_INTRESOURCE(info->lpVerb)) return S_OK;
  unsigned offset = LOWORD(reinterpret_cast<ULONG_PTR>(info->lpVerb));

  CMyString dll;
  GetDllPath(dll);
  CMyString program;
  TriselProgramPath(dll.GetBuffer(), program);
  CMyString line;
  BuildTriselCommandLine(program, TriselSwitchFor(offset), m_paths, line);

  // Anything up to 31 is an error code; success is above it.
  UINT started = WinExec(line.GetBuffer(), SW_SHOWNORMAL);
  if (started <= 31) {
    CMyString text, caption;
    LaunchFailureText(program, text);
    ModuleTitle(dll.GetBuffer(), caption);
    MessageBoxA(info->hwnd, text.GetBuffer(), caption.GetBuffer(), MB_OK);
  }
  return S_OK;
}

STDMETHODIMP CShellExt::GetCommandString(UINT_PTR offset, UINT type, UINT*, CHAR* buffer,
                                         UINT size) {
  // Offsets past our two commands all share one text; keep huge ones apart
  // from 0 and 1 on 64-bit.
  unsigned which = offset > 1 ? 2u : static_cast<unsigned>(offset);
  const char* text = CommandText(which, type);
  if (!text) return S_OK;
  if (type == kVerbW || type == kHelpTextW) {
    CopyCommandTextW(text, reinterpret_cast<char16_t*>(buffer), size);
  } else {
    CopyCommandText(text, buffer, size);
  }
  return S_OK;
}
