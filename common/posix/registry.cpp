// The registry value functions over a per-user store file.
//
// The store is a text file, rewritten whole on every change (through a
// temporary file and a rename, so a reader never sees half a file):
//
//   ; comment
//   [HKCU\Software\Pelmora\Mirelka\Trisel\Basic]
//   DelSrcFile=4:01000000
//   Filter=1:2a2e2a00
//
// A section is one key (root HKCU, HKLM or HKCR, then the subkey); each line
// under it is one value: name, '=', the REG_* type code in decimal, ':' and
// the stored bytes in hex (a DWORD as 4 little-endian bytes, a text with its
// terminating zero). Names are escaped as %XX for every byte that is not a
// printable ASCII character other than space, '%', '=', '[' and ']', so CP949
// names survive. Key and value names compare ASCII case-insensitively, as
// in the registry. Lines that cannot be parsed are ignored and dropped on
// the next rewrite. There is no lock between processes: the last writer of
// a value wins, which is all the suite's programs need.
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "common/registry.h"

namespace {

const uint32_t kRegSz = 1;
const uint32_t kRegDword = 4;

struct Value {
  std::string name;
  uint32_t type = 0;
  std::string data;
};

struct Key {
  std::string path;
  std::vector<Value> values;
};

struct Store {
  std::vector<Key> keys;
};

bool SameName(const std::string& a, const std::string& b) {
  if (a.size() != b.size()) return false;
  for (size_t i = 0; i < a.size(); ++i) {
    unsigned char x = a[i], y = b[i];
    if (x >= 'A' && x <= 'Z') x = x - 'A' + 'a';
    if (y >= 'A' && y <= 'Z') y = y - 'A' + 'a';
    if (x != y) return false;
  }
  return true;
}

int HexDigit(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

std::string Escape(const std::string& s) {
  static const char hex[] = "0123456789ABCDEF";
  std::string out;
  for (unsigned char c : s) {
    if (c > 0x20 && c < 0x7F && c != '%' && c != '=' && c != '[' && c != ']') {
      out += static_cast<char>(c);
    } else {
      out += '%';
      out += hex[c >> 4];
      out += hex[c & 15];
    }
  }
  return out;
}

bool Unescape(const std::string& s, std::string& out) {
  out.clear();
  for (size_t i = 0; i < s.size(); ++i) {
    if (s[i] != '%') {
      out += s[i];
      continue;
    }
    if (i + 2 >= s.size()) return false;
    int hi = HexDigit(s[i + 1]), lo = HexDigit(s[i + 2]);
    if (hi < 0 || lo < 0) return false;
    out += static_cast<char>(hi * 16 + lo);
    i += 2;
  }
  return true;
}

std::string RootName(RegRoot root) {
  switch (root) {
    case kHkeyLocalMachine: return "HKLM";
    case kHkeyClassesRoot: return "HKCR";
    case kHkeyCurrentUser: break;
  }
  return "HKCU";
}

std::string KeyPath(RegRoot root, const char* subkey) {
  std::string path = RootName(root);
  if (subkey && *subkey) {
    path += '\\';
    path += subkey;
  }
  return path;
}

bool ParseValue(const std::string& line, Value& v) {
  size_t eq = line.find('=');
  if (eq == std::string::npos) return false;
  size_t colon = line.find(':', eq + 1);
  if (colon == std::string::npos || colon == eq + 1) return false;
  if (!Unescape(line.substr(0, eq), v.name)) return false;
  uint64_t type = 0;
  for (size_t i = eq + 1; i < colon; ++i) {
    if (line[i] < '0' || line[i] > '9') return false;
    type = type * 10 + (line[i] - '0');
    if (type > 0xFFFFFFFFu) return false;
  }
  v.type = static_cast<uint32_t>(type);
  size_t n = line.size() - colon - 1;
  if (n % 2) return false;
  v.data.clear();
  for (size_t i = colon + 1; i < line.size(); i += 2) {
    int hi = HexDigit(line[i]), lo = HexDigit(line[i + 1]);
    if (hi < 0 || lo < 0) return false;
    v.data += static_cast<char>(hi * 16 + lo);
  }
  return true;
}

// A missing file is an empty store; a file that exists but cannot be read
// is a failure, so that a rewrite never wipes settings it could not see.
bool Load(const std::string& file, Store& store) {
  store.keys.clear();
  FILE* fp = fopen(file.c_str(), "rb");
  if (!fp) return errno == ENOENT;
  std::string line;
  Key* current = nullptr;
  bool ok = true;
  int c;
  for (;;) {
    c = fgetc(fp);
    if (c != EOF && c != '\n') {
      line += static_cast<char>(c);
      continue;
    }
    if (!line.empty() && line.back() == '\r') line.pop_back();
    if (line.size() >= 2 && line[0] == '[' && line.back() == ']') {
      Key key;
      if (Unescape(line.substr(1, line.size() - 2), key.path)) {
        current = nullptr;
        for (Key& k : store.keys)
          if (SameName(k.path, key.path)) current = &k;
        if (!current) {
          store.keys.push_back(key);
          current = &store.keys.back();
        }
      } else {
        current = nullptr;
      }
    } else if (current && !line.empty() && line[0] != ';' && line[0] != '#') {
      Value v;
      if (ParseValue(line, v)) {
        bool replaced = false;
        for (Value& old : current->values)
          if (SameName(old.name, v.name)) {
            old = v;
            replaced = true;
          }
        if (!replaced) current->values.push_back(v);
      }
    }
    line.clear();
    if (c == EOF) break;
  }
  if (ferror(fp)) ok = false;
  fclose(fp);
  return ok;
}

void MakeParentDirs(const std::string& file) {
  for (size_t i = 1; i < file.size(); ++i)
    if (file[i] == '/') mkdir(file.substr(0, i).c_str(), 0700);
}

bool Save(const std::string& file, const Store& store) {
  static const char hex[] = "0123456789abcdef";
  MakeParentDirs(file);
  std::string tmp = file + ".tmp" + std::to_string(static_cast<long>(getpid()));
  FILE* fp = fopen(tmp.c_str(), "wb");
  if (!fp) return false;
  std::string text = "; Mirelka settings: [root\\key], then name=type:hex bytes\n";
  for (const Key& k : store.keys) {
    text += '[' + Escape(k.path) + "]\n";
    for (const Value& v : k.values) {
      text += Escape(v.name) + '=' + std::to_string(v.type) + ':';
      for (unsigned char b : v.data) {
        text += hex[b >> 4];
        text += hex[b & 15];
      }
      text += '\n';
    }
  }
  bool ok = fwrite(text.data(), 1, text.size(), fp) == text.size();
  if (fclose(fp) != 0) ok = false;
  if (ok && rename(tmp.c_str(), file.c_str()) != 0) ok = false;
  if (!ok) unlink(tmp.c_str());
  return ok;
}

Key* FindKey(Store& store, const std::string& path) {
  for (Key& k : store.keys)
    if (SameName(k.path, path)) return &k;
  return nullptr;
}

// Loads the store and finds the key, creating it (and saving the store) when
// it is missing, the way RegCreateKeyEx opens a key. Null when the store
// cannot be read or the new key cannot be saved.
Key* OpenKey(Store& store, RegRoot root, const char* subkey, std::string& file) {
  file = RegistryStorePath();
  if (file.empty() || !Load(file, store)) return nullptr;
  std::string path = KeyPath(root, subkey);
  Key* key = FindKey(store, path);
  if (key) return key;
  store.keys.push_back(Key{path, {}});
  if (!Save(file, store)) return nullptr;
  return &store.keys.back();
}

Value* FindValue(Key& key, const char* name) {
  std::string n = name ? name : "";
  for (Value& v : key.values)
    if (SameName(v.name, n)) return &v;
  return nullptr;
}

int SetValue(RegRoot root, const char* subkey, const char* name, uint32_t type,
             const std::string& data) {
  Store store;
  std::string file;
  Key* key = OpenKey(store, root, subkey, file);
  if (!key) return 0;
  Value* v = FindValue(*key, name);
  if (!v) {
    key->values.push_back(Value{name ? name : "", type, data});
  } else {
    v->type = type;
    v->data = data;
  }
  return Save(file, store) ? 1 : 0;
}

}  // namespace

std::string RegistryStorePath() {
  const char* env = getenv("MIRELKA_REGISTRY_FILE");
  if (env && *env) return env;
  const char* xdg = getenv("XDG_CONFIG_HOME");
  if (xdg && *xdg == '/') return std::string(xdg) + "/mirelka/registry";
  const char* home = getenv("HOME");
  if (home && *home) return std::string(home) + "/.config/mirelka/registry";
  return std::string();
}

uint32_t ReadRegDword(RegRoot root, const char* subkey, const char* name, uint32_t def) {
  Store store;
  std::string file;
  Key* key = OpenKey(store, root, subkey, file);
  if (!key) return 0;
  const Value* v = FindValue(*key, name);
  if (!v || v->data.size() > 4) return def;
  unsigned char b[4] = {0, 0, 0, 0};
  memcpy(b, v->data.data(), v->data.size());
  return b[0] | (b[1] << 8) | (b[2] << 16) | (static_cast<uint32_t>(b[3]) << 24);
}

int ReadRegString(RegRoot root, const char* subkey, const char* name, const char* def,
                  char* buf, uint32_t size) {
  Store store;
  std::string file;
  Key* key = OpenKey(store, root, subkey, file);
  if (!key) return 0;
  if (size == 0) return 0;
  const Value* v = FindValue(*key, name);
  if (v) {
    const std::string& d = v->data;
    // Bytes as stored; a value without its terminator gets one when there
    // is room, and is too long otherwise.
    bool terminated = !d.empty() && d.back() == 0;
    size_t need = terminated ? d.size() : d.size() + 1;
    if (d.size() <= size && need <= size) {
      memcpy(buf, d.data(), d.size());
      if (!terminated) buf[d.size()] = 0;
      return 1;
    }
  }
  CopyRegDefault(def, buf, size);
  return 0;
}

int WriteRegDword(RegRoot root, const char* subkey, const char* name, uint32_t value) {
  std::string data;
  for (int i = 0; i < 4; ++i) data += static_cast<char>((value >> (8 * i)) & 0xFF);
  return SetValue(root, subkey, name, kRegDword, data);
}

int WriteRegString(RegRoot root, const char* subkey, const char* name, const char* text) {
  std::string data = text ? text : "";
  data += '\0';
  return SetValue(root, subkey, name, kRegSz, data);
}

int DeleteRegValue(RegRoot root, const char* subkey, const char* name) {
  Store store;
  std::string file;
  Key* key = OpenKey(store, root, subkey, file);
  if (!key) return 0;
  std::string n = name ? name : "";
  for (size_t i = 0; i < key->values.size(); ++i) {
    if (SameName(key->values[i].name, n)) {
      key->values.erase(key->values.begin() + i);
      return Save(file, store) ? 1 : 0;
    }
  }
  return 0;
}
