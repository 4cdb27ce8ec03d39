// The command line of trisel-cli.
#ifndef MIRELKA_TRISEL_CLI_CLI_OPTIONS_H
#define MIRELKA_TRISEL_CLI_CLI_OPTIONS_H

#include <string>
#include <vector>

namespace trisel_cli {

// Exit statuses of trisel-cli.
enum : int {
  kExitOk = 0,            // job completed, no warning, no error
  kExitWithProblems = 1,  // job completed with warnings or errors
  kExitUsage = 2,         // bad usage, or no acceptable password
  kExitStopped = 3,       // job stopped or cancelled (also the folder options)
  kExitNothingToDo = 4,   // no file to work on, or the single file does not suit the mode
  kExitInterrupted = 130, // a second Ctrl+C (or one outside a job) ended the program
};

enum class KeyFileChoice { Stored, Path, None };
enum class OverwriteChoice { Default, Ask, All, None };

struct CliOptions {
  bool help = false;
  std::string modeSwitch;  // "-e" or "-d"
  bool hasPasswordFile = false;
  std::string passwordFile;
  KeyFileChoice keyFile = KeyFileChoice::Stored;
  std::string keyFilePath;
  int subDirs = -1;  // -1: not given; 0 or 1
  bool hasFilter = false;
  std::string filter;
  bool deleteSource = false;
  OverwriteChoice overwrite = OverwriteChoice::Default;
  bool hasLogDir = false;
  std::string logDir;
  std::vector<std::string> paths;  // as given (native names)

  bool Encrypt() const { return modeSwitch == "-e"; }
};

// Fills options from argv[1..argc). False with a one-line reason (ASCII)
// when the line is malformed. A missing mode or path is not a parse error:
// the caller shows the usage text for it.
bool ParseCliOptions(int argc, const char* const* argv, CliOptions& options, std::string& error);

// The --help text (ASCII and UTF-8).
const char* CliHelpText();

}  // namespace trisel_cli

#endif
