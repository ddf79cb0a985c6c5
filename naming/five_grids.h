// SPDX-License-Identifier: MIT
#pragma once
// The five grids of a name, the auspicious number sets and the 81-number readings.

#include <cstdint>
#include <optional>
#include <string_view>

namespace naming {

// The five grid numbers of one name. No grid is negative for names of dictionary characters.
struct WuGe {
  int16_t TianGe = 0;  // heaven grid
  int16_t RenGe = 0;   // person grid
  int16_t DiGe = 0;    // earth grid
  int16_t WaiGe = 0;   // outer grid
  int16_t ZongGe = 0;  // total grid
  friend bool operator==(const WuGe&, const WuGe&) = default;
};

// How many characters the family name has, which decides the heaven grid.
enum class FamilyNameLength { Empty, One, TwoOrMore };

// The length class of a family name as typed: code units are counted, so "王 " is TwoOrMore.
FamilyNameLength FamilyNameLengthOf(std::u16string_view family_name);

// The grid formulas on stroke counts: family total `family_strokes`, first given character `a`,
// and for a two-character given name the second character `b`. Sums saturate at the int16 limits.
WuGe GridsFromStrokes(int16_t family_strokes, FamilyNameLength length, int16_t a,
                      std::optional<int16_t> b);

// The grids of a family name and a given name as typed; characters after the second given
// character are ignored, characters outside the dictionary count 0 strokes.
WuGe GetWuGe(std::u16string_view family_name, std::u16string_view given_name);

bool IsJiShu(int16_t n);    // in the auspicious set
bool IsNvJiShu(int16_t n);  // in the girl's person-grid set
bool IsNvJiHui(int16_t n);  // in the girl's avoid set

// The reading of number 1..81: five lines joined by CR LF, no break after the last;
// the empty text for any other number (there is no folding of large numbers onto 1..81).
std::u16string_view GetShuLi(int16_t n);

}  // namespace naming
