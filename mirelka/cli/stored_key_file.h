// The common key file kept in Mirelka's own settings, for a run of
// mirelka-cli without --key-file.
#ifndef MIRELKA_MIRELKA_CLI_STORED_KEY_FILE_H
#define MIRELKA_MIRELKA_CLI_STORED_KEY_FILE_H

#include <string>

namespace mirelka_cli {

// CommKeyFile under HKEY_CURRENT_USER\Software\Pelmora\Mirelka\Conf\Keycomm
// (CP949), read into 260 bytes as Mirelka reads it: missing, unreadable or
// longer than 259 bytes gives "", that is no common key file.
std::string StoredMirelkaKeyFile();

}  // namespace mirelka_cli

#endif
