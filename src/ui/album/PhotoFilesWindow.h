#pragma once
// The photo-files window TForm42 (1033 × 652): every photo as a thumbnail in
// ListView1, "放大照片"/"缩小照片" (box 375 × 240 or 125 × 80), deleting one
// or all photos through the photo window's commands, the window layouts
// "放大窗口1", "放大窗口2", "默认窗口", and "返回".
#include <QDialog>

class QMenu;

class QListView;

namespace lumora {
struct Album;
}

namespace lumora::ui {

class PhotoWindow;
class ThumbnailCache;
class ThumbnailListModel;

class PhotoFilesWindow : public QDialog {
    Q_OBJECT
public:
    PhotoFilesWindow(const Album &album, ThumbnailCache &thumbnails, PhotoWindow &photos, QWidget *parent = nullptr);

    void reload();
    // The list's menu for photo `row` (the caller shows and deletes it).
    QMenu *listMenu(int row);
    void setBox(QSize box);
    ThumbnailListModel &model() { return *m_model; }

Q_SIGNALS:
    void photoChosen(int row);
    void photoTemplatesRequested(int row);

protected:
    void keyPressEvent(QKeyEvent *e) override;

private:
    int currentRow() const;
    PhotoWindow &m_photos;
    QListView *m_list;
    ThumbnailListModel *m_model;
};

} // namespace lumora::ui
