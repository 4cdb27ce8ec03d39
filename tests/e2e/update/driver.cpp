// The updater's end-to-end driver: works Mirelka (or its stand-in) and
// update.exe as a user does, one scenario per run; the run script prepares
// the installation and server and checks the files afterwards.
//   update_e2e.exe APP ARTEFACTS RESULTS SCENARIO
#include <windows.h>

#include <cstdio>
#include <set>
#include <string>

#include "../driver/harness.h"
#include "../driver/ui.h"

namespace {

const char kRunningText[] = "Mirelka 프로그램이 현재 실행 중입니다.";
const int kCounter = 1009, kFileBar = 1005, kMessage = 1010;

std::string g_app;

DWORD UpdaterPid() { std::vector<DWORD> pids = ProcessesNamed("update.exe"); return pids.empty() ? 0 : pids[0]; }
bool MirelkaShown() { return FindWindowA("Mirelka", nullptr) != nullptr; }

HWND WaitUpdaterDialog() {
  REQUIRE(WaitUntil([] { return UpdaterPid() != 0; }), "the updater started");
  return NEED(WaitDialog(UpdaterPid(), "Mirelka 자동 업데이트"), "the updater's dialog appeared");
}

// A message box of the updater whose text starts with `text`.
HWND WaitUpdaterBox(const char* text) {
  Box box;
  REQUIRE(WaitUntil([&] { return UpdaterPid() && WaitBox(UpdaterPid(), box, 200) && box.text.rfind(text, 0) == 0; },
                    60000), std::string("the updater's box: ") + text);
  return box.hwnd;
}

void Start(const char* exe, const char* argument, Program& p) {
  REQUIRE(StartProgram("\"" + g_app + "\\" + exe + "\" " + argument, p), std::string(exe) + " started");
}

// Mirelka's stand-in records each start and the end of its check.
bool RunsLogHas(const char* line) { return FileBytes(g_app + "\\mirelka-runs.log").find(line) != std::string::npos; }
void CloseMirelka() { PostMessageA(FindWindowA("Mirelka", nullptr), WM_CLOSE, 0, 0); }

// The updater ends and restarts Mirelka with "noupdate"; closed again here.
void ExpectRestartedWithNoUpdate(DWORD updaterMs = 60000) {
  CHECK(WaitUntil([] { return UpdaterPid() == 0; }, updaterMs), "the updater ended");
  CHECK(WaitUntil([] { return RunsLogHas("start noupdate") && MirelkaShown(); }), "Mirelka was restarted with noupdate");
  CloseMirelka();
  WaitUntil([] { return !MirelkaShown(); });
}

// The real Mirelka sees the higher version, starts the updater and closes;
// the updater downloads, installs and starts Mirelka again (the run script
// checks that the restarted one did not ask for the version again).
void Happy() {
  Program mirelka;
  Start("Mirelka.exe", "", mirelka);
  HWND dialog = WaitUpdaterDialog();
  CHECK(mirelka.Ended(15000), "Mirelka closed for the update");
  std::set<std::string> seen;
  WaitUntil([&] {
    if (!IsWindow(dialog)) return true;
    std::string counter = ItemText(dialog, kCounter);
    if (Visible(dialog, kCounter) && seen.insert(counter).second && counter == "2 / 3 files...") Shot(dialog, "progress");
    if (Visible(dialog, kMessage) && ItemText(dialog, kMessage).rfind("설치가 완료", 0) == 0 && seen.insert("done").second)
      Shot(dialog, "done");
    return false;
  }, 120000, 5);
  CHECK(seen.count("1 / 3 files...") && seen.count("2 / 3 files...") && seen.count("3 / 3 files..."),
        "the counter texts 1 / 3 to 3 / 3 were seen");
  CHECK(WaitUntil([] { return UpdaterPid() == 0 && MirelkaShown(); }, 60000), "the updater ended, Mirelka restarted");
  CHECK(Stays([] { return UpdaterPid() == 0; }, 2000), "the restarted Mirelka did not start the updater again");
  for (DWORD pid : ProcessesNamed("Mirelka.exe"))
    if (HANDLE h = OpenProcess(PROCESS_TERMINATE | SYNCHRONIZE, FALSE, pid))
      TerminateProcess(h, 0), WaitForSingleObject(h, 5000), CloseHandle(h);
}

// No server: Mirelka's check fails quietly and Mirelka stays.
void NoServer() {
  Program mirelka;
  Start("Mirelka.exe", "", mirelka);
  CHECK(WaitUntil([] { return RunsLogHas("state 0"); }, 30000), "the check ended with nothing to do");
  CHECK(Stays([&] { return !mirelka.Ended(0) && UpdaterPid() == 0; }, 500), "Mirelka still runs, no updater started");
  CloseMirelka();
}

// A fault or a refusal: the failure box, answered Cancel; the updater ends
// without starting Mirelka.
void Failed() {
  Program updater;
  Start("update.exe", "Mirelka", updater);
  Answer(WaitUpdaterBox("자동 업데이트에 실패했습니다."), IDCANCEL);
  CHECK(updater.Ended(15000) && !MirelkaShown(), "the updater ended without starting Mirelka");
}

// The target file held open without sharing by another process.
void Locked() {
  HANDLE held = CreateFileA((g_app + "\\data.bin").c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
  Guarded([&] { REQUIRE(held != INVALID_HANDLE_VALUE, "data.bin held open"), Failed(); });
  CloseHandle(held);
}

// Cancel in the middle of the second (slow) file, then OK: the installed
// program is started again.
void Cancel() {
  Program updater;
  Start("update.exe", "Mirelka", updater);
  HWND dialog = WaitUpdaterDialog();
  REQUIRE(WaitUntil([&] { return ItemText(dialog, kCounter) == "2 / 3 files..." && ProgressPos(dialog, kFileBar) > 0; },
                    60000, 5), "the second file is downloading");
  Click(dialog, IDCANCEL);
  Answer(WaitUpdaterBox("자동 업데이트가 취소되었습니다."), IDOK);
  ExpectRestartedWithNoUpdate();
}

// Mirelka still runs: Retry while it does, close it, Retry: installed.
void Running() {
  Program mirelka, updater;
  Start("Mirelka.exe", "noupdate", mirelka);
  REQUIRE(WaitUntil(MirelkaShown), "Mirelka's window");
  Start("update.exe", "Mirelka", updater);
  Answer(WaitUpdaterBox(kRunningText), IDRETRY);
  HWND box = WaitUpdaterBox(kRunningText);  // asked again while Mirelka runs
  CloseMirelka();
  CHECK(mirelka.Ended(10000), "Mirelka closed");
  Answer(box, IDRETRY);
  ExpectRestartedWithNoUpdate();
}

// Started by hand: the refusal, with or without a wrong argument.
void ByHand() {
  for (const char* argument : {"", "mirelka", "Mirelka x"}) {
    Program updater;
    Start("update.exe", argument, updater);
    Box box;
    CHECK(WaitBox(updater.pi.dwProcessId, box, 15000) &&
              box.text == "Mirelka 자동 업데이트 프로그램입니다.\n수동으로는 실행할 수 없습니다.",
          std::string("refused by hand: [") + argument + "]");
    CHECK(Answer(box.hwnd, IDOK) && updater.Ended(10000), "the updater ended after its refusal");
  }
}

// Times one update of a big file (scripts/bench.d/update.sh): from the
// progress group's appearance to the installing message, the downloads only.
void Bench() {
  Program updater;
  Start("update.exe", "Mirelka", updater);
  HWND dialog = WaitUpdaterDialog();
  DWORD start = 0, end = 0;
  WaitUntil([&] {
    if (!start && Visible(dialog, kCounter)) start = GetTickCount();
    if (start && Visible(dialog, kMessage)) end = GetTickCount();
    return !IsWindow(dialog) || end != 0;
  }, 600000, 2);
  REQUIRE(start && end, "the download was seen from start to end");
  Say("BENCH %.3f\n", (end - start) / 1000.0);
  ExpectRestartedWithNoUpdate(120000);
}

// The faults and the releases not as the vendor signed them end in the
// failure box; "replay" is the good release started by a Mirelka that says
// it is 1.2 (the updater is not updated itself).
const Scenario kScenarios[] = {
    {"happy", Happy}, {"no-server", NoServer}, {"locked", Locked}, {"cancel", Cancel}, {"running", Running},
    {"by-hand", ByHand}, {"bench", Bench}, {"missing", Failed}, {"short", Failed}, {"no-length", Failed},
    {"unsafe", Failed}, {"no-manifest", Failed}, {"other-key", Failed}, {"changed-manifest", Failed},
    {"unlisted", Failed}, {"other-bytes", Failed}, {"older", Failed},
    {"replay", [] { SetEnvironmentVariableA("MIRELKA_VERSION", "1.2"), Failed(); }}, {nullptr, nullptr},
};

}  // namespace

int main(int argc, char** argv) {
  if (argc != 5) return std::printf("usage: update_e2e APP ARTEFACTS RESULTS SCENARIO\n"), 2;
  g_app = argv[1];
  OpenResults(argv[3]);
  SetArtefacts(argv[2], "update-");
  return Finish(RunScenarios(kScenarios, 1, argv + 4, "update"));
}
