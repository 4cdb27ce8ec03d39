// A fresh, uniquely named folder on the real disk for a test, removed with
// everything in it when the object goes. Works natively and under Wine (it
// lies in the system's temporary folder there).
#ifndef MIRELKA_TESTS_SUPPORT_TEMP_DIR_H
#define MIRELKA_TESTS_SUPPORT_TEMP_DIR_H

#include <string>

class CTempDir {
 public:
  CTempDir();
  ~CTempDir();
  CTempDir(const CTempDir&) = delete;
  CTempDir& operator=(const CTempDir&) = delete;

  // The folder's path with the platform's separator at the end
  // ("/tmp/mirelka-XXXXXX/", "C:\\users\\...\\Temp\\mirelka-1234-1\\").
  const std::string& Path() const { return m_path; }
  // Path() + name; name may hold further separators of the platform.
  std::string operator/(const std::string& name) const { return m_path + name; }
  // Creates a sub-folder (relative to Path()); true on success.
  bool MakeDir(const std::string& name) const;
  // Writes a file (relative to Path()) with the given bytes; true on success.
  bool WriteFile(const std::string& name, const std::string& bytes) const;
  // Reads a whole file (relative to Path()); "" when it cannot be read.
  std::string ReadFile(const std::string& name) const;

 private:
  std::string m_path;
};

// The platform's folder separator: '\\' on Windows, '/' elsewhere.
char NativeSeparator();

#endif
