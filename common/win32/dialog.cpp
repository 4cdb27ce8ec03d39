#include "common/win32/dialog.h"

INT_PTR CDialog::RunModal(HINSTANCE instance, int id, HWND owner) {
  return DialogBoxParamA(instance, MAKEINTRESOURCEA(id), owner, Proc,
                         reinterpret_cast<LPARAM>(this));
}

HWND CDialog::Create(HINSTANCE instance, int id, HWND owner) {
  return CreateDialogParamA(instance, MAKEINTRESOURCEA(id), owner, Proc,
                            reinterpret_cast<LPARAM>(this));
}

INT_PTR CALLBACK CDialog::Proc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  CDialog* self;
  if (msg == WM_INITDIALOG) {
    self = reinterpret_cast<CDialog*>(lParam);
    SetWindowLongPtrA(hwnd, DWLP_USER, reinterpret_cast<LONG_PTR>(self));
    self->m_hwnd = hwnd;
  } else {
    self = reinterpret_cast<CDialog*>(GetWindowLongPtrA(hwnd, DWLP_USER));
  }
  // The few messages before WM_INITDIALOG (WM_SETFONT) go to the dialog manager.
  if (self == nullptr) return FALSE;
  INT_PTR result = self->HandleMessage(msg, wParam, lParam);
  if (msg == WM_NCDESTROY) {
    SetWindowLongPtrA(hwnd, DWLP_USER, 0);
    self->m_hwnd = nullptr;
    self->OnFinalMessage();
  }
  return result;
}
