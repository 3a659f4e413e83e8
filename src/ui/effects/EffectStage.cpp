#include "EffectStage.h"

#include <QDir>
#include <QLinearGradient>
#include <QPaintEvent>
#include <QPainter>
#include <QtConcurrent/QtConcurrentRun>

#include "EffectAnimation.h"
#include "app/Error.h"
#include "image/ImageIO.h"

namespace lumora::ui {

EffectStage::EffectStage(QSize size, QWidget *parent) : QWidget(parent)
{
    setFixedSize(size);
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void EffectStage::setBackdrop(const QImage &picture)
{
    m_picture = picture;
    scaleBackdrop();
    update();
}

void EffectStage::scaleBackdrop()
{
    m_backdrop = m_picture.isNull() || m_picture.size() == size()
        ? m_picture
        : m_picture.scaled(size(), Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
}

void EffectStage::resizeEvent(QResizeEvent *)
{
    scaleBackdrop();
}

void EffectStage::showAnimation(EffectAnimation *animation, QPoint position)
{
    if (m_animation != animation) {
        if (m_animation)
            disconnect(m_animation, nullptr, this, nullptr);
        m_animation = animation;
        if (animation)
            connect(animation, &EffectAnimation::frameChanged, this, &EffectStage::animationFrameChanged);
    }
    m_animationAt = position;
    update();
}

void EffectStage::hideAnimation()
{
    if (m_animation)
        disconnect(m_animation, nullptr, this, nullptr);
    m_animation = nullptr;
    update();
}

void EffectStage::animationFrameChanged(QRect dirty)
{
    if (!dirty.isEmpty())
        update(dirty.translated(m_animationAt));
}

void EffectStage::setOverlays(const std::vector<EffectOverlay> &overlays)
{
    m_overlays = overlays;
    update();
}

void EffectStage::clearOverlays()
{
    m_overlays.clear();
    update();
}

void EffectStage::paintEvent(QPaintEvent *event)
{
    QPainter p(this);
    const QRect area = event->rect();
    if (m_backdrop.size() != size())
        p.fillRect(area, QColor(40, 40, 48));
    else
        p.drawImage(area.topLeft(), m_backdrop, area);
    if (m_animation && !m_animation->frame().isNull()) {
        // Only the part of the frame inside the area being repainted.
        const QRect frame = m_animation->frameRect().translated(m_animationAt);
        const QRect part = frame.intersected(area);
        if (!part.isEmpty())
            p.drawImage(part.topLeft(), m_animation->frame(), part.translated(-frame.topLeft()));
    }
    for (const EffectOverlay &o : m_overlays)
        p.drawImage(o.position, o.image);
}

QFuture<QImage> EffectStage::loadSampleBackdrop(const Paths &paths, QSize size)
{
    const QString folder = paths.samplePhotoFolder();
    return QtConcurrent::run([folder, size] {
        const QStringList names
            = QDir(folder).entryList({QStringLiteral("*.jpg"), QStringLiteral("*.jpeg")}, QDir::Files, QDir::Name);
        for (const QString &n : names) {
            try {
                const QString path = folder + n;
                const JpegInfo info = readJpegInfo(path);
                const QSize shown = info.displayed();
                if (shown.width() < shown.height())
                    continue;
                QImage img = applyOrientation(decodeJpeg(path, size), info.orientation);
                img = img.scaled(size, Qt::KeepAspectRatioByExpanding, Qt::SmoothTransformation);
                return img.copy(
                    QRect(QPoint((img.width() - size.width()) / 2, (img.height() - size.height()) / 2), size));
            } catch (const Error &) {
                // Try the next sample.
            }
        }
        QImage img(size, QImage::Format_RGB32);
        QPainter p(&img);
        QLinearGradient g(0, 0, size.width(), size.height());
        g.setColorAt(0, QColor(70, 96, 130));
        g.setColorAt(1, QColor(170, 140, 110));
        p.fillRect(img.rect(), g);
        return img;
    });
}

} // namespace lumora::ui
