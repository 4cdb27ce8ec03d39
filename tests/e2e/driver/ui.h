// Working another program's windows from outside, the way a user would:
// find its windows and controls, type, click, read texts.
#ifndef E2E_DRIVER_UI_H
#define E2E_DRIVER_UI_H

#include <windows.h>

#include <functional>
#include <initializer_list>
#include <string>
#include <vector>

// Polls until the condition holds; false on timeout. Posted clicks take
// effect when the program gets to them, which on a busy machine is not at once.
bool WaitUntil(const std::function<bool()>& condition, DWORD timeoutMs = 15000, DWORD pollMs = 20);
// For what must not happen: whether the condition held the whole time.
bool Stays(const std::function<bool()>& condition, DWORD ms);

// A started program; ended when it goes out of scope.
struct Program {
  PROCESS_INFORMATION pi = {};
  ~Program() { Close(); }
  // Whether it has ended, waiting up to waitMs for that.
  bool Ended(DWORD waitMs) const;
  // Ends it if it still runs and lets go of its handles.
  void Close();
};

// Starts `commandLine` (already quoted as Explorer would quote it).
bool StartProgram(const std::string& commandLine, Program& out);

// Visible dialogs (and message boxes) of a process, optionally with an
// exact title (null = any).
std::vector<HWND> TopWindows(DWORD pid, const char* title);

// The first visible dialog of the process with the title (any for null),
// once there is one; null on timeout.
HWND WaitDialog(DWORD pid, const char* title, DWORD timeoutMs = 15000, DWORD pollMs = 20);

// The process's top-level window of the class (any process's for pid 0),
// shown or not (a tray program's main window is hidden); null if none.
HWND WindowOfClass(const char* cls, DWORD pid);
DWORD ProcessOf(HWND window);

std::string Text(HWND hwnd);  // WM_GETTEXT, CP949 bytes
std::string ItemText(HWND dialog, int id);
void SetItemText(HWND dialog, int id, const std::string& text);
// Presses a button: BM_CLICK, posted so a dialog it opens cannot block us.
void Click(HWND dialog, int id);
// A click into a control, as under the mouse: it takes the focus. Sent, not
// posted, so that it is over when this returns (a click still queued would
// move a selection made after it). Whether the control then has the focus.
bool ClickInto(HWND control, DWORD timeoutMs = 15000);
bool Checked(HWND dialog, int id);
bool Visible(HWND dialog, int id);
int ProgressPos(HWND dialog, int id);
// The control that has the keyboard focus in the window's thread.
HWND FocusOf(HWND window);
// An edit's selection as "start,end" (in characters).
std::string Selection(HWND edit);
// Selects `part` of an edit's CP949 text (edits count characters, not
// bytes); false when the text does not hold it.
bool SelectText(HWND edit, const std::string& part);

// Makes the window the foreground one (Wine may need a few tries).
void BringToFront(HWND window, DWORD timeoutMs = 5000);
// Typed keys (keybd_event, so hot keys and accelerators see them): pressed
// in order and let go in the reverse order, e.g. {VK_MENU, VK_SCROLL}.
void PressKeys(std::initializer_list<BYTE> keys);
// One key pressed or let go, for a key held across other steps.
void Key(BYTE vk, bool up);
// Types plain ASCII text key by key into whatever has the focus.
void TypeAscii(const std::string& text);

// What the clipboard holds in the format, or its text (up to its end);
// "(none)" when it holds none or cannot be opened.
std::string ClipboardData(UINT format);
std::string ClipboardText();
void PutClipboardText(const std::string& text);

// Wine's notepad with a file, shown once its edit holds the file's text.
struct NotepadWindow {
  Program prog;
  HWND main = nullptr, edit = nullptr;
};
bool OpenInNotepad(const std::string& file, const std::string& text, NotepadWindow& np, DWORD timeoutMs = 15000);

// A message box of the process: waits for it and reads its caption and text.
struct Box {
  HWND hwnd = nullptr;
  std::string caption;
  std::string text;
};
bool WaitBox(DWORD pid, Box& box, DWORD timeoutMs);
// Answers a box or dialog with one of its buttons and waits until it is gone.
bool Answer(HWND box, int buttonId, DWORD timeoutMs = 5000);
// Waits until the window shows painted: it and each of its visible controls
// have been painted since it showed, and no paint of the whole window has
// been due for settleMs since (a program's drawing reaches the screen once
// its thread is idle). A control that keeps repainting itself, such as a
// moving progress bar, counts once it has been painted.
bool WaitPainted(HWND window, DWORD timeoutMs = 15000, DWORD settleMs = 200);

// Saves the window as a 24-bit BMP (from the screen, as a user sees it).
bool SaveScreenshot(HWND hwnd, const std::string& path);

// Processes whose executable name is `exe` (case-insensitive).
std::vector<DWORD> ProcessesNamed(const char* exe);

#endif
