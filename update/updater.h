// The updater's run, window-free: fetch the list, download every file into
// the work folder, wait until Mirelka has closed, install all the files or
// none, remove the work folder. The dialog (win32/) only shows what the run
// reports through IUpdaterView and answers its questions.
#ifndef MIRELKA_UPDATE_UPDATER_H
#define MIRELKA_UPDATE_UPDATER_H

#include <cstdint>
#include <string>
#include <vector>

#include "common/filesystem.h"
#include "common/http.h"
#include "common/mystring.h"
#include "update/release_crypto.h"
#include "update/release_manifest.h"

enum : int {
  kUpdateDone = 0,
  kUpdateFailed = -1,
  kUpdateCancelled = -2,
};

class IUpdaterView {
 public:
  virtual ~IUpdaterView() = default;
  // Shows one status line in place of the progress group.
  virtual void ShowMessage(const char* text) = 0;
  // Shows the progress group for `count` files (the files bar 0..count).
  virtual void ShowProgress(int count) = 0;
  // File `number` (1-based) of `count` starts: the counter text, the files
  // bar and the name.
  virtual void StartFile(int number, int count, const char* counterText, const char* name) = 0;
  // Bytes of the current file so far, of `total`.
  virtual void FileProgress(uint64_t position, uint64_t total) = 0;
  // Lets the window answer one waiting message during a download; true when
  // the user asked to cancel.
  virtual bool CancelRequested() = 0;
  // Whether the download loop runs: while it does, the Cancel button only
  // asks it to stop.
  virtual void SetDownloading(bool downloading) = 0;
  // Whether a window of Mirelka is open.
  virtual bool MirelkaRunning() = 0;
  // Asks the user to close Mirelka: true for Retry, false for Cancel.
  virtual bool AskRetryWhileMirelkaRuns() = 0;
};

struct UpdaterSetup {
  IFileSystem* fs = nullptr;
  IHttpClient* http = nullptr;
  IUpdaterView* view = nullptr;
  const char* host = "";
  uint16_t port = 80;
  // The installation folder, ending with its separator ("C:\\Mirelka\\").
  CMyString dir;
  // SHA-256 and the signature check, and the vendor's public key (X || Y);
  // without a key every release is refused.
  IReleaseCrypto* crypto = nullptr;
  const uint8_t* vendorKey = nullptr;
  // The version installed now; a release must be above it.
  const char* installedVersion = "";
};

// One whole run; kUpdateDone, kUpdateFailed or kUpdateCancelled. Nothing is
// downloaded unless the vendor signed the release (release_manifest.h: the
// signature, the names, a higher version), nothing is installed unless
// every listed file arrived whole (a 2xx answer with exactly its announced
// length) with the manifest's size and SHA-256, and then either every file is installed
// or, when one cannot be, the files already replaced get their old contents
// back. The work folder <dir>update is gone afterwards (a leftover one from
// an earlier run is removed first), unless an old file could not be put back:
// then its copy stays in <dir>update\~old. Why a release was refused goes
// to the debug trace (WriteLog level 2), one line starting "update refused: ".
int RunUpdate(const UpdaterSetup& setup);

// The steps of RunUpdate, for the run and its tests.
//
// Folders are named with their closing separator ("C:\\app\\update\\").
//
// Empties and creates the work folder; 0 or -1.
int PrepareWorkFolder(IFileSystem& fs, const CMyString& work);
// Downloads every file into the work folder, reporting to the view; a file
// without the manifest's size and SHA-256 fails the run.
int DownloadFiles(const UpdaterSetup& setup, const CMyString& work, const std::vector<ReleaseFile>& files);
// Copies every downloaded file over the installation, all or nothing: 0, or
// -1 with the installation as it was (`restored` false when an old file
// could not be put back; its copy then lies in <work>~old).
int InstallFiles(IFileSystem& fs, const CMyString& dir, const CMyString& work,
                 const std::vector<std::string>& names, bool& restored);
// Deletes a folder with everything in it; 0, or -1 when something stayed.
int RemoveFolderTree(IFileSystem& fs, const CMyString& folder);

#endif
