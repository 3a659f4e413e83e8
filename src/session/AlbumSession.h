#pragma once
// One album being made, from the choice of its mode to the finished video:
// the sequence of user actions that the desktop windows, lumora-make, the
// benchmarks and the tests all go through. Each method is one user action; it
// returns what happened (rows added, files refused with their reasons, the
// notices to show) and never opens a dialog: questions come in as callbacks,
// long actions take a progress callback and a stop flag.
//
// The session owns the Album (every table, cell and setting), the paths of
// the read-only resource tree and of this process's working root, and the one
// random source every random choice of the album draws from.
//
// Ownership: the album belongs to the user-interface thread's session.
// Only that thread reads or writes session.album(), the recovery snapshot
// included; there is no lock. A long action runs on a worker against a
// draft, a copy of the whole session taken on the owner's thread when the
// action starts (draft(); the tables share their strings, so the copy costs
// about what a recovery snapshot costs). The worker changes only its draft
// and hands it back; the owner applies it in one step on its own thread
// (adopt()), or drops it when the action failed, so a failed action leaves
// the album as it was. Meanwhile the owner's album stays whole: snapshots,
// thumbnails and list repaints read it freely and never see half an action.
// The window that starts such an action keeps the album's editing commands
// blocked until it is adopted (a modal progress window), so adopting loses
// no edit. Workers that only read (staging, production, previews) get a draft
// or the file paths they need and never adopt.
//
// Not thread-safe otherwise: every method runs on the thread that holds the
// session object it is called on (the owner, or the worker holding a draft).
#include <QSize>
#include <QString>
#include <QStringList>
#include <atomic>
#include <cstdint>
#include <functional>
#include <optional>
#include <vector>

#include "album/AddStep.h"
#include "app/Album.h"
#include "effects/EffectTables.h"
#include "media/MusicList.h"
#include "production/ProductionRun.h"
#include "templates/Catalogue.h"

namespace lumora {

// A file the session would not take, with the reason in Chinese (the decoder's
// or parser's own message included where it helps).
struct RefusedFile {
    QString path;
    QString reason;
};

// Songs or lyric files added in one action.
struct MediaAddReport {
    int added = 0;
    std::vector<RefusedFile> refused;
    QStringList notices;
    bool stopped = false;
};

// One song measured by the add worker, before the owner appends its row:
// its measure (length, beats) or the reason it is refused.
struct MeasuredSong {
    QString path; // absolute
    std::optional<SongMeasure> measure;
    QString refusal;
};
struct MeasuredSongs {
    std::vector<MeasuredSong> songs;
    bool stopped = false;
};

// Options of one photo add.
struct PhotoAddOptions {
    // 0: the matching pass (random templates); k ≥ 1: template pack k.
    int pack = 0;
    AddProgress progress;
    const std::atomic<bool> *stop = nullptr;
    // Asked (title, question) before automatic picture effects replace the
    // ones the album has; empty: existing picture effects are kept.
    ConfirmFn confirm;
};

class AlbumSession {
public:
    // programFolder: the resource tree's folder (empty: the executable's).
    // workRoot: this process's writable working root (empty: the program
    // folder itself, as tests with a private tree use it).
    // seed: the random source's seed (empty: random).
    explicit AlbumSession(const QString &programFolder = {}, const QString &workRoot = {},
                          std::optional<std::uint64_t> seed = {});

    // A copy of the session for one worker (see the ownership note above).
    AlbumSession draft() const { return *this; }
    // Applies a worker's finished draft in one step (owner's thread only).
    void adopt(AlbumSession &&draft)
    {
        m_album = std::move(draft.m_album);
        m_output = std::move(draft.m_output);
    }

    Album &album() { return m_album; }
    const Album &album() const { return m_album; }
    const Paths &paths() const { return m_album.paths; }
    RandomSource &random() { return m_album.random; }

    // ---- album mode ----
    // Builds the template catalogue for the mode, then resets the album:
    // every table emptied, settings, sync mode and page cells back to their
    // defaults. Throws IntegrityError when the mode's templates are damaged.
    CatalogueReport chooseMode(ModeKind mode, const CatalogueProgress &progress = {});

    // ---- photos ----
    // Expands folders (their JPG files in name order, not recursing), then
    // runs the add step: photo rows, matching or template pack k,
    // backgrounds, automatic effects as the settings say. Files that are not
    // readable JPEGs (or too large to decode within the memory budget) are
    // refused by name; the rest goes on. With a pack, the pack's photo check
    // comes first: its notices are returned and nothing is added when the
    // chosen photos lack an orientation the pack needs.
    AddPhotosReport addPhotos(const QStringList &filesOrFolders, const PhotoAddOptions &options = {});
    // The JPG files of `filesOrFolders` in the order the user gave them
    // (folders expanded); unreadable folders go to `refused`.
    static QStringList collectPhotoFiles(const QStringList &filesOrFolders, std::vector<RefusedFile> &refused);
    // The photo check of template pack k: the notices to show when the
    // photos of `filesOrFolders` lack an orientation the pack needs (empty:
    // the add may go on). Files that are not readable photos are not
    // counted. Throws lumora::Error when the pack cannot be read.
    QStringList packPhotoCheck(const QStringList &filesOrFolders, int pack) const;

    // ---- faces ----
    // The face cache folder (default: the user's cache folder; empty: none).
    const QString &faceCacheFolder() const { return m_faceCache; }
    void setFaceCacheFolder(const QString &folder) { m_faceCache = folder; }
    // Searches the photos whose faces are not known yet (on this thread and
    // threads − 1 more) and applies the results: slots with an automatic
    // placement are placed around the faces. Returns the photo rows updated.
    // The desktop program searches on a worker instead (scanFaces) and
    // applies with applyPhotoFaces.
    int findFaces(int threads = 1, const std::atomic<bool> *stop = nullptr,
                  const std::function<void(int done, int maximum)> &progress = {});

    // ---- songs and lyric files ----
    // Measures each song (decoding it whole) and appends its row; a song that
    // cannot be decoded, is empty or shorter than a second is refused by name.
    // The same as measureSongs followed by applySongs on this thread.
    MediaAddReport addSongs(const QStringList &paths, const std::function<void(int done, int maximum)> &progress = {},
                            const std::atomic<bool> *stop = nullptr);
    // The add worker's part: decodes each song once for its length and its
    // beats. Reads and writes no album, so it runs on any thread.
    static MeasuredSongs measureSongs(const QStringList &paths,
                                      const std::function<void(int done, int maximum)> &progress = {},
                                      const std::atomic<bool> *stop = nullptr);
    // The owner's part: appends the rows of the songs measured, in order, in
    // one step on the session's thread.
    MediaAddReport applySongs(const MeasuredSongs &measured);
    // Parses each lyric file and appends its row and its settings row; a file
    // that is not a readable LRC is refused by name.
    MediaAddReport addLyricFiles(const QStringList &paths);

    // ---- production ----
    // The production choices of the album (type, size, quality, television
    // system, sync mode, name, folder): back to their defaults on every mode
    // choice, except name and folder. Preview reads the sync mode here.
    OutputChoice &output() { return m_output; }
    const OutputChoice &output() const { return m_output; }
    // "" when `name` can be an album's file name, else the notice.
    static QString albumNameRefusal(const QString &name);
    // The production plan (templates, songs, total frames, geometry). Throws
    // lumora::Error with the refusal notice when the album cannot be produced.
    ProductionPlan plan(const OutputChoice &choice, const std::atomic<bool> *stop = nullptr);
    // Stages the album at the output size and encodes it (see ProductionRun.h).
    ProductionResult produce(const ProductionPlan &plan, const ProductionCallbacks &callbacks = {},
                             std::atomic<bool> *stop = nullptr);

private:
    Album m_album;
    OutputChoice m_output;
    QString m_faceCache;
};

} // namespace lumora
