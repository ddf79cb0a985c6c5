// SPDX-License-Identifier: MIT
#include "naming/five_grids.h"

#include <algorithm>
#include <array>
#include <cstddef>
#include <cstdint>
#include <limits>
#include <optional>
#include <string_view>

#include "naming/shu_li_table.h"
#include "naming/stroke_dictionary.h"

namespace naming {

namespace {

// The numbers that numerology rates auspicious; there is no folding of numbers above 81 onto 1..81.
constexpr std::array<int16_t, 30> kAuspiciousNumbers = {
    1, 3, 5, 8, 11, 13, 15, 16, 21, 23, 24, 25, 29, 31, 32,
    33, 35, 37, 39, 41, 45, 47, 48, 52, 57, 63, 65, 67, 68, 81,
};

// A girl's person grid must fall here; 6 belongs although it is not auspicious for anyone.
constexpr std::array<int16_t, 11> kGirlPersonNumbers = {3, 5, 6, 11, 13, 15, 16, 24, 31, 32, 35};

// Numbers a girl's earth and outer grid must avoid; all but 26 and 28 are auspicious for a boy.
constexpr std::array<int16_t, 7> kGirlAvoidNumbers = {21, 23, 26, 28, 29, 33, 39};

template <std::size_t N>
constexpr bool Contains(const std::array<int16_t, N>& set, int16_t n) {
  return std::find(set.begin(), set.end(), n) != set.end();
}

// Sums of int16 inputs are taken in int32, where they cannot overflow, and clamped back.
static_assert(3 * static_cast<int32_t>(std::numeric_limits<int16_t>::max()) <
              std::numeric_limits<int32_t>::max());
constexpr int16_t Saturate(int32_t value) {
  return static_cast<int16_t>(std::clamp<int32_t>(value, std::numeric_limits<int16_t>::min(),
                                                  std::numeric_limits<int16_t>::max()));
}

}  // namespace

FamilyNameLength FamilyNameLengthOf(std::u16string_view family_name) {
  // The user's text is taken as typed, so a trailing space makes a one-character name longer.
  if (family_name.empty()) return FamilyNameLength::Empty;
  return family_name.size() == 1 ? FamilyNameLength::One : FamilyNameLength::TwoOrMore;
}

WuGe GridsFromStrokes(int16_t family_strokes, FamilyNameLength length, int16_t a,
                      std::optional<int16_t> b) {
  const int32_t s = family_strokes;
  WuGe grids;
  switch (length) {
    case FamilyNameLength::Empty: grids.TianGe = 0; break;
    case FamilyNameLength::One: grids.TianGe = Saturate(s + 1); break;
    case FamilyNameLength::TwoOrMore: grids.TianGe = family_strokes; break;
  }
  grids.RenGe = Saturate(s + a);
  // A one-character given name counts its missing second character as 1 in the earth grid only.
  grids.DiGe = Saturate(int32_t{a} + b.value_or(1));
  grids.ZongGe = Saturate(s + a + b.value_or(0));
  grids.WaiGe = Saturate(int32_t{grids.TianGe} + grids.DiGe - grids.RenGe);
  return grids;
}

WuGe GetWuGe(std::u16string_view family_name, std::u16string_view given_name) {
  // An empty given name is read as a one-character name of 0 strokes, like an unknown character.
  const int16_t a = GetBiHua(given_name.substr(0, 1));
  std::optional<int16_t> b;
  if (given_name.size() >= 2) b = GetBiHua(given_name.substr(1, 1));
  return GridsFromStrokes(GetXingBiHua(family_name), FamilyNameLengthOf(family_name), a, b);
}

bool IsJiShu(int16_t n) { return Contains(kAuspiciousNumbers, n); }

bool IsNvJiShu(int16_t n) { return Contains(kGirlPersonNumbers, n); }

bool IsNvJiHui(int16_t n) { return Contains(kGirlAvoidNumbers, n); }

std::u16string_view GetShuLi(int16_t n) {
  if (n < 1 || n > static_cast<int16_t>(shu_li_entries.size())) return {};
  return shu_li_entries[static_cast<std::size_t>(n - 1)];
}

}  // namespace naming
