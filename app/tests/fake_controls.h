// SPDX-License-Identifier: MIT
#pragma once
// A stand-in for the window's controls, with no toolkit: the list, the boxes' texts and what the
// form asked the window to do, all as plain data that a test sets and reads. The form's tests and
// its fuzz target use it.

#include <initializer_list>
#include <map>
#include <string>
#include <utility>
#include <vector>

#include "app/form_texts.h"
#include "app/main_window.h"

namespace app::testing {

class FakeControls final : public FormControls {
 public:
  struct Entry {
    std::u16string text;
    bool selected = false;
  };
  struct DateBoxState {
    std::vector<std::u16string> entries;
    std::u16string text;
  };

  int ListCount() override { return static_cast<int>(list.size()); }
  bool ListSelected(int index) override { return list.at(static_cast<size_t>(index)).selected; }
  std::u16string ListText(int index) override { return list.at(static_cast<size_t>(index)).text; }
  void ListRemove(int index) override {
    list.erase(list.begin() + index);
    if (current == index) current = -1;
    if (current > index) --current;
  }
  void ListClear() override {
    list.clear();
    current = -1;
  }
  void ListAdd(std::u16string_view entry) override { list.push_back({std::u16string(entry)}); }
  std::u16string ListCurrentText() override {
    return current >= 0 && current < ListCount() ? list[static_cast<size_t>(current)].text : std::u16string();
  }
  std::u16string FamilyNameText() override { return family_name; }
  int FamilyNameCaret() override { return family_caret; }
  void SetFamilyNameText(std::u16string_view text, int caret) override {
    family_name = text;
    family_caret = caret;
  }
  void SelectFamilyName(int start, int length) override { family_selection = {start, length}; }
  std::u16string OutText() override { return out; }
  void SetOutText(std::u16string_view text) override {
    out = text;
    out_selection = {0, 0};
  }
  void SetOutSelection(int start, int length) override { out_selection = {start, length}; }
  void SetOutFontSize(double points) override { out_font_size = points; }
  void FillDateBox(DateBox box, const std::vector<std::u16string>& entries, std::u16string_view text) override {
    date_boxes[box] = {entries, std::u16string(text)};
  }
  std::u16string DateBoxText(DateBox box) override { return date_boxes[box].text; }
  bool OptionValue(OptionButton option) override { return options[option]; }
  TwipSize OuterSize() override { return outer; }
  void ApplyLayout(const FormLayout& layout) override { applied.push_back(layout); }
  void ShowListPopup(ScreenPoint at) override { popups.push_back(at); }
  void UnloadWindow() override { ++unloads; }
  void CloseOtherWindows() override { ++others_closed; }

  std::vector<std::u16string> Entries() const {
    std::vector<std::u16string> texts;
    for (const Entry& entry : list) texts.push_back(entry.text);
    return texts;
  }
  void Select(std::initializer_list<int> rows) {
    for (int row : rows) list.at(static_cast<size_t>(row)).selected = true;
  }

  std::vector<Entry> list;
  int current = -1;
  std::u16string family_name = std::u16string(texts::ktxtXingShi);
  std::pair<int, int> family_selection{-1, -1};
  int family_caret = 0;
  std::u16string out;
  std::pair<int, int> out_selection{0, 0};
  double out_font_size = 13.5;
  std::map<DateBox, DateBoxState> date_boxes;
  std::map<OptionButton, bool> options{{OptionButton::optOne, false},
                                       {OptionButton::optTwo, true},
                                       {OptionButton::optMan, true},
                                       {OptionButton::optWoman, false}};
  TwipSize outer{kDefaultOuterWidth, kDefaultOuterHeight};
  std::vector<FormLayout> applied;
  std::vector<ScreenPoint> popups;
  int unloads = 0;
  int others_closed = 0;
};

}  // namespace app::testing
