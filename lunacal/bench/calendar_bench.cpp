// Time per call of the two conversion commands over their whole range: ToLunarDate for every day
// 1901-02-19 .. 2048-12-31 and FromLunarDate for every lunar day 1901-1-1 .. 2048-11-27, against
// SplitDate over the same days as the baseline.

#include <benchmark/benchmark.h>

#include <cstdint>
#include <vector>

#include "lunacal/calendar.h"
#include "lunacal/date_value.h"

namespace {

// DATE values of 1901-02-19 and 2048-12-31, the first and last days both conversions accept.
constexpr int32_t kFirstDay = 416;
constexpr int32_t kLastDay = 54423;

std::vector<lunacal::LunarDate> LunarDaysOfTheRange() {
  std::vector<lunacal::LunarDate> days;
  for (int32_t value = kFirstDay; value <= kLastDay; ++value) {
    int32_t year = 0, month = 0, day = 0;
    bool leap = false;
    if (lunacal::ToLunarDate(value, year, month, day, leap)) {
      days.push_back({static_cast<uint16_t>(year), static_cast<uint16_t>(month),
                      static_cast<uint16_t>(day), leap});
    }
  }
  return days;
}

void BM_SplitDate(benchmark::State& state) {
  int64_t calls = 0;
  for (auto _ : state) {
    for (int32_t value = kFirstDay; value <= kLastDay; ++value) {
      benchmark::DoNotOptimize(lunacal::SplitDate(value + 0.5));
    }
    calls += kLastDay - kFirstDay + 1;
  }
  state.SetItemsProcessed(calls);
}
BENCHMARK(BM_SplitDate);

void BM_ToLunarDate(benchmark::State& state) {
  int64_t calls = 0;
  for (auto _ : state) {
    for (int32_t value = kFirstDay; value <= kLastDay; ++value) {
      int32_t year = 0, month = 0, day = 0;
      bool leap = false;
      benchmark::DoNotOptimize(lunacal::ToLunarDate(value + 0.5, year, month, day, leap));
      benchmark::DoNotOptimize(day);
    }
    calls += kLastDay - kFirstDay + 1;
  }
  state.SetItemsProcessed(calls);
}
BENCHMARK(BM_ToLunarDate);

void BM_FromLunarDate(benchmark::State& state) {
  const std::vector<lunacal::LunarDate> days = LunarDaysOfTheRange();
  int64_t calls = 0;
  int64_t failures = 0;
  for (auto _ : state) {
    for (const lunacal::LunarDate& lunar : days) {
      double value = 0.0;
      if (!lunacal::FromLunarDate(lunar.year, lunar.month, lunar.day, lunar.leap, value)) {
        ++failures;
      }
      benchmark::DoNotOptimize(value);
    }
    calls += static_cast<int64_t>(days.size());
  }
  state.SetItemsProcessed(calls);
  state.counters["failures"] = static_cast<double>(failures);
}
BENCHMARK(BM_FromLunarDate)->Unit(benchmark::kMillisecond);

}  // namespace
