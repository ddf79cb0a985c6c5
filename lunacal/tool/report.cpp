// SPDX-License-Identifier: MIT
#include "lunacal/tool/report.h"

#include <cstdlib>

#include "lunacal/utf8.h"
#include "lunacal/vocabulary.h"

#if defined(_WIN32)
#include <windows.h>
#endif

namespace lunacal_tool {
namespace {

// Month 11 and 12 have names of their own; the others are counted, the first called 正.
constexpr std::array<std::string_view, 12> kLunarMonths{
    "正", "二", "三", "四", "五", "六", "七", "八", "九", "十", "冬", "腊",
};
// The units of a day; the days 10, 20 and 30 have whole names of their own.
constexpr std::array<std::string_view, 10> kDigits{"", "一", "二", "三", "四", "五", "六", "七", "八", "九"};
// The tens of a day: 初 for 1..10, then 十, 廿, and 三十 alone.
constexpr std::array<std::string_view, 3> kDayTens{"初", "十", "廿"};

constexpr std::string_view kVersion = LUNACAL_TOOL_VERSION;

// The same words as the manual page lunacal(1), which says more.
constexpr std::string_view kHelp =
    "Usage: lunacal [--json] [DATE [TIME]]\n"
    "       lunacal [--json] --lunar YYYY-MM-DD [--leap]\n"
    "       lunacal [--json] --terms YEAR\n"
    "\n"
    "The Chinese lunar calendar through the library lunacal. All times are civil time in China\n"
    "(UTC+8).\n"
    "\n"
    "  DATE [TIME]     the lunar date, the four pillars and their Nayin, the solar term in force\n"
    "                  and the next one; DATE is YYYY-MM-DD, TIME HH:MM or HH:MM:SS (00:00 when\n"
    "                  left out); without DATE, the present moment\n"
    "  --lunar DATE    the Gregorian date of a lunar date; --leap asks for the leap month\n"
    "  --terms YEAR    the 24 solar terms of a year, each to the second\n"
    "  --json          print one JSON object instead of text\n"
    "  -h, --help      print this help and exit\n"
    "      --version   print the version and exit\n"
    "\n"
    "Exit status: 0 on success, 1 for a date, time or year the calendar does not have, 2 for a\n"
    "usage error. See lunacal(1).\n";

struct Labels {
  std::string_view gregorian, lunar, pillars, pillar_order, nayin, term, next_term, clock;
};
constexpr Labels kEnglish{"Gregorian  ", "Lunar      ", "Pillars    ", " (year, month, day, hour)",
                          "Nayin      ", "Term       ", "Next term  ",
                          "Times are civil time in China (UTC+8)."};
constexpr Labels kChinese{"公历：", "农历：", "四柱：", "（年、月、日、时）", "纳音：", "节气：",
                          "下一节气：", "时间均为中国民用时间（UTC+8）。"};

const Labels& LabelsFor(Language language) { return language == Language::Chinese ? kChinese : kEnglish; }

std::string Number(int32_t value, int width = 0) {
  std::string text = std::to_string(value);
  if (value >= 0 && text.size() < static_cast<size_t>(width)) {
    text.insert(0, static_cast<size_t>(width) - text.size(), '0');
  }
  return text;
}

std::string DateText(const CivilMoment& m) {
  return Number(m.year, 4) + "-" + Number(m.month, 2) + "-" + Number(m.day, 2);
}

std::string MomentText(const CivilMoment& m) {
  return DateText(m) + " " + Number(m.hour, 2) + ":" + Number(m.minute, 2) + ":" + Number(m.second, 2);
}

using lunacal::text::ToUtf8;

// Sexagenary indices from the library are 1..60, which the names' 16-bit indices hold.
std::string PillarName(int32_t index) { return ToUtf8(lunacal::vocabulary::PairName(index)); }
std::string NayinName(int32_t index) { return ToUtf8(lunacal::vocabulary::NayinOf(index)); }

// The stem-branch name of a lunar year, which turns at the lunar new year (the year pillar turns
// at 立春): year 4 of the common era was a 甲子 year.
std::string LunarYearName(int32_t year) {
  return PillarName(lunacal::vocabulary::PairOfYear(year));
}

std::string TermName(int32_t exported) {
  return ToUtf8(lunacal::vocabulary::SolarTermName(lunacal::vocabulary::TableTermOfExported(exported)));
}

// "year 2020, leap month 4, day 1" or "2020年闰4月1日".
std::string LunarNumbers(const LunarDay& lunar, Language language) {
  if (language == Language::Chinese) {
    return Number(lunar.year) + "年" + (lunar.leap ? "闰" : "") + Number(lunar.month) + "月" + Number(lunar.day) +
           "日";
  }
  return "year " + Number(lunar.year) + (lunar.leap ? ", leap month " : ", month ") + Number(lunar.month) +
         ", day " + Number(lunar.day);
}

// "1999 己卯年 冬月廿五 (year 1999, month 11, day 25)".
std::string LunarLine(const LunarDay& lunar, Language language) {
  std::string line = Number(lunar.year) + " " + LunarYearName(lunar.year) + "年 " + ChineseLunarMonthDay(lunar);
  if (language == Language::Chinese) {
    return line + "（" + LunarNumbers(lunar, language) + "）";
  }
  return line + " (" + LunarNumbers(lunar, language) + ")";
}

// Every text quoted here is the tool's own or a date the user typed; control characters and
// quotes are escaped all the same, so the output stays JSON whatever it holds.
std::string Quote(std::string_view text) {
  std::string out = "\"";
  for (const char c : text) {
    const auto byte = static_cast<unsigned char>(c);
    if (c == '"' || c == '\\') {
      (out += '\\') += c;
    } else if (byte < 0x20) {
      constexpr std::string_view kHex = "0123456789abcdef";
      ((out += "\\u00") += kHex[byte >> 4]) += kHex[byte & 0x0F];
    } else {
      out += c;
    }
  }
  return out + "\"";
}

std::string LunarJson(const LunarDay& lunar) {
  return "{\"year\":" + Number(lunar.year) + ",\"month\":" + Number(lunar.month) + ",\"day\":" +
         Number(lunar.day) + ",\"leap\":" + (lunar.leap ? "true" : "false") + "}";
}

std::string TermJson(const SolarTerm& term) {
  return "{\"name\":" + Quote(TermName(term.number)) + ",\"moment\":" + Quote(MomentText(term.moment)) + "}";
}

// Built by appending: GCC 12 warns falsely (-Wrestrict) about "..." + std::string at -O3.
std::string Quoted(std::string_view text, Language language) {
  const bool zh = language == Language::Chinese;
  std::string quoted(zh ? "“" : "'");
  (quoted += text) += zh ? "”" : "'";
  return quoted;
}

}  // namespace

Language MessageLanguage() {
  for (const char* name : {"LC_ALL", "LC_MESSAGES", "LANG"}) {
    const char* value = std::getenv(name);
    if (value != nullptr && *value != '\0') {
      return std::string_view(value).starts_with("zh") ? Language::Chinese : Language::English;
    }
  }
#if defined(_WIN32)
  if (PRIMARYLANGID(GetUserDefaultUILanguage()) == LANG_CHINESE) {
    return Language::Chinese;
  }
#endif
  return Language::English;
}

std::string ChineseLunarMonthDay(const LunarDay& lunar) {
  std::string text = lunar.leap ? "闰" : "";
  if (lunar.month >= 1 && lunar.month <= 12) {
    text += kLunarMonths[static_cast<size_t>(lunar.month - 1)];
  }
  text += "月";
  if (lunar.day == 10) {
    text += "初十";
  } else if (lunar.day == 20) {
    text += "二十";
  } else if (lunar.day == 30) {
    text += "三十";
  } else if (lunar.day >= 1 && lunar.day <= 29) {
    (text += kDayTens[static_cast<size_t>(lunar.day / 10)]) += kDigits[static_cast<size_t>(lunar.day % 10)];
  }
  return text;
}

std::string HelpText() { return std::string(kHelp); }

std::string VersionText() { return "lunacal " + std::string(kVersion) + "\n"; }

std::string MomentReport(const CivilMoment& moment, const LunarDay& lunar, const Pillars& pillars,
                         const TermsAround& terms, Language language, bool json) {
  const std::array<int32_t, 4> indices{pillars.year, pillars.month, pillars.day, pillars.hour};
  if (json) {
    std::string out = "{\"gregorian\":" + Quote(MomentText(moment)) + ",\"lunar\":" + LunarJson(lunar) +
                      ",\"pillars\":{\"year\":" + Quote(PillarName(pillars.year)) + ",\"month\":" +
                      Quote(PillarName(pillars.month)) + ",\"day\":" + Quote(PillarName(pillars.day)) +
                      ",\"hour\":" + Quote(PillarName(pillars.hour)) + "},\"nayin\":[";
    for (size_t i = 0; i < indices.size(); ++i) {
      (out += i == 0 ? "" : ",") += Quote(NayinName(indices[i]));
    }
    out += "]";
    if (terms.current) {
      out += ",\"term\":" + TermJson(*terms.current);
    }
    if (terms.next) {
      out += ",\"next_term\":" + TermJson(*terms.next);
    }
    return out + "}\n";
  }
  const Labels& labels = LabelsFor(language);
  std::string out;
  ((out += labels.gregorian) += MomentText(moment)) += "\n";
  ((out += labels.lunar) += LunarLine(lunar, language)) += "\n";
  out += labels.pillars;
  for (size_t i = 0; i < indices.size(); ++i) {
    (out += i == 0 ? "" : " ") += PillarName(indices[i]);
  }
  (out += labels.pillar_order) += "\n";
  out += labels.nayin;
  for (size_t i = 0; i < indices.size(); ++i) {
    (out += i == 0 ? "" : " ") += NayinName(indices[i]);
  }
  out += "\n";
  if (terms.current) {
    out += std::string(labels.term) + std::string(TermName(terms.current->number)) + " " +
           MomentText(terms.current->moment) + "\n";
  }
  if (terms.next) {
    out += std::string(labels.next_term) + std::string(TermName(terms.next->number)) + " " +
           MomentText(terms.next->moment) + "\n";
  }
  return (out += labels.clock) += "\n";
}

std::string FromLunarReport(const LunarDay& lunar, const CivilMoment& date, Language language, bool json) {
  if (json) {
    return "{\"gregorian\":" + Quote(MomentText(date)) + ",\"lunar\":" + LunarJson(lunar) + "}\n";
  }
  const Labels& labels = LabelsFor(language);
  return std::string(labels.lunar) + LunarLine(lunar, language) + "\n" + std::string(labels.gregorian) +
         DateText(date) + "\n";
}

std::string SolarTermsReport(int32_t year, const std::array<SolarTerm, 24>& terms, Language language,
                             bool json) {
  if (json) {
    std::string out = "{\"terms\":[";
    for (size_t i = 0; i < terms.size(); ++i) {
      (out += i == 0 ? "" : ",") += TermJson(terms[i]);
    }
    return out + "]}\n";
  }
  std::string out = language == Language::Chinese
                        ? Number(year) + "年的二十四节气（中国民用时间，UTC+8）：\n"
                        : "The solar terms of " + Number(year) + ", in civil time in China (UTC+8):\n";
  for (const SolarTerm& term : terms) {
    out += std::string(TermName(term.number)) + "  " + MomentText(term.moment) + "\n";
  }
  return out;
}

std::string UsageMessage(UsageFault fault, std::string_view detail, Language language) {
  const bool zh = language == Language::Chinese;
  std::string what;
  switch (fault) {
    case UsageFault::UnknownOption:
      what = zh ? "未知选项" + Quoted(detail, language) : "unknown option " + Quoted(detail, language);
      break;
    case UsageFault::MissingValue:
      what = zh ? Quoted(detail, language) + "后面缺少值" : Quoted(detail, language) + " needs a value";
      break;
    case UsageFault::TooManyArguments:
    case UsageFault::ArgumentsWithCommand:
      what = zh ? "多余的参数" + Quoted(detail, language) : "unexpected argument " + Quoted(detail, language);
      break;
    case UsageFault::TwoCommands:
      what = zh ? "“--lunar”和“--terms”不能同时使用" : "'--lunar' and '--terms' cannot be used together";
      break;
    case UsageFault::LeapWithoutLunar:
      what = zh ? "“--leap”只能与“--lunar”一起使用" : "'--leap' goes only with '--lunar'";
      break;
    case UsageFault::None:
      break;
  }
  return what + (zh ? "；参见“lunacal --help”。" : "; see 'lunacal --help'");
}

std::string NotADateMessage(std::string_view text, Language language) {
  return language == Language::Chinese ? Quoted(text, language) + "不是有效的公历日期（格式为 YYYY-MM-DD）"
                                       : Quoted(text, language) + " is not a Gregorian date (YYYY-MM-DD)";
}

std::string NotATimeMessage(std::string_view text, Language language) {
  return language == Language::Chinese
             ? Quoted(text, language) + "不是有效的时间（格式为 HH:MM 或 HH:MM:SS，00:00 至 23:59:59）"
             : Quoted(text, language) + " is not a time of day (HH:MM or HH:MM:SS, 00:00 to 23:59:59)";
}

std::string NotALunarDateMessage(std::string_view text, Language language) {
  return language == Language::Chinese
             ? Quoted(text, language) + "不是有效的农历日期（格式为 YYYY-MM-DD，月 1 至 12，日 1 至 30）"
             : Quoted(text, language) + " is not a lunar date (YYYY-MM-DD, month 1 to 12, day 1 to 30)";
}

std::string NotAYearMessage(std::string_view text, Language language) {
  return language == Language::Chinese ? Quoted(text, language) + "不是有效的年份"
                                       : Quoted(text, language) + " is not a year";
}

std::string OutsideCalendarMessage(const CivilMoment& moment, const DayRange& range, Language language) {
  if (language == Language::Chinese) {
    return DateText(moment) + " 超出日历范围（" + DateText(range.first) + " 至 " + DateText(range.last) + "）";
  }
  return DateText(moment) + " is outside the calendar, which runs from " + DateText(range.first) + " to " +
         DateText(range.last);
}

std::string OutsideLunarCalendarMessage(const LunarDay& lunar, const LunarDay& first, const LunarDay& last,
                                        Language language) {
  if (language == Language::Chinese) {
    return "农历" + LunarNumbers(lunar, language) + "超出日历范围（农历" + LunarNumbers(first, language) + "至" +
           LunarNumbers(last, language) + "）";
  }
  return "lunar " + LunarNumbers(lunar, language) + " is outside the calendar, which runs from lunar " +
         LunarNumbers(first, language) + " to " + LunarNumbers(last, language);
}

std::string NoLeapMonthMessage(const LunarDay& lunar, Language language) {
  if (language == Language::Chinese) {
    return "农历" + Number(lunar.year) + "年没有闰" + Number(lunar.month) + "月";
  }
  return "lunar year " + Number(lunar.year) + " has no leap month " + Number(lunar.month);
}

std::string ShortMonthMessage(const LunarDay& lunar, Language language) {
  if (language == Language::Chinese) {
    return "农历" + Number(lunar.year) + "年" + (lunar.leap ? "闰" : "") + Number(lunar.month) + "月只有29天";
  }
  return std::string(lunar.leap ? "leap month " : "month ") + Number(lunar.month) + " of lunar year " +
         Number(lunar.year) + " has 29 days, not 30";
}

std::string NoSolarTermsMessage(int32_t year, const YearRange& range, Language language) {
  if (language == Language::Chinese) {
    return "没有" + Number(year) + "年的节气：日历只有" + Number(range.first) + "年至" + Number(range.last) +
           "年的节气";
  }
  return "no solar terms for " + Number(year) + ": the calendar has them for " + Number(range.first) + " to " +
         Number(range.last);
}

std::string OutputFailedMessage(Language language) {
  return language == Language::Chinese ? "无法写出结果" : "could not write the output";
}

}  // namespace lunacal_tool
