// SPDX-License-Identifier: MIT
#include "lunacal/tool/calendar_queries.h"

#include <chrono>
#include <limits>
#include <tuple>

#include "lunacal/lunacal.h"
#include "lunacal/vocabulary.h"

namespace lunacal_tool {
namespace {

namespace chrono = std::chrono;

// RLToGL_ answers a lunar date that does not exist with the DATE 0.0, 1899-12-30.
constexpr CivilMoment kNoGregorianDate{1899, 12, 30, 0, 0, 0};

// GetJieQiTime_ answers a year without terms with the fallback moment, day 1 at 00:00:00; the
// first term of every year, 立春, falls on the 3rd to the 5th of February, never on the 1st.
constexpr int32_t kFirstTermOfYear = 1;

auto Fields(const CivilMoment& m) {
  return std::tie(m.year, m.month, m.day, m.hour, m.minute, m.second);
}

bool SameDate(const CivilMoment& a, const CivilMoment& b) {
  return a.year == b.year && a.month == b.month && a.day == b.day;
}

// The month of a term follows from its number: the table's terms 2k - 1 and 2k fall in month k.
int32_t MonthOfTerm(int32_t exported) {
  return (lunacal::vocabulary::TableTermOfExported(exported) + 1) / 2;  // [1, 12]
}

SolarTerm TermOf(int32_t year, int32_t exported) {
  return {exported,
          {year, MonthOfTerm(exported), GetJieQiTime_Day(year, exported), GetJieQiTime_Hour(year, exported),
           GetJieQiTime_Minute(year, exported), GetJieQiTime_Second(year, exported)}};
}

bool HasSolarTerms(int32_t year) {
  const SolarTerm spring = TermOf(year, kFirstTermOfYear);
  return !(spring.moment.day == 1 && spring.moment.hour == 0 && spring.moment.minute == 0 &&
           spring.moment.second == 0);
}

CivilMoment GregorianOf(int32_t year, int32_t month, int32_t day, int32_t leap) {
  return {RLToGL_Year(year, month, day, leap), RLToGL_Month(year, month, day, leap),
          RLToGL_Day(year, month, day, leap), 0, 0, 0};
}

}  // namespace

bool IsValidMoment(const CivilMoment& m) {
  return m.year >= 0 && m.year <= 9999 && m.day >= 1 && m.day <= lunacal_days_in_month(m.year, m.month) &&
         m.hour >= 0 && m.hour <= 23 && m.minute >= 0 && m.minute <= 59 && m.second >= 0 && m.second <= 59;
}

double DateValue(const CivilMoment& m) {
  double moment = 0.0;
  // The years 0..99 have no DATE value; NaN is no moment to the exports either.
  return lunacal_date_from_civil(&m, &moment) ? moment : std::numeric_limits<double>::quiet_NaN();
}

CivilMoment CurrentMoment() {
  const auto now = chrono::floor<chrono::seconds>(chrono::system_clock::now()) + chrono::hours{8};
  const auto day = chrono::floor<chrono::days>(now);
  const chrono::year_month_day date{day};
  const chrono::hh_mm_ss time{now - day};
  return {static_cast<int32_t>(date.year()), static_cast<int32_t>(static_cast<unsigned>(date.month())),
          static_cast<int32_t>(static_cast<unsigned>(date.day())), static_cast<int32_t>(time.hours().count()),
          static_cast<int32_t>(time.minutes().count()), static_cast<int32_t>(time.seconds().count())};
}

std::optional<LunarDay> LunarDateOf(double moment) {
  const LunarDay lunar{GetGLToRLNian(moment), GetGLToRLMonth(moment), GetGLToRLDay(moment),
                       GetGLToRLRun(moment) == 1};
  if (lunar.year == 0 || lunar.month == 0 || lunar.day == 0) {
    return std::nullopt;
  }
  return lunar;
}

std::optional<Pillars> PillarsOf(double moment) {
  const Pillars pillars{GetSiZhuXHYear(moment), GetSiZhuXHMonth(moment), GetSiZhuXHDay(moment),
                        GetSiZhuXHTime(moment)};
  if (pillars.year == 0 || pillars.month == 0 || pillars.day == 0 || pillars.hour == 0) {
    return std::nullopt;
  }
  return pillars;
}

std::optional<std::array<SolarTerm, 24>> SolarTermsOf(int32_t year) {
  if (!HasSolarTerms(year)) {
    return std::nullopt;
  }
  std::array<SolarTerm, 24> terms;
  // The table's order, 小寒 and 大寒 of January first, then 立春 .. 冬至.
  for (int32_t table = 1; table <= 24; ++table) {
    terms[static_cast<size_t>(table - 1)] = TermOf(year, lunacal::vocabulary::ExportedTermOfTable(table));
  }
  return terms;
}

TermsAround TermsAroundMoment(const CivilMoment& moment) {
  TermsAround around;
  const auto terms = SolarTermsOf(moment.year);
  if (!terms) {
    return around;
  }
  const auto not_later = [&](const SolarTerm& term) { return Fields(term.moment) <= Fields(moment); };
  if (not_later(terms->front())) {
    for (const SolarTerm& term : *terms) {
      if (not_later(term)) {
        around.current = term;
      } else {
        around.next = term;
        break;
      }
    }
  } else {
    around.next = terms->front();
    // Before 小寒 the term in force is 冬至 of the year before.
    if (moment.year > std::numeric_limits<int32_t>::min()) {
      if (const auto before = SolarTermsOf(moment.year - 1)) {
        around.current = before->back();
      }
    }
  }
  if (!around.next && moment.year < std::numeric_limits<int32_t>::max()) {
    if (const auto after = SolarTermsOf(moment.year + 1)) {
      around.next = after->front();
    }
  }
  return around;
}

DayRange LunarCalendarRange() {
  return {{LUNACAL_FIRST_YEAR, LUNACAL_FIRST_MONTH, LUNACAL_FIRST_DAY, 0, 0, 0},
          {LUNACAL_LAST_YEAR, LUNACAL_LAST_MONTH, LUNACAL_LAST_DAY, 0, 0, 0}};
}

YearRange SolarTermYears() { return {LUNACAL_FIRST_TERM_YEAR, LUNACAL_LAST_TERM_YEAR}; }

GregorianAnswer GregorianDateOf(const LunarDay& lunar) {
  const int32_t leap = lunar.leap ? 1 : 0;
  const CivilMoment first_day = GregorianOf(lunar.year, lunar.month, 1, leap);
  if (SameDate(first_day, kNoGregorianDate)) {
    return {LunarLookup::OutsideRange, {}};
  }
  // The exports read a leap month the year does not have as the ordinary month; the day they give
  // tells which month it was.
  if (lunar.leap && GetGLToRLRun(DateValue(first_day)) != 1) {
    return {LunarLookup::NoLeapMonth, {}};
  }
  const CivilMoment date = GregorianOf(lunar.year, lunar.month, lunar.day, leap);
  if (!SameDate(date, kNoGregorianDate)) {
    return {LunarLookup::Found, date};
  }
  // Every lunar month has 29 or 30 days, so only day 30 can be missing inside the calendar; past
  // its last day, in the same month, the calendar itself has ended.
  const DayRange range = LunarCalendarRange();
  const auto last = LunarDateOf(DateValue(range.last));
  const bool last_month = last && last->year == lunar.year && last->month == lunar.month &&
                          last->leap == lunar.leap;
  if (lunar.day == 30 && !(last_month && last->day < 30)) {
    return {LunarLookup::ShortMonth, {}};
  }
  return {LunarLookup::OutsideRange, {}};
}

}  // namespace lunacal_tool
