// The registration steps on the real registry (advapi32). A 32-bit DLL
// under 64-bit Windows lands in the 32-bit view, as its regsvr32 sees it.
#ifndef MIRELKA_SHELLEXT_WIN32_WIN_SHELL_REGISTRY_H
#define MIRELKA_SHELLEXT_WIN32_WIN_SHELL_REGISTRY_H

#include "shellext/registration.h"

class CWinShellRegistry : public IShellRegistry {
 public:
  int WriteValue(const CShellRegRow& row) override;
  int DeleteKey(ShellRegRoot root, const CMyString& key) override;
  int DeleteValue(ShellRegRoot root, const CMyString& key, const CMyString& name) override;
};

#endif
