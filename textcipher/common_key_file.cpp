#include "textcipher/common_key_file.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <memory>

const char kKeyFileReadingText[] = "공통 키 파일을 읽고 있습니다 ...";

void KeyFileNotFoundText(const char* path, CMyString& out) {
  out = "공통 키 파일을 찾을 수 없습니다.\n( ";
  out += path;
  out += " )\n\n메뉴의 <도구> / <환경설정> 의 <공통 키 파일> 탭에서,\n"
         "공통 키 파일을 다시 설정하십시오.";
}

void KeyFileErrorText(const char* path, const char* errorText, CMyString& out) {
  out = "공통 키 파일에서 오류가 발생했습니다.\n( ";
  out += path;
  out += " )\n( ";
  out += errorText;
  out += " )\n\n메뉴의 <도구> / <환경설정> 의 <공통 키 파일> 탭에서,\n"
         "공통 키 파일을 다시 설정하거나\n파일이 손상되었는지 점검하십시오.";
}

const char* KeyFileTooSmallText(KeyFileProgram program) {
  if (program == KeyFileProgram::Trisel)
    return "공통 키 파일은 1KB 이상의 크기만 허용됩니다.\n"
           "공통키파일 [설정] 에서 다른 파일로 교체하십시오.";
  return "공통 키 파일은 1KB 이상의 크기만 허용됩니다.\n"
         "<환경 설정> / <공통 키 파일> 에서 다른 파일로 교체하십시오.";
}

namespace {

void ShowError(IKeyFileView& view, const char* path, int err) {
  CMyString text;
  KeyFileErrorText(path, std::strerror(err), text);
  view.ShowWarning(text.GetBuffer());
}

// Spreads the sample from the middle outwards, alternately leftwards and
// rightwards, then reverses it: for a full sample the block alternates bytes
// from the end and from the start of the file.
void ShuffleSample(char* block) {
  char s[kKeyBlockSize + 1];
  size_t n = std::strlen(block);
  std::memcpy(s, block, n + 1);
  size_t h = (n + 1) / 2;
  for (size_t k = 0; k < h; ++k) {
    block[2 * k] = s[h - 1 - k];
    // For an odd n the last step writes s[n], the terminator, at block[n].
    block[2 * k + 1] = s[h + k];
  }
  block[n] = 0;
  for (size_t a = 0, b = n ? n - 1 : 0; a < b; ++a, --b) {
    char t = block[a];
    block[a] = block[b];
    block[b] = t;
  }
}

}  // namespace

uint64_t SizeAsFloat(uint64_t size) {
  // Done in integers: with x87 arithmetic a compiler may keep a float in
  // extended precision and skip the rounding, which would move the offsets.
  int bits = 0;
  while (bits < 64 && (size >> bits) != 0) ++bits;
  if (bits <= 24) return size;
  int shift = bits - 24;
  uint64_t kept = size >> shift;
  uint64_t rest = size & ((uint64_t{1} << shift) - 1);
  uint64_t half = uint64_t{1} << (shift - 1);
  if (rest > half || (rest == half && (kept & 1))) ++kept;  // nearest, ties to even
  return kept << shift;
}

int64_t KeyFileSampleOffset(int32_t i, uint64_t sizeAsFloat) {
  // floor(i * f / 1024) without overflow: f = 1024 q + r.
  uint64_t q = sizeAsFloat >> 10, r = sizeAsFloat & 1023;
  return static_cast<int64_t>(q * static_cast<uint64_t>(i) + ((r * static_cast<uint64_t>(i)) >> 10));
}

int ReadCommonKeyFile(IFileSystem& fs, const char* path, char* block, IKeyFileView& view) {
  errno = 0;
  std::unique_ptr<IFile> file = fs.Open(path, "rb");
  if (!file) {
    int err = errno;
    if (err == ENOENT) {
      CMyString text;
      KeyFileNotFoundText(path, text);
      view.ShowWarning(text.GetBuffer());
    } else {
      ShowError(view, path, err ? err : EIO);
    }
    return kKeyFailed;
  }

  if (file->Seek(0, SEEK_END) != 0) {
    file->Close();
    return kKeyFailed;
  }
  int64_t size = file->Tell();
  if (size < 0 || file->Seek(0, SEEK_SET) != 0) {
    file->Close();
    return kKeyFailed;
  }
  if (size < kMinCommonKeyFile) {
    view.ShowWarning(KeyFileTooSmallText(view.Program()));
    file->Close();
    return kKeyFailed;
  }

  view.Show();
  view.SetRange(0, kKeyBlockSize);
  view.SetText(kKeyFileReadingText);

  // Peers sample the same offsets only if they round the size the same way,
  // so the rounding is part of the key.
  const uint64_t f = SizeAsFloat(static_cast<uint64_t>(size));
  int rc = kKeyOk;
  int readErr = 0;
  bool sampled = false;
  std::memset(block, 0, kKeyBlockSize + 1);
  for (int32_t i = 0; i < kKeyBlockSize; ++i) {
    // Kept in 64 bits so that files of 2 GB and more are sampled across
    // their whole length.
    int64_t offset = KeyFileSampleOffset(i, f);
    if (file->Seek(offset, SEEK_SET) != 0) {
      rc = kKeyFailed;
      break;
    }
    view.SetPosition(i);
    if (view.CancelRequested()) {
      rc = kKeyCancelled;
      break;
    }
    unsigned char byte = 0;
    errno = 0;
    if (file->Read(&byte, 1) != 1) {
      if (file->Error()) {
        // A failed read is never taken for a short file: that would key the
        // cipher with a sample the other party cannot reproduce.
        readErr = errno ? errno : EIO;
        rc = kKeyFailed;
      } else {
        block[i] = 0;  // the file shrank: the bytes so far are the sample
        sampled = true;
      }
      break;
    }
    block[i] = byte ? static_cast<char>(byte) : 'P';
    if (i == kKeyBlockSize - 1) sampled = true;
  }
  block[kKeyBlockSize] = 0;

  if (rc == kKeyOk && sampled) ShuffleSample(block);
  if (readErr) ShowError(view, path, readErr);
  file->Close();
  return rc;
}
