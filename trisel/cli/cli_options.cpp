#include "trisel/cli/cli_options.h"

#include <cstring>

namespace trisel_cli {
namespace {

// "--name VALUE" or "--name=VALUE"; advances i past what it took.
bool TakeValue(int argc, const char* const* argv, int& i, const char* name, std::string& value,
               bool& matched, std::string& error) {
  const char* arg = argv[i];
  size_t n = strlen(name);
  matched = false;
  if (strncmp(arg, name, n) != 0) return true;
  if (arg[n] == '=') {
    value = arg + n + 1;
  } else if (arg[n] == 0) {
    if (i + 1 >= argc) {
      error = std::string(name) + " needs a value";
      matched = true;
      return false;
    }
    value = argv[++i];
  } else {
    return true;  // another option that starts the same way
  }
  matched = true;
  return true;
}

}  // namespace

bool ParseCliOptions(int argc, const char* const* argv, CliOptions& o, std::string& error) {
  bool onlyPaths = false;
  for (int i = 1; i < argc; ++i) {
    const char* arg = argv[i];
    if (onlyPaths || arg[0] != '-' || arg[1] == 0) {
      o.paths.push_back(arg);
      continue;
    }
    if (strcmp(arg, "--") == 0) {
      onlyPaths = true;
      continue;
    }
    if (strcmp(arg, "-e") == 0 || strcmp(arg, "-d") == 0) {
      if (!o.modeSwitch.empty() && o.modeSwitch != arg) {
        error = "-e and -d exclude each other";
        return false;
      }
      o.modeSwitch = arg;
      continue;
    }
    if (strcmp(arg, "-h") == 0 || strcmp(arg, "--help") == 0) {
      o.help = true;
      continue;
    }
    if (strcmp(arg, "--no-key-file") == 0) {
      o.keyFile = KeyFileChoice::None;
      continue;
    }
    if (strcmp(arg, "--subdirs") == 0 || strcmp(arg, "--no-subdirs") == 0) {
      o.subDirs = arg[2] == 's' ? 1 : 0;
      continue;
    }
    if (strcmp(arg, "--delete-source") == 0) {
      o.deleteSource = true;
      continue;
    }
    std::string value;
    bool matched = false;
    if (!TakeValue(argc, argv, i, "--password-file", value, matched, error)) return false;
    if (matched) {
      o.hasPasswordFile = true;
      o.passwordFile = value;
      continue;
    }
    if (!TakeValue(argc, argv, i, "--key-file", value, matched, error)) return false;
    if (matched) {
      if (value.empty()) {
        error = "--key-file needs a path (--no-key-file uses the password alone)";
        return false;
      }
      o.keyFile = KeyFileChoice::Path;
      o.keyFilePath = value;
      continue;
    }
    if (!TakeValue(argc, argv, i, "--filter", value, matched, error)) return false;
    if (matched) {
      o.hasFilter = true;
      o.filter = value;
      continue;
    }
    if (!TakeValue(argc, argv, i, "--overwrite", value, matched, error)) return false;
    if (matched) {
      if (value == "ask") {
        o.overwrite = OverwriteChoice::Ask;
      } else if (value == "all") {
        o.overwrite = OverwriteChoice::All;
      } else if (value == "none") {
        o.overwrite = OverwriteChoice::None;
      } else {
        error = "--overwrite takes ask, all or none";
        return false;
      }
      continue;
    }
    if (!TakeValue(argc, argv, i, "--log-dir", value, matched, error)) return false;
    if (matched) {
      o.hasLogDir = true;
      o.logDir = value;
      continue;
    }
    error = std::string("unknown option ") + arg;
    return false;
  }
  return true;
}

const char* CliHelpText() {
  return u8R"(Usage: trisel-cli -e|-d [options] PATH...

Encrypts (-e) files into .tsl files or decrypts (-d) .tsl files, as Trisel
does: every PATH is a file or a folder.

Options:
  --password-file FILE   the password is the first line of FILE (its bytes);
                         without it the password is asked twice on the terminal
  --key-file PATH        use this common key file
  --no-key-file          use the password alone
                         (default: the common key file stored for Trisel)
  --subdirs, --no-subdirs
                         whether folders include all their sub-folders
  --filter WILDCARD      file names to take from folders when encrypting
                         (decryption always takes *.tsl)
                         (default: asked on a terminal, else the stored values;
                         what is used is stored for the next run)
  --delete-source        delete each source file after it was coded (stored)
  --overwrite ask|all|none
                         existing results: ask (on a terminal), overwrite all,
                         or overwrite none (default: ask on a terminal, none
                         otherwise)
  --log-dir DIR          also write Trisel.exe.log and Trisel.exe_err.log there
  -h, --help             this text

The job log goes to standard output, the error log and the progress to
standard error. Ctrl+C stops the job (the file being coded is removed);
a second Ctrl+C ends the program at once.

Exit status:
  0    job completed without warnings or errors
  1    job completed with warnings or errors (see the error log)
  2    bad usage, or no acceptable password
  3    job stopped or cancelled
  4    nothing to do (no matching file, or a single file that does not suit
       the mode)
  130  ended at once by Ctrl+C
)";
}

}  // namespace trisel_cli
