#include "ui.h"

#include <commctrl.h>
#include <tlhelp32.h>

#include <cstring>
#include <fstream>
#include <set>

bool WaitUntil(const std::function<bool()>& condition, DWORD timeoutMs, DWORD pollMs) {
  for (DWORD start = GetTickCount(); !condition(); Sleep(pollMs))
    if (GetTickCount() - start >= timeoutMs) return false;
  return true;
}

bool Stays(const std::function<bool()>& condition, DWORD ms) { return !WaitUntil([&] { return !condition(); }, ms); }

bool Program::Ended(DWORD waitMs) const {
  return pi.hProcess == nullptr || WaitForSingleObject(pi.hProcess, waitMs) == WAIT_OBJECT_0;
}

void Program::Close() {
  if (!Ended(0)) TerminateProcess(pi.hProcess, 99), WaitForSingleObject(pi.hProcess, 5000);
  for (HANDLE h : {pi.hProcess, pi.hThread}) if (h) CloseHandle(h);
  pi = {};
}

bool StartProgram(const std::string& commandLine, Program& out) {
  STARTUPINFOA si = {};
  si.cb = sizeof si;
  std::string cmd = commandLine;  // CreateProcessA may write into it
  out.Close();
  if (!CreateProcessA(nullptr, &cmd[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &out.pi)) return false;
  return WaitForInputIdle(out.pi.hProcess, 5000), true;
}

// SendMessage that gives up on a hung program instead of hanging with it.
static DWORD_PTR Send(HWND hwnd, UINT msg, WPARAM wp = 0, LPARAM lp = 0) {
  DWORD_PTR r = 0;
  return SendMessageTimeoutA(hwnd, msg, wp, lp, SMTO_ABORTIFHUNG, 5000, &r), r;
}

std::vector<HWND> TopWindows(DWORD pid, const char* title) {
  std::vector<HWND> found;
  for (HWND w = nullptr; (w = FindWindowExA(nullptr, w, "#32770", nullptr)) != nullptr;)
    if (ProcessOf(w) == pid && IsWindowVisible(w) && (!title || Text(w) == title)) found.push_back(w);
  return found;
}

HWND WaitDialog(DWORD pid, const char* title, DWORD timeoutMs, DWORD pollMs) {
  std::vector<HWND> found;
  WaitUntil([&] { return !(found = TopWindows(pid, title)).empty(); }, timeoutMs, pollMs);
  return found.empty() ? nullptr : found.front();
}

HWND WindowOfClass(const char* cls, DWORD pid) {
  for (HWND w = nullptr; (w = FindWindowExA(nullptr, w, cls, nullptr)) != nullptr;)
    if (pid == 0 || ProcessOf(w) == pid) return w;
  return nullptr;
}

DWORD ProcessOf(HWND window) { DWORD pid = 0; return GetWindowThreadProcessId(window, &pid), pid; }

std::string Text(HWND hwnd) {
  std::vector<char> buf(Send(hwnd, WM_GETTEXTLENGTH) + 1 + 16);
  Send(hwnd, WM_GETTEXT, buf.size(), reinterpret_cast<LPARAM>(buf.data()));
  return std::string(buf.data(), std::strlen(buf.data()));
}

std::string ItemText(HWND dialog, int id) { return Text(GetDlgItem(dialog, id)); }

void SetItemText(HWND dialog, int id, const std::string& text) {
  Send(GetDlgItem(dialog, id), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()));
}

void Click(HWND dialog, int id) { PostMessageA(GetDlgItem(dialog, id), BM_CLICK, 0, 0); }

bool ClickInto(HWND control, DWORD timeoutMs) {
  for (UINT msg : {WM_LBUTTONDOWN, WM_LBUTTONUP})
    SendMessageTimeoutA(control, msg, msg == WM_LBUTTONDOWN ? MK_LBUTTON : 0, MAKELPARAM(5, 5), SMTO_ABORTIFHUNG,
                        timeoutMs, nullptr);
  return WaitUntil([&] { return FocusOf(control) == control; }, timeoutMs);
}

bool Checked(HWND dialog, int id) { return Send(GetDlgItem(dialog, id), BM_GETCHECK) == BST_CHECKED; }
bool Visible(HWND dialog, int id) { return IsWindowVisible(GetDlgItem(dialog, id)) != FALSE; }
int ProgressPos(HWND dialog, int id) { return static_cast<int>(Send(GetDlgItem(dialog, id), PBM_GETPOS)); }

HWND FocusOf(HWND window) {
  GUITHREADINFO info = {};
  info.cbSize = sizeof info;
  return GetGUIThreadInfo(GetWindowThreadProcessId(window, nullptr), &info) ? info.hwndFocus : nullptr;
}

std::string Selection(HWND edit) {
  DWORD a = 0, b = 0;
  Send(edit, EM_GETSEL, reinterpret_cast<WPARAM>(&a), reinterpret_cast<LPARAM>(&b));
  return std::to_string(a) + "," + std::to_string(b);
}

bool SelectText(HWND edit, const std::string& part) {
  const std::string text = Text(edit);
  const size_t at = text.find(part);
  if (at == std::string::npos) return false;
  auto chars = [&](size_t n) { return n ? MultiByteToWideChar(949, 0, text.data(), static_cast<int>(n), nullptr, 0) : 0; };
  Send(edit, EM_SETSEL, chars(at), chars(at + part.size()));
  return true;
}

void BringToFront(HWND window, DWORD timeoutMs) {
  WaitUntil([&] { return SetForegroundWindow(window), GetForegroundWindow() == window; }, timeoutMs, 50);
}

void Key(BYTE vk, bool up) { keybd_event(vk, static_cast<BYTE>(MapVirtualKeyA(vk, 0)), up ? KEYEVENTF_KEYUP : 0, 0); }

void TypeAscii(const std::string& text) {
  for (char c : text) {
    const SHORT scan = VkKeyScanA(c);
    if (HIBYTE(scan) & 1) PressKeys({VK_SHIFT, LOBYTE(scan)}); else PressKeys({LOBYTE(scan)});
  }
}

void PressKeys(std::initializer_list<BYTE> keys) {
  for (BYTE vk : keys) Key(vk, false);
  for (auto vk = keys.end(); vk != keys.begin();) Key(*--vk, true);
}

std::string ClipboardData(UINT format) {
  std::string data = "(none)";
  if (!OpenClipboard(nullptr)) return data;
  HANDLE h = GetClipboardData(format);
  if (const char* p = h ? static_cast<const char*>(GlobalLock(h)) : nullptr) data.assign(p, GlobalSize(h)), GlobalUnlock(h);
  CloseClipboard();
  return data;
}

std::string ClipboardText() { const std::string data = ClipboardData(CF_TEXT); return data.substr(0, data.find('\0')); }

void PutClipboardText(const std::string& text) {
  if (!OpenClipboard(nullptr)) return;
  EmptyClipboard();
  HGLOBAL h = GlobalAlloc(GMEM_MOVEABLE, text.size() + 1);
  std::memcpy(GlobalLock(h), text.c_str(), text.size() + 1);
  GlobalUnlock(h), SetClipboardData(CF_TEXT, h), CloseClipboard();
}

bool OpenInNotepad(const std::string& file, const std::string& text, NotepadWindow& np, DWORD timeoutMs) {
  if (!StartProgram("notepad.exe \"" + file + "\"", np.prog)) return false;
  return WaitUntil([&] {
    np.main = WindowOfClass("Notepad", np.prog.pi.dwProcessId);
    np.edit = np.main ? FindWindowExA(np.main, nullptr, "Edit", nullptr) : nullptr;
    return np.edit != nullptr && IsWindowVisible(np.main) && Text(np.edit) == text;
  }, timeoutMs);
}

bool WaitBox(DWORD pid, Box& box, DWORD timeoutMs) {
  box = Box();
  return WaitUntil([&] {
    for (HWND w : TopWindows(pid, nullptr)) {
      // A message box has an unnamed label and no edit; a dialog may have labels too.
      HWND text = GetDlgItem(w, 0xFFFF);
      if (text && !FindWindowExA(w, nullptr, "Edit", nullptr)) return box = {w, Text(w), Text(text)}, true;
    }
    return false;
  }, timeoutMs);
}

bool Answer(HWND box, int buttonId, DWORD timeoutMs) {
  if (!GetDlgItem(box, buttonId)) return false;
  Click(box, buttonId);
  return WaitUntil([&] { return !IsWindowVisible(box); }, timeoutMs);
}

bool WaitPainted(HWND window, DWORD timeoutMs, DWORD settleMs) {
  std::set<HWND> painted;  // controls seen with nothing left to paint
  DWORD since = 0;
  return WaitUntil([&] {
    // Not shown yet, or to be painted (again) as a whole: start over.
    if (!IsWindowVisible(window) || GetUpdateRect(window, nullptr, FALSE)) return painted.clear(), since = 0, false;
    bool all = true;
    for (HWND child = GetWindow(window, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
      if (IsWindowVisible(child) && !GetUpdateRect(child, nullptr, FALSE)) painted.insert(child);
      all = all && (!IsWindowVisible(child) || painted.count(child));
    }
    since = !all ? 0 : since ? since : GetTickCount();
    return all && GetTickCount() - since >= settleMs;
  }, timeoutMs, 10);
}

bool SaveScreenshot(HWND hwnd, const std::string& path) {
  RECT rc;
  if (!GetWindowRect(hwnd, &rc) || rc.right <= rc.left || rc.bottom <= rc.top) return false;
  const int w = rc.right - rc.left, h = rc.bottom - rc.top;
  BITMAPINFOHEADER bih = {sizeof bih, w, h, 1, 24, BI_RGB, 0, 0, 0, 0, 0};
  std::string bits(((w * 3 + 3) / 4) * 4 * h, '\0');
  HDC screen = GetDC(nullptr), mem = CreateCompatibleDC(screen);
  HBITMAP bmp = CreateCompatibleBitmap(screen, w, h);
  HGDIOBJ old = SelectObject(mem, bmp);
  BitBlt(mem, 0, 0, w, h, screen, rc.left, rc.top, SRCCOPY);
  SelectObject(mem, old);
  bool ok = GetDIBits(mem, bmp, 0, h, &bits[0], reinterpret_cast<BITMAPINFO*>(&bih), DIB_RGB_COLORS) == h;
  DeleteObject(bmp);
  DeleteDC(mem);
  ReleaseDC(nullptr, screen);
  const DWORD headers = sizeof(BITMAPFILEHEADER) + sizeof bih;
  BITMAPFILEHEADER fh = {0x4D42, static_cast<DWORD>(headers + bits.size()), 0, 0, headers};
  std::ofstream out(path, std::ios::binary);
  out.write(reinterpret_cast<const char*>(&fh), sizeof fh).write(reinterpret_cast<const char*>(&bih), sizeof bih);
  return ok && out.write(bits.data(), bits.size()).flush().good();
}

std::vector<DWORD> ProcessesNamed(const char* exe) {
  std::vector<DWORD> pids;
  HANDLE snap = CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0);
  if (snap == INVALID_HANDLE_VALUE) return pids;
  PROCESSENTRY32 pe = {};
  pe.dwSize = sizeof pe;
  for (BOOL more = Process32First(snap, &pe); more; more = Process32Next(snap, &pe))
    if (lstrcmpiA(pe.szExeFile, exe) == 0) pids.push_back(pe.th32ProcessID);
  CloseHandle(snap);
  return pids;
}
