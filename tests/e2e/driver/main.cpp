// The end-to-end driver: works Trisel.exe the way a user does.
//   trisel_e2e.exe WORK APP ARTEFACTS [SCENARIO...]
//   trisel_e2e.exe WORK APP ARTEFACTS bench FILE   (times one encryption)
// WORK holds the files the run script prepared, APP the folder of
// Trisel.exe, ARTEFACTS receives the screenshots. Prints one line per
// scenario and exits with the number of failed scenarios.
#include <windows.h>

#include <cstdarg>
#include <cstdio>
#include <cstring>
#include <functional>
#include <string>

#include "check.h"
#include "fixture.h"

namespace {
int g_failures = 0;     // of the running scenario
FILE* g_out = nullptr;  // WORK\driver-results.txt, since the desktop swallows stdout

void Say(const char* fmt, ...) {
  for (FILE* f : {stdout, g_out}) {
    if (!f) continue;
    va_list args;
    va_start(args, fmt);
    std::vfprintf(f, fmt, args);
    va_end(args);
    std::fflush(f);
  }
}
// Runs a scenario up to its end or its first failed requirement.
void Guarded(const std::function<void()>& run) {
  try {
    run();
  } catch (const ScenarioAbort&) {
  }
}
}  // namespace

void Fail(const char* file, int line, const std::string& what) {
  ++g_failures;
  const char* base = std::strrchr(file, '/');
  Say("    FAIL %s:%d: %s\n", base ? base + 1 : file, line, what.c_str());
}

void ExpectEq(const std::string& want, const std::string& got, const char* file, int line,
              const std::string& what) {
  if (want != got) Fail(file, line, what + ": want [" + want + "] got [" + got + "]");
}

int main(int argc, char** argv) {
  if (argc < 4) {
    std::printf("usage: trisel_e2e WORK APP ARTEFACTS [SCENARIO...]\n");
    return 2;
  }
  g_fx = {argv[1], argv[2], argv[3]};
  g_out = std::fopen((g_fx.work + "\\driver-results.txt").c_str(), "w");
  int failed = 0, run = 0;
  if (argc == 6 && std::strcmp(argv[4], "bench") == 0) {
    double secs = -1;
    Guarded([&] { BenchEncrypt(argv[5], secs); });
    Say("BENCH %.3f\n", secs);
    failed = secs < 0 || g_failures;
  } else {
    RegDeleteKeyA(HKEY_CURRENT_USER, kBasicKey);
    RegDeleteKeyA(HKEY_CURRENT_USER, kKeycommKey);
    for (const ScenarioEntry* s = kScenarios; s->name; ++s) {
      bool wanted = argc == 4;
      for (int i = 4; i < argc; ++i) wanted = wanted || std::strcmp(argv[i], s->name) == 0;
      if (!wanted) continue;
      ++run;
      Say("--- %s\n", s->name);
      g_failures = 0;
      DWORD start = GetTickCount();
      Guarded(s->run);
      Say("%s %s (%.1f s)\n", g_failures ? "FAIL" : "PASS", s->name, (GetTickCount() - start) / 1000.0);
      if (g_failures) ++failed;
    }
    Say("e2e: %d of %d scenarios passed\n", run - failed, run);
    Say("RESULT %s\n", failed ? "FAIL" : "OK");
  }
  if (g_out) std::fclose(g_out);
  return failed;
}
