#include "FaceScan.h"

#include <QCryptographicHash>
#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QSet>
#include <QStandardPaths>
#include <sys/resource.h>
#include <sys/syscall.h>
#include <thread>
#include <unistd.h>

#include "album/AlbumTables.h"
#include "album/FacePlacement.h"
#include "album/Matching.h"
#include "app/Error.h"
#include "image/FaceDetector.h"

namespace lumora {
namespace {

// Changes with the detector's settings, so that older entries are not used.
const QString kCacheVersion = QStringLiteral("dlib-hog-%1").arg(kFaceDetectLongSide);

// The cache file of the current version of `path`, or "" when the file is gone.
QString cacheFile(const QString &path, const QString &folder)
{
    const QFileInfo fi(path);
    if (folder.isEmpty() || !fi.isFile())
        return {};
    const QString key = QStringLiteral("%1|%2|%3|%4")
                            .arg(kCacheVersion, fi.absoluteFilePath())
                            .arg(fi.size())
                            .arg(fi.lastModified().toMSecsSinceEpoch());
    const QByteArray hash = QCryptographicHash::hash(key.toUtf8(), QCryptographicHash::Sha1).toHex();
    return folder + QLatin1Char('/') + QString::fromLatin1(hash) + QStringLiteral(".faces");
}

} // namespace

QString defaultFaceCacheFolder()
{
    return QStandardPaths::writableLocation(QStandardPaths::GenericCacheLocation) + QStringLiteral("/lumora/faces");
}

QString cachedPhotoFaces(const QString &path, const QString &cacheFolder)
{
    const QString file = cacheFile(path, cacheFolder);
    if (file.isEmpty())
        return {};
    QFile f(file);
    if (!f.open(QIODevice::ReadOnly))
        return {};
    const QString text = QString::fromUtf8(f.read(64 * 1024)).trimmed();
    // A damaged entry is searched again.
    return facesFromCell(text) ? text : QString();
}

QString scanPhotoFaces(const QString &path, const QString &cacheFolder)
{
    if (const QString cached = cachedPhotoFaces(path, cacheFolder); !cached.isEmpty())
        return cached;
    QString text;
    try {
        text = facesToCell(detectPhotoFaces(path));
    } catch (const Error &) {
        // The add step reports unreadable photos; here it has no faces.
        text = kNoFaces;
    }
    const QString file = cacheFile(path, cacheFolder);
    if (!file.isEmpty() && QDir().mkpath(cacheFolder)) {
        // A cache that cannot be written only costs a second search later.
        QSaveFile out(file);
        if (out.open(QIODevice::WriteOnly)) {
            out.write(text.toUtf8());
            out.commit();
        }
    }
    return text;
}

std::vector<FaceScanResult> scanFaces(const QStringList &paths, const QString &cacheFolder, int threads,
                                      bool lowPriority, const std::atomic<bool> *stop,
                                      const std::function<void(int, int)> &progress)
{
    std::vector<FaceScanResult> results(size_t(paths.size()));
    std::vector<char> done(results.size(), 0);
    std::atomic<int> next{0}, finished{0};
    auto work = [&](bool reporter) {
        if (lowPriority) {
            // Linux schedules threads one by one: this lowers only this
            // worker, a thread of its own that ends with the search.
            setpriority(PRIO_PROCESS, id_t(syscall(SYS_gettid)), 19);
        }
        while (!(stop && stop->load())) {
            const int i = next.fetch_add(1);
            if (i >= paths.size())
                return;
            results[size_t(i)] = {paths[i], scanPhotoFaces(paths[i], cacheFolder)};
            done[size_t(i)] = 1;
            const int n = ++finished;
            if (reporter && progress)
                progress(n, int(paths.size()));
        }
    };
    // A low-priority search runs on threads of its own only (a priority once
    // lowered cannot be raised again without privileges); the calling
    // thread then reports progress by the first of them.
    std::vector<std::thread> pool;
    const int extra = lowPriority ? std::max(1, threads) : threads - 1;
    for (int t = 0; t < extra && t < paths.size(); ++t)
        pool.emplace_back(work, lowPriority && t == 0);
    if (!lowPriority)
        work(true);
    for (std::thread &t : pool)
        t.join();
    std::vector<FaceScanResult> out;
    for (size_t i = 0; i < results.size(); ++i)
        if (done[i])
            out.push_back(std::move(results[i]));
    return out;
}

QStringList photosWithoutFaces(const Album &album)
{
    QStringList paths;
    QSet<QString> seen;
    for (const Row &r : album.ListView_daoru_zhaopian) {
        const QString path = r.cell(photocol::kPath);
        if (r.cell(photocol::kFaces).isEmpty() && !seen.contains(path)) {
            seen.insert(path);
            paths << path;
        }
    }
    return paths;
}

int applyPhotoFaces(Album &album, const std::vector<FaceScanResult> &results)
{
    QHash<QString, QString> byPath;
    for (const FaceScanResult &r : results)
        if (facesFromCell(r.faces))
            byPath.insert(r.path, r.faces);
    int updated = 0;
    RowTable &photos = album.ListView_daoru_zhaopian;
    for (int i = 0; i < photos.size(); ++i) {
        if (!photos.cell(i, photocol::kFaces).isEmpty())
            continue;
        const auto it = byPath.constFind(photos.cell(i, photocol::kPath));
        if (it == byPath.constEnd())
            continue;
        photos.setCell(i, photocol::kFaces, *it);
        ++updated;
        if (*it != kNoFaces)
            placeAutomaticSlots(album, i);
    }
    return updated;
}

} // namespace lumora
