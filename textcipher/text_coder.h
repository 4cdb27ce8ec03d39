// The text-block cipher: turns a block of CP949 text into cipher text of the
// same character classes (a Hangul syllable stays a Hangul syllable, a letter
// a letter, a digit or punctuation mark one of those), marked off by the
// delimiter 0x7F at each end, and back. The transform is its own inverse.
#ifndef MIRELKA_TEXTCIPHER_TEXT_CODER_H
#define MIRELKA_TEXTCIPHER_TEXT_CODER_H

#include <cstdint>

#include "common/filesystem.h"
#include "common/mystring.h"
#include "textcipher/keyfile_view.h"
#include "textcipher/text_coder_host.h"

enum : unsigned char { kBlockDelimiter = 0x7F };

enum : int {
  kCodingEncrypt = 1,  // RunCoding flag: transform everything, add delimiters
  kCodingDecrypt = 0,  // transform only between the delimiters
};

// Results of CTextCoder::Coding.
enum : int {
  kCodingDone = 0,
  kCodingNothing = -1,    // empty source, key file failed, or "No" to the question
  kCodingCancelled = -2,  // the reading of the common key file was cancelled
  kCodingFindAsked = -6,  // wrong delimiter count, the user asked to find them
};

// Largest text the cipher is handed; the capture step refuses longer ones.
enum : uint32_t { kMaxCodingText = 102400 };

// The byte transform over n bytes of src (zero bytes allowed) with keyText
// (zero-terminated, at least one byte, no zero inside). out needs room for
// n + 3 bytes. Returns the output length: n + 2 when encrypting, n when
// decrypting; out[length] is 0.
uint32_t TransformTextBlock(const char* src, uint32_t n, const char* keyText, int flags, char* out);

// Number of delimiter bytes in n bytes of text.
uint32_t CountDelimiters(const char* text, uint32_t n);

// The message for a selection with a wrong number of delimiters (CP949).
void WrongDelimiterText(uint32_t count, CMyString& out);

// One cipher run: created, Coding called once, destroyed.
class CTextCoder {
 public:
  // fs and keyView serve the common key file, if one is configured.
  CTextCoder(IFileSystem& fs, IKeyFileView& keyView);

  // Reads the source from host, builds the key text from password (left
  // unchanged) and the common key file at keyFilePath (CP949; null or empty
  // for none), encrypts a text without delimiters and decrypts one with
  // exactly two, and writes the result to host. A wrong delimiter count asks
  // whether to look for them. Returns a kCoding* code.
  int Coding(ITextCoderHost& host, const char* password, const char* keyFilePath);

  // Transforms m_strSource into m_strResult (see TransformTextBlock) and
  // writes it to host. Always 0.
  int RunCoding(ITextCoderHost& host, const char* keyText, int flags);

  const CMyString& Source() const { return m_strSource; }
  const CMyString& Result() const { return m_strResult; }

 private:
  IFileSystem& m_fs;
  IKeyFileView& m_keyView;
  CMyString m_strSource;
  CMyString m_strResult;
};

#endif
