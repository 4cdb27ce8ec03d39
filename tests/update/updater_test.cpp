#include <gtest/gtest.h>

#include <cerrno>
#include <functional>
#include <map>
#include <string>
#include <vector>

#include "support/fake_http.h"
#include "support/memory_fs.h"
#include "update/updater.h"

namespace {

const std::map<std::string, std::string> kOld = {{"C:/app/Mirelka.exe", "old program"},
                                                 {"C:/app/data.txt", "old data"}};
const std::map<std::string, std::string> kNew = {{"C:/app/Mirelka.exe", std::string(20000, 'M')},
                                                 {"C:/app/data.txt", "new data"},
                                                 {"C:/app/new.dll", std::string(5000, 'D')}};

struct View : IUpdaterView {
  std::vector<std::string> shown;  // messages and counter texts, in order
  int runningChecks = 0;           // Mirelka is reported running this many times
  bool retry = true;
  std::function<bool()> cancel = [] { return false; };
  bool downloading = false;
  void ShowMessage(const char* text) override { shown.push_back(text); }
  void ShowProgress(int count) override { shown.push_back("progress " + std::to_string(count)); }
  void StartFile(int, int, const char* counter, const char* name) override {
    shown.push_back(std::string(counter) + " " + name);
  }
  void FileProgress(uint64_t, uint64_t) override {}
  bool CancelRequested() override { return downloading && cancel(); }
  void SetDownloading(bool on) override { downloading = on; }
  bool MirelkaRunning() override { return runningChecks > 0 && runningChecks--; }
  bool AskRetryWhileMirelkaRuns() override {
    shown.push_back(retry ? "retry" : "cancel");
    return retry;
  }
};

// An installation of two files and a server that offers three.
struct World {
  CMemoryFileSystem disk;
  CFakeHttpClient server;
  View view;

  World() {
    for (const auto& f : kOld) disk.AddFile(f.first, f.second, 1000);
    disk.AddFile("C:/app/update/leftover/x.tmp", "from an earlier run");
    server.objects["mirelka/update_files.ini"].body = "Mirelka.exe\r\ndata.txt\r\nnew.dll\r\n";
    for (const auto& f : kNew) server.objects["mirelka/update/" + f.first.substr(7)].body = f.second;
  }
  int RunOn(IFileSystem& fs) {
    UpdaterSetup setup;
    setup.fs = &fs;
    setup.http = &server;
    setup.view = &view;
    setup.host = "h";
    setup.dir = CMyString("C:\\app\\");
    return RunUpdate(setup);
  }
  std::map<std::string, std::string> Installed() const {
    std::map<std::string, std::string> out;
    for (const std::string& f : disk.Files())
      if (f.rfind("C:/app/update/", 0) != 0) out[f] = disk.Contents(f);
    return out;
  }
};

struct Updater : ::testing::Test, World {};

TEST_F(Updater, InstallsEveryFileAfterMirelkaClosed) {
  view.runningChecks = 1;
  EXPECT_EQ(kUpdateDone, RunOn(disk));
  EXPECT_EQ(kNew, Installed());
  EXPECT_FALSE(disk.Exists("C:/app/update"));
  EXPECT_EQ(0, disk.OpenFiles());
  EXPECT_EQ((std::vector<std::string>{"업데이트 정보를 읽고 있습니다 . . .", "progress 3",
                                      "1 / 3 files... Mirelka.exe", "2 / 3 files... data.txt",
                                      "3 / 3 files... new.dll", "retry", "업데이트 파일을 설치 중입니다 . . ."}),
            view.shown);
  EXPECT_EQ("GETDOWNUPTFILE", server.requests[1].agent);
}

TEST_F(Updater, NothingIsInstalledWhenAFileDoesNotArriveWhole) {
  struct Case {
    const char* what;
    std::function<void(World&)> arrange;
    int want;
  } cases[] = {
      {"no server", [](World& t) { t.server.reachable = false; }, kUpdateFailed},
      {"no list (error page)", [](World& t) { t.server.objects.erase("mirelka/update_files.ini"); }, kUpdateFailed},
      {"empty list", [](World& t) { t.server.objects["mirelka/update_files.ini"].body = "\r\n"; }, kUpdateFailed},
      {"unsafe name", [](World& t) { t.server.objects["mirelka/update_files.ini"].body += "..\\x.exe\r\n"; },
       kUpdateFailed},
      {"second file missing", [](World& t) { t.server.objects.erase("mirelka/update/data.txt"); }, kUpdateFailed},
      {"body cut short", [](World& t) { t.server.objects["mirelka/update/new.dll"].breakAfter = 100; },
       kUpdateFailed},
      {"no length", [](World& t) { t.server.objects["mirelka/update/new.dll"].announceLength = false; },
       kUpdateFailed},
      {"cancel in the second file",
       [](World& t) {
         t.server.objects["mirelka/update/data.txt"].chunk = 3;
         t.view.cancel = [&t] { return t.disk.Exists("C:/app/update/data.txt"); };
       },
       kUpdateCancelled},
      {"Mirelka stays open",
       [](World& t) {
         t.view.runningChecks = 5;
         t.view.retry = false;
       },
       kUpdateFailed},
      {"a file cannot be replaced",
       [](World& t) { t.disk.SetAttributes("C:/app/data.txt", kAttrReadOnly); }, kUpdateFailed},
  };
  for (const Case& c : cases) {
    World t;
    c.arrange(t);
    EXPECT_EQ(c.want, t.RunOn(t.disk)) << c.what;
    EXPECT_EQ(kOld, t.Installed()) << c.what;
    EXPECT_FALSE(t.disk.Exists("C:/app/update")) << c.what;
    EXPECT_EQ(0, t.disk.OpenFiles()) << c.what;
  }
  // The unsafe list is refused before any file is asked for.
  World t;
  t.server.objects["mirelka/update_files.ini"].body = "a.exe\r\nC:\\evil.exe\r\n";
  t.RunOn(t.disk);
  EXPECT_EQ(1u, t.server.requests.size());
}

// Every failing file call from the first download to the last clean-up:
// the installation is all new after success and all old after failure,
// unless putting an old file back failed too; then its copy is kept.
TEST_F(Updater, AFailingFileCallLeavesTheInstallationWholeOldOrWholeNew) {
  for (int persistent = 0; persistent < 2; ++persistent) {
    for (FsOp op : {FsOp::Open, FsOp::Read, FsOp::Write, FsOp::Close, FsOp::Stat, FsOp::MakeFolder}) {
      for (unsigned n = 1;; ++n) {
        World t;
        CFaultFileSystem fs(t.disk);
        fs.FailAt(op, n, EACCES, persistent != 0);  // persistent: putting files back fails too
        int rc = t.RunOn(fs);
        if (!fs.Fired()) break;
        SCOPED_TRACE(std::string(FsOpName(op)) + " " + std::to_string(n) + (persistent ? " on" : ""));
        EXPECT_EQ(0, t.disk.OpenFiles());
        if (rc == kUpdateDone) {
          EXPECT_EQ(kNew, t.Installed());
        } else if (!t.disk.Exists("C:/app/update")) {
          EXPECT_EQ(kOld, t.Installed());
        } else {
          for (const auto& f : kOld) {  // each file is old, or its old copy was kept
            std::string kept = "C:/app/update/~old/" + f.first.substr(7);
            EXPECT_TRUE(t.disk.Contents(f.first) == f.second || t.disk.Contents(kept) == f.second) << f.first;
          }
        }
      }
    }
  }
}

}  // namespace
