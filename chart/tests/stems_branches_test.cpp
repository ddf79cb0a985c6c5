// SPDX-License-Identifier: MIT
// Covers the naming of pillars from sexagenary indices (the truncating remainders, indices outside
// 1..60, the int16 extremes), the Nayin table and the element of every stem and branch character.
#include "chart/stems_branches.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <limits>
#include <set>
#include <string>

#include "lunacal/vocabulary.h"

namespace chart {
namespace {

TEST(GetGanZhi, NamesIndicesByTheirTwoRemainders) {
  struct Case {
    int16_t index;
    std::u16string_view name;
  };
  const Case cases[] = {
      {1, u"甲子"},   {2, u"乙丑"},  {11, u"甲戌"}, {16, u"己卯"}, {55, u"戊午"},
      {60, u"癸亥"},  {61, u"甲子"}, {0, u"癸亥"},  {120, u"癸亥"}, {-1, u""},
      {-10, u"癸"},   {-12, u"亥"},  {-60, u"癸亥"},
      {std::numeric_limits<int16_t>::min(), u""},
      {std::numeric_limits<int16_t>::max(), u"庚午"},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(GetGanZhi(c.index), c.name) << "index " << c.index;
  }
}

// Within the cycle the chart's names are the calendar's own; only outside it do its remainders
// name what the calendar leaves unnamed.
TEST(GetGanZhi, WalksSixtyDistinctPairs_asTheCalendarNamesThem) {
  std::set<std::u16string> names;
  for (int16_t index = 1; index <= 60; ++index) {
    const std::u16string name = GetGanZhi(index);
    EXPECT_EQ(name, lunacal::vocabulary::PairName(index)) << "index " << index;
    EXPECT_EQ(GetTianGan(index), name.substr(0, 1)) << "index " << index;
    EXPECT_EQ(GetDiZhi(index), name.substr(1)) << "index " << index;
    names.insert(name);
  }
  EXPECT_EQ(names.size(), 60u);
}

TEST(GetGanZhiWuXing, GivesTheElementOfEachStemAndBranch) {
  struct Case {
    std::u16string_view ch;
    std::u16string_view element;
  };
  const Case cases[] = {
      {u"甲", u"木"}, {u"乙", u"木"}, {u"丙", u"火"}, {u"丁", u"火"}, {u"戊", u"土"},
      {u"己", u"土"}, {u"庚", u"金"}, {u"辛", u"金"}, {u"壬", u"水"}, {u"癸", u"水"},
      {u"子", u"水"}, {u"丑", u"土"}, {u"寅", u"木"}, {u"卯", u"木"}, {u"辰", u"土"},
      {u"巳", u"火"}, {u"午", u"火"}, {u"未", u"土"}, {u"申", u"金"}, {u"酉", u"金"},
      {u"戌", u"土"}, {u"亥", u"水"},
      // Whole-text comparison: pairs, element names and the empty text have no element.
      {u"甲子", u""}, {u"", u""}, {u"金", u""}, {u"甲 ", u""},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(GetGanZhiWuXing(c.ch), c.element);
  }
}

TEST(GetNaYin, GivesEntryNAndNothingOutsideTheCycle) {
  struct Case {
    int16_t index;
    std::u16string_view nayin;
  };
  const Case cases[] = {
      {1, u"海中金"},  {2, u"海中金"},  {3, u"炉中火"}, {17, u"白蜡金"}, {18, u"白蜡金"},
      {35, u"平地木"}, {36, u"平地木"}, {59, u"大海水"}, {60, u"大海水"}, {0, u""},
      {61, u""},       {-1, u""},
      {std::numeric_limits<int16_t>::min(), u""},
      {std::numeric_limits<int16_t>::max(), u""},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(GetNaYin(c.index), c.nayin) << "index " << c.index;
  }
}

}  // namespace
}  // namespace chart
