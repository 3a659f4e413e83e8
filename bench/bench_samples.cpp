// Times the sample author's jobs on two threads, as lumora-studio runs them.
//   bench_samples [OUTPUT_FOLDER]   (default: a temporary folder, removed after)
#include <QElapsedTimer>
#include <QGuiApplication>
#include <QTemporaryDir>
#include <atomic>
#include <cstdio>
#include <mutex>
#include <thread>

#include "StudioJob.h"
#include "samples/SampleSong.h"

using namespace lumora;
using namespace lumora::studio;

int main(int argc, char **argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    QTemporaryDir tmp;
    const QString out = argc > 1 ? QString::fromLocal8Bit(argv[1]) : tmp.path();
    std::vector<StudioJob> jobs = sampleJobs(StudioContext{Paths(out), true});

    QElapsedTimer total;
    total.start();
    std::atomic<std::size_t> next{0};
    std::mutex print;
    auto worker = [&] {
        for (std::size_t i; (i = next++) < jobs.size();) {
            QElapsedTimer t;
            t.start();
            jobs[i].run();
            std::lock_guard lock(print);
            std::printf("  %-40s %7.0f ms\n", qPrintable(jobs[i].name), t.nsecsElapsed() / 1e6);
        }
    };
    std::thread a(worker), b(worker);
    a.join();
    b.join();
    std::printf("sample content: %zu jobs in %.2f s on 2 threads (target < 30 s); song %.1f s\n", jobs.size(),
                total.nsecsElapsed() / 1e9, sampleSongSeconds());
    return 0;
}
