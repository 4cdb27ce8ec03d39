#include "common/log.h"

#include <cstring>

#include "common/mystring.h"

namespace {

const char* const kSuffix[3] = {".log", "_err.log", "_dbg.log"};
const size_t kMaxLogPath = 259;  // the longest path a log may have

// Writes text with every LF turned into CR LF, as a text-mode stream would.
void PutText(FILE* f, const char* text, size_t n) {
  const char* p = text;
  const char* end = text + n;
  while (p < end) {
    const char* lf = static_cast<const char*>(std::memchr(p, '\n', end - p));
    const char* stop = lf ? lf : end;
    if (stop > p) std::fwrite(p, 1, stop - p, f);
    if (!lf) break;
    std::fwrite("\r\n", 1, 2, f);
    p = lf + 1;
  }
}

}  // namespace

void CRunLog::CloseFiles() {
  for (FILE*& f : m_files) {
    if (f) std::fclose(f);
    f = nullptr;
  }
}

void CRunLog::SetFileBase(const char* base) {
  CloseFiles();
  m_base = base ? base : "";
}

void CRunLog::SetFilesEnabled(bool enabled) {
  CloseFiles();
  m_filesEnabled = enabled;
}

FILE* CRunLog::OpenFile(int level) {
  std::string base = m_base;
  if (base.empty()) {
    CMyString exe;
    GetModulePath(exe);
    base = exe.GetBuffer();
  }
  if (base.empty()) return nullptr;
  std::string path = base + kSuffix[level];
  if (path.size() > kMaxLogPath) return nullptr;
  // Binary: the line ends are made CR LF by PutText, the same everywhere.
  return std::fopen(path.c_str(), "wb");
}

void CRunLog::Write(int flags, const char* format, va_list args) {
  int low = flags & 0xFF;
  int level;
  if (low == 0) {
    level = 0;
  } else if (low & 1) {
    level = 1;
  } else if (low & 2) {
    if (!m_debugEnabled) return;
    level = 2;
  } else if (low & 4) {
    CloseFiles();
    return;
  } else {
    return;
  }

  char small[1024];
  std::string big;
  const char* text = small;
  va_list again;
  va_copy(again, args);
  int n = std::vsnprintf(small, sizeof small, format, args);
  if (n >= 0 && static_cast<size_t>(n) >= sizeof small) {
    big.assign(static_cast<size_t>(n) + 1, '\0');
    std::vsnprintf(&big[0], big.size(), format, again);
    text = big.data();
  }
  va_end(again);
  if (n < 0) return;

  if (m_filesEnabled) {
    if (!m_files[level]) m_files[level] = OpenFile(level);
    if (FILE* f = m_files[level]) {
      PutText(f, text, static_cast<size_t>(n));
      std::fflush(f);
    }
  }
  if (m_listener) m_listener->LogWritten(level, text, static_cast<size_t>(n));
}

CRunLog& TheRunLog() {
  static CRunLog log;
  return log;
}

void WriteLog(int flags, const char* format, ...) {
  va_list args;
  va_start(args, format);
  TheRunLog().Write(flags, format, args);
  va_end(args);
}
