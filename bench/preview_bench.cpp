// Album preview benchmark: a 60-second 16:9 album of 20 photos of 24
// megapixels with two picture-effect rows, text effects and lyrics, previewed
// as the window does (frame timer, audio clock). Prints the time from play to
// the first frame (staging included), the share of frames shown more than
// 10 ms after their time, the largest distance between the music position
// and the frame clock, the CPU used during playback (share of one core) and
// the time seeks take to show their frame.
//
//   bench_preview [--seconds N] [--program-folder DIR]
//
// Needs the authored resource tree (build/bin) and the ffmpeg tool. For real
// sound run it through tests/playback/real_sound.sh (a PulseAudio null sink);
// without a device the silent sink's clock drives the frames.
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QGuiApplication>
#include <QPainter>
#include <QProcess>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QThread>
#include <QTimer>
#include <cstdio>
#include <sys/resource.h>

#include "app/Heap.h"
#include "bench_album.h"
#include "effects/EffectPackage.h"
#include "effects/EffectTables.h"
#include "image/ImageIO.h"
#include "media/AudioPlayer.h"
#include "playback/PreviewPlayback.h"
#include "resources/PackedFile.h"
#include "session/AlbumSession.h"
#include "templates/TextCodec.h"

using namespace lumora;

namespace {

double cpuSeconds()
{
    rusage u{};
    getrusage(RUSAGE_SELF, &u);
    return u.ru_utime.tv_sec + u.ru_stime.tv_sec + (u.ru_utime.tv_usec + u.ru_stime.tv_usec) / 1e6;
}

// Runs the event loop until `done` or `ms` have passed. The loop sleeps
// between events as the program's own loop does (processEvents with a time
// limit would poll instead and count its spinning as playback CPU); a
// single-shot timer wakes it at the deadline.
template <typename F> void runUntil(F done, qint64 ms)
{
    bool expired = false;
    QTimer deadline;
    deadline.setSingleShot(true);
    deadline.setTimerType(Qt::PreciseTimer);
    QObject::connect(&deadline, &QTimer::timeout, [&] { expired = true; });
    deadline.start(int(ms));
    while (!done() && !expired)
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
}

} // namespace

int main(int argc, char **argv)
{
    lumora::keepLargeBlocksInHeap(); // as the program does
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    int seconds = 60;
    QString programFolder = QCoreApplication::applicationDirPath() + QStringLiteral("/../bin/");
    const QStringList args = app.arguments();
    for (int i = 1; i < args.size(); ++i) {
        if (args[i] == QLatin1String("--seconds") && i + 1 < args.size())
            seconds = args[++i].toInt();
        else if (args[i] == QLatin1String("--program-folder") && i + 1 < args.size())
            programFolder = args[++i];
    }
    QTemporaryDir dir, work;
    std::printf("Preparing 20 photos of 24 megapixels, a %d s song and its lyrics...\n", seconds);
    std::fflush(stdout);
    QStringList photos;
    for (int i = 0; i < 20; ++i)
        photos << bench::writePhoto(dir.path(), i, i % 4 == 3);
    const QString song = dir.path() + QStringLiteral("/song.mp3");
    QProcess::execute(QStringLiteral("ffmpeg"),
                      {QStringLiteral("-v"), QStringLiteral("error"), QStringLiteral("-y"), QStringLiteral("-f"),
                       QStringLiteral("lavfi"), QStringLiteral("-i"),
                       QStringLiteral("sine=frequency=330:sample_rate=44100:duration=%1").arg(seconds),
                       QStringLiteral("-ac"), QStringLiteral("2"), QStringLiteral("-b:a"), QStringLiteral("128k"),
                       song});
    QString lrc;
    for (int s = 1; s < seconds; s += 3)
        lrc += QStringLiteral("[%1:%2.00]第%3句歌词，在预览里跟着音乐走\r\n")
                   .arg(s / 60, 2, 10, QLatin1Char('0'))
                   .arg(s % 60, 2, 10, QLatin1Char('0'))
                   .arg(s);
    const QString lyrics = dir.path() + QStringLiteral("/song.lrc");
    writeFileBytes(lyrics, encodeGbk(lrc));

    AlbumSession session(programFolder, work.path() + QLatin1Char('/'), 7);
    session.chooseMode(ModeKind::Wide16x9);
    Album &album = session.album();
    album.settings.wenzitexiaoTianjia = true;
    album.settings.huamiantexiaoTianjia = false;
    session.addPhotos(photos);
    session.addSongs({song});
    session.addLyricFiles({lyrics});
    const QString modeFolder = album.modeInfo().effectFolder;
    const QStringList pictureEffects = listPictureEffects(album.paths, modeFolder);
    for (int k = 0; k < 2 && k < pictureEffects.size(); ++k)
        addPictureEffect(album, pictureEffects, k, {0, 0, 2 + 20 * k});
    session.output().sync = SyncMode::Music;

    AudioPlayer audio;
    PreviewPlayback preview(album, audio);
    QStringList notices;
    PreviewPlayback::Callbacks cb;
    cb.notice = [&](const QString &n) { notices << n; };
    preview.setCallbacks(cb);

    std::printf("Previewing %d photos, %d used templates, %d picture-effect rows, %d text-effect rows, lyrics...\n",
                album.ListView_daoru_zhaopian.size(), album.ListView_moban_shiyong.size(),
                album.huamian_ListView_Image.size(), album.wenzi_ListView_Image.size());
    std::fflush(stdout);
    preview.start(SyncMode::Music);
    runUntil([&] { return preview.state() != PreviewState::Staging; }, 60000);
    std::printf("Playing (pid %lld)...\n", (long long)QCoreApplication::applicationPid());
    std::fflush(stdout);
    const double cpu0 = cpuSeconds();
    QElapsedTimer wall;
    wall.start();
    runUntil([&] { return preview.state() == PreviewState::Idle; }, (seconds + 30) * 1000);
    const double playSeconds = wall.elapsed() / 1000.0;
    const double cpu = cpuSeconds() - cpu0;
    const PreviewStats run = preview.stats();
    if (!notices.isEmpty())
        std::printf("notices: %s\n", qPrintable(notices.join(QStringLiteral(" | "))));

    // Seeks: a second run, ten jumps across the album while it plays.
    preview.start(SyncMode::Music);
    runUntil([&] { return preview.state() != PreviewState::Staging; }, 60000);
    QRandomGenerator rng(3);
    const long long total = preview.timeline().totalFrames;
    qint64 seekSum = 0;
    for (int i = 0; i < 10 && preview.state() != PreviewState::Idle; ++i) {
        runUntil([] { return false; }, 300);
        QElapsedTimer t;
        t.start();
        preview.seek(rng.bounded(qint64(total)));
        // The frame of a moment whose template loads on a worker comes
        // later; the seek is timed to its frame shown.
        runUntil([&] { return !preview.seeking(); }, 5000);
        seekSum += t.elapsed();
    }
    const PreviewStats seeks = preview.stats();
    QElapsedTimer stopTimer;
    stopTimer.start();
    preview.stop();
    const qint64 stopMs = stopTimer.elapsed();

    std::printf("\nAudio output: %s\n", audio.silent() ? "silent sink (no device)" : "device");
    std::printf("Play to first frame (staging included): %lld ms   (target <= 2000)\n", (long long)run.firstFrameMs);
    std::printf(
        "Frames shown: %lld in %.1f s; late by more than 10 ms: %lld = %.2f %%   (target <= 1 %%); latest %lld ms\n",
        run.framesShown, playSeconds, run.framesLate,
        run.framesShown ? 100.0 * double(run.framesLate) / double(run.framesShown) : 0.0, (long long)run.maxLateMs);
    for (const PreviewLateFrame &l : run.lateFrames)
        std::printf("  late frame %lld by %lld ms: tick gap %lld ms, album clock stepped %+lld ms beyond the monotonic "
                    "clock, work of the tick before %lld ms%s\n",
                    l.frame, (long long)l.lateMs, (long long)l.tickGapMs, (long long)l.clockStepMs, (long long)l.workMs,
                    l.segmentChange ? ", first frame of a template" : "");
    std::printf("Largest music position vs frame clock: %lld ms at frame %lld   (target <= 40)\n",
                (long long)run.maxAudioDriftMs, run.maxAudioDriftFrame);
    std::printf("Templates loaded ahead on a worker: %lld, longest wait at the change %lld ms; loaded on the "
                "user-interface thread: %lld, longest %lld ms\n",
                run.aheadLoads, (long long)run.maxAheadWaitMs, run.templateLoads, (long long)run.maxLoadMs);
    std::printf("CPU during playback: %.1f %% of one core   (target <= 35)\n", 100.0 * cpu / playSeconds);
    std::printf("Seek to its frame shown: mean %.1f ms, largest %lld ms over %lld seeks   (target <= 100)\n",
                seeks.seeks ? double(seekSum) / double(seeks.seeks) : 0.0, (long long)seeks.maxSeekMs,
                (long long)seeks.seeks);
    std::printf("User-interface thread in a seek step: longest %lld ms   (target <= 50)\n",
                (long long)seeks.maxSeekBlockMs);
    std::printf("Stop while playing: %lld ms on the user-interface thread   (target <= 50)\n", (long long)stopMs);
    std::printf("Seeks whose template loaded on a worker: %lld, processor time of the load mean %.1f ms, largest "
                "%lld ms (what the wait for the frame costs on an idle core)\n",
                seeks.seekLoads, seeks.seekLoads ? double(seeks.seekLoadCpuMs) / double(seeks.seekLoads) : 0.0,
                (long long)seeks.maxSeekLoadCpuMs);
    return 0;
}
