#pragma once
// A picture on a window: draws its image scaled to its own rectangle (the
// picture controls of the main window, the preview picture, thumbnails in
// the large view). Optionally draggable: it reports presses, moves and
// releases of the left button in its parent's coordinates, and the owner
// decides where it goes.
#include <QImage>
#include <QWidget>

namespace lumora::ui {

class PictureView : public QWidget {
    Q_OBJECT
public:
    explicit PictureView(QWidget *parent = nullptr);

    void setImage(const QImage &image);
    const QImage &image() const { return m_image; }
    void clear() { setImage({}); }
    // Painted where no image is (default: nothing, the parent shows through).
    void setFillColour(const QColor &c);
    void setDragReporting(bool on) { m_drag = on; }

Q_SIGNALS:
    void pressed(QPoint inParent);
    void dragged(QPoint inParent);
    void released(QPoint inParent);
    void clicked();
    void doubleClicked();

protected:
    void paintEvent(QPaintEvent *) override;
    void mousePressEvent(QMouseEvent *e) override;
    void mouseMoveEvent(QMouseEvent *e) override;
    void mouseReleaseEvent(QMouseEvent *e) override;
    void mouseDoubleClickEvent(QMouseEvent *e) override;

private:
    QImage m_image;
    QColor m_fill;
    bool m_drag = false;
    bool m_down = false;
};

} // namespace lumora::ui
