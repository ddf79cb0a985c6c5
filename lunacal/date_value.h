// SPDX-License-Identifier: MIT
#pragma once
// DATE values: a moment as one double, the days since 1899-12-30 00:00 with the time of day as the
// fraction (OLE Automation dates). For a negative day count the time of day is the magnitude of the
// fraction: -1.25 is 1899-12-29 06:00.

#include <cstdint>

#include "lunacal/lunacal.h"

namespace lunacal {

inline constexpr double kMinDateValue = LUNACAL_MIN_DATE;  // 0100-01-01 00:00:00
inline constexpr double kMaxDateValue = LUNACAL_MAX_DATE;  // 9999-12-31 00:00:00

// Calendar fields of a DATE value; every field is -1 for a value outside the valid range
// (NaN and the infinities included).
struct DateFields {
  int32_t year = -1;
  int32_t month = -1;
  int32_t day = -1;
  int32_t hour = -1;
  int32_t minute = -1;
  int32_t second = -1;
  friend bool operator==(const DateFields&, const DateFields&) = default;
};

enum class DateField { Year, Month, Day, Hour, Minute, Second };

// Splits `value` after rounding it to the nearest second (half a second added above 0,
// subtracted at 0 and below), so 23:59:59.6 belongs to the next day.
DateFields SplitDate(double value);
// The whole days (negative before 1899-12-30) and the second of the day (0..86399) that SplitDate
// reads from `value` after its rounding; false, nothing written, for a value outside the range.
// Example: 43855.99999537 (2020-01-25 23:59:59.6) gives day 43856 and second 0.
bool RoundToSecond(double value, int32_t& days, int32_t& second_of_day);
// One field of SplitDate(value).
int32_t SplitDate(double value, DateField field);

// Builds the DATE value of a Gregorian date and time. Fails, leaving `value` as it was, unless the
// year is 100..9999, the month 1..12, the day within the month, hour 0..23, minute and second
// 0..59, and the value lies in the range (so 0100-01-01 and 9999-12-31 allow midnight only).
// Example: 1899-12-29 06:00:00 gives -1.25.
bool MakeDate(int32_t year, int32_t month, int32_t day, int32_t hour, int32_t minute,
              int32_t second, double& value);

}  // namespace lunacal
