// SPDX-License-Identifier: MIT
// The lunar year table and its readers: LeapMonthOf, LunarMonthLengths, LunarYearLength and
// LunarDateFromOffset, with the decoded example years, the lunar new-year days and the years and
// offsets outside the table.

#include "lunacal/lunar_year_table.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <limits>
#include <vector>

#include "lunacal/calendar.h"

namespace lunacal {
namespace {

constexpr GregorianDate kOrigin{1901, 1, 1};

struct DecodedYear {
  uint16_t year;
  int16_t leap_month;
  std::vector<uint16_t> lengths;  // calendar order, the leap month after the month it follows
  uint16_t days;
};

std::vector<uint16_t> MonthLengthsInOrder(uint16_t year) {
  std::vector<uint16_t> lengths;
  for (uint16_t month = 1; month <= 12; ++month) {
    const LunarMonthLength length = LunarMonthLengths(year, month);
    lengths.push_back(length.month);
    if (length.leap != 0) {
      lengths.push_back(length.leap);
    }
  }
  return lengths;
}

TEST(LunarYearTable, DecodesTheExampleYears) {
  const DecodedYear years[] = {
      {1901, 0, {29, 30, 29, 29, 30, 29, 30, 29, 30, 30, 30, 29}, 354},
      {1903, 5, {29, 30, 29, 30, 29, 29, 30, 29, 29, 30, 30, 29, 30}, 383},
      {2020, 4, {29, 30, 30, 30, 29, 30, 29, 29, 30, 29, 30, 29, 30}, 384},
      {2033, 11, {29, 30, 29, 29, 30, 29, 30, 29, 30, 30, 30, 29, 30}, 384},
      {2049, 0, {30, 29, 30, 29, 30, 30, 29, 30, 30, 29, 30, 29}, 355},
  };
  for (const DecodedYear& y : years) {
    SCOPED_TRACE(y.year);
    EXPECT_EQ(LeapMonthOf(y.year), y.leap_month);
    EXPECT_EQ(MonthLengthsInOrder(y.year), y.lengths);
    EXPECT_EQ(LunarYearLength(y.year), y.days);
  }
  EXPECT_EQ(LunarMonthLengths(2020, 4), (LunarMonthLength{30, 29}));
  EXPECT_EQ(LunarMonthLengths(2020, 5), (LunarMonthLength{30, 0}));
}

// The year length comes from the word's bit count; summing the months read bit by bit must agree.
TEST(LunarYearTable, EveryYearHasAPlausibleShape) {
  for (uint16_t year = kFirstTableYear; year <= kLastTableYear; ++year) {
    SCOPED_TRACE(year);
    const int16_t leap = LeapMonthOf(year);
    const std::vector<uint16_t> lengths = MonthLengthsInOrder(year);
    uint16_t sum = 0;
    for (const uint16_t length : lengths) {
      EXPECT_TRUE(length == 29 || length == 30);
      sum = static_cast<uint16_t>(sum + length);
    }
    EXPECT_EQ(LunarYearLength(year), sum);
    if (leap == 0) {
      EXPECT_EQ(lengths.size(), 12U);
      EXPECT_GE(sum, 353);
      EXPECT_LE(sum, 355);
    } else {
      EXPECT_GE(leap, 2);
      EXPECT_LE(leap, 11);
      EXPECT_EQ(lengths.size(), 13U);
      EXPECT_GE(sum, 383);
      EXPECT_LE(sum, 385);
    }
  }
}

TEST(LunarYearTable, YearsAndMonthsOutsideTheTableGiveNothing) {
  const uint16_t years[] = {0, 1900, 2050, 65535};
  for (const uint16_t year : years) {
    SCOPED_TRACE(year);
    EXPECT_EQ(LeapMonthOf(year), -1);
    EXPECT_EQ(LunarYearLength(year), 0);
    EXPECT_EQ(LunarMonthLengths(year, 1), LunarMonthLength{});
  }
  const uint16_t months[] = {0, 13, 65535};
  for (const uint16_t month : months) {
    EXPECT_EQ(LunarMonthLengths(2020, month), LunarMonthLength{});
  }
}

TEST(LunarDateFromOffset, NewYearDaysFallWhereTheTableCountsThem) {
  struct NewYear {
    GregorianDate day;
    LunarDate lunar;
  };
  const NewYear cases[] = {
      {{1901, 2, 19}, {1901, 1, 1, false}},  {{1901, 3, 20}, {1901, 2, 1, false}},
      {{1949, 1, 29}, {1949, 1, 1, false}},  {{1949, 1, 28}, {1948, 12, 30, false}},
      {{2000, 2, 5}, {2000, 1, 1, false}},   {{2020, 1, 25}, {2020, 1, 1, false}},
      {{2020, 1, 24}, {2019, 12, 30, false}}, {{2020, 5, 23}, {2020, 4, 1, true}},
      {{2049, 2, 2}, {2049, 1, 1, false}},   {{2050, 1, 22}, {2049, 12, 29, false}},
  };
  for (const NewYear& c : cases) {
    SCOPED_TRACE(testing::Message() << c.day.year << '-' << c.day.month << '-' << c.day.day);
    EXPECT_EQ(LunarDateFromOffset(DaysBetween(c.day, kOrigin)), c.lunar);
  }
}

TEST(LunarDateFromOffset, TheTableEndsTheDayBefore2050_01_23) {
  int32_t days = 0;
  for (uint16_t year = kFirstTableYear; year <= kLastTableYear; ++year) {
    days += LunarYearLength(year);
  }
  EXPECT_EQ(kFirstLunarOffset + days, DaysBetween({2050, 1, 23}, kOrigin));
}

// Offsets outside the table give the zero date instead of walking past its last year.
TEST(LunarDateFromOffset, OffsetsOutsideTheTableGiveTheZeroDate) {
  const int32_t offsets[] = {std::numeric_limits<int32_t>::min(), -1, 0, 48,
                             DaysBetween({2050, 1, 23}, kOrigin),
                             std::numeric_limits<int32_t>::max()};
  for (const int32_t offset : offsets) {
    SCOPED_TRACE(offset);
    EXPECT_EQ(LunarDateFromOffset(offset), LunarDate{});
  }
  EXPECT_EQ(LunarDateFromOffset(kFirstLunarOffset), (LunarDate{1901, 1, 1, false}));
}

}  // namespace
}  // namespace lunacal
