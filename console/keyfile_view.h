// The common key file reader's messages on standard error.
#ifndef MIRELKA_CONSOLE_KEYFILE_VIEW_H
#define MIRELKA_CONSOLE_KEYFILE_VIEW_H

#include <atomic>
#include <cstdint>
#include <string>

#include "console/terminal.h"
#include "textcipher/keyfile_view.h"

namespace console {

class CConsoleKeyFileView : public IKeyFileView {
 public:
  // heading: a line shown above each message in place of the box's caption,
  // or null. cancel: the word a Ctrl+C sets to stop the reading, or null.
  CConsoleKeyFileView(ITerminal& term, KeyFileProgram program, const char* heading,
                      const std::atomic<int32_t>* cancel)
      : m_term(term), m_program(program), m_heading(heading), m_cancel(cancel) {}

  KeyFileProgram Program() const override { return m_program; }
  void Show() override {}
  void SetRange(int32_t, int32_t) override {}
  void SetPosition(int32_t) override {}
  void SetText(const char*) override {}
  void ShowWarning(const char* text) override {
    ++m_warnings;
    std::string shown = m_heading ? std::string(m_heading) + "\n" : std::string();
    m_term.Err(m_term.ToTerminal(shown + (text ? text : "")) + "\n");
  }
  bool CancelRequested() override {
    return m_cancel && m_cancel->load(std::memory_order_relaxed) != 0;
  }
  void Finish() override {}

  int Warnings() const { return m_warnings; }

 private:
  ITerminal& m_term;
  KeyFileProgram m_program;
  const char* m_heading;
  const std::atomic<int32_t>* m_cancel;
  int m_warnings = 0;
};

}  // namespace console

#endif
