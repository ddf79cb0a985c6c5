// SPDX-License-Identifier: MIT
// The library keeps no state: threads calling every export at once over the same inputs get
// exactly what one thread gets.

#include <gtest/gtest.h>

#include <cstring>
#include <thread>
#include <vector>

#include "lunacal/tests/exports_library.h"

namespace {

std::vector<int32_t> AllResults(const LunacalExports& lib) {
  std::vector<int32_t> results;
  for (double moment = Moment(1901, 2, 1); moment < Moment(2049, 2, 1); moment += 97.31) {
    for (const auto call : {lib.GetGLToRLNian, lib.GetGLToRLMonth, lib.GetGLToRLDay, lib.GetGLToRLRun,
                            lib.GetSiZhuXHYear, lib.GetSiZhuXHMonth, lib.GetSiZhuXHDay,
                            lib.GetSiZhuXHTime}) {
      results.push_back(call(moment));
    }
  }
  for (int32_t year = 1870; year <= 2090; year += 7) {
    for (int32_t term = 0; term <= 25; ++term) {
      for (const auto call : {lib.GetJieQiTime_Day, lib.GetJieQiTime_Hour, lib.GetJieQiTime_Minute,
                              lib.GetJieQiTime_Second}) {
        results.push_back(call(year, term));
      }
    }
  }
  for (int32_t year = 1899; year <= 2050; year += 11) {
    for (int32_t month = 0; month <= 13; month += 3) {
      for (const auto call : {lib.RLToGL_Year, lib.RLToGL_Month, lib.RLToGL_Day}) {
        results.push_back(call(year, month, 15, month % 2));
      }
    }
  }
  for (const auto call : {lib.SysDiskID, lib.SysCPUID, lib.SysBIOSID}) {
    char text[256] = {};
    results.push_back(call(text, sizeof text - 1));
    for (const char c : text) results.push_back(c);
  }
  return results;
}

TEST(ExportsConcurrency, fourThreads_getWhatOneThreadGets) {
  const LunacalExports* lib = Lunacal();
  ASSERT_NE(lib, nullptr);
  const std::vector<int32_t> expected = AllResults(*lib);
  constexpr int kThreads = 4;
  constexpr int kRounds = 5;
  std::vector<int> mismatches(kThreads, 0);
  std::vector<std::thread> threads;
  for (int t = 0; t < kThreads; ++t) {
    threads.emplace_back([&, t] {
      for (int round = 0; round < kRounds; ++round) {
        if (AllResults(*lib) != expected) ++mismatches[t];
      }
    });
  }
  for (std::thread& thread : threads) thread.join();
  for (int t = 0; t < kThreads; ++t) EXPECT_EQ(mismatches[t], 0) << "thread " << t;
}

}  // namespace
