// SPDX-License-Identifier: MIT
#include "app/win32/win32_window.h"

#include <windowsx.h>

#include <algorithm>
#include <cmath>
#include <string>

#include "app/form_texts.h"
#include "app/win32/resource_ids.h"
#include "app/win32/wide_text.h"

namespace app::win32 {
namespace {

// A control inside one of the frames, in twips from the frame's top left corner. The layout moves
// the frames; what sits inside them keeps its place. The date boxes take the labels' spare width,
// as a Windows drop-down button is wider than the design's and would leave no room for the digits.
struct InnerPlace {
  ControlId id;
  ControlId frame;
  TwipRect rect;
};
constexpr std::array<InnerPlace, 15> kInnerPlaces = {{
    {kIdtxtXingShi, kIdFrame2, {120, 450, 975, 390}},
    {kIdoptOne, kIdFrame1, {90, 480, 690, 330}},
    {kIdoptTwo, kIdFrame1, {780, 480, 690, 330}},
    {kIdoptMan, kIdFrame3, {120, 480, 510, 330}},
    {kIdoptWoman, kIdFrame3, {630, 480, 510, 330}},
    {kIdcboYear, kIdFrame4, {60, 450, 750, 390}},
    {kIdLabel1, kIdFrame4, {810, 480, 180, 330}},
    {kIdcboMonth, kIdFrame4, {990, 450, 555, 390}},
    {kIdLabel2, kIdFrame4, {1545, 480, 180, 330}},
    {kIdcboDay, kIdFrame4, {1725, 450, 555, 390}},
    {kIdLabel3, kIdFrame4, {2280, 480, 180, 330}},
    {kIdcboHour, kIdFrame4, {2460, 450, 555, 390}},
    {kIdLabel4, kIdFrame4, {3015, 480, 180, 330}},
    {kIdcboMinute, kIdFrame4, {3195, 450, 555, 390}},
    {kIdLabel5, kIdFrame4, {3750, 480, 180, 330}},
}};

// A combo box's height includes its drop-down list, which shows this many twips of choices.
constexpr double kDropDownHeight = 3000;

constexpr std::array<ControlId, 5> kDateBoxIds = {kIdcboYear, kIdcboMonth, kIdcboDay, kIdcboHour, kIdcboMinute};
constexpr std::array<ControlId, 5> kLabelIds = {kIdLabel1, kIdLabel2, kIdLabel3, kIdLabel4, kIdLabel5};

// The faces the design asks for; GB2312_CHARSET makes Windows pick a Chinese face when the named
// one is missing, so the text never shows as boxes.
struct FontSpec {
  const wchar_t* face;
  double points;
  BYTE quality = DEFAULT_QUALITY;
};
constexpr FontSpec kCaptionFontSpec = {L"楷体_GB2312", 14.25};
constexpr FontSpec kListFontSpec = {L"宋体", 14.25};
constexpr const wchar_t* kOutFace = L"MS Sans Serif";
// The controls inside the frames keep the ordinary size; a frame's caption font does not pass down.
// At that size 宋体 is drawn from its bitmaps, black pixel for pixel; unsmoothed glyphs keep the
// date boxes' thin digits as dark as the labels beside them where a face is drawn from outlines,
// which smoothing would leave pale grey.
constexpr FontSpec kControlFontSpec = {L"宋体", 9, NONANTIALIASED_QUALITY};

constexpr int kButtonPicturePixels = 32;  // at 96 DPI

Win32Window* WindowOf(HWND window) {
  return reinterpret_cast<Win32Window*>(GetWindowLongPtrW(window, GWLP_USERDATA));
}

LRESULT CALLBACK MainWindowProc(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
  if (message == WM_NCCREATE) {
    const auto* create = reinterpret_cast<const CREATESTRUCTW*>(lparam);
    SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(create->lpCreateParams));
  }
  Win32Window* self = WindowOf(window);
  if (self == nullptr || self->Handle() == nullptr) return DefWindowProcW(window, message, wparam, lparam);
  return self->OnWindowMessage(message, wparam, lparam);
}

// The strip holds most controls; their notifications belong to the window, which handles them.
LRESULT CALLBACK StripProc(HWND strip, UINT message, WPARAM wparam, LPARAM lparam) {
  switch (message) {
    case WM_COMMAND:
    case WM_NOTIFY:
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLORBTN:
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORLISTBOX:
      return SendMessageW(GetParent(strip), message, wparam, lparam);
    default:
      return DefWindowProcW(strip, message, wparam, lparam);
  }
}

LRESULT CALLBACK ListSubclassProc(HWND list, UINT message, WPARAM wparam, LPARAM lparam, UINT_PTR, DWORD_PTR data) {
  return reinterpret_cast<Win32Window*>(data)->OnListMessage(list, message, wparam, lparam);
}

BOOL CALLBACK CloseIfOther(HWND window, LPARAM main_window) {
  const auto main = reinterpret_cast<HWND>(main_window);
  // Windows owned by the main window (its tooltip) go with it.
  if (window != main && GetWindow(window, GW_OWNER) != main && IsWindowVisible(window)) {
    PostMessageW(window, WM_CLOSE, 0, 0);
  }
  return TRUE;
}

void RegisterClasses(HINSTANCE instance) {
  WNDCLASSEXW main{};
  main.cbSize = sizeof main;
  main.lpfnWndProc = MainWindowProc;
  main.hInstance = instance;
  main.hIcon = LoadIconW(instance, MAKEINTRESOURCEW(IDI_NAME));
  main.hIconSm = static_cast<HICON>(LoadImageW(instance, MAKEINTRESOURCEW(IDI_NAME), IMAGE_ICON,
                                               GetSystemMetrics(SM_CXSMICON), GetSystemMetrics(SM_CYSMICON), 0));
  main.hCursor = LoadCursorW(nullptr, IDC_ARROW);
  main.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
  main.lpszClassName = kWindowClass;
  // A second window of the same program finds the class already there, which is fine.
  RegisterClassExW(&main);

  WNDCLASSEXW strip{};
  strip.cbSize = sizeof strip;
  strip.lpfnWndProc = StripProc;
  strip.hInstance = instance;
  strip.hCursor = LoadCursorW(nullptr, IDC_ARROW);
  strip.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
  strip.lpszClassName = kStripClass;
  RegisterClassExW(&strip);
}

using GetDpiForWindowFunction = UINT(WINAPI*)(HWND);
using AdjustForDpiFunction = BOOL(WINAPI*)(LPRECT, DWORD, BOOL, DWORD, UINT);

// Windows 10 functions, looked up so the program still starts on older Windows.
template <typename Function>
Function User32Function(const char* name) {
  const HMODULE user32 = GetModuleHandleW(L"user32.dll");
  if (user32 == nullptr) return nullptr;
  // The looked-up address is first made a plain function pointer, which converts to any other.
  return reinterpret_cast<Function>(reinterpret_cast<void (*)()>(GetProcAddress(user32, name)));
}

}  // namespace

UINT TrackListPopup(HMENU menu, POINT at, HWND owner) {
  return static_cast<UINT>(
      TrackPopupMenu(menu, TPM_RETURNCMD | TPM_RIGHTBUTTON | TPM_LEFTALIGN | TPM_TOPALIGN, at.x, at.y, 0, owner, nullptr));
}

UINT WindowDpi(HWND window) {
  static const auto get_dpi_for_window = User32Function<GetDpiForWindowFunction>("GetDpiForWindow");
  if (get_dpi_for_window != nullptr) {
    const UINT dpi = get_dpi_for_window(window);
    if (dpi != 0) return dpi;
  }
  const HDC screen = GetDC(window);
  const int dpi = GetDeviceCaps(screen, LOGPIXELSX);
  ReleaseDC(window, screen);
  return dpi > 0 ? static_cast<UINT>(dpi) : USER_DEFAULT_SCREEN_DPI;
}

Win32Window::Win32Window(HINSTANCE instance, Desktop& desktop, chart::Calendar& calendar, WindowOptions options)
    : instance_(instance), options_(options), form_(*this, desktop, calendar), layout_(form_.CurrentLayout()) {
  INITCOMMONCONTROLSEX common{sizeof common, ICC_STANDARD_CLASSES | ICC_WIN95_CLASSES};
  InitCommonControlsEx(&common);
  RegisterClasses(instance);

  const DWORD style = WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN;
  const HWND window = CreateWindowExW(WS_EX_CONTROLPARENT, kWindowClass, Wide(texts::kAppTitle).c_str(), style,
                                      CW_USEDEFAULT, CW_USEDEFAULT, 640, 480, nullptr, nullptr, instance, this);
  if (window == nullptr) return;
  window_ = window;
  dpi_ = WindowDpi(window_);
  CreateMenus();
  CreateControls(instance);
  CreateDpiResources();

  // The client area opens at the design's size; the frame and the menu bar are added around it.
  RECT outer = {0, 0, Pixels(kDefaultOuterWidth - kChromeWidth), Pixels(kDefaultOuterHeight - kChromeHeight)};
  static const auto adjust_for_dpi = User32Function<AdjustForDpiFunction>("AdjustWindowRectExForDpi");
  if (adjust_for_dpi != nullptr) {
    adjust_for_dpi(&outer, style, TRUE, WS_EX_CONTROLPARENT, dpi_);
  } else {
    AdjustWindowRectEx(&outer, style, TRUE, WS_EX_CONTROLPARENT);
  }
  SetWindowPos(window_, nullptr, 0, 0, outer.right - outer.left, outer.bottom - outer.top,
               SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);

  form_.Form_Load();
  loaded_ = true;
  form_.Form_Resize();
}

Win32Window::~Win32Window() {
  if (window_ != nullptr) {
    // Gone without Form_Unload: only a test or a failed start ends a window this way.
    options_.quit_on_destroy = false;
    DestroyWindow(window_);
  }
  if (popup_menu_ != nullptr) DestroyMenu(popup_menu_);
  DeleteDpiResources();
}

HWND Win32Window::AddControl(HWND parent, DWORD ex_style, const wchar_t* window_class, std::u16string_view text,
                             DWORD style, ControlId id) {
  return CreateWindowExW(ex_style, window_class, Wide(text).c_str(), WS_CHILD | WS_VISIBLE | style, 0, 0, 0, 0,
                         parent, reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), instance_, nullptr);
}

// Creation order is the Tab order: the strip from left to right, then the list and the output.
void Win32Window::CreateControls(HINSTANCE instance) {
  strip_ = CreateWindowExW(WS_EX_CONTROLPARENT | WS_EX_STATICEDGE, kStripClass, L"", WS_CHILD | WS_VISIBLE |
                           WS_CLIPSIBLINGS, 0, 0, 0, 0, window_, reinterpret_cast<HMENU>(static_cast<INT_PTR>(kIdpic)),
                           instance, nullptr);
  const DWORD frame = BS_GROUPBOX | WS_GROUP;
  const DWORD first_option = BS_AUTORADIOBUTTON | WS_GROUP;
  AddControl(strip_, 0, WC_BUTTONW, texts::kFrame2, frame, kIdFrame2);
  AddControl(strip_, WS_EX_CLIENTEDGE, WC_EDITW, texts::ktxtXingShi, ES_AUTOHSCROLL | WS_TABSTOP, kIdtxtXingShi);
  AddControl(strip_, 0, WC_BUTTONW, texts::kFrame1, frame, kIdFrame1);
  AddControl(strip_, 0, WC_BUTTONW, texts::koptOne, first_option, kIdoptOne);
  // The Tab key lands on the button that is chosen at start; the arrow keys move within the group.
  const HWND two = AddControl(strip_, 0, WC_BUTTONW, texts::koptTwo, BS_AUTORADIOBUTTON | WS_TABSTOP, kIdoptTwo);
  AddControl(strip_, 0, WC_BUTTONW, texts::kFrame3, frame, kIdFrame3);
  const HWND man = AddControl(strip_, 0, WC_BUTTONW, texts::koptMan, first_option | WS_TABSTOP, kIdoptMan);
  AddControl(strip_, 0, WC_BUTTONW, texts::koptWoman, BS_AUTORADIOBUTTON, kIdoptWoman);
  SendMessageW(two, BM_SETCHECK, BST_CHECKED, 0);
  SendMessageW(man, BM_SETCHECK, BST_CHECKED, 0);
  AddControl(strip_, 0, WC_BUTTONW, texts::kFrame4, frame, kIdFrame4);
  for (size_t i = 0; i < kDateBoxIds.size(); ++i) {
    const HWND box = AddControl(strip_, 0, WC_COMBOBOXW, u"", CBS_DROPDOWN | WS_VSCROLL | WS_TABSTOP |
                                (i == 0 ? WS_GROUP : 0), kDateBoxIds[i]);
    // The boxes are narrow beside their drop-down buttons; without the edit's inner margins a
    // year's four digits still show in full.
    COMBOBOXINFO parts{};
    parts.cbSize = sizeof parts;
    if (GetComboBoxInfo(box, &parts) && parts.hwndItem != nullptr) {
      SendMessageW(parts.hwndItem, EM_SETMARGINS, EC_LEFTMARGIN | EC_RIGHTMARGIN, MAKELPARAM(1, 0));
    }
    AddControl(strip_, 0, WC_STATICW, texts::kDateLabels[i], SS_LEFT, kLabelIds[i]);
  }
  AddControl(strip_, 0, WC_BUTTONW, texts::kcmdYes, BS_DEFPUSHBUTTON | WS_TABSTOP | WS_GROUP, kIdcmdYes);

  list_ = AddControl(window_, WS_EX_CLIENTEDGE, WC_LISTBOXW, u"",
                     LBS_EXTENDEDSEL | LBS_NOTIFY | LBS_NOINTEGRALHEIGHT | WS_VSCROLL | WS_TABSTOP | WS_GROUP,
                     kIdlstName);
  SetWindowSubclass(list_, ListSubclassProc, 0, reinterpret_cast<DWORD_PTR>(this));
  out_ = AddControl(window_, WS_EX_CLIENTEDGE, WC_EDITW, u"",
                    ES_MULTILINE | ES_AUTOVSCROLL | WS_VSCROLL | ES_WANTRETURN | WS_TABSTOP | WS_GROUP, kIdtxtOut);
  // The collection may grow past the edit control's default limit of 32767 characters.
  SendMessageW(out_, EM_SETLIMITTEXT, 0, 0);

  tooltip_ = CreateWindowExW(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr, WS_POPUP | TTS_ALWAYSTIP | TTS_NOPREFIX,
                             CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, window_, nullptr, instance,
                             nullptr);
  std::wstring tip = Wide(texts::klstNameToolTip);
  TTTOOLINFOW tool{};
  tool.cbSize = sizeof tool;
  tool.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
  tool.hwnd = window_;
  tool.uId = reinterpret_cast<UINT_PTR>(list_);
  tool.lpszText = tip.data();
  SendMessageW(tooltip_, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&tool));
}

void Win32Window::CreateMenus() {
  const HMENU bar = CreateMenu();
  const HMENU file = CreatePopupMenu();
  for (size_t i = 0; i < kFileMenu.size(); ++i) {
    const MenuItem& item = kFileMenu[i];
    AppendMenuW(file, item.handler != nullptr ? MF_STRING : MF_SEPARATOR, kFileMenuFirstCommand + i,
                item.handler != nullptr ? Wide(item.caption).c_str() : nullptr);
  }
  AppendMenuW(bar, MF_POPUP, reinterpret_cast<UINT_PTR>(file), Wide(texts::kmnuFile).c_str());
  SetMenu(window_, bar);

  // mnulstRight never shows in the menu bar: it only pops up over the name list.
  popup_menu_ = CreatePopupMenu();
  for (size_t i = 0; i < kListPopupMenu.size(); ++i) {
    const MenuItem& item = kListPopupMenu[i];
    AppendMenuW(popup_menu_, item.handler != nullptr ? MF_STRING : MF_SEPARATOR, kListPopupFirstCommand + i,
                item.handler != nullptr ? Wide(item.caption).c_str() : nullptr);
  }
}

void Win32Window::CreateDpiResources() {
  DeleteDpiResources();
  auto make = [this](const wchar_t* face, double points, BYTE quality = DEFAULT_QUALITY) {
    const int height = -static_cast<int>(std::lround(points * dpi_ / 72.0));
    return CreateFontW(height, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, GB2312_CHARSET, OUT_DEFAULT_PRECIS,
                       CLIP_DEFAULT_PRECIS, quality, DEFAULT_PITCH | FF_DONTCARE, face);
  };
  fonts_[kCaptionFont] = make(kCaptionFontSpec.face, kCaptionFontSpec.points);
  fonts_[kListFont] = make(kListFontSpec.face, kListFontSpec.points);
  fonts_[kOutFont] = make(kOutFace, out_font_points_);
  fonts_[kControlFont] = make(kControlFontSpec.face, kControlFontSpec.points, kControlFontSpec.quality);

  for (const ControlId frame : {kIdFrame1, kIdFrame2, kIdFrame3, kIdFrame4}) {
    SendMessageW(Control(frame), WM_SETFONT, reinterpret_cast<WPARAM>(fonts_[kCaptionFont]), TRUE);
  }
  for (const InnerPlace& place : kInnerPlaces) {
    SendMessageW(Control(place.id), WM_SETFONT, reinterpret_cast<WPARAM>(fonts_[kControlFont]), TRUE);
  }
  SendMessageW(Control(kIdcmdYes), WM_SETFONT, reinterpret_cast<WPARAM>(fonts_[kControlFont]), TRUE);
  SendMessageW(list_, WM_SETFONT, reinterpret_cast<WPARAM>(fonts_[kListFont]), TRUE);
  SendMessageW(out_, WM_SETFONT, reinterpret_cast<WPARAM>(fonts_[kOutFont]), TRUE);
  SendMessageW(tooltip_, WM_SETFONT, reinterpret_cast<WPARAM>(fonts_[kControlFont]), TRUE);
  SendMessageW(tooltip_, TTM_SETMAXTIPWIDTH, 0, MulDiv(300, static_cast<int>(dpi_), USER_DEFAULT_SCREEN_DPI));

  // The picture stands above the caption, which needs the image list of common controls 6.
  const int size = MulDiv(kButtonPicturePixels, static_cast<int>(dpi_), USER_DEFAULT_SCREEN_DPI);
  const auto picture =
      static_cast<HICON>(LoadImageW(instance_, MAKEINTRESOURCEW(IDI_SEARCH), IMAGE_ICON, size, size, 0));
  if (picture != nullptr) {
    button_picture_ = ImageList_Create(size, size, ILC_COLOR32 | ILC_MASK, 1, 0);
    ImageList_AddIcon(button_picture_, picture);
    DestroyIcon(picture);
    BUTTON_IMAGELIST images{button_picture_, {0, 0, 0, 0}, BUTTON_IMAGELIST_ALIGN_TOP};
    SendMessageW(Control(kIdcmdYes), BCM_SETIMAGELIST, 0, reinterpret_cast<LPARAM>(&images));
  }
}

void Win32Window::DeleteDpiResources() {
  for (HFONT& font : fonts_) {
    if (font != nullptr) DeleteObject(font);
    font = nullptr;
  }
  if (button_picture_ != nullptr) ImageList_Destroy(button_picture_);
  button_picture_ = nullptr;
}

HWND Win32Window::Control(ControlId id) const { return window_ != nullptr ? FindControl(window_, id) : nullptr; }

int Win32Window::Pixels(double twips) const {
  return static_cast<int>(std::lround(twips * dpi_ / 1440.0));
}

// The far edges are rounded, not the sizes, so controls that meet in twips meet in pixels too
// instead of overlapping by a rounded-up pixel.
void Win32Window::Place(HWND control, const TwipRect& rect, int extra_height) const {
  const int left = Pixels(rect.left);
  const int top = Pixels(rect.top);
  MoveWindow(control, left, top, Pixels(rect.left + rect.width) - left,
             Pixels(rect.top + rect.height) - top + extra_height, TRUE);
}

HWND Win32Window::DateBoxHandle(DateBox box) const {
  return Control(kDateBoxIds[static_cast<size_t>(box)]);
}

int Win32Window::ListCount() {
  const LRESULT count = SendMessageW(list_, LB_GETCOUNT, 0, 0);
  return count > 0 ? static_cast<int>(count) : 0;
}

bool Win32Window::ListSelected(int index) { return SendMessageW(list_, LB_GETSEL, index, 0) > 0; }

std::u16string Win32Window::ListText(int index) {
  const LRESULT length = SendMessageW(list_, LB_GETTEXTLEN, index, 0);
  if (length <= 0) return {};
  std::wstring text(static_cast<size_t>(length) + 1, L'\0');
  const LRESULT copied = SendMessageW(list_, LB_GETTEXT, index, reinterpret_cast<LPARAM>(text.data()));
  text.resize(copied > 0 ? static_cast<size_t>(copied) : 0);
  return Utf16(text);
}

void Win32Window::ListRemove(int index) { SendMessageW(list_, LB_DELETESTRING, index, 0); }

void Win32Window::ListClear() { SendMessageW(list_, LB_RESETCONTENT, 0, 0); }

void Win32Window::ListAdd(std::u16string_view entry) {
  SendMessageW(list_, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(Wide(entry).c_str()));
}

std::u16string Win32Window::ListCurrentText() {
  const LRESULT caret = SendMessageW(list_, LB_GETCARETINDEX, 0, 0);
  if (caret < 0 || caret >= ListCount()) return {};
  return ListText(static_cast<int>(caret));
}

std::u16string Win32Window::FamilyNameText() { return WindowText(Control(kIdtxtXingShi)); }

int Win32Window::FamilyNameCaret() {
  DWORD caret = 0;
  SendMessageW(Control(kIdtxtXingShi), EM_GETSEL, 0, reinterpret_cast<LPARAM>(&caret));
  return static_cast<int>(caret);
}

void Win32Window::SetFamilyNameText(std::u16string_view text, int caret) {
  const HWND edit = Control(kIdtxtXingShi);
  SetWindowTextW(edit, Wide(text).c_str());
  SendMessageW(edit, EM_SETSEL, static_cast<WPARAM>(caret), caret);
}

void Win32Window::SelectFamilyName(int start, int length) {
  SendMessageW(Control(kIdtxtXingShi), EM_SETSEL, start, start + length);
}

std::u16string Win32Window::OutText() { return WindowText(out_); }

void Win32Window::SetOutText(std::u16string_view text) { SetWindowTextW(out_, Wide(text).c_str()); }

void Win32Window::SetOutSelection(int start, int length) {
  // Going to the end first makes the box scroll back up just far enough to show the selection's
  // line at the top, so the reader sees the beginning of what was added.
  const int end = GetWindowTextLengthW(out_);
  SendMessageW(out_, EM_SETSEL, end, end);
  SendMessageW(out_, EM_SCROLLCARET, 0, 0);
  SendMessageW(out_, EM_SETSEL, start, start + length);
  SendMessageW(out_, EM_SCROLLCARET, 0, 0);
}

void Win32Window::SetOutFontSize(double points) {
  if (points == out_font_points_) return;
  out_font_points_ = points;
  CreateDpiResources();
}

void Win32Window::FillDateBox(DateBox box, const std::vector<std::u16string>& entries, std::u16string_view text) {
  const HWND combo = DateBoxHandle(box);
  SendMessageW(combo, CB_RESETCONTENT, 0, 0);
  for (const std::u16string& entry : entries) {
    SendMessageW(combo, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(Wide(entry).c_str()));
  }
  const std::wstring wide = Wide(text);
  SendMessageW(combo, CB_SETCURSEL, SendMessageW(combo, CB_FINDSTRINGEXACT, static_cast<WPARAM>(-1),
                                                 reinterpret_cast<LPARAM>(wide.c_str())), 0);
  SetWindowTextW(combo, wide.c_str());
}

std::u16string Win32Window::DateBoxText(DateBox box) { return WindowText(DateBoxHandle(box)); }

bool Win32Window::OptionValue(OptionButton option) {
  constexpr std::array<ControlId, 4> kOptionIds = {kIdoptOne, kIdoptTwo, kIdoptMan, kIdoptWoman};
  return SendMessageW(Control(kOptionIds[static_cast<size_t>(option)]), BM_GETCHECK, 0, 0) == BST_CHECKED;
}

TwipSize Win32Window::OuterSize() {
  RECT outer{};
  if (window_ == nullptr || !GetWindowRect(window_, &outer)) return {};
  return {(outer.right - outer.left) * 1440.0 / dpi_, (outer.bottom - outer.top) * 1440.0 / dpi_};
}

void Win32Window::ApplyLayout(const FormLayout& layout) {
  layout_ = layout;
  Place(strip_, layout.pic);
  Place(list_, layout.lstName);
  Place(out_, layout.txtOut);
  auto frame_rect = [&layout](ControlId id) -> const TwipRect& {
    switch (id) {
      case kIdFrame1: return layout.Frame1;
      case kIdFrame2: return layout.Frame2;
      case kIdFrame3: return layout.Frame3;
      case kIdFrame4: return layout.Frame4;
      default: return layout.cmdYes;
    }
  };
  for (const ControlId id : {kIdFrame1, kIdFrame2, kIdFrame3, kIdFrame4, kIdcmdYes}) {
    Place(Control(id), frame_rect(id));
  }
  for (const InnerPlace& place : kInnerPlaces) {
    const TwipRect& frame = frame_rect(place.frame);
    const TwipRect rect = {frame.left + place.rect.left, frame.top + place.rect.top, place.rect.width,
                           place.rect.height};
    const bool combo = place.id >= kIdcboYear && place.id <= kIdcboMinute;
    Place(Control(place.id), rect, combo ? Pixels(kDropDownHeight) : 0);
  }
}

void Win32Window::ShowListPopup(ScreenPoint at) {
  const UINT command = options_.track_popup(popup_menu_, POINT{at.x, at.y}, window_);
  if (command != 0) RunMenuCommand(command);
}

void Win32Window::UnloadWindow() {
  if (window_ != nullptr) SendMessageW(window_, WM_CLOSE, 0, 0);
}

void Win32Window::CloseOtherWindows() {
  EnumThreadWindows(GetCurrentThreadId(), CloseIfOther, reinterpret_cast<LPARAM>(window_));
}

void Win32Window::RunMenuCommand(UINT command) {
  if (command >= kFileMenuFirstCommand && command < kFileMenuFirstCommand + kFileMenu.size()) {
    const MenuItem& item = kFileMenu[command - kFileMenuFirstCommand];
    if (item.handler != nullptr) (form_.*item.handler)();
  } else if (command >= kListPopupFirstCommand && command < kListPopupFirstCommand + kListPopupMenu.size()) {
    const MenuItem& item = kListPopupMenu[command - kListPopupFirstCommand];
    if (item.handler != nullptr) (form_.*item.handler)();
  }
}

LRESULT Win32Window::OnWindowMessage(UINT message, WPARAM wparam, LPARAM lparam) {
  switch (message) {
    case WM_COMMAND: {
      const UINT id = LOWORD(wparam);
      const UINT code = HIWORD(wparam);
      if (lparam == 0 && code == 0) {
        RunMenuCommand(id);
      } else if (id == kIdcmdYes && code == BN_CLICKED) {
        PostMessageW(window_, kRunSearchMessage, 0, 0);
      } else if (id == kIdtxtXingShi && code == EN_SETFOCUS) {
        form_.txtXingShi_GotFocus();
      } else if (id == kIdtxtXingShi && code == EN_CHANGE) {
        form_.txtXingShi_Change();
      }
      return 0;
    }
    case kRunSearchMessage:
      form_.cmdYes_Click();
      return 0;
    case DM_GETDEFID:
      return MAKELRESULT(kIdcmdYes, DC_HASDEFID);
    case WM_SIZE:
      if (loaded_) form_.Form_Resize();
      return 0;
    case WM_DPICHANGED: {
      dpi_ = HIWORD(wparam);
      CreateDpiResources();
      const auto* suggested = reinterpret_cast<const RECT*>(lparam);
      SetWindowPos(window_, nullptr, suggested->left, suggested->top, suggested->right - suggested->left,
                   suggested->bottom - suggested->top, SWP_NOZORDER | SWP_NOACTIVATE);
      // The twips of the layout are the same; their pixels are not.
      if (loaded_) form_.Form_Resize();
      return 0;
    }
    case WM_ACTIVATE:
      // The control that had the focus gets it back when the window is active again.
      if (LOWORD(wparam) == WA_INACTIVE) {
        const HWND focus = GetFocus();
        if (focus != nullptr && IsChild(window_, focus)) focus_ = focus;
      }
      return DefWindowProcW(window_, message, wparam, lparam);
    case WM_SETFOCUS:
      SetFocus(focus_ != nullptr && IsWindow(focus_) ? focus_ : Control(kIdtxtXingShi));
      return 0;
    case WM_CLOSE:
      form_.Form_Unload();
      DestroyWindow(window_);
      return 0;
    case WM_DESTROY:
      if (options_.quit_on_destroy) PostQuitMessage(0);
      return 0;
    case WM_NCDESTROY: {
      const HWND window = window_;
      window_ = nullptr;
      return DefWindowProcW(window, message, wparam, lparam);
    }
    default:
      return DefWindowProcW(window_, message, wparam, lparam);
  }
}

LRESULT Win32Window::OnListMessage(HWND list, UINT message, WPARAM wparam, LPARAM lparam) {
  switch (message) {
    case WM_RBUTTONDOWN: {
      POINT at = {GET_X_LPARAM(lparam), GET_Y_LPARAM(lparam)};
      ClientToScreen(list, &at);
      form_.lstName_MouseDown(MouseButton::Right, {at.x, at.y});
      // The right button belongs to the popup menu and leaves the selection alone.
      return 0;
    }
    case WM_CONTEXTMENU: {
      // A context menu asked for with the mouse comes after the button press that has already
      // shown the popup; only Shift+F10 and the Menu key, which send -1, open it here.
      if (lparam != -1) return 0;
      RECT entry{};
      const LRESULT caret = SendMessageW(list, LB_GETCARETINDEX, 0, 0);
      if (caret < 0 || SendMessageW(list, LB_GETITEMRECT, static_cast<WPARAM>(caret),
                                    reinterpret_cast<LPARAM>(&entry)) == LB_ERR) {
        entry = {};
      }
      POINT at = {entry.left, entry.bottom};
      ClientToScreen(list, &at);
      form_.lstName_MouseDown(MouseButton::Right, {at.x, at.y});
      return 0;
    }
    case WM_NCDESTROY:
      RemoveWindowSubclass(list, ListSubclassProc, 0);
      break;
    default:
      break;
  }
  return DefSubclassProc(list, message, wparam, lparam);
}

int RunMessageLoop(HWND window) {
  MSG message{};
  while (GetMessageW(&message, nullptr, 0, 0) > 0) {
    if (IsWindow(window) && IsDialogMessageW(window, &message)) continue;
    TranslateMessage(&message);
    DispatchMessageW(&message);
  }
  return static_cast<int>(message.wParam);
}

}  // namespace app::win32
