// Automatic placement windows (TForm34, TForm35) and text delete by origin (TForm36).
#include <QPointer>
#include <QRadioButton>
#include <gtest/gtest.h>

#include "EffectWindowFixture.h"
#include "effects/EffectColumns.h"
#include "effects/EffectPlacement.h"
#include "ui/effects/PictureEffectWindow.h"
#include "ui/effects/PicturePlacementWindow.h"
#include "ui/effects/TextEffectWindow.h"
#include "ui/effects/TextPlacementWindow.h"

using namespace lumora;
using namespace lumora::test;

TEST(TextPlacementWindow, EverySecondTemplateGetsMarksAndDeletingAutomaticRowsClearsThem)
{
    EffectWindowFixture f;
    f.tree.addText(1, 1, 5, QStringLiteral("a"));
    const int cat = EffectTree::addCatalogue(f.album(), 50, QStringLiteral("|5|"), QStringLiteral("|a|"));
    for (int r = 0; r < 5; ++r)
        EffectTree::addUsed(f.album(), cat);

    ui::TextEffectWindow w(f.session, f.dialogs);
    w.prepare();
    click(&w, "Button_zidong_tianjia");
    // The window deletes itself once closed: held through a guarded pointer.
    QPointer<QDialog> placement = w.findChild<QDialog *>("TForm34");
    ASSERT_NE(placement.data(), nullptr);
    ASSERT_TRUE(placement->isVisible());

    // No category chosen yet.
    click(placement, "Button_zidong_jiaru");
    EXPECT_EQ(f.dialogs.notices(), QStringList{"没有选择文字特效分类。"});

    child<QComboBox>(placement, "ComboBox_wenzitexiao_fenlei")->setCurrentIndex(0);
    child<QRadioButton>(placement, "RadioButton_jiange")->setChecked(true);
    child<QComboBox>(placement, "ComboBox_wenzitexiao_jiangeshu")->setCurrentIndex(0); // "1": every second template
    click(placement, "Button_zidong_jiaru");
    QTRY_VERIFY_WITH_TIMEOUT(!placement || !placement->isVisible(), 5000);
    EXPECT_EQ(f.dialogs.notices().last(),
              QStringLiteral("自动加入文字特效到已使用模板中完成,单击[确定]按钮返回到文字特效窗口！"));

    // Templates 1, 3 and 5 (rows 0, 2, 4) carry marks and rows; 2 and 4 none.
    EXPECT_EQ(f.album().wenzi_ListView_Image.subItemTexts(effcol::kTextTemplateRow), (QStringList{"0", "2", "4"}));
    const QStringList marks = EffectTree::slotMarks(f.album());
    for (int r = 0; r < 5; ++r)
        for (int s = 0; s < 2; ++s)
            EXPECT_EQ(marks[2 * r + s].isEmpty(), r % 2 == 1) << "template " << r + 1;
    // Start times re-derived: frame 5 of the 50-frame templates starting at frames 0, 100 and 200.
    EXPECT_EQ(f.album().wenzi_ListView_Image.subItemTexts(effcol::kStart),
              (QStringList{"00:00:00", "00:00:04", "00:00:08"}));
    EXPECT_EQ(child<QTableView>(&w, "ListView_Image_2")->model()->rowCount(), 3);

    // Deleting the automatic rows through TForm36 also clears the slot marks.
    click(&w, "Button_xuanze_shanchu");
    auto *byOrigin = w.findChild<QDialog *>("TForm36");
    ASSERT_NE(byOrigin, nullptr);
    child<QRadioButton>(byOrigin, "RadioButton_zidong")->setChecked(true);
    click(byOrigin, "Button_queding");
    EXPECT_EQ(f.dialogs.notices().last(),
              QStringLiteral("已经全部删除自动添加的文字特效,单击[确定]按钮返回到文字特效窗口！"));
    EXPECT_EQ(f.album().wenzi_ListView_Image.size(), 0);
    for (const QString &m : EffectTree::slotMarks(f.album()))
        EXPECT_TRUE(m.isEmpty());
}

TEST(TextPlacementWindow, OpeningChecks)
{
    EffectWindowFixture f;
    f.tree.addText(1, 1, 5, QStringLiteral("a"));
    ui::TextEffectWindow w(f.session, f.dialogs);
    w.prepare();
    click(&w, "Button_zidong_tianjia");
    EXPECT_EQ(f.dialogs.notices().last(), QStringLiteral("没有添加相片文件或模板文件!"));
    const int cat = EffectTree::addCatalogue(f.album(), 50, QStringLiteral("|5|"), QStringLiteral("|a|"));
    EffectTree::addUsed(f.album(), cat, false);
    click(&w, "Button_zidong_tianjia");
    EXPECT_EQ(f.dialogs.notices().last(), QStringLiteral("已经添加的模板文件没有匹配相片文件!"));
    EXPECT_EQ(w.findChild<QDialog *>("TForm34"), nullptr);
}

TEST(PicturePlacementWindow, CombinationsCoverTheAlbumsLength)
{
    EffectWindowFixture f;
    // Every package lasts 125 frames (5 s); five complete templates of 100 frames make 500 (20 s).
    for (int n = 1; n <= 6; ++n)
        f.tree.addPicture(n, 125, {}, 1);
    const int cat = EffectTree::addCatalogue(f.album(), 100);
    for (int r = 0; r < 5; ++r)
        EffectTree::addUsed(f.album(), cat);

    ui::PictureEffectWindow w(f.session, f.dialogs);
    w.prepare();
    click(&w, "Button_tianjia"); // a manual row first: placement asks to delete it
    f.dialogs.confirmAnswers = {true};
    click(&w, "Button_zidong_tianjia");
    EXPECT_EQ(f.dialogs.asked.back().title, QStringLiteral("删除画面特效"));
    EXPECT_EQ(f.album().huamian_ListView_Image.size(), 0);
    QPointer<QDialog> placement = w.findChild<QDialog *>("TForm35");
    ASSERT_NE(placement.data(), nullptr);
    EXPECT_EQ(child<QComboBox>(placement, "ComboBox_zuhe_texiao")->currentText(), QStringLiteral("婚纱特效组合"));
    EXPECT_FALSE(child<QComboBox>(placement, "ComboBox_jiange_miaoshu")->isEnabled());
    child<QRadioButton>(placement, "RadioButton_jiange")->setChecked(true);
    EXPECT_TRUE(child<QComboBox>(placement, "ComboBox_jiange_miaoshu")->isEnabled());

    click(placement, "Button_queding");
    QTRY_VERIFY_WITH_TIMEOUT(!placement || !placement->isVisible(), 5000);
    EXPECT_EQ(f.dialogs.notices().last(), QStringLiteral("自动添加画面特效已完成,单击[确定]按钮返回到画面特效窗口！"));

    // Combinations start at 0, 5, 10 and 15 s (offsets add 0 … 2 s) and none after: 4 × 125 = 500 frames.
    QSet<int> bases;
    for (const Row &r : f.album().huamian_ListView_Image) {
        EXPECT_EQ(r.subItem(effcol::kPicOrigin), QStringLiteral("自动添加"));
        const int s = r.subItem(effcol::kStart).right(2).toInt();
        bases.insert(s / 5 * 5);
        EXPECT_LT(s, 20);
    }
    EXPECT_EQ(bases, (QSet<int>{0, 5, 10, 15}));
    EXPECT_EQ(child<QTableView>(&w, "ListView_Image_2")->model()->rowCount(), f.album().huamian_ListView_Image.size());
}
