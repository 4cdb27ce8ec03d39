// The registry functions as a store object for code that is handed one.
#include "common/registry.h"

#include <cstring>

namespace {

class CRealRegistry : public IRegistry {
 public:
  uint32_t ReadDword(RegRoot root, const char* subkey, const char* name, uint32_t def) override {
    return ReadRegDword(root, subkey, name, def);
  }
  int ReadString(RegRoot root, const char* subkey, const char* name, const char* def, char* buf,
                 uint32_t size) override {
    return ReadRegString(root, subkey, name, def, buf, size);
  }
  int WriteDword(RegRoot root, const char* subkey, const char* name, uint32_t value) override {
    return WriteRegDword(root, subkey, name, value);
  }
  int WriteString(RegRoot root, const char* subkey, const char* name, const char* text) override {
    return WriteRegString(root, subkey, name, text);
  }
  int DeleteValue(RegRoot root, const char* subkey, const char* name) override {
    return DeleteRegValue(root, subkey, name);
  }
};

}  // namespace

IRegistry& RealRegistry() {
  static CRealRegistry registry;
  return registry;
}

void CopyRegDefault(const char* def, char* buf, uint32_t size) {
  if (!buf || size == 0) return;
  size_t n = def ? std::strlen(def) : 0;
  if (n > size - 1) n = size - 1;
  if (n) std::memcpy(buf, def, n);
  buf[n] = 0;
}
