// The rules of the update check and the updater that need no window: the
// version comparison, the command lines, the file list and the names it may
// hold.
#ifndef MIRELKA_UPDATE_UPDATE_RULES_H
#define MIRELKA_UPDATE_UPDATE_RULES_H

#include <string>
#include <vector>

#include "common/http.h"
#include "common/mystring.h"

extern const char kOwnVersion[];        // "1.0", Mirelka's own version
extern const char kVersionObject[];     // "mirelka/update_ver.ini"
extern const char kFileListObject[];    // "mirelka/update_files.ini"
extern const char kUpdateFolderPath[];  // "mirelka/update/", where the files lie
enum : uint32_t { kUpdateTextLimit = 1024 };  // bytes kept of either text

// The longest leading decimal number of text (optional sign, digits,
// optional fraction and exponent) as a double; 0 when text starts with none.
// Only decimal forms count: "inf", "nan" and hex numbers are no version.
double LeadingNumber(const char* text);

// Whether the fetched version text names a higher version than ours: every
// TAB, LF, CR and space removed, then its leading number compared with
// kOwnVersion's. Text that is no number counts as version 0.
bool IsNewerVersion(CMyString fetched);

// Asks the vendor's server for the current version: 1 when it is higher
// than ours, 0 when it is not or the server cannot be reached.
int CheckForUpdate(IHttpClient& http, const char* host, uint16_t port);

// What follows the program name on a command line, as the C runtime of
// Windows cuts it off: a quoted name up to its closing quote, otherwise up
// to the first blank; then the blanks after it.
const char* CommandLineTail(const char* commandLine);
// Mirelka runs its check unless started with exactly "noupdate"; the
// updater runs only when started with exactly "Mirelka" (byte for byte,
// case included).
bool IsNoUpdateArgument(const char* tail);
bool IsUpdaterArgument(const char* tail);

// The command line that starts `program` with one argument, the program's
// path in quotes so that a folder with blanks works: "\"C:\\A B\\x.exe\" arg".
CMyString ProgramCommandLine(const CMyString& program, const char* argument);

// Whether a name from the file list may be written into the installation
// folder: 1 to 259 bytes of CP949 text naming a file right in that folder.
// Refused: separators, drives, colons and the other characters Windows does
// not allow in names, control bytes, a trailing dot or blank (Windows drops
// them, so "a.exe." would write a.exe), a cut-off double-byte character,
// device names (CON, NUL.txt, COM1, ...) and the names of the updater's own
// work folder and its keeping folder.
bool IsSafeUpdateName(const char* name);

// Whether two names name one file, as Windows compares them: ASCII letters
// in either case match; the trail byte of a double-byte character is
// compared as it is.
bool SameUpdateName(const std::string& a, const std::string& b);

// The file list as fetched: normalized (blanks dropped, one name per line),
// empty lines skipped. The number of names and the names in list order, or
// -1 (nothing in `names`) when there is no name or any name is unsafe or
// repeated (letter case aside): the list comes from the network and must
// not write anywhere but the installation folder, nor twice to one file.
int ParseUpdateList(CMyString text, std::vector<std::string>& names);

// "2 / 5 files..." for the second file of five.
CMyString FileCounterText(int number, int count);

#endif
