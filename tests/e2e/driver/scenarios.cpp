// The end-to-end driver: works Trisel.exe the way a user does.
//   trisel_e2e.exe WORK APP ARTEFACTS [SCENARIO...]
//   trisel_e2e.exe WORK APP ARTEFACTS bench FILE   (times one encryption)
// WORK holds the files tests/e2e/run prepared, APP the folder of Trisel.exe,
// ARTEFACTS receives the screenshots. Results go to WORK\driver-results.txt;
// the exit code is the number of failed scenarios.
#include <windows.h>

#include <cstdio>
#include <cstring>

#include "harness.h"
#include "ui.h"

namespace {

std::string g_work, g_app;
std::string P(const std::string& rel) { return g_work + "\\" + rel; }

const char kBasicKey[] = "Software\\Pelmora\\Mirelka\\Trisel\\Basic";
const char kKeycommKey[] = "Software\\Pelmora\\Mirelka\\Trisel\\Keycomm";
const char kOptions[] = "폴더 옵션 확인";
const char kOverwriteTitle[] = "파일 덮어쓰기(Overwrite) 확인";
const char kPassword[] = "비밀1234";
const DWORD kStart = 20000, kJob = 120000;
const std::string kToCheck = " → [로그] [에러] 에서 확인";

enum {
  kIdPassword = 1007, kIdConfirm = 1008, kIdDelete = 1011, kIdRun = 1009, kIdStatus = 1019, kIdCounter = 1006,
  kIdFileBar = 1002, kIdFilter = 1028, kIdSubDirs = 1063,
  // The answers to the overwrite question.
  kIdYes = 1013, kIdNo = 1001, kIdYesAll = 1014, kIdNoAll = 1016, kIdStop = 1018,
};

// Trisel started as Explorer's menu starts it: every part quoted.
bool Start(const std::vector<std::string>& args, Program& prog) {
  std::string cmd = "\"" + g_app + "\\Trisel.exe\"";
  for (const std::string& a : args) cmd += " \"" + a + "\"";
  return StartProgram(cmd, prog);
}

bool Has(const std::string& hay, const std::string& needle) { return hay.find(needle) != std::string::npos; }

// Expects a warning box of the process with the text and answers it.
void ExpectBox(const Program& prog, const std::string& text) {
  Box box;
  REQUIRE(WaitBox(prog.pi.dwProcessId, box, kStart), "no message box: " + text);
  CHECK_EQ("경고 / " + text, box.caption + " / " + box.text, "message box");
  CHECK(Answer(box.hwnd, IDOK), "box did not close");
}

// Trisel with its main dialog w open; closed with its close button when it goes out of scope.
struct Trisel {
  Program prog;
  HWND w = nullptr;
  explicit Trisel(const std::vector<std::string>& args) {
    REQUIRE(Start(args, prog), "Trisel.exe did not start");
    w = Await(args[0] == "-d" ? "해독 - Trisel v1.0" : "암호 - Trisel v1.0");
  }
  ~Trisel() { Close(); }
  void Close() {
    if (w) Click(w, IDCANCEL), CHECK(prog.Ended(10000), "program did not end on close");
    w = nullptr, prog.Close();
  }
  HWND Await(const char* title, DWORD ms = kStart) { return NEED(WaitDialog(prog.pi.dwProcessId, title, ms), std::string("no ") + title); }
  std::string Item(int id) { return ItemText(w, id); }
  // Answers the question after a wrong password: IDYES stops the job.
  void WrongPassword(int answer) {
    Box box;
    REQUIRE(WaitBox(prog.pi.dwProcessId, box, kJob), "no wrong-password question");
    CHECK(Has(box.text, "틀린 <암호>를 입력했습니다.") && Has(box.text, "중단하시겠습니까?"), "wrong password: " + box.text);
    Answer(box.hwnd, answer);
  }
  // Puts the passwords in the way a paste would (the edits' length limit applies); Run presses the run button.
  void Passwords(const std::string& a, const std::string& b) {
    for (int id : {kIdPassword, kIdConfirm}) {
      SendMessageA(GetDlgItem(w, id), EM_SETSEL, 0, -1);
      SendMessageA(GetDlgItem(w, id), EM_REPLACESEL, 0, reinterpret_cast<LPARAM>((id == kIdPassword ? a : b).c_str()));
    }
  }
  void Run(const std::string& password = kPassword) { Passwords(password, password), Click(w, kIdRun); }
  bool JobEnded() {
    return Visible(w, kIdStatus) && Item(IDCANCEL) == "닫기" && !Item(kIdStatus).empty() &&
           Item(kIdStatus) != "작업이 진행중입니다...";
  }
  void ExpectEnd(const std::string& status) {
    CHECK(WaitUntil([&] { return JobEnded(); }, kJob, 30), "job did not end");
    CHECK_EQ(status, Item(kIdStatus), "status");
  }
};

// One whole job: run with the password, expect the status, close.
void Job(const std::vector<std::string>& args, const std::string& password, const std::string& status) {
  Trisel t(args);
  t.Run(password);
  t.ExpectEnd(status);
}

// A single path of the wrong kind: the box, then the end; several paths get
// no such test: the dialog opens.
void ScenarioRefusals() {
  const char* const cases[][3] = {{"-e", "X.TSL", "X.TSL\n\n암호화된 파일입니다.\n(이중으로 암호화할 수 없습니다.)"},
                                  {"-d", "plain.txt", "plain.txt\n\n암호화된 파일이 아닙니다.\n(해독할 수 없습니다.)"}};
  for (const auto& c : cases) {
    Program prog;
    REQUIRE(Start({c[0], P(std::string("single\\") + c[1])}, prog), "Trisel.exe did not start");
    ExpectBox(prog, c[2]);
    CHECK(prog.Ended(10000), std::string("program did not end after the box: ") + c[2]);
  }
  Trisel({"-e", P("single\\X.TSL"), P("single\\plain.txt")});
}

void ScenarioEncryptJob() {
  Trisel t({"-e", P("enc\\a.txt"), P("enc\\한글 문서.txt"), P("enc\\empty.txt"), P("enc\\폴더")});
  Shot(t.w, "main-encrypt");
  t.Run();
  HWND opts = t.Await(kOptions);
  Shot(opts, "folder-options");
  Click(opts, kIdSubDirs);
  SetItemText(opts, kIdFilter, "*.txt");
  CHECK(Answer(opts, IDOK), "folder options did not close");
  t.ExpectEnd("작업 완료");
  CHECK_EQ("6 / 6 files...", t.Item(kIdCounter), "counter text");
  CHECK(!FileExists(P("enc\\폴더\\skip.dat.tsl")), "the filter let skip.dat through");
}

void ScenarioDecryptJob() {
  // The run script's copies in cli\ keep the plain files and their times.
  const char* names[] = {"a.txt", "한글 문서.txt"};
  for (const char* name : names) REQUIRE(DeleteFileA(P(std::string("enc\\") + name).c_str()), "cannot remove the plain file");
  const std::vector<std::string> args = {"-d", P("enc\\a.txt.tsl"), P("enc\\한글 문서.txt.tsl")};
  Shot(Trisel(args).w, "main-decrypt");
  Job(args, kPassword, "작업 완료");
  for (const char* name : names) {
    const std::string p = P(std::string("enc\\") + name), orig = P(std::string("cli\\") + name);
    CHECK(FileExists(p) && FileBytes(p) == FileBytes(orig), std::string("decrypted bytes differ: ") + name);
    CHECK(ModifyTime(p) / 10000000 == ModifyTime(orig) / 10000000, std::string("modify time not restored: ") + name);
  }
}

void ScenarioOverwrite() {
  struct Case { std::vector<const char*> files; std::vector<int> answers; const char* status; };
  const Case cases[] = {
      // Yes, No, then Yes to all (the last file is overwritten without a question).
      {{"o1", "o2", "o3", "o4"}, {kIdYes, kIdNo, kIdYesAll}, "작업 완료 / 경고(3)"},
      // No to all: the next existing result is skipped silently; Cancel ends the job.
      {{"o5", "o6"}, {kIdNoAll}, "작업 완료 / 경고(1)"},
      {{"o5", "o6"}, {kIdStop}, "작업 중지 / 경고(1)"},
  };
  for (const Case& c : cases) {
    std::vector<std::string> args = {"-e"};
    for (const char* f : c.files) args.push_back(P(std::string("ow\\") + f + ".txt"));
    {
      Trisel t(args);
      t.Run();
      for (int answer : c.answers) CHECK(Answer(t.Await(kOverwriteTitle, kJob), answer), "overwrite question did not close");
      t.ExpectEnd(c.status + kToCheck);
    }
    std::string left;  // o1..o6: whether each result is still the old one; o2, o5, o6 are
    for (int i = 1; i <= 6; ++i) left += FileBytes(P("ow\\o" + std::to_string(i) + ".txt.tsl")) == "OLD" ? '1' : '0';
    CHECK_EQ("010011", left, "results left as they were");
  }
}

void ScenarioCancel() {
  Trisel t({"-e", P("big\\big.bin")});
  t.Run();
  REQUIRE(WaitUntil([&] { return t.Item(IDCANCEL) == "취소"; }, kStart), "close button never read 취소");
  WaitUntil([&] { return ProgressPos(t.w, kIdFileBar) >= 1; }, kJob, 5);
  Click(t.w, IDCANCEL);
  t.ExpectEnd("작업 중지");  // the close button reads 닫기 again
  CHECK(!t.prog.Ended(300), "the first press closed the program");
  CHECK(!FileExists(P("big\\big.bin.tsl")), "partial result left behind");
}

void ScenarioKeyFileAndDeleteSource() {
  // A key file under 1 KB stops the job before any file is touched.
  REQUIRE(RegSetString(kKeycommKey, "CommKeyFile", P("key\\small.bin")), "cannot set CommKeyFile");
  {
    Trisel t({"-e", P("keyjob\\k1.txt")});
    t.Run();
    ExpectBox(t.prog, "공통 키 파일은 1KB 이상의 크기만 허용됩니다.\n공통키파일 [설정] 에서 다른 파일로 교체하십시오.");
    t.ExpectEnd("작업 중지");
    CHECK(!FileExists(P("keyjob\\k1.txt.tsl")), "a refused key file still coded");
  }
  // With a usable key file, and the source deleted after success.
  REQUIRE(RegSetString(kKeycommKey, "CommKeyFile", P("key\\key.bin")), "cannot set CommKeyFile");
  Trisel t({"-e", P("keyjob\\k1.txt")});
  Click(t.w, kIdDelete);
  t.Run();
  t.ExpectEnd("작업 완료");
  CHECK(!FileExists(P("keyjob\\k1.txt")), "source not deleted");
  t.Close();
  RegDeleteKeyA(HKEY_CURRENT_USER, kBasicKey), RegDeleteKeyA(HKEY_CURRENT_USER, kKeycommKey);  // delete-source off again
}

void ScenarioShortName() {
  // An item given by its 8.3 short name, as Explorer may pass it.
  const std::string file = P("short\\long report name.document");
  REQUIRE(PutFile(file, "named by its short name"), "cannot write the long-named file");
  char shortPath[MAX_PATH] = {};
  DWORD n = GetShortPathNameA(file.c_str(), shortPath, sizeof shortPath);
  REQUIRE(n > 0 && n < sizeof shortPath && file != shortPath, "no short name for " + file);
  Job({"-e", shortPath}, kPassword, "작업 완료");
  CHECK(FileExists(file + ".tsl"), "no .tsl beside the file named by its short name");
}

void ScenarioLongPassword() {
  // A password longer than 255 bytes (what another program may have used)
  // is taken whole: one byte less at the end does not open the file.
  std::string password;
  for (int i = 0; i < 40; ++i) password += "비밀번호 " + std::to_string(i) + ", ";
  const std::string file = P("long\\l.txt");
  REQUIRE(PutFile(file, "coded with a long password"), "cannot write long\\l.txt");
  {
    Trisel t({"-e", file});
    t.Run(password);
    CHECK_EQ(password, t.Item(kIdPassword), "the password edit cut the password");
    t.ExpectEnd("작업 완료");
  }
  REQUIRE(DeleteFileA(file.c_str()), "cannot remove the plain file");
  {
    Trisel t({"-d", file + ".tsl"});
    t.Run(password.substr(0, password.size() - 1));
    t.WrongPassword(IDYES);  // one byte short
    t.ExpectEnd("작업 중지 / 에러(1)" + kToCheck);
    CHECK(!FileExists(file), "a wrong password left a result file");
  }
  Job({"-d", file + ".tsl"}, password, "작업 완료");
  CHECK_EQ("coded with a long password", FileBytes(file), "decrypted bytes");
}

void ScenarioQuickClicks() {
  // Two presses of the run button and a close, all queued before the job's
  // thread gets to run: one job starts, the close cancels it, the program stays.
  const std::string file = P("quick\\q.txt");
  REQUIRE(PutFile(file, std::string(3 << 20, 'q')), "cannot write quick\\q.txt");
  Trisel t({"-e", file});
  t.Passwords(kPassword, kPassword);
  for (int id : std::initializer_list<int>{kIdRun, kIdRun, IDCANCEL}) Click(t.w, id);
  REQUIRE(!t.prog.Ended(1500), "the close queued behind the run button ended the program");
  REQUIRE(WaitUntil([&] { return t.JobEnded(); }, kJob, 30), "job did not end");
  CHECK(t.Item(kIdStatus) == "작업 중지" || t.Item(kIdStatus) == "작업 완료", "status: " + t.Item(kIdStatus));
  Box box;
  CHECK(!WaitBox(t.prog.pi.dwProcessId, box, 500) && !WaitDialog(t.prog.pi.dwProcessId, kOverwriteTitle, 500), "a second job asked");
  const std::string log = FileBytes(g_app + "\\Trisel.exe.log");
  CHECK(Has(log, "(1) 작업 시간") && log.find("(1) 작업 시간") == log.rfind("(1) 작업 시간"),
        "the job log does not hold exactly one job");
}

// Times one encryption from the press of the run button to the status line.
void BenchEncrypt(const std::string& file, double& seconds) {
  DeleteFileA((file + ".tsl").c_str());
  Trisel t({"-e", file});
  t.Passwords(kPassword, kPassword);
  const DWORD start = GetTickCount();
  Click(t.w, kIdRun);
  // Polled seldom enough not to compete with the job for the dialog's thread.
  WaitUntil([&] { return Visible(t.w, kIdStatus) && t.Item(kIdStatus).compare(0, 9, "작업 완료") == 0; }, 600000, 15);
  if (t.Item(kIdStatus) == "작업 완료") seconds = (GetTickCount() - start) / 1000.0;
  t.Close();
  DeleteFileA((file + ".tsl").c_str());
}

// In the order they run; later ones use what earlier ones left.
const Scenario kScenarios[] = {
    {"refusals", ScenarioRefusals}, {"encrypt", ScenarioEncryptJob},
    {"decrypt", ScenarioDecryptJob}, {"overwrite", ScenarioOverwrite},
    {"keyfile", ScenarioKeyFileAndDeleteSource}, {"cancel", ScenarioCancel}, {"short-name", ScenarioShortName},
    {"long-password", ScenarioLongPassword}, {"quick-clicks", ScenarioQuickClicks}, {nullptr, nullptr},
};

}  // namespace

int main(int argc, char** argv) {
  if (argc < 4) return std::printf("usage: trisel_e2e WORK APP ARTEFACTS [SCENARIO...]\n"), 2;
  g_work = argv[1], g_app = argv[2];
  OpenResults(g_work + "\\driver-results.txt"), SetArtefacts(argv[3], "");
  if (argc == 6 && std::strcmp(argv[4], "bench") == 0) {
    double secs = -1;
    Guarded([&] { BenchEncrypt(argv[5], secs); });
    Say("BENCH %.3f\n", secs);
    return Finish(secs < 0);
  }
  RegDeleteKeyA(HKEY_CURRENT_USER, kBasicKey), RegDeleteKeyA(HKEY_CURRENT_USER, kKeycommKey);
  return Finish(RunScenarios(kScenarios, argc - 4, argv + 4, "Trisel"));
}
