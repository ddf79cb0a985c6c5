// SPDX-License-Identifier: MIT
#pragma once
// The four sexagenary pillars of a moment. An index is 1..60 (1 甲子 .. 60 癸亥), 0 for no pillar;
// stems are numbered 1..10 (甲..癸) and branches 1..12 (子..亥).

#include <cstdint>

namespace lunacal {

struct StemBranch {
  int32_t stem = 0;
  int32_t branch = 0;
  friend bool operator==(const StemBranch&, const StemBranch&) = default;
};

// Stem (n - 1) mod 10 + 1 and branch (n - 1) mod 12 + 1 of index n; both 0 for an index outside
// 1..60 (0 is no pillar). Example: 38 is 辛丑, stem 8 and branch 2.
StemBranch SplitSexagenary(int32_t index);
// The index 1..60 with this stem and branch, or 0 when none has (unlike parity, a 0 stem).
int32_t SexagenaryFromStemBranch(int32_t stem, int32_t branch);
// Stem of the month with branch `month_branch` in a year of stem `year_stem`; 0 for a stem outside
// 1..10 or a branch outside 1..12. Example: the 寅 month of a 甲 year is 丙, MonthStem(1, 3) == 3.
int32_t MonthStem(int32_t year_stem, int32_t month_branch);
// Stem of the hour with branch `hour_branch` on a day of stem `day_stem`; 0 for a stem outside
// 1..10 or a branch outside 1..12. Example: the 子 hour of a 乙 day is 丙, HourStem(2, 1) == 3.
int32_t HourStem(int32_t day_stem, int32_t hour_branch);

// The pillars of a moment; only the non-null outputs are written. False, nothing written, when the
// moment has no calendar fields or its year is below 1901; four zeroes with true for a moment of
// 1901 or later outside 1901-02-19 00:00:00 .. 2048-12-31 23:59:59. The year turns at 立春, the
// month at every odd table term, the day at 23:00, the hour every two hours from 23:00.
// Example: 2000-01-01 12:00:00 gives 16 己卯, 13 丙子, 55 戊午, 55 戊午. Never throws.
bool FourPillars(double value, int32_t* year, int32_t* month, int32_t* day, int32_t* hour);

}  // namespace lunacal
