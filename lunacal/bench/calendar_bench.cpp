// SPDX-License-Identifier: MIT
// The two conversion groups of exports, each measured four ways in one run (bench_support.h): the
// lunar date of a Gregorian day, four exports, over every day 1901-02-19 .. 2048-12-31 at noon;
// and the Gregorian date of a lunar date, three exports, over 8,880 lunar dates.

#include <benchmark/benchmark.h>

#include <cstdint>
#include <vector>

#include "lunacal/bench/bench_support.h"
#include "lunacal/calendar.h"
#include "lunacal/tests/literal_calendar.h"

namespace lunacal {
namespace {

// DATE values of 1901-02-19 and 2048-12-31, the first and last days both conversions accept.
constexpr int32_t kFirstDay = 416;
constexpr int32_t kLastDay = 54423;

template <typename Convert>
void LunarDatePass(Convert convert, int calls) {
  for (int32_t value = kFirstDay; value <= kLastDay; ++value) {
    for (int call = 0; call < calls; ++call) {
      int32_t year = 0, month = 0, day = 0;
      bool leap = false;
      benchmark::DoNotOptimize(convert(value + 0.5, year, month, day, leap));
      benchmark::DoNotOptimize(year + month + day + leap);
    }
  }
}

const bool kLunarDate = bench::Register({
    "LunarDate", 4, kLastDay - kFirstDay + 1,
    [](int calls) { LunarDatePass(literal::ToLunarDate, calls); },
    [](int calls) { LunarDatePass(ToLunarDate, calls); },
    [](const LunacalExports& lib) {
      for (int32_t value = kFirstDay; value <= kLastDay; ++value) {
        const double moment = value + 0.5;
        benchmark::DoNotOptimize(lib.GetGLToRLNian(moment) + lib.GetGLToRLMonth(moment) +
                                 lib.GetGLToRLDay(moment) + lib.GetGLToRLRun(moment));
      }
    }});

// Every lunar year 1901..2048, every month, days 1, 8, 15, 22 and 29, the leap month asked for
// where the year has one: 8,880 dates, the last few of 2048 beyond the range and so refused.
struct LunarInput {
  int32_t year, month, day, leap;
};

const std::vector<LunarInput>& LunarDates() {
  static const std::vector<LunarInput> dates = [] {
    std::vector<LunarInput> all;
    for (int32_t year = 1901; year <= 2048; ++year) {
      for (int32_t month = 1; month <= 12; ++month) {
        const int32_t leap = LeapMonthOf(static_cast<uint16_t>(year)) == month ? 1 : 0;
        for (const int32_t day : {1, 8, 15, 22, 29}) all.push_back({year, month, day, leap});
      }
    }
    return all;
  }();
  return dates;
}

template <typename Convert>
void GregorianDatePass(Convert convert, int calls) {
  for (const LunarInput& lunar : LunarDates()) {
    for (int call = 0; call < calls; ++call) {
      double value = 0.0;
      benchmark::DoNotOptimize(convert(lunar.year, lunar.month, lunar.day, lunar.leap == 1, value));
      benchmark::DoNotOptimize(value);
    }
  }
}

const bool kGregorianDate = bench::Register({
    "GregorianDate", 3, LunarDates().size(),
    [](int calls) { GregorianDatePass(literal::FromLunarDate, calls); },
    [](int calls) { GregorianDatePass(FromLunarDate, calls); },
    [](const LunacalExports& lib) {
      for (const LunarInput& d : LunarDates()) {
        benchmark::DoNotOptimize(lib.RLToGL_Year(d.year, d.month, d.day, d.leap) +
                                 lib.RLToGL_Month(d.year, d.month, d.day, d.leap) +
                                 lib.RLToGL_Day(d.year, d.month, d.day, d.leap));
      }
    }});

}  // namespace
}  // namespace lunacal
