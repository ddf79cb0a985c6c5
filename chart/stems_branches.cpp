// SPDX-License-Identifier: MIT
#include "chart/stems_branches.h"

#include <array>

namespace chart {
namespace {

// Stem number n is the n-th character, branch number n the n-th; every one is a single UTF-16
// code unit, so a position in the text is a position in the cycle.
constexpr std::u16string_view kStems = u"甲乙丙丁戊己庚辛壬癸";
constexpr std::u16string_view kBranches = u"子丑寅卯辰巳午未申酉戌亥";
static_assert(kStems.size() == 10);
static_assert(kBranches.size() == 12);

// The Nayin of the sixty pairs, three characters per pair, copied by script from the project's
// reference table (never retyped). Each name stands twice in a row because one name covers two
// consecutive pairs; the last character of a name is its element.
constexpr std::u16string_view kNaYin =
    u"海中金海中金炉中火炉中火大林木大林木路旁土路旁土剑锋金剑锋金"
    u"山头火山头火涧下水涧下水城头土城头土白蜡金白蜡金杨柳木杨柳木"
    u"泉中水泉中水屋上土屋上土霹雳火霹雳火松柏木松柏木长流水长流水"
    u"沙中金沙中金山下火山下火平地木平地木壁上土壁上土金箔金金箔金"
    u"覆灯火覆灯火天河水天河水大驿土大驿土钗钏金钗钏金桑柘木桑柘木"
    u"大溪水大溪水沙中土沙中土天上火天上火石榴木石榴木大海水大海水";
static_assert(kNaYin.size() == 180, "60 entries of three characters");

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

std::u16string_view GetNaYin(int16_t index) {
  if (index < 1 || index > 60) {
    return {};
  }
  return kNaYin.substr(static_cast<size_t>(index - 1) * 3, 3);
}

}  // namespace chart
