// SPDX-License-Identifier: MIT
// Covers what is the Win32 window's own: its controls, captions, styles, fonts and menus, the
// list-box and edit messages behind the form's list and text operations, the popup menu from the
// mouse and the keyboard, Tab and Enter, the layout in pixels at the window's DPI, and closing.
// The window is the real one, created in this process; the desktop is a fake and the real
// lunacal.dll beside this program writes the charts.
#include <windows.h>
#include <commctrl.h>

#include <array>
#include <cmath>
#include <cstdio>
#include <memory>
#include <string>
#include <vector>

#include "app/form_texts.h"
#include "app/layout.h"
#include "app/tests/fake_desktop.h"
#include "app/win32/tests/check.h"
#include "app/win32/tests/suites.h"
#include "app/win32/wide_text.h"
#include "app/win32/win32_window.h"
#include "chart/calendar.h"
#include "chart/lunacal_calendar.h"
#include "chart/lunacal_calendar_win32.h"

namespace app::win32::testing {
namespace {

using app::testing::FakeDesktop;
using app::testing::SavedSetting;

constexpr std::u16string_view kChartLine = u"干支日期：己卯年 丙子月 戊午日 戊午时\r\n";

struct PopupCall {
  HMENU menu;
  POINT at;
  HWND owner;
};
std::vector<PopupCall> popup_calls;
UINT popup_answer = 0;

UINT FakeTrackPopup(HMENU menu, POINT at, HWND owner) {
  popup_calls.push_back({menu, at, owner});
  return popup_answer;
}

UINT Command(const std::array<MenuItem, 8>& menu, UINT first, std::string_view name) {
  for (size_t i = 0; i < menu.size(); ++i) {
    if (name == menu[i].name) return first + static_cast<UINT>(i);
  }
  return 0;
}
UINT FileCommand(std::string_view name) { return Command(kFileMenu, kFileMenuFirstCommand, name); }
UINT PopupCommand(std::string_view name) {
  for (size_t i = 0; i < kListPopupMenu.size(); ++i) {
    if (name == kListPopupMenu[i].name) return kListPopupFirstCommand + static_cast<UINT>(i);
  }
  return 0;
}

int FontHeight(double points, UINT dpi) { return -static_cast<int>(std::lround(points * dpi / 72.0)); }

LOGFONTW FontOf(HWND control) {
  LOGFONTW font{};
  GetObjectW(reinterpret_cast<HFONT>(SendMessageW(control, WM_GETFONT, 0, 0)), sizeof font, &font);
  return font;
}

DWORD StyleOf(HWND control) { return static_cast<DWORD>(GetWindowLongPtrW(control, GWL_STYLE)); }

std::u16string ClassOf(HWND control) {
  wchar_t name[64] = {};
  GetClassNameW(control, name, 64);
  return Utf16(name);
}

// A control's rectangle in its parent's client area.
RECT PlaceOf(HWND control) {
  RECT rect{};
  GetWindowRect(control, &rect);
  MapWindowPoints(nullptr, GetParent(control), reinterpret_cast<POINT*>(&rect), 2);
  return rect;
}

RECT Pixels(const TwipRect& twips, UINT dpi) {
  auto px = [dpi](double value) { return static_cast<LONG>(std::lround(value * dpi / 1440.0)); };
  return {px(twips.left), px(twips.top), px(twips.left + twips.width), px(twips.top + twips.height)};
}

bool Same(const RECT& a, const RECT& b) {
  return a.left == b.left && a.top == b.top && a.right == b.right && a.bottom == b.bottom;
}

std::u16string MenuText(HMENU menu, UINT position, UINT& type, UINT& id) {
  wchar_t text[64] = {};
  MENUITEMINFOW item{};
  item.cbSize = sizeof item;
  item.fMask = MIIM_FTYPE | MIIM_STRING | MIIM_ID;
  item.dwTypeData = text;
  item.cch = 64;
  GetMenuItemInfoW(menu, position, TRUE, &item);
  type = item.fType;
  id = item.wID;
  return Utf16(text);
}

struct TooltipSearch {
  HWND owner;
  HWND tooltip = nullptr;
};

BOOL CALLBACK FindTooltip(HWND window, LPARAM data) {
  auto* search = reinterpret_cast<TooltipSearch*>(data);
  if (ClassOf(window) == u"tooltips_class32" && GetWindow(window, GW_OWNER) == search->owner) {
    search->tooltip = window;
  }
  return TRUE;
}

// The folder as Windows writes it, so the settings look as the program writes them.
FakeDesktop WindowsDesktop() {
  FakeDesktop desktop;
  desktop.program_folder = u"C:\\Program Files\\name";
  return desktop;
}

struct Harness {
  FakeDesktop desktop = WindowsDesktop();
  std::unique_ptr<chart::Calendar> calendar = chart::MakeLunacalCalendar();
  Win32Window window{GetModuleHandleW(nullptr), desktop, *calendar, {FakeTrackPopup, false}};

  Harness() {
    popup_calls.clear();
    popup_answer = 0;
  }
  HWND Main() const { return window.Handle(); }
  HWND C(ControlId id) const { return window.Control(id); }
  void SetText(ControlId id, std::u16string_view text) {
    SendMessageW(C(id), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(Wide(text).c_str()));
  }
  std::u16string Text(ControlId id) const { return WindowText(C(id)); }
  void Click(ControlId id) {
    SendMessageW(C(id), BM_CLICK, 0, 0);
    Pump();
  }
  // Runs what the window posted to itself, as its message loop would.
  void Pump() {
    MSG message{};
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
      TranslateMessage(&message);
      DispatchMessageW(&message);
    }
  }
  void Menu(UINT command) { SendMessageW(Main(), WM_COMMAND, MAKEWPARAM(command, 0), 0); }
  int Count() const { return static_cast<int>(SendMessageW(C(kIdlstName), LB_GETCOUNT, 0, 0)); }
  std::u16string Entry(int index) const {
    wchar_t text[64] = {};
    SendMessageW(C(kIdlstName), LB_GETTEXT, index, reinterpret_cast<LPARAM>(text));
    return Utf16(text);
  }
  std::vector<std::u16string> Entries() const {
    std::vector<std::u16string> entries;
    for (int i = 0; i < Count(); ++i) entries.push_back(Entry(i));
    return entries;
  }
  void Select(int index) { SendMessageW(C(kIdlstName), LB_SETSEL, TRUE, index); }
  void Search(std::u16string_view family_name, std::array<std::u16string_view, 5> date) {
    SetText(kIdtxtXingShi, family_name);
    const std::array<ControlId, 5> boxes = {kIdcboYear, kIdcboMonth, kIdcboDay, kIdcboHour, kIdcboMinute};
    for (size_t i = 0; i < boxes.size(); ++i) SetText(boxes[i], date[i]);
    Click(kIdcmdYes);
  }
  void SearchWang() { Search(u"王", {u"2000", u"1", u"1", u"12", u"0"}); }
  void Show() {
    ShowWindow(Main(), SW_SHOW);
    SetForegroundWindow(Main());
    UpdateWindow(Main());
  }
};

std::u16string FeatureText() {
  std::u16string text;
  for (std::u16string_view piece : texts::kFeaturePieces) (text += piece) += u"\r\n";
  return text;
}

void StartUp_ShowsCaptionsAndChoices() {
  Harness h;
  CHECK(h.Main() != nullptr);
  CHECK_EQ(WindowText(h.Main()), texts::kAppTitle);
  // The program's icon from the resources, large and small.
  CHECK(GetClassLongPtrW(h.Main(), GCLP_HICON) != 0);
  CHECK(GetClassLongPtrW(h.Main(), GCLP_HICONSM) != 0);
  const std::array<std::pair<ControlId, std::u16string_view>, 15> captions = {{
      {kIdFrame1, texts::kFrame1}, {kIdFrame2, texts::kFrame2}, {kIdFrame3, texts::kFrame3},
      {kIdFrame4, texts::kFrame4}, {kIdoptOne, texts::koptOne}, {kIdoptTwo, texts::koptTwo},
      {kIdoptMan, texts::koptMan}, {kIdoptWoman, texts::koptWoman}, {kIdLabel1, texts::kDateLabels[0]},
      {kIdLabel2, texts::kDateLabels[1]}, {kIdLabel3, texts::kDateLabels[2]}, {kIdLabel4, texts::kDateLabels[3]},
      {kIdLabel5, texts::kDateLabels[4]}, {kIdcmdYes, texts::kcmdYes}, {kIdtxtXingShi, texts::ktxtXingShi},
  }};
  for (const auto& [id, caption] : captions) CHECK_EQ(h.Text(id), caption);

  const std::array<std::pair<ControlId, bool>, 4> options = {
      {{kIdoptOne, false}, {kIdoptTwo, true}, {kIdoptMan, true}, {kIdoptWoman, false}}};
  for (const auto& [id, checked] : options) CHECK_EQ(SendMessageW(h.C(id), BM_GETCHECK, 0, 0) == BST_CHECKED, checked);

  struct Box {
    ControlId id;
    int count;
    std::u16string_view first, last, text;
  };
  // The fake desktop's clock says 2024-05-06 07:08:09.
  const std::array<Box, 5> boxes = {{{kIdcboYear, 66, u"1980", u"2045", u"2024"},
                                     {kIdcboMonth, 12, u"1", u"12", u"5"},
                                     {kIdcboDay, 31, u"1", u"31", u"6"},
                                     {kIdcboHour, 24, u"0", u"23", u"7"},
                                     {kIdcboMinute, 60, u"0", u"59", u"8"}}};
  for (const Box& box : boxes) {
    const HWND combo = h.C(box.id);
    CHECK_EQ(ClassOf(combo), u"ComboBox");
    CHECK_EQ(StyleOf(combo) & 3u, static_cast<DWORD>(CBS_DROPDOWN));
    const int count = static_cast<int>(SendMessageW(combo, CB_GETCOUNT, 0, 0));
    CHECK_EQ(count, box.count);
    wchar_t text[16] = {};
    SendMessageW(combo, CB_GETLBTEXT, 0, reinterpret_cast<LPARAM>(text));
    CHECK_EQ(Utf16(text), box.first);
    SendMessageW(combo, CB_GETLBTEXT, count - 1, reinterpret_cast<LPARAM>(text));
    CHECK_EQ(Utf16(text), box.last);
    CHECK_EQ(WindowText(combo), box.text);
  }

  CHECK_EQ(h.Text(kIdtxtOut), FeatureText());
  const std::vector<SavedSetting> settings = {{u"tavren", u"Start", u"Path", u"C:\\Program Files\\name"},
                                              {u"tavren", u"Start", u"Ver", u"3.1"}};
  CHECK(h.desktop.settings == settings);
  CHECK(h.desktop.messages.empty());
  CHECK(h.desktop.opened.empty());
}

void StartUp_ControlKindsStylesAndFonts() {
  Harness h;
  const HWND list = h.C(kIdlstName);
  CHECK_EQ(ClassOf(list), u"ListBox");
  CHECK((StyleOf(list) & (LBS_EXTENDEDSEL | LBS_NOTIFY)) == static_cast<DWORD>(LBS_EXTENDEDSEL | LBS_NOTIFY));
  const HWND out = h.C(kIdtxtOut);
  CHECK_EQ(ClassOf(out), u"Edit");
  const DWORD out_style = ES_MULTILINE | ES_AUTOVSCROLL | WS_VSCROLL | ES_WANTRETURN;
  CHECK((StyleOf(out) & out_style) == out_style);
  CHECK_EQ(ClassOf(h.C(kIdtxtXingShi)), u"Edit");
  CHECK_EQ(StyleOf(h.C(kIdcmdYes)) & BS_TYPEMASK, static_cast<DWORD>(BS_DEFPUSHBUTTON));
  for (const ControlId frame : {kIdFrame1, kIdFrame2, kIdFrame3, kIdFrame4}) {
    CHECK_EQ(StyleOf(h.C(frame)) & BS_TYPEMASK, static_cast<DWORD>(BS_GROUPBOX));
    CHECK(GetParent(h.C(frame)) == h.C(kIdpic));
  }
  // The picture on the button: the search icon in an image list, above the caption.
  BUTTON_IMAGELIST picture{};
  CHECK(SendMessageW(h.C(kIdcmdYes), BCM_GETIMAGELIST, 0, reinterpret_cast<LPARAM>(&picture)) != 0);
  CHECK_EQ(ImageList_GetImageCount(picture.himl), 1);
  CHECK_EQ(picture.uAlign, static_cast<UINT>(BUTTON_IMAGELIST_ALIGN_TOP));

  const UINT dpi = h.window.Dpi();
  struct Expected {
    ControlId id;
    std::u16string_view face;
    double points;
  };
  const std::array<Expected, 6> fonts = {{{kIdFrame1, u"楷体_GB2312", 14.25},
                                          {kIdFrame2, u"楷体_GB2312", 14.25},
                                          {kIdFrame3, u"楷体_GB2312", 14.25},
                                          {kIdFrame4, u"楷体_GB2312", 14.25},
                                          {kIdlstName, u"宋体", 14.25},
                                          {kIdtxtOut, u"MS Sans Serif", 13.5}}};
  for (const Expected& expected : fonts) {
    const LOGFONTW font = FontOf(h.C(expected.id));
    CHECK_EQ(Utf16(font.lfFaceName), expected.face);
    CHECK_EQ(font.lfHeight, FontHeight(expected.points, dpi));
    CHECK_EQ(font.lfCharSet, static_cast<BYTE>(GB2312_CHARSET));
  }
}

void StartUp_MenusAndTooltip() {
  Harness h;
  const HMENU bar = GetMenu(h.Main());
  CHECK_EQ(GetMenuItemCount(bar), 1);
  UINT type = 0;
  UINT id = 0;
  CHECK_EQ(MenuText(bar, 0, type, id), texts::kmnuFile);
  const HMENU file = GetSubMenu(bar, 0);
  CHECK_EQ(GetMenuItemCount(file), static_cast<int>(kFileMenu.size()));
  for (size_t i = 0; i < kFileMenu.size(); ++i) {
    const std::u16string text = MenuText(file, static_cast<UINT>(i), type, id);
    const bool separator = kFileMenu[i].handler == nullptr;
    CHECK_EQ((type & MFT_SEPARATOR) != 0, separator);
    if (!separator) {
      CHECK_EQ(text, kFileMenu[i].caption);
      CHECK_EQ(id, kFileMenuFirstCommand + static_cast<UINT>(i));
    }
  }
  // Separators mnuFile01, mnuNet02 and mnuFile02 stand third, fifth and seventh.
  CHECK_EQ(MenuText(file, 3, type, id), texts::kmnuFileNameWuGe);
  CHECK_EQ(MenuText(file, 7, type, id), texts::kmnuFileExit);

  const HMENU popup = h.window.ListPopupMenu();
  CHECK_EQ(GetMenuItemCount(popup), 4);
  const std::array<std::u16string_view, 4> popup_texts = {texts::kmnuListRightSave, texts::kmnulstRightDel, u"",
                                                          texts::kmnuRightNameWuGe};
  for (UINT i = 0; i < 4; ++i) {
    const std::u16string text = MenuText(popup, i, type, id);
    CHECK_EQ((type & MFT_SEPARATOR) != 0, i == 2);
    if (i != 2) CHECK_EQ(text, popup_texts[i]);
  }

  // The list's tooltip lives in a tooltip window owned by the main window.
  TooltipSearch search{h.Main()};
  EnumThreadWindows(GetCurrentThreadId(), FindTooltip, reinterpret_cast<LPARAM>(&search));
  CHECK(search.tooltip != nullptr);
  wchar_t tip[128] = {};
  TTTOOLINFOW tool{};
  tool.cbSize = sizeof tool;
  tool.hwnd = h.Main();
  tool.uId = reinterpret_cast<UINT_PTR>(h.C(kIdlstName));
  tool.lpszText = tip;
  SendMessageW(search.tooltip, TTM_GETTEXTW, 128, reinterpret_cast<LPARAM>(&tool));
  CHECK_EQ(Utf16(tip), texts::klstNameToolTip);
}

void Search_Wang_FillsTheListAndWritesTheChart() {
  Harness h;
  h.SearchWang();
  CHECK_EQ(h.desktop.questions.size(), 1u);
  if (!h.desktop.questions.empty()) {
    CHECK(h.desktop.questions[0].find(u"本次共生成 26728 个好名") == 0);
    CHECK_EQ(h.desktop.question_titles[0], texts::kAppTitle);
  }
  CHECK_EQ(h.Count(), 24);
  CHECK_EQ(h.Entry(0), u"王袍灌");
  for (const std::u16string& entry : h.Entries()) {
    CHECK(entry.size() == 3 && entry.starts_with(u"王袍"));
  }
  const std::u16string out = h.Text(kIdtxtOut);
  CHECK(out.find(kChartLine) != std::u16string::npos);
  CHECK(out.starts_with(u"宝宝生日：\r\n公历日期：2000年1月1日 12时0分\r\n农历日期：1999年11月25日\r\n"));
  CHECK(out.ends_with(u"\r\n"));
  CHECK(h.desktop.opened.empty());
  CHECK_EQ(h.window.Form().CollectionText(), out);
}

void Search_TwoCharacterFamilyName_OneCharacterGivenName() {
  Harness h;
  h.Click(kIdoptOne);
  CHECK_EQ(SendMessageW(h.C(kIdoptOne), BM_GETCHECK, 0, 0), BST_CHECKED);
  CHECK_EQ(SendMessageW(h.C(kIdoptTwo), BM_GETCHECK, 0, 0), BST_UNCHECKED);
  h.Search(u"公孙", {u"2000", u"1", u"1", u"12", u"0"});
  CHECK_EQ(h.Count(), 11);
  CHECK_EQ(h.Entry(0), u"公孙二");
  CHECK_EQ(h.Entry(10), u"公孙入");
  CHECK_EQ(h.desktop.questions.size(), 1u);
  if (!h.desktop.questions.empty()) CHECK(h.desktop.questions[0].find(u"本次共生成 261 个好名") == 0);
}

void Search_BadDate_ShowsAMessageAndReplacesNothing() {
  Harness h;
  h.SearchWang();
  const std::vector<std::u16string> entries = h.Entries();
  const std::u16string out = h.Text(kIdtxtOut);
  h.Search(u"李", {u"2001", u"2", u"30", u"12", u"0"});
  CHECK_EQ(h.desktop.messages.size(), 1u);
  if (!h.desktop.messages.empty()) CHECK(h.desktop.messages[0].icon == MessageIcon::Information);
  CHECK_EQ(h.desktop.questions.size(), 1u);
  CHECK(h.Entries() == entries);
  CHECK_EQ(h.Text(kIdtxtOut), out);
}

void Delete_RemovesExactlyTheSelectedEntries() {
  Harness h;
  h.SearchWang();
  std::vector<std::u16string> expected = h.Entries();
  for (const int i : {2, 5, 7}) h.Select(i);
  for (const int i : {7, 5, 2}) expected.erase(expected.begin() + i);
  h.Menu(FileCommand("mnuFileDelName"));
  CHECK(h.Entries() == expected);
  CHECK_EQ(h.Count(), 21);
}

void Collect_AppendsInReverseOrderAndSetsFourteenPoints() {
  Harness h;
  h.SearchWang();
  const std::u16string chart = h.Text(kIdtxtOut);
  const std::u16string first = h.Entry(1);
  const std::u16string third = h.Entry(3);
  h.Select(1);
  h.Select(3);
  h.Menu(FileCommand("mnuFileSave"));
  CHECK_EQ(h.Text(kIdtxtOut), chart + third + u"\r\n" + first + u"\r\n");
  CHECK_EQ(h.Count(), 22);
  CHECK_EQ(FontOf(h.C(kIdtxtOut)).lfHeight, FontHeight(14, h.window.Dpi()));
  CHECK_EQ(Utf16(FontOf(h.C(kIdtxtOut)).lfFaceName), u"MS Sans Serif");
}

void FiveGrid_PutsTheCaretAtTheReport() {
  Harness h;
  h.Menu(FileCommand("mnuFileNameWuGe"));
  CHECK_EQ(h.desktop.messages.size(), 1u);
  if (!h.desktop.messages.empty()) CHECK_EQ(h.desktop.messages[0].text, texts::kChooseAName);

  h.SearchWang();
  const std::u16string before = h.Text(kIdtxtOut);
  SendMessageW(h.C(kIdlstName), LB_SETCARETINDEX, 0, FALSE);
  h.Menu(FileCommand("mnuFileNameWuGe"));
  const std::u16string after = h.Text(kIdtxtOut);
  CHECK(after.starts_with(before + u"\r\n\r\n天格：5\r\n"));
  DWORD start = 0;
  DWORD end = 0;
  SendMessageW(h.C(kIdtxtOut), EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
  // Edit positions count CR LF as two, as the form's do.
  CHECK_EQ(start, before.size() + 4);
  CHECK_EQ(end, start);
}

void Popup_OpensFromTheMouseAndTheKeyboard() {
  Harness h;
  h.SearchWang();
  const HWND list = h.C(kIdlstName);
  const std::vector<std::u16string> entries = h.Entries();
  h.Select(0);
  h.Select(1);
  popup_answer = PopupCommand("mnulstRightDel");
  SendMessageW(list, WM_RBUTTONDOWN, MK_RBUTTON, MAKELPARAM(10, 12));
  CHECK_EQ(popup_calls.size(), 1u);
  if (!popup_calls.empty()) {
    POINT expected = {10, 12};
    ClientToScreen(list, &expected);
    CHECK(popup_calls[0].menu == h.window.ListPopupMenu());
    CHECK(popup_calls[0].owner == h.Main());
    CHECK_EQ(popup_calls[0].at.x, expected.x);
    CHECK_EQ(popup_calls[0].at.y, expected.y);
  }
  CHECK(h.Entries() == std::vector<std::u16string>(entries.begin() + 2, entries.end()));
  // The right button's release asks for a context menu with the mouse; it must not open a second.
  popup_answer = 0;
  SendMessageW(list, WM_RBUTTONUP, 0, MAKELPARAM(10, 12));
  SendMessageW(list, WM_CONTEXTMENU, reinterpret_cast<WPARAM>(list), MAKELPARAM(30, 40));
  CHECK_EQ(popup_calls.size(), 1u);

  // Shift+F10 and the Menu key send -1: the popup opens at the caret entry.
  SendMessageW(list, LB_SETCARETINDEX, 3, FALSE);
  popup_answer = PopupCommand("mnuRightNameWuGe");
  SendMessageW(list, WM_CONTEXTMENU, reinterpret_cast<WPARAM>(list), -1);
  CHECK_EQ(popup_calls.size(), 2u);
  if (popup_calls.size() == 2) {
    RECT entry{};
    SendMessageW(list, LB_GETITEMRECT, 3, reinterpret_cast<LPARAM>(&entry));
    POINT expected = {entry.left, entry.bottom};
    ClientToScreen(list, &expected);
    CHECK_EQ(popup_calls[1].at.x, expected.x);
    CHECK_EQ(popup_calls[1].at.y, expected.y);
  }
  CHECK(h.Text(kIdtxtOut).find(u"天格：") != std::u16string::npos);
  CHECK_EQ(h.Count(), 22);
}

void Resize_NarrowAndTall_FollowsTheSharedLayout() {
  Harness h;
  const UINT dpi = h.window.Dpi();
  auto check_layout = [&](const char* what) {
    RECT outer{};
    GetWindowRect(h.Main(), &outer);
    const FormLayout& layout = h.window.Form().CurrentLayout();
    const FormLayout expected = ArrangeForm(layout, (outer.right - outer.left) * 1440.0 / dpi,
                                            (outer.bottom - outer.top) * 1440.0 / dpi);
    if (!(layout == expected)) Fail(__FILE__, __LINE__, std::string("layout of ") + what);
    const std::array<std::pair<ControlId, const TwipRect*>, 8> placed = {{{kIdpic, &layout.pic},
                                                                          {kIdFrame1, &layout.Frame1},
                                                                          {kIdFrame2, &layout.Frame2},
                                                                          {kIdFrame3, &layout.Frame3},
                                                                          {kIdFrame4, &layout.Frame4},
                                                                          {kIdcmdYes, &layout.cmdYes},
                                                                          {kIdlstName, &layout.lstName},
                                                                          {kIdtxtOut, &layout.txtOut}}};
    for (const auto& [id, rect] : placed) {
      if (!Same(PlaceOf(h.C(id)), Pixels(*rect, dpi))) {
        Fail(__FILE__, __LINE__, std::string("pixels of control ") + std::to_string(id) + " in " + what);
      }
    }
  };
  check_layout("the default window");
  const RECT out_default = PlaceOf(h.C(kIdtxtOut));

  SetWindowPos(h.Main(), nullptr, 0, 0, 150, 700, SWP_NOMOVE | SWP_NOZORDER);
  check_layout("a narrow window");
  CHECK_EQ(PlaceOf(h.C(kIdtxtOut)).right - PlaceOf(h.C(kIdtxtOut)).left, 0);
  CHECK_EQ(h.window.Form().CurrentLayout().Frame2.left, 0.0);

  SetWindowPos(h.Main(), nullptr, 0, 0, 900, 1000, SWP_NOMOVE | SWP_NOZORDER);
  check_layout("a tall window");
  const RECT out_tall = PlaceOf(h.C(kIdtxtOut));
  CHECK(out_tall.bottom - out_tall.top > out_default.bottom - out_default.top);

  // Below 4455 twips of outer height the window keeps the layout it had.
  SetWindowPos(h.Main(), nullptr, 0, 0, 900, MulDiv(4400, static_cast<int>(dpi), 1440), SWP_NOMOVE | SWP_NOZORDER);
  CHECK(Same(PlaceOf(h.C(kIdtxtOut)), out_tall));
}

void DpiChange_RelaysOutAndRecreatesFonts() {
  Harness h;
  RECT outer{};
  GetWindowRect(h.Main(), &outer);
  RECT suggested = {outer.left, outer.top, outer.left + (outer.right - outer.left) * 3 / 2,
                    outer.top + (outer.bottom - outer.top) * 3 / 2};
  SendMessageW(h.Main(), WM_DPICHANGED, MAKEWPARAM(144, 144), reinterpret_cast<LPARAM>(&suggested));
  CHECK_EQ(h.window.Dpi(), 144u);
  CHECK_EQ(FontOf(h.C(kIdlstName)).lfHeight, FontHeight(14.25, 144));
  CHECK_EQ(FontOf(h.C(kIdFrame4)).lfHeight, FontHeight(14.25, 144));
  CHECK_EQ(FontOf(h.C(kIdtxtOut)).lfHeight, FontHeight(13.5, 144));
  CHECK(Same(PlaceOf(h.C(kIdtxtOut)), Pixels(h.window.Form().CurrentLayout().txtOut, 144)));
  CHECK(Same(PlaceOf(h.C(kIdcmdYes)), Pixels(h.window.Form().CurrentLayout().cmdYes, 144)));
}

void Keyboard_FocusTabAndEnter() {
  Harness h;
  h.Show();
  h.SetText(kIdtxtXingShi, u"欧阳");
  SetFocus(h.C(kIdlstName));
  SetFocus(h.C(kIdtxtXingShi));
  DWORD start = 1;
  DWORD end = 0;
  SendMessageW(h.C(kIdtxtXingShi), EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
  CHECK_EQ(start, 0u);
  CHECK_EQ(end, 2u);

  const std::array<ControlId, 11> order = {kIdtxtXingShi, kIdoptTwo,   kIdoptMan,  kIdcboYear,
                                           kIdcboMonth,   kIdcboDay,   kIdcboHour, kIdcboMinute,
                                           kIdcmdYes,     kIdlstName,  kIdtxtOut};
  for (size_t i = 0; i < order.size(); ++i) {
    const HWND next = GetNextDlgTabItem(h.Main(), h.C(order[i]), FALSE);
    const ControlId expected = order[(i + 1) % order.size()];
    if (next != h.C(expected)) Fail(__FILE__, __LINE__, "Tab after control " + std::to_string(order[i]));
  }

  // The dialog manager moves the focus on Tab and presses the default button on Enter.
  SetFocus(h.C(kIdtxtXingShi));
  MSG tab = {GetFocus(), WM_KEYDOWN, VK_TAB, 0, 0, {}};
  CHECK(IsDialogMessageW(h.Main(), &tab));
  CHECK(GetFocus() == h.C(kIdoptTwo));
  // Shift+Tab goes back; the dialog manager reads the Shift key from the thread's keyboard state.
  BYTE keys[256] = {};
  GetKeyboardState(keys);
  keys[VK_SHIFT] = 0x80;
  SetKeyboardState(keys);
  MSG back_tab = {GetFocus(), WM_KEYDOWN, VK_TAB, 0, 0, {}};
  CHECK(IsDialogMessageW(h.Main(), &back_tab));
  keys[VK_SHIFT] = 0;
  SetKeyboardState(keys);
  CHECK(GetFocus() == h.C(kIdtxtXingShi));
  SetFocus(h.C(kIdtxtXingShi));
  h.SetText(kIdtxtXingShi, u"王");
  MSG enter = {GetFocus(), WM_KEYDOWN, VK_RETURN, 0, 0, {}};
  CHECK(IsDialogMessageW(h.Main(), &enter));
  h.Pump();
  CHECK_EQ(h.desktop.questions.size(), 1u);
  CHECK_EQ(h.Count(), 24);
}

// The other architecture's lunacal.dll, named by NAME_OTHER_ARCH_DLL as a Windows path or, under
// wine, as a unix one; empty when the variable is not set.
std::wstring OtherArchitectureDll() {
  wchar_t value[MAX_PATH] = {};
  const DWORD length = GetEnvironmentVariableW(L"NAME_OTHER_ARCH_DLL", value, MAX_PATH);
  if (length == 0 || length >= MAX_PATH) return {};
  if (value[0] != L'/') return value;
  // Only wine has this: it turns a unix path into the Windows path of the same file.
  using ToDosName = wchar_t*(CDECL*)(const char*);
  const auto to_dos = reinterpret_cast<ToDosName>(
      reinterpret_cast<void (*)()>(GetProcAddress(GetModuleHandleW(L"kernel32.dll"), "wine_get_dos_file_name")));
  if (to_dos == nullptr) return {};
  wchar_t* dos = to_dos(Utf8(Utf16(value)).c_str());
  if (dos == nullptr) return {};
  std::wstring path = dos;
  HeapFree(GetProcessHeap(), 0, dos);
  return path;
}

// The first `size` bytes of the real lunacal.dll, as a copy cut short in a download would be.
bool WriteTruncatedCopy(const std::wstring& path, size_t size) {
  const HANDLE source = CreateFileW(chart::DefaultLunacalPath().c_str(), GENERIC_READ, FILE_SHARE_READ,
                                    nullptr, OPEN_EXISTING, 0, nullptr);
  if (source == INVALID_HANDLE_VALUE) return false;
  std::vector<char> bytes(size);
  DWORD read = 0;
  const bool got = size == 0 || (ReadFile(source, bytes.data(), static_cast<DWORD>(size), &read, nullptr) && read == size);
  CloseHandle(source);
  const HANDLE target = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
  if (target == INVALID_HANDLE_VALUE) return false;
  DWORD written = 0;
  const bool put = size == 0 || WriteFile(target, bytes.data(), static_cast<DWORD>(size), &written, nullptr);
  CloseHandle(target);
  return got && put && written == size;
}

DWORD FileSize(const std::wstring& path) {
  WIN32_FILE_ATTRIBUTE_DATA data{};
  return GetFileAttributesExW(path.c_str(), GetFileExInfoStandard, &data) ? data.nFileSizeLow : 0;
}

// A lunacal.dll that cannot serve is reported in the window's box before the search starts, in
// words that say what is wrong with it, and the list and the output box stay as they were.
void BrokenLibrary_IsReportedBeforeTheSearchAndChangesNothing() {
  const std::wstring folder = chart::RunningProgramFolder();
  const std::wstring scratch = folder + L"\\broken-lunacal";
  CreateDirectoryW(scratch.c_str(), nullptr);
  const std::u16string damaged = u"日历库 lunacal.dll 已损坏或不完整，无法生成生辰八字。";
  const DWORD whole = FileSize(chart::DefaultLunacalPath());
  CHECK(whole > 4096);

  struct Case {
    const char* what;
    std::wstring path;
    std::u16string message;
  };
  std::vector<Case> cases = {
      {"a missing file", L"C:\\no-such-folder\\lunacal.dll", u"无法加载日历库 lunacal（lunacal.dll），无法生成生辰八字。"},
      {"a DLL lacking an export", folder + L"\\lacking-export\\lunacal.dll",
       u"日历库 lunacal 中缺少函数 GetGLToRLRun，无法生成生辰八字。"},
  };
  // Empty, cut inside the DOS header, cut after the PE header with its machine, cut in half.
  for (const size_t size : {size_t{0}, size_t{40}, size_t{400}, size_t{whole / 2}}) {
    const std::wstring path = scratch + L"\\" + std::to_wstring(size) + L"\\lunacal.dll";
    CreateDirectoryW(path.substr(0, path.rfind(L'\\')).c_str(), nullptr);
    CHECK(WriteTruncatedCopy(path, size));
    cases.push_back({"a truncated DLL", path, damaged});
  }
  const std::wstring other = OtherArchitectureDll();
  if (other.empty()) {
    std::fprintf(stderr, "name_win32_test: skipped the other architecture's lunacal.dll: NAME_OTHER_ARCH_DLL is not set\n");
  } else {
    CHECK(GetFileAttributesW(other.c_str()) != INVALID_FILE_ATTRIBUTES);
    cases.push_back({"the other architecture's DLL", other,
                     sizeof(void*) == 8
                         ? u"找到的日历库 lunacal.dll 是32位 Windows 程序用的，而本程序是64位程序，需要64位的 lunacal.dll，无法生成生辰八字。"
                         : u"找到的日历库 lunacal.dll 是64位 Windows 程序用的，而本程序是32位程序，需要32位的 lunacal.dll，无法生成生辰八字。"});
  }

  for (const Case& broken : cases) {
    FakeDesktop desktop = WindowsDesktop();
    chart::LunacalCalendar calendar({broken.path});
    {
      Win32Window window{GetModuleHandleW(nullptr), desktop, calendar, {FakeTrackPopup, false}};
      const std::u16string before = WindowText(window.Control(kIdtxtOut));
      SendMessageW(window.Control(kIdtxtXingShi), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(L"王"));
      SendMessageW(window.Control(kIdcmdYes), BM_CLICK, 0, 0);
      MSG message{};
      while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&message);
      // The names are listed without the calendar; the chart then says what is wrong with it.
      const bool right = desktop.questions.size() == 1 && desktop.messages.size() == 1 &&
                         desktop.messages[0].text == broken.message &&
                         SendMessageW(window.Control(kIdlstName), LB_GETCOUNT, 0, 0) == 24 &&
                         WindowText(window.Control(kIdtxtOut)) == before;
      if (!right) {
        Fail(__FILE__, __LINE__, std::string("the box for ") + broken.what + ": " +
                                     (desktop.messages.empty() ? std::string("none") : Shown(desktop.messages[0].text)));
      }
    }
  }
  CHECK(chart::ReadDllKind(chart::DefaultLunacalPath()) == chart::kOwnDllKind);
  for (const size_t size : {size_t{0}, size_t{40}, size_t{400}, size_t{whole / 2}}) {
    const std::wstring path = scratch + L"\\" + std::to_wstring(size);
    DeleteFileW((path + L"\\lunacal.dll").c_str());
    RemoveDirectoryW(path.c_str());
  }
  CHECK(RemoveDirectoryW(scratch.c_str()));
}

void SearchButton_PressReturnsBeforeTheSearchRuns() {
  Harness h;
  h.SetText(kIdtxtXingShi, u"王");
  // An accessibility tool presses the button with BM_CLICK and waits for the answer.
  SendMessageW(h.C(kIdcmdYes), BM_CLICK, 0, 0);
  CHECK(h.desktop.questions.empty());
  CHECK_EQ(h.Count(), 0);
  h.Pump();
  CHECK_EQ(h.desktop.questions.size(), 1u);
  CHECK_EQ(h.Count(), 24);
  // Two presses queued while one search runs give two searches, one after the other.
  SendMessageW(h.C(kIdcmdYes), BM_CLICK, 0, 0);
  SendMessageW(h.C(kIdcmdYes), BM_CLICK, 0, 0);
  h.Pump();
  CHECK_EQ(h.desktop.questions.size(), 3u);
}

void FamilyName_DropsPastedControlCharactersAndKeepsTheCaret() {
  Harness h;
  h.SetText(kIdtxtXingShi, u"王\t家");
  CHECK_EQ(h.Text(kIdtxtXingShi), u"王家");
  // A paste of "\x01李" after 王: the control character goes, the caret stays after 李.
  SendMessageW(h.C(kIdtxtXingShi), EM_SETSEL, 1, 1);
  SendMessageW(h.C(kIdtxtXingShi), EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>(L"\x01李"));
  CHECK_EQ(h.Text(kIdtxtXingShi), u"王李家");
  DWORD start = 0;
  DWORD end = 0;
  SendMessageW(h.C(kIdtxtXingShi), EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
  CHECK_EQ(start, 2u);
  CHECK_EQ(end, 2u);
}

void Unload_OpensTheSiteOnceAndCloses() {
  {
    Harness h;
    SendMessageW(h.Main(), WM_CLOSE, 0, 0);
    CHECK(h.desktop.opened == std::vector<std::u16string>{kMakerWebSite});
    CHECK(h.window.Handle() == nullptr);
  }
  {
    Harness h;
    const HWND main = h.Main();
    h.Menu(FileCommand("mnuFileExit"));
    CHECK(h.desktop.opened == std::vector<std::u16string>{kMakerWebSite});
    CHECK(!IsWindow(main));
  }
  {
    Harness h;
    h.Menu(FileCommand("mnuRegNet"));
    CHECK(h.desktop.opened == std::vector<std::u16string>{kMakerWebSite});
    CHECK(IsWindow(h.Main()));
  }
}

}  // namespace

void RunWindowTests() {
  StartUp_ShowsCaptionsAndChoices();
  StartUp_ControlKindsStylesAndFonts();
  StartUp_MenusAndTooltip();
  Search_Wang_FillsTheListAndWritesTheChart();
  Search_TwoCharacterFamilyName_OneCharacterGivenName();
  Search_BadDate_ShowsAMessageAndReplacesNothing();
  Delete_RemovesExactlyTheSelectedEntries();
  Collect_AppendsInReverseOrderAndSetsFourteenPoints();
  FiveGrid_PutsTheCaretAtTheReport();
  Popup_OpensFromTheMouseAndTheKeyboard();
  Resize_NarrowAndTall_FollowsTheSharedLayout();
  DpiChange_RelaysOutAndRecreatesFonts();
  Keyboard_FocusTabAndEnter();
  FamilyName_DropsPastedControlCharactersAndKeepsTheCaret();
  SearchButton_PressReturnsBeforeTheSearchRuns();
  BrokenLibrary_IsReportedBeforeTheSearchAndChangesNothing();
  Unload_OpensTheSiteOnceAndCloses();
}

}  // namespace app::win32::testing
