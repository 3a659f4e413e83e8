// Faces: the processor time of searching one 24-megapixel photo (decoding
// included) at several long sides, with the faces each finds in a group
// photo; then adding 1000 photos with and without the background search, up
// to the first page of thumbnails. Optional: `--frames DIR` writes the slot
// picture of one photo staged centred and staged around its faces.
//
// Photos are made from the portrait the scikit-image package carries
// (python3-skimage). Figures are processor time of the measuring thread
// unless marked wall; compare them with the load printed at the start.
#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QPainter>
#include <QTemporaryDir>
#include <atomic>
#include <cstdio>
#include <ctime>
#include <thread>

#include "album/AlbumTables.h"
#include "album/FacePlacement.h"
#include "album/FaceScan.h"
#include "album/Matching.h"
#include "album/Staging.h"
#include "image/FaceDetector.h"
#include "image/ImageIO.h"
#include "session/AlbumSession.h"

using namespace lumora;

namespace {

const QString kPerson = QStringLiteral("/usr/lib/python3/dist-packages/skimage/data/astronaut.png");

double threadCpuMs()
{
    timespec t{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &t);
    return t.tv_sec * 1e3 + t.tv_nsec / 1e6;
}

void printLoad()
{
    QFile f(QStringLiteral("/proc/loadavg"));
    if (f.open(QIODevice::ReadOnly))
        std::printf("load: %s", f.readAll().constData());
}

// A group photo of w × h: `people` portraits in a row, each `share` of the
// photo's width wide, on a grey ground.
QImage groupPhoto(int w, int h, int people, double share)
{
    const QImage person(kPerson);
    QImage canvas(w, h, QImage::Format_RGB32);
    canvas.fill(QColor(96, 104, 112));
    QPainter p(&canvas);
    const int pw = int(w * share);
    for (int i = 0; i < people; ++i) {
        const int x = int((i + 0.5) * w / people) - pw / 2;
        const int y = h / 3 + ((i % 2) ? h / 12 : 0);
        p.drawImage(QRect(x, y, pw, pw), person);
    }
    return canvas;
}

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    QString framesDir;
    for (int i = 1; i + 1 < argc; ++i)
        if (QString::fromLocal8Bit(argv[i]) == QLatin1String("--frames"))
            framesDir = QString::fromLocal8Bit(argv[i + 1]);
    if (!QFile::exists(kPerson)) {
        std::fprintf(stderr, "bench_faces: %s is missing (python3-skimage)\n", qPrintable(kPerson));
        return 1;
    }
    printLoad();
    QTemporaryDir dir;

    // 1. One 24 MP photo (6000 × 4000): n people side by side across 90 %
    // of the width. The portrait's face is 0.17 of its width, so each face
    // is about 0.15 / n of the photo's width.
    std::printf("\n24 MP photo of n people across, search cost per photo (decoding included):\n");
    std::printf("  %-8s %-10s %-10s %s\n", "people", "long side", "cpu ms", "faces found");
    for (int n : {2, 3, 5}) {
        const QString path = dir.path() + QStringLiteral("/group.jpg");
        writeJpeg(groupPhoto(6000, 4000, n, 0.9 / n), path, 90);
        for (int side : {800, 1000, 1200, 1600}) {
            detectPhotoFaces(path, side); // warms the file cache and the detector
            const int runs = 3;
            size_t found = 0;
            const double t0 = threadCpuMs();
            for (int r = 0; r < runs; ++r)
                found = detectPhotoFaces(path, side).size();
            std::printf("  %-8d %-10d %-10.1f %zu of %d%s\n", n, side, (threadCpuMs() - t0) / runs, found, n,
                        side == kFaceDetectLongSide ? "   (the program's choice)" : "");
        }
    }

    // 2. Adding 1000 photos (links to ten 12 MP photos under 1000 names, so
    // every one is a new file to the cache), then the first thumbnail page
    // (20 pictures at 160 × 120), without and with the background search.
    const QString photos = dir.path() + QStringLiteral("/photos");
    QDir().mkpath(photos);
    QStringList sources;
    for (int i = 0; i < 10; ++i) {
        const QString p = dir.path() + QStringLiteral("/src%1.jpg").arg(i);
        writeJpeg(groupPhoto(4000, 3000, 1 + i % 4, 0.2), p, 90);
        sources << p;
    }
    QStringList files;
    for (int i = 0; i < 1000; ++i) {
        const QString p = photos + QStringLiteral("/p%1.jpg").arg(i, 4, 10, QLatin1Char('0'));
        QFile::link(sources[i % 10], p);
        files << p;
    }
    const QString programDir = QCoreApplication::applicationDirPath() + QStringLiteral("/../bin/");
    auto addRun = [&](bool faces, double &wallMs, double &cpuMs, int &searched) {
        QTemporaryDir work;
        AlbumSession session(programDir, work.path(), 1);
        session.setFaceCacheFolder(dir.path() + (faces ? QStringLiteral("/cache-on") : QStringLiteral("/cache-off")));
        session.chooseMode(ModeKind::Wide16x9);
        session.album().settings.faceCrop = faces;
        QElapsedTimer wall;
        wall.start();
        const double c0 = threadCpuMs();
        session.addPhotos(files);
        // As the photo window does after an add: the search starts on one
        // low-priority worker while the user-interface thread goes on.
        std::atomic<bool> stop{false};
        std::vector<FaceScanResult> results;
        std::thread worker;
        if (faces) {
            const QStringList todo = photosWithoutFaces(session.album());
            const QString cache = session.faceCacheFolder();
            worker = std::thread([&, todo, cache] { results = scanFaces(todo, cache, 1, true, &stop); });
        }
        for (int i = 0; i < 20; ++i)
            decodeJpeg(files[i], QSize(160, 120));
        wallMs = wall.elapsed();
        cpuMs = threadCpuMs() - c0;
        stop = true;
        if (worker.joinable())
            worker.join();
        searched = int(results.size());
    };
    double wOff = 0, cOff = 0, wOn = 0, cOn = 0;
    int n = 0;
    addRun(false, wOff, cOff, n); // warms the file cache
    addRun(false, wOff, cOff, n);
    addRun(true, wOn, cOn, n);
    std::printf("\nadd 1000 photos + first thumbnail page (20 at 160 x 120):\n");
    std::printf("  without search: %.0f ms wall, %.0f ms cpu\n", wOff, cOff);
    std::printf("  with search:    %.0f ms wall, %.0f ms cpu (ratio %.2f wall, %.2f cpu; %d photos searched by then)\n",
                wOn, cOn, wOn / wOff, cOn / cOff, n);
    printLoad();

    // 3. The two frames: one photo staged centred and around its faces.
    if (!framesDir.isEmpty()) {
        QDir().mkpath(framesDir);
        const QString photo = dir.path() + QStringLiteral("/frame.jpg");
        QImage canvas(3000, 2000, QImage::Format_RGB32);
        canvas.fill(QColor(80, 90, 100));
        QPainter p(&canvas);
        p.drawImage(QRect(1500, 100, 1700, 1700), QImage(kPerson));
        p.end();
        writeJpeg(canvas, photo, 90);
        for (bool faces : {false, true}) {
            QTemporaryDir work;
            AlbumSession session(programDir, work.path(), 5);
            session.setFaceCacheFolder({});
            session.chooseMode(ModeKind::Portrait);
            session.album().settings.faceCrop = faces;
            session.addPhotos({photo});
            if (faces)
                session.findFaces();
            std::vector<StagingFailure> failures;
            const QString out = framesDir + (faces ? QStringLiteral("/faces/") : QStringLiteral("/centred/"));
            QDir().mkpath(out);
            StagingRequest request;
            request.target = QSize(450, 800);
            for (int u = 0; u < session.album().ListView_moban_shiyong.size(); ++u) {
                const QString folder = out + QStringLiteral("t%1/").arg(u + 1);
                QDir().mkpath(folder);
                stageTemplatePictures(session.album(), u, folder, request, failures);
            }
            std::printf("frames: %s\n", qPrintable(out));
        }
    }
    return 0;
}
