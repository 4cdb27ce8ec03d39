// An in-memory settings store with the rules of the registry functions:
// keys are created on opening, names compare ASCII case-insensitively, a
// DWORD read takes at most 4 bytes, a text must fit the buffer with its
// terminator. With failOpen set no key can be opened.
#ifndef MIRELKA_TESTS_SUPPORT_MEMORY_REGISTRY_H
#define MIRELKA_TESTS_SUPPORT_MEMORY_REGISTRY_H

#include <algorithm>
#include <cstring>
#include <map>
#include <set>
#include <string>

#include "common/registry.h"

class CMemoryRegistry : public IRegistry {
 public:
  bool failOpen = false;
  std::set<std::string> keys;                 // "root\subkey", lower case
  std::map<std::string, std::string> values;  // "root\subkey\\name", lower case -> bytes

  uint32_t ReadDword(RegRoot root, const char* subkey, const char* name, uint32_t def) override {
    if (!Open(root, subkey)) return 0;
    auto it = values.find(Id(root, subkey, name));
    if (it == values.end() || it->second.size() > 4) return def;
    uint32_t v = 0;
    for (size_t i = 0; i < it->second.size(); ++i)
      v |= static_cast<uint32_t>(static_cast<unsigned char>(it->second[i])) << (8 * i);
    return v;
  }
  int ReadString(RegRoot root, const char* subkey, const char* name, const char* def, char* buf,
                 uint32_t size) override {
    if (!Open(root, subkey) || size == 0) return 0;
    auto it = values.find(Id(root, subkey, name));
    if (it != values.end() && it->second.size() <= size && it->second.back() == 0) {
      memcpy(buf, it->second.data(), it->second.size());
      return 1;
    }
    size_t n = std::min(strlen(def), static_cast<size_t>(size - 1));
    memcpy(buf, def, n);
    buf[n] = 0;
    return 0;
  }
  int WriteDword(RegRoot root, const char* subkey, const char* name, uint32_t value) override {
    if (!Open(root, subkey)) return 0;
    values[Id(root, subkey, name)] = std::string(reinterpret_cast<const char*>(&value), 4);
    return 1;
  }
  int WriteString(RegRoot root, const char* subkey, const char* name, const char* text) override {
    if (!Open(root, subkey)) return 0;
    values[Id(root, subkey, name)] = std::string(text, strlen(text) + 1);
    return 1;
  }
  int DeleteValue(RegRoot root, const char* subkey, const char* name) override {
    return Open(root, subkey) && values.erase(Id(root, subkey, name)) ? 1 : 0;
  }

  bool Has(const char* subkey, const char* name) const {
    return values.count(Id(kHkeyCurrentUser, subkey, name)) != 0;
  }
  std::string Raw(const char* subkey, const char* name) const {
    auto it = values.find(Id(kHkeyCurrentUser, subkey, name));
    return it == values.end() ? std::string() : it->second;
  }

 private:
  static std::string Id(RegRoot root, const char* subkey, const char* name = nullptr) {
    std::string s = std::to_string(static_cast<int>(root)) + "\\" + subkey;
    if (name) s += std::string("\\\\") + name;
    for (char& c : s)
      if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    return s;
  }
  bool Open(RegRoot root, const char* subkey) {
    if (failOpen) return false;
    keys.insert(Id(root, subkey));
    return true;
  }
};

#endif
