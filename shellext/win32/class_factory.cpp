#include "shellext/win32/class_factory.h"

#include <new>

#include "shellext/win32/module.h"
#include "shellext/win32/shell_ext.h"

CShellExtClassFactory::CShellExtClassFactory() : m_refs(0) { ModuleObjectCreated(); }

CShellExtClassFactory::~CShellExtClassFactory() { ModuleObjectDestroyed(); }

STDMETHODIMP CShellExtClassFactory::QueryInterface(REFIID iid, void** out) {
  if (!out) return E_POINTER;
  if (IsEqualIID(iid, IID_IUnknown) || IsEqualIID(iid, IID_IClassFactory)) {
    *out = static_cast<IClassFactory*>(this);
    AddRef();
    return S_OK;
  }
  *out = nullptr;
  return E_NOINTERFACE;
}

STDMETHODIMP_(ULONG) CShellExtClassFactory::AddRef() { return ++m_refs; }

STDMETHODIMP_(ULONG) CShellExtClassFactory::Release() {
  ULONG left = --m_refs;
  if (left == 0) delete this;
  return left;
}

STDMETHODIMP CShellExtClassFactory::CreateInstance(IUnknown* outer, REFIID iid, void** out) {
  if (!out) return E_POINTER;
  *out = nullptr;
  if (outer) return CLASS_E_NOAGGREGATION;
  CShellExt* ext = new (std::nothrow) CShellExt();
  if (!ext) return E_OUTOFMEMORY;
  // Held across QueryInterface so that an unknown interface frees the object
  // instead of leaving it (and the module's live count) behind.
  ext->AddRef();
  HRESULT hr = ext->QueryInterface(iid, out);
  ext->Release();
  return hr;
}

STDMETHODIMP CShellExtClassFactory::LockServer(BOOL) { return S_OK; }
