#include "support/temp_dir.h"

#include <sys/stat.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <string>
#include <vector>

#include "common/filesystem.h"

#ifdef _WIN32
#include <direct.h>
#include <process.h>
#else
#include <unistd.h>
#endif

namespace {

int MakeFolder(const std::string& path) {
#ifdef _WIN32
  return _mkdir(path.c_str());
#else
  return mkdir(path.c_str(), 0700);
#endif
}

int RemoveFolder(const std::string& path) {
#ifdef _WIN32
  return _rmdir(path.c_str());
#else
  return rmdir(path.c_str());
#endif
}

std::string TempRoot() {
#ifdef _WIN32
  // Wine hands Unix variables such as TMPDIR through unchanged; only the
  // Windows ones hold Windows paths.
  const char* const vars[] = {"TEMP", "TMP"};
#else
  const char* const vars[] = {"TMPDIR"};
#endif
  for (const char* var : vars) {
    const char* v = std::getenv(var);
    if (v && *v) {
      std::string root(v);
      if (root.back() != '/' && root.back() != '\\') root += NativeSeparator();
      return root;
    }
  }
#ifdef _WIN32
  return "C:\\";
#else
  return "/tmp/";
#endif
}

// Deletes everything below folder (which ends with a separator), read-only
// files included, then the folder itself.
void RemoveTree(const std::string& folder) {
  IFileSystem& fs = RealFileSystem();
  std::vector<FindEntry> entries;
  FindEntry e;
  if (auto find = fs.FindFirst((folder + "*").c_str(), e)) {
    do {
      entries.push_back(e);
    } while (find->Next(e));
  }
  for (const FindEntry& entry : entries) {
    std::string name(entry.name);
    if (name == "." || name == "..") continue;
    std::string path = folder + name;
    if (entry.IsDir()) {
      RemoveTree(path + NativeSeparator());
    } else {
      fs.SetAttributes(path.c_str(), kAttrArchive);
      fs.Remove(path.c_str());
    }
  }
  RemoveFolder(folder.substr(0, folder.size() - 1));
}

}  // namespace

char NativeSeparator() {
#ifdef _WIN32
  return '\\';
#else
  return '/';
#endif
}

CTempDir::CTempDir() {
  std::string root = TempRoot();
#ifdef _WIN32
  int pid = _getpid();
#else
  int pid = static_cast<int>(getpid());
#endif
  static unsigned serial = 0;
  for (unsigned attempt = 0; attempt < 1000; ++attempt) {
    std::string candidate = root + "mirelka-test-" + std::to_string(pid) + "-" +
                            std::to_string(static_cast<long long>(std::time(nullptr)) % 100000) + "-" +
                            std::to_string(++serial);
    if (MakeFolder(candidate) == 0) {
      m_path = candidate + NativeSeparator();
      return;
    }
    if (errno != EEXIST) break;
  }
  std::fprintf(stderr, "CTempDir: cannot create a folder under %s\n", root.c_str());
  std::abort();
}

CTempDir::~CTempDir() { RemoveTree(m_path); }

bool CTempDir::MakeDir(const std::string& name) const { return MakeFolder(m_path + name) == 0; }

bool CTempDir::WriteFile(const std::string& name, const std::string& bytes) const {
  FILE* fp = std::fopen((m_path + name).c_str(), "wb");
  if (!fp) return false;
  bool ok = std::fwrite(bytes.data(), 1, bytes.size(), fp) == bytes.size();
  return std::fclose(fp) == 0 && ok;
}

std::string CTempDir::ReadFile(const std::string& name) const {
  FILE* fp = std::fopen((m_path + name).c_str(), "rb");
  if (!fp) return std::string();
  std::string out;
  char buf[4096];
  size_t n;
  while ((n = std::fread(buf, 1, sizeof buf, fp)) > 0) out.append(buf, n);
  std::fclose(fp);
  return out;
}
