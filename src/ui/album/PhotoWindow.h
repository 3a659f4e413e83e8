#pragma once
// The photo window TForm3 ("添加照片"): the photo table
// ListView_daoru_zhaopian, the details of the selected photo with its
// picture, and the commands "添加照片" (Button5), "删除照片" (Button6),
// "全部删除" (Button7), "自动套版" (Button9), "缩略图方式显示照片"
// (Button11) and "返回".
//
// Adding runs AlbumSession::addPhotos on a worker thread inside the
// progress window TForm13 (stop allowed); the windows do not touch the
// session meanwhile. Files that were refused are named with their reasons
// in one notice after the add. Photos and folders dropped on the window are
// added the same way.
#include <QDialog>
#include <atomic>
#include <functional>
#include <memory>
#include <vector>

#include "album/FaceScan.h"

class QLabel;
class QLineEdit;
class QTableWidget;

namespace lumora {
class AlbumSession;
}

namespace lumora::ui {

class DialogService;
class ProgressWindow;
class PictureView;
class ThumbnailCache;

class PhotoWindow : public QDialog {
    Q_OBJECT
public:
    PhotoWindow(AlbumSession &session, DialogService &dialogs, ThumbnailCache &thumbnails, QWidget *parent = nullptr);

    // Chooses how the next add assigns templates when template combinations
    // are on: the pack number (≥ 1), 0 for random templates, -1 to cancel.
    // Unset: random templates.
    std::function<int()> choosePack;

    // "添加照片": the file dialog, then the add.
    void addPhotosCommand();
    // Adds photos the person chose: `files` (a drop) or, when empty, those of
    // the file dialog. Template options and the pack's photo check come first
    // when template combinations are on; `done` runs once the add ended.
    void addChosenPhotos(const QStringList &files, const std::function<void()> &done);
    // Adds files and folders (file dialog, drops). `done` runs on the
    // user-interface thread once the add has ended and its notices are shown.
    void addPaths(const QStringList &paths, const std::function<void()> &done = {});
    bool adding() const { return m_adding; }
    // Searches the faces of the photos not searched yet, a few at a time on a
    // low-priority worker that reads only the files; each batch's faces are
    // applied here, on the user-interface thread (after any add in progress).
    void searchFaces();
    bool searchingFaces() const { return m_faceSearch != nullptr; }
    // Applies the faces found so far once no worker uses the album, then
    // searches on.
    void applyFoundFaces();
    // Deletion of one photo (row, 0-based) or all, with confirmation and notices.
    void deletePhotoCommand(int row);
    void deleteAllCommand();
    void autoMatchCommand();
    // Re-reads the photo table.
    void reload();
    void clearDetails();
    int selectedRow() const;

Q_SIGNALS:
    // The photo table changed (added, deleted, matched).
    void photosChanged();
    void photoFilesRequested();

protected:
    void dragEnterEvent(QDragEnterEvent *e) override;
    void dropEvent(QDropEvent *e) override;
    void keyPressEvent(QKeyEvent *e) override;

private:
    // Ends an add or 自动套版 run on a draft: adopts it when it succeeded,
    // closes the progress window and shows the photos again.
    void endLongAction(AlbumSession &draft, const QString &failure, ProgressWindow *progress);
    void showDetails(int row);
    QString refusedNotice(const std::vector<std::pair<QString, QString>> &refused) const;

    AlbumSession &m_session;
    DialogService &m_dialogs;
    ThumbnailCache &m_thumbs;
    QTableWidget *m_table;
    QList<QLineEdit *> m_details;
    PictureView *m_picture;
    QLabel *m_pictureFrame;
    bool m_adding = false;
    // The running face search's stop flag (null when none runs), and the
    // faces found while an add was running, applied when it ends.
    std::shared_ptr<std::atomic<bool>> m_faceSearch;
    std::vector<FaceScanResult> m_facesFound;
    int m_pendingPack = 0; // the pack of the add the file dialog starts
    QSize m_pictureRequest;
};

} // namespace lumora::ui
