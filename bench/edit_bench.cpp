// Figures of the album editing windows and the project file:
//   save / open of an album of 500 photos (median of 5 runs, milliseconds);
//   template management with 200 photos: time until the photo panel is
//   complete and until every thumbnail is shown, and the longest time the
//   user-interface thread was held meanwhile (a 1 ms timer's largest gap).
// Usage: bench_edit [PROGRAM_FOLDER]   (default: the build's bin/)
#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QImage>
#include <QTemporaryDir>
#include <QTimer>
#include <algorithm>
#include <cstdio>

#include "image/ImageIO.h"
#include "session/AlbumSession.h"
#include "session/ProjectFile.h"
#include "ui/album/TemplateManagerWindow.h"
#include "ui/album/ThumbnailCache.h"
#include "ui/app/DialogService.h"

using namespace lumora;

namespace {

QStringList writePhotos(const QString &folder, int n)
{
    QStringList out;
    for (int i = 0; i < n; ++i) {
        const bool wide = i % 3 != 2;
        QImage img(wide ? 640 : 480, wide ? 480 : 640, QImage::Format_RGB32);
        img.fill(QColor::fromHsv(i * 7 % 360, 180, 200));
        const QString p = folder + QStringLiteral("/photo_%1.jpg").arg(i, 3, 10, QLatin1Char('0'));
        writeJpeg(img, p);
        out << p;
    }
    return out;
}

double median(std::vector<double> v)
{
    std::sort(v.begin(), v.end());
    return v[v.size() / 2];
}

} // namespace

int main(int argc, char **argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const QString program = argc > 1 ? QString::fromLocal8Bit(argv[1]) + QStringLiteral("/")
                                     : QCoreApplication::applicationDirPath() + QStringLiteral("/../bin/");
    QTemporaryDir tmp;
    const QStringList photos = writePhotos(tmp.path(), 500);

    AlbumSession session(program, tmp.path() + QStringLiteral("/work/"), 1);
    session.chooseMode(ModeKind::Wide16x9);
    session.addPhotos(photos);
    std::printf("album: %d photos, %d used templates, %d slot rows\n", session.album().ListView_daoru_zhaopian.size(),
                session.album().ListView_moban_shiyong.size(), session.album().ListView_moban_shiyong_canshu.size());

    const QString file = tmp.path() + QStringLiteral("/album.lumora");
    std::vector<double> saves, opens;
    AlbumSession other(program, tmp.path() + QStringLiteral("/work2/"), 2);
    other.chooseMode(ModeKind::Wide16x9);
    for (int i = 0; i < 5; ++i) {
        QElapsedTimer t;
        t.start();
        saveProject(session, file);
        saves.push_back(t.nsecsElapsed() / 1e6);
        t.restart();
        openProject(other, file);
        opens.push_back(t.nsecsElapsed() / 1e6);
    }
    QElapsedTimer t;
    t.start();
    AlbumSession fresh(program, tmp.path() + QStringLiteral("/work3/"), 3);
    openProject(fresh, file);
    const double cold = t.nsecsElapsed() / 1e6;
    std::printf("save 500 photos: %.1f ms (median of 5), file %lld KB\n", median(saves), QFileInfo(file).size() / 1024);
    std::printf("open 500 photos: %.1f ms (median of 5, mode already chosen); %.1f ms with the catalogue built\n",
                median(opens), cold);

    // Template management with 200 photos.
    AlbumSession two(program, tmp.path() + QStringLiteral("/work4/"), 4);
    two.chooseMode(ModeKind::Wide16x9);
    two.addPhotos(photos.mid(0, 200));
    ui::ScriptedDialogService dialogs;
    ui::ThumbnailCache thumbs;
    ui::TemplateManagerWindow w(two, dialogs, thumbs);
    w.show();
    QElapsedTimer clock;
    qint64 last = 0, longest = 0;
    QTimer probe;
    probe.setInterval(1);
    QObject::connect(&probe, &QTimer::timeout, [&] {
        const qint64 now = clock.nsecsElapsed();
        longest = std::max(longest, now - last);
        last = now;
    });
    clock.start();
    probe.start();
    w.start();
    qint64 panel = -1, allThumbs = -1;
    while (allThumbs < 0 && clock.elapsed() < 30000) {
        app.processEvents(QEventLoop::AllEvents, 5);
        if (panel < 0 && w.photosLoaded())
            panel = clock.nsecsElapsed();
        if (panel >= 0 && thumbs.pendingCount() == 0)
            allThumbs = clock.nsecsElapsed();
    }
    probe.stop();
    std::printf("template management, 200 photos: photo panel complete in %.1f ms, every thumbnail in %.1f ms; "
                "longest user-interface stall %.1f ms\n",
                panel / 1e6, allThumbs / 1e6, longest / 1e6);
    thumbs.waitForDone();
    return 0;
}
