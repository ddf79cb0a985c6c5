// SPDX-License-Identifier: MIT
#pragma once
// What every platform's run-time binding of lunacal shares: the exports it looks up, their type,
// and what the window tells the parents when the library cannot be reached, the same words on
// every platform; only the file name the library has there differs.

#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <type_traits>

#include "chart/calendar.h"
#include "lunacal/lunacal.h"

namespace chart {

// The exports are looked up by name, so their type is taken from the library's own header rather
// than restated; decltype does not reference the symbols, so nothing is linked against them. On
// 32-bit Windows the type carries the stdcall convention.
using LunacalExportPointer = decltype(&::GetGLToRLNian);
static_assert(std::is_same_v<LunacalExportPointer, decltype(&::GetSiZhuXHTime)>);

// Export names in the order of CalendarFunction, which indexes this table.
inline constexpr std::array<const char*, 8> kLunacalExportNames{
    "GetGLToRLNian",  "GetGLToRLMonth",  "GetGLToRLDay",  "GetGLToRLRun",
    "GetSiZhuXHYear", "GetSiZhuXHMonth", "GetSiZhuXHDay", "GetSiZhuXHTime",
};
static_assert(static_cast<size_t>(CalendarFunction::GetSiZhuXHTime) + 1 == kLunacalExportNames.size());

// The library gives a 32-bit integer of which only the low 16 bits are meant; since C++20 the
// narrowing conversion is defined to keep exactly those bits as a two's complement number.
inline int16_t LunacalLowSigned16(int32_t value) { return static_cast<int16_t>(value); }

inline std::u16string LunacalLoadFailureMessage(std::u16string_view file_name) {
  std::u16string message = u"无法加载日历库 lunacal（";
  (message += file_name) += u"），无法生成生辰八字。";
  return message;
}

// `function_name` is one of the ASCII export names.
inline std::u16string LunacalMissingFunctionMessage(std::string_view function_name) {
  std::u16string message = u"日历库 lunacal 中缺少函数 ";
  for (const char c : function_name) message += static_cast<char16_t>(static_cast<unsigned char>(c));
  message += u"，无法生成生辰八字。";
  return message;
}

// The places tried and the loader's reasons follow the load-failure message, so whoever installed
// the library can see what went wrong.
inline constexpr std::u16string_view kLunacalPlacesTried = u"\r\n已尝试：";

inline constexpr std::u16string_view kLunacalNoSuchFunction = u"日历库 lunacal 中没有所请求的函数。";

}  // namespace chart
