// The user's ways through Trisel.exe, one scenario each.
#include <windows.h>

#include <string>
#include <vector>

#include "check.h"
#include "fixture.h"
#include "scenarios.h"
#include "ui.h"

namespace {

const char kEncTitle[] = "암호 - Trisel v1.0";
const char kDecTitle[] = "해독 - Trisel v1.0";
const char kPassword[] = "비밀1234";
const DWORD kStart = 20000;
const DWORD kJob = 120000;

const char kUsage[] =
    "Trisel(Trisel)은 탐색기 마우스 우측버튼에서 실행되는 프로그램입니다.\n\n"
    "[전달받는 파라미터]\n\n"
    "(암호) Trisel -e \"file1\" \"file2\" \"...\"\n"
    "(해독) Trisel -d \"file1\" \"file2\" \"...\"\n\n"
    "file → 전체경로";
const char kToCheck[] = " → [로그] [에러] 에서 확인";

enum {
  kIdPassword = 1007, kIdConfirm = 1008, kIdDelete = 1011, kIdRun = 1009, kIdStatus = 1019,
  kIdCounter = 1006, kIdOverall = 1003, kIdFileName = 1005, kIdFileBar = 1002, kIdSettings = 1024,
  kIdLog = 1029, kIdErrLog = 1030, kIdHelp = 1027, kIdBannerText = 1057, kIdBanner = 1023,
};

void Shot(HWND hwnd, const char* name) {
  SaveScreenshot(hwnd, g_fx.artefacts + "\\" + name + ".bmp");
}

// Starts Trisel with the arguments and waits for its main dialog.
HWND OpenMain(const std::vector<std::string>& args, Program& prog, const char* title) {
  if (!StartProgram(TriselCommand(args), prog)) return nullptr;
  return WaitTopWindow(prog.pi.dwProcessId, "#32770", title, kStart);
}

bool CloseMain(Program& prog, HWND main) {
  Click(main, IDCANCEL);
  bool gone = prog.WaitExit(10000);
  prog.Close();
  return gone;
}

void TypePasswords(HWND main, const std::string& a, const std::string& b) {
  SetItemText(main, kIdPassword, a);
  SetItemText(main, kIdConfirm, b);
}

bool Contains(const std::string& hay, const std::string& needle) {
  return hay.find(needle) != std::string::npos;
}

// Expects a message box, checks it and presses `button`.
void ExpectBox(Program& prog, const std::string& caption, const std::string& text, int button,
               const char* what) {
  Box box;
  if (!WaitBox(prog.pi.dwProcessId, box, kStart)) {
    Fail(__FILE__, __LINE__, std::string(what) + ": no message box");
    return;
  }
  EXPECT_EQ_E(caption, box.caption, std::string(what) + " caption");
  EXPECT_EQ_E(text, box.text, std::string(what) + " text");
  EXPECT_TRUE_E(Answer(box.hwnd, button), std::string(what) + ": box did not close");
}

std::string Status(HWND main) { return ItemText(main, kIdStatus); }

// Polls until the condition holds; posted clicks take effect when the
// program gets to them, which on a busy machine is not at once.
template <typename F>
bool WaitUntil(F condition, DWORD timeoutMs = 5000) {
  DWORD start = GetTickCount();
  do {
    if (condition()) return true;
    Sleep(20);
  } while (GetTickCount() - start < timeoutMs);
  return false;
}

bool WaitJobEnd(HWND main, DWORD timeout) {
  DWORD start = GetTickCount();
  do {
    if (Visible(main, kIdStatus) && ItemText(main, IDCANCEL) == "닫기" &&
        !Status(main).empty() && Status(main) != "작업이 진행중입니다...") {
      return true;
    }
    Sleep(30);
  } while (GetTickCount() - start < timeout);
  return false;
}

std::string FileText(const std::string& rel) {
  std::string s;
  ReadFileBytes(g_fx.Path(rel), s);
  return s;
}

}  // namespace

void ScenarioUsage() {
  std::string file = g_fx.Path("single\\plain.txt");
  const std::vector<std::vector<std::string>> cases = {
      {}, {"-e"}, {"-d"}, {"-x", file}, {"-E", file}, {"e", file, file}};
  for (const auto& args : cases) {
    Program prog;
    REQUIRE_E(StartProgram(TriselCommand(args), prog), "Trisel.exe did not start");
    std::string what = "usage box for " + std::to_string(args.size()) + " argument(s)";
    EXPECT_TRUE_E(TopWindows(prog.pi.dwProcessId, "#32770", kEncTitle).empty(), "main window shown");
    ExpectBox(prog, "경고", kUsage, IDOK, what.c_str());
    EXPECT_TRUE_E(prog.WaitExit(10000), what + ": program did not end");
    prog.Close();
  }
}

void ScenarioRefusals() {
  struct Case { std::vector<std::string> args; std::string text; };
  const std::vector<Case> cases = {
      {{"-e", g_fx.Path("single\\X.TSL")}, "X.TSL\n\n암호화된 파일입니다.\n(이중으로 암호화할 수 없습니다.)"},
      {{"-d", g_fx.Path("single\\plain.txt")}, "plain.txt\n\n암호화된 파일이 아닙니다.\n(해독할 수 없습니다.)"},
  };
  for (const Case& c : cases) {
    Program prog;
    REQUIRE_E(StartProgram(TriselCommand(c.args), prog), "Trisel.exe did not start");
    ExpectBox(prog, "경고", c.text, IDOK, ("refusal " + c.args[0]).c_str());
    EXPECT_TRUE_E(prog.WaitExit(10000), "program did not end after the refusal");
    prog.Close();
  }
  // Several paths, or a folder, get no such test: the dialog opens.
  Program prog;
  HWND main = OpenMain({"-e", g_fx.Path("single\\X.TSL"), g_fx.Path("single\\plain.txt")}, prog, kEncTitle);
  EXPECT_TRUE_E(main != nullptr, "-e with two paths did not open the dialog");
  if (main) CloseMain(prog, main); else prog.Close();
  main = OpenMain({"-d", g_fx.Path("enc")}, prog, kDecTitle);
  EXPECT_TRUE_E(main != nullptr, "-d with a folder did not open the dialog");
  if (main) CloseMain(prog, main); else prog.Close();
}

void ScenarioPasswordChecks() {
  Program prog;
  HWND main = OpenMain({"-e", g_fx.Path("single\\plain.txt")}, prog, kEncTitle);
  REQUIRE_E(main != nullptr, "main dialog did not open");
  // The start state on an empty registry.
  EXPECT_TRUE_E(!Checked(main, kIdDelete), "delete-source box ticked on first run");
  EXPECT_EQ_E("암호", ItemText(main, kIdRun), "run button text");
  EXPECT_EQ_E("닫기", ItemText(main, IDCANCEL), "close button text");
  for (int id : {kIdCounter, kIdOverall, kIdFileName, kIdFileBar}) {
    EXPECT_TRUE_E(!Visible(main, id), "progress control visible at start: " + std::to_string(id));
  }
  HWND banner = GetDlgItem(main, kIdBanner);
  EXPECT_TRUE_E(banner != nullptr, "no banner control");
  if (banner) {
    RECT rc;
    GetWindowRect(banner, &rc);
    MapWindowPoints(nullptr, main, reinterpret_cast<POINT*>(&rc), 2);
    EXPECT_TRUE_E(rc.left == 300 && rc.top == 9 && rc.right - rc.left == 170 && rc.bottom - rc.top == 85,
                  "banner not at (300, 9), 170 x 85");
    EXPECT_EQ_E("BANNER", Text(banner), "banner text");
  }
  Pause(300);
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
    ExpectBox(prog, "경고", c.text, IDOK, c.text);
    EXPECT_TRUE_E(WaitUntil([&] { return FocusOf(main) == GetDlgItem(main, kIdPassword); }),
                  std::string("focus not in the password edit after: ") + c.text);
    EXPECT_TRUE_E(Enabled(main, kIdRun), "run button disabled after a refusal");
  }
  // No job ever wrote logs beside this program yet.
  Click(main, kIdErrLog);
  ExpectBox(prog, "경고", "도움말 파일을 찾을 수 없습니다.", IDOK, "error log before any job");
  EXPECT_TRUE_E(CloseMain(prog, main), "program did not end on close");
}

void ScenarioSettings() {
  Program prog;
  HWND main = OpenMain({"-e", g_fx.Path("single\\plain.txt")}, prog, kEncTitle);
  REQUIRE_E(main != nullptr, "main dialog did not open");
  Click(main, kIdDelete);
  EXPECT_TRUE_E(WaitUntil([&] { return Checked(main, kIdDelete); }), "delete-source box did not tick");
  EXPECT_TRUE_E(CloseMain(prog, main), "program did not end");
  DWORD v = 99;
  EXPECT_TRUE_E(RegDword(kBasicKey, "DelSrcFile", v) && v == 1, "DelSrcFile not stored as 1");

  main = OpenMain({"-e", g_fx.Path("single\\plain.txt")}, prog, kEncTitle);
  REQUIRE_E(main != nullptr, "main dialog did not open again");
  EXPECT_TRUE_E(Checked(main, kIdDelete), "stored DelSrcFile not shown");

  // Advanced dialog: a chosen file is stored on OK only.
  const std::string key = g_fx.Path("key\\key.bin");
  Click(main, kIdSettings);
  HWND adv = WaitTopWindow(prog.pi.dwProcessId, "#32770", "고급", kStart);
  REQUIRE_E(adv != nullptr, "advanced dialog did not open");
  EXPECT_EQ_E("", ItemText(adv, 1017), "key file path on an empty registry");
  SetItemText(adv, 1017, key);  // what the file dialog would put there
  EXPECT_TRUE_E(Answer(adv, IDOK), "advanced dialog did not close on OK");
  std::string s;
  EXPECT_TRUE_E(RegString(kKeycommKey, "CommKeyFile", s) && s == key, "CommKeyFile not stored");

  Click(main, kIdSettings);
  adv = WaitTopWindow(prog.pi.dwProcessId, "#32770", "고급", kStart);
  REQUIRE_E(adv != nullptr, "advanced dialog did not open again");
  EXPECT_EQ_E(key, ItemText(adv, 1017), "stored key file path not shown");
  Click(adv, 1021);
  EXPECT_TRUE_E(WaitUntil([&] { return ItemText(adv, 1017).empty(); }), "reset did not clear the path");
  EXPECT_TRUE_E(Answer(adv, IDCANCEL), "advanced dialog did not close on Cancel");
  EXPECT_TRUE_E(RegString(kKeycommKey, "CommKeyFile", s) && s == key, "Cancel changed CommKeyFile");

  Click(main, kIdSettings);
  adv = WaitTopWindow(prog.pi.dwProcessId, "#32770", "고급", kStart);
  REQUIRE_E(adv != nullptr, "advanced dialog did not open a third time");
  Click(adv, 1021);
  EXPECT_TRUE_E(Answer(adv, IDOK), "advanced dialog did not close");
  EXPECT_TRUE_E(RegString(kKeycommKey, "CommKeyFile", s) && s.empty(), "reset + OK did not store an empty path");

  Click(main, kIdDelete);  // handled before the close button's click, posted after it
  EXPECT_TRUE_E(CloseMain(prog, main), "program did not end");
  EXPECT_TRUE_E(RegDword(kBasicKey, "DelSrcFile", v) && v == 0, "DelSrcFile not stored as 0");
}

void ScenarioHelp() {
  for (DWORD pid : ProcessesNamed("hh.exe")) {
    HANDLE h = OpenProcess(PROCESS_TERMINATE, FALSE, pid);
    if (h) { TerminateProcess(h, 0); CloseHandle(h); }
  }
  Program prog;
  HWND main = OpenMain({"-e", g_fx.Path("single\\plain.txt")}, prog, kEncTitle);
  REQUIRE_E(main != nullptr, "main dialog did not open");
  Click(main, kIdHelp);
  DWORD start = GetTickCount();
  std::vector<DWORD> hh;
  while (hh.empty() && GetTickCount() - start < kStart) {
    Sleep(100);
    hh = ProcessesNamed("hh.exe");
  }
  EXPECT_TRUE_E(!hh.empty(), "help did not start hh.exe");
  Box box;
  EXPECT_TRUE_E(!WaitBox(prog.pi.dwProcessId, box, 500), "a box came up with the help: " + box.text);
  for (DWORD pid : hh) {
    HANDLE h = OpenProcess(PROCESS_TERMINATE, FALSE, pid);
    if (h) { TerminateProcess(h, 0); CloseHandle(h); }
  }
  EXPECT_TRUE_E(CloseMain(prog, main), "program did not end");
}

void ScenarioEncryptJob() {
  Program prog;
  HWND main = OpenMain({"-e", g_fx.Path("enc\\a.txt"), g_fx.Path("enc\\한글 문서.txt"),
                        g_fx.Path("enc\\empty.txt"), g_fx.Path("enc\\폴더")},
                       prog, kEncTitle);
  REQUIRE_E(main != nullptr, "main dialog did not open");
  TypePasswords(main, kPassword, kPassword);
  Click(main, kIdRun);

  HWND opts = WaitTopWindow(prog.pi.dwProcessId, "#32770", "폴더 옵션 확인", kStart);
  REQUIRE_E(opts != nullptr, "folder options did not open");
  EXPECT_TRUE_E(Checked(opts, 1064) && !Checked(opts, 1063), "first run: not 'only this folder'");
  EXPECT_EQ_E("*.*", ItemText(opts, 1028), "default filter");
  EXPECT_EQ_E("(*.txt)", ItemText(opts, 1066), "filter hint");
  for (int id : {1025, 1026}) {
    RECT rc;
    GetWindowRect(GetDlgItem(opts, id), &rc);
    EXPECT_TRUE_E(rc.right - rc.left == 32 && rc.bottom - rc.top == 32,
                  "help button " + std::to_string(id) + " is not 32 x 32");
  }
  Pause(300);
  Shot(opts, "folder-options");
  Click(opts, 1063);
  SetItemText(opts, 1028, "*.txt");
  EXPECT_TRUE_E(Answer(opts, IDOK), "folder options did not close");

  EXPECT_TRUE_E(WaitJobEnd(main, kJob), "job did not end");
  EXPECT_EQ_E("작업 완료", Status(main), "status line");
  EXPECT_EQ_E("6 / 6 files...", ItemText(main, kIdCounter), "counter text");
  EXPECT_TRUE_E(ProgressPos(main, kIdOverall) == 6, "overall bar not at 6");
  EXPECT_TRUE_E(ProgressPos(main, kIdFileBar) == 100, "file bar not full");
  EXPECT_TRUE_E(!Enabled(main, kIdRun), "run button enabled after the job");
  EXPECT_TRUE_E(Enabled(main, kIdSettings) && Enabled(main, kIdLog) && Enabled(main, kIdDelete),
                "controls still locked after the job");
  EXPECT_TRUE_E(!Visible(main, kIdBannerText), "banner text box still shown");
  for (const char* out : {"enc\\a.txt.tsl", "enc\\한글 문서.txt.tsl", "enc\\empty.txt.tsl",
                          "enc\\폴더\\x.txt.tsl", "enc\\폴더\\sub\\y.txt.tsl",
                          "enc\\폴더\\sub\\deep\\z.txt.tsl"}) {
    EXPECT_TRUE_E(FileExists(g_fx.Path(out)), std::string("missing ") + out);
  }
  EXPECT_TRUE_E(!FileExists(g_fx.Path("enc\\폴더\\skip.dat.tsl")), "the filter let skip.dat through");
  DWORD v = 0;
  std::string filter;
  EXPECT_TRUE_E(RegDword(kBasicKey, "SubDir", v) && v == 1, "SubDir not stored as 1");
  EXPECT_TRUE_E(RegString(kBasicKey, "Filter", filter) && filter == "*.txt", "Filter not stored");
  Pause(300);
  Shot(main, "main-encrypt-done");

  // Two presses, two job log viewers; then the error log.
  Click(main, kIdLog);
  HWND v1 = WaitTopWindow(prog.pi.dwProcessId, "#32770", "로그 보기", kStart);
  REQUIRE_E(v1 != nullptr, "log viewer did not open");
  EXPECT_EQ_E("작업한 로그 내용입니다.", ItemText(v1, 1019), "log viewer label");
  std::string log = ItemText(v1, 1052);
  EXPECT_TRUE_E(Contains(log, "(1) 작업 시간\r\n"), "log viewer text has no heading");
  EXPECT_TRUE_E(Contains(log, "1 : (ok) " + g_fx.Path("enc\\a.txt") + "\r\n"), "no ok line for a.txt");
  EXPECT_TRUE_E(Contains(log, "6 : (ok) " + g_fx.Path("enc\\폴더\\sub\\deep\\z.txt")), "no ok line for z.txt");
  EXPECT_TRUE_E(Contains(log, "전체 → 6\r\n성공 → 6  (경고 → 0)\r\n에러 → 0"), "no summary");
  Shot(v1, "log-viewer");
  Click(main, kIdLog);
  DWORD start = GetTickCount();
  while (TopWindows(prog.pi.dwProcessId, "#32770", "로그 보기").size() < 2 && GetTickCount() - start < kStart) Sleep(50);
  EXPECT_TRUE_E(TopWindows(prog.pi.dwProcessId, "#32770", "로그 보기").size() == 2, "second press: no second viewer");
  Click(main, kIdErrLog);
  HWND ev = WaitTopWindow(prog.pi.dwProcessId, "#32770", "에러 보기", kStart);
  REQUIRE_E(ev != nullptr, "error viewer did not open");
  EXPECT_EQ_E("작업한 에러 내용입니다.", ItemText(ev, 1019), "error viewer label");
  EXPECT_TRUE_E(Contains(ItemText(ev, 1052), "(2) 에러 목록\r\n-------------\r\n\r\n에러 / 경고가 없습니다."),
                "error viewer text");
  // Resizing keeps the minimum size.
  SetWindowPos(ev, nullptr, 0, 0, 100, 100, SWP_NOMOVE | SWP_NOZORDER);
  RECT rc;
  GetWindowRect(ev, &rc);
  EXPECT_TRUE_E(rc.right - rc.left >= 300 && rc.bottom - rc.top >= 300, "viewer smaller than 300 x 300");
  // Escape closes a viewer like its close button.
  PostMessageA(GetDlgItem(ev, IDCANCEL), WM_KEYDOWN, VK_ESCAPE, 0);
  PostMessageA(GetDlgItem(ev, IDCANCEL), WM_KEYUP, VK_ESCAPE, 0);
  EXPECT_TRUE_E(WaitNoTopWindow(prog.pi.dwProcessId, "#32770", "에러 보기", 5000), "Escape did not close the viewer");
  for (HWND w : TopWindows(prog.pi.dwProcessId, "#32770", "로그 보기")) Answer(w, IDCANCEL);
  EXPECT_TRUE_E(WaitNoTopWindow(prog.pi.dwProcessId, "#32770", "로그 보기", 5000), "viewers did not close");
  EXPECT_TRUE_E(CloseMain(prog, main), "program did not end");
}

void ScenarioDecryptJob() {
  for (const char* name : {"enc\\a.txt", "enc\\한글 문서.txt"}) {
    std::string p = g_fx.Path(name);
    DeleteFileA((p + ".orig").c_str());
    REQUIRE_E(MoveFileA(p.c_str(), (p + ".orig").c_str()), std::string("cannot move ") + name);
  }
  const std::vector<std::string> args = {"-d", g_fx.Path("enc\\a.txt.tsl"), g_fx.Path("enc\\한글 문서.txt.tsl")};
  Program prog;
  HWND main = OpenMain(args, prog, kDecTitle);
  REQUIRE_E(main != nullptr, "decrypt dialog did not open");
  EXPECT_EQ_E("해독", ItemText(main, kIdRun), "run button text in decryption");
  Pause(300);
  Shot(main, "main-decrypt");
  TypePasswords(main, "wrong1", "wrong1");
  Click(main, kIdRun);
  for (int answer : {IDNO, IDYES}) {
    Box box;
    if (!WaitBox(prog.pi.dwProcessId, box, kJob)) {
      Fail(__FILE__, __LINE__, "no wrong-password question");
      break;
    }
    EXPECT_EQ_E("경고", box.caption, "wrong-password caption");
    EXPECT_TRUE_E(Contains(box.text, "틀린 <암호>를 입력했습니다.") && Contains(box.text, "중단하시겠습니까?"),
                  "wrong-password text: " + box.text);
    Answer(box.hwnd, answer);
  }
  EXPECT_TRUE_E(WaitJobEnd(main, kJob), "wrong-password job did not end");
  EXPECT_EQ_E(std::string("작업 중지 / 에러(2)") + kToCheck, Status(main), "status after wrong passwords");
  EXPECT_TRUE_E(!FileExists(g_fx.Path("enc\\a.txt")), "a wrong password left a result file");
  EXPECT_TRUE_E(!Enabled(main, kIdRun), "run button enabled after the job");
  EXPECT_TRUE_E(CloseMain(prog, main), "program did not end");

  main = OpenMain(args, prog, kDecTitle);
  REQUIRE_E(main != nullptr, "decrypt dialog did not open again");
  TypePasswords(main, kPassword, kPassword);
  Click(main, kIdRun);
  EXPECT_TRUE_E(WaitJobEnd(main, kJob), "decrypt job did not end");
  EXPECT_EQ_E("작업 완료", Status(main), "decrypt status");
  for (const char* name : {"enc\\a.txt", "enc\\한글 문서.txt"}) {
    std::string got, want;
    EXPECT_TRUE_E(ReadFileBytes(g_fx.Path(name), got), std::string("no result ") + name);
    ReadFileBytes(g_fx.Path(name) + ".orig", want);
    EXPECT_TRUE_E(got == want, std::string("decrypted bytes differ: ") + name);
    ULONGLONG t1 = ModifyTime(g_fx.Path(name)), t2 = ModifyTime(g_fx.Path(name) + ".orig");
    EXPECT_TRUE_E(t1 / 10000000 == t2 / 10000000, std::string("modify time not restored: ") + name);
  }
  EXPECT_TRUE_E(CloseMain(prog, main), "program did not end");
}

void ScenarioDecryptFolder() {
  Program prog;
  HWND main = OpenMain({"-d", g_fx.Path("enc\\폴더")}, prog, kDecTitle);
  REQUIRE_E(main != nullptr, "decrypt dialog did not open");
  TypePasswords(main, kPassword, kPassword);
  Click(main, kIdRun);
  HWND opts = WaitTopWindow(prog.pi.dwProcessId, "#32770", "폴더 옵션 확인", kStart);
  REQUIRE_E(opts != nullptr, "folder options did not open");
  // Decryption always takes *.tsl, whatever the stored filter says.
  EXPECT_EQ_E("*.tsl", ItemText(opts, 1028), "filter in decryption");
  EXPECT_TRUE_E((GetWindowLongA(GetDlgItem(opts, 1028), GWL_STYLE) & ES_READONLY) != 0,
                "filter editable in decryption");
  EXPECT_EQ_E("(해독 작업은 *.tsl 만 포함)", ItemText(opts, 1066), "hint in decryption");
  EXPECT_TRUE_E(Checked(opts, 1063), "stored SubDir not shown");
  Click(opts, 1064);
  EXPECT_TRUE_E(Answer(opts, IDOK), "folder options did not close");
  // x.txt is still there beside x.txt.tsl: skip it and whatever follows.
  HWND dlg = WaitTopWindow(prog.pi.dwProcessId, "#32770", "파일 덮어쓰기(Overwrite) 확인", kJob);
  REQUIRE_E(dlg != nullptr, "no overwrite question for x.txt");
  EXPECT_TRUE_E(Contains(ItemText(dlg, 1019), g_fx.Path("enc\\폴더\\x.txt")), "question names another file");
  EXPECT_TRUE_E(Answer(dlg, 1016), "overwrite question did not close");
  EXPECT_TRUE_E(WaitJobEnd(main, kJob), "job did not end");
  EXPECT_EQ_E(std::string("작업 완료 / 경고(1)") + kToCheck, Status(main), "status");
  EXPECT_EQ_E("1 / 1 files...", ItemText(main, kIdCounter), "only the folder's own file counted");
  DWORD v = 9;
  std::string filter;
  EXPECT_TRUE_E(RegDword(kBasicKey, "SubDir", v) && v == 0, "SubDir not stored as 0");
  EXPECT_TRUE_E(RegString(kBasicKey, "Filter", filter) && filter == "*.txt",
                "decryption changed the stored filter: " + filter);
  EXPECT_TRUE_E(CloseMain(prog, main), "program did not end");
}

namespace {

HWND WaitOverwrite(Program& prog) {
  return WaitTopWindow(prog.pi.dwProcessId, "#32770", "파일 덮어쓰기(Overwrite) 확인", kJob);
}

void RunOverwriteJob(const std::vector<std::string>& files, const std::vector<int>& answers,
                     const std::string& wantStatus, bool firstRun) {
  std::vector<std::string> args = {"-e"};
  for (const std::string& f : files) args.push_back(g_fx.Path("ow\\" + f));
  Program prog;
  HWND main = OpenMain(args, prog, kEncTitle);
  REQUIRE_E(main != nullptr, "main dialog did not open");
  TypePasswords(main, kPassword, kPassword);
  Click(main, kIdRun);
  for (size_t i = 0; i < answers.size(); ++i) {
    HWND dlg = WaitOverwrite(prog);
    REQUIRE_E(dlg != nullptr, "no overwrite question " + std::to_string(i + 1));
    std::string q = ItemText(dlg, 1019);
    EXPECT_TRUE_E(Contains(q, "동일한 파일이 이미 존재합니다.") && Contains(q, "덮어쓰겠습니까? "),
                  "overwrite question text: " + q);
    if (firstRun && i == 0) {
      // Escape and the close box leave the question open.
      PostMessageA(dlg, WM_COMMAND, IDCANCEL, 0);
      PostMessageA(dlg, WM_SYSCOMMAND, SC_CLOSE, 0);
      PostMessageA(dlg, WM_CLOSE, 0, 0);
      Pause(700);
      EXPECT_TRUE_E(IsWindow(dlg) && IsWindowVisible(dlg), "Escape or the close box ended the question");
      Shot(dlg, "overwrite");
    }
    EXPECT_TRUE_E(Answer(dlg, answers[i]), "overwrite question did not close");
  }
  EXPECT_TRUE_E(WaitJobEnd(main, kJob), "overwrite job did not end");
  EXPECT_TRUE_E(TopWindows(prog.pi.dwProcessId, "#32770", "파일 덮어쓰기(Overwrite) 확인").empty(),
                "an unexpected overwrite question");
  EXPECT_EQ_E(wantStatus, Status(main), "overwrite job status");
  CloseMain(prog, main);
}

}  // namespace

void ScenarioOverwrite() {
  const std::string old = "OLD";
  auto isOld = [&](const char* f) { return FileText(std::string("ow\\") + f + ".tsl") == old; };
  // Yes, No, then Yes to all (the last file is overwritten without a question).
  RunOverwriteJob({"o1.txt", "o2.txt", "o3.txt", "o4.txt"}, {1013, 1001, 1014},
                  std::string("작업 완료 / 경고(3)") + kToCheck, true);
  EXPECT_TRUE_E(!isOld("o1.txt"), "Yes did not overwrite o1");
  EXPECT_TRUE_E(isOld("o2.txt"), "No overwrote o2");
  EXPECT_TRUE_E(!isOld("o3.txt") && !isOld("o4.txt"), "Yes to all did not overwrite o3 and o4");
  // No to all: the next existing result is skipped silently.
  RunOverwriteJob({"o5.txt", "o6.txt"}, {1016}, std::string("작업 완료 / 경고(1)") + kToCheck, false);
  EXPECT_TRUE_E(isOld("o5.txt") && isOld("o6.txt"), "No to all overwrote a file");
  // Cancel ends the job and leaves the existing file alone.
  RunOverwriteJob({"o5.txt", "o6.txt"}, {1018}, std::string("작업 중지 / 경고(1)") + kToCheck, false);
  EXPECT_TRUE_E(isOld("o5.txt") && isOld("o6.txt"), "Cancel touched an existing file");
}

void ScenarioCancel() {
  Program prog;
  HWND main = OpenMain({"-e", g_fx.Path("big\\big.bin")}, prog, kEncTitle);
  REQUIRE_E(main != nullptr, "main dialog did not open");
  TypePasswords(main, kPassword, kPassword);
  Click(main, kIdRun);
  REQUIRE_E(WaitItemText(main, IDCANCEL, "취소", kStart), "close button never read 취소");
  DWORD start = GetTickCount();
  while (ProgressPos(main, kIdFileBar) < 1 && GetTickCount() - start < kJob) Sleep(5);
  Click(main, IDCANCEL);
  EXPECT_TRUE_E(WaitJobEnd(main, kJob), "cancelled job did not end");
  EXPECT_EQ_E("작업 중지", Status(main), "status after cancel");
  EXPECT_EQ_E("닫기", ItemText(main, IDCANCEL), "close button text after cancel");
  EXPECT_TRUE_E(prog.Running(300), "the first press closed the program");
  EXPECT_TRUE_E(!FileExists(g_fx.Path("big\\big.bin.tsl")), "partial result left behind");
  EXPECT_TRUE_E(CloseMain(prog, main), "second press did not close the program");
}

void ScenarioOptionsCancel() {
  Program prog;
  HWND main = OpenMain({"-e", g_fx.Path("single")}, prog, kEncTitle);
  REQUIRE_E(main != nullptr, "main dialog did not open");
  TypePasswords(main, kPassword, kPassword);
  for (int round = 0; round < 2; ++round) {
    Click(main, kIdRun);
    HWND opts = WaitTopWindow(prog.pi.dwProcessId, "#32770", "폴더 옵션 확인", kStart);
    REQUIRE_E(opts != nullptr, "folder options did not open");
    if (round == 1) {
      // What the last OK stored comes back.
      EXPECT_TRUE_E(Checked(opts, 1063), "stored SubDir not shown");
      EXPECT_EQ_E("*.txt", ItemText(opts, 1028), "stored filter not shown");
    }
    EXPECT_TRUE_E(Answer(opts, IDCANCEL), "folder options did not close on Cancel");
    DWORD start = GetTickCount();
    while (!(Enabled(main, kIdRun) && ItemText(main, IDCANCEL) == "닫기") && GetTickCount() - start < kJob) Sleep(30);
    EXPECT_TRUE_E(Enabled(main, kIdRun), "run button not enabled after a cancelled folder options");
    EXPECT_TRUE_E(!Visible(main, kIdStatus) && !Visible(main, kIdOverall), "status or progress shown after -5");
  }
  EXPECT_TRUE_E(FileExists(g_fx.Path("single\\plain.txt")) && !FileExists(g_fx.Path("single\\plain.txt.tsl")),
                "a cancelled folder options still coded files");
  EXPECT_TRUE_E(CloseMain(prog, main), "program did not end");
}

void ScenarioKeyFileAndDeleteSource() {
  // A key file under 1 KB stops the job before any file is touched.
  REQUIRE_E(RegSetString(kKeycommKey, "CommKeyFile", g_fx.Path("key\\small.bin")), "cannot set CommKeyFile");
  Program prog;
  HWND main = OpenMain({"-e", g_fx.Path("keyjob\\k1.txt")}, prog, kEncTitle);
  REQUIRE_E(main != nullptr, "main dialog did not open");
  TypePasswords(main, kPassword, kPassword);
  Click(main, kIdRun);
  ExpectBox(prog, "경고",
            "공통 키 파일은 1KB 이상의 크기만 허용됩니다.\n공통키파일 [설정] 에서 다른 파일로 교체하십시오.",
            IDOK, "too small key file");
  EXPECT_TRUE_E(WaitJobEnd(main, kJob), "job did not end");
  EXPECT_EQ_E("작업 중지", Status(main), "status after a refused key file");
  EXPECT_TRUE_E(!FileExists(g_fx.Path("keyjob\\k1.txt.tsl")), "a refused key file still coded");
  EXPECT_TRUE_E(CloseMain(prog, main), "program did not end");

  // With a usable key file, and the source deleted after success.
  REQUIRE_E(RegSetString(kKeycommKey, "CommKeyFile", g_fx.Path("key\\key.bin")), "cannot set CommKeyFile");
  main = OpenMain({"-e", g_fx.Path("keyjob\\k1.txt")}, prog, kEncTitle);
  REQUIRE_E(main != nullptr, "main dialog did not open again");
  Click(main, kIdDelete);
  TypePasswords(main, kPassword, kPassword);
  Click(main, kIdRun);
  EXPECT_TRUE_E(WaitJobEnd(main, kJob), "key file job did not end");
  EXPECT_EQ_E("작업 완료", Status(main), "key file job status");
  EXPECT_TRUE_E(FileExists(g_fx.Path("keyjob\\k1.txt.tsl")), "no result with a key file");
  EXPECT_TRUE_E(!FileExists(g_fx.Path("keyjob\\k1.txt")), "source not deleted");
  Click(main, kIdDelete);  // handled before the close button's click, posted after it
  EXPECT_TRUE_E(CloseMain(prog, main), "program did not end");
  RegSetString(kKeycommKey, "CommKeyFile", "");
}

// Times one encryption from the press of the run button to the status line.
void BenchEncrypt(const std::string& file, double& seconds) {
  seconds = -1;
  DeleteFileA((file + ".tsl").c_str());
  Program prog;
  HWND main = OpenMain({"-e", file}, prog, kEncTitle);
  REQUIRE_E(main != nullptr, "main dialog did not open");
  TypePasswords(main, kPassword, kPassword);
  LARGE_INTEGER f, t0, t1;
  QueryPerformanceFrequency(&f);
  QueryPerformanceCounter(&t0);
  Click(main, kIdRun);
  DWORD start = GetTickCount();
  while (!(Visible(main, kIdStatus) && Status(main).compare(0, 9, "작업 완료") == 0) &&
         GetTickCount() - start < 600000) {
    Sleep(15);  // seldom enough not to compete with the job for the dialog's thread
  }
  QueryPerformanceCounter(&t1);
  EXPECT_EQ_E("작업 완료", Status(main), "bench status");
  seconds = static_cast<double>(t1.QuadPart - t0.QuadPart) / f.QuadPart;
  CloseMain(prog, main);
  DeleteFileA((file + ".tsl").c_str());
}

const ScenarioEntry kScenarios[] = {
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
    {nullptr, nullptr},
};
