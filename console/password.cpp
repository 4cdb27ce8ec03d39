#include "console/password.h"

#include <cerrno>
#include <cstdio>
#include <cstring>

namespace console {

PasswordAnswer AskPassword(ITerminal& term, const PasswordQuestion& question,
                           std::string& password) {
  for (int attempt = 0; attempt < question.attempts; ++attempt) {
    std::string first, second;
    if (term.ReadLine(question.passwordPrompt, false, first) != ReadResult::Line ||
        term.ReadLine(question.confirmationPrompt, false, second) != ReadResult::Line)
      return PasswordAnswer::Ended;
    PasswordCheck check = CheckPassword(first.c_str(), second.c_str());
    if (check != PasswordCheck::Ok) {
      std::string refusal = std::string(question.refusalPrefix) + question.refusal(check);
      term.Err(term.ToTerminal(refusal) + "\n");
    } else if (!term.FromTerminal(first, password)) {
      term.Err(std::string(question.program) +
               ": the password holds characters that CP949 cannot hold\n");
    } else {
      return PasswordAnswer::Ok;
    }
  }
  return PasswordAnswer::Refused;
}

bool ReadPasswordFile(const std::string& path, std::string& password, std::string& error) {
  password.clear();
  FILE* fp = std::fopen(path.c_str(), "rb");
  int failure = fp ? 0 : errno;
  if (fp) {
    int c;
    while ((c = std::fgetc(fp)) != EOF && c != '\n') password += static_cast<char>(c);
    if (std::ferror(fp)) failure = errno ? errno : EIO;
    std::fclose(fp);
  }
  if (failure) {
    error = "cannot read the password file " + path + ": " + std::strerror(failure);
    return false;
  }
  if (!password.empty() && password.back() == '\r') password.pop_back();
  if (password.find('\0') != std::string::npos) {
    error = "the first line of the password file holds a zero byte";
    return false;
  }
  return true;
}

}  // namespace console
