#include "support/memory_fs.h"

#include <algorithm>
#include <cerrno>
#include <cstring>

#include "common/path.h"
#include "common/wildcard.h"

struct CMemoryFileSystem::Node {
  bool isDir = false;
  std::string bytes;
  time_t mtime = 0;
  uint32_t attributes = kAttrArchive;
};

namespace {

bool IsRoot(const std::string& p) { return p.empty() || p == "/" || (p.size() == 2 && p[1] == ':'); }

// The normalized folder part of a normalized path ("" for a top-level name).
std::string ParentOf(const std::string& p) {
  size_t cut = PathNameOffset(p.c_str());
  if (cut == 0) return IsRoot(p) ? p : std::string();
  if (cut == 1) return "/";
  return p.substr(0, cut - 1);
}

std::string NameOf(const std::string& p) { return p.substr(PathNameOffset(p.c_str())); }

}  // namespace

std::string NormalizeMemoryPath(const std::string& path) {
  std::string out;
  for (size_t i = 0; i < path.size(); ++i) {
    char c = path[i];
    if (IsCp949Lead(static_cast<unsigned char>(c)) && i + 1 < path.size()) {
      out += c;
      out += path[++i];
    } else if (c == '\\' || c == '/') {
      if (out.empty() || out.back() != '/') out += '/';
    } else {
      out += c;
    }
  }
  // Only real separators became '/' (no CP949 trail byte is 0x2F).
  if (out.size() > 1 && out.back() == '/') out.pop_back();
  return out;
}

// An open file works on the node itself, so what one handle writes the next
// read sees, as with a real disk.
class CMemoryFile : public IFile {
 public:
  CMemoryFile(CMemoryFileSystem& fs, std::shared_ptr<CMemoryFileSystem::Node> node, bool read, bool write,
              bool append)
      : m_fs(fs), m_node(std::move(node)), m_read(read), m_write(write), m_append(append) {
    ++m_fs.m_openFiles;
  }
  ~CMemoryFile() override {
    if (m_open) --m_fs.m_openFiles;
  }

  size_t Read(void* buf, size_t n) override {
    if (!m_open || !m_read) return Fail(EBADF);
    const std::string& b = m_node->bytes;
    size_t avail = m_pos < b.size() ? b.size() - static_cast<size_t>(m_pos) : 0;
    size_t k = std::min(n, avail);
    if (k) std::memcpy(buf, b.data() + m_pos, k);
    m_pos += k;
    if (k < n) m_eof = true;
    return k;
  }

  size_t Write(const void* buf, size_t n) override {
    if (!m_open || !m_write) return Fail(EBADF);
    std::string& b = m_node->bytes;
    if (m_append) m_pos = b.size();
    if (b.size() < m_pos + n) b.resize(static_cast<size_t>(m_pos + n), '\0');
    if (n) std::memcpy(&b[static_cast<size_t>(m_pos)], buf, n);
    m_pos += n;
    m_node->mtime = m_fs.m_clock;
    return n;
  }

  int Seek(int64_t offset, int whence) override {
    if (!m_open) return static_cast<int>(Fail(EBADF)) - 1;
    int64_t base = whence == SEEK_SET ? 0 : whence == SEEK_CUR ? static_cast<int64_t>(m_pos)
                   : whence == SEEK_END ? static_cast<int64_t>(m_node->bytes.size()) : -1;
    if (base < 0 || base + offset < 0) {
      errno = EINVAL;
      return -1;
    }
    m_pos = static_cast<uint64_t>(base + offset);
    m_eof = false;
    return 0;
  }

  int64_t Tell() override {
    if (!m_open) return static_cast<int64_t>(Fail(EBADF)) - 1;
    return static_cast<int64_t>(m_pos);
  }
  bool Eof() const override { return m_eof; }
  bool Error() const override { return m_error; }
  int Flush() override { return m_open ? 0 : static_cast<int>(Fail(EBADF)) - 1; }
  int Close() override {
    if (!m_open) return static_cast<int>(Fail(EBADF)) - 1;
    m_open = false;
    --m_fs.m_openFiles;
    return 0;
  }

 private:
  size_t Fail(int err) {
    m_error = true;
    errno = err;
    return 0;
  }

  CMemoryFileSystem& m_fs;
  std::shared_ptr<CMemoryFileSystem::Node> m_node;
  bool m_read, m_write, m_append;
  bool m_open = true;
  bool m_eof = false;
  bool m_error = false;
  uint64_t m_pos = 0;
};

namespace {

class CMemoryFind : public IFind {
 public:
  explicit CMemoryFind(std::vector<FindEntry> entries) : m_entries(std::move(entries)) {}
  bool Next(FindEntry& entry) override {
    if (m_next >= m_entries.size()) return false;
    entry = m_entries[m_next++];
    return true;
  }

 private:
  std::vector<FindEntry> m_entries;
  size_t m_next = 1;  // the first one went out with FindFirst
};

bool MakeEntry(const std::string& name, uint32_t attributes, uint64_t size, FindEntry& e) {
  if (name.size() >= sizeof e.name) return false;
  std::memcpy(e.name, name.c_str(), name.size() + 1);
  e.attributes = attributes;
  e.size = size;
  return true;
}

}  // namespace

CMemoryFileSystem::CMemoryFileSystem() = default;
CMemoryFileSystem::~CMemoryFileSystem() = default;

std::shared_ptr<CMemoryFileSystem::Node> CMemoryFileSystem::Lookup(const std::string& p) const {
  auto it = m_nodes.find(p);
  return it == m_nodes.end() ? nullptr : it->second;
}

bool CMemoryFileSystem::ParentIsFolder(const std::string& p) const {
  std::string parent = ParentOf(p);
  if (IsRoot(parent)) return true;
  auto node = Lookup(parent);
  return node && node->isDir;
}

void CMemoryFileSystem::AddFolder(const std::string& path) {
  std::string p = NormalizeMemoryPath(path);
  if (IsRoot(p)) return;
  AddFolder(ParentOf(p));
  auto& node = m_nodes[p];
  if (!node || !node->isDir) {
    node = std::make_shared<Node>();
    node->isDir = true;
    node->attributes = kAttrDirectory;
  }
}

void CMemoryFileSystem::AddFile(const std::string& path, const std::string& bytes, time_t mtime,
                                uint32_t attributes) {
  std::string p = NormalizeMemoryPath(path);
  AddFolder(ParentOf(p));
  auto node = std::make_shared<Node>();
  node->bytes = bytes;
  node->mtime = mtime;
  node->attributes = attributes & ~static_cast<uint32_t>(kAttrDirectory);
  m_nodes[p] = node;
}

bool CMemoryFileSystem::Exists(const std::string& path) const {
  std::string p = NormalizeMemoryPath(path);
  return IsRoot(p) || Lookup(p) != nullptr;
}

bool CMemoryFileSystem::IsFolder(const std::string& path) const {
  std::string p = NormalizeMemoryPath(path);
  if (IsRoot(p)) return true;
  auto node = Lookup(p);
  return node && node->isDir;
}

std::string CMemoryFileSystem::Contents(const std::string& path) const {
  auto node = Lookup(NormalizeMemoryPath(path));
  return node && !node->isDir ? node->bytes : std::string();
}

time_t CMemoryFileSystem::MTime(const std::string& path) const {
  auto node = Lookup(NormalizeMemoryPath(path));
  return node ? node->mtime : 0;
}

std::vector<std::string> CMemoryFileSystem::Files() const {
  std::vector<std::string> out;
  for (const auto& kv : m_nodes)
    if (!kv.second->isDir) out.push_back(kv.first);
  return out;
}

std::unique_ptr<IFile> CMemoryFileSystem::Open(const char* path, const char* mode) {
  if (!path || !mode || !std::strchr("rwa", mode[0]) || !*path) {
    errno = EINVAL;
    return nullptr;
  }
  std::string p = NormalizeMemoryPath(path);
  bool plus = std::strchr(mode, '+') != nullptr;
  bool read = mode[0] == 'r' || plus;
  bool write = mode[0] != 'r' || plus;
  auto node = Lookup(p);
  if (IsRoot(p) || (node && node->isDir)) {
    errno = EACCES;
    return nullptr;
  }
  if (!node) {
    if (mode[0] == 'r' || !ParentIsFolder(p)) {
      errno = ENOENT;
      return nullptr;
    }
    node = std::make_shared<Node>();
    node->mtime = m_clock;
    m_nodes[p] = node;
  } else if (write && (node->attributes & kAttrReadOnly)) {
    errno = EACCES;
    return nullptr;
  }
  if (mode[0] == 'w') {
    node->bytes.clear();
    node->mtime = m_clock;
  }
  return std::make_unique<CMemoryFile>(*this, node, read, write, mode[0] == 'a');
}

int CMemoryFileSystem::Stat(const char* path, FileStat& st) {
  std::string p = NormalizeMemoryPath(path ? path : "");
  auto node = Lookup(p);
  if (!node && !IsRoot(p)) {
    errno = ENOENT;
    return -1;
  }
  st.isDir = !node || node->isDir;
  st.size = node && !node->isDir ? node->bytes.size() : 0;
  st.mtime = node ? node->mtime : 0;
  return 0;
}

uint32_t CMemoryFileSystem::GetAttributes(const char* path) {
  std::string p = NormalizeMemoryPath(path ? path : "");
  if (IsRoot(p)) return kAttrDirectory;
  auto node = Lookup(p);
  if (!node) {
    errno = ENOENT;
    return kAttrInvalid;
  }
  return node->attributes;
}

bool CMemoryFileSystem::SetAttributes(const char* path, uint32_t attributes) {
  std::string p = NormalizeMemoryPath(path ? path : "");
  auto node = Lookup(p);
  if (!node) {
    errno = ENOENT;
    return false;
  }
  node->attributes = node->isDir ? (attributes | kAttrDirectory) : (attributes & ~static_cast<uint32_t>(kAttrDirectory));
  return true;
}

int CMemoryFileSystem::SetTime(const char* path, time_t t) {
  auto node = Lookup(NormalizeMemoryPath(path ? path : ""));
  if (!node) {
    errno = ENOENT;
    return -1;
  }
  if (!node->isDir && (node->attributes & kAttrReadOnly)) {
    errno = EACCES;
    return -1;
  }
  node->mtime = t;
  return 0;
}

int CMemoryFileSystem::Remove(const char* path) {
  std::string p = NormalizeMemoryPath(path ? path : "");
  auto node = Lookup(p);
  if (!node) {
    errno = ENOENT;
    return -1;
  }
  if (node->isDir || (node->attributes & kAttrReadOnly)) {
    errno = EACCES;
    return -1;
  }
  m_nodes.erase(p);
  return 0;
}

std::unique_ptr<IFind> CMemoryFileSystem::FindFirst(const char* pattern, FindEntry& first) {
  std::string pat = pattern ? pattern : "";
  size_t cut = PathNameOffset(pat.c_str());
  std::string wild = pat.substr(cut);
  std::string folder = NormalizeMemoryPath(pat.substr(0, cut));
  if (wild.empty() || !IsFolder(folder)) {
    errno = ENOENT;
    return nullptr;
  }
  std::vector<FindEntry> entries;
  FindEntry e;
  if (!IsRoot(folder)) {
    for (const char* dot : {".", ".."})
      if (WildcardMatch(wild.c_str(), dot) && MakeEntry(dot, kAttrDirectory, 0, e)) entries.push_back(e);
  }
  for (const auto& kv : m_nodes) {
    if (ParentOf(kv.first) != folder) continue;
    std::string name = NameOf(kv.first);
    if (!WildcardMatch(wild.c_str(), name.c_str())) continue;
    const Node& n = *kv.second;
    if (MakeEntry(name, n.attributes, n.isDir ? 0 : n.bytes.size(), e)) entries.push_back(e);
  }
  if (entries.empty()) {
    errno = ENOENT;
    return nullptr;
  }
  first = entries[0];
  return std::make_unique<CMemoryFind>(std::move(entries));
}
