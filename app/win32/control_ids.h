// SPDX-License-Identifier: MIT
#pragma once
// How the Win32 window and its controls are found: the window class and the control numbers.
// The window uses them to tell its controls apart, and a test that drives the real program from
// another process finds the controls by them.

#include <windows.h>

namespace app::win32 {

inline constexpr wchar_t kWindowClass[] = L"tavren.frmName";
inline constexpr wchar_t kStripClass[] = L"tavren.pic";

enum ControlId : int {
  // Enter in any control presses the default button, which the dialog manager reports as IDOK.
  kIdcmdYes = IDOK,
  kIdpic = 1000,
  kIdFrame1,
  kIdFrame2,
  kIdFrame3,
  kIdFrame4,
  kIdtxtXingShi,
  kIdoptOne,
  kIdoptTwo,
  kIdoptMan,
  kIdoptWoman,
  kIdcboYear,
  kIdcboMonth,
  kIdcboDay,
  kIdcboHour,
  kIdcboMinute,
  kIdLabel1,
  kIdLabel2,
  kIdLabel3,
  kIdLabel4,
  kIdLabel5,
  kIdlstName,
  kIdtxtOut,
};

// Menu commands: the items of kFileMenu and kListPopupMenu by their place in those tables.
// Posted by a press of cmdYes: the search runs from the message loop, so whoever pressed the button
// (a click, a key, an accessibility tool sending BM_CLICK) gets control back before its box opens.
inline constexpr UINT kRunSearchMessage = WM_APP + 1;

inline constexpr UINT kFileMenuFirstCommand = 100;
inline constexpr UINT kListPopupFirstCommand = 200;

// Controls inside the strip `pic` are its children; lstName and txtOut are the window's own.
inline HWND FindControl(HWND window, ControlId id) {
  if (id == kIdpic || id == kIdlstName || id == kIdtxtOut) return GetDlgItem(window, id);
  return GetDlgItem(GetDlgItem(window, kIdpic), id);
}

}  // namespace app::win32
