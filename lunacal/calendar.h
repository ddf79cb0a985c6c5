// SPDX-License-Identifier: MIT
#pragma once
// Gregorian day arithmetic, the lunar year table operations and the conversions between
// Gregorian and lunar dates for 1901-02-19 .. 2048-12-31.

#include <cstdint>

namespace lunacal {

// A Gregorian date. Also used as a plain (hour, minute, second) triple where only the order of
// triples matters (CompareDates).
struct GregorianDate {
  uint16_t year = 0;
  uint16_t month = 0;
  uint16_t day = 0;
  friend bool operator==(const GregorianDate&, const GregorianDate&) = default;
};

// A lunar date; the year carries the number of the Gregorian year in which it begins. A leap month
// carries the number of the month it follows, and `leap` tells the two apart.
struct LunarDate {
  uint16_t year = 0;
  uint16_t month = 0;
  uint16_t day = 0;
  bool leap = false;
  friend bool operator==(const LunarDate&, const LunarDate&) = default;
};

// Lengths of a lunar month and of the leap month that follows it (0 when none follows).
struct LunarMonthLength {
  uint16_t month = 0;
  uint16_t leap = 0;
  friend bool operator==(const LunarMonthLength&, const LunarMonthLength&) = default;
};

// Day offsets count from Gregorian 1901-01-01 (offset 0); lunar 1901-1-1 is offset 49.
inline constexpr int32_t kFirstLunarOffset = 49;

bool IsGregorianLeapYear(uint16_t year);
// 28..31, or 0 for a month outside 1..12.
uint16_t GregorianMonthDays(uint16_t year, uint16_t month);
// Days from b to a (a - b). A day past the end of its month counts on into the next month, so
// 2021-02-30 is 2021-03-02. Both months must be 1..12; otherwise the result is 0.
int32_t DaysBetween(GregorianDate a, GregorianDate b);
// 0 when equal, +1 when a is later, -1 when earlier, comparing year, then month, then day.
int32_t CompareDates(GregorianDate a, GregorianDate b);
// One day forward or back; fields wrap as unsigned 16-bit numbers (year 65535 steps on to 0).
void StepOneDay(GregorianDate& date, bool forward);
// The same as |n| calls of StepOneDay, for every n including INT32_MIN, in far fewer steps.
void StepDays(GregorianDate& date, int32_t n);

// 0 (no leap month) or the month 1..12 the leap month follows, for 1901..2049; -1 otherwise.
int16_t LeapMonthOf(uint16_t year);
// Both lengths 0 when the year is outside 1901..2049 or the month outside 1..12.
LunarMonthLength LunarMonthLengths(uint16_t year, uint16_t month);
// 353..385 days, or 0 outside 1901..2049.
uint16_t LunarYearLength(uint16_t year);
// The lunar date of a day offset from 49 up to 54443 (2050-01-22, the last day of lunar 2049),
// walking the table from 1901. Any other offset gives the zero date (year, month and day 0).
// Example: offset 49 is lunar 1901-1-1.
LunarDate LunarDateFromOffset(int32_t offset);

// Refuses (false, `lunar` untouched) a month outside 1..12, a year of 2049 or later, any date
// before 1901-02-19 and a day number that counts on past the end of the table.
// Example: 2020-05-23 is lunar 2020, leap 4th month, day 1.
bool GregorianToLunar(GregorianDate date, LunarDate& lunar);
// The lunar date of a DATE value; on failure none of the outputs is written. Never throws.
bool ToLunarDate(double value, int32_t& year, int32_t& month, int32_t& day, bool& leap);

// The Gregorian date of a lunar date, counted from 1901 through the table: the day the probe search
// of the calendar rules stops at. A leap flag for a month the year does not repeat asks for the
// ordinary month; a day the month lacks fails, and so does any day after 2048-12-31.
bool LunarToGregorian(LunarDate lunar, GregorianDate& date);
// The DATE value (midnight) of a lunar date; on failure `value` is not written. Never throws.
// Arguments outside 0..65535 are refused. Example: 2020, 1, 1, false gives 43855.0 (2020-01-25).
bool FromLunarDate(int32_t year, int32_t month, int32_t day, bool leap, double& value);

}  // namespace lunacal
