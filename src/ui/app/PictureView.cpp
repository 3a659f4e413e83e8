#include "PictureView.h"

#include <QMouseEvent>
#include <QPainter>

namespace lumora::ui {

PictureView::PictureView(QWidget *parent) : QWidget(parent)
{
    setAttribute(Qt::WA_OpaquePaintEvent, false);
}

void PictureView::setImage(const QImage &image)
{
    m_image = image;
    update();
}

void PictureView::setFillColour(const QColor &c)
{
    m_fill = c;
    update();
}

void PictureView::paintEvent(QPaintEvent *)
{
    QPainter p(this);
    if (m_fill.isValid())
        p.fillRect(rect(), m_fill);
    if (!m_image.isNull()) {
        p.setRenderHint(QPainter::SmoothPixmapTransform);
        p.drawImage(rect(), m_image);
    }
}

void PictureView::mousePressEvent(QMouseEvent *e)
{
    if (e->button() != Qt::LeftButton)
        return QWidget::mousePressEvent(e);
    m_down = true;
    if (m_drag)
        Q_EMIT pressed(mapToParent(e->position().toPoint()));
}

void PictureView::mouseMoveEvent(QMouseEvent *e)
{
    if (m_down && m_drag)
        Q_EMIT dragged(mapToParent(e->position().toPoint()));
}

void PictureView::mouseReleaseEvent(QMouseEvent *e)
{
    if (e->button() != Qt::LeftButton || !m_down)
        return QWidget::mouseReleaseEvent(e);
    m_down = false;
    if (m_drag)
        Q_EMIT released(mapToParent(e->position().toPoint()));
    if (rect().contains(e->position().toPoint()))
        Q_EMIT clicked();
}

void PictureView::mouseDoubleClickEvent(QMouseEvent *e)
{
    if (e->button() == Qt::LeftButton)
        Q_EMIT doubleClicked();
}

} // namespace lumora::ui
