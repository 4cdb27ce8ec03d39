// Fuzz target: what update.exe reads of the signed release before it
// trusts it (the manifest, the DER signature) and the key it is built
// with. Nothing may crash; an accepted manifest holds only names the list
// may hold, each once.
#include <cstdlib>

#include "update/release_manifest.h"
#include "update/update_rules.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  std::string text(reinterpret_cast<const char*>(data), size);
  ReleaseManifest m;
  if (ParseManifest(text, m)) {
    if (m.files.empty() || m.version.empty()) std::abort();
    for (size_t i = 0; i < m.files.size(); ++i) {
      if (!IsSafeUpdateName(m.files[i].name.c_str())) std::abort();
      for (size_t j = 0; j < i; ++j)
        if (SameUpdateName(m.files[i].name, m.files[j].name)) std::abort();
    }
  } else if (!m.files.empty() || !m.version.empty()) {
    std::abort();
  }
  uint8_t raw[kP256SignatureSize];
  if (SignatureFromDer(text, raw) && (size < 8 || size > 72)) std::abort();
  uint8_t key[kP256KeySize];
  PublicKeyFromPem(text, key);
  return 0;
}
