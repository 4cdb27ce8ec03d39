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

const char kTitle[] = "Mirelka 자동 업데이트";
const char kFailedText[] = "자동 업데이트에 실패했습니다.";
const char kCancelledText[] = "자동 업데이트가 취소되었습니다.";
const char kRunningText[] = "Mirelka 프로그램이 현재 실행 중입니다.";
const char kByHandText[] = "Mirelka 자동 업데이트 프로그램입니다.\n수동으로는 실행할 수 없습니다.";
const int kCounter = 1009, kFileBar = 1005, kMessage = 1010;

std::string g_app, g_scenario;

std::string AppPath(const char* name) { return g_app + "\\" + name; }

DWORD UpdaterPid() {
  std::vector<DWORD> pids = ProcessesNamed("update.exe");
  return pids.empty() ? 0 : pids[0];
}
bool UpdaterEnded(DWORD timeoutMs) { return WaitUntil([] { return UpdaterPid() == 0; }, timeoutMs); }

// The updater's dialog (started by Mirelka or by us); the scenario ends without it.
HWND WaitUpdaterDialog() {
  HWND dialog = nullptr;
  WaitUntil([&] {
    DWORD pid = UpdaterPid();
    std::vector<HWND> w = pid ? TopWindows(pid, kTitle) : std::vector<HWND>();
    return (dialog = w.empty() ? nullptr : w[0]) != nullptr;
  });
  return NEED(dialog, "the updater's dialog appeared");
}

// A message box of the updater whose text starts with `text`; required.
HWND WaitUpdaterBox(const char* text, const char* caption = "경고") {
  Box box;
  REQUIRE(WaitUntil([&] {
    DWORD pid = UpdaterPid();
    return pid && WaitBox(pid, box, 200) && box.text.rfind(text, 0) == 0;
  }, 60000), std::string("the updater's box: ") + text);
  CHECK(box.caption == caption, "the box's caption");
  return box.hwnd;
}

void Start(const char* exe, const char* argument, Program& p) {
  std::string cmd = "\"" + AppPath(exe) + "\"" + (*argument ? " " : "") + argument;
  REQUIRE(StartProgram(cmd, p), cmd + " started");
}

// Mirelka's stand-in records each start and the end of its check.
std::string RunsLog() { return FileBytes(AppPath("mirelka-runs.log")); }
void CloseMirelka() {
  if (HWND w = FindWindowA("Mirelka", nullptr)) PostMessageA(w, WM_CLOSE, 0, 0);
}

// The updater ends and restarts Mirelka with "noupdate"; closed again here.
void ExpectRestartedWithNoUpdate(DWORD updaterMs = 60000) {
  CHECK(UpdaterEnded(updaterMs), "the updater ended");
  CHECK(WaitUntil([] { return RunsLog().find("start noupdate") != std::string::npos; }),
        "Mirelka was restarted with noupdate");
  WaitUntil([] { return FindWindowA("Mirelka", nullptr) != nullptr; });
  CloseMirelka();
  WaitUntil([] { return FindWindowA("Mirelka", nullptr) == nullptr; });
}

// --- scenarios

// Mirelka sees the higher version, starts the updater and closes; the
// updater downloads, installs and starts Mirelka again.
void Happy() {
  Program mirelka;
  Start("Mirelka.exe", "", mirelka);
  HWND dialog = WaitUpdaterDialog();
  CHECK(mirelka.Ended(15000), "Mirelka closed for the update");
  std::set<std::string> counters;
  bool progressShot = false, doneShot = false;
  WaitUntil([&] {
    if (!IsWindow(dialog)) return true;
    std::string counter = ItemText(dialog, kCounter);
    if (Visible(dialog, kCounter)) counters.insert(counter);
    if (!progressShot && counter == "2 / 3 files..." && ProgressPos(dialog, kFileBar) > 0)
      Shot(dialog, "progress"), progressShot = true;
    if (!doneShot && Visible(dialog, kMessage) && ItemText(dialog, kMessage).rfind("설치가 완료", 0) == 0)
      Shot(dialog, "done"), doneShot = true;
    return false;
  }, 120000, 5);
  for (const char* c : {"1 / 3 files...", "2 / 3 files...", "3 / 3 files..."})
    CHECK(counters.count(c) == 1, std::string("counter text seen: ") + c);
  CHECK(progressShot && doneShot, "progress and completion seen");
  ExpectRestartedWithNoUpdate();
}

// The same with the real Mirelka.exe; the run script checks in the server's
// log that the restarted Mirelka did not ask for the version again.
void HappyMirelka() {
  Program mirelka;
  Start("Mirelka.exe", "", mirelka);
  WaitUpdaterDialog();
  CHECK(mirelka.Ended(15000), "Mirelka closed for the update");
  CHECK(UpdaterEnded(120000), "the updater ended");
  CHECK(WaitUntil([] { return FindWindowA("Mirelka", nullptr) != nullptr; }), "Mirelka was restarted");
  CHECK(Stays([] { return UpdaterPid() == 0; }, 2000), "the restarted Mirelka did not start the updater again");
  for (DWORD pid : ProcessesNamed("Mirelka.exe")) {
    HANDLE h = OpenProcess(PROCESS_TERMINATE | SYNCHRONIZE, FALSE, pid);
    if (h) TerminateProcess(h, 0), WaitForSingleObject(h, 5000), CloseHandle(h);
  }
}

// No server: Mirelka's check fails quietly and Mirelka stays.
void NoServer() {
  Program mirelka;
  Start("Mirelka.exe", "", mirelka);
  CHECK(WaitUntil([] { return RunsLog().find("state 0") != std::string::npos; }, 30000),
        "the check ended with nothing to do");
  CHECK(Stays([&] { return !mirelka.Ended(0) && UpdaterPid() == 0; }, 500), "Mirelka still runs, no updater started");
  CloseMirelka();
  CHECK(mirelka.Ended(10000), "Mirelka closed");
}

// update.exe is missing: Mirelka says so and still closes.
void NoUpdater() {
  Program mirelka;
  Start("Mirelka.exe", "", mirelka);
  Box box;
  REQUIRE(WaitBox(mirelka.pi.dwProcessId, box, 30000), "Mirelka's box appeared");
  CHECK(box.caption == "경고" && box.text.rfind("업데이트 파일 ( update.exe ) 이 손상, 또는 삭제됐습니다.", 0) == 0,
        "the box says update.exe is damaged or deleted");
  Shot(box.hwnd, "no-updater");
  Answer(box.hwnd, IDCANCEL);
  CHECK(mirelka.Ended(10000), "Mirelka closed all the same");
  CHECK(RunsLog().find("state 1") != std::string::npos, "the check ended with state 1");
}

// A fault or refusal: the box (the failure box unless said), answered
// Cancel; the updater just ends without starting Mirelka.
void Failure(const char* shot, const char* text = kFailedText, const char* caption = "경고") {
  Program updater;
  Start("update.exe", "Mirelka", updater);
  HWND box = WaitUpdaterBox(text, caption);
  Shot(box, shot);
  Answer(box, IDCANCEL);
  CHECK(updater.Ended(15000), "the updater ended");
  CHECK(FindWindowA("Mirelka", nullptr) == nullptr, "Mirelka was not started");
}

// The target file held open without sharing by another process.
void Locked() {
  HANDLE held = CreateFileA(AppPath("data.bin").c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
  REQUIRE(held != INVALID_HANDLE_VALUE, "data.bin held open");
  Guarded([] { Failure("failed-locked"); });
  CloseHandle(held);
}

// Cancel in the middle of the second (slow) file, then OK: the installed
// program is started again.
void Cancel() {
  Program updater;
  Start("update.exe", "Mirelka", updater);
  HWND dialog = WaitUpdaterDialog();
  REQUIRE(WaitUntil([&] {
    return ItemText(dialog, kCounter) == "2 / 3 files..." && ProgressPos(dialog, kFileBar) > 0;
  }, 60000, 5), "the second file is downloading");
  Shot(dialog, "cancel-progress");
  Click(dialog, IDCANCEL);
  HWND box = WaitUpdaterBox(kCancelledText);
  Shot(box, "cancelled");
  Answer(box, IDOK);
  ExpectRestartedWithNoUpdate();
}

// Mirelka still runs: Retry while it does, close it, Retry: installed.
void Running() {
  Program mirelka, updater;
  Start("Mirelka.exe", "noupdate", mirelka);
  REQUIRE(WaitUntil([] { return FindWindowA("Mirelka", nullptr) != nullptr; }), "Mirelka's window");
  Start("update.exe", "Mirelka", updater);
  HWND box = WaitUpdaterBox(kRunningText);
  Shot(box, "running");
  Answer(box, IDRETRY);
  box = WaitUpdaterBox(kRunningText);  // asked again while Mirelka runs
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
    CHECK(WaitBox(updater.pi.dwProcessId, box, 15000) && box.text == kByHandText && box.caption == "경고",
          std::string("refused by hand: [") + argument + "]");
    if (!*argument) Shot(box.hwnd, "by-hand");
    if (box.hwnd) Answer(box.hwnd, IDOK);
    CHECK(updater.Ended(10000), "the updater ended after its refusal");
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

// A fault or a release not as the vendor signed it: the failure box.
void Failed() { Failure(("failed-" + g_scenario).c_str()); }

const Scenario kScenarios[] = {
    {"happy", Happy}, {"happy-mirelka", HappyMirelka}, {"no-server", NoServer}, {"no-updater", NoUpdater},
    {"missing", Failed}, {"short", Failed}, {"no-length", Failed}, {"unsafe", Failed}, {"locked", Locked},
    {"cancel", Cancel}, {"running", Running}, {"by-hand", ByHand},
    // The new Mirelka.exe does not start: the error box.
    {"broken-program", [] { Failure("broken-program", "( Mirelka.exe ) 프로그램 실행에 실패했습니다.", "에러"); }},
    {"no-manifest", Failed}, {"other-key", Failed}, {"changed-manifest", Failed}, {"unlisted", Failed},
    {"other-bytes", Failed}, {"older", Failed},
    // The release is newer than the updater but older than the Mirelka that
    // starts it (the updater is not updated itself).
    {"replay", [] { SetEnvironmentVariableA("MIRELKA_VERSION", "1.2"); Failed(); }},
    {"bench", Bench}, {nullptr, nullptr},
};

}  // namespace

int main(int argc, char** argv) {
  if (argc != 5) {
    std::printf("usage: update_e2e APP ARTEFACTS RESULTS SCENARIO\n");
    return 2;
  }
  g_app = argv[1], g_scenario = argv[4];
  OpenResults(argv[3]);
  SetArtefacts(argv[2], "update-");
  return Finish(RunScenarios(kScenarios, 1, argv + 4, "update"));
}
