// An in-memory registry store with the rules of the real one: missing keys
// are created on opening, names compare ASCII case-insensitively, a DWORD
// read takes at most 4 bytes, texts must fit the buffer. `failOpen` makes
// every key refuse to open, as a locked-down registry would.
#ifndef MIRELKA_TESTS_SUPPORT_MEMORY_REGISTRY_H
#define MIRELKA_TESTS_SUPPORT_MEMORY_REGISTRY_H

#include <cstring>
#include <map>
#include <set>
#include <string>

#include "common/registry.h"

class CMemoryRegistry : public IRegistry {
 public:
  bool failOpen = false;
  std::set<std::string> keys;                     // lower-cased "root\subkey"
  std::map<std::string, std::string> values;      // lower-cased "root\subkey\\name" -> bytes
  int writes = 0;

  uint32_t ReadDword(RegRoot root, const char* subkey, const char* name, uint32_t def) override {
    if (!Open(root, subkey)) return 0;
    auto it = values.find(Id(root, subkey, name));
    if (it == values.end() || it->second.size() > 4) return def;
    unsigned char b[4] = {0, 0, 0, 0};
    memcpy(b, it->second.data(), it->second.size());
    return b[0] | (b[1] << 8) | (b[2] << 16) | (static_cast<uint32_t>(b[3]) << 24);
  }
  int ReadString(RegRoot root, const char* subkey, const char* name, const char* def, char* buf,
                 uint32_t size) override {
    if (!Open(root, subkey) || size == 0) return 0;
    auto it = values.find(Id(root, subkey, name));
    if (it != values.end() && it->second.size() <= size && !it->second.empty() &&
        it->second.back() == 0) {
      memcpy(buf, it->second.data(), it->second.size());
      return 1;
    }
    size_t n = def ? strlen(def) : 0;
    if (n > size - 1) n = size - 1;
    memcpy(buf, def, n);
    buf[n] = 0;
    return 0;
  }
  int WriteDword(RegRoot root, const char* subkey, const char* name, uint32_t value) override {
    if (!Open(root, subkey)) return 0;
    std::string d;
    for (int i = 0; i < 4; ++i) d += static_cast<char>((value >> (8 * i)) & 0xFF);
    values[Id(root, subkey, name)] = d;
    ++writes;
    return 1;
  }
  int WriteString(RegRoot root, const char* subkey, const char* name, const char* text) override {
    if (!Open(root, subkey)) return 0;
    values[Id(root, subkey, name)] = std::string(text, strlen(text) + 1);
    ++writes;
    return 1;
  }
  int DeleteValue(RegRoot root, const char* subkey, const char* name) override {
    if (!Open(root, subkey)) return 0;
    return values.erase(Id(root, subkey, name)) ? 1 : 0;
  }

  // Test helpers.
  bool Has(const char* subkey, const char* name) const {
    return values.count(Id(kHkeyCurrentUser, subkey, name)) != 0;
  }
  std::string Raw(const char* subkey, const char* name) const {
    auto it = values.find(Id(kHkeyCurrentUser, subkey, name));
    return it == values.end() ? std::string() : it->second;
  }
  void SetRaw(const char* subkey, const char* name, const std::string& bytes) {
    keys.insert(Lower(KeyId(kHkeyCurrentUser, subkey)));
    values[Id(kHkeyCurrentUser, subkey, name)] = bytes;
  }

 private:
  static std::string Lower(std::string s) {
    for (char& c : s)
      if (c >= 'A' && c <= 'Z') c = c - 'A' + 'a';
    return s;
  }
  static std::string KeyId(RegRoot root, const char* subkey) {
    return std::to_string(static_cast<int>(root)) + "\\" + (subkey ? subkey : "");
  }
  static std::string Id(RegRoot root, const char* subkey, const char* name) {
    return Lower(KeyId(root, subkey) + "\\\\" + (name ? name : ""));
  }
  bool Open(RegRoot root, const char* subkey) {
    if (failOpen) return false;
    keys.insert(Lower(KeyId(root, subkey)));
    return true;
  }
};

#endif
