#include "support/temp_dir.h"

#include <cerrno>
#include <cstdio>
#include <cstdlib>

#include "common/filesystem.h"

#include <sys/stat.h>
#include <unistd.h>
#ifdef _WIN32
#include <direct.h>
#define mkdir(path, mode) _mkdir(path)
static const char kSep = '\\';
#else
static const char kSep = '/';
#endif

namespace {

// Deletes everything below folder (which ends with a separator), read-only
// files included, then the folder itself.
void RemoveTree(const std::string& folder) {
  IFileSystem& fs = RealFileSystem();
  FindEntry e;
  if (auto find = fs.FindFirst((folder + "*").c_str(), e)) do {
      std::string name = e.name, path = folder + name;
      if (e.IsDir() && name != "." && name != "..") RemoveTree(path + kSep);
      if (!e.IsDir() && fs.SetAttributes(path.c_str(), kAttrArchive)) fs.Remove(path.c_str());
    } while (find->Next(e));
  rmdir(folder.substr(0, folder.size() - 1).c_str());
}

}  // namespace

CTempDir::CTempDir() {
  static unsigned serial = 0;
  // Wine hands Unix variables such as TMPDIR through unchanged; only the
  // Windows ones hold Windows paths.
  const char* v = std::getenv(kSep == '/' ? "TMPDIR" : "TEMP");
  std::string root = v && *v ? v : kSep == '/' ? "/tmp" : "C:";
  if (root.back() != '/' && root.back() != '\\') root += kSep;
  const std::string prefix = root + "mirelka-test-" + std::to_string(static_cast<int>(getpid())) + "-";
  int rc;
  while ((rc = mkdir((m_path = prefix + std::to_string(++serial)).c_str(), 0700)) != 0 && errno == EEXIST) {}
  if (rc != 0) std::fprintf(stderr, "CTempDir: cannot create %s\n", m_path.c_str()), std::abort();
  m_path += kSep;
}

CTempDir::~CTempDir() { RemoveTree(m_path); }

bool CTempDir::WriteFile(const std::string& name, const std::string& bytes) const {
  auto f = RealFileSystem().Open((m_path + name).c_str(), "wb");
  return f && f->Write(bytes.data(), bytes.size()) == bytes.size() && f->Close() == 0;
}

std::string CTempDir::ReadFile(const std::string& name) const {
  std::string out;
  char buf[4096];
  auto f = RealFileSystem().Open((m_path + name).c_str(), "rb");
  for (size_t n; f && (n = f->Read(buf, sizeof buf)) > 0;) out.append(buf, n);
  return out;
}
