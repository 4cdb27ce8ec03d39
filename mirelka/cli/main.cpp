// mirelka-cli: one ENCODE of Mirelka on the console. Reads a text block on
// standard input, encrypts it (no delimiter) or decrypts it (two delimiters)
// and writes the result to standard output. See CliUsageText for the rules.
#include <algorithm>
#include <clocale>
#include <cstdio>
#include <cstring>
#include <memory>
#include <string>

#include "common/charset.h"
#include "console/keyfile_view.h"
#include "console/password.h"
#include "console/terminal.h"
#include "mirelka/cli/cli_options.h"
#include "mirelka/cli/stored_key_file.h"
#include "mirelka/password_check.h"
#include "mirelka/selection_limit.h"
#include "textcipher/text_coder.h"

using namespace mirelka_cli;

namespace {

console::ITerminal* g_term = nullptr;  // where messages go

// A system message (CP949) on standard error, in UTF-8.
void Say(const std::string& cp949) { g_term->Err(g_term->ToTerminal(cp949) + "\n"); }

// A message of the console program itself (ASCII).
void Complain(const std::string& text) { g_term->Err("mirelka-cli: " + text + "\n"); }

class CConsoleCoderHost : public ITextCoderHost {
 public:
  explicit CConsoleCoderHost(const std::string& input) : m_input(input) {}

  uint32_t SourceLength() override { return static_cast<uint32_t>(m_input.size()); }
  uint32_t ReadSource(char* buf, uint32_t size) override {
    uint32_t n = size ? static_cast<uint32_t>(std::min<size_t>(m_input.size(), size - 1)) : 0;
    std::memcpy(buf, m_input.data(), n);
    if (size) buf[n] = 0;
    return n;
  }
  void WriteResult(const char* text, uint32_t length) override { m_result.assign(text, length); }
  // There is nobody to answer: the question is shown and taken as "No".
  bool AskYesNo(const char* text) override {
    Say(text);
    ++m_questions;
    return false;
  }
  void SendFindCommand() override {}

  const std::string& Result() const { return m_result; }
  int Questions() const { return m_questions; }

 private:
  const std::string& m_input;
  std::string m_result;
  int m_questions = 0;
};

// Reads standard input to its end, keeping at most `cap` + 1 bytes.
bool ReadInput(std::string& text, size_t cap) {
  char chunk[65536];
  size_t n;
  while ((n = std::fread(chunk, 1, sizeof chunk, stdin)) > 0) {
    text.append(chunk, n);
    if (text.size() > cap) return true;
  }
  return !std::ferror(stdin);
}

int PasswordFromFile(const std::string& path, std::string& password) {
  std::string error;
  if (!console::ReadPasswordFile(path, password, error)) {
    Complain(error);
    return kExitFailed;
  }
  if (password.empty()) {
    Say(PasswordCheckText(PasswordCheck::PasswordEmpty));
    return kExitFailed;
  }
  return kExitOk;
}

int PasswordFromTerminal(std::string& password) {
  if (!g_term->Interactive()) {
    Complain("there is no terminal to ask the password on; give --password-file FILE");
    return kExitUsage;
  }
  // One attempt: a refused password ends the run, as a refused ENCODE does.
  const console::PasswordQuestion question = {"암호(Password): ", "확인(Confirm): ",
                                              PasswordCheckText, "", "mirelka-cli", 1};
  bool ok = console::AskPassword(*g_term, question, password) == console::PasswordAnswer::Ok;
  return ok ? kExitOk : kExitFailed;
}

std::string At(size_t offset) {
  return offset == std::string::npos ? std::string() : " (at byte " + std::to_string(offset) + ")";
}

int Run(const CliOptions& opts) {
  console::SetBinaryStdio();
  std::string raw;
  // UTF-8 takes up to half as much again as CP949 for the same Korean text.
  if (!ReadInput(raw, opts.utf8 ? kMaxSelectionBytes * 2 : kMaxSelectionBytes)) {
    Complain("cannot read standard input");
    return kExitFailed;
  }
  std::string input;
  size_t bad = 0;
  if (!opts.utf8) {
    input.swap(raw);
  } else if (!ConvertText(Charset::Utf8, Charset::Cp949, raw, input, &bad)) {
    if (raw.size() > kMaxSelectionBytes * 2) {
      Say(kSelectionTooLargeText);
    } else {
      Complain("the input is not UTF-8 text that CP949 can hold" + At(bad));
    }
    return kExitFailed;
  }
  if (input.empty()) {
    Complain("the input is empty");
    return kExitFailed;
  }
  if (input.size() > kMaxSelectionBytes) {
    Say(kSelectionTooLargeText);
    return kExitFailed;
  }
  // Checked before the password is asked; Coding would say the same after.
  uint32_t delimiters = CountDelimiters(input.data(), static_cast<uint32_t>(input.size()));
  if (delimiters != 0 && delimiters != 2) {
    CMyString text;
    WrongDelimiterText(delimiters, text);
    Say(text.GetBuffer());
    return kExitFailed;
  }

  std::string password;
  int rc = opts.hasPasswordFile ? PasswordFromFile(opts.passwordFile, password) : PasswordFromTerminal(password);
  if (rc != kExitOk) return rc;

  // Without --key-file the common key file stored in Mirelka's settings
  // keys the cipher, as it does in Mirelka; none stored: the password alone.
  std::string keyFile =
      opts.hasKeyFile ? console::ArgumentToCp949(opts.keyFile) : StoredMirelkaKeyFile();

  console::CConsoleKeyFileView view(*g_term, KeyFileProgram::Mirelka, nullptr, nullptr);
  CConsoleCoderHost host(input);
  CTextCoder coder(console::Cp949FileSystem(), view);
  int coded = coder.Coding(host, password.c_str(), keyFile.c_str());
  if (coded != kCodingDone) {
    if (view.Warnings() == 0 && host.Questions() == 0) Complain("the common key file could not be read: " +
                                                         (opts.hasKeyFile ? opts.keyFile : Cp949ToUtf8Lossy(keyFile)));
    return kExitFailed;
  }

  std::string output = host.Result();
  if (opts.utf8) {
    std::string utf8;
    if (!ConvertText(Charset::Cp949, Charset::Utf8, output, utf8, &bad)) {
      Complain("the result has no UTF-8 form" + At(bad) +
               "; run without --utf8 to get its CP949 bytes");
      return kExitFailed;
    }
    output.swap(utf8);
  }
  if (std::fwrite(output.data(), 1, output.size(), stdout) != output.size() || std::fflush(stdout) != 0) {
    Complain("cannot write standard output");
    return kExitFailed;
  }
  return kExitOk;
}

}  // namespace

int main(int argc, char** argv) {
  // The terminal's character set only; messages of the runtime stay in the
  // C locale's English, which every character set can show.
  std::setlocale(LC_CTYPE, "");
  // Standard input and output carry the text: questions go to the terminal.
  std::unique_ptr<console::ITerminal> terminal =
      console::OpenTerminal(console::QuestionInput::ControllingTerminal);
  g_term = terminal.get();
  CliOptions opts;
  std::string error;
  if (!ParseCliOptions(argc, argv, opts, error)) {
    Complain(error);
    g_term->Err(std::string("\n") + CliUsageText());
    return kExitUsage;
  }
  if (opts.help) {
    g_term->Out(CliUsageText());
    return kExitOk;
  }
  return Run(opts);
}
