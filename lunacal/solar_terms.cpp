// SPDX-License-Identifier: MIT
#include "lunacal/solar_terms.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>

#include "lunacal/date_value.h"
#include "lunacal/solar_term_table.h"
#include "lunacal/vocabulary.h"

namespace lunacal {
namespace {

constexpr std::size_t kRecordSize = 5;
constexpr uint16_t kTermsPerYear = 24;
constexpr std::size_t kYears = kLastSolarTermYear - kFirstSolarTermYear + 1;
static_assert(kYears * kTermsPerYear * kRecordSize == std::tuple_size_v<decltype(SolarTermTable)>,
              "the table holds 24 records for every year it covers");

// Byte offset of the record of a covered year and a table term 1..24.
constexpr std::size_t RecordOffset(uint16_t year, uint16_t term) {
  const std::size_t year_index = static_cast<std::size_t>(year - kFirstSolarTermYear);  // [0, 199]
  const std::size_t term_index = static_cast<std::size_t>(term - 1);                     // [0, 23]
  return (year_index * kTermsPerYear + term_index) * kRecordSize;                        // [0, 23995]
}

constexpr bool IsCoveredYear(int32_t year) {
  return year >= kFirstSolarTermYear && year <= kLastSolarTermYear;
}

// A moment within a year ordered as one number: month, day, then the second of the day. Wide
// enough for any 16-bit month and day, so no input overflows it.
constexpr uint64_t MomentKey(uint64_t month, uint64_t day, uint64_t second_of_day) {
  return (month * 32 + day) * 86400 + second_of_day;
}

uint64_t RecordKey(uint16_t year, uint16_t term) {
  const std::size_t at = RecordOffset(year, term);
  return MomentKey(SolarTermTable[at], SolarTermTable[at + 1],
                   SolarTermTable[at + 2] * 3600U + SolarTermTable[at + 3] * 60U +
                       SolarTermTable[at + 4]);
}

}  // namespace

uint16_t SolarTermInForce(uint16_t year, uint16_t month, uint16_t day, int32_t second_of_day) {
  if (!IsCoveredYear(year)) {
    return 0;
  }
  const uint64_t moment =
      MomentKey(month, day, static_cast<uint64_t>(std::clamp(second_of_day, 0, 86399)));
  // Terms 2m - 1 and 2m fall in month m, so the count of terms begun starts as that of the months
  // before and moves to the right count in either direction; the records are in order, so the
  // walks stop at it whatever the table holds.
  uint16_t passed = month == 0 ? 0 : std::min<uint16_t>(kTermsPerYear, 2 * (month - 1));
  while (passed > 0 && RecordKey(year, passed) > moment) {
    --passed;
  }
  while (passed < kTermsPerYear && RecordKey(year, static_cast<uint16_t>(passed + 1)) <= moment) {
    ++passed;
  }
  return passed;  // [0, 24]
}

double SolarTermMoment(uint16_t year, uint16_t term) {
  if (!IsCoveredYear(year) || term == 0 || term > kTermsPerYear) {
    return kFallbackMoment;
  }
  const std::size_t at = RecordOffset(year, term);
  double value = kFallbackMoment;
  // Every record is a valid moment of its own year (the tests check all 4800), so this succeeds.
  MakeDate(year, SolarTermTable[at], SolarTermTable[at + 1], SolarTermTable[at + 2],
           SolarTermTable[at + 3], SolarTermTable[at + 4], value);
  return value;
}

uint16_t SolarTermOfDay(uint16_t year, uint16_t month, uint16_t day) {
  if (!IsCoveredYear(year)) {
    return 0;
  }
  for (uint16_t term = 1; term <= kTermsPerYear; ++term) {
    const std::size_t at = RecordOffset(year, term);
    const uint8_t record_month = SolarTermTable[at];
    if (record_month == month && SolarTermTable[at + 1] == day) {
      return term;
    }
    // Records run in date order, so no later record can fall on an earlier month.
    if (month < record_month) {
      break;
    }
  }
  return 0;
}

double SolarTermTime(int32_t year, int32_t exported_term) {
  // Both checks come before narrowing, so that 67416 cannot wrap round to 1880.
  if (!IsCoveredYear(year) || exported_term < 1 || exported_term > kTermsPerYear) {
    return kFallbackMoment;
  }
  const int32_t term = vocabulary::TableTermOfExported(exported_term);  // [1, 24]
  return SolarTermMoment(static_cast<uint16_t>(year), static_cast<uint16_t>(term));
}

}  // namespace lunacal
