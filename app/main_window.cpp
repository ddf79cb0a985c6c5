// SPDX-License-Identifier: MIT
#include "app/main_window.h"

#include <algorithm>
#include <cstdint>
#include <string>

#include "app/form_texts.h"
#include "chart/birth_chart.h"
#include "naming/five_grids.h"
#include "naming/name_search.h"

namespace app {
namespace {

constexpr std::u16string_view kCrLf = u"\r\n";

// Shown in a five-grid block when a grid has no reading, which happens when the family-name box
// was edited after the search or a character is missing from the stroke dictionary.
constexpr std::u16string_view kNoReading = u"（此数不在1至81之间，没有对应的数理释义）";

constexpr std::u16string_view kSettingsApplication = u"tavren";

struct DateBoxRange {
  int first;
  int last;
};
// The choices of each date box, whatever the month: a day box always offers 31 days.
constexpr std::array<DateBoxRange, 5> kDateBoxRanges = {{{1980, 2045}, {1, 12}, {1, 31}, {0, 23}, {0, 59}}};

std::u16string Decimal(int64_t value) {
  const std::string digits = std::to_string(value);
  return {digits.begin(), digits.end()};
}

bool IsHighSurrogate(char16_t unit) { return unit >= 0xD800 && unit <= 0xDBFF; }
bool IsLowSurrogate(char16_t unit) { return unit >= 0xDC00 && unit <= 0xDFFF; }

// How many UTF-16 units the first character of `text` takes: a surrogate pair is one character.
size_t FirstCharacterUnits(std::u16string_view text) {
  return text.size() >= 2 && IsHighSurrogate(text[0]) && IsLowSurrogate(text[1]) ? 2 : 1;
}

size_t CharacterCount(std::u16string_view text) {
  size_t count = 0;
  for (size_t at = 0; at < text.size(); at += FirstCharacterUnits(text.substr(at))) ++count;
  return count;
}

// `text` without its first `count` characters; empty when it has no more than that.
std::u16string_view DropCharacters(std::u16string_view text, size_t count) {
  size_t at = 0;
  for (; count > 0 && at < text.size(); --count) at += FirstCharacterUnits(text.substr(at));
  return text.substr(at);
}

// Leading and trailing blanks only: a collected line keeps any other character the entry holds.
std::u16string_view TrimSpaces(std::u16string_view text) {
  const size_t first = text.find_first_not_of(u' ');
  if (first == std::u16string_view::npos) return {};
  return text.substr(first, text.find_last_not_of(u' ') - first + 1);
}

int Units(size_t length) { return static_cast<int>(std::min<size_t>(length, INT32_MAX)); }

// The search fills the window's list box through this.
class ListBoxNames final : public naming::NameList {
 public:
  explicit ListBoxNames(FormControls& controls) : controls_(controls) {}
  void Clear() override { controls_.ListClear(); }
  void AddEntry(std::u16string_view entry) override { controls_.ListAdd(entry); }

 private:
  FormControls& controls_;
};

}  // namespace

const std::array<MenuItem, 8> kFileMenu = {{
    {"mnuFileSave", texts::kmnuFileSave, &frmName::mnuFileSave_Click},
    {"mnuFileDelName", texts::kmnuFileDelName, &frmName::mnuFileDelName_Click},
    {"mnuFile01", {}, nullptr},
    {"mnuFileNameWuGe", texts::kmnuFileNameWuGe, &frmName::mnuFileNameWuGe_Click},
    {"mnuNet02", {}, nullptr},
    {"mnuRegNet", texts::kmnuRegNet, &frmName::mnuRegNet_Click},
    {"mnuFile02", {}, nullptr},
    {"mnuFileExit", texts::kmnuFileExit, &frmName::mnuFileExit_Click},
}};

const std::array<MenuItem, 4> kListPopupMenu = {{
    {"mnuListRightSave", texts::kmnuListRightSave, &frmName::mnuListRightSave_Click},
    {"mnulstRightDel", texts::kmnulstRightDel, &frmName::mnulstRightDel_Click},
    {"mnuR01", {}, nullptr},
    {"mnuRightNameWuGe", texts::kmnuRightNameWuGe, &frmName::mnuRightNameWuGe_Click},
}};

frmName::frmName(FormControls& controls, Desktop& desktop, chart::Calendar& calendar)
    : controls_(controls), desktop_(desktop), calendar_(calendar), layout_(DefaultLayout()) {}

void frmName::Form_Load() {
  desktop_.SaveSetting(kSettingsApplication, texts::kSettingsSection, texts::kSettingsPath, desktop_.ProgramFolder());
  desktop_.SaveSetting(kSettingsApplication, texts::kSettingsSection, texts::kSettingsVer,
                       Decimal(NAME_VERSION_MAJOR) + u"." + Decimal(NAME_VERSION_MINOR));

  const LocalDateTime now = desktop_.Now();
  const std::array<int, 5> present = {now.year, now.month, now.day, now.hour, now.minute};
  for (size_t i = 0; i < kDateBoxes.size(); ++i) {
    std::vector<std::u16string> entries;
    for (int n = kDateBoxRanges[i].first; n <= kDateBoxRanges[i].last; ++n) entries.push_back(Decimal(n));
    controls_.FillDateBox(kDateBoxes[i], entries, Decimal(present[i]));
  }

  std::u16string features;
  for (std::u16string_view piece : texts::kFeaturePieces) (features += piece) += kCrLf;
  controls_.SetOutText(features);
}

void frmName::Form_Resize() {
  const TwipSize outer = controls_.OuterSize();
  layout_ = ArrangeForm(layout_, outer.width, outer.height);
  controls_.ApplyLayout(layout_);
}

void frmName::Form_Unload() {
  // Closing must always complete, so nothing that goes wrong on the way may stop it.
  try {
    OpenWebSite(kMakerWebSite);
    controls_.CloseOtherWindows();
  } catch (...) {
  }
}

chart::BirthInput frmName::BirthInputFromBoxes() {
  return {controls_.DateBoxText(DateBox::cboYear), controls_.DateBoxText(DateBox::cboMonth),
          controls_.DateBoxText(DateBox::cboDay), controls_.DateBoxText(DateBox::cboHour),
          controls_.DateBoxText(DateBox::cboMinute)};
}

void frmName::cmdYes_Click() {
  if (searching_) return;
  searching_ = true;
  struct Done {
    bool& flag;
    ~Done() { flag = false; }
  } done{searching_};
  // A date that cannot be read is reported before the search, so the list the user has been
  // working on is not replaced by a search whose chart could not be written.
  std::u16string message;
  if (!chart::BirthMoment(BirthInputFromBoxes(), message)) {
    desktop_.ShowMessage(message, MessageIcon::Information, texts::kAppTitle);
    return;
  }
  // The names need no calendar: without one the search still lists them, and the chart then says
  // which library or function is missing.
  GenerateNames();
  ShowBaZi();
}

void frmName::GenerateNames() {
  ListBoxNames names(controls_);
  const std::u16string family_name = controls_.FamilyNameText();
  const auto length = controls_.OptionValue(OptionButton::optOne) ? naming::NameLength::One : naming::NameLength::Two;
  const auto sex = controls_.OptionValue(OptionButton::optWoman) ? naming::Sex::Girl : naming::Sex::Boy;
  const int32_t total = naming::GenerateNames(names, family_name, length, sex);
  if (desktop_.AskYesNo(naming::GenerateNamesMessage(total), texts::kAppTitle)) OpenWebSite(kMakerWebSite);
}

void frmName::ShowBaZi() {
  const chart::BaZiReport report = chart::BuildBaZiReport(calendar_, BirthInputFromBoxes());
  if (!report.text) {
    desktop_.ShowMessage(report.message, MessageIcon::Information, texts::kAppTitle);
    return;
  }
  controls_.SetOutText(*report.text);
  ShouCangText = controls_.OutText();
}

void frmName::OpenWebSite(std::u16string_view address) {
  if (!desktop_.OpenAddress(address)) {
    desktop_.ShowMessage(texts::kBrowserError, MessageIcon::Critical, texts::kBrowserErrorTitle);
  }
}

void frmName::lstName_MouseDown(MouseButton button, ScreenPoint at) {
  if (button == MouseButton::Right) controls_.ShowListPopup(at);
}

void frmName::mnuFileSave_Click() {
  const int count = controls_.ListCount();
  std::u16string text = ShouCangText;
  for (int i = count - 1; i >= 0; --i) {
    if (controls_.ListSelected(i)) {
      (text += TrimSpaces(controls_.ListText(i))) += kCrLf;
      controls_.ListRemove(i);
    }
  }
  controls_.SetOutText(text);
  controls_.SetOutFontSize(14);
  ShouCangText = controls_.OutText();
}

void frmName::mnuListRightSave_Click() { mnuFileSave_Click(); }

void frmName::mnuFileDelName_Click() {
  for (int i = controls_.ListCount() - 1; i >= 0; --i) {
    if (controls_.ListSelected(i)) controls_.ListRemove(i);
  }
}

void frmName::mnulstRightDel_Click() { mnuFileDelName_Click(); }

void frmName::mnuFileNameWuGe_Click() {
  const std::u16string chosen = controls_.ListCurrentText();
  if (chosen.empty()) {
    desktop_.ShowMessage(texts::kChooseAName, MessageIcon::Information, texts::kAppTitle);
    return;
  }
  const std::u16string family_name = controls_.FamilyNameText();
  const std::u16string_view given_name = DropCharacters(chosen, CharacterCount(family_name));
  const naming::WuGe grids = naming::GetWuGe(family_name, given_name);

  std::u16string text = controls_.OutText();
  (text += kCrLf) += kCrLf;
  const size_t mark = text.size();
  const std::array<int16_t, 5> numbers = {grids.TianGe, grids.RenGe, grids.DiGe, grids.ZongGe, grids.WaiGe};
  for (size_t i = 0; i < texts::kGridLabels.size(); ++i) {
    const std::u16string_view reading = naming::GetShuLi(numbers[i]);
    text += texts::kGridLabels[i];
    (text += Decimal(numbers[i])) += kCrLf;
    ((text += reading.empty() ? kNoReading : reading) += kCrLf) += kCrLf;
  }
  controls_.SetOutText(text);
  controls_.SetOutSelection(Units(mark), 0);
}

void frmName::mnuRightNameWuGe_Click() { mnuFileNameWuGe_Click(); }

void frmName::mnuRegNet_Click() { OpenWebSite(kMakerWebSite); }

void frmName::mnuFileExit_Click() { controls_.UnloadWindow(); }

void frmName::txtXingShi_Change() {
  const std::u16string text = controls_.FamilyNameText();
  const std::u16string clean = WithoutControlCharacters(text);
  if (clean == text) return;
  // The caret stays after the same characters it followed.
  const size_t caret = std::min<size_t>(static_cast<size_t>(std::max(controls_.FamilyNameCaret(), 0)), text.size());
  controls_.SetFamilyNameText(clean, Units(WithoutControlCharacters(std::u16string_view(text).substr(0, caret)).size()));
}

std::u16string WithoutControlCharacters(std::u16string_view text) {
  std::u16string kept;
  kept.reserve(text.size());
  for (char16_t unit : text) {
    const bool control = unit < 0x20 || (unit >= 0x7F && unit <= 0x9F);
    if (!control) kept += unit;
  }
  return kept;
}

void frmName::txtXingShi_GotFocus() { controls_.SelectFamilyName(0, Units(controls_.FamilyNameText().size())); }

}  // namespace app
