#include "IdlePicture.h"

#include <QCoreApplication>
#include <QHash>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>

#include "Style.h"

namespace lumora::ui {

QImage idlePicture(ModeKind mode, qreal devicePixelRatio)
{
    // Start-up, every mode change and every album reset show it: drawing it
    // takes several milliseconds, so each mode and ratio is drawn once.
    static QHash<QPair<int, qreal>, QImage> drawn;
    const auto key = qMakePair(int(mode), devicePixelRatio);
    auto it = drawn.constFind(key);
    if (it == drawn.constEnd())
        it = drawn.insert(key, idlePicture(mode, devicePixelRatio, AlbumMode::get(mode).preview));
    return *it;
}

QImage idlePicture(ModeKind mode, qreal devicePixelRatio, QSize size)
{
    QImage image(size * devicePixelRatio, QImage::Format_RGB32);
    image.setDevicePixelRatio(devicePixelRatio);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    // Laid out at the mode's preview size and scaled to the size asked for.
    const QSize preview = AlbumMode::get(mode).preview;
    p.scale(qreal(size.width()) / preview.width(), qreal(size.height()) / preview.height());
    const QRectF r(QPointF(0, 0), QSizeF(preview));

    // A dusk sky: deep blue into warm rose, a soft glow in the lower third.
    QLinearGradient sky(r.topLeft(), r.bottomLeft());
    sky.setColorAt(0.0, QColor(24, 32, 72));
    sky.setColorAt(0.6, QColor(120, 70, 120));
    sky.setColorAt(1.0, QColor(236, 150, 120));
    p.fillRect(r, sky);
    QRadialGradient glow(QPointF(r.width() / 2, r.height() * 0.78), std::max(r.width(), r.height()) * 0.6);
    glow.setColorAt(0.0, QColor(255, 220, 170, 150));
    glow.setColorAt(1.0, QColor(255, 220, 170, 0));
    p.fillRect(r, glow);

    // Three photo frames fanned out, the product's mark.
    const qreal unit = std::min(r.width(), r.height()) / 6.0;
    const QPointF centre(r.width() / 2, r.height() * 0.42);
    for (int k = -1; k <= 1; ++k) {
        p.save();
        p.translate(centre + QPointF(k * unit * 0.55, 0));
        p.rotate(k * 12.0);
        const QRectF frame(-unit * 0.75, -unit * 0.55, unit * 1.5, unit * 1.1);
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(0, 0, 0, 60));
        p.drawRoundedRect(frame.translated(unit * 0.05, unit * 0.07), 4, 4);
        p.setBrush(QColor(250, 248, 240));
        p.drawRoundedRect(frame, 4, 4);
        QLinearGradient inside(frame.topLeft(), frame.bottomRight());
        inside.setColorAt(0, QColor(90 + 40 * (k + 1), 140, 200 - 30 * (k + 1)));
        inside.setColorAt(1, QColor(250, 200 - 20 * (k + 1), 120));
        p.setBrush(inside);
        p.drawRect(frame.adjusted(unit * 0.08, unit * 0.08, -unit * 0.08, -unit * 0.25));
        p.restore();
    }

    QFont title(kInterfaceFamily);
    title.setPixelSize(std::max(18, int(unit * 0.55)));
    title.setBold(true);
    p.setFont(title);
    p.setPen(QColor(255, 255, 255, 235));
    const QRectF titleBox(0, centre.y() + unit * 1.0, r.width(), unit * 0.8);
    p.drawText(titleBox, Qt::AlignCenter, QStringLiteral("Lumora"));
    QFont hint(kInterfaceFamily);
    hint.setPixelSize(std::max(12, int(unit * 0.26)));
    p.setFont(hint);
    p.setPen(QColor(255, 255, 255, 200));
    p.drawText(QRectF(0, titleBox.bottom(), r.width(), unit * 0.6), Qt::AlignCenter,
               QCoreApplication::translate("lumora::ui::IdlePicture", "添加照片，开始制作电子相册"));
    return image;
}

} // namespace lumora::ui
