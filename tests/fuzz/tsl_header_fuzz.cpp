// Fuzz target: any bytes as a .tsl file through a whole decryption on an
// in-memory disk. Nothing may crash, hang, overrun or leak, the source must
// stay as it was, and a refused file must leave no result behind.
#include <cstdlib>

#include "common/log.h"
#include "filecipher/report_ui.h"
#include "filecipher/trisels.h"
#include "filecipher/verify_code.h"
#include "support/memory_fs.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  static const char kKey[] = "drowssap8";
  static unsigned runs = 0;
  if (runs++ == 0) TheRunLog().SetDebugEnabled(true);  // the logs lie beside the program
  if (runs % 4096 == 0) TheRunLog().CloseFiles();      // the next write starts them afresh
  // An odd first byte puts the right magic and verification code in place,
  // so that half of the inputs get past the password to the later fields.
  std::string bytes(reinterpret_cast<const char*>(data), size);
  if (size > 42 && (data[0] & 1)) {
    unsigned char code[kVerifyCodeLen + 1];
    MakeVerifyCode(kKey, code);
    for (int i = 0; i < kVerifyCodeLen; ++i) bytes[2 + 2 * i] = static_cast<char>(code[i]);
    bytes[0] = 0x0E, bytes[1] = 0x14;
  }
  CMemoryFileSystem fs;
  fs.AddFile("C:\\f\\x.tsl", bytes);
  CNullReportUI ui;
  CNullTriselView view;
  JobState job;
  CTrisels coder(fs, ui, view, job);
  JobCounters counters;
  OverwriteAll overwrite;
  int rc = coder.Trisel("C:\\f\\x.tsl", kKey, 0, kModeDecrypt, 0, counters, &overwrite, &job.cancel);
  if (rc != 0 && rc != -3) std::abort();
  if (fs.Exists("C:\\f\\x") != (rc == 0) || (rc == 0 ? counters.ok : counters.err) != 1) std::abort();
  if (fs.Contents("C:\\f\\x.tsl") != bytes || fs.OpenFiles() != 0) std::abort();
  return 0;
}
