#include "EffectGallery.h"

#include <QPainter>
#include <QtConcurrent/QtConcurrentMap>

#include "app/Error.h"
#include "effects/EffectEdits.h"
#include "image/ImageIO.h"

namespace lumora::ui {

namespace {

QImage decodeOrNull(const QString &path)
{
    try {
        return decodePng(path);
    } catch (const Error &) {
        return {};
    }
}

// The frame scaled into a transparent tile, keeping its proportions (worker side).
QImage frameTile(const QImage &frame, QSize tile)
{
    QImage out(tile, QImage::Format_ARGB32_Premultiplied);
    out.fill(Qt::transparent);
    if (!frame.isNull()) {
        QPainter p(&out);
        p.setRenderHint(QPainter::SmoothPixmapTransform);
        const QSize s = frame.size().scaled(tile, Qt::KeepAspectRatio);
        p.drawImage(QRect(QPoint((tile.width() - s.width()) / 2, (tile.height() - s.height()) / 2), s), frame);
    }
    return out;
}

// A frame tile over the (tile-sized) backdrop: cheap enough for the user-interface thread.
QImage composeTile(const QImage &backdrop, const QImage &tile)
{
    QImage out(EffectGallery::kThumbSize, QImage::Format_ARGB32_Premultiplied);
    out.fill(QColor(60, 60, 66));
    QPainter p(&out);
    if (!backdrop.isNull())
        p.drawImage(0, 0, backdrop);
    if (!tile.isNull())
        p.drawImage(0, 0, tile);
    return out;
}

QImage brokenTile(QSize tile)
{
    QImage out(tile, QImage::Format_ARGB32_Premultiplied);
    out.fill(QColor(90, 90, 90));
    QPainter p(&out);
    p.setPen(QPen(QColor(220, 70, 60), 3));
    p.drawLine(20, 12, tile.width() - 20, tile.height() - 12);
    p.drawLine(tile.width() - 20, 12, 20, tile.height() - 12);
    return out;
}

} // namespace

EffectGallery::EffectGallery(const Paths &paths, QWidget *parent) : QListWidget(parent), m_paths(paths)
{
    setViewMode(QListView::IconMode);
    setIconSize(kThumbSize);
    setResizeMode(QListView::Adjust);
    setMovement(QListView::Static);
    setUniformItemSizes(true);
    setGridSize(QSize(kThumbSize.width() + 12, kThumbSize.height() + 30));
    setWordWrap(true);
    setSpacing(2);
    m_pool.setMaxThreadCount(std::max(1, QThread::idealThreadCount() - 1));
}

EffectGallery::~EffectGallery()
{
    if (m_watcher)
        m_watcher->cancel();
    m_pool.waitForDone();
}

void EffectGallery::setBackdrop(const QImage &picture)
{
    m_backdrop = picture.scaled(kThumbSize, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    // Tiles shown before the picture was there get it now.
    const QIcon waiting = waitingIcon();
    for (int row = 0; row < count(); ++row) {
        const auto c = m_cache.constFind(item(row)->data(kKeyRole).toString());
        if (c == m_cache.cend())
            item(row)->setIcon(waiting);
        else
            apply(row, c->first, c->second);
    }
}

QIcon EffectGallery::waitingIcon() const
{
    return QIcon(QPixmap::fromImage(composeTile(m_backdrop, {})));
}

QString EffectGallery::keyOf(const EffectLocation &loc) const
{
    return effectFolder(m_paths, m_mode, loc);
}

bool EffectGallery::hasThumbnail(const EffectLocation &loc) const
{
    return m_cache.contains(keyOf(loc));
}

QString EffectGallery::problemOf(int row) const
{
    const QListWidgetItem *it = item(row);
    return it ? it->data(kProblemRole).toString() : QString();
}

void EffectGallery::setEntries(const QString &modeFolder, const std::vector<Entry> &entries)
{
    if (m_watcher)
        m_watcher->cancel();
    const int generation = ++m_generation;
    m_mode = modeFolder;
    clear();
    // One shared picture for every tile still waiting for its thumbnail.
    const QIcon waiting = waitingIcon();
    std::vector<Thumb> jobs;
    for (int i = 0; i < int(entries.size()); ++i) {
        auto *it = new QListWidgetItem(entries[size_t(i)].name, this);
        it->setToolTip(entries[size_t(i)].name);
        const QString key = keyOf(entries[size_t(i)].location);
        it->setData(kKeyRole, key);
        if (auto c = m_cache.constFind(key); c != m_cache.cend()) {
            apply(i, c->first, c->second);
            continue;
        }
        it->setIcon(waiting);
        jobs.push_back({i, key, {}, {}});
    }
    m_pending = int(jobs.size());
    if (jobs.empty()) {
        Q_EMIT thumbnailsReady();
        return;
    }
    const Paths paths = m_paths;
    const QString mode = m_mode;
    std::vector<EffectLocation> locations;
    for (const Thumb &j : jobs)
        locations.push_back(entries[size_t(j.row)].location);
    QList<std::pair<Thumb, EffectLocation>> work;
    for (size_t i = 0; i < jobs.size(); ++i)
        work.append({jobs[i], locations[i]});
    auto *watcher = new QFutureWatcher<Thumb>(this);
    connect(watcher, &QFutureWatcher<Thumb>::resultReadyAt, this,
            [this, watcher, generation](int index) { resultReady(watcher->resultAt(index), generation); });
    connect(watcher, &QFutureWatcher<Thumb>::finished, watcher, &QObject::deleteLater);
    m_watcher = watcher;
    watcher->setFuture(QtConcurrent::mapped(&m_pool, work, [paths, mode](const std::pair<Thumb, EffectLocation> &w) {
        Thumb t = w.first;
        const EffectLocation &loc = w.second;
        // The same check that refuses a package when it is added.
        t.problem = effectPackageProblem(paths, mode, loc);
        QImage frame;
        if (t.problem.isEmpty()) {
            const auto ini = EffectPackageIni::read(effectIniPath(paths, mode, loc));
            frame = decodeOrNull(
                effectFramePath(paths, mode, loc, std::max(1, (ini->frames() + 1) / 2), FrameSet::Preview));
            if (frame.isNull())
                frame = decodeOrNull(effectFramePath(paths, mode, loc, 1, FrameSet::Preview));
        }
        t.image = t.problem.isEmpty() ? frameTile(frame, kThumbSize) : brokenTile(kThumbSize);
        return t;
    }));
}

void EffectGallery::resultReady(const Thumb &t, int generation)
{
    m_cache.insert(t.key, {t.image, t.problem});
    if (generation != m_generation)
        return; // made for a listing no longer shown
    apply(t.row, t.image, t.problem);
    if (--m_pending == 0)
        Q_EMIT thumbnailsReady();
}

void EffectGallery::apply(int row, const QImage &image, const QString &problem)
{
    QListWidgetItem *it = item(row);
    if (!it)
        return;
    it->setIcon(QIcon(QPixmap::fromImage(problem.isEmpty() ? composeTile(m_backdrop, image) : image)));
    it->setData(kProblemRole, problem);
    if (!problem.isEmpty()) {
        it->setToolTip(problem);
        it->setForeground(QColor(200, 40, 40));
    }
}

} // namespace lumora::ui
