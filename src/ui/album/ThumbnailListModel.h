#pragma once
// The thumbnail lists (ListView1 of the main window's large modes and of the
// photo-files window TForm42) as a model over the photo table: one item per
// photo, captioned with the file name and extension, its path in the tool
// tip, its picture a box of the list's box size (background 29/24/18) with
// the photo fitted inside less 8 and framed in white.
//
// Pictures are asked from the thumbnail cache only for the items the view
// draws, so a list of thousands of photos costs what is visible; the rest
// comes as the user scrolls, or through prefetch() at low priority.
#include <QAbstractListModel>
#include <QMultiHash>
#include <QSize>

namespace lumora {
struct Album;
}

namespace lumora::ui {

class ThumbnailCache;

class ThumbnailListModel : public QAbstractListModel {
    Q_OBJECT
public:
    ThumbnailListModel(const Album &album, ThumbnailCache &cache, QObject *parent = nullptr);

    // The box of one item (125 × 80, or 375 × 240 enlarged).
    void setBox(QSize box);
    QSize box() const { return m_box; }
    // Re-reads the photo table (after an add, a delete, a reset).
    void reload();
    // Asks every thumbnail of the list at background priority.
    void prefetch();
    // Items whose picture is made (for the benchmark and tests).
    int readyCount() const;

    int rowCount(const QModelIndex &parent = {}) const override;
    QVariant data(const QModelIndex &index, int role) const override;

private:
    QSize pictureOf(int row) const;
    void onReady(const QString &path, QSize size);

    const Album &m_album;
    ThumbnailCache &m_cache;
    QSize m_box;
    int m_rows = 0;
    QMultiHash<QString, int> m_rowsOfPath;
};

} // namespace lumora::ui
