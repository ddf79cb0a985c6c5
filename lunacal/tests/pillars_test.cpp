// SPDX-License-Identifier: MIT
// Covers the sexagenary helpers (SplitSexagenary, SexagenaryFromStemBranch and the month and hour
// stem rules against their reference tables) and FourPillars: the published moments to the second
// around each boundary, failures, optional outputs, the month and year change at the solar terms
// and the day and hour cycles across the whole range.

#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <cstdint>
#include <limits>
#include <string_view>

#include "lunacal/calendar.h"
#include "lunacal/date_value.h"
#include "lunacal/pillars.h"
#include "lunacal/solar_terms.h"

namespace lunacal {
namespace {

constexpr double kSecond = 1.0 / 86400.0;
constexpr std::u32string_view kStemNames = U"甲乙丙丁戊己庚辛壬癸";

// Rows by the stem pairs 甲己, 乙庚, 丙辛, 丁壬, 戊癸; columns by branch 子 .. 亥 (typed from the
// reference tables of month and hour stems).
constexpr std::array<std::u32string_view, 5> kMonthStemRows = {
    U"丙丁丙丁戊己庚辛壬癸甲乙", U"戊己戊己庚辛壬癸甲乙丙丁", U"庚辛庚辛壬癸甲乙丙丁戊己",
    U"壬癸壬癸甲乙丙丁戊己庚辛", U"甲乙甲乙丙丁戊己庚辛壬癸"};
constexpr std::array<std::u32string_view, 5> kHourStemRows = {
    U"甲乙丙丁戊己庚辛壬癸甲乙", U"丙丁戊己庚辛壬癸甲乙丙丁", U"戊己庚辛壬癸甲乙丙丁戊己",
    U"庚辛壬癸甲乙丙丁戊己庚辛", U"壬癸甲乙丙丁戊己庚辛壬癸"};

int32_t Next(int32_t index) { return index % 60 + 1; }

double Moment(int32_t y, int32_t m, int32_t d, int32_t h, int32_t mi, int32_t s) {
  double value = std::numeric_limits<double>::quiet_NaN();
  EXPECT_TRUE(MakeDate(y, m, d, h, mi, s, value)) << y << "-" << m << "-" << d;
  return value;
}

struct Result {
  bool ok = false;
  std::array<int32_t, 4> pillars{-7, -7, -7, -7};
};

Result PillarsOf(double value) {
  Result r;
  r.ok = FourPillars(value, &r.pillars[0], &r.pillars[1], &r.pillars[2], &r.pillars[3]);
  return r;
}

TEST(StemTables, RulesEqualTheReferenceTablesCellByCell) {
  for (int32_t stem = 1; stem <= 10; ++stem) {
    for (int32_t branch = 1; branch <= 12; ++branch) {
      SCOPED_TRACE(testing::Message() << "stem " << stem << " branch " << branch);
      const std::size_t row = static_cast<std::size_t>((stem - 1) % 5);
      const std::size_t column = static_cast<std::size_t>(branch - 1);
      EXPECT_EQ(MonthStem(stem, branch),
                static_cast<int32_t>(kStemNames.find(kMonthStemRows[row][column])) + 1);
      EXPECT_EQ(HourStem(stem, branch),
                static_cast<int32_t>(kStemNames.find(kHourStemRows[row][column])) + 1);
    }
  }
  constexpr int32_t kMin = std::numeric_limits<int32_t>::min();
  for (const int32_t stem : {0, 11, -1, kMin}) {
    EXPECT_EQ(MonthStem(stem, 3), 0) << stem;
    EXPECT_EQ(HourStem(stem, 1), 0) << stem;
  }
  for (const int32_t branch : {0, 13, -1, kMin}) {
    EXPECT_EQ(MonthStem(1, branch), 0) << branch;
    EXPECT_EQ(HourStem(1, branch), 0) << branch;
  }
}

TEST(Sexagenary, SplitAndJoinAgreeWithTheCycle) {
  EXPECT_EQ(SplitSexagenary(1), (StemBranch{1, 1}));
  EXPECT_EQ(SplitSexagenary(38), (StemBranch{8, 2}));
  EXPECT_EQ(SplitSexagenary(60), (StemBranch{10, 12}));
  for (const int32_t outside : {0, 61, -1, std::numeric_limits<int32_t>::max(),
                                std::numeric_limits<int32_t>::min()}) {
    EXPECT_EQ(SplitSexagenary(outside), StemBranch{}) << outside;
  }
  // Joining must find the first index of the cycle with that stem and branch, or 0.
  for (int32_t stem = -1; stem <= 12; ++stem) {
    for (int32_t branch = -1; branch <= 14; ++branch) {
      int32_t expected = 0;
      for (int32_t n = 60; n >= 1; --n) {
        if (SplitSexagenary(n) == StemBranch{stem, branch}) expected = n;
      }
      EXPECT_EQ(SexagenaryFromStemBranch(stem, branch), expected) << stem << " " << branch;
    }
  }
}

TEST(FourPillars, PublishedMomentsAroundTheirBoundaries) {
  constexpr int32_t kAny = -7;  // a pillar the case does not pin down
  constexpr struct {
    std::array<int32_t, 6> fields;
    std::array<int32_t, 4> pillars;
  } kCases[] = {
      {{2000, 1, 1, 12, 0, 0}, {16, 13, 55, 55}},
      {{1901, 2, 19, 0, 0, 0}, {38, 27, 5, 49}},
      {{1901, 2, 18, 23, 59, 59}, {0, 0, 0, 0}},
      {{2000, 2, 4, 20, 40, 22}, {16, 14, kAny, kAny}},
      {{2000, 2, 4, 20, 40, 23}, {17, 15, kAny, kAny}},
      {{1984, 2, 4, 23, 18, 45}, {60, 2, 6, 1}},
      {{1984, 2, 4, 23, 18, 46}, {1, 3, 6, 1}},
      {{2000, 1, 6, 9, 0, 40}, {kAny, 13, kAny, kAny}},
      {{2000, 1, 6, 9, 0, 41}, {kAny, 14, kAny, kAny}},
      {{2000, 1, 5, 22, 59, 59}, {kAny, kAny, 59, 48}},
      {{2000, 1, 5, 23, 0, 0}, {kAny, kAny, 60, 49}},
      {{2048, 12, 31, 23, 30, 0}, {5, 1, 13, 25}},
      {{2048, 12, 31, 23, 59, 59}, {5, 1, 13, 25}},
      {{2049, 1, 1, 0, 0, 0}, {0, 0, 0, 0}},
      {{1901, 1, 1, 0, 0, 0}, {0, 0, 0, 0}},
      {{9999, 12, 31, 0, 0, 0}, {0, 0, 0, 0}},
  };
  for (const auto& c : kCases) {
    const auto& f = c.fields;
    SCOPED_TRACE(testing::Message() << f[0] << "-" << f[1] << "-" << f[2] << " " << f[3] << ":"
                                    << f[4] << ":" << f[5]);
    const Result r = PillarsOf(Moment(f[0], f[1], f[2], f[3], f[4], f[5]));
    ASSERT_TRUE(r.ok);
    for (std::size_t i = 0; i < 4; ++i) {
      if (c.pillars[i] != kAny) {
        EXPECT_EQ(r.pillars[i], c.pillars[i]) << "pillar " << i;
      }
    }
  }
}

TEST(FourPillars, RoundsToTheSecondBeforeTakingTheDay) {
  // 22:59:59.6 rounds to 23:00:00 and so takes the next day's pillar; 22:59:59.4 does not.
  const double late = Moment(2000, 1, 5, 22, 59, 59);
  EXPECT_EQ(PillarsOf(late + 0.6 * kSecond).pillars, (std::array<int32_t, 4>{16, 13, 60, 49}));
  EXPECT_EQ(PillarsOf(late + 0.4 * kSecond).pillars, (std::array<int32_t, 4>{16, 13, 59, 48}));
}

TEST(FourPillars, FailsBelow1901AndForValuesWithoutFields) {
  constexpr double kInf = std::numeric_limits<double>::infinity();
  const double kCases[] = {Moment(1900, 12, 31, 23, 59, 59), 0.0, kFallbackMoment,
                           kFallbackMoment - 1.0, 2958466.0, std::nan(""), kInf, -kInf,
                           1e300, -1e300, std::numeric_limits<double>::denorm_min()};
  for (const double value : kCases) {
    const Result r = PillarsOf(value);
    EXPECT_FALSE(r.ok) << value;
    EXPECT_EQ(r.pillars, (std::array<int32_t, 4>{-7, -7, -7, -7})) << "written for " << value;
  }
}

TEST(FourPillars, WritesOnlyTheOutputsAskedFor) {
  const double value = Moment(1984, 2, 4, 23, 18, 46);
  const Result all = PillarsOf(value);
  for (std::size_t wanted = 0; wanted < 4; ++wanted) {
    int32_t out = -7;
    std::array<int32_t*, 4> slots{};
    slots[wanted] = &out;
    EXPECT_TRUE(FourPillars(value, slots[0], slots[1], slots[2], slots[3]));
    EXPECT_EQ(out, all.pillars[wanted]);
  }
  EXPECT_TRUE(FourPillars(value, nullptr, nullptr, nullptr, nullptr));
}

TEST(FourPillars, MonthTurnsAtOddTermsAndYearAtStartOfSpring) {
  for (const uint16_t year : {1902, 1984, 2000, 2023, 2048}) {
    for (uint16_t term = 1; term <= 24; ++term) {
      SCOPED_TRACE(testing::Message() << year << " term " << term);
      const double at = SolarTermMoment(year, term);
      const Result before = PillarsOf(at - kSecond);
      const Result after = PillarsOf(at);
      ASSERT_TRUE(before.ok && after.ok);
      const bool opens_month = term % 2 == 1;
      EXPECT_EQ(after.pillars[1], opens_month ? Next(before.pillars[1]) : before.pillars[1]);
      EXPECT_EQ(after.pillars[0], term == 3 ? Next(before.pillars[0]) : before.pillars[0]);
      // 小寒 opens 丑, 立春 寅, ... 大雪 子.
      EXPECT_EQ(SplitSexagenary(after.pillars[1]).branch, ((term - 1) / 2 + 1) % 12 + 1);
    }
  }
}

TEST(FourPillars, DayAndHourCyclesRunOnAcrossTheWholeRange) {
  const GregorianDate first{1901, 2, 19};
  const GregorianDate end{2049, 1, 1};
  int32_t previous_day = 0;
  int32_t previous_hour = 0;
  int32_t days = 0;
  for (GregorianDate date = first; CompareDates(date, end) < 0; StepOneDay(date, true), ++days) {
    const auto at = [&](int32_t h, int32_t mi, int32_t s) {
      return PillarsOf(Moment(date.year, date.month, date.day, h, mi, s)).pillars;
    };
    SCOPED_TRACE(testing::Message() << date.year << "-" << date.month << "-" << date.day);
    const int32_t day = at(12, 0, 0)[2];
    if (days > 0) {
      ASSERT_EQ(day, Next(previous_day));
      // Midnight goes on in the 子 period that began at 23:00 the evening before.
      ASSERT_EQ(at(0, 0, 0)[3], previous_hour);
    }
    ASSERT_EQ(at(22, 59, 59)[2], day);
    ASSERT_EQ(at(23, 0, 0)[2], Next(day));
    // Each odd hour opens the next two-hour period: 01:00 丑, 03:00 寅, ... 23:00 子.
    for (int32_t h = 1; h <= 23; h += 2) {
      const int32_t hour = at(h, 0, 0)[3];
      if (days > 0 || h > 1) {
        ASSERT_EQ(hour, Next(previous_hour)) << h << ":00";
      }
      previous_hour = hour;
    }
    previous_day = day;
  }
  EXPECT_EQ(days, DaysBetween(end, first));
}

}  // namespace
}  // namespace lunacal
