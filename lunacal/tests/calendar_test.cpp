// SPDX-License-Identifier: MIT
// Gregorian day arithmetic (leap years, month lengths, DaysBetween, CompareDates, StepOneDay,
// StepDays) and the Gregorian-to-lunar conversion (GregorianToLunar, ToLunarDate), with the ends
// of the range, the leap months and DATE values that have no calendar fields.

#include "lunacal/calendar.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <limits>

#include "lunacal/date_value.h"

namespace lunacal {
namespace {

constexpr double kSecond = 1.0 / 86400.0;
constexpr double kInf = std::numeric_limits<double>::infinity();
constexpr int32_t kInt32Min = std::numeric_limits<int32_t>::min();
constexpr int32_t kInt32Max = std::numeric_limits<int32_t>::max();

TEST(GregorianDays, LeapYearsAndMonthLengths) {
  EXPECT_TRUE(IsGregorianLeapYear(2000));
  EXPECT_TRUE(IsGregorianLeapYear(2024));
  EXPECT_TRUE(IsGregorianLeapYear(0));
  EXPECT_FALSE(IsGregorianLeapYear(1900));
  EXPECT_FALSE(IsGregorianLeapYear(2023));
  EXPECT_EQ(GregorianMonthDays(2000, 2), 29);
  EXPECT_EQ(GregorianMonthDays(1900, 2), 28);
  EXPECT_EQ(GregorianMonthDays(2021, 4), 30);
  EXPECT_EQ(GregorianMonthDays(2021, 12), 31);
  EXPECT_EQ(GregorianMonthDays(2021, 0), 0);
  EXPECT_EQ(GregorianMonthDays(2021, 13), 0);
}

TEST(DaysBetween, CountsFromBToA) {
  struct Case {
    GregorianDate a, b;
    int32_t days;
  };
  const Case cases[] = {
      {{1901, 2, 19}, {1901, 1, 1}, 49},
      {{1901, 1, 1}, {1901, 2, 19}, -49},
      {{2021, 2, 30}, {2021, 3, 2}, 0},  // a day past the month's end counts on
      {{2020, 3, 1}, {2020, 2, 28}, 2},
      {{1900, 3, 1}, {1900, 2, 28}, 1},
      {{2048, 12, 31}, {1901, 1, 1}, 54056},
      {{2001, 1, 1}, {2000, 1, 1}, 366},
      {{2049, 1, 1}, {1901, 1, 1}, 54057},
      {{2021, 13, 1}, {2021, 1, 1}, 0},  // no month 13: nothing is read outside the month table
      {{2021, 1, 1}, {2021, 0, 1}, 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << c.a.year << '-' << c.a.month << '-' << c.a.day);
    EXPECT_EQ(DaysBetween(c.a, c.b), c.days);
  }
}

TEST(CompareDates, OrdersYearThenMonthThenDay) {
  EXPECT_EQ(CompareDates({2020, 1, 25}, {2020, 1, 25}), 0);
  EXPECT_EQ(CompareDates({2020, 1, 26}, {2020, 1, 25}), 1);
  EXPECT_EQ(CompareDates({2020, 1, 25}, {2020, 2, 1}), -1);
  EXPECT_EQ(CompareDates({2021, 1, 1}, {2020, 12, 31}), 1);
  EXPECT_EQ(CompareDates({0, 65535, 65535}, {1, 0, 0}), -1);
  EXPECT_EQ(CompareDates({20, 40, 23}, {20, 40, 22}), 1);  // time triples order the same way
}

TEST(StepOneDay, CrossesMonthsAndYears) {
  struct Case {
    GregorianDate from;
    bool forward;
    GregorianDate to;
  };
  const Case cases[] = {
      {{2000, 3, 1}, false, {2000, 2, 29}},   {{1900, 3, 1}, false, {1900, 2, 28}},
      {{2001, 1, 1}, false, {2000, 12, 31}},  {{2000, 2, 28}, true, {2000, 2, 29}},
      {{2000, 2, 29}, true, {2000, 3, 1}},    {{2000, 12, 31}, true, {2001, 1, 1}},
      {{2021, 2, 30}, true, {2021, 3, 1}},    {{65535, 12, 31}, true, {0, 1, 1}},
      {{0, 1, 1}, false, {65535, 12, 31}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << c.from.year << '-' << c.from.month << '-' << c.from.day);
    GregorianDate date = c.from;
    StepOneDay(date, c.forward);
    EXPECT_EQ(date, c.to);
  }
}

// StepDays jumps whole months and years; it must land exactly where |n| single steps land, also
// from days that lie past the end of their month, around year 0 and around a year wrap.
TEST(StepDays, MatchesSingleSteps) {
  const GregorianDate starts[] = {{2000, 2, 29}, {2021, 2, 30}, {2021, 2, 31}, {1900, 12, 31},
                                  {2020, 1, 1},  {0, 1, 1},     {65535, 12, 31}, {2021, 6, 0},
                                  {2021, 13, 5}, {2021, 0, 5}};
  const int32_t counts[] = {1, -1, 2, -2, 29, -29, 31, -31, 365, -366, 1000, -1461, 4000, -4000};
  for (const GregorianDate& start : starts) {
    for (const int32_t n : counts) {
      SCOPED_TRACE(testing::Message() << start.year << '-' << start.month << '-' << start.day
                                      << " by " << n);
      GregorianDate single = start;
      for (int32_t i = 0; i < std::abs(n); ++i) {
        StepOneDay(single, n > 0);
      }
      GregorianDate jumped = start;
      StepDays(jumped, n);
      EXPECT_EQ(jumped, single);
    }
  }
}

TEST(StepDays, AgreesWithDaysBetweenAndHandlesTheInt32Extremes) {
  GregorianDate date{2020, 1, 25};
  StepDays(date, 0);
  EXPECT_EQ(date, (GregorianDate{2020, 1, 25}));
  StepDays(date, 10000);
  EXPECT_EQ(DaysBetween(date, {2020, 1, 25}), 10000);
  StepDays(date, -20000);
  EXPECT_EQ(DaysBetween(date, {2020, 1, 25}), -10000);

  // Single steps are invertible, so max forward, min back and one more forward is the identity.
  GregorianDate extreme{2020, 1, 25};
  StepDays(extreme, kInt32Max);
  EXPECT_NE(extreme, (GregorianDate{2020, 1, 25}));
  StepDays(extreme, kInt32Min);
  StepDays(extreme, 1);
  EXPECT_EQ(extreme, (GregorianDate{2020, 1, 25}));
}

struct LunarCase {
  GregorianDate day;
  LunarDate lunar;
};

TEST(GregorianToLunar, ConvertsTheRangeAndItsLeapMonths) {
  const LunarCase cases[] = {
      {{1901, 2, 19}, {1901, 1, 1, false}},   {{1901, 3, 20}, {1901, 2, 1, false}},
      {{2048, 12, 31}, {2048, 11, 27, false}}, {{2020, 1, 24}, {2019, 12, 30, false}},
      {{2020, 1, 25}, {2020, 1, 1, false}},   {{2020, 4, 23}, {2020, 4, 1, false}},
      {{2020, 5, 22}, {2020, 4, 30, false}},  {{2020, 5, 23}, {2020, 4, 1, true}},
      {{2020, 6, 20}, {2020, 4, 29, true}},   {{2020, 6, 21}, {2020, 5, 1, false}},
      {{1984, 11, 23}, {1984, 10, 1, true}},  {{2023, 3, 21}, {2023, 2, 30, false}},
      {{2023, 3, 22}, {2023, 2, 1, true}},    {{2033, 12, 22}, {2033, 11, 1, true}},
      {{2021, 2, 30}, {2021, 1, 19, false}},  // counts as 2021-03-02
  };
  for (const LunarCase& c : cases) {
    SCOPED_TRACE(testing::Message() << c.day.year << '-' << c.day.month << '-' << c.day.day);
    LunarDate lunar;
    ASSERT_TRUE(GregorianToLunar(c.day, lunar));
    EXPECT_EQ(lunar, c.lunar);
  }
}

TEST(GregorianToLunar, RefusesDatesOutsideTheRange) {
  const GregorianDate refused[] = {{1901, 2, 18}, {1900, 12, 31}, {2049, 1, 1},  {2050, 1, 1},
                                   {65535, 65535, 65535}, {2020, 0, 1}, {2020, 13, 1},
                                   {2048, 12, 65535}};  // counts on past the end of the table
  for (const GregorianDate& day : refused) {
    SCOPED_TRACE(testing::Message() << day.year << '-' << day.month << '-' << day.day);
    LunarDate lunar{7, 7, 7, true};
    EXPECT_FALSE(GregorianToLunar(day, lunar));
    EXPECT_EQ(lunar, (LunarDate{7, 7, 7, true}));
  }
}

TEST(ToLunarDate, ConvertsDateValuesRoundedToTheSecond) {
  struct Case {
    double value;
    int32_t year, month, day;
    bool leap;
  };
  const Case cases[] = {
      {416.0, 1901, 1, 1, false},
      {54423.0, 2048, 11, 27, false},
      {54423.0 + 86399.4 * kSecond, 2048, 11, 27, false},
      {416.0 - 0.4 * kSecond, 1901, 1, 1, false},  // rounds up into the first day
      {43854.0 + 86399.6 * kSecond, 2020, 1, 1, false},
      {43854.0 + 86399.4 * kSecond, 2019, 12, 30, false},
      {43974.5, 2020, 4, 1, true},  // 2020-05-23 12:00
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.value);
    int32_t year = 0, month = 0, day = 0;
    bool leap = !c.leap;
    ASSERT_TRUE(ToLunarDate(c.value, year, month, day, leap));
    EXPECT_EQ(year, c.year);
    EXPECT_EQ(month, c.month);
    EXPECT_EQ(day, c.day);
    EXPECT_EQ(leap, c.leap);
  }
}

TEST(ToLunarDate, FailsWithoutWritingForValuesOutsideTheRange) {
  const double refused[] = {
      std::nan(""), -std::nan(""), kInf, -kInf, std::numeric_limits<double>::max(),
      std::numeric_limits<double>::lowest(), std::numeric_limits<double>::denorm_min(),
      -std::numeric_limits<double>::denorm_min(), 0.0, -1.25, -1e9, kMinDateValue,
      std::nextafter(kMinDateValue, -kInf), kMaxDateValue, std::nextafter(kMaxDateValue, kInf),
      415.0, 416.0 - 0.6 * kSecond, 54424.0, 54423.0 + 86399.6 * kSecond,
  };
  for (const double value : refused) {
    SCOPED_TRACE(value);
    int32_t year = 11, month = 22, day = 33;
    bool leap = true;
    EXPECT_FALSE(ToLunarDate(value, year, month, day, leap));
    EXPECT_EQ(year, 11);
    EXPECT_EQ(month, 22);
    EXPECT_EQ(day, 33);
    EXPECT_TRUE(leap);
  }
}

}  // namespace
}  // namespace lunacal
