#include <gtest/gtest.h>

#include <cerrno>
#include <cstring>
#include <functional>
#include <map>
#include <string>
#include <vector>

#include "common/log.h"
#include "support/fake_http.h"
#include "support/memory_fs.h"
#include "support/test_crypto.h"
#include "update/updater.h"

namespace {

using Files = std::map<std::string, std::string>;
const Files kOld = {{"C:/app/Mirelka.exe", "old program"}, {"C:/app/data.txt", "old data"}};
const Files kNew = {{"C:/app/Mirelka.exe", std::string(20000, 'M')}, {"C:/app/data.txt", "new data"},
                    {"C:/app/new.dll", std::string(5000, 'D')}};

struct View : IUpdaterView {
  bool running = false;  // Mirelka stays open, and no retry is asked for
  void ShowMessage(const char*) override {}
  void ShowProgress(int) override {}
  void StartFile(int, int, const char*, const char*) override {}
  void FileProgress(uint64_t, uint64_t) override {}
  void SetDownloading(bool) override {}
  bool CancelRequested() override { return false; }
  bool MirelkaRunning() override { return running; }
  bool AskRetryWhileMirelkaRuns() override { return false; }
};

const uint8_t kVendorKey[64] = {1, 2, 3};

// An installation of two files and a server that offers three, version 1.1, signed.
struct World {
  CMemoryFileSystem disk;
  CFakeHttpClient server;
  View view;
  CTestCrypto crypto;

  World() {
    for (const auto& f : kOld) disk.AddFile(f.first, f.second, 1000);
    disk.AddFile("C:/app/update/leftover/x.tmp", "from an earlier run");
    server.objects["mirelka/update_files.ini"].body = "Mirelka.exe\r\ndata.txt\r\nnew.dll\r\n";
    for (const auto& f : kNew) server.objects["mirelka/update/" + f.first.substr(7)].body = f.second;
    Publish("1.1");
  }
  void Publish(const char* version) {  // the signed manifest of the files on the server
    std::string m = std::string("Mirelka update manifest\r\nversion ") + version + "\r\n";
    for (const auto& f : kNew) {
      uint8_t d[32];
      std::memcpy(d, DigestOf(f.second).data(), 32);
      m += "file " + std::to_string(f.second.size()) + " " + DigestText(d) + " " + f.first.substr(7) + "\r\n";
    }
    server.objects["mirelka/update_manifest.txt"].body = m;
    server.objects["mirelka/update_manifest.sig"].body = TestSign(m, kVendorKey);
  }
  int RunOn(IFileSystem& fs) {
    UpdaterSetup s;
    s.fs = &fs, s.http = &server, s.view = &view, s.host = "h", s.dir = CMyString("C:\\app\\");
    s.crypto = &crypto, s.vendorKey = kVendorKey, s.installedVersion = "1.0";
    return RunUpdate(s);
  }
  Files Installed() const {
    Files out;
    for (const std::string& f : disk.Files())
      if (f.rfind("C:/app/update/", 0) != 0) out[f] = disk.Contents(f);
    return out;
  }
};

// Keeps what the run writes to the debug trace.
struct Trace : ILogListener {
  std::string text;
  Trace() { TheRunLog().SetFilesEnabled(false), TheRunLog().SetDebugEnabled(true), TheRunLog().SetListener(this); }
  ~Trace() override {
    TheRunLog().SetListener(nullptr), TheRunLog().SetDebugEnabled(false), TheRunLog().SetFilesEnabled(true);
  }
  void LogWritten(int level, const char* t, size_t n) override {
    if (level == kLogDebug && std::strncmp(t, "pos[", 4) != 0) text.append(t, n);
  }
};

// What the end-to-end runs leave out: nothing is installed, the trace says
// why a release was refused, and refusals before the downloads download nothing.
TEST(Updater, NothingIsInstalledFromAnEmptyListARefusedReleaseOrWhileMirelkaRuns) {
  auto list = [](const char* body) {
    return [=](World& t) { t.server.objects["mirelka/update_files.ini"].body = body; };
  };
  struct Case {
    std::function<void(World&)> arrange;
    const char* why;  // null: no refusal
    bool downloads;
  } cases[] = {
      {list("\r\n \r\n"), nullptr, false},
      {[](World& t) { t.view.running = true; }, nullptr, true},
      {[](World& t) { t.server.objects.erase("mirelka/update_manifest.sig"); }, "no signature", false},
      {list("Mirelka.exe\r\ndata.txt\r\n"), "name mismatch: the manifest names", false},
      {list("MIRELKA.EXE\r\ndata.txt\r\nnew.dll\r\n"), "name mismatch", false},
      {[](World& t) { t.server.objects["mirelka/update/new.dll"].body += "!"; }, "size mismatch: new.dll", true},
      {[](World& t) { t.server.objects["mirelka/update/new.dll"].body.pop_back(); }, "size mismatch: new.dll", true},
  };
  for (const Case& c : cases) {
    World t;
    c.arrange(t);
    Trace trace;
    SCOPED_TRACE(c.why ? c.why : "no refusal");
    EXPECT_EQ(kUpdateFailed, t.RunOn(t.disk));
    EXPECT_EQ(kOld, t.Installed());
    EXPECT_FALSE(t.disk.Exists("C:/app/update"));
    if (c.why) {
      EXPECT_EQ(0u, trace.text.rfind(std::string("update refused: ") + c.why, 0)) << trace.text;
    }
    bool downloaded = false;
    for (const auto& r : t.server.requests) downloaded = downloaded || r.path.rfind("mirelka/update/", 0) == 0;
    EXPECT_EQ(c.downloads, downloaded);
  }
}

// Every failing file call: the installation is all new after success, all old after
// failure, unless putting an old file back failed too; then its copy is kept.
TEST(Updater, AFailingFileCallLeavesTheInstallationWholeOldOrWholeNew) {
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
