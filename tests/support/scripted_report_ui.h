// A reporter front end for tests: answers from a script, and keeps every
// report and every question it was given.
#ifndef MIRELKA_TESTS_SUPPORT_SCRIPTED_REPORT_UI_H
#define MIRELKA_TESTS_SUPPORT_SCRIPTED_REPORT_UI_H

#include <deque>
#include <map>
#include <string>
#include <vector>

#include "filecipher/report_ui.h"

class CScriptedReportUI : public IReportUI {
 public:
  struct Seen { std::string tag, message; };
  struct Asked { int kind; std::string caption, text; };  // kind: kReportOverwrite for the overwrite dialog

  // Answers (kAnswer...) for the next questions, in order; when the script
  // runs dry every further question gets the fallback.
  void Script(std::initializer_list<int> answers) { m_answers.insert(m_answers.end(), answers); }
  void SetFallback(int answer) { m_fallback = answer; }
  // Answers for questions of one kind only; they go before the common script.
  void ScriptFor(int kind, std::initializer_list<int> answers) { m_kindAnswers[kind].insert(m_kindAnswers[kind].end(), answers); }
  // The fallback for one kind alone (the overwrite dialog: kAnswerNo unless set).
  void SetFallback(int kind, int answer) { m_kindFallback[kind] = answer; }

  const std::vector<Seen>& Reports() const { return m_reports; }
  const std::vector<Asked>& Questions() const { return m_questions; }
  // Forgets what was seen and asked; Clear forgets the script too.
  void ClearSeen() { m_reports.clear(), m_questions.clear(); }
  void Clear() { ClearSeen(), m_answers.clear(), m_kindAnswers.clear(); }

  void OnReport(const ReportInfo& info) override { m_reports.push_back({info.tag, info.message}); }
  int AskMessageBox(ReportKind kind, const char* caption, const char* text) override { return Ask(kind, caption, text); }
  int AskOverwrite(const char* text) override { return Ask(kReportOverwrite, "", text); }

 private:
  int Ask(int kind, const char* caption, const char* text) {
    m_questions.push_back({kind, caption, text});
    std::deque<int>& own = m_kindAnswers[kind];
    std::deque<int>& answers = own.empty() ? m_answers : own;
    if (answers.empty()) return m_kindFallback.count(kind) ? m_kindFallback[kind] : m_fallback;
    int a = answers.front();
    answers.pop_front();
    return a;
  }

  std::deque<int> m_answers;
  int m_fallback = kAnswerAbort;
  std::map<int, std::deque<int>> m_kindAnswers;
  std::map<int, int> m_kindFallback{{kReportOverwrite, kAnswerNo}};
  std::vector<Seen> m_reports;
  std::vector<Asked> m_questions;
};

#endif
