// SPDX-License-Identifier: MIT
#pragma once
// What the window tells the parents when the calendar library cannot be reached, the same words on
// every platform; only the file name the library has there differs.

#include <string>
#include <string_view>

namespace chart {

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

inline constexpr std::u16string_view kLunacalNoSuchFunction = u"日历库 lunacal 中没有所请求的函数。";

}  // namespace chart
