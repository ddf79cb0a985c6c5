// SPDX-License-Identifier: MIT
// What the calendar benchmarks share: the cost of one item (a date or a moment) in thread CPU
// time, its ratio to the literal form measured earlier in the same run, and the loaded library.

#pragma once

#include <benchmark/benchmark.h>
#include <time.h>

#include <cstddef>
#include <functional>
#include <map>
#include <string>

#include "lunacal/tests/exports_library.h"

namespace lunacal::bench {

inline double ThreadSeconds() {
  timespec now{};
  clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
  return static_cast<double>(now.tv_sec) + static_cast<double>(now.tv_nsec) * 1e-9;
}

// Seconds per item of every benchmark measured so far, by name.
inline std::map<std::string, double>& Measured() {
  static std::map<std::string, double> measured;
  return measured;
}

// Runs `pass` (one pass over `items` items) as often as the library asks and reports ns_each, the
// CPU time per item, under `name`. With a `baseline` already measured in this run it also reports
// x_literal, how many times less than the baseline's this item costs. Benchmarks run in the order
// they are registered, so each baseline is registered before what is compared with it.
template <typename Pass>
void Measure(benchmark::State& state, const std::string& name, const std::string& baseline,
             std::size_t items, Pass pass) {
  const double start = ThreadSeconds();
  for (auto _ : state) pass();
  const double each = (ThreadSeconds() - start) /
                      (static_cast<double>(state.iterations()) * static_cast<double>(items));
  Measured()[name] = each;
  state.counters["ns_each"] = each * 1e9;
  const auto found = Measured().find(baseline);
  if (!baseline.empty() && found != Measured().end() && each > 0.0) {
    state.counters["x_literal"] = found->second / each;
  }
  state.SetItemsProcessed(static_cast<int64_t>(state.iterations()) * static_cast<int64_t>(items));
}

// The exports, loaded once; null with the benchmark skipped when the library cannot be loaded.
inline const LunacalExports* Exports(benchmark::State& state) {
  static std::string error;
  static const LunacalExports* const exports = LoadLunacal(error);
  if (exports == nullptr) state.SkipWithError(("cannot load lunacal: " + error).c_str());
  return exports;
}

// One group of exports and the engine operation behind them. Each pass goes once over the same
// items; `literal` and `engine` call their operation `calls` times an item.
struct ExportGroup {
  std::string name;
  int exports_per_item = 1;
  std::size_t items = 0;
  std::function<void(int calls)> literal;
  std::function<void(int calls)> engine;
  std::function<void(const LunacalExports&)> exports;
};

// Registers, in this order, BM_<name>_Literal, BM_<name>_Engine (against the literal operation),
// BM_<name>_Literal_x<N>, the literal operation called as often as a caller calls the N exports
// for one item, and BM_<name>_Exports (against that).
inline bool Register(const ExportGroup& group) {
  const std::string prefix = "BM_" + group.name + "_";
  const std::string literal_xn = "Literal_x" + std::to_string(group.exports_per_item);
  benchmark::RegisterBenchmark((prefix + "Literal").c_str(), [group](benchmark::State& state) {
    Measure(state, group.name + " literal", "", group.items, [&] { group.literal(1); });
  });
  benchmark::RegisterBenchmark((prefix + "Engine").c_str(), [group](benchmark::State& state) {
    Measure(state, group.name + " engine", group.name + " literal", group.items,
            [&] { group.engine(1); });
  });
  benchmark::RegisterBenchmark((prefix + literal_xn).c_str(), [group](benchmark::State& state) {
    Measure(state, group.name + " literal xN", "", group.items,
            [&] { group.literal(group.exports_per_item); });
  });
  benchmark::RegisterBenchmark((prefix + "Exports").c_str(), [group](benchmark::State& state) {
    const LunacalExports* lib = Exports(state);
    if (lib == nullptr) return;
    Measure(state, group.name + " exports", group.name + " literal xN", group.items,
            [&] { group.exports(*lib); });
  });
  return true;
}

}  // namespace lunacal::bench
