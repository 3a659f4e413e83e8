#include "EffectAnimation.h"

#include <QFileInfo>
#include <QMutex>
#include <QtConcurrent/QtConcurrentRun>
#include <atomic>
#include <ctime>
#include <vector>

#include "app/Error.h"
#include "image/ImageIO.h"

namespace lumora::ui {

namespace {

constexpr int kDecoders = 2;
constexpr qint64 kFrameNs = qint64(EffectAnimation::kFrameMs) * 1000 * 1000;

qint64 threadCpuUs()
{
    timespec ts{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &ts);
    return qint64(ts.tv_sec) * 1000000 + ts.tv_nsec / 1000;
}

// The smallest rectangle holding every pixel that is not fully transparent
// (empty when the whole frame is). Premultiplied ARGB32: alpha is the top byte.
QRect visibleRect(const QImage &img)
{
    const int w = img.width(), h = img.height();
    auto rowAlpha = [&](int y) {
        const auto *line = reinterpret_cast<const quint32 *>(img.constScanLine(y));
        for (int x = 0; x < w; ++x)
            if (line[x] >> 24)
                return true;
        return false;
    };
    int top = 0;
    while (top < h && !rowAlpha(top))
        ++top;
    if (top == h)
        return {};
    int bottom = h - 1;
    while (bottom > top && !rowAlpha(bottom))
        --bottom;
    int left = w, right = -1;
    for (int y = top; y <= bottom; ++y) {
        const auto *line = reinterpret_cast<const quint32 *>(img.constScanLine(y));
        for (int x = 0; x < left; ++x)
            if (line[x] >> 24) {
                left = x;
                break;
            }
        for (int x = w - 1; x > right; --x)
            if (line[x] >> 24) {
                right = x;
                break;
            }
    }
    return QRect(QPoint(left, top), QPoint(right, bottom));
}

struct DecodedFrame {
    bool done = false;
    bool ok = false; // false: missing or damaged
    QImage image; // the visible part; null when the frame is fully transparent
    QPoint offset;
};

DecodedFrame decodeFrame(const QString &path)
{
    DecodedFrame f;
    f.done = true;
    if (!QFileInfo(path).isFile())
        return f;
    try {
        const QImage img = decodePng(path);
        const QRect r = visibleRect(img);
        f.ok = true;
        f.offset = r.topLeft();
        if (r == img.rect())
            f.image = img;
        else if (!r.isEmpty())
            f.image = img.copy(r);
    } catch (const Error &) {
        // A damaged frame shows as the previous one.
    }
    return f;
}

} // namespace

// The frames of one package, filled by the worker, read by the user-interface thread.
struct EffectAnimation::Job {
    using Frame = DecodedFrame;
    explicit Job(int n) : frames(size_t(n)) { }
    mutable QMutex mutex;
    std::vector<Frame> frames;
    int decoded = 0;
    qint64 decodeCpuUs = 0;
    std::atomic<int> next{0}; // the next frame index a decoder takes
    std::atomic<bool> cancel{false};
};

EffectAnimation::EffectAnimation(QObject *parent) : QObject(parent)
{
    // Two decoders keep well ahead of the clock even when the machine is
    // busy; more would only take the processor from the user-interface thread.
    // One thread more lets a new package start while the cancelled decoders
    // of the previous one finish their frame.
    m_pool.setMaxThreadCount(kDecoders + 1);
    m_timer.setTimerType(Qt::PreciseTimer);
    m_timer.setSingleShot(true);
    connect(&m_timer, &QTimer::timeout, this, &EffectAnimation::tick);
}

EffectAnimation::~EffectAnimation()
{
    stop();
    // The worker may still post its "frame 1 ready" call while it finishes
    // its frame; the object is alive until the pool is done, and Qt drops
    // the call with the object.
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
    // Each decoder takes the next frame not taken yet, so frames come in
    // about frame order however many decoders run.
    for (int d = 0; d < kDecoders; ++d)
        (void)QtConcurrent::run(&m_pool, [this, job, framePaths] {
            for (int k = job->next++; k < framePaths.size() && !job->cancel.load(); k = job->next++) {
                const qint64 cpuBefore = threadCpuUs();
                Job::Frame f = decodeFrame(framePaths[k]);
                {
                    QMutexLocker lock(&job->mutex);
                    job->frames[size_t(k)] = std::move(f);
                    ++job->decoded;
                    job->decodeCpuUs += threadCpuUs() - cpuBefore;
                }
                if (k == 0)
                    QMetaObject::invokeMethod(
                        this, [this, job] { firstFrameReady(job); }, Qt::QueuedConnection);
            }
        });
}

void EffectAnimation::stop()
{
    m_timer.stop();
    if (m_job) {
        m_job->cancel = true;
        // A package's frames can be a hundred megabytes: they are freed on a
        // thread of the global pool, neither on the user-interface thread nor
        // in front of the next package's decoders.
        (void)QtConcurrent::run([old = std::move(m_job)]() mutable { old.reset(); });
    }
    m_paths.clear();
    m_current = QImage();
    m_currentOffset = {};
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

EffectAnimation::Figures EffectAnimation::figures() const
{
    Figures f = m_figures;
    if (m_job) {
        QMutexLocker lock(&m_job->mutex);
        f.decoded = m_job->decoded;
        f.decodeCpuUs = m_job->decodeCpuUs;
    }
    return f;
}

void EffectAnimation::firstFrameReady(const std::shared_ptr<Job> &job)
{
    if (job != m_job || m_clock.isValid())
        return; // another package is on show by now
    // Frame 1 is there: the animation's clock starts now.
    m_clock.start();
    m_figures.firstFrameMs = m_sincePlay.elapsed();
    tick();
}

void EffectAnimation::scheduleNextTick()
{
    const qint64 untilNext = (m_lastDue + 1) * kFrameNs - m_clock.nsecsElapsed();
    // Whole milliseconds, rounded up: a tick a little after the due time is on time.
    m_timer.start(int(std::max<qint64>(0, (untilNext + 999999) / 1000000)));
}

void EffectAnimation::tick()
{
    if (!m_job || !m_clock.isValid())
        return;
    const int count = int(m_paths.size());
    const qint64 now = m_clock.nsecsElapsed();
    const long long due = now / kFrameNs;
    if (due == m_lastDue) {
        scheduleNextTick();
        return;
    }
    // Frames whose tick never came are late (the clock skips past them).
    if (m_lastDue >= 0 && due > m_lastDue + 1)
        m_figures.late += int(due - m_lastDue - 1);
    m_figures.due += int(due - m_lastDue);
    m_figures.worstTickDelayUs = std::max(m_figures.worstTickDelayUs, (now - due * kFrameNs) / 1000);
    m_lastDue = due;
    scheduleNextTick();

    const int index = int(due % count);
    QMutexLocker lock(&m_job->mutex);
    const Job::Frame &f = m_job->frames[size_t(index)];
    if (!f.done) {
        ++m_figures.late;
        ++m_figures.notDecoded;
        return;
    }
    const QRect before = frameRect();
    if (f.ok) {
        m_current = f.image;
        m_currentOffset = f.offset;
    }
    m_currentNumber = index + 1;
    lock.unlock();
    Q_EMIT frameChanged(before.united(frameRect()));
}

} // namespace lumora::ui
