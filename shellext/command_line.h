// What the context-menu commands hand to Trisel: the program beside the
// extension's DLL, the mode switch and the selected paths, all quoted.
#ifndef MIRELKA_SHELLEXT_COMMAND_LINE_H
#define MIRELKA_SHELLEXT_COMMAND_LINE_H

#include <vector>

#include "common/mystring.h"

// Menu command offsets, in the order the items are inserted.
enum { kCmdEncrypt = 0, kCmdDecrypt = 1 };

// "-d" for the decrypt command, "-e" for every other offset.
const char* TriselSwitchFor(unsigned offset);

// The folder of dllPath (drive and folder, separator kept) + "Trisel.exe".
void TriselProgramPath(const char* dllPath, CMyString& out);

// "program" "switch" "path1" "path2" ... with single blanks between the
// tokens. Paths are passed through byte for byte: Windows paths cannot hold
// a double quote, so nothing needs escaping.
void BuildTriselCommandLine(const CMyString& program, const char* sw,
                            const std::vector<CMyString>& paths, CMyString& out);

// The text of the box shown when Trisel cannot be started.
void LaunchFailureText(const CMyString& program, CMyString& out);

// The file name of dllPath without folder and extension: the box's caption.
void ModuleTitle(const char* dllPath, CMyString& out);

#endif
