#pragma once
// Plays one effect package in a preview area: its preview frames 1 … F in a
// loop at 25 frames per second, so a person sees the effect move before
// adding it.
//
// Frames are decoded (libpng) on a worker thread owned by the animation, in
// frame order, and kept while the package is shown; showing another package
// (or stop()) cancels the decoding and frees them. Playback starts with
// frame 1 as soon as it is decoded. The frame on show follows a steady clock:
// a tick that comes late skips to the frame due, so the animation keeps its
// speed; a frame not decoded yet when it is due keeps the previous picture
// (both are counted as late frames). A missing or damaged frame file keeps
// the previous picture, as the album's own runs do.
//
// Lives on the user-interface thread; frameChanged() is emitted there.
#include <QElapsedTimer>
#include <QImage>
#include <QObject>
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
    QImage frame() const { return m_current; }
    int frameNumber() const { return m_currentNumber; } // 1 … F of the frame on show, 0 before the first
    int frameCount() const { return int(m_paths.size()); }
    // Frames decoded so far of the package on show.
    int decodedCount() const;

    // Figures since the last play(), for benchmarks and tests.
    struct Figures {
        qint64 firstFrameMs = -1; // play() until frame 1 was on show
        int due = 0; // frames due since then
        int late = 0; // of them, not shown on their tick
    };
    Figures figures() const { return m_figures; }

Q_SIGNALS:
    void frameChanged();

private:
    struct Job;
    void tick();

    QThreadPool m_pool;
    QTimer m_timer;
    QElapsedTimer m_sincePlay;
    QElapsedTimer m_clock; // runs from frame 1
    QStringList m_paths;
    std::shared_ptr<Job> m_job;
    QImage m_current;
    int m_currentNumber = 0;
    long long m_lastDue = -1;
    Figures m_figures;
};

} // namespace lumora::ui
