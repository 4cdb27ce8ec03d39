// IFile over a runtime FILE* opened in binary mode: the one implementation
// both real adapters use.
#ifndef MIRELKA_COMMON_STDIO_FILE_H
#define MIRELKA_COMMON_STDIO_FILE_H

#include <cstdio>
#include <memory>

#include "common/filesystem.h"

// Opens path with fopen and a large stream buffer, so block transfers of up
// to 1 MiB and byte-at-a-time reads are both cheap. The mode gets a 'b' if
// it lacks one. Null with errno set on failure.
std::unique_ptr<IFile> OpenStdioFile(const char* path, const char* mode);

// True for a mode that may change the file ("wb", "ab", "r+b", ...).
bool ModeWrites(const char* mode);

#endif
