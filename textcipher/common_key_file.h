// The common key file: any file of at least 1 KB that two parties share, of
// which 1024 bytes are sampled to key both ciphers.
#ifndef MIRELKA_TEXTCIPHER_COMMON_KEY_FILE_H
#define MIRELKA_TEXTCIPHER_COMMON_KEY_FILE_H

#include <cstdint>

#include "common/filesystem.h"
#include "common/mystring.h"
#include "textcipher/keyfile_view.h"

enum : int32_t {
  kKeyBlockSize = 1024,      // bytes sampled from the file
  kMinCommonKeyFile = 1024,  // smaller files are refused
};

// Result codes of the reader and of MakeKeyText.
enum : int {
  kKeyOk = 0,
  kKeyFailed = -1,     // the message (if any) has been shown
  kKeyCancelled = -2,  // the user stopped the reading; nothing was shown
};

// The line shown beside the progress while the file is read.
extern const char kKeyFileReadingText[];

// Samples the common key file at `path` (CP949) into block[0..1023] and
// block[1024] = 0: 1024 bytes at evenly spread offsets (the first at 0, all
// inside the file), a zero byte taken as 'P', then shuffled. Exactly 1024
// seeks and one-byte reads, whatever the size. Progress, cancel and the
// messages go through `view`. The file is closed on every path.
// Returns kKeyOk, kKeyFailed or kKeyCancelled. If the file ends early (it
// shrank after its size was taken) the bytes read so far are the sample and
// the rest of the block stays zero.
int ReadCommonKeyFile(IFileSystem& fs, const char* path, char* block, IKeyFileView& view);

// The file size rounded to a single-precision float (nearest, ties to even):
// exact up to 16,777,216 bytes, 24 significant bits above.
uint64_t SizeAsFloat(uint64_t size);
// Offset of sample i (0..1023): i x sizeAsFloat / 1024, truncated. The first
// is 0, they never decrease and all lie inside the file.
int64_t KeyFileSampleOffset(int32_t i, uint64_t sizeAsFloat);

// The messages of the reader (CP949), for views and tests.
void KeyFileNotFoundText(const char* path, CMyString& out);
void KeyFileErrorText(const char* path, const char* errorText, CMyString& out);
const char* KeyFileTooSmallText(KeyFileProgram program);

#endif
