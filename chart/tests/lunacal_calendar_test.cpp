// SPDX-License-Identifier: MIT
// Covers the run-time binding to lunacal: a missing library file, a library that lacks functions
// (a small stand-in built beside the tests), the keeping of the low 16 bits of each result, and
// whole reports computed by the real library found next to the test program.
#include "chart/lunacal_calendar.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "chart/birth_chart.h"

namespace chart {
namespace {

const BirthInput kNewYear2000{u"2000", u"1", u"1", u"12", u"0"};

bool Contains(const std::u16string& text, std::u16string_view part) {
  return text.find(part) != std::u16string::npos;
}

TEST(LunacalCalendar, MissingLibraryGivesAMessageAndNoReport) {
  LunacalCalendar calendar({"/nonexistent/liblunacal.so.1", "liblunacal-missing.so.1"});
  EXPECT_FALSE(calendar.Call(CalendarFunction::GetGLToRLNian, 36526.5).has_value());
  EXPECT_TRUE(Contains(calendar.ErrorMessage(), u"无法加载日历库 lunacal（liblunacal.so.1）"));

  const BaZiReport report = BuildBaZiReport(calendar, kNewYear2000);
  EXPECT_FALSE(report.text.has_value());
  EXPECT_EQ(report.message, calendar.ErrorMessage());
}

TEST(LunacalCalendar, LoadFailureNamesEachPlaceTriedWithTheLoadersReason) {
  // A file that exists but is no library gives the loader a reason other than a missing file.
  const std::string junk = ::testing::TempDir() + "liblunacal-junk.so.1";
  std::ofstream(junk) << "not a shared object";
  LunacalCalendar calendar({"/nonexistent/日历/liblunacal.so.1", junk, "/tmp/\xff/liblunacal.so.1"});
  EXPECT_FALSE(calendar.Call(CalendarFunction::GetSiZhuXHDay, 36526.5).has_value());
  const std::u16string message = calendar.ErrorMessage();

  EXPECT_TRUE(Contains(message, u"已尝试："));
  EXPECT_TRUE(Contains(message, u"\r\n/nonexistent/日历/liblunacal.so.1："
                                u"cannot open shared object file: No such file or directory"))
      << ::testing::PrintToString(message);
  const size_t junk_line = message.find(std::u16string(junk.begin(), junk.end()) + u"：");
  ASSERT_NE(junk_line, std::u16string::npos);
  const std::u16string junk_reason = message.substr(junk_line, message.find(u'\r', junk_line) - junk_line);
  EXPECT_FALSE(Contains(junk_reason, u"No such file")) << ::testing::PrintToString(junk_reason);
  EXPECT_GT(junk_reason.size(), junk.size() + 2);
  // A byte that is not UTF-8 is shown as U+FFFD, the rest of the path kept.
  EXPECT_TRUE(Contains(message, u"\r\n/tmp/\uFFFD/liblunacal.so.1："));
  std::remove(junk.c_str());
}

TEST(LunacalCalendar, CandidatePathsGoFromTheProgramToTheConfiguredLibdirToTheSystem) {
  struct Case {
    std::string folder;
    std::string bin_to_libdir;
    std::vector<std::string> paths;
  };
  const Case cases[] = {
      {"/opt/name/bin/", "../lib/x86_64-linux-gnu",
       {"/opt/name/bin/liblunacal.so.1", "/opt/name/bin/../lib/x86_64-linux-gnu/liblunacal.so.1",
        "liblunacal.so.1"}},
      // No trailing slash on the folder, a trailing one on the relative path.
      {"/usr/bin", "../lib64/", {"/usr/bin/liblunacal.so.1", "/usr/bin/../lib64/liblunacal.so.1",
                                 "liblunacal.so.1"}},
      // bin and lib the same folder: tried once.
      {"/srv/app/", "", {"/srv/app/liblunacal.so.1", "liblunacal.so.1"}},
      {"/srv/app/", ".", {"/srv/app/liblunacal.so.1", "liblunacal.so.1"}},
      // The program's folder unknown: only the system's search is left.
      {"", "../lib", {"liblunacal.so.1"}},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(LunacalCandidatePaths(c.folder, c.bin_to_libdir), c.paths)
        << c.folder << " + " << c.bin_to_libdir;
  }
}

TEST(LunacalCalendar, DefaultCandidatesStartInTheTestsOwnFolderThenTheConfiguredLibdir) {
  const std::vector<std::string> paths = LunacalCalendar::DefaultCandidatePaths();
  ASSERT_EQ(paths.size(), 3u);
  EXPECT_EQ(paths[0].front(), '/');
  EXPECT_EQ(paths[0].substr(paths[0].rfind('/')), "/liblunacal.so.1");
  const std::string folder = paths[0].substr(0, paths[0].rfind('/') + 1);
  EXPECT_EQ(paths[1], folder + CHART_BIN_TO_LIBDIR + "/liblunacal.so.1");
  EXPECT_EQ(paths[2], "liblunacal.so.1");
}

TEST(LunacalCalendar, KeepsTheLowSixteenBitsAsASignedNumber) {
  LunacalCalendar calendar({"/nonexistent/liblunacal.so.1", CHART_FAKE_LUNACAL});
  struct Case {
    CalendarFunction function;
    double moment;
    int16_t result;
  };
  const Case cases[] = {
      {CalendarFunction::GetGLToRLNian, 0.0, 2020},      // 0x10000 + 2020
      {CalendarFunction::GetGLToRLMonth, 0.0, -1},       // 0xFFFF
      {CalendarFunction::GetGLToRLDay, 0.0, 7},          // -0x10000 + 7
      {CalendarFunction::GetSiZhuXHMonth, 0.0, 0},       // INT32_MIN
      {CalendarFunction::GetSiZhuXHYear, 416.75, 416},   // echoes the day count
      {CalendarFunction::GetSiZhuXHYear, 36526.5, 36526 - 65536},
  };
  for (const Case& c : cases) {
    const auto result = calendar.Call(c.function, c.moment);
    ASSERT_TRUE(result.has_value()) << "function " << static_cast<int>(c.function);
    EXPECT_EQ(*result, c.result) << "function " << static_cast<int>(c.function);
  }
}

TEST(LunacalCalendar, MissingFunctionIsNamedAndOthersStillWork) {
  LunacalCalendar calendar({CHART_FAKE_LUNACAL});
  EXPECT_FALSE(calendar.Call(CalendarFunction::GetSiZhuXHDay, 36526.5).has_value());
  EXPECT_NE(calendar.ErrorMessage().find(u"日历库 lunacal 中缺少函数 GetSiZhuXHDay"),
            std::u16string::npos);
  EXPECT_EQ(calendar.Call(CalendarFunction::GetGLToRLNian, 36526.5), int16_t{2020});

  const BaZiReport report = BuildBaZiReport(calendar, kNewYear2000);
  EXPECT_FALSE(report.text.has_value());
  EXPECT_NE(report.message.find(u"GetGLToRLRun"), std::u16string::npos);
}

TEST(LunacalCalendar, RealLibraryGivesWholeReports) {
  struct Case {
    BirthInput input;
    std::u16string_view text;
  };
  const Case cases[] = {
      {kNewYear2000,
       u"宝宝生日：\r\n"
       u"公历日期：2000年1月1日 12时0分\r\n"
       u"农历日期：1999年11月25日\r\n"
       u"干支日期：己卯年 丙子月 戊午日 戊午时\r\n"
       u"纳音五行：城头土 涧下水 天上火 天上火\r\n"
       u"五行所缺：金\r\n"},
      // The day of the leap fourth month of 2020, one-digit hour and minute kept.
      {{u"2020", u"5", u"23", u"8", u"5"},
       u"宝宝生日：\r\n"
       u"公历日期：2020年5月23日 8时5分\r\n"
       u"农历日期：2020年闰4月1日\r\n"
       u"干支日期：庚子年 辛巳月 丙寅日 壬辰时\r\n"
       u"纳音五行：壁上土 白蜡金 炉中火 长流水\r\n"
       u"五行所缺：不缺\r\n"},
      // 立春 2000 falls at 20:40:23: the minute before still has the old year and month.
      {{u"2000", u"2", u"4", u"20", u"40"},
       u"宝宝生日：\r\n"
       u"公历日期：2000年2月4日 20时40分\r\n"
       u"农历日期：1999年12月29日\r\n"
       u"干支日期：己卯年 丁丑月 壬辰日 庚戌时\r\n"
       u"纳音五行：城头土 涧下水 长流水 钗钏金\r\n"
       u"五行所缺：不缺\r\n"},
      {{u"2000", u"02", u"04", u"20", u"41"},
       u"宝宝生日：\r\n"
       u"公历日期：2000年02月04日 20时41分\r\n"
       u"农历日期：1999年12月29日\r\n"
       u"干支日期：庚辰年 戊寅月 壬辰日 庚戌时\r\n"
       u"纳音五行：白蜡金 城头土 长流水 钗钏金\r\n"
       u"五行所缺：火\r\n"},
      // From 23:00 the day pillar is the next day's, and the hour is its 子 hour.
      {{u"2000", u"1", u"1", u"23", u"0"},
       u"宝宝生日：\r\n"
       u"公历日期：2000年1月1日 23时0分\r\n"
       u"农历日期：1999年11月25日\r\n"
       u"干支日期：己卯年 丙子月 己未日 甲子时\r\n"
       u"纳音五行：城头土 涧下水 天上火 海中金\r\n"
       u"五行所缺：不缺\r\n"},
  };
  const std::unique_ptr<Calendar> calendar = MakeLunacalCalendar();
  for (const Case& c : cases) {
    const BaZiReport report = BuildBaZiReport(*calendar, c.input);
    ASSERT_TRUE(report.text.has_value()) << ::testing::PrintToString(report.message);
    EXPECT_EQ(*report.text, c.text);
  }
}

}  // namespace
}  // namespace chart
