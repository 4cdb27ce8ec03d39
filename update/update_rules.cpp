#include "update/update_rules.h"

#include <cstdlib>
#include <cstring>
#include <string>

#include "common/path.h"

const char kOwnVersion[] = "1.0";
const char kVersionObject[] = "mirelka/update_ver.ini";
const char kFileListObject[] = "mirelka/update_files.ini";
const char kUpdateFolderPath[] = "mirelka/update/";

// Names the updater keeps for itself inside the installation folder.
static const char kWorkFolderName[] = "update";
static const char kKeepFolderName[] = "~old";

namespace {

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

}  // namespace

bool SameUpdateName(const std::string& a, const std::string& b) {
  if (a.size() != b.size()) return false;
  bool trail = false;
  for (size_t i = 0; i < a.size(); ++i) {
    char x = a[i], y = b[i];
    if (!trail && x >= 'a' && x <= 'z') x = static_cast<char>(x - 32);
    if (!trail && y >= 'a' && y <= 'z') y = static_cast<char>(y - 32);
    if (x != y) return false;
    trail = !trail && IsCp949Lead(static_cast<unsigned char>(a[i]));
  }
  return true;
}

namespace {

bool IsDeviceName(const std::string& name) {
  std::string base = name.substr(0, name.find('.'));
  static const char* const kDevices[] = {"CON", "PRN", "AUX", "NUL", "CONIN$", "CONOUT$", "CLOCK$"};
  for (const char* d : kDevices)
    if (SameUpdateName(base, d)) return true;
  if (base.size() == 4 && base[3] >= '1' && base[3] <= '9') {
    std::string stem = base.substr(0, 3);
    return SameUpdateName(stem, "COM") || SameUpdateName(stem, "LPT");
  }
  return false;
}

}  // namespace

double LeadingNumber(const char* text) {
  const char* p = text;
  if (*p == '+' || *p == '-') ++p;
  const char* digits = p;
  while (IsDigit(*p)) ++p;
  size_t whole = static_cast<size_t>(p - digits);
  size_t fraction = 0;
  if (*p == '.') {
    const char* f = ++p;
    while (IsDigit(*p)) ++p;
    fraction = static_cast<size_t>(p - f);
  }
  if (whole + fraction == 0) return 0;
  if (*p == 'e' || *p == 'E') {
    const char* e = p + 1;
    if (*e == '+' || *e == '-') ++e;
    if (IsDigit(*e)) {
      while (IsDigit(*e)) ++e;
      p = e;
    }
  }
  // Only the decimal text found above goes to strtod, so nothing else it
  // knows (hex, inf, nan) can be read.
  std::string number(text, static_cast<size_t>(p - text));
  return std::strtod(number.c_str(), nullptr);
}

bool IsNewerVersion(CMyString fetched) {
  fetched.RemoveBlanks();
  return LeadingNumber(fetched.GetBuffer()) > LeadingNumber(kOwnVersion);
}

int CheckForUpdate(IHttpClient& http, const char* host, uint16_t port) {
  CMyString text;
  if (FetchWebText(http, host, port, kVersionObject, kUpdateTextLimit, text) != 0) return 0;
  return IsNewerVersion(text) ? 1 : 0;
}

const char* CommandLineTail(const char* commandLine) {
  const char* p = commandLine ? commandLine : "";
  if (*p == '"') {
    ++p;
    while (*p && *p != '"') ++p;
    if (*p == '"') ++p;
  } else {
    while (*p && *p != ' ' && *p != '\t') ++p;
  }
  while (*p == ' ' || *p == '\t') ++p;
  return p;
}

bool IsNoUpdateArgument(const char* tail) { return tail && std::strcmp(tail, "noupdate") == 0; }

bool IsUpdaterArgument(const char* tail) { return tail && std::strcmp(tail, "Mirelka") == 0; }

CMyString ProgramCommandLine(const CMyString& program, const char* argument) {
  CMyString cmd("\"");
  cmd += program;
  cmd += CMyString("\" ");
  cmd += CMyString(argument);
  return cmd;
}

bool IsSafeUpdateName(const char* name) {
  size_t n = std::strlen(name);
  if (n == 0 || n > 259) return false;
  for (size_t i = 0; i < n; ++i) {
    unsigned char c = static_cast<unsigned char>(name[i]);
    if (IsCp949Lead(c)) {
      if (i + 1 >= n) return false;  // a lead byte with no trail
      ++i;                           // a trail byte may be 0x5C or 0x7C
      continue;
    }
    if (c < 0x20 || c == 0x7F || c >= 0x80 || std::strchr("\\/:*?\"<>|", c)) return false;
  }
  char last = name[n - 1];
  if (last == '.' || last == ' ') return false;
  std::string s(name);
  return !IsDeviceName(s) && !SameUpdateName(s, kWorkFolderName) && !SameUpdateName(s, kKeepFolderName);
}

int ParseUpdateList(CMyString text, std::vector<std::string>& names) {
  names.clear();
  if (text.NormalizeLines() < 0) return -1;
  std::vector<std::string> found;
  const char* p = text.GetBuffer();
  const char* end = p + text.GetLength();
  while (p < end) {
    const char* lf = static_cast<const char*>(std::memchr(p, '\n', static_cast<size_t>(end - p)));
    if (!lf) lf = end;
    std::string name(p, static_cast<size_t>(lf - p));
    p = lf + 1;
    if (name.empty()) continue;
    if (name.find('\0') != std::string::npos || !IsSafeUpdateName(name.c_str())) return -1;
    for (const std::string& earlier : found)
      if (SameUpdateName(earlier, name)) return -1;
    found.push_back(name);
  }
  if (found.empty()) return -1;
  names.swap(found);
  return static_cast<int>(names.size());
}

CMyString FileCounterText(int number, int count) {
  CMyString text;
  text = static_cast<int32_t>(number);
  text += CMyString(" / ");
  text += static_cast<int32_t>(count);
  text += CMyString(" files...");
  return text;
}
