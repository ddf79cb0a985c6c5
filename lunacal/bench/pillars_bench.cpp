// Time per FourPillars call: one moment per hour through the year 2000, and the whole range at a
// coarser step; SplitDate over the same moments is the baseline the ratios are taken against.

#include <benchmark/benchmark.h>

#include <cstdint>
#include <vector>

#include "lunacal/date_value.h"
#include "lunacal/pillars.h"

namespace {

constexpr double kHour = 1.0 / 24.0;
// 1 day 1 h 37 min: coarse enough to keep a pass short, and not a whole number of hours, so the
// moments visit every time of day and every term day of the range.
constexpr double kCoarseStep = 1.0 + 97.0 / 1440.0;

std::vector<double> Moments(int32_t first_year, int32_t end_year, double step) {
  double first = 0.0;
  double end = 0.0;
  lunacal::MakeDate(first_year, first_year == 1901 ? 2 : 1, first_year == 1901 ? 19 : 1, 0, 0, 0,
                    first);
  lunacal::MakeDate(end_year, 1, 1, 0, 0, 0, end);
  std::vector<double> moments;
  for (double value = first; value < end; value += step) moments.push_back(value);
  return moments;
}

const std::vector<double>& HourlyYear() {
  static const std::vector<double> moments = Moments(2000, 2001, kHour);
  return moments;
}

const std::vector<double>& WholeRange() {
  static const std::vector<double> moments = Moments(1901, 2049, kCoarseStep);
  return moments;
}

void SetPerCall(benchmark::State& state, std::size_t calls) {
  state.SetItemsProcessed(static_cast<int64_t>(state.iterations() * calls));
  // Seconds per call, printed with an SI prefix (n for nanoseconds).
  state.counters["per_call"] = benchmark::Counter(
      static_cast<double>(calls),
      benchmark::Counter::kIsIterationInvariantRate | benchmark::Counter::kInvert);
}

void SplitDateBaseline(benchmark::State& state, const std::vector<double>& moments) {
  for (auto _ : state) {
    for (const double value : moments) benchmark::DoNotOptimize(lunacal::SplitDate(value));
  }
  SetPerCall(state, moments.size());
}

void FourPillarsOver(benchmark::State& state, const std::vector<double>& moments) {
  for (auto _ : state) {
    for (const double value : moments) {
      int32_t year = 0;
      int32_t month = 0;
      int32_t day = 0;
      int32_t hour = 0;
      benchmark::DoNotOptimize(lunacal::FourPillars(value, &year, &month, &day, &hour));
      benchmark::DoNotOptimize(year + month + day + hour);
    }
  }
  SetPerCall(state, moments.size());
}

void BM_SplitDate_HourlyYear(benchmark::State& state) { SplitDateBaseline(state, HourlyYear()); }
void BM_FourPillars_HourlyYear(benchmark::State& state) { FourPillarsOver(state, HourlyYear()); }
void BM_SplitDate_WholeRange(benchmark::State& state) { SplitDateBaseline(state, WholeRange()); }
void BM_FourPillars_WholeRange(benchmark::State& state) { FourPillarsOver(state, WholeRange()); }

BENCHMARK(BM_SplitDate_HourlyYear);
BENCHMARK(BM_FourPillars_HourlyYear);
BENCHMARK(BM_SplitDate_WholeRange);
BENCHMARK(BM_FourPillars_WholeRange);

}  // namespace
