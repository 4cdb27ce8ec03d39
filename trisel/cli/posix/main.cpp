// trisel-cli: Trisel's job on a terminal. See CliHelpText() for the usage.
#include <sys/stat.h>
#include <unistd.h>

#include <climits>
#include <clocale>
#include <memory>
#include <string>
#include <vector>

#include "common/log.h"
#include "common/registry.h"
#include "console/keyfile_view.h"
#include "console/password.h"
#include "console/terminal.h"
#include "trisel/cli/cli_options.h"
#include "trisel/cli/console.h"
#include "trisel/job.h"
#include "trisel/settings.h"
#include "trisel/startup_checks.h"

using namespace trisel_cli;

namespace {

// Full path without trailing separators ("/" stays "/").
std::string Absolute(const std::string& path) {
  std::string full = path;
  if (full.empty() || full[0] != '/') {
    char cwd[PATH_MAX];
    if (getcwd(cwd, sizeof cwd)) full = std::string(cwd) + "/" + full;
  }
  while (full.size() > 1 && full.back() == '/') full.pop_back();
  return full;
}

// Ctrl+C during a job (busy) stops it as the dialog's cancel button does.
bool CancelRunningJob() {
  JobState& job = TheJobState();
  if (job.busy.load(std::memory_order_relaxed) == 0) return false;
  job.cancel.store(1, std::memory_order_relaxed);
  job.cancelKeyFile.store(1, std::memory_order_relaxed);
  return true;
}

int ExitFor(int rc, const JobState& job) {
  switch (rc) {
    case kResultDone:
    case kResultSkip:
      return (job.warn || job.err) ? kExitWithProblems : kExitOk;
    case kResultNoFiles:
      return kExitNothingToDo;
    default:
      return kExitStopped;
  }
}

}  // namespace

int main(int argc, char** argv) {
  setlocale(LC_ALL, "");
  std::unique_ptr<console::ITerminal> terminal =
      console::OpenTerminal(console::QuestionInput::StandardInput);
  console::ITerminal& term = *terminal;

  CliOptions options;
  std::string error;
  if (!ParseCliOptions(argc, argv, options, error)) {
    term.Err("trisel-cli: " + error + "\nTry 'trisel-cli --help'.\n");
    return kExitUsage;
  }
  if (options.help) {
    term.Out(CliHelpText());
    return kExitOk;
  }
  if (options.modeSwitch.empty() || options.paths.empty()) {
    term.Err("[" + term.ToTerminal("경고") + "]\n" + term.ToTerminal(TriselUsageText()) +
             "\n\nUsage: trisel-cli -e|-d [options] PATH...   (trisel-cli --help)\n");
    return kExitUsage;
  }
  const bool encrypt = options.Encrypt();

  // The core works in CP949; names on disk are converted at the file system.
  IFileSystem& fs = console::Cp949FileSystem();
  std::vector<std::string> items;
  for (const std::string& p : options.paths) items.push_back(console::ArgumentToCp949(Absolute(p)));
  std::string keyFile;
  if (options.keyFile == KeyFileChoice::Path) {
    keyFile = console::ArgumentToCp949(Absolute(options.keyFilePath));
    if (keyFile.size() > 259) {
      // Never fall back to the password alone behind the user's back.
      term.Err("trisel-cli: the key file path is longer than 259 bytes\n");
      return kExitUsage;
    }
  }

  if (items.size() == 1) {
    CMyString refusal;
    if (SingleFileRefusal(fs, encrypt, items[0].c_str(), refusal)) {
      term.Err("[" + term.ToTerminal("경고") + "]\n" + term.ToTerminal(refusal.GetBuffer()) + "\n");
      return kExitNothingToDo;
    }
  }

  // From here on the program stands where Trisel's dialog is open: the
  // delete-source choice is stored whenever it ends.
  IRegistry& store = RealRegistry();
  struct StoreOnExit {
    IRegistry& reg;
    bool on;
    ~StoreOnExit() { SaveDelSrcFile(reg, on); }
  } storeOnExit{store, options.deleteSource};

  JobState& state = TheJobState();
  console::InstallInterruptHandler(CancelRunningJob);

  std::string password;
  if (options.hasPasswordFile) {
    if (!console::ReadPasswordFile(options.passwordFile, password, error)) {
      term.Err("trisel-cli: " + error + "\n");
      return kExitUsage;
    }
    if (const char* refusal = CheckPasswordInput(password.c_str(), password.c_str())) {
      term.Err(term.ToTerminal(std::string("[경고] ") + refusal) + "\n");
      return kExitUsage;
    }
  } else if (!term.Interactive()) {
    term.Err("trisel-cli: no terminal to ask the password on; use --password-file FILE\n");
    return kExitUsage;
  } else {
    const console::PasswordQuestion question = {"암호: ", "확인: ", PasswordRefusalText, "[경고] ",
                                                "trisel-cli", 3};
    if (console::AskPassword(term, question, password) != console::PasswordAnswer::Ok)
      return kExitUsage;
  }

  // The logs are shown as they are written; files only under --log-dir,
  // with Trisel's names.
  CRunLog& log = TheRunLog();
  if (options.hasLogDir) {
    struct stat st;
    if (stat(options.logDir.c_str(), &st) != 0 || !S_ISDIR(st.st_mode)) {
      term.Err("trisel-cli: no such folder: " + options.logDir + "\n");
      return kExitUsage;
    }
    log.SetFileBase((Absolute(options.logDir) + "/Trisel.exe").c_str());
  }
  log.SetFilesEnabled(options.hasLogDir);
  log.SetDebugEnabled(false);
  CLogEcho echo(term);
  log.SetListener(&echo);

  CKeyFileRegistry registry(store, options.keyFile, keyFile);
  CConsoleReportUI reportUI(term, options.overwrite);
  CConsoleProgress progress(term);
  CConsoleJobView jobView(term, options);
  console::CConsoleKeyFileView keyView(term, KeyFileProgram::Trisel, "[경고]", &state.cancelKeyFile);
  CTriselJob job(fs, registry, reportUI, progress, jobView, keyView, state);
  std::vector<const char*> jobArgs = {"trisel-cli", options.modeSwitch.c_str()};
  for (const std::string& item : items) jobArgs.push_back(item.c_str());
  job.SetCommandLine(static_cast<int>(jobArgs.size()), jobArgs.data());
  const int rc = job.Work(&password[0]);
  log.SetListener(nullptr);

  if (rc == kResultOptionsCancelled) return kExitStopped;
  term.Err(term.ToTerminal(jobView.Status()) + "\n");
  return ExitFor(rc, state);
}
