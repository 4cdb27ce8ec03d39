// The few things mirelka-cli needs from its platform's console.
#ifndef MIRELKA_MIRELKA_CLI_TERMINAL_H
#define MIRELKA_MIRELKA_CLI_TERMINAL_H

#include <string>

#include "common/filesystem.h"

// Puts standard input and output in byte mode (no line-end translation).
void SetBinaryStdio();

// Shows prompt on the terminal (not on standard output, which carries the
// result) and reads one line without echo, in the terminal's character set,
// without its line end. False when there is no terminal to ask on.
bool ReadSecretLine(const char* prompt, std::string& line);

// A path given on the command line, as the core's CP949 path.
std::string CommandLinePathToCp949(const std::string& path);

// The file system for CP949 paths.
IFileSystem& CliFileSystem();

#endif
