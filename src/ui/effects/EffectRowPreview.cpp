#include "EffectRowPreview.h"

#include <QtConcurrent/QtConcurrentRun>

#include "app/Album.h"
#include "app/FlagWords.h"
#include "effects/EffectColumns.h"

namespace lumora::ui {

EffectRowPreview::EffectRowPreview(QObject *parent) : QObject(parent)
{
    m_clockTimer.setInterval(1000);
    m_stepTimer.setInterval(kStepMs);
    m_stepTimer.setTimerType(Qt::PreciseTimer);
    connect(&m_clockTimer, &QTimer::timeout, this, &EffectRowPreview::tickClock);
    connect(&m_stepTimer, &QTimer::timeout, this, &EffectRowPreview::tickStep);
    connect(&m_watcher, &QFutureWatcher<std::vector<EffectOverlay>>::finished, this, &EffectRowPreview::stepDone);
}

EffectRowPreview::~EffectRowPreview()
{
    stop();
    m_watcher.waitForFinished();
}

void EffectRowPreview::start(Album &album, EffectKind kind, int onlyRow, QSize target)
{
    stop();
    m_album = &album;
    m_kind = kind;
    m_onlyRow = onlyRow;
    m_run = std::make_shared<EffectRun>(EffectRun::forAlbum(album, kind, RunVariant::WindowPreview, target, onlyRow));
    const RowTable &working = kind == EffectKind::Picture ? album.huamian_ListView_Image : album.wenzi_ListView_Image;
    m_frames.clear();
    m_maximum = 0;
    for (int i = 0; i < working.size(); ++i) {
        const int f = working[i].caption().toInt();
        m_frames.push_back(onlyRow < 0 || onlyRow == i ? f : 0);
        m_maximum += m_frames.back();
    }
    m_value = 0;
    m_steps = 0;
    m_clock = {};
    Q_EMIT clockChanged(m_clock.text());
    Q_EMIT progressChanged(0, m_maximum);
    m_clockTimer.start();
    m_stepTimer.start();
    tickStep(); // a row starting at 00:00:00 starts on the first step
}

void EffectRowPreview::stop()
{
    m_clockTimer.stop();
    m_stepTimer.stop();
    if (!m_album)
        return;
    // A step still on the worker finishes there; its result is dropped.
    m_stepping = false;
    resetTableStates();
    m_run.reset();
    m_album = nullptr;
    m_clock = {};
    m_value = 0;
    Q_EMIT clockChanged(m_clock.text());
    Q_EMIT progressChanged(0, m_maximum);
    Q_EMIT stepped({});
}

void EffectRowPreview::resetTableStates()
{
    RowTable &working = m_kind == EffectKind::Picture ? m_album->huamian_ListView_Image : m_album->wenzi_ListView_Image;
    const int overlayCol = m_kind == EffectKind::Picture ? effcol::kPicOverlay : effcol::kTextOverlay;
    for (Row &r : working) {
        r.setSubItem(effcol::kState, flag::kEffectIdle);
        r.setSubItem(overlayCol, flag::kNone);
    }
}

void EffectRowPreview::tickClock()
{
    m_clock.tick();
    Q_EMIT clockChanged(m_clock.text());
}

void EffectRowPreview::tickStep()
{
    if (!m_run || m_stepping)
        return; // the previous step is still being composed: this tick is skipped
    m_stepping = true;
    std::shared_ptr<EffectRun> run = m_run;
    const QString clock = m_clock.text();
    m_watcher.setFuture(QtConcurrent::run([run, clock] { return run->step(clock); }));
}

void EffectRowPreview::stepDone()
{
    if (!m_stepping || !m_run || m_watcher.future().isCanceled())
        return;
    m_stepping = false;
    const std::vector<EffectOverlay> overlays = m_watcher.result();
    ++m_steps;
    RowTable &working = m_kind == EffectKind::Picture ? m_album->huamian_ListView_Image : m_album->wenzi_ListView_Image;
    m_run->writeStates(working);
    int value = 0;
    for (int i = 0; i < m_run->rowCount() && i < int(m_frames.size()); ++i)
        value += m_run->state(i) == flag::kEffectFinished ? m_frames[size_t(i)]
                                                          : std::min(m_run->frameCounter(i), m_frames[size_t(i)]);
    m_value = value;
    Q_EMIT progressChanged(m_value, m_maximum);
    Q_EMIT stepped(overlays);
    const int finishedRows = m_run->finishedCount();
    const bool done = m_onlyRow >= 0 ? finishedRows >= 1 : finishedRows >= m_run->rowCount();
    if (done) {
        stop();
        Q_EMIT finished();
    }
}

} // namespace lumora::ui
