// SPDX-License-Identifier: MIT
#pragma once
// The lunar year table for lunar years 1901..2049, indexed by year - 1901.

#include <array>
#include <cstdint>

namespace lunacal {

inline constexpr uint16_t kFirstTableYear = 1901;
inline constexpr uint16_t kLastTableYear = 2049;

// One word a year: month lengths in calendar order (leap month after the month it follows), the
// n-th month in bit 16 - n; a set bit is a 30-day month, a clear one a 29-day month.
extern const std::array<uint16_t, 149> LunarMonthSizes;
// Leap month numbers, two years a byte, the earlier year in the high four bits; 0 for none.
extern const std::array<uint8_t, 75> LunarLeapMonths;
// Days of each lunar year (353..385): 29 a month plus one for each set bit of its word. Counted
// when the library is built, so a walk through the years reads one number a year.
extern const std::array<uint16_t, 149> LunarYearLengths;

}  // namespace lunacal
