// SPDX-License-Identifier: MIT
#pragma once
// The vocabulary of the birth chart: the ten heavenly stems, the twelve earthly branches, the name
// of a pillar from its sexagenary index (1 = 甲子 ... 60 = 癸亥), its Nayin, and the element of a
// stem or branch.
// Elements are one-character texts ("木", "火", "土", "金", "水"); the empty text means none, and it
// is what every function here gives for input outside its domain.

#include <cstdint>
#include <string>
#include <string_view>

namespace chart {

// Stem of an index: index mod 10 with the truncating remainder, 0 read as 10; 1 gives 甲, 0 and 10
// give 癸, a negative index whose remainder is not 0 gives the empty text.
std::u16string_view GetTianGan(int16_t index);
// Branch of an index by the same rule with 12: 1 gives 子, 0 and 12 give 亥.
std::u16string_view GetDiZhi(int16_t index);

// The two-character name of a pillar, stem then branch, each part reduced on its own:
// 1 → 甲子, 60 → 癸亥, 61 → 甲子, 0 → 癸亥, -1 → "", -10 → 癸.
std::u16string GetGanZhi(int16_t index);

// Three-character Nayin of index 1..60, its last character the element; the empty text for any
// other index.
std::u16string_view GetNaYin(int16_t index);

// The element of exactly one stem or branch character (未 → 土, 子 → 水); anything else, the
// two-character 甲子 or the empty text included, gives the empty text.
std::u16string_view GetGanZhiWuXing(std::u16string_view ch);

}  // namespace chart
