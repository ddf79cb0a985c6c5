// SPDX-License-Identifier: MIT
#pragma once
// The stroke dictionary: the numerology stroke count of a character, and every character of a
// given stroke count. Characters are UTF-16 code units, as the window's text boxes hold them.

#include <cstdint>
#include <string_view>

namespace naming {

// The largest stroke count the dictionary knows; rows are numbered 1..kMaxStrokes.
inline constexpr int16_t kMaxStrokes = 30;

// Stroke count 1..30 of the first code unit of `character`, taken from the first row that holds it
// (体 is 7 although it also stands in row 23); 0 when no row holds it or the text is empty.
int16_t GetBiHua(std::u16string_view character);

// Row `strokes` of the dictionary whole, in stored order, repeats included ("一乙" for 1);
// the empty text for a count outside 1..30.
std::u16string_view GetBiHuaZi(int16_t strokes);

// Sum of GetBiHua over every character of the family name as typed (欧阳 is 27, "" is 0).
// The sum saturates at INT16_MAX rather than wrapping for absurdly long texts.
int16_t GetXingBiHua(std::u16string_view family_name);

}  // namespace naming
