// CTrisels: encrypts or decrypts one file at a time for a Trisel job.
//
// One object serves every file of one folder listing. Trisel() checks the
// extension, opens the source, names and creates the result next to it,
// writes or reads the header, codes the payload and, after a decryption,
// restores the stored modify time and attributes. Every problem goes through
// the reporter, whose answer decides whether the step is retried, the file
// skipped or the job stopped.
#ifndef MIRELKA_FILECIPHER_TRISELS_H
#define MIRELKA_FILECIPHER_TRISELS_H

#include <atomic>
#include <cstdint>
#include <memory>
#include <string>

#include "common/filesystem.h"
#include "filecipher/coder_view.h"
#include "filecipher/job_state.h"
#include "filecipher/reporter.h"
#include "filecipher/tsl_format.h"

// What a job does with its files. The folder walk also makes a count pass,
// which never reaches the coder.
enum : int {
  kModeDecrypt = 0,
  kModeEncrypt = 1,
  kModeCount = -1,
};

class CTrisels {
 public:
  CTrisels(IFileSystem& fs, IReportUI& ui, ITriselView& view, JobState& job);
  virtual ~CTrisels();
  CTrisels(const CTrisels&) = delete;
  CTrisels& operator=(const CTrisels&) = delete;

  // Codes one file: mode 1 encrypts path into path + ".tsl", mode 0 decrypts
  // a .tsl file into the path without that extension. keyText is the job's
  // zero-terminated key (at least one byte). subFolders and deleteSource
  // travel along unused. counters is updated in place (count, ok, warn,
  // err), overwriteAll may be set, pCancel (may be null) is the job's coding
  // cancel word. Returns 0 done, -3 skipped, -1 stop the job, -2 cancelled.
  // A result other than 0 leaves no incomplete result file behind; an
  // existing file that the user chose not to overwrite is never touched.
  JobResult Trisel(const char* path, const char* keyText, int subFolders, int mode,
                   int deleteSource, JobCounters& counters, OverwriteAll* overwriteAll,
                   const std::atomic<int32_t>* pCancel);

  // The steps of Trisel, public for the callers that drive them alone.
  // Open the source, create the result and write (EnCode) or read and check
  // (DeCode) the header. 0 when the payload may follow.
  JobResult EnCode(const char* path, const char* keyText, JobCounters& counters,
                   OverwriteAll* overwriteAll);
  JobResult DeCode(const char* path, const char* keyText, OverwriteAll* overwriteAll,
                   JobCounters& counters, TslHeader& header);
  // Codes what remains of the open source into the open result, in blocks,
  // key position 1, 2, ... 30001, then 1 again. payloadSize only scales the
  // per-file bar. 0 done, -2 cancelled, else the answer to the read or write
  // failure report (-1 or -3).
  JobResult RunCoding(const char* keyText, double payloadSize, JobCounters counters,
                      const std::atomic<int32_t>* pCancel);

  // Bytes per block of RunCoding: the cancel word is looked at after each.
  static const size_t kBlockSize = 1 << 20;

 private:
  JobResult ApplyExistenceRule(const char* resultName, const char* tag, JobCounters& counters,
                               OverwriteAll* overwriteAll);
  JobResult OpenSource(const char* path, const char* tag, JobCounters& counters);
  JobResult OpenResult(const char* resultName, const char* tag, JobCounters& counters);
  int CloseStreams();
  void ResetFile();

  IFileSystem& m_fs;
  ITriselView& m_view;
  JobState& m_job;
  CMyMessage m_message;
  std::unique_ptr<IFile> m_infp;
  std::unique_ptr<IFile> m_outfp;
  char szInputPathFname[260];
  char m_outputPath[260];  // szEncodingFname or szDecodingFname; empty until settled
  bool m_created;  // this call created (or emptied) the file at m_outputPath
  std::unique_ptr<unsigned char[]> m_block;  // RunCoding's block and key stream, made on first use
  std::string m_streamKey;                   // the key text the stream was made for
};

#endif
