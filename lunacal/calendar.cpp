// SPDX-License-Identifier: MIT
#include "lunacal/calendar.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <limits>

#include "lunacal/date_value.h"
#include "lunacal/lunacal.h"
#include "lunacal/lunar_year_table.h"

namespace lunacal {
namespace {

// Days before each month of a common year; the leap day is added separately after February.
constexpr std::array<int32_t, 12> kDaysBeforeMonth = {0,   31,  59,  90,  120, 151,
                                                      181, 212, 243, 273, 304, 334};

// The last day that the lunar year table covers, as an offset from 1901-01-01.
constexpr int32_t kLastLunarOffset = 54443;  // 2050-01-22, the last day of lunar 2049

constexpr GregorianDate kFirstLunarDay{1901, 2, 19};
constexpr GregorianDate kOffsetOrigin{1901, 1, 1};
// The DATE day counts of 1901-01-01 (offset 0) and of 2048-12-31, the last day converted.
constexpr int32_t kOffsetOriginDay = 367;
constexpr int32_t kLastConvertedDay = 54423;
static_assert(kLastConvertedDay - kOffsetOriginDay <= kLastLunarOffset);
// Both conversions end with 2048-12-31 although the table holds lunar 2049 as well.
constexpr uint16_t kFirstRefusedYear = 2049;

// Years 1901..2049 only; every caller checks the range first.
constexpr std::size_t TableIndex(uint16_t year) {
  return static_cast<std::size_t>(year - kFirstTableYear);  // [0, 148]
}

constexpr bool InTable(uint16_t year) { return year >= kFirstTableYear && year <= kLastTableYear; }

// The leap days before the year, counted from year 1 (0 for year 0 by truncating division).
constexpr int32_t LeapDaysBefore(uint16_t year) {
  const int32_t y = static_cast<int32_t>(year) - 1;  // [-1, 65534]
  return y / 4 - y / 100 + y / 400;                  // [0, 15891]
}

// The day of the year, counting on past the end of the month (day 0 is the day before the 1st).
int32_t DayOfYear(GregorianDate date) {
  const int32_t leap_day = IsGregorianLeapYear(date.year) && date.month > 2 ? 1 : 0;
  return kDaysBeforeMonth[date.month - 1U] + date.day + leap_day;  // [0, 65535 + 335]
}

// The leap month of the year at `index` (year - 1901, [0, 148]): the high half of the byte for the
// earlier year of its pair, the low half for the later one.
uint8_t LeapMonthAt(std::size_t index) {
  const uint8_t pair = LunarLeapMonths[index / 2];  // index / 2 in [0, 74]
  return index % 2 == 0 ? pair >> 4 : pair & 0x0F;  // [0, 11]
}

constexpr std::size_t kTableYears = LunarMonthSizes.size();

// 12, or 13 in a year with a leap month.
int MonthsIn(std::size_t index) { return LeapMonthAt(index) == 0 ? 12 : 13; }

// 29 or 30: the length of the month at `place` in its year's calendar order (place 0 is the first
// month; a leap month takes the place after the month it repeats), read from bit 15 - place.
int32_t MonthLength(uint16_t word, int place) {
  return ((word >> (15 - place)) & 1U) != 0 ? 30 : 29;  // place in [0, 12]
}

// The set bits of a 16-bit word, without the library call a bit count is on the baseline target.
constexpr int32_t BitCount16(uint32_t x) {
  x = x - ((x >> 1) & 0x5555U);
  x = (x & 0x3333U) + ((x >> 2) & 0x3333U);
  x = (x + (x >> 4)) & 0x0F0FU;
  return static_cast<int32_t>((x + (x >> 8)) & 0x1FU);  // [0, 16]
}
static_assert(BitCount16(0xFFFF) == 16 && BitCount16(0x4AE0) == 6);

// The days of the year before the month at `place`: 29 a month plus one for each 30-day month,
// the set bits above that month's bit.
int32_t DaysBeforePlace(uint16_t word, int place) {
  return 29 * place + BitCount16(static_cast<uint32_t>(word) >> (16 - place));  // [0, 385]
}

// The place of a month in its year: month M is at M - 1 up to the leap month, the leap month
// itself at L, and the months after it one place later.
int PlaceOf(std::size_t index, uint16_t month, bool leap) {
  const uint8_t leap_month = LeapMonthAt(index);
  const bool after_leap = leap_month != 0 && (month > leap_month || leap);
  return after_leap ? month : month - 1;  // [0, 12]
}

// A month of a lunar year at its place in calendar order.
struct MonthAtPlace {
  uint16_t month = 0;
  bool leap = false;
};

MonthAtPlace MonthAt(std::size_t index, int place) {
  const uint8_t leap_month = LeapMonthAt(index);
  if (leap_month == 0 || place < leap_month) {
    return {static_cast<uint16_t>(place + 1), false};  // months 1 .. L
  }
  return {static_cast<uint16_t>(place), place == leap_month};  // the leap month, L+1 .. 12
}

// The walks from 1901 go sixteen years at a time, then four, then one, so a date of 2000 takes
// about a dozen compares instead of a hundred; each group is summed as the walk reaches it, and no
// running totals are kept. The group size is a template argument so that each sum unrolls.
template <std::size_t kGroup>
int32_t DaysOfYears(std::size_t index) {
  int32_t days = 0;
  for (std::size_t k = 0; k < kGroup; ++k) {
    days += LunarYearLengths[index + k];  // index + kGroup <= 149
  }
  return days;  // [353, 6160]
}

// Moves `index` on by whole groups while the days `n` reach past them, leaving a year after them.
template <std::size_t kGroup>
void WalkYears(std::size_t& index, int32_t& n) {
  while (index + kGroup < kTableYears && n >= DaysOfYears<kGroup>(index)) {
    n -= DaysOfYears<kGroup>(index);
    index += kGroup;
  }
}

// Adds the days of whole groups from `index` up to the year at `end`.
template <std::size_t kGroup>
void SumYears(std::size_t& index, std::size_t end, int32_t& days) {
  for (; index + kGroup <= end; index += kGroup) {
    days += DaysOfYears<kGroup>(index);
  }
}

// The days of the lunar years from 1901 up to the year at `index`.
int32_t DaysBeforeYear(std::size_t index) {
  int32_t days = 0;
  std::size_t year = 0;
  SumYears<16>(year, index, days);
  SumYears<4>(year, index, days);
  SumYears<1>(year, index, days);
  return days;  // [0, 54041]
}

// Where a day lies in the table: the year's index (year - 1901), the month's place in the year
// and the day of the month.
struct TablePosition {
  std::size_t index = 0;  // [0, 148]
  int place = 0;          // [0, 12]
  int32_t day = 1;        // [1, 30]
};

// The walk from 1901 to the day `offset` (in [kFirstLunarOffset, kLastLunarOffset]): the years
// before the day's year, then its month. The last year takes whatever days remain.
TablePosition PositionOfOffset(int32_t offset) {
  int32_t n = offset - kFirstLunarOffset;  // [0, 54394]
  std::size_t index = 0;
  WalkYears<16>(index, n);
  WalkYears<4>(index, n);
  WalkYears<1>(index, n);
  // Now n lies within the year, [0, 384]. Months have 29 or 30 days, so n / 30 months surely
  // end before day n and at most one more does.
  const uint16_t word = LunarMonthSizes[index];
  const int last_place = MonthsIn(index) - 1;
  int place = n / 30;  // [0, 12], at most last_place as the year's months hold more than n days
  place += place < last_place && n >= DaysBeforePlace(word, place + 1) ? 1 : 0;
  return {index, place, n - DaysBeforePlace(word, place) + 1};
}

LunarDate DateAt(const TablePosition& at) {
  const MonthAtPlace month = MonthAt(at.index, at.place);
  return {static_cast<uint16_t>(kFirstTableYear + at.index), month.month,
          static_cast<uint16_t>(at.day), month.leap};
}

// Where GregorianToLunar finds `date`, with the same refusals.
bool PositionOfDate(GregorianDate date, TablePosition& at) {
  if (date.month < 1 || date.month > 12) {
    return false;
  }
  const int32_t offset = DaysBetween(date, kOffsetOrigin);  // [-693960, 54056 + 65504]
  // A day number far past its month's end could count on beyond the table; no lunar date then.
  if (date.year >= kFirstRefusedYear || CompareDates(date, kFirstLunarDay) < 0 ||
      offset > kLastLunarOffset) {
    return false;
  }
  at = PositionOfOffset(offset);
  return true;
}

// The day offset of a lunar date, counted from 1901 through the table: false for a date that the
// table lacks (no such month or day) or that falls after 2048-12-31. These are exactly the dates
// the probe search fails on: it stops at the day whose lunar date this is, and never matches a day
// that does not exist.
bool OffsetOfLunarDate(LunarDate lunar, int32_t& offset) {
  if (!InTable(lunar.year) || lunar.month < 1 || lunar.month > 12 || lunar.day < 1) {
    return false;
  }
  const std::size_t index = TableIndex(lunar.year);
  // A leap flag for a month the year does not repeat asks for the ordinary month.
  const bool leap = lunar.leap && LeapMonthAt(index) == lunar.month;
  const int place = PlaceOf(index, lunar.month, leap);
  const uint16_t word = LunarMonthSizes[index];
  if (lunar.day > MonthLength(word, place)) {
    return false;
  }
  const int32_t found =
      kFirstLunarOffset + DaysBeforeYear(index) + DaysBeforePlace(word, place) + lunar.day - 1;
  if (found > kLastConvertedDay - kOffsetOriginDay) {
    return false;
  }
  offset = found;  // [49, 54056]
  return true;
}

// StepDays walks whole months and years where it can, each jump being exactly the run of single
// steps it replaces; only dates whose day lies outside their month take single steps.
bool IsRealDate(GregorianDate date) {
  return date.day >= 1 && date.day <= GregorianMonthDays(date.year, date.month);
}

void StepForward(GregorianDate& date, uint32_t count) {
  while (count > 0) {
    if (!IsRealDate(date)) {
      StepOneDay(date, true);
      --count;
      continue;
    }
    const uint32_t year_days = IsGregorianLeapYear(date.year) ? 366 : 365;
    if (date.month == 1 && date.day == 1 && count >= year_days) {
      ++date.year;
      count -= year_days;
      continue;
    }
    const uint32_t rest_of_month = GregorianMonthDays(date.year, date.month) - date.day;  // [0, 30]
    if (count > rest_of_month) {
      count -= rest_of_month + 1;
      date.day = 1;
      if (date.month == 12) {
        date.month = 1;
        ++date.year;
      } else {
        ++date.month;
      }
      continue;
    }
    date.day = static_cast<uint16_t>(date.day + count);
    count = 0;
  }
}

void StepBackward(GregorianDate& date, uint32_t count) {
  while (count > 0) {
    if (!IsRealDate(date)) {
      StepOneDay(date, false);
      --count;
      continue;
    }
    const uint32_t year_days = IsGregorianLeapYear(date.year) ? 366 : 365;
    if (date.month == 12 && date.day == 31 && count >= year_days) {
      --date.year;
      count -= year_days;
      continue;
    }
    if (count >= date.day) {
      count -= date.day;
      if (date.month == 1) {
        date.month = 12;
        --date.year;
      } else {
        --date.month;
      }
      date.day = GregorianMonthDays(date.year, date.month);
      continue;
    }
    date.day = static_cast<uint16_t>(date.day - count);
    count = 0;
  }
}

}  // namespace

bool IsGregorianLeapYear(uint16_t year) {
  return (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
}

// The month lengths of lunacal.h, which callers of the library use too.
uint16_t GregorianMonthDays(uint16_t year, uint16_t month) {
  return static_cast<uint16_t>(lunacal_days_in_month(year, month));  // 0 or [28, 31]
}

int32_t DaysBetween(GregorianDate a, GregorianDate b) {
  // Every caller checks the months; a month outside 1..12 has no place in the month table, so the
  // count is 0 rather than a read outside it.
  if (a.month < 1 || a.month > 12 || b.month < 1 || b.month > 12) {
    return 0;
  }
  // At most 365 * 65535 + 15891 + 65870 in magnitude, well inside 32 bits.
  static_assert(int64_t{366} * std::numeric_limits<uint16_t>::max() + 2 * 65535 <
                std::numeric_limits<int32_t>::max());
  const int32_t years = static_cast<int32_t>(a.year) - static_cast<int32_t>(b.year);
  return 365 * years + LeapDaysBefore(a.year) - LeapDaysBefore(b.year) + DayOfYear(a) -
         DayOfYear(b);
}

int32_t CompareDates(GregorianDate a, GregorianDate b) {
  if (a.year != b.year) {
    return a.year > b.year ? 1 : -1;
  }
  if (a.month != b.month) {
    return a.month > b.month ? 1 : -1;
  }
  if (a.day != b.day) {
    return a.day > b.day ? 1 : -1;
  }
  return 0;
}

void StepOneDay(GregorianDate& date, bool forward) {
  // uint16_t arithmetic wraps, so no input can overflow; year 65535 steps on to year 0.
  if (forward) {
    ++date.day;
    if (date.day > GregorianMonthDays(date.year, date.month)) {
      date.day = 1;
      ++date.month;
      if (date.month > 12) {
        date.month = 1;
        ++date.year;
      }
    }
    return;
  }
  --date.day;
  if (date.day == 0) {
    // A month of 0 counts as January here, so the step lands in December of the year before.
    if (date.month <= 1) {
      date.month = 12;
      --date.year;
    } else {
      --date.month;
    }
    date.day = GregorianMonthDays(date.year, date.month);
  }
}

void StepDays(GregorianDate& date, int32_t n) {
  // The magnitude is taken in unsigned arithmetic because -INT32_MIN does not fit in int32_t.
  const uint32_t magnitude = n < 0 ? 0U - static_cast<uint32_t>(n) : static_cast<uint32_t>(n);
  if (n > 0) {
    StepForward(date, magnitude);
  } else if (n < 0) {
    StepBackward(date, magnitude);
  }
}

int16_t LeapMonthOf(uint16_t year) {
  if (!InTable(year)) {
    return -1;
  }
  return LeapMonthAt(TableIndex(year));
}

LunarMonthLength LunarMonthLengths(uint16_t year, uint16_t month) {
  if (!InTable(year) || month < 1 || month > 12) {
    return {};
  }
  const int16_t leap = LeapMonthOf(year);
  const uint16_t word = LunarMonthSizes[TableIndex(year)];
  const int bit = leap != 0 && month > leap ? 15 - month : 16 - month;  // [3, 15]
  LunarMonthLength lengths;
  lengths.month = ((word >> bit) & 1U) != 0 ? 30 : 29;
  if (month == leap) {
    lengths.leap = ((word >> (bit - 1)) & 1U) != 0 ? 30 : 29;
  }
  return lengths;
}

uint16_t LunarYearLength(uint16_t year) {
  if (!InTable(year)) {
    return 0;
  }
  return LunarYearLengths[TableIndex(year)];
}

LunarDate LunarDateFromOffset(int32_t offset) {
  // Outside the table there is no lunar date; the zero date (year 0) says so, and the walk never
  // reads past the last year.
  if (offset < kFirstLunarOffset || offset > kLastLunarOffset) {
    return {};
  }
  return DateAt(PositionOfOffset(offset));
}

bool GregorianToLunar(GregorianDate date, LunarDate& lunar) {
  TablePosition at;
  if (!PositionOfDate(date, at)) {
    return false;
  }
  lunar = DateAt(at);
  return true;
}

bool ToLunarDate(double value, int32_t& year, int32_t& month, int32_t& day, bool& leap) {
  try {
    // SplitDate's day count decides alone: its date is a real one, so the range 1901-02-19 ..
    // 2048-12-31 is a range of day counts and DaysBetween from 1901-01-01 a subtraction.
    int32_t days = 0;
    int32_t second_of_day = 0;
    if (!RoundToSecond(value, days, second_of_day) || days < kOffsetOriginDay + kFirstLunarOffset ||
        days > kLastConvertedDay) {
      return false;
    }
    const LunarDate lunar = DateAt(PositionOfOffset(days - kOffsetOriginDay));
    year = lunar.year;
    month = lunar.month;
    day = lunar.day;
    leap = lunar.leap;
    return true;
  } catch (...) {
    return false;
  }
}

bool LunarToGregorian(LunarDate lunar, GregorianDate& date) {
  int32_t offset = 0;
  if (!OffsetOfLunarDate(lunar, offset)) {
    return false;
  }
  const DateFields fields = SplitDate(static_cast<double>(kOffsetOriginDay + offset));
  date = {static_cast<uint16_t>(fields.year), static_cast<uint16_t>(fields.month),
          static_cast<uint16_t>(fields.day)};
  return true;
}

bool FromLunarDate(int32_t year, int32_t month, int32_t day, bool leap, double& value) {
  try {
    // An argument that does not fit in 16 bits is refused rather than cut to its low bits, which
    // would turn the year 67437 into 1901.
    constexpr int32_t kMaxField = std::numeric_limits<uint16_t>::max();
    if (year < 0 || year > kMaxField || month < 0 || month > kMaxField || day < 0 ||
        day > kMaxField) {
      return false;
    }
    int32_t offset = 0;
    if (!OffsetOfLunarDate({static_cast<uint16_t>(year), static_cast<uint16_t>(month),
                            static_cast<uint16_t>(day), leap},
                           offset)) {
      return false;
    }
    // Every found day is a real date of the range, so its midnight DATE value is its day count.
    value = static_cast<double>(kOffsetOriginDay + offset);
    return true;
  } catch (...) {
    return false;
  }
}

}  // namespace lunacal
