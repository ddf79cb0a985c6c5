// SPDX-License-Identifier: MIT
#include "naming/name_search.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <limits>
#include <optional>
#include <string>
#include <string_view>

#include "naming/five_grids.h"
#include "naming/stroke_dictionary.h"
#include "naming/three_talents.h"

namespace naming {

namespace {

// The message that reports the total; the number stands between the two parts without grouping.
constexpr std::u16string_view kMessageHead = u"本次共生成 ";
constexpr std::u16string_view kMessageTail =
    u" 个好名；姓名列表区仅显示部分好名。如需查看所有好名，请访问［青枫取名网］（永久免费的专业取名网），是否马上访问［青枫取名网］？";

// No combination stands for more names than the longest row squared, and at most 900 combinations
// qualify, so the running total cannot leave int32 for the built-in dictionary.
constexpr int32_t kLongestRow = 250;  // row 10
static_assert(int64_t{kMaxStrokes} * kMaxStrokes * kLongestRow * kLongestRow <
              std::numeric_limits<int32_t>::max());

// Row lengths of arbitrary callers are clamped, so a product never wraps.
int32_t ClampedCount(std::size_t count) {
  constexpr auto kMax = static_cast<std::size_t>(std::numeric_limits<int32_t>::max());
  return static_cast<int32_t>(std::min(count, kMax));
}

int32_t ClampedProduct(std::size_t first, std::size_t second) {
  const int64_t product = int64_t{ClampedCount(first)} * ClampedCount(second);  // [0, 2^62)
  return static_cast<int32_t>(std::min<int64_t>(product, std::numeric_limits<int32_t>::max()));
}

bool Qualifies(const WuGe& grids, Sex sex) {
  std::u16string configuration;  // three single code units fit the short-string buffer
  configuration += GetShuWuXing(grids.TianGe);
  configuration += GetShuWuXing(grids.RenGe);
  configuration += GetShuWuXing(grids.DiGe);
  if (!IsSanCaiJi(configuration)) return false;
  // The heaven grid only enters the configuration and the outer grid; it is never rated itself.
  if (!IsJiShu(grids.RenGe) || !IsJiShu(grids.DiGe) || !IsJiShu(grids.ZongGe) ||
      !IsJiShu(grids.WaiGe)) {
    return false;
  }
  if (sex == Sex::Boy) return true;
  // A girl's total grid is deliberately left out of the avoid test.
  return IsNvJiShu(grids.RenGe) && !IsNvJiHui(grids.DiGe) && !IsNvJiHui(grids.WaiGe);
}

}  // namespace

int32_t ListNames(NameList& list, bool& first_batch_listed, std::u16string_view family_name,
                  std::u16string_view first_row, std::u16string_view second_row) {
  const bool one_character = second_row.empty();
  if (!first_batch_listed) {
    std::u16string entry(family_name);
    if (one_character) {
      for (const char16_t first : first_row) {
        entry.resize(family_name.size());
        entry += first;
        list.AddEntry(entry);
      }
    } else if (!first_row.empty()) {
      // A two-character batch keeps the row's first character and pairs it with the whole second row.
      entry += first_row.front();
      for (const char16_t second : second_row) {
        entry.resize(family_name.size() + 1);
        entry += second;
        list.AddEntry(entry);
      }
    }
  }
  first_batch_listed = true;
  return one_character ? ClampedCount(first_row.size())
                       : ClampedProduct(first_row.size(), second_row.size());
}

int32_t GenerateNames(NameList& list, std::u16string_view family_name, NameLength length, Sex sex) {
  list.Clear();
  bool first_batch_listed = false;
  int32_t total = 0;  // [0, 900 * 250 * 250]
  const int16_t family_strokes = GetXingBiHua(family_name);
  const FamilyNameLength family_length = FamilyNameLengthOf(family_name);
  for (int16_t a = 1; a <= kMaxStrokes; ++a) {
    if (length == NameLength::One) {
      if (Qualifies(GridsFromStrokes(family_strokes, family_length, a, std::nullopt), sex)) {
        total += ListNames(list, first_batch_listed, family_name, GetBiHuaZi(a), {});
      }
      continue;
    }
    for (int16_t b = 1; b <= kMaxStrokes; ++b) {
      if (Qualifies(GridsFromStrokes(family_strokes, family_length, a, b), sex)) {
        total += ListNames(list, first_batch_listed, family_name, GetBiHuaZi(a), GetBiHuaZi(b));
      }
    }
  }
  return total;
}

std::u16string GenerateNamesMessage(int32_t total) {
  const std::string digits = std::to_string(total);
  std::u16string message(kMessageHead);
  message.append(digits.begin(), digits.end());  // ASCII digits and sign widen unchanged
  message += kMessageTail;
  return message;
}

}  // namespace naming
