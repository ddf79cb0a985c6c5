// SPDX-License-Identifier: MIT
// The stroke dictionary: the shape of its 30 rows (lengths, entries, overlaps, first characters), the
// stroke count of single characters, the rows by count, and family-name sums including saturation.

#include <algorithm>
#include <array>
#include <cstddef>
#include <cstdint>
#include <limits>
#include <map>
#include <set>
#include <string>
#include <string_view>

#include <gtest/gtest.h>

#include "naming/stroke_dictionary.h"
#include "naming/stroke_rows.h"

namespace naming {
namespace {

TEST(StrokeRows, RowLengthsAndEntryCounts) {
  constexpr std::array<std::size_t, 30> kLengths = {2,   11,  34,  77,  120, 142, 196, 236,
                                                    227, 250, 240, 160, 215, 186, 228, 149,
                                                    103, 73,  78,  66,  37,  24,  15,  10,
                                                    9,   4,   5,   2,   2,   1};
  std::size_t entries = 0;
  std::map<char16_t, std::set<int16_t>> rows_of;
  for (int16_t k = 1; k <= kMaxStrokes; ++k) {
    const std::u16string_view row = GetBiHuaZi(k);
    EXPECT_EQ(row.size(), kLengths[static_cast<std::size_t>(k - 1)]) << "row " << k;
    EXPECT_EQ(row, dictionary_rows[static_cast<std::size_t>(k - 1)]);
    entries += row.size();
    for (const char16_t c : row) {
      // Every entry is one code unit of the CJK Unified Ideographs block.
      EXPECT_TRUE(c >= 0x4E00 && c <= 0x9FFF) << "row " << k;
      rows_of[c].insert(k);
    }
  }
  EXPECT_EQ(entries, 2902u);
  EXPECT_EQ(rows_of.size(), 2508u);
  std::size_t in_several_rows = 0;
  for (const auto& [c, rows] : rows_of) in_several_rows += rows.size() > 1 ? 1 : 0;
  EXPECT_EQ(in_several_rows, 154u);
  EXPECT_EQ(rows_of[u'几'], (std::set<int16_t>{2, 12, 15}));
  EXPECT_EQ(rows_of[u'昌'], (std::set<int16_t>{7, 8, 9}));
  EXPECT_EQ(rows_of[u'昆'], (std::set<int16_t>{8, 11, 12}));
}

TEST(StrokeRows, FirstCharacterOfEachRow) {
  constexpr std::u16string_view kFirsts = u"一二三四五六七八九库袍敢手赵宽窥恳柜肖矿顾";
  for (std::size_t i = 0; i < kFirsts.size(); ++i) {
    EXPECT_EQ(GetBiHuaZi(static_cast<int16_t>(i + 1)).front(), kFirsts[i]) << "row " << i + 1;
  }
}

TEST(StrokeRows, RepeatsWithinRowsAreKept) {
  struct Case {
    int16_t row;
    char16_t character;
    std::size_t times;
  };
  constexpr std::array<Case, 9> kCases = {{{3, u'己', 2}, {3, u'巳', 2}, {4, u'牛', 2},
                                           {4, u'丑', 2}, {4, u'日', 2}, {4, u'尤', 2},
                                           {5, u'加', 3}, {5, u'五', 2}, {5, u'玉', 2}}};
  for (const Case& c : kCases) {
    const std::u16string_view row = GetBiHuaZi(c.row);
    EXPECT_EQ(static_cast<std::size_t>(std::count(row.begin(), row.end(), c.character)), c.times)
        << "row " << c.row;
  }
  EXPECT_EQ(GetBiHuaZi(1), u"一乙");
}

TEST(GetBiHua, CountsOfSingleCharacters) {
  struct Case {
    std::u16string_view character;
    int16_t strokes;
  };
  // Numerology counts, not glyph counts; characters in several rows take their first row.
  constexpr std::array<Case, 24> kCases = {{
      {u"一", 1},  {u"九", 9},  {u"十", 0},  {u"体", 7},  {u"矿", 20}, {u"湾", 26},
      {u"几", 2},  {u"鹂", 30}, {u"張", 0},  {u"王", 4},  {u"马", 10}, {u"张", 11},
      {u"陈", 16}, {u"欧", 15}, {u"阳", 12}, {u"罗", 20}, {u"司", 5},  {u"昌", 7},
      {u"览", 21}, {u"A", 0},   {u" ", 0},   {u"", 0},    {u"王李", 4}, {u"乙", 1},
  }};
  for (std::size_t i = 0; i < kCases.size(); ++i) {
    EXPECT_EQ(GetBiHua(kCases[i].character), kCases[i].strokes) << "case " << i;
  }
}

TEST(GetBiHuaZi, CountsOutsideTheTableGiveEmptyText) {
  for (const int k : {0, 31, -1, INT16_MIN, INT16_MAX}) {
    EXPECT_TRUE(GetBiHuaZi(static_cast<int16_t>(k)).empty()) << k;
  }
  EXPECT_EQ(GetBiHuaZi(30), u"鹂");
}

TEST(GetXingBiHua, SumsEveryCharacterAsTyped) {
  struct Case {
    std::u16string_view family_name;
    int16_t strokes;
  };
  constexpr std::array<Case, 7> kCases = {{
      {u"欧阳", 27}, {u"王 ", 4}, {u"", 0}, {u"公孙", 14}, {u"诸葛", 31}, {u"張", 0}, {u"司马", 15},
  }};
  for (std::size_t i = 0; i < kCases.size(); ++i) {
    EXPECT_EQ(GetXingBiHua(kCases[i].family_name), kCases[i].strokes) << "case " << i;
  }
}

TEST(GetXingBiHua, SaturatesInsteadOfWrapping) {
  // 1,092 characters of 30 strokes are the longest name that fits; one more would wrap negative.
  EXPECT_EQ(GetXingBiHua(std::u16string(1092, u'鹂')), 32760);
  EXPECT_EQ(GetXingBiHua(std::u16string(1093, u'鹂')), std::numeric_limits<int16_t>::max());
  EXPECT_EQ(GetXingBiHua(std::u16string(1'000'000, u'鹂')), std::numeric_limits<int16_t>::max());
  EXPECT_EQ(GetXingBiHua(std::u16string(32767, u'一')), 32767);
  EXPECT_EQ(GetXingBiHua(std::u16string(10'000, u'x')), 0);
}

}  // namespace
}  // namespace naming
