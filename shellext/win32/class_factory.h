// The class factory that makes CShellExt objects.
#ifndef MIRELKA_SHELLEXT_WIN32_CLASS_FACTORY_H
#define MIRELKA_SHELLEXT_WIN32_CLASS_FACTORY_H

#include <windows.h>
#include <unknwn.h>

class CShellExtClassFactory : public IClassFactory {
 public:
  CShellExtClassFactory();
  virtual ~CShellExtClassFactory();

  STDMETHODIMP QueryInterface(REFIID iid, void** out) override;
  STDMETHODIMP_(ULONG) AddRef() override;
  STDMETHODIMP_(ULONG) Release() override;
  STDMETHODIMP CreateInstance(IUnknown* outer, REFIID iid, void** out) override;
  STDMETHODIMP LockServer(BOOL lock) override;

 private:
  ULONG m_refs;
};

#endif
