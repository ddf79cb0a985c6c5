// SPDX-License-Identifier: MIT
#include "app/web/web_toolkit.h"

#include <emscripten/emscripten.h>

#include <array>
#include <cstdlib>
#include <string>
#include <utility>

#include "app/form_texts.h"
#include "lunacal/utf8.h"

// The bridge to the page's toolkit object (Module.toolkit, made by site/app.js): a method called
// by name with up to two texts and two numbers. Texts cross as UTF-8; a text coming back is
// malloc'ed and freed here.
EM_JS(int, name_web_call, (const char* method, const char* first, const char* second, double a, double b), {
  const result = Module.toolkit[UTF8ToString(method)](UTF8ToString(first), UTF8ToString(second), a, b);
  return result === true ? 1 : result | 0;
});

EM_JS(char*, name_web_call_text, (const char* method, double a), {
  const result = String(Module.toolkit[UTF8ToString(method)](a));
  const size = lengthBytesUTF8(result) + 1;
  const text = _malloc(size);
  stringToUTF8(result, text, size);
  return text;
});

// A modal dialog; resolves to the index of the button pressed (Escape counts as the last one).
EM_ASYNC_JS(int, name_web_dialog, (const char* text, const char* title, int icon, const char* buttons), {
  return await Module.toolkit.dialog(UTF8ToString(text), UTF8ToString(title), icon, UTF8ToString(buttons));
});

namespace app {
namespace {

using lunacal::text::FromUtf8;
using lunacal::text::ToUtf8;

constexpr std::u16string_view kCrLf = u"\r\n";

// Names the list and the output box for screen readers: neither has a caption or a frame.
constexpr std::u16string_view kListName = u"姓名列表";
constexpr std::u16string_view kOutName = u"生辰八字与收藏";

int Call(const char* method, std::u16string_view first = {}, std::u16string_view second = {}, double a = 0,
         double b = 0) {
  return name_web_call(method, ToUtf8(first).c_str(), ToUtf8(second).c_str(), a, b);
}

int CallWith(const char* method, double a, double b = 0) { return Call(method, {}, {}, a, b); }

std::u16string CallText(const char* method, double a = 0) {
  char* text = name_web_call_text(method, a);
  std::u16string result = FromUtf8(text);
  std::free(text);
  return result;
}

// The box holds lines separated by LF, the form's texts CR LF.
std::u16string WithLf(std::u16string_view text) {
  std::u16string result;
  result.reserve(text.size());
  for (size_t i = 0; i < text.size(); ++i) {
    if (text.substr(i, 2) != kCrLf) result += text[i];
  }
  return result;
}

std::u16string WithCrLf(std::u16string_view text) {
  std::u16string result;
  result.reserve(text.size() + text.size() / 16);
  for (const char16_t unit : text) {
    if (unit == u'\n') result += u'\r';
    result += unit;
  }
  return result;
}

// A position in the form's CR LF text is one less in the box for every line break before it.
int BoxPosition(std::u16string_view text_with_cr_lf, int position) {
  int box = position;
  for (size_t i = 0; i + 1 < static_cast<size_t>(position) && i + 1 < text_with_cr_lf.size(); ++i) {
    if (text_with_cr_lf[i] == u'\r' && text_with_cr_lf[i + 1] == u'\n') --box;
  }
  return box;
}

std::u16string Joined(const std::vector<std::u16string>& entries) {
  std::u16string joined;
  for (const std::u16string& entry : entries) {
    if (!joined.empty()) joined += u'\n';
    joined += entry;
  }
  return joined;
}

template <size_t N>
std::u16string MenuLines(const std::array<MenuItem, N>& items) {
  std::u16string lines;
  for (const MenuItem& item : items) {
    if (!lines.empty()) lines += u'\n';
    for (const char* c = item.name; *c != '\0'; ++c) lines += static_cast<char16_t>(*c);
    (lines += u'\t') += item.caption;
  }
  return lines;
}

}  // namespace

void WebDesktop::ShowMessage(std::u16string_view text, MessageIcon icon, std::u16string_view title) {
  name_web_dialog(ToUtf8(text).c_str(), ToUtf8(title).c_str(), static_cast<int>(icon),
                  ToUtf8(texts::kButtonOk).c_str());
}

bool WebDesktop::AskYesNo(std::u16string_view text, std::u16string_view title) {
  const std::u16string buttons = std::u16string(texts::kButtonYes) + u'\n' + std::u16string(texts::kButtonNo);
  return name_web_dialog(ToUtf8(text).c_str(), ToUtf8(title).c_str(), static_cast<int>(MessageIcon::None),
                         ToUtf8(buttons).c_str()) == 0;
}

void WebDesktop::SaveSetting(std::u16string_view application, std::u16string_view section, std::u16string_view key,
                             std::u16string_view value) {
  std::u16string path(application);
  ((path += u'/') += section) += u'/';
  path += key;
  Call("saveSetting", path, value);
}

// One reading of the device's clock, as "year month day hour minute second" in local time.
LocalDateTime WebDesktop::Now() {
  const std::string fields = ToUtf8(CallText("now"));
  std::array<int, 6> values{};
  const char* at = fields.c_str();
  for (int& value : values) {
    char* end = nullptr;
    value = static_cast<int>(std::strtol(at, &end, 10));
    at = end;
  }
  return {values[0], values[1], values[2], values[3], values[4], values[5]};
}

bool WebDesktop::OpenAddress(std::u16string_view address) {
  return Call(leaving_ ? "leaveFor" : "openTab", address) != 0;
}

std::u16string WebDesktop::ProgramFolder() { return CallText("pageFolder"); }

void WebControls::BuildControls() {
  Call("setTitle", texts::kAppTitle);
  const std::pair<const char*, std::u16string_view> captions[] = {
      {"Frame2", texts::kFrame2}, {"Frame1", texts::kFrame1},   {"optOne", texts::koptOne},
      {"optTwo", texts::koptTwo}, {"Frame3", texts::kFrame3},   {"optMan", texts::koptMan},
      {"optWoman", texts::koptWoman}, {"Frame4", texts::kFrame4}, {"cmdYes", texts::kcmdYes},
      {"mnuFile", texts::kmnuFile}, {"mnulstRight", texts::kmnulstRight},
  };
  for (const auto& [id, caption] : captions) Call("setCaption", FromUtf8(id), caption);
  for (size_t i = 0; i < kDateBoxes.size(); ++i) {
    Call("setCaption", u"Label" + std::u16string(1, static_cast<char16_t>(u'1' + i)), texts::kDateLabels[i]);
  }
  Call("setFamilyName", texts::ktxtXingShi, {}, static_cast<double>(texts::ktxtXingShi.size()));
  Call("setListNames", kListName, texts::klstNameToolTip);
  Call("setCaption", u"txtOut", kOutName);
  Call("buildMenu", u"mnuFile", MenuLines(kFileMenu));
  Call("buildMenu", u"mnulstRight", MenuLines(kListPopupMenu));
}

int WebControls::ListCount() { return Call("listCount"); }
bool WebControls::ListSelected(int index) { return CallWith("listSelected", index) != 0; }
std::u16string WebControls::ListText(int index) { return CallText("listText", index); }
void WebControls::ListRemove(int index) { CallWith("listRemove", index); }
void WebControls::ListClear() { Call("listClear"); }
void WebControls::ListAdd(std::u16string_view entry) { Call("listAdd", entry); }
std::u16string WebControls::ListCurrentText() { return CallText("listCurrentText"); }

std::u16string WebControls::FamilyNameText() { return CallText("familyName"); }
int WebControls::FamilyNameCaret() { return Call("familyNameCaret"); }
void WebControls::SetFamilyNameText(std::u16string_view text, int caret) { Call("setFamilyName", text, {}, caret); }
void WebControls::SelectFamilyName(int start, int length) { CallWith("selectFamilyName", start, length); }

std::u16string WebControls::OutText() { return WithCrLf(CallText("outText")); }
void WebControls::SetOutText(std::u16string_view text) { Call("setOutText", WithLf(text)); }

void WebControls::SetOutSelection(int start, int length) {
  const std::u16string text = OutText();
  const int box_start = BoxPosition(text, start);
  CallWith("setOutSelection", box_start, BoxPosition(text, start + length) - box_start);
}

void WebControls::SetOutFontSize(double points) { CallWith("setOutFontSize", points); }

void WebControls::FillDateBox(DateBox box, const std::vector<std::u16string>& entries, std::u16string_view text) {
  Call("fillDateBox", Joined(entries), text, static_cast<int>(box));
}

std::u16string WebControls::DateBoxText(DateBox box) { return CallText("dateBoxText", static_cast<int>(box)); }

bool WebControls::OptionValue(OptionButton option) { return CallWith("optionValue", static_cast<int>(option)) != 0; }

TwipSize WebControls::OuterSize() {
  return {Call("viewportWidth") * kTwipsPerPixel + kChromeWidth, Call("viewportHeight") * kTwipsPerPixel + kChromeHeight};
}

// The page's style sheet arranges the controls for every width, from a phone's one column to the
// desktop's strip; the twip geometry of a fixed window has nothing to add there.
void WebControls::ApplyLayout(const FormLayout& /*layout*/) {}

void WebControls::ShowListPopup(ScreenPoint at) { CallWith("showListPopup", at.x, at.y); }

void WebControls::UnloadWindow() {
  desktop_.LeaveForNextAddress();
  if (form_ != nullptr) form_->Form_Unload();
}

void WebControls::CloseOtherWindows() { Call("closeOtherWindows"); }

}  // namespace app
