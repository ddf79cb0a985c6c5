// SPDX-License-Identifier: MIT
#pragma once
// The 81-number table: entry n-1 is the reading of number n, five lines joined by CR LF.

#include <array>
#include <string_view>

namespace naming {

extern const std::array<std::u16string_view, 81> shu_li_entries;

}  // namespace naming
