// SPDX-License-Identifier: MIT
// The lunar-to-Gregorian probe search (LunarToGregorian) and its command FromLunarDate: the start
// and end of the range, leap months asked for and not present, days the month lacks, arguments
// refused at once and 32-bit extremes.

#include <gtest/gtest.h>

#include <cstdint>
#include <limits>

#include "lunacal/calendar.h"

namespace lunacal {
namespace {

constexpr int32_t kInt32Min = std::numeric_limits<int32_t>::min();
constexpr int32_t kInt32Max = std::numeric_limits<int32_t>::max();

TEST(LunarToGregorian, FindsTheGregorianDay) {
  struct Case {
    LunarDate lunar;
    GregorianDate day;
  };
  const Case cases[] = {
      {{1901, 1, 1, false}, {1901, 2, 19}},  // the first probes lie before the table
      {{1901, 1, 29, false}, {1901, 3, 19}},
      {{1901, 2, 19, false}, {1901, 4, 7}},
      {{2020, 1, 1, false}, {2020, 1, 25}},
      {{2020, 4, 1, false}, {2020, 4, 23}},
      {{2020, 4, 1, true}, {2020, 5, 23}},
      {{2020, 4, 29, true}, {2020, 6, 20}},
      {{2020, 5, 1, true}, {2020, 6, 21}},  // no leap 5th month in 2020: the ordinary one
      {{2020, 2, 30, false}, {2020, 3, 23}},  // the first probe, 2020-02-30, does not exist
      {{2033, 11, 1, true}, {2033, 12, 22}},
      {{2023, 2, 30, false}, {2023, 3, 21}},
      {{2048, 11, 27, false}, {2048, 12, 31}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << c.lunar.year << '-' << c.lunar.month << '-' << c.lunar.day
                                    << (c.lunar.leap ? " leap" : ""));
    GregorianDate day;
    ASSERT_TRUE(LunarToGregorian(c.lunar, day));
    EXPECT_EQ(day, c.day);
  }
}

TEST(LunarToGregorian, RefusesDatesOutsideTheRangeAndDaysThatDoNotExist) {
  const LunarDate refused[] = {
      {2020, 4, 30, true},  // the leap 4th month of 2020 has 29 days
      {2023, 2, 30, true},  {1901, 1, 30, false},  // a 29-day month
      {2048, 11, 28, false}, {2048, 12, 1, false}, {2049, 1, 1, false},
      {1900, 12, 1, false}, {2050, 1, 1, false},   {2020, 0, 1, false},
      {2020, 13, 1, false}, {2020, 1, 0, false},   {2020, 1, 31, false},
      {65535, 65535, 65535, true},
  };
  for (const LunarDate& lunar : refused) {
    SCOPED_TRACE(testing::Message() << lunar.year << '-' << lunar.month << '-' << lunar.day
                                    << (lunar.leap ? " leap" : ""));
    GregorianDate day{7, 7, 7};
    EXPECT_FALSE(LunarToGregorian(lunar, day));
    EXPECT_EQ(day, (GregorianDate{7, 7, 7}));
  }
}

// Every day 30 of a 29-day month runs into the search limit, and a leap flag for a month the
// year does not repeat gives the ordinary month.
TEST(LunarToGregorian, TreatsMissingDaysAndLeapMonthsAsTheTableSays) {
  for (uint16_t year = 1901; year <= 2048; ++year) {
    for (uint16_t month = 1; month <= 12; ++month) {
      if (year == 2048 && month > 10) {
        break;
      }
      SCOPED_TRACE(testing::Message() << year << '-' << month);
      const LunarMonthLength lengths = LunarMonthLengths(year, month);
      GregorianDate day;
      EXPECT_EQ(LunarToGregorian({year, month, 30, false}, day), lengths.month == 30);
      if (lengths.leap == 0) {
        GregorianDate ordinary, asked_leap;
        ASSERT_TRUE(LunarToGregorian({year, month, 1, false}, ordinary));
        ASSERT_TRUE(LunarToGregorian({year, month, 1, true}, asked_leap));
        EXPECT_EQ(asked_leap, ordinary);
      } else {
        EXPECT_EQ(LunarToGregorian({year, month, 30, true}, day), lengths.leap == 30);
      }
    }
  }
}

TEST(FromLunarDate, GivesTheDateValueAtMidnight) {
  double value = 0.0;
  ASSERT_TRUE(FromLunarDate(2020, 1, 1, false, value));
  EXPECT_EQ(value, 43855.0);
  ASSERT_TRUE(FromLunarDate(1901, 1, 1, false, value));
  EXPECT_EQ(value, 416.0);
  ASSERT_TRUE(FromLunarDate(2048, 11, 27, false, value));
  EXPECT_EQ(value, 54423.0);
  ASSERT_TRUE(FromLunarDate(2020, 4, 1, true, value));
  EXPECT_EQ(value, 43974.0);
}

// Arguments are refused, not cut to their low 16 bits, so 1901 + 65536 is no alias of 1901.
TEST(FromLunarDate, FailsWithoutWritingForArgumentsOutsideTheRange) {
  struct Case {
    int32_t year, month, day;
    bool leap;
  };
  const Case refused[] = {
      {kInt32Min, 1, 1, false}, {kInt32Max, 1, 1, false}, {2020, kInt32Min, 1, false},
      {2020, kInt32Max, 1, true}, {2020, 1, kInt32Min, false}, {2020, 1, kInt32Max, false},
      {-1, -1, -1, true},       {1901 + 65536, 1, 1, false}, {2020, 1 + 65536, 1, false},
      {2020, 1, 1 + 65536, false}, {2049, 1, 1, false},     {2020, 4, 30, true},
      {0, 0, 0, false},
  };
  for (const Case& c : refused) {
    SCOPED_TRACE(testing::Message() << c.year << '-' << c.month << '-' << c.day);
    double value = 12.5;
    EXPECT_FALSE(FromLunarDate(c.year, c.month, c.day, c.leap, value));
    EXPECT_EQ(value, 12.5);
  }
}

}  // namespace
}  // namespace lunacal
