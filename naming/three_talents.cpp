// SPDX-License-Identifier: MIT
#include "naming/three_talents.h"

#include <algorithm>
#include <array>
#include <cstddef>
#include <string_view>

namespace naming {

namespace {

// The elements in number order: last digits 1-2, 3-4, 5-6, 7-8 and 9-0 in turn.
constexpr std::array<std::u16string_view, 5> kElementsByNumber = {u"木", u"火", u"土", u"金", u"水"};

// The heaven-person-earth element sequences that numerology reads as harmonious; every other one of
// the 125 sequences is rejected by the name search.
constexpr std::array<std::u16string_view, 19> kGoodConfigurations = {
    u"木木火", u"木木土", u"木火木", u"木火土", u"火木木", u"火木火", u"火木土",
    u"火火木", u"火土火", u"火土土", u"土火土", u"土土火", u"土土金", u"土金土",
    u"金土土", u"金土金", u"水木木", u"水木土", u"水金土",
};

}  // namespace

std::u16string_view GetShuWuXing(int16_t n) {
  if (n < 0) return {};
  // Only the last digit counts, and a last digit 0 stands with 9 as water.
  const int digit = n % 10 == 0 ? 10 : n % 10;  // [1, 10]
  return kElementsByNumber[static_cast<std::size_t>((digit - 1) / 2)];
}

bool IsSanCaiJi(std::u16string_view configuration) {
  return std::find(kGoodConfigurations.begin(), kGoodConfigurations.end(), configuration) !=
         kGoodConfigurations.end();
}

}  // namespace naming
