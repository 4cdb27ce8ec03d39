#include "trisel/dialog_rules.h"

#include <cerrno>
#include <cstdio>
#include <cstring>

#include "common/path.h"

const char kTriselUsageText[] =
    "Trisel(Trisel)은 탐색기 마우스 우측버튼에서 실행되는 프로그램입니다.\n\n"
    "[전달받는 파라미터]\n\n"
    "(암호) Trisel -e \"file1\" \"file2\" \"...\"\n"
    "(해독) Trisel -d \"file1\" \"file2\" \"...\"\n\n"
    "file → 전체경로";

namespace {

bool IsTslExtension(const char* ext) {
  if (std::strlen(ext) != 4 || ext[0] != '.') return false;
  const char want[] = "tsl";
  for (int i = 0; i < 3; ++i) {
    char c = ext[i + 1];
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    if (c != want[i]) return false;
  }
  return true;
}

}  // namespace

StartDecision CheckStartup(int argc, const char* const* argv, IFileSystem& fs) {
  StartDecision d;
  if (argc < 3 || argv == nullptr) return d;
  bool enc = std::strcmp(argv[1], "-e") == 0;
  bool dec = std::strcmp(argv[1], "-d") == 0;
  if (!enc && !dec) return d;
  d.encrypt = enc;
  d.action = kStartOpenDialog;
  if (argc != 3) return d;
  uint32_t attr = fs.GetAttributes(argv[2]);
  if (attr == kAttrInvalid || (attr & kAttrDirectory) != 0) return d;
  char name[kMaxPathLen], ext[kMaxPathLen];
  SplitPath(argv[2], nullptr, nullptr, name, ext);
  bool tsl = IsTslExtension(ext);
  if (enc == tsl) {
    d.action = kStartRefuse;
    d.message = CMyString(name);
    d.message += CMyString(ext);
    d.message += CMyString(enc ? "\n\n암호화된 파일입니다.\n(이중으로 암호화할 수 없습니다.)"
                               : "\n\n암호화된 파일이 아닙니다.\n(해독할 수 없습니다.)");
  }
  return d;
}

const char* CheckPasswordInput(const char* password, const char* confirm) {
  bool noPassword = password == nullptr || *password == 0;
  bool noConfirm = confirm == nullptr || *confirm == 0;
  if (noPassword && noConfirm) return "<암호>와 <확인>을 입력하십시오.";
  if (noPassword) return "<암호>를 입력하십시오.";
  if (noConfirm) return "<확인>을 입력하십시오.";
  if (std::strcmp(password, confirm) != 0) return "<암호>와 <확인>이 일치하지 않습니다.";
  return nullptr;
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

CMyString BannerStartText(bool encrypt, const char* homePage) {
  CMyString s(encrypt ? "banner_ori_en.gif|banner_ori_en.gif|" : "banner_ori_de.gif|banner_ori_de.gif|");
  s += CMyString(homePage);
  s += CMyString("|");
  return s;
}
