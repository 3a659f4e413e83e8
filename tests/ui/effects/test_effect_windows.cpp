// The picture and text effect windows driven through their named widgets.
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QRadioButton>
#include <QSlider>
#include <QTest>
#include <gtest/gtest.h>

#include "EffectWindowFixture.h"
#include "effects/CustomCaptions.h"
#include "effects/EffectColumns.h"
#include "effects/EffectEdits.h"
#include "resources/FolderOps.h"
#include "ui/effects/EffectAnimation.h"
#include "ui/effects/EffectGallery.h"
#include "ui/effects/EffectRowPreview.h"
#include "ui/effects/PictureEffectWindow.h"
#include "ui/effects/TextEffectWindow.h"

using namespace lumora;
using namespace lumora::test;
using lumora::ui::PictureEffectWindow;
using lumora::ui::TextEffectWindow;

namespace {

void chooseTime(QObject *w, int minute, int second)
{
    child<QComboBox>(w, "ComboBox_fen")->setCurrentIndex(minute);
    child<QComboBox>(w, "ComboBox_miao")->setCurrentIndex(second);
}

} // namespace

TEST(PictureEffectWindow, AddAtATimeShowsTheRowInBothTablesAndItsStartCanBeEdited)
{
    EffectWindowFixture f;
    for (int n = 1; n <= 3; ++n)
        f.tree.addPicture(n, 10);
    PictureEffectWindow w(f.session, f.dialogs);
    w.prepare();
    ASSERT_EQ(child<QComboBox>(&w, "ComboBox_texiao_name")->count(), 3);
    EXPECT_EQ(child<QComboBox>(&w, "ComboBox_shi")->itemText(59), QStringLiteral("59  时"));

    // A click on a tile of the gallery chooses that effect.
    w.show();
    auto *gallery = child<QListWidget>(&w, "ListView_texiao_tuku");
    QTRY_COMPARE(gallery->count(), 3);
    gallery->scrollToItem(gallery->item(2));
    QTest::mouseClick(gallery->viewport(), Qt::LeftButton, {}, gallery->visualItemRect(gallery->item(2)).center());
    EXPECT_EQ(child<QComboBox>(&w, "ComboBox_texiao_name")->currentIndex(), 2);
    w.hide();

    child<QComboBox>(&w, "ComboBox_texiao_name")->setCurrentIndex(1);
    chooseTime(&w, 0, 2);
    click(&w, "Button_tianjia");
    EXPECT_TRUE(f.dialogs.notices().isEmpty()) << f.dialogs.notices().join('\n').toStdString();
    EXPECT_EQ(rowTexts(&w, "ListView_Image", 0),
              (QStringList{"10", "00:00:02", "暂无", "tingzhi", "画面2", "1", "手动添加", "wu"}));
    EXPECT_EQ(rowTexts(&w, "ListView_Image_2", 0), (QStringList{"1", "10", "00:00:02", "画面2", "手动添加"}));

    // Editing the start: the selected row's time fills the edit; a new one goes into both tables.
    selectRow(&w, 0);
    auto *edit = child<QLineEdit>(&w, "Edit_kaishi_shijian");
    EXPECT_EQ(edit->text(), QStringLiteral("00:00:02"));
    edit->setText(QStringLiteral("00:01:05"));
    click(&w, "Button_xiugai_shijian");
    EXPECT_EQ(rowTexts(&w, "ListView_Image", 0).value(1), QStringLiteral("00:01:05"));
    EXPECT_EQ(rowTexts(&w, "ListView_Image_2", 0).value(2), QStringLiteral("00:01:05"));

    // Wrong forms are refused with the notice naming the expected form; nothing changes.
    for (const char *typed : {"1:2:3", "00:60:00", "00:00:2", "00:00:02:00", "abc", "", "60:00:00"}) {
        selectRow(&w, 0);
        edit->setText(QString::fromUtf8(typed));
        f.dialogs.asked.clear();
        click(&w, "Button_xiugai_shijian");
        EXPECT_EQ(f.dialogs.notices(), QStringList{kStartTimeFormatNotice}) << typed;
        EXPECT_EQ(f.album().huamian_ListView_Image[0].subItem(effcol::kStart), QStringLiteral("00:01:05")) << typed;
    }
}

TEST(PictureEffectWindow, DeleteByOriginStaysOpenWhenNoneOfThatOriginAndClosesAfterDeleting)
{
    EffectWindowFixture f;
    f.tree.addPicture(1, 10);
    PictureEffectWindow w(f.session, f.dialogs);
    w.prepare();

    click(&w, "Button_xuanze_shanchu");
    EXPECT_EQ(f.dialogs.notices(), QStringList{"没有找到添加的画面特效！"});
    EXPECT_EQ(w.findChild<QDialog *>("TForm37"), nullptr);

    click(&w, "Button_tianjia");
    click(&w, "Button_tianjia");
    ASSERT_EQ(f.album().huamian_ListView_Image.size(), 2);
    f.dialogs.asked.clear();
    click(&w, "Button_xuanze_shanchu");
    auto *dialog = w.findChild<QDialog *>("TForm37");
    ASSERT_NE(dialog, nullptr);
    ASSERT_TRUE(dialog->isVisible());
    EXPECT_TRUE(child<QRadioButton>(dialog, "RadioButton_shoudong")->isChecked());

    child<QRadioButton>(dialog, "RadioButton_zidong")->setChecked(true);
    click(dialog, "Button_queding");
    EXPECT_EQ(f.dialogs.notices(), QStringList{"没有找到自动添加的画面特效！"});
    EXPECT_TRUE(dialog->isVisible());
    EXPECT_EQ(f.album().huamian_ListView_Image.size(), 2);

    child<QRadioButton>(dialog, "RadioButton_shoudong")->setChecked(true);
    click(dialog, "Button_queding");
    EXPECT_EQ(f.dialogs.notices().last(),
              QStringLiteral("已经全部删除手动添加的画面特效,单击[确定]按钮返回到画面特效窗口！"));
    EXPECT_FALSE(dialog->isVisible());
    EXPECT_EQ(f.album().huamian_ListView_Image.size(), 0);
    EXPECT_EQ(child<QTableView>(&w, "ListView_Image_2")->model()->rowCount(), 0);
}

TEST(PictureEffectWindow, DeleteOneAndAllAskFirstAndRenumber)
{
    EffectWindowFixture f;
    f.tree.addPicture(1, 10);
    PictureEffectWindow w(f.session, f.dialogs);
    w.prepare();
    for (int s = 1; s <= 3; ++s) {
        chooseTime(&w, 0, s);
        click(&w, "Button_tianjia");
    }
    selectRow(&w, 0);
    f.dialogs.confirmAnswers = {false};
    click(&w, "Button_shanchu");
    EXPECT_EQ(f.album().huamian_ListView_Image.size(), 3);
    selectRow(&w, 0);
    click(&w, "Button_shanchu");
    EXPECT_EQ(rowTexts(&w, "ListView_Image_2", 0).mid(0, 3), (QStringList{"1", "10", "00:00:02"}));
    EXPECT_EQ(rowTexts(&w, "ListView_Image_2", 1).mid(0, 3), (QStringList{"2", "10", "00:00:03"}));
    click(&w, "Button_shanchu");
    EXPECT_EQ(f.dialogs.notices().last(), QStringLiteral("没有选中已添加的特效！"));
    click(&w, "Button_quanbu_shanchu");
    EXPECT_EQ(f.dialogs.asked.back().message, QStringLiteral("是否确定要删除全部添加的画面特效?"));
    EXPECT_EQ(f.album().huamian_ListView_Image.size(), 0);
    click(&w, "Button_quanbu_shanchu");
    EXPECT_EQ(f.dialogs.notices().last(), QStringLiteral("没有添加画面特效!"));
}

TEST(PictureEffectWindow, DamagedPackagesAreRefusedByNameAndMarkedInTheGallery)
{
    EffectWindowFixture f;
    f.tree.addPicture(1, 10, QStringLiteral("好的"));
    EffectPackageIni noCount;
    noCount.name = QStringLiteral("没有帧数");
    f.tree.addPackage({EffectKind::Picture, 0, 2}, noCount, 3);
    f.tree.addPicture(3, 10, QStringLiteral("坏图"));
    writeFileBytes(effectFramePath(f.tree.paths, f.tree.mode, {EffectKind::Picture, 0, 3}, 1, FrameSet::Preview),
                   QByteArray("\x89PNG\r\n\x1a\n broken"));
    f.tree.addPicture(4, 10, QStringLiteral("没有图片"), 0);

    PictureEffectWindow w(f.session, f.dialogs);
    w.prepare();
    auto *names = child<QComboBox>(&w, "ComboBox_texiao_name");
    ASSERT_EQ(names->count(), 4);
    for (auto [index, name, reason] : {std::tuple{1, "没有帧数", "没有帧数"}, std::tuple{2, "坏图", "损坏"},
                                       std::tuple{3, "没有图片", "没有找到第 1 帧"}}) {
        names->setCurrentIndex(index); // no crash; a package without frames shows nothing
        QTest::qWait(120);
        // "坏图" has only its first frame damaged: the animation may show the others.
        if (index != 2)
            EXPECT_TRUE(w.animation()->frame().isNull()) << name;
        f.dialogs.asked.clear();
        click(&w, "Button_tianjia");
        ASSERT_EQ(f.dialogs.notices().size(), 1) << name;
        EXPECT_TRUE(f.dialogs.notices()[0].contains(QString::fromUtf8(name))) << f.dialogs.notices()[0].toStdString();
        EXPECT_TRUE(f.dialogs.notices()[0].contains(QString::fromUtf8(reason))) << f.dialogs.notices()[0].toStdString();
    }
    EXPECT_EQ(f.album().huamian_ListView_Image.size(), 0);

    // The gallery marks the same packages and keeps the good one.
    auto *gallery = w.gallery();
    QTRY_COMPARE_WITH_TIMEOUT(gallery->pendingThumbnails(), 0, 5000);
    EXPECT_TRUE(gallery->problemOf(0).isEmpty());
    for (int row : {1, 2, 3})
        EXPECT_FALSE(gallery->problemOf(row).isEmpty()) << row;
}

TEST(PictureEffectWindow, PackageAnimatesInOrderAndTheRowPreviewPlaysOnceThenStops)
{
    EffectWindowFixture f;
    f.tree.addPicture(1, 6);
    f.tree.addPicture(2, 5);
    PictureEffectWindow w(f.session, f.dialogs);
    w.prepare();

    // The selected package loops through its frames.
    std::vector<int> seen;
    QObject::connect(w.animation(), &ui::EffectAnimation::frameChanged, &w,
                     [&] { seen.push_back(EffectTree::frameNumberOf(w.animation()->frame())); });
    QTRY_VERIFY_WITH_TIMEOUT(seen.size() >= 8, 3000);
    for (size_t i = 1; i < seen.size(); ++i)
        EXPECT_TRUE(seen[i] == seen[i - 1] % 6 + 1 || seen[i] > seen[i - 1]) << i; // forward, wrapping after 6

    // A row of 5 frames at 00:00:00: single preview shows frames 1 … 4, then stops by itself.
    child<QComboBox>(&w, "ComboBox_texiao_name")->setCurrentIndex(1);
    click(&w, "Button_tianjia");
    selectRow(&w, 0);
    std::vector<int> overlayFrames;
    QObject::connect(w.rowPreview(), &ui::EffectRowPreview::stepped, &w, [&](const std::vector<EffectOverlay> &o) {
        if (!o.empty())
            overlayFrames.push_back(EffectTree::frameNumberOf(o.back().image));
    });
    click(&w, "Button_dange_yulan");
    EXPECT_TRUE(w.rowPreview()->running());
    EXPECT_FALSE(child<QPushButton>(&w, "Button_tianjia")->isEnabled());
    QTRY_VERIFY_WITH_TIMEOUT(!w.rowPreview()->running(), 3000);
    EXPECT_EQ(overlayFrames, (std::vector<int>{1, 2, 3, 4}));
    EXPECT_TRUE(child<QPushButton>(&w, "Button_tianjia")->isEnabled());
    EXPECT_EQ(f.album().huamian_ListView_Image[0].subItem(effcol::kState), QStringLiteral("tingzhi"));

    // Preview needs rows and, for one row, a selection.
    click(&w, "Button_dange_yulan");
    EXPECT_EQ(f.dialogs.notices().last(), QStringLiteral("没有选中已添加的特效！"));
}

TEST(TextEffectWindow, CategoriesPositionsAndThePlayingGuard)
{
    EffectWindowFixture f;
    f.tree.addText(1, 1, 5, {}, QStringLiteral("n"));
    f.tree.addText(1, 2, 5, {}, QStringLiteral("z"), {200, 81});
    f.tree.addText(2, 1, 5);

    f.album().cells.setText(cell::kTuichu, QStringLiteral("bofang_kaishi"));
    TextEffectWindow refused(f.session, f.dialogs);
    EXPECT_FALSE(refused.openWindow());
    EXPECT_EQ(f.dialogs.notices(), QStringList{"正在播放相册,点停止按钮后,再操作！"});
    f.album().cells.setText(cell::kTuichu, QString());

    TextEffectWindow w(f.session, f.dialogs);
    w.prepare();
    auto *category = child<QComboBox>(&w, "ComboBox_texiao_fenlei");
    auto *names = child<QComboBox>(&w, "ComboBox_texiao_name");
    EXPECT_EQ(category->count(), 42);
    EXPECT_EQ(names->count(), 3);
    EXPECT_EQ(child<QWidget>(&w, "ScrollBox_texiao_xianshi")->size(), QSize(800, 450));

    // A separator goes back to "all" with its notice.
    f.dialogs.asked.clear();
    category->setCurrentIndex(3);
    EXPECT_EQ(f.dialogs.notices(), QStringList{"没有选中文字特效分类！"});
    EXPECT_EQ(category->currentIndex(), 0);

    // Category "02 婚纱文字元素", second name: the centred package of category 1.
    category->setCurrentIndex(2);
    ASSERT_EQ(names->count(), 2);
    names->setCurrentIndex(1);
    click(&w, "Button_tianjia");
    const Row &row = f.album().wenzi_ListView_Image[0];
    EXPECT_EQ(row.subItem(effcol::kSequence), QStringLiteral("1"));
    EXPECT_EQ(row.subItem(effcol::kTextCategory), QStringLiteral("1"));
    EXPECT_EQ(QPoint(row.subItem(effcol::kTextX).toInt(), row.subItem(effcol::kTextY).toInt()), QPoint(300, 185));

    // Sliders need a selection; they move the still only until "保存"; "重置" stores the default.
    f.dialogs.asked.clear();
    child<QSlider>(&w, "TrackBar_wenzi_X")->setValue(40);
    EXPECT_EQ(f.dialogs.notices(), QStringList{"没有选中已添加的特效！"});
    selectRow(&w, 0);
    auto *still = child<QLabel>(&w, "Image1_wezi_texiao_xianshi_zhen");
    EXPECT_EQ(still->pos(), QPoint(300, 185));
    EXPECT_EQ(still->size(), QSize(200, 81));
    child<QSlider>(&w, "TrackBar_wenzi_X")->setValue(-50);
    child<QSlider>(&w, "TrackBar_wenzi_Y")->setValue(400);
    EXPECT_EQ(still->pos(), QPoint(-50, 400));
    EXPECT_EQ(row.subItem(effcol::kTextX), QStringLiteral("300"));
    click(&w, "Button_baocun");
    EXPECT_EQ(f.dialogs.notices().last(), QStringLiteral("当前设置保存完成！"));
    EXPECT_EQ(QPoint(row.subItem(effcol::kTextX).toInt(), row.subItem(effcol::kTextY).toInt()), QPoint(-50, 400));
    click(&w, "Button_chongzhi");
    EXPECT_EQ(f.dialogs.notices().last(), QStringLiteral("当前设置重置完成！"));
    EXPECT_EQ(QPoint(row.subItem(effcol::kTextX).toInt(), row.subItem(effcol::kTextY).toInt()), QPoint(300, 185));
    EXPECT_EQ(child<QSlider>(&w, "TrackBar_wenzi_X")->value(), 300);
}

// The person's own words: typed, animated while typed, added as a row of
// their own beside a packaged one, brought back into the editor when the row
// is selected, changed there; a packaged row cannot be changed as words.
TEST(TextEffectWindow, TypedCaptionsAreAddedShownAndChanged)
{
    EffectWindowFixture f;
    f.tree.addText(1, 1, 5);
    TextEffectWindow w(f.session, f.dialogs);
    w.prepare();
    auto *words = child<QPlainTextEdit>(&w, "Memo_zidingyi_wenzi");
    auto *style = child<QComboBox>(&w, "ComboBox_wenzi_yangshi");
    auto *still = child<QLabel>(&w, "Image1_wezi_texiao_xianshi_zhen");
    ASSERT_EQ(style->count(), 8);

    click(&w, "Button_zidingyi_tianjia");
    EXPECT_EQ(f.dialogs.notices(), QStringList{kCaptionTextEmpty});
    EXPECT_TRUE(f.album().wenzi_ListView_Image.empty());

    click(&w, "Button_tianjia"); // a packaged effect first
    words->setPlainText(QStringLiteral("外婆九十岁生日快乐\n2026年5月20日"));
    EXPECT_FALSE(still->isHidden()) << "the words play while they are typed";
    EXPECT_GT(still->width(), 0);
    style->setCurrentIndex(style->findData(QStringLiteral("jinse_biaoti")));
    chooseTime(&w, 1, 5);
    f.dialogs.asked.clear();
    click(&w, "Button_zidingyi_tianjia");
    EXPECT_TRUE(f.dialogs.notices().isEmpty()) << f.dialogs.notices().join('\n').toStdString();
    ASSERT_EQ(f.album().wenzi_ListView_Image.size(), 2);
    const QStringList shown = rowTexts(&w, "ListView_Image_2", 1);
    EXPECT_EQ(shown.value(2), QStringLiteral("00:01:05"));
    EXPECT_TRUE(shown.contains(QStringLiteral("外婆九十岁生日快乐 / 2026年5月20日"))) << shown.join('|').toStdString();
    EXPECT_TRUE(shown.contains(QStringLiteral("手动添加")));
    const Row &row = f.album().wenzi_ListView_Image[1];
    EXPECT_TRUE(isCustomCaption(row));

    // Selecting the packaged row, then the caption: its words and style come back.
    words->clear();
    selectRow(&w, 0);
    f.dialogs.asked.clear();
    words->setPlainText(QStringLiteral("谢谢"));
    click(&w, "Button_zidingyi_xiugai");
    EXPECT_EQ(f.dialogs.notices(), QStringList{kCaptionNotCustom});
    selectRow(&w, 1);
    EXPECT_EQ(words->toPlainText(), QStringLiteral("外婆九十岁生日快乐\n2026年5月20日"));
    EXPECT_EQ(style->currentData().toString(), QStringLiteral("jinse_biaoti"));
    EXPECT_FALSE(still->isHidden());
    EXPECT_EQ(still->pos(), QPoint(row.subItem(effcol::kTextX).toInt(), row.subItem(effcol::kTextY).toInt()));

    words->setPlainText(QStringLiteral("小明 ♥ 小红"));
    style->setCurrentIndex(style->findData(QStringLiteral("daziji")));
    f.dialogs.asked.clear();
    click(&w, "Button_zidingyi_xiugai");
    EXPECT_TRUE(f.dialogs.notices().isEmpty()) << f.dialogs.notices().join('\n').toStdString();
    EXPECT_EQ(row.subItem(effcol::kTextCustomWords), QStringLiteral("小明 ♥ 小红"));
    EXPECT_EQ(row.subItem(effcol::kTextCustomStyle), QStringLiteral("daziji"));
    EXPECT_EQ(row.caption(), QString::number(captionStyleInfo(CaptionStyle::Typewriter).frames));
}

TEST(TextEffectWindow, AFolderWithoutIniEndsTheCategoryListingWithItsNotice)
{
    EffectWindowFixture f;
    f.tree.addText(1, 1, 5);
    f.tree.addText(1, 3, 5);
    ensureFolder(effectFolder(f.tree.paths, f.tree.mode, {EffectKind::Text, 1, 2})); // folder 2 without INI
    TextEffectWindow w(f.session, f.dialogs);
    w.prepare();
    EXPECT_TRUE(f.dialogs.notices().isEmpty()); // opening skips it quietly
    child<QComboBox>(&w, "ComboBox_texiao_fenlei")->setCurrentIndex(2);
    EXPECT_EQ(f.dialogs.notices(), QStringList{"没有找到选中的文字特效文件！"});
    EXPECT_EQ(child<QComboBox>(&w, "ComboBox_texiao_name")->count(), 1);
}

TEST(EffectGallery, AListingReplacedBeforeItsThumbnailsKeepsOnlyItsOwnAndTilesTakeALateSamplePicture)
{
    EffectWindowFixture f;
    f.tree.addPicture(1, 10); // its middle frame is frame 5
    f.tree.addPicture(2, 20); // frame 10
    ui::EffectGallery gallery(f.session.paths());
    const QString mode = f.album().modeInfo().effectFolder;
    const ui::EffectGallery::Entry first{QStringLiteral("画面1"), {EffectKind::Picture, 0, 1}};
    const ui::EffectGallery::Entry second{QStringLiteral("画面2"), {EffectKind::Picture, 0, 2}};
    // The tile's centre shows the frame; its top edge (the 8 × 4 frame keeps
    // its proportions in the 128 × 72 tile) shows what lies behind it.
    auto tile = [&] { return gallery.item(0)->icon().pixmap(ui::EffectGallery::kThumbSize).toImage(); };
    auto frameShown = [&] { return qRed(tile().pixel(64, 36)); };

    // The second listing replaces the first at once: its row never shows
    // the first one's thumbnail, and the UI thread did not wait for it.
    gallery.setEntries(mode, {first});
    gallery.setEntries(mode, {second});
    QTRY_COMPARE_WITH_TIMEOUT(gallery.pendingThumbnails(), 0, 5000);
    QTest::qWait(100); // anything still coming for the first listing
    EXPECT_EQ(frameShown(), 10);
    gallery.setEntries(mode, {first});
    QTRY_COMPARE_WITH_TIMEOUT(gallery.pendingThumbnails(), 0, 5000);
    EXPECT_EQ(frameShown(), 5);

    // The sample picture arrives after the thumbnails: they are laid over it.
    QImage sample(QSize(800, 450), QImage::Format_RGB32);
    sample.fill(QColor(10, 200, 10));
    gallery.setBackdrop(sample);
    EXPECT_EQ(QColor(tile().pixel(64, 1)), QColor(10, 200, 10));
    EXPECT_EQ(frameShown(), 5);
}
