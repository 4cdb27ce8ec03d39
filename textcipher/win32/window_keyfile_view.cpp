#include "textcipher/win32/window_keyfile_view.h"

#include <commctrl.h>

#include "common/win32/window.h"

void CWindowKeyFileView::Show() {
  for (HWND w : m_w.show)
    if (w) ShowWindow(w, SW_SHOW);
}

void CWindowKeyFileView::SetRange(int32_t low, int32_t high) {
  if (m_w.progress) SendMessageA(m_w.progress, PBM_SETRANGE, 0, MAKELPARAM(low, high));
}

void CWindowKeyFileView::SetPosition(int32_t pos) {
  if (m_w.progress) SendMessageA(m_w.progress, PBM_SETPOS, static_cast<WPARAM>(pos), 0);
}

void CWindowKeyFileView::SetText(const char* text) {
  if (m_w.label) SetWindowTextA(m_w.label, text);
}

void CWindowKeyFileView::ShowWarning(const char* text) {
  WarningBox(m_w.owner, text);
}

bool CWindowKeyFileView::CancelRequested() {
  return m_w.cancel && m_w.cancel->load(std::memory_order_relaxed) != 0;
}

void CWindowKeyFileView::Finish() {
  if (m_w.closeOnFinish) SendMessageA(m_w.closeOnFinish, WM_CLOSE, 0, 0);
}
