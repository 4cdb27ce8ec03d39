// Fuzz target: the texts the update check and the updater take from the
// network (version text and file list). Every name the list parser accepts
// must pass the safe-name rule and be unique; nothing may crash.
#include <cstdlib>
#include <cstring>

#include "common/mystring.h"
#include "update/update_rules.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  CMyString text;
  char* buf = text.AllocBuffer(static_cast<uint32_t>(size));
  if (size) std::memcpy(buf, data, size);
  IsNewerVersion(text);
  std::vector<std::string> names;
  int n = ParseUpdateList(text, names);
  if (n < 0 ? !names.empty() : static_cast<size_t>(n) != names.size()) std::abort();
  for (size_t i = 0; i < names.size(); ++i) {
    if (!IsSafeUpdateName(names[i].c_str()) || names[i].find_first_of(" \t\r\n") != std::string::npos) std::abort();
    for (size_t j = 0; j < i; ++j)
      if (names[i] == names[j]) std::abort();
  }
  return 0;
}
