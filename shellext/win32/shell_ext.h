// The context-menu extension object: IShellExtInit takes the selection,
// IContextMenu adds the two Trisel commands and runs them. Both interfaces
// live on one object with one reference count.
#ifndef MIRELKA_SHELLEXT_WIN32_SHELL_EXT_H
#define MIRELKA_SHELLEXT_WIN32_SHELL_EXT_H

#include <windows.h>
#include <shellapi.h>
#include <shlobj.h>

#include <vector>

#include "common/mystring.h"

class CShellExt : public IContextMenu, public IShellExtInit {
 public:
  CShellExt();
  virtual ~CShellExt();

  // IUnknown, shared by both interfaces.
  STDMETHODIMP QueryInterface(REFIID iid, void** out) override;
  STDMETHODIMP_(ULONG) AddRef() override;
  STDMETHODIMP_(ULONG) Release() override;

  // IShellExtInit
  STDMETHODIMP Initialize(PCIDLIST_ABSOLUTE folder, IDataObject* data, HKEY progId) override;

  // IContextMenu
  STDMETHODIMP QueryContextMenu(HMENU menu, UINT index, UINT firstId, UINT lastId,
                                UINT flags) override;
  STDMETHODIMP InvokeCommand(CMINVOKECOMMANDINFO* info) override;
  STDMETHODIMP GetCommandString(UINT_PTR offset, UINT type, UINT* reserved, CHAR* buffer,
                                UINT size) override;

 private:
  void ReadDropList(HDROP drop);

  ULONG m_refs;
  IDataObject* m_dataObject;
  std::vector<CMyString> m_paths;
  HBITMAP m_bitmap;
};

#endif
