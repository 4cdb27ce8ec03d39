#include "common/log.h"

#include <cstdarg>
#include <cstdio>
#include <cstring>
#include <string>

#include "common/mystring.h"

namespace {

const char* const kSuffix[3] = {".log", "_err.log", "_dbg.log"};
const size_t kMaxLogPath = 259;  // the longest path a log may have

FILE* g_logs[3] = {nullptr, nullptr, nullptr};
std::string g_base;  // empty: beside the executable
bool g_debugEnabled = false;

void CloseAll() {
  for (FILE*& f : g_logs) {
    if (f) std::fclose(f);
    f = nullptr;
  }
}

FILE* OpenLog(int level) {
  std::string base = g_base;
  if (base.empty()) {
    CMyString exe;
    GetModulePath(exe);
    base = exe.GetBuffer();
  }
  if (base.empty()) return nullptr;
  std::string path = base + kSuffix[level];
  if (path.size() > kMaxLogPath) return nullptr;
  // Binary: the line ends are made CR LF below, the same on every platform.
  return std::fopen(path.c_str(), "wb");
}

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

void WriteLog(int flags, const char* format, ...) {
  int low = flags & 0xFF;
  int level;
  if (low == 0) {
    level = 0;
  } else if (low & 1) {
    level = 1;
  } else if (low & 2) {
    if (!g_debugEnabled) return;
    level = 2;
  } else if (low & 4) {
    CloseAll();
    return;
  } else {
    return;
  }

  if (!g_logs[level]) g_logs[level] = OpenLog(level);
  FILE* f = g_logs[level];
  if (!f) return;

  char small[1024];
  va_list ap;
  va_start(ap, format);
  int n = std::vsnprintf(small, sizeof small, format, ap);
  va_end(ap);
  if (n < 0) return;
  if (static_cast<size_t>(n) < sizeof small) {
    PutText(f, small, n);
  } else {
    std::string big(static_cast<size_t>(n) + 1, '\0');
    va_start(ap, format);
    std::vsnprintf(&big[0], big.size(), format, ap);
    va_end(ap);
    PutText(f, big.data(), n);
  }
  std::fflush(f);
}

void CloseLogs() { CloseAll(); }

void SetLogBasePath(const char* base) {
  CloseAll();
  g_base = base ? base : "";
}

void SetDebugLogEnabled(bool enabled) { g_debugEnabled = enabled; }
