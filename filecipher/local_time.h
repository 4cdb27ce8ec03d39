// Local-time conversions of the header's modify time, without the shared
// static buffer of localtime().
#ifndef MIRELKA_FILECIPHER_LOCAL_TIME_H
#define MIRELKA_FILECIPHER_LOCAL_TIME_H

#include <cstdint>
#include <ctime>

// "YYYYMMDDhhmmss" of t in local time into out; false when t has no local
// time or does not make exactly 14 digits (a year before 1000 or after 9999).
bool FormatModifyTime(time_t t, char out[15]);

#endif
