// What the text-block cipher needs from Mirelka's main window: the edit that
// holds the text, the edit that receives the result, and the window itself
// for a question and its Find command. The Win32 layer implements it over
// the HWNDs; the console program and the tests over byte buffers.
#ifndef MIRELKA_TEXTCIPHER_TEXT_CODER_HOST_H
#define MIRELKA_TEXTCIPHER_TEXT_CODER_HOST_H

#include <cstdint>

class ITextCoderHost {
 public:
  virtual ~ITextCoderHost() = default;

  // Length in bytes of the source edit's text.
  virtual uint32_t SourceLength() = 0;
  // Copies at most size - 1 bytes of the source text into buf and a zero
  // after them; returns the number of bytes copied (the text may have
  // changed since SourceLength).
  virtual uint32_t ReadSource(char* buf, uint32_t size) = 0;
  // Sets the result edit's text: length bytes at text, with a zero after
  // them. An edit control stops at the first zero byte; a byte buffer may
  // keep all of them.
  virtual void WriteResult(const char* text, uint32_t length) = 0;
  // Asks a Yes/No question (CP949), caption "경고", exclamation icon, owned
  // by the main window. True for Yes.
  virtual bool AskYesNo(const char* text) = 0;
  // Asks the main window to look for the delimiters: its Find command (menu
  // "찾기") with lParam 1, which opens the find dialog in delimiter mode.
  virtual void SendFindCommand() = 0;
};

#endif
