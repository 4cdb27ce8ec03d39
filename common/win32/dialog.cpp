#include "common/win32/dialog.h"

INT_PTR CDialog::RunModal(HINSTANCE instance, int id, HWND owner) {
  return DialogBoxParamA(instance, MAKEINTRESOURCEA(id), owner, Proc,
                         reinterpret_cast<LPARAM>(this));
}

HWND CDialog::Create(HINSTANCE instance, int id, HWND owner) {
  return CreateDialogParamA(instance, MAKEINTRESOURCEA(id), owner, Proc,
                            reinterpret_cast<LPARAM>(this));
}

PROPSHEETPAGEA CDialog::Page(HINSTANCE instance, int id) {
  PROPSHEETPAGEA page = {};
  page.dwSize = sizeof page;
  page.dwFlags = PSP_DEFAULT;
  page.hInstance = instance;
  page.pszTemplate = MAKEINTRESOURCEA(id);
  page.pfnDlgProc = PageProc;
  page.lParam = reinterpret_cast<LPARAM>(this);
  return page;
}

INT_PTR CALLBACK CDialog::Proc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  return Dispatch(hwnd, msg, wParam, lParam,
                  msg == WM_INITDIALOG ? reinterpret_cast<CDialog*>(lParam) : nullptr);
}

INT_PTR CALLBACK CDialog::PageProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  // A page's creation parameter is the sheet's copy of its PROPSHEETPAGE.
  CDialog* created = nullptr;
  if (msg == WM_INITDIALOG)
    created = reinterpret_cast<CDialog*>(reinterpret_cast<const PROPSHEETPAGEA*>(lParam)->lParam);
  return Dispatch(hwnd, msg, wParam, lParam, created);
}

INT_PTR CDialog::Dispatch(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam, CDialog* created) {
  CDialog* self;
  if (msg == WM_INITDIALOG) {
    self = created;
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
