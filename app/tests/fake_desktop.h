// SPDX-License-Identifier: MIT
#pragma once
// A stand-in for the desktop around the window, with no toolkit: it answers the message boxes as
// told and records what the window showed, wrote and opened, so no test opens a dialog or a
// browser. Every front end's tests use it.

#include <optional>
#include <string>
#include <vector>

#include "app/main_window.h"
#include "chart/calendar.h"

namespace app::testing {

struct ShownMessage {
  std::u16string text;
  MessageIcon icon;
  std::u16string title;
  friend bool operator==(const ShownMessage&, const ShownMessage&) = default;
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
    questions.emplace_back(text);
    question_titles.emplace_back(title);
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
    return browser_works;
  }
  std::u16string ProgramFolder() override { return program_folder; }

  // The texts of the boxes with an OK button that have the information icon.
  std::vector<std::u16string> Information() const {
    std::vector<std::u16string> texts;
    for (const ShownMessage& message : messages) {
      if (message.icon == MessageIcon::Information) texts.push_back(message.text);
    }
    return texts;
  }

  bool answer_yes = false;
  bool browser_works = true;
  LocalDateTime now{2024, 5, 6, 7, 8, 9};
  std::u16string program_folder = u"/opt/tavren/bin";

  std::vector<ShownMessage> messages;
  std::vector<std::u16string> questions;
  std::vector<std::u16string> question_titles;
  std::vector<SavedSetting> settings;
  std::vector<std::u16string> opened;
};

// A calendar whose library cannot be found.
class MissingCalendar final : public chart::Calendar {
 public:
  std::optional<int16_t> Call(chart::CalendarFunction, double) override { return std::nullopt; }
  std::u16string ErrorMessage() const override { return u"找不到日历库 liblunacal"; }
};

}  // namespace app::testing
