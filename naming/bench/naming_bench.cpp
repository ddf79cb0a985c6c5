// SPDX-License-Identifier: MIT
// The name search over common family names, both sexes, against the one-character search as
// baseline, and the five grids of finished names.

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include <benchmark/benchmark.h>

#include "naming/five_grids.h"
#include "naming/name_search.h"

namespace naming {
namespace {

// The hundred most common family names and five compound ones; a few of them are not in the stroke
// dictionary and search as 0 strokes, just as when a user types them.
constexpr std::u16string_view kCommonSingle =
    u"王李张刘陈杨黄赵吴周徐孙马朱胡郭何高林罗郑梁谢宋唐许韩冯邓曹彭曾肖田董袁潘于蒋蔡余杜叶程苏魏"
    u"吕丁任沈姚卢姜崔钟谭陆汪范金石廖贾夏韦付方白邹孟熊秦邱江尹薛闫段雷侯龙史陶黎贺顾毛郝龚邵万"
    u"钱严覃武戴莫孔向汤";
constexpr std::array<std::u16string_view, 5> kCompound = {u"欧阳", u"司马", u"诸葛", u"上官", u"公孙"};

std::vector<std::u16string_view> FamilyNames() {
  std::vector<std::u16string_view> names;
  for (std::size_t i = 0; i < kCommonSingle.size(); ++i) names.push_back(kCommonSingle.substr(i, 1));
  names.insert(names.end(), kCompound.begin(), kCompound.end());
  return names;
}

// Keeps the entries as the window's list would, reusing its storage between searches.
class VectorNameList : public NameList {
 public:
  void Clear() override { entries_.clear(); }
  void AddEntry(std::u16string_view entry) override { entries_.emplace_back(entry); }

 private:
  std::vector<std::u16string> entries_;
};

void RunSearches(benchmark::State& state, NameLength length) {
  const std::vector<std::u16string_view> names = FamilyNames();
  VectorNameList list;
  std::size_t i = 0;
  for (auto _ : state) {
    const Sex sex = (i / names.size()) % 2 == 0 ? Sex::Boy : Sex::Girl;
    benchmark::DoNotOptimize(GenerateNames(list, names[i % names.size()], length, sex));
    i = (i + 1) % (2 * names.size());
  }
  state.counters["family_names"] = static_cast<double>(names.size());
}

void BM_SearchOneCharacter(benchmark::State& state) { RunSearches(state, NameLength::One); }
BENCHMARK(BM_SearchOneCharacter);

void BM_SearchTwoCharacters(benchmark::State& state) { RunSearches(state, NameLength::Two); }
BENCHMARK(BM_SearchTwoCharacters);

void BM_GetWuGe(benchmark::State& state) {
  struct Name {
    std::u16string_view family_name;
    std::u16string_view given_name;
  };
  constexpr std::array<Name, 10> kNames = {{
      {u"王", u"袍灌"}, {u"李", u"九七"}, {u"张", u"伟"}, {u"刘", u"洋"}, {u"陈", u"静"},
      {u"欧阳", u"一"}, {u"诸葛", u"一宽"}, {u"杨", u"丽华"}, {u"赵", u"敏"}, {u"黄", u"鹂鹂"},
  }};
  std::size_t i = 0;
  for (auto _ : state) {
    const Name& name = kNames[i];
    benchmark::DoNotOptimize(GetWuGe(name.family_name, name.given_name));
    i = (i + 1) % kNames.size();
  }
}
BENCHMARK(BM_GetWuGe);

}  // namespace
}  // namespace naming
