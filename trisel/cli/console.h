// Trisel's views and questions on a terminal (console/terminal.h), which
// can be a scripted one in tests.
#ifndef MIRELKA_TRISEL_CLI_CONSOLE_H
#define MIRELKA_TRISEL_CLI_CONSOLE_H

#include <string>

#include "common/log.h"
#include "common/registry.h"
#include "console/terminal.h"
#include "filecipher/coder_view.h"
#include "filecipher/report_ui.h"
#include "trisel/cli/cli_options.h"
#include "trisel/job_view.h"

namespace trisel_cli {

using console::ITerminal;
using console::ReadResult;

// The reporter's questions with the texts of the message boxes. Without a
// terminal: Abort/Retry/Ignore answers Ignore, the Yes/No questions No, the
// overwrite question follows the --overwrite choice (none by default).
class CConsoleReportUI : public IReportUI {
 public:
  CConsoleReportUI(ITerminal& term, OverwriteChoice overwrite) : m_term(term), m_overwrite(overwrite) {}

  int AskMessageBox(ReportKind kind, const char* caption, const char* text) override;
  int AskOverwrite(const char* text) override;

 private:
  ITerminal& m_term;
  OverwriteChoice m_overwrite;
};

// The coder's progress as one line on standard error.
class CConsoleProgress : public ITriselView {
 public:
  explicit CConsoleProgress(ITerminal& term) : m_term(term) {}
  void SetCounterText(const char* text) override;
  void SetFileName(const char* name) override;
  void FileBarReset() override;
  void FileBarStep() override;
  void OverallBarReset(uint32_t) override {}
  void OverallBarStep() override {}

 private:
  void Draw();
  ITerminal& m_term;
  std::string m_counter, m_name;
  int m_percent = 0;
};

// The job's dialog parts: the folder options from the command line, the
// terminal or the stored values; the status line kept for the end.
class CConsoleJobView : public IJobView {
 public:
  CConsoleJobView(ITerminal& term, const CliOptions& options) : m_term(term), m_options(options) {}

  void ShowJobStatus(const char* title, const char* status, int show) override;
  void LockControls() override {}
  void UnlockControls(bool) override {}
  void HideBannerText() override {}
  bool DeleteSourceChecked() override { return m_options.deleteSource; }
  int AskFolderOptions(bool encrypt, FolderOptions& options) override;
  void ShowAlert(const char* caption, const char* text) override;

  // The last status text shown ("" before any, never "SW_HIDE").
  const std::string& Status() const { return m_status; }

 private:
  ITerminal& m_term;
  const CliOptions& m_options;
  std::string m_status;
};

// Shows the job log on standard output and the error log, without its
// headings (they repeat the job log's), on standard error, as they are
// written.
class CLogEcho : public ILogListener {
 public:
  explicit CLogEcho(ITerminal& term) : m_term(term) {}
  void LogWritten(int level, const char* text, size_t length) override;

 private:
  ITerminal& m_term;
  std::string m_errorHeld;  // the error log until its headings are complete
  bool m_errorHeadingsDone = false;
};

// The settings store with Trisel's CommKeyFile answered from the command
// line (--key-file PATH, or empty for --no-key-file); everything else, and
// CommKeyFile without either option, goes to the real store. Nothing of the
// option is ever stored.
class CKeyFileRegistry : public IRegistry {
 public:
  CKeyFileRegistry(IRegistry& inner, KeyFileChoice choice, std::string cp949Path)
      : m_inner(inner), m_choice(choice), m_path(std::move(cp949Path)) {}
  uint32_t ReadDword(RegRoot root, const char* subkey, const char* name, uint32_t def) override {
    return m_inner.ReadDword(root, subkey, name, def);
  }
  int ReadString(RegRoot root, const char* subkey, const char* name, const char* def, char* buf,
                 uint32_t size) override;
  int WriteDword(RegRoot root, const char* subkey, const char* name, uint32_t value) override {
    return m_inner.WriteDword(root, subkey, name, value);
  }
  int WriteString(RegRoot root, const char* subkey, const char* name, const char* text) override {
    return m_inner.WriteString(root, subkey, name, text);
  }
  int DeleteValue(RegRoot root, const char* subkey, const char* name) override {
    return m_inner.DeleteValue(root, subkey, name);
  }

 private:
  IRegistry& m_inner;
  KeyFileChoice m_choice;
  std::string m_path;
};

}  // namespace trisel_cli

#endif
