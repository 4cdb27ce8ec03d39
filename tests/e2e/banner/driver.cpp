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

enum { kTriselBanner = 1023, kTriselText = 1057, kMirelkaBanner = 291, kMirelkaResult = 304, kMirelkaOpen = 40004,
       kMirelkaExit = 40034 };

// --- files
std::string Www(const std::string& rel) { return g_work + "\\www\\mirelka\\" + rel; }
std::string App(const std::string& name) { return g_app + "\\" + name; }
// Puts a prepared picture on the server (or takes the name off it).
void Serve(const std::string& name, const char* picture, bool slow = false) {
  slow ? PutFile(Www(name + ".slow"), "") : DeleteFileA(Www(name + ".slow").c_str());
  picture ? PutFile(Www(name), FileBytes(g_work + "\\pics\\" + picture)) : DeleteFileA(Www(name).c_str());
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
  for (size_t at = 0; (at = log.find("\n" + prefix, at)) != std::string::npos; ++at) ++n;
  return n;
}

// --- windows
std::string Size(HWND w) {
  RECT r = {};
  GetClientRect(w, &r);
  return std::to_string(r.right) + "x" + std::to_string(r.bottom);
}
// The banner shows the server's whole picture NAME (of that size), kept beside the program.
void ExpectServerPicture(HWND banner, const std::string& name, const char* size) {
  CHECK(WaitUntil([&] { return Size(banner) == size; }) && FileBytes(App(name)) == FileBytes(Www(name)),
        name + " kept and shown at " + size + ": " + Size(banner));
}
// Three looks 1.3 s apart: an animation shows at least two different
// pictures (no frame of the pictures stays 2.6 s).
bool Animates(HWND banner) {
  std::string look[3];
  for (std::string& l : look) {
    REQUIRE(SaveScreenshot(banner, g_work + "\\look.bmp"), "a look at the banner");
    l = FileBytes(g_work + "\\look.bmp"), Sleep(1300);
  }
  return look[0] != look[1] || look[1] != look[2];
}
// Clicks the banner and waits for the stand-in browser to be started with `address`.
bool ClickOpens(HWND banner, const std::string& address) {
  const std::string calls = g_work + "\\browser\\browser-calls.txt";
  DeleteFileA(calls.c_str());
  PostMessageA(banner, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(10, 10));
  PostMessageA(banner, WM_LBUTTONUP, 0, MAKELPARAM(10, 10));
  return WaitUntil([&] { return FileBytes(calls).find(address) != std::string::npos; }, 20000);
}
void UseServer(bool up = true) {
  SetEnvironmentVariableA("MIRELKA_VENDOR_SERVER", ("127.0.0.1:" + (up ? g_port : g_deadPort)).c_str());
}

// --- Trisel, started in either mode on the document
struct Trisel {
  Program prog;
  HWND dialog = nullptr;
  explicit Trisel(bool encrypt) {
    REQUIRE(StartProgram("\"" + App("Trisel.exe") + (encrypt ? "\" -e \"" : "\" -d \"") + g_work +
                         (encrypt ? "\\doc.txt\"" : "\\doc.txt.tsl\""), prog), "Trisel.exe did not start");
    REQUIRE(WaitUntil([&] {
              std::vector<HWND> w = TopWindows(prog.pi.dwProcessId, nullptr);
              return (dialog = w.empty() ? nullptr : w[0]) != nullptr && Banner() != nullptr;
            }), "no main dialog");
  }
  HWND Banner() const { return GetDlgItem(dialog, kTriselBanner); }
  std::string Box() const { return Text(GetDlgItem(dialog, kTriselText)); }
  void Close(DWORD withinMs = 6000) {  // as a user does; it must end soon
    PostMessageA(dialog, WM_COMMAND, IDCANCEL, 0);
    CHECK(prog.Ended(withinMs), "Trisel.exe did not end within " + std::to_string(withinMs) + " ms");
  }
};

// No server: the text box gets only the line break, the shipped picture
// is shown, nothing is written beside the program.
void Offline() {
  UseServer(false);
  Trisel t(true);
  CHECK(WaitUntil([&] { return t.Box() == "\r\n"; }), "text box: [" + t.Box() + "]");
  CHECK(Size(t.Banner()) == "170x85", "banner size " + Size(t.Banner()));
  CHECK(!FileExists(App("banner_en.gif")), "a picture was written without a server");
  t.Close();
}

// The server's text and a newer picture: the text in box 1057, the picture
// downloaded beside the program and shown (the banner takes its size) and
// animating, the click opens the fetched link.
void Download() {
  UseServer();
  Serve("banner_en.gif", "server_en.gif");
  Trisel t(true);
  CHECK(WaitUntil([&] { return t.Box() == BoxText("banner_en.txt"); }), "text box: [" + t.Box() + "]");
  ExpectServerPicture(t.Banner(), "banner_en.gif", "200x60");
  CHECK(Animates(t.Banner()), "the downloaded picture does not animate");
  Shot(t.dialog, "trisel-downloaded");
  CHECK(ClickOpens(t.Banner(), "http://127.0.0.1:" + g_port + "/landing-en"), "click: no browser with the link");
  t.Close();
}

// The next start with a picture of the same size: shown from the program
// folder, not downloaded again.
void SameSize() {
  UseServer();
  const ULONGLONG before = ModifyTime(App("banner_en.gif"));
  REQUIRE(before != 0, "no downloaded picture from the earlier scenario");
  const int asked = LogCount("START /mirelka/banner_en.gif");
  Trisel t(true);
  CHECK(WaitUntil([&] { return LogCount("START /mirelka/banner_en.gif") > asked && Size(t.Banner()) == "200x60"; }),
        "the picture's length was asked for, the picture shown: " + Size(t.Banner()));
  CHECK(ModifyTime(App("banner_en.gif")) == before, "the picture was written again");
  t.Close();
}

// Decrypt mode: its own text; a server without its picture leaves no file
// (the error page is not kept) and the shipped picture.
void Decrypt() {
  UseServer();
  Serve("banner_de.gif", nullptr);
  const int asked = LogCount("DONE /mirelka/banner_de.gif 404");
  Trisel t(false);
  CHECK(WaitUntil([&] { return t.Box() == BoxText("banner_de.txt"); }), "text box: [" + t.Box() + "]");
  CHECK(WaitUntil([&] { return LogCount("DONE /mirelka/banner_de.gif 404") > asked; }), "picture not asked for");
  CHECK(Stays([] { return !FileExists(App("banner_de.gif")); }, 1000) && Size(t.Banner()) == "170x85",
        "the error page was kept as the picture: " + Size(t.Banner()));
  t.Close();
}

// Closing while a slow picture comes in: the program ends at once, and the
// cut file is never shown: the next start fetches the whole picture.
void SlowClose() {
  UseServer();
  DeleteFileA(App("banner_en.gif").c_str());
  Serve("banner_en.gif", "slow_en.gif", true);
  const int cut = LogCount("CUT /mirelka/banner_en.gif");
  Trisel t(true);
  CHECK(WaitUntil([&] { return FileExists(App("banner_en.gif")); }), "the download did not start");
  Sleep(500);
  t.Close(5500);
  CHECK(WaitUntil([&] { return LogCount("CUT /mirelka/banner_en.gif") > cut; }), "the download went on");

  Serve("banner_en.gif", "slow_en.gif");
  Trisel again(true);
  ExpectServerPicture(again.Banner(), "banner_en.gif", "120x90");
  again.Close();
}

// Mirelka: opening the window puts the text into the output edit, the newer
// picture is downloaded and shown.
void Mirelka() {
  UseServer();
  Serve("banner.gif", "server.gif");
  Program prog;
  REQUIRE(StartProgram("\"" + App("Mirelka.exe") + "\" noupdate", prog), "Mirelka.exe did not start");
  HWND main = nullptr, banner = nullptr, result = nullptr;
  REQUIRE(WaitUntil([&] {
            main = WindowOfClass("Mirelka", prog.pi.dwProcessId);
            return (banner = GetDlgItem(main, kMirelkaBanner)) && (result = GetDlgItem(main, kMirelkaResult));
          }), "no main window");
  Sleep(300);  // its creation ends before the window takes commands
  PostMessageA(main, WM_COMMAND, kMirelkaOpen, 0);
  CHECK(WaitUntil([&] { return Text(result) == BoxText("banner.txt"); }), "result edit: [" + Text(result) + "]");
  ExpectServerPicture(banner, "banner.gif", "180x70");
  Shot(main, "mirelka");
  PostMessageA(main, WM_COMMAND, kMirelkaExit, 0);
  CHECK(prog.Ended(8000), "Mirelka.exe did not end");
}

const Scenario kScenarios[] = {
    {"offline", Offline},     {"download", Download}, {"same-size", SameSize}, {"decrypt", Decrypt},
    {"slow-close", SlowClose}, {"mirelka", Mirelka},   {nullptr, nullptr},
};

}  // namespace

int main(int argc, char** argv) {
  if (argc < 6) return std::printf("usage: banner_e2e WORK APP PORT DEADPORT ARTEFACTS [SCENARIO...]\n"), 2;
  g_work = argv[1], g_app = argv[2], g_port = argv[3], g_deadPort = argv[4];
  OpenResults(g_work + "\\results.txt");
  SetArtefacts(argv[5], "banner-");
  return Finish(RunScenarios(kScenarios, argc - 6, argv + 6, "banner") != 0);
}
