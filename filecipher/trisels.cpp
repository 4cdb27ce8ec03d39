#include "filecipher/trisels.h"

#include <cerrno>
#include <cstdio>
#include <cstring>

#include "common/log.h"
#include "common/path.h"
#include "filecipher/head_read.h"
#include "filecipher/head_write.h"
#include "filecipher/set_property.h"

namespace {

const size_t kMaxPath = 259;  // longest path a 260-byte text holds

const char kCreateFailed[] =
    "<결과파일> 생성에 실패했습니다.\n\n읽기 전용, 혹은 다른 응용프로그램에서 사용 중인\n"
    "동일한 이름의 파일이 이미 존재할 수 있습니다.\n또는, 권한이 없는 사용자일 수 있습니다.";
const char kResultTooLong[] = "<결과파일> 경로가 너무 깁니다.";
const char kSourceTooLong[] = "<원본파일> 경로가 너무 깁니다.";
const char kWriteFailed[] = "<결과파일> 쓰기에 실패했습니다.";

bool IsSeparator(char c) { return c == '\\' || c == '/'; }

// The name and extension of path, without its folder.
void NameOf(const char* path, char out[kMaxPathLen]) {
  char fname[kMaxPathLen], ext[kMaxPathLen];
  SplitPath(path, nullptr, nullptr, fname, ext);
  size_t a = std::strlen(fname);
  size_t b = std::strlen(ext);
  if (a + b > kMaxPath) b = a < kMaxPath ? kMaxPath - a : 0;  // only for a path too long anyway
  if (a > kMaxPath) a = kMaxPath;
  std::memcpy(out, fname, a);
  std::memcpy(out + a, ext, b);
  out[a + b] = 0;
}

// The decrypted file's name: path without a final ".tsl" (any case), or
// path + ".detsl" when it has none or nothing would be left of the name.
// False when the name would not fit in kMaxPath bytes.
bool DecodingName(const char* path, char out[kMaxPathLen]) {
  size_t len = std::strlen(path);
  const char* dot = std::strrchr(path, '.');
  if (dot && dot > path && len - (dot - path) == 4 && !IsSeparator(dot[-1])) {
    const char* e = dot + 1;
    if ((e[0] | 0x20) == 't' && (e[1] | 0x20) == 's' && (e[2] | 0x20) == 'l') {
      std::memcpy(out, path, dot - path);
      out[dot - path] = 0;
      return true;
    }
  }
  if (len + 6 > kMaxPath) return false;
  std::snprintf(out, kMaxPathLen, "%s.detsl", path);
  return true;
}

}  // namespace

CTrisels::CTrisels(IFileSystem& fs, IReportUI& ui, ITriselView& view, JobState& job)
    : m_fs(fs), m_view(view), m_job(job), m_message(ui, job) {
  ResetFile();
}

CTrisels::~CTrisels() = default;

void CTrisels::ResetFile() {
  m_infp.reset();
  m_outfp.reset();
  szInputPathFname[0] = 0;
  m_outputPath[0] = 0;
  m_created = false;
}

int CTrisels::CloseStreams() {
  int rc = 0;
  if (m_infp) {
    m_infp->Close();
    m_infp.reset();
  }
  if (m_outfp) {
    rc = m_outfp->Close();
    m_outfp.reset();
  }
  return rc;
}

JobResult CTrisels::Trisel(const char* path, const char* keyText, int, int mode, int,
                           JobCounters& counters, OverwriteAll* overwriteAll,
                           const std::atomic<int32_t>* pCancel) {
  ResetFile();
  std::snprintf(szInputPathFname, sizeof szInputPathFname, "%s", path);
  ++counters.count;
  ++m_job.seq;

  char text[64];
  std::snprintf(text, sizeof text, "%lu / %lu files...", static_cast<unsigned long>(m_job.seq),
                static_cast<unsigned long>(m_job.total));
  m_view.SetCounterText(text);
  char name[kMaxPathLen];
  NameOf(path, name);
  m_view.SetFileName(name);

  JobResult result = kResultDone;
  TslHeader header;
  FileStat st;
  if (std::strlen(path) > kMaxPath) {
    errno = 0;
    result = m_message.Report("에러", "CTrisels::Trisel, strlen(szInputPathFname), 4",
                              kSourceTooLong, path, kReportStopJob);
    ++counters.err;
    goto finish;
  }

  if (!keyText || !*keyText) {
    // Every key text holds at least the digits of the password's length;
    // an empty one would leave the file uncoded.
    errno = 0;
    m_message.Report("에러", "CTrisels::Trisel, strlen(keyText), 6", "암호 키가 비어 있습니다.",
                     szInputPathFname, kReportLogOnly);
    result = kResultStop;
    ++counters.err;
    goto finish;
  }

  for (;;) {
    if (m_fs.Stat(szInputPathFname, st) == 0) break;
    result = m_message.Report("에러", "CTrisels::Trisel, stat(szInputPathFname), 0",
                              "<원본파일> 정보(size) 읽기에 실패했습니다.", szInputPathFname,
                              kReportAbortRetryIgnore);
    if (result != kResultRetry) {
      ++counters.err;
      goto finish;
    }
  }

  {
    char ext[kMaxPathLen];
    SplitPath(szInputPathFname, nullptr, nullptr, nullptr, ext);
    for (char* p = ext; *p; ++p)
      if (*p >= 'A' && *p <= 'Z') *p = static_cast<char>(*p + ('a' - 'A'));
    bool isTsl = std::strcmp(ext, ".tsl") == 0;

    double payload = 0;
    if (mode == kModeEncrypt) {
      if (isTsl) {
        m_message.Report("경고", "CTrisels::Trisel, !strcmp(), 2",
                         "확장명이 \"tsl\" 이면, 암호화할 수 없습니다.\n"
                         "이중 암호화를 원한다면, 확장명을 변경해야 합니다.",
                         szInputPathFname, kReportLogOnly);
        ++counters.warn;
        result = kResultSkip;
        goto finish;
      }
      result = EnCode(szInputPathFname, keyText, counters, overwriteAll);
      if (result != kResultDone) goto finish;
      payload = static_cast<double>(st.size);
    } else {
      if (!isTsl) {
        errno = 0;  // a finding of ours: no system error belongs to it
        m_message.Report("경고", "CTrisels::Trisel, strcmp(), 3",
                         "확장명이 \"tsl\" 인 파일만 해독할 수 있습니다.", szInputPathFname,
                         kReportLogOnly);
        ++counters.warn;
        result = kResultSkip;
        goto finish;
      }
      result = DeCode(szInputPathFname, keyText, overwriteAll, counters, header);
      if (result != kResultDone) goto finish;
      payload = static_cast<double>(st.size) - 64 - std::strlen(header.szChown) -
                std::strlen(header.szOriginalFname);
      if (payload < 0) payload = 0;  // the file changed since it was measured
    }
    result = RunCoding(keyText, payload, counters, pCancel);
    // A source that could not be read or a result that could not be written
    // is an error, whatever the user chose to do about it.
    if (result == kResultStop || result == kResultSkip) ++counters.err;
  }

finish:
  // The result only counts once every byte is in the file: a failed close
  // (a full disk shows up here at the latest) is a failed write.
  if (CloseStreams() != 0 && result == kResultDone) {
    result = m_message.Report("에러", "CTrisels::Trisel, fclose(m_outfp), 5", kWriteFailed,
                              m_outputPath, kReportStopJob);
    ++counters.err;
  }
  if (result == kResultDone || result == kResultSkip) m_view.OverallBarStep();
  if (result == kResultDone) {
    if (mode != kModeEncrypt) {
      CTSSubSetProperty property(m_fs, szInputPathFname, m_outputPath, m_message);
      property.SetProperty(header.szModifyTime, header.dwAttr, header.szChown, header.umode);
    }
    ++counters.ok;
  } else if (m_created && m_outputPath[0]) {
    // Cancelled or failed after the result was created: what is there is
    // incomplete and must not pass for the coded file.
    m_fs.Remove(m_outputPath);
  }
  return result;
}

JobResult CTrisels::ApplyExistenceRule(const char* resultName, const char* tag,
                                       JobCounters& counters, OverwriteAll* overwriteAll) {
  FileStat st;
  errno = 0;
  if (m_fs.Stat(resultName, st) != 0 && errno == ENOENT) return kResultDone;
  if (overwriteAll && overwriteAll->yesToAll) return kResultDone;
  if (overwriteAll && overwriteAll->noToAll) return kResultSkip;
  JobResult rc = m_message.Report("경고", tag, "동일한 파일이 이미 존재합니다.", resultName,
                                  kReportOverwrite);
  // Every answer the question knows counts as a warning; the two all-answers
  // also hold for the rest of the job.
  switch (rc) {
    case kResultYesToAll:
      if (overwriteAll) overwriteAll->yesToAll = 1;
      rc = kResultDone;
      break;
    case kResultNoToAll:
      if (overwriteAll) overwriteAll->noToAll = 1;
      rc = kResultSkip;
      break;
    case kResultDone:
    case kResultSkip:
    case kResultCancelled:
      break;
    default:
      return kResultDone;
  }
  ++counters.warn;
  return rc;
}

JobResult CTrisels::OpenResult(const char* resultName, const char* tag, JobCounters& counters) {
  std::snprintf(m_outputPath, sizeof m_outputPath, "%s", resultName);
  for (;;) {
    m_outfp = m_fs.Open(m_outputPath, "wb");
    if (m_outfp) {
      m_created = true;
      return kResultDone;
    }
    JobResult rc =
        m_message.Report("에러", tag, kCreateFailed, m_outputPath, kReportAbortRetryIgnore);
    if (rc != kResultRetry) {
      ++counters.err;
      return rc;
    }
  }
}

JobResult CTrisels::OpenSource(const char* path, const char* tag, JobCounters& counters) {
  for (;;) {
    m_infp = m_fs.Open(path, "rb");
    if (m_infp) return kResultDone;
    JobResult rc = m_message.Report("에러", tag, "<원본파일> 열기에 실패했습니다.", path,
                                    kReportAbortRetryIgnore);
    if (rc != kResultRetry) {
      ++counters.err;
      return rc;
    }
  }
}

JobResult CTrisels::EnCode(const char* path, const char* keyText, JobCounters& counters,
                           OverwriteAll* overwriteAll) {
  for (;;) {
    if (JobResult rc = OpenSource(path, "CTrisels::EnCode, fopen(szDecodingFname), 0", counters))
      return rc;
    if (std::strlen(path) + 4 > kMaxPath) {
      errno = 0;
      JobResult rc = m_message.Report("에러", "CTrisels::EnCode, sprintf(szEncodingFname), 4",
                                      kResultTooLong, path, kReportStopJob);
      ++counters.err;
      return rc;
    }
    char resultName[kMaxPathLen];
    std::snprintf(resultName, sizeof resultName, "%s.tsl", path);
    if (JobResult rc = ApplyExistenceRule(resultName, "CTrisels::EnCode, stat(szEncodingFname), 1",
                                          counters, overwriteAll))
      return rc;
    if (JobResult rc =
            OpenResult(resultName, "CTrisels::EnCode, fopen(szEncodingFname), 2", counters))
      return rc;

    JobResult rc;
    {
      CTSSubHeadWrite writer(m_fs, *m_outfp, path, m_outputPath, m_message);
      rc = writer.WriteFileHeader(keyText, counters);
    }
    if (rc == kResultDone) {
      char name[kMaxPathLen];
      NameOf(path, name);
      size_t n = std::strlen(name) + 1;  // with its zero byte
      if (m_outfp->Write(name, n) == n && !m_outfp->Error()) return kResultDone;
      rc = m_message.Report("에러", "CTrisels::EnCode, putc(m_outfp), 3", kWriteFailed,
                            m_outputPath, kReportAbortRetryIgnore);
    }
    if (rc != kResultRetry) {
      ++counters.err;
      return rc;
    }
    CloseStreams();
  }
}

JobResult CTrisels::DeCode(const char* path, const char* keyText, OverwriteAll* overwriteAll,
                           JobCounters& counters, TslHeader& header) {
  for (;;) {
    if (JobResult rc = OpenSource(path, "CTrisels::DeCode, fopen(szEncodingFname), 0", counters))
      return rc;
    JobResult rc;
    {
      CTSSubHeadRead reader(*m_infp, path, m_message);
      rc = reader.ReadFileHeader(keyText, header);
    }
    WriteLog(kLogDebug, "szOriginalFname[%s] szModifyTime[%s] dwAttr[%x] umode[%x] szChown [%s]\n",
             header.szOriginalFname, header.szModifyTime, static_cast<unsigned>(header.dwAttr),
             static_cast<unsigned>(header.umode), header.szChown);
    if (rc == kResultRetry) {
      CloseStreams();
      continue;
    }
    if (rc != kResultDone) {
      ++counters.err;
      return rc;
    }

    char resultName[kMaxPathLen];
    if (!DecodingName(path, resultName)) {
      errno = 0;
      rc = m_message.Report("에러", "CTrisels::DeCode, sprintf(szDecodingFname), 3",
                            kResultTooLong, path, kReportStopJob);
      ++counters.err;
      return rc;
    }
    if (JobResult rc2 = ApplyExistenceRule(resultName, "CTrisels::DeCode, stat(szDecodingFname), 1",
                                           counters, overwriteAll))
      return rc2;
    return OpenResult(resultName, "CTrisels::DeCode, fopen(szDecodingFname), 2", counters);
  }
}
