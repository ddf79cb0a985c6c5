// SPDX-License-Identifier: MIT
#pragma once
// The birth-chart report: the entered birth moment, its lunar date, the four pillars, their Nayin
// and the elements the chart lacks, as six lines ended by CR LF.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "chart/calendar.h"

namespace chart {

// The five texts of the date and time boxes, exactly as entered.
struct BirthInput {
  std::u16string year;
  std::u16string month;
  std::u16string day;
  std::u16string hour;
  std::u16string minute;
};

// Either the finished report or, when it cannot be made (bad date, missing library), a message
// in plain Chinese that says what is wrong.
struct BaZiReport {
  std::optional<std::u16string> text;
  std::u16string message;
};

// The DATE value of the entered texts read as decimal numbers, seconds zero. Each text must be
// ASCII digits only (leading zeros allowed, no sign or spaces). nullopt, with a message in plain
// Chinese, when the texts do not form a valid date and time or the date lies outside the
// calendar's days 1901-02-19 .. 2048-12-31.
std::optional<double> BirthMoment(const BirthInput& input, std::u16string& message);

// Lunar date text "2020年闰4月1日"; the empty text when the calendar cannot be reached or has no
// lunar date for the moment.
std::u16string GetNongLi(Calendar& calendar, double moment);
// Lacking elements in the order 金 木 水 火 土, or "不缺"; the empty text when the calendar cannot
// be reached or gives a pillar outside 1..60.
std::u16string GetWuXingQue(Calendar& calendar, double moment);

// The six report lines for the entered texts, each ended by CR LF; line 2 repeats the texts as
// entered. No text, but a message, for invalid texts, an unreachable library, or a calendar that
// gives no lunar date or no pillars for the moment.
BaZiReport BuildBaZiReport(Calendar& calendar, const BirthInput& input);

}  // namespace chart
