// SPDX-License-Identifier: MIT
// The name search: for each family name, length and sex the exact total, the listed batch (its size
// and its first and last entries), the reset of the list, ListNames on its own, and the message text.

#include <algorithm>
#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include <gtest/gtest.h>

#include "naming/name_search.h"

namespace naming {
namespace {

class VectorNameList : public NameList {
 public:
  void Clear() override { entries.clear(); }
  void AddEntry(std::u16string_view entry) override { entries.emplace_back(entry); }
  std::vector<std::u16string> entries;
};

TEST(GenerateNames, TotalsAndBatches) {
  struct Case {
    std::u16string_view family_name;
    NameLength length;
    Sex sex;
    int32_t total;
    std::size_t listed;
    std::u16string_view first;
    std::u16string_view last;
  };
  using enum NameLength;
  using enum Sex;
  constexpr std::array<Case, 18> kCases = {{
      // (11, 22), (20, 15), (21, 12): 240 × 24 + 66 × 228 + 37 × 160.
      {u"王", Two, Boy, 26728, 24, u"王袍灌", u"王袍镬"},
      // Only (20, 15); its total grid 39 is in the girl's avoid set and still accepted.
      {u"王", Two, Girl, 15048, 228, u"王矿宽", u"王矿荭"},
      // (9, 7) and (18, 7): 227 × 196 + 73 × 196.
      {u"李", Two, Boy, 58800, 196, u"李九七", u"李九儿"},
      // (2) and (10): 11 + 250.
      {u"公孙", One, Boy, 261, 11, u"公孙二", u"公孙入"},
      {u"公孙", One, Girl, 261, 11, u"公孙二", u"公孙入"},
      // A one-character family and given name always have outer grid 2.
      {u"王", One, Boy, 0, 0, u"", u""},
      {u"王", One, Girl, 0, 0, u"", u""},
      {u"欧阳", One, Boy, 0, 0, u"", u""},
      {u"欧阳", One, Girl, 0, 0, u"", u""},
      {u"欧阳", Two, Boy, 0, 0, u"", u""},
      {u"欧阳", Two, Girl, 0, 0, u"", u""},
      // (11, 5) and (11, 24): 240 × 120 + 240 × 10.
      {u"", Two, Girl, 31200, 120, u"袍五", u"袍卯"},
      {u"陈", Two, Girl, 0, 0, u"", u""},
      // The trailing space makes a two-character family name: (12) and (20), 160 + 66.
      {u"王 ", One, Boy, 226, 160, u"王 敢", u"王 瓿"},
      // Sixteen combinations, the first (1, 24) listed with 一 from row 1.
      {u"王 ", Two, Boy, 108117, 10, u"王 一罐", u"王 一嬖"},
      // Only (1, 15): 2 × 228.
      {u"诸葛", Two, Boy, 456, 228, u"诸葛一宽", u"诸葛一荭"},
      // An unknown character counts 0 strokes, but the name still has one character.
      {u"張", Two, Boy, 184128, 11, u"張一二", u"張一入"},
      {u"", One, Boy, 0, 0, u"", u""},
  }};
  for (std::size_t i = 0; i < kCases.size(); ++i) {
    const Case& c = kCases[i];
    SCOPED_TRACE("case " + std::to_string(i));
    VectorNameList list;
    EXPECT_EQ(GenerateNames(list, c.family_name, c.length, c.sex), c.total);
    ASSERT_EQ(list.entries.size(), c.listed);
    if (c.listed == 0) continue;
    EXPECT_EQ(list.entries.front(), c.first);
    EXPECT_EQ(list.entries.back(), c.last);
  }
}

TEST(GenerateNames, RepeatedCharactersGiveRepeatedEntries) {
  VectorNameList list;
  GenerateNames(list, u"", NameLength::Two, Sex::Girl);
  ASSERT_EQ(list.entries.size(), 120u);
  EXPECT_EQ(std::count(list.entries.begin(), list.entries.end(), u"袍加"), 3);
  EXPECT_EQ(std::count(list.entries.begin(), list.entries.end(), u"袍五"), 2);
}

TEST(GenerateNames, ClearsTheListAndRepeatsItself) {
  VectorNameList list;
  list.entries = {u"旧名一", u"旧名二"};
  EXPECT_EQ(GenerateNames(list, u"王", NameLength::One, Sex::Boy), 0);
  EXPECT_TRUE(list.entries.empty());
  const int32_t first = GenerateNames(list, u"李", NameLength::Two, Sex::Boy);
  const std::vector<std::u16string> batch = list.entries;
  EXPECT_EQ(GenerateNames(list, u"李", NameLength::Two, Sex::Boy), first);
  EXPECT_EQ(list.entries, batch);
}

TEST(GenerateNames, VeryLongFamilyNameIsSafe) {
  VectorNameList list;
  const std::u16string family(100'000, u'鹂');
  EXPECT_EQ(GenerateNames(list, family, NameLength::Two, Sex::Boy), 0);
  EXPECT_TRUE(list.entries.empty());
}

TEST(ListNames, ListsOnlyTheFirstBatchAndCountsEveryName) {
  VectorNameList list;
  bool listed = false;
  EXPECT_EQ(ListNames(list, listed, u"王", u"一乙", u"二乃了"), 6);
  EXPECT_TRUE(listed);
  EXPECT_EQ(list.entries, (std::vector<std::u16string>{u"王一二", u"王一乃", u"王一了"}));
  EXPECT_EQ(ListNames(list, listed, u"王", u"三口干", u""), 3);
  EXPECT_EQ(list.entries.size(), 3u);

  VectorNameList single;
  bool single_listed = false;
  EXPECT_EQ(ListNames(single, single_listed, u"公孙", u"己己", u""), 2);
  EXPECT_EQ(single.entries, (std::vector<std::u16string>{u"公孙己", u"公孙己"}));
}

TEST(ListNames, EmptyRowsListNothing) {
  VectorNameList list;
  bool listed = false;
  EXPECT_EQ(ListNames(list, listed, u"王", u"", u"二乃"), 0);
  EXPECT_EQ(ListNames(list, listed, u"王", u"", u""), 0);
  EXPECT_TRUE(list.entries.empty());
  EXPECT_TRUE(listed);
}

TEST(GenerateNamesMessage, ReportsThePlainDecimalTotal) {
  constexpr std::u16string_view kTail =
      u" 个好名；姓名列表区仅显示部分好名。如需查看所有好名，请访问［青枫取名网］（永久免费的专业取名网），是否马上访问［青枫取名网］？";
  EXPECT_EQ(GenerateNamesMessage(26728), u"本次共生成 26728" + std::u16string(kTail));
  EXPECT_EQ(GenerateNamesMessage(0), u"本次共生成 0" + std::u16string(kTail));
  EXPECT_EQ(GenerateNamesMessage(2147483647), u"本次共生成 2147483647" + std::u16string(kTail));
}

}  // namespace
}  // namespace naming
