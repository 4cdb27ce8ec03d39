#include "common/posix/native_paths.h"

#include <cstring>

#include "common/charset.h"

namespace {

bool IsAscii(const std::string& s) {
  for (unsigned char c : s)
    if (c >= 0x80) return false;
  return true;
}

// Converts only when the way back gives the same bytes, so that a name
// which is not really in the source character set stays untouched.
std::string RoundTrip(Charset to, Charset from, const std::string& in, bool* ok) {
  std::string out, back;
  bool converted =
      !IsAscii(in) && ConvertText(from, to, in, out) && ConvertText(to, from, out, back) && back == in;
  if (ok) *ok = converted || IsAscii(in);
  return converted ? out : in;
}

class CNativeFind : public IFind {
 public:
  explicit CNativeFind(std::unique_ptr<IFind> inner) : m_inner(std::move(inner)) {}
  bool Next(FindEntry& entry) override {
    if (!m_inner->Next(entry)) return false;
    ToCp949(entry);
    return true;
  }
  static void ToCp949(FindEntry& entry) {
    std::string name = NativeToCp949(entry.name);
    if (name.size() < sizeof entry.name) {
      std::memcpy(entry.name, name.c_str(), name.size() + 1);
    }
  }

 private:
  std::unique_ptr<IFind> m_inner;
};

}  // namespace


std::string Cp949ToNative(const std::string& cp949, bool* ok) {
  return RoundTrip(Charset::Terminal, Charset::Cp949, cp949, ok);
}

std::string NativeToCp949(const std::string& native, bool* ok) {
  return RoundTrip(Charset::Cp949, Charset::Terminal, native, ok);
}

std::unique_ptr<IFile> CNativePathFileSystem::Open(const char* path, const char* mode) {
  return m_inner.Open(Cp949ToNative(path).c_str(), mode);
}

int CNativePathFileSystem::Stat(const char* path, FileStat& st) { return m_inner.Stat(Cp949ToNative(path).c_str(), st); }

uint32_t CNativePathFileSystem::GetAttributes(const char* path) {
  return m_inner.GetAttributes(Cp949ToNative(path).c_str());
}

bool CNativePathFileSystem::SetAttributes(const char* path, uint32_t attributes) {
  return m_inner.SetAttributes(Cp949ToNative(path).c_str(), attributes);
}

int CNativePathFileSystem::SetTime(const char* path, time_t t) { return m_inner.SetTime(Cp949ToNative(path).c_str(), t); }

int CNativePathFileSystem::Remove(const char* path) { return m_inner.Remove(Cp949ToNative(path).c_str()); }

int CNativePathFileSystem::MakeFolder(const char* path) { return m_inner.MakeFolder(Cp949ToNative(path).c_str()); }

int CNativePathFileSystem::RemoveFolder(const char* path) {
  return m_inner.RemoveFolder(Cp949ToNative(path).c_str());
}

std::unique_ptr<IFind> CNativePathFileSystem::FindFirst(const char* pattern, FindEntry& first) {
  std::unique_ptr<IFind> inner = m_inner.FindFirst(Cp949ToNative(pattern).c_str(), first);
  if (!inner) return nullptr;
  CNativeFind::ToCp949(first);
  return std::make_unique<CNativeFind>(std::move(inner));
}
