// The Win32 adapters over real windows: edit controls, a progress bar and a
// main window that records the commands it receives.
#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include <atomic>
#include <string>

#include "support/memory_fs.h"
#include "textcipher/key_text.h"
#include "textcipher/text_coder.h"
#include "textcipher/win32/window_coder_host.h"
#include "textcipher/win32/window_keyfile_view.h"

namespace {

struct Received {
  int commands = 0;
  WPARAM wParam = 0;
  LPARAM lParam = 0;
  int closes = 0;
};
Received g_received;

LRESULT CALLBACK RecordingProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  if (msg == WM_COMMAND) {
    ++g_received.commands;
    g_received.wParam = wParam;
    g_received.lParam = lParam;
    return 0;
  }
  if (msg == WM_CLOSE) {
    ++g_received.closes;  // kept open: the test looks at it afterwards
    return 0;
  }
  return DefWindowProcA(hwnd, msg, wParam, lParam);
}

class Win32Adapters : public ::testing::Test {
 protected:
  void SetUp() override {
    INITCOMMONCONTROLSEX icc = {sizeof icc, ICC_PROGRESS_CLASS};
    InitCommonControlsEx(&icc);
    WNDCLASSA wc = {};
    wc.lpfnWndProc = RecordingProc;
    wc.hInstance = GetModuleHandleA(nullptr);
    wc.lpszClassName = "TextCipherTestMain";
    RegisterClassA(&wc);
    g_received = Received();
    m_main = CreateWindowA("TextCipherTestMain", "main", WS_OVERLAPPEDWINDOW, 0, 0, 400, 300, nullptr, nullptr,
                           wc.hInstance, nullptr);
    m_source = CreateWindowA("EDIT", "", WS_CHILD | ES_MULTILINE | ES_AUTOVSCROLL, 0, 0, 200, 100, m_main,
                             nullptr, wc.hInstance, nullptr);
    m_result = CreateWindowA("EDIT", "", WS_CHILD | ES_MULTILINE | ES_AUTOVSCROLL, 0, 100, 200, 100, m_main,
                             nullptr, wc.hInstance, nullptr);
    m_progress = CreateWindowA(PROGRESS_CLASSA, "", WS_CHILD, 0, 200, 200, 20, m_main, nullptr, wc.hInstance, nullptr);
    m_label = CreateWindowA("STATIC", "", WS_CHILD, 0, 220, 200, 20, m_main, nullptr, wc.hInstance, nullptr);
    ASSERT_TRUE(m_main && m_source && m_result && m_progress && m_label);
    // Edits hold up to 100 KB and more.
    SendMessageA(m_source, EM_SETLIMITTEXT, 0, 0);
    SendMessageA(m_result, EM_SETLIMITTEXT, 0, 0);
  }
  void TearDown() override { DestroyWindow(m_main); }

  static std::string Text(HWND w) {
    std::string s(static_cast<size_t>(GetWindowTextLengthA(w)) + 1, '\0');
    s.resize(static_cast<size_t>(GetWindowTextA(w, &s[0], static_cast<int>(s.size()))));
    return s;
  }

  HWND m_main = nullptr, m_source = nullptr, m_result = nullptr, m_progress = nullptr, m_label = nullptr;
};

}  // namespace

TEST_F(Win32Adapters, CodingRunsFromOneEditToTheOther) {
  const std::string plain = "가나다 Mirelka 123 (테스트)\r\n둘째 줄";
  SetWindowTextA(m_source, plain.c_str());
  CWindowCoderHost host(m_main, m_source, m_result);
  EXPECT_EQ(plain.size(), host.SourceLength());

  CMemoryFileSystem fs;
  CWindowKeyFileView view(KeyFileWindows{});
  CTextCoder coder(fs, view);
  ASSERT_EQ(kCodingDone, coder.Coding(host, "암호", nullptr));
  std::string cipher = Text(m_result);
  ASSERT_EQ(plain.size() + 2, cipher.size());
  EXPECT_EQ('\x7F', cipher.front());
  EXPECT_EQ('\x7F', cipher.back());

  CWindowCoderHost back(m_main, m_result, m_source);
  CTextCoder again(fs, view);
  ASSERT_EQ(kCodingDone, again.Coding(back, "암호", nullptr));
  EXPECT_EQ("\x7F" + plain + "\x7F", Text(m_source));
}

TEST_F(Win32Adapters, ReadsAFullSizeSelection) {
  std::string big;
  while (big.size() < kMaxCodingText) big += "한글 텍스트 ";
  big.resize(kMaxCodingText);
  // A single-line edit: Wine lays out a multi-line one of this size slowly.
  HWND edit = CreateWindowA("EDIT", "", WS_CHILD | ES_AUTOHSCROLL, 0, 0, 200, 20, m_main, nullptr,
                            GetModuleHandleA(nullptr), nullptr);
  SendMessageA(edit, EM_SETLIMITTEXT, 0, 0);
  SetWindowTextA(edit, big.c_str());
  CWindowCoderHost host(m_main, edit, m_result);
  ASSERT_EQ(big.size(), host.SourceLength());
  std::string buf(big.size() + 1, '\x55');
  EXPECT_EQ(big.size(), host.ReadSource(&buf[0], static_cast<uint32_t>(buf.size())));
  EXPECT_EQ(big, buf.substr(0, big.size()));
  EXPECT_EQ('\0', buf[big.size()]);
  // A smaller buffer gets what fits, terminated.
  char small[8];
  EXPECT_EQ(7u, host.ReadSource(small, sizeof small));
  EXPECT_EQ(big.substr(0, 7), std::string(small));
}

TEST_F(Win32Adapters, TheFindCommandReachesTheMainWindow) {
  CWindowCoderHost host(m_main, m_source, m_result);
  host.SendFindCommand();
  EXPECT_EQ(1, g_received.commands);
  EXPECT_EQ(40073u, LOWORD(g_received.wParam));
  EXPECT_EQ(1, g_received.lParam);
}

TEST_F(Win32Adapters, KeyFileProgressGoesToTheDialogControls) {
  std::atomic<int32_t> cancel(0);
  KeyFileWindows w;
  w.program = KeyFileProgram::Trisel;
  w.owner = m_main;
  w.show[0] = m_progress;
  w.show[1] = m_label;
  w.progress = m_progress;
  w.label = m_label;
  w.closeOnFinish = m_main;
  w.cancel = &cancel;
  CWindowKeyFileView view(w);

  CMemoryFileSystem fs;
  fs.AddFile("C:\\k.bin", std::string(4096, 'k'));
  CMyString key;
  ShowWindow(m_main, SW_SHOW);
  ASSERT_EQ(kKeyOk, MakeKeyText("pw", "C:\\k.bin", fs, view, key));
  EXPECT_TRUE(IsWindowVisible(m_progress));
  EXPECT_TRUE(IsWindowVisible(m_label));
  PBRANGE range = {};
  SendMessageA(m_progress, PBM_GETRANGE, 0, reinterpret_cast<LPARAM>(&range));
  EXPECT_EQ(0, range.iLow);
  EXPECT_EQ(1024, range.iHigh);
  EXPECT_EQ(1023, SendMessageA(m_progress, PBM_GETPOS, 0, 0));
  EXPECT_EQ(std::string(kKeyFileReadingText), Text(m_label));
  EXPECT_EQ(1, g_received.closes);
  EXPECT_EQ(KeyFileProgram::Trisel, view.Program());

  cancel = 1;
  EXPECT_TRUE(view.CancelRequested());
  EXPECT_EQ(kKeyCancelled, MakeKeyText("pw", "C:\\k.bin", fs, view, key));
  EXPECT_EQ(2, g_received.closes);
}
