#include "trisel/dialog_rules.h"

#include <cerrno>
#include <cstdio>
#include <cstring>

StartDecision CheckStartup(int argc, const char* const* argv, IFileSystem& fs) {
  StartDecision d;
  if (argc < 3 || argv == nullptr) return d;
  bool enc = std::strcmp(argv[1], "-e") == 0;
  bool dec = std::strcmp(argv[1], "-d") == 0;
  if (!enc && !dec) return d;
  d.encrypt = enc;
  d.action = kStartOpenDialog;
  if (argc != 3) return d;
  if (SingleFileRefusal(fs, enc, argv[2], d.message)) d.action = kStartRefuse;
  return d;
}

int BuildLogViewText(IFileSystem& fs, const char* path, const char* bannerText, CMyString& out) {
  errno = 0;
  std::unique_ptr<IFile> f = fs.Open(path, "rb");
  if (!f) return -1;
  if (f->Seek(0, SEEK_END) != 0) return -1;
  int64_t size = f->Tell();
  // The viewer is an edit control: a log of hundreds of megabytes is not
  // something a user reads there, and the size must fit the byte string.
  if (size < 0 || size > 64 * 1024 * 1024 || f->Seek(0, SEEK_SET) != 0) return -1;
  CMyString bytes;
  char* buf = bytes.AllocBuffer(static_cast<uint32_t>(size));
  size_t got = size > 0 ? f->Read(buf, static_cast<size_t>(size)) : 0;
  if (got != static_cast<size_t>(size)) return -1;
  // A zero byte would cut the text short in the edit; show it as a blank.
  for (size_t i = 0; i < got; ++i) {
    if (buf[i] == 0) buf[i] = ' ';
  }
  CMyString text(bannerText);
  text += CMyString("\r\n");
  text += bytes;
  out = text;
  return 0;
}

ModeColours ColoursOfMode(bool encrypt) {
  if (encrypt) return {Rgb(0xFF, 0x80, 0x80), Rgb(0xF2, 0x22, 0x22), Rgb(0xFF, 0xE1, 0xE1)};
  return {Rgb(0xAA, 0xC6, 0xF8), Rgb(0x41, 0x5B, 0xC9), Rgb(0xE6, 0xF0, 0xFF)};
}

const char* TitleOfMode(bool encrypt) { return encrypt ? "암호 - Trisel v1.0" : "해독 - Trisel v1.0"; }

const char* RunButtonTextOfMode(bool encrypt) { return encrypt ? "암호" : "해독"; }
