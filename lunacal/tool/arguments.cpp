// SPDX-License-Identifier: MIT
#include "lunacal/tool/arguments.h"

namespace lunacal_tool {
namespace {

// The decimal value of a run of `min_digits` to `max_digits` ASCII digits at the front of `text`,
// which it then drops; at most four digits, so the value fits any field.
std::optional<int32_t> TakeNumber(std::string_view& text, size_t min_digits, size_t max_digits) {
  size_t count = 0;
  int32_t value = 0;
  while (count < text.size() && count < max_digits && text[count] >= '0' && text[count] <= '9') {
    value = value * 10 + (text[count] - '0');  // [0, 9999]
    ++count;
  }
  if (count < min_digits) {
    return std::nullopt;
  }
  text.remove_prefix(count);
  return value;
}

bool TakeSeparator(std::string_view& text, char separator) {
  if (text.empty() || text.front() != separator) {
    return false;
  }
  text.remove_prefix(1);
  return true;
}

}  // namespace

ParsedArguments ParseArguments(const std::vector<std::string_view>& arguments) {
  ParsedArguments parsed;
  Request& request = parsed.request;
  const auto fault = [&](UsageFault kind, std::string_view detail) {
    if (parsed.fault == UsageFault::None) {
      parsed.fault = kind;
      parsed.detail = detail;
    }
  };
  bool lunar = false;
  bool terms = false;
  std::vector<std::string_view> positional;
  for (size_t i = 0; i < arguments.size(); ++i) {
    const std::string_view argument = arguments[i];
    if (argument == "-h" || argument == "--help" || argument == "--version") {
      ParsedArguments asked;
      asked.request.command = argument == "--version" ? Command::Version : Command::Help;
      return asked;
    }
    if (argument == "--json") {
      request.json = true;
    } else if (argument == "--leap") {
      request.leap = true;
    } else if (argument == "--lunar" || argument == "--terms") {
      if (i + 1 == arguments.size()) {
        fault(UsageFault::MissingValue, argument);
        continue;
      }
      const std::string_view value = arguments[++i];
      if (argument == "--lunar") {
        lunar = true;
        request.date = std::string(value);
      } else {
        terms = true;
        request.year = value;
      }
    } else if (argument.size() > 1 && argument.front() == '-') {
      fault(UsageFault::UnknownOption, argument);
    } else {
      positional.push_back(argument);
    }
  }
  if (lunar && terms) {
    fault(UsageFault::TwoCommands, {});
  }
  if (request.leap && !lunar) {
    fault(UsageFault::LeapWithoutLunar, {});
  }
  if (lunar || terms) {
    request.command = lunar ? Command::FromLunar : Command::SolarTerms;
    if (!positional.empty()) {
      fault(UsageFault::ArgumentsWithCommand, positional.front());
    }
  } else {
    if (positional.size() > 2) {
      fault(UsageFault::TooManyArguments, positional[2]);
    }
    if (!positional.empty()) {
      request.date = std::string(positional[0]);
    }
    if (positional.size() > 1) {
      request.time = std::string(positional[1]);
    }
  }
  return parsed;
}

std::optional<DateFields> ReadDateFields(std::string_view text) {
  const auto year = TakeNumber(text, 4, 4);
  if (!year || !TakeSeparator(text, '-')) {
    return std::nullopt;
  }
  const auto month = TakeNumber(text, 1, 2);
  if (!month || !TakeSeparator(text, '-')) {
    return std::nullopt;
  }
  const auto day = TakeNumber(text, 1, 2);
  if (!day || !text.empty()) {
    return std::nullopt;
  }
  return DateFields{*year, *month, *day};
}

std::optional<CivilMoment> ReadGregorianDate(std::string_view text) {
  const auto fields = ReadDateFields(text);
  if (!fields) {
    return std::nullopt;
  }
  const CivilMoment date{fields->year, fields->month, fields->day, 0, 0, 0};
  if (!IsValidMoment(date)) {
    return std::nullopt;
  }
  return date;
}

std::optional<CivilMoment> ReadTimeOfDay(std::string_view text) {
  const auto hour = TakeNumber(text, 1, 2);
  if (!hour || !TakeSeparator(text, ':')) {
    return std::nullopt;
  }
  const auto minute = TakeNumber(text, 2, 2);
  if (!minute) {
    return std::nullopt;
  }
  std::optional<int32_t> second = 0;
  if (!text.empty()) {
    if (!TakeSeparator(text, ':') || !(second = TakeNumber(text, 2, 2)) || !text.empty()) {
      return std::nullopt;
    }
  }
  if (*hour > 23 || *minute > 59 || *second > 59) {
    return std::nullopt;
  }
  return CivilMoment{0, 0, 0, *hour, *minute, *second};
}

std::optional<int32_t> ReadYear(std::string_view text) {
  const auto year = TakeNumber(text, 1, 4);
  if (!year || !text.empty()) {
    return std::nullopt;
  }
  return year;
}

}  // namespace lunacal_tool
