#include <gtest/gtest.h>

#include <QCheckBox>
#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QSlider>
#include <QTemporaryDir>
#include <QTest>
#include <QTreeWidget>

#include "album/AlbumTables.h"
#include "album/BackgroundTable.h"
#include "album/Matching.h"
#include "album/PhotoTable.h"
#include "album/Staging.h"
#include "image/ImageIO.h"
#include "resources/PackedFile.h"
#include "session/AlbumSession.h"
#include "templates/Catalogue.h"
#include "templates/TemplatePacks.h"
#include "ui/album/CropWindow.h"
#include "ui/album/TemplateManagerWindow.h"
#include "ui/album/ThumbnailCache.h"
#include "ui/app/DialogService.h"
#include "ui/app/FileFolders.h"
#include "ui/app/MainWindow.h"
#include "ui/effects/BackgroundWindow.h"
#include "ui/templates/TemplateOptionsWindow.h"

using namespace lumora;
using namespace lumora::ui;

namespace {

const QString kProgram = QStringLiteral(LUMORA_TEST_PROGRAM_DIR);

// A photo with blocks of colour, so that a misplaced crop shows.
void writeBlocks(const QString &path, int w, int h, int seed)
{
    QImage img(w, h, QImage::Format_RGB32);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            img.setPixel(x, y, qRgb((x / 40 * 70 + seed * 30) % 256, (y / 40 * 90) % 256, ((x + y) / 60 * 50) % 256));
    writeJpeg(img, path);
}

struct Album3 {
    QTemporaryDir tmp;
    std::unique_ptr<AlbumSession> session;
    ScriptedDialogService dialogs;
    QStringList photos;

    // A 16:9 album of `landscape` landscape and `portrait` portrait photos, matched.
    Album3(int landscape, int portrait)
    {
        session = std::make_unique<AlbumSession>(kProgram, tmp.path() + QStringLiteral("/work/"), 5);
        session->chooseMode(ModeKind::Wide16x9);
        for (int i = 0; i < landscape + portrait; ++i) {
            const QString p = tmp.path() + QStringLiteral("/p%1.jpg").arg(i);
            const bool wide = i < landscape;
            writeBlocks(p, wide ? 640 : 480, wide ? 480 : 640, i);
            photos << p;
        }
        session->addPhotos(photos);
    }
    Album &album() { return session->album(); }
    QStringList notices() const { return dialogs.notices(); }
};

template <class T> T *child(QWidget &w, const QString &name)
{
    T *c = w.findChild<T *>(name);
    EXPECT_TRUE(c) << name.toStdString();
    return c;
}

int firstListRowOf(const Album &a, const QString &category)
{
    for (int i = 0; i < a.ListView_moban.size(); ++i)
        if (a.ListView_moban[i].cell(usedcol::kCategory) == category)
            return i;
    return -1;
}

int slotOf(const Album &a, int usedRow, int ordinal)
{
    for (int s = 0; s < a.ListView_moban_shiyong_canshu.size(); ++s) {
        const Row &r = a.ListView_moban_shiyong_canshu[s];
        if (r.cell(slotcol::kUsedRow).toInt() == usedRow && r.cell(slotcol::kOrdinal).toInt() == ordinal)
            return s;
    }
    return -1;
}

// Mean absolute difference per channel of two pictures of one size.
double meanDifference(const QImage &a, const QImage &b)
{
    const QImage x = a.convertToFormat(QImage::Format_RGB32), y = b.convertToFormat(QImage::Format_RGB32);
    double sum = 0;
    for (int r = 0; r < x.height(); ++r)
        for (int c = 0; c < x.width(); ++c) {
            const QRgb p = x.pixel(c, r), q = y.pixel(c, r);
            sum += std::abs(qRed(p) - qRed(q)) + std::abs(qGreen(p) - qGreen(q)) + std::abs(qBlue(p) - qBlue(q));
        }
    return sum / (3.0 * x.width() * x.height());
}

// The used-template view shows exactly the album's used-template rows (it is
// updated row by row after each edit, not rebuilt).
void expectUsedViewMatches(QWidget &w, const Album &a)
{
    auto *tree = w.findChild<QTreeWidget *>(QStringLiteral("ListView_moban_shiyong"));
    ASSERT_TRUE(tree);
    ASSERT_EQ(tree->topLevelItemCount(), a.ListView_moban_shiyong.size());
    for (int i = 0; i < a.ListView_moban_shiyong.size(); ++i)
        for (int c = 0; c <= usedcol::kNumber; ++c)
            EXPECT_EQ(tree->topLevelItem(i)->text(c), a.ListView_moban_shiyong.cell(i, c)) << i << "," << c;
}

} // namespace

TEST(TemplateManager, UseDragReplaceAndDeleteTemplates)
{
    Album3 f(2, 2);
    Album &a = f.album();
    ThumbnailCache thumbs;
    TemplateManagerWindow w(*f.session, f.dialogs, thumbs);
    w.start();
    w.show();
    QTRY_VERIFY(w.photosLoaded());
    EXPECT_EQ(child<QLabel>(w, QStringLiteral("Label_zhuangtai"))->text(), QStringLiteral("加载照片文件完成！"));
    ASSERT_TRUE(child<QLabel>(w, QStringLiteral("Imagem_3")));

    // Use a single portrait template by hand: it stays 未完成 until its slot has a photo.
    const int listRow = firstListRowOf(a, kCategoryPortrait);
    ASSERT_GE(listRow, 0);
    auto *list = child<QTreeWidget>(w, QStringLiteral("ListView_moban"));
    list->setCurrentItem(list->topLevelItem(listRow));
    const int before = a.ListView_moban_shiyong.size();
    QTest::mouseClick(child<QPushButton>(w, QStringLiteral("Button2")), Qt::LeftButton);
    ASSERT_EQ(a.ListView_moban_shiyong.size(), before + 1);
    const int used = before;
    EXPECT_EQ(a.ListView_moban_shiyong.cell(used, usedcol::kStatus), kStatusIncomplete);
    EXPECT_EQ(a.ListView_moban_beijing.size(), before + 1);
    expectUsedViewMatches(w, a);

    // No used template selected: the drag does not start.
    EXPECT_FALSE(w.beginPhotoDrag(0));
    EXPECT_EQ(f.dialogs.lastMessage(), QStringLiteral("没有选中已经添加模板文件！选中模板后,模板所需照片框会出现"));

    // A matched template shows its placed photos in the frames and counts them in the fields.
    {
        ASSERT_FALSE(a.ListView_moban_shiyong.empty());
        const int heng = a.ListView_moban_shiyong.cell(0, usedcol::kLandscape).toInt();
        int placedHeng = 0, placedShu = 0;
        for (const Row &r : a.ListView_moban_shiyong_canshu)
            if (r.cell(slotcol::kUsedRow) == QStringLiteral("0") && !r.cell(slotcol::kMatchState).isEmpty())
                ++(r.cell(slotcol::kOrdinal).toInt() < heng ? placedHeng : placedShu);
        ASSERT_GT(placedHeng + placedShu, 0);
        w.selectUsedTemplate(0);
        EXPECT_EQ(child<QLineEdit>(w, QStringLiteral("Edit_tianjia_hengzhaopian"))->text(),
                  QString::number(placedHeng));
        EXPECT_EQ(child<QLineEdit>(w, QStringLiteral("Edit_tianjia_shuzhaopian"))->text(), QString::number(placedShu));
    }

    w.selectUsedTemplate(used);
    EXPECT_EQ(child<QLineEdit>(w, QStringLiteral("Edit_mobanhangshu"))->text(), QString::number(used + 1));
    QLabel *frame = child<QLabel>(w, QStringLiteral("Imagem_k0"));
    ASSERT_TRUE(frame);
    EXPECT_EQ(frame->property("orientation").toString(), QStringLiteral("shu"));
    const int slot = slotOf(a, used, 0);
    ASSERT_GE(slot, 0);

    // A landscape photo on the portrait frame: refused, nothing changes.
    w.dropPhotoOnFrame(0, 0);
    EXPECT_EQ(f.dialogs.lastMessage(), QStringLiteral("此处需要一张竖照片！"));
    EXPECT_TRUE(a.ListView_moban_shiyong_canshu.cell(slot, slotcol::kMatchState).isEmpty());

    // A portrait photo dragged with the mouse onto the frame.
    a.ListView_daoru_zhaopian.setCell(2, photocol::kMatched, QString()); // as if freed, to see it marked again
    QLabel *pic = child<QLabel>(w, QStringLiteral("Imagem_2"));
    const QPoint inFrame = pic->mapFromGlobal(frame->mapToGlobal(frame->rect().center()));
    QTest::mousePress(pic, Qt::LeftButton, {}, QPoint(10, 10));
    QTest::mouseMove(pic, inFrame);
    QTest::mouseRelease(pic, Qt::LeftButton, {}, inFrame);
    EXPECT_EQ(a.ListView_moban_shiyong_canshu.cell(slot, slotcol::kMatchState), kMatched);
    EXPECT_EQ(a.ListView_moban_shiyong_canshu.cell(slot, slotcol::kPhotoRow), QStringLiteral("2"));
    EXPECT_EQ(a.ListView_moban_shiyong_canshu.cell(slot, slotcol::kPhotoPath), f.photos[2]);
    EXPECT_EQ(a.ListView_daoru_zhaopian.cell(2, photocol::kMatched), kPhotoDone);
    EXPECT_EQ(a.ListView_moban_shiyong.cell(used, usedcol::kStatus), kStatusComplete);
    EXPECT_EQ(child<QLabel>(w, QStringLiteral("Label_k0"))->text(), a.ListView_daoru_zhaopian.cell(2, photocol::kName));
    EXPECT_EQ(child<QLineEdit>(w, QStringLiteral("Edit_tianjia_shuzhaopian"))->text(), QStringLiteral("1"));
    expectUsedViewMatches(w, a);

    // Replacing the slot's photo: the photo taken out keeps 完成.
    w.dropPhotoOnFrame(3, 0);
    EXPECT_EQ(a.ListView_moban_shiyong_canshu.cell(slot, slotcol::kPhotoRow), QStringLiteral("3"));
    EXPECT_EQ(child<QLineEdit>(w, QStringLiteral("Edit_tianjia_shuzhaopian"))->text(), QStringLiteral("1"));
    EXPECT_EQ(a.ListView_daoru_zhaopian.cell(2, photocol::kMatched), kPhotoDone);

    // Delete the second of (at least) three used templates.
    while (a.ListView_moban_shiyong.size() < 3)
        useTemplateByHand(a, 0);
    w.start();
    QTRY_VERIFY(w.photosLoaded());
    const int n = a.ListView_moban_shiyong.size();
    QStringList thirdSlots; // slot pictures of the template after the deleted one
    for (const Row &r : a.ListView_moban_shiyong_canshu)
        if (r.cell(slotcol::kUsedRow) == QStringLiteral("2"))
            thirdSlots << r.cell(slotcol::kPicture);
    w.selectUsedTemplate(1);
    f.dialogs.confirmAnswers = {false};
    QTest::mouseClick(child<QPushButton>(w, QStringLiteral("Button28")), Qt::LeftButton);
    EXPECT_EQ(a.ListView_moban_shiyong.size(), n); // cancelled
    f.dialogs.confirmAnswers = {true};
    QTest::mouseClick(child<QPushButton>(w, QStringLiteral("Button28")), Qt::LeftButton);
    EXPECT_EQ(f.dialogs.lastMessage(), QStringLiteral("选中的模板文件已经删除！"));
    ASSERT_EQ(a.ListView_moban_shiyong.size(), n - 1);
    QStringList nowSecond;
    for (const Row &r : a.ListView_moban_shiyong_canshu)
        if (r.cell(slotcol::kUsedRow) == QStringLiteral("1"))
            nowSecond << r.cell(slotcol::kPicture);
    EXPECT_EQ(nowSecond, thirdSlots);
    expectUsedViewMatches(w, a);
    for (int i = 0; i < a.ListView_moban_beijing.size(); ++i) {
        EXPECT_EQ(a.ListView_moban_beijing[i].caption(), QString::number(i + 1));
        EXPECT_EQ(a.ListView_moban_shiyong.cell(i, usedcol::kNumber), QString::number(i + 1));
    }
    EXPECT_TRUE(child<QLineEdit>(w, QStringLiteral("Edit_mobanhangshu"))->text().isEmpty());

    // Delete all: every table empty, every photo free for matching again.
    QTest::mouseClick(child<QPushButton>(w, QStringLiteral("Button29")), Qt::LeftButton);
    EXPECT_EQ(f.dialogs.lastMessage(), QStringLiteral("已经使用的模板文件已经全部删除！"));
    EXPECT_TRUE(a.ListView_moban_shiyong.empty());
    EXPECT_TRUE(a.ListView_moban_shiyong_canshu.empty());
    EXPECT_TRUE(a.ListView_moban_beijing.empty());
    EXPECT_EQ(unmatchedPhotoCount(a), 4);
    expectUsedViewMatches(w, a);

    QSignalSpy closed(&w, &TemplateManagerWindow::closedWithChanges);
    QTest::mouseClick(child<QPushButton>(w, QStringLiteral("Button1")), Qt::LeftButton);
    EXPECT_EQ(closed.count(), 1);
    thumbs.waitForDone();
}

// "提示演示效果": with the option on, choosing a used template or using a
// catalogue one sends a picture of the row gliding to where it goes, over
// work already done underneath; with it off (the default) nothing moves.
TEST(TemplateManager, HintGlideFollowsTheOption)
{
    Album3 f(2, 2);
    ThumbnailCache thumbs;
    TemplateManagerWindow w(*f.session, f.dialogs, thumbs);
    w.start();
    w.show();
    QTRY_VERIFY(w.photosLoaded());
    auto *glide = child<QLabel>(w, QStringLiteral("Image_yanshi"));
    auto *option = child<QCheckBox>(w, QStringLiteral("CheckBox_tishiyanshi"));
    ASSERT_TRUE(glide && option);
    EXPECT_FALSE(option->isChecked());
    w.selectUsedTemplate(0);
    EXPECT_FALSE(glide->isVisible());

    option->setChecked(true);
    w.selectUsedTemplate(1);
    EXPECT_EQ(child<QLineEdit>(w, QStringLiteral("Edit_mobanhangshu"))->text(), QStringLiteral("2"));
    ASSERT_TRUE(glide->isVisible());
    const QPoint start = glide->pos();
    QTRY_VERIFY(glide->pos() != start);
    QTRY_VERIFY(!glide->isVisible());
    auto *panel = child<QWidget>(w, QStringLiteral("ScrollBox_mobankuang"));
    EXPECT_EQ(glide->pos(), panel->mapTo(&w, QPoint(0, 0)));

    auto *list = child<QTreeWidget>(w, QStringLiteral("ListView_moban"));
    auto *used = child<QTreeWidget>(w, QStringLiteral("ListView_moban_shiyong"));
    list->setCurrentItem(list->topLevelItem(0));
    QTest::mouseClick(child<QPushButton>(w, QStringLiteral("Button2")), Qt::LeftButton);
    ASSERT_TRUE(glide->isVisible());
    QTRY_VERIFY(!glide->isVisible());
    QTreeWidgetItem *added = used->topLevelItem(used->topLevelItemCount() - 1);
    EXPECT_EQ(glide->pos(), used->viewport()->mapTo(&w, used->visualItemRect(added).topLeft()));
    thumbs.waitForDone();
}

TEST(CropEditor, SavedPlacementIsWhatStagingShows)
{
    Album3 f(1, 0);
    Album &a = f.album();
    // The landscape photo's slot.
    int slot = -1;
    for (int s = 0; s < a.ListView_moban_shiyong_canshu.size() && slot < 0; ++s)
        if (!a.ListView_moban_shiyong_canshu.cell(s, slotcol::kPhotoPath).isEmpty())
            slot = s;
    ASSERT_GE(slot, 0);
    const int used = a.ListView_moban_shiyong_canshu.cell(slot, slotcol::kUsedRow).toInt();

    CropWindow w(*f.session, f.dialogs);
    w.start();
    w.show();
    auto *list = child<QTreeWidget>(w, QStringLiteral("ListView_zhaopian_wenjian"));
    ASSERT_EQ(list->topLevelItemCount(), 1);
    EXPECT_EQ(list->topLevelItem(0)->text(2), QStringLiteral("1")); // 使用次数

    // Nothing selected yet (the buttons wait for a row; the command itself refuses too).
    EXPECT_FALSE(child<QPushButton>(w, QStringLiteral("Button_fangda"))->isEnabled());
    w.enlarge();
    EXPECT_EQ(f.dialogs.lastMessage(), QStringLiteral("没有选中照片文件！"));

    w.selectRow(0);
    QTRY_VERIFY(w.photoReady());
    const CropView stored = w.view();
    QTest::mouseClick(child<QPushButton>(w, QStringLiteral("Button_fangda")), Qt::LeftButton);
    EXPECT_EQ(w.view().photo.width(), stored.photo.width() + stored.frame.width() / 10);
    w.dragPhotoTo(w.view().photo.topLeft() + QPoint(-25, -15));
    const CropView edited = w.view();
    QTest::mouseClick(child<QPushButton>(w, QStringLiteral("Button_baocun")), Qt::LeftButton);
    EXPECT_EQ(f.dialogs.lastMessage(), QStringLiteral("保存剪裁完成！"));
    const QImage editor = w.frameImage();

    // Staging the slot at the preview size gives the editor's frame.
    const QString folder = f.tmp.path() + QStringLiteral("/staged/");
    QDir().mkpath(folder);
    std::vector<StagingFailure> failures;
    StagingRequest request;
    request.target = a.modeInfo().preview;
    ASSERT_GT(stageTemplatePictures(a, used, folder, request, failures), 0);
    EXPECT_TRUE(failures.empty());
    const QImage staged(folder + a.ListView_moban_shiyong_canshu.cell(slot, slotcol::kPicture)
                        + QStringLiteral(".jpg"));
    ASSERT_FALSE(staged.isNull());
    // The editor shows every slot 800 wide; the staged picture has the slot's
    // share of the preview, in the same proportions.
    const QImage shown = editor.scaled(staged.size(), Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    EXPECT_NEAR(double(staged.width()) / staged.height(), double(editor.width()) / editor.height(), 0.02);
    EXPECT_LT(meanDifference(staged, shown), 8.0) << "frame " << edited.frame.width() << "x" << edited.frame.height();
    // A placement off by a few pixels would not pass: the blocks are 40 pixels wide.
    const QImage shifted = shown.copy(6, 0, shown.width(), shown.height());
    EXPECT_GT(meanDifference(staged, shifted), meanDifference(staged, shown) + 2.0);

    // Default size after saving shows the saved placement again.
    // (each conversion truncates, so a coordinate may move by one pixel).
    w.restoreDefault();
    const QRect back = w.view().photo;
    EXPECT_LE(std::abs(back.x() - edited.photo.x()), 1);
    EXPECT_LE(std::abs(back.y() - edited.photo.y()), 1);
    EXPECT_LE(std::abs(back.width() - edited.photo.width()), 1);
    EXPECT_LE(std::abs(back.height() - edited.photo.height()), 1);
}

// Every slot the editor lists is framed whole inside its box, whatever the
// slot's shape (collage slots narrower than the box's shape included).
TEST(CropEditor, EverySlotFrameLiesInsideTheBox)
{
    Album3 f(6, 3);
    Album &a = f.album();
    // Every catalogue template once, each empty slot given a photo of its orientation.
    for (int i = 0; i < a.ListView_moban.size(); ++i)
        useTemplateByHand(a, i);
    for (int s = 0; s < a.ListView_moban_shiyong_canshu.size(); ++s)
        if (a.ListView_moban_shiyong_canshu.cell(s, slotcol::kPhotoPath).isEmpty())
            putPhotoInSlot(a, s,
                           a.ListView_moban_shiyong_canshu.cell(s, slotcol::kOrientation) == kSlotLandscape ? 0 : 6);
    CropWindow w(*f.session, f.dialogs);
    w.start();
    w.show();
    auto *list = child<QTreeWidget>(w, QStringLiteral("ListView_zhaopian_wenjian"));
    auto *box = child<QWidget>(w, QStringLiteral("ScrollBox_jiancai_0"));
    auto *frame = child<QWidget>(w, QStringLiteral("ScrollBox_jiequtupian"));
    ASSERT_GT(list->topLevelItemCount(), 0);
    int narrower = 0;
    for (int row = 0; row < list->topLevelItemCount(); ++row) {
        w.selectRow(row);
        QTRY_VERIFY(w.photoReady());
        const QRect g = frame->geometry();
        EXPECT_TRUE(box->rect().contains(g))
            << "row " << row << ": " << g.x() << "," << g.y() << " " << g.width() << "x" << g.height();
        narrower += g.height() == box->height() && g.width() < box->width() ? 1 : 0;
    }
    // The album holds slots narrower than the box's shape, so the case is seen.
    EXPECT_GT(narrower, 0);
}

TEST(Backgrounds, ChooseAPictureForTheSecondTemplate)
{
    Album3 f(3, 0);
    Album &a = f.album();
    while (a.ListView_moban_shiyong.size() < 3)
        useTemplateByHand(a, 0);
    ASSERT_GE(a.ListView_moban_beijing.size(), 3);
    const QString red = f.tmp.path() + QStringLiteral("/red.jpg");
    QImage img(320, 180, QImage::Format_RGB32);
    img.fill(Qt::red);
    writeJpeg(img, red);
    const QString tall = f.tmp.path() + QStringLiteral("/tall.jpg");
    writeJpeg(QImage(120, 160, QImage::Format_RGB32), tall);
    const QString broken = f.tmp.path() + QStringLiteral("/broken.jpg");
    QFile b(broken);
    ASSERT_TRUE(b.open(QIODevice::WriteOnly));
    b.write("not a jpeg");
    b.close();

    BackgroundWindow w(*f.session, f.dialogs);
    w.start();
    w.show();
    auto *table = child<QTreeWidget>(w, QStringLiteral("ListView_moban_beijing"));
    table->setCurrentItem(table->topLevelItem(1));
    f.dialogs.fileAnswers = {{tall}, {broken}, {red}};
    QTest::mouseClick(child<QPushButton>(w, QStringLiteral("Button_genghuan")), Qt::LeftButton);
    EXPECT_EQ(f.dialogs.lastMessage(), QStringLiteral("此张照片不是横照片,请重新更换一张横照片!"));
    QTest::mouseClick(child<QPushButton>(w, QStringLiteral("Button_genghuan")), Qt::LeftButton);
    EXPECT_TRUE(f.dialogs.lastMessage().contains(QStringLiteral("broken.jpg")))
        << f.dialogs.lastMessage().toStdString();
    QTest::mouseClick(child<QPushButton>(w, QStringLiteral("Button_genghuan")), Qt::LeftButton);
    EXPECT_EQ(a.ListView_moban_beijing.cell(1, bgcol::kPath), red);
    EXPECT_EQ(a.ListView_moban_beijing.cell(1, bgcol::kWidth), QStringLiteral("320"));

    // Selecting previews it; selecting again loads the other copy of the movie.
    w.selectRow(1);
    QTRY_VERIFY(w.previewReady());
    EXPECT_EQ(w.loadedCopy(), 1);
    EXPECT_FALSE(w.playerFrame().isNull());
    w.selectRow(1);
    QTRY_VERIFY(w.previewReady());
    EXPECT_EQ(w.loadedCopy(), 2);

    // Transparency for the selected row, then for every row.
    child<QSlider>(w, QStringLiteral("suiTrackBar1"))->setValue(30);
    w.saveSettings();
    EXPECT_EQ(a.ListView_moban_beijing.cell(1, bgcol::kTransparency), QStringLiteral("30"));
    EXPECT_EQ(a.ListView_moban_beijing.cell(0, bgcol::kTransparency), QStringLiteral("0"));
    child<QCheckBox>(w, QStringLiteral("CheckBox_tongyishezhi"))->setChecked(true);
    w.saveSettings();
    EXPECT_EQ(a.ListView_moban_beijing.cell(2, bgcol::kTransparency), QStringLiteral("30"));
    child<QCheckBox>(w, QStringLiteral("CheckBox_tongyishezhi"))->setChecked(true);
    w.defaultSettings();
    EXPECT_EQ(a.ListView_moban_beijing.cell(2, bgcol::kTransparency), QStringLiteral("0"));
    EXPECT_FALSE(child<QCheckBox>(w, QStringLiteral("CheckBox_tongyishezhi"))->isChecked());

    // Staging shows the chosen picture behind template 2.
    const QString folder = f.tmp.path() + QStringLiteral("/staged/");
    QDir().mkpath(folder);
    std::vector<StagingFailure> failures;
    StagingRequest request;
    request.target = a.modeInfo().preview;
    stageTemplatePictures(a, 1, folder, request, failures);
    const QImage bg(folder + QStringLiteral("wj_y_l_b_j.jpg"));
    ASSERT_FALSE(bg.isNull());
    const QColor mid = bg.pixelColor(bg.width() / 2, bg.height() / 2);
    EXPECT_GT(mid.red(), 200);
    EXPECT_LT(mid.green(), 60);

    // The default background fills only rows without a picture.
    for (int c = bgcol::kPicture; c <= bgcol::kPath; ++c)
        a.ListView_moban_beijing.setCell(2, c, QString());
    EXPECT_EQ(applyDefaultBackground(a), 1);
    EXPECT_EQ(a.ListView_moban_beijing.cell(2, bgcol::kPath), a.paths.defaultBackgroundJpg());
    EXPECT_EQ(a.ListView_moban_beijing.cell(1, bgcol::kPath), red);
}

TEST(TemplateOptions, ListsPacksAndReturnsTheChoice)
{
    Album3 f(0, 0);
    TemplateOptionsWindow w(*f.session, f.dialogs);
    EXPECT_TRUE(w.start().isEmpty());
    auto *list = child<QTreeWidget>(w, QStringLiteral("ListView_zuhemoban"));
    ASSERT_GT(list->topLevelItemCount(), 0);
    EXPECT_EQ(list->topLevelItem(0)->text(0), QStringLiteral("模板组合 - 1"));
    const int need = list->topLevelItem(0)->text(1).toInt() + list->topLevelItem(0)->text(2).toInt();
    EXPECT_EQ(list->topLevelItem(0)->text(3).toInt(), need);
    EXPECT_TRUE(child<QLabel>(w, QStringLiteral("Label3"))->text().startsWith(QStringLiteral("说明：")));
    if (list->topLevelItemCount() > 1) {
        w.choosePack(1);
        QTest::mouseClick(child<QPushButton>(w, QStringLiteral("Button1")), Qt::LeftButton);
        EXPECT_EQ(w.chosenPack(), 2);
        EXPECT_EQ(f.album().Edit_mobanfashi, kMethodCombined);
    }
    w.close(); // the close box does not leave the window
    // A click beside the rows chooses nothing, and says so.
    w.show();
    const QPoint below(5, list->viewport()->height() - 3);
    ASSERT_EQ(list->itemAt(below), nullptr);
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, below);
    EXPECT_EQ(f.dialogs.lastMessage(), QStringLiteral("没有选中组合模板！"));
    QTest::mouseClick(child<QPushButton>(w, QStringLiteral("Button2")), Qt::LeftButton);
    EXPECT_EQ(w.chosenPack(), 0);
    EXPECT_EQ(f.album().Edit_mobanfashi, kMethodRandom);
}

// A damaged pack is named; the packs after it stay offered with their numbers.
TEST(TemplateOptions, ADamagedPackHidesNoOther)
{
    QTemporaryDir tree;
    AlbumSession session(tree.path() + QStringLiteral("/"), tree.path() + QStringLiteral("/work/"), 5);
    ScriptedDialogService dialogs;
    QDir().mkpath(session.paths().packFolder());
    packed::packTo(QByteArray("\x01\x02 not a pack"), 1, templatePackPath(session.paths(), 1));
    packed::packTo(templatePackIniText({{QStringLiteral("A"), QStringLiteral("1"), QStringLiteral("0")}}).toLatin1(), 3,
                   templatePackPath(session.paths(), 2));
    TemplateOptionsWindow w(session, dialogs);
    const QString problem = w.start();
    EXPECT_TRUE(problem.contains(QStringLiteral("1"))) << problem.toStdString();
    auto *list = child<QTreeWidget>(w, QStringLiteral("ListView_zuhemoban"));
    ASSERT_EQ(list->topLevelItemCount(), 1);
    EXPECT_EQ(list->topLevelItem(0)->text(0), QStringLiteral("模板组合 - 2"));
    QTest::mouseClick(child<QPushButton>(w, QStringLiteral("Button1")), Qt::LeftButton);
    EXPECT_EQ(w.chosenPack(), 2);
}

TEST(SaveAndOpen, MainWindowButtonsRoundTripTheAlbum)
{
    Album3 f(2, 1);
    Album &a = f.album();
    MainWindow main(*f.session, f.dialogs);
    const QString file = f.tmp.path() + QStringLiteral("/mine"); // the extension is added
    const auto before = a.ListView_moban_shiyong_canshu;

    // 保存相册 suggests the album's name; the next album dialog starts where it was saved.
    forgetFolders();
    f.session->output().albumName = QStringLiteral("春游");
    f.dialogs.fileAnswers = {{file}};
    QTest::mouseClick(child<QPushButton>(main, QStringLiteral("Button_baocun_xiangce")), Qt::LeftButton);
    EXPECT_EQ(f.dialogs.lastMessage(), QStringLiteral("相册已经保存！"));
    ASSERT_TRUE(QFileInfo::exists(file + QStringLiteral(".lumora")));
    for (const auto &asked : f.dialogs.asked)
        if (asked.kind == QStringLiteral("saveFile"))
            EXPECT_EQ(QFileInfo(asked.start).fileName(), QStringLiteral("春游.lumora"));
    EXPECT_EQ(startFolder(FileKind::Album), f.tmp.path());

    // Unsaved changes: asked first whether to save them; 不保存 goes on.
    deleteAllUsedTemplates(a);
    f.dialogs.choiceAnswers = {1};
    f.dialogs.fileAnswers = {{file + QStringLiteral(".lumora")}};
    QTest::mouseClick(child<QPushButton>(main, QStringLiteral("Button_dakai_xiangce")), Qt::LeftButton);
    EXPECT_TRUE(f.dialogs.choiceAnswers.empty());
    EXPECT_EQ(a.ListView_moban_shiyong_canshu, before);

    // A photo gone: named in the question; declining keeps the album as it is.
    deleteAllUsedTemplates(a);
    ASSERT_TRUE(QFile::remove(f.photos[1]));
    f.dialogs.choiceAnswers = {1};
    f.dialogs.confirmAnswers = {false};
    f.dialogs.fileAnswers = {{file + QStringLiteral(".lumora")}};
    QTest::mouseClick(child<QPushButton>(main, QStringLiteral("Button_dakai_xiangce")), Qt::LeftButton);
    ASSERT_EQ(f.dialogs.asked.back().kind, QStringLiteral("confirm"));
    EXPECT_TRUE(f.dialogs.asked.back().message.contains(QStringLiteral("p1.jpg")));
    EXPECT_TRUE(a.ListView_moban_shiyong.empty());
}
