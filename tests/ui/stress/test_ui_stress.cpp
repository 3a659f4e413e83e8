// The windows' long actions against the recovery snapshot: adding thousands
// of photos and 自动套版 while snapshots run every millisecond, a mode change
// while thumbnails load. Under the sanitizers a worker touching the album the
// windows show is a race report or a heap fault; here the album must come out
// whole and every snapshot must have been taken of a whole album.
#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QImage>
#include <QTemporaryDir>
#include <QTimer>
#include <gtest/gtest.h>

#include "album/PhotoWindow.h"
#include "app/DialogService.h"
#include "app/MainWindow.h"
#include "app/ProjectCommands.h"
#include "image/ImageIO.h"
#include "session/AlbumSession.h"

using namespace lumora;
using namespace lumora::ui;

namespace {

bool waitFor(const std::function<bool()> &done, int ms = 240000)
{
    QDeadlineTimer deadline(ms);
    while (!done()) {
        if (deadline.hasExpired())
            return false;
        QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
    }
    return true;
}

struct Stress : ::testing::Test {
    QTemporaryDir work, pictures, recovery;
    AlbumSession session{QStringLiteral(LUMORA_TEST_PROGRAM_DIR), work.path(), 7};
    ScriptedDialogService dialogs;
    MainWindow main{session, dialogs};
    ProjectCommands commands{session, dialogs, &main, [] {}, recovery.path()};
    // The recovery snapshot at a high rate, plus the photo-count check each time.
    QTimer snapshots;
    int taken = 0;
    std::vector<int> photoCounts; // distinct photo counts the snapshots saw

    void SetUp() override
    {
        session.chooseMode(ModeKind::Wide16x9);
        main.applyAlbumReset();
        snapshots.setInterval(1);
        QObject::connect(&snapshots, &QTimer::timeout, [this] {
            commands.snapshotNow();
            const int n = session.album().ListView_daoru_zhaopian.size();
            if (photoCounts.empty() || photoCounts.back() != n)
                photoCounts.push_back(n);
            ++taken;
        });
        snapshots.start();
    }
    QStringList writePhotos(int n)
    {
        QImage wide(64, 48, QImage::Format_RGB32), tall(48, 64, QImage::Format_RGB32);
        wide.fill(QColor(200, 120, 40));
        tall.fill(QColor(40, 120, 200));
        QStringList files;
        for (int i = 0; i < n; ++i) {
            const QString path = pictures.path() + QStringLiteral("/p%1.jpg").arg(i, 5, 10, QLatin1Char('0'));
            writeJpeg(i % 3 ? wide : tall, path);
            files << path;
        }
        return files;
    }
};

} // namespace

TEST_F(Stress, ThousandsOfPhotosAndAutoMatchWhileSnapshotsRun)
{
    const int n = 2000;
    writePhotos(n);
    PhotoWindow *w = main.photoWindow();
    bool added = false;
    w->addPaths({pictures.path()}, [&] { added = true; });
    ASSERT_TRUE(waitFor([&] { return added; }));
    EXPECT_EQ(session.album().ListView_daoru_zhaopian.size(), n);
    // The snapshots saw the album before the add (and after it), nothing between.
    ASSERT_FALSE(photoCounts.empty());
    EXPECT_EQ(photoCounts.front(), 0);
    for (int c : photoCounts)
        EXPECT_TRUE(c == 0 || c == n) << c;

    bool matched = false;
    QObject::connect(w, &PhotoWindow::photosChanged, [&] { matched = true; });
    w->autoMatchCommand();
    ASSERT_TRUE(waitFor([&] { return matched; }));
    EXPECT_EQ(session.album().ListView_daoru_zhaopian.size(), n);
    EXPECT_GT(session.album().ListView_moban_shiyong.size(), 0);
}

TEST_F(Stress, AModeChangeWhileThumbnailsLoad)
{
    session.addPhotos(writePhotos(300));
    main.refreshPhotoViews();
    bool changed = false;
    main.changeMode(ModeKind::Portrait, [&] { changed = true; });
    ASSERT_TRUE(waitFor([&] { return changed; }));
    EXPECT_EQ(session.album().mode, ModeKind::Portrait);
    EXPECT_TRUE(session.album().ListView_daoru_zhaopian.empty());
    // Snapshots saw 300 photos until the reset was adopted (then none).
    ASSERT_FALSE(photoCounts.empty());
    EXPECT_EQ(photoCounts.front(), 300);
    for (int c : photoCounts)
        EXPECT_TRUE(c == 300 || c == 0) << c;
}
