#include "TemplateLineup.h"

namespace lumora::studio {

const std::vector<LineupEntry> &templateLineup()
{
    using S = SlotKind;
    static const std::vector<LineupEntry> lineup = {
        {QStringLiteral("mb_001.rar"), QStringLiteral("晨光渐显"), {S::Heng}, 150},
        {QStringLiteral("mb_002.rar"), QStringLiteral("推窗见景"), {S::Heng}, 150},
        {QStringLiteral("mb_003.rar"), QStringLiteral("光圈初开"), {S::Heng}, 150},
        {QStringLiteral("mb_004.rar"), QStringLiteral("百叶清风"), {S::Heng}, 175},
        {QStringLiteral("mb_005.rar"), QStringLiteral("翩然入画"), {S::Heng}, 150},
        {QStringLiteral("mb_006.rar"), QStringLiteral("旋影流年"), {S::Heng}, 175},
        {QStringLiteral("mb_007.rar"), QStringLiteral("书页轻翻"), {S::Heng}, 150},
        {QStringLiteral("mb_008.rar"), QStringLiteral("竖影清晖"), {S::Shu}, 150},
        {QStringLiteral("mb_009.rar"), QStringLiteral("倩影留香"), {S::Shu}, 150},
        {QStringLiteral("mb_010.rar"), QStringLiteral("纵横画框"), {S::Shu}, 150},
        {QStringLiteral("mb_011.rar"), QStringLiteral("帘卷西风"), {S::Shu}, 175},
        {QStringLiteral("mb_012.rar"), QStringLiteral("月下花前"), {S::Shu}, 150},
        {QStringLiteral("mb_013.rar"), QStringLiteral("时光胶片"), {S::Shu}, 150},
        {QStringLiteral("mb_014.rar"), QStringLiteral("随心相框"), {S::ShuHeng}, 125},
        {QStringLiteral("mb_015.rar"), QStringLiteral("悠然一瞥"), {S::ShuHeng}, 125},
        {QStringLiteral("mb_016.rar"), QStringLiteral("双影相依"), {S::Heng, S::Shu}, 200},
        {QStringLiteral("mb_017.rar"), QStringLiteral("三生有幸"), {S::Heng, S::Heng, S::Shu}, 225},
        {QStringLiteral("mb_018.rar"), QStringLiteral("四季如歌"), {S::Heng, S::Heng, S::Shu, S::Shu}, 250},
        {QStringLiteral("mb_019.rar"), QStringLiteral("锦瑟年华"), {S::Heng, S::Shu, S::Shu}, 225},
        {QStringLiteral("mb_020.rar"), QStringLiteral("花好月圆"), {S::Heng, S::Heng, S::Shu}, 225},
        {QStringLiteral("mb_021.rar"), QStringLiteral("美好时光"), {S::Heng, S::Shu}, 200},
        {QStringLiteral("mb_022.rar"), QStringLiteral("左右逢源"), {S::Heng, S::Heng}, 200},
        {QStringLiteral("mb_023.rar"), QStringLiteral("并肩而立"), {S::Shu, S::Shu}, 200},
        {QStringLiteral("mb_024.rar"), QStringLiteral("页角翻飞"), {S::Heng}, 150},
        {QStringLiteral("mb_025.rar"), QStringLiteral("拼图成画"), {S::Heng}, 175},
        {QStringLiteral("mb_026.rar"), QStringLiteral("层叠远景"), {S::Heng}, 175},
        {QStringLiteral("mb_027.rar"), QStringLiteral("暖光流淌"), {S::Heng}, 150},
        {QStringLiteral("mb_028.rar"), QStringLiteral("胶片余温"), {S::Heng}, 150},
        {QStringLiteral("mb_029.rar"), QStringLiteral("静水深流"), {S::Heng}, 175},
        {QStringLiteral("mb_030.rar"), QStringLiteral("拍立得"), {S::Shu}, 150},
        {QStringLiteral("mb_031.rar"), QStringLiteral("分屏相映"), {S::Shu}, 150},
        {QStringLiteral("mb_032.rar"), QStringLiteral("流光掠影"), {S::Shu}, 150},
        {QStringLiteral("mb_033.rar"), QStringLiteral("闪耀登场"), {S::Shu}, 150},
        {QStringLiteral("mb_034.rar"), QStringLiteral("翻转人生"), {S::ShuHeng}, 125},
        {QStringLiteral("mb_035.rar"), QStringLiteral("五彩缤纷"), {S::Heng, S::Heng, S::Heng, S::Shu, S::Shu}, 250},
        {QStringLiteral("mb_036.rar"),
         QStringLiteral("六六大顺"),
         {S::Heng, S::Heng, S::Heng, S::Shu, S::Shu, S::Shu},
         250},
        {QStringLiteral("mb_037.rar"), QStringLiteral("光阴对望"), {S::Heng, S::Shu}, 200},
        {QStringLiteral("mb_038.rar"), QStringLiteral("三联画屏"), {S::Shu, S::Shu, S::Shu}, 225},
        {QStringLiteral("mb_039.rar"), QStringLiteral("繁花似锦"), {S::Heng, S::Heng, S::Shu, S::Shu, S::Shu}, 250},
        {QStringLiteral("mb_040.rar"), QStringLiteral("流金岁月"), {S::Heng, S::Heng, S::Shu, S::Shu}, 250},
    };
    return lineup;
}

} // namespace lumora::studio
