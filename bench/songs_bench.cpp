// What adding a song costs on the add worker: decoding it once, counting its
// samples, finding its beats and measuring its loudness, per song, in
// processor time of the worker thread (the beat analysis and the loudness
// meters on their own beside the whole measure).
//   bench_songs [SONG ...]
// Without songs it measures the bundled sample song and a 4-minute song made
// of it repeated (ffmpeg), the length the beat analysis is held to (≤ 1 s)
// and the loudness measurement (≤ 0.5 s).
#include <QCoreApplication>
#include <QProcess>
#include <QTemporaryDir>
#include <algorithm>
#include <cstdio>
#include <ctime>

#include "app/Error.h"
#include "app/Paths.h"
#include "media/MusicList.h"

using namespace lumora;

namespace {
double threadCpuSeconds()
{
    timespec ts{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &ts);
    return double(ts.tv_sec) + ts.tv_nsec / 1e9;
}
double loadAverage()
{
    double l[1] = {0};
    return getloadavg(l, 1) == 1 ? l[0] : -1;
}
} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    QStringList songs;
    for (int i = 1; i < argc; ++i)
        songs << QString::fromLocal8Bit(argv[i]);
    QTemporaryDir tmp;
    if (songs.isEmpty()) {
        const QString sample = Paths(QCoreApplication::applicationDirPath() + QStringLiteral("/../bin")).sampleSong();
        const QString four = tmp.filePath(QStringLiteral("four-minutes.mp3"));
        const int rc = QProcess::execute(QStringLiteral("ffmpeg"),
                                         {QStringLiteral("-v"), QStringLiteral("error"), QStringLiteral("-y"),
                                          QStringLiteral("-stream_loop"), QStringLiteral("-1"), QStringLiteral("-i"),
                                          sample, QStringLiteral("-t"), QStringLiteral("240"), QStringLiteral("-b:a"),
                                          QStringLiteral("192k"), four});
        songs << sample;
        if (rc == 0)
            songs << four;
    }
    std::printf("load average %.1f at start\n", loadAverage());
    std::printf("%-28s %9s %10s %9s %12s %11s %7s %7s %6s %7s %6s\n", "song", "length s", "measure s", "beats ms",
                "beats ms/4m", "loudness s", "beats", "tempo", "clear", "LUFS", "dBTP");
    double worstBeatMsPerFour = 0;
    for (const QString &path : songs) {
        try {
            const double t0 = threadCpuSeconds();
            const SongMeasure m = measureSong(path);
            const double all = threadCpuSeconds() - t0;
            // The beat analysis alone (not the shared decode), per song and
            // scaled to a 4-minute song, the length its budget is given for.
            const double beatMs = m.beatCpuSeconds * 1000.0;
            const double beatMsPerFour = m.lengthMs > 0 ? beatMs * 240000.0 / double(m.lengthMs) : 0.0;
            worstBeatMsPerFour = std::max(worstBeatMsPerFour, beatMsPerFour);
            std::printf("%-28s %9.1f %10.3f %9.0f %12.0f %11.3f %7zu %7.1f %6s %7.2f %6.2f\n",
                        qPrintable(path.section('/', -1)), m.lengthMs / 1000.0, all, beatMs, beatMsPerFour,
                        m.loudnessCpuSeconds, m.beats.beatsMs.size(), m.beats.tempoBpm, m.beats.clear ? "yes" : "no",
                        m.loudness ? m.loudness->integratedLufs : -999.0, m.loudness ? m.loudness->truePeakDb : -999.0);
        } catch (const Error &e) {
            std::printf("%s: %s\n", qPrintable(path), qPrintable(e.message()));
        }
    }
    std::printf("beat analysis: at most %.0f ms of processor time per 4 minutes of song (budget 1000 ms)\n",
                worstBeatMsPerFour);
    std::printf("load average %.1f at end (processor times of the measuring thread, user + system)\n", loadAverage());
    return 0;
}
