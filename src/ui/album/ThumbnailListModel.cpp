#include "ThumbnailListModel.h"

#include <QFileInfo>
#include <QPainter>
#include <QPixmap>

#include "album/AlbumTables.h"
#include "album/PhotoGeometry.h"
#include "album/ThumbnailCache.h"
#include "app/Album.h"
#include "app/Style.h"

namespace lumora::ui {

ThumbnailListModel::ThumbnailListModel(const Album &album, ThumbnailCache &cache, QObject *parent)
    : QAbstractListModel(parent), m_album(album), m_cache(cache), m_box(kListBoxSmall)
{
    connect(&m_cache, &ThumbnailCache::ready, this, &ThumbnailListModel::onReady);
    connect(&m_cache, &ThumbnailCache::failed, this,
            [this](const QString &path, QSize size, const QString &) { onReady(path, size); });
}

void ThumbnailListModel::setBox(QSize box)
{
    if (box == m_box)
        return;
    beginResetModel();
    m_box = box;
    endResetModel();
}

void ThumbnailListModel::reload()
{
    beginResetModel();
    m_rows = m_album.ListView_daoru_zhaopian.size();
    m_rowsOfPath.clear();
    for (int i = 0; i < m_rows; ++i)
        m_rowsOfPath.insert(m_album.ListView_daoru_zhaopian.cell(i, photocol::kPath), i);
    endResetModel();
}

QSize ThumbnailListModel::pictureOf(int row) const
{
    const Row &r = m_album.ListView_daoru_zhaopian[row];
    return listPicture(QSize(r.cell(photocol::kWidth).toInt(), r.cell(photocol::kHeight).toInt()), m_box);
}

void ThumbnailListModel::prefetch()
{
    const RowTable &photos = m_album.ListView_daoru_zhaopian;
    for (int i = 0; i < std::min(m_rows, photos.size()); ++i)
        m_cache.request(photos.cell(i, photocol::kPath), pictureOf(i), ThumbnailCache::Background);
}

int ThumbnailListModel::readyCount() const
{
    int n = 0;
    const RowTable &photos = m_album.ListView_daoru_zhaopian;
    for (int i = 0; i < std::min(m_rows, photos.size()); ++i)
        if (!m_cache.cached(photos.cell(i, photocol::kPath), pictureOf(i)).isNull())
            ++n;
    return n;
}

int ThumbnailListModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : m_rows;
}

QVariant ThumbnailListModel::data(const QModelIndex &index, int role) const
{
    const RowTable &photos = m_album.ListView_daoru_zhaopian;
    if (!index.isValid() || index.row() >= m_rows || index.row() >= photos.size())
        return {};
    const Row &r = photos[index.row()];
    const QString path = r.cell(photocol::kPath);
    switch (role) {
    case Qt::DisplayRole: return QFileInfo(path).fileName();
    case Qt::ToolTipRole: return path;
    case Qt::DecorationRole: {
        const QSize picture = pictureOf(index.row());
        const QImage thumb = m_cache.request(path, picture, ThumbnailCache::List);
        QPixmap box(m_box);
        box.fill(kThumbnailBoxColour);
        QPainter p(&box);
        const QSize framed = picture + QSize(2 * kThumbnailBorder, 2 * kThumbnailBorder);
        const QRect frame(QPoint((m_box.width() - framed.width()) / 2, (m_box.height() - framed.height()) / 2), framed);
        p.fillRect(frame, Qt::white);
        const QRect inner = frame.adjusted(kThumbnailBorder, kThumbnailBorder, -kThumbnailBorder, -kThumbnailBorder);
        if (thumb.isNull())
            p.fillRect(inner, QColor(90, 90, 90));
        else
            p.drawImage(inner, thumb);
        return box;
    }
    default: return {};
    }
}

void ThumbnailListModel::onReady(const QString &path, QSize size)
{
    const int rows = std::min(m_rows, m_album.ListView_daoru_zhaopian.size());
    for (auto it = m_rowsOfPath.constFind(path); it != m_rowsOfPath.constEnd() && it.key() == path; ++it) {
        const int i = it.value();
        if (i < rows && pictureOf(i) == size) {
            const QModelIndex ix = index(i);
            Q_EMIT dataChanged(ix, ix, {Qt::DecorationRole});
        }
    }
}

} // namespace lumora::ui
