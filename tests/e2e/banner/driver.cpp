// The end-to-end driver of the banner strip: starts Trisel.exe and
// Mirelka.exe against a local web server and checks what a user sees.
//   banner_e2e.exe WORK APP PORT DEADPORT ARTEFACTS [SCENARIO...]
// WORK holds the server's tree (www\), its log, the pictures to serve
// (pics\) and the stand-in browser (browser\); APP the programs. DEADPORT
// is a port where nothing listens. Results go to WORK\results.txt.
#include <windows.h>

#include <cstdio>
#include <string>
#include <vector>

#include "../driver/harness.h"
#include "../driver/ui.h"

namespace {

std::string g_work, g_app, g_port, g_deadPort;

enum { kTriselBanner = 1023, kTriselText = 1057, kMirelkaBanner = 291, kMirelkaResult = 304 };
enum { kMirelkaOpen = 40004, kMirelkaExit = 40034 };

// --- files
std::string Www(const std::string& rel) { return g_work + "\\www\\mirelka\\" + rel; }
std::string App(const std::string& name) { return g_app + "\\" + name; }
// Puts a prepared picture on the server (or takes the name off it).
void Serve(const std::string& name, const char* picture, bool slow = false) {
  DeleteFileA(Www(name).c_str());
  DeleteFileA(Www(name + ".slow").c_str());
  if (picture) PutFile(Www(name), FileBytes(g_work + "\\pics\\" + picture));
  if (slow) PutFile(Www(name + ".slow"), "");
}
// The text box's text for a banner text file: a line break first, CR LF.
std::string BoxText(const std::string& file) {
  std::string out = "\r\n";
  for (char c : FileBytes(Www(file))) out += c == '\n' ? "\r\n" : std::string(1, c);
  return out;
}
// Server log lines that begin with `prefix` (e.g. "START /mirelka/banner.gif").
int LogCount(const std::string& prefix) {
  const std::string log = "\n" + FileBytes(g_work + "\\server.log");
  int n = 0;
  for (size_t at = log.find("\n" + prefix); at != std::string::npos; at = log.find("\n" + prefix, at + 1)) ++n;
  return n;
}

// --- windows
std::string SizeText(HWND w) {
  RECT r = {};
  GetClientRect(w, &r);
  return std::to_string(r.right) + "x" + std::to_string(r.bottom);
}
bool SizeIs(HWND w, int cx, int cy) { return SizeText(w) == std::to_string(cx) + "x" + std::to_string(cy); }
// The window's pixels as they are on the screen.
std::string Pixels(HWND w) {
  const std::string file = g_work + "\\look.bmp";
  REQUIRE(SaveScreenshot(w, file), "a look at the banner");
  return FileBytes(file);
}
// Three looks 1.3 s apart: an animation shows at least two different
// pictures (no frame of the pictures stays 2.6 s).
bool Animates(HWND banner) {
  const std::string a = Pixels(banner);
  Sleep(1300);
  const std::string b = Pixels(banner);
  Sleep(1300);
  return a != b || b != Pixels(banner);
}
// Clicks the banner and waits for the stand-in browser to be started with
// `address`.
bool ClickOpens(HWND banner, const std::string& address) {
  const std::string calls = g_work + "\\browser\\browser-calls.txt";
  DeleteFileA(calls.c_str());
  PostMessageA(banner, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(10, 10));
  PostMessageA(banner, WM_LBUTTONUP, 0, MAKELPARAM(10, 10));
  return WaitUntil([&] { return FileBytes(calls).find(address) != std::string::npos; }, 20000);
}

void UseServer(bool up) {
  SetEnvironmentVariableA("MIRELKA_VENDOR_SERVER", ("127.0.0.1:" + (up ? g_port : g_deadPort)).c_str());
}

// --- Trisel, started in either mode on the document
struct Trisel {
  Program prog;
  HWND dialog = nullptr;
  HWND Banner() const { return GetDlgItem(dialog, kTriselBanner); }
  std::string Box() const { return Text(GetDlgItem(dialog, kTriselText)); }
  void Close(DWORD withinMs = 6000) {  // as a user does; it must end soon
    if (dialog) PostMessageA(dialog, WM_COMMAND, IDCANCEL, 0);
    CHECK(prog.Ended(withinMs), "Trisel.exe did not end within " + std::to_string(withinMs) + " ms");
    prog.Close();
  }
};

void StartTrisel(Trisel& t, bool encrypt) {
  REQUIRE(StartProgram("\"" + App("Trisel.exe") + (encrypt ? "\" -e \"" : "\" -d \"") + g_work +
                       (encrypt ? "\\doc.txt\"" : "\\doc.txt.tsl\""), t.prog), "Trisel.exe did not start");
  REQUIRE(WaitUntil([&] {
            std::vector<HWND> w = TopWindows(t.prog.pi.dwProcessId, nullptr);
            return (t.dialog = w.empty() ? nullptr : w[0]) != nullptr && t.Banner() != nullptr;
          }), "no main dialog");
}

// No server: the text box gets only the line break, the shipped picture
// stays and animates, nothing is written beside the program.
void Offline() {
  UseServer(false);
  Trisel t;
  StartTrisel(t, true);
  CHECK(WaitUntil([&] { return t.Box() == "\r\n"; }), "text box: [" + t.Box() + "]");
  CHECK(SizeIs(t.Banner(), 170, 85), "banner size " + SizeText(t.Banner()));
  CHECK(Animates(t.Banner()), "the shipped picture does not animate");
  Shot(t.dialog, "trisel-offline");
  CHECK(!FileExists(App("banner_en.gif")), "a picture was written without a server");
  t.Close();
}

// The server's text and a newer picture: the text in box 1057, the picture
// downloaded beside the program and shown (the banner takes its size), the
// click opens the fetched link.
void Download() {
  UseServer(true);
  Serve("banner_en.gif", "server_en.gif");
  Trisel t;
  StartTrisel(t, true);
  const std::string want = BoxText("banner_en.txt");
  CHECK(WaitUntil([&] { return t.Box() == want; }), "text box: [" + t.Box() + "]");
  CHECK(WaitUntil([&] { return SizeIs(t.Banner(), 200, 60); }), "banner size " + SizeText(t.Banner()));
  CHECK(FileBytes(App("banner_en.gif")) == FileBytes(Www("banner_en.gif")), "downloaded picture differs");
  CHECK(Animates(t.Banner()), "the downloaded picture does not animate");
  Shot(t.dialog, "trisel-downloaded");
  CHECK(ClickOpens(t.Banner(), "http://127.0.0.1:" + g_port + "/landing-en"), "click: no browser with the link");
  t.Close();
}

// The next start with a picture of the same size: shown from the program
// folder, not downloaded again.
void SameSize() {
  UseServer(true);
  const ULONGLONG before = ModifyTime(App("banner_en.gif"));
  REQUIRE(before != 0, "no downloaded picture from the earlier scenario");
  const int asked = LogCount("START /mirelka/banner_en.gif");
  Trisel t;
  StartTrisel(t, true);
  CHECK(WaitUntil([&] { return SizeIs(t.Banner(), 200, 60); }), "banner size " + SizeText(t.Banner()));
  CHECK(LogCount("START /mirelka/banner_en.gif") == asked + 1, "the picture's length was not asked for");
  CHECK(ModifyTime(App("banner_en.gif")) == before, "the picture was written again");
  t.Close();
}

// Decrypt mode: its own text; a server without its picture leaves no file
// (the error page is not kept) and the shipped picture.
void Decrypt() {
  UseServer(true);
  Serve("banner_de.gif", nullptr);
  const int asked = LogCount("DONE /mirelka/banner_de.gif 404");
  Trisel t;
  StartTrisel(t, false);
  const std::string want = BoxText("banner_de.txt");
  CHECK(WaitUntil([&] { return t.Box() == want; }), "text box: [" + t.Box() + "]");
  CHECK(WaitUntil([&] { return LogCount("DONE /mirelka/banner_de.gif 404") > asked; }), "picture not asked for");
  CHECK(Stays([] { return !FileExists(App("banner_de.gif")); }, 1000), "the error page was kept as the picture");
  CHECK(SizeIs(t.Banner(), 170, 85), "banner size " + SizeText(t.Banner()));
  Shot(t.dialog, "trisel-decrypt");
  t.Close();
}

// Closing while a slow picture comes in: the program ends at once, and the
// cut file is never shown: the next start fetches the whole picture.
void SlowClose() {
  UseServer(true);
  DeleteFileA(App("banner_en.gif").c_str());
  Serve("banner_en.gif", "slow_en.gif", true);
  const int cut = LogCount("CUT /mirelka/banner_en.gif");
  Trisel t;
  StartTrisel(t, true);
  CHECK(WaitUntil([&] { return FileExists(App("banner_en.gif")); }), "the download did not start");
  Sleep(500);
  const DWORD start = GetTickCount();
  t.Close(5500);
  Say("    closed during the download in %lu ms\n", static_cast<unsigned long>(GetTickCount() - start));
  CHECK(WaitUntil([&] { return LogCount("CUT /mirelka/banner_en.gif") > cut; }), "the download went on");
  CHECK(FileBytes(App("banner_en.gif")) != FileBytes(Www("banner_en.gif")), "the picture came in whole?");

  Serve("banner_en.gif", "slow_en.gif");
  Trisel again;
  StartTrisel(again, true);
  CHECK(WaitUntil([&] { return SizeIs(again.Banner(), 120, 90); }), "banner size " + SizeText(again.Banner()));
  CHECK(FileBytes(App("banner_en.gif")) == FileBytes(Www("banner_en.gif")), "the picture is not whole");
  again.Close();
}

// --- Mirelka
// Starts Mirelka.exe and waits until its main window has its controls.
HWND StartMirelka(Program& prog) {
  REQUIRE(StartProgram("\"" + App("Mirelka.exe") + "\" noupdate", prog), "Mirelka.exe did not start");
  HWND main = nullptr;
  REQUIRE(WaitUntil([&] {
            main = WindowOfClass("Mirelka", prog.pi.dwProcessId);
            return main != nullptr && GetDlgItem(main, kMirelkaBanner) != nullptr &&
                   GetDlgItem(main, kMirelkaResult) != nullptr;
          }), "no main window");
  Sleep(300);  // its creation ends before the window takes commands
  return main;
}

// Opening the window: the text in the output edit, the newer picture
// downloaded and shown, the click; opened again, nothing new is fetched.
void Mirelka() {
  UseServer(true);
  Serve("banner.gif", "server.gif");
  Program prog;
  HWND main = StartMirelka(prog);
  HWND banner = GetDlgItem(main, kMirelkaBanner), result = GetDlgItem(main, kMirelkaResult);
  PostMessageA(main, WM_COMMAND, kMirelkaOpen, 0);
  const std::string want = BoxText("banner.txt");
  CHECK(WaitUntil([&] { return Text(result) == want; }), "result edit: [" + Text(result) + "]");
  CHECK(WaitUntil([&] { return SizeIs(banner, 180, 70); }), "banner size " + SizeText(banner));
  CHECK(FileBytes(App("banner.gif")) == FileBytes(Www("banner.gif")), "downloaded picture differs");
  CHECK(Animates(banner), "the banner does not animate");
  Shot(main, "mirelka");
  CHECK(ClickOpens(banner, "http://127.0.0.1:" + g_port + "/landing"), "click: no browser with the link");

  const ULONGLONG before = ModifyTime(App("banner.gif"));
  const int asked = LogCount("DONE /mirelka/banner.gif");
  PostMessageA(main, WM_COMMAND, kMirelkaOpen, 0);
  CHECK(WaitUntil([&] { return LogCount("DONE /mirelka/banner.gif") > asked; }), "picture not asked again");
  CHECK(Stays([&] { return ModifyTime(App("banner.gif")) == before; }, 500), "the picture on display was downloaded again");
  CHECK(SizeIs(banner, 180, 70), "banner size " + SizeText(banner));

  PostMessageA(main, WM_COMMAND, kMirelkaExit, 0);
  CHECK(prog.Ended(8000), "Mirelka.exe did not end");
}

const Scenario kScenarios[] = {
    {"offline", Offline},     {"download", Download}, {"same-size", SameSize}, {"decrypt", Decrypt},
    {"slow-close", SlowClose}, {"mirelka", Mirelka},   {nullptr, nullptr},
};

}  // namespace

int main(int argc, char** argv) {
  if (argc < 6) {
    std::printf("usage: banner_e2e WORK APP PORT DEADPORT ARTEFACTS [SCENARIO...]\n");
    return 2;
  }
  g_work = argv[1], g_app = argv[2], g_port = argv[3], g_deadPort = argv[4];
  OpenResults(g_work + "\\results.txt");
  SetArtefacts(argv[5], "banner-");
  return Finish(RunScenarios(kScenarios, argc - 6, argv + 6, "banner") != 0);
}
