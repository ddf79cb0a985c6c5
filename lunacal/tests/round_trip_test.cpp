// SPDX-License-Identifier: MIT
// Exhaustive checks over the whole range: every Gregorian day 1901-02-19 .. 2048-12-31 converts to
// lunar and back, every lunar day 1901-1-1 .. 2048-11-27 (leap months included) converts to
// Gregorian and back, and the lunar dates of consecutive days follow each other without gaps.

#include <gtest/gtest.h>

#include <cstdint>
#include <string>

#include "lunacal/calendar.h"

namespace lunacal {
namespace {

constexpr GregorianDate kFirstDay{1901, 2, 19};
constexpr GregorianDate kLastDay{2048, 12, 31};
constexpr LunarDate kLastLunarDay{2048, 11, 27, false};
constexpr int kMaxReported = 10;

std::string Describe(const LunarDate& lunar) {
  return std::to_string(lunar.year) + '-' + std::to_string(lunar.month) + '-' +
         std::to_string(lunar.day) + (lunar.leap ? " leap" : "");
}

TEST(RoundTrip, EveryGregorianDayComesBack) {
  int failures = 0;
  int32_t days = 0;
  for (GregorianDate day = kFirstDay; CompareDates(day, kLastDay) <= 0 && failures < kMaxReported;
       StepOneDay(day, true), ++days) {
    LunarDate lunar;
    GregorianDate back;
    if (!GregorianToLunar(day, lunar) || !LunarToGregorian(lunar, back) || back != day) {
      ADD_FAILURE() << day.year << '-' << day.month << '-' << day.day;
      ++failures;
    }
  }
  EXPECT_EQ(days, DaysBetween(kLastDay, kFirstDay) + 1);
}

TEST(RoundTrip, EveryLunarDayComesBack) {
  int failures = 0;
  int32_t days = 0;
  for (uint16_t year = 1901; year <= kLastLunarDay.year; ++year) {
    for (uint16_t month = 1; month <= 12; ++month) {
      const LunarMonthLength lengths = LunarMonthLengths(year, month);
      for (const bool leap : {false, true}) {
        const uint16_t length = leap ? lengths.leap : lengths.month;
        for (uint16_t d = 1; d <= length && failures < kMaxReported; ++d) {
          const LunarDate lunar{year, month, d, leap};
          if (year == kLastLunarDay.year &&
              CompareDates({year, month, d}, {year, kLastLunarDay.month, kLastLunarDay.day}) > 0) {
            continue;
          }
          ++days;
          GregorianDate day;
          LunarDate back;
          if (!LunarToGregorian(lunar, day) || !GregorianToLunar(day, back) || back != lunar) {
            ADD_FAILURE() << Describe(lunar);
            ++failures;
          }
        }
      }
    }
  }
  // Both sweeps cover the same days: one lunar date for each Gregorian day of the range.
  EXPECT_EQ(days, DaysBetween(kLastDay, kFirstDay) + 1);
}

// The next lunar date is the next day of the month, or day 1 of the leap month that follows the
// month, or day 1 of the next month, or 1-1 of the next year; a month ends on its last day.
TEST(RoundTrip, LunarDaysAreConsecutive) {
  LunarDate previous;
  ASSERT_TRUE(GregorianToLunar(kFirstDay, previous));
  EXPECT_EQ(previous, (LunarDate{1901, 1, 1, false}));
  int failures = 0;
  GregorianDate day = kFirstDay;
  while (CompareDates(day, kLastDay) < 0 && failures < kMaxReported) {
    StepOneDay(day, true);
    LunarDate next;
    ASSERT_TRUE(GregorianToLunar(day, next));
    const LunarMonthLength lengths = LunarMonthLengths(previous.year, previous.month);
    const uint16_t month_length = previous.leap ? lengths.leap : lengths.month;
    LunarDate expected{previous.year, previous.month, static_cast<uint16_t>(previous.day + 1),
                       previous.leap};
    if (previous.day == month_length) {
      if (!previous.leap && lengths.leap != 0) {
        expected = {previous.year, previous.month, 1, true};
      } else if (previous.month == 12) {
        expected = {static_cast<uint16_t>(previous.year + 1), 1, 1, false};
      } else {
        expected = {previous.year, static_cast<uint16_t>(previous.month + 1), 1, false};
      }
    }
    if (next != expected) {
      ADD_FAILURE() << "after " << Describe(previous) << " came " << Describe(next);
      ++failures;
    }
    previous = next;
  }
  EXPECT_EQ(previous, kLastLunarDay);
}

}  // namespace
}  // namespace lunacal
