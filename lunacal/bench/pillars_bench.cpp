// SPDX-License-Identifier: MIT
// The pillar exports measured four ways in one run (bench_support.h): four exports a moment, over
// 100,000 random minutes of 1901-02-19 .. 2048-12-31 drawn from a fixed seed.

#include <benchmark/benchmark.h>

#include <cstdint>
#include <random>
#include <vector>

#include "lunacal/bench/bench_support.h"
#include "lunacal/pillars.h"
#include "lunacal/tests/literal_calendar.h"

namespace lunacal {
namespace {

const std::vector<double>& Moments() {
  static const std::vector<double> moments = [] {
    constexpr int64_t kMinutesPerDay = 1440;
    // The minutes of DATE 416 (1901-02-19) up to the last one of 54423 (2048-12-31).
    std::uniform_int_distribution<int64_t> minutes(416 * kMinutesPerDay,
                                                   54424 * kMinutesPerDay - 1);
    std::mt19937_64 random(1901);
    std::vector<double> all(100000);
    for (double& moment : all) {
      moment = static_cast<double>(minutes(random)) / static_cast<double>(kMinutesPerDay);
    }
    return all;
  }();
  return moments;
}

template <typename Pillars>
void PillarsPass(Pillars pillars, int calls) {
  for (const double value : Moments()) {
    for (int call = 0; call < calls; ++call) {
      int32_t year = 0, month = 0, day = 0, hour = 0;
      benchmark::DoNotOptimize(pillars(value, &year, &month, &day, &hour));
      benchmark::DoNotOptimize(year + month + day + hour);
    }
  }
}

const bool kPillars = bench::Register({
    "Pillars", 4, Moments().size(),
    [](int calls) { PillarsPass(literal::FourPillars, calls); },
    [](int calls) { PillarsPass(FourPillars, calls); },
    [](const LunacalExports& lib) {
      for (const double moment : Moments()) {
        benchmark::DoNotOptimize(lib.GetSiZhuXHYear(moment) + lib.GetSiZhuXHMonth(moment) +
                                 lib.GetSiZhuXHDay(moment) + lib.GetSiZhuXHTime(moment));
      }
    }});

}  // namespace
}  // namespace lunacal
