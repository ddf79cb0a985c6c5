// SPDX-License-Identifier: MIT
// The element of a grid number by its last digit, and the test of a three-talent configuration
// against the good ones, including texts of the wrong length.

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include <gtest/gtest.h>

#include "naming/three_talents.h"

namespace naming {
namespace {

TEST(GetShuWuXing, ElementOfTheLastDigit) {
  struct Case {
    int16_t n;
    std::u16string_view element;
  };
  constexpr std::array<Case, 18> kCases = {{
      {1, u"木"},  {2, u"木"},   {3, u"火"},  {4, u"火"},  {5, u"土"},     {6, u"土"},
      {7, u"金"},  {8, u"金"},   {9, u"水"},  {10, u"水"}, {11, u"木"},    {25, u"土"},
      {30, u"水"}, {0, u"水"},   {-3, u""},   {-10, u""},  {32767, u"金"}, {-32768, u""},
  }};
  for (const Case& c : kCases) EXPECT_EQ(GetShuWuXing(c.n), c.element) << c.n;
}

TEST(IsSanCaiJi, GoodAndBadConfigurations) {
  struct Case {
    std::u16string_view configuration;
    bool good;
  };
  constexpr std::array<Case, 14> kCases = {{
      {u"木火土", true},   {u"水金土", true},  {u"木木火", true},  {u"金土金", true},
      {u"金金木", false},  {u"土土木", false}, {u"水水水", false}, {u"火土金", false},
      {u"木", false},      {u"木火", false},   {u"", false},       {u"木火土土", false},
      {u"木火土 ", false}, {u"木 火土", false},
  }};
  for (std::size_t i = 0; i < kCases.size(); ++i) {
    EXPECT_EQ(IsSanCaiJi(kCases[i].configuration), kCases[i].good) << "case " << i;
  }
}

TEST(IsSanCaiJi, ExactlyNineteenOfAllThreeElementTexts) {
  constexpr std::array<char16_t, 5> kElements = {u'木', u'火', u'土', u'金', u'水'};
  int good = 0;
  for (const char16_t heaven : kElements) {
    for (const char16_t person : kElements) {
      for (const char16_t earth : kElements) {
        const std::u16string configuration = {heaven, person, earth};
        if (!IsSanCaiJi(configuration)) continue;
        ++good;
        // Good configurations under metal continue with earth, under water with wood or metal.
        if (heaven == u'金') {
          EXPECT_EQ(person, u'土');
        }
        if (heaven == u'水') {
          EXPECT_TRUE(person == u'木' || person == u'金');
        }
      }
    }
  }
  EXPECT_EQ(good, 19);
}

}  // namespace
}  // namespace naming
