// The end-to-end driver: works Trisel.exe the way a user does.
//   trisel_e2e.exe WORK APP ARTEFACTS [SCENARIO...]
//   trisel_e2e.exe WORK APP ARTEFACTS bench FILE   (times one encryption)
// WORK holds the files the run script prepared, APP the folder of
// Trisel.exe, ARTEFACTS receives the screenshots. Prints one line per
// scenario to WORK\driver-results.txt and exits with the number of failed
// scenarios.
#include <windows.h>

#include <cstdio>
#include <cstring>

#include "fixture.h"
#include "harness.h"

int main(int argc, char** argv) {
  if (argc < 4) {
    std::printf("usage: trisel_e2e WORK APP ARTEFACTS [SCENARIO...]\n");
    return 2;
  }
  g_fx = {argv[1], argv[2], argv[3]};
  OpenResults(g_fx.work + "\\driver-results.txt");
  SetArtefacts(g_fx.artefacts, "");
  if (argc == 6 && std::strcmp(argv[4], "bench") == 0) {
    double secs = -1;
    Guarded([&] { BenchEncrypt(argv[5], secs); });
    Say("BENCH %.3f\n", secs);
    return Finish(secs < 0 || Failures());
  }
  RegDeleteKeyA(HKEY_CURRENT_USER, kBasicKey);
  RegDeleteKeyA(HKEY_CURRENT_USER, kKeycommKey);
  return Finish(RunScenarios(kScenarios, argc - 4, argv + 4, "Trisel"));
}
