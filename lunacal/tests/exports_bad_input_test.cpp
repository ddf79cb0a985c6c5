// SPDX-License-Identifier: MIT
// Hostile arguments through every export: non-finite and far-off DATE values, the extremes of
// every 32-bit argument and of a buffer length. Nothing may crash, and every result must be the
// fixed value of a refused input or lie in its documented range.

#include <gtest/gtest.h>

#include <cstring>
#include <limits>
#include <string>

#include "lunacal/tests/exports_library.h"

namespace {

constexpr int32_t kMin = std::numeric_limits<int32_t>::min();
constexpr int32_t kMax = std::numeric_limits<int32_t>::max();

TEST(ExportsBadInput, dateValuesOutsideTheRange_giveZeroes) {
  const LunacalExports* lib = Lunacal();
  ASSERT_NE(lib, nullptr);
  constexpr double inf = std::numeric_limits<double>::infinity();
  const double moments[] = {
      std::numeric_limits<double>::quiet_NaN(), -std::numeric_limits<double>::quiet_NaN(),
      inf, -inf, std::numeric_limits<double>::max(), std::numeric_limits<double>::lowest(),
      1e300, -1e300, 4294967296.0 + 36526.0, -4294967296.0,
      2958465.0, 2958465.5, 2958466.0, -657434.0, -657435.0, -1.25,
      0.0, -0.0, std::numeric_limits<double>::denorm_min(),
      Moment(2049, 1, 1), Moment(1901, 2, 18, 23, 59, 59),
  };
  for (const double moment : moments) {
    SCOPED_TRACE(testing::Message() << "DATE " << moment);
    EXPECT_EQ(lib->GetGLToRLNian(moment), 0);
    EXPECT_EQ(lib->GetGLToRLMonth(moment), 0);
    EXPECT_EQ(lib->GetGLToRLDay(moment), 0);
    EXPECT_EQ(lib->GetGLToRLRun(moment), 0);
    EXPECT_EQ(lib->GetSiZhuXHYear(moment), 0);
    EXPECT_EQ(lib->GetSiZhuXHMonth(moment), 0);
    EXPECT_EQ(lib->GetSiZhuXHDay(moment), 0);
    EXPECT_EQ(lib->GetSiZhuXHTime(moment), 0);
  }
}

// A sweep over the whole range at odd times of day: every lunar field and pillar in its range.
TEST(ExportsBadInput, dateValuesInsideTheRange_giveFieldsInRange) {
  const LunacalExports* lib = Lunacal();
  ASSERT_NE(lib, nullptr);
  for (double moment = Moment(1901, 2, 19); moment < Moment(2049, 1, 1); moment += 13.377) {
    SCOPED_TRACE(testing::Message() << "DATE " << moment);
    const int32_t year = lib->GetGLToRLNian(moment);
    ASSERT_GE(year, 1901);
    ASSERT_LE(year, 2048);
    ASSERT_GE(lib->GetGLToRLMonth(moment), 1);
    ASSERT_LE(lib->GetGLToRLMonth(moment), 12);
    ASSERT_GE(lib->GetGLToRLDay(moment), 1);
    ASSERT_LE(lib->GetGLToRLDay(moment), 30);
    ASSERT_TRUE(lib->GetGLToRLRun(moment) == 0 || lib->GetGLToRLRun(moment) == 1);
    for (const int32_t index : {lib->GetSiZhuXHYear(moment), lib->GetSiZhuXHMonth(moment),
                                lib->GetSiZhuXHDay(moment), lib->GetSiZhuXHTime(moment)}) {
      ASSERT_GE(index, 1);
      ASSERT_LE(index, 60);
    }
  }
}

// Values that wrap to a valid 16-bit number (2000 + 65536) catch an argument narrowed too early.
TEST(ExportsBadInput, solarTermArgumentsAtTheExtremes_giveTheFallback) {
  const LunacalExports* lib = Lunacal();
  ASSERT_NE(lib, nullptr);
  const int32_t years[] = {kMin, kMin + 1, -2000, -1, 0, 1879, 2080, 2000 + 65536, 2000 - 65536, kMax};
  const int32_t terms[] = {kMin, -1, 0, 1, 24, 25, 1 + 65536, kMax};
  const int32_t bad_terms[] = {kMin, -1, 0, 25, 1 + 65536, 1 - 65536, kMax};
  const auto expect_fallback = [&](int32_t year, int32_t term) {
    SCOPED_TRACE(testing::Message() << "year " << year << " term " << term);
    EXPECT_EQ(lib->GetJieQiTime_Day(year, term), 1);
    EXPECT_EQ(lib->GetJieQiTime_Hour(year, term), 0);
    EXPECT_EQ(lib->GetJieQiTime_Minute(year, term), 0);
    EXPECT_EQ(lib->GetJieQiTime_Second(year, term), 0);
  };
  for (const int32_t year : years) {
    for (const int32_t term : terms) expect_fallback(year, term);
  }
  for (const int32_t term : bad_terms) expect_fallback(2000, term);
}

TEST(ExportsBadInput, lunarDateArgumentsAtTheExtremes_giveTheRefusedDate) {
  const LunacalExports* lib = Lunacal();
  ASSERT_NE(lib, nullptr);
  // The first entry of each list is valid; every other combination has at least one bad argument.
  const int32_t years[] = {1901, kMin, -1, 0, 1900, 2050, 1901 + 65536, kMax};
  const int32_t months[] = {1, kMin, -1, 0, 13, 1 + 65536, kMax};
  const int32_t days[] = {1, kMin, -1, 0, 31, 1 + 65536, kMax};
  const int32_t leaps[] = {kMin, -1, 0, 1, 2, 256, kMax};
  for (const int32_t year : years) {
    for (const int32_t month : months) {
      for (const int32_t day : days) {
        for (const int32_t leap : leaps) {
          SCOPED_TRACE(testing::Message() << year << "-" << month << "-" << day << " leap " << leap);
          const bool valid = year == 1901 && month == 1 && day == 1;
          // Lunar 1901 has no leap month, so every leap value converts the ordinary month.
          EXPECT_EQ(lib->RLToGL_Year(year, month, day, leap), valid ? 1901 : 1899);
          EXPECT_EQ(lib->RLToGL_Month(year, month, day, leap), valid ? 2 : 12);
          EXPECT_EQ(lib->RLToGL_Day(year, month, day, leap), valid ? 19 : 30);
        }
      }
    }
  }
}

// A length larger than the text must still write only the text and its zero.
TEST(ExportsBadInput, identificationLengthsAtTheExtremes_writeNoMoreThanTheText) {
  const LunacalExports* lib = Lunacal();
  ASSERT_NE(lib, nullptr);
  using Export = int32_t(LUNACAL_CALL*)(char*, int32_t);
  for (const Export call : {lib->SysDiskID, lib->SysCPUID, lib->SysBIOSID}) {
    for (const int32_t length : {kMin, kMin + 1, -1, kMax}) {
      SCOPED_TRACE(testing::Message() << "length " << length);
      char buffer[512];
      std::memset(buffer, 'x', sizeof buffer);
      const int32_t result = call(buffer, length);
      ASSERT_TRUE(result == 0 || result == 1);
      const std::size_t written = result == 0 ? 0 : std::strlen(buffer) + 1;
      ASSERT_LT(written, 201u);
      EXPECT_EQ(std::string(buffer + written, sizeof buffer - written),
                std::string(sizeof buffer - written, 'x'));
      EXPECT_EQ(call(nullptr, length), result);
    }
  }
}

}  // namespace
