#pragma once
// The gallery beside an effect name list: one row per package with a small
// picture of the effect over the sample picture, so that a person picks by
// eye. The picture is a frame from the middle of the animation (most effects
// fade in, so frame 1 is often nearly empty). Thumbnails are made on worker
// threads, once per package: they stay cached for the gallery's life, so
// going back to a category shows them at once. The sample picture may come
// after the listing: the tiles are laid over it when it does. A package that cannot be
// played (no INI, no frame count, first frame missing or damaged) shows a
// marked tile whose tooltip says why.
//
// User-interface thread only; thumbnailsReady() is emitted when every entry
// of the current listing has its picture.
#include <QFutureWatcher>
#include <QHash>
#include <QImage>
#include <QListWidget>
#include <QPointer>
#include <QThreadPool>
#include <vector>

#include "effects/EffectPackage.h"

namespace lumora::ui {

class EffectGallery : public QListWidget {
    Q_OBJECT
public:
    static constexpr QSize kThumbSize{128, 72};

    struct Entry {
        QString name;
        EffectLocation location;
    };

    EffectGallery(const Paths &paths, QWidget *parent = nullptr);
    ~EffectGallery() override;

    void setBackdrop(const QImage &picture);
    // Shows the entries of a listing; thumbnails not cached yet are made now.
    void setEntries(const QString &modeFolder, const std::vector<Entry> &entries);
    int pendingThumbnails() const { return m_pending; }
    // Cached thumbnail of a package ("" reason when it can be played).
    bool hasThumbnail(const EffectLocation &loc) const;
    QString problemOf(int row) const;

Q_SIGNALS:
    void thumbnailsReady();

private:
    struct Thumb {
        int row = -1;
        QString key;
        QImage image;
        QString problem;
    };
    static constexpr int kProblemRole = Qt::UserRole + 1;
    static constexpr int kKeyRole = Qt::UserRole + 2;
    QString keyOf(const EffectLocation &loc) const;
    QIcon waitingIcon() const;
    void apply(int row, const QImage &image, const QString &problem);
    void resultReady(const Thumb &t, int generation);

    Paths m_paths;
    QString m_mode;
    QImage m_backdrop;
    QThreadPool m_pool;
    // The thumbnails of the current listing; a listing replaced before its
    // thumbnails are done is cancelled without waiting (its results still
    // fill the cache, none reaches the new rows).
    QPointer<QFutureWatcher<Thumb>> m_watcher;
    int m_generation = 0;
    // key → the frame on a transparent tile (or the marked tile), problem
    QHash<QString, std::pair<QImage, QString>> m_cache;
    int m_pending = 0;
};

} // namespace lumora::ui
