#pragma once
// One of the nine thumbnail cells of the main window (Image1..Image9,
// 118 × 96): the photo drawn centred inside a white 3-pixel frame, a grey
// placeholder of the same size while its thumbnail is being made.
#include <QImage>
#include <QWidget>

namespace lumora::ui {

class ThumbnailCell : public QWidget {
    Q_OBJECT
public:
    explicit ThumbnailCell(QWidget *parent = nullptr);

    // The cell shows photo `row` whose picture inside the frame is `picture`
    // (null: placeholder until setImage).
    void setPhoto(int row, QSize picture);
    void setImage(const QImage &image);
    void clearPhoto();
    int row() const { return m_row; }
    bool holdsPhoto() const { return m_row >= 0; }
    bool hasImage() const { return !m_image.isNull(); }
    QSize pictureSize() const { return m_picture; }
    // The rectangle of the picture with its frame, centred in the cell.
    QRect framedRect() const;

Q_SIGNALS:
    void clicked();
    void doubleClicked();
    void entered();

protected:
    void paintEvent(QPaintEvent *) override;
    void mouseReleaseEvent(QMouseEvent *e) override;
    void mouseDoubleClickEvent(QMouseEvent *e) override;
    void enterEvent(QEnterEvent *e) override;

private:
    int m_row = -1;
    QSize m_picture;
    QImage m_image;
};

} // namespace lumora::ui
