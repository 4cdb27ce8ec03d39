#include "fixture.h"

Fixture g_fx;

const char kBasicKey[] = "Software\\Pelmora\\Mirelka\\Trisel\\Basic";
const char kKeycommKey[] = "Software\\Pelmora\\Mirelka\\Trisel\\Keycomm";

std::string TriselCommand(const std::vector<std::string>& args) {
  std::string cmd = "\"" + g_fx.app + "\\Trisel.exe\"";
  for (const std::string& a : args) cmd += " \"" + a + "\"";
  return cmd;
}
