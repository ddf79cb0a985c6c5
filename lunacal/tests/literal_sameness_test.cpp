// SPDX-License-Identifier: MIT
// The engine's conversions and pillars against their step-by-step forms (literal_calendar.h),
// input by input, results and failures alike: every lunar date of the years 1895..2055 with months
// -1..14, days -1..32 and both leap flags plus the 16-bit extremes; every day of the range and a
// margin at three times of day; every minute within two days of each solar term of 1901..2048 and
// a million random seconds. Under the sanitizers the minutes around the terms are taken at a
// stride, so the run stays within a minute there.

#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <limits>
#include <random>
#include <vector>

#include "lunacal/calendar.h"
#include "lunacal/date_value.h"
#include "lunacal/pillars.h"
#include "lunacal/solar_terms.h"
#include "lunacal/tests/literal_calendar.h"

#if defined(__SANITIZE_ADDRESS__)
#define LUNACAL_SANITIZED 1
#elif defined(__has_feature)
#if __has_feature(address_sanitizer) || __has_feature(undefined_behavior_sanitizer)
#define LUNACAL_SANITIZED 1
#endif
#endif
#ifndef LUNACAL_SANITIZED
#define LUNACAL_SANITIZED 0
#endif

namespace lunacal {
namespace {

constexpr int kMaxReported = 10;
constexpr int32_t kInt32Min = std::numeric_limits<int32_t>::min();
constexpr int32_t kInt32Max = std::numeric_limits<int32_t>::max();
// DATE day counts of 1901-02-19 and 2048-12-31, the first and last days converted.
constexpr int32_t kFirstDay = 416;
constexpr int32_t kLastDay = 54423;
// Seven minutes is prime to the hour and the day, so the sample still meets every minute of the
// hour and every hour of the day across the terms.
constexpr int64_t kMinuteStride = LUNACAL_SANITIZED ? 7 : 1;

// Counts the inputs on which the engine and the literal form part, reporting the first few.
class Mismatches {
 public:
  template <typename Describe>
  void Check(bool same, Describe describe) {
    if (same) return;
    if (++count_ <= kMaxReported) ADD_FAILURE() << describe();
  }
  int count() const { return count_; }

 private:
  int count_ = 0;
};

struct LunarResult {
  bool ok = false;
  int32_t year = -7, month = -7, day = -7;
  bool leap = true;
  friend bool operator==(const LunarResult&, const LunarResult&) = default;
};

template <typename Convert>
LunarResult LunarOf(Convert convert, double value) {
  LunarResult r;
  r.ok = convert(value, r.year, r.month, r.day, r.leap);
  return r;
}

struct GregorianResult {
  bool ok = false;
  double value = -12.5;
  friend bool operator==(const GregorianResult&, const GregorianResult&) = default;
};

template <typename Convert>
GregorianResult GregorianOf(Convert convert, int32_t year, int32_t month, int32_t day, bool leap) {
  GregorianResult r;
  r.ok = convert(year, month, day, leap, r.value);
  return r;
}

struct PillarResult {
  bool ok = false;
  int32_t year = -7, month = -7, day = -7, hour = -7;
  friend bool operator==(const PillarResult&, const PillarResult&) = default;
};

template <typename Pillars>
PillarResult PillarsOf(Pillars pillars, double value) {
  PillarResult r;
  r.ok = pillars(value, &r.year, &r.month, &r.day, &r.hour);
  return r;
}

// Both sides must also agree where the answer is a failure, so the loops reach well past the
// table on every side.
TEST(LiteralSameness, FromLunarDateForEveryDateOfTheYearsAround) {
  Mismatches mismatches;
  int successes = 0;
  for (int32_t year = 1895; year <= 2055; ++year) {
    for (int32_t month = -1; month <= 14; ++month) {
      for (int32_t day = -1; day <= 32; ++day) {
        for (const bool leap : {false, true}) {
          const GregorianResult engine = GregorianOf(FromLunarDate, year, month, day, leap);
          successes += engine.ok ? 1 : 0;
          mismatches.Check(engine == GregorianOf(literal::FromLunarDate, year, month, day, leap),
                           [&] {
                             return testing::Message() << year << '-' << month << '-' << day
                                                       << (leap ? " leap" : "") << " gives "
                                                       << engine.ok << ' ' << engine.value;
                           });
        }
      }
    }
  }
  EXPECT_EQ(mismatches.count(), 0);
  // Every lunar day of 1901-1-1 .. 2048-11-27 once with each flag where the month repeats none:
  // the loops really reached the successful searches.
  EXPECT_GT(successes, 100000);
}

TEST(LiteralSameness, FromLunarDateAndTheSearchAtSixteenBitExtremes) {
  const int32_t fields[] = {kInt32Min, -65536, -1, 0, 1, 12, 30, 2020, 32767, 32768, 65534,
                            65535, 65536, 67437, kInt32Max};
  Mismatches mismatches;
  for (const int32_t year : fields) {
    for (const int32_t month : fields) {
      for (const int32_t day : fields) {
        for (const bool leap : {false, true}) {
          mismatches.Check(GregorianOf(FromLunarDate, year, month, day, leap) ==
                               GregorianOf(literal::FromLunarDate, year, month, day, leap),
                           [&] { return testing::Message() << year << '-' << month << '-' << day; });
          // The search itself sees the low 16 bits.
          const LunarDate lunar{static_cast<uint16_t>(year), static_cast<uint16_t>(month),
                                static_cast<uint16_t>(day), leap};
          GregorianDate engine{7, 7, 7};
          GregorianDate reference{7, 7, 7};
          const bool engine_ok = LunarToGregorian(lunar, engine);
          mismatches.Check(engine_ok == literal::LunarToGregorian(lunar, reference) &&
                               engine == reference,
                           [&] {
                             return testing::Message() << "search " << lunar.year << '-'
                                                       << lunar.month << '-' << lunar.day;
                           });
        }
      }
    }
  }
  EXPECT_EQ(mismatches.count(), 0);
}

TEST(LiteralSameness, ToLunarDateForEveryDayAndMarginAtThreeTimes) {
  constexpr int32_t kMargin = 800;
  constexpr double kSecond = 1.0 / 86400.0;
  // 00:00:00, 23:59:59 and 23:59:59.6, which rounds into the next day.
  const double times[] = {0.0, 86399.0 * kSecond, 86399.6 * kSecond};
  Mismatches mismatches;
  for (int32_t days = kFirstDay - kMargin; days <= kLastDay + kMargin; ++days) {
    for (const double time : times) {
      const double value = days + time;
      mismatches.Check(LunarOf(ToLunarDate, value) == LunarOf(literal::ToLunarDate, value),
                       [&] { return testing::Message() << "DATE " << value; });
    }
  }
  constexpr double kInf = std::numeric_limits<double>::infinity();
  const double odd_values[] = {std::nan(""), kInf, -kInf, 0.0, -0.0, -1.25, kMinDateValue,
                               kMinDateValue - 1e-9, kMaxDateValue, kMaxDateValue + 1e-9,
                               415.999994, 415.999995, 54423.999994, 54423.999995, 1e300,
                               -1e300, std::numeric_limits<double>::denorm_min()};
  for (const double value : odd_values) {
    mismatches.Check(LunarOf(ToLunarDate, value) == LunarOf(literal::ToLunarDate, value),
                     [&] { return testing::Message() << "DATE " << value; });
  }
  EXPECT_EQ(mismatches.count(), 0);
}

// The search converts probe dates with GregorianToLunar, including days that count on past the
// end of their month, so the conversion is held to the literal one on those too.
TEST(LiteralSameness, GregorianToLunarForEveryFieldNearTheRange) {
  Mismatches mismatches;
  for (uint16_t year = 1899; year <= 2050; ++year) {
    for (uint16_t month = 0; month <= 13; ++month) {
      for (const uint16_t day : {0, 1, 2, 15, 18, 19, 28, 29, 30, 31, 32, 60, 400, 65535}) {
        const GregorianDate date{year, month, day};
        LunarDate engine{7, 7, 7, true};
        LunarDate reference{7, 7, 7, true};
        const bool engine_ok = GregorianToLunar(date, engine);
        mismatches.Check(engine_ok == literal::GregorianToLunar(date, reference) &&
                             engine == reference,
                         [&] { return testing::Message() << year << '-' << month << '-' << day; });
      }
    }
  }
  for (int32_t offset = -2; offset <= 54450; ++offset) {
    mismatches.Check(LunarDateFromOffset(offset) == literal::LunarDateFromOffset(offset),
                     [&] { return testing::Message() << "offset " << offset; });
  }
  EXPECT_EQ(mismatches.count(), 0);
}

TEST(LiteralSameness, FourPillarsAroundEverySolarTerm) {
  constexpr int64_t kMinutesPerDay = 1440;
  constexpr double kSecond = 1.0 / 86400.0;
  Mismatches mismatches;
  int64_t moments = 0;
  const auto check = [&](double value) {
    ++moments;
    mismatches.Check(PillarsOf(FourPillars, value) == PillarsOf(literal::FourPillars, value),
                     [&] { return testing::Message() << "DATE " << value; });
  };
  for (uint16_t year = 1901; year <= 2048; ++year) {
    for (uint16_t term = 1; term <= 24; ++term) {
      const double moment = SolarTermMoment(year, term);
      // The term's own second and the seconds either side of it.
      for (const double second : {-1.0, 0.0, 1.0}) check(moment + second * kSecond);
      const int64_t first_minute =
          static_cast<int64_t>(std::floor(moment * kMinutesPerDay)) - 2 * kMinutesPerDay;
      for (int64_t minute = first_minute; minute <= first_minute + 4 * kMinutesPerDay;
           minute += kMinuteStride) {
        check(static_cast<double>(minute) / kMinutesPerDay);
      }
    }
  }
  EXPECT_EQ(mismatches.count(), 0);
  EXPECT_GT(moments, 3552 * 4 * kMinutesPerDay / kMinuteStride);
}

TEST(LiteralSameness, FourPillarsAtAMillionRandomSeconds) {
  // A fixed seed keeps the run repeatable; the seconds span 1900 .. 2050, around the range.
  std::mt19937_64 random(20261208);
  constexpr int64_t kFirstSecond = int64_t{2} * 86400;       // 1900-01-01
  constexpr int64_t kEndSecond = int64_t{55154} * 86400;     // 2051-01-01
  std::uniform_int_distribution<int64_t> seconds(kFirstSecond, kEndSecond);
  // A few moments anywhere in the DATE range, and beyond it, for the refusals.
  std::uniform_real_distribution<double> anywhere(kMinDateValue - 10.0, kMaxDateValue + 10.0);
  Mismatches mismatches;
  for (int i = 0; i < 1000000; ++i) {
    const double value = i % 100 == 0 ? anywhere(random)
                                      : static_cast<double>(seconds(random)) / 86400.0;
    mismatches.Check(PillarsOf(FourPillars, value) == PillarsOf(literal::FourPillars, value),
                     [&] { return testing::Message() << "DATE " << value; });
  }
  EXPECT_EQ(mismatches.count(), 0);
}

}  // namespace
}  // namespace lunacal
