// The key-file progress shown in dialog controls: Mirelka's wait dialog and
// Trisel's main dialog differ only in which windows are shown, which progress
// bar and label are used, and who owns the message boxes.
#ifndef MIRELKA_TEXTCIPHER_WIN32_WINDOW_KEYFILE_VIEW_H
#define MIRELKA_TEXTCIPHER_WIN32_WINDOW_KEYFILE_VIEW_H

#include <windows.h>

#include <atomic>
#include <cstdint>

#include "textcipher/keyfile_view.h"

struct KeyFileWindows {
  KeyFileProgram program = KeyFileProgram::Mirelka;
  HWND owner = nullptr;     // owner of the message boxes
  HWND show[2] = {};        // shown with SW_SHOW when reading starts (null: none)
  HWND progress = nullptr;  // progress bar: PBM_SETRANGE, PBM_SETPOS
  HWND label = nullptr;     // SetWindowTextA
  HWND closeOnFinish = nullptr;  // sent WM_CLOSE after the read (Mirelka's wait dialog)
  const std::atomic<int32_t>* cancel = nullptr;  // non-zero: the user cancelled
};

class CWindowKeyFileView : public IKeyFileView {
 public:
  explicit CWindowKeyFileView(const KeyFileWindows& windows) : m_w(windows) {}

  KeyFileProgram Program() const override { return m_w.program; }
  void Show() override;
  void SetRange(int32_t low, int32_t high) override;
  void SetPosition(int32_t pos) override;
  void SetText(const char* text) override;
  void ShowWarning(const char* text) override;
  bool CancelRequested() override;
  void Finish() override;

 private:
  KeyFileWindows m_w;
};

#endif
