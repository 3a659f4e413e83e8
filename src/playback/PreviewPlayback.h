#pragma once
// The album preview: play, stop and seek the whole album at the preview size,
// with its music, lyric lines and picture and text effects.
//
// States: Idle → Staging (the album is staged at the preview size on a worker
// thread) → Playing (templates) → Ending (the mode movie, template sync) →
// Idle at the end of the album. stop() leads from any state to Idle at once;
// a stop during staging leaves the worker to end on its own (it watches the
// stop flag between templates), discards its result and wipes the staging
// folder afterwards, so no player and no half-staged album remain.
//
// Time: every picture is a function of its album frame (0-based, 25 per
// second): the template or mode-movie frame from the timeline, the effects
// stepped on the album clock text of the frame count shown (frame n is the
// (n+1)-th frame, so an effect starting at 00:00:02 starts on frame index 49,
// the 50th), and the lyric line whose stamp is at or before the frame's time
// in its song (a karaoke line filled to that time). The frame
// clock is slaved to the audio clock: while a song plays, album time = the
// song's start in the album + the position the audio player reports as
// played; without music (or past it) a monotonic clock carries on from there.
// A frame is shown when album time reaches it; the next one is composed
// ahead right after, so showing costs nothing on the beat.
//
// Templates load ahead: the first one on the staging worker, after the
// album is staged; then, while a template plays, a worker thread writes the
// hand-over picture it ends on, loads the next template (or the mode movie)
// from it and renders that template's first and last frames (so every layer
// is prepared and the last frame is the next hand-over); at the change the
// user-interface thread only swaps players. After a seek the segment of that
// moment loads on the user-interface thread as below, and loading ahead
// carries on from there.
//
// Seeking composes the target frame directly: the template of that moment is
// loaded after its hand-over picture (the last frame of the template before)
// has been made, the effect states are advanced without decoding, the music
// moves to the song and offset of that moment. A template not loaded yet
// loads on a worker (the user-interface thread goes on meanwhile); the last
// pictures of all segments are drawn in order by a low-priority worker once
// playing starts (the hand-over chain), so that load is one template.
//
// Threads: construct and call from the user-interface thread (it needs an
// event loop for the frame timer and the staging worker's results). While
// state() is not Idle, or busy() is true, nothing else may touch the album.
#include <QImage>
#include <QSize>
#include <QString>
#include <QStringList>
#include <atomic>
#include <functional>
#include <future>
#include <map>
#include <memory>
#include <mutex>
#include <optional>
#include <vector>

#include "app/Album.h"
#include "effects/CaptionTrack.h"
#include "effects/EffectRun.h"
#include "media/LrcParser.h"
#include "playback/PreviewTimeline.h"
#include "playback/TemplateDriver.h"

class QObject;
class QTimer;
class QThread;

namespace lumora {

class AudioPlayer;

enum class PreviewState { Idle, Staging, Playing, Ending };

// What Start finds before anything changes: a refusal notice, or the number
// of photos not matched with a template (the caller asks whether to match
// them automatically; preview does not start either way).
struct PreviewStartCheck {
    QString notice;
    int unmatchedPhotos = 0;
    bool canStart() const { return notice.isEmpty() && unmatchedPhotos == 0; }
};

// A frame shown late, with what the ticks around it found (for the
// benchmark's account of why).
struct PreviewLateFrame {
    long long frame = 0;
    qint64 lateMs = 0;
    qint64 tickGapMs = 0; // monotonic time since the tick before
    qint64 clockStepMs = 0; // album-clock advance minus monotonic advance since the tick before
    qint64 workMs = 0; // time the tick before spent on its work (composing ahead)
    bool segmentChange = false; // the frame starts a new template
};

// Figures of one run, for the benchmark and the tests.
struct PreviewStats {
    qint64 firstFrameMs = -1; // start() to the first frame shown (staging included)
    long long framesShown = 0;
    long long framesLate = 0; // shown more than 10 ms after their time
    qint64 maxLateMs = 0;
    qint64 maxAudioDriftMs = 0; // |song position − frame time| when a frame is shown while music plays
    long long maxAudioDriftFrame = -1; // the frame shown at that largest distance
    long long templateLoads = 0; // templates (and the mode movie) loaded on the user-interface thread
    qint64 maxLoadMs = 0; // longest of those loads
    long long aheadLoads = 0; // templates taken over ready from the worker
    qint64 maxAheadWaitMs = 0; // longest wait for such a template at its change
    long long seeks = 0;
    qint64 maxSeekMs = 0; // seek() to its frame shown
    qint64 maxSeekBlockMs = 0; // longest the user-interface thread spent in one seek step
    long long seekLoads = 0; // seeks whose template loaded on a worker
    qint64 seekLoadCpuMs = 0, maxSeekLoadCpuMs = 0; // processor time of those loads: sum, largest
    std::vector<PreviewLateFrame> lateFrames; // the first kMaxLateFrames kept
    static constexpr size_t kMaxLateFrames = 64;
};

class PreviewPlayback {
public:
    using Clock = std::function<qint64()>; // monotonic milliseconds

    struct Callbacks {
        std::function<void(const QImage &frame)> frame; // the picture to show (preview size)
        std::function<void(const QString &total, const QString &current)> times; // HH:MM:SS labels
        std::function<void(PreviewState)> state;
        std::function<void(int done, int maximum)> staging; // staging progress (templates)
        std::function<void(const QString &notice)> notice; // a problem met while playing (named file)
        std::function<void(const QString &note)> status; // a note for the status line (silent sink)
    };

    PreviewPlayback(Album &album, AudioPlayer &audio);
    ~PreviewPlayback();
    PreviewPlayback(const PreviewPlayback &) = delete;
    PreviewPlayback &operator=(const PreviewPlayback &) = delete;

    void setCallbacks(Callbacks callbacks) { m_cb = std::move(callbacks); }
    // Monotonic clock for the time without music (tests inject one).
    void setClock(Clock clock);
    // Automatic pacing by a frame timer (default); tests turn it off and
    // call tick() after moving their clock.
    void setAutomaticPacing(bool on) { m_automatic = on; }

    // The checks of Start, in order: no photos, music sync without music, no
    // used template; then the count of unmatched photos.
    static PreviewStartCheck check(const Album &album, SyncMode sync);

    // Stops whatever runs, then stages the album and starts playing (the
    // caller has passed check()). Sets Edit_tuichu to "bofang_kaishi".
    void start(SyncMode sync);
    // From any state to Idle; the album's cells back to "bofang_tingzhi".
    void stop();
    // Moves picture, music, lyrics and effects to album frame `frame`
    // (clamped); only while Playing or Ending. When the template of that
    // moment is not loaded, it loads on a worker and the frame is shown when
    // it is ready (seeking() is true meanwhile; the music waits, the picture
    // stays); with automatic pacing off, seek() waits for it.
    void seek(long long frame);
    bool seeking() const;
    // Holds picture, music, lyrics and effects where they are (only while
    // Playing or Ending); resume() plays on from that moment, the music from
    // the same album time, so picture and sound stay together. A seek while
    // paused shows its frame and stays paused. stop(), finish and start()
    // end a pause.
    void pause();
    void resume();
    bool paused() const { return m_paused; }
    // Waits for a seek's template and shows its frame (tests, screenshots).
    void waitForSeek();
    // One pacing step: shows the frame album time has reached, changes song
    // at a song's end, finishes at the end of the album.
    void tick();

    PreviewState state() const { return m_state; }
    bool busy() const; // the staging worker has not ended yet
    // Waits for the staging worker (tests and shutdown), processing events.
    void waitForWorker();

    const PreviewTimeline &timeline() const { return m_timeline; }
    long long shownFrame() const { return m_shown; }
    const QImage &picture() const { return m_picture; }
    QString lyricText() const { return m_lyricText; }
    int songIndex() const { return m_song; } // timeline song now playing, -1 none
    qint64 albumMs() const; // album time now
    QString totalText() const { return m_totalText; }
    QString currentText() const { return m_currentText; }
    // Player and effect overlays exist (false after stop or finish).
    bool holdsPlayer() const { return m_driver && m_driver->hasPlayer(); }
    const PreviewStats &stats() const { return m_stats; }
    QSize previewSize() const { return m_size; }

private:
    struct Staged;
    struct AheadJob;
    struct Ahead;
    struct Composed {
        QImage picture;
        QString lyric;
        // The effect tables with the run states of this frame (written into
        // the album when the frame is shown, not when it is composed ahead).
        std::optional<RowTable> pictureStates, textStates;
    };
    void onStaged(std::shared_ptr<Staged> staged);
    void beginPlaying(std::unique_ptr<TemplateDriver> first, const QByteArray &firstLast);
    void finish();
    void release();
    void setState(PreviewState s);
    void setTimes(long long framesShown);
    void scheduleNext();
    void prepareAhead();

    // Picture of frame n: template frame, effects, lyric.
    Composed compose(long long n);
    void positionMovie(int segment, long long offset);
    void loadSegment(int segment);
    void handOverFor(int segment);
    void stepEffects(long long n, std::vector<EffectOverlay> &out, Composed &c);
    void resetEffects();
    QString numStopFor(int usedRow) const;
    void warmLyricFonts();
    void loadAhead(int segment, const QByteArray &handOver, long long seekOffset = -1);
    bool takeAhead(int segment);
    void dropAhead();
    QString lyricAt(long long n, const Row **settings, double *sung);
    void show(long long n, const Composed &c, bool afterSeek);
    void pollSeek();
    void completeSeek(long long frame);
    QByteArray handOverPictureFor(int segment) const;
    void startHandOverChain(const QByteArray &firstLast);
    void stopHandOverChain();

    // Music
    void playSongAt(qint64 ms);
    void startSong(int k, qint64 offsetMs);
    void stopMusic();
    void followMusic();
    void reportAudioNotice();

    Album &m_album;
    AudioPlayer &m_audio;
    Callbacks m_cb;
    Clock m_clock;
    bool m_automatic = true;
    QSize m_size;
    PreviewState m_state = PreviewState::Idle;
    SyncMode m_sync = SyncMode::Template;
    std::unique_ptr<QObject> m_context; // receives queued calls and owns the frame timer
    QTimer *m_timer = nullptr;
    QThread *m_worker = nullptr;
    std::shared_ptr<std::atomic<bool>> m_stopFlag;
    qint64 m_startedAt = 0;

    PreviewTimeline m_timeline;
    std::unique_ptr<TemplateDriver> m_driver;
    int m_loaded = -1; // segment the driver holds
    // The next segment loading on a worker (see the note on loading ahead).
    std::future<std::shared_ptr<Ahead>> m_next;
    int m_nextSegment = -1;
    std::shared_ptr<std::atomic<bool>> m_nextStop;
    // Loads given up (a seek elsewhere, a stop): they end on their own soon
    // after their stop flag is set and are reaped later.
    std::vector<std::future<std::shared_ptr<Ahead>>> m_abandoned;
    // Held while the hand-over picture is written and the load that reads it
    // runs (workers loading ahead, the hand-over chain, a load on the
    // user-interface thread); a worker checks its stop flag under it.
    std::shared_ptr<std::mutex> m_handOverLock = std::make_shared<std::mutex>();
    // Last picture (without effects) of each segment loaded so far: the
    // hand-over of the segment after it, so a seek there loads one template.
    std::map<int, QByteArray> m_lastFrames; // JPEG, as the hand-over picture file holds it
    // Last pictures drawn ahead by the hand-over chain (see
    // startHandOverChain), filled by its worker while the album plays.
    struct HandOverChain {
        std::mutex mutex;
        std::map<int, QByteArray> lastFrames; // JPEG
    };
    std::shared_ptr<HandOverChain> m_chain;
    std::shared_ptr<std::atomic<bool>> m_chainStop;
    std::future<std::shared_ptr<Ahead>> m_chainRun;
    // A seek waiting for its template on a worker (-1: none), and when the
    // latest seek was asked.
    long long m_seekTarget = -1;
    qint64 m_seekBegan = 0;
    qint64 m_takenCpuMs = -1; // processor time of the last load taken from a worker
    static constexpr int kSeekPollMs = 2;
    std::unique_ptr<EffectRun> m_pictureRun, m_textRun;
    long long m_effectFrame = -1; // last frame the effects were stepped for
    std::vector<LyricTimeline> m_lyrics; // per lyric file, parsed while staging
    CaptionTrack m_captions; // typed captions, opening title and closing line

    long long m_shown = -1;
    QImage m_picture;
    long long m_ahead = -1; // frame composed ahead
    Composed m_aheadComposed;
    QString m_lyricText;
    struct LyricCache {
        int lyricFile = -1;
        int entry = -1;
        QString text;
    };
    LyricCache m_lyricCache; // the last line shown, converted
    QString m_totalText = QStringLiteral("00:00:00");
    QString m_currentText = QStringLiteral("00:00:00");

    // Album clock: while song m_song plays, its start + the player position;
    // otherwise m_baseMs + (clock − m_baseAt).
    int m_song = -1;
    bool m_songPlaying = false;
    bool m_paused = false;
    qint64 m_pausedMs = 0; // album time held while paused
    qint64 m_baseMs = 0;
    qint64 m_baseAt = 0;
    QStringList m_failedSongs; // reported once per run
    QString m_audioNotice; // the audio player's notice, once reported

    // The tick before, for the account of late frames.
    qint64 m_lastTickAt = -1;
    qint64 m_lastTickAlbumMs = 0;
    qint64 m_lastWorkMs = 0;

    PreviewStats m_stats;
};

} // namespace lumora
