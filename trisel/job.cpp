#include "trisel/job.h"

#include <cstdio>
#include <cstring>
#include <memory>
#include <new>

#include "common/log.h"
#include "common/path.h"
#include "filecipher/reporter.h"
#include "textcipher/common_key_file.h"
#include "textcipher/key_text.h"
#include "trisel/find_files.h"
#include "trisel/settings.h"

namespace {

const char kNoFilesLog[] =
    "작업할 파일이 없습니다.\n\n혹시 하위 폴더에 대한 작업이면,\n"
    "<폴더 옵션 확인>에서 하위 폴더 포함을 선택해야 합니다.\n";
const char kSeeButtons[] = " → [로그] [에러] 에서 확인";

void SystemLocalTime(struct tm& out) {
  time_t now = time(nullptr);
#ifdef _WIN32
  struct tm* t = localtime(&now);  // per-thread in the Windows runtime
  if (t) out = *t;
#else
  localtime_r(&now, &out);
#endif
}

}  // namespace

char JobPathSeparator() {
#ifdef _WIN32
  return '\\';
#else
  return '/';
#endif
}

CTriselJob::CTriselJob(IFileSystem& fs, IRegistry& registry, IReportUI& reportUI,
                       ITriselView& coderView, IJobView& jobView, IKeyFileView& keyFileView,
                       JobState& job)
    : m_fs(fs),
      m_registry(registry),
      m_reportUI(reportUI),
      m_coderView(coderView),
      m_jobView(jobView),
      m_keyFileView(keyFileView),
      m_job(job) {}

void CTriselJob::SetCommandLine(int argc, const char* const* argv) {
  m_switch.clear();
  m_items.clear();
  if (argc > 1 && argv[1]) m_switch = argv[1];
  for (int i = 2; i < argc; ++i) m_items.push_back(argv[i] ? argv[i] : "");
}

void CTriselJob::Log(int level, const char* text) {
  WriteLog(level, "%s", text);
}

void CTriselJob::TimeStamp(char* out, size_t size) {
  struct tm t;
  memset(&t, 0, sizeof t);
  if (m_localTime)
    m_localTime(t);
  else
    SystemLocalTime(t);
  if (strftime(out, size, "%Y.%m.%d %H:%M:%S", &t) == 0) out[0] = 0;
}

bool CTriselJob::IsFolderItem(const char* path) {
  uint32_t attr = m_fs.GetAttributes(path);
  return attr != kAttrInvalid && (attr & kAttrDirectory) != 0;
}

bool CTriselJob::ItemPattern(const char* item, char* pattern, int& subFolders) {
  int n;
  bool folder = IsFolderItem(item);
  if (folder) {
    // A root given with its separator ("C:\") gets a second one; the search
    // takes the pattern as it is.
    n = snprintf(pattern, kMaxPathLen, "%s%c%s", item, JobPathSeparator(),
                 m_options.filter.GetBuffer());
  } else {
    n = snprintf(pattern, kMaxPathLen, "%s", item);
  }
  if (n < 0 || n >= kMaxPathLen) {
    pattern[0] = 0;
    return false;
  }
  subFolders = folder ? static_cast<int>(m_options.subDir) : 0;
  return true;
}

int CTriselJob::RunJobItem(const char* pattern, const char* keyText, int subFolders, int mode,
                           int deleteSource, OverwriteAll* overwriteAll) {
  std::unique_ptr<CFindFiles> find(
      new (std::nothrow) CFindFiles(m_fs, m_reportUI, m_coderView, m_jobView, m_job));
  if (!find) return mode == kModeCount ? 0 : kResultStop;
  int rc = find->Run(pattern, keyText, subFolders, mode, deleteSource, overwriteAll,
                     &m_job.cancel);
  if (mode == kModeCount) return find->counters.count;
  m_job.ok += find->counters.ok;
  m_job.warn += find->counters.warn;
  m_job.err += find->counters.err;
  return rc;
}

JobResult CTriselJob::RunJob(char* password) {
  char stamp[100];
  TimeStamp(stamp, sizeof stamp);
  char head[160];
  snprintf(head, sizeof head, "(1) 작업 시간\n-------------\n\n%s\n\n", stamp);
  Log(kLogJob, head);
  Log(kLogError, head);
  Log(kLogDebug, head);
  Log(kLogJob, "(2) 작업 목록\n-------------\n\n");
  Log(kLogError, "(2) 에러 목록\n-------------\n\n");

  const bool encrypt = m_switch == "-e";
  CMyString summary;
  JobResult rc = kResultDone;

  // The password text: the password reversed, then its length in digits;
  // the caller's buffer is left reversed.
  CMyString passwordText;
  MakePasswordText(password, passwordText);
  ReverseString(password);

  CMyString keyFile = LoadCommKeyFile(m_registry);

  // The folder options are asked once, at the first folder item.
  for (const std::string& item : m_items) {
    if (!IsFolderItem(item.c_str())) continue;
    FolderOptions options;
    options.subDir = LoadSubDir(m_registry);
    options.filter = encrypt ? LoadFilter(m_registry) : CMyString("*.tsl");
    if (m_jobView.AskFolderOptions(encrypt, options) != kFolderOptionsOk) {
      rc = kResultOptionsCancelled;
      goto end;
    }
    options.subDir = options.subDir ? 1 : 0;
    SaveSubDir(m_registry, options.subDir != 0);
    if (encrypt)
      SaveFilter(m_registry, options.filter.GetBuffer());
    else
      options.filter = "*.tsl";  // decryption only ever takes .tsl files
    m_options = options;
    break;
  }

  m_jobView.HideBannerText();
  m_jobView.ShowJobStatus(nullptr, "작업이 진행중입니다...", 1);

  {
    CMyString key = passwordText;
    if (keyFile.GetLength()) {
      CMyString block(static_cast<uint32_t>(kKeyBlockSize));
      int krc = ReadCommonKeyFile(m_fs, keyFile.GetBuffer(), block.GetBuffer(), m_keyFileView);
      m_keyFileView.Finish();
      if (krc == kKeyFailed || krc == kKeyCancelled) {
        rc = krc == kKeyFailed ? kResultStop : kResultCancelled;
        goto end;
      }
      MixKeyBlock(block, passwordText.GetBuffer());
      key = block;
    }

    OverwriteAll overwriteAll;
    m_job.ResetCounts();

    char pattern[kMaxPathLen];
    int subFolders = 0;
    for (const std::string& item : m_items)
      if (ItemPattern(item.c_str(), pattern, subFolders))
        m_job.total += RunJobItem(pattern, nullptr, subFolders, kModeCount, 0, &overwriteAll);

    if (m_job.total == 0) {
      Log(kLogJob, kNoFilesLog);
      Log(kLogError, kNoFilesLog);
      rc = kResultNoFiles;
      goto end;
    }

    const int mode = encrypt ? kModeEncrypt : kModeDecrypt;
    const int deleteSource = m_jobView.DeleteSourceChecked() ? 1 : 0;
    m_coderView.OverallBarReset(m_job.total);
    for (const std::string& item : m_items) {
      if (!ItemPattern(item.c_str(), pattern, subFolders)) {
        // Not counted either; the error log names the item that was left.
        CMyMessage message(m_reportUI, m_job);
        message.Report("경고", "CTriselJob::RunJob, strlen(), 0",
                       "경로가 너무 깁니다. 이 항목은 작업하지 않았습니다.", item.c_str(),
                       kReportLogOnly);
        ++m_job.warn;
        continue;
      }
      rc = static_cast<JobResult>(
          RunJobItem(pattern, key.GetBuffer(), subFolders, mode, deleteSource, &overwriteAll));
      if (rc == kResultStop || rc == kResultCancelled) break;
    }

    char text[1024];
    snprintf(text, sizeof text,
             "\n(3) 작업 결과\n-------------\n\n전체 → %lu\n성공 → %lu  (경고 → %lu)\n"
             "에러 → %lu\n\n(4) 작업 참고\n-------------\n\n* 경고란?\n"
             "  다시 한번 확인이 필요한 미세한 에러, 경고는 성공으로 카운트됩니다.\n\n",
             static_cast<unsigned long>(m_job.total), static_cast<unsigned long>(m_job.ok),
             static_cast<unsigned long>(m_job.warn), static_cast<unsigned long>(m_job.err));
    summary = text;
    if (m_job.warn || m_job.err) {
      summary += "* [에러 보기] 버튼?\n  상세한 에러를 확인할 수 있습니다.\n";
    } else if (rc == kResultDone) {
      Log(kLogError, "에러 / 경고가 없습니다.\n");
    } else if (rc == kResultCancelled) {
      summary += "작업이 취소됐습니다.\n";
      Log(kLogError, "작업이 취소됐습니다.\n");
    }
  }

end:
  WriteLog(kLogJob, "%s\n", summary.GetBuffer());
  WriteLog(kLogClose, "%s", "");
  return rc;
}

CMyString CTriselJob::StatusText(int rc, uint32_t warn, uint32_t err) {
  CMyString text;
  switch (rc) {
    case kResultDone:
    case kResultSkip:
      text = "작업 완료";
      break;
    case kResultStop:
    case kResultCancelled:
      text = "작업 중지";
      break;
    case kResultNoFiles:
      text = "작업할 파일이 없습니다.";
      text += kSeeButtons;
      return text;
    default:
      return text;
  }
  char buf[64];
  if (warn) {
    snprintf(buf, sizeof buf, " / 경고(%d)", static_cast<int>(warn));
    text += buf;
  }
  if (err) {
    snprintf(buf, sizeof buf, " / 에러(%d)", static_cast<int>(err));
    text += buf;
  }
  if (warn || err) text += kSeeButtons;
  return text;
}

void CTriselJob::Begin() {
  m_jobView.ShowJobStatus(nullptr, "SW_HIDE", 0);
  m_jobView.LockControls();
  m_job.busy = 1;
  m_job.cancel = 0;
  m_job.cancelKeyFile = 0;
}

void CTriselJob::Abandon() {
  m_job.busy = 0;
  m_job.cancel = 0;
  m_job.cancelKeyFile = 0;
  m_jobView.UnlockControls(true);
}

JobResult CTriselJob::Work(char* password) {
  Begin();
  return Finish(password);
}

JobResult CTriselJob::Finish(char* password) {
  JobResult rc = RunJob(password);

  m_job.busy = 0;
  m_job.cancel = 0;
  m_job.cancelKeyFile = 0;
  m_jobView.UnlockControls(rc == kResultOptionsCancelled);
  if (rc != kResultOptionsCancelled)
    m_jobView.ShowJobStatus(nullptr, StatusText(rc, m_job.warn, m_job.err).GetBuffer(), 1);
  return rc;
}
