// Production benchmark: produces a 1920 × 1080 MP4 album (60 s by default)
// from 24-megapixel photos and one song, through the same path as
// lumora-make, then encodes the same number of frames with the same encoder
// settings from pictures held in memory (encoding alone). Prints both wall
// times, their ratio, frames per second, peak memory, the colour conversion
// cost and the cost a frame file on disk would add.
//
//   bench_production [--seconds N] [--program-folder DIR] [--skip-encode-only]
//
// Needs the authored resource tree (build/bin) and the ffmpeg tool for the song.
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QProcess>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <cstdio>
#include <cstring>
#include <sys/resource.h>

#include "album/AddStep.h"
#include "app/Album.h"
#include "effects/EffectPlacement.h"
#include "effects/EffectTables.h"
#include "image/ImageIO.h"
#include "media/FfmpegHandles.h"
#include "media/MusicList.h"
#include "production/Encoder.h"
#include "production/ProductionRun.h"
#include "resources/Workspace.h"
#include "templates/Catalogue.h"

using namespace lumora;

namespace {

long peakMemoryMb()
{
    rusage u{};
    getrusage(RUSAGE_SELF, &u);
    return u.ru_maxrss / 1024;
}

// A photo-like 24-megapixel picture: gradient sky, hills and noise, so JPEG
// decoding and scaling work as hard as on a real photo.
QString writePhoto(const QString &folder, int i, bool portrait)
{
    const QSize size = portrait ? QSize(4000, 6000) : QSize(6000, 4000);
    QImage img(size, QImage::Format_RGB32);
    QPainter p(&img);
    QLinearGradient sky(0, 0, 0, size.height());
    sky.setColorAt(0, QColor::fromHsv((i * 47) % 360, 120, 230));
    sky.setColorAt(1, QColor::fromHsv((i * 47 + 90) % 360, 160, 90));
    p.fillRect(img.rect(), sky);
    QRandomGenerator rng(quint32(i + 1));
    for (int k = 0; k < 60; ++k) {
        p.setBrush(QColor::fromHsv(int(rng.bounded(360)), 150, 200, 160));
        p.setPen(Qt::NoPen);
        const int r = int(rng.bounded(size.width() / 6)) + 40;
        p.drawEllipse(QPoint(int(rng.bounded(size.width())), int(rng.bounded(size.height()))), r, r);
    }
    p.end();
    // Fine noise, as sensor grain.
    for (int y = 0; y < img.height(); y += 2) {
        QRgb *line = reinterpret_cast<QRgb *>(img.scanLine(y));
        for (int x = 0; x < img.width(); ++x) {
            const int n = int(rng.bounded(24)) - 12;
            const QRgb c = line[x];
            line[x] = qRgb(std::clamp(qRed(c) + n, 0, 255), std::clamp(qGreen(c) + n, 0, 255),
                           std::clamp(qBlue(c) + n, 0, 255));
        }
    }
    const QString path = folder + QStringLiteral("/photo_%1.jpg").arg(i, 2, 10, QLatin1Char('0'));
    writeJpeg(img, path, 90);
    return path;
}

double perFrameMs(double seconds, long long frames)
{
    return frames > 0 ? seconds * 1000.0 / double(frames) : 0;
}

// Colour conversion of one 1080p RGB32 picture to YUV 4:2:0 with the given
// swscale flags, in milliseconds per picture.
double conversionMs(int flags, const QImage &picture)
{
    av::SwsPtr sws(sws_getContext(1920, 1080, AV_PIX_FMT_BGRA, 1920, 1080, AV_PIX_FMT_YUV420P, flags, nullptr,
                                  nullptr, nullptr));
    av::FramePtr f = av::makeFrame();
    f->format = AV_PIX_FMT_YUV420P;
    f->width = 1920;
    f->height = 1080;
    av_frame_get_buffer(f.get(), 0);
    const uint8_t *src[1] = {picture.constBits()};
    const int stride[1] = {int(picture.bytesPerLine())};
    QElapsedTimer t;
    t.start();
    constexpr int kRuns = 60;
    for (int i = 0; i < kRuns; ++i)
        sws_scale(sws.get(), src, stride, 0, 1080, f->data, f->linesize);
    return t.nsecsElapsed() / 1e6 / kRuns;
}

// The frame-file hand-over: write the 32-bit BMP in place and read it back.
double frameFileMs(const QImage &picture, const QString &path)
{
    QElapsedTimer t;
    t.start();
    constexpr int kRuns = 40;
    for (int i = 0; i < kRuns; ++i) {
        picture.save(path, "BMP");
        QImage back(path, "BMP");
        if (back.isNull())
            return -1;
    }
    return t.nsecsElapsed() / 1e6 / kRuns;
}

} // namespace

int main(int argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    int seconds = 60;
    QString programFolder = QCoreApplication::applicationDirPath() + QStringLiteral("/../bin/");
    bool encodeOnly = true;
    const QStringList args = app.arguments();
    for (int i = 1; i < args.size(); ++i) {
        if (args[i] == QLatin1String("--seconds") && i + 1 < args.size())
            seconds = args[++i].toInt();
        else if (args[i] == QLatin1String("--program-folder") && i + 1 < args.size())
            programFolder = args[++i];
        else if (args[i] == QLatin1String("--skip-encode-only"))
            encodeOnly = false;
    }

    QTemporaryDir dir;
    std::printf("Preparing 24-megapixel photos and a %d s song...\n", seconds);
    std::fflush(stdout);
    QStringList photos;
    for (int i = 0; i < 10; ++i)
        photos << writePhoto(dir.path(), i, i % 4 == 3);
    const QString song = dir.path() + QStringLiteral("/song.mp3");
    QProcess::execute(QStringLiteral("ffmpeg"),
                      {QStringLiteral("-v"), QStringLiteral("error"), QStringLiteral("-y"), QStringLiteral("-f"),
                       QStringLiteral("lavfi"), QStringLiteral("-i"),
                       QStringLiteral("sine=frequency=330:sample_rate=44100:duration=%1").arg(seconds),
                       QStringLiteral("-ac"), QStringLiteral("2"), QStringLiteral("-b:a"), QStringLiteral("128k"), song});

    // The album, as lumora-make builds it: 16:9, the photos with automatic
    // text effects, the song, music sync so the album lasts exactly the song.
    Paths paths(programFolder);
    Album album(paths);
    workspace::startupClean(paths);
    album.mode = ModeKind::Wide16x9;
    buildCatalogue(album);
    album.reset(ModeKind::Wide16x9);
    initEffectTables(album);
    AddStepHooks hooks;
    hooks.autoTextEffects = [](Album &a) { return runTextPlacementOnImport(a).notice; };
    AddPhotosRequest request;
    request.files = photos;
    addPhotos(album, request, hooks);
    music::addSong(album, song);

    OutputChoice choice = defaultOutputChoice(ModeKind::Wide16x9, OutputType::MP4);
    choice.size = QSize(1920, 1080);
    choice.sync = SyncMode::Music;
    choice.albumName = QStringLiteral("bench");
    choice.folder = dir.path() + QLatin1Char('/');
    const ProductionPlan plan = planProduction(album, choice);
    const long mbBefore = peakMemoryMb();
    std::printf("Producing %lld frames (%d s) of 1920x1080 MP4, %d templates, %d text effects...\n", plan.totalFrames,
                seconds, plan.templateList.size(), album.wenzi_ListView_Image.size());
    std::fflush(stdout);
    QElapsedTimer clock;
    clock.start();
    ProductionCallbacks callbacks;
    callbacks.staging = [&](int done, int max) {
        if (done == max)
            std::printf("  staged %d templates, peak memory so far %ld MB\n", max, peakMemoryMb());
    };
    const ProductionResult r = runProduction(album, plan, callbacks);
    const double production = clock.elapsed() / 1000.0;
    const long mbProduction = peakMemoryMb();
    if (r.outcome != ProductionOutcome::Completed) {
        std::printf("production failed: %s\n", r.error.toUtf8().constData());
        return 1;
    }
    const long long frames = plan.totalFrames;
    std::printf("production:        %.2f s wall (staging %.2f s, encoding %.2f s), %.1f frames/s\n", production,
                r.stagingSeconds, r.encodingSeconds, frames / r.encodingSeconds);
    std::printf("  composing:       %.2f ms/frame (of which the template movie %.2f ms; the rest overlays, lyric, copy)\n",
                perFrameMs(r.renderSeconds, frames), perFrameMs(r.movieSeconds, frames));
    std::printf("  RGB to YUV:      %.2f ms/frame (swscale, fast bilinear, same size)\n",
                perFrameMs(r.colourSeconds, frames));
    std::printf("peak memory:       %ld MB (before production %ld MB)\n", mbProduction, mbBefore);

    // Hand-over and conversion figures on a real frame of the album.
    QImage frame(1920, 1080, QImage::Format_RGB32);
    {
        QPainter p(&frame);
        p.drawImage(frame.rect(), decodeJpeg(photos.front(), QSize(1920, 1080)));
    }
    const double fileMs = frameFileMs(frame, dir.path() + QStringLiteral("/frame.bmp"));
    const double perFrame = perFrameMs(r.encodingSeconds, frames);
    std::printf("frame file:        %.2f ms/frame written and read back = %.1f %% of %.2f ms per produced frame "
                "(frames are handed over in memory)\n",
                fileMs, 100.0 * fileMs / perFrame, perFrame);
    std::printf("RGB to YUV flags:  default (bicubic) %.2f ms, fast bilinear %.2f ms, point %.2f ms per frame\n",
                conversionMs(SWS_BICUBIC, frame), conversionMs(SWS_FAST_BILINEAR, frame),
                conversionMs(SWS_POINT, frame));

    if (encodeOnly) {
        // Encoding alone: the same number of frames and settings, from
        // pictures held in memory. 50 pictures of a slow zoom and pan over a
        // photo (as the templates move photos), played forwards and backwards,
        // so the encoder sees continuous photo motion as in an album.
        constexpr int kPictures = 50;
        std::vector<QImage> pictures;
        const QImage source = decodeJpeg(photos[1], QSize(2400, 1350));
        for (int i = 0; i < kPictures; ++i) {
            QImage f(1920, 1080, QImage::Format_RGB32);
            QPainter p(&f);
            p.setRenderHint(QPainter::SmoothPixmapTransform);
            const double zoom = 1.0 + 0.004 * i;
            const QSizeF part(source.width() / zoom, source.height() / zoom);
            p.drawImage(QRectF(0, 0, 1920, 1080), source,
                        QRectF(QPointF((source.width() - part.width()) * i / kPictures, 0), part));
            pictures.push_back(std::move(f));
        }
        Encoder enc;
        QImage picture = pictures[0].copy();
        enc.videoFunc = [&](long long i) {
            const long long k = (i + 1) % (2 * kPictures);
            const QImage &next = pictures[size_t(k < kPictures ? k : 2 * kPictures - 1 - k)];
            std::memcpy(picture.bits(), next.constBits(), size_t(next.sizeInBytes())); // as a composer writes its frame
        };
        EncoderJob job;
        job.type = OutputType::MP4;
        job.size = QSize(1920, 1080);
        job.outputPath = dir.path() + QStringLiteral("/encode-only.mp4");
        job.totalFrames = plan.totalFrames;
        job.audio = {{song, (long long)seconds * 1000}};
        QElapsedTimer encodeClock;
        encodeClock.start();
        const ConvertResult er = enc.convert(job, &picture);
        const double encode = encodeClock.elapsed() / 1000.0;
        if (er != ConvertResult::Completed) {
            std::printf("encode-only failed\n");
            return 1;
        }
        std::printf("encode only:       %.2f s wall, %.1f frames/s (RGB to YUV %.2f ms/frame)\n", encode,
                    plan.totalFrames / encode, perFrameMs(enc.colourConversionSeconds(), plan.totalFrames));
        std::printf("ratio:             production encoding / encode only = %.2f (target <= 1.3); with staging %.2f\n",
                    r.encodingSeconds / encode, production / encode);
    }
    workspace::exitClean(paths);
    return 0;
}
