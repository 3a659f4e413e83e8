// Figures of the album editing windows and the project file:
//   save / open of an album of 500 photos (median of 5 runs, milliseconds);
//   template management with 200 photos: time until the photo panel is
//   complete and until every thumbnail is shown, then a person's session
//   (select a used template, use a catalogue template, drop a photo on a
//   frame, delete a template, close and open again). A watchdog (a 1 ms
//   timer) measures how long the user-interface thread was held and names
//   every stall over the target with the step it happened in.
#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QImage>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTimer>
#include <QTreeWidget>
#include <algorithm>
#include <cstdio>
#include <cstring>
#include <ctime>
#include <functional>
#include <memory>
#include <vector>

#include "album/AlbumTables.h"
#include "album/PhotoTable.h"
#include "app/Error.h"
#include "app/Heap.h"
#include "image/ImageIO.h"
#include "session/AlbumSession.h"
#include "session/ProjectFile.h"
#include "ui/album/TemplateManagerWindow.h"
#include "ui/album/ThumbnailCache.h"
#include "ui/app/DialogService.h"
#include "ui/app/Style.h"

using namespace lumora;

namespace {

constexpr double kStallTargetMs = 50;
constexpr double kPanelTargetMs = 1000;
constexpr double kProjectTargetMs = 200;

const char *const kUsage = "Usage: bench_edit [--program FOLDER] [--photos N] [--panel-photos N]\n"
                           "  --program FOLDER   program folder holding the resource tree (default: the build's bin/)\n"
                           "  --photos N         photos of the album saved and opened (default 500)\n"
                           "  --panel-photos N   photos in template management (default 200)\n";

struct Options {
    QString program;
    int photos = 500;
    int panelPhotos = 200;
};

// Parses the command line; exits with the usage on --help (0) and on a bad argument (2).
Options parseOptions(int argc, char **argv)
{
    Options o;
#ifdef LUMORA_BENCH_PROGRAM_DIR
    o.program = QStringLiteral(LUMORA_BENCH_PROGRAM_DIR);
#else
    o.program = QCoreApplication::applicationDirPath() + QStringLiteral("/../bin/");
#endif
    auto fail = [](const char *what, const char *arg) {
        std::fprintf(stderr, "bench_edit: %s: %s\n%s", what, arg, kUsage);
        std::exit(2);
    };
    auto number = [&](int &i) {
        if (i + 1 >= argc)
            fail("missing value after", argv[i]);
        char *end = nullptr;
        const long v = std::strtol(argv[i + 1], &end, 10);
        if (*end != '\0' || v < 1 || v > 100000)
            fail("not a count between 1 and 100000", argv[i + 1]);
        ++i;
        return int(v);
    };
    for (int i = 1; i < argc; ++i) {
        const char *a = argv[i];
        if (!std::strcmp(a, "--help") || !std::strcmp(a, "-h")) {
            std::fputs(kUsage, stdout);
            std::exit(0);
        } else if (!std::strcmp(a, "--program")) {
            if (i + 1 >= argc)
                fail("missing value after", a);
            o.program = QString::fromLocal8Bit(argv[++i]) + QStringLiteral("/");
        } else if (!std::strcmp(a, "--photos")) {
            o.photos = number(i);
        } else if (!std::strcmp(a, "--panel-photos")) {
            o.panelPhotos = number(i);
        } else {
            fail("unknown argument", a);
        }
    }
    if (!QDir(o.program + QStringLiteral("smxcwjj")).exists()) {
        std::fprintf(stderr, "bench_edit: no resource tree (smxcwjj) in %s\n%s", qPrintable(o.program), kUsage);
        std::exit(2);
    }
    return o;
}

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

const char *verdict(double value, double target)
{
    return value <= target ? "ok" : "MISSED";
}

// CPU time of the calling thread: unlike the wall clock, it does not grow
// when other programs share the processors.
qint64 threadCpuNs()
{
    timespec ts{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &ts);
    return qint64(ts.tv_sec) * 1000000000 + ts.tv_nsec;
}

// The watchdog: a 1 ms timer whose gaps are the times the thread was held,
// in wall time and in the user-interface thread's own CPU time.
class Watchdog {
public:
    Watchdog()
    {
        m_probe.setInterval(1);
        m_probe.setTimerType(Qt::PreciseTimer);
        QObject::connect(&m_probe, &QTimer::timeout, [this] { tick(); });
    }
    void start()
    {
        m_clock.start();
        m_last = 0;
        m_lastCpu = threadCpuNs();
        m_probe.start();
    }
    void stop() { m_probe.stop(); }
    void setPhase(const char *phase) { m_phase = phase; }
    int ticks() const { return m_ticks; }
    double elapsedMs() const { return m_clock.nsecsElapsed() / 1e6; }
    double longestMs() const { return m_longest.ms; }
    double longestCpuMs() const { return m_longestCpu.cpuMs; }
    void printStalls() const
    {
        std::printf("  longest hold in wall time: %.1f ms (%.1f ms CPU) during: %s\n", m_longest.ms, m_longest.cpuMs,
                    m_longest.phase);
        std::printf("  longest hold in CPU time:  %.1f ms (%.1f ms wall) during: %s\n", m_longestCpu.cpuMs,
                    m_longestCpu.ms, m_longestCpu.phase);
        for (const auto &s : m_stalls)
            std::printf("  stall %.1f ms wall, %.1f ms CPU, at %.0f ms during: %s\n", s.ms, s.cpuMs, s.atMs, s.phase);
    }

private:
    void tick()
    {
        const qint64 now = m_clock.nsecsElapsed();
        const qint64 cpu = threadCpuNs();
        // The gap belongs to the step that ran in it: the phase now (a step
        // runs, and is followed by a tick, before the phase moves on).
        const Stall gap{(now - m_last) / 1e6, (cpu - m_lastCpu) / 1e6, m_last / 1e6, m_phase};
        if (gap.ms > m_longest.ms)
            m_longest = gap;
        if (gap.cpuMs > m_longestCpu.cpuMs)
            m_longestCpu = gap;
        if (gap.ms > kStallTargetMs)
            m_stalls.push_back(gap);
        m_last = now;
        m_lastCpu = cpu;
        ++m_ticks;
    }
    struct Stall {
        double ms = 0, cpuMs = 0, atMs = 0;
        const char *phase = "";
    };
    QTimer m_probe;
    QElapsedTimer m_clock;
    qint64 m_last = 0, m_lastCpu = 0;
    const char *m_phase = "";
    int m_ticks = 0;
    Stall m_longest, m_longestCpu;
    std::vector<Stall> m_stalls;
};

// Runs the event loop until `done` or `timeoutMs`.
bool spinUntil(QApplication &app, const std::function<bool()> &done, int timeoutMs)
{
    QElapsedTimer t;
    t.start();
    while (!done()) {
        if (t.elapsed() > timeoutMs)
            return false;
        app.processEvents(QEventLoop::AllEvents, 5);
    }
    return true;
}

// Runs one step of a person inside the event loop (as a click would), then
// lets the window settle for `settleMs`.
void personStep(QApplication &app, Watchdog &dog, const char *phase, const std::function<void()> &step,
                int settleMs = 100)
{
    dog.setPhase(phase);
    bool ran = false;
    QTimer::singleShot(0, [&] {
        step();
        ran = true;
    });
    spinUntil(
        app, [&] { return ran; }, 10000);
    // The tick after the step closes its gap under the step's phase.
    const int ticks = dog.ticks();
    spinUntil(
        app, [&] { return dog.ticks() > ticks; }, 10000);
    QElapsedTimer t;
    t.start();
    spinUntil(
        app, [&] { return t.elapsed() >= settleMs; }, settleMs + 1000);
}

// The load average, so that every figure is read with the load it was taken at.
void printLoad(const char *when)
{
    QFile f(QStringLiteral("/proc/loadavg"));
    if (f.open(QIODevice::ReadOnly))
        std::printf("load average %s: %s\n", when, f.readLine().trimmed().constData());
}

int run(QApplication &app, const Options &o)
{
    printLoad("at start");
    QTemporaryDir tmp;
    const QStringList photos = writePhotos(tmp.path(), std::max(o.photos, o.panelPhotos));

    AlbumSession session(o.program, tmp.path() + QStringLiteral("/work/"), 1);
    session.chooseMode(ModeKind::Wide16x9);
    session.addPhotos(photos.mid(0, o.photos));
    std::printf("album: %d photos, %d used templates, %d slot rows\n", session.album().ListView_daoru_zhaopian.size(),
                session.album().ListView_moban_shiyong.size(), session.album().ListView_moban_shiyong_canshu.size());

    const QString file = tmp.path() + QStringLiteral("/album.lumora");
    std::vector<double> saves, opens;
    AlbumSession other(o.program, tmp.path() + QStringLiteral("/work2/"), 2);
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
    AlbumSession fresh(o.program, tmp.path() + QStringLiteral("/work3/"), 3);
    openProject(fresh, file);
    const double cold = t.nsecsElapsed() / 1e6;
    std::printf("save %d photos: %.1f ms (median of 5), file %lld KB   [target <= %.0f ms: %s]\n", o.photos,
                median(saves), QFileInfo(file).size() / 1024, kProjectTargetMs,
                verdict(median(saves), kProjectTargetMs));
    std::printf("open %d photos: %.1f ms (median of 5, mode already chosen)   [target <= %.0f ms: %s]\n", o.photos,
                median(opens), kProjectTargetMs, verdict(median(opens), kProjectTargetMs));
    std::printf("open %d photos into a fresh session (catalogue built too): %.1f ms\n", o.photos, cold);

    // Template management with the panel's photos.
    AlbumSession two(o.program, tmp.path() + QStringLiteral("/work4/"), 4);
    two.chooseMode(ModeKind::Wide16x9);
    two.addPhotos(photos.mid(0, o.panelPhotos));
    ui::ScriptedDialogService dialogs;
    ui::ThumbnailCache thumbs;
    std::unique_ptr<ui::TemplateManagerWindow> window;

    // The program makes the window with the main window, before any window
    // shows (styled, laid out, its platform window made); the first opening,
    // as the main window's command does it, starts and shows it in one turn
    // of the event loop.
    QElapsedTimer made;
    made.start();
    window = std::make_unique<ui::TemplateManagerWindow>(two, dialogs, thumbs);
    window->resize(1000, 700);
    window->ensurePolished();
    window->winId();
    std::printf("template management made (at start-up, before any window shows): %.1f ms\n",
                made.nsecsElapsed() / 1e6);
    Watchdog dog;
    dog.start();
    personStep(
        app, dog, "opening (window started, shown)",
        [&] {
            window->start();
            window->show();
        },
        0);
    ui::TemplateManagerWindow &w = *window;
    dog.setPhase("filling the tables and the photo panel");
    double panel = -1, allThumbs = -1;
    spinUntil(
        app,
        [&] {
            if (panel < 0 && w.photosLoaded()) {
                panel = dog.elapsedMs();
                dog.setPhase("thumbnails arriving");
            }
            if (panel >= 0 && thumbs.pendingCount() == 0)
                allThumbs = dog.elapsedMs();
            return allThumbs >= 0;
        },
        30000);

    // A person uses the window.
    Album &a = two.album();
    auto *catalogue = w.findChild<QTreeWidget *>(QStringLiteral("ListView_moban"));
    const int usedRows = a.ListView_moban_shiyong.size();
    personStep(app, dog, "selecting a used template", [&] { w.selectUsedTemplate(usedRows / 2); });
    personStep(app, dog, "using a catalogue template", [&] {
        catalogue->setCurrentItem(catalogue->topLevelItem(catalogue->topLevelItemCount() / 2));
        w.useSelectedTemplate();
    });
    personStep(app, dog, "selecting the new used template", [&] { w.selectUsedTemplate(usedRows); });
    personStep(app, dog, "dropping a photo on a frame", [&] {
        const Row &slot = a.ListView_moban_shiyong_canshu[a.ListView_moban_shiyong_canshu.size() - 1];
        const bool wantLandscape = slot.cell(slotcol::kOrdinal).toInt()
            < a.ListView_moban_shiyong[usedRows].cell(usedcol::kLandscape).toInt();
        int photo = 0;
        while (photo + 1 < a.ListView_daoru_zhaopian.size()
               && isLandscapeRow(a.ListView_daoru_zhaopian[photo]) != wantLandscape)
            ++photo;
        w.beginPhotoDrag(photo);
        w.dropPhotoOnFrame(photo, slot.cell(slotcol::kOrdinal).toInt());
    });
    personStep(app, dog, "deleting a used template", [&] {
        w.selectUsedTemplate(1);
        dialogs.confirmAnswers = {true};
        w.deleteSelectedTemplate();
    });
    personStep(app, dog, "closing", [&] { w.close(); });
    double reopenPanel = -1;
    const double reopenStart = dog.elapsedMs();
    personStep(
        app, dog, "opening again",
        [&] {
            w.start();
            w.show();
        },
        0);
    dog.setPhase("filling again");
    spinUntil(
        app,
        [&] {
            if (w.photosLoaded())
                reopenPanel = dog.elapsedMs() - reopenStart;
            return reopenPanel >= 0;
        },
        30000);
    dog.stop();

    std::printf("template management, %d photos (%d used templates): photo panel complete in %.1f ms   "
                "[target <= %.0f ms: %s]\n",
                o.panelPhotos, usedRows, panel, kPanelTargetMs, verdict(panel, kPanelTargetMs));
    std::printf("  every thumbnail shown in %.1f ms; photo panel complete again (second opening) %.1f ms\n", allThumbs,
                reopenPanel + 0.0);
    std::printf("  longest user-interface stall %.1f ms wall   [target <= %.0f ms: %s]; longest in CPU time %.1f ms   "
                "[target <= %.0f ms: %s]\n",
                dog.longestMs(), kStallTargetMs, verdict(dog.longestMs(), kStallTargetMs), dog.longestCpuMs(),
                kStallTargetMs, verdict(dog.longestCpuMs(), kStallTargetMs));
    dog.printStalls();
    printLoad("at end");
    thumbs.waitForDone();
    return 0;
}

} // namespace

int main(int argc, char **argv)
{
    lumora::keepLargeBlocksInHeap(); // as the program does
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const Options o = parseOptions(argc, argv);
    // The program's own font and style sheet: they set what widgets cost to make and paint.
    ui::applyProgramStyle(app);
    try {
        return run(app, o);
    } catch (const Error &e) {
        std::fprintf(stderr, "bench_edit: %s\n", qPrintable(e.message()));
        return 1;
    }
}
