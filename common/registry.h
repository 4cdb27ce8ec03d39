// Single registry values of the current user.
//
// Each function opens its key for the one value and closes it again before
// it returns, on every path. A key that is missing is created, also when it
// is only opened for reading. Texts are zero-terminated CP949 bytes; numbers
// are 32-bit DWORDs. The type of a stored value is not examined on reading.
//
// On Windows these are the real registry (advapi32). Elsewhere a small
// per-user store file stands in for it, with the same results; see
// RegistryStorePath() for where it lives and registry.cpp (posix/) for its
// layout.
#ifndef MIRELKA_COMMON_REGISTRY_H
#define MIRELKA_COMMON_REGISTRY_H

#include <cstdint>
#include <string>

// The predefined root keys the suite uses.
enum RegRoot {
  kHkeyCurrentUser,
  kHkeyLocalMachine,
  kHkeyClassesRoot,
};

// The value, or `def` when it cannot be read (missing, or more than 4
// bytes). 0, not `def`, when the key can be neither opened nor created.
uint32_t ReadRegDword(RegRoot root, const char* subkey, const char* name, uint32_t def);

// Reads a text value into buf (size bytes, terminator included) and returns
// 1. When the value cannot be read (missing, or too long for buf) the
// default goes into buf instead and the result is 0; a default longer than
// buf is cut to fit. When the key can be neither opened nor created the
// result is 0 and buf is left untouched. buf always ends up zero-terminated
// when anything is written to it.
int ReadRegString(RegRoot root, const char* subkey, const char* name, const char* def,
                  char* buf, uint32_t size);

// Stores a DWORD; 1 on success, 0 otherwise.
int WriteRegDword(RegRoot root, const char* subkey, const char* name, uint32_t value);

// Stores a text as REG_SZ with its terminator counted; 1 on success.
int WriteRegString(RegRoot root, const char* subkey, const char* name, const char* text);

// Deletes a value; 1 on success, 0 when it is missing or cannot be deleted.
int DeleteRegValue(RegRoot root, const char* subkey, const char* name);

// The same five operations as an object, for code that is handed its
// settings store (the job runner, the console programs, tests with an
// in-memory store). RealRegistry() forwards to the functions above.
class IRegistry {
 public:
  virtual ~IRegistry() = default;
  virtual uint32_t ReadDword(RegRoot root, const char* subkey, const char* name,
                             uint32_t def) = 0;
  virtual int ReadString(RegRoot root, const char* subkey, const char* name,
                         const char* def, char* buf, uint32_t size) = 0;
  virtual int WriteDword(RegRoot root, const char* subkey, const char* name,
                         uint32_t value) = 0;
  virtual int WriteString(RegRoot root, const char* subkey, const char* name,
                          const char* text) = 0;
  virtual int DeleteValue(RegRoot root, const char* subkey, const char* name) = 0;
};

IRegistry& RealRegistry();

// What ReadRegString hands back when the value cannot be read: the default
// text, cut to fit the buffer and always terminated (nothing when size is 0).
void CopyRegDefault(const char* def, char* buf, uint32_t size);

// Where the store file of the non-Windows build lives: the environment
// variable MIRELKA_REGISTRY_FILE when it is set and not empty, else
// $XDG_CONFIG_HOME/mirelka/registry, else $HOME/.config/mirelka/registry.
// Empty on Windows, where the real registry is used.
std::string RegistryStorePath();

#endif
