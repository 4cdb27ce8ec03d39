// The registry rows that make Explorer load the extension, and the order in
// which they are written and removed. The rows are plain data; a
// IShellRegistry applies them to the real registry (or to a test's map).
#ifndef MIRELKA_SHELLEXT_REGISTRATION_H
#define MIRELKA_SHELLEXT_REGISTRATION_H

#include <vector>

#include "common/mystring.h"

enum ShellRegRoot { kShellClassesRoot, kShellLocalMachine };

// One REG_SZ value; an empty name is the key's default value.
struct CShellRegRow {
  ShellRegRoot root;
  CMyString key;
  CMyString name;
  CMyString data;
};

// What registration does to the registry, one call per step.
class IShellRegistry {
 public:
  virtual ~IShellRegistry() = default;
  // Creates or opens root\key for writing, stores the value, closes the key.
  // 0 when both worked, -1 when the key could not be created or opened,
  // -2 when the value could not be written.
  virtual int WriteValue(const CShellRegRow& row) = 0;
  // Deletes root\key (which has no sub-keys by then): 0 when deleted,
  // 1 when it was not there, -1 on any other failure.
  virtual int DeleteKey(ShellRegRoot root, const CMyString& key) = 0;
  // Deletes one value: 0 when deleted, 1 when it (or its key) was not
  // there, -1 on any other failure.
  virtual int DeleteValue(ShellRegRoot root, const CMyString& key, const CMyString& name) = 0;
};

// The approved-extensions list of NT, where the last row goes.
extern const char kApprovedKey[];

// The rows in the order they are written. The approved-list row exists only
// on the NT platform.
void BuildRegisterRows(const char* clsid, const char* dllPath, bool nt,
                       std::vector<CShellRegRow>& rows);

// Writes the rows in order; 0, or -1 at the first row whose key or value
// cannot be written (the rows before it stay).
int RegisterShellExt(IShellRegistry& reg, const std::vector<CShellRegRow>& rows);

// Deletes the server's keys (and on NT its approved-list value) in order;
// 0, or -1 at the first one that exists but cannot be deleted. Missing
// entries count as deleted, so unregistering twice, or a 32-bit and a 64-bit
// copy sharing the handler keys, is no failure.
int UnregisterShellExt(IShellRegistry& reg, const char* clsid, bool nt);

#endif
