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

// Stem (n - 1) mod 10 + 1 and branch (n - 1) mod 12 + 1 of index n.
StemBranch SplitSexagenary(int32_t index);
// The index 1..60 with this stem and branch, or 0 when none has (unlike parity, a 0 stem).
int32_t SexagenaryFromStemBranch(int32_t stem, int32_t branch);
// Stem of the month with branch `month_branch` in a year of stem `year_stem`; 0 for a stem outside 1..10.
int32_t MonthStem(int32_t year_stem, int32_t month_branch);
// Stem of the hour with branch `hour_branch` on a day of stem `day_stem`; 0 for a stem outside 1..10.
int32_t HourStem(int32_t day_stem, int32_t hour_branch);

// The pillars of a moment; only the non-null outputs are written. False, nothing written, when the
// moment has no calendar fields or its year is below 1901; four zeroes with true for a moment of
// 1901 or later outside 1901-02-19 00:00:00 .. 2048-12-31 23:59:59. Never throws.
bool FourPillars(double value, int32_t* year, int32_t* month, int32_t* day, int32_t* hour);

}  // namespace lunacal
