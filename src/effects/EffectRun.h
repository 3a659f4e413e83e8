#pragma once
// One run of an effect timeline: the per-frame step shared by the effect
// windows' own preview, album playback and production.
//
// Contract
// - Create one EffectRun per run (per preview start, per playback start, per
//   production) and per kind (picture effects, text effects). It snapshots the
//   rows of the working table (ListView_Image) when it is made: frame count F
//   (caption), start time (sub-item 0), package, and for text effects X/Y
//   (sub-items 5/6). Changing the table during a run does not affect the run.
// - Every row starts in "tingzhi" with frame counter 0.
// - step(clock) runs one step: a row whose start time equals `clock` (text
//   HH:MM:SS, see effectClockText) and whose state is "tingzhi" starts with
//   counter 0; a running row then raises its counter k and shows frame k
//   ({k}.png, or 2_{k}.png in production); a missing or unreadable frame keeps
//   the previous picture; when k equals F the row ends ("wancheng", or
//   "tingzhi" in album playback, where a short row may start again within its
//   start second) and its overlay is hidden in that same step. A row of F
//   frames therefore occupies F steps and shows frames 1 … F − 1.
// - step() returns the overlays to draw after that step, bottom to top: an
//   overlay created later lies above one created earlier (playback creates
//   one overlay per row in row order when it starts). Each overlay carries
//   its creation number; runs that share one creation counter (production's
//   picture and text runs) number their overlays in one sequence, so a caller
//   merging their overlays by that number lays the one created last on top,
//   whatever its kind. Positions are in the target picture's pixels: picture
//   effects at (0, 0); text effects at their X/Y, scaled in production by
//   target/preview size with integer arithmetic. Images are drawn at their
//   own size, never scaled. They are implicitly shared QImages (ARGB32
//   premultiplied); do not modify them.
// - A row's frame may come as several overlays (pieces): the decoded frame
//   is kept only where it is not fully transparent, cut into rectangles, and
//   each piece's position already includes its offset inside the frame.
//   Drawing every returned overlay at its position gives exactly the frame.
// - Production frames are authored for the mode's output size. When the
//   target differs, each frame is scaled by target/output once, when it is
//   decoded, and cut into pieces afterwards: pieces, offsets and sizes are
//   all in target pixels, and the caller draws them unscaled.
// - PNG frames are decoded with libpng once per run and kept (as pieces) in a
//   cache bounded by bytes, so a package used by several rows, or again later
//   in the run, is decoded once while it fits. The windows' runs drop the
//   least recently used frames first. A production run knows its whole
//   schedule (every row plays once, from its start second): after each step
//   it drops the frames no row will show again, and when over its bound the
//   frames whose next showing is farthest away, weighed by their size, so the
//   frames that recur soon stay.
// - Frames are decoded on a small pool of threads owned by the run: the
//   frames one step needs are decoded in parallel, and after each step the
//   next frames of running rows (and the first frames of rows starting in the
//   next second) are decoded ahead, while the caller draws and encodes.
// - Not thread-safe; one thread drives a run. Different runs are independent,
//   so production may drive its run on a worker thread.
#include <QImage>
#include <QPoint>
#include <QSize>
#include <QString>
#include <QStringList>
#include <QThreadPool>
#include <future>
#include <list>
#include <memory>
#include <unordered_map>
#include <vector>

#include "EffectPackage.h"
#include "app/RowTable.h"

namespace lumora {

struct Album;

enum class RunVariant {
    WindowPreview, // the effect window's own preview: end state "wancheng", {k}.png
    Playback, // album playback: end state "tingzhi", {k}.png
    Production, // production: end state "wancheng", 2_{k}.png, positions scaled
};

struct EffectOverlay {
    int row = -1; // row of the working table
    EffectLocation package; // which package it shows
    QPoint position; // top-left corner in the target picture
    QImage image; // the frame shown now (or one piece of it)
    long long order = 0; // creation number of the row's overlay: higher lies on top
};

// The non-transparent parts of a decoded frame: rectangles with their offset
// inside the frame. Fully transparent frames have no piece.
struct FramePiece {
    QPoint offset;
    QImage image;
};
std::vector<FramePiece> framePieces(const QImage &frame);
// A production frame authored for an `output` picture, scaled for a `target`
// picture (by target/output on each axis), premultiplied; the frame itself
// when the sizes agree. Takes straight or premultiplied alpha.
QImage scaleEffectFrame(const QImage &frame, QSize output, QSize target);

// Clock text of an album frame count: HH:MM:SS of frame div 25 seconds.
QString effectClockText(long long frame);

// The effect windows' own preview clock: one tick per real second; each
// field runs 00 … 59 (60 seconds make a minute, 60 minutes an hour, and 60
// hours wrap to 0), written hh:mm:ss.
struct PreviewClock {
    int hours = 0, minutes = 0, seconds = 0;
    void tick();
    QString text() const;
};

class EffectRun {
public:
    struct Setup {
        EffectKind kind = EffectKind::Picture;
        RunVariant variant = RunVariant::Playback;
        QString modeFolder; // effect mode folder of the album mode (wj_x_g_c_l_1/2/3)
        QSize previewSize; // the mode's preview size (text positions are stored in it)
        QSize targetSize; // the picture the overlays are drawn on
        QSize outputSize; // production: the mode's output size the frames are authored for
        int onlyRow = -1; // single preview: only this row takes part
        qint64 cacheBytes = qint64(768) << 20;
        int decodeThreads = 0; // threads decoding frames (0: one per core)
        int prefetchFrames = 3; // frames decoded ahead of each running or starting row
        // Creation numbers of overlays; runs given the same counter number
        // their overlays in one sequence. Null: the run counts on its own.
        std::shared_ptr<long long> creationCounter;
    };

    EffectRun(const Paths &paths, const RowTable &workingTable, Setup setup);

    // A run over the album's picture or text effect table: preview and target
    // size from the album mode (target = output size in production, unless
    // `target` is given), and the table's run state and overlay cells set to
    // "tingzhi" / "wu" as every run does before its first frame.
    static EffectRun forAlbum(Album &album, EffectKind kind, RunVariant variant, QSize target = {}, int onlyRow = -1);

    // One step at `clock`; returns the overlays visible after it (bottom to top).
    const std::vector<EffectOverlay> &step(const QString &clock);
    const std::vector<EffectOverlay> &overlays() const { return m_visible; }

    // Stop: every row back to "tingzhi", counters 0, overlays released.
    void stop();
    // Advances the run states through one step at `clock` exactly as step()
    // would, without decoding or showing a frame: a seek fast-forwards the
    // steps before its target with this, then calls step() for the target.
    void skipStep(const QString &clock);

    // Mirrors the run state (sub-item 2) and overlay flag (sub-item 6 for
    // picture effects, 13 for text effects) into a working table with the
    // same rows. Rows beyond the table are ignored.
    void writeStates(RowTable &workingTable) const;

    int rowCount() const { return int(m_rows.size()); }
    QString state(int row) const;
    int frameCounter(int row) const;
    int finishedCount() const; // rows in "wancheng"
    bool anyRunning() const; // rows in "qidong"

    // Figures for benchmarks and tests.
    int decodedFrames() const { return m_decoded; }
    int cacheHits() const { return m_hits; }
    // Wall time the driving thread waited for frames still being decoded.
    double waitSeconds() const { return double(m_waitNs) / 1e9; }
    qint64 cachedBytes() const { return m_cacheBytes; }

private:
    enum class State { Idle, Running, Finished };
    struct RowRun {
        int frames = 0;
        QString start;
        EffectLocation package;
        QPoint position;
        State state = State::Idle;
        int counter = 0;
        bool created = false; // holds an overlay ("chuangjian")
        bool shown = false;
        long long order = 0; // creation order: later lies on top
        std::shared_ptr<const std::vector<FramePiece>> frame; // null: nothing loaded yet
    };
    using Pieces = std::shared_ptr<const std::vector<FramePiece>>;
    struct Decoded {
        Pieces pieces; // null: missing or unreadable
        qint64 bytes = 0;
        bool decoded = false;
    };
    struct CacheEntry {
        std::shared_future<Decoded> result;
        bool accounted = false; // its bytes are in m_cacheBytes
        std::list<QString>::iterator lru;
    };

    QString framePath(const RowRun &r, int k) const;
    CacheEntry &request(const QString &path); // starts decoding when not cached
    Pieces take(const QString &path); // waits for the frame, counts it
    void prefetch(const QString &clock);
    // Production: the album frames at which every frame file is shown, and
    // the cache trimmed by next showing after a step (see the contract).
    void planUses();
    void advanceClock(const QString &clock);
    long long nextUse(const QString &path) const;
    void trimByNextUse();
    void evict(std::unordered_map<QString, CacheEntry>::iterator victim);
    long long nextOrder();

    Paths m_paths;
    Setup m_setup;
    std::vector<RowRun> m_rows;
    std::vector<EffectOverlay> m_visible;
    std::shared_ptr<long long> m_creation;
    QSize m_frameScaleTo; // production at another size: frames scale by m_frameScaleTo / outputSize

    std::unique_ptr<QThreadPool> m_pool;
    std::unordered_map<QString, CacheEntry> m_cache;
    std::list<QString> m_lru; // front = most recently used
    qint64 m_cacheBytes = 0;
    std::unordered_map<QString, std::vector<long long>> m_uses; // production: album frames, ascending
    long long m_now = -1; // album frame of the current step (production)
    QString m_nowClock;
    int m_decoded = 0;
    int m_hits = 0;
    qint64 m_waitNs = 0;
};

} // namespace lumora
