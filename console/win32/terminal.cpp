#include "console/terminal.h"

#include <windows.h>
#include <fcntl.h>
#include <io.h>

#include <cstdio>

#include "common/charset.h"

namespace console {
namespace {

bool (*g_cancel)() = nullptr;
volatile LONG g_interrupts = 0;

BOOL WINAPI OnControl(DWORD type) {
  if (type != CTRL_C_EVENT && type != CTRL_BREAK_EVENT) return FALSE;
  if (InterlockedIncrement(&g_interrupts) >= 2 || !g_cancel || !g_cancel()) ExitProcess(130);
  return TRUE;
}

HANDLE OpenConsole(const char* name) {
  return CreateFileA(name, GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                     OPEN_EXISTING, 0, nullptr);
}

class CWin32Terminal : public ITerminal {
 public:
  explicit CWin32Terminal(QuestionInput input) : m_stderrTty(_isatty(_fileno(stderr)) != 0) {
    if (input == QuestionInput::StandardInput) {
      m_in = GetStdHandle(STD_INPUT_HANDLE);
      m_interactive = _isatty(_fileno(stdin)) && m_stderrTty;
    } else {
      m_in = m_ownIn = OpenConsole("CONIN$");
      m_out = OpenConsole("CONOUT$");
      m_interactive = m_in != INVALID_HANDLE_VALUE;
    }
  }
  ~CWin32Terminal() override {
    if (m_ownIn != INVALID_HANDLE_VALUE) CloseHandle(m_ownIn);
    if (m_out != INVALID_HANDLE_VALUE) CloseHandle(m_out);
  }

  bool Interactive() override { return m_interactive; }
  bool ShowsProgress() override { return m_stderrTty; }
  ReadResult ReadLine(const std::string& prompt, bool echo, std::string& line) override;
  void Out(const std::string& text) override { Write(stdout, text); }
  void Err(const std::string& text) override { Write(stderr, text); }
  void Progress(const std::string& text) override {
    fputs("\r", stderr);
    fwrite(text.data(), 1, text.size(), stderr);
    fflush(stderr);
    m_progressShown = true;
  }
  std::string ToTerminal(const std::string& cp949) override { return ShownText(cp949); }
  bool FromTerminal(const std::string& typed, std::string& cp949) override {
    return TypedToCp949(typed, cp949);
  }

 private:
  void Write(FILE* stream, const std::string& text) {
    if (m_progressShown) fputs("\r\n", stderr);
    m_progressShown = false;
    fflush(stream == stdout ? stderr : stdout);
    fwrite(text.data(), 1, text.size(), stream);
    fflush(stream);
  }
  // Prompts are shown in the console's own code page.
  void ShowPrompt(const std::string& cp949) {
    std::string text;
    if (!ConvertText(Charset::Cp949, Charset::Terminal, cp949, text)) text = ToTerminal(cp949);
    if (m_out != INVALID_HANDLE_VALUE) {
      DWORD done = 0;
      WriteFile(m_out, text.data(), static_cast<DWORD>(text.size()), &done, nullptr);
    } else {
      fputs(text.c_str(), stderr);
      fflush(stderr);
    }
  }

  HANDLE m_in = INVALID_HANDLE_VALUE;
  HANDLE m_ownIn = INVALID_HANDLE_VALUE;
  HANDLE m_out = INVALID_HANDLE_VALUE;
  bool m_interactive = false;
  bool m_stderrTty;
  bool m_progressShown = false;
};

ReadResult CWin32Terminal::ReadLine(const std::string& prompt, bool echo, std::string& line) {
  line.clear();
  if (m_in == INVALID_HANDLE_VALUE) return ReadResult::End;
  const LONG startInterrupts = g_interrupts;
  DWORD mode = 0;
  const bool hidden = !echo && GetConsoleMode(m_in, &mode);
  if (hidden)
    SetConsoleMode(m_in, (mode & ~static_cast<DWORD>(ENABLE_ECHO_INPUT)) | ENABLE_LINE_INPUT);
  ShowPrompt(prompt);
  ReadResult result = ReadResult::Line;
  char c;
  DWORD done = 0;
  for (;;) {
    if (!ReadFile(m_in, &c, 1, &done, nullptr) || done != 1) {
      result = line.empty() ? ReadResult::End : ReadResult::Line;
      break;
    }
    if (c == '\n') break;
    line += c;
  }
  if (g_interrupts != startInterrupts) result = ReadResult::Interrupted;
  if (!line.empty() && line.back() == '\r') line.pop_back();
  if (hidden) SetConsoleMode(m_in, mode);
  if (hidden || result != ReadResult::Line) ShowPrompt("\r\n");
  return result;
}

}  // namespace

std::unique_ptr<ITerminal> OpenTerminal(QuestionInput input) {
  return std::unique_ptr<ITerminal>(new CWin32Terminal(input));
}

void InstallInterruptHandler(bool (*cancel)()) {
  g_cancel = cancel;
  SetConsoleCtrlHandler(OnControl, TRUE);
}

void SetBinaryStdio() {
  _setmode(_fileno(stdin), _O_BINARY);
  _setmode(_fileno(stdout), _O_BINARY);
}

// The command line of a Korean Windows arrives in its ANSI code page, CP949.
std::string ArgumentToCp949(const std::string& argument) { return argument; }

IFileSystem& Cp949FileSystem() { return RealFileSystem(); }

}  // namespace console
