// Desktop start-up and the adding of many large photos, as a user meets
// them: start-up to the mode chooser shown, the catalogue build, then 1000
// photos of 24 megapixels added until the photo table is filled, until the
// first thumbnail page is complete and until every thumbnail of the list is
// made; resident memory after each step; the longest time the
// user-interface thread was blocked (a 5 ms watchdog timer).
//   bench_ui_main [photo count]      (QT_QPA_PLATFORM=offscreen)
#include <QApplication>
#include <QDeadlineTimer>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QListView>
#include <QPainter>
#include <QPushButton>
#include <QTemporaryDir>
#include <QThread>
#include <QTimer>
#include <algorithm>
#include <cstdio>
#include <ctime>
#include <unistd.h>
#include <vector>

#include "album/PhotoWindow.h"
#include "album/ThumbnailCache.h"
#include "album/ThumbnailCell.h"
#include "album/ThumbnailListModel.h"
#include "app/DialogService.h"
#include "app/EditCommands.h"
#include "app/Heap.h"
#include "app/MainWindow.h"
#include "app/ModeChooser.h"
#include "app/Style.h"
#include "image/ImageIO.h"
#include "resources/WorkRoot.h"
#include "session/AlbumSession.h"
#include "session/ProjectFile.h"

using namespace lumora;
using namespace lumora::ui;

namespace {

// Processor time of the calling thread, in seconds.
double threadSeconds()
{
    timespec t{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &t);
    return double(t.tv_sec) + double(t.tv_nsec) / 1e9;
}

long statusKb(const char *field)
{
    QFile f(QStringLiteral("/proc/self/status"));
    if (!f.open(QIODevice::ReadOnly))
        return -1;
    for (const QByteArray &line : f.readAll().split('\n'))
        if (line.startsWith(field))
            return line.mid(int(qstrlen(field))).trimmed().split(' ').first().toLong();
    return -1;
}

bool waitFor(const std::function<bool()> &done, int ms = 600000)
{
    QDeadlineTimer deadline(ms);
    while (!done()) {
        if (deadline.hasExpired())
            return false;
        QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
    }
    return true;
}

// Longest gap between two ticks of a 5 ms timer on the interface thread.
struct Watchdog {
    QTimer timer;
    QElapsedTimer clock;
    qint64 last = 0;
    qint64 longest = 0;
    std::vector<std::pair<qint64, qint64>> stalls; // (ended at, length) of gaps over 30 ms
    Watchdog()
    {
        timer.setInterval(5);
        timer.setTimerType(Qt::PreciseTimer);
        QObject::connect(&timer, &QTimer::timeout, [this] {
            const qint64 now = clock.elapsed();
            longest = std::max(longest, now - last);
            if (now - last > 30)
                stalls.emplace_back(now, now - last);
            last = now;
        });
    }
    void start()
    {
        clock.start();
        last = 0;
        longest = 0;
        stalls.clear();
        timer.start();
    }
};

QString camera(int k, const QString &folder)
{
    // A camera-like 6000 × 4000 picture: gradients and shapes, so the JPEG
    // has real detail to decode.
    QImage img(6000, 4000, QImage::Format_RGB32);
    QPainter p(&img);
    QLinearGradient g(0, 0, 6000, 4000);
    g.setColorAt(0, QColor::fromHsv((k * 70) % 360, 160, 220));
    g.setColorAt(1, QColor::fromHsv((k * 70 + 120) % 360, 200, 90));
    p.fillRect(img.rect(), g);
    for (int i = 0; i < 400; ++i) {
        p.setBrush(QColor::fromHsv((i * 37 + k * 11) % 360, 180, 200, 160));
        p.setPen(Qt::NoPen);
        p.drawEllipse(QPoint((i * 7919 + k * 131) % 6000, (i * 104729) % 4000), 40 + i % 200, 30 + i % 150);
    }
    p.end();
    const QString path = folder + QStringLiteral("/src%1.jpg").arg(k);
    writeJpeg(img, path, 90);
    return path;
}

} // namespace

int main(int argc, char **argv)
{
    lumora::keepLargeBlocksInHeap(); // as the program does
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    applyProgramStyle(app);
    const int count = argc > 1 ? std::atoi(argv[1]) : 1000;

    QTemporaryDir photos;
    std::printf("making %d photos of 6000 x 4000 (4 distinct, hard-linked)...\n", count);
    QStringList sources;
    for (int k = 0; k < 4; ++k)
        sources << camera(k, photos.path());
    QStringList files;
    for (int i = 0; i < count; ++i) {
        const QString f = photos.path() + QStringLiteral("/p%1.jpg").arg(i, 5, 10, QLatin1Char('0'));
        if (::link(QFile::encodeName(sources[i % 4]).constData(), QFile::encodeName(f).constData()) != 0)
            QFile::copy(sources[i % 4], f);
        files << f;
    }
    for (const QString &s : sources)
        QFile::remove(s);
    std::printf("photo file size: %.1f MB\n", QFileInfo(files.first()).size() / 1e6);

    Watchdog dog;
    std::unique_ptr<WorkRoot> root = WorkRoot::create();
    ScriptedDialogService dialogs;
    QElapsedTimer clock;
    clock.start();
    AlbumSession session(QStringLiteral(LUMORA_BENCH_PROGRAM_DIR), root->path());
    MainWindow main(session, dialogs);
    // The windows are built before the first one shows (the program builds
    // them before its loader appears): that time counts in the start-up
    // time, the stalls are measured from the first window on.
    const qint64 constructed = clock.elapsed();
    dog.start();
    main.startUp();
    const qint64 startUpReturned = clock.elapsed();
    ModeChooser *chooser = nullptr;
    waitFor([&] { return (chooser = main.findChild<ModeChooser *>()) && chooser->isVisible(); });
    const qint64 toChooser = clock.elapsed();
    const qint64 chooserShownAt = dog.clock.elapsed();
    chooser->findChild<QPushButton *>(ModeChooser::buttonName(ModeKind::Wide16x9))->click();
    waitFor([&] { return !main.findChild<ModeChooser *>(); });
    const qint64 catalogue = clock.elapsed() - toChooser;
    std::printf("start-up to mode chooser shown: %lld ms (plus the loader's 1000 ms splash in the program)\n",
                (long long)toChooser);
    std::printf("catalogue build (mode chosen to chooser closed): %lld ms\n", (long long)catalogue);
    std::printf("longest interface stall during start-up: %lld ms\n", (long long)dog.longest);
    std::printf("  (windows built in %lld ms before the first shows; from then on: startUp() returned at %lld ms, "
                "chooser shown at %lld ms; stalls over 30 ms:",
                (long long)constructed, (long long)(startUpReturned - constructed), (long long)chooserShownAt);
    for (const auto &[at, length] : dog.stalls)
        std::printf(" %lld ms ending at %lld ms;", (long long)length, (long long)at);
    std::printf(")\n");
    std::printf("memory after start-up: RSS %ld MB\n", statusKb("VmRSS:") / 1024);

    // The add, as the photo window runs it, with the recovery timer running
    // as in the program (a snapshot of the album every 3 s on this thread).
    QTemporaryDir recovery;
    enableAlbumRecovery(main, recovery.path());
    dog.start();
    clock.restart();
    bool added = false;
    main.stopStartupMovie();
    main.photoWindow()->addPaths(files, [&] { added = true; });
    waitFor([&] { return added; });
    const qint64 tableFilled = clock.elapsed();
    main.showPage(0);
    auto pageComplete = [&] {
        for (int k = 1; k <= 9; ++k) {
            auto *c = main.findChild<ThumbnailCell *>(QStringLiteral("Image%1").arg(k));
            if (c->holdsPhoto() && !c->hasImage())
                return false;
        }
        return true;
    };
    waitFor(pageComplete);
    const qint64 firstPage = clock.elapsed();
    std::printf("\n%d photos added: table filled after %lld ms (%.2f ms per photo), %d rows\n", count,
                (long long)tableFilled, double(tableFilled) / count, session.album().ListView_daoru_zhaopian.size());
    std::printf("first thumbnail page complete after %lld ms\n", (long long)firstPage);
    std::printf("memory: RSS %ld MB\n", statusKb("VmRSS:") / 1024);

    // Every thumbnail of the list (the large window mode shows ListView1).
    clock.restart();
    main.setWindowMode(QStringLiteral("fangda_chuangkou"));
    auto *model = qobject_cast<ThumbnailListModel *>(main.findChild<QListView *>(QStringLiteral("ListView1"))->model());
    model->prefetch();
    waitFor([&] { return main.thumbnails().pendingCount() == 0; });
    const qint64 list = clock.elapsed();
    std::printf("all %d list thumbnails made in %lld ms (%.1f ms per photo on %d threads); %d in the cache\n", count,
                (long long)list, double(list) / count, QThread::idealThreadCount(), model->readyCount());
    std::printf("thumbnail cache: %.1f MB of %.1f MB bound\n", main.thumbnails().bytes() / 1e6,
                main.thumbnails().maxBytes() / 1e6);
    std::printf("memory: RSS %ld MB, peak %ld MB\n", statusKb("VmRSS:") / 1024, statusKb("VmHWM:") / 1024);
    std::printf("longest interface stall during add and thumbnails (recovery timer on): %lld ms\n",
                (long long)dog.longest);

    // What the owner's thread pays for the ownership rule: a recovery
    // snapshot, and the draft a worker gets, per 1000 photos in the album.
    const int rows = session.album().ListView_daoru_zhaopian.size();
    constexpr int kRounds = 20;
    const double cpu0 = threadSeconds();
    QElapsedTimer wall;
    wall.start();
    for (int i = 0; i < kRounds; ++i)
        (void)captureProject(session);
    const double snapshotCpu = (threadSeconds() - cpu0) * 1000 / kRounds;
    const double snapshotWall = double(wall.nsecsElapsed()) / 1e6 / kRounds;
    const double cpu1 = threadSeconds();
    wall.restart();
    for (int i = 0; i < kRounds; ++i)
        (void)session.draft();
    const double draftCpu = (threadSeconds() - cpu1) * 1000 / kRounds;
    const double draftWall = double(wall.nsecsElapsed()) / 1e6 / kRounds;
    std::printf("recovery snapshot on the interface thread: %.2f ms per 1000 photos (processor %.2f ms; %d photos)\n",
                snapshotWall * 1000 / std::max(1, rows), snapshotCpu * 1000 / std::max(1, rows), rows);
    std::printf("draft of the session for a worker: %.2f ms per 1000 photos (processor %.2f ms)\n",
                draftWall * 1000 / std::max(1, rows), draftCpu * 1000 / std::max(1, rows));
    return 0;
}
