#include <gtest/gtest.h>

#include "EffectFixture.h"
#include "app/FlagWords.h"
#include "effects/EffectColumns.h"
#include "effects/EffectPlacement.h"
#include "effects/EffectTables.h"

using namespace lumora;
using namespace lumora::test;

namespace {
const ConfirmFn yes = [](const QString &, const QString &) { return true; };
const ConfirmFn no = [](const QString &, const QString &) { return false; };

QStringList captions(const RowTable &t)
{
    QStringList out;
    for (const Row &r : t)
        out << r.caption();
    return out;
}
} // namespace

TEST(EffectTables, TimeListsAndStartTimeText)
{
    const QStringList hours = startTimeEntries(0);
    ASSERT_EQ(hours.size(), 60);
    EXPECT_EQ(hours[0], QStringLiteral("00  时"));
    EXPECT_EQ(startTimeEntries(1)[9], QStringLiteral("09  分"));
    EXPECT_EQ(startTimeEntries(2)[59], QStringLiteral("59  秒"));
    EXPECT_EQ((StartTimeChoice{1, 2, 3}.text()), QStringLiteral("01:02:03"));
}

TEST(EffectTables, PictureAddChecksInOrderAndWritesBothTables)
{
    EffectTree t;
    t.addPicture(1, 40, QStringLiteral("花瓣"));
    t.addPicture(2, 75, QStringLiteral("爱心"));
    Album album = t.album();
    const QStringList listed = listPictureEffects(t.paths, t.mode);

    struct Case {
        QStringList listed;
        int selected;
        StartTimeChoice time;
        const char *notice;
    } cases[] = {
        {{}, -1, {0, -1, -1}, "先安装画面特效！没有找到画面特效文件。"},
        {listed, -1, {0, -1, -1}, "(特效出现时间)分钟不能为空！"},
        {listed, -1, {0, 1, -1}, "(特效出现时间)秒数不能为空！"},
        {listed, -1, {0, 1, 2}, "(画面特效)不能为空！"},
    };
    for (const Case &c : cases) {
        const EffectResult r = addPictureEffect(album, c.listed, c.selected, c.time);
        EXPECT_FALSE(r.changed);
        EXPECT_EQ(r.notice, QString::fromUtf8(c.notice));
    }
    EXPECT_TRUE(album.huamian_ListView_Image.empty());

    ASSERT_TRUE(addPictureEffect(album, listed, 1, {0, 1, 5}).changed);
    const Row &w = album.huamian_ListView_Image[0];
    EXPECT_EQ(w.caption(), QStringLiteral("75"));
    EXPECT_EQ(w.subItems(), (QStringList{"00:01:05", "暂无", "tingzhi", "爱心", "1", "手动添加", "wu"}));
    const Row &v = album.huamian_ListView_Image_2[0];
    EXPECT_EQ(v.caption(), QStringLiteral("1"));
    EXPECT_EQ(v.subItems(), (QStringList{"75", "00:01:05", "爱心", "手动添加"}));
    EXPECT_EQ(album.huamian_ListView_Image.columns()[4], QStringLiteral("图片装饰特效"));
    EXPECT_EQ(album.huamian_ListView_Image_2.columns()[3], QStringLiteral("特效名称"));
}

TEST(EffectTables, PictureDeletesRenumberAndAskFirst)
{
    EffectTree t;
    t.addPicture(1, 10);
    Album album = t.album();
    const QStringList listed = listPictureEffects(t.paths, t.mode);

    EXPECT_EQ(deletePictureEffect(album, 0, yes).notice, QStringLiteral("没有添加画面特效!"));
    EXPECT_EQ(deleteAllPictureEffects(album, yes).notice, QStringLiteral("没有添加画面特效!"));
    EXPECT_EQ(deletePictureEffectsByOrigin(album, false).notice, QStringLiteral("没有找到添加的画面特效！"));

    for (int s = 0; s < 3; ++s)
        addPictureEffect(album, listed, 0, {0, 0, s});
    EXPECT_EQ(deletePictureEffect(album, -1, yes).notice, QStringLiteral("没有选中已添加的特效！"));
    EXPECT_FALSE(deletePictureEffect(album, 1, no).changed);
    EXPECT_EQ(album.huamian_ListView_Image.size(), 3);

    QString asked;
    ASSERT_TRUE(deletePictureEffect(album, 1, [&](const QString &title, const QString &q) {
                    asked = title + u'|' + q;
                    return true;
                }).changed);
    EXPECT_EQ(asked, QStringLiteral("删除画面特效|是否确定要删除选中的画面特效?"));
    EXPECT_EQ(captions(album.huamian_ListView_Image_2), (QStringList{"1", "2"}));
    EXPECT_EQ(album.huamian_ListView_Image[1].subItem(effcol::kStart), QStringLiteral("00:00:02"));
    EXPECT_EQ(album.huamian_ListView_Image_2[1].subItem(effcol::kVisStart), QStringLiteral("00:00:02"));

    // Delete by origin: nothing automatic to remove keeps the dialog open.
    const EffectResult none = deletePictureEffectsByOrigin(album, true);
    EXPECT_FALSE(none.changed);
    EXPECT_FALSE(none.closeDialog);
    EXPECT_EQ(none.notice, QStringLiteral("没有找到自动添加的画面特效！"));
    album.huamian_ListView_Image[0].setSubItem(effcol::kPicOrigin, effcol::kAutomatic);
    album.huamian_ListView_Image_2[0].setSubItem(effcol::kVisOrigin, effcol::kAutomatic);
    const EffectResult manual = deletePictureEffectsByOrigin(album, false);
    EXPECT_TRUE(manual.closeDialog);
    EXPECT_EQ(manual.notice, QStringLiteral("已经全部删除手动添加的画面特效,单击[确定]按钮返回到画面特效窗口！"));
    ASSERT_EQ(album.huamian_ListView_Image_2.size(), 1);
    EXPECT_EQ(album.huamian_ListView_Image_2[0].subItem(effcol::kVisOrigin), effcol::kAutomatic);

    EXPECT_TRUE(deleteAllPictureEffects(album, yes).changed);
    EXPECT_TRUE(album.huamian_ListView_Image_2.empty());
}

TEST(EffectTables, TextAddLocatesThePackageByCategoryAndDefaultPosition)
{
    EffectTree t;
    for (int n = 1; n <= 5; ++n)
        t.addText(1, n, 20 + n, {}, n == 5 ? QStringLiteral("z") : QStringLiteral("n"),
                  n == 5 ? QSize(200, 81) : QSize(8, 4));
    t.addText(2, 1, 9);
    Album album = t.album();

    // "02 婚纱文字元素": the fifth name is category 1, effect 5.
    const auto wedding = listTextEffects(t.paths, t.mode, 2, ListingCause::CategoryChange);
    ASSERT_TRUE(addTextEffect(album, wedding, 2, 4, {0, 0, 3}).changed);
    const Row &w = album.wenzi_ListView_Image[0];
    EXPECT_EQ(w.caption(), QStringLiteral("25"));
    EXPECT_EQ(w.subItems(),
              (QStringList{"00:00:03", "暂无", "tingzhi", "文字1_5", "4", "300", "185", "1", "", "", "", "", "手动添加",
                           "wu"}));

    // "All": the parallel lists locate the package, not the list position.
    const auto all = listTextEffects(t.paths, t.mode, 0, ListingCause::WindowOpening);
    ASSERT_TRUE(addTextEffect(album, all, 0, 5, {0, 0, 0}).changed);
    EXPECT_EQ(album.wenzi_ListView_Image[1].subItem(effcol::kTextCategory), QStringLiteral("2"));
    EXPECT_EQ(album.wenzi_ListView_Image[1].subItem(effcol::kTextX), QStringLiteral("10"));
    EXPECT_EQ(album.wenzi_ListView_Image_2[1].subItems(), (QStringList{"9", "00:00:00", "文字2_1", "手动添加"}));

    EXPECT_EQ(addTextEffect(album, {}, 0, 0, {}).notice, QStringLiteral("先安装文字特效！没有找到文字特效文件。"));
    EXPECT_EQ(addTextEffect(album, all, 0, -1, {}).notice, QStringLiteral("(文字特效)不能为空！"));
    TextEffectListing stale = all;
    stale.numbers[0] = QStringLiteral("9");
    EXPECT_EQ(addTextEffect(album, stale, 0, 0, {}).notice, QStringLiteral("没有找到选中的文字特效文件！"));
    EXPECT_EQ(album.wenzi_ListView_Image.size(), 2);

    EXPECT_EQ(chooseTextCategory(7).row, 0);
    EXPECT_EQ(chooseTextCategory(7).notice, QStringLiteral("没有选中文字特效分类！"));
    EXPECT_EQ(chooseTextCategory(8).row, 8);
}

TEST(EffectTables, SaveStoresThePositionAndResetRestoresTheDefault)
{
    EffectTree t;
    t.addText(1, 1, 5, {}, QStringLiteral("z"), {200, 81});
    Album album = t.album();
    EXPECT_EQ(saveTextPosition(album, 0, {1, 2}).notice, QStringLiteral("没有添加文字特效!"));
    addTextEffect(album, listTextEffects(t.paths, t.mode, 0, ListingCause::WindowOpening), 0, 0, {});
    EXPECT_EQ(saveTextPosition(album, 3, {1, 2}).notice, QStringLiteral("没有选中已添加的特效！"));

    EXPECT_EQ(saveTextPosition(album, 0, {-5, 7}).notice, QStringLiteral("当前设置保存完成！"));
    EXPECT_EQ(album.wenzi_ListView_Image[0].subItem(effcol::kTextX), QStringLiteral("-5"));
    QPoint p;
    EXPECT_EQ(resetTextPosition(album, 0, &p).notice, QStringLiteral("当前设置重置完成！"));
    EXPECT_EQ(p, QPoint(300, 185));
    EXPECT_EQ(album.wenzi_ListView_Image[0].subItem(effcol::kTextY), QStringLiteral("185"));
}

TEST(EffectTables, DeletingTheLastRowOfAGroupClearsTheTemplatesSlotMarks)
{
    EffectTree t;
    t.addText(1, 1, 5, QStringLiteral("a"));
    Album album = t.album();
    const int cat = EffectTree::addCatalogue(album, 100, QStringLiteral("|10|30|60|"), QStringLiteral("|a|a|a|"));
    EffectTree::addUsed(album, cat);
    TextPlacementOptions o;
    o.now = QTime(15, 30, 12);
    ASSERT_EQ(runTextPlacement(album, o).rowsAdded, 3);
    EXPECT_EQ(EffectTree::slotMarks(album), (QStringList{"153012_0", "153012_0"}));

    QString question;
    auto capture = [&](const QString &, const QString &q) {
        question = q;
        return true;
    };
    ASSERT_TRUE(deleteTextEffect(album, 0, capture).changed);
    EXPECT_EQ(question, QStringLiteral("是否确定要删除选中的文字特效?删除后,自动匹配到模板中的文字特效也会被删除!"));
    EXPECT_EQ(EffectTree::slotMarks(album), (QStringList{"153012_0", "153012_0"}));
    EXPECT_EQ(captions(album.wenzi_ListView_Image_2), (QStringList{"1", "2"}));
    // The others keep their start times (frames 30 and 60: seconds 1 and 2).
    EXPECT_EQ(album.wenzi_ListView_Image[0].subItem(effcol::kStart), QStringLiteral("00:00:01"));
    EXPECT_EQ(album.wenzi_ListView_Image_2[1].subItem(effcol::kVisStart), QStringLiteral("00:00:02"));

    deleteTextEffect(album, 0, yes);
    EXPECT_EQ(EffectTree::slotMarks(album), (QStringList{"153012_0", "153012_0"}));
    deleteTextEffect(album, 0, yes);
    EXPECT_EQ(EffectTree::slotMarks(album), (QStringList{"", ""}));
}

TEST(EffectTables, TextDeleteAllAndByOriginClearSlotMarks)
{
    EffectTree t;
    t.addText(1, 1, 5, QStringLiteral("a"));
    Album album = t.album();
    EffectTree::addUsed(album, EffectTree::addCatalogue(album, 100, QStringLiteral("|10|"), QStringLiteral("|a|")));
    const auto all = listTextEffects(t.paths, t.mode, 0, ListingCause::WindowOpening);
    addTextEffect(album, all, 0, 0, {});
    runTextPlacement(album);
    ASSERT_EQ(album.wenzi_ListView_Image.size(), 2);

    EXPECT_EQ(deleteTextEffectsByOrigin(album, true).notice,
              QStringLiteral("已经全部删除自动添加的文字特效,单击[确定]按钮返回到文字特效窗口！"));
    EXPECT_EQ(EffectTree::slotMarks(album), (QStringList{"", ""}));
    EXPECT_EQ(album.wenzi_ListView_Image[0].subItem(effcol::kTextOrigin), effcol::kByHand);
    EXPECT_EQ(deleteTextEffectsByOrigin(album, true).notice, QStringLiteral("没有找到自动添加的文字特效！"));

    runTextPlacement(album);
    QString question;
    EXPECT_FALSE(deleteAllTextEffects(album, no).changed);
    deleteAllTextEffects(album, [&](const QString &, const QString &q) {
        question = q;
        return true;
    });
    EXPECT_EQ(question,
              QStringLiteral("是否确定要删除全部添加的文字特效?删除后,自动添加到模板中的文字特效也会被全部删除!"));
    EXPECT_TRUE(album.wenzi_ListView_Image_2.empty());
    EXPECT_EQ(EffectTree::slotMarks(album), (QStringList{"", ""}));
}
