// CTSSubHeadWrite: writes a .tsl header from the signature to the owner text
// (the file name field that follows is CTrisels::EnCode's).
#ifndef MIRELKA_FILECIPHER_HEAD_WRITE_H
#define MIRELKA_FILECIPHER_HEAD_WRITE_H

#include <cstdint>

#include "common/filesystem.h"
#include "filecipher/job_state.h"
#include "filecipher/reporter.h"

class CTSSubHeadWrite {
 public:
  // out is the open result stream; the paths are the source (probed for its
  // time and attributes) and the result (named in reports).
  CTSSubHeadWrite(IFileSystem& fs, IFile& out, const char* srcPath, const char* outPath,
                  const CMyMessage& message);

  // 0 on success, otherwise the answer to a report: -1 or -3, or 4 when a
  // write failed and the user wants the whole file tried again (a failed
  // probe of the source is retried here and never gives 4).
  JobResult WriteFileHeader(const char* keyText, JobCounters counters);
  // The source's modify time as 14 digits of local time, zero-terminated.
  JobResult GetFileTime(const char* path, char szModifyTime[15], JobCounters counters);
  // The source's Windows attributes.
  JobResult GetAttribute(const char* path, uint32_t& dwAttr, JobCounters counters);

 private:
  JobResult Put(const void* bytes, size_t n);

  IFileSystem& m_fs;
  IFile& m_outfp;
  const char* m_srcPath;
  const char* m_outPath;
  CMyMessage m_message;
};

// The filler byte that follows verification byte i, from 1 to 20. Seeded like
// the original writer (time + i + signed code byte) but with a private
// generator, so no global random state is touched.
unsigned char HeaderFillerByte(int64_t now, int i, unsigned char codeByte);

#endif
