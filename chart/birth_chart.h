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

// The DATE value of the entered texts read as decimal numbers, seconds zero; nullopt with a
// message when they do not form a valid date and time.
std::optional<double> BirthMoment(const BirthInput& input, std::u16string& message);

// Lunar date text "2020年闰4月1日".
std::u16string GetNongLi(Calendar& calendar, double moment);
// Three-character Nayin of index 1..60; the empty text for any other index.
std::u16string_view GetNaYin(int16_t index);
// Lacking elements in the order 金 木 水 火 土, or "不缺".
std::u16string GetWuXingQue(Calendar& calendar, double moment);

// The six report lines for the entered texts.
BaZiReport BuildBaZiReport(Calendar& calendar, const BirthInput& input);

}  // namespace chart
