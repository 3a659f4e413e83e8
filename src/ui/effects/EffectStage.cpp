#include "EffectStage.h"

#include <QDir>
#include <QLinearGradient>
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
    m_backdrop = picture;
    update();
}

void EffectStage::showAnimation(EffectAnimation *animation, QPoint position)
{
    if (m_animation != animation) {
        if (m_animation)
            disconnect(m_animation, nullptr, this, nullptr);
        m_animation = animation;
        if (animation)
            connect(animation, &EffectAnimation::frameChanged, this, qOverload<>(&QWidget::update));
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

void EffectStage::paintEvent(QPaintEvent *)
{
    QPainter p(this);
    if (m_backdrop.isNull())
        p.fillRect(rect(), QColor(40, 40, 48));
    else
        p.drawImage(rect(), m_backdrop);
    if (m_animation && !m_animation->frame().isNull())
        p.drawImage(m_animationAt, m_animation->frame());
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
