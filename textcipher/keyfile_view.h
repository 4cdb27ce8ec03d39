// What the common-key-file reader shows while it samples the file, and how
// it learns that the user gave up.
//
// Mirelka shows it in its wait dialog, Trisel in its main dialog, the console
// program and the tests in their own ways. The reader runs on a worker
// thread; an implementation that touches windows must only use calls that
// marshal to the window's thread (ShowWindow, SendMessage, SetWindowText,
// MessageBox).
#ifndef MIRELKA_TEXTCIPHER_KEYFILE_VIEW_H
#define MIRELKA_TEXTCIPHER_KEYFILE_VIEW_H

#include <cstdint>

// The two programs word one message differently: each points the user to its
// own settings page.
enum class KeyFileProgram { Mirelka, Trisel };

class IKeyFileView {
 public:
  virtual ~IKeyFileView() = default;

  // Which program's texts the reader uses.
  virtual KeyFileProgram Program() const = 0;
  // Makes the progress display visible (once, before the first position).
  virtual void Show() = 0;
  // Range of the progress positions; the reader uses 0..1024.
  virtual void SetRange(int32_t low, int32_t high) = 0;
  // One call per sampled byte, 0 .. 1023.
  virtual void SetPosition(int32_t pos) = 0;
  // The line shown beside the progress (CP949).
  virtual void SetText(const char* text) = 0;
  // A failure message (CP949): caption "경고", OK button, exclamation icon,
  // owned by the program's main window. Returns when the user closed it.
  virtual void ShowWarning(const char* text) = 0;
  // Polled once per sampled byte; true once the user asked to stop. A stale
  // answer only delays the stop by one byte.
  virtual bool CancelRequested() = 0;
  // The reading is over, whatever its outcome. Mirelka closes its wait
  // dialog here; Trisel keeps its main dialog as it is.
  virtual void Finish() = 0;
};

// Shows nothing, never cancels and drops the messages (but keeps the last one
// and counts them, which is all the console and most tests need).
class CNullKeyFileView : public IKeyFileView {
 public:
  explicit CNullKeyFileView(KeyFileProgram program = KeyFileProgram::Mirelka) : m_program(program) {}

  KeyFileProgram Program() const override { return m_program; }
  void Show() override {}
  void SetRange(int32_t, int32_t) override {}
  void SetPosition(int32_t) override {}
  void SetText(const char*) override {}
  void ShowWarning(const char* text) override;
  bool CancelRequested() override { return false; }
  void Finish() override {}

  int Warnings() const { return m_warnings; }
  // The last message shown, "" before the first.
  const char* LastWarning() const { return m_last; }

 private:
  KeyFileProgram m_program;
  int m_warnings = 0;
  char m_last[1024] = {};
};

#endif
