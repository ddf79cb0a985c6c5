// SPDX-License-Identifier: MIT
#pragma once
// What the command-line tool asks the calendar, through the library's exports only, as any other
// program would: the lunar date and pillars of a moment, the solar terms of a year, the Gregorian
// date of a lunar date, and where the calendar's range ends. No limit of the library is restated
// here: every "outside the range" is the exports' own failure value, and the range a message
// names is the one lunacal.h gives.

#include <array>
#include <cstdint>
#include <optional>

#include "lunacal/lunacal.h"

namespace lunacal_tool {

// A civil moment at UTC+8, the clock of every DATE value the library reads: the header's own.
using CivilMoment = lunacal_civil_time;

// True when the fields name a real Gregorian date (years 0..9999) and time of day.
bool IsValidMoment(const CivilMoment& moment);

// The DATE value of a valid moment: days since 1899-12-30, the time of day as the fraction (for a
// day before 1899-12-30 the fraction is subtracted, as DATE values carry it).
double DateValue(const CivilMoment& moment);

// The present moment on the UTC+8 clock, to the second.
CivilMoment CurrentMoment();

struct LunarDay {
  int32_t year = 0;
  int32_t month = 0;
  int32_t day = 0;
  bool leap = false;
};

// Sexagenary indices 1 (甲子) .. 60 (癸亥).
struct Pillars {
  int32_t year = 0;
  int32_t month = 0;
  int32_t day = 0;
  int32_t hour = 0;
};

// nullopt where the exports answer with their "no date" zeroes.
std::optional<LunarDay> LunarDateOf(double moment);
std::optional<Pillars> PillarsOf(double moment);

// A solar term by the exports' numbering (1 立春 ... 22 冬至, 23 小寒, 24 大寒) and its moment.
struct SolarTerm {
  int32_t number = 0;
  CivilMoment moment;
};

// The 24 terms of a Gregorian year in time order (小寒 first), or nullopt when the library has
// none for that year.
std::optional<std::array<SolarTerm, 24>> SolarTermsOf(int32_t year);

// The term in force at a moment (the last one not later than it, to the second) and the next one;
// either is absent where the library has no terms for the year it would fall in.
struct TermsAround {
  std::optional<SolarTerm> current;
  std::optional<SolarTerm> next;
};
TermsAround TermsAroundMoment(const CivilMoment& moment);

// The first and last Gregorian days that have a lunar date, as lunacal.h gives them.
struct DayRange {
  CivilMoment first;
  CivilMoment last;
};
DayRange LunarCalendarRange();

// The first and last Gregorian years that have solar terms, as lunacal.h gives them.
struct YearRange {
  int32_t first = 0;
  int32_t last = 0;
};
YearRange SolarTermYears();

enum class LunarLookup {
  Found,
  OutsideRange,  // the lunar date lies before or after the calendar
  NoLeapMonth,   // a leap month was asked for that the year does not have
  ShortMonth,    // day 30 of a month of 29 days
};
struct GregorianAnswer {
  LunarLookup result = LunarLookup::OutsideRange;
  CivilMoment date;  // at 00:00:00, when found
};
// The Gregorian date of a lunar date with month 1..12 and day 1..30.
GregorianAnswer GregorianDateOf(const LunarDay& lunar);

}  // namespace lunacal_tool
