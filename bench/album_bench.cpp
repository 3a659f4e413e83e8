// Album engine figures: the add step (header and EXIF only) per photo, and
// staging per slot picture at 800 × 450 and 1920 × 1080 beside the time
// libjpeg-turbo alone needs to decode the same photos at the same DCT scale.
// Photos are 24-megapixel JPEGs made here.
//   bench_album [photos=10]
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QRandomGenerator>
#include <algorithm>
#include <cmath>
#include <cstdio>
#include <ctime>
#include <turbojpeg.h>

#include "album/AddStep.h"
#include "album/AlbumFixture.h"
#include "album/AlbumTables.h"
#include "album/BackgroundTable.h"
#include "album/Staging.h"

using namespace lumora;

namespace {
double cpuSeconds()
{
    timespec t{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &t);
    return t.tv_sec + t.tv_nsec / 1e9;
}

QString makePhoto(test::AlbumFixture &f, int i)
{
    QImage img(6000, 4000, QImage::Format_RGB32);
    QRandomGenerator rng(quint32(i + 1));
    for (int y = 0; y < img.height(); ++y) {
        auto *line = reinterpret_cast<QRgb *>(img.scanLine(y));
        for (int x = 0; x < img.width(); ++x) {
            // Smooth scenery with a little sensor noise, as camera photos are.
            const int n = int(rng.generate() & 7);
            const int r = 128 + int(100 * std::sin(x / 700.0 + i)) + n;
            const int g = 110 + int(90 * std::cos(y / 500.0 + x / 1900.0)) + n;
            const int b = 120 + int(80 * std::sin((x + y) / 900.0 - i)) + n;
            line[x] = qRgb(std::clamp(r, 0, 255), std::clamp(g, 0, 255), std::clamp(b, 0, 255));
        }
    }
    const QString path = f.dir() + QStringLiteral("photos/big_%1.jpg").arg(i);
    writeJpeg(img, path, 90);
    return path;
}

double threadCpuMs()
{
    timespec t{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &t);
    return t.tv_sec * 1e3 + t.tv_nsec / 1e6;
}

// Decodes the slot photos with TurboJPEG alone at the scale staging picks;
// returns the wall time and adds the CPU time to `cpuMs`.
double decodeOnlyMs(const QStringList &photos, QSize drawn, double &cpuMs)
{
    tjhandle tj = tjInitDecompress();
    double total = 0;
    for (const QString &p : photos) {
        const QByteArray data = readFileBytes(p);
        QElapsedTimer t;
        t.start();
        const double c0 = threadCpuMs();
        int w = 0, h = 0, sub = 0, cs = 0;
        tjDecompressHeader3(tj, reinterpret_cast<const unsigned char *>(data.constData()), (unsigned long)data.size(),
                            &w, &h, &sub, &cs);
        const QSize s = jpegScaledSize(QSize(w, h), drawn);
        std::vector<unsigned char> buf(size_t(s.width()) * s.height() * 4);
        tjDecompress2(tj, reinterpret_cast<const unsigned char *>(data.constData()), (unsigned long)data.size(),
                      buf.data(), s.width(), 0, s.height(), TJPF_BGRA, 0);
        total += t.nsecsElapsed() / 1e6;
        cpuMs += threadCpuMs() - c0;
    }
    tjDestroy(tj);
    return total;
}
} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    const int distinct = argc > 1 ? std::max(1, atoi(argv[1])) : 10;
    test::AlbumFixture f;
    f.addTemplate(test::landscapeTemplate("A"));
    f.addTemplate(test::landscapeTemplate("B"));

    std::printf("making %d photos of 6000 x 4000...\n", distinct);
    QStringList big;
    for (int i = 0; i < distinct; ++i)
        big << makePhoto(f, i);

    // Add step: 300 photos (the distinct files repeated).
    QStringList files;
    for (int i = 0; i < 300; ++i)
        files << big[i % distinct];
    {
        Album a = f.album();
        AddStepHooks none;
        QElapsedTimer t;
        t.start();
        const AddPhotosReport r = addPhotos(a, {files}, none);
        const double ms = t.nsecsElapsed() / 1e6;
        std::printf("add step: %d photos, %d templates in %.1f ms = %.3f ms per photo (target <= 5)\n", r.added,
                    r.templatesAdded, ms, ms / r.added);
    }

    // Staging: 60 templates, one full-frame slot each.
    Album a = f.album();
    QStringList sixty = files.mid(0, 60);
    addPhotos(a, {sixty});
    // Backgrounds: the small default picture, so the figure is the slot pictures'.
    for (int r = 0; r < a.ListView_moban_beijing.size(); ++r)
        for (int c = bgcol::kPicture; c <= bgcol::kPath; ++c)
            a.ListView_moban_beijing.setCell(r, c, QString());
    applyDefaultBackground(a);

    for (const QSize target : {QSize(800, 450), QSize(1920, 1080)}) {
        // A 6000 × 4000 photo covering a full-frame slot is drawn 1920 × 1280 in
        // output pixels, i.e. at target × (1280 / 1080) height.
        const QSize drawn(target.width(), target.height() * 1280 / 1080);
        double decodeCpu = 0;
        const double decode = decodeOnlyMs(sixty, drawn, decodeCpu);
        const double cpu0 = cpuSeconds();
        QElapsedTimer t;
        t.start();
        const StagingReport r = stageAlbum(a, {target, target.width() > 800});
        const double wall = t.nsecsElapsed() / 1e6;
        const double cpu = (cpuSeconds() - cpu0) * 1000;
        std::printf("staging %dx%d: %d pictures, wall %.1f ms = %.2f ms per slot picture, cpu %.2f ms per picture "
                    "(%.0f%% of 2 cores); decode only (1 thread) %.2f ms wall, %.2f ms cpu per photo at %dx%d; "
                    "wall/decode %.2f, cpu/decode-cpu %.2f\n",
                    target.width(), target.height(), r.pictures, wall, wall / r.pictures, cpu / r.pictures,
                    100.0 * cpu / wall / 2, decode / sixty.size(), decodeCpu / sixty.size(),
                    jpegScaledSize(QSize(6000, 4000), drawn).width(), jpegScaledSize(QSize(6000, 4000), drawn).height(),
                    (wall / r.pictures) / (decode / sixty.size()), (cpu / r.pictures) / (decodeCpu / sixty.size()));
    }
    return 0;
}
