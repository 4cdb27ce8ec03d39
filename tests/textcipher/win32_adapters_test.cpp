// The Win32 adapters over real windows: two edits, a progress bar and a
// label in a main window that records the messages it receives.
#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include <atomic>
#include <string>

#include "support/memory_fs.h"
#include "textcipher/common_key_file.h"
#include "textcipher/text_coder.h"
#include "textcipher/win32/window_coder_host.h"
#include "textcipher/win32/window_keyfile_view.h"

namespace {

int g_closes = 0;
WPARAM g_command = 0;
LPARAM g_commandParam = 0;

LRESULT CALLBACK RecordingProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  if (msg == WM_COMMAND) return g_command = wParam, g_commandParam = lParam, 0;
  if (msg == WM_CLOSE) return ++g_closes, 0;  // kept open for the test to look at
  return DefWindowProcA(hwnd, msg, wParam, lParam);
}

std::string Text(HWND w) {
  std::string s(static_cast<size_t>(GetWindowTextLengthA(w)) + 1, '\0');
  return s.substr(0, static_cast<size_t>(GetWindowTextA(w, &s[0], static_cast<int>(s.size()))));
}

}  // namespace

TEST(Win32Adapters, CoderHostAndKeyFileViewOverRealWindows) {
  INITCOMMONCONTROLSEX icc = {sizeof icc, ICC_PROGRESS_CLASS};
  InitCommonControlsEx(&icc);
  WNDCLASSA wc = {};
  wc.lpfnWndProc = RecordingProc;
  wc.lpszClassName = "TextCipherTestMain";
  RegisterClassA(&wc);
  HWND main = CreateWindowA(wc.lpszClassName, "", WS_OVERLAPPEDWINDOW, 0, 0, 400, 300, nullptr, nullptr, nullptr, nullptr);
  auto child = [&](const char* cls, DWORD style) { return CreateWindowA(cls, "", WS_CHILD | style, 0, 0, 200, 50, main, nullptr, nullptr, nullptr); };
  HWND source = child("EDIT", ES_MULTILINE), result = child("EDIT", ES_MULTILINE);
  const std::string plain = "가나다 Mirelka 123 (테스트)\r\n둘째 줄";
  SetWindowTextA(source, plain.c_str());

  std::atomic<int32_t> cancel(0);
  KeyFileWindows kw;
  kw.owner = kw.closeOnFinish = main;
  kw.show[0] = kw.progress = child(PROGRESS_CLASSA, 0);
  kw.show[1] = kw.label = child("STATIC", 0);
  kw.cancel = &cancel;
  CWindowKeyFileView view(kw);
  CMemoryFileSystem fs;
  fs.AddFile("C:\\k.bin", std::string(4096, 'k'));
  ShowWindow(main, SW_SHOW);

  const UINT kFind = 40073;  // Mirelka's Find command
  CWindowCoderHost there(main, source, result, kFind), back(main, result, source, kFind);
  ASSERT_EQ(kCodingDone, CTextCoder(fs, view).Coding(there, "암호", "C:\\k.bin"));
  ASSERT_EQ(plain.size() + 2, Text(result).size());
  ASSERT_EQ(kCodingDone, CTextCoder(fs, view).Coding(back, "암호", "C:\\k.bin"));
  EXPECT_EQ("\x7F" + plain + "\x7F", Text(source));
  EXPECT_TRUE(IsWindowVisible(kw.progress) && IsWindowVisible(kw.label));
  EXPECT_EQ(0, SendMessageA(kw.progress, PBM_GETRANGE, TRUE, 0));  // low limit
  EXPECT_EQ(1024, SendMessageA(kw.progress, PBM_GETRANGE, FALSE, 0));
  EXPECT_EQ(1023, SendMessageA(kw.progress, PBM_GETPOS, 0, 0));
  EXPECT_EQ(kKeyFileReadingText, Text(kw.label));
  EXPECT_EQ(2, g_closes);
  cancel = 1;
  EXPECT_EQ(kCodingCancelled, CTextCoder(fs, view).Coding(there, "암호", "C:\\k.bin"));

  char small[8];
  EXPECT_EQ(7u, back.ReadSource(small, sizeof small));
  EXPECT_EQ(Text(result).substr(0, 7), small);  // what fits, terminated
  there.SendFindCommand();
  EXPECT_EQ(std::make_pair(40073u, LPARAM{1}), std::make_pair(static_cast<unsigned>(LOWORD(g_command)), g_commandParam));
  DestroyWindow(main);
}
