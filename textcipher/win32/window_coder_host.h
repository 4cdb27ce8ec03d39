// The text-block cipher's view of Mirelka's main window: two plain edit
// controls, the window that owns them and the id of that window's Find
// command.
#ifndef MIRELKA_TEXTCIPHER_WIN32_WINDOW_CODER_HOST_H
#define MIRELKA_TEXTCIPHER_WIN32_WINDOW_CODER_HOST_H

#include <windows.h>

#include "textcipher/text_coder_host.h"

class CWindowCoderHost : public ITextCoderHost {
 public:
  CWindowCoderHost(HWND mainWindow, HWND source, HWND result, UINT findCommand)
      : m_main(mainWindow), m_source(source), m_result(result), m_findCommand(findCommand) {}

  uint32_t SourceLength() override;
  uint32_t ReadSource(char* buf, uint32_t size) override;
  void WriteResult(const char* text, uint32_t length) override;
  bool AskYesNo(const char* text) override;
  void SendFindCommand() override;

 private:
  HWND m_main;
  HWND m_source;
  HWND m_result;
  UINT m_findCommand;
};

#endif
