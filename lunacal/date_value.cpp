// SPDX-License-Identifier: MIT
#include "lunacal/date_value.h"

#include <algorithm>
#include <cfloat>
#include <cmath>
#include <cstdint>
#include <limits>

#include "lunacal/calendar.h"

namespace lunacal {
namespace {

// The rounding below is IEEE double arithmetic. x87 extended precision (32-bit x86 without
// -mfpmath=sse) would keep `value + kHalfSecond` wider than a double, so a tie's second would depend
// on register allocation.
static_assert(FLT_EVAL_METHOD == 0, "build with double arithmetic (on 32-bit x86: -msse2 -mfpmath=sse)");

constexpr int32_t kSecondsPerDay = 86400;
// Half a second as a fraction of a day: the rounding step that makes 23:59:59.5 the next midnight.
constexpr double kHalfSecond = 0.5 / kSecondsPerDay;

// Days from 0000-03-01 to 1899-12-30 in the proleptic Gregorian calendar. Counting from a March
// epoch puts the leap day at the end of the computational year, so month lengths are regular.
constexpr int32_t kEpochShift = 693899;

// The DATE range maps to [36465, 3652364] days after 0000-03-01, so every era index is
// non-negative and no negative division is needed.
static_assert(std::numeric_limits<int32_t>::max() > 3652364 + 146097);

struct CivilDate {
  int32_t year;
  int32_t month;
  int32_t day;
};

// The Gregorian date `days` days after 1899-12-30; `days` lies in the DATE range.
constexpr CivilDate CivilFromDays(int32_t days) {
  const int32_t z = days + kEpochShift;                                 // [36465, 3652364]
  const int32_t era = z / 146097;                                       // [0, 24]
  const int32_t doe = z - era * 146097;                                 // [0, 146096]
  const int32_t yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;  // [0, 399]
  const int32_t doy = doe - (365 * yoe + yoe / 4 - yoe / 100);          // [0, 365]
  const int32_t mp = (5 * doy + 2) / 153;                               // [0, 11], 0 is March
  const int32_t day = doy - (153 * mp + 2) / 5 + 1;                     // [1, 31]
  const int32_t month = mp < 10 ? mp + 3 : mp - 9;                      // [1, 12]
  const int32_t year = yoe + era * 400 + (month <= 2 ? 1 : 0);          // [100, 9999]
  return {year, month, day};
}

// Days from 1899-12-30 to a valid Gregorian date of the years 100..9999.
constexpr int32_t DaysFromCivil(int32_t year, int32_t month, int32_t day) {
  const int32_t y = year - (month <= 2 ? 1 : 0);                        // [99, 9999]
  const int32_t era = y / 400;                                          // [0, 24]
  const int32_t yoe = y - era * 400;                                    // [0, 399]
  const int32_t doy = (153 * (month > 2 ? month - 3 : month + 9) + 2) / 5 + day - 1;  // [0, 365]
  const int32_t doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;            // [0, 146096]
  return era * 146097 + doe - kEpochShift;                              // [-657434, 2958465]
}

static_assert(DaysFromCivil(1899, 12, 30) == 0);
static_assert(DaysFromCivil(100, 1, 1) == -657434);
static_assert(DaysFromCivil(9999, 12, 31) == 2958465);
static_assert(CivilFromDays(-657434).year == 100 && CivilFromDays(2958465).day == 31);

}  // namespace

bool RoundToSecond(double value, int32_t& days, int32_t& second_of_day) {
  // Written as a negated range test so that NaN fails it too, before any conversion to integer.
  if (!(value >= kMinDateValue && value <= kMaxDateValue)) {
    return false;
  }
  const double rounded = value > 0.0 ? value + kHalfSecond : value - kHalfSecond;
  const double whole = std::trunc(rounded);                             // [-657434, 2958465]
  const double magnitude = std::fabs(rounded);
  const double fraction = magnitude - std::floor(magnitude);            // [0, 1)
  // A fraction a hair below 1 may still round up to 86400 in the product; it is the last second.
  second_of_day =
      std::min(static_cast<int32_t>(fraction * kSecondsPerDay), kSecondsPerDay - 1);  // [0, 86399]
  days = static_cast<int32_t>(whole);
  return true;
}

DateFields SplitDate(double value) {
  int32_t days = 0;
  int32_t second_of_day = 0;
  if (!RoundToSecond(value, days, second_of_day)) {
    return DateFields{};
  }
  const CivilDate date = CivilFromDays(days);
  DateFields fields;
  fields.year = date.year;
  fields.month = date.month;
  fields.day = date.day;
  fields.hour = second_of_day / 3600;                                   // [0, 23]
  fields.minute = second_of_day / 60 % 60;                              // [0, 59]
  fields.second = second_of_day % 60;                                   // [0, 59]
  return fields;
}

int32_t SplitDate(double value, DateField field) {
  const DateFields fields = SplitDate(value);
  switch (field) {
    case DateField::Year:
      return fields.year;
    case DateField::Month:
      return fields.month;
    case DateField::Day:
      return fields.day;
    case DateField::Hour:
      return fields.hour;
    case DateField::Minute:
      return fields.minute;
    case DateField::Second:
      return fields.second;
  }
  return -1;
}

bool MakeDate(int32_t year, int32_t month, int32_t day, int32_t hour, int32_t minute,
              int32_t second, double& value) {
  // Years below 100 would give values outside the DATE range that SplitDate could not read back.
  if (year < 100 || year > 9999 || month < 1 || month > 12) {
    return false;
  }
  const int32_t month_days =
      GregorianMonthDays(static_cast<uint16_t>(year), static_cast<uint16_t>(month));
  if (day < 1 || day > month_days || hour < 0 || hour > 23 || minute < 0 || minute > 59 ||
      second < 0 || second > 59) {
    return false;
  }
  const int32_t days = DaysFromCivil(year, month, day);                 // [-657434, 2958465]
  const double time = static_cast<double>(hour * 3600 + minute * 60 + second) / kSecondsPerDay;
  const double result = days < 0 ? days - time : days + time;
  // The range ends at midnight on both sides, so a later time on 0100-01-01 or on 9999-12-31 has
  // no value that SplitDate would read back.
  if (!(result >= kMinDateValue && result <= kMaxDateValue)) {
    return false;
  }
  value = result;
  return true;
}

}  // namespace lunacal
