// The capture-and-replace cycle: the hot key, the wait for its release, the
// copy chord into the application that holds the selection, the clipboard
// reads, the cipher run on a worker thread, and the paste back. Every delay
// is a one-shot window timer; nothing here sleeps on the window's thread.
#include <windows.h>

#include <cstring>
#include <memory>

#include "common/filesystem.h"
#include "common/mystring.h"
#include "mirelka/capture_rules.h"
#include "mirelka/password_check.h"
#include "mirelka/selection_limit.h"
#include "mirelka/win32/app.h"
#include "mirelka/win32/main_window.h"
#include "mirelka/win32/resource.h"
#include "textcipher/text_coder.h"
#include "textcipher/win32/window_coder_host.h"
#include "textcipher/win32/window_keyfile_view.h"

namespace {

enum : int { KEYS_COPY = 1, KEYS_RELEASE = 2, KEYS_ARM_PASTE = 4, KEYS_PASTE = 8 };
enum : int { kClipTaken = 0, kClipGiveUp = -1, kClipAgain = -7 };

void Key(BYTE vk, bool up) {
  DWORD flags = KEYEVENTF_EXTENDEDKEY | (up ? KEYEVENTF_KEYUP : 0);
  keybd_event(vk, static_cast<BYTE>(MapVirtualKeyA(vk, 0)), flags, 0);
}


bool SameBytes(const CMyString& a, const CMyString& b) {
  return a.GetLength() == b.GetLength() && std::memcmp(a.GetBuffer(), b.GetBuffer(), a.GetLength()) == 0;
}

// Adds a registered format holding one DWORD to the open clipboard.
void SetFormat(const char* name, DWORD value) {
  UINT format = RegisterClipboardFormatA(name);
  HGLOBAL h = format ? GlobalAlloc(GMEM_MOVEABLE, sizeof value) : nullptr;
  if (!h) return;
  void* p = GlobalLock(h);
  if (p) std::memcpy(p, &value, sizeof value);
  GlobalUnlock(h);
  if (!SetClipboardData(format, h)) GlobalFree(h);
}

// The clipboard and the keystrokes of one step; made for each use.
class CClipboardIO {
 public:
  void SendClipboardKeys(HWND target, HWND focus, int flags) {
    CMirelkaApp& app = App();
    DWORD targetThread = 0, self = GetCurrentThreadId();
    bool attached = false;
    // Mirelka's window is in front when PASTE is pressed and hides after the
    // first tick; the application must be the foreground window again for
    // the keyboard to reach it.
    if ((flags == KEYS_ARM_PASTE || flags == KEYS_PASTE) && target && GetForegroundWindow() != target)
      SetForegroundWindow(target);
    if (flags != KEYS_RELEASE) {
      targetThread = target ? GetWindowThreadProcessId(target, nullptr) : 0;
      // This thread joins the application's input, not the other way round:
      // under Wine the attached thread takes over the input of the thread it
      // is attached to, and the application's input is the one the
      // keyboard reaches.
      attached = targetThread && targetThread != self && AttachThreadInput(self, targetThread, TRUE);
      if (focus) SetFocus(focus);
    }
    switch (flags) {
      case KEYS_COPY:
        EmptyClipboardText();
        Key(VK_CONTROL, false);
        Key(VK_INSERT, false);
        Key(VK_INSERT, true);
        Key(VK_CONTROL, true);
        break;
      case KEYS_RELEASE:
        Key(VK_INSERT, true);
        Key(VK_CONTROL, true);
        break;
      case KEYS_ARM_PASTE: SetTimer(app.main, TIMER_PASTE, 300, nullptr); break;
      case KEYS_PASTE:
        if (app.cap.pastePending == 0) {
          app.cap.pastePending = 1;
          SetTimer(app.main, TIMER_PASTE, 300, nullptr);
        } else {
          app.cap.pastePending = 0;
          Key(VK_SHIFT, false);
          Key(VK_INSERT, false);
          Key(VK_INSERT, true);
          Key(VK_SHIFT, true);
        }
        break;
    }
    if (attached) AttachThreadInput(self, targetThread, FALSE);
  }

  void EmptyClipboardText() {
    if (IsClipboardFormatAvailable(CF_TEXT) && OpenClipboard(nullptr)) {
      EmptyClipboard();
      CloseClipboard();
    }
  }

  // kClipTaken, kClipGiveUp or kClipAgain.
  int ClipboardGet(HWND source, HWND result) {
    CMirelkaApp& app = App();
    CMyString text;
    size_t length = 0;
    bool got = false;
    if (IsClipboardFormatAvailable(CF_TEXT) && OpenClipboard(nullptr)) {
      HANDLE h = GetClipboardData(CF_TEXT);
      const char* p = h ? static_cast<const char*>(GlobalLock(h)) : nullptr;
      if (p) {
        // Bounded by the block: a text without its terminator is not read past.
        length = strnlen(p, GlobalSize(h));
        if (length <= kMaxSelectionBytes) {
          std::memcpy(text.AllocBuffer(static_cast<uint32_t>(length)), p, length);
        }
        got = true;
        GlobalUnlock(h);
      }
      CloseClipboard();
    }
    int rc = kClipAgain;
    if (got) {
      const CaptureKind kind = length > kMaxSelectionBytes ? CaptureKind::TooLarge
                                                           : ClassifyCapture(text.GetBuffer(), length);
      switch (kind) {
        case CaptureKind::Empty: got = false; break;
        case CaptureKind::TooLarge:
          app.cap.tooLarge = 1;
          rc = kClipGiveUp;
          break;
        case CaptureKind::Plain:
          app.cap.encryptMode = 1;
          SetWindowTextA(source, text.GetBuffer());
          rc = kClipTaken;
          break;
        case CaptureKind::Block:
          app.cap.encryptMode = 0;
          SetWindowTextA(result, text.GetBuffer());
          rc = kClipTaken;
          break;
      }
      // The captured text does not stay behind on the clipboard.
      EmptyClipboardText();
    }
    switch (app.cap.counters.ClipboardRead(got)) {
      case CaptureCounters::Read::Again: return kClipAgain;
      case CaptureCounters::Read::GiveUp: return kClipGiveUp;
      case CaptureCounters::Read::Done: break;
    }
    return rc;
  }

  // 0 when the edit's text is on the clipboard, -1 when there is nothing to
  // hand over or no memory.
  int ClipboardSet(HWND edit) {
    int n = GetWindowTextLengthA(edit);
    if (n <= 0) return -1;
    HGLOBAL h = GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, static_cast<SIZE_T>(n) + 1);
    char* p = h ? static_cast<char*>(GlobalLock(h)) : nullptr;
    if (!p) {
      if (h) GlobalFree(h);
      WarningBox(App().main, "메모리 할당에 실패했습니다. 시스템 메모리 자원이 부족합니다.");
      return -1;
    }
    GetWindowTextA(edit, p, n + 1);
    GlobalUnlock(h);
    if (!OpenClipboard(App().main)) {
      GlobalFree(h);
      return 0;
    }
    EmptyClipboard();
    if (!SetClipboardData(CF_TEXT, h)) GlobalFree(h);
    // Kept out of the clipboard history and the cloud clipboard: a decrypted
    // passage must not linger in a list after it was pasted.
    SetFormat("ExcludeClipboardContentFromMonitorProcessing", 0);
    SetFormat("CanIncludeInClipboardHistory", 0);
    SetFormat("CanUploadToCloudClipboard", 0);
    CloseClipboard();
    return 0;
  }
};

const char kNotTextWarning[] =
    "결과에 글자로 나타낼 수 없는 문자 조합이 생겼습니다.\n"
    "이대로 붙여 넣으면 내용이 손상되어 다시 해독할 수 없습니다.\n\n"
    "다른 암호로 다시 암호화하십시오.";

// What one cipher run works on, copied on the window's thread so that later
// changes (a new capture, the options) do not reach into a running run.
struct CipherJob {
  CMyString password;
  CMyString keyFilePath;
  HWND main, input, output, waitDialog;
};

void Wipe(CMyString& s) {
  volatile char* p = s.GetBuffer();
  for (uint32_t i = 0; i < s.GetLength(); ++i) p[i] = 0;
}

// Runs on the worker thread; the buttons were locked and `busy` set on the
// window's thread before it started.
void RunCipher(const std::shared_ptr<CipherJob>& job) {
  CMirelkaApp& app = App();
  KeyFileWindows kw;
  kw.program = KeyFileProgram::Mirelka;
  kw.owner = job->main;
  kw.show[0] = job->waitDialog;
  if (job->waitDialog) {
    kw.progress = GetDlgItem(job->waitDialog, IDC_WAIT_PROGRESS);
    kw.label = GetDlgItem(job->waitDialog, IDC_WAIT_TEXT);
  }
  kw.closeOnFinish = job->waitDialog;
  kw.cancel = &app.cap.cancelKeyFile;
  CWindowKeyFileView view(kw);
  CWindowCoderHost host(job->main, job->input, job->output, IDM_FIND);
  int rc;
  {
    CTextCoder coder(RealFileSystem(), view);
    rc = coder.Coding(host, job->password.GetBuffer(), job->keyFilePath.GetBuffer());
    // The cipher keeps a syllable's lead byte and the top bits of its trail,
    // which for the extended syllables of code page 949 can give a byte pair
    // that is no character. An edit control (and any program the text is
    // pasted into) turns such a pair into '?', and the block could never be
    // decrypted again: better no result than a damaged one.
    if (rc == kCodingDone && !SameBytes(GetWindowTextString(job->output), coder.Result())) {
      SetWindowTextA(job->output, "");
      WarningBox(job->main, kNotTextWarning);
      rc = kCodingNothing;
    }
  }
  Wipe(job->password);
  HWND main = job->main;
  // The buttons are back before the focus moves to one of them.
  SendMessageA(main, UM_CIPHER_ENDED, 0, 0);
  if (rc == kCodingDone) {
    SendMessageA(main, UM_CIPHER_DONE, 0, 0);
  } else if (rc != kCodingFindAsked) {
    SendMessageA(main, UM_CIPHER_FAILED, 0, 0);
  }
}

bool g_encoding = false;  // ENCODE is sending UM_RUN_CIPHER

bool CipherRunning() {
  HANDLE t = App().cipherWorker.Handle();
  return t && WaitForSingleObject(t, 0) == WAIT_TIMEOUT;
}

}  // namespace

void RegisterActivationKey() {
  CMirelkaApp& app = App();
  if (app.cap.hotkeyRegistered) {
    UnregisterHotKey(app.main, 0);
    app.cap.hotkeyRegistered = 0;
  }
  HotKeyChoice k;
  if (!HotKeyFor(app.settings.actKey, k)) return;
  RegisterHotKey(app.main, 0, k.modifier, kVkScroll);
  app.cap.hotkeyRegistered = 1;
}

void UnregisterActivationKey() {
  CMirelkaApp& app = App();
  UnregisterHotKey(app.main, 0);
  app.cap.hotkeyRegistered = 0;
}

void OnHotKey() {
  // Not yet: the user still holds the keys, which would spoil the chord.
  SetTimer(App().main, TIMER_HOTKEY_WAIT, 100, nullptr);
}

void OnHotkeyTimer() {
  CMirelkaApp& app = App();
  KillTimer(app.main, TIMER_HOTKEY_WAIT);
  HotKeyChoice k = {0, 0};
  HotKeyFor(app.settings.actKey, k);
  bool down = (k.pollKey && GetAsyncKeyState(static_cast<int>(k.pollKey)) < 0) ||
              GetAsyncKeyState(VK_SCROLL) < 0;
  switch (app.cap.counters.KeyPoll(down)) {
    case CaptureCounters::Poll::Again: SetTimer(app.main, TIMER_HOTKEY_WAIT, 100, nullptr); break;
    case CaptureCounters::Poll::GiveUp: break;
    case CaptureCounters::Poll::Capture:
      // The press toggled Scroll Lock; toggle it back.
      Key(VK_SCROLL, false);
      Key(VK_SCROLL, true);
      PostMessageA(app.main, UM_CAPTURE, 0, 0);
      break;
  }
}

void OnCapture() {
  CMirelkaApp& app = App();
  SetWindowTextA(app.source, "");
  SetWindowTextA(app.result, "");
  HWND target = GetForegroundWindow();
  HWND focus = nullptr;
  DWORD targetThread = target ? GetWindowThreadProcessId(target, nullptr) : 0;
  // The application's focus window, read without joining its input.
  GUITHREADINFO gui = {};
  gui.cbSize = sizeof gui;
  if (targetThread && GetGUIThreadInfo(targetThread, &gui)) focus = gui.hwndFocus;
  app.cap.targetWindow = target;
  app.cap.targetFocus = focus;
  CClipboardIO().SendClipboardKeys(target, focus, KEYS_COPY);
  CClipboardIO().SendClipboardKeys(nullptr, nullptr, KEYS_RELEASE);
  SetTimer(app.main, TIMER_READ_CLIPBOARD, 100, nullptr);
  SetTimer(app.main, TIMER_BANNER_TEXT, 300, nullptr);
}

void OnReadClipboard() {
  CMirelkaApp& app = App();
  int rc = CClipboardIO().ClipboardGet(app.source, app.result);
  if (rc == kClipAgain) {
    SetTimer(app.main, TIMER_READ_CLIPBOARD, 100, nullptr);
    return;
  }
  ShowWindow(app.main, SW_HIDE);
  ShowWindow(app.main, SW_MINIMIZE);
  OpenIcon(app.main);
  SetForegroundWindow(app.main);
  SetFocus(app.password);
  SetEditModes();
  if (app.cap.tooLarge) {
    app.cap.tooLarge = 0;
    WarningBox(app.main, kSelectionTooLargeText);
  }
}

void OnEncode() {
  CMirelkaApp& app = App();
  // F9 or the menu while a run is going would start a second one over the
  // same edits.
  if (CipherRunning()) return;
  app.cap.busy = 1;
  CMyString password = GetWindowTextString(app.password), confirm = GetWindowTextString(app.confirm);
  PasswordCheck check = CheckPassword(password.GetBuffer(), confirm.GetBuffer());
  if (check != PasswordCheck::Ok) {
    WarningBox(app.main, PasswordCheckText(check));
    SetFocus(app.password);
    app.cap.busy = 0;
  } else {
    g_encoding = true;
    SendMessageA(app.main, UM_RUN_CIPHER, reinterpret_cast<WPARAM>(password.GetBuffer()), 0);
    g_encoding = false;
  }
  Wipe(password);
  Wipe(confirm);
}

void OnRunCipher(const char* password) {
  CMirelkaApp& app = App();
  // Its parameter is a pointer: taken only from ENCODE itself, never from a
  // message some other program sent or posted.
  if (!g_encoding || password == nullptr) return;
  auto job = std::make_shared<CipherJob>();
  job->password = password;
  job->keyFilePath = app.settings.commKeyFile;
  job->main = app.main;
  bool encrypt = app.cap.encryptMode == 1;
  job->input = encrypt ? app.source : app.result;
  job->output = encrypt ? app.result : app.source;
  if (job->keyFilePath.GetLength() > 0 && !app.waitDialog) {
    app.waitDialog = CreateWaitDialog(app.main);
    app.cap.cancelKeyFile = 0;
  }
  job->waitDialog = job->keyFilePath.GetLength() > 0 ? app.waitDialog : nullptr;
  // Locked here, before the thread exists, so that no second click or
  // Enter slips in before the worker gets going.
  app.cipherWorker.Start(
      [&app] {
        app.cap.busy = 1;
        SetFocus(app.encode);
        for (HWND b : {app.encode, app.paste, app.clear}) EnableWindow(b, FALSE);
      },
      [job] { RunCipher(job); },
      [job] {
        Wipe(job->password);
        OnCipherEnded();
      });
}

void OnCipherEnded() {
  CMirelkaApp& app = App();
  for (HWND b : {app.encode, app.paste, app.clear}) EnableWindow(b, TRUE);
  app.cap.busy = 0;
}

void OnPasteBack() {
  CMirelkaApp& app = App();
  HWND edit = app.cap.encryptMode == 1 ? app.result : app.source;
  if (CClipboardIO().ClipboardSet(edit) != 0) return;
  // Without a capture there is nowhere to paste; the text stays on the
  // clipboard for the user.
  if (!app.cap.targetWindow || !IsWindow(app.cap.targetWindow)) return;
  CClipboardIO().SendClipboardKeys(app.cap.targetWindow, app.cap.targetFocus, KEYS_ARM_PASTE);
}

void OnPasteTimer() {
  CMirelkaApp& app = App();
  KillTimer(app.main, TIMER_PASTE);
  CClipboardIO().SendClipboardKeys(app.cap.targetWindow, app.cap.targetFocus, KEYS_PASTE);
  if (!app.settings.alwaysOnTop) {
    HideToTray();
    WipeEdits();
  }
}
