// SPDX-License-Identifier: MIT
#pragma once
// The command line of lunacal: which of its commands is asked for, and the reading of the dates,
// times and years it is given. Reading is strict so that a typing slip is an error, never a
// different day.

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "lunacal/tool/calendar_queries.h"

namespace lunacal_tool {

enum class Command {
  Help,
  Version,
  Moment,      // lunacal [DATE [TIME]]
  FromLunar,   // lunacal --lunar YYYY-MM-DD [--leap]
  SolarTerms,  // lunacal --terms YEAR
};

// A command line that makes sense as a whole; the texts are read by the functions below.
struct Request {
  Command command = Command::Moment;
  bool json = false;
  bool leap = false;
  std::optional<std::string> date;  // DATE, or the lunar date of --lunar
  std::optional<std::string> time;  // TIME
  std::string year;                 // the YEAR of --terms
};

enum class UsageFault {
  None,
  UnknownOption,     // `detail` is the option
  MissingValue,      // `detail` is the option that needs one
  TooManyArguments,  // `detail` is the first one too many
  TwoCommands,       // --lunar and --terms together
  LeapWithoutLunar,
  ArgumentsWithCommand,  // DATE or TIME given to --lunar or --terms; `detail` is the first
};

struct ParsedArguments {
  Request request;
  UsageFault fault = UsageFault::None;
  std::string detail;
};

// --help and --version win wherever they stand; otherwise the first fault is reported.
ParsedArguments ParseArguments(const std::vector<std::string_view>& arguments);

// YYYY-MM-DD with a four-digit year and a month and day of one or two digits: the fields as
// written, or nullopt when the text has another shape. Whether they form a date is not checked.
struct DateFields {
  int32_t year = 0;
  int32_t month = 0;
  int32_t day = 0;
};
std::optional<DateFields> ReadDateFields(std::string_view text);

// A Gregorian date: nullopt for 2023-02-29, 2023-13-01 and any other text that is no date.
std::optional<CivilMoment> ReadGregorianDate(std::string_view text);

// HH:MM or HH:MM:SS (an hour of one or two digits) within 00:00:00 .. 23:59:59; 24:00 is refused.
// The result carries only the time fields.
std::optional<CivilMoment> ReadTimeOfDay(std::string_view text);

// A year of one to four digits.
std::optional<int32_t> ReadYear(std::string_view text);

}  // namespace lunacal_tool
