// SPDX-License-Identifier: MIT
#pragma once
// What lunacal prints: the reports of its three commands, as text for people or as one JSON
// object for scripts, and its messages, in Chinese under a Chinese locale and in English
// otherwise. Everything is UTF-8; the calendar's own names (pillars, terms, months) are Chinese in
// both languages.

#include <array>
#include <string>
#include <string_view>

#include "lunacal/tool/arguments.h"
#include "lunacal/tool/calendar_queries.h"

namespace lunacal_tool {

enum class Language { English, Chinese };

// The language of messages by the POSIX rule: the first of LC_ALL, LC_MESSAGES and LANG that is
// set and not empty, Chinese when it starts with "zh". On Windows, where none is set, the user's
// display language decides.
Language MessageLanguage();

// "冬月廿五", "闰四月初一", "腊月三十": the month and day of a lunar date as the calendar writes them.
std::string ChineseLunarMonthDay(const LunarDay& lunar);

std::string HelpText();
std::string VersionText();

// The report of `lunacal [DATE [TIME]]`.
std::string MomentReport(const CivilMoment& moment, const LunarDay& lunar, const Pillars& pillars,
                         const TermsAround& terms, Language language, bool json);
// The report of `lunacal --lunar`: the lunar date asked for and its Gregorian date.
std::string FromLunarReport(const LunarDay& lunar, const CivilMoment& date, Language language, bool json);
// The report of `lunacal --terms YEAR`.
std::string SolarTermsReport(int32_t year, const std::array<SolarTerm, 24>& terms, Language language,
                             bool json);

// One-line messages, without the program's name and the line end.
std::string UsageMessage(UsageFault fault, std::string_view detail, Language language);
std::string NotADateMessage(std::string_view text, Language language);
std::string NotATimeMessage(std::string_view text, Language language);
std::string NotALunarDateMessage(std::string_view text, Language language);
std::string NotAYearMessage(std::string_view text, Language language);
std::string OutsideCalendarMessage(const CivilMoment& moment, const DayRange& range, Language language);
std::string OutsideLunarCalendarMessage(const LunarDay& lunar, const LunarDay& first, const LunarDay& last,
                                        Language language);
std::string NoLeapMonthMessage(const LunarDay& lunar, Language language);
std::string ShortMonthMessage(const LunarDay& lunar, Language language);
std::string NoSolarTermsMessage(int32_t year, const YearRange& range, Language language);
std::string OutputFailedMessage(Language language);

}  // namespace lunacal_tool
