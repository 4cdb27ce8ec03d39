#include "filecipher/local_time.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "filecipher/set_property.h"

bool FormatModifyTime(time_t t, char out[15]) {
  struct tm tmv;
#ifdef _WIN32
  if (localtime_s(&tmv, &t) != 0) return false;
#else
  if (!localtime_r(&t, &tmv)) return false;
#endif
  char buf[64];
  size_t n = std::strftime(buf, sizeof buf, "%Y%m%d%H%M%S", &tmv);
  if (n != 14) return false;
  std::memcpy(out, buf, 15);
  return true;
}

int64_t ParseModifyTime(const char* text) {
  // Cut like the writer made it: 4 digits of year, then 2 each; every piece
  // goes through atoi, so a damaged field still gives some time.
  char piece[5];
  int values[6];
  const int widths[6] = {4, 2, 2, 2, 2, 2};
  size_t len = std::strlen(text);
  size_t at = 0;
  for (int i = 0; i < 6; ++i) {
    size_t n = 0;
    while (n < static_cast<size_t>(widths[i]) && at < len) piece[n++] = text[at++];
    piece[n] = 0;
    values[i] = std::atoi(piece);
  }
  struct tm tmv;
  std::memset(&tmv, 0, sizeof tmv);
  tmv.tm_year = values[0] - 1900;
  tmv.tm_mon = values[1] - 1;
  tmv.tm_mday = values[2];
  tmv.tm_hour = values[3];
  tmv.tm_min = values[4];
  tmv.tm_sec = values[5];
  // Let the runtime decide on daylight saving time: the text was made by
  // localtime, so a summer time must come back as the same instant.
  tmv.tm_isdst = -1;
  time_t t = std::mktime(&tmv);
  return t == static_cast<time_t>(-1) ? -1 : static_cast<int64_t>(t);
}
