#include <gtest/gtest.h>

#include <QDir>
#include <QFile>

#include "EffectFixture.h"
#include "effects/EffectColumns.h"
#include "effects/EffectTables.h"

using namespace lumora;
using namespace lumora::test;

TEST(EffectPackage, PathsFollowTheTreeLayout)
{
    const Paths p(QStringLiteral("/prog"));
    const QString m = QStringLiteral("wj_x_g_c_l_1");
    EXPECT_EQ(effectIniPath(p, m, {EffectKind::Picture, 0, 3}),
              QStringLiteral(
                  "/prog/smxcwjj/wj_x_g_c_l_1/wj_x_g_c_l_1/wj_x_g_c_l_1/wj_x_g_c_l_0/wj_x_g_c_l_3/wj_x_g_c_l_3.ini"));
    EXPECT_EQ(
        effectFramePath(p, m, {EffectKind::Text, 12, 2}, 7, FrameSet::Production),
        QStringLiteral(
            "/prog/smxcwjj/wj_x_g_c_l_2/wj_x_g_c_l_1/wj_x_g_c_l_1/wj_x_g_c_l_0/wj_x_g_c_l_12/wj_x_g_c_l_2/2_7.png"));
    EXPECT_TRUE(
        effectFramePath(p, m, {EffectKind::Text, 1, 1}, 10, FrameSet::Preview).endsWith(QStringLiteral("/10.png")));
}

TEST(EffectPackage, PictureListingStopsAtTheFirstGap)
{
    EffectTree t;
    t.addPicture(1, 5, QStringLiteral("花瓣"));
    t.addPicture(2, 5, QStringLiteral("爱心"));
    t.addPicture(4, 5, QStringLiteral("雪花"));
    EXPECT_EQ(listPictureEffects(t.paths, t.mode), (QStringList{QStringLiteral("花瓣"), QStringLiteral("爱心")}));
    EXPECT_TRUE(listPictureEffects(t.paths, QStringLiteral("wj_x_g_c_l_2")).isEmpty());
}

// A package folder without its settings file does not move the packages after
// it: the name listed at position i is package i + 1, and adding the broken
// one is refused.
TEST(EffectPackage, PictureListingKeepsPackageNumbersPastABrokenFolder)
{
    EffectTree t;
    t.addPicture(1, 5, QStringLiteral("花瓣"));
    t.addPicture(2, 5, QStringLiteral("爱心"));
    t.addPicture(3, 5, QStringLiteral("雪花"));
    ASSERT_TRUE(QFile::remove(effectIniPath(t.paths, t.mode, {EffectKind::Picture, 0, 2})));
    const QStringList listed = listPictureEffects(t.paths, t.mode);
    ASSERT_EQ(listed.size(), 3);
    EXPECT_EQ(listed[0], QStringLiteral("花瓣"));
    EXPECT_EQ(listed[1], brokenPictureEffectName(2));
    EXPECT_EQ(listed[2], QStringLiteral("雪花"));

    Album album = t.album();
    EXPECT_FALSE(addPictureEffect(album, listed, 1, {0, 0, 1}).changed);
    ASSERT_TRUE(addPictureEffect(album, listed, 2, {0, 0, 1}).changed);
    EXPECT_EQ(album.huamian_ListView_Image[0].subItem(effcol::kName), QStringLiteral("雪花"));
    EXPECT_EQ(album.huamian_ListView_Image[0].subItem(effcol::kSequence), QStringLiteral("2")); // package 3
}

TEST(EffectPackage, IniReadsGbkNamesAndMissingKeysAsEmpty)
{
    EffectTree t;
    t.addText(1, 1, 12, QStringLiteral("ab"), QStringLiteral("z"));
    const auto ini = EffectPackageIni::read(effectIniPath(t.paths, t.mode, {EffectKind::Text, 1, 1}));
    ASSERT_TRUE(ini);
    EXPECT_EQ(ini->name, QStringLiteral("文字1_1"));
    EXPECT_EQ(ini->frames(), 12);
    EXPECT_EQ(ini->marks, QStringLiteral("ab"));
    EXPECT_FALSE(EffectPackageIni::read(t.paths.root() + QStringLiteral("none.ini")));

    EffectPackageIni bad;
    for (const char *f : {"", "abc", "0", "-3"}) {
        bad.frameCount = QString::fromLatin1(f);
        EXPECT_EQ(bad.frames(), 0) << f;
    }
}

TEST(EffectPackage, DefaultPositionCentresWithTruncatingHalves)
{
    EffectPackageIni ini;
    ini.positionMode = QStringLiteral("z");
    EXPECT_EQ(defaultTextPosition(ini, {200, 81}, {800, 450}), QPoint(300, 185));
    EXPECT_EQ(defaultTextPosition(ini, {300, 500}, {250, 445}), QPoint(-25, -28));
    ini.positionMode = QStringLiteral("n");
    ini.x = QStringLiteral("-40");
    ini.y = QStringLiteral("12");
    EXPECT_EQ(defaultTextPosition(ini, {200, 81}, {800, 450}), QPoint(-40, 12));
}

TEST(EffectPackage, StillFrameSizeComesFromItsPng)
{
    EffectTree t;
    t.addText(1, 1, 3, {}, QStringLiteral("z"), {200, 81});
    const EffectLocation loc{EffectKind::Text, 1, 1};
    const auto ini = EffectPackageIni::read(effectIniPath(t.paths, t.mode, loc));
    EXPECT_EQ(stillFrameSize(t.paths, t.mode, loc, *ini), QSize(200, 81));
}

TEST(EffectPackage, CategoryListHas42RowsWithSeparators)
{
    const QStringList &rows = textCategoryRows();
    ASSERT_EQ(rows.size(), 42);
    EXPECT_EQ(rows[0], QStringLiteral("01 全部文字元素"));
    EXPECT_EQ(rows[2], QStringLiteral("02 婚纱文字元素"));
    EXPECT_EQ(rows[40], QStringLiteral("21 运动会文字元素"));
    for (int i = 1; i < 42; i += 2)
        EXPECT_EQ(rows[i], QStringLiteral("---------------"));
    EXPECT_EQ(categoryOfRow(0), 0);
    EXPECT_EQ(categoryOfRow(40), 20);
    EXPECT_EQ(categoryOfRow(3), -1);
    EXPECT_EQ(categoryOfRow(42), -1);
}

TEST(EffectPackage, TextListingAllAndSingleCategory)
{
    EffectTree t;
    t.addText(1, 1, 3);
    t.addText(1, 2, 3);
    t.addText(2, 1, 3);
    t.addText(4, 1, 3); // category 3 is missing: 4 is never reached

    const TextEffectListing all = listTextEffects(t.paths, t.mode, 0, ListingCause::WindowOpening);
    EXPECT_EQ(all.categories, (QStringList{"1", "1", "2"}));
    EXPECT_EQ(all.numbers, (QStringList{"1", "2", "1"}));
    EXPECT_EQ(all.at(2), (EffectLocation{EffectKind::Text, 2, 1}));
    EXPECT_TRUE(all.notice.isEmpty());

    const TextEffectListing one = listTextEffects(t.paths, t.mode, 4, ListingCause::CategoryChange);
    EXPECT_EQ(one.names, QStringList{QStringLiteral("文字2_1")});
    EXPECT_TRUE(listTextEffects(t.paths, t.mode, 5, ListingCause::CategoryChange).names.isEmpty());
}

TEST(EffectPackage, FolderWithoutIniIsSkippedOnOpeningAndStopsAfterCategoryChange)
{
    EffectTree t;
    t.addText(1, 1, 3);
    ensureFolder(t.paths.textEffectFolder(t.mode, 1, 2)); // no INI
    t.addText(1, 3, 3);
    t.addText(2, 1, 3);

    const auto opening = listTextEffects(t.paths, t.mode, 0, ListingCause::WindowOpening);
    EXPECT_EQ(opening.size(), 3);
    EXPECT_TRUE(opening.notice.isEmpty());

    const auto changed = listTextEffects(t.paths, t.mode, 0, ListingCause::CategoryChange);
    EXPECT_EQ(changed.size(), 1);
    EXPECT_EQ(changed.notice, QStringLiteral("没有找到选中的文字特效文件！"));

    const auto single = listTextEffects(t.paths, t.mode, 2, ListingCause::WindowOpening);
    EXPECT_EQ(single.size(), 1);
    EXPECT_EQ(single.notice, QStringLiteral("没有找到选中的文字特效文件！"));

    EffectTree empty;
    EXPECT_EQ(listTextEffects(empty.paths, empty.mode, 0, ListingCause::CategoryChange).notice,
              QStringLiteral("没有找到选中的文字特效文件！"));
    EXPECT_TRUE(listTextEffects(empty.paths, empty.mode, 0, ListingCause::WindowOpening).notice.isEmpty());
}
