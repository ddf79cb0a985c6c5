// SPDX-License-Identifier: MIT
#pragma once
// The element of a grid number and the good three-talent configurations.

#include <cstdint>
#include <string_view>

namespace naming {

// Element of a grid number by its last digit (1,2 木; 3,4 火; 5,6 土; 7,8 金; 9,0 水);
// the empty text for a negative number.
std::u16string_view GetShuWuXing(int16_t n);

// True when `configuration` (elements of heaven, person and earth grid) is one of the 19 good ones.
bool IsSanCaiJi(std::u16string_view configuration);

}  // namespace naming
