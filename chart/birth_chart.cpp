// SPDX-License-Identifier: MIT
#include "chart/birth_chart.h"

#include <algorithm>
#include <array>
#include <string>
#include <utility>

#include "chart/stems_branches.h"
#include "lunacal/lunacal.h"

namespace chart {
namespace {

// Lacking elements are tested and listed in this order, so a chart reads 金火 and never 火金.
constexpr std::array<std::u16string_view, 5> kReportOrder{u"金", u"木", u"水", u"火", u"土"};


// Numbers above this are too large for any field; reading stops growing there so that a long
// string of digits cannot overflow, and the field is then reported as out of range.
constexpr int32_t kNumberCeiling = 1'000'000;

enum class NumberError { None, Empty, NotDigits };

// The decimal value of a text of ASCII digits only (leading zeros allowed, no sign, no spaces),
// capped at kNumberCeiling.
NumberError ReadNumber(std::u16string_view text, int32_t& value) {
  if (text.empty()) {
    return NumberError::Empty;
  }
  int32_t number = 0;
  for (const char16_t c : text) {
    if (c < u'0' || c > u'9') {
      return NumberError::NotDigits;
    }
    number = std::min(number * 10 + (c - u'0'), kNumberCeiling);  // [0, kNumberCeiling]
  }
  value = number;
  return NumberError::None;
}

std::u16string Decimal(int32_t value) {
  const std::string digits = std::to_string(value);
  return std::u16string(digits.begin(), digits.end());
}

// The lunar calendar covers only the library's range; outside it the library has no pillars.
std::u16string OutsideCalendar() {
  return u"出生日期超出日历范围（" + Decimal(LUNACAL_FIRST_YEAR) + u"年" + Decimal(LUNACAL_FIRST_MONTH) + u"月" +
         Decimal(LUNACAL_FIRST_DAY) + u"日至" + Decimal(LUNACAL_LAST_YEAR) + u"年" + Decimal(LUNACAL_LAST_MONTH) +
         u"月" + Decimal(LUNACAL_LAST_DAY) + u"日）。";
}

// What the library says of the day of a moment, read once so every line of a report agrees.
struct LunarValues {
  int16_t year;
  int16_t month;
  int16_t day;
  int16_t leap;
};

// Year, month, day and hour pillar indices.
using Pillars = std::array<int16_t, 4>;

std::optional<LunarValues> ReadLunar(Calendar& calendar, double moment) {
  const auto year = calendar.Call(CalendarFunction::GetGLToRLNian, moment);
  const auto month = calendar.Call(CalendarFunction::GetGLToRLMonth, moment);
  const auto day = calendar.Call(CalendarFunction::GetGLToRLDay, moment);
  const auto leap = calendar.Call(CalendarFunction::GetGLToRLRun, moment);
  if (!year || !month || !day || !leap) {
    return std::nullopt;
  }
  return LunarValues{*year, *month, *day, *leap};
}

std::optional<Pillars> ReadPillars(Calendar& calendar, double moment) {
  constexpr std::array<CalendarFunction, 4> kPillarFunctions{
      CalendarFunction::GetSiZhuXHYear, CalendarFunction::GetSiZhuXHMonth,
      CalendarFunction::GetSiZhuXHDay, CalendarFunction::GetSiZhuXHTime};
  Pillars pillars{};
  for (size_t i = 0; i < pillars.size(); ++i) {
    const auto index = calendar.Call(kPillarFunctions[i], moment);
    if (!index) {
      return std::nullopt;
    }
    pillars[i] = *index;
  }
  return pillars;
}

// The library answers 0 for a moment it does not cover; such values, or any other that no lunar
// date has, must not be printed as if they were a date.
bool IsLunarDate(const LunarValues& lunar) {
  return lunar.year >= 1901 && lunar.year <= 2049 && lunar.month >= 1 && lunar.month <= 12 &&
         lunar.day >= 1 && lunar.day <= 30;
}

bool ArePillars(const Pillars& pillars) {
  return std::all_of(pillars.begin(), pillars.end(),
                     [](int16_t index) { return index >= 1 && index <= 60; });
}

std::u16string NongLiText(const LunarValues& lunar) {
  std::u16string text = Decimal(lunar.year) + u"年";
  if (lunar.leap != 0) {
    text += u"闰";
  }
  text += Decimal(lunar.month) + u"月" + Decimal(lunar.day) + u"日";
  return text;
}

std::u16string WuXingQueText(const Pillars& pillars) {
  std::u16string present;
  for (const int16_t index : pillars) {
    present += GetGanZhiWuXing(GetTianGan(index));
    present += GetGanZhiWuXing(GetDiZhi(index));
    present += GetNaYin(index).substr(2, 1);
  }
  std::u16string lacking;
  for (const std::u16string_view element : kReportOrder) {
    if (present.find(element) == std::u16string::npos) {
      lacking += element;
    }
  }
  return lacking.empty() ? std::u16string(u"不缺") : lacking;
}

}  // namespace

std::optional<double> BirthMoment(const BirthInput& input, std::u16string& message) {
  struct Field {
    const std::u16string& text;
    std::u16string_view name;
    std::u16string_view kind;
    int32_t value;
  };
  std::array<Field, 5> fields{{
      {input.year, u"年份", u"出生日期无效：", 0},
      {input.month, u"月份", u"出生日期无效：", 0},
      {input.day, u"日", u"出生日期无效：", 0},
      {input.hour, u"小时", u"出生时间无效：", 0},
      {input.minute, u"分钟", u"出生时间无效：", 0},
  }};
  for (Field& field : fields) {
    switch (ReadNumber(field.text, field.value)) {
      case NumberError::Empty:
        message = std::u16string(field.kind) + u"未填写" + std::u16string(field.name) + u"。";
        return std::nullopt;
      case NumberError::NotDigits:
        message = std::u16string(field.kind) + std::u16string(field.name) + u"只能填写数字。";
        return std::nullopt;
      case NumberError::None:
        break;
    }
  }
  const int32_t year = fields[0].value;
  const int32_t month = fields[1].value;
  const int32_t day = fields[2].value;
  const int32_t hour = fields[3].value;
  const int32_t minute = fields[4].value;
  if (month < 1 || month > 12) {
    message = u"出生日期无效：月份应为1到12。";
    return std::nullopt;
  }
  if (day < 1 || day > 31) {
    message = u"出生日期无效：日应为1到31。";
    return std::nullopt;
  }
  // A year beyond 9999 has no calendar of its own here; the range check below refuses it.
  if (year <= 9999 && day > lunacal_days_in_month(year, month)) {
    message = u"出生日期无效：" + Decimal(year) + u"年" + Decimal(month) + u"月没有" +
              Decimal(day) + u"日。";
    return std::nullopt;
  }
  if (hour > 23) {
    message = u"出生时间无效：小时应为0到23。";
    return std::nullopt;
  }
  if (minute > 59) {
    message = u"出生时间无效：分钟应为0到59。";
    return std::nullopt;
  }
  // Within the range's years every field is now valid, so only the days before its first are
  // left to refuse.
  double moment = 0.0;
  const lunacal_civil_time civil{year, month, day, hour, minute, 0};
  if (year < LUNACAL_FIRST_YEAR || year > LUNACAL_LAST_YEAR || !lunacal_date_from_civil(&civil, &moment) ||
      moment < LUNACAL_FIRST_MOMENT) {
    message = OutsideCalendar();
    return std::nullopt;
  }
  return moment;
}

std::u16string GetNongLi(Calendar& calendar, double moment) {
  const auto lunar = ReadLunar(calendar, moment);
  if (!lunar || !IsLunarDate(*lunar)) {
    return {};
  }
  return NongLiText(*lunar);
}

std::u16string GetWuXingQue(Calendar& calendar, double moment) {
  const auto pillars = ReadPillars(calendar, moment);
  if (!pillars || !ArePillars(*pillars)) {
    return {};
  }
  return WuXingQueText(*pillars);
}

BaZiReport BuildBaZiReport(Calendar& calendar, const BirthInput& input) {
  std::u16string message;
  const auto moment = BirthMoment(input, message);
  if (!moment) {
    return {std::nullopt, message};
  }
  const auto lunar = ReadLunar(calendar, *moment);
  const auto pillars = lunar ? ReadPillars(calendar, *moment) : std::nullopt;
  if (!lunar || !pillars) {
    return {std::nullopt, calendar.ErrorMessage()};
  }
  if (!IsLunarDate(*lunar) || !ArePillars(*pillars)) {
    return {std::nullopt, OutsideCalendar()};
  }
  const auto [year, month, day, hour] = *pillars;
  std::u16string text = u"宝宝生日：\r\n";
  text += u"公历日期：" + input.year + u"年" + input.month + u"月" + input.day + u"日 " +
          input.hour + u"时" + input.minute + u"分\r\n";
  text += u"农历日期：" + NongLiText(*lunar) + u"\r\n";
  text += u"干支日期：" + GetGanZhi(year) + u"年 " + GetGanZhi(month) + u"月 " + GetGanZhi(day) +
          u"日 " + GetGanZhi(hour) + u"时\r\n";
  text += u"纳音五行：";
  text += GetNaYin(year);
  text += u" ";
  text += GetNaYin(month);
  text += u" ";
  text += GetNaYin(day);
  text += u" ";
  text += GetNaYin(hour);
  text += u"\r\n";
  text += u"五行所缺：" + WuXingQueText(*pillars) + u"\r\n";
  return {std::move(text), std::u16string()};
}

}  // namespace chart
