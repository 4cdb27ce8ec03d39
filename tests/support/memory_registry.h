// An in-memory settings store with the rules of the registry functions the
// settings rely on: a text must fit the buffer with its terminator, else the
// default (cut to fit) is given; with failOpen set no key can be opened and
// buffers are left alone. The root is not told apart.
#ifndef MIRELKA_TESTS_SUPPORT_MEMORY_REGISTRY_H
#define MIRELKA_TESTS_SUPPORT_MEMORY_REGISTRY_H

#include <algorithm>
#include <cstring>
#include <map>
#include <string>

#include "common/registry.h"

class CMemoryRegistry : public IRegistry {
 public:
  bool failOpen = false;
  std::map<std::string, std::string> values;  // "subkey\\name" -> bytes

  uint32_t ReadDword(RegRoot, const char* subkey, const char* name, uint32_t def) override {
    auto it = values.find(Id(subkey, name));
    if (it != values.end() && it->second.size() == 4) memcpy(&def, it->second.data(), 4);
    return failOpen ? 0 : def;
  }
  int ReadString(RegRoot, const char* subkey, const char* name, const char* def, char* buf,
                 uint32_t size) override {
    if (failOpen || size == 0) return 0;
    auto it = values.find(Id(subkey, name));
    bool found = it != values.end() && it->second.size() <= size;
    std::string text = found ? it->second : std::string(def, std::min<size_t>(strlen(def), size - 1));
    memcpy(buf, text.c_str(), text.size() + !found);
    return found;
  }
  int WriteDword(RegRoot, const char* subkey, const char* name, uint32_t value) override {
    return Put(Id(subkey, name), std::string(reinterpret_cast<const char*>(&value), 4));
  }
  int WriteString(RegRoot, const char* subkey, const char* name, const char* text) override {
    return Put(Id(subkey, name), std::string(text, strlen(text) + 1));
  }
  int DeleteValue(RegRoot, const char* subkey, const char* name) override {
    return !failOpen && values.erase(Id(subkey, name)) ? 1 : 0;
  }

 private:
  static std::string Id(const char* subkey, const char* name) { return std::string(subkey) + "\\\\" + name; }
  int Put(const std::string& id, std::string bytes) {
    if (!failOpen) values[id] = std::move(bytes);
    return !failOpen;
  }
};

#endif
