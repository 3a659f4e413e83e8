#include "ThumbnailCell.h"

#include <QMouseEvent>
#include <QPainter>

#include "album/PhotoGeometry.h"

namespace lumora::ui {

ThumbnailCell::ThumbnailCell(QWidget *parent) : QWidget(parent)
{
    setFixedSize(kThumbnailCell);
    setCursor(Qt::PointingHandCursor);
}

void ThumbnailCell::setPhoto(int row, QSize picture)
{
    m_row = row;
    m_picture = picture;
    m_image = {};
    update();
}

void ThumbnailCell::setImage(const QImage &image)
{
    m_image = image;
    update();
}

void ThumbnailCell::clearPhoto()
{
    m_row = -1;
    m_picture = {};
    m_image = {};
    setToolTip({});
    update();
}

QRect ThumbnailCell::framedRect() const
{
    const QSize framed = m_picture + QSize(2 * kThumbnailBorder, 2 * kThumbnailBorder);
    return QRect(QPoint((width() - framed.width()) / 2, (height() - framed.height()) / 2), framed);
}

void ThumbnailCell::paintEvent(QPaintEvent *)
{
    QPainter p(this);
    p.fillRect(rect(), QColor(225, 225, 225));
    if (m_row < 0)
        return;
    const QRect framed = framedRect();
    p.fillRect(framed, Qt::white);
    const QRect inner = framed.adjusted(kThumbnailBorder, kThumbnailBorder, -kThumbnailBorder, -kThumbnailBorder);
    if (m_image.isNull()) {
        p.fillRect(inner, QColor(200, 200, 200));
        return;
    }
    p.setRenderHint(QPainter::SmoothPixmapTransform);
    p.drawImage(inner, m_image);
}

void ThumbnailCell::mouseReleaseEvent(QMouseEvent *e)
{
    if (e->button() == Qt::LeftButton && rect().contains(e->position().toPoint()))
        Q_EMIT clicked();
}

void ThumbnailCell::mouseDoubleClickEvent(QMouseEvent *e)
{
    if (e->button() == Qt::LeftButton)
        Q_EMIT doubleClicked();
}

void ThumbnailCell::enterEvent(QEnterEvent *e)
{
    Q_EMIT entered();
    QWidget::enterEvent(e);
}

} // namespace lumora::ui
