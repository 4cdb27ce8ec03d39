// Test doubles for the text-block cipher: a key-file view that records what
// it was shown, a coder host over byte buffers, and a file system with one
// file of any size whose bytes are computed from their offset (for sizes far
// beyond what a test wants to hold in memory).
#ifndef MIRELKA_TESTS_TEXTCIPHER_FAKES_H
#define MIRELKA_TESTS_TEXTCIPHER_FAKES_H

#include <cerrno>
#include <cstdint>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include "common/filesystem.h"
#include "textcipher/keyfile_view.h"
#include "textcipher/text_coder_host.h"

class CRecordingKeyFileView : public IKeyFileView {
 public:
  explicit CRecordingKeyFileView(KeyFileProgram program = KeyFileProgram::Mirelka) : m_program(program) {}

  KeyFileProgram Program() const override { return m_program; }
  void Show() override { ++shown; }
  void SetRange(int32_t low, int32_t high) override {
    rangeLow = low;
    rangeHigh = high;
  }
  void SetPosition(int32_t pos) override { positions.push_back(pos); }
  void SetText(const char* t) override { text = t; }
  void ShowWarning(const char* t) override { warnings.push_back(t); }
  bool CancelRequested() override { return cancelAt >= 0 && !positions.empty() && positions.back() >= cancelAt; }
  void Finish() override { ++finished; }

  int cancelAt = -1;  // cancel once this position has been shown
  int shown = 0;
  int finished = 0;
  int32_t rangeLow = -1, rangeHigh = -1;
  std::vector<int32_t> positions;
  std::string text;
  std::vector<std::string> warnings;

 private:
  KeyFileProgram m_program;
};

class CBufferCoderHost : public ITextCoderHost {
 public:
  explicit CBufferCoderHost(std::string text) : source(std::move(text)) {}

  uint32_t SourceLength() override { return static_cast<uint32_t>(source.size()); }
  uint32_t ReadSource(char* buf, uint32_t size) override {
    std::string text = shrinkTo < source.size() ? source.substr(0, shrinkTo) : source;
    uint32_t n = static_cast<uint32_t>(text.size());
    if (n > size - 1) n = size - 1;
    std::memcpy(buf, text.data(), n);
    buf[n] = 0;
    return n;
  }
  void WriteResult(const char* text, uint32_t length) override {
    result.assign(text, length);
    ++writes;
  }
  bool AskYesNo(const char* text) override {
    questions.push_back(text);
    return answerYes;
  }
  void SendFindCommand() override { ++findCommands; }

  std::string source;
  size_t shrinkTo = std::string::npos;  // ReadSource returns only this many bytes
  bool answerYes = false;
  std::string result;
  int writes = 0;
  int findCommands = 0;
  std::vector<std::string> questions;
};

// Byte at offset x of a pattern file; never the same for neighbours.
inline unsigned char PatternByte(int64_t x) {
  uint64_t v = static_cast<uint64_t>(x) * 0x9E3779B97F4A7C15ull;
  return static_cast<unsigned char>((v >> 56) ^ (v >> 29));
}

// One file, "big.bin", of `size` bytes. Reads past `endAt` meet the end of
// the file (a file that shrank after its size was taken). Records the
// offsets of every absolute seek.
class CPatternFileSystem : public IFileSystem {
 public:
  explicit CPatternFileSystem(int64_t fileSize) : size(fileSize), endAt(fileSize) {}

  std::unique_ptr<IFile> Open(const char* path, const char* mode) override;
  int Stat(const char*, FileStat&) override { return Fail(); }
  uint32_t GetAttributes(const char*) override { Fail(); return kAttrInvalid; }
  bool SetAttributes(const char*, uint32_t) override { return Fail() == 0; }
  int SetTime(const char*, time_t) override { return Fail(); }
  int Remove(const char*) override { return Fail(); }
  std::unique_ptr<IFind> FindFirst(const char*, FindEntry&) override { return nullptr; }

  int64_t size;
  int64_t endAt;
  std::vector<int64_t> seeks;
  int reads = 0;
  int openFiles = 0;

 private:
  static int Fail() {
    errno = ENOSYS;
    return -1;
  }
};

class CPatternFile : public IFile {
 public:
  explicit CPatternFile(CPatternFileSystem& fs) : m_fs(fs) { ++m_fs.openFiles; }
  ~CPatternFile() override { Close(); }
  size_t Read(void* buf, size_t n) override {
    ++m_fs.reads;
    size_t got = 0;
    unsigned char* out = static_cast<unsigned char*>(buf);
    while (got < n && m_pos < m_fs.endAt) out[got++] = PatternByte(m_pos++);
    if (got < n) m_eof = true;
    return got;
  }
  size_t Write(const void*, size_t) override { return 0; }
  int Seek(int64_t offset, int whence) override {
    int64_t base = whence == SEEK_END ? m_fs.size : whence == SEEK_CUR ? m_pos : 0;
    if (whence == SEEK_SET) m_fs.seeks.push_back(offset);
    if (base + offset < 0) {
      errno = EINVAL;
      return -1;
    }
    m_pos = base + offset;
    m_eof = false;
    return 0;
  }
  int64_t Tell() override { return m_pos; }
  bool Eof() const override { return m_eof; }
  bool Error() const override { return false; }
  int Flush() override { return 0; }
  int Close() override {
    if (m_open) --m_fs.openFiles;
    m_open = false;
    return 0;
  }

 private:
  CPatternFileSystem& m_fs;
  int64_t m_pos = 0;
  bool m_eof = false;
  bool m_open = true;
};

inline std::unique_ptr<IFile> CPatternFileSystem::Open(const char* path, const char*) {
  if (std::strcmp(path, "big.bin") != 0) {
    errno = ENOENT;
    return nullptr;
  }
  return std::make_unique<CPatternFile>(*this);
}

#endif
