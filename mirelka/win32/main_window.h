// The pieces of Mirelka's main window, one file each: the window procedure
// (main_window.cpp), the two large edits and the settings applied to them
// (edits.cpp), the capture-and-replace cycle (capture.cpp), the wait dialog
// (wait_dialog.cpp), the options sheet, the find dialog, the about and
// notice boxes, and the commands served by the shared layers (commands.cpp).
#ifndef MIRELKA_WIN32_MAIN_WINDOW_H
#define MIRELKA_WIN32_MAIN_WINDOW_H

#include <windows.h>

#include <cstdint>

#include "mirelka/settings.h"

extern const char kMainClass[];  // "Mirelka"

// main_window.cpp
bool RegisterMainClass(HINSTANCE instance);
LRESULT CALLBACK MainWndProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp);
// Shows the window from the tray: normal, foreground, password focused.
void OpenMainWindow();
// Empties the password, confirm, source and result edits.
void WipeEdits();
// Minimizes and hides the window (the tray icon stays).
void HideToTray();

// edits.cpp
// Creates the source and result edits (word wrap off) for a window of the
// given creation size.
void CreateEdits(int width, int height);
// Places the source edit by the current layout; the result edit follows
// through the source edit's WM_SIZE.
void PlaceSourceEdit(int clientWidth, int clientHeight);
// Commands 231 and 232.
void ArrangeEdits(bool horizontal);
// Command 233: rebuilds both edits with the current word wrap, keeping
// texts, selections, read-only states and the focus.
void RebuildEdits();
void ApplyEditFont();
void ApplyTabStops();
// The stored edit font as a Windows font record and back.
LOGFONTA ToLogFont(const EditFont& font);
EditFont FromLogFont(const LOGFONTA& lf);
// Applies the settings that `bits` picks to the running window.
void ApplySettings(uint32_t bits);
void RestoreWindowPos();
void SaveWindowPos();
// The input edit of the current mode writable, the other read-only.
void SetEditModes();
void GiveBackEditProcs();
// The edit that had the focus last.
HWND LastFocusedEdit();

// capture.cpp
void OnHotKey();
void OnHotkeyTimer();
void OnCapture();
void OnReadClipboard();
void OnRunCipher(const char* password);
void OnPasteBack();
void OnPasteTimer();
void OnCipherEnded();
void RegisterActivationKey();
void UnregisterActivationKey();
// ENCODE: the password check, then the cipher run.
void OnEncode();

// wait_dialog.cpp
HWND CreateWaitDialog(HWND owner);

// commands.cpp
void StartUpdateCheck();
void StartBannerText();
void StartBannerImage();
void OpenHelp(const char* page);
void DrawBanner(const DRAWITEMSTRUCT& item);
// The banner strip: attached at creation (the shipped picture shows),
// stopped first at the end (a running download ends) and detached with the
// other subclassed controls.
void AttachBanner();
void StopBanner();
void DetachBanner();

// options_sheet.cpp: the modal options sheet over the main window.
void OpenOptions();
// find_dialog.cpp: the modeless find dialog (in delimiter mode after the
// cipher's wrong-delimiter question) and F3 / Shift+F3.
void OpenFindDialog(bool delimiterMode);
void FindAgain(bool downward);
// about_box.cpp
void ShowAbout();
void ShowNotice();
void OpenHomePage();

#endif
