// SPDX-License-Identifier: MIT
// lunacal, the calendar on the command line: dates, pillars and solar terms for people and
// scripts, asked of the shared library through its exports alone. A result is printed whole or
// not at all: on any error standard output stays empty and one line goes to standard error.

#include <cstdio>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "lunacal/tool/arguments.h"
#include "lunacal/tool/calendar_queries.h"
#include "lunacal/tool/report.h"

#if defined(_WIN32)
#include <windows.h>
#endif

namespace lunacal_tool {
namespace {

constexpr int kExitBadInput = 1;
constexpr int kExitUsage = 2;

struct Outcome {
  int status = 0;
  std::string output;   // for standard output
  std::string message;  // one line for standard error
};

Outcome Failure(std::string message) { return {kExitBadInput, {}, std::move(message)}; }

Outcome MomentCommand(const Request& request, Language language) {
  CivilMoment moment = CurrentMoment();
  if (request.date) {
    const auto date = ReadGregorianDate(*request.date);
    if (!date) {
      return Failure(NotADateMessage(*request.date, language));
    }
    moment = *date;
    if (request.time) {
      const auto time = ReadTimeOfDay(*request.time);
      if (!time) {
        return Failure(NotATimeMessage(*request.time, language));
      }
      moment.hour = time->hour;
      moment.minute = time->minute;
      moment.second = time->second;
    }
  }
  const double value = DateValue(moment);
  const auto lunar = LunarDateOf(value);
  const auto pillars = PillarsOf(value);
  if (!lunar || !pillars) {
    return Failure(OutsideCalendarMessage(moment, LunarCalendarRange(), language));
  }
  return {0, MomentReport(moment, *lunar, *pillars, TermsAroundMoment(moment), language, request.json), {}};
}

Outcome FromLunarCommand(const Request& request, Language language) {
  const std::string& text = request.date.value_or(std::string());
  const auto fields = ReadDateFields(text);
  if (!fields || fields->month < 1 || fields->month > 12 || fields->day < 1 || fields->day > 30) {
    return Failure(NotALunarDateMessage(text, language));
  }
  const LunarDay lunar{fields->year, fields->month, fields->day, request.leap};
  const GregorianAnswer answer = GregorianDateOf(lunar);
  switch (answer.result) {
    case LunarLookup::Found:
      return {0, FromLunarReport(lunar, answer.date, language, request.json), {}};
    case LunarLookup::NoLeapMonth:
      return Failure(NoLeapMonthMessage(lunar, language));
    case LunarLookup::ShortMonth:
      return Failure(ShortMonthMessage(lunar, language));
    case LunarLookup::OutsideRange:
      break;
  }
  const DayRange range = LunarCalendarRange();
  return Failure(OutsideLunarCalendarMessage(lunar, LunarDateOf(DateValue(range.first)).value_or(LunarDay{}),
                                             LunarDateOf(DateValue(range.last)).value_or(LunarDay{}), language));
}

Outcome SolarTermsCommand(const Request& request, Language language) {
  const auto year = ReadYear(request.year);
  if (!year) {
    return Failure(NotAYearMessage(request.year, language));
  }
  const auto terms = SolarTermsOf(*year);
  if (!terms) {
    return Failure(NoSolarTermsMessage(*year, SolarTermYears(), language));
  }
  return {0, SolarTermsReport(*year, *terms, language, request.json), {}};
}

Outcome Run(const std::vector<std::string_view>& arguments, Language language) {
  const ParsedArguments parsed = ParseArguments(arguments);
  if (parsed.fault != UsageFault::None) {
    return {kExitUsage, {}, UsageMessage(parsed.fault, parsed.detail, language)};
  }
  switch (parsed.request.command) {
    case Command::Help:
      return {0, HelpText(), {}};
    case Command::Version:
      return {0, VersionText(), {}};
    case Command::Moment:
      return MomentCommand(parsed.request, language);
    case Command::FromLunar:
      return FromLunarCommand(parsed.request, language);
    case Command::SolarTerms:
      return SolarTermsCommand(parsed.request, language);
  }
  return {kExitUsage, {}, {}};
}

}  // namespace
}  // namespace lunacal_tool

int main(int argc, char** argv) {
  using namespace lunacal_tool;
#if defined(_WIN32)
  // The output is UTF-8; a console shows it only when told so (a pipe or file takes the bytes).
  SetConsoleOutputCP(CP_UTF8);
#endif
  const std::vector<std::string_view> arguments(argv + (argc > 0 ? 1 : 0), argv + argc);
  const Language language = MessageLanguage();
  Outcome outcome = Run(arguments, language);
  if (!outcome.output.empty()) {
    const bool written = std::fwrite(outcome.output.data(), 1, outcome.output.size(), stdout) ==
                             outcome.output.size() &&
                         std::fflush(stdout) == 0;
    if (!written) {
      outcome = {kExitBadInput, {}, OutputFailedMessage(language)};
    }
  }
  if (!outcome.message.empty()) {
    const std::string line =
        std::string(language == Language::Chinese ? "lunacal：" : "lunacal: ") + outcome.message + "\n";
    std::fwrite(line.data(), 1, line.size(), stderr);
  }
  return outcome.status;
}
