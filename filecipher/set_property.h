// CTSSubSetProperty: gives a decrypted file the modify time and attributes
// stored in its header. Failures are warnings that leave the file's result
// alone.
#ifndef MIRELKA_FILECIPHER_SET_PROPERTY_H
#define MIRELKA_FILECIPHER_SET_PROPERTY_H

#include <cstdint>

#include "common/filesystem.h"
#include "filecipher/reporter.h"

class CTSSubSetProperty {
 public:
  CTSSubSetProperty(IFileSystem& fs, const char* srcPath, const char* resultPath,
                    const CMyMessage& message);

  // The time first, so that a read-only attribute cannot block it. szChown
  // and umode are accepted and not applied. Nothing is done when the result
  // path is empty.
  void SetProperty(const char* szModifyTime, uint32_t dwAttr, const char* szChown,
                   uint32_t umode);

 private:
  IFileSystem& m_fs;
  const char* m_srcPath;
  const char* m_resultPath;
  CMyMessage m_message;
};

// The local time a "YYYYMMDDhhmmss" text names, or -1 when it names none.
int64_t ParseModifyTime(const char* szModifyTime);

#endif
