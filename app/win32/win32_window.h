// SPDX-License-Identifier: MIT
#pragma once
// The Win32 front end of frmName: the real window with its controls, menus and fonts, laid out by
// the shared twips layout at the window's DPI. It supplies the controls to the form and calls the
// form's handlers when the window's messages arrive; it decides nothing the form decides.

#include <windows.h>
#include <commctrl.h>

#include <array>

#include "app/main_window.h"
#include "app/win32/control_ids.h"

namespace chart {
class Calendar;
}

namespace app::win32 {

// Shows the list's popup menu at a screen point and returns the chosen command, 0 for none.
using PopupTracker = UINT (*)(HMENU menu, POINT at, HWND owner);
// TrackPopupMenu, which waits until the user has chosen.
UINT TrackListPopup(HMENU menu, POINT at, HWND owner);

struct WindowOptions {
  // Tests put their own here, as a real popup menu waits for the user.
  PopupTracker track_popup = TrackListPopup;
  // The program ends when its window is gone; a test goes on after it.
  bool quit_on_destroy = true;
};

class Win32Window final : public FormControls {
 public:
  // Creates the window hidden, with its controls, menus and fonts, and runs Form_Load and the
  // first layout. The references are kept and must outlive the window.
  Win32Window(HINSTANCE instance, Desktop& desktop, chart::Calendar& calendar, WindowOptions options = {});
  ~Win32Window() override;
  Win32Window(const Win32Window&) = delete;
  Win32Window& operator=(const Win32Window&) = delete;

  // Null once the window has been closed.
  HWND Handle() const { return window_; }
  HWND Control(ControlId id) const;
  HMENU ListPopupMenu() const { return popup_menu_; }
  frmName& Form() { return form_; }
  UINT Dpi() const { return dpi_; }

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

  // The work of the window procedures, which are free functions that find the window by its handle.
  LRESULT OnWindowMessage(UINT message, WPARAM wparam, LPARAM lparam);
  LRESULT OnListMessage(HWND list, UINT message, WPARAM wparam, LPARAM lparam);

 private:
  enum Font { kCaptionFont, kListFont, kOutFont, kControlFont, kFontCount };

  void CreateControls(HINSTANCE instance);
  void CreateMenus();
  HWND AddControl(HWND parent, DWORD ex_style, const wchar_t* window_class, std::u16string_view text, DWORD style,
                  ControlId id);
  // Fonts and the button picture at the window's DPI, made again when the DPI changes.
  void CreateDpiResources();
  void DeleteDpiResources();
  int Pixels(double twips) const;
  void Place(HWND control, const TwipRect& rect, int extra_height = 0) const;
  HWND DateBoxHandle(DateBox box) const;
  void RunMenuCommand(UINT command);

  HINSTANCE instance_;
  WindowOptions options_;
  frmName form_;
  HWND window_ = nullptr;
  HWND strip_ = nullptr;
  HWND list_ = nullptr;
  HWND out_ = nullptr;
  HWND tooltip_ = nullptr;
  HWND focus_ = nullptr;
  HMENU popup_menu_ = nullptr;
  UINT dpi_ = USER_DEFAULT_SCREEN_DPI;
  double out_font_points_ = 13.5;
  std::array<HFONT, kFontCount> fonts_{};
  HIMAGELIST button_picture_ = nullptr;
  FormLayout layout_;
  // Set once Form_Load has run, so the size messages of the window's creation lay out nothing.
  bool loaded_ = false;
};

// Runs the program's message loop until the window has closed; Tab, Shift+Tab, Enter for the
// default button and the arrow keys in the option groups go through the dialog manager.
int RunMessageLoop(HWND window);

// The DPI the window is drawn at: GetDpiForWindow where Windows has it, else the screen's.
UINT WindowDpi(HWND window);

}  // namespace app::win32
