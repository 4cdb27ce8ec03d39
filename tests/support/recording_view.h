// A Trisel view for tests that keeps what the coder showed.
#ifndef MIRELKA_TESTS_SUPPORT_RECORDING_VIEW_H
#define MIRELKA_TESTS_SUPPORT_RECORDING_VIEW_H

#include <string>
#include <vector>

#include "filecipher/coder_view.h"

class CRecordingView : public ITriselView {
 public:
  std::string counterText;
  std::string fileName;
  int fileSteps = 0;  // steps since the last reset
  int overallSteps = 0;

  void SetCounterText(const char* text) override { counterText = text; }
  void SetFileName(const char* name) override { fileName = name; }
  void FileBarReset() override { fileSteps = 0; }
  void FileBarStep() override { ++fileSteps; }
  void OverallBarReset(uint32_t) override { overallSteps = 0; }
  void OverallBarStep() override { ++overallSteps; }
};

#endif
