// SPDX-License-Identifier: MIT
// Covers the birth-chart report against a fake calendar: the lacking elements and their order, the
// lunar date text with its leap mark, the six report lines, the reading and checking of the
// entered date and time, and the refusal of calendar results that are no date.
#include "chart/birth_chart.h"

#include <gtest/gtest.h>

#include <array>
#include <cstdint>
#include <limits>
#include <optional>
#include <string>
#include <vector>

namespace chart {
namespace {

// Answers every function with a chosen value, or fails one chosen function as a library would
// that lacks it.
class FakeCalendar final : public Calendar {
 public:
  FakeCalendar(std::array<int16_t, 4> lunar, std::array<int16_t, 4> pillars) {
    for (size_t i = 0; i < 4; ++i) {
      values_[i] = lunar[i];
      values_[i + 4] = pillars[i];
    }
  }
  std::optional<int16_t> Call(CalendarFunction function, double moment) override {
    moments.push_back(moment);
    if (function == missing) {
      return std::nullopt;
    }
    return values_[static_cast<size_t>(function)];
  }
  std::u16string ErrorMessage() const override { return u"日历库 lunacal 中缺少函数"; }

  std::optional<CalendarFunction> missing;
  std::vector<double> moments;

 private:
  std::array<int16_t, 8> values_{};
};

constexpr std::array<int16_t, 4> kSomeLunarDate{2020, 4, 1, 0};

TEST(CalendarReachable, BindsEveryFunctionAndFailsWhenAnyIsMissing) {
  FakeCalendar calendar({2020, 4, 1, 1}, {37, 18, 3, 29});
  EXPECT_TRUE(calendar.Reachable());
  EXPECT_EQ(calendar.moments.size(), 8u);
  for (int function = 0; function < 8; ++function) {
    calendar.missing = static_cast<CalendarFunction>(function);
    EXPECT_FALSE(calendar.Reachable()) << function;
  }
}

TEST(GetWuXingQue, ListsLackingElementsInReportOrder) {
  struct Case {
    std::array<int16_t, 4> pillars;
    std::u16string_view lacking;
  };
  const Case cases[] = {
      {{16, 14, 29, 47}, u"不缺"},  // 己卯 丁丑 壬辰 庚戌 cover all five
      {{11, 11, 11, 11}, u"金水"},  // 甲戌: fire only from the Nayin 山头火
      {{25, 26, 25, 26}, u"金木"},  // 戊子 己丑: fire only from 霹雳火
      {{35, 35, 35, 35}, u"金水火"},  // 戊戌: wood only from 平地木
      {{36, 36, 36, 36}, u"金火"},    // 己亥 平地木: 金 before 火
      {{1, 1, 1, 1}, u"火土"},      // 甲子: metal only from 海中金
      {{17, 18, 17, 18}, u"木水"},  // 庚辰 辛巳 with 白蜡金
      {{13, 13, 13, 13}, u"金木土"},
      {{0, 16, 55, 55}, u""},  // no pillar: nothing to judge
      {{16, 13, 55, 61}, u""},
  };
  for (const Case& c : cases) {
    FakeCalendar calendar(kSomeLunarDate, c.pillars);
    EXPECT_EQ(GetWuXingQue(calendar, 43974.0), c.lacking) << "first pillar " << c.pillars[0];
  }
}

TEST(GetNongLi, PutsTheLeapMarkBeforeTheMonthOfALeapMonthOnly) {
  struct Case {
    std::array<int16_t, 4> lunar;
    std::u16string_view text;
  };
  const Case cases[] = {
      {{2020, 4, 1, 1}, u"2020年闰4月1日"},
      {{2020, 4, 1, 0}, u"2020年4月1日"},
      {{1999, 12, 29, 0}, u"1999年12月29日"},
      {{0, 0, 0, 0}, u""},  // the library's answer outside its range
      {{2020, 13, 1, 0}, u""},
      {{2020, 4, 31, 0}, u""},
  };
  for (const Case& c : cases) {
    FakeCalendar calendar(c.lunar, {16, 13, 55, 55});
    EXPECT_EQ(GetNongLi(calendar, 43974.0), c.text);
  }
}

TEST(BuildBaZiReport, WritesSixLinesAndKeepsTheEnteredTexts) {
  FakeCalendar calendar({2020, 4, 1, 1}, {37, 18, 3, 29});
  const BaZiReport report = BuildBaZiReport(calendar, {u"2020", u"5", u"23", u"8", u"5"});
  ASSERT_TRUE(report.text.has_value()) << ::testing::PrintToString(report.message);
  EXPECT_EQ(*report.text,
            u"宝宝生日：\r\n"
            u"公历日期：2020年5月23日 8时5分\r\n"
            u"农历日期：2020年闰4月1日\r\n"
            u"干支日期：庚子年 辛巳月 丙寅日 壬辰时\r\n"
            u"纳音五行：壁上土 白蜡金 炉中火 长流水\r\n"
            u"五行所缺：不缺\r\n");
  EXPECT_TRUE(report.message.empty());
  // Every function is asked about one and the same moment, 2020-05-23 08:05.
  ASSERT_EQ(calendar.moments.size(), 8u);
  for (const double moment : calendar.moments) {
    EXPECT_DOUBLE_EQ(moment, 43974.0 + (8 * 60 + 5) / 1440.0);
  }
}

TEST(BuildBaZiReport, KeepsLeadingZerosAsEntered) {
  FakeCalendar calendar({2020, 4, 1, 1}, {37, 18, 3, 29});
  const BaZiReport report = BuildBaZiReport(calendar, {u"2020", u"05", u"023", u"08", u"05"});
  ASSERT_TRUE(report.text.has_value());
  EXPECT_NE(report.text->find(u"\r\n公历日期：2020年05月023日 08时05分\r\n"), std::u16string::npos);
}

TEST(BuildBaZiReport, RefusesCalendarAnswersThatAreNoDate) {
  struct Case {
    std::array<int16_t, 4> lunar;
    std::array<int16_t, 4> pillars;
  };
  const Case cases[] = {
      {{0, 0, 0, 0}, {0, 0, 0, 0}},
      {kSomeLunarDate, {16, 13, 0, 55}},
      {kSomeLunarDate, {16, 13, 55, -5}},
      {kSomeLunarDate, {61, 13, 55, 55}},
      {{-1, 4, 1, 0}, {16, 13, 55, 55}},
  };
  for (const Case& c : cases) {
    FakeCalendar calendar(c.lunar, c.pillars);
    const BaZiReport report = BuildBaZiReport(calendar, {u"2000", u"1", u"1", u"12", u"0"});
    EXPECT_FALSE(report.text.has_value());
    EXPECT_EQ(report.message, u"出生日期超出日历范围（1901年2月19日至2048年12月31日）。");
  }
}

TEST(BuildBaZiReport, PassesOnTheMessageOfAnUnreachableFunction) {
  FakeCalendar calendar(kSomeLunarDate, {16, 13, 55, 55});
  calendar.missing = CalendarFunction::GetSiZhuXHTime;
  const BaZiReport report = BuildBaZiReport(calendar, {u"2000", u"1", u"1", u"12", u"0"});
  EXPECT_FALSE(report.text.has_value());
  EXPECT_EQ(report.message, calendar.ErrorMessage());
}

TEST(BirthMoment, GivesTheDateValueOfValidTexts) {
  struct Case {
    BirthInput input;
    double moment;
  };
  const Case cases[] = {
      {{u"2000", u"1", u"1", u"12", u"0"}, 36526.5},
      {{u"1901", u"2", u"19", u"0", u"0"}, 416.0},
      {{u"2048", u"12", u"31", u"23", u"59"}, 54423.0 + 1439.0 / 1440.0},
      {{u"2000", u"02", u"29", u"00", u"00"}, 36585.0},
      {{u"0002000", u"2", u"4", u"20", u"41"}, 36560.0 + (20 * 60 + 41) / 1440.0},
  };
  for (const Case& c : cases) {
    std::u16string message;
    const auto moment = BirthMoment(c.input, message);
    ASSERT_TRUE(moment.has_value()) << ::testing::PrintToString(message);
    EXPECT_NEAR(*moment, c.moment, 1e-9);
    EXPECT_TRUE(message.empty());
  }
}

TEST(BirthMoment, ExplainsWhyTextsAreNoDate) {
  struct Case {
    BirthInput input;
    std::u16string_view message;
  };
  const Case cases[] = {
      {{u"", u"1", u"1", u"12", u"0"}, u"出生日期无效：未填写年份。"},
      {{u"二〇〇〇", u"1", u"1", u"12", u"0"}, u"出生日期无效：年份只能填写数字。"},
      {{u"2000", u"1a", u"1", u"12", u"0"}, u"出生日期无效：月份只能填写数字。"},
      {{u"2000", u"1", u" 1", u"12", u"0"}, u"出生日期无效：日只能填写数字。"},
      {{u"2000", u"1", u"1", u"+5", u"0"}, u"出生时间无效：小时只能填写数字。"},
      {{u"2000", u"1", u"1", u"12", u"-0"}, u"出生时间无效：分钟只能填写数字。"},
      {{u"2000", u"1", u"1", u"12", u""}, u"出生时间无效：未填写分钟。"},
      {{u"2000", u"0", u"1", u"12", u"0"}, u"出生日期无效：月份应为1到12。"},
      {{u"2000", u"99999999999999999999", u"1", u"12", u"0"}, u"出生日期无效：月份应为1到12。"},
      {{u"2000", u"1", u"0", u"12", u"0"}, u"出生日期无效：日应为1到31。"},
      {{u"2000", u"1", u"32", u"12", u"0"}, u"出生日期无效：日应为1到31。"},
      {{u"2023", u"4", u"31", u"12", u"0"}, u"出生日期无效：2023年4月没有31日。"},
      {{u"2023", u"2", u"29", u"12", u"0"}, u"出生日期无效：2023年2月没有29日。"},
      {{u"1900", u"2", u"29", u"12", u"0"}, u"出生日期无效：1900年2月没有29日。"},
      {{u"2000", u"2", u"30", u"12", u"0"}, u"出生日期无效：2000年2月没有30日。"},
      {{u"2000", u"1", u"1", u"24", u"0"}, u"出生时间无效：小时应为0到23。"},
      {{u"2000", u"1", u"1", u"23", u"60"}, u"出生时间无效：分钟应为0到59。"},
      {{u"1901", u"2", u"18", u"23", u"59"}, u"出生日期超出日历范围（1901年2月19日至2048年12月31日）。"},
      {{u"2049", u"1", u"1", u"0", u"0"}, u"出生日期超出日历范围（1901年2月19日至2048年12月31日）。"},
      {{u"0", u"1", u"1", u"0", u"0"}, u"出生日期超出日历范围（1901年2月19日至2048年12月31日）。"},
      {{u"99999999999999999999", u"1", u"1", u"0", u"0"},
       u"出生日期超出日历范围（1901年2月19日至2048年12月31日）。"},
  };
  for (const Case& c : cases) {
    std::u16string message;
    EXPECT_FALSE(BirthMoment(c.input, message).has_value());
    EXPECT_EQ(message, c.message);
    FakeCalendar calendar(kSomeLunarDate, {16, 13, 55, 55});
    const BaZiReport report = BuildBaZiReport(calendar, c.input);
    EXPECT_FALSE(report.text.has_value());
    EXPECT_EQ(report.message, c.message);
    EXPECT_TRUE(calendar.moments.empty()) << "the library is not asked about a wrong date";
  }
}

}  // namespace
}  // namespace chart
