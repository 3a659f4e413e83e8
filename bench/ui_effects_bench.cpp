// Figures of the effect windows over the authored resource tree (16:9):
//  - start: selecting a package until its frame 1 is on show (target ≤ 150 ms);
//  - smoothness: frames due while a package plays and how many were late
//    (target ≤ 1 % at 25 frames per second, 800 × 450);
//  - gallery: a category's thumbnails from listing to the last one, and the
//    longest the user-interface thread was kept from its events meanwhile
//    (targets ≤ 1 s and ≤ 50 ms).
//
//   bench_ui_effects [program folder] [seconds of playback per package]
#include <QApplication>
#include <QComboBox>
#include <QElapsedTimer>
#include <QTemporaryDir>
#include <QTimer>
#include <algorithm>
#include <cstdio>
#include <vector>

#include "app/DialogService.h"
#include "app/Style.h"
#include "session/AlbumSession.h"
#include "ui/effects/EffectAnimation.h"
#include "ui/effects/EffectGallery.h"
#include "ui/effects/PictureEffectWindow.h"
#include "ui/effects/TextEffectWindow.h"

using namespace lumora;
using namespace lumora::ui;

namespace {

// Records the longest gap between 2 ms ticks of the user-interface thread.
struct StallMeter {
    StallMeter()
    {
        timer.setInterval(2);
        QObject::connect(&timer, &QTimer::timeout, [this] {
            if (clock.isValid())
                longest = std::max(longest, clock.restart());
            else
                clock.start();
        });
    }
    void start()
    {
        longest = 0;
        clock.invalidate();
        timer.start();
    }
    qint64 stop()
    {
        timer.stop();
        return longest;
    }
    QTimer timer;
    QElapsedTimer clock;
    qint64 longest = 0;
};

void runFor(int ms)
{
    QElapsedTimer t;
    t.start();
    while (t.elapsed() < ms)
        QApplication::processEvents(QEventLoop::AllEvents, 5);
}

bool runUntil(const std::function<bool()> &done, int timeoutMs)
{
    QElapsedTimer t;
    t.start();
    while (!done() && t.elapsed() < timeoutMs)
        QApplication::processEvents(QEventLoop::AllEvents, 2);
    return done();
}

void galleryFigures(const char *what, EffectTimelineWindow &w, const std::function<void()> &list)
{
    StallMeter stall;
    QElapsedTimer t;
    stall.start();
    t.start();
    list();
    const qint64 listed = t.elapsed();
    runUntil([&] { return w.gallery()->pendingThumbnails() == 0; }, 20000);
    const qint64 filled = t.elapsed();
    const qint64 longest = stall.stop();
    std::printf("gallery %-28s %3d packages: listed in %4lld ms, thumbnails in %5lld ms, longest UI stall %3lld ms\n",
                what, w.gallery()->count(), static_cast<long long>(listed), static_cast<long long>(filled),
                static_cast<long long>(std::max(longest, listed)));
}

} // namespace

int main(int argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    applyProgramStyle(app);
    const QString program = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QStringLiteral(LUMORA_BENCH_PROGRAM_DIR);
    const int seconds = argc > 2 ? std::max(1, atoi(argv[2])) : 4;
    QTemporaryDir work;
    AlbumSession session(program, work.path(), 1);
    session.album().reset(ModeKind::Wide16x9);
    ScriptedDialogService dialogs;

    // Gallery of the picture effects, then of every text category ("all").
    PictureEffectWindow picture(session, dialogs);
    picture.show();
    runFor(300); // the sample picture is decoded
    galleryFigures("picture effects", picture, [&] { picture.prepare(); });
    {
        TextEffectWindow text(session, dialogs);
        text.show();
        runFor(300);
        galleryFigures("text effects, all categories", text, [&] { text.prepare(); });
        text.hide();
    }

    // Each picture package: start latency and late frames while it plays.
    auto *names = picture.findChild<QComboBox *>(QStringLiteral("ComboBox_texiao_name"));
    std::vector<qint64> starts;
    int due = 0, late = 0;
    StallMeter stall;
    stall.start();
    for (int i = 0; i < names->count(); ++i) {
        names->setCurrentIndex(i);
        if (!runUntil([&] { return picture.animation()->figures().firstFrameMs >= 0; }, 5000)) {
            std::printf("package %d: no frame within 5 s\n", i + 1);
            continue;
        }
        runFor(seconds * 1000);
        const EffectAnimation::Figures f = picture.animation()->figures();
        starts.push_back(f.firstFrameMs);
        due += f.due;
        late += f.late;
        std::printf("package %2d %-12s start %3lld ms, %4d frames due, %3d late\n", i + 1,
                    qPrintable(names->itemText(i)), static_cast<long long>(f.firstFrameMs), f.due, f.late);
    }
    const qint64 longest = stall.stop();
    if (!starts.empty()) {
        std::sort(starts.begin(), starts.end());
        std::printf("start: median %lld ms, worst %lld ms (target 150); late frames %d of %d = %.2f %% (target 1 %%); "
                    "longest UI stall while playing %lld ms\n",
                    static_cast<long long>(starts[starts.size() / 2]), static_cast<long long>(starts.back()), late, due,
                    due ? 100.0 * late / due : 0.0, static_cast<long long>(longest));
    }
    return 0;
}
