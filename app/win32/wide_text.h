// SPDX-License-Identifier: MIT
#pragma once
// The form speaks UTF-16 as char16_t, Win32 as wchar_t; on Windows both are the same 16-bit units,
// so a text crosses by copying its units.

#include <windows.h>

#include <string>
#include <string_view>

namespace app::win32 {

static_assert(sizeof(wchar_t) == sizeof(char16_t));

inline std::wstring Wide(std::u16string_view text) { return {text.begin(), text.end()}; }

inline std::u16string Utf16(std::wstring_view text) { return {text.begin(), text.end()}; }

// The whole text of a window or control.
inline std::u16string WindowText(HWND window) {
  const int length = GetWindowTextLengthW(window);
  if (length <= 0) return {};
  std::wstring text(static_cast<size_t>(length) + 1, L'\0');
  const int copied = GetWindowTextW(window, text.data(), length + 1);
  text.resize(static_cast<size_t>(copied > 0 ? copied : 0));
  return Utf16(text);
}

}  // namespace app::win32
