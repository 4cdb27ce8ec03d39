// The command line of mirelka-cli.
#ifndef MIRELKA_MIRELKA_CLI_CLI_OPTIONS_H
#define MIRELKA_MIRELKA_CLI_CLI_OPTIONS_H

#include <string>

namespace mirelka_cli {

struct CliOptions {
  bool help = false;
  bool utf8 = false;
  bool hasPasswordFile = false;
  std::string passwordFile;
  bool hasKeyFile = false;
  std::string keyFile;  // as given, in the platform's character set
};

// Exit statuses.
enum : int { kExitOk = 0, kExitFailed = 1, kExitUsage = 2 };

// Fills opts from argv; false with a one-line reason in `error` for a
// command line that is not understood.
bool ParseCliOptions(int argc, const char* const* argv, CliOptions& opts, std::string& error);

// The --help text (plain ASCII).
const char* CliUsageText();

}  // namespace mirelka_cli

#endif
