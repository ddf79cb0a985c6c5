// SPDX-License-Identifier: MIT
// Drives the window's form with any sequence of up to 64 events and any text, then closes it, and
// checks after every event the rules the window keeps whatever came before:
//   1. every list entry is the family name as the last search read it plus one or two characters,
//      as that search's option said; entries only ever leave the list, and one appears twice only
//      where the dictionary row it came from holds its character twice;
//   2. the collection is empty before the first search that got past the date check and begins
//      with the latest such search's chart report after it; a collected name is one that search
//      listed, appears no more often than the search listed it, and has left the list;
//   3. a date the form refused leaves the list, the output box and the collection as they were;
//   4. the only settings written are Path and Ver under tavren / Start;
//   5. the browser opens only after Yes to the offer, from the web-site command and on unload;
//   6. a resize leaves no negative width or height, keeps the layout below 4455 twips and gives
//      the layout of the drawn formulas at and above it;
//   7. no exception leaves a handler (and ASan's leak check is on).
// The first rule broken is printed and the target aborts, so libFuzzer keeps the input.
//
// Input: a sequence of events, each an opcode byte (taken modulo the number of kinds) and its
// operands, read until the input or the 64 events run out; missing bytes read as zero. A text is a
// mode byte and a length byte, then either one byte per unit indexing an alphabet of interesting
// units (even mode) or two bytes per unit, little-endian UTF-16 (odd mode). app/fuzz/make_corpus.py
// writes seeds in this form.

#include <algorithm>
#include <array>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "app/layout.h"
#include "app/main_window.h"
#include "app/tests/fake_controls.h"
#include "app/tests/fake_desktop.h"
#include "chart/calendar.h"
#include "naming/stroke_dictionary.h"

namespace app {
namespace {

using testing::FakeControls;
using testing::FakeDesktop;

constexpr int kMaxEvents = 64;
constexpr size_t kMaxFamilyNameUnits = 200;
constexpr size_t kMaxDateUnits = 40;

// Family names of the tests and their neighbours, the spaces a paste brings, C0 and C1 controls,
// combining marks, lone surrogates and a character outside the basic plane (U+2000B as a pair).
constexpr char16_t kFamilyNameAlphabet[] = {
    u'王', u'欧', u'阳', u'公', u'孙', u'李', u'赵', u'陈', u'袍', u'灌', u'明', u'九', u'加',
    u' ', u'\u3000', u'\u00A0', u'\u2002', u'\u200B', u'\u200D', u'\uFEFF', u'\uFFFD',
    u'\u0000', u'\t', u'\n', u'\r', u'\u001F', u'\u007F', u'\u0080', u'\u0085', u'\u009F',
    u'\u0300', u'\u0301', u'\u20DD', u'\xD800', u'\xDBFF', u'\xDC00', u'\xDFFF', u'\xD840', u'\xDC0B',
    u'a', u'Z', u'1', u'\uFF10', u'\u3007',
};

// Digits, signs, separators, full-width digits and Chinese numerals.
constexpr char16_t kDateAlphabet[] = {
    u'0', u'1', u'2', u'3', u'4', u'5', u'6', u'7', u'8', u'9', u'0', u'1', u'2', u'9',
    u'+', u'-', u' ', u'.', u'e', u'x', u'\u0000', u'\uFF10', u'\uFF11', u'\uFF12', u'\uFF19',
    u'\u3007', u'零', u'一', u'二', u'三', u'九', u'十', u'百', u'千', u'万', u'\u0660', u'\u00B2',
};

class Input {
 public:
  Input(const uint8_t* data, size_t size) : data_(data), size_(size) {}

  bool empty() const { return size_ == 0; }

  uint8_t Byte() {
    if (size_ == 0) return 0;
    --size_;
    return *data_++;
  }

  int32_t Int32() {
    uint32_t value = 0;
    for (int shift = 0; shift < 32; shift += 8) value |= uint32_t{Byte()} << shift;
    return static_cast<int32_t>(value);
  }

  template <size_t N>
  std::u16string Text(const char16_t (&alphabet)[N], size_t max_units) {
    const uint8_t mode = Byte();
    const size_t length = Byte() % (max_units + 1);
    std::u16string text;
    for (size_t i = 0; i < length && !empty(); ++i) {
      if (mode % 2 == 0) {
        text += alphabet[Byte() % N];
      } else {
        const uint8_t low = Byte();
        text += static_cast<char16_t>(low | (uint16_t{Byte()} << 8));
      }
    }
    return text;
  }

 private:
  const uint8_t* data_;
  size_t size_;
};

[[noreturn]] void Broken(int rule, const char* what) {
  std::fprintf(stderr, "rule %d broken: %s\n", rule, what);
  std::abort();
}

void Require(bool condition, int rule, const char* what) {
  if (!condition) Broken(rule, what);
}

chart::Calendar& Lunacal() {
  static const std::unique_ptr<chart::Calendar> calendar = chart::MakeLunacalCalendar();
  return *calendar;
}

// A collected line is its entry without leading and trailing blanks.
std::u16string_view Trimmed(std::u16string_view text) {
  while (!text.empty() && text.front() == u' ') text.remove_prefix(1);
  while (!text.empty() && text.back() == u' ') text.remove_suffix(1);
  return text;
}

bool IsDictionaryRow(std::u16string_view characters) {
  for (int16_t strokes = 1; strokes <= naming::kMaxStrokes; ++strokes) {
    if (naming::GetBiHuaZi(strokes) == characters) return true;
  }
  return false;
}

bool StartsSomeDictionaryRow(char16_t character) {
  for (int16_t strokes = 1; strokes <= naming::kMaxStrokes; ++strokes) {
    if (naming::GetBiHuaZi(strokes).front() == character) return true;
  }
  return false;
}

// Half to even, written out rather than left to the rounding mode.
double RoundHalfEven(double value) {
  const double below = std::floor(value);
  const double fraction = value - below;
  if (fraction != 0.5) return fraction < 0.5 ? below : below + 1;
  return std::fmod(below, 2.0) == 0 ? below : below + 1;
}

double AtLeastZero(double value) { return value < 0 ? 0 : value; }

// The layout as drawn, from the design sizes of the controls. The strip's gap is held at zero as
// well as the sizes: a negative gap would push the first frame out of the strip on the left.
FormLayout DrawnLayout(double outer_width, double outer_height) {
  constexpr double kFrameTop = 50, kFrameHeight = 1000, kPicHeight = 1215;
  constexpr double kFrame1 = 1500, kFrame2 = 1215, kFrame3 = 1200, kFrame4 = 3975, kButton = 1095;
  constexpr double kListWidth = 1815;
  FormLayout layout;
  layout.txtOut.height = AtLeastZero(outer_height - kFrameTop - kFrameHeight - 1200);
  layout.lstName.height = layout.txtOut.height;
  layout.txtOut.width = AtLeastZero(outer_width - kListWidth - 600);
  layout.txtOut.top = kPicHeight + 200;
  layout.lstName.top = layout.txtOut.top;
  layout.txtOut.left = 2040;
  layout.lstName.left = 120;
  layout.lstName.width = kListWidth;
  layout.pic = {100, 100, AtLeastZero(outer_width - 300), kPicHeight};
  const double g = AtLeastZero(RoundHalfEven((layout.pic.width - kFrame1 - kFrame2 - kFrame3 - kFrame4 - kButton) / 6));
  layout.Frame2 = {g, kFrameTop, kFrame2, kFrameHeight};
  layout.Frame1 = {kFrame2 + 1.5 * g, kFrameTop, kFrame1, kFrameHeight};
  layout.Frame3 = {kFrame2 + kFrame1 + 2 * g, kFrameTop, kFrame3, kFrameHeight};
  layout.Frame4 = {kFrame2 + kFrame1 + kFrame3 + 2.5 * g, kFrameTop, kFrame4, kFrameHeight};
  layout.cmdYes = {kFrame2 + kFrame1 + kFrame3 + kFrame4 + 4 * g, 150, kButton, 945};
  return layout;
}

bool HasNoNegativeSize(const FormLayout& layout) {
  for (const TwipRect& rect : {layout.pic, layout.Frame1, layout.Frame2, layout.Frame3, layout.Frame4,
                               layout.cmdYes, layout.lstName, layout.txtOut}) {
    if (!(rect.width >= 0 && rect.height >= 0)) return false;
  }
  return true;
}

bool SameList(const std::vector<FakeControls::Entry>& a, const std::vector<FakeControls::Entry>& b) {
  if (a.size() != b.size()) return false;
  for (size_t i = 0; i < a.size(); ++i) {
    if (a[i].text != b[i].text || a[i].selected != b[i].selected) return false;
  }
  return true;
}

// What the latest search that got past the date check read and produced.
struct Search {
  std::u16string family_name;
  size_t given_units = 0;
  std::vector<std::u16string> batch;
  std::map<std::u16string, int, std::less<>> listed;  // collected form -> times listed
  std::u16string report;
};

class FormDriver {
 public:
  FormDriver() : form_(controls_, desktop_, Lunacal()) {
    Guarded([this] { form_.Form_Load(); });
    CheckAlways();
  }

  void Run(Input& input) {
    for (int events = 0; events < kMaxEvents && !input.empty() && controls_.unloads == 0; ++events) {
      Step(input);
      CheckAlways();
    }
    // The toolkit raises the unload when the window closes, by the exit command or its close box.
    Close();
  }

 private:
  enum Event : uint8_t {
    kTypeName, kSetOption, kSetDateBox, kPressSearch, kSelectEntry, kFileCommand, kPopupCommand, kPressMouse,
    kResizeWindow, kFocusName, kKinds
  };

  template <typename Handler>
  void Guarded(Handler handler) {
    try {
      handler();
    } catch (...) {
      Broken(7, "an exception left a handler");
    }
  }

  // Runs a handler that may open the browser, then checks that it opened exactly `allowed` times.
  template <typename Handler>
  void Opening(size_t allowed, Handler handler) {
    const size_t before = desktop_.opened.size();
    Guarded(handler);
    Require(desktop_.opened.size() - before == allowed, 5, "the browser opened when it should not, or not when asked");
    for (size_t i = before; i < desktop_.opened.size(); ++i) {
      Require(desktop_.opened[i] == kMakerWebSite, 5, "an address other than the maker's site was opened");
    }
  }

  void Step(Input& input) {
    switch (input.Byte() % kKinds) {
      case kTypeName: Type(input); break;
      case kSetOption: SetOption(input.Byte()); break;
      case kSetDateBox: {
        const auto box = kDateBoxes[input.Byte() % kDateBoxes.size()];
        controls_.date_boxes[box].text = input.Text(kDateAlphabet, kMaxDateUnits);
        break;
      }
      case kPressSearch: PressSearch(input.Byte()); break;
      case kSelectEntry: Select(input.Byte(), input.Byte()); break;
      case kFileCommand: Menu(kFileMenu, input.Byte()); break;
      case kPopupCommand: Menu(kListPopupMenu, input.Byte()); break;
      case kPressMouse: {
        const auto button = static_cast<MouseButton>(input.Byte() % 3);
        const ScreenPoint at{input.Int32(), input.Int32()};
        Opening(0, [&] { form_.lstName_MouseDown(button, at); });
        break;
      }
      case kResizeWindow: {
        const int32_t width = input.Int32();
        const int32_t height = input.Int32();
        // Now and then far beyond any screen, to reach the arithmetic's large values.
        const double scale = input.Byte() % 2 == 0 ? 1 : 65536;
        Resize(width * scale, height * scale);
        break;
      }
      case kFocusName: Opening(0, [&] { form_.txtXingShi_GotFocus(); }); break;
    }
  }

  // Typed at the caret or pasted over the whole text; the toolkit then raises the change event.
  void Type(Input& input) {
    const bool replace = input.Byte() % 2 == 0;
    const std::u16string typed = input.Text(kFamilyNameAlphabet, kMaxFamilyNameUnits);
    std::u16string& text = controls_.family_name;
    if (replace) {
      text = typed;
      controls_.family_caret = static_cast<int>(text.size());
    } else {
      const size_t caret = std::min(static_cast<size_t>(std::max(controls_.family_caret, 0)), text.size());
      text.insert(caret, typed);
      controls_.family_caret = static_cast<int>(caret + typed.size());
    }
    Opening(0, [&] { form_.txtXingShi_Change(); });
  }

  // Option buttons come in pairs, and setting one clears the other, as in their frames.
  void SetOption(uint8_t which) {
    static constexpr OptionButton kPartners[][2] = {{OptionButton::optOne, OptionButton::optTwo},
                                                    {OptionButton::optTwo, OptionButton::optOne},
                                                    {OptionButton::optMan, OptionButton::optWoman},
                                                    {OptionButton::optWoman, OptionButton::optMan}};
    const auto& [set, cleared] = kPartners[which % 4];
    controls_.options[set] = true;
    controls_.options[cleared] = false;
  }

  // A click selects only that entry, a Ctrl+click toggles it, a drag selects the run from the
  // current entry to it; the last kind clears the selection. Each makes the entry current.
  void Select(uint8_t index_byte, uint8_t kind) {
    auto& list = controls_.list;
    if (list.empty()) return;
    const int index = index_byte % static_cast<int>(list.size());
    switch (kind % 4) {
      case 0:
        for (auto& entry : list) entry.selected = false;
        list[static_cast<size_t>(index)].selected = true;
        break;
      case 1: list[static_cast<size_t>(index)].selected = !list[static_cast<size_t>(index)].selected; break;
      case 2: {
        const int anchor = controls_.current >= 0 ? controls_.current : index;
        for (int i = 0; i < static_cast<int>(list.size()); ++i) {
          list[static_cast<size_t>(i)].selected = i >= std::min(anchor, index) && i <= std::max(anchor, index);
        }
        break;
      }
      case 3:
        for (auto& entry : list) entry.selected = false;
        break;
    }
    controls_.current = index;
  }

  template <size_t N>
  void Menu(const std::array<MenuItem, N>& menu, uint8_t choice) {
    std::vector<const MenuItem*> commands;
    for (const MenuItem& item : menu) {
      if (item.handler != nullptr) commands.push_back(&item);
    }
    const MenuItem& item = *commands[choice % commands.size()];
    desktop_.browser_works = choice / commands.size() % 2 == 0;
    const bool opens_site = item.handler == &frmName::mnuRegNet_Click;
    Opening(opens_site ? 1 : 0, [&] { (form_.*item.handler)(); });
  }

  void PressSearch(uint8_t answers) {
    desktop_.answer_yes = answers % 2 == 1;
    desktop_.browser_works = answers / 2 % 2 == 0;
    const std::vector<FakeControls::Entry> list = controls_.list;
    const std::u16string out = controls_.out;
    const std::u16string collection = form_.CollectionText();
    const std::u16string family_name = controls_.family_name;
    const size_t given_units = controls_.options[OptionButton::optOne] ? 1 : 2;
    const size_t questions = desktop_.questions.size();
    const size_t messages = desktop_.messages.size();

    const size_t before = desktop_.opened.size();
    Guarded([&] { form_.cmdYes_Click(); });
    const size_t asked = desktop_.questions.size() - questions;
    Require(desktop_.opened.size() - before == (desktop_.answer_yes ? asked : 0), 5,
            "the search opened the browser without a Yes, or not after one");

    bool refused = false;
    for (size_t i = messages; i < desktop_.messages.size(); ++i) {
      refused = refused || desktop_.messages[i].icon == MessageIcon::Information;
    }
    if (refused) {
      Require(SameList(controls_.list, list), 3, "a refused date changed the list");
      Require(controls_.out == out, 3, "a refused date changed the output box");
      Require(form_.CollectionText() == collection, 3, "a refused date changed the collection");
      return;
    }
    Require(asked == 1, 1, "a search that got past the date check did not report its total once");
    Search search{family_name, given_units, controls_.Entries(), {}, controls_.out};
    CheckBatch(search);
    CheckReport(search.report);
    for (const std::u16string& entry : search.batch) ++search.listed[std::u16string(Trimmed(entry))];
    search_ = std::move(search);
  }

  // A batch is one dictionary row whole and in order: each of its characters after the family name
  // (one-character names), or after the first character of some row (two-character names).
  void CheckBatch(const Search& search) {
    std::u16string last_characters;
    for (const std::u16string& entry : search.batch) {
      Require(entry.starts_with(search.family_name) && entry.size() == search.family_name.size() + search.given_units,
              1, "an entry is not the searched family name plus the given name's characters");
      last_characters += entry.back();
      if (search.given_units == 2) {
        const char16_t first = entry[search.family_name.size()];
        Require(first == search.batch.front()[search.family_name.size()] && StartsSomeDictionaryRow(first), 1,
                "a two-character batch does not keep the first character of a row");
      }
    }
    Require(search.batch.empty() || IsDictionaryRow(last_characters), 1,
            "a batch is not one dictionary row: an entry is missing, added or repeated");
  }

  // The report's six lines, the second repeating the date boxes as entered.
  void CheckReport(std::u16string_view report) {
    std::u16string moment = u"宝宝生日：\r\n公历日期：";
    const std::u16string_view units[] = {u"年", u"月", u"日 ", u"时", u"分\r\n"};
    for (size_t i = 0; i < kDateBoxes.size(); ++i) (moment += controls_.date_boxes[kDateBoxes[i]].text) += units[i];
    size_t lines = 0;
    for (size_t at = 0; (at = report.find(u"\r\n", at)) != std::u16string_view::npos; at += 2) ++lines;
    Require(report.starts_with(moment) && report.ends_with(u"\r\n") && lines == 6, 2,
            "a search did not write the chart report of the entered moment");
  }

  void Resize(double width, double height) {
    const FormLayout before = form_.CurrentLayout();
    const size_t applied = controls_.applied.size();
    controls_.outer = {width, height};
    Opening(0, [&] { form_.Form_Resize(); });
    Require(controls_.applied.size() == applied + 1 && controls_.applied.back() == form_.CurrentLayout(), 6,
            "the resize did not apply the layout it kept");
    Require(HasNoNegativeSize(form_.CurrentLayout()), 6, "a control has a negative width or height");
    if (height < kMinimumOuterHeight) {
      Require(form_.CurrentLayout() == before, 6, "a window below 4455 twips changed its layout");
    } else {
      Require(form_.CurrentLayout() == DrawnLayout(width, height), 6, "the layout is not the drawn one");
    }
  }

  void Close() {
    Opening(1, [&] { form_.Form_Unload(); });
    CheckAlways();
  }

  // Rules 1, 2 and 4, which hold after every event whatever it was.
  void CheckAlways() {
    for (const testing::SavedSetting& setting : desktop_.settings) {
      Require(setting.application == u"tavren" && setting.section == u"Start" &&
                  (setting.key == u"Path" || setting.key == u"Ver"),
              4, "a setting other than tavren/Start/Path or Ver was written");
    }
    const std::u16string& collection = form_.CollectionText();
    if (!search_) {
      Require(controls_.list.empty(), 1, "the list holds entries before any search");
      Require(collection.empty(), 2, "the collection is not empty before the first search");
      return;
    }
    // Entries leave the list but never appear in it or move: it is what is left of the batch.
    size_t at = 0;
    for (const FakeControls::Entry& entry : controls_.list) {
      while (at < search_->batch.size() && search_->batch[at] != entry.text) ++at;
      Require(at < search_->batch.size(), 1, "the list holds an entry the last search did not list, or out of order");
      ++at;
    }

    Require(collection.starts_with(search_->report), 2, "the collection does not begin with the chart report");
    const std::u16string_view names = std::u16string_view(collection).substr(search_->report.size());
    for (size_t from = 0; from < names.size();) {
      const size_t end = names.find(u"\r\n", from);
      Require(end != std::u16string_view::npos, 2, "the collection holds a line without its CR LF");
      const std::u16string_view name = names.substr(from, end - from);
      const auto listed = search_->listed.find(name);
      Require(listed != search_->listed.end(), 2, "the collection holds a name the last search did not list");
      // This name's copies so far in the collection and those still in the list: no more than listed.
      int copies = 1;
      for (size_t line = 0; line < from;) {
        const size_t line_end = names.find(u"\r\n", line);
        copies += names.substr(line, line_end - line) == name;
        line = line_end + 2;
      }
      for (const FakeControls::Entry& entry : controls_.list) copies += Trimmed(entry.text) == name;
      Require(copies <= listed->second, 2, "a name was collected more often than listed, or is still in the list");
      from = end + 2;
    }
  }

  FakeControls controls_;
  FakeDesktop desktop_;
  frmName form_;
  std::optional<Search> search_;
};

}  // namespace
}  // namespace app

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  app::Input input(data, size);
  app::FormDriver driver;
  driver.Run(input);
  return 0;
}
