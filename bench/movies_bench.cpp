// Renders every authored template of every mode at 1920 × 1080 and at
// 800 × 450 on one thread and prints the median (and, at render size, the
// mean) milliseconds per frame.
//   bench_movies [PROGRAM_FOLDER [NAME_PREFIX]]   (default: the build's program
//   folder, every template; "" as the folder keeps the default)
// Slot pictures are staged as plain pictures of the slot's shape; the movie's
// pictures are decoded once per load, as in preview and production.
#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QGuiApplication>
#include <QPainter>
#include <QTemporaryDir>
#include <algorithm>
#include <cstdio>
#include <vector>

#include "app/AlbumMode.h"
#include "app/Paths.h"
#include "image/ImageIO.h"
#include "playback/MoviePlayer.h"
#include "resources/FolderOps.h"
#include "resources/PackedFile.h"
#include "templates/IniFile.h"
#include "templates/TemplateParams.h"
#include "templates/TextCodec.h"

using namespace lumora;

namespace {

QImage picture(int w, int h, int seed)
{
    QImage img(std::max(1, w), std::max(1, h), QImage::Format_RGB32);
    QPainter p(&img);
    QLinearGradient g(0, 0, w, h);
    g.setColorAt(0, QColor::fromHsv(seed * 40 % 360, 150, 230));
    g.setColorAt(1, QColor::fromHsv((seed * 40 + 120) % 360, 200, 80));
    p.fillRect(img.rect(), g);
    return img;
}

double mean(const std::vector<double> &v)
{
    double sum = 0;
    for (double x : v)
        sum += x;
    return v.empty() ? 0 : sum / double(v.size());
}

double median(std::vector<double> v)
{
    std::sort(v.begin(), v.end());
    return v.empty() ? 0 : v[v.size() / 2];
}

} // namespace

int main(int argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    const QString program
        = argc > 1 && argv[1][0] ? QString::fromLocal8Bit(argv[1]) : QCoreApplication::applicationDirPath() + "/../bin";
    const QString only = argc > 2 ? QString::fromLocal8Bit(argv[2]) : QString();
    const Paths paths(program);
    QTemporaryDir tmp;
    const QString folder = tmp.path() + "/wj_y_l/wj_y_l/wj_y_l/wj_y_l/wj_y_l_1/";
    QDir().mkpath(folder);
    QDir().mkpath(tmp.path() + "/wj_y_l/wj_y_l/wj_y_l/pic");

    std::printf("%-8s %-10s %8s %9s %9s %9s\n", "mode", "template", "frames", "1920x1080", "(mean)", "800x450");
    std::vector<double> allBig, allSmall, prepBig, prepSmall;
    for (ModeKind mode : {ModeKind::Wide16x9, ModeKind::Wide4x3, ModeKind::Portrait}) {
        const QStringList inis = listPackedFiles(paths.templateParamFolder(mode));
        const QStringList movies = listPackedFiles(paths.templateMovieFolder(mode));
        if (inis.isEmpty() || inis.size() != movies.size()) {
            std::fprintf(stderr, "no authored templates under %s\n", qPrintable(paths.templateParamFolder(mode)));
            return 1;
        }
        const QSize out = AlbumMode::get(mode).output;
        for (int i = 0; i < movies.size(); ++i) {
            if (!only.isEmpty() && !QFileInfo(movies[i]).fileName().startsWith(only))
                continue;
            const TemplateParams params = TemplateParams::read(
                IniFile::parse(decodeGbk(packed::unpackFile(inis[i], packed::kTemplateParamDepth))));
            const QByteArray movie = packed::unpackFile(movies[i], packed::kTemplateMovieDepth);
            double ms[2] = {0, 0}, meanBig = 0;
            int frames = 0;
            const QSize sizes[2] = {mode == ModeKind::Wide16x9 ? QSize(1920, 1080) : out,
                                    mode == ModeKind::Wide16x9 ? QSize(800, 450) : AlbumMode::get(mode).preview};
            for (int s = 0; s < 2; ++s) {
                const QSize size = sizes[s];
                const QStringList names = splitBarList(params.xpjpgmc), ws = splitBarList(params.xpkd),
                                  hs = splitBarList(params.xpgd);
                for (int k = 0; k < names.size(); ++k) {
                    int w = ws.value(k).toInt(), h = hs.value(k).toInt();
                    if (w == 0) {
                        w = 1920;
                        h = 1080;
                    }
                    writeJpeg(picture(size.width() * w / out.width(), size.height() * h / out.height(), k),
                              folder + names[k] + ".jpg");
                }
                writeJpeg(picture(size.width(), size.height(), 7), folder + "wj_y_l_b_j.jpg");
                writeJpeg(picture(size.width(), size.height(), 3),
                          tmp.path() + "/wj_y_l/wj_y_l/wj_y_l/pic/picture_0.jpg");
                MoviePlayer player;
                player.loadDocument(movie, folder, movies[i]);
                frames = player.totalFrames();
                QImage target(size, QImage::Format_RGB32);
                QElapsedTimer prep;
                prep.start();
                player.renderFrame(0, target); // the first render prepares the layers for this size
                (s == 0 ? prepBig : prepSmall).push_back(prep.nsecsElapsed() / 1e6);
                std::vector<double> times;
                for (int f = 0; f < frames; ++f) {
                    QElapsedTimer t;
                    t.start();
                    player.renderFrame(f, target);
                    times.push_back(t.nsecsElapsed() / 1e6);
                }
                ms[s] = median(times);
                if (s == 0)
                    meanBig = mean(times);
                (s == 0 ? allBig : allSmall).insert((s == 0 ? allBig : allSmall).end(), times.begin(), times.end());
            }
            std::printf("%-8s %-10s %8d %9.2f %9.2f %9.2f\n", qPrintable(AlbumMode::get(mode).shortName),
                        qPrintable(QFileInfo(movies[i]).fileName()), frames, ms[0], meanBig, ms[1]);
        }
    }
    // The mean is what a production pays per frame: the few frames of a
    // transition (turned, scaled pictures) cost several times the median.
    std::printf("median over all frames: %.2f ms at render size (1920x1080 in 16:9), %.2f ms at preview size\n",
                median(allBig), median(allSmall));
    std::printf("mean over all frames:   %.2f ms at render size, %.2f ms at preview size\n", mean(allBig),
                mean(allSmall));
    std::printf("median first frame of a load (layers prepared): %.1f ms at render size, %.1f ms at preview size\n",
                median(prepBig), median(prepSmall));
    return 0;
}
