// SPDX-License-Identifier: MIT
// Covers the window drawn at the screen's DPI (ctest runs it once more in a prefix at 144
// DPI): every control lies inside its frame, below the frame's caption and clear of its
// neighbours, and every caption, label, date-box entry and list entry fits the control that
// shows it, measured in the control's own font.
#include <windows.h>
#include <commctrl.h>

#include <array>
#include <memory>
#include <string>
#include <vector>

#include "app/form_texts.h"
#include "app/tests/fake_desktop.h"
#include "app/win32/tests/check.h"
#include "app/win32/tests/suites.h"
#include "app/win32/wide_text.h"
#include "app/win32/win32_window.h"
#include "chart/calendar.h"

namespace app::win32::testing {
namespace {

// The controls of each frame, as the window's design places them.
struct Framed {
  ControlId frame;
  std::vector<ControlId> controls;
};
const std::array<Framed, 4> kFrames = {{
    {kIdFrame2, {kIdtxtXingShi}},
    {kIdFrame1, {kIdoptOne, kIdoptTwo}},
    {kIdFrame3, {kIdoptMan, kIdoptWoman}},
    {kIdFrame4, {kIdcboYear, kIdLabel1, kIdcboMonth, kIdLabel2, kIdcboDay, kIdLabel3, kIdcboHour, kIdLabel4,
                 kIdcboMinute, kIdLabel5}},
}};

// The longest text each kind of box must show: a two-character family name, and a full name of
// a two-character family name with a two-character given name.
constexpr std::u16string_view kLongestFamilyName = u"欧阳";
constexpr std::u16string_view kLongestName = u"欧阳袍灌";

RECT PlaceIn(HWND control) {
  RECT rect{};
  GetWindowRect(control, &rect);
  MapWindowPoints(nullptr, GetParent(control), reinterpret_cast<POINT*>(&rect), 2);
  return rect;
}

bool Inside(const RECT& inner, const RECT& outer) {
  return inner.left >= outer.left && inner.top >= outer.top && inner.right <= outer.right &&
         inner.bottom <= outer.bottom;
}

bool Overlap(const RECT& a, const RECT& b) {
  return a.left < b.right && b.left < a.right && a.top < b.bottom && b.top < a.bottom;
}

SIZE TextSize(HWND control, std::u16string_view text) {
  const HDC dc = GetDC(control);
  const HGDIOBJ old = SelectObject(dc, reinterpret_cast<HFONT>(SendMessageW(control, WM_GETFONT, 0, 0)));
  SIZE size{};
  const std::wstring wide = Wide(text);
  GetTextExtentPoint32W(dc, wide.c_str(), static_cast<int>(wide.size()), &size);
  SelectObject(dc, old);
  ReleaseDC(control, dc);
  return size;
}

SIZE ClientSize(HWND control) {
  RECT client{};
  GetClientRect(control, &client);
  return {client.right, client.bottom};
}

std::string Where(ControlId id, const char* what) { return "control " + std::to_string(id) + " " + what; }

void Window_EveryControlInsideItsFrameAndTextFits(UINT expected_dpi) {
  app::testing::FakeDesktop desktop;
  const std::unique_ptr<chart::Calendar> calendar = chart::MakeLunacalCalendar();
  Win32Window window{GetModuleHandleW(nullptr), desktop, *calendar, {TrackListPopup, false}};
  if (expected_dpi != 0) CHECK_EQ(window.Dpi(), expected_dpi);
  auto control = [&window](ControlId id) { return window.Control(id); };
  auto fails = [](bool ok, ControlId id, const char* what) {
    if (!ok) Fail(__FILE__, __LINE__, Where(id, what));
  };

  RECT strip{};
  GetClientRect(control(kIdpic), &strip);
  for (const ControlId id : {kIdFrame1, kIdFrame2, kIdFrame3, kIdFrame4, kIdcmdYes}) {
    fails(Inside(PlaceIn(control(id)), strip), id, "lies outside the strip");
  }

  for (const Framed& framed : kFrames) {
    const HWND frame = control(framed.frame);
    const RECT box = PlaceIn(frame);
    const SIZE caption = TextSize(frame, WindowText(frame));
    // The caption stands on the frame's top line, with a little room on both sides.
    fails(caption.cx + caption.cy < box.right - box.left, framed.frame, "caption is wider than its frame");
    const RECT inside = {box.left + 1, box.top + caption.cy, box.right - 1, box.bottom - 1};
    for (size_t i = 0; i < framed.controls.size(); ++i) {
      const ControlId id = framed.controls[i];
      const RECT place = PlaceIn(control(id));
      fails(Inside(place, inside), id, "is not inside its frame below the caption");
      for (size_t j = i + 1; j < framed.controls.size(); ++j) {
        fails(!Overlap(place, PlaceIn(control(framed.controls[j]))), id, "overlaps its neighbour");
      }
    }
  }

  // Option buttons draw their round mark of 13 pixels at 96 DPI and start the caption 4 further.
  for (const ControlId id : {kIdoptOne, kIdoptTwo, kIdoptMan, kIdoptWoman}) {
    const HWND option = control(id);
    const SIZE text = TextSize(option, WindowText(option));
    const int mark = MulDiv(13 + 4, static_cast<int>(window.Dpi()), USER_DEFAULT_SCREEN_DPI);
    fails(mark + text.cx <= ClientSize(option).cx, id, "caption is cut");
    fails(text.cy <= ClientSize(option).cy, id, "caption is taller than the button");
  }
  for (const ControlId id : {kIdLabel1, kIdLabel2, kIdLabel3, kIdLabel4, kIdLabel5}) {
    const HWND label = control(id);
    const SIZE text = TextSize(label, WindowText(label));
    fails(text.cx <= ClientSize(label).cx && text.cy <= ClientSize(label).cy, id, "label is cut");
  }
  {
    const HWND edit = control(kIdtxtXingShi);
    const SIZE text = TextSize(edit, kLongestFamilyName);
    fails(text.cx < ClientSize(edit).cx && text.cy <= ClientSize(edit).cy, kIdtxtXingShi, "cuts a family name");
  }
  // Every choice of a date box shows in full in its edit field, beside the drop-down button.
  for (const ControlId id : {kIdcboYear, kIdcboMonth, kIdcboDay, kIdcboHour, kIdcboMinute}) {
    const HWND combo = control(id);
    COMBOBOXINFO parts{};
    parts.cbSize = sizeof parts;
    CHECK(GetComboBoxInfo(combo, &parts));
    fails(parts.rcItem.right <= parts.rcButton.left, id, "edit field runs under the drop-down button");
    const int count = static_cast<int>(SendMessageW(combo, CB_GETCOUNT, 0, 0));
    CHECK(count > 0);
    for (int i = 0; i < count; ++i) {
      wchar_t entry[16] = {};
      SendMessageW(combo, CB_GETLBTEXT, i, reinterpret_cast<LPARAM>(entry));
      const SIZE text = TextSize(parts.hwndItem, Utf16(entry));
      if (text.cx >= ClientSize(parts.hwndItem).cx || text.cy > ClientSize(parts.hwndItem).cy) {
        Fail(__FILE__, __LINE__, Where(id, "cuts its entry ") + Shown(Utf16(entry)));
        break;
      }
    }
  }
  {
    const HWND button = control(kIdcmdYes);
    BUTTON_IMAGELIST picture{};
    SendMessageW(button, BCM_GETIMAGELIST, 0, reinterpret_cast<LPARAM>(&picture));
    int picture_width = 0;
    int picture_height = 0;
    CHECK(picture.himl != nullptr && ImageList_GetIconSize(picture.himl, &picture_width, &picture_height));
    const SIZE text = TextSize(button, WindowText(button));
    const SIZE client = ClientSize(button);
    // A push button keeps a few pixels of edge on every side.
    const int edge = 2 * GetSystemMetrics(SM_CXEDGE);
    fails(text.cx + 2 * edge <= client.cx && picture_width + 2 * edge <= client.cx, kIdcmdYes, "is too narrow");
    fails(picture_height + text.cy + 2 * edge <= client.cy, kIdcmdYes, "picture and caption do not fit");
  }
  {
    const HWND list = control(kIdlstName);
    const SIZE text = TextSize(list, kLongestName);
    const int row = static_cast<int>(SendMessageW(list, LB_GETITEMHEIGHT, 0, 0));
    fails(text.cy <= row, kIdlstName, "rows are lower than its text");
    fails(text.cx <= ClientSize(list).cx, kIdlstName, "cuts a four-character name");
  }
}

}  // namespace

void RunDpiTests(UINT expected_dpi) { Window_EveryControlInsideItsFrameAndTextFits(expected_dpi); }

}  // namespace app::win32::testing
