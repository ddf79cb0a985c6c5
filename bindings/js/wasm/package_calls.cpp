// SPDX-License-Identifier: MIT
// The calls behind the JavaScript package's idiomatic layer, exported from lunacal.wasm only and
// no part of the C library. Each does the work of several exports and packs every field of its
// answer into one integer, so that one conversion crosses from JavaScript into the module once.
// A negative answer is a refusal: kNoSuchDate for fields that name no real date, time or lunar
// date, kOutOfRange for a real one outside the calendar.

#include <cstdint>

#include "lunacal/calendar.h"
#include "lunacal/lunacal.h"
#include "lunacal/pillars.h"
#include "lunacal/solar_terms.h"

namespace {

constexpr int32_t kNoSuchDate = -1;
constexpr int32_t kOutOfRange = -2;

// A lunar date as one ordered number: the leap month sorts right after the month it follows.
constexpr int64_t LunarOrder(int32_t year, int32_t month, bool leap, int32_t day) {
  return ((static_cast<int64_t>(year) * 16 + month) * 2 + (leap ? 1 : 0)) * 32 + day;
}

int64_t LunarOrderOf(double moment) {
  int32_t year = 0, month = 0, day = 0;
  bool leap = false;
  lunacal::ToLunarDate(moment, year, month, day, leap);
  return LunarOrder(year, month, leap, day);
}

// Scratch space for the identification texts, which the package copies out after each call.
char identification_text[256];

}  // namespace

extern "C" {

// Lunar year << 10 | month << 6 | day << 1 | leap, of a Gregorian date.
__attribute__((export_name("lunacal_js_to_lunar"))) int32_t ToLunar(int32_t year, int32_t month, int32_t day) {
  const lunacal_civil_time civil{year, month, day, 0, 0, 0};
  double moment = 0.0;
  if (!lunacal_date_from_civil(&civil, &moment)) return kNoSuchDate;
  int32_t lunar_year = 0, lunar_month = 0, lunar_day = 0;
  bool leap = false;
  if (!lunacal::ToLunarDate(moment, lunar_year, lunar_month, lunar_day, leap)) return kOutOfRange;
  return lunar_year << 10 | lunar_month << 6 | lunar_day << 1 | (leap ? 1 : 0);  // < 2^22
}

// Gregorian year << 9 | month << 5 | day, of a lunar date; `leap` asks for the leap month, which
// the year must have.
__attribute__((export_name("lunacal_js_from_lunar"))) int32_t FromLunar(int32_t year, int32_t month, int32_t day,
                                                                         int32_t leap) {
  if (month < 1 || month > 12 || day < 1 || day > 30) return kNoSuchDate;
  const int64_t asked = LunarOrder(year, month, leap != 0, day);
  if (asked < LunarOrderOf(LUNACAL_FIRST_MOMENT) || asked > LunarOrderOf(LUNACAL_END_MOMENT - 1.0)) {
    return kOutOfRange;
  }
  if (leap != 0 && lunacal::LeapMonthOf(static_cast<uint16_t>(year)) != month) return kNoSuchDate;
  double moment = 0.0;
  if (!lunacal::FromLunarDate(year, month, day, leap != 0, moment)) return kNoSuchDate;
  lunacal_civil_time civil;
  lunacal_civil_from_date(moment, &civil);
  return civil.year << 9 | civil.month << 5 | civil.day;  // < 2^21
}

// The year, month, day and hour pillars, 6 bits each from the year's down, of a civil time.
__attribute__((export_name("lunacal_js_pillars"))) int32_t Pillars(int32_t year, int32_t month, int32_t day,
                                                                    int32_t hour, int32_t minute, int32_t second) {
  const lunacal_civil_time civil{year, month, day, hour, minute, second};
  double moment = 0.0;
  if (!lunacal_date_from_civil(&civil, &moment)) return kNoSuchDate;
  int32_t pillars[4] = {};
  if (!lunacal::FourPillars(moment, &pillars[0], &pillars[1], &pillars[2], &pillars[3]) || pillars[0] == 0) {
    return kOutOfRange;
  }
  return pillars[0] << 18 | pillars[1] << 12 | pillars[2] << 6 | pillars[3];  // < 2^24
}

// Month << 22 | day << 17 | hour << 12 | minute << 6 | second of table term 1 (小寒) .. 24 (冬至)
// of a Gregorian year, in which every term falls.
__attribute__((export_name("lunacal_js_solar_term"))) int32_t SolarTerm(int32_t year, int32_t table_term) {
  if (year < LUNACAL_FIRST_TERM_YEAR || year > LUNACAL_LAST_TERM_YEAR || table_term < 1 || table_term > 24) {
    return kOutOfRange;
  }
  lunacal_civil_time civil;
  lunacal_civil_from_date(
      lunacal::SolarTermMoment(static_cast<uint16_t>(year), static_cast<uint16_t>(table_term)), &civil);
  return civil.month << 22 | civil.day << 17 | civil.hour << 12 | civil.minute << 6 | civil.second;  // < 2^26
}

__attribute__((export_name("lunacal_js_text_buffer"))) char* TextBuffer() { return identification_text; }
__attribute__((export_name("lunacal_js_text_buffer_size"))) int32_t TextBufferSize() {
  return static_cast<int32_t>(sizeof identification_text);
}

}  // extern "C"
