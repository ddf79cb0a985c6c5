// SPDX-License-Identifier: MIT
#pragma once
// The Windows tests are plain programs run under wine: each check that fails prints where and
// what, and the program's exit status is the number of failed checks.

#include <windows.h>

#include <cstdio>
#include <string>
#include <string_view>

#include "lunacal/utf8.h"

namespace app::win32::testing {

inline int failures = 0;

inline std::string Utf8(std::u16string_view text) { return lunacal::text::ToUtf8(text); }

inline void Fail(const char* file, int line, const std::string& what) {
  ++failures;
  std::fprintf(stderr, "%s:%d: FAILED %s\n", file, line, what.c_str());
}

inline std::string Shown(long long value) { return std::to_string(value); }
inline std::string Shown(std::u16string_view text) { return '"' + Utf8(text) + '"'; }
inline std::string Shown(const std::u16string& text) { return Shown(std::u16string_view(text)); }
inline std::string Shown(const char16_t* text) { return Shown(std::u16string_view(text)); }

}  // namespace app::win32::testing

#define CHECK(condition)                                                             \
  do {                                                                               \
    if (!(condition)) ::app::win32::testing::Fail(__FILE__, __LINE__, #condition);  \
  } while (false)

#define CHECK_EQ(actual, expected)                                                                   \
  do {                                                                                               \
    const auto& check_actual = (actual);                                                             \
    const auto& check_expected = (expected);                                                         \
    if (!(check_actual == check_expected)) {                                                         \
      ::app::win32::testing::Fail(__FILE__, __LINE__,                                                \
                                  std::string(#actual " == " #expected ": got ") +                   \
                                      ::app::win32::testing::Shown(check_actual) + ", expected " +   \
                                      ::app::win32::testing::Shown(check_expected));                 \
    }                                                                                                \
  } while (false)
