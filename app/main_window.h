// SPDX-License-Identifier: MIT
#pragma once
// The program's only window, frmName: the inputs and the search button in a strip at the top, the
// list of proposed names on the left, the output box on the right. This is what the window does,
// written once and without any toolkit: its event handlers, the search, the birth chart, the
// five-grid report and the collection of chosen names. Each toolkit (Qt on Linux, Win32 on
// Windows) supplies the controls through FormControls and the desktop through Desktop, and calls
// the handlers when its events arrive.

#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "app/layout.h"
#include "lunacal/lunacal.h"

namespace chart {
class Calendar;
struct BirthInput;
}  // namespace chart

namespace app {

// The maker's web site, offered after a search, opened from the menu and on every close.
inline constexpr char16_t kMakerWebSite[] = u"https://www.example.com/";

enum class DateBox { cboYear, cboMonth, cboDay, cboHour, cboMinute };
inline constexpr std::array<DateBox, 5> kDateBoxes = {DateBox::cboYear, DateBox::cboMonth, DateBox::cboDay,
                                                       DateBox::cboHour, DateBox::cboMinute};

enum class OptionButton { optOne, optTwo, optMan, optWoman };

enum class MouseButton { Left, Right, Middle };

// A point on the screen in the toolkit's own units; the form only hands it back to the toolkit.
struct ScreenPoint {
  int x = 0;
  int y = 0;
};

// The controls of the window as the handlers use them. Texts are UTF-16; every text of the output
// box crosses this interface with CR LF line breaks, and its positions count in that text.
class FormControls {
 public:
  virtual ~FormControls() = default;

  // lstName
  virtual int ListCount() = 0;
  virtual bool ListSelected(int index) = 0;
  virtual std::u16string ListText(int index) = 0;
  virtual void ListRemove(int index) = 0;
  virtual void ListClear() = 0;
  virtual void ListAdd(std::u16string_view entry) = 0;
  // The entry at the list's current index (the one that last had the focus), selected or not;
  // empty when there is none.
  virtual std::u16string ListCurrentText() = 0;

  // txtXingShi
  virtual std::u16string FamilyNameText() = 0;
  // Where the caret stands in the family-name text, in UTF-16 units.
  virtual int FamilyNameCaret() = 0;
  // Replaces the text as the user would see it typed and puts the caret at `caret`.
  virtual void SetFamilyNameText(std::u16string_view text, int caret) = 0;
  virtual void SelectFamilyName(int start, int length) = 0;

  // txtOut
  virtual std::u16string OutText() = 0;
  virtual void SetOutText(std::u16string_view text) = 0;
  // Puts the selection at `start` with `length` characters selected and scrolls it into view.
  virtual void SetOutSelection(int start, int length) = 0;
  virtual void SetOutFontSize(double points) = 0;

  // The five date and time boxes and the option buttons.
  virtual void FillDateBox(DateBox box, const std::vector<std::u16string>& entries, std::u16string_view text) = 0;
  virtual std::u16string DateBoxText(DateBox box) = 0;
  virtual bool OptionValue(OptionButton option) = 0;

  // The window: its outer size in twips, where its controls go, the list's popup menu, closing.
  virtual TwipSize OuterSize() = 0;
  virtual void ApplyLayout(const FormLayout& layout) = 0;
  virtual void ShowListPopup(ScreenPoint at) = 0;
  // Closes the window, which raises Form_Unload.
  virtual void UnloadWindow() = 0;
  virtual void CloseOtherWindows() = 0;
};

enum class MessageIcon { None, Information, Critical };

// The desktop's clock reading, in the civil-time fields the calendar library takes.
using LocalDateTime = lunacal_civil_time;

// What the window asks of the desktop around it.
class Desktop {
 public:
  virtual ~Desktop() = default;
  // A message box with an OK button; it returns when the user has closed it.
  virtual void ShowMessage(std::u16string_view text, MessageIcon icon, std::u16string_view title) = 0;
  // A box with Yes and No buttons and no icon; true for Yes.
  virtual bool AskYesNo(std::u16string_view text, std::u16string_view title) = 0;
  // The per-user settings store: application / section / key -> text.
  virtual void SaveSetting(std::u16string_view application, std::u16string_view section, std::u16string_view key,
                           std::u16string_view value) = 0;
  virtual LocalDateTime Now() = 0;
  // Opens `address` with the default handler; false when the platform reports a failure.
  virtual bool OpenAddress(std::u16string_view address) = 0;
  // The folder that holds the program file, as the platform writes paths.
  virtual std::u16string ProgramFolder() = 0;
};

class frmName;

// One menu item as both toolkits build it: a separator when `handler` is null.
struct MenuItem {
  const char* name;
  std::u16string_view caption;
  void (frmName::*handler)();
};

class frmName {
 public:
  // The references are kept: controls, desktop and calendar outlive the form.
  frmName(FormControls& controls, Desktop& desktop, chart::Calendar& calendar);

  // The collection: the latest birth-chart report and the names collected since.
  const std::u16string& CollectionText() const { return ShouCangText; }
  // The layout the window last applied.
  const FormLayout& CurrentLayout() const { return layout_; }

  void Form_Load();
  void Form_Resize();
  void Form_Unload();
  void cmdYes_Click();
  void lstName_MouseDown(MouseButton button, ScreenPoint at);
  void mnuFileSave_Click();
  void mnuListRightSave_Click();
  void mnuFileDelName_Click();
  void mnulstRightDel_Click();
  void mnuFileNameWuGe_Click();
  void mnuRightNameWuGe_Click();
  void mnuRegNet_Click();
  void mnuFileExit_Click();
  void txtXingShi_GotFocus();
  // Raised whenever the family-name text changes, by typing or pasting.
  void txtXingShi_Change();

  void GenerateNames();
  void ShowBaZi();
  void OpenWebSite(std::u16string_view address);

 private:
  chart::BirthInput BirthInputFromBoxes();

  FormControls& controls_;
  Desktop& desktop_;
  chart::Calendar& calendar_;
  FormLayout layout_;
  std::u16string ShouCangText;
  // Set while a search runs: its message box keeps the event loop going, and a second press of the
  // button then must not start a search inside the first.
  bool searching_ = false;
};

// `text` without the control characters (C0, DEL and C1), which a family name never holds but a
// paste may bring; every other character, spaces included, stays.
std::u16string WithoutControlCharacters(std::u16string_view text);

// The menu bar's one menu, mnuFile, and the list's popup, mnulstRight, in order.
extern const std::array<MenuItem, 8> kFileMenu;
extern const std::array<MenuItem, 4> kListPopupMenu;

}  // namespace app
