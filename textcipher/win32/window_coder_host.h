// The text-block cipher's view of Mirelka's main window: two plain edit
// controls and the window that owns them.
#ifndef MIRELKA_TEXTCIPHER_WIN32_WINDOW_CODER_HOST_H
#define MIRELKA_TEXTCIPHER_WIN32_WINDOW_CODER_HOST_H

#include <windows.h>

#include "textcipher/text_coder_host.h"

class CWindowCoderHost : public ITextCoderHost {
 public:
  CWindowCoderHost(HWND mainWindow, HWND source, HWND result)
      : m_main(mainWindow), m_source(source), m_result(result) {}

  uint32_t SourceLength() override;
  uint32_t ReadSource(char* buf, uint32_t size) override;
  void WriteResult(const char* text, uint32_t length) override;
  bool AskYesNo(const char* text) override;
  void SendFindCommand() override;

 private:
  HWND m_main;
  HWND m_source;
  HWND m_result;
};

#endif
