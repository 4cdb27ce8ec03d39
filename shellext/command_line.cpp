#include "shellext/command_line.h"

#include "common/path.h"

namespace {

void AppendQuoted(CMyString& out, const CMyString& text) {
  out += CMyString("\"");
  out += text;
  out += CMyString("\"");
}

}  // namespace

const char* TriselSwitchFor(unsigned offset) {
  return offset == kCmdDecrypt ? "-d" : "-e";
}

void TriselProgramPath(const char* dllPath, CMyString& out) {
  char drive[kMaxPathLen], dir[kMaxPathLen];
  SplitPath(dllPath, drive, dir, nullptr, nullptr);
  CMyString result(drive);
  result += CMyString(dir);
  result += CMyString("Trisel.exe");
  out = result;
}

void BuildTriselCommandLine(const CMyString& program, const char* sw,
                            const std::vector<CMyString>& paths, CMyString& out) {
  CMyString line;
  AppendQuoted(line, program);
  line += CMyString(" ");
  AppendQuoted(line, CMyString(sw));
  for (const CMyString& path : paths) {
    line += CMyString(" ");
    AppendQuoted(line, path);
  }
  out = line;
}

void LaunchFailureText(const CMyString& program, CMyString& out) {
  CMyString text("[ ");
  text += program;
  text += CMyString(
      " ] 프로그램 실행에 실패했습니다.\n"
      "해당 프로그램 설치 환경이 변경됐거나, 선택하신 파일이 너무 많습니다.");
  out = text;
}

void ModuleTitle(const char* dllPath, CMyString& out) {
  char name[kMaxPathLen];
  SplitPath(dllPath, nullptr, nullptr, name, nullptr);
  out = CMyString(name);
}
