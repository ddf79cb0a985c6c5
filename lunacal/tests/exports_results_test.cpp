// SPDX-License-Identifier: MIT
// The results of the exports at the edges of the calendar range, for the refused inputs and for
// the rounding of a moment to the second, called through the loaded library.

#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <cstring>
#include <limits>
#include <regex>
#include <string>

#include "lunacal/tests/exports_library.h"

namespace {

struct LunarCase {
  const char* what;
  double moment;
  int32_t year, month, day, leap;
};

TEST(ExportsResults, lunarDate_atRangeEdgesAndRounding) {
  const LunacalExports* lib = Lunacal();
  ASSERT_NE(lib, nullptr);
  const LunarCase cases[] = {
      {"first day of the range", Moment(1901, 2, 19), 1901, 1, 1, 0},
      {"one second before the range", Moment(1901, 2, 18, 23, 59, 59), 0, 0, 0, 0},
      {"23:59:59.6 rounds into the first day", Moment(1901, 2, 18, 23, 59, 59.6), 1901, 1, 1, 0},
      {"23:59:59.4 stays before it", Moment(1901, 2, 18, 23, 59, 59.4), 0, 0, 0, 0},
      {"first day of a leap month", Moment(2020, 5, 23), 2020, 4, 1, 1},
      {"the day before it, in the ordinary month", Moment(2020, 5, 22, 12), 2020, 4, 30, 0},
      {"2049 is outside the range", Moment(2049, 1, 1), 0, 0, 0, 0},
  };
  for (const LunarCase& c : cases) {
    SCOPED_TRACE(c.what);
    EXPECT_EQ(lib->GetGLToRLNian(c.moment), c.year);
    EXPECT_EQ(lib->GetGLToRLMonth(c.moment), c.month);
    EXPECT_EQ(lib->GetGLToRLDay(c.moment), c.day);
    EXPECT_EQ(lib->GetGLToRLRun(c.moment), c.leap);
  }
}

struct PillarCase {
  const char* what;
  double moment;
  int32_t year, month, day, hour;
};

TEST(ExportsResults, fourPillars_atRangeEdgesAndRounding) {
  const LunacalExports* lib = Lunacal();
  ASSERT_NE(lib, nullptr);
  const PillarCase cases[] = {
      {"noon of 2000-01-01, before 小寒", Moment(2000, 1, 1, 12), 16, 13, 55, 55},
      {"first moment of the range", Moment(1901, 2, 19), 38, 27, 5, 49},
      {"one second before the range", Moment(1901, 2, 18, 23, 59, 59), 0, 0, 0, 0},
      {"23:59:59.6 rounds into the range", Moment(1901, 2, 18, 23, 59, 59.6), 38, 27, 5, 49},
      {"22:59:59.6 rounds to the next day's 子 hour", Moment(2000, 1, 5, 22, 59, 59.6), 16, 13, 60, 49},
      {"last half hour of the range", Moment(2048, 12, 31, 23, 30), 5, 1, 13, 25},
      {"2049-01-01 is outside the range", Moment(2049, 1, 1), 0, 0, 0, 0},
  };
  for (const PillarCase& c : cases) {
    SCOPED_TRACE(c.what);
    EXPECT_EQ(lib->GetSiZhuXHYear(c.moment), c.year);
    EXPECT_EQ(lib->GetSiZhuXHMonth(c.moment), c.month);
    EXPECT_EQ(lib->GetSiZhuXHDay(c.moment), c.day);
    EXPECT_EQ(lib->GetSiZhuXHTime(c.moment), c.hour);
  }
}

// How a moment near a second's boundary must read once rounded to the second: as the boundary
// itself or as the second before it.
enum class ReadsAs { SecondBefore, Boundary };

struct TieCase {
  const char* what;
  int32_t year, month, day, hour;
  ReadsAs one_ulp_lower, tie, one_ulp_higher;
};

// The tie is the double nearest to the boundary less half a second. Whether it reaches the boundary
// is decided by SplitDate's rounding in IEEE double arithmetic (add half a second, then truncate),
// so it differs from boundary to boundary; extended-precision arithmetic would read several of
// these ties as the second before.
TEST(ExportsResults, halfSecondTies_roundInDoubleArithmetic) {
  const LunacalExports* lib = Lunacal();
  ASSERT_NE(lib, nullptr);
  using enum ReadsAs;
  const TieCase cases[] = {
      {"the range's first midnight", 1901, 2, 19, 0, SecondBefore, Boundary, Boundary},
      {"a midnight whose tie rounds up only in double arithmetic", 1982, 5, 25, 0, SecondBefore, Boundary, Boundary},
      {"a 寅 hour whose tie rounds up only in double arithmetic", 1982, 5, 25, 3, SecondBefore, Boundary, Boundary},
      {"a 23:00 whose tie falls short", 1982, 5, 25, 23, SecondBefore, SecondBefore, Boundary},
      {"a 23:00 whose tie reaches it", 2000, 1, 1, 23, SecondBefore, Boundary, Boundary},
      {"the midnight after the range", 2049, 1, 1, 0, SecondBefore, Boundary, Boundary},
  };
  constexpr double kHalfSecond = 0.5 / 86400;
  constexpr double kSecond = 1.0 / 86400;
  const auto answers = [lib](double moment) {
    return std::array{lib->GetGLToRLNian(moment), lib->GetGLToRLMonth(moment), lib->GetGLToRLDay(moment),
                      lib->GetGLToRLRun(moment),  lib->GetSiZhuXHYear(moment), lib->GetSiZhuXHMonth(moment),
                      lib->GetSiZhuXHDay(moment), lib->GetSiZhuXHTime(moment)};
  };
  for (const TieCase& c : cases) {
    SCOPED_TRACE(c.what);
    const double boundary = Moment(c.year, c.month, c.day, c.hour);
    // Both references lie far from any tie, and some answer turns between them.
    const auto at_boundary = answers(boundary);
    const auto second_before = answers(boundary - kSecond);
    ASSERT_NE(at_boundary, second_before);
    const double tie = boundary - kHalfSecond;
    const struct {
      const char* which;
      double moment;
      ReadsAs reads_as;
    } probes[] = {
        {"one ulp below the tie", std::nextafter(tie, -std::numeric_limits<double>::infinity()), c.one_ulp_lower},
        {"the tie", tie, c.tie},
        {"one ulp above the tie", std::nextafter(tie, std::numeric_limits<double>::infinity()), c.one_ulp_higher},
    };
    for (const auto& probe : probes) {
      SCOPED_TRACE(probe.which);
      EXPECT_EQ(answers(probe.moment), probe.reads_as == Boundary ? at_boundary : second_before);
    }
  }
}

struct TermCase {
  int32_t year, term;
  int32_t day, hour, minute, second;
};

TEST(ExportsResults, solarTermTime_knownTermsAndFallback) {
  const LunacalExports* lib = Lunacal();
  ASSERT_NE(lib, nullptr);
  const TermCase cases[] = {
      {2000, 1, 4, 20, 40, 23},  // 立春 2000
      {2000, 23, 6, 9, 0, 41},   // 小寒 in January 2000, not 2001
      {1879, 1, 1, 0, 0, 0},     // years and terms outside the table give the fallback moment
      {2080, 1, 1, 0, 0, 0},
      {2000, 0, 1, 0, 0, 0},
      {2000, 25, 1, 0, 0, 0},
  };
  for (const TermCase& c : cases) {
    SCOPED_TRACE(testing::Message() << "year " << c.year << " term " << c.term);
    EXPECT_EQ(lib->GetJieQiTime_Day(c.year, c.term), c.day);
    EXPECT_EQ(lib->GetJieQiTime_Hour(c.year, c.term), c.hour);
    EXPECT_EQ(lib->GetJieQiTime_Minute(c.year, c.term), c.minute);
    EXPECT_EQ(lib->GetJieQiTime_Second(c.year, c.term), c.second);
  }
  // The first and last years of the table are inside it: 小寒 falls on January 4..7, 大寒 on 19..21.
  EXPECT_GE(lib->GetJieQiTime_Day(1880, 23), 4);
  EXPECT_LE(lib->GetJieQiTime_Day(1880, 23), 7);
  EXPECT_GE(lib->GetJieQiTime_Day(2079, 24), 19);
  EXPECT_LE(lib->GetJieQiTime_Day(2079, 24), 21);
}

struct GregorianCase {
  const char* what;
  int32_t year, month, day, leap;
  int32_t g_year, g_month, g_day;
};

TEST(ExportsResults, lunarToGregorian_leapFlagAndRefusals) {
  const LunacalExports* lib = Lunacal();
  ASSERT_NE(lib, nullptr);
  const GregorianCase cases[] = {
      {"first lunar day", 1901, 1, 1, 0, 1901, 2, 19},
      {"leap month asked with 1", 2020, 4, 1, 1, 2020, 5, 23},
      {"ordinary month with 0", 2020, 4, 1, 0, 2020, 4, 23},
      {"-1 asks for the ordinary month", 2020, 4, 1, -1, 2020, 4, 23},
      {"2 asks for the ordinary month", 2020, 4, 1, 2, 2020, 4, 23},
      {"leap asked where none is: the ordinary month", 1901, 1, 1, 1, 1901, 2, 19},
      {"month 13 is refused", 1901, 13, 1, 0, 1899, 12, 30},
      {"day 31 is refused", 1901, 1, 31, 0, 1899, 12, 30},
      {"lunar 2049 falls outside the range", 2049, 1, 1, 0, 1899, 12, 30},
      {"1900 is before the table", 1900, 1, 1, 0, 1899, 12, 30},
  };
  for (const GregorianCase& c : cases) {
    SCOPED_TRACE(c.what);
    EXPECT_EQ(lib->RLToGL_Year(c.year, c.month, c.day, c.leap), c.g_year);
    EXPECT_EQ(lib->RLToGL_Month(c.year, c.month, c.day, c.leap), c.g_month);
    EXPECT_EQ(lib->RLToGL_Day(c.year, c.month, c.day, c.leap), c.g_day);
  }
}

#if defined(__i386__) || defined(__x86_64__)
TEST(ExportsResults, sysCpuId_copyRuleOnTheRealText) {
  const LunacalExports* lib = Lunacal();
  ASSERT_NE(lib, nullptr);
  char whole[64];
  std::memset(whole, 'x', sizeof whole);
  ASSERT_EQ(lib->SysCPUID(whole, -1), 1);
  ASSERT_EQ(whole[35], '\0');
  EXPECT_EQ(whole[36], 'x');
  const std::string text(whole);
  EXPECT_TRUE(std::regex_match(text, std::regex("[0-9A-F]{8}(-[0-9A-F]{8}){3}"))) << text;

  char cut[64];
  std::memset(cut, 'x', sizeof cut);
  EXPECT_EQ(lib->SysCPUID(cut, 10), 1);
  EXPECT_EQ(std::string(cut, 11), text.substr(0, 10) + "x");

  char untouched[64];
  std::memset(untouched, 'x', sizeof untouched);
  EXPECT_EQ(lib->SysCPUID(untouched, 0), 1);
  EXPECT_EQ(std::string(untouched, sizeof untouched), std::string(sizeof untouched, 'x'));

  EXPECT_EQ(lib->SysCPUID(nullptr, -1), 1);
}
#endif

// Disk and firmware texts depend on the machine; whatever it offers must obey the copy rule.
TEST(ExportsResults, diskAndBiosIds_eitherATerminatedTextOrUntouched) {
  const LunacalExports* lib = Lunacal();
  ASSERT_NE(lib, nullptr);
  struct Export {
    const char* name;
    int32_t(LUNACAL_CALL* call)(char*, int32_t);
    std::size_t longest;
  };
  const Export exports[] = {{"SysDiskID", lib->SysDiskID, 60}, {"SysBIOSID", lib->SysBIOSID, 199}};
  for (const Export& e : exports) {
    SCOPED_TRACE(e.name);
    char buffer[256];
    std::memset(buffer, 'x', sizeof buffer);
    const int32_t result = e.call(buffer, -1);
    if (result == 0) {
      EXPECT_EQ(std::string(buffer, sizeof buffer), std::string(sizeof buffer, 'x'));
      continue;
    }
    ASSERT_EQ(result, 1);
    const void* zero = std::memchr(buffer, '\0', e.longest + 1);
    ASSERT_NE(zero, nullptr);
    EXPECT_GT(std::strlen(buffer), 0u);
  }
}

}  // namespace
