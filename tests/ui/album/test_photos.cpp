// Photos on the main window and in the photo window: pages and their
// messages, the cell and large-view geometry, zoom, adding with a bad file
// among good ones, deleting one and all.
#include <QApplication>
#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QLabel>
#include <QListView>
#include <QMenu>
#include <QPushButton>
#include <QSignalSpy>
#include <QTableWidget>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include "album/AlbumTables.h"
#include "album/PhotoFilesWindow.h"
#include "album/PhotoGeometry.h"
#include "album/PhotoWindow.h"
#include "album/ThumbnailCache.h"
#include "album/ThumbnailCell.h"
#include "app/DialogService.h"
#include "app/MainWindow.h"
#include "app/PictureView.h"
#include "app/SettingsWindow.h"
#include "app/Style.h"
#include "image/ImageIO.h"
#include "session/AlbumSession.h"
#include "templates/TemplatePacks.h"

using namespace lumora;
using namespace lumora::ui;

namespace {

bool waitFor(const std::function<bool()> &done, int ms = 20000)
{
    QDeadlineTimer deadline(ms);
    while (!done()) {
        if (deadline.hasExpired())
            return false;
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
    }
    return true;
}

QString writePhoto(const QString &folder, const QString &name, QSize size, QColor colour = QColor(90, 140, 200))
{
    QImage img(size, QImage::Format_RGB32);
    img.fill(colour);
    const QString path = folder + QLatin1Char('/') + name;
    writeJpeg(img, path);
    return path;
}

struct Photos : ::testing::Test {
    QTemporaryDir work;
    QTemporaryDir pictures;
    AlbumSession session{QStringLiteral(LUMORA_TEST_PROGRAM_DIR), work.path(), 3};
    ScriptedDialogService dialogs;
    MainWindow main{session, dialogs};

    void SetUp() override
    {
        applyProgramStyle(*qApp);
        session.chooseMode(ModeKind::Wide16x9);
        main.applyAlbumReset();
    }
    void addPhotos(int n, QSize size = {64, 48})
    {
        QStringList files;
        for (int i = 0; i < n; ++i)
            files << writePhoto(pictures.path(), QStringLiteral("p%1.jpg").arg(i, 3, 10, QLatin1Char('0')), size);
        session.addPhotos(files);
        main.refreshPhotoViews();
    }
    QPushButton *button(const char *name) { return main.findChild<QPushButton *>(QString::fromLatin1(name)); }
    ThumbnailCell *cell(int k) { return main.findChild<ThumbnailCell *>(QStringLiteral("Image%1").arg(k)); }
    int page() const { return session.album().cells.toInt(cell::kFangyeHao); }
};

} // namespace

TEST_F(Photos, PagingAnswersAtTheEndsOfNineAndTenPhotos)
{
    button("Button21")->click();
    EXPECT_EQ(dialogs.lastMessage(), QStringLiteral("没有添加照片文件！"));

    addPhotos(9);
    struct Step {
        const char *button;
        int page;
        const char *message; // "" when the page turns
    };
    const Step nine[] = {{"Button21", 0, "已经是最后一页了！"},
                         {"Button50", 0, "已经是最后一页了！"},
                         {"Button49", 0, "已经是第一页了！"},
                         {"Button20", 0, "已经是第一页了！"}};
    for (const Step &s : nine) {
        dialogs.asked.clear();
        button(s.button)->click();
        EXPECT_EQ(page(), s.page) << s.button;
        EXPECT_EQ(dialogs.lastMessage(), QString::fromUtf8(s.message)) << s.button;
    }

    addPhotos(1);
    const Step ten[]
        = {{"Button50", 1, ""}, {"Button21", 1, "已经是最后一页了！"}, {"Button20", 0, ""}, {"Button38", 1, ""},
           {"Button37", 0, ""}, {"Button49", 0, "已经是第一页了！"}};
    for (const Step &s : ten) {
        dialogs.asked.clear();
        button(s.button)->click();
        EXPECT_EQ(page(), s.page) << s.button;
        EXPECT_EQ(dialogs.lastMessage(), QString::fromUtf8(s.message)) << s.button;
    }
    button("Button50")->click();
    EXPECT_TRUE(cell(1)->holdsPhoto());
    EXPECT_EQ(cell(1)->row(), 9);
    for (int k = 2; k <= 9; ++k)
        EXPECT_FALSE(cell(k)->holdsPhoto());
    EXPECT_EQ(main.findChild<QLabel *>(QStringLiteral("Label_mingcheng_001"))->text(), QStringLiteral("p000"));
    EXPECT_EQ(cell(1)->toolTip(), QStringLiteral("鼠标双击预览模板效果。    第10张, 照片名称: p000"));
}

TEST_F(Photos, ACellFitsThePhotoAndThumbnailsArriveOffTheInterfaceThread)
{
    // A sweep of stored sizes: the picture always fits the cell less 6 and
    // takes the full width (landscape, square) or the full height (portrait).
    for (QSize stored :
         {QSize(4000, 3000), QSize(3000, 4000), QSize(1000, 1000), QSize(6000, 1000), QSize(1, 9000), QSize(112, 90)}) {
        const QSize p = cellPicture(stored);
        EXPECT_LE(p.width(), 112);
        EXPECT_LE(p.height(), 90);
        EXPECT_TRUE(p.width() == 112 || p.height() == 90) << stored.width() << "x" << stored.height();
    }
    EXPECT_EQ(cellPicture(QSize(3000, 4000)), QSize(67, 90));

    addPhotos(1, QSize(300, 400));
    ThumbnailCell *c = cell(1);
    ASSERT_TRUE(c->holdsPhoto());
    EXPECT_EQ(c->pictureSize().height(), 96 - 6);
    ASSERT_TRUE(waitFor([&] { return c->hasImage(); }));
}

TEST_F(Photos, ZoomStepsAndTheShrinkLimit)
{
    addPhotos(1, QSize(160, 90));
    button("Button22")->click();
    EXPECT_EQ(dialogs.lastMessage(), QStringLiteral("没有选中照片文件！"));

    cell(1)->setFocus();
    main.showLargePhoto(0);
    StateCells &cells = session.album().cells;
    EXPECT_EQ(cells.text(cell::kHangshu), QStringLiteral("0"));
    EXPECT_EQ(cells.toInt(cell::kWidth01), 794);
    EXPECT_EQ(main.previewPicture()->size(), QSize(794, 446)); // fill: the full width

    button("Button22")->click();
    EXPECT_EQ(cells.toInt(cell::kWidth01), 874);
    EXPECT_EQ(cells.toInt(cell::kHeight01), 874 * 450 / 800);
    dialogs.asked.clear();
    int shrinks = 0;
    while (dialogs.asked.empty() && shrinks < 30) {
        button("Button23")->click();
        ++shrinks;
    }
    EXPECT_EQ(shrinks, 11); // 874 → 794 … → 74 → -6
    EXPECT_EQ(dialogs.lastMessage(), QStringLiteral("不能再缩小了,点[确定]按钮，照片大小恢复到默认大小！"));
    EXPECT_EQ(cells.toInt(cell::kWidth01), 794);
    EXPECT_EQ(cells.toInt(cell::kHeight01), 444);

    // The "fit" display holds a landscape photo's height inside the box less 6.
    session.album().settings.zhujiemianHengQuanpin = false;
    main.showLargePhoto(0);
    EXPECT_EQ(main.previewPicture()->size(), QSize(778, 438)); // 788 wide would be 443 high
}

TEST_F(Photos, AddingAFolderWithABadFileNamesItInOneNoticeAndAddsTheRest)
{
    writePhoto(pictures.path(), QStringLiteral("a.jpg"), {80, 60});
    writePhoto(pictures.path(), QStringLiteral("b.jpg"), {60, 80});
    {
        QFile bad(pictures.path() + QStringLiteral("/broken.jpg"));
        ASSERT_TRUE(bad.open(QIODevice::WriteOnly));
        bad.write("this is not a JPEG at all");
    }
    {
        QFile empty(pictures.path() + QStringLiteral("/empty.jpg"));
        ASSERT_TRUE(empty.open(QIODevice::WriteOnly));
    }
    PhotoWindow *w = main.photoWindow();
    bool done = false;
    w->addPaths({pictures.path()}, [&] { done = true; });
    ASSERT_TRUE(waitFor([&] { return done; }));
    EXPECT_EQ(session.album().ListView_daoru_zhaopian.size(), 2);
    const QStringList notices = dialogs.notices();
    ASSERT_EQ(notices.size(), 1) << notices.join(QLatin1Char('|')).toStdString();
    EXPECT_TRUE(notices[0].contains(QStringLiteral("broken.jpg")));
    EXPECT_TRUE(notices[0].contains(QStringLiteral("empty.jpg")));
    EXPECT_FALSE(notices[0].contains(QStringLiteral("a.jpg")));
    EXPECT_EQ(main.findChild<QLabel *>(QStringLiteral("Label_shuliang_zhaopian"))->text(), QStringLiteral("2 张"));
    EXPECT_TRUE(cell(2)->holdsPhoto());
    EXPECT_EQ(w->findChild<QTableWidget *>(QStringLiteral("ListView_daoru_zhaopian"))->rowCount(), 2);
}

// With template combinations on: a pack that needs landscape photos asks
// again while only portrait ones were chosen, keeps those, and adds both once
// a landscape photo comes; dropped photos meet the template options too.
TEST_F(Photos, APackAddAsksAgainKeepsTheChosenPhotosAndDropsMeetTheOptions)
{
    int pack = 0;
    for (const TemplatePack &p : listTemplatePacks(session.paths()))
        if (p.landscapeNeed > 0 && pack == 0)
            pack = p.k;
    ASSERT_GT(pack, 0) << "a shipped pack needs landscape photos";
    session.album().settings.mobanZuheShiyong = true;
    PhotoWindow *w = main.photoWindow();
    int optionsShown = 0;
    w->choosePack = [&] {
        ++optionsShown;
        return pack;
    };
    const QString portrait = writePhoto(pictures.path(), QStringLiteral("tall.jpg"), {60, 80});
    const QString landscape = writePhoto(pictures.path(), QStringLiteral("wide.jpg"), {80, 60});
    dialogs.fileAnswers = {{portrait}, {landscape}};
    bool done = false;
    w->addChosenPhotos({}, [&] { done = true; });
    ASSERT_TRUE(waitFor([&] { return done; }));
    int dialogsOpened = 0;
    for (const auto &a : dialogs.asked)
        dialogsOpened += a.kind == QStringLiteral("openFiles");
    EXPECT_EQ(dialogsOpened, 2);
    EXPECT_TRUE(dialogs.notices().contains(
        QStringLiteral("当前选中的组合模板，至少需要添加 1 张横照片,点[确定]按钮继续添加照片")));
    const RowTable &photos = session.album().ListView_daoru_zhaopian;
    ASSERT_EQ(photos.size(), 2);
    EXPECT_EQ(session.album().Edit_mobanfashi, kMethodCombined);

    // Cancelling the dialog that opens again ends the add with nothing added.
    dialogs.fileAnswers = {{portrait}, {}};
    w->addChosenPhotos({}, {});
    EXPECT_FALSE(w->adding());
    EXPECT_EQ(photos.size(), 2);

    // A drop on the main window: the template options come first.
    optionsShown = 0;
    pack = 0; // random templates
    done = false;
    const QString dropped = writePhoto(pictures.path(), QStringLiteral("dropped.jpg"), {80, 60});
    main.addDroppedPaths({dropped});
    ASSERT_TRUE(waitFor([&] { return !w->adding() && photos.size() == 3; }));
    EXPECT_EQ(optionsShown, 1);
    EXPECT_EQ(session.album().Edit_mobanfashi, kMethodRandom);
}

// The thumbnail lists' menus (main window and TForm42) offer "预览效果",
// which asks for the photo's templates; the menus are built and their
// actions triggered without showing them (a shown menu waits for a person).
// A long name in a thumbnail caption keeps its beginning and end, and the
// whole name is the tooltip.
TEST_F(Photos, ThumbnailListMenusPreviewAndCaptionsElideInTheMiddle)
{
    const QString longName = QStringLiteral("ge_bird_tree_6028x3392_from_the_lake_side_morning");
    QStringList files{writePhoto(pictures.path(), longName + QStringLiteral(".jpg"), {64, 48})};
    session.addPhotos(files);
    main.refreshPhotoViews();
    main.refreshThumbnailList();
    auto *caption = main.findChild<QLabel *>(QStringLiteral("Label_mingcheng_001"));
    ASSERT_TRUE(caption);
    EXPECT_EQ(caption->toolTip(), longName);
    EXPECT_TRUE(caption->text().startsWith(QStringLiteral("ge_bird"))) << caption->text().toStdString();
    EXPECT_TRUE(caption->text().endsWith(QStringLiteral("morning"))) << caption->text().toStdString();
    EXPECT_LE(caption->fontMetrics().horizontalAdvance(caption->text()), caption->width());

    auto previewOf = [](QMenu *menu) -> QAction * {
        for (QAction *a : menu->actions())
            if (a->text() == QStringLiteral("预览效果"))
                return a;
        return nullptr;
    };
    // The request would open the template preview, which waits for a person:
    // only its asking is checked here.
    QObject::disconnect(&main, &MainWindow::photoTemplatesRequested, nullptr, nullptr);
    QSignalSpy asked(&main, &MainWindow::photoTemplatesRequested);
    auto *list = main.findChild<QListView *>(QStringLiteral("ListView1"));
    ASSERT_TRUE(list);
    list->setCurrentIndex(list->model()->index(0, 0));
    const std::unique_ptr<QMenu> mainMenu(main.listMenu());
    QAction *preview = previewOf(mainMenu.get());
    ASSERT_TRUE(preview);
    EXPECT_TRUE(preview->isEnabled());
    preview->trigger();
    ASSERT_EQ(asked.count(), 1);
    EXPECT_EQ(asked.front().front().toInt(), 0);

    ThumbnailCache thumbs;
    PhotoFilesWindow files42(session.album(), thumbs, *main.photoWindow());
    QSignalSpy asked42(&files42, &PhotoFilesWindow::photoTemplatesRequested);
    const std::unique_ptr<QMenu> menu42(files42.listMenu(0));
    ASSERT_TRUE(previewOf(menu42.get()));
    previewOf(menu42.get())->trigger();
    ASSERT_EQ(asked42.count(), 1);
    EXPECT_EQ(asked42.front().front().toInt(), 0);
    thumbs.waitForDone();
}

TEST_F(Photos, DeletingOneAndAllWithTheirQuestionsAndCascades)
{
    addPhotos(5);
    Album &album = session.album();
    ASSERT_GT(album.ListView_moban_shiyong_canshu.size(), 0);
    PhotoWindow *w = main.photoWindow();

    // Cancelled: nothing changes.
    dialogs.confirmAnswers = {false};
    w->deletePhotoCommand(1);
    EXPECT_EQ(album.ListView_daoru_zhaopian.size(), 5);
    EXPECT_EQ(dialogs.asked.back().title, QStringLiteral("删除照片"));
    EXPECT_TRUE(dialogs.asked.back().message.contains(QStringLiteral("个模板文件中使用")));

    // No row selected: asked first, then refused.
    dialogs.asked.clear();
    w->deletePhotoCommand(-1);
    EXPECT_EQ(dialogs.notices(), QStringList{QStringLiteral("没有选中照片文件！")});

    dialogs.asked.clear();
    w->deletePhotoCommand(1);
    EXPECT_EQ(album.ListView_daoru_zhaopian.size(), 4);
    EXPECT_EQ(dialogs.notices().value(0), QStringLiteral("选中的照片文件已经删除！"));
    for (int i = 0; i < 4; ++i)
        EXPECT_EQ(album.ListView_daoru_zhaopian.cell(i, photocol::kNumber), QString::number(i + 1));
    for (const Row &slot : album.ListView_moban_shiyong_canshu)
        EXPECT_NE(slot.cell(slotcol::kPhotoRow), QStringLiteral("4")); // rows past 1 were lowered
    EXPECT_EQ(main.findChild<QLabel *>(QStringLiteral("Label_shuliang_zhaopian"))->text(), QStringLiteral("4 张"));

    dialogs.asked.clear();
    w->deleteAllCommand();
    EXPECT_TRUE(album.ListView_daoru_zhaopian.empty());
    EXPECT_TRUE(album.ListView_moban_shiyong.empty());
    EXPECT_TRUE(album.ListView_moban_shiyong_canshu.empty());
    EXPECT_TRUE(album.ListView_moban_beijing.empty());
    EXPECT_EQ(dialogs.notices(), QStringList{QStringLiteral("照片文件已经全部删除！")});
    for (int k = 1; k <= 9; ++k)
        EXPECT_FALSE(cell(k)->holdsPhoto());
    w->deleteAllCommand();
    EXPECT_EQ(dialogs.lastMessage(), QStringLiteral("没有添加照片文件！"));
}

TEST_F(Photos, TheLargeViewFollowsItsPhotoAndLetsGoWhenItIsDeleted)
{
    addPhotos(3, QSize(160, 90));
    PhotoWindow *w = main.photoWindow();
    StateCells &cells = session.album().cells;
    const QString third = session.album().ListView_daoru_zhaopian.cell(2, photocol::kPath);

    // A row before the photo shown large goes: the view keeps its photo.
    main.showLargePhoto(2);
    dialogs.confirmAnswers = {true};
    w->deletePhotoCommand(0);
    ASSERT_EQ(session.album().ListView_daoru_zhaopian.size(), 2);
    EXPECT_EQ(cells.toInt(cell::kHangshu), 1);
    button("Button22")->click();
    EXPECT_EQ(session.album().ListView_daoru_zhaopian.cell(cells.toInt(cell::kHangshu), photocol::kPath), third);

    // The photo shown large goes: every command that redraws it says that no
    // photo is chosen, and closing 系统设置 redraws nothing.
    dialogs.confirmAnswers = {true};
    w->deletePhotoCommand(1);
    ASSERT_EQ(session.album().ListView_daoru_zhaopian.size(), 1);
    EXPECT_EQ(cells.text(cell::kHangshu), QStringLiteral("wu"));
    for (const char *name : {"Button22", "Button23", "Button24"}) {
        dialogs.asked.clear();
        button(name)->click();
        EXPECT_EQ(dialogs.lastMessage(), QStringLiteral("没有选中照片文件！")) << name;
    }
    main.settingsWindow()->open();
    main.settingsWindow()->reject();
    EXPECT_EQ(cells.text(cell::kHangshu), QStringLiteral("wu"));
}

TEST(ThumbnailCache, KeepsWithinItsBoundAndReportsBadFiles)
{
    QTemporaryDir dir;
    const QString good = writePhoto(dir.path(), QStringLiteral("g.jpg"), {400, 300});
    const QString bad = dir.path() + QStringLiteral("/bad.jpg");
    QFile f(bad);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write("\xFF\xD8\xFF");
    f.close();

    ThumbnailCache cache(100 * 1024); // room for about two 120 × 100 pictures
    QStringList failed;
    QObject::connect(&cache, &ThumbnailCache::failed, [&](const QString &p, QSize, const QString &) { failed << p; });
    EXPECT_TRUE(cache.request(good, {120, 90}).isNull());
    EXPECT_TRUE(cache.request(bad, {120, 90}).isNull());
    ASSERT_TRUE(waitFor([&] { return cache.pendingCount() == 0; }));
    EXPECT_EQ(cache.request(good, {120, 90}).size(), QSize(120, 90));
    EXPECT_EQ(failed, QStringList{bad});
    EXPECT_TRUE(cache.hasFailed(bad, {120, 90}));

    for (int w = 100; w < 130; ++w)
        cache.request(good, {w, 100});
    ASSERT_TRUE(waitFor([&] { return cache.pendingCount() == 0; }));
    EXPECT_LE(cache.bytes(), cache.maxBytes());
}
