// Test doubles for the text-block cipher: a key-file view that records what
// it is shown and a coder host over byte buffers.
#ifndef MIRELKA_TESTS_TEXTCIPHER_FAKES_H
#define MIRELKA_TESTS_TEXTCIPHER_FAKES_H

#include <algorithm>
#include <cstring>
#include <string>
#include <vector>

#include "textcipher/keyfile_view.h"
#include "textcipher/text_coder_host.h"

struct CRecordingKeyFileView : IKeyFileView {
  explicit CRecordingKeyFileView(KeyFileProgram p = KeyFileProgram::Mirelka) : program(p) {}
  KeyFileProgram Program() const override { return program; }
  void Show() override { ++shown; }
  void SetRange(int32_t low, int32_t high) override { range = {low, high}; }
  void SetPosition(int32_t pos) override { positions.push_back(pos); }
  void SetText(const char* t) override { text = t; }
  void ShowWarning(const char* t) override { warnings.push_back(t); }
  // Cancels once the position cancelAt has been shown.
  bool CancelRequested() override { return cancelAt >= 0 && !positions.empty() && positions.back() >= cancelAt; }
  void Finish() override { ++finished; }

  KeyFileProgram program;
  int cancelAt = -1, shown = 0, finished = 0;
  std::vector<int32_t> range, positions;
  std::string text;
  std::vector<std::string> warnings;
};

// Writes nothing to `result` until the coder writes; answers No.
struct CBufferCoderHost : ITextCoderHost {
  explicit CBufferCoderHost(std::string text) : source(std::move(text)) {}
  uint32_t SourceLength() override { return static_cast<uint32_t>(source.size()); }
  uint32_t ReadSource(char* buf, uint32_t size) override {
    uint32_t n = static_cast<uint32_t>(std::min<size_t>(source.size(), size - 1));
    std::memcpy(buf, source.data(), n);
    return buf[n] = 0, n;
  }
  void WriteResult(const char* text, uint32_t length) override { result.assign(text, length); }
  bool AskYesNo(const char*) override { return false; }
  void SendFindCommand() override {}

  std::string source, result;
};

#endif
