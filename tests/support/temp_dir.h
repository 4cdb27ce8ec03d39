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

  // The folder's path with the platform's separator at the end, + name.
  std::string operator/(const std::string& name) const { return m_path + name; }
  // Relative to the folder: a file with the given bytes (true on success),
  // the bytes of a file ("" when it cannot be read).
  bool WriteFile(const std::string& name, const std::string& bytes) const;
  std::string ReadFile(const std::string& name) const;

 private:
  std::string m_path;
};

#endif
