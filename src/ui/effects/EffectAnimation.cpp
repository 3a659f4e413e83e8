#include "EffectAnimation.h"

#include <QFileInfo>
#include <QMutex>
#include <QtConcurrent/QtConcurrentRun>
#include <atomic>
#include <vector>

#include "app/Error.h"
#include "image/ImageIO.h"

namespace lumora::ui {

namespace {
// While frame 1 is being decoded the timer looks often, so the animation
// starts as soon as the frame is there.
constexpr int kWaitingPollMs = 4;
} // namespace

// The frames of one package, filled by the worker, read by the user-interface thread.
struct EffectAnimation::Job {
    explicit Job(int n) : images(size_t(n)), done(size_t(n), false) { }
    mutable QMutex mutex;
    std::vector<QImage> images; // null: missing or damaged
    std::vector<bool> done;
    int decoded = 0;
    std::atomic<bool> cancel{false};
};

EffectAnimation::EffectAnimation(QObject *parent) : QObject(parent)
{
    m_pool.setMaxThreadCount(1);
    m_timer.setTimerType(Qt::PreciseTimer);
    connect(&m_timer, &QTimer::timeout, this, &EffectAnimation::tick);
}

EffectAnimation::~EffectAnimation()
{
    stop();
    m_pool.waitForDone();
}

void EffectAnimation::play(const QStringList &framePaths)
{
    stop();
    if (framePaths.isEmpty())
        return;
    m_paths = framePaths;
    m_figures = {};
    m_sincePlay.start();
    auto job = std::make_shared<Job>(int(framePaths.size()));
    m_job = job;
    (void)QtConcurrent::run(&m_pool, [job, framePaths] {
        for (int k = 0; k < framePaths.size() && !job->cancel.load(); ++k) {
            QImage img;
            if (QFileInfo(framePaths[k]).isFile()) {
                try {
                    img = decodePng(framePaths[k]);
                } catch (const Error &) {
                    // A damaged frame shows as the previous one.
                }
            }
            QMutexLocker lock(&job->mutex);
            job->images[size_t(k)] = std::move(img);
            job->done[size_t(k)] = true;
            ++job->decoded;
        }
    });
    m_timer.start(kWaitingPollMs);
}

void EffectAnimation::stop()
{
    m_timer.stop();
    if (m_job)
        m_job->cancel = true;
    m_job.reset();
    m_paths.clear();
    m_current = QImage();
    m_currentNumber = 0;
    m_lastDue = -1;
    m_clock.invalidate();
}

int EffectAnimation::decodedCount() const
{
    if (!m_job)
        return 0;
    QMutexLocker lock(&m_job->mutex);
    return m_job->decoded;
}

void EffectAnimation::tick()
{
    if (!m_job)
        return;
    const int count = int(m_paths.size());
    QMutexLocker lock(&m_job->mutex);
    if (!m_clock.isValid()) {
        if (!m_job->done[0])
            return;
        // Frame 1 is there: the animation's clock starts now.
        m_clock.start();
        m_figures.firstFrameMs = m_sincePlay.elapsed();
        m_timer.start(kFrameMs);
    }
    const long long due = m_clock.elapsed() / kFrameMs;
    if (due == m_lastDue)
        return;
    // Frames whose tick never came are late (the clock skips past them).
    if (m_lastDue >= 0 && due > m_lastDue + 1)
        m_figures.late += int(due - m_lastDue - 1);
    m_figures.due += int(due - m_lastDue);
    m_lastDue = due;
    const int index = int(due % count);
    if (!m_job->done[size_t(index)]) {
        ++m_figures.late;
        return;
    }
    if (!m_job->images[size_t(index)].isNull())
        m_current = m_job->images[size_t(index)];
    m_currentNumber = index + 1;
    lock.unlock();
    Q_EMIT frameChanged();
}

} // namespace lumora::ui
