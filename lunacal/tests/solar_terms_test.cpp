// SPDX-License-Identifier: MIT
// Covers the solar-term table (published moments, validity and order of all 4800 records) and the
// three operations that read it: SolarTermMoment, SolarTermOfDay and SolarTermTime.

#include <gtest/gtest.h>

#include <cstdint>
#include <limits>

#include "lunacal/date_value.h"
#include "lunacal/solar_term_table.h"
#include "lunacal/solar_terms.h"

namespace lunacal {
namespace {

struct TermMoment {
  uint16_t year;
  uint16_t term;
  int32_t month, day, hour, minute, second;
};

// Published moments (UTC+8) the table must reproduce to the second.
constexpr TermMoment kPublished[] = {
    {2000, 1, 1, 6, 9, 0, 41},     {2000, 2, 1, 21, 2, 23, 2},    {2000, 3, 2, 4, 20, 40, 23},
    {2000, 4, 2, 19, 16, 33, 17},  {2000, 5, 3, 5, 14, 42, 39},   {2000, 6, 3, 20, 15, 35, 15},
    {2000, 7, 4, 4, 19, 31, 58},   {2000, 8, 4, 20, 2, 39, 30},   {2000, 9, 5, 5, 12, 50, 10},
    {2000, 10, 5, 21, 1, 49, 25},  {2000, 11, 6, 5, 16, 58, 34},  {2000, 12, 6, 21, 9, 47, 42},
    {2000, 13, 7, 7, 3, 13, 56},   {2000, 14, 7, 22, 20, 42, 41}, {2000, 15, 8, 7, 13, 2, 59},
    {2000, 16, 8, 23, 3, 48, 31},  {2000, 17, 9, 7, 15, 59, 9},   {2000, 18, 9, 23, 1, 27, 35},
    {2000, 19, 10, 8, 7, 38, 12},  {2000, 20, 10, 23, 10, 47, 29}, {2000, 21, 11, 7, 10, 48, 3},
    {2000, 22, 11, 22, 8, 19, 21}, {2000, 23, 12, 7, 3, 37, 2},   {2000, 24, 12, 21, 21, 37, 25},
    {1880, 1, 1, 6, 5, 41, 45},    {1901, 3, 2, 4, 19, 39, 59},   {1901, 4, 2, 19, 15, 45, 1},
    {1984, 3, 2, 4, 23, 18, 46},   {2048, 24, 12, 21, 13, 1, 23}, {2079, 24, 12, 22, 1, 43, 12},
};

DateFields FieldsOf(const TermMoment& m) {
  return {m.year, m.month, m.day, m.hour, m.minute, m.second};
}

TEST(SolarTermTable, ReproducesPublishedMoments) {
  for (const TermMoment& m : kPublished) {
    SCOPED_TRACE(testing::Message() << m.year << " term " << m.term);
    EXPECT_EQ(SplitDate(SolarTermMoment(m.year, m.term)), FieldsOf(m));
  }
}

TEST(SolarTermTable, EveryRecordIsAValidMomentOfItsYearInOrder) {
  double previous = kFallbackMoment;
  for (uint16_t year = kFirstSolarTermYear; year <= kLastSolarTermYear; ++year) {
    for (uint16_t term = 1; term <= 24; ++term) {
      SCOPED_TRACE(testing::Message() << year << " term " << term);
      const std::size_t at = ((year - 1880u) * 24u + (term - 1u)) * 5u;
      double moment = kFallbackMoment;
      ASSERT_TRUE(MakeDate(year, SolarTermTable[at], SolarTermTable[at + 1], SolarTermTable[at + 2],
                           SolarTermTable[at + 3], SolarTermTable[at + 4], moment));
      // Terms come in pairs per month: 小寒 and 大寒 in January ... 大雪 and 冬至 in December.
      EXPECT_EQ(SolarTermTable[at], (term + 1) / 2);
      EXPECT_GT(moment, previous);
      EXPECT_EQ(SolarTermMoment(year, term), moment);
      EXPECT_EQ(SolarTermOfDay(year, SolarTermTable[at], SolarTermTable[at + 1]), term);
      previous = moment;
    }
  }
}

TEST(SolarTermMoment, OutsideTheTableGivesTheFallback) {
  constexpr struct {
    uint16_t year;
    uint16_t term;
  } kOutside[] = {{1879, 1}, {2080, 1}, {2000, 0}, {2000, 25}, {0, 3}, {65535, 65535}};
  for (const auto& c : kOutside) {
    EXPECT_EQ(SolarTermMoment(c.year, c.term), kFallbackMoment) << c.year << " " << c.term;
  }
  EXPECT_EQ(SplitDate(kFallbackMoment), (DateFields{100, 1, 1, 0, 0, 0}));
}

TEST(SolarTermOfDay, FindsOnlyTheDaysOfTerms) {
  constexpr struct {
    uint16_t year, month, day, term;
  } kCases[] = {
      {2000, 2, 4, 3},  {2000, 2, 5, 0},   {2000, 12, 21, 24}, {2000, 1, 1, 0},  {1879, 1, 6, 0},
      {2080, 1, 6, 0},  {2000, 1, 6, 1},   {2000, 0, 6, 0},    {2000, 13, 7, 0}, {2000, 2, 0, 0},
      {1880, 1, 6, 1},  {2079, 12, 22, 24}, {2000, 12, 31, 0},
  };
  for (const auto& c : kCases) {
    EXPECT_EQ(SolarTermOfDay(c.year, c.month, c.day), c.term)
        << c.year << "-" << c.month << "-" << c.day;
  }
}

TEST(SolarTermTime, MapsExportedNumbersStartingAtStartOfSpring) {
  constexpr struct {
    int32_t exported;
    DateFields moment;
  } kCases[] = {
      {1, {2000, 2, 4, 20, 40, 23}},
      {22, {2000, 12, 21, 21, 37, 25}},
      {23, {2000, 1, 6, 9, 0, 41}},
      {24, {2000, 1, 21, 2, 23, 2}},
  };
  for (const auto& c : kCases) {
    EXPECT_EQ(SplitDate(SolarTermTime(2000, c.exported)), c.moment) << c.exported;
  }
  for (int32_t exported = 1; exported <= 22; ++exported) {
    EXPECT_EQ(SolarTermTime(1984, exported),
              SolarTermMoment(1984, static_cast<uint16_t>(exported + 2)));
  }
}

TEST(SolarTermTime, RangeChecksBeforeNarrowing) {
  constexpr int32_t kMax = std::numeric_limits<int32_t>::max();
  constexpr int32_t kMin = std::numeric_limits<int32_t>::min();
  // 67416 and 65537 + 2 would alias 1880 and term 3 if narrowed to 16 bits first.
  constexpr struct {
    int32_t year, exported;
  } kOutside[] = {{1879, 1}, {2080, 1},  {2000, 0},     {2000, 25},    {67416, 1}, {2000, 65539},
                  {2000, -1}, {-1, 1},   {kMax, 1},     {kMin, 1},     {2000, kMax}, {2000, kMin}};
  for (const auto& c : kOutside) {
    EXPECT_EQ(SolarTermTime(c.year, c.exported), kFallbackMoment) << c.year << " " << c.exported;
  }
}

// The term in force counts the terms begun by a moment: the term's own second counts, the second
// before does not, and days between terms keep the last one.
TEST(SolarTermInForce, CountsTheTermsBegunByTheMoment) {
  constexpr struct {
    uint16_t year, month, day;
    int32_t second_of_day;
    uint16_t expected;
  } kCases[] = {
      {2000, 1, 1, 0, 0},          {2000, 1, 6, 32440, 0},      {2000, 1, 6, 32441, 1},
      {2000, 2, 4, 74422, 2},      {2000, 2, 4, 74423, 3},      {2000, 2, 5, 0, 3},
      {2000, 3, 1, 0, 4},          {2000, 12, 21, 77844, 23},   {2000, 12, 21, 77845, 24},
      {2000, 12, 31, 86399, 24},   {1879, 6, 1, 0, 0},          {2080, 6, 1, 0, 0},
      {2079, 12, 22, 6192, 24},    {1880, 1, 6, 20504, 0},      {1880, 1, 6, 20505, 1},
  };
  for (const auto& c : kCases) {
    EXPECT_EQ(SolarTermInForce(c.year, c.month, c.day, c.second_of_day), c.expected)
        << c.year << '-' << c.month << '-' << c.day << ' ' << c.second_of_day;
  }
  // Every record's own second begins its term, and the second before still belongs to the last.
  for (uint16_t year = kFirstSolarTermYear; year <= kLastSolarTermYear; ++year) {
    for (uint16_t term = 1; term <= 24; ++term) {
      const DateFields f = SplitDate(SolarTermMoment(year, term));
      const int32_t second = f.hour * 3600 + f.minute * 60 + f.second;
      const auto month = static_cast<uint16_t>(f.month);
      const auto day = static_cast<uint16_t>(f.day);
      ASSERT_EQ(SolarTermInForce(year, month, day, second), term) << year << ' ' << term;
      if (second > 0) {
        ASSERT_EQ(SolarTermInForce(year, month, day, second - 1), term - 1) << year << ' ' << term;
      }
    }
  }
}

}  // namespace
}  // namespace lunacal
