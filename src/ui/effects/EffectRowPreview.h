#pragma once
// The effect windows' preview of their rows over time ("单个预览" /
// "全部预览"): the window's own clock (one tick per real second, hh:mm:ss)
// and the run step of the album (EffectRun) stepped 25 times per second.
// Each step runs on a worker thread (a run is driven by one thread at a time:
// a step starts only when the previous one has finished); its overlays come
// back to the user-interface thread, which mirrors the rows' run states into
// the album's working table.
//
// The preview ends by itself when the selected row (single) or every row
// (all) has finished. stop() may come while a step is running: that step's
// result is dropped, and every row goes back to "tingzhi" / "wu" at once.
//
// User-interface thread only. The album must not be changed while the
// preview runs (the windows disable their commands).
#include <QElapsedTimer>
#include <QFutureWatcher>
#include <QObject>
#include <QTimer>
#include <memory>
#include <vector>

#include "effects/EffectRun.h"

namespace lumora {
struct Album;
}

namespace lumora::ui {

class EffectRowPreview : public QObject {
    Q_OBJECT
public:
    static constexpr int kStepMs = 40; // 25 steps per second

    explicit EffectRowPreview(QObject *parent = nullptr);
    ~EffectRowPreview() override;

    // onlyRow ≥ 0: single preview of that row; -1: every row.
    void start(Album &album, EffectKind kind, int onlyRow, QSize target);
    void stop();
    bool running() const { return m_album != nullptr; }

    QString clockText() const { return m_clock.text(); }
    int progressMaximum() const { return m_maximum; }
    int progressValue() const { return m_value; }
    int steps() const { return m_steps; }

Q_SIGNALS:
    void stepped(const std::vector<EffectOverlay> &overlays);
    void clockChanged(const QString &text);
    void progressChanged(int value, int maximum);
    // The preview ended by itself (not emitted by stop()).
    void finished();

private:
    void tickClock();
    void tickStep();
    void stepDone();
    void resetTableStates();

    Album *m_album = nullptr;
    EffectKind m_kind = EffectKind::Picture;
    int m_onlyRow = -1;
    std::shared_ptr<EffectRun> m_run;
    QTimer m_clockTimer; // Timer_shijian
    QTimer m_stepTimer; // Timer1
    PreviewClock m_clock;
    QFutureWatcher<std::vector<EffectOverlay>> m_watcher;
    bool m_stepping = false;
    int m_maximum = 0;
    int m_value = 0;
    int m_steps = 0;
    std::vector<int> m_frames; // F of each row taking part
};

} // namespace lumora::ui
