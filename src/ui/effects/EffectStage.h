#pragma once
// The preview area of the effect windows (ScrollBox_texiao_xianshi): the
// fixed sample picture as backdrop, the package animation on show, and the
// overlays of a running row preview, drawn at their own size (never scaled),
// the one created last on top. A new animation frame repaints only the area
// the previous and the new frame cover; the backdrop is scaled once, when it
// is set, never while painting.
//
// User-interface thread only.
#include <QFuture>
#include <QImage>
#include <QPoint>
#include <QPointer>
#include <QWidget>
#include <vector>

#include "app/Paths.h"
#include "effects/EffectRun.h"

namespace lumora::ui {

class EffectAnimation;

class EffectStage : public QWidget {
    Q_OBJECT
public:
    EffectStage(QSize size, QWidget *parent = nullptr);

    void setBackdrop(const QImage &picture);
    // The package animation shown at `position` (top-left, stage pixels).
    void showAnimation(EffectAnimation *animation, QPoint position = {});
    void hideAnimation();
    void setOverlays(const std::vector<EffectOverlay> &overlays);
    void clearOverlays();

    // The sample picture behind every effect: the first landscape sample
    // photo of the program folder, decoded and cut to fill `size`; a calm
    // gradient when there is none. Runs on a worker thread.
    static QFuture<QImage> loadSampleBackdrop(const Paths &paths, QSize size);

protected:
    void paintEvent(QPaintEvent *) override;
    void resizeEvent(QResizeEvent *) override;

private:
    void animationFrameChanged(QRect dirty);

    void scaleBackdrop();

    QImage m_picture; // as given
    QImage m_backdrop; // m_picture at the stage's size
    QPointer<EffectAnimation> m_animation;
    QPoint m_animationAt;
    std::vector<EffectOverlay> m_overlays;
};

} // namespace lumora::ui
