// SPDX-License-Identifier: MIT
// What the window does, with no toolkit at all: start-up, the search with its message and chart,
// the list commands (popup, delete, collect, five-grid report), the layout, closing, and what a bad
// date or a missing library does. Controls and desktop are plain fakes; the calendar is the real
// library.

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "app/form_texts.h"
#include "app/main_window.h"
#include "app/tests/fake_controls.h"
#include "app/tests/fake_desktop.h"
#include "chart/calendar.h"
#include "naming/five_grids.h"
#include "naming/name_search.h"

namespace app {
namespace {

using testing::FakeControls;
using testing::FakeDesktop;
using testing::MissingCalendar;
using ::testing::ElementsAre;

constexpr std::u16string_view kCrLf = u"\r\n";

std::u16string Repeat(std::u16string_view text, int times) {
  std::u16string repeated;
  for (int i = 0; i < times; ++i) repeated += text;
  return repeated;
}

std::u16string Decimal(int value) {
  const std::string digits = std::to_string(value);
  return {digits.begin(), digits.end()};
}

std::vector<std::u16string> SplitLines(std::u16string_view text) {
  std::vector<std::u16string> lines;
  size_t from = 0;
  for (size_t at; (at = text.find(kCrLf, from)) != std::u16string_view::npos; from = at + 2) {
    lines.emplace_back(text.substr(from, at - from));
  }
  lines.emplace_back(text.substr(from));
  return lines;
}

class ListedNames final : public naming::NameList {
 public:
  void Clear() override { entries.clear(); }
  void AddEntry(std::u16string_view entry) override { entries.emplace_back(entry); }
  std::vector<std::u16string> entries;
};

class FormTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite() { calendar_ = chart::MakeLunacalCalendar().release(); }
  static void TearDownTestSuite() { delete calendar_; }

  explicit FormTest(chart::Calendar* calendar = nullptr) : form(controls, desktop, calendar ? *calendar : *calendar_) {
    form.Form_Load();
  }

  void SetMoment(std::u16string year, std::u16string month, std::u16string day, std::u16string hour,
                 std::u16string minute) {
    controls.date_boxes[DateBox::cboYear].text = std::move(year);
    controls.date_boxes[DateBox::cboMonth].text = std::move(month);
    controls.date_boxes[DateBox::cboDay].text = std::move(day);
    controls.date_boxes[DateBox::cboHour].text = std::move(hour);
    controls.date_boxes[DateBox::cboMinute].text = std::move(minute);
  }
  void Search(std::u16string family_name) {
    controls.family_name = std::move(family_name);
    form.cmdYes_Click();
  }
  void Choose(bool one_character, bool girl) {
    controls.options[OptionButton::optOne] = one_character;
    controls.options[OptionButton::optTwo] = !one_character;
    controls.options[OptionButton::optWoman] = girl;
    controls.options[OptionButton::optMan] = !girl;
  }

  static chart::Calendar* calendar_;
  FakeControls controls;
  FakeDesktop desktop;
  frmName form;
};

chart::Calendar* FormTest::calendar_ = nullptr;

TEST_F(FormTest, StartUp_WritesPathAndVersionSettings) {
  EXPECT_THAT(desktop.settings,
              ElementsAre(testing::SavedSetting{u"tavren", u"Start", u"Path", desktop.program_folder},
                          testing::SavedSetting{u"tavren", u"Start", u"Ver", u"3.1"}));
}

TEST_F(FormTest, StartUp_FillsDateBoxesAndProposesThePresentMoment) {
  struct Expected {
    DateBox box;
    int first;
    int last;
    std::u16string text;
  };
  const Expected cases[] = {{DateBox::cboYear, 1980, 2045, u"2024"},
                            {DateBox::cboMonth, 1, 12, u"5"},
                            {DateBox::cboDay, 1, 31, u"6"},
                            {DateBox::cboHour, 0, 23, u"7"},
                            {DateBox::cboMinute, 0, 59, u"8"}};
  for (const Expected& expected : cases) {
    const auto& box = controls.date_boxes[expected.box];
    ASSERT_EQ(box.entries.size(), static_cast<size_t>(expected.last - expected.first + 1));
    // Ascending decimal numbers without leading zeros.
    for (size_t i = 0; i < box.entries.size(); ++i) {
      EXPECT_EQ(box.entries[i], Decimal(expected.first + static_cast<int>(i)));
    }
    EXPECT_EQ(box.text, expected.text);
  }
}

TEST_F(FormTest, StartUp_ShowsFeatureTextWithCrLf) {
  const std::vector<std::u16string> pieces = SplitLines(controls.out);
  ASSERT_EQ(pieces.size(), 6u);
  EXPECT_TRUE(pieces.back().empty());
  EXPECT_EQ(pieces[0], u"本软件四大特色：");
  const size_t indents[] = {8, 7, 7, 6};
  for (size_t i = 0; i < 4; ++i) {
    const std::u16string& paragraph = pieces[i + 1];
    EXPECT_EQ(paragraph.find_first_not_of(u' '), indents[i]);
    EXPECT_EQ(paragraph.back() == u' ', i < 3);
    EXPECT_EQ(paragraph[indents[i]], u'第');
  }
  EXPECT_TRUE(form.CollectionText().empty());
}

TEST_F(FormTest, FamilyNameFocus_SelectsItAll) {
  controls.family_name = u"欧阳";
  form.txtXingShi_GotFocus();
  EXPECT_EQ(controls.family_selection, (std::pair<int, int>{0, 2}));
}

TEST_F(FormTest, FamilyNameChange_RemovesControlCharactersOnly) {
  const std::pair<std::u16string, std::u16string> cases[] = {
      {std::u16string(u"王\0明", 3), u"王明"},
      {u"\a王\t\r\n", u"王"},
      {u"欧\x7F阳\x85\x9F", u"欧阳"},
      {u" 王 明 ", u" 王 明 "},
      {u"\xA0王\x7E", u"\xA0王\x7E"},
      {u"", u""},
  };
  for (const auto& [typed, kept] : cases) {
    controls.family_name = typed;
    form.txtXingShi_Change();
    EXPECT_EQ(controls.family_name, kept);
  }
}

TEST_F(FormTest, FamilyNameChange_KeepsTheCaretAfterTheSameCharacters) {
  controls.family_name = std::u16string(u"王\a\0李家", 5);
  controls.family_caret = 4;
  form.txtXingShi_Change();
  EXPECT_EQ(controls.family_name, u"王李家");
  EXPECT_EQ(controls.family_caret, 2);
}

TEST_F(FormTest, FamilyNameChange_SearchesTheVisibleTextAfterAPaste) {
  controls.family_name = std::u16string(u"王\0", 2);
  form.txtXingShi_Change();
  form.cmdYes_Click();
  ASSERT_EQ(controls.Entries().size(), 24u);
  EXPECT_EQ(controls.Entries()[0], u"王袍灌");
}

// A desktop whose question box is answered by pressing the search button once more, as a user
// may while the box is open.
class PressingAgainDesktop final : public Desktop {
 public:
  explicit PressingAgainDesktop(FakeDesktop& inner) : inner_(inner) {}
  void ShowMessage(std::u16string_view text, MessageIcon icon, std::u16string_view title) override {
    inner_.ShowMessage(text, icon, title);
  }
  bool AskYesNo(std::u16string_view text, std::u16string_view title) override {
    if (form != nullptr) form->cmdYes_Click();
    return inner_.AskYesNo(text, title);
  }
  void SaveSetting(std::u16string_view a, std::u16string_view s, std::u16string_view k,
                   std::u16string_view v) override {
    inner_.SaveSetting(a, s, k, v);
  }
  LocalDateTime Now() override { return inner_.Now(); }
  bool OpenAddress(std::u16string_view address) override { return inner_.OpenAddress(address); }
  std::u16string ProgramFolder() override { return inner_.ProgramFolder(); }
  frmName* form = nullptr;

 private:
  FakeDesktop& inner_;
};

TEST_F(FormTest, SearchButton_PressedWhileItsBoxIsOpen_DoesNothing) {
  PressingAgainDesktop pressing(desktop);
  frmName reentered(controls, pressing, *calendar_);
  pressing.form = &reentered;
  controls.family_name = u"王";
  reentered.cmdYes_Click();
  EXPECT_EQ(desktop.questions.size(), 1u);
  // Once the first search is over the button works again (and its own box ignores the press).
  reentered.cmdYes_Click();
  EXPECT_EQ(desktop.questions.size(), 2u);
}

TEST_F(FormTest, SearchWang_ListsTwentyFourNamesAndReportsTheTotal) {
  Search(u"王");
  const std::vector<std::u16string> entries = controls.Entries();
  ASSERT_EQ(entries.size(), 24u);
  EXPECT_EQ(entries[0], u"王袍灌");
  EXPECT_EQ(entries[1], u"王袍垄");
  EXPECT_TRUE(std::all_of(entries.begin(), entries.end(), [](const auto& e) { return e.starts_with(u"王袍"); }));
  ASSERT_EQ(desktop.questions.size(), 1u);
  EXPECT_TRUE(desktop.questions[0].starts_with(u"本次共生成 26728 个好名；"));
  EXPECT_EQ(desktop.question_titles[0], texts::kAppTitle);
  EXPECT_TRUE(desktop.messages.empty());
}

TEST_F(FormTest, Search_ListsWhatTheSearchFindsForTheChoices) {
  struct Case {
    std::u16string family_name;
    bool one_character;
    bool girl;
    size_t count;
  };
  const Case cases[] = {{u"王", false, true, 228}, {u"王", true, false, 0},        {u"", true, false, 0},
                        {u"欧阳", true, false, 0}, {u"欧阳", false, true, 0},     {u"公孙", true, false, 11},
                        {u"李", false, false, 196}, {u"", false, true, 120}};
  for (const Case& c : cases) {
    Choose(c.one_character, c.girl);
    desktop.questions.clear();
    Search(c.family_name);
    ListedNames expected;
    const int32_t total = naming::GenerateNames(expected, c.family_name,
                                                c.one_character ? naming::NameLength::One : naming::NameLength::Two,
                                                c.girl ? naming::Sex::Girl : naming::Sex::Boy);
    EXPECT_EQ(controls.Entries(), expected.entries);
    EXPECT_EQ(controls.Entries().size(), c.count);
    EXPECT_THAT(desktop.questions, ElementsAre(naming::GenerateNamesMessage(total)));
  }
}

TEST_F(FormTest, SearchAnswer_OpensTheSiteOnlyOnYes) {
  Search(u"王");
  EXPECT_TRUE(desktop.opened.empty());
  desktop.answer_yes = true;
  Search(u"王");
  EXPECT_THAT(desktop.opened, ElementsAre(kMakerWebSite));
}

TEST_F(FormTest, Search_WritesTheBirthChartOfTheEnteredMoment) {
  SetMoment(u"2000", u"1", u"1", u"12", u"0");
  Search(u"王");
  const std::vector<std::u16string> lines = SplitLines(controls.out);
  ASSERT_EQ(lines.size(), 7u);
  EXPECT_EQ(lines[0], u"宝宝生日：");
  EXPECT_EQ(lines[1], u"公历日期：2000年1月1日 12时0分");
  EXPECT_TRUE(lines[2].starts_with(u"农历日期：1999年"));
  EXPECT_EQ(lines[3], u"干支日期：己卯年 丙子月 戊午日 戊午时");
  EXPECT_TRUE(lines[4].starts_with(u"纳音五行："));
  EXPECT_TRUE(lines[5].starts_with(u"五行所缺："));
  EXPECT_TRUE(lines[6].empty());
  EXPECT_EQ(form.CollectionText(), controls.out);
}

TEST_F(FormTest, BadDate_ReportsAndKeepsListTextAndCollection) {
  const std::array<std::array<std::u16string, 3>, 3> bad_dates = {
      {{u"2000", u"4", u"31"}, {u"abc", u"1", u"1"}, {u"2000", u"1", u""}}};
  for (const auto& [year, month, day] : bad_dates) {
    SetMoment(u"2000", u"1", u"1", u"12", u"0");
    Search(u"王");
    controls.Select({0, 3});
    form.mnuFileDelName_Click();
    controls.Select({1});
    form.mnuFileSave_Click();
    const auto entries = controls.Entries();
    const std::u16string text = controls.out;
    const std::u16string collection = form.CollectionText();
    desktop.messages.clear();
    desktop.questions.clear();

    SetMoment(year, month, day, u"12", u"0");
    Search(u"王");
    ASSERT_EQ(desktop.messages.size(), 1u);
    EXPECT_EQ(desktop.messages[0].icon, MessageIcon::Information);
    EXPECT_EQ(desktop.messages[0].title, texts::kAppTitle);
    EXPECT_FALSE(desktop.messages[0].text.empty());
    EXPECT_TRUE(desktop.questions.empty());
    EXPECT_EQ(controls.Entries(), entries);
    EXPECT_EQ(controls.out, text);
    EXPECT_EQ(form.CollectionText(), collection);
  }
}

class MissingLibraryTest : public FormTest {
 protected:
  MissingLibraryTest() : FormTest(&missing_) {}
  static MissingCalendar missing_;
};
MissingCalendar MissingLibraryTest::missing_;

TEST_F(MissingLibraryTest, ListsTheNamesThenSaysWhatIsMissing_KeepingTheText) {
  controls.list = {{u"王袍灌", true}, {u"王袍垄"}};
  const std::u16string text = controls.out;
  Search(u"王");
  EXPECT_EQ(controls.Entries().size(), 24u);
  EXPECT_EQ(desktop.questions.size(), 1u);
  EXPECT_THAT(desktop.Information(), ElementsAre(missing_.ErrorMessage()));
  EXPECT_EQ(controls.out, text);
  EXPECT_TRUE(form.CollectionText().empty());
}

TEST_F(FormTest, RightPress_ShowsThePopupAtTheMouse_OtherButtonsDoNot) {
  form.lstName_MouseDown(MouseButton::Left, {5, 6});
  form.lstName_MouseDown(MouseButton::Middle, {5, 6});
  EXPECT_TRUE(controls.popups.empty());
  form.lstName_MouseDown(MouseButton::Right, {40, 50});
  ASSERT_EQ(controls.popups.size(), 1u);
  EXPECT_EQ(controls.popups[0].x, 40);
  EXPECT_EQ(controls.popups[0].y, 50);
}

TEST_F(FormTest, MenuTables_HoldTheItemsInOrderAndThePopupCallsTheFileItems) {
  std::vector<std::string> names;
  for (const MenuItem& item : kFileMenu) names.emplace_back(item.name);
  EXPECT_THAT(names, ElementsAre("mnuFileSave", "mnuFileDelName", "mnuFile01", "mnuFileNameWuGe", "mnuNet02",
                                 "mnuRegNet", "mnuFile02", "mnuFileExit"));
  names.clear();
  for (const MenuItem& item : kListPopupMenu) names.emplace_back(item.name);
  EXPECT_THAT(names, ElementsAre("mnuListRightSave", "mnulstRightDel", "mnuR01", "mnuRightNameWuGe"));
  EXPECT_EQ(kFileMenu[2].handler, nullptr);
  EXPECT_EQ(kListPopupMenu[2].handler, nullptr);
  EXPECT_EQ(kFileMenu[7].caption, u"退出");

  Search(u"王");
  const auto entries = controls.Entries();
  controls.Select({0, 1});
  (form.*kListPopupMenu[1].handler)();
  EXPECT_EQ(controls.Entries(), std::vector<std::u16string>(entries.begin() + 2, entries.end()));
  controls.Select({0});
  (form.*kListPopupMenu[0].handler)();
  EXPECT_TRUE(controls.out.ends_with(entries[2] + u"\r\n"));
  controls.current = 0;
  (form.*kListPopupMenu[3].handler)();
  EXPECT_NE(controls.out.find(u"天格："), std::u16string::npos);
}

TEST_F(FormTest, Delete_RemovesScatteredSelectionKeepingOrder) {
  Search(u"王");
  std::vector<std::u16string> expected = controls.Entries();
  controls.Select({2, 5, 7});
  for (int row : {7, 5, 2}) expected.erase(expected.begin() + row);
  const std::u16string text = controls.out;
  const std::u16string collection = form.CollectionText();
  form.mnuFileDelName_Click();
  EXPECT_EQ(controls.Entries(), expected);
  EXPECT_EQ(controls.out, text);
  EXPECT_EQ(form.CollectionText(), collection);
  form.mnuFileDelName_Click();
  EXPECT_EQ(controls.Entries(), expected);
}

TEST_F(FormTest, Collect_ThreeOfTen_AppendsThemLastFirstAndRemovesThem) {
  Search(u"王");
  controls.list.resize(10);
  controls.list[7].text = u"  " + controls.list[7].text + u" ";
  const auto entries = controls.Entries();
  const std::u16string report = form.CollectionText();
  // A five-grid report on screen is replaced by the collection.
  controls.current = 0;
  form.mnuFileNameWuGe_Click();

  controls.Select({2, 7, 9});
  form.mnuFileSave_Click();
  const std::u16string expected = report + entries[9] + u"\r\n" + entries[7].substr(2, 3) + u"\r\n" + entries[2] + u"\r\n";
  EXPECT_EQ(controls.out, expected);
  EXPECT_EQ(form.CollectionText(), expected);
  std::vector<std::u16string> rest = entries;
  for (int row : {9, 7, 2}) rest.erase(rest.begin() + row);
  EXPECT_EQ(controls.Entries(), rest);
  EXPECT_EQ(controls.out_font_size, 14.0);

  // The second command starts right after the first one's last line.
  controls.Select({0, 1});
  form.mnuFileSave_Click();
  EXPECT_EQ(controls.out, expected + rest[1] + u"\r\n" + rest[0] + u"\r\n");
  EXPECT_EQ(controls.Entries().size(), 5u);
}

TEST_F(FormTest, Collect_BeforeAnySearch_EmptiesTheOutput) {
  form.mnuFileSave_Click();
  EXPECT_EQ(controls.out, u"");
  EXPECT_EQ(form.CollectionText(), u"");
  EXPECT_EQ(controls.out_font_size, 14.0);
}

TEST_F(FormTest, NewSearch_ResetsTheCollection) {
  Search(u"王");
  const std::u16string report = form.CollectionText();
  controls.Select({0});
  form.mnuFileSave_Click();
  Search(u"王");
  EXPECT_EQ(form.CollectionText(), report);
  EXPECT_EQ(controls.Entries().size(), 24u);
}

TEST_F(FormTest, FiveGridReport_Twice_AppendsTwoReportsAndPutsCaretAtTheSecond) {
  Search(u"王");
  const std::u16string report = controls.out;
  controls.current = 0;
  form.mnuFileNameWuGe_Click();
  const std::u16string once = controls.out;
  ASSERT_TRUE(once.starts_with(report + u"\r\n\r\n天格：5\r\n"));
  const std::u16string grid_report = once.substr(report.size() + 4);
  std::u16string expected;
  const std::pair<std::u16string_view, int16_t> blocks[] = {
      {u"天格：", 5}, {u"人格：", 15}, {u"地格：", 33}, {u"总格：", 37}, {u"外格：", 23}};
  for (const auto& [label, number] : blocks) {
    expected += std::u16string(label) + Decimal(number) + u"\r\n" + std::u16string(naming::GetShuLi(number)) +
                u"\r\n\r\n";
  }
  EXPECT_EQ(grid_report, expected);
  EXPECT_EQ(controls.out_selection, (std::pair<int, int>{static_cast<int>(report.size() + 4), 0}));

  form.mnuFileNameWuGe_Click();
  EXPECT_EQ(controls.out, once + u"\r\n\r\n" + grid_report);
  EXPECT_TRUE(controls.out.substr(0, once.size() + 4).ends_with(Repeat(kCrLf, 4)));
  EXPECT_EQ(controls.out_selection, (std::pair<int, int>{static_cast<int>(once.size() + 4), 0}));
  EXPECT_EQ(form.CollectionText(), report);
}

TEST_F(FormTest, FiveGridReport_SplitsByTheFamilyNameAsItNowStands) {
  struct Case {
    std::u16string entry, family_name, given_name;
  };
  const Case cases[] = {{u"欧阳明", u"欧阳", u"明"},
                        {u"王袍灌", u"王袍", u"灌"},
                        {u"王袍灌", u"王袍灌", u""},
                        // A character outside the basic plane is one character, two UTF-16 units.
                        {u"𠀋王明", u"𠀋", u"王明"}};
  for (const Case& c : cases) {
    controls.list = {{c.entry}};
    controls.current = 0;
    controls.family_name = c.family_name;
    const naming::WuGe grids = naming::GetWuGe(c.family_name, c.given_name);
    form.mnuFileNameWuGe_Click();
    const std::pair<std::u16string_view, int16_t> blocks[] = {{u"天格：", grids.TianGe},
                                                              {u"人格：", grids.RenGe},
                                                              {u"地格：", grids.DiGe},
                                                              {u"总格：", grids.ZongGe},
                                                              {u"外格：", grids.WaiGe}};
    const size_t mark = static_cast<size_t>(controls.out_selection.first);
    size_t at = mark;
    for (const auto& [label, number] : blocks) {
      const std::u16string line = std::u16string(label) + Decimal(number) + u"\r\n";
      EXPECT_EQ(controls.out.find(line, at), at);
      at = controls.out.find(u"\r\n\r\n", at) + 4;
    }
    EXPECT_EQ(at, controls.out.size());
  }
}

TEST_F(FormTest, FiveGridReport_GridWithoutReading_SaysSo) {
  // Characters outside the dictionary count no strokes, so every grid of this name is 0.
  controls.list = {{u"ab"}};
  controls.current = 0;
  controls.family_name = u"";
  form.mnuFileNameWuGe_Click();
  EXPECT_NE(controls.out.find(u"天格：0\r\n（此数不在1至81之间，没有对应的数理释义）\r\n\r\n"), std::u16string::npos);
  size_t count = 0;
  for (size_t at = 0; (at = controls.out.find(u"（此数不在1至81之间", at)) != std::u16string::npos; ++at) ++count;
  EXPECT_EQ(count, 5u);
}

TEST_F(FormTest, FiveGridReport_WithoutCurrentEntry_AsksForOne) {
  Search(u"王");
  controls.Select({1, 2});
  desktop.messages.clear();
  const std::u16string text = controls.out;
  form.mnuFileNameWuGe_Click();
  EXPECT_THAT(desktop.messages,
              ElementsAre(testing::ShownMessage{u"请选择一个姓名！", MessageIcon::Information, u"澄禾起名宝"}));
  EXPECT_EQ(controls.out, text);
}

TEST_F(FormTest, Resize_AppliesTheLayoutAndKeepsItBelowTheThreshold) {
  form.Form_Resize();
  ASSERT_EQ(controls.applied.size(), 1u);
  EXPECT_EQ(controls.applied.back(), ArrangeForm({}, kDefaultOuterWidth, kDefaultOuterHeight));
  const FormLayout before = form.CurrentLayout();

  controls.outer = {12000, kMinimumOuterHeight - 1};
  form.Form_Resize();
  EXPECT_EQ(controls.applied.back(), before);
  controls.outer = {12000, 9000};
  form.Form_Resize();
  EXPECT_EQ(controls.applied.back().txtOut.width, before.txtOut.width + 12000 - kDefaultOuterWidth);
  EXPECT_EQ(form.CurrentLayout(), controls.applied.back());
}

TEST_F(FormTest, Exit_UnloadsTheWindow_UnloadOpensTheSiteOnceAndClosesTheOthers) {
  form.mnuFileExit_Click();
  EXPECT_EQ(controls.unloads, 1);
  EXPECT_TRUE(desktop.opened.empty());
  form.Form_Unload();
  EXPECT_THAT(desktop.opened, ElementsAre(kMakerWebSite));
  EXPECT_EQ(controls.others_closed, 1);
}

TEST_F(FormTest, WebSite_FromMenu_ReportsBrowserFailure) {
  form.mnuRegNet_Click();
  EXPECT_THAT(desktop.opened, ElementsAre(kMakerWebSite));
  EXPECT_TRUE(desktop.messages.empty());
  desktop.browser_works = false;
  form.mnuRegNet_Click();
  EXPECT_THAT(desktop.messages,
              ElementsAre(testing::ShownMessage{u"调用浏览器错误！", MessageIcon::Critical, u"错误："}));
  // A failing browser at closing is reported too, and the closing still completes.
  form.Form_Unload();
  EXPECT_EQ(desktop.messages.size(), 2u);
  EXPECT_EQ(controls.others_closed, 1);
}

}  // namespace
}  // namespace app
