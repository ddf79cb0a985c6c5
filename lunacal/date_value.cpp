// SPDX-License-Identifier: MIT
#include "lunacal/date_value.h"

#include <cfloat>
#include <cstdint>

#include "lunacal/lunacal.h"

namespace lunacal {

// The rounding to the second is IEEE double arithmetic. x87 extended precision (32-bit x86 without
// -mfpmath=sse) would keep a moment plus half a second wider than a double, so a tie's second would
// depend on register allocation.
static_assert(FLT_EVAL_METHOD == 0, "build with double arithmetic (on 32-bit x86: -msse2 -mfpmath=sse)");

// The conversions themselves live in lunacal.h, so that every caller of the library converts
// exactly as the library does.
bool RoundToSecond(double value, int32_t& days, int32_t& second_of_day) {
  return lunacal_detail_round_to_second(value, &days, &second_of_day) != 0;
}

DateFields SplitDate(double value) {
  lunacal_civil_time civil;
  lunacal_civil_from_date(value, &civil);
  return {civil.year, civil.month, civil.day, civil.hour, civil.minute, civil.second};
}

int32_t SplitDate(double value, DateField field) {
  const DateFields fields = SplitDate(value);
  switch (field) {
    case DateField::Year:
      return fields.year;
    case DateField::Month:
      return fields.month;
    case DateField::Day:
      return fields.day;
    case DateField::Hour:
      return fields.hour;
    case DateField::Minute:
      return fields.minute;
    case DateField::Second:
      return fields.second;
  }
  return -1;
}

bool MakeDate(int32_t year, int32_t month, int32_t day, int32_t hour, int32_t minute,
              int32_t second, double& value) {
  const lunacal_civil_time civil{year, month, day, hour, minute, second};
  return lunacal_date_from_civil(&civil, &value) != 0;
}

}  // namespace lunacal
