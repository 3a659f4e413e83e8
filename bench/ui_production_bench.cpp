// The production window against the command line: one album (20 photos of
// 24 megapixels with automatic text and picture effects, a song with a lyric
// line every four seconds, music sync, 16:9, MP4 1920 × 1080 "biaoqing")
// produced in the same run
//   (b) through AlbumSession::plan and ::produce, as lumora-make does, and
//   (a) through the production window TForm25, shown (offscreen platform)
//       with the event loop running, as a person uses it.
// It prints wall and CPU seconds of both (planning, staging and encoding;
// CPU of the whole process), the ratios (target <= 1.05: the window must not
// slow the work), and the longest time the user-interface thread was kept
// from its events during the window's production, measured by a 5 ms
// watchdog timer (target <= 50 ms). Both files are checked with ffprobe for
// the album's frame count.
//
//   bench_ui_production [--seconds N] [--photos N] [--rounds N]
//                       [--program-folder DIR]
//
// Defaults: a 60-second album, 20 photos, one round (lumora-make's path,
// then the window's). More rounds alternate the order and print the best of
// each. Wall figures need a quiet machine; CPU figures hold under load.
#include <QApplication>
#include <QDeadlineTimer>
#include <QElapsedTimer>
#include <QFile>
#include <QPainter>
#include <QProcess>
#include <QTemporaryDir>
#include <QTimer>
#include <algorithm>
#include <cstdio>
#include <sys/resource.h>

#include "app/DialogService.h"
#include "app/Heap.h"
#include "app/Style.h"
#include "bench_album.h"
#include "production/ProductionWindow.h"
#include "session/AlbumSession.h"

using namespace lumora;
using namespace lumora::ui;

namespace {

constexpr double kRatioTarget = 1.05;
constexpr qint64 kStallTargetMs = 50;
constexpr int kWatchdogMs = 5;

double cpuSeconds(int who)
{
    rusage u{};
    getrusage(who, &u);
    return double(u.ru_utime.tv_sec + u.ru_stime.tv_sec) + double(u.ru_utime.tv_usec + u.ru_stime.tv_usec) / 1e6;
}
// Every thread of the process: composing, staging, the encoder's threads, audio, the windows.
double processCpuSeconds()
{
    return cpuSeconds(RUSAGE_SELF);
}
// The calling thread alone (the user-interface thread, when called from it).
double threadCpuSeconds()
{
    return cpuSeconds(RUSAGE_THREAD);
}

struct Figures {
    double wall = 0, cpu = 0;
    double uiCpu = 0; // CPU of the user-interface thread (window only)
    long long frames = 0; // counted in the file by ffprobe
    qint64 stallMs = -1; // longest user-interface stall (window only)
    int stallsOver = 0; // watchdog gaps longer than the target
    bool ok = false;
};

// Video packets of the file's first video stream (one per frame).
long long countedFrames(const QString &file)
{
    QProcess p;
    p.start(QStringLiteral("ffprobe"),
            {QStringLiteral("-v"), QStringLiteral("error"), QStringLiteral("-select_streams"), QStringLiteral("v:0"),
             QStringLiteral("-count_packets"), QStringLiteral("-show_entries"),
             QStringLiteral("stream=nb_read_packets"), QStringLiteral("-of"), QStringLiteral("csv=p=0"), file});
    if (!p.waitForFinished(120000))
        return -1;
    bool ok = false;
    const long long n = p.readAllStandardOutput().trimmed().toLongLong(&ok);
    return ok ? n : -1;
}

OutputChoice benchChoice(const AlbumSession &session, const QString &folder, const QString &name)
{
    OutputChoice choice = defaultOutputChoice(session.album().mode, OutputType::MP4);
    choice.size = QSize(1920, 1080);
    choice.quality = QualityLevel::Biaoqing;
    choice.sync = SyncMode::Music;
    choice.albumName = name;
    choice.folder = folder + QLatin1Char('/');
    return choice;
}

// lumora-make's path: plan and produce on this thread, progress counted as it prints it.
Figures produceLikeLumoraMake(AlbumSession &session, const QString &folder)
{
    Figures f;
    const OutputChoice choice = benchChoice(session, folder, QStringLiteral("bench_make"));
    const double cpu0 = processCpuSeconds();
    QElapsedTimer clock;
    clock.start();
    const ProductionPlan plan = session.plan(choice);
    long long shown = 0;
    ProductionCallbacks callbacks;
    callbacks.staging = [&](int, int) { ++shown; };
    callbacks.frames = [&](long long done, long long total) {
        if (done % 5 == 0 || done == total)
            ++shown;
    };
    const ProductionResult r = session.produce(plan, callbacks);
    f.wall = clock.elapsed() / 1000.0;
    f.cpu = processCpuSeconds() - cpu0;
    f.ok = r.outcome == ProductionOutcome::Completed;
    if (!f.ok)
        std::printf("lumora-make's path failed: %s\n", r.error.toUtf8().constData());
    f.frames = countedFrames(r.outputPath);
    QFile::remove(r.outputPath);
    return f;
}

// The window's path: TForm25 shown, the event loop running, a watchdog
// timer measuring how long the user-interface thread was away.
Figures produceThroughTheWindow(AlbumSession &session, const QString &folder)
{
    Figures f;
    ScriptedDialogService dialogs;
    const OutputChoice choice = benchChoice(session, folder, QStringLiteral("bench_window"));
    auto *window = new ProductionWindow(session, dialogs, choice);
    window->setAttribute(Qt::WA_DeleteOnClose);
    window->setFolderOpener([](const QString &) {});
    bool ended = false;
    QObject::connect(window, &ProductionWindow::ended, window, [&](ProductionOutcome outcome) {
        ended = true;
        f.ok = outcome == ProductionOutcome::Completed;
    });

    QElapsedTimer gapClock;
    qint64 longestGap = 0;
    QTimer watchdog;
    watchdog.setTimerType(Qt::PreciseTimer);
    watchdog.setInterval(kWatchdogMs);
    QObject::connect(&watchdog, &QTimer::timeout, [&] {
        const qint64 gap = gapClock.restart() - kWatchdogMs;
        longestGap = std::max(longestGap, gap);
        if (gap > kStallTargetMs)
            ++f.stallsOver;
    });

    const double cpu0 = processCpuSeconds();
    const double uiCpu0 = threadCpuSeconds();
    QElapsedTimer clock;
    clock.start();
    gapClock.start();
    watchdog.start();
    window->show(); // the production begins once the window is on screen
    QEventLoop loop;
    QObject::connect(window, &ProductionWindow::ended, &loop, &QEventLoop::quit);
    if (!ended)
        loop.exec();
    f.wall = clock.elapsed() / 1000.0;
    f.cpu = processCpuSeconds() - cpu0;
    f.uiCpu = threadCpuSeconds() - uiCpu0;
    watchdog.stop();
    f.stallMs = longestGap;
    if (!f.ok)
        std::printf("the window's production failed: %s\n", window->result().error.toUtf8().constData());
    const QString output = window->outputPath();
    window->close();
    QApplication::processEvents();
    f.frames = countedFrames(output);
    QFile::remove(output);
    return f;
}

// CPU milliseconds of one live picture: a composed 1920 × 1080 frame scaled
// to the picture box as the production does it.
double livePictureCpuMs()
{
    QImage frame(1920, 1080, QImage::Format_RGB32);
    QPainter p(&frame);
    p.fillRect(frame.rect(), QLinearGradient(0, 0, 1920, 1080));
    p.end();
    constexpr int kCopies = 40;
    const double cpu0 = threadCpuSeconds();
    qint64 sum = 0;
    for (int i = 0; i < kCopies; ++i)
        sum += frame
                   .scaled(QSize(kProductionPictureSide, kProductionPictureSide), Qt::KeepAspectRatio,
                           Qt::SmoothTransformation)
                   .width();
    return sum > 0 ? (threadCpuSeconds() - cpu0) * 1000.0 / kCopies : 0;
}

} // namespace

int main(int argc, char **argv)
{
    lumora::keepLargeBlocksInHeap();
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    applyProgramStyle(app);
    int seconds = 60;
    int photoCount = 20;
    int rounds = 1;
    QString programFolder = QStringLiteral(LUMORA_BENCH_PROGRAM_DIR);
    const QStringList args = app.arguments();
    for (int i = 1; i < args.size(); ++i) {
        if (args[i] == QLatin1String("--seconds") && i + 1 < args.size()) {
            seconds = std::max(2, args[++i].toInt());
        } else if (args[i] == QLatin1String("--photos") && i + 1 < args.size()) {
            photoCount = std::max(1, args[++i].toInt());
        } else if (args[i] == QLatin1String("--rounds") && i + 1 < args.size()) {
            rounds = std::max(1, args[++i].toInt());
        } else if (args[i] == QLatin1String("--program-folder") && i + 1 < args.size()) {
            programFolder = args[++i];
        } else {
            std::fprintf(stderr,
                         "usage: bench_ui_production [--seconds N] [--photos N] [--rounds N] "
                         "[--program-folder DIR]\n");
            return 2;
        }
    }

    QTemporaryDir dir;
    std::printf("Preparing %d photos of 24 megapixels and a %d s song with lyrics...\n", photoCount, seconds);
    std::fflush(stdout);
    const QStringList photos = bench::writePhotos(dir.path(), photoCount);
    const QString song = dir.path() + QStringLiteral("/song.mp3");
    if (!bench::writeSong(song, seconds)) {
        std::fprintf(stderr, "bench_ui_production: ffmpeg could not make the song\n");
        return 1;
    }
    const QString lyrics = dir.path() + QStringLiteral("/song.lrc");
    bench::writeLyrics(lyrics, seconds);

    AlbumSession session(programFolder, dir.path() + QStringLiteral("/work"), 1);
    Album &album = session.album();
    session.chooseMode(ModeKind::Wide16x9);
    album.settings.wenzitexiaoTianjia = true;
    album.settings.huamiantexiaoTianjia = true;
    session.addPhotos(photos);
    session.addSongs({song});
    session.addLyricFiles({lyrics});
    const long long expected = session.plan(benchChoice(session, dir.path(), QStringLiteral("plan"))).totalFrames;
    std::printf("Album: %d used templates, %d text effects, %d picture effects, %lld frames, MP4 1920 x 1080 "
                "biaoqing\n",
                album.ListView_moban_shiyong.size(), album.wenzi_ListView_Image.size(),
                album.huamian_ListView_Image.size(), expected);
    std::fflush(stdout);

    Figures make, window;
    bool ok = true;
    for (int round = 0; round < rounds; ++round) {
        const bool windowFirst = round % 2 == 1;
        Figures m, w;
        if (windowFirst)
            w = produceThroughTheWindow(session, dir.path());
        m = produceLikeLumoraMake(session, dir.path());
        if (!windowFirst)
            w = produceThroughTheWindow(session, dir.path());
        std::printf("round %d: lumora-make's path %6.2f s wall %6.2f s CPU; window %6.2f s wall %6.2f s CPU, "
                    "longest stall %lld ms\n",
                    round + 1, m.wall, m.cpu, w.wall, w.cpu, (long long)w.stallMs);
        std::fflush(stdout);
        for (const auto &[what, f] : {std::pair{"lumora-make's path", m}, std::pair{"window", w}})
            if (!f.ok || f.frames != expected) {
                std::printf("%s: %s, %lld frames in the file, %lld expected\n", what, f.ok ? "completed" : "FAILED",
                            f.frames, expected);
                ok = false;
            }
        if (round == 0) {
            make = m;
            window = w;
            continue;
        }
        make.wall = std::min(make.wall, m.wall);
        make.cpu = std::min(make.cpu, m.cpu);
        window.wall = std::min(window.wall, w.wall);
        window.cpu = std::min(window.cpu, w.cpu);
        window.uiCpu = std::min(window.uiCpu, w.uiCpu);
        window.stallMs = std::max(window.stallMs, w.stallMs);
        window.stallsOver += w.stallsOver;
    }

    const double wallRatio = window.wall / make.wall;
    const double cpuRatio = window.cpu / make.cpu;
    std::printf("\n== %lld frames (%d s), best of %d round(s) ==\n", expected, seconds, rounds);
    std::printf("lumora-make's path: %7.2f s wall, %7.2f s CPU, %.1f frames/s\n", make.wall, make.cpu,
                double(expected) / make.wall);
    std::printf("window (TForm25):   %7.2f s wall, %7.2f s CPU, %.1f frames/s; user-interface thread %.2f s CPU "
                "(%.2f ms per frame, the watchdog included)\n",
                window.wall, window.cpu, double(expected) / window.wall, window.uiCpu,
                window.uiCpu * 1000.0 / double(expected));
    std::printf("ratio window/make:  %.3f wall, %.3f CPU (target <= %.2f): %s\n", wallRatio, cpuRatio, kRatioTarget,
                std::max(wallRatio, cpuRatio) <= kRatioTarget ? "met" : "NOT MET");
    std::printf("longest stall:      %lld ms (target <= %lld ms), %d watchdog gaps over the target: %s\n",
                (long long)window.stallMs, (long long)kStallTargetMs, window.stallsOver,
                window.stallMs <= kStallTargetMs ? "met" : "NOT MET");
    const double pictureMs = livePictureCpuMs();
    std::printf("live picture:       %.2f ms CPU per copy, %d a second at most: %.2f%% of one core\n", pictureMs,
                1000 / kProductionPicturePeriodMs, pictureMs * (1000.0 / kProductionPicturePeriodMs) / 10.0);
    std::printf("files:              %s\n", ok ? "both hold every frame of the album" : "CHECK FAILED");
    return ok ? 0 : 1;
}
