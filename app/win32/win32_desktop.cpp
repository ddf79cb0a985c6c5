// SPDX-License-Identifier: MIT
#include "app/win32/win32_desktop.h"

#include <shellapi.h>

#include <string>

#include "app/form_texts.h"
#include "app/win32/wide_text.h"
#include "chart/lunacal_calendar_win32.h"

namespace app::win32 {

std::wstring SettingsKeyPath(std::u16string_view application, std::u16string_view section) {
  return L"Software\\VB and VBA Program Settings\\" + Wide(application) + L"\\" + Wide(section);
}

namespace {

// The hook of the message box being shown; a box shown while another is open keeps its own.
HHOOK box_hook = nullptr;

// Gives a message box Chinese buttons whatever the system's language, the moment it is activated
// and before it is drawn.
LRESULT CALLBACK ChineseButtons(int code, WPARAM wparam, LPARAM lparam) {
  if (code == HCBT_ACTIVATE) {
    const auto box = reinterpret_cast<HWND>(wparam);
    wchar_t name[16] = {};
    GetClassNameW(box, name, 16);
    if (std::wstring_view(name) == L"#32770") {
      const std::pair<int, std::u16string_view> captions[] = {
          {IDYES, texts::kButtonYes}, {IDNO, texts::kButtonNo}, {IDOK, texts::kButtonOk}};
      for (const auto& [id, caption] : captions) {
        if (HWND button = GetDlgItem(box, id)) SetWindowTextW(button, Wide(caption).c_str());
      }
    }
  }
  return CallNextHookEx(box_hook, code, wparam, lparam);
}

int ChineseMessageBox(HWND owner, std::u16string_view text, std::u16string_view title, UINT style) {
  const HHOOK outer = box_hook;
  box_hook = SetWindowsHookExW(WH_CBT, ChineseButtons, nullptr, GetCurrentThreadId());
  const int answer =
      MessageBoxW(owner, Wide(text).c_str(), Wide(title.empty() ? texts::kAppTitle : title).c_str(), style);
  if (box_hook != nullptr) UnhookWindowsHookEx(box_hook);
  box_hook = outer;
  return answer;
}

}  // namespace

void Win32Desktop::ShowMessage(std::u16string_view text, MessageIcon icon, std::u16string_view title) {
  UINT style = MB_OK;
  if (icon == MessageIcon::Information) style |= MB_ICONINFORMATION;
  if (icon == MessageIcon::Critical) style |= MB_ICONERROR;
  ChineseMessageBox(owner_, text, title, style);
}

bool Win32Desktop::AskYesNo(std::u16string_view text, std::u16string_view title) {
  return ChineseMessageBox(owner_, text, title, MB_YESNO) == IDYES;
}

void Win32Desktop::SaveSetting(std::u16string_view application, std::u16string_view section, std::u16string_view key,
                               std::u16string_view value) {
  HKEY settings = nullptr;
  if (RegCreateKeyExW(HKEY_CURRENT_USER, SettingsKeyPath(application, section).c_str(), 0, nullptr,
                      REG_OPTION_NON_VOLATILE, KEY_SET_VALUE, nullptr, &settings, nullptr) != ERROR_SUCCESS) {
    return;
  }
  const std::wstring data = Wide(value);
  // REG_SZ data holds the terminating zero.
  RegSetValueExW(settings, Wide(key).c_str(), 0, REG_SZ, reinterpret_cast<const BYTE*>(data.c_str()),
                 static_cast<DWORD>((data.size() + 1) * sizeof(wchar_t)));
  RegCloseKey(settings);
}

LocalDateTime Win32Desktop::Now() {
  SYSTEMTIME now{};
  GetLocalTime(&now);
  return {now.wYear, now.wMonth, now.wDay, now.wHour, now.wMinute, now.wSecond};
}

bool Win32Desktop::OpenAddress(std::u16string_view address) {
  const HINSTANCE result = ShellExecuteW(nullptr, nullptr, Wide(address).c_str(), nullptr, nullptr, SW_SHOWNORMAL);
  // The shell's old contract: a value above 32 means the handler was started.
  return reinterpret_cast<INT_PTR>(result) > 32;
}

std::u16string Win32Desktop::ProgramFolder() { return Utf16(chart::RunningProgramFolder()); }

}  // namespace app::win32
