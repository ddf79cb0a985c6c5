// SPDX-License-Identifier: MIT
#pragma once
// Every caption, tooltip, menu text and message of the main window, kept in one place so the
// window code and its tests use the very same texts.

#include <array>
#include <string_view>

namespace app::texts {

inline constexpr std::u16string_view kAppTitle = u"澄禾起名宝";
inline constexpr std::u16string_view kFrame2 = u"姓氏";
inline constexpr std::u16string_view ktxtXingShi = u"赵";
inline constexpr std::u16string_view kFrame1 = u"名字";
inline constexpr std::u16string_view koptOne = u"一字";
inline constexpr std::u16string_view koptTwo = u"二字";
inline constexpr std::u16string_view kFrame3 = u"性别";
inline constexpr std::u16string_view koptMan = u"男";
inline constexpr std::u16string_view koptWoman = u"女";
inline constexpr std::u16string_view kFrame4 = u"生日（公历）";
inline constexpr std::u16string_view kcmdYes = u"生成美名";
inline constexpr std::u16string_view klstNameToolTip = u"拖动鼠标可连续选择多个姓名，按住Ctrl键可间隔选择多个姓名";
inline constexpr std::array<std::u16string_view, 5> kDateLabels = {u"年", u"月", u"日", u"时", u"分"};
inline constexpr std::u16string_view kmnuFile = u"文件";
inline constexpr std::u16string_view kmnuFileSave = u"收藏所选好名";
inline constexpr std::u16string_view kmnuFileDelName = u"删除所选姓名";
inline constexpr std::u16string_view kmnuFileNameWuGe = u"查看姓名五格";
inline constexpr std::u16string_view kmnuRegNet = u"官方网站";
inline constexpr std::u16string_view kmnuFileExit = u"退出";
inline constexpr std::u16string_view kmnulstRight = u"lstRight";
inline constexpr std::u16string_view kmnuListRightSave = u"收藏所选好名";
inline constexpr std::u16string_view kmnulstRightDel = u"删除所选姓名";
inline constexpr std::u16string_view kmnuRightNameWuGe = u"查看姓名五格";

// The feature text shown at start: a heading and four paragraphs, each followed by CR LF.
inline constexpr std::array<std::u16string_view, 5> kFeaturePieces = {
    u"本软件四大特色：",
    u"        第一：根据出生的时间，找出生辰八字，四柱干支关系，理清阴阳五行生克，细察季节时令特点，从而确定八字喜神用神及八字五行所缺。 ",
    u"       第二：按八字五行喜用，姓氏特点，参考大运流年走势，依照《中华现代姓名学》理论，三才、五行、数理全面考虑，找出最佳取名格局。 ",
    u"       第三：影响人生各个阶段的数理尽量全部为吉，包括：基本运势（人格）、上半生运势（地格）、下半生运势（总格）、辅助运势（外格），特别是三才的配置，除受先天八字的影响不能配备“大吉”外，也一定要配“吉”数或半吉。三才与人格（基本运势）绝对是超大吉数。 ",
    u"      第四：一些特殊命例实在不能取到全吉之名时，我们会把半吉部分放在外格（辅助运势），女性放在总格。",
};

inline constexpr std::u16string_view kChooseAName = u"请选择一个姓名！";
inline constexpr std::u16string_view kBrowserError = u"调用浏览器错误！";
inline constexpr std::u16string_view kBrowserErrorTitle = u"错误：";
inline constexpr std::array<std::u16string_view, 5> kGridLabels = {u"天格：", u"人格：", u"地格：", u"总格：", u"外格："};

// Message-box buttons read in Chinese whatever the system's language, as the rest of the window does.
inline constexpr std::u16string_view kButtonYes = u"是";
inline constexpr std::u16string_view kButtonNo = u"否";
inline constexpr std::u16string_view kButtonOk = u"确定";

inline constexpr std::u16string_view kSettingsSection = u"Start";
inline constexpr std::u16string_view kSettingsPath = u"Path";
inline constexpr std::u16string_view kSettingsVer = u"Ver";

}  // namespace app::texts
