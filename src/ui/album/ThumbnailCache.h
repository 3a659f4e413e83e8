#pragma once
// Thumbnails of photos, made on worker threads and kept by path and size.
//
// request(path, size) answers at once: the thumbnail when it is cached, else
// a null image, and the thumbnail is then made on a worker (header read,
// DCT-scaled decode of only the resolution the size needs, EXIF orientation
// applied, smooth scale to exactly `size`) and announced by `ready`. A file
// that cannot be made into a thumbnail is announced by `failed` with the
// reason and not tried again until clear().
//
// The cache keeps at most `maxBytes` of pictures; the least recently asked
// ones go first, so memory does not grow with the number of photos. Jobs
// asked with a higher priority run first (a visible page before a list);
// dropPending() forgets the jobs not started yet (a page turned away).
//
// Use from the user-interface thread only; the workers never touch the
// cache, they post their results back to it.
#include <QHash>
#include <QImage>
#include <QObject>
#include <QSet>
#include <QSize>
#include <QString>
#include <QThreadPool>
#include <atomic>
#include <list>
#include <memory>

namespace lumora::ui {

class ThumbnailCache : public QObject {
    Q_OBJECT
public:
    enum Priority { Background = 0, List = 5, Page = 10 };

    explicit ThumbnailCache(qint64 maxBytes = 64LL * 1024 * 1024, QObject *parent = nullptr);
    ~ThumbnailCache() override;

    // The thumbnail of `path` at exactly `size` (device pixels), or a null
    // image while it is being made (then `ready` follows) or when it failed.
    QImage request(const QString &path, QSize size, int priority = Page);
    // The cached thumbnail without asking for one.
    QImage cached(const QString &path, QSize size) const;
    bool hasFailed(const QString &path, QSize size) const;
    bool isPending(const QString &path, QSize size) const;
    int pendingCount() const { return int(m_pending.size()); }

    // Forgets queued jobs that have not started (they are asked again later).
    void dropPending();
    // Forgets every picture and failure (the album was reset).
    void clear();
    // Waits for the running jobs (tests, benchmarks and shutdown only).
    void waitForDone();

    qint64 bytes() const { return m_bytes; }
    qint64 maxBytes() const { return m_maxBytes; }

    // The thumbnail itself, made on the calling thread: the work of one job.
    // Throws lumora::Error with the file and the reason.
    static QImage make(const QString &path, QSize size);

Q_SIGNALS:
    void ready(const QString &path, QSize size);
    void failed(const QString &path, QSize size, const QString &reason);

private:
    struct Entry {
        QImage image;
        std::list<QString>::iterator lru;
    };
    static QString keyOf(const QString &path, QSize size);
    void deliver(const QString &key, const QString &path, QSize size, const QImage &image, const QString &error,
                 bool cancelled, quint64 generation);
    void touch(Entry &e, const QString &key);
    void evict();

    QThreadPool m_pool;
    qint64 m_maxBytes;
    qint64 m_bytes = 0;
    QHash<QString, Entry> m_entries;
    std::list<QString> m_lru; // front: most recently asked
    QSet<QString> m_pending;
    QHash<QString, QString> m_failures;
    quint64 m_generation = 0; // raised by clear(): results of older jobs are dropped
    // Raised by dropPending(); a queued job that sees it changed does no work.
    std::shared_ptr<std::atomic<quint64>> m_dropEpoch = std::make_shared<std::atomic<quint64>>(0);
};

} // namespace lumora::ui
