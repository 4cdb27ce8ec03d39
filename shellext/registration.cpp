#include "shellext/registration.h"

#include "shellext/command_text.h"

const char kApprovedKey[] = "Software\\Microsoft\\Windows\\CurrentVersion\\Shell Extensions\\Approved";

namespace {

CMyString Join(const char* a, const char* b, const char* c = "") {
  CMyString s(a);
  s += CMyString(b);
  s += CMyString(c);
  return s;
}

const char kFileHandlerKey[] = "*\\shellex\\ContextMenuHandlers\\TriselShell";
const char kFolderHandlerKey[] = "Directory\\shellex\\ContextMenuHandlers\\TriselShell";

void Add(std::vector<CShellRegRow>& rows, ShellRegRoot root, const CMyString& key,
         const char* name, const CMyString& data) {
  rows.push_back(CShellRegRow{root, key, CMyString(name), data});
}

}  // namespace

void BuildRegisterRows(const char* clsid, const char* dllPath, bool nt,
                       std::vector<CShellRegRow>& rows) {
  rows.clear();
  CMyString classKey = Join("CLSID\\", clsid);
  CMyString serverKey = Join("CLSID\\", clsid, "\\InProcServer32");
  Add(rows, kShellClassesRoot, classKey, "", CMyString(kServerName));
  Add(rows, kShellClassesRoot, serverKey, "", CMyString(dllPath));
  Add(rows, kShellClassesRoot, serverKey, "ThreadingModel", CMyString("Apartment"));
  Add(rows, kShellClassesRoot, CMyString(kFileHandlerKey), "", CMyString(clsid));
  Add(rows, kShellClassesRoot, CMyString(kFolderHandlerKey), "", CMyString(clsid));
  if (nt) Add(rows, kShellLocalMachine, CMyString(kApprovedKey), clsid, CMyString(kServerName));
}

int RegisterShellExt(IShellRegistry& reg, const std::vector<CShellRegRow>& rows) {
  for (const CShellRegRow& row : rows) {
    if (reg.WriteValue(row) != 0) return -1;
  }
  return 0;
}

int UnregisterShellExt(IShellRegistry& reg, const char* clsid, bool nt) {
  const CMyString keys[] = {
      Join("CLSID\\", clsid, "\\InProcServer32"),
      Join("CLSID\\", clsid),
      CMyString(kFileHandlerKey),
      CMyString(kFolderHandlerKey),
  };
  for (const CMyString& key : keys) {
    if (reg.DeleteKey(kShellClassesRoot, key) < 0) return -1;
  }
  if (nt && reg.DeleteValue(kShellLocalMachine, CMyString(kApprovedKey), CMyString(clsid)) < 0) {
    return -1;
  }
  return 0;
}
