// SPDX-License-Identifier: MIT
#pragma once
// Answers a real message box as a user would: waits for the #32770 dialog of a thread, reads what
// it shows and presses one of its buttons. MessageBoxW blocks the thread that shows it, so the
// answer comes from another thread or another process.

#include <windows.h>

#include <string>
#include <vector>

namespace app::win32::testing {

struct SeenMessageBox {
  bool found = false;
  std::u16string title;
  std::u16string text;
  bool has_icon = false;
  std::vector<int> buttons;  // IDOK, IDYES, IDNO ... that the box shows
  std::vector<std::u16string> button_texts;  // their captions, in the same order
};

namespace answerer_detail {

inline BOOL CALLBACK FindDialog(HWND window, LPARAM found) {
  wchar_t name[16] = {};
  GetClassNameW(window, name, 16);
  if (std::wstring_view(name) == L"#32770" && IsWindowVisible(window)) {
    *reinterpret_cast<HWND*>(found) = window;
    return FALSE;
  }
  return TRUE;
}

inline std::u16string TextOf(HWND window) {
  wchar_t text[1024] = {};
  GetWindowTextW(window, text, 1024);
  return {text, text + lstrlenW(text)};
}

inline BOOL CALLBACK ReadChild(HWND child, LPARAM seen_box) {
  auto& seen = *reinterpret_cast<SeenMessageBox*>(seen_box);
  if (!IsWindowVisible(child)) return TRUE;
  wchar_t name[16] = {};
  GetClassNameW(child, name, 16);
  const auto style = static_cast<DWORD>(GetWindowLongPtrW(child, GWL_STYLE));
  const int id = GetDlgCtrlID(child);
  if (std::wstring_view(name) == L"Button") {
    seen.buttons.push_back(id);
    seen.button_texts.push_back(TextOf(child));
  } else if (std::wstring_view(name) == L"Static") {
    if ((style & SS_TYPEMASK) == SS_ICON) {
      seen.has_icon = seen.has_icon || SendMessageW(child, STM_GETICON, 0, 0) != 0;
    } else {
      const std::u16string text = TextOf(child);
      if (text.size() > seen.text.size()) seen.text = text;
    }
  }
  return TRUE;
}

}  // namespace answerer_detail

// Waits up to `timeout_ms` for a message box of `thread`, then presses `button` in it.
inline SeenMessageBox AnswerMessageBox(DWORD thread, int button, DWORD timeout_ms) {
  SeenMessageBox seen;
  HWND dialog = nullptr;
  const ULONGLONG deadline = GetTickCount64() + timeout_ms;
  while (dialog == nullptr && GetTickCount64() < deadline) {
    EnumThreadWindows(thread, answerer_detail::FindDialog, reinterpret_cast<LPARAM>(&dialog));
    if (dialog == nullptr) Sleep(10);
  }
  if (dialog == nullptr) return seen;
  seen.found = true;
  seen.title = answerer_detail::TextOf(dialog);
  EnumChildWindows(dialog, answerer_detail::ReadChild, reinterpret_cast<LPARAM>(&seen));
  // What a click on the button sends to its dialog.
  PostMessageW(dialog, WM_COMMAND, MAKEWPARAM(button, BN_CLICKED), reinterpret_cast<LPARAM>(GetDlgItem(dialog, button)));
  // The box is gone once its thread has handled the click.
  while (IsWindow(dialog) && GetTickCount64() < deadline) Sleep(10);
  return seen;
}

}  // namespace app::win32::testing
