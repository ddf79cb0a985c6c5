// SPDX-License-Identifier: MIT
#include "chart/stems_branches.h"

#include <array>

#include "lunacal/vocabulary.h"

namespace chart {
namespace {

using lunacal::vocabulary::kBranches;
using lunacal::vocabulary::kStems;

// Stems and branches share one lookup because the chart asks the element of either kind alike.
struct ElementGroup {
  std::u16string_view members;
  std::u16string_view element;
};
constexpr std::array<ElementGroup, 5> kElementGroups{{
    {u"甲乙寅卯", u"木"},
    {u"丙丁巳午", u"火"},
    {u"戊己丑辰未戌", u"土"},
    {u"庚辛申酉", u"金"},
    {u"壬癸子亥", u"水"},
}};

// The character for number (index mod size, 0 read as size) of a cycle; the remainder truncates,
// so a negative index falls outside the cycle and gives the empty text. The index is widened to
// int before the division, so INT16_MIN is as harmless as any other value.
std::u16string_view CycleMember(std::u16string_view cycle, int16_t index) {
  const int size = static_cast<int>(cycle.size());
  int number = static_cast<int>(index) % size;  // (-size, size)
  if (number == 0) {
    number = size;
  }
  if (number < 1) {
    return {};
  }
  return cycle.substr(static_cast<size_t>(number - 1), 1);
}

}  // namespace

std::u16string_view GetTianGan(int16_t index) { return CycleMember(kStems, index); }

std::u16string_view GetDiZhi(int16_t index) { return CycleMember(kBranches, index); }

std::u16string GetGanZhi(int16_t index) {
  std::u16string name(GetTianGan(index));
  name += GetDiZhi(index);
  return name;
}

std::u16string_view GetGanZhiWuXing(std::u16string_view ch) {
  if (ch.size() != 1) {
    return {};
  }
  for (const ElementGroup& group : kElementGroups) {
    if (group.members.find(ch.front()) != std::u16string_view::npos) {
      return group.element;
    }
  }
  return {};
}

std::u16string_view GetNaYin(int16_t index) { return lunacal::vocabulary::NayinOf(index); }

}  // namespace chart
