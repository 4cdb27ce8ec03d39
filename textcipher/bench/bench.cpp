// Speed figures of the text-block cipher: a 100 KB Korean text through the
// cipher, and the sampling of a common key file (its path on the command
// line; any size). Prints figures only.
#include <chrono>
#include <cstdio>
#include <string>
#include <vector>

#include "common/filesystem.h"
#include "textcipher/common_key_file.h"
#include "textcipher/key_text.h"
#include "textcipher/text_coder.h"

namespace {

double Milliseconds(std::chrono::steady_clock::duration d) {
  return std::chrono::duration<double, std::milli>(d).count();
}

}  // namespace

int main(int argc, char** argv) {
  const std::string sentence = "동해 물과 백두산이 마르고 닳도록, 하느님이 보우하사 우리나라 만세! (1234) [abc]\r\n";
  std::string text;
  while (text.size() + sentence.size() <= kMaxCodingText) text += sentence;
  std::vector<char> out(text.size() + 3);
  CMyString key;
  MakePasswordText("비밀번호 1234", key);

  const int rounds = 50;
  auto start = std::chrono::steady_clock::now();
  uint32_t n = 0;
  for (int r = 0; r < rounds; ++r)
    n = TransformTextBlock(text.data(), static_cast<uint32_t>(text.size()), key.GetBuffer(), kCodingEncrypt, out.data());
  double cipherMs = Milliseconds(std::chrono::steady_clock::now() - start) / rounds;
  std::printf("cipher a %u-byte Korean text: %.3f ms (mean of %d)\n", static_cast<unsigned>(n - 2), cipherMs, rounds);

  if (argc > 1) {
    CNullKeyFileView view;
    char block[kKeyBlockSize + 1];
    start = std::chrono::steady_clock::now();
    int rc = ReadCommonKeyFile(RealFileSystem(), argv[1], block, view);
    double readMs = Milliseconds(std::chrono::steady_clock::now() - start);
    if (rc != kKeyOk) {
      std::printf("common key file %s: not readable (%d)\n", argv[1], rc);
      return 1;
    }
    std::printf("read the common key file %s: %.3f ms\n", argv[1], readMs);
  }
  return 0;
}
