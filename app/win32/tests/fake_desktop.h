// SPDX-License-Identifier: MIT
#pragma once
// A desktop for the window tests and the screenshot: it answers the message boxes as told and
// records what the window showed, which settings it wrote and which addresses it opened, so no
// test opens a dialog or a browser.

#include <string>
#include <vector>

#include "app/main_window.h"

namespace app::win32::testing {

struct ShownMessage {
  std::u16string text;
  MessageIcon icon;
  std::u16string title;
};

struct SavedSetting {
  std::u16string application;
  std::u16string section;
  std::u16string key;
  std::u16string value;
  friend bool operator==(const SavedSetting&, const SavedSetting&) = default;
};

class FakeDesktop final : public Desktop {
 public:
  void ShowMessage(std::u16string_view text, MessageIcon icon, std::u16string_view title) override {
    messages.push_back({std::u16string(text), icon, std::u16string(title)});
  }
  bool AskYesNo(std::u16string_view text, std::u16string_view title) override {
    questions.push_back({std::u16string(text), MessageIcon::None, std::u16string(title)});
    return answer_yes;
  }
  void SaveSetting(std::u16string_view application, std::u16string_view section, std::u16string_view key,
                   std::u16string_view value) override {
    settings.push_back({std::u16string(application), std::u16string(section), std::u16string(key),
                        std::u16string(value)});
  }
  LocalDateTime Now() override { return now; }
  bool OpenAddress(std::u16string_view address) override {
    opened.emplace_back(address);
    return open_succeeds;
  }
  std::u16string ProgramFolder() override { return u"C:\\Program Files\\name"; }

  bool answer_yes = false;
  bool open_succeeds = true;
  LocalDateTime now = {2026, 12, 8, 9, 5, 30};
  std::vector<ShownMessage> messages;
  std::vector<ShownMessage> questions;
  std::vector<SavedSetting> settings;
  std::vector<std::u16string> opened;
};

}  // namespace app::win32::testing
