#include "mirelka/cli/stored_key_file.h"

#include "common/registry.h"

namespace mirelka_cli {

std::string StoredMirelkaKeyFile() {
  char buf[260] = "";
  ReadRegString(kHkeyCurrentUser, "Software\\Pelmora\\Mirelka\\Conf\\Keycomm", "CommKeyFile", "",
                buf, sizeof buf);
  return buf;
}

}  // namespace mirelka_cli
