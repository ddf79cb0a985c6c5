// SPDX-License-Identifier: MIT
#include "lunacal/pillars.h"

#include <cstdint>

#include "lunacal/calendar.h"
#include "lunacal/date_value.h"
#include "lunacal/solar_terms.h"
#include "lunacal/vocabulary.h"

namespace lunacal {
namespace {

constexpr int32_t kCycle = 60;
constexpr auto kStems = static_cast<int32_t>(vocabulary::kStems.size());
constexpr auto kBranches = static_cast<int32_t>(vocabulary::kBranches.size());
// Moments before 1901 have no pillars.
constexpr int32_t kFirstYear = 1901;
// The reference point of the day cycle: 1901-01-01 is 己卯 (16).
constexpr GregorianDate kFirstDay{1901, 1, 1};
constexpr int32_t kFirstDayIndex = 16;
// The pillars cover the lunar calendar's range, 1901-02-19 00:00:00 .. 2048-12-31 23:59:59.
constexpr GregorianDate kFirstPillarDay{1901, 2, 19};
constexpr int32_t kEndYear = 2049;
// 寅 is the branch of the first month of spring and the one the month stems count from.
constexpr int32_t kYinBranch = 3;
// The hour at which the day pillar changes and the 子 hour begins.
constexpr int32_t kZiHour = 23;

struct Pillars {
  int32_t year = 0;
  int32_t month = 0;
  int32_t day = 0;
  int32_t hour = 0;
};

constexpr bool IsStem(int32_t stem) { return stem >= 1 && stem <= kStems; }
constexpr bool IsBranch(int32_t branch) { return branch >= 1 && branch <= kBranches; }

// The date of fields that SplitDate filled (year 100..9999, month 1..12, day 1..31).
GregorianDate DateOf(const DateFields& fields) {
  return {static_cast<uint16_t>(fields.year), static_cast<uint16_t>(fields.month),
          static_cast<uint16_t>(fields.day)};
}

// The table term in force at the moment of `fields` (whose date lies in the pillars' range).
int32_t TermInForce(const DateFields& fields) {
  return SolarTermInForce(static_cast<uint16_t>(fields.year), static_cast<uint16_t>(fields.month),
                          static_cast<uint16_t>(fields.day),
                          fields.hour * 3600 + fields.minute * 60 + fields.second);  // [0, 24]
}

Pillars PillarsOf(const DateFields& fields) {
  Pillars p;
  p.year = vocabulary::PairOfYear(fields.year);  // [1, 60]; 1901 is 辛丑 (38)

  const int32_t term = TermInForce(fields);  // [0, 24]
  // Before 立春 (table term 3) the moment still belongs to the previous year.
  if (term < 3) {
    p.year = p.year == 1 ? kCycle : p.year - 1;
  }

  // Every odd term opens a month: 小寒 丑, 立春 寅, ... 立冬 亥, 大雪 子; before 小寒 the 子 month of
  // the previous 大雪 goes on.
  int32_t month_branch = ((term == 0 ? 24 : term) - 1) / 2 + 2;  // [2, 13]
  if (month_branch > kBranches) month_branch -= kBranches;        // [1, 12]
  p.month = SexagenaryFromStemBranch(MonthStem(SplitSexagenary(p.year).stem, month_branch),
                                     month_branch);

  p.day = DaysBetween(DateOf(fields), kFirstDay) % kCycle + kFirstDayIndex;  // [16, 75]
  if (p.day > kCycle) p.day -= kCycle;                             // [1, 60]
  // From 23:00 the moment belongs to the next day's pillar.
  if (fields.hour == kZiHour) {
    p.day = p.day == kCycle ? 1 : p.day + 1;
  }

  // 子 runs 23:00..00:59, then every branch two hours: 1-2 h 丑, 3-4 h 寅, ... 21-22 h 亥.
  const int32_t hour_branch =
      fields.hour == kZiHour || fields.hour == 0 ? 1 : (fields.hour - 1) / 2 + 2;  // [1, 12]
  p.hour = SexagenaryFromStemBranch(HourStem(SplitSexagenary(p.day).stem, hour_branch),
                                    hour_branch);
  return p;
}

bool InPillarRange(const DateFields& fields) {
  if (fields.month < 1 || fields.month > 12 || fields.year >= kEndYear) {
    return false;
  }
  return CompareDates(DateOf(fields), kFirstPillarDay) >= 0;
}

}  // namespace

StemBranch SplitSexagenary(int32_t index) {
  // 0 is no pillar and has neither stem nor branch; the same holds for anything outside the cycle.
  return {vocabulary::StemOf(index), vocabulary::BranchOf(index)};
}

int32_t SexagenaryFromStemBranch(int32_t stem, int32_t branch) {
  return vocabulary::PairOf(stem, branch);
}

int32_t MonthStem(int32_t year_stem, int32_t month_branch) {
  if (!IsStem(year_stem) || !IsBranch(month_branch)) {
    return 0;
  }
  // Years five stems apart share their month stems; the 寅 month of 甲 and 己 is 丙 (3).
  const int32_t yin_stem = (year_stem - 1) % 5 * 2 + 3;                     // [3, 11]
  const int32_t months_after_yin = (month_branch - kYinBranch + kBranches) % kBranches;  // [0, 11]
  return (yin_stem - 1 + months_after_yin) % kStems + 1;                     // [1, 10]
}

int32_t HourStem(int32_t day_stem, int32_t hour_branch) {
  if (!IsStem(day_stem) || !IsBranch(hour_branch)) {
    return 0;
  }
  // Days five stems apart share their hour stems; the 子 hour of 甲 and 己 is 甲 (1).
  const int32_t zi_stem = (day_stem - 1) % 5 * 2 + 1;     // [1, 9]
  return (zi_stem - 1 + hour_branch - 1) % kStems + 1;    // [1, 10]
}

bool FourPillars(double value, int32_t* year, int32_t* month, int32_t* day, int32_t* hour) {
  try {
    const DateFields fields = SplitDate(value);
    // A value without fields splits to year -1 and so fails here too.
    if (fields.year < kFirstYear) {
      return false;
    }
    const Pillars p = InPillarRange(fields) ? PillarsOf(fields) : Pillars{};
    if (year != nullptr) *year = p.year;
    if (month != nullptr) *month = p.month;
    if (day != nullptr) *day = p.day;
    if (hour != nullptr) *hour = p.hour;
    return true;
  } catch (...) {
    return false;
  }
}

}  // namespace lunacal
