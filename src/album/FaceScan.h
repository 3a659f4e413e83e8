#pragma once
// Searching photos for faces, off the thread that owns the album: the worker
// gets file paths, reads only the files (and the face cache), and hands back
// one result per path; the owner applies them (applyPhotoFaces) in one step.
//
// The face cache: one small file per photo version, named by a hash of the
// photo's absolute path, size and modification time (and the detector's
// settings), holding the face cell text. A photo is never searched twice
// while it is unchanged; a changed file gets a new key.
#include <QString>
#include <QStringList>
#include <atomic>
#include <functional>
#include <vector>

#include "app/Album.h"

namespace lumora {

struct FaceScanResult {
    QString path;
    QString faces; // face cell text (FacePlacement.h); never "" for a finished search
};

// The user's face cache folder ($XDG_CACHE_HOME/lumora/faces).
QString defaultFaceCacheFolder();

// The cached face cell of `path`, or "" when none is cached (or the file is gone).
QString cachedPhotoFaces(const QString &path, const QString &cacheFolder);

// The faces of one photo: from the cache, else searched and then cached
// (`cacheFolder` empty: no cache). A photo that cannot be decoded counts as
// searched without faces.
QString scanPhotoFaces(const QString &path, const QString &cacheFolder);

// Searches `paths` on `threads` worker threads (the calling thread one of
// them); `lowPriority` searches on threads of its own at the lowest
// scheduling priority, so that a search in the background leaves the
// processor to the user's work (the calling thread only waits). Stops
// early on `stop` (results so far are returned). Thread-safe.
std::vector<FaceScanResult> scanFaces(const QStringList &paths, const QString &cacheFolder, int threads = 1,
                                      bool lowPriority = false, const std::atomic<bool> *stop = nullptr,
                                      const std::function<void(int done, int maximum)> &progress = {});

// Photo rows whose faces were not searched yet, as paths (distinct).
QStringList photosWithoutFaces(const Album &album);

// The owner's step: writes each result into the 人脸 cell of every photo row
// with that path that has none yet, then places again every slot of those
// photos whose placement is automatic. Returns the number of rows updated.
int applyPhotoFaces(Album &album, const std::vector<FaceScanResult> &results);

} // namespace lumora
