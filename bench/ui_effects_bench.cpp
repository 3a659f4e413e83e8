// Figures of the effect windows over the authored resource tree (16:9 mode):
//  - gallery: a listing's thumbnails from listing to the last one (target
//    ≤ 1 s for a category) and the longest the user-interface thread was kept
//    from its events meanwhile (target ≤ 50 ms);
//  - start: selecting a package until its frame 1 is on show (target ≤ 150 ms);
//  - smoothness: frames due while a package plays at 25 frames per second in
//    the 800 × 450 preview area and how many were late (target ≤ 1 %).
//
// Wall-clock gaps also grow when other programs take the processor, so each
// stall is printed with the processor time the user-interface thread itself
// spent in it: a long gap with little of our own time is the machine's load,
// not a stall of ours.
//
//   bench_ui_effects [--program-folder DIR] [--seconds S]
//     DIR: the program folder holding the resource tree (default: the bin/
//          folder of this build); S: seconds each package plays (default 4).
#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QTemporaryDir>
#include <QTimer>
#include <algorithm>
#include <cstdio>
#include <ctime>
#include <functional>
#include <sys/resource.h>
#include <vector>

#include "app/DialogService.h"
#include "app/Heap.h"
#include "app/Style.h"
#include "session/AlbumSession.h"
#include "ui/effects/EffectAnimation.h"
#include "ui/effects/EffectGallery.h"
#include "ui/effects/PictureEffectWindow.h"
#include "ui/effects/TextEffectWindow.h"

using namespace lumora;
using namespace lumora::ui;

namespace {

constexpr qint64 kGalleryTargetMs = 1000;
constexpr qint64 kStallTargetMs = 50;
constexpr qint64 kStartTargetMs = 150;
constexpr double kLateTargetPercent = 1.0;

qint64 threadCpuUs()
{
    timespec ts{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &ts);
    return qint64(ts.tv_sec) * 1000000 + ts.tv_nsec / 1000;
}

qint64 processCpuMs()
{
    rusage u{};
    getrusage(RUSAGE_SELF, &u);
    return (qint64(u.ru_utime.tv_sec) + u.ru_stime.tv_sec) * 1000 + (u.ru_utime.tv_usec + u.ru_stime.tv_usec) / 1000;
}

const char *verdict(bool met)
{
    return met ? "met" : "MISSED";
}

// Records the longest gap between 2 ms ticks of the user-interface thread
// and how much of it the thread spent working.
struct StallMeter {
    StallMeter()
    {
        timer.setInterval(2);
        timer.setTimerType(Qt::PreciseTimer);
        QObject::connect(&timer, &QTimer::timeout, [this] {
            const qint64 cpu = threadCpuUs();
            if (clock.isValid()) {
                const qint64 gap = clock.restart();
                if (gap > longest) {
                    longest = gap;
                    longestBusyUs = cpu - lastCpu;
                }
                mostBusyUs = std::max(mostBusyUs, cpu - lastCpu);
            } else {
                clock.start();
            }
            lastCpu = cpu;
        });
    }
    void start()
    {
        longest = 0;
        longestBusyUs = mostBusyUs = 0;
        clock.invalidate();
        timer.start();
    }
    void stop() { timer.stop(); }
    void print(const char *what) const
    {
        std::printf("  longest UI stall %s: %lld ms wall (%lld ms of it our own work); most own work between two "
                    "events %lld ms (target %lld ms: %s)\n",
                    what, static_cast<long long>(longest), static_cast<long long>(longestBusyUs / 1000),
                    static_cast<long long>(mostBusyUs / 1000), static_cast<long long>(kStallTargetMs),
                    verdict(mostBusyUs / 1000 <= kStallTargetMs));
    }
    QTimer timer;
    QElapsedTimer clock;
    qint64 lastCpu = 0;
    qint64 longest = 0; // ms
    qint64 longestBusyUs = 0;
    qint64 mostBusyUs = 0;
};

// Runs the event loop (sleeping between events) until `done` or `ms` passed.
bool runUntil(const std::function<bool()> &done, int ms)
{
    QElapsedTimer t;
    t.start();
    QTimer wake;
    wake.start(5);
    while (!done() && t.elapsed() < ms)
        QApplication::processEvents(QEventLoop::WaitForMoreEvents);
    return done();
}

void runFor(int ms)
{
    QEventLoop loop;
    QTimer::singleShot(ms, &loop, &QEventLoop::quit);
    loop.exec();
}

bool galleryFigures(const char *what, EffectTimelineWindow &w, const std::function<void()> &list)
{
    StallMeter stall;
    QElapsedTimer t;
    stall.start();
    t.start();
    const qint64 cpuBefore = threadCpuUs();
    list();
    const qint64 listed = t.elapsed();
    const qint64 listedCpu = (threadCpuUs() - cpuBefore) / 1000;
    runUntil([&] { return w.gallery()->pendingThumbnails() == 0; }, 20000);
    const qint64 filled = t.elapsed();
    stall.stop();
    // Listing itself runs on the user-interface thread in one go: a stall too.
    if (listed > stall.longest) {
        stall.longest = listed;
        stall.longestBusyUs = listedCpu * 1000;
    }
    stall.mostBusyUs = std::max(stall.mostBusyUs, listedCpu * 1000);
    std::printf("gallery %-30s %3d packages: listed in %4lld ms (%lld ms processor), thumbnails in %5lld ms (target "
                "%lld ms: %s)\n",
                what, w.gallery()->count(), static_cast<long long>(listed), static_cast<long long>(listedCpu),
                static_cast<long long>(filled), static_cast<long long>(kGalleryTargetMs),
                verdict(filled <= kGalleryTargetMs));
    stall.print("while listing and filling");
    return w.gallery()->count() > 0;
}

struct PlayFigures {
    std::vector<qint64> starts;
    int due = 0, late = 0, notDecoded = 0, decoded = 0;
    qint64 worstTickDelayUs = 0, decodeCpuUs = 0;
};

// Selects each package of the window's name list in turn and lets it play.
void playEach(EffectTimelineWindow &w, int maxPackages, int seconds, PlayFigures &out)
{
    auto *names = w.findChild<QComboBox *>(QStringLiteral("ComboBox_texiao_name"));
    for (int i = 0; i < std::min(maxPackages, names->count()); ++i) {
        names->setCurrentIndex(i);
        if (!runUntil([&] { return w.animation()->figures().firstFrameMs >= 0; }, 5000)) {
            std::printf("  package %2d %-12s no frame within 5 s\n", i + 1, qPrintable(names->itemText(i)));
            continue;
        }
        runFor(seconds * 1000);
        const EffectAnimation::Figures f = w.animation()->figures();
        out.starts.push_back(f.firstFrameMs);
        out.due += f.due;
        out.late += f.late;
        out.notDecoded += f.notDecoded;
        out.decoded += f.decoded;
        out.decodeCpuUs += f.decodeCpuUs;
        out.worstTickDelayUs = std::max(out.worstTickDelayUs, f.worstTickDelayUs);
        std::printf("  package %2d %-12s start %3lld ms, %4d frames due, %3d late (%d not decoded yet), worst tick "
                    "%.1f ms after its time\n",
                    i + 1, qPrintable(names->itemText(i)), static_cast<long long>(f.firstFrameMs), f.due, f.late,
                    f.notDecoded, f.worstTickDelayUs / 1000.0);
    }
}

bool printPlayFigures(const char *what, const PlayFigures &p)
{
    if (p.starts.empty()) {
        std::printf("%s: no package played\n", what);
        return false;
    }
    std::vector<qint64> s = p.starts;
    std::sort(s.begin(), s.end());
    const double latePercent = p.due ? 100.0 * p.late / p.due : 0.0;
    std::printf("%s: start median %lld ms, worst %lld ms (target %lld ms: %s); late frames %d of %d = %.2f %% "
                "(target %.0f %%: %s), %d of them not decoded in time; worst tick %.1f ms after its time; decoding "
                "%.1f ms of processor time per frame (a frame is due every %d ms)\n",
                what, static_cast<long long>(s[s.size() / 2]), static_cast<long long>(s.back()),
                static_cast<long long>(kStartTargetMs), verdict(s.back() <= kStartTargetMs), p.late, p.due, latePercent,
                kLateTargetPercent, verdict(latePercent <= kLateTargetPercent), p.notDecoded,
                p.worstTickDelayUs / 1000.0, p.decoded ? p.decodeCpuUs / 1000.0 / p.decoded : 0.0,
                EffectAnimation::kFrameMs);
    return true;
}

} // namespace

int main(int argc, char **argv)
{
    lumora::keepLargeBlocksInHeap(); // as the program does
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    applyProgramStyle(app);
    QString program = QCoreApplication::applicationDirPath() + QStringLiteral("/../bin/");
    int seconds = 4;
    const QStringList args = app.arguments();
    for (int i = 1; i < args.size(); ++i) {
        if (args[i] == QLatin1String("--program-folder") && i + 1 < args.size())
            program = args[++i];
        else if (args[i] == QLatin1String("--seconds") && i + 1 < args.size())
            seconds = std::max(1, args[++i].toInt());
        else {
            std::fprintf(stderr, "usage: bench_ui_effects [--program-folder DIR] [--seconds S]\n");
            return 2;
        }
    }
    program = QDir(program).absolutePath() + QLatin1Char('/');
    QTemporaryDir work;
    AlbumSession session(program, work.path(), 1);
    session.album().reset(ModeKind::Wide16x9);
    ScriptedDialogService dialogs;
    std::printf("program folder %s, %d s per package\n", qPrintable(program), seconds);

    // Galleries: the picture effects and every text category ("all", the
    // listing the window opens with).
    PictureEffectWindow picture(session, dialogs);
    picture.show();
    runFor(300); // the sample picture is decoded
    if (!galleryFigures("picture effects", picture, [&] { picture.prepare(); })) {
        std::fprintf(stderr, "no picture effect packages under %s: build the resource tree or pass --program-folder\n",
                     qPrintable(program));
        return 1;
    }
    PlayFigures textPlay;
    {
        TextEffectWindow text(session, dialogs);
        text.show();
        runFor(300);
        galleryFigures("text effects, all categories", text, [&] { text.prepare(); });
        auto *names = text.findChild<QComboBox *>(QStringLiteral("ComboBox_texiao_name"));
        std::printf("text packages (the first of the listing):\n");
        const qint64 cpuBefore = processCpuMs();
        StallMeter stall;
        stall.start();
        playEach(text, std::min(6, names->count()), seconds, textPlay);
        stall.stop();
        stall.print("while text packages play");
        std::printf("  process processor time %lld ms for %zu packages\n",
                    static_cast<long long>(processCpuMs() - cpuBefore), textPlay.starts.size());
        text.hide();
    }

    // Each picture package: start latency and late frames while it plays.
    std::printf("picture packages:\n");
    PlayFigures picturePlay;
    const qint64 cpuBefore = processCpuMs();
    StallMeter stall;
    stall.start();
    playEach(picture, 1000, seconds, picturePlay);
    stall.stop();
    stall.print("while picture packages play");
    std::printf("  process processor time %lld ms for %zu packages\n",
                static_cast<long long>(processCpuMs() - cpuBefore), picturePlay.starts.size());

    printPlayFigures("picture effects", picturePlay);
    printPlayFigures("text effects", textPlay);
    return 0;
}
