// SPDX-License-Identifier: MIT
#pragma once
// The calendar's vocabulary, for every program that names what lunacal answers: the ten heavenly
// stems, the twelve earthly branches, the sixty stem-branch pairs in cycle order (1 = 甲子 ...
// 60 = 癸亥, the sexagenary index the pillar functions return), the Nayin of each pair and the
// names of the 24 solar terms, with the mapping between the two term numberings. Names only: no
// calendar code and nothing exported, so a program needs nothing but this header.
//
// Texts are UTF-16; every stem, branch and term-name character is one code unit. Functions give
// the empty text, or 0, for a number outside their range.
//
// Example: PairName(16) is u"己卯", NayinOf(16) u"城头土", SolarTermName(TableTermOfExported(1))
// u"立春".

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

namespace lunacal::vocabulary {

inline constexpr std::u16string_view kStems = u"甲乙丙丁戊己庚辛壬癸";
inline constexpr std::u16string_view kBranches = u"子丑寅卯辰巳午未申酉戌亥";
static_assert(kStems.size() == 10 && kBranches.size() == 12);

// The Nayin of the sixty pairs, three characters per pair, copied by script from the reference
// table (never retyped). Each name stands twice in a row because one name covers two consecutive
// pairs; the last character of a name is its element.
inline constexpr std::u16string_view kNayin =
    u"海中金海中金炉中火炉中火大林木大林木路旁土路旁土剑锋金剑锋金"
    u"山头火山头火涧下水涧下水城头土城头土白蜡金白蜡金杨柳木杨柳木"
    u"泉中水泉中水屋上土屋上土霹雳火霹雳火松柏木松柏木长流水长流水"
    u"沙中金沙中金山下火山下火平地木平地木壁上土壁上土金箔金金箔金"
    u"覆灯火覆灯火天河水天河水大驿土大驿土钗钏金钗钏金桑柘木桑柘木"
    u"大溪水大溪水沙中土沙中土天上火天上火石榴木石榴木大海水大海水";
static_assert(kNayin.size() == 60 * 3);

// The solar terms in the table's numbering, 1 = 小寒 ... 24 = 冬至, the order of a Gregorian year.
// The exported numbering starts at 立春 instead: exported 1..22 are table 3..24, and 23 and 24 are
// 小寒 and 大寒, which fall in January of the same year.
inline constexpr std::array<std::u16string_view, 24> kSolarTermNames{
    u"小寒", u"大寒", u"立春", u"雨水", u"惊蛰", u"春分", u"清明", u"谷雨",
    u"立夏", u"小满", u"芒种", u"夏至", u"小暑", u"大暑", u"立秋", u"处暑",
    u"白露", u"秋分", u"寒露", u"霜降", u"立冬", u"小雪", u"大雪", u"冬至",
};

// The stem 1..10 and the branch 1..12 of a sexagenary index 1..60; 0 for any other index.
constexpr int32_t StemOf(int32_t index) { return index >= 1 && index <= 60 ? (index - 1) % 10 + 1 : 0; }
constexpr int32_t BranchOf(int32_t index) { return index >= 1 && index <= 60 ? (index - 1) % 12 + 1 : 0; }

// The sexagenary index 1..60 of stem 1..10 and branch 1..12, or 0 when no pair has both: a stem and
// a branch of unlike parity never meet, and neither does a number outside its cycle.
// Example: PairOf(6, 4) == 16 (己卯).
constexpr int32_t PairOf(int32_t stem, int32_t branch) {
  if (stem < 1 || stem > 10 || branch < 1 || branch > 12 || (stem - branch) % 2 != 0) return 0;
  // Solve n - 1 = stem - 1 (mod 10) and n - 1 = branch - 1 (mod 12): n - 1 = stem - 1 + 10k,
  // where 10k = branch - stem (mod 12), so k = 5 * (branch - stem) / 2 (mod 6) as 5 * 5 = 1 (mod 6).
  const int32_t half_gap = (branch - stem) / 2;    // [-4, 5]
  const int32_t k = ((5 * half_gap) % 6 + 6) % 6;  // [0, 5]
  return stem + 10 * k;                            // [1, 60]
}
static_assert(PairOf(1, 1) == 1 && PairOf(10, 12) == 60 && PairOf(6, 4) == 16 && PairOf(1, 2) == 0);

// The sexagenary index of a year of the common era, any year: year 4 was 甲子 (1), so 1901 is 辛丑
// (38). The remainder is taken first, so no year overflows.
constexpr int32_t PairOfYear(int32_t year) { return (year % 60 + 116) % 60 + 1; }
static_assert(PairOfYear(4) == 1 && PairOfYear(1901) == 38 && PairOfYear(2020) == 37 && PairOfYear(-56) == 1);

// The two-character name of sexagenary index 1..60, stem then branch: 1 → 甲子, 60 → 癸亥.
inline std::u16string PairName(int32_t index) {
  if (StemOf(index) == 0) return {};
  std::u16string name(kStems.substr(static_cast<size_t>(StemOf(index) - 1), 1));
  name += kBranches.substr(static_cast<size_t>(BranchOf(index) - 1), 1);
  return name;
}

// The three-character Nayin of sexagenary index 1..60: 1 → 海中金.
constexpr std::u16string_view NayinOf(int32_t index) {
  return index >= 1 && index <= 60 ? kNayin.substr(static_cast<size_t>(index - 1) * 3, 3) : std::u16string_view{};
}

// The table term number 1..24 of an exported term number 1..24: 1 (立春) → 3, 23 (小寒) → 1.
constexpr int32_t TableTermOfExported(int32_t exported) {
  if (exported < 1 || exported > 24) return 0;
  return exported <= 22 ? exported + 2 : exported - 22;
}
// The exported term number of a table term number: 3 (立春) → 1, 1 (小寒) → 23.
constexpr int32_t ExportedTermOfTable(int32_t table) {
  if (table < 1 || table > 24) return 0;
  return table >= 3 ? table - 2 : table + 22;
}
static_assert(TableTermOfExported(ExportedTermOfTable(1)) == 1 && TableTermOfExported(22) == 24);

// The name of table term 1..24: 1 → 小寒, 24 → 冬至.
constexpr std::u16string_view SolarTermName(int32_t table_term) {
  return table_term >= 1 && table_term <= 24 ? kSolarTermNames[static_cast<size_t>(table_term - 1)]
                                             : std::u16string_view{};
}

}  // namespace lunacal::vocabulary
