// Speed figures for the payload coder (scripts/bench.d/filecipher.sh):
//
//   filecipher_bench getc SRC DST      XOR-copy one byte at a time with
//                                      getc/putc, the plain reference loop
//   filecipher_bench encrypt SRC       SRC -> SRC.tsl through CTrisels
//   filecipher_bench decrypt SRC.tsl   SRC.tsl -> SRC through CTrisels
//
// Existing results are overwritten without a question. Exit code 0 on
// success, 1 on a failure or bad arguments.
#include <cstdio>
#include <cstring>

#include "common/filesystem.h"
#include "filecipher/report_ui.h"
#include "filecipher/trisels.h"

namespace {

const char kKey[] = "hcneb5";  // the key text of the password "bench"

int GetcLoop(const char* src, const char* dst) {
  FILE* in = std::fopen(src, "rb");
  if (!in) return 1;
  FILE* out = std::fopen(dst, "wb");
  if (!out) {
    std::fclose(in);
    return 1;
  }
  const size_t len = std::strlen(kKey);
  int p = 0;
  int c;
  while ((c = std::getc(in)) != EOF) {
    ++p;
    if (std::putc(c ^ kKey[p % len], out) == EOF) break;
    if (p > 30000) p = 0;
  }
  int rc = std::ferror(in) || std::ferror(out) ? 1 : 0;
  std::fclose(in);
  if (std::fclose(out) != 0) rc = 1;
  return rc;
}

class CYesUI : public CNullReportUI {
 public:
  int AskOverwrite(const char*) override { return kAnswerYes; }
};

int Code(const char* path, int mode) {
  CYesUI ui;
  CNullTriselView view;
  JobState job;
  JobCounters counters;
  OverwriteAll overwrite;
  overwrite.yesToAll = 1;
  CTrisels coder(RealFileSystem(), ui, view, job);
  int rc = coder.Trisel(path, kKey, 0, mode, 0, counters, &overwrite, &job.cancel);
  return rc == 0 ? 0 : 1;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc == 4 && std::strcmp(argv[1], "getc") == 0) return GetcLoop(argv[2], argv[3]);
  if (argc == 3 && std::strcmp(argv[1], "encrypt") == 0) return Code(argv[2], kModeEncrypt);
  if (argc == 3 && std::strcmp(argv[1], "decrypt") == 0) return Code(argv[2], kModeDecrypt);
  std::fprintf(stderr, "usage: filecipher_bench getc SRC DST | encrypt SRC | decrypt SRC.tsl\n");
  return 1;
}
