// SPDX-License-Identifier: MIT
// SplitDate and MakeDate: rounding to the second, the DATE range and its edges (NaN, infinities,
// huge and denormal doubles), the magnitude rule for negative days, field validation, and a sweep
// of every day of the range against std::chrono.

#include "lunacal/date_value.h"

#include <gtest/gtest.h>

#include <chrono>
#include <cmath>
#include <cstdint>
#include <limits>

namespace lunacal {
namespace {

constexpr double kSecond = 1.0 / 86400.0;
constexpr double kInf = std::numeric_limits<double>::infinity();

// 1899-12-30 is 25569 days before 1970-01-01, the epoch of std::chrono::sys_days.
constexpr int32_t kDaysFrom1970To1899 = -25569;

struct SplitCase {
  double value;
  DateFields expected;
};

TEST(SplitDate, GivesTheRoundedCalendarFields) {
  const SplitCase cases[] = {
      {0.0, {1899, 12, 30, 0, 0, 0}},
      {-1.25, {1899, 12, 29, 6, 0, 0}},  // the fraction's magnitude is the time of day
      {-0.5, {1899, 12, 30, 12, 0, 0}},  // truncation toward zero keeps day 0
      {2.75, {1900, 1, 1, 18, 0, 0}},
      {60.0, {1900, 2, 28, 0, 0, 0}},
      {61.0, {1900, 3, 1, 0, 0, 0}},  // 1900 is not a leap year
      {43855.0, {2020, 1, 25, 0, 0, 0}},
      {43854.0 + 86399.6 * kSecond, {2020, 1, 25, 0, 0, 0}},
      {43854.0 + 86399.4 * kSecond, {2020, 1, 24, 23, 59, 59}},
      {43854.0 + 45296.0 * kSecond, {2020, 1, 24, 12, 34, 56}},
      {-2.0 - 86399.6 * kSecond, {1899, 12, 27, 0, 0, 0}},  // rounds away from zero: the day before
      {kMinDateValue, {100, 1, 1, 0, 0, 0}},
      {kMaxDateValue, {9999, 12, 31, 0, 0, 0}},
      {std::numeric_limits<double>::denorm_min(), {1899, 12, 30, 0, 0, 0}},
      {-std::numeric_limits<double>::denorm_min(), {1899, 12, 30, 0, 0, 0}},
      {std::numeric_limits<double>::min(), {1899, 12, 30, 0, 0, 0}},
  };
  for (const SplitCase& c : cases) {
    SCOPED_TRACE(c.value);
    const DateFields fields = SplitDate(c.value);
    EXPECT_EQ(fields.year, c.expected.year);
    EXPECT_EQ(fields.month, c.expected.month);
    EXPECT_EQ(fields.day, c.expected.day);
    EXPECT_EQ(fields.hour, c.expected.hour);
    EXPECT_EQ(fields.minute, c.expected.minute);
    EXPECT_EQ(fields.second, c.expected.second);
  }
}

TEST(SplitDate, GivesMinusOneEverywhereOutsideTheRange) {
  const double outside[] = {
      std::nan(""),
      -std::nan(""),
      kInf,
      -kInf,
      std::numeric_limits<double>::max(),
      std::numeric_limits<double>::lowest(),
      kMinDateValue - 1.0,
      std::nextafter(kMinDateValue, -kInf),
      std::nextafter(kMaxDateValue, kInf),
      kMaxDateValue + 0.5,
      1e300,
      -1e18,
  };
  for (const double value : outside) {
    SCOPED_TRACE(value);
    EXPECT_EQ(SplitDate(value), DateFields{});
    EXPECT_EQ(SplitDate(value).year, -1);
    EXPECT_EQ(SplitDate(value, DateField::Second), -1);
  }
}

TEST(SplitDate, EachFieldAloneMatchesTheFullSplit) {
  const double values[] = {0.0, -1.25, 43854.0 + 86399.6 * kSecond, 12345.678, kMaxDateValue,
                           std::nan("")};
  for (const double value : values) {
    SCOPED_TRACE(value);
    const DateFields all = SplitDate(value);
    EXPECT_EQ(SplitDate(value, DateField::Year), all.year);
    EXPECT_EQ(SplitDate(value, DateField::Month), all.month);
    EXPECT_EQ(SplitDate(value, DateField::Day), all.day);
    EXPECT_EQ(SplitDate(value, DateField::Hour), all.hour);
    EXPECT_EQ(SplitDate(value, DateField::Minute), all.minute);
    EXPECT_EQ(SplitDate(value, DateField::Second), all.second);
  }
}

struct MakeCase {
  int32_t year, month, day, hour, minute, second;
  double expected;
};

TEST(MakeDate, BuildsTheValueOfValidFields) {
  const MakeCase cases[] = {
      {1899, 12, 30, 0, 0, 0, 0.0},
      {1899, 12, 29, 6, 0, 0, -1.25},
      {1899, 12, 30, 12, 0, 0, 0.5},
      {2000, 2, 29, 0, 0, 0, 36585.0},
      {2020, 1, 25, 0, 0, 0, 43855.0},
      {2020, 1, 25, 18, 0, 0, 43855.75},
      {100, 1, 1, 0, 0, 0, kMinDateValue},
      {9999, 12, 31, 0, 0, 0, kMaxDateValue},
      {9999, 12, 30, 23, 59, 59, kMaxDateValue - kSecond},
      {100, 1, 2, 0, 0, 1, kMinDateValue + 1.0 - kSecond},
  };
  for (const MakeCase& c : cases) {
    SCOPED_TRACE(testing::Message() << c.year << '-' << c.month << '-' << c.day);
    double value = 7.0;
    ASSERT_TRUE(MakeDate(c.year, c.month, c.day, c.hour, c.minute, c.second, value));
    EXPECT_DOUBLE_EQ(value, c.expected);
  }
}

TEST(MakeDate, RefusesInvalidFieldsAndKeepsThePreviousValue) {
  constexpr int32_t kMin = std::numeric_limits<int32_t>::min();
  constexpr int32_t kMax = std::numeric_limits<int32_t>::max();
  const MakeCase cases[] = {
      {1900, 2, 29, 0, 0, 0, 0}, {2001, 2, 29, 0, 0, 0, 0}, {2021, 4, 31, 0, 0, 0, 0},
      {99, 12, 31, 0, 0, 0, 0},  // below the DATE range, not a silent success
      {0, 1, 1, 0, 0, 0, 0},     {-1, 1, 1, 0, 0, 0, 0},    {10000, 1, 1, 0, 0, 0, 0},
      {2000, 0, 1, 0, 0, 0, 0},  {2000, 13, 1, 0, 0, 0, 0}, {2000, 1, 0, 0, 0, 0, 0},
      {2000, 1, 32, 0, 0, 0, 0}, {2000, 1, 1, 24, 0, 0, 0}, {2000, 1, 1, -1, 0, 0, 0},
      {2000, 1, 1, 0, 60, 0, 0}, {2000, 1, 1, 0, 0, 60, 0}, {2000, 1, 1, 0, 0, -1, 0},
      {kMin, 1, 1, 0, 0, 0, 0},  {kMax, 1, 1, 0, 0, 0, 0},  {2000, kMin, kMax, kMin, kMax, kMin, 0},
      {65536 + 2000, 1, 1, 0, 0, 0, 0},
      {100, 1, 1, 0, 0, 1, 0},  // past the ends of the range, which are midnights
      {9999, 12, 31, 0, 0, 1, 0},
  };
  for (const MakeCase& c : cases) {
    SCOPED_TRACE(testing::Message() << c.year << '-' << c.month << '-' << c.day << ' ' << c.hour
                                    << ':' << c.minute << ':' << c.second);
    double value = 123.5;
    EXPECT_FALSE(MakeDate(c.year, c.month, c.day, c.hour, c.minute, c.second, value));
    EXPECT_EQ(value, 123.5);
  }
}

// Every day of the DATE range, checked against the standard library's civil calendar both ways.
TEST(DateValue, AgreesWithChronoOnEveryDayOfTheRange) {
  using namespace std::chrono;
  int failures = 0;
  for (int32_t days = static_cast<int32_t>(kMinDateValue);
       days <= static_cast<int32_t>(kMaxDateValue) && failures < 10; ++days) {
    const year_month_day civil{sys_days{std::chrono::days{days + kDaysFrom1970To1899}}};
    const DateFields fields = SplitDate(days);
    const DateFields expected{static_cast<int>(civil.year()),
                              static_cast<int32_t>(static_cast<unsigned>(civil.month())),
                              static_cast<int32_t>(static_cast<unsigned>(civil.day())), 0, 0, 0};
    const bool split_ok = fields == expected;
    double value = 0.5;
    const bool make_ok =
        MakeDate(fields.year, fields.month, fields.day, 0, 0, 0, value) && value == days;
    if (!split_ok || !make_ok) {
      ADD_FAILURE() << "day " << days;
      ++failures;
    }
  }
  EXPECT_EQ(failures, 0);
}

// Every second of a day survives MakeDate then SplitDate, on both sides of day 0 and at the edges.
TEST(DateValue, EverySecondOfADayRoundTrips) {
  const int32_t dates[][3] = {
      {1899, 12, 30}, {1899, 12, 29}, {100, 1, 2}, {2020, 1, 24}, {9999, 12, 30}};
  for (const auto& date : dates) {
    int failures = 0;
    for (int32_t s = 0; s < 86400 && failures < 10; ++s) {
      double value = 0.0;
      const DateFields expected{date[0], date[1], date[2], s / 3600, s / 60 % 60, s % 60};
      if (!MakeDate(date[0], date[1], date[2], s / 3600, s / 60 % 60, s % 60, value) ||
          SplitDate(value) != expected) {
        ADD_FAILURE() << date[0] << '-' << date[1] << '-' << date[2] << " second " << s;
        ++failures;
      }
    }
  }
}

// RoundToSecond is SplitDate's own rounding, so its day count and second agree with the fields
// SplitDate gives, and it refuses exactly what SplitDate leaves without fields.
TEST(DateValue, RoundToSecondAgreesWithSplitDate) {
  const double values[] = {0.0,         -0.0,       -1.25,          43855.99999537, 43855.9999931,
                           416.0,       -657434.0,  2958465.0,      -657434.0000001, 2958465.0000001,
                           -0.99999999, 0.49999999, std::nan(""),   HUGE_VAL,        -HUGE_VAL};
  for (const double value : values) {
    SCOPED_TRACE(testing::Message() << value);
    int32_t days = -7;
    int32_t second = -7;
    const DateFields fields = SplitDate(value);
    if (!RoundToSecond(value, days, second)) {
      EXPECT_EQ(fields, DateFields{});
      EXPECT_EQ(days, -7);
      continue;
    }
    double midnight = 0.0;
    ASSERT_TRUE(MakeDate(fields.year, fields.month, fields.day, 0, 0, 0, midnight));
    EXPECT_EQ(days, static_cast<int32_t>(midnight));
    EXPECT_EQ(second, fields.hour * 3600 + fields.minute * 60 + fields.second);
  }
  int32_t days = 0;
  int32_t second = 0;
  ASSERT_TRUE(RoundToSecond(43855.99999537, days, second));  // 23:59:59.6 is the next midnight
  EXPECT_EQ(days, 43856);
  EXPECT_EQ(second, 0);
}

}  // namespace
}  // namespace lunacal
