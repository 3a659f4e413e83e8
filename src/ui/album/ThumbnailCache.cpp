#include "ThumbnailCache.h"

#include <QPointer>
#include <QRunnable>
#include <QThread>
#include <atomic>
#include <functional>

#include "app/Error.h"
#include "image/ImageIO.h"

namespace lumora::ui {

namespace {

class ThumbnailJob : public QRunnable {
public:
    // image, error, cancelled
    using Deliver = std::function<void(const QImage &, const QString &, bool)>;
    ThumbnailJob(QString path, QSize size, std::shared_ptr<std::atomic<quint64>> dropEpoch, Deliver deliver)
        : m_path(std::move(path)), m_size(size), m_dropEpoch(std::move(dropEpoch)), m_epoch(m_dropEpoch->load()),
          m_deliver(std::move(deliver))
    {
        setAutoDelete(true);
    }
    void run() override
    {
        if (m_dropEpoch->load() != m_epoch) {
            m_deliver({}, {}, true);
            return;
        }
        QImage image;
        QString error;
        try {
            image = ThumbnailCache::make(m_path, m_size);
        } catch (const Error &e) {
            error = e.message();
        } catch (const std::exception &e) {
            error = QString::fromUtf8(e.what());
        }
        m_deliver(image, error, false);
    }

private:
    QString m_path;
    QSize m_size;
    std::shared_ptr<std::atomic<quint64>> m_dropEpoch;
    quint64 m_epoch;
    Deliver m_deliver;
};

} // namespace

ThumbnailCache::ThumbnailCache(qint64 maxBytes, QObject *parent) : QObject(parent), m_maxBytes(maxBytes)
{
    m_pool.setMaxThreadCount(std::max(1, QThread::idealThreadCount()));
    // Workers stay around between pages instead of being made for each.
    m_pool.setExpiryTimeout(30000);
}

ThumbnailCache::~ThumbnailCache()
{
    m_pool.clear();
    m_pool.waitForDone();
}

QString ThumbnailCache::keyOf(const QString &path, QSize size)
{
    return QStringLiteral("%1x%2|").arg(size.width()).arg(size.height()) + path;
}

QImage ThumbnailCache::make(const QString &path, QSize size)
{
    if (size.isEmpty())
        throw Error(tr("缩略图尺寸无效：%1").arg(path));
    const JpegInfo info = readJpegInfo(path);
    // The decoder works on the picture as stored: a turned photo needs the
    // turned request.
    const QSize stored = info.turned() ? size.transposed() : size;
    QImage decoded = decodeJpeg(path, stored);
    decoded = applyOrientation(decoded, info.orientation);
    if (decoded.size() == size)
        return decoded;
    return decoded.scaled(size, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
}

QImage ThumbnailCache::cached(const QString &path, QSize size) const
{
    const auto it = m_entries.constFind(keyOf(path, size));
    return it == m_entries.constEnd() ? QImage() : it->image;
}

bool ThumbnailCache::hasFailed(const QString &path, QSize size) const
{
    return m_failures.contains(keyOf(path, size));
}

bool ThumbnailCache::isPending(const QString &path, QSize size) const
{
    return m_pending.contains(keyOf(path, size));
}

QImage ThumbnailCache::request(const QString &path, QSize size, int priority)
{
    const QString key = keyOf(path, size);
    auto it = m_entries.find(key);
    if (it != m_entries.end()) {
        touch(*it, key);
        return it->image;
    }
    if (m_failures.contains(key) || m_pending.contains(key))
        return {};
    m_pending.insert(key);
    QPointer<ThumbnailCache> self(this);
    const quint64 generation = m_generation;
    auto deliver = [self, key, path, size, generation](const QImage &image, const QString &error, bool cancelled) {
        // Back to the cache's thread; a cache already gone drops it.
        QMetaObject::invokeMethod(
            self.data(),
            [self, key, path, size, image, error, cancelled, generation] {
                if (self)
                    self->deliver(key, path, size, image, cancelled ? QString() : error, cancelled, generation);
            },
            Qt::QueuedConnection);
    };
    m_pool.start(new ThumbnailJob(path, size, m_dropEpoch, std::move(deliver)), priority);
    return {};
}

void ThumbnailCache::deliver(const QString &key, const QString &path, QSize size, const QImage &image,
                             const QString &error, bool cancelled, quint64 generation)
{
    // A cancelled job left the pending set when it was dropped.
    if (generation != m_generation || cancelled)
        return;
    m_pending.remove(key);
    if (image.isNull()) {
        m_failures.insert(key, error);
        Q_EMIT failed(path, size, error);
        return;
    }
    m_lru.push_front(key);
    m_entries.insert(key, Entry{image, m_lru.begin()});
    m_bytes += image.sizeInBytes();
    evict();
    Q_EMIT ready(path, size);
}

void ThumbnailCache::touch(Entry &e, const QString &key)
{
    m_lru.erase(e.lru);
    m_lru.push_front(key);
    e.lru = m_lru.begin();
}

void ThumbnailCache::evict()
{
    // Keep the newest picture even when it alone is larger than the bound.
    while (m_bytes > m_maxBytes && m_lru.size() > 1) {
        const QString key = m_lru.back();
        m_lru.pop_back();
        const auto it = m_entries.find(key);
        m_bytes -= it->image.sizeInBytes();
        m_entries.erase(it);
    }
}

void ThumbnailCache::dropPending()
{
    // Queued jobs end without work when they come up; the ones already
    // running still deliver their picture.
    ++*m_dropEpoch;
    m_pending.clear();
}

void ThumbnailCache::clear()
{
    dropPending();
    ++m_generation;
    m_entries.clear();
    m_lru.clear();
    m_failures.clear();
    m_bytes = 0;
}

void ThumbnailCache::waitForDone()
{
    m_pool.waitForDone();
}

} // namespace lumora::ui
