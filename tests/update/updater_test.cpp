#include <gtest/gtest.h>

#include <cerrno>
#include <cstring>
#include <map>
#include <string>

#include "support/fake_http.h"
#include "support/memory_fs.h"
#include "support/test_crypto.h"
#include "update/updater.h"

namespace {

using Files = std::map<std::string, std::string>;
const Files kOld = {{"C:/app/Mirelka.exe", "old program"}, {"C:/app/data.txt", "old data"}};
const Files kNew = {{"C:/app/Mirelka.exe", std::string(20000, 'M')}, {"C:/app/data.txt", "new data"},
                    {"C:/app/new.dll", std::string(5000, 'D')}};

struct View : IUpdaterView {  // Mirelka is not running, nothing is cancelled
  void ShowMessage(const char*) override {}
  void ShowProgress(int) override {}
  void StartFile(int, int, const char*, const char*) override {}
  void FileProgress(uint64_t, uint64_t) override {}
  void SetDownloading(bool) override {}
  bool CancelRequested() override { return false; }
  bool MirelkaRunning() override { return false; }
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
    std::string m = "Mirelka update manifest\r\nversion 1.1\r\n";
    for (const auto& f : kNew) {
      server.objects["mirelka/update/" + f.first.substr(7)].body = f.second;
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

// An empty list, and one whose names differ from the manifest's only in case
// (served, were names compared loosely), install nothing.
TEST(Updater, AnEmptyListOrNamesDifferingInCaseInstallNothing) {
  for (const char* list : {"\r\n \r\n", "MIRELKA.EXE\r\ndata.txt\r\nnew.dll\r\n"}) {
    World t;
    t.server.objects["mirelka/update_files.ini"].body = list;
    t.server.objects["mirelka/update/MIRELKA.EXE"].body = kNew.at("C:/app/Mirelka.exe");
    EXPECT_TRUE(t.RunOn(t.disk) == kUpdateFailed && t.Installed() == kOld && !t.disk.Exists("C:/app/update")) << list;
  }
}

// Every failing file call: the installation is all new after success, all old after
// failure, unless putting an old file back failed too; then its copy is kept.
TEST(Updater, AFailingFileCallLeavesTheInstallationWholeOldOrWholeNew) {
  for (bool persistent : {false, true})  // persistent: putting files back fails too
    for (FsOp op : {FsOp::Open, FsOp::Read, FsOp::Write, FsOp::Close, FsOp::Stat, FsOp::MakeFolder})
      for (unsigned n = 1;; ++n) {
        World t;
        CFaultFileSystem fs(t.disk);
        fs.FailAt(op, n, EACCES, persistent);
        int rc = t.RunOn(fs);
        if (!fs.Fired()) break;
        SCOPED_TRACE(std::string(FsOpName(op)) + " " + std::to_string(n) + (persistent ? " on" : ""));
        EXPECT_EQ(0, t.disk.OpenFiles());
        if (rc == kUpdateDone) {
          EXPECT_EQ(kNew, t.Installed());
        } else if (!t.disk.Exists("C:/app/update")) {
          EXPECT_EQ(kOld, t.Installed());
        } else {
          for (const auto& f : kOld)  // each file is old, or its old copy was kept
            EXPECT_TRUE(t.disk.Contents(f.first) == f.second ||
                        t.disk.Contents("C:/app/update/~old/" + f.first.substr(7)) == f.second) << f.first;
        }
      }
}

}  // namespace
