// SPDX-License-Identifier: MIT
// The 81-number table: the five-line shape of every reading, each title line, the three readings
// handed down in full, and the empty text for numbers without a reading.

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include <gtest/gtest.h>

#include "naming/five_grids.h"

namespace naming {
namespace {

// The title lines as delivered with the table, copied by script; 11 has three leading spaces and 31
// keeps its stray bracket, both as handed down.
constexpr std::array<std::u16string_view, 81> kTitles = {
    u"    宇宙起源：天地宇宙开泰的太极首领数。",
    u"    一身孤节：属未定的分离破灭数。",
    u"    吉祥：进取如意的增进繁荣数。",
    u"    凶变：身遭劫难凶变的万事休止数。",
    u"    种竹成林：福禄长寿的福德集门数。",
    u"    安稳：安稳余庆吉人天相数。",
    u"    精悍：刚毅果断勇往直前的进取数。",
    u"    坚刚：意志刚健的勤勉发展数。",
    u"    破舟进海：吉尽凶始，穷乏困苦数。",
    u"    零暗：万事终局充满损耗数。",
    u"   旱苗逢雨：挽回家运的春成育数。",
    u"    掘井无泉：意志薄弱的家庭寂寞数。",
    u"    春日牡丹：博学多才,智略超群的成功数。",
    u"    破兆：沦落天涯失意烦闷数。",
    u"    福寿：福寿双全的立身兴家数。",
    u"    厚重：贵人相助兴家兴业的大吉数。",
    u"    刚强：突破万难的刚柔兼备数。",
    u"    铁镜重磨：有志竟成的内外有运数。",
    u"    多难：遮云蔽月的辛苦重来数。",
    u"    屋下藏金：非业破运的空虚数。",
    u"    明月中天：明月光照，体质刚健的独立权威数。",
    u"    秋草逢霜：薄弱乏力，百事不如意数。",
    u"    壮丽：旭日东升发育旺盛数。",
    u"    掘藏得金：家门余庆的金钱丰盈数。",
    u"    英俊：英俊刚毅资性聪敏数。",
    u"    变怪：变怪奇异的豪侠数。",
    u"    增长：欲望无休止的诽难运数。",
    u"    阔水浮萍：家亲缘薄，离群独处无定数。",
    u"    不平：智谋兼备,欲望难足数。",
    u"    非运：绝境逢生的运途分歧数。",
    u"    春日花开）：智勇德志，心想事成享清福数。",
    u"    宝马金鞍：权贵显达的意外惠泽数。",
    u"    升天：家门隆昌的才德开展数。",
    u"    破家：破家亡身的财命危险数。",
    u"    高楼望月：温和平静的优雅发展数。",
    u"    波澜重叠：风浪不息的侠义薄运数。",
    u"    猛虎出林：权威显达、吉人天相数。",
    u"    磨铁成针：磨铁成针刻意经营数。",
    u"    富贵：富贵荣华的变化无穷数。",
    u"    退安：谨慎保安的豪胆迈进数。",
    u"    有德：德高望重的事事如意数。",
    u"    寒蝉在柳：数十艺不成的穷困已极数。",
    u"    散财：邪途散财，外祥内苦数。",
    u"    烦闷：须眉难展的力量有限数。",
    u"    顺风：顺风扬帆，新生泰和的万事如意数。",
    u"    浪里淘金：罗网系身的离祖败家数。",
    u"    点石成金：开花结果的权威进取数。",
    u"    青松立鹤：德智兼备的出身清贵数。",
    u"    转变：吉凶难分的不断辛劳数。",
    u"    小舟入海：吉凶参半，需防倾覆数。",
    u"    沉浮：盛衰交加的竭力经营数。",
    u"    达眼：先见之明，理想实现数。",
    u"    曲卷难星：忧愁困苦，内心忧患数。",
    u"    石上栽花：多难悲运的难望成功数。",
    u"    善恶：外祥内苦的和顺不实数。",
    u"    浪里行舟：历尽艰辛，四周障害数。",
    u"    日照青松：寒雪青松的最大荣运数。",
    u"    晚行遇月：先苦后甘，宽宏扬名数。",
    u"    寒蝉悲风：须防外患的时运不济数。",
    u"    无谋：争名夺利，黑暗无光数。",
    u"    牡丹芙蓉：名利双收的修炼积德数。",
    u"    衰败：基础虚弱的艰难困苦数。",
    u"    舟归平海：富贵荣华的身心安泰数。",
    u"    非命：骨肉分离，孤独悲愁数。",
    u"    巨流归海：富贵长寿的光明正大数。",
    u"    岩头步马：内外不和的多祸失福数。",
    u"    通达：财路亨通的志气坚强数。",
    u"    顺风扬帆：兴家立业的宽容好运数。",
    u"    非业：坐立不安的处世多难数。",
    u"    残菊逢霜：家运衰退的晚景凄凉数。",
    u"    石上金花：毫无实质的耗神耐劳数。",
    u"    劳苦：先甜后苦的万难艰辛数。",
    u"    无勇：志高力微的努力奋斗数。",
    u"    残花经霜：沉沦逆境的秋叶落寞数。",
    u"    退守：守者可安，发迹甚迟数。",
    u"    离散：倾覆离散，虽劳无功数。",
    u"    和悦：家庭和悦的半吉半凶数。",
    u"    晚苦：晚景凄凉的功德光荣数。",
    u"    云头望月：挽回无力的身疲力尽数。",
    u"    遁吉：凶星入度的清本缩小数。",
    u"    万物回春：还原复始的积极盛大数。",
};

constexpr std::u16string_view kEntry1 =
    u"    宇宙起源：天地宇宙开泰的太极首领数。\r\n"
    u"    基业：聪明、多学、成功、富贵、名誉、幸福、财帛、进田。\r\n"
    u"    家庭：竹木成林、父母有荫、家庭圆满、子女多孝。\r\n"
    u"    健康：“三才”善良者身体安康，可望长寿，否则不遇。\r\n"
    u"    含意：万事万物的基本数。为最大吉祥运的表示，属于健康幸福、富贵名誉、伟大成功的运数，可以享福终世。因其数理过好，故是常人难以承当之数。";

constexpr std::u16string_view kEntry2 =
    u"    一身孤节：属未定的分离破灭数。\r\n"
    u"    基业：劫财、破灭、灾危、破家、红艳、变迁、美貌。\r\n"
    u"    家庭：亲情疏远。夫妻应相互理解，则免别离之苦。\r\n"
    u"    健康：凶变、病弱、短命也有之。易患皮肤病、外伤、夭折。\r\n"
    u"    含义：混沌未定之象，为最大凶恶的暗示。意志不坚，无独立之气力，进退失自由，内外生波澜，困苦不安。摇动、病患、遭难，甚至残废。若伴有其他好数者可免致短命夭折。其人辛苦一生，志望难达，破灭无常。";

constexpr std::u16string_view kEntry81 =
    u"    万物回春：还原复始的积极盛大数。\r\n"
    u"    基业：天福、天官、赐禄、财库、将星、技艺、文昌。\r\n"
    u"    家庭：子女俱佳，兄弟圆满，家庭和睦。\r\n"
    u"    健康：身心健康，可望长寿。“三才”不善者可能病患。\r\n"
    u"    含义：为最极之数，还本归元，其数理与基数1相同。万宝朝宗，吉祥重叠。体力旺盛，庆幸万多，富贵名誉，繁荣长寿，实属富贵尊荣的大诱导数。";

std::vector<std::u16string_view> SplitLines(std::u16string_view text) {
  std::vector<std::u16string_view> lines;
  for (;;) {
    const std::size_t end = text.find(u"\r\n");
    lines.push_back(text.substr(0, end));
    if (end == std::u16string_view::npos) return lines;
    text.remove_prefix(end + 2);
  }
}

std::string Number(int n) { return "entry " + std::to_string(n); }

TEST(ShuLiTable, EveryEntryHasItsTitleAndFourCaptionedLines) {
  for (int16_t n = 1; n <= 81; ++n) {
    SCOPED_TRACE(Number(n));
    const std::u16string_view entry = GetShuLi(n);
    const std::vector<std::u16string_view> lines = SplitLines(entry);
    ASSERT_EQ(lines.size(), 5u);
    EXPECT_EQ(lines[0], kTitles[static_cast<std::size_t>(n - 1)]);
    const std::array<std::u16string_view, 4> captions = {
        u"    基业：", u"    家庭：", u"    健康：", n == 1 ? u"    含意：" : u"    含义："};
    for (std::size_t i = 0; i < captions.size(); ++i) {
      const std::u16string_view line = lines[i + 1];
      EXPECT_TRUE(line.starts_with(captions[i])) << "line " << i + 2;
      EXPECT_GT(line.size(), captions[i].size()) << "line " << i + 2 << " has no reading";
    }
    // A stray CR or LF would break the report's line structure without changing the line count.
    for (const std::u16string_view line : lines) {
      EXPECT_EQ(line.find_first_of(u"\r\n"), std::u16string_view::npos);
    }
  }
}

TEST(ShuLiTable, HandedDownEntriesStandInFull) {
  EXPECT_EQ(GetShuLi(1), kEntry1);
  EXPECT_EQ(GetShuLi(2), kEntry2);
  EXPECT_EQ(GetShuLi(81), kEntry81);
}

TEST(ShuLiTable, NumbersWithoutReadingGiveEmptyText) {
  for (const int n : {0, 82, -1, 162, INT16_MIN, INT16_MAX}) {
    EXPECT_TRUE(GetShuLi(static_cast<int16_t>(n)).empty()) << n;
  }
}

}  // namespace
}  // namespace naming
