// SPDX-License-Identifier: MIT
// The engine's conversions and pillars as they were first written, step by step as the calendar
// rules state them: each Gregorian-to-lunar conversion walks the table from 1901 one year at a
// time, the lunar-to-Gregorian search moves its probe one day at a time, and the pillars find the
// term in force by stepping back a day at a time. The tests hold the engine to these results for
// every input they try, and the benchmarks measure the engine against them.

#pragma once

#include <cstddef>
#include <cstdint>

#include "lunacal/calendar.h"
#include "lunacal/date_value.h"
#include "lunacal/lunar_year_table.h"
#include "lunacal/pillars.h"
#include "lunacal/solar_terms.h"

namespace lunacal::literal {

inline LunarDate LunarDateFromOffset(int32_t offset) {
  constexpr int32_t kLastLunarOffset = 54443;
  if (offset < kFirstLunarOffset || offset > kLastLunarOffset) {
    return {};
  }
  int32_t n = offset - kFirstLunarOffset;
  std::size_t index = 0;
  for (;; ++index) {
    const int32_t length = LunarYearLengths[index];
    if (n < length || index + 1 == LunarMonthSizes.size()) {
      break;
    }
    n -= length;
  }
  const uint16_t year = static_cast<uint16_t>(kFirstTableYear + index);
  const int16_t leap_month = LeapMonthOf(year);
  const uint16_t word = LunarMonthSizes[index];
  int bit = 15;
  for (uint16_t month = 1; month <= 12; ++month) {
    const int32_t length = ((word >> bit) & 1U) != 0 ? 30 : 29;
    --bit;
    if (n < length) {
      return {year, month, static_cast<uint16_t>(n + 1), false};
    }
    n -= length;
    if (month == leap_month) {
      const int32_t leap_length = ((word >> bit) & 1U) != 0 ? 30 : 29;
      --bit;
      if (n < leap_length) {
        return {year, month, static_cast<uint16_t>(n + 1), true};
      }
      n -= leap_length;
    }
  }
  return {};
}

inline bool GregorianToLunar(GregorianDate date, LunarDate& lunar) {
  if (date.month < 1 || date.month > 12 || date.year >= 2049 ||
      CompareDates(date, {1901, 2, 19}) < 0) {
    return false;
  }
  const int32_t offset = DaysBetween(date, {1901, 1, 1});
  if (offset > 54443) {
    return false;
  }
  lunar = literal::LunarDateFromOffset(offset);
  return true;
}

inline bool ToLunarDate(double value, int32_t& year, int32_t& month, int32_t& day, bool& leap) {
  const DateFields fields = SplitDate(value);
  const GregorianDate date{static_cast<uint16_t>(fields.year), static_cast<uint16_t>(fields.month),
                           static_cast<uint16_t>(fields.day)};
  LunarDate lunar;
  if (!literal::GregorianToLunar(date, lunar)) {
    return false;
  }
  year = lunar.year;
  month = lunar.month;
  day = lunar.day;
  leap = lunar.leap;
  return true;
}

inline bool LunarToGregorian(LunarDate lunar, GregorianDate& date) {
  if (lunar.year < 1901 || lunar.year > 2049 || lunar.month < 1 || lunar.month > 12 ||
      lunar.day < 1 || lunar.day > 30) {
    return false;
  }
  const bool want_leap = lunar.leap && LeapMonthOf(lunar.year) == lunar.month;
  const GregorianDate target{lunar.year, lunar.month, lunar.day};
  GregorianDate probe = target;
  for (int conversions = 1; conversions <= 100; ++conversions) {
    if (probe.year >= 2049) {
      return false;
    }
    int32_t order = -1;
    bool probe_leap = false;
    LunarDate probe_lunar;
    if (literal::GregorianToLunar(probe, probe_lunar)) {
      order = CompareDates({probe_lunar.year, probe_lunar.month, probe_lunar.day}, target);
      probe_leap = probe_lunar.leap;
    }
    if (order == 0) {
      if (probe_leap == want_leap) {
        date = probe;
        return true;
      }
      StepDays(probe, probe_leap ? -31 : 31);
    }
    StepDays(probe, -order);
  }
  return false;
}

inline bool FromLunarDate(int32_t year, int32_t month, int32_t day, bool leap, double& value) {
  const auto fits = [](int32_t field) { return field >= 0 && field <= 65535; };
  GregorianDate date;
  double result = 0.0;
  if (!fits(year) || !fits(month) || !fits(day) ||
      !literal::LunarToGregorian({static_cast<uint16_t>(year), static_cast<uint16_t>(month),
                                  static_cast<uint16_t>(day), leap},
                                 date) ||
      !MakeDate(date.year, date.month, date.day, 0, 0, 0, result)) {
    return false;
  }
  value = result;
  return true;
}

inline int32_t TermInForce(const DateFields& fields) {
  GregorianDate date{static_cast<uint16_t>(fields.year), static_cast<uint16_t>(fields.month),
                     static_cast<uint16_t>(fields.day)};
  const GregorianDate time{static_cast<uint16_t>(fields.hour),
                           static_cast<uint16_t>(fields.minute),
                           static_cast<uint16_t>(fields.second)};
  const uint16_t today = SolarTermOfDay(date.year, date.month, date.day);
  if (today != 0) {
    const DateFields term = SplitDate(SolarTermMoment(date.year, today));
    const GregorianDate term_time{static_cast<uint16_t>(term.hour),
                                  static_cast<uint16_t>(term.minute),
                                  static_cast<uint16_t>(term.second)};
    return CompareDates(term_time, time) > 0 ? today - 1 : today;
  }
  for (int32_t step = 0; step < 366; ++step) {
    StepOneDay(date, false);
    if (date.year != fields.year) {
      return 0;
    }
    const uint16_t term = SolarTermOfDay(date.year, date.month, date.day);
    if (term != 0) {
      return term;
    }
  }
  return 0;
}

inline bool FourPillars(double value, int32_t* year, int32_t* month, int32_t* day, int32_t* hour) {
  const DateFields fields = SplitDate(value);
  if (fields.year < 1901) {
    return false;
  }
  int32_t p_year = 0, p_month = 0, p_day = 0, p_hour = 0;
  const GregorianDate date{static_cast<uint16_t>(fields.year), static_cast<uint16_t>(fields.month),
                           static_cast<uint16_t>(fields.day)};
  if (fields.month >= 1 && fields.month <= 12 && fields.year < 2049 &&
      CompareDates(date, {1901, 2, 19}) >= 0) {
    p_year = (fields.year - 1901) % 60 + 38;
    if (p_year > 60) p_year -= 60;
    const int32_t term = literal::TermInForce(fields);
    if (term < 3) {
      p_year = p_year == 1 ? 60 : p_year - 1;
    }
    int32_t month_branch = ((term == 0 ? 24 : term) - 1) / 2 + 2;
    if (month_branch > 12) month_branch -= 12;
    p_month = SexagenaryFromStemBranch(MonthStem(SplitSexagenary(p_year).stem, month_branch),
                                       month_branch);
    p_day = DaysBetween(date, {1901, 1, 1}) % 60 + 16;
    if (p_day > 60) p_day -= 60;
    if (fields.hour == 23) {
      p_day = p_day == 60 ? 1 : p_day + 1;
    }
    const int32_t hour_branch =
        fields.hour == 23 || fields.hour == 0 ? 1 : (fields.hour - 1) / 2 + 2;
    p_hour = SexagenaryFromStemBranch(HourStem(SplitSexagenary(p_day).stem, hour_branch),
                                      hour_branch);
  }
  if (year != nullptr) *year = p_year;
  if (month != nullptr) *month = p_month;
  if (day != nullptr) *day = p_day;
  if (hour != nullptr) *hour = p_hour;
  return true;
}

}  // namespace lunacal::literal
