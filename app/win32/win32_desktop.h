// SPDX-License-Identifier: MIT
#pragma once
// The desktop around the Win32 window: message boxes, the per-user settings in the registry, the
// clock, the shell's default handler for addresses and the program's folder.

#include <windows.h>

#include "app/main_window.h"

namespace app::win32 {

// Where the settings of application `application`, section `section` live under
// HKEY_CURRENT_USER: the place the classic per-user settings functions use, which other tools read.
std::wstring SettingsKeyPath(std::u16string_view application, std::u16string_view section);

class Win32Desktop final : public Desktop {
 public:
  // The message boxes belong to `owner`, so the window waits while one is open.
  void SetOwner(HWND owner) { owner_ = owner; }

  void ShowMessage(std::u16string_view text, MessageIcon icon, std::u16string_view title) override;
  bool AskYesNo(std::u16string_view text, std::u16string_view title) override;
  // Written as REG_SZ; a store that cannot be written is passed over, as the settings are never
  // read back by the program.
  void SaveSetting(std::u16string_view application, std::u16string_view section, std::u16string_view key,
                   std::u16string_view value) override;
  LocalDateTime Now() override;
  bool OpenAddress(std::u16string_view address) override;
  std::u16string ProgramFolder() override;

 private:
  HWND owner_ = nullptr;
};

}  // namespace app::win32
