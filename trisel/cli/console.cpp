#include "trisel/cli/console.h"

#include <chrono>
#include <cstring>

#include "trisel/settings.h"

namespace trisel_cli {
namespace {

// The first non-blank character of an answer, in upper case; 0 for none.
char AnswerKey(const std::string& line) {
  for (char c : line) {
    if (c == ' ' || c == '\t') continue;
    return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c;
  }
  return 0;
}

// A wildcard as typed, in CP949; one with no CP949 form is taken as it is
// and then matches the names that are kept in their native bytes.
std::string FilterOf(ITerminal& term, const std::string& typed) {
  std::string cp949;
  return term.FromTerminal(typed, cp949) ? cp949 : typed;
}

}  // namespace

int CConsoleReportUI::AskMessageBox(ReportKind kind, const char* caption, const char* text) {
  const bool ari = kind == kReportAbortRetryIgnore;
  const int quiet = ari ? kAnswerIgnore : kAnswerNo;
  if (!m_term.Interactive()) return quiet;

  m_term.Err(m_term.ToTerminal(std::string("[") + (caption ? caption : "") + "]") + "\n" +
             m_term.ToTerminal(text ? text : "") + "\n");
  const char* choices = ari ? "[A] 중단  [R] 다시 시도  [I] 무시 (기본: I) > "
                            : "[Y] 예  [N] 아니요 (기본: N) > ";
  for (;;) {
    std::string line;
    ReadResult r = m_term.ReadLine(choices, true, line);
    if (r == ReadResult::End) return quiet;
    if (r == ReadResult::Interrupted) {
      // Ctrl+C while asked: the answer that stops soonest.
      if (ari) return kAnswerAbort;
      return kind == kReportStopJob ? kAnswerYes : kAnswerNo;
    }
    char key = AnswerKey(line);
    if (key == 0) return quiet;
    if (ari) {
      if (key == 'A') return kAnswerAbort;
      if (key == 'R') return kAnswerRetry;
      if (key == 'I') return kAnswerIgnore;
    } else {
      if (key == 'Y') return kAnswerYes;
      if (key == 'N') return kAnswerNo;
    }
  }
}

int CConsoleReportUI::AskOverwrite(const char* text) {
  if (m_overwrite == OverwriteChoice::All) return kAnswerYesToAll;
  if (m_overwrite == OverwriteChoice::None || !m_term.Interactive()) return kAnswerNoToAll;

  m_term.Err(m_term.ToTerminal("[파일 덮어쓰기(Overwrite) 확인]") + "\n" +
             m_term.ToTerminal(text ? text : "") + "\n");
  const char* choices = "[Y] 예  [A] 모두 예  [N] 아니오  [O] 모두 아니오  [C] 취소 > ";
  for (;;) {
    std::string line;
    ReadResult r = m_term.ReadLine(choices, true, line);
    if (r == ReadResult::End) return kAnswerNoToAll;  // nothing is overwritten unasked
    if (r == ReadResult::Interrupted) return kAnswerCancel;
    switch (AnswerKey(line)) {
      case 'Y': return kAnswerYes;
      case 'A': return kAnswerYesToAll;
      case 'N': return kAnswerNo;
      case 'O': return kAnswerNoToAll;
      case 'C': return kAnswerCancel;
      default: break;  // like the dialog: a button must be chosen
    }
  }
}

void CConsoleProgress::SetCounterText(const char* text) {
  m_counter = text ? text : "";
  m_percent = 0;
}

void CConsoleProgress::SetFileName(const char* name) {
  m_name = name ? name : "";
  Draw();
}

void CConsoleProgress::FileBarReset() {
  m_percent = 0;
  Draw();
}

void CConsoleProgress::FileBarStep() {
  if (m_percent < 100) ++m_percent;
  if (!m_term.ShowsProgress()) return;
  // A redraw per step would flood a slow terminal with small files.
  static std::chrono::steady_clock::time_point last;
  auto now = std::chrono::steady_clock::now();
  if (m_percent == 100 || now - last >= std::chrono::milliseconds(50)) {
    last = now;
    Draw();
  }
}

void CConsoleProgress::Draw() {
  if (!m_term.ShowsProgress()) return;
  m_term.Progress(m_term.ToTerminal(m_counter + " " + m_name) + " " +
                  std::to_string(m_percent) + "%");
}

void CConsoleJobView::ShowJobStatus(const char*, const char* status, int) {
  if (status && strcmp(status, "SW_HIDE") != 0) m_status = status;
}

int CConsoleJobView::AskFolderOptions(bool encrypt, FolderOptions& options) {
  const bool askSub = m_options.subDirs < 0 && m_term.Interactive();
  const bool askFilter = encrypt && !m_options.hasFilter && m_term.Interactive();
  if (m_options.subDirs >= 0) options.subDir = static_cast<uint32_t>(m_options.subDirs);
  if (encrypt && m_options.hasFilter) options.filter = FilterOf(m_term, m_options.filter).c_str();
  if (!encrypt && m_options.hasFilter)
    m_term.Err(m_term.ToTerminal("(해독 작업은 *.tsl 만 포함)") + "\n");
  if (!askSub && !askFilter) return kFolderOptionsOk;

  m_term.Err(m_term.ToTerminal("[폴더 옵션 확인]\n선택한 항목에 폴더(디렉토리)가 있습니다.") + "\n");
  if (askSub) {
    std::string prompt = std::string("가. 하위 폴더의 파일에도 적용하시겠습니까?\n") +
                         "  [Y] 하위 폴더의 파일도 모두 포함\n  [N] 선택한 폴더의 파일만 포함\n" +
                         "(기본: " + (options.subDir ? "Y" : "N") + ") > ";
    for (;;) {
      std::string line;
      if (m_term.ReadLine(prompt, true, line) != ReadResult::Line)
        return kFolderOptionsCancel;
      char key = AnswerKey(line);
      if (key == 0) break;
      if (key == 'Y' || key == 'N') {
        options.subDir = key == 'Y' ? 1 : 0;
        break;
      }
    }
  }
  if (askFilter) {
    std::string prompt = std::string("나. 폴더에서 포함(필터링)할 파일명(와일드카드) (*.txt)\n") +
                         "(기본: " + options.filter.GetBuffer() + ") > ";
    std::string line;
    if (m_term.ReadLine(prompt, true, line) != ReadResult::Line)
      return kFolderOptionsCancel;
    if (AnswerKey(line) != 0) options.filter = FilterOf(m_term, line).c_str();
  }
  return kFolderOptionsOk;
}

void CConsoleJobView::ShowAlert(const char* caption, const char* text) {
  m_term.Err(m_term.ToTerminal(std::string(caption ? caption : "") + "\n" + (text ? text : "")) +
             "\n");
}

void CLogEcho::LogWritten(int level, const char* text, size_t length) {
  std::string shown(text, length);
  if (level == kLogError && !m_errorHeadingsDone) {
    static const char kLastHeading[] = "(2) 에러 목록\n-------------\n\n";
    m_errorHeld += shown;
    size_t at = m_errorHeld.find(kLastHeading);
    if (at == std::string::npos) return;
    shown = m_errorHeld.substr(at + sizeof kLastHeading - 1);
    m_errorHeld.clear();
    m_errorHeadingsDone = true;
  }
  if (shown.empty() || level == kLogDebug) return;
  if (level == kLogJob)
    m_term.Out(m_term.ToTerminal(shown));
  else
    m_term.Err(m_term.ToTerminal(shown));
}

int CKeyFileRegistry::ReadString(RegRoot root, const char* subkey, const char* name,
                                 const char* def, char* buf, uint32_t size) {
  bool keyFileValue = m_choice != KeyFileChoice::Stored && root == kHkeyCurrentUser && subkey &&
                      name && strcmp(subkey, kTriselKeycommKey) == 0 &&
                      strcmp(name, "CommKeyFile") == 0;
  if (!keyFileValue) return m_inner.ReadString(root, subkey, name, def, buf, size);
  const std::string value = m_choice == KeyFileChoice::Path ? m_path : std::string();
  if (size == 0) return 0;
  if (value.size() + 1 > size) {
    // Too long for the buffer: the same outcome as such a stored value.
    size_t n = def ? strlen(def) : 0;
    if (n > size - 1) n = size - 1;
    memcpy(buf, def, n);
    buf[n] = 0;
    return 0;
  }
  memcpy(buf, value.c_str(), value.size() + 1);
  return 1;
}

}  // namespace trisel_cli
