// SPDX-License-Identifier: MIT
// The five grids of names and of stroke counts (family-name length classes, empty texts, saturation
// at the int16 limits) and the three number sets that rate them.

#include <array>
#include <cstddef>
#include <cstdint>
#include <limits>
#include <optional>
#include <ostream>
#include <string>
#include <string_view>
#include <vector>

#include <gtest/gtest.h>

#include "naming/five_grids.h"

namespace naming {

// Failed comparisons show the grids in heaven, person, earth, outer, total order.
void PrintTo(const WuGe& g, std::ostream* os) {
  *os << '{' << g.TianGe << ' ' << g.RenGe << ' ' << g.DiGe << ' ' << g.WaiGe << ' ' << g.ZongGe
      << '}';
}

namespace {

constexpr int16_t kMax = std::numeric_limits<int16_t>::max();
constexpr int16_t kMin = std::numeric_limits<int16_t>::min();

TEST(GetWuGe, GridsOfNames) {
  struct Case {
    std::u16string_view family_name;
    std::u16string_view given_name;
    WuGe grids;  // heaven, person, earth, outer, total
  };
  constexpr std::array<Case, 11> kCases = {{
      {u"王", u"袍灌", {5, 15, 33, 23, 37}},
      {u"王", u"一", {5, 5, 2, 2, 5}},
      {u"欧阳", u"一", {27, 28, 2, 1, 28}},
      {u"李", u"九七", {8, 16, 16, 8, 23}},
      {u"", u"一", {0, 1, 2, 1, 1}},
      // The person grid takes the whole family total, not its last character.
      {u"欧阳", u"九七", {27, 36, 16, 7, 43}},
      // A trailing space makes the family name two characters long: no +1 in the heaven grid.
      {u"王 ", u"一", {4, 5, 2, 1, 5}},
      // Only the first two given characters count.
      {u"李", u"九七一", {8, 16, 16, 8, 23}},
      // Unknown characters count 0 strokes but still count as characters.
      {u"張", u"A七", {1, 0, 7, 8, 7}},
      // An empty given name reads as one character of 0 strokes.
      {u"王", u"", {5, 4, 1, 2, 4}},
      {u"", u"", {0, 0, 1, 1, 0}},
  }};
  for (std::size_t i = 0; i < kCases.size(); ++i) {
    EXPECT_EQ(GetWuGe(kCases[i].family_name, kCases[i].given_name), kCases[i].grids)
        << "case " << i;
  }
}

TEST(GridsFromStrokes, OuterGridFollowsFromLengths) {
  // One-character family and given name always give outer grid 2, longer family names 1.
  for (int16_t s = 0; s <= 60; ++s) {
    for (int16_t a = 1; a <= 30; ++a) {
      EXPECT_EQ(GridsFromStrokes(s, FamilyNameLength::One, a, std::nullopt).WaiGe, 2);
      EXPECT_EQ(GridsFromStrokes(s, FamilyNameLength::TwoOrMore, a, std::nullopt).WaiGe, 1);
      EXPECT_EQ(GridsFromStrokes(s, FamilyNameLength::One, a, int16_t{9}).WaiGe, 10);
      EXPECT_EQ(GridsFromStrokes(s, FamilyNameLength::TwoOrMore, a, int16_t{9}).WaiGe, 9);
    }
  }
}

TEST(GridsFromStrokes, SaturatesAtTheInt16Limits) {
  struct Case {
    int16_t s;
    FamilyNameLength length;
    int16_t a;
    std::optional<int16_t> b;
    WuGe grids;
  };
  const std::array<Case, 5> kCases = {{
      {kMax, FamilyNameLength::One, kMax, kMax, {kMax, kMax, kMax, kMax, kMax}},
      {kMax, FamilyNameLength::One, 1, std::nullopt, {kMax, kMax, 2, 2, kMax}},
      {kMin, FamilyNameLength::TwoOrMore, kMin, kMin, {kMin, kMin, kMin, kMin, kMin}},
      {kMin, FamilyNameLength::Empty, kMax, kMin, {0, -1, -1, 0, kMin}},
      {0, FamilyNameLength::Empty, kMax, kMax, {0, kMax, kMax, 0, kMax}},
  }};
  for (std::size_t i = 0; i < kCases.size(); ++i) {
    const Case& c = kCases[i];
    EXPECT_EQ(GridsFromStrokes(c.s, c.length, c.a, c.b), c.grids) << "case " << i;
  }
}

TEST(GetWuGe, HugeFamilyNameSaturates) {
  const WuGe grids = GetWuGe(std::u16string(5000, u'鹂'), u"鹂鹂");
  EXPECT_EQ(grids, (WuGe{kMax, kMax, 60, 60, kMax}));
}

TEST(FamilyNameLengthOf, CountsCodeUnitsAsTyped) {
  EXPECT_EQ(FamilyNameLengthOf(u""), FamilyNameLength::Empty);
  EXPECT_EQ(FamilyNameLengthOf(u"王"), FamilyNameLength::One);
  EXPECT_EQ(FamilyNameLengthOf(u" "), FamilyNameLength::One);
  EXPECT_EQ(FamilyNameLengthOf(u"王 "), FamilyNameLength::TwoOrMore);
  EXPECT_EQ(FamilyNameLengthOf(u"诸葛"), FamilyNameLength::TwoOrMore);
}

// Every int16 is tried, so a missing, extra or folded number shows in the members found.
std::vector<int16_t> MembersOf(bool (*test)(int16_t)) {
  std::vector<int16_t> members;
  for (int32_t n = kMin; n <= kMax; ++n) {
    if (test(static_cast<int16_t>(n))) members.push_back(static_cast<int16_t>(n));
  }
  return members;
}

TEST(NumberSets, HoldExactlyTheirMembers) {
  const std::vector<int16_t> auspicious = {1,  3,  5,  8,  11, 13, 15, 16, 21, 23, 24, 25, 29, 31, 32,
                                           33, 35, 37, 39, 41, 45, 47, 48, 52, 57, 63, 65, 67, 68, 81};
  EXPECT_EQ(MembersOf(IsJiShu), auspicious);
  EXPECT_EQ(MembersOf(IsNvJiShu), (std::vector<int16_t>{3, 5, 6, 11, 13, 15, 16, 24, 31, 32, 35}));
  EXPECT_EQ(MembersOf(IsNvJiHui), (std::vector<int16_t>{21, 23, 26, 28, 29, 33, 39}));
}

TEST(NumberSets, NamedCases) {
  for (const int n : {0, 2, 6, 7, 17, 18, 61, 82, 162, -1, -81}) EXPECT_FALSE(IsJiShu(static_cast<int16_t>(n))) << n;
  EXPECT_TRUE(IsJiShu(1));
  EXPECT_TRUE(IsJiShu(81));
  EXPECT_TRUE(IsNvJiShu(6));
  EXPECT_TRUE(IsNvJiHui(33));
  EXPECT_TRUE(IsJiShu(33));
  EXPECT_FALSE(IsJiShu(26));
  EXPECT_TRUE(IsNvJiHui(26));
}

}  // namespace
}  // namespace naming
