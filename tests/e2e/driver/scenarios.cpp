// The user's ways through Trisel.exe, one scenario each.
#include <windows.h>

#include <string>
#include <vector>

#include "harness.h"
#include "fixture.h"
#include "ui.h"

namespace {

const char kEncTitle[] = "암호 - Trisel v1.0";
const char kDecTitle[] = "해독 - Trisel v1.0";
const char kOverwriteTitle[] = "파일 덮어쓰기(Overwrite) 확인";
const char kPassword[] = "비밀1234";
const DWORD kStart = 20000;
const DWORD kJob = 120000;

const char kUsage[] =
    "Trisel(Trisel)은 탐색기 마우스 우측버튼에서 실행되는 프로그램입니다.\n\n"
    "[전달받는 파라미터]\n\n"
    "(암호) Trisel -e \"file1\" \"file2\" \"...\"\n"
    "(해독) Trisel -d \"file1\" \"file2\" \"...\"\n\n"
    "file → 전체경로";
const std::string kToCheck = " → [로그] [에러] 에서 확인";

enum {
  kIdPassword = 1007, kIdConfirm = 1008, kIdDelete = 1011, kIdRun = 1009, kIdStatus = 1019,
  kIdCounter = 1006, kIdOverall = 1003, kIdFileName = 1005, kIdFileBar = 1002, kIdSettings = 1024,
  kIdLog = 1029, kIdErrLog = 1030, kIdHelp = 1027, kIdBannerText = 1057,
  // Folder options and the advanced dialog.
  kIdFilter = 1028, kIdFilterHint = 1066, kIdSubDirs = 1063, kIdThisFolder = 1064,
  kIdKeyFile = 1017, kIdKeyReset = 1021, kIdViewerText = 1052,
  // Overwrite question: its text and the five answers.
  kIdQuestion = 1019, kIdYes = 1013, kIdNo = 1001, kIdYesAll = 1014, kIdNoAll = 1016, kIdStop = 1018,
};

// Waits for a dialog of the program with the title; null on timeout.
HWND Dialog(const Program& prog, const char* title, DWORD timeoutMs = kStart) {
  return WaitDialog(prog.pi.dwProcessId, title, timeoutMs);
}

// Starts Trisel with the arguments and waits for the main dialog of the mode.
HWND OpenMain(const std::vector<std::string>& args, Program& prog) {
  if (!StartProgram(TriselCommand(args), prog)) return nullptr;
  return Dialog(prog, args[0] == "-d" ? kDecTitle : kEncTitle);
}

bool CloseMain(Program& prog, HWND main) {
  if (main) Click(main, IDCANCEL);
  bool gone = main && prog.Ended(10000);
  prog.Close();
  return gone;
}

void TypePasswords(HWND main, const std::string& a, const std::string& b) {
  SetItemText(main, kIdPassword, a);
  SetItemText(main, kIdConfirm, b);
}

// Types the password twice and presses the run button.
void Run(HWND main, const std::string& password = kPassword) {
  TypePasswords(main, password, password);
  Click(main, kIdRun);
}

bool Contains(const std::string& hay, const std::string& needle) {
  return hay.find(needle) != std::string::npos;
}

// Expects a warning box with the text and answers it.
void ExpectBox(Program& prog, const std::string& text, const std::string& what) {
  Box box;
  REQUIRE(WaitBox(prog.pi.dwProcessId, box, kStart), what + ": no message box");
  CHECK_EQ("경고", box.caption, what + " caption");
  CHECK_EQ(text, box.text, what + " text");
  CHECK(Answer(box.hwnd, IDOK), what + ": box did not close");
}

// Starts Trisel expecting a warning box instead of its dialog, and its end
// once the box is answered.
void ExpectBoxThenExit(const std::vector<std::string>& args, const std::string& text,
                       const std::string& what) {
  Program prog;
  REQUIRE(StartProgram(TriselCommand(args), prog), "Trisel.exe did not start");
  ExpectBox(prog, text, what);
  CHECK(prog.Ended(10000), what + ": program did not end");
}

std::string Status(HWND main) { return ItemText(main, kIdStatus); }

// Waits for the job's end and compares the status line.
void ExpectJobEnd(HWND main, const std::string& status, const std::string& what) {
  CHECK(WaitUntil([&] {
    return Visible(main, kIdStatus) && ItemText(main, IDCANCEL) == "닫기" && !Status(main).empty() &&
           Status(main) != "작업이 진행중입니다...";
  }, kJob, 30), what + ": job did not end");
  CHECK_EQ(status, Status(main), what + ": status");
}

bool IsOld(const char* name) { return FileBytes(g_fx.Path(std::string("ow\\") + name + ".tsl")) == "OLD"; }

// Pastes the text into an edit the way the clipboard would: the edit's
// length limit applies, as it does to typing.
void PasteInto(HWND dialog, int id, const std::string& text) {
  HWND edit = GetDlgItem(dialog, id);
  SendMessageA(edit, EM_SETSEL, 0, -1);
  SendMessageA(edit, EM_REPLACESEL, FALSE, reinterpret_cast<LPARAM>(text.c_str()));
}

void KillAll(const char* exe) {
  for (DWORD pid : ProcessesNamed(exe)) {
    HANDLE h = OpenProcess(PROCESS_TERMINATE, FALSE, pid);
    if (h) TerminateProcess(h, 0);
    if (h) CloseHandle(h);
  }
}

}  // namespace

void ScenarioUsage() {
  std::string file = g_fx.Path("single\\plain.txt");
  const std::vector<std::vector<std::string>> cases = {
      {}, {"-e"}, {"-d"}, {"-x", file}, {"-E", file}, {"e", file, file}};
  for (const auto& args : cases) {
    ExpectBoxThenExit(args, kUsage, "usage box for " + std::to_string(args.size()) + " argument(s)");
  }
}

void ScenarioRefusals() {
  ExpectBoxThenExit({"-e", g_fx.Path("single\\X.TSL")},
                    "X.TSL\n\n암호화된 파일입니다.\n(이중으로 암호화할 수 없습니다.)", "refusal -e");
  ExpectBoxThenExit({"-d", g_fx.Path("single\\plain.txt")},
                    "plain.txt\n\n암호화된 파일이 아닙니다.\n(해독할 수 없습니다.)", "refusal -d");
  // Several paths, or a folder, get no such test: the dialog opens.
  for (const std::vector<std::string>& args :
       {std::vector<std::string>{"-e", g_fx.Path("single\\X.TSL"), g_fx.Path("single\\plain.txt")},
        std::vector<std::string>{"-d", g_fx.Path("enc")}}) {
    Program prog;
    CHECK(CloseMain(prog, OpenMain(args, prog)), args[0] + " with a folder or two paths: no dialog");
  }
}

void ScenarioPasswordChecks() {
  Program prog;
  HWND main = NEED(OpenMain({"-e", g_fx.Path("single\\plain.txt")}, prog), "main dialog did not open");
  // The start state on an empty registry.
  CHECK(!Checked(main, kIdDelete), "delete-source box ticked on first run");
  CHECK_EQ("암호", ItemText(main, kIdRun), "run button text");
  for (int id : {kIdCounter, kIdOverall, kIdFileName, kIdFileBar}) {
    CHECK(!Visible(main, id), "progress control visible at start: " + std::to_string(id));
  }
  Shot(main, "main-encrypt");

  struct Case { const char* a; const char* b; const char* text; };
  const Case cases[] = {
      {"", "", "<암호>와 <확인>을 입력하십시오."},
      {"abc", "", "<확인>을 입력하십시오."},
      {"", "abc", "<암호>를 입력하십시오."},
      {"abc", "abd", "<암호>와 <확인>이 일치하지 않습니다."},
  };
  for (const Case& c : cases) {
    TypePasswords(main, c.a, c.b);
    Click(main, kIdRun);
    ExpectBox(prog, c.text, c.text);
    CHECK(WaitUntil([&] { return FocusOf(main) == GetDlgItem(main, kIdPassword); }),
          std::string("focus not in the password edit after: ") + c.text);
    CHECK(Enabled(main, kIdRun), "run button disabled after a refusal");
  }
  // No job ever wrote logs beside this program yet.
  Click(main, kIdErrLog);
  ExpectBox(prog, "도움말 파일을 찾을 수 없습니다.", "error log before any job");
  CHECK(CloseMain(prog, main), "program did not end on close");
}

void ScenarioSettings() {
  Program prog;
  HWND main = NEED(OpenMain({"-e", g_fx.Path("single\\plain.txt")}, prog), "main dialog did not open");
  Click(main, kIdDelete);  // handled before the close button's click, posted after it
  CHECK(CloseMain(prog, main), "program did not end");
  CHECK_EQ("1", RegText(kBasicKey, "DelSrcFile"), "DelSrcFile stored");

  main = NEED(OpenMain({"-e", g_fx.Path("single\\plain.txt")}, prog), "main dialog did not open again");
  CHECK(Checked(main, kIdDelete), "stored DelSrcFile not shown");

  // Advanced dialog: a chosen file is stored on OK only; reset empties it.
  const std::string key = g_fx.Path("key\\key.bin");
  struct Round { const char* shown; bool reset; int button; const char* stored; };
  const Round rounds[] = {{"", false, IDOK, key.c_str()},          // what the file dialog would enter
                          {key.c_str(), true, IDCANCEL, key.c_str()},
                          {key.c_str(), true, IDOK, ""}};
  for (const Round& r : rounds) {
    Click(main, kIdSettings);
    HWND adv = NEED(Dialog(prog, "고급"), "advanced dialog did not open");
    CHECK_EQ(r.shown, ItemText(adv, kIdKeyFile), "key file path shown");
    if (r.reset) Click(adv, kIdKeyReset);
    else SetItemText(adv, kIdKeyFile, key);
    CHECK(WaitUntil([&] { return ItemText(adv, kIdKeyFile) == (r.reset ? "" : key); }),
          "key file path not as entered or reset");
    CHECK(Answer(adv, r.button), "advanced dialog did not close");
    CHECK_EQ(r.stored, RegText(kKeycommKey, "CommKeyFile"), "CommKeyFile stored");
  }
  Click(main, kIdDelete);  // handled before the close button's click, posted after it
  CHECK(CloseMain(prog, main), "program did not end");
  CHECK_EQ("0", RegText(kBasicKey, "DelSrcFile"), "DelSrcFile stored");
}

void ScenarioHelp() {
  KillAll("hh.exe");
  Program prog;
  HWND main = NEED(OpenMain({"-e", g_fx.Path("single\\plain.txt")}, prog), "main dialog did not open");
  Click(main, kIdHelp);
  CHECK(WaitUntil([] { return !ProcessesNamed("hh.exe").empty(); }, kStart, 100),
        "help did not start hh.exe");
  Box box;
  CHECK(!WaitBox(prog.pi.dwProcessId, box, 500), "a box came up with the help: " + box.text);
  KillAll("hh.exe");
  CHECK(CloseMain(prog, main), "program did not end");
}

void ScenarioEncryptJob() {
  Program prog;
  HWND main = NEED(OpenMain({"-e", g_fx.Path("enc\\a.txt"), g_fx.Path("enc\\한글 문서.txt"),
                      g_fx.Path("enc\\empty.txt"), g_fx.Path("enc\\폴더")},
                     prog), "main dialog did not open");
  Run(main);
  HWND opts = NEED(Dialog(prog, "폴더 옵션 확인"), "folder options did not open");
  CHECK(Checked(opts, kIdThisFolder) && !Checked(opts, kIdSubDirs), "first run: not 'only this folder'");
  CHECK_EQ("*.*", ItemText(opts, kIdFilter), "default filter");
  CHECK_EQ("(*.txt)", ItemText(opts, kIdFilterHint), "filter hint");
  Shot(opts, "folder-options");
  Click(opts, kIdSubDirs);
  SetItemText(opts, kIdFilter, "*.txt");
  CHECK(Answer(opts, IDOK), "folder options did not close");

  ExpectJobEnd(main, "작업 완료", "encryption");
  CHECK_EQ("6 / 6 files...", ItemText(main, kIdCounter), "counter text");
  CHECK(ProgressPos(main, kIdOverall) == 6 && ProgressPos(main, kIdFileBar) == 100,
        "overall bar not at 6 or file bar not full");
  CHECK(!Enabled(main, kIdRun), "run button enabled after the job");
  CHECK(Enabled(main, kIdSettings) && Enabled(main, kIdLog) && Enabled(main, kIdDelete),
        "controls still locked after the job");
  CHECK(!Visible(main, kIdBannerText), "banner text box still shown");
  CHECK(!FileExists(g_fx.Path("enc\\폴더\\skip.dat.tsl")), "the filter let skip.dat through");
  CHECK_EQ("1", RegText(kBasicKey, "SubDir"), "SubDir stored");
  CHECK_EQ("*.txt", RegText(kBasicKey, "Filter"), "Filter stored");
  Shot(main, "main-encrypt-done");

  // Two presses, two job log viewers; then the error log.
  const DWORD pid = prog.pi.dwProcessId;
  Click(main, kIdLog);
  HWND v1 = NEED(Dialog(prog, "로그 보기"), "log viewer did not open");
  std::string log = ItemText(v1, kIdViewerText);
  for (const std::string& line : {std::string("(1) 작업 시간\r\n"), "1 : (ok) " + g_fx.Path("enc\\a.txt") + "\r\n",
                                  "6 : (ok) " + g_fx.Path("enc\\폴더\\sub\\deep\\z.txt"),
                                  std::string("전체 → 6\r\n성공 → 6  (경고 → 0)\r\n에러 → 0")}) {
    CHECK(Contains(log, line), "log viewer text lacks: " + line);
  }
  Shot(v1, "log-viewer");
  Click(main, kIdLog);
  CHECK(WaitUntil([&] { return TopWindows(pid, "로그 보기").size() == 2; }, kStart),
        "second press: no second viewer");
  Click(main, kIdErrLog);
  HWND ev = NEED(Dialog(prog, "에러 보기"), "error viewer did not open");
  CHECK(Contains(ItemText(ev, kIdViewerText), "(2) 에러 목록\r\n-------------\r\n\r\n에러 / 경고가 없습니다."),
        "error viewer text");
  // Resizing keeps the minimum size.
  SetWindowPos(ev, nullptr, 0, 0, 100, 100, SWP_NOMOVE | SWP_NOZORDER);
  RECT rc;
  GetWindowRect(ev, &rc);
  CHECK(rc.right - rc.left >= 300 && rc.bottom - rc.top >= 300, "viewer smaller than 300 x 300");
  // Escape closes a viewer like its close button.
  PostMessageA(GetDlgItem(ev, IDCANCEL), WM_KEYDOWN, VK_ESCAPE, 0);
  PostMessageA(GetDlgItem(ev, IDCANCEL), WM_KEYUP, VK_ESCAPE, 0);
  CHECK(WaitUntil([&] { return TopWindows(pid, "에러 보기").empty(); }),
        "Escape did not close the viewer");
  for (HWND w : TopWindows(pid, "로그 보기")) CHECK(Answer(w, IDCANCEL), "a log viewer did not close");
  CHECK(CloseMain(prog, main), "program did not end");
}

void ScenarioDecryptJob() {
  const char* names[] = {"enc\\a.txt", "enc\\한글 문서.txt"};
  for (const char* name : names) {
    std::string p = g_fx.Path(name);
    DeleteFileA((p + ".orig").c_str());
    REQUIRE(MoveFileA(p.c_str(), (p + ".orig").c_str()), std::string("cannot move ") + name);
  }
  const std::vector<std::string> args = {"-d", g_fx.Path("enc\\a.txt.tsl"), g_fx.Path("enc\\한글 문서.txt.tsl")};
  Program prog;
  HWND main = NEED(OpenMain(args, prog), "decrypt dialog did not open");
  CHECK_EQ("해독", ItemText(main, kIdRun), "run button text in decryption");
  Shot(main, "main-decrypt");
  Run(main, "wrong1");
  for (int answer : {IDNO, IDYES}) {
    Box box;
    REQUIRE(WaitBox(prog.pi.dwProcessId, box, kJob), "no wrong-password question");
    CHECK(box.caption == "경고" && Contains(box.text, "틀린 <암호>를 입력했습니다.") &&
              Contains(box.text, "중단하시겠습니까?"),
          "wrong-password question: " + box.caption + " / " + box.text);
    Answer(box.hwnd, answer);
  }
  ExpectJobEnd(main, "작업 중지 / 에러(2)" + kToCheck, "wrong passwords");
  CHECK(!FileExists(g_fx.Path("enc\\a.txt")), "a wrong password left a result file");
  CHECK(CloseMain(prog, main), "program did not end");

  main = NEED(OpenMain(args, prog), "decrypt dialog did not open again");
  Run(main);
  ExpectJobEnd(main, "작업 완료", "decryption");
  for (const char* name : names) {
    const std::string p = g_fx.Path(name), orig = p + ".orig";
    CHECK(FileExists(p) && FileBytes(p) == FileBytes(orig), std::string("decrypted bytes differ: ") + name);
    CHECK(ModifyTime(p) / 10000000 == ModifyTime(orig) / 10000000,
          std::string("modify time not restored: ") + name);
  }
  CHECK(CloseMain(prog, main), "program did not end");
}

void ScenarioDecryptFolder() {
  Program prog;
  HWND main = NEED(OpenMain({"-d", g_fx.Path("enc\\폴더")}, prog), "decrypt dialog did not open");
  Run(main);
  HWND opts = NEED(Dialog(prog, "폴더 옵션 확인"), "folder options did not open");
  // Decryption always takes *.tsl, whatever the stored filter says.
  CHECK_EQ("*.tsl", ItemText(opts, kIdFilter), "filter in decryption");
  CHECK((GetWindowLongA(GetDlgItem(opts, kIdFilter), GWL_STYLE) & ES_READONLY) != 0,
        "filter editable in decryption");
  CHECK_EQ("(해독 작업은 *.tsl 만 포함)", ItemText(opts, kIdFilterHint), "hint in decryption");
  CHECK(Checked(opts, kIdSubDirs), "stored SubDir not shown");
  Click(opts, kIdThisFolder);
  CHECK(Answer(opts, IDOK), "folder options did not close");
  // x.txt is still there beside x.txt.tsl: skip it and whatever follows.
  HWND dlg = NEED(Dialog(prog, kOverwriteTitle, kJob), "no overwrite question for x.txt");
  CHECK(Contains(ItemText(dlg, kIdQuestion), g_fx.Path("enc\\폴더\\x.txt")), "question names another file");
  CHECK(Answer(dlg, kIdNoAll), "overwrite question did not close");
  ExpectJobEnd(main, "작업 완료 / 경고(1)" + kToCheck, "folder decryption");
  CHECK_EQ("1 / 1 files...", ItemText(main, kIdCounter), "only the folder's own file counted");
  CHECK_EQ("0", RegText(kBasicKey, "SubDir"), "SubDir stored");
  CHECK_EQ("*.txt", RegText(kBasicKey, "Filter"), "decryption changed the stored filter");
  CHECK(CloseMain(prog, main), "program did not end");
}

void ScenarioOverwrite() {
  struct Job {
    std::vector<const char*> files;
    std::vector<int> answers;
    std::string status;
    std::vector<const char*> old, replaced;  // results kept, results overwritten
  };
  const Job jobs[] = {
      // Yes, No, then Yes to all (the last file is overwritten without a question).
      {{"o1.txt", "o2.txt", "o3.txt", "o4.txt"}, {kIdYes, kIdNo, kIdYesAll}, "작업 완료 / 경고(3)",
       {"o2.txt"}, {"o1.txt", "o3.txt", "o4.txt"}},
      // No to all: the next existing result is skipped silently.
      {{"o5.txt", "o6.txt"}, {kIdNoAll}, "작업 완료 / 경고(1)", {"o5.txt", "o6.txt"}, {}},
      // Cancel ends the job and leaves the existing file alone.
      {{"o5.txt", "o6.txt"}, {kIdStop}, "작업 중지 / 경고(1)", {"o5.txt", "o6.txt"}, {}},
  };
  for (const Job& job : jobs) {
    std::vector<std::string> args = {"-e"};
    for (const char* f : job.files) args.push_back(g_fx.Path(std::string("ow\\") + f));
    Program prog;
    HWND main = NEED(OpenMain(args, prog), "main dialog did not open");
    Run(main);
    for (size_t i = 0; i < job.answers.size(); ++i) {
      HWND dlg = NEED(Dialog(prog, kOverwriteTitle, kJob), "no overwrite question " + std::to_string(i + 1));
      std::string q = ItemText(dlg, kIdQuestion);
      CHECK(Contains(q, "동일한 파일이 이미 존재합니다.") && Contains(q, "덮어쓰겠습니까? "),
            "overwrite question text: " + q);
      if (&job == jobs && i == 0) {
        // Escape and the close box leave the question open.
        PostMessageA(dlg, WM_COMMAND, IDCANCEL, 0);
        PostMessageA(dlg, WM_SYSCOMMAND, SC_CLOSE, 0);
        PostMessageA(dlg, WM_CLOSE, 0, 0);
        CHECK(Stays([&] { return IsWindow(dlg) && IsWindowVisible(dlg); }, 700), "Escape or the close box ended the question");
        Shot(dlg, "overwrite");
      }
      CHECK(Answer(dlg, job.answers[i]), "overwrite question did not close");
    }
    ExpectJobEnd(main, job.status + kToCheck, "overwrite job");
    CloseMain(prog, main);
    for (const char* f : job.old) CHECK(IsOld(f), std::string("overwritten: ") + f);
    for (const char* f : job.replaced) CHECK(!IsOld(f), std::string("not overwritten: ") + f);
  }
}

void ScenarioCancel() {
  Program prog;
  HWND main = NEED(OpenMain({"-e", g_fx.Path("big\\big.bin")}, prog), "main dialog did not open");
  Run(main);
  REQUIRE(WaitUntil([&] { return ItemText(main, IDCANCEL) == "취소"; }, kStart),
          "close button never read 취소");
  WaitUntil([&] { return ProgressPos(main, kIdFileBar) >= 1; }, kJob, 5);
  Click(main, IDCANCEL);
  ExpectJobEnd(main, "작업 중지", "cancel");  // the close button reads 닫기 again
  CHECK(!prog.Ended(300), "the first press closed the program");
  CHECK(!FileExists(g_fx.Path("big\\big.bin.tsl")), "partial result left behind");
  CHECK(CloseMain(prog, main), "second press did not close the program");
}

void ScenarioOptionsCancel() {
  Program prog;
  HWND main = NEED(OpenMain({"-e", g_fx.Path("single")}, prog), "main dialog did not open");
  TypePasswords(main, kPassword, kPassword);
  for (int round = 0; round < 2; ++round) {
    Click(main, kIdRun);
    HWND opts = NEED(Dialog(prog, "폴더 옵션 확인"), "folder options did not open");
    if (round == 1) {
      // What the last OK stored comes back.
      CHECK(Checked(opts, kIdSubDirs), "stored SubDir not shown");
      CHECK_EQ("*.txt", ItemText(opts, kIdFilter), "stored filter not shown");
    }
    CHECK(Answer(opts, IDCANCEL), "folder options did not close on Cancel");
    CHECK(WaitUntil([&] { return Enabled(main, kIdRun) && ItemText(main, IDCANCEL) == "닫기"; }, kJob, 30),
          "run button not enabled after a cancelled folder options");
    CHECK(!Visible(main, kIdStatus) && !Visible(main, kIdOverall), "status or progress shown after -5");
  }
  CHECK(FileExists(g_fx.Path("single\\plain.txt")) && !FileExists(g_fx.Path("single\\plain.txt.tsl")),
        "a cancelled folder options still coded files");
  CHECK(CloseMain(prog, main), "program did not end");
}

void ScenarioKeyFileAndDeleteSource() {
  // A key file under 1 KB stops the job before any file is touched.
  REQUIRE(RegSetString(kKeycommKey, "CommKeyFile", g_fx.Path("key\\small.bin")), "cannot set CommKeyFile");
  Program prog;
  HWND main = NEED(OpenMain({"-e", g_fx.Path("keyjob\\k1.txt")}, prog), "main dialog did not open");
  Run(main);
  ExpectBox(prog, "공통 키 파일은 1KB 이상의 크기만 허용됩니다.\n공통키파일 [설정] 에서 다른 파일로 교체하십시오.",
            "too small key file");
  ExpectJobEnd(main, "작업 중지", "refused key file");
  CHECK(!FileExists(g_fx.Path("keyjob\\k1.txt.tsl")), "a refused key file still coded");
  CHECK(CloseMain(prog, main), "program did not end");

  // With a usable key file, and the source deleted after success.
  REQUIRE(RegSetString(kKeycommKey, "CommKeyFile", g_fx.Path("key\\key.bin")), "cannot set CommKeyFile");
  main = NEED(OpenMain({"-e", g_fx.Path("keyjob\\k1.txt")}, prog), "main dialog did not open again");
  Click(main, kIdDelete);
  Run(main);
  ExpectJobEnd(main, "작업 완료", "key file job");
  CHECK(!FileExists(g_fx.Path("keyjob\\k1.txt")), "source not deleted");
  Click(main, kIdDelete);  // handled before the close button's click, posted after it
  CHECK(CloseMain(prog, main), "program did not end");
  RegSetString(kKeycommKey, "CommKeyFile", "");
}

void ScenarioShortName() {
  // An item given by its 8.3 short name, as Explorer may pass it.
  const std::string file = g_fx.Path("short\\long report name.document");
  REQUIRE(PutFile(file, "named by its short name"), "cannot write the long-named file");
  char shortPath[MAX_PATH] = {};
  DWORD n = GetShortPathNameA(file.c_str(), shortPath, sizeof shortPath);
  REQUIRE(n > 0 && n < sizeof shortPath && file != shortPath, "no short name for " + file);
  Program prog;
  HWND main = NEED(OpenMain({"-e", shortPath}, prog), "main dialog did not open");
  Run(main);
  ExpectJobEnd(main, "작업 완료", std::string("item ") + shortPath);
  CHECK(FileExists(file + ".tsl"), "no .tsl beside the file named by its short name");
  CHECK(CloseMain(prog, main), "program did not end");
}

void ScenarioLongPassword() {
  // A password longer than 255 bytes (what another program may have used)
  // is taken whole: one byte less at the end does not open the file.
  std::string password;
  for (int i = 0; i < 40; ++i) password += "비밀번호 " + std::to_string(i) + ", ";
  const std::string file = g_fx.Path("long\\l.txt");
  REQUIRE(PutFile(file, "coded with a long password"), "cannot write long\\l.txt");
  Program prog;
  HWND main = NEED(OpenMain({"-e", file}, prog), "main dialog did not open");
  PasteInto(main, kIdPassword, password);
  PasteInto(main, kIdConfirm, password);
  CHECK_EQ(password, ItemText(main, kIdPassword), "the password edit cut the password");
  Click(main, kIdRun);
  ExpectJobEnd(main, "작업 완료", "encryption with a long password");
  CHECK(CloseMain(prog, main), "program did not end");
  REQUIRE(DeleteFileA(file.c_str()), "cannot remove the plain file");

  main = NEED(OpenMain({"-d", file + ".tsl"}, prog), "decrypt dialog did not open");
  const std::string shorter = password.substr(0, password.size() - 1);
  PasteInto(main, kIdPassword, shorter);
  PasteInto(main, kIdConfirm, shorter);
  Click(main, kIdRun);
  Box box;
  REQUIRE(WaitBox(prog.pi.dwProcessId, box, kJob), "a password one byte short opened the file");
  CHECK(Contains(box.text, "틀린 <암호>를 입력했습니다."), "not the wrong-password question: " + box.text);
  Answer(box.hwnd, IDYES);
  ExpectJobEnd(main, "작업 중지 / 에러(1)" + kToCheck, "the shorter password");
  CHECK(CloseMain(prog, main), "program did not end");

  main = NEED(OpenMain({"-d", file + ".tsl"}, prog), "decrypt dialog did not open again");
  PasteInto(main, kIdPassword, password);
  PasteInto(main, kIdConfirm, password);
  Click(main, kIdRun);
  ExpectJobEnd(main, "작업 완료", "decryption with the long password");
  CHECK_EQ("coded with a long password", FileBytes(file), "decrypted bytes");
  CHECK(CloseMain(prog, main), "program did not end");
}

void ScenarioQuickClicks() {
  // Two presses of the run button and a close, all queued before the job's
  // thread gets to run: one job starts, the close cancels it and the
  // program stays.
  const std::string file = g_fx.Path("quick\\q.txt");
  REQUIRE(PutFile(file, std::string(3 << 20, 'q')), "cannot write quick\\q.txt");
  Program prog;
  HWND main = NEED(OpenMain({"-e", file}, prog), "main dialog did not open");
  TypePasswords(main, kPassword, kPassword);
  Click(main, kIdRun);
  Click(main, kIdRun);
  Click(main, IDCANCEL);
  REQUIRE(!prog.Ended(1500), "the close queued behind the run button ended the program");
  REQUIRE(WaitUntil([&] {
    return Visible(main, kIdStatus) && ItemText(main, IDCANCEL) == "닫기" && !Status(main).empty() &&
           Status(main) != "작업이 진행중입니다...";
  }, kJob, 30), "job did not end");
  CHECK(Status(main) == "작업 중지" || Status(main) == "작업 완료", "status: " + Status(main));
  Box box;
  CHECK(!WaitBox(prog.pi.dwProcessId, box, 500), "a second job asked: " + box.text);
  CHECK(!Dialog(prog, kOverwriteTitle, 500), "a second job asked to overwrite");
  const std::string log = FileBytes(g_fx.app + "\\Trisel.exe.log");
  CHECK(log.find("(1) 작업 시간") != std::string::npos &&
            log.find("(1) 작업 시간") == log.rfind("(1) 작업 시간"),
        "the job log does not hold exactly one job");
  CHECK(CloseMain(prog, main), "program did not end");
}

// Times one encryption from the press of the run button to the status line.
void BenchEncrypt(const std::string& file, double& seconds) {
  seconds = -1;
  DeleteFileA((file + ".tsl").c_str());
  Program prog;
  HWND main = NEED(OpenMain({"-e", file}, prog), "main dialog did not open");
  TypePasswords(main, kPassword, kPassword);
  LARGE_INTEGER f, t0, t1;
  QueryPerformanceFrequency(&f);
  QueryPerformanceCounter(&t0);
  Click(main, kIdRun);
  // Polled seldom enough not to compete with the job for the dialog's thread.
  WaitUntil([&] { return Visible(main, kIdStatus) && Status(main).compare(0, 9, "작업 완료") == 0; },
            600000, 15);
  QueryPerformanceCounter(&t1);
  CHECK_EQ("작업 완료", Status(main), "bench status");
  seconds = static_cast<double>(t1.QuadPart - t0.QuadPart) / f.QuadPart;
  CloseMain(prog, main);
  DeleteFileA((file + ".tsl").c_str());
}

const Scenario kScenarios[] = {
    {"usage", ScenarioUsage},
    {"refusals", ScenarioRefusals},
    {"password", ScenarioPasswordChecks},
    {"settings", ScenarioSettings},
    {"help", ScenarioHelp},
    {"encrypt", ScenarioEncryptJob},
    {"options-cancel", ScenarioOptionsCancel},
    {"decrypt", ScenarioDecryptJob},
    {"decrypt-folder", ScenarioDecryptFolder},
    {"overwrite", ScenarioOverwrite},
    {"keyfile", ScenarioKeyFileAndDeleteSource},
    {"cancel", ScenarioCancel},
    {"short-name", ScenarioShortName},
    {"long-password", ScenarioLongPassword},
    {"quick-clicks", ScenarioQuickClicks},
    {nullptr, nullptr},
};
