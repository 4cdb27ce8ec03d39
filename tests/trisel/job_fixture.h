// A Trisel job over an in-memory disk and registry, with scripted answers,
// a recorded view, a fixed clock and its logs in a temporary folder.
#ifndef MIRELKA_TESTS_TRISEL_JOB_FIXTURE_H
#define MIRELKA_TESTS_TRISEL_JOB_FIXTURE_H

#include <gtest/gtest.h>

#include <deque>
#include <functional>
#include <string>
#include <vector>

#include "common/log.h"
#include "support/memory_fs.h"
#include "support/memory_registry.h"
#include "textcipher/keyfile_view.h"
#include "trisel/job.h"
#include "trisel/settings.h"

// Answers from a queue; when it runs dry, the batch answers (Ignore, No).
class CScriptedReportUI : public IReportUI {
 public:
  std::deque<int> answers;
  std::vector<std::string> asked;  // the texts, in order
  std::vector<std::string> tags;   // of every report
  void OnReport(const ReportInfo& info) override { tags.push_back(info.tag); }
  int AskMessageBox(ReportKind kind, const char*, const char* text) override {
    asked.push_back(text);
    return Next(kind == kReportAbortRetryIgnore ? kAnswerIgnore : kAnswerNo);
  }
  int AskOverwrite(const char* text) override {
    asked.push_back(text);
    return Next(kAnswerNo);
  }

 private:
  int Next(int fallback) {
    if (answers.empty()) return fallback;
    int a = answers.front();
    answers.pop_front();
    return a;
  }
};

class CRecordingJobView : public CNullJobView {
 public:
  std::vector<std::string> statuses;  // every status text given, "SW_HIDE" included
  int optionQuestions = 0;
  bool runEnabled = false;
  int optionsAnswer = kFolderOptionsOk;
  std::function<void(FolderOptions&)> chooseOptions;
  FolderOptions offered;  // what the last question opened with

  void ShowJobStatus(const char*, const char* status, int) override {
    if (status) statuses.push_back(status);
  }
  void UnlockControls(bool run) override { runEnabled = run; }
  int AskFolderOptions(bool, FolderOptions& options) override {
    ++optionQuestions;
    offered = options;
    if (chooseOptions) chooseOptions(options);
    return optionsAnswer;
  }
};

// Calls a hook on every per-file step (to cancel in the middle of a file).
class CHookView : public CNullTriselView {
 public:
  std::function<void()> onStep;
  void FileBarStep() override {
    if (onStep) onStep();
  }
};

class JobTest : public ::testing::Test {
 protected:
  void SetUp() override {
    SetLogBasePath((m_logs / "Trisel.exe").c_str());
    SetDebugLogEnabled(true);
    m_job.SetClock([](struct tm& t) {  // 2026.12.06 09:05:07
      t.tm_year = 126, t.tm_mon = 11, t.tm_mday = 6, t.tm_hour = 9, t.tm_min = 5, t.tm_sec = 7;
    });
  }
  void TearDown() override { SetLogBasePath(nullptr); }

  // Runs the worker's steps with the switch and items; returns the result.
  int Run(const char* sw, std::vector<std::string> items, const char* password = "secret") {
    std::vector<const char*> argv = {"Trisel.exe", sw};
    for (const std::string& s : items) argv.push_back(s.c_str());
    m_job.SetCommandLine(static_cast<int>(argv.size()), argv.data());
    std::string pw = password;
    return m_job.Work(&pw[0]);
  }
  // A log with its CR LF line ends made plain again.
  std::string Log(const char* suffix) const {
    std::string raw = m_logs.ReadFile(std::string("Trisel.exe") + suffix), out;
    for (size_t i = 0; i < raw.size(); ++i)
      if (!(raw[i] == '\r' && i + 1 < raw.size() && raw[i + 1] == '\n')) out += raw[i];
    return out;
  }
  std::string LastStatus() const {
    return m_jobView.statuses.empty() ? "" : m_jobView.statuses.back();
  }

  CMemoryFileSystem m_fs;
  CMemoryRegistry m_reg;
  CScriptedReportUI m_ui;
  CHookView m_view;
  CRecordingJobView m_jobView;
  CNullKeyFileView m_keyView{KeyFileProgram::Trisel};
  JobState m_state;
  CTempDir m_logs;
  CTriselJob m_job{m_fs, m_reg, m_ui, m_view, m_jobView, m_keyView, m_state};
};

#endif
