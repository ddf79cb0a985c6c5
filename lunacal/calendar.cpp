#include "lunacal/calendar.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <limits>

#include "lunacal/date_value.h"
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

uint16_t GregorianMonthDays(uint16_t year, uint16_t month) {
  switch (month) {
    case 1: case 3: case 5: case 7: case 8: case 10: case 12:
      return 31;
    case 4: case 6: case 9: case 11:
      return 30;
    case 2:
      return IsGregorianLeapYear(year) ? 29 : 28;
    default:
      return 0;
  }
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
  int32_t n = offset - kFirstLunarOffset;  // [0, 54394]
  // The offset bound keeps the walk within the table: it ends in 2049 at the latest.
  std::size_t index = 0;
  for (;; ++index) {
    const int32_t length = LunarYearLengths[index];
    if (n < length || index + 1 == LunarMonthSizes.size()) {
      break;
    }
    n -= length;
  }
  // Now n lies within the year: [0, 384]. The months are read from the word's bits in order.
  const uint16_t year = static_cast<uint16_t>(kFirstTableYear + index);
  const uint8_t leap_month = LeapMonthAt(index);
  const uint16_t word = LunarMonthSizes[index];
  static_assert(std::numeric_limits<decltype(LunarMonthSizes)::value_type>::digits == 16,
                "a year's thirteen months fill the word from bit 15 down to bit 3");
  int bit = 15;  // the n-th month of the year in calendar order is bit 16 - n: [3, 15]
  for (uint16_t month = 1; month <= 12; ++month) {
    const int32_t length = ((word >> bit) & 1U) != 0 ? 30 : 29;
    --bit;
    if (n < length) {
      return {year, month, static_cast<uint16_t>(n + 1), false};
    }
    n -= length;
    if (month == leap_month) {
      const int32_t leap_length = ((word >> bit) & 1U) != 0 ? 30 : 29;
      --bit;
      if (n < leap_length) {
        return {year, month, static_cast<uint16_t>(n + 1), true};
      }
      n -= leap_length;
    }
  }
  return {};  // unreachable: the year's length bounded n
}

bool GregorianToLunar(GregorianDate date, LunarDate& lunar) {
  if (date.month < 1 || date.month > 12 || date.year >= kFirstRefusedYear ||
      CompareDates(date, kFirstLunarDay) < 0) {
    return false;
  }
  const int32_t offset = DaysBetween(date, kOffsetOrigin);  // [49, 54056 + 65504]
  // A day number far past its month's end could count on beyond the table; no lunar date then.
  if (offset > kLastLunarOffset) {
    return false;
  }
  lunar = LunarDateFromOffset(offset);
  return true;
}

bool ToLunarDate(double value, int32_t& year, int32_t& month, int32_t& day, bool& leap) {
  try {
    const DateFields fields = SplitDate(value);
    // A field of -1 (no fields) becomes 65535, which the month check refuses.
    const GregorianDate date{static_cast<uint16_t>(fields.year),
                             static_cast<uint16_t>(fields.month),
                             static_cast<uint16_t>(fields.day)};
    LunarDate lunar;
    if (!GregorianToLunar(date, lunar)) {
      return false;
    }
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
  if (!InTable(lunar.year) || lunar.month < 1 || lunar.month > 12 || lunar.day < 1 ||
      lunar.day > 30) {
    return false;
  }
  // A leap flag for a month the year does not repeat asks for the ordinary month.
  const bool want_leap = lunar.leap && LeapMonthOf(lunar.year) == lunar.month;
  const GregorianDate target{lunar.year, lunar.month, lunar.day};

  // The probe starts at the same three numbers and walks towards the lunar date one day at a time.
  GregorianDate probe = target;
  for (int conversions = 1; conversions <= kMaxProbeConversions; ++conversions) {
    if (probe.year >= kFirstRefusedYear) {
      return false;
    }
    int32_t order = -1;  // a probe before the table counts as earlier than every target
    bool probe_leap = false;
    LunarDate probe_lunar;
    if (GregorianToLunar(probe, probe_lunar)) {
      order = CompareDates({probe_lunar.year, probe_lunar.month, probe_lunar.day}, target);
      probe_leap = probe_lunar.leap;
    }
    if (order == 0) {
      if (probe_leap == want_leap) {
        date = probe;
        return true;
      }
      StepDays(probe, probe_leap ? -kLeapJump : kLeapJump);
    }
    StepDays(probe, -order);
  }
  return false;
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
    if (!LunarToGregorian({static_cast<uint16_t>(year), static_cast<uint16_t>(month),
                           static_cast<uint16_t>(day), leap},
                          date)) {
      return false;
    }
    double result = 0.0;
    if (!MakeDate(date.year, date.month, date.day, 0, 0, 0, result)) {
      return false;
    }
    value = result;
    return true;
  } catch (...) {
    return false;
  }
}

}  // namespace lunacal
