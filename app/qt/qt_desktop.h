// SPDX-License-Identifier: MIT
#pragma once
// The desktop around the Qt window: Qt's message boxes, the default browser, QSettings, the clock
// and the program's folder.

#include "app/main_window.h"

namespace app {

class QtDesktop final : public Desktop {
 public:
  void ShowMessage(std::u16string_view text, MessageIcon icon, std::u16string_view title) override;
  bool AskYesNo(std::u16string_view text, std::u16string_view title) override;
  void SaveSetting(std::u16string_view application, std::u16string_view section, std::u16string_view key,
                   std::u16string_view value) override;
  LocalDateTime Now() override;
  bool OpenAddress(std::u16string_view address) override;
  std::u16string ProgramFolder() override;
};

}  // namespace app
