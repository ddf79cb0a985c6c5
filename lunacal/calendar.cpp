// SPDX-License-Identifier: MIT
#include "lunacal/calendar.h"

#include <algorithm>
#include <array>
#include <cstddef>
#include <cstdint>
#include <cstring>
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
constexpr int kMaxProbeConversions = 100;
// A jump of 31 days always crosses from an ordinary month into its leap month or back.
constexpr int32_t kLeapJump = 31;

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
  return index % 2 == 0 ? pair >> 4 : pair & 0x0F;  // [0, 15]
}

constexpr std::size_t kTableYears = LunarMonthSizes.size();
static_assert(std::numeric_limits<decltype(LunarMonthSizes)::value_type>::digits == 16,
              "a year's thirteen months fill the word from bit 15 down to bit 3");

// 12, or 13 in a year with a leap month.
int MonthsIn(std::size_t index) { return LeapMonthAt(index) == 0 ? 12 : 13; }

// A month of a lunar year at its place in calendar order (place 0 is the first month; the leap
// month takes the place after the month it repeats).
struct MonthAtPlace {
  uint16_t month = 0;
  bool leap = false;
  int32_t length = 0;
};

MonthAtPlace MonthAt(std::size_t index, int place) {
  const uint8_t leap_month = LeapMonthAt(index);
  const int32_t length = ((LunarMonthSizes[index] >> (15 - place)) & 1U) != 0 ? 30 : 29;
  if (leap_month == 0 || place < leap_month) {
    return {static_cast<uint16_t>(place + 1), false, length};  // months 1 .. L
  }
  return {static_cast<uint16_t>(place), place == leap_month, length};  // the leap month, L+1 .. 12
}

// Where a day lies in the table: the year's index (year - 1901), the month's place in the year
// and the day of the month.
struct TablePosition {
  std::size_t index = 0;  // [0, 148]
  int place = 0;          // [0, 12]
  int32_t day = 1;        // [1, 30]
};

// Four consecutive year lengths as the 16-bit lanes of one 64-bit word.
uint64_t FourYearLengths(std::size_t index) {
  uint64_t lanes = 0;
  std::memcpy(&lanes, LunarYearLengths.data() + index, sizeof lanes);  // index + 3 <= 148
  return lanes;
}

// The sum of the four 16-bit lanes; exact while it stays below 65536 (all 149 years hold 54,395
// days), as a sum of all lanes whatever the byte order.
int32_t SumOfLanes(uint64_t lanes) {
  lanes += lanes >> 32;
  lanes += lanes >> 16;
  return static_cast<int32_t>(lanes & 0xFFFF);  // [0, 65535]
}

// The set bits of a 16-bit word, without the library call a bit count is on the baseline target.
constexpr int32_t BitCount16(uint32_t x) {
  x = x - ((x >> 1) & 0x5555U);
  x = (x & 0x3333U) + ((x >> 2) & 0x3333U);
  x = (x + (x >> 4)) & 0x0F0FU;
  return static_cast<int32_t>((x + (x >> 8)) & 0x1FU);  // [0, 16]
}
static_assert(BitCount16(0xFFFF) == 16 && BitCount16(0x4AE0) == 6);

// Days of the year before the month at `place` in the year whose word is `word`: 29 a month plus
// one for each 30-day month, the set bits above that month's bit.
constexpr int32_t DaysBeforePlace(uint16_t word, int place) {
  return 29 * place + BitCount16(static_cast<uint32_t>(word) >> (16 - place));  // [0, 385]
}
static_assert(DaysBeforePlace(0x4AE0, 0) == 0 && DaysBeforePlace(0x4AE0, 12) == 354);

// Every conversion walks the year lengths from 1901. Sixteen years at a time, then four, then
// one, each group's days summed as the walk reaches it, cover the same days as single steps in
// far fewer compares. `offset` lies in [kFirstLunarOffset, kLastLunarOffset].
TablePosition PositionOfOffset(int32_t offset) {
  int32_t n = offset - kFirstLunarOffset;  // [0, 54394]
  std::size_t index = 0;
  // A group is taken only while a year remains after it, so the walk ends inside the table.
  for (; index + 16 < kTableYears; index += 16) {
    const int32_t days = SumOfLanes(FourYearLengths(index) + FourYearLengths(index + 4) +
                                    FourYearLengths(index + 8) + FourYearLengths(index + 12));
    if (n < days) {  // days in [5648, 6160]
      break;
    }
    n -= days;
  }
  // At most three groups of four and three single years remain. Each step is taken only when the
  // days left reach past the group or year it stands at, and once one is not taken none after it
  // is, so the steps run a fixed number of times and need no branch to stop.
  for (int k = 0; k < 3; ++k) {
    const bool past = index + 4 < kTableYears && n >= SumOfLanes(FourYearLengths(index));
    n -= past ? SumOfLanes(FourYearLengths(index)) : 0;
    index += past ? 4 : 0;
  }
  for (int k = 0; k < 3; ++k) {
    const bool past = index + 1 < kTableYears && n >= LunarYearLengths[index];
    n -= past ? LunarYearLengths[index] : 0;
    index += past ? 1 : 0;
  }
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

// Where GregorianToLunar finds `date`, with the same refusals; `offset` is the date's day offset
// whenever its month is 1..12.
bool PositionOfDate(GregorianDate date, TablePosition& at, int32_t& offset) {
  if (date.month < 1 || date.month > 12) {
    return false;
  }
  offset = DaysBetween(date, kOffsetOrigin);  // [-693960, 54056 + 65504] for any other field
  // A day number far past its month's end could count on beyond the table; no lunar date then.
  if (date.year >= kFirstRefusedYear || CompareDates(date, kFirstLunarDay) < 0 ||
      offset > kLastLunarOffset) {
    return false;
  }
  at = PositionOfOffset(offset);
  return true;
}

// The order of the month at `at` against the target's month, by year and month number alone.
int32_t CompareMonths(const TablePosition& at, const MonthAtPlace& month, const LunarDate& target) {
  return CompareDates({static_cast<uint16_t>(kFirstTableYear + at.index), month.month, 0},
                      {target.year, target.month, 0});
}

// The probe search steps one day at a time while its lunar date stays on one side of the target.
// These count that run of steps from the months of the table: the days from a probe whose lunar
// date at `at` comes before the target (by year, month and day, ignoring the leap flag) to the
// first day that does not, and `at` moves to that day. 0 when the table ends first.
int32_t RunForward(TablePosition& at, const LunarDate& target) {
  int32_t run = 0;
  for (;;) {
    const MonthAtPlace month = MonthAt(at.index, at.place);
    const int32_t order = CompareMonths(at, month, target);
    if (order > 0) {
      return run;
    }
    // at.day is below the target's day here: the probe's own date, or day 1 of a later month.
    if (order == 0 && target.day <= month.length) {
      run += target.day - at.day;
      at.day = target.day;
      return run;
    }
    // The whole month comes before the target, even its last day when the target's day is 30.
    run += month.length - at.day + 1;
    at.day = 1;
    if (++at.place == MonthsIn(at.index)) {
      at.place = 0;
      if (++at.index == kTableYears) {
        return 0;
      }
    }
  }
}

// The same run backwards: the days from a probe whose lunar date comes after the target to the
// first day that does not, with `at` moved there. A walk past the table's first day ends on the
// day before it, which the search counts as earlier than every target, and leaves `at` at 1-1.
int32_t RunBackward(TablePosition& at, const LunarDate& target) {
  int32_t run = 0;
  for (;;) {
    const MonthAtPlace month = MonthAt(at.index, at.place);
    const int32_t order = CompareMonths(at, month, target);
    if (order < 0) {
      return run;
    }
    // The target's day itself, or the month's last day when the month is too short to hold it.
    if (order == 0) {
      const int32_t back = std::max(0, at.day - target.day);
      at.day -= back;
      return run + back;
    }
    run += at.day;
    if (at.place == 0) {
      if (at.index == 0) {
        at.day = 1;
        return run;
      }
      --at.index;
      at.place = MonthsIn(at.index);
    }
    --at.place;
    at.day = MonthAt(at.index, at.place).length;
  }
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
  int32_t offset = 0;
  if (!PositionOfDate(date, at, offset)) {
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

namespace {

// The probe search behind LunarToGregorian; on success `offset` is the found date's day offset.
bool SearchGregorian(LunarDate lunar, GregorianDate& date, int32_t& offset) {
  if (!InTable(lunar.year) || lunar.month < 1 || lunar.month > 12 || lunar.day < 1 ||
      lunar.day > 30) {
    return false;
  }
  // A leap flag for a month the year does not repeat asks for the ordinary month.
  const bool want_leap = lunar.leap && LeapMonthOf(lunar.year) == lunar.month;
  const LunarDate target{lunar.year, lunar.month, lunar.day, want_leap};

  // The probe starts at the same three numbers and moves towards the lunar date. Where single
  // steps would keep it on one side of the target, it takes the whole run at once and counts the
  // conversions those steps would have made, so it ends where the one-day search ends, within
  // the same limit of conversions.
  GregorianDate probe{lunar.year, lunar.month, lunar.day};
  // Once the probe is a real date its offset moves with its steps and need not be counted again.
  bool real = false;
  int32_t probe_offset = 0;
  // A run ends on a day whose place in the table it has just counted to; that day needs no walk
  // from 1901 of its own, so the search converts fewer probes than it counts.
  bool placed = false;
  TablePosition at;
  int32_t conversions = 0;
  for (;;) {
    if (probe.year >= kFirstRefusedYear || ++conversions > kMaxProbeConversions) {
      return false;
    }
    bool in_table = false;
    if (real) {
      // A real date before 2049 lies in the table exactly when it is not before its first day.
      in_table = probe_offset >= kFirstLunarOffset;
      if (in_table && !placed) {
        at = PositionOfOffset(probe_offset);
      }
    } else {
      in_table = PositionOfDate(probe, at, probe_offset);
      real = IsRealDate(probe);
    }
    int32_t order = -1;  // a probe before the table counts as earlier than every target
    bool probe_leap = false;
    if (in_table) {
      const LunarDate probe_lunar = DateAt(at);
      order = CompareDates({probe_lunar.year, probe_lunar.month, probe_lunar.day},
                           {target.year, target.month, target.day});
      probe_leap = probe_lunar.leap;
    }
    int32_t step = -order;
    if (order == 0) {
      if (probe_leap == want_leap) {
        date = probe;
        offset = probe_offset;
        return true;
      }
      step = probe_leap ? -kLeapJump : kLeapJump;
    } else if (real) {
      // A first probe such as 02-30 stands for a day of March, and its first step is taken
      // singly, as StepDays takes it; from a real date the whole run is taken.
      int32_t run = 0;
      if (!in_table) {
        run = kFirstLunarOffset - probe_offset;
      } else if (order > 0) {
        run = RunBackward(at, target);
      } else {
        run = RunForward(at, target);
        // A run past the table's end crosses into 2049, where the search fails.
        if (run == 0) {
          return false;
        }
      }
      conversions += run - 1;
      step = order < 0 ? run : -run;
    }
    // A run within the table leaves `at` at the day it ends on.
    placed = real && order != 0 && in_table;
    StepDays(probe, step);
    if (real) {
      probe_offset += step;
    }
  }
}

}  // namespace

bool LunarToGregorian(LunarDate lunar, GregorianDate& date) {
  int32_t offset = 0;
  return SearchGregorian(lunar, date, offset);
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
    GregorianDate date;
    int32_t offset = 0;
    if (!SearchGregorian({static_cast<uint16_t>(year), static_cast<uint16_t>(month),
                          static_cast<uint16_t>(day), leap},
                         date, offset)) {
      return false;
    }
    // MakeDate would refuse a day its month lacks; any other date of the range has the day count
    // itself as its midnight value.
    if (!IsRealDate(date)) {
      return false;
    }
    value = static_cast<double>(kOffsetOriginDay + offset);
    return true;
  } catch (...) {
    return false;
  }
}

}  // namespace lunacal
