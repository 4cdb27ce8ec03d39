#include "mirelka/cli/cli_options.h"

#include <cstring>

namespace mirelka_cli {
namespace {

// "--name VALUE" or "--name=VALUE"; true when argv[i] is the option.
bool TakeValue(const char* name, int argc, const char* const* argv, int& i, std::string& value,
               std::string& error, bool& bad) {
  const char* arg = argv[i];
  size_t n = std::strlen(name);
  if (std::strncmp(arg, name, n) != 0) return false;
  if (arg[n] == '=') {
    value = arg + n + 1;
    return true;
  }
  if (arg[n] != 0) return false;
  if (i + 1 >= argc) {
    error = std::string(name) + " needs a value";
    bad = true;
    return true;
  }
  value = argv[++i];
  return true;
}

}  // namespace

bool ParseCliOptions(int argc, const char* const* argv, CliOptions& opts, std::string& error) {
  opts = CliOptions();
  for (int i = 1; i < argc; ++i) {
    const char* arg = argv[i];
    bool bad = false;
    if (std::strcmp(arg, "--help") == 0 || std::strcmp(arg, "-h") == 0) {
      opts.help = true;
    } else if (std::strcmp(arg, "--utf8") == 0) {
      opts.utf8 = true;
    } else if (TakeValue("--password-file", argc, argv, i, opts.passwordFile, error, bad)) {
      if (bad) return false;
      opts.hasPasswordFile = true;
    } else if (TakeValue("--key-file", argc, argv, i, opts.keyFile, error, bad)) {
      if (bad) return false;
      opts.hasKeyFile = true;
    } else {
      error = std::string(arg[0] == '-' ? "unknown option " : "unexpected argument ") + arg;
      return false;
    }
  }
  return true;
}

const char* CliUsageText() {
  return
      "Usage: mirelka-cli [--password-file FILE] [--key-file PATH] [--utf8] < input > output\n"
      "\n"
      "Encrypts or decrypts one text block, as Mirelka's ENCODE does. A text with\n"
      "no 0x7F byte is encrypted (the result is marked off by 0x7F at each end);\n"
      "a text with exactly two 0x7F bytes is decrypted between them. Standard\n"
      "input is read to its end; the result goes to standard output.\n"
      "\n"
      "  --password-file FILE  the password is the first line of FILE without its\n"
      "                        line end, taken as bytes (CP949 in a Mirelka setup).\n"
      "                        Without it the password is asked twice on the\n"
      "                        terminal, without echo, and converted from the\n"
      "                        terminal's character set to CP949.\n"
      "  --key-file PATH       the common key file (at least 1 KB) shared with the\n"
      "                        other party. Without it the one stored in Mirelka's\n"
      "                        settings (CommKeyFile) is used; with none stored the\n"
      "                        password alone keys the cipher.\n"
      "  --utf8                input and output are UTF-8 instead of CP949 bytes. A\n"
      "                        result with no UTF-8 form (cipher text of extended\n"
      "                        Hangul syllables can have none) is refused, never\n"
      "                        altered.\n"
      "  -h, --help            this text.\n"
      "\n"
      "Messages go to standard error in UTF-8.\n"
      "\n"
      "Exit status:\n"
      "  0  the result is on standard output.\n"
      "  1  nothing on standard output: empty input, more than 102400 bytes, a\n"
      "     wrong number of 0x7F bytes (not 0 or 2), a common key file that cannot\n"
      "     be used, a password that fails the check (empty, or the two entries\n"
      "     differ), an unreadable password file, or text that cannot be converted.\n"
      "  2  bad usage (this text on standard error), or no terminal to ask the\n"
      "     password on and no --password-file.\n";
}

}  // namespace mirelka_cli
