// SPDX-License-Identifier: MIT
// The window's two pieces of work timed by one program that is built twice, natively (beside
// liblunacal) and for the browser (beside lunacal.wasm), so the web bench compares them in one run:
// the search for 王, two characters, a boy, and the birth chart of 2000-01-01 12:00 through the
// bound calendar. Prints one line: "search_ns=<n> chart_ns=<n>", each the best of five rounds
// after a warm-up.
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <memory>
#include <string>
#include <vector>

#include "chart/birth_chart.h"
#include "chart/calendar.h"
#include "naming/name_search.h"

namespace {

// Keeps the entries as the window's list would.
class VectorNameList final : public naming::NameList {
 public:
  void Clear() override { entries_.clear(); }
  void AddEntry(std::u16string_view entry) override { entries_.emplace_back(entry); }

 private:
  std::vector<std::u16string> entries_;
};

// Nanoseconds per call of `work`, the best of five rounds of `runs` calls; `sink` keeps the results
// alive so nothing is optimised away. A browser first runs WebAssembly through a quick baseline
// compiler and swaps in optimised code only once a function has run hot, so the rounds start after
// a third of a second of untimed calls, in both builds alike.
template <typename Work>
double BestNanoseconds(int runs, Work work, long long& sink) {
  const auto warm_until = std::chrono::steady_clock::now() + std::chrono::milliseconds(300);
  while (std::chrono::steady_clock::now() < warm_until) {
    for (int i = 0; i < runs / 10 + 1; ++i) sink += work();
  }
  double best = 1e300;
  for (int round = 0; round < 5; ++round) {
    const auto start = std::chrono::steady_clock::now();
    for (int i = 0; i < runs; ++i) sink += work();
    const std::chrono::duration<double, std::nano> spent = std::chrono::steady_clock::now() - start;
    best = std::min(best, spent.count() / runs);
  }
  return best;
}

}  // namespace

int main() {
  const std::unique_ptr<chart::Calendar> calendar = chart::MakeLunacalCalendar();
  // Binding the calendar is the first call's work, not the chart's.
  if (!calendar->Reachable()) {
    std::printf("calendar unreachable\n");
    return 1;
  }
  VectorNameList list;
  const chart::BirthInput birth{u"2000", u"1", u"1", u"12", u"0"};
  long long sink = 0;
  const double search = BestNanoseconds(200, [&] {
    return static_cast<long long>(naming::GenerateNames(list, u"王", naming::NameLength::Two, naming::Sex::Boy));
  }, sink);
  const double chart = BestNanoseconds(2000, [&] {
    return static_cast<long long>(chart::BuildBaZiReport(*calendar, birth).text.value_or(u"").size());
  }, sink);
  std::printf("search_ns=%.0f chart_ns=%.0f sink=%lld\n", search, chart, sink);
  return 0;
}
