#pragma once
// Plays one effect package in a preview area: its preview frames 1 … F in a
// loop at 25 frames per second, so a person sees the effect move before
// adding it.
//
// Frames are decoded (libpng) on worker threads owned by the animation, in
// frame order, ahead of the clock, and kept while the package is shown;
// showing another package (or stop()) cancels the decoding and frees them.
// The worker also cuts each frame to the part that is not fully transparent,
// so the user-interface thread blends (and repaints) only what the effect
// covers. Playback starts the moment frame 1 is decoded (the worker tells
// the user-interface thread; nothing polls).
//
// The frame on show follows a steady clock: the tick timer is aimed at each
// frame's due time; a tick that comes late skips to the frame due, so the
// animation keeps its speed; a frame not decoded yet when it is due keeps the
// previous picture (both are counted as late frames). A missing or damaged
// frame file keeps the previous picture, as the album's own runs do; a fully
// transparent frame shows nothing.
//
// Lives on the user-interface thread; frameChanged() is emitted there.
#include <QElapsedTimer>
#include <QImage>
#include <QObject>
#include <QRect>
#include <QStringList>
#include <QThreadPool>
#include <QTimer>
#include <memory>

namespace lumora::ui {

class EffectAnimation : public QObject {
    Q_OBJECT
public:
    static constexpr int kFrameMs = 40; // 25 frames per second

    explicit EffectAnimation(QObject *parent = nullptr);
    ~EffectAnimation() override;

    // Starts showing a package whose frames are `framePaths` (frame 1 first).
    void play(const QStringList &framePaths);
    // Stops and frees the frames; frame() becomes null.
    void stop();

    bool active() const { return !m_paths.isEmpty(); }
    // The visible part of the frame on show (null when there is none) and
    // where it lies in the package's frame (pixels from its top-left).
    QImage frame() const { return m_current; }
    QPoint frameOffset() const { return m_currentOffset; }
    // frame() placed in the package's frame: the area it covers.
    QRect frameRect() const { return QRect(m_currentOffset, m_current.size()); }
    int frameNumber() const { return m_currentNumber; } // 1 … F of the frame on show, 0 before the first
    int frameCount() const { return int(m_paths.size()); }
    // Frames decoded so far of the package on show.
    int decodedCount() const;

    // Figures since the last play(), for benchmarks and tests.
    struct Figures {
        qint64 firstFrameMs = -1; // play() until frame 1 was on show
        int due = 0; // frames due since then
        int late = 0; // of them, not shown on their tick
        int notDecoded = 0; // of the late ones, not decoded yet when due
        qint64 worstTickDelayUs = 0; // longest a tick came after its frame's due time
        int decoded = 0; // frames decoded so far
        qint64 decodeCpuUs = 0; // processor time the decoders spent on them
    };
    Figures figures() const;

Q_SIGNALS:
    // The frame on show changed; `dirty` is the area (package frame pixels)
    // that the previous and the new frame cover together.
    void frameChanged(QRect dirty);

private:
    struct Job;
    void firstFrameReady(const std::shared_ptr<Job> &job);
    void tick();
    void scheduleNextTick();

    QThreadPool m_pool;
    QTimer m_timer;
    QElapsedTimer m_sincePlay;
    QElapsedTimer m_clock; // runs from frame 1
    QStringList m_paths;
    std::shared_ptr<Job> m_job;
    QImage m_current;
    QPoint m_currentOffset;
    int m_currentNumber = 0;
    long long m_lastDue = -1;
    Figures m_figures;
};

} // namespace lumora::ui
