#include "ui.h"

#include <commctrl.h>
#include <tlhelp32.h>

#include <cstdio>
#include <cstring>

bool Program::Running(DWORD waitMs) const {
  return pi.hProcess != nullptr && WaitForSingleObject(pi.hProcess, waitMs) == WAIT_TIMEOUT;
}

bool Program::WaitExit(DWORD timeoutMs) const {
  return pi.hProcess == nullptr || WaitForSingleObject(pi.hProcess, timeoutMs) == WAIT_OBJECT_0;
}

void Program::Kill() {
  if (Running()) {
    TerminateProcess(pi.hProcess, 99);
    WaitForSingleObject(pi.hProcess, 5000);
  }
}

void Program::Close() {
  Kill();
  if (pi.hProcess) CloseHandle(pi.hProcess);
  if (pi.hThread) CloseHandle(pi.hThread);
  pi = {};
}

bool StartProgram(const std::string& commandLine, Program& out) {
  STARTUPINFOA si = {};
  si.cb = sizeof si;
  std::vector<char> cmd(commandLine.begin(), commandLine.end());
  cmd.push_back(0);
  out.pi = {};
  if (!CreateProcessA(nullptr, cmd.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si,
                      &out.pi)) {
    return false;
  }
  WaitForInputIdle(out.pi.hProcess, 5000);
  return true;
}

namespace {

struct FindArgs {
  DWORD pid;
  const char* className;
  const char* title;
  std::vector<HWND>* found;
};

BOOL CALLBACK EnumTop(HWND hwnd, LPARAM lp) {
  FindArgs* a = reinterpret_cast<FindArgs*>(lp);
  DWORD pid = 0;
  GetWindowThreadProcessId(hwnd, &pid);
  if (pid != a->pid || !IsWindowVisible(hwnd)) return TRUE;
  if (a->className) {
    char cls[64] = {};
    GetClassNameA(hwnd, cls, sizeof cls);
    if (std::strcmp(cls, a->className) != 0) return TRUE;
  }
  if (a->title && Text(hwnd) != a->title) return TRUE;
  a->found->push_back(hwnd);
  return TRUE;
}

}  // namespace

std::vector<HWND> TopWindows(DWORD pid, const char* className, const char* title) {
  std::vector<HWND> found;
  FindArgs a = {pid, className, title, &found};
  EnumWindows(EnumTop, reinterpret_cast<LPARAM>(&a));
  return found;
}

HWND WaitTopWindow(DWORD pid, const char* className, const char* title, DWORD timeoutMs) {
  DWORD start = GetTickCount();
  do {
    std::vector<HWND> w = TopWindows(pid, className, title);
    if (!w.empty()) return w.front();
    Sleep(20);
  } while (GetTickCount() - start < timeoutMs);
  return nullptr;
}

bool WaitNoTopWindow(DWORD pid, const char* className, const char* title, DWORD timeoutMs) {
  DWORD start = GetTickCount();
  do {
    if (TopWindows(pid, className, title).empty()) return true;
    Sleep(20);
  } while (GetTickCount() - start < timeoutMs);
  return false;
}

std::string Text(HWND hwnd) {
  DWORD_PTR len = 0;
  if (!SendMessageTimeoutA(hwnd, WM_GETTEXTLENGTH, 0, 0, SMTO_ABORTIFHUNG, 5000, &len)) return "";
  std::vector<char> buf(len + 1 + 16);
  DWORD_PTR got = 0;
  SendMessageTimeoutA(hwnd, WM_GETTEXT, buf.size(), reinterpret_cast<LPARAM>(buf.data()),
                      SMTO_ABORTIFHUNG, 5000, &got);
  return std::string(buf.data(), std::strlen(buf.data()));
}

std::string ItemText(HWND dialog, int id) { return Text(GetDlgItem(dialog, id)); }

void SetItemText(HWND dialog, int id, const std::string& text) {
  DWORD_PTR r = 0;
  SendMessageTimeoutA(GetDlgItem(dialog, id), WM_SETTEXT, 0,
                      reinterpret_cast<LPARAM>(text.c_str()), SMTO_ABORTIFHUNG, 5000, &r);
}

void Click(HWND dialog, int id) { PostMessageA(GetDlgItem(dialog, id), BM_CLICK, 0, 0); }

bool Checked(HWND dialog, int id) {
  DWORD_PTR r = 0;
  SendMessageTimeoutA(GetDlgItem(dialog, id), BM_GETCHECK, 0, 0, SMTO_ABORTIFHUNG, 5000, &r);
  return r == BST_CHECKED;
}

bool Enabled(HWND dialog, int id) { return IsWindowEnabled(GetDlgItem(dialog, id)) != FALSE; }

bool Visible(HWND dialog, int id) { return IsWindowVisible(GetDlgItem(dialog, id)) != FALSE; }

int ProgressPos(HWND dialog, int id) {
  DWORD_PTR r = 0;
  SendMessageTimeoutA(GetDlgItem(dialog, id), PBM_GETPOS, 0, 0, SMTO_ABORTIFHUNG, 5000, &r);
  return static_cast<int>(r);
}

HWND FocusOf(HWND window) {
  GUITHREADINFO info = {};
  info.cbSize = sizeof info;
  if (!GetGUIThreadInfo(GetWindowThreadProcessId(window, nullptr), &info)) return nullptr;
  return info.hwndFocus;
}

bool WaitItemText(HWND dialog, int id, const std::string& want, DWORD timeoutMs, bool prefix) {
  DWORD start = GetTickCount();
  do {
    std::string t = ItemText(dialog, id);
    if (prefix ? t.compare(0, want.size(), want) == 0 : t == want) return true;
    Sleep(20);
  } while (GetTickCount() - start < timeoutMs);
  return false;
}

bool WaitBox(DWORD pid, Box& box, DWORD timeoutMs) {
  DWORD start = GetTickCount();
  do {
    for (HWND w : TopWindows(pid, "#32770", nullptr)) {
      HWND text = GetDlgItem(w, 0xFFFF);
      if (text == nullptr) continue;  // a dialog of ours, not a message box
      box.hwnd = w;
      box.caption = Text(w);
      box.text = Text(text);
      return true;
    }
    Sleep(20);
  } while (GetTickCount() - start < timeoutMs);
  box = Box();
  return false;
}

bool Answer(HWND box, int buttonId, DWORD timeoutMs) {
  HWND button = GetDlgItem(box, buttonId);
  if (button == nullptr) return false;
  PostMessageA(button, BM_CLICK, 0, 0);
  DWORD start = GetTickCount();
  do {
    if (!IsWindow(box) || !IsWindowVisible(box)) return true;
    Sleep(20);
  } while (GetTickCount() - start < timeoutMs);
  return false;
}

bool SaveScreenshot(HWND hwnd, const std::string& path) {
  RECT rc;
  if (!GetWindowRect(hwnd, &rc)) return false;
  int w = rc.right - rc.left, h = rc.bottom - rc.top;
  if (w <= 0 || h <= 0) return false;
  HDC screen = GetDC(nullptr);
  HDC mem = CreateCompatibleDC(screen);
  BITMAPINFO bi = {};
  bi.bmiHeader.biSize = sizeof bi.bmiHeader;
  bi.bmiHeader.biWidth = w;
  bi.bmiHeader.biHeight = h;
  bi.bmiHeader.biPlanes = 1;
  bi.bmiHeader.biBitCount = 24;
  void* bits = nullptr;
  HBITMAP bmp = CreateDIBSection(screen, &bi, DIB_RGB_COLORS, &bits, nullptr, 0);
  HGDIOBJ old = SelectObject(mem, bmp);
  BitBlt(mem, 0, 0, w, h, screen, rc.left, rc.top, SRCCOPY);
  SelectObject(mem, old);
  DWORD stride = ((w * 3 + 3) / 4) * 4;
  DWORD imageSize = stride * h;
  BITMAPFILEHEADER fh = {};
  fh.bfType = 0x4D42;
  fh.bfOffBits = sizeof fh + sizeof bi.bmiHeader;
  fh.bfSize = fh.bfOffBits + imageSize;
  bool ok = false;
  FILE* f = std::fopen(path.c_str(), "wb");
  if (f) {
    ok = std::fwrite(&fh, sizeof fh, 1, f) == 1 &&
         std::fwrite(&bi.bmiHeader, sizeof bi.bmiHeader, 1, f) == 1 &&
         std::fwrite(bits, imageSize, 1, f) == 1;
    ok = std::fclose(f) == 0 && ok;
  }
  DeleteObject(bmp);
  DeleteDC(mem);
  ReleaseDC(nullptr, screen);
  return ok;
}

std::vector<DWORD> ProcessesNamed(const char* exe) {
  std::vector<DWORD> pids;
  HANDLE snap = CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0);
  if (snap == INVALID_HANDLE_VALUE) return pids;
  PROCESSENTRY32 pe = {};
  pe.dwSize = sizeof pe;
  for (BOOL more = Process32First(snap, &pe); more; more = Process32Next(snap, &pe)) {
    if (lstrcmpiA(pe.szExeFile, exe) == 0) pids.push_back(pe.th32ProcessID);
  }
  CloseHandle(snap);
  return pids;
}

void Pause(DWORD ms) { Sleep(ms); }
