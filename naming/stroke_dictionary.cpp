// SPDX-License-Identifier: MIT
#include "naming/stroke_dictionary.h"

#include <cstddef>
#include <cstdint>
#include <limits>
#include <string_view>

#include "naming/stroke_rows.h"

namespace naming {

int16_t GetBiHua(std::u16string_view character) {
  if (character.empty()) return 0;
  const char16_t unit = character.front();
  // Rows are scanned in order so a character listed under several counts gets the smallest one.
  for (std::size_t i = 0; i < dictionary_rows.size(); ++i) {
    if (dictionary_rows[i].find(unit) != std::u16string_view::npos) {
      return static_cast<int16_t>(i + 1);  // [1, 30]
    }
  }
  return 0;
}

std::u16string_view GetBiHuaZi(int16_t strokes) {
  if (strokes < 1 || strokes > kMaxStrokes) return {};
  return dictionary_rows[static_cast<std::size_t>(strokes - 1)];
}

int16_t GetXingBiHua(std::u16string_view family_name) {
  constexpr int32_t kLimit = std::numeric_limits<int16_t>::max();
  // The running sum stays below kLimit + kMaxStrokes before the check stops it, far inside int32.
  static_assert(kLimit + kMaxStrokes < std::numeric_limits<int32_t>::max());
  int32_t sum = 0;  // [0, kLimit]
  for (std::size_t i = 0; i < family_name.size(); ++i) {
    sum += GetBiHua(family_name.substr(i, 1));
    if (sum >= kLimit) return static_cast<int16_t>(kLimit);
  }
  return static_cast<int16_t>(sum);
}

}  // namespace naming
