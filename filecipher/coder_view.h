// What the file coder shows while it works: the counter text (1006), the
// current file's name (1005), the per-file bar (1002) and the overall bar
// (1003) of Trisel's main dialog. The dialog implements it over its
// controls, the console over the terminal; CNullTriselView shows nothing.
// All calls come from the job's worker thread.
#ifndef MIRELKA_FILECIPHER_CODER_VIEW_H
#define MIRELKA_FILECIPHER_CODER_VIEW_H

#include <cstdint>

class ITriselView {
 public:
  virtual ~ITriselView() = default;
  // "3 / 10 files..." for the third file of ten (control 1006).
  virtual void SetCounterText(const char* text) = 0;
  // The current file's name and extension, no folder (control 1005).
  virtual void SetFileName(const char* name) = 0;
  // Per-file bar: range 0..100, step 1, position 0.
  virtual void FileBarReset() = 0;
  // Per-file bar: one step. Called 100 times per file in all.
  virtual void FileBarStep() = 0;
  // Overall bar: range 0..total (the Win32 bar keeps the low 16 bits),
  // step 1, position 0. Set by the job runner before the process pass.
  virtual void OverallBarReset(uint32_t total) = 0;
  // Overall bar: one step, when a file ends done or skipped.
  virtual void OverallBarStep() = 0;
};

class CNullTriselView : public ITriselView {
 public:
  void SetCounterText(const char*) override {}
  void SetFileName(const char*) override {}
  void FileBarReset() override {}
  void FileBarStep() override {}
  void OverallBarReset(uint32_t) override {}
  void OverallBarStep() override {}
};

#endif
