// SPDX-License-Identifier: MIT
#pragma once
// The moments of the 24 solar terms of 1880..2079, read from the built-in table.
//
// Table term numbers 1..24 run through a Gregorian year: 1 小寒, 2 大寒, 3 立春, ... 24 冬至.
// Exported term numbers start at 立春: exported 1..22 are table 3..24, 23 is 小寒 and 24 大寒
// (both in January of the same year).

#include <cstdint>

namespace lunacal {

inline constexpr uint16_t kFirstSolarTermYear = 1880;
inline constexpr uint16_t kLastSolarTermYear = 2079;
// Returned for a year or term the table lacks: 0100-01-01 00:00:00.
inline constexpr double kFallbackMoment = -657434.0;

// The moment (UTC+8) of table term `term` of `year`, or kFallbackMoment for a year outside
// 1880..2079 or a term outside 1..24. Example: (2000, 3) is 2000-02-04 20:40:23, 立春.
double SolarTermMoment(uint16_t year, uint16_t term);
// The table term number whose record falls on the given day, or 0 (also for a year outside the
// table). Example: 2000-02-04 gives 3, 2000-02-05 gives 0.
uint16_t SolarTermOfDay(uint16_t year, uint16_t month, uint16_t day);
// The table term in force at a moment of `year` given by its real date and second of the day: the
// number of the year's terms whose moment is not after it (a term's own second belongs to it), so
// 0 before 小寒 and 24 from 冬至 on; 0 also for a year outside the table. Reads the year's records
// from the month's own pair on, a step or two, instead of scanning the days before.
// Example: 2000-02-04 at 20:40:23 (74423 s) gives 3, 立春; one second earlier it gives 2.
uint16_t SolarTermInForce(uint16_t year, uint16_t month, uint16_t day, int32_t second_of_day);
// The moment of exported term `exported_term` of `year`, or kFallbackMoment. Takes the exports'
// 32-bit arguments and range-checks them before any narrowing, so 67416 is no alias of 1880.
// Example: (2000, 1) is 2000-02-04 20:40:23 and (2000, 23) is 2000-01-06 09:00:41, 小寒.
double SolarTermTime(int32_t year, int32_t exported_term);

}  // namespace lunacal
