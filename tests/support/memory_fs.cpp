#include "support/memory_fs.h"

#include <cerrno>
#include <cstring>

#include "common/path.h"
#include "common/wildcard.h"

struct CMemoryFileSystem::Node {
  explicit Node(bool dir) : isDir(dir), attributes(dir ? kAttrDirectory : kAttrArchive) {}
  bool isDir;
  std::string bytes;
  time_t mtime = 0;
  uint32_t attributes;
  bool ReadOnlyFile() const { return !isDir && (attributes & kAttrReadOnly); }
};

namespace {

using Node = CMemoryFileSystem::Node;

bool IsRoot(const std::string& p) { return p.empty() || p == "/" || (p.size() == 2 && p[1] == ':'); }

// The key of a path: one '/' for every run of separators, none at the end.
// A CP949 trail byte is never taken for a separator.
std::string Normalize(const std::string& path) {
  std::string out;
  for (size_t i = 0; i < path.size(); ++i) {
    bool sep = path[i] == '\\' || path[i] == '/';
    if (!sep) out += path[i];
    else if (out.empty() || out.back() != '/') out += '/';
    if (!sep && IsCp949Lead(static_cast<unsigned char>(path[i])) && i + 1 < path.size()) out += path[++i];
  }
  if (out.size() > 1 && out.back() == '/') out.pop_back();
  return out;
}

// The folder part of a normalized path ("" for a top-level name).
std::string ParentOf(const std::string& p) {
  size_t cut = PathNameOffset(p.c_str());
  return cut == 0 ? (IsRoot(p) ? p : std::string()) : cut == 1 ? "/" : p.substr(0, cut - 1);
}

template <typename T>
T Fail(int err, T result) { return errno = err, result; }

// An open file works on the node itself, so what one handle writes the next
// read sees, as with a real disk.
class CMemoryFile : public IFile {
 public:
  CMemoryFile(int& openFiles, std::shared_ptr<Node> node, bool write)
      : m_openFiles(++openFiles), m_node(std::move(node)), m_write(write) {}
  ~CMemoryFile() override { m_openFiles -= m_open; }

  size_t Read(void* buf, size_t n) override {
    if (m_write) return Broken();
    const std::string& b = m_node->bytes;
    size_t k = m_pos < b.size() ? std::min<size_t>(n, b.size() - m_pos) : 0;
    if (k) std::memcpy(buf, b.data() + m_pos, k);
    m_pos += k, m_eof = k < n;
    return k;
  }
  size_t Write(const void* buf, size_t n) override {
    if (!m_write) return Broken();
    std::string& b = m_node->bytes;
    if (b.size() < m_pos + n) b.resize(m_pos + n, '\0');
    std::memcpy(&b[m_pos], buf, n);
    m_pos += n, m_node->mtime = 0;
    return n;
  }
  int Seek(int64_t offset, int whence) override {
    size_t base = whence == SEEK_END ? m_node->bytes.size() : whence == SEEK_CUR ? m_pos : 0;
    if (static_cast<int64_t>(base) + offset < 0) return Fail(EINVAL, -1);
    return m_pos = static_cast<size_t>(base + offset), m_eof = false, 0;
  }
  int64_t Tell() override { return static_cast<int64_t>(m_pos); }
  bool Eof() const override { return m_eof; }
  bool Error() const override { return m_error; }
  int Flush() override { return 0; }
  int Close() override { return !m_open ? Fail(EBADF, -1) : (m_open = false, --m_openFiles, 0); }

 private:
  size_t Broken() { return m_error = true, Fail(EBADF, size_t{0}); }

  int& m_openFiles;
  std::shared_ptr<Node> m_node;
  bool m_write, m_open = true, m_eof = false, m_error = false;
  size_t m_pos = 0;
};

class CMemoryFind : public IFind {
 public:
  explicit CMemoryFind(std::vector<FindEntry> entries) : m_entries(std::move(entries)) {}
  bool Next(FindEntry& entry) override { return m_next < m_entries.size() && (entry = m_entries[m_next++], true); }

 private:
  std::vector<FindEntry> m_entries;
  size_t m_next = 1;  // the first one went out with FindFirst
};

}  // namespace

CMemoryFileSystem::CMemoryFileSystem() : m_root(std::make_shared<Node>(true)) {}

std::shared_ptr<Node> CMemoryFileSystem::Lookup(const std::string& p) const {
  auto it = m_nodes.find(p);
  return IsRoot(p) ? m_root : it == m_nodes.end() ? nullptr : it->second;
}

std::shared_ptr<Node> CMemoryFileSystem::Need(const char* path) const {
  auto node = Lookup(Normalize(path ? path : ""));
  return node ? node : Fail(ENOENT, node);
}

void CMemoryFileSystem::AddFolder(const std::string& path) {
  std::string p = Normalize(path);
  if (IsRoot(p)) return;
  AddFolder(ParentOf(p));
  auto& node = m_nodes[p];
  if (!node || !node->isDir) node = std::make_shared<Node>(true);
}

void CMemoryFileSystem::AddFile(const std::string& path, const std::string& bytes, time_t mtime,
                                uint32_t attributes) {
  std::string p = Normalize(path);
  AddFolder(ParentOf(p));
  auto& node = m_nodes[p] = std::make_shared<Node>(false);
  node->bytes = bytes, node->mtime = mtime, node->attributes = attributes & ~uint32_t{kAttrDirectory};
}

bool CMemoryFileSystem::Exists(const std::string& path) const { return Lookup(Normalize(path)) != nullptr; }

std::string CMemoryFileSystem::Contents(const std::string& path) const {
  auto n = Lookup(Normalize(path));
  return n && !n->isDir ? n->bytes : std::string();
}

time_t CMemoryFileSystem::MTime(const std::string& path) const {
  auto n = Lookup(Normalize(path));
  return n ? n->mtime : 0;
}

std::vector<std::string> CMemoryFileSystem::Files() const {
  std::vector<std::string> out;
  for (const auto& kv : m_nodes)
    if (!kv.second->isDir) out.push_back(kv.first);
  return out;
}

std::unique_ptr<IFile> CMemoryFileSystem::Open(const char* path, const char* mode) {
  if (!path || !*path || !mode || !*mode || !std::strchr("rw", mode[0])) return Fail(EINVAL, nullptr);
  std::string p = Normalize(path);
  const bool write = mode[0] == 'w';  // the programs open files "rb" or "wb"
  auto node = Lookup(p), parent = node ? node : Lookup(ParentOf(p));
  if (node && (node->isDir || (write && node->ReadOnlyFile()))) return Fail(EACCES, nullptr);
  if (!node && (!write || !parent || !parent->isDir)) return Fail(ENOENT, nullptr);
  if (!node) node = m_nodes[p] = std::make_shared<Node>(false);
  if (write) node->bytes.clear(), node->mtime = 0;
  return std::make_unique<CMemoryFile>(m_openFiles, node, write);
}

int CMemoryFileSystem::Stat(const char* path, FileStat& st) {
  auto node = Need(path);
  if (node) st = {node->isDir ? 0 : node->bytes.size(), node->mtime, node->isDir};
  return node ? 0 : -1;
}

uint32_t CMemoryFileSystem::GetAttributes(const char* path) {
  auto node = Need(path);
  return node ? node->attributes : kAttrInvalid;
}

bool CMemoryFileSystem::SetAttributes(const char* path, uint32_t attributes) {
  auto node = Need(path);
  if (node) node->attributes = (attributes & ~uint32_t{kAttrDirectory}) | (node->attributes & kAttrDirectory);
  return node != nullptr;
}

int CMemoryFileSystem::SetTime(const char* path, time_t t) {
  auto node = Need(path);
  if (node && node->ReadOnlyFile()) return Fail(EACCES, -1);
  return node ? (node->mtime = t, 0) : -1;
}

int CMemoryFileSystem::Remove(const char* path) {
  auto node = Need(path);
  if (node && (node->isDir || node->ReadOnlyFile())) return Fail(EACCES, -1);
  return node && m_nodes.erase(Normalize(path)) ? 0 : -1;
}

int CMemoryFileSystem::MakeFolder(const char* path) {
  std::string p = Normalize(path ? path : "");
  if (IsRoot(p) || Lookup(p)) return Fail(EEXIST, -1);
  auto parent = Lookup(ParentOf(p));
  if (!parent || !parent->isDir) return Fail(ENOENT, -1);
  return m_nodes[p] = std::make_shared<Node>(true), 0;
}

int CMemoryFileSystem::RemoveFolder(const char* path) {
  std::string p = Normalize(path ? path : "");
  auto node = Need(path);
  if (!node) return -1;
  if (!node->isDir || IsRoot(p)) return Fail(ENOTDIR, -1);
  for (const auto& kv : m_nodes)
    if (ParentOf(kv.first) == p) return Fail(ENOTEMPTY, -1);
  return m_nodes.erase(p), 0;
}

std::unique_ptr<IFind> CMemoryFileSystem::FindFirst(const char* pattern, FindEntry& first) {
  std::string pat = pattern ? pattern : "";
  size_t cut = PathNameOffset(pat.c_str());
  const char* wild = pat.c_str() + cut;
  std::string folder = Normalize(pat.substr(0, cut));
  auto dir = Lookup(folder);
  if (!*wild || !dir || !dir->isDir) return Fail(ENOENT, nullptr);
  std::vector<FindEntry> entries;
  auto add = [&](const std::string& name, const Node& n) {
    FindEntry e;
    if (name.size() >= sizeof e.name || !WildcardMatch(wild, name.c_str())) return;
    std::memcpy(e.name, name.c_str(), name.size() + 1);
    e.attributes = n.attributes, e.size = n.isDir ? 0 : n.bytes.size();
    entries.push_back(e);
  };
  if (!IsRoot(folder))
    for (const char* dot : {".", ".."}) add(dot, *m_root);
  for (const auto& kv : m_nodes)
    if (ParentOf(kv.first) == folder) add(kv.first.substr(PathNameOffset(kv.first.c_str())), *kv.second);
  if (entries.empty()) return Fail(ENOENT, nullptr);
  first = entries[0];
  return std::make_unique<CMemoryFind>(std::move(entries));
}
