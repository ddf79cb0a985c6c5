// SPDX-License-Identifier: MIT
#pragma once
// The browser's front end of frmName: the controls are elements of the page and the desktop is the
// page's own world (dialogs, localStorage, tabs, the device's clock). Every call goes to the page's
// toolkit object in site/app.js, which only draws and reads elements; what the window does stays
// frmName's.

#include "app/main_window.h"

namespace app {

class WebDesktop final : public Desktop {
 public:
  void ShowMessage(std::u16string_view text, MessageIcon icon, std::u16string_view title) override;
  bool AskYesNo(std::u16string_view text, std::u16string_view title) override;
  void SaveSetting(std::u16string_view application, std::u16string_view section, std::u16string_view key,
                   std::u16string_view value) override;
  LocalDateTime Now() override;
  bool OpenAddress(std::u16string_view address) override;
  std::u16string ProgramFolder() override;

  // A page cannot close its own tab; when the window unloads, the address it opens is where the
  // page goes instead of a new tab.
  void LeaveForNextAddress() { leaving_ = true; }

 private:
  bool leaving_ = false;
};

class WebControls final : public FormControls {
 public:
  explicit WebControls(WebDesktop& desktop) : desktop_(desktop) {}
  // The form is made after its controls; unloading needs it.
  void SetForm(frmName& form) { form_ = &form; }

  // Writes the captions, the tooltip and the menus from the window's texts into the page.
  void BuildControls();

  int ListCount() override;
  bool ListSelected(int index) override;
  std::u16string ListText(int index) override;
  void ListRemove(int index) override;
  void ListClear() override;
  void ListAdd(std::u16string_view entry) override;
  std::u16string ListCurrentText() override;
  std::u16string FamilyNameText() override;
  int FamilyNameCaret() override;
  void SetFamilyNameText(std::u16string_view text, int caret) override;
  void SelectFamilyName(int start, int length) override;
  std::u16string OutText() override;
  void SetOutText(std::u16string_view text) override;
  void SetOutSelection(int start, int length) override;
  void SetOutFontSize(double points) override;
  void FillDateBox(DateBox box, const std::vector<std::u16string>& entries, std::u16string_view text) override;
  std::u16string DateBoxText(DateBox box) override;
  bool OptionValue(OptionButton option) override;
  TwipSize OuterSize() override;
  void ApplyLayout(const FormLayout& layout) override;
  void ShowListPopup(ScreenPoint at) override;
  void UnloadWindow() override;
  void CloseOtherWindows() override;

 private:
  WebDesktop& desktop_;
  frmName* form_ = nullptr;
};

}  // namespace app
