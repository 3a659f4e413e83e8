#pragma once
// Composes the frames of a production, one per call, in album order: steps
// the template movie and captures it, lays the running picture and text
// effects and the lyric line of the current song over it, hands the last
// picture of one template to the next (without the lyric line), moves on to
// the mode movie after the last template, and holds the last picture once
// everything has played.
//
// The frame written by a call carries the effect overlays as they stood after
// the previous call: effects appear one frame after the template frame they
// are laid on, as in the album's preview. The lyric line is that of the
// frame's own time in its song (the music's time): a line appears on the
// first frame at or after its stamp.
//
// The composed picture is the hand-over picture the encoder reads: the encoded
// size, black, with the album drawn at its own proportions in `albumRect`.
// The movie frame is rendered straight into that part of the picture and the
// overlays and the lyric line are drawn over it at the render size (effect
// frames arrive already scaled to it), so a frame costs no extra copy.
//
// Picture and text effects share one creation order: the overlay created
// last lies on top, whatever its kind. After every step the effect rows' run
// states ("tingzhi", "qidong", "wancheng") and overlay flags are written back
// into the album's effect tables, as the other runs do.
// One thread; not re-entrant.
#include <QImage>
#include <QRect>
#include <QString>
#include <atomic>
#include <functional>
#include <memory>
#include <optional>
#include <vector>

#include "app/Album.h"
#include "effects/CaptionTrack.h"
#include "effects/EffectRun.h"
#include "media/LrcParser.h"
#include "media/LyricSettings.h"
#include "playback/TemplateDriver.h"
#include "production/OutputOptions.h"

namespace lumora {

// One song of the production music list: its music-table row (the "行号" that
// also picks its lyric file) and the frames it fills.
struct ProductionSong {
    int musicRow = 0;
    long long frames = 0;
};

class FrameComposer {
public:
    struct Setup {
        SyncMode sync = SyncMode::Template;
        QSize canvas; // encoded frame size
        QRect albumRect; // where the album lies in it; its size is the render size
        long long totalFrames = 0;
        std::vector<int> templateRows; // used-template rows in production order
        // Per position: the frames a fitted template plays over (0 or
        // missing: its own speed; beat sync).
        std::vector<long long> playedFrames;
        // Beat sync: the frame each second of the effect clock begins at, so
        // effects start on beats (empty: every 25 frames).
        std::vector<long long> effectSecondStarts;
        std::vector<ProductionSong> songs;
        bool pictureEffects = false;
        bool textEffects = false;
        // The encoder works at its slowest settings (the highest quality):
        // decoding effect frames hides behind it, and its memory is larger.
        bool slowEncoder = false;
    };
    using LogFunc = std::function<void(const QString &line)>;

    // `album` is read (tables, staged folders) and its effect tables' run
    // states are written, as every effect run does.
    FrameComposer(Album &album, Setup setup, const std::atomic<bool> *stop, LogFunc log);
    ~FrameComposer();

    // Writes the black first frame into the hand-over picture (in a
    // beat-synced album the first template's first frame instead), hands the
    // first template's background over, loads the first template and
    // switches the lyrics of the first song on.
    void start();
    // Compose next frame: the call the encoder makes once per frame.
    void composeNext();

    QImage &handOver() { return m_canvas; }
    // True when the last composeNext() left the picture exactly as it was
    // (the album holds its last picture): the encoder may reuse its
    // previous conversion.
    bool lastFrameUnchanged() const { return m_unchanged; }
    long long composed() const { return m_composed; }
    bool capturing() const { return m_capture; }
    // True while the song clock runs (songs left to play), lyrics or not.
    bool lyricsOn() const { return m_lyricsOn; }
    // The lyric line now shown ("" when none) and the song row now playing.
    const QString &lyricText() const { return m_lyricText; }
    // The effect overlays laid on the next frame, bottom to top.
    const std::vector<EffectOverlay> &overlays() const { return m_overlays; }
    int musicPosition() const { return m_m; }
    // Figures for the benchmark, CPU time of the composing thread in seconds.
    double renderSeconds() const { return m_renderNs / 1e9; } // the whole frame: movie, overlays, lyric, effect steps
    double movieSeconds() const { return m_stepNs / 1e9; } // rendering the movie frame alone
    // Effect frames decoded and frames served from the effect runs' caches.
    long long effectFramesDecoded() const;
    long long effectCacheHits() const;
    double effectWaitSeconds() const; // wall time spent waiting for effect frames being decoded

private:
    void loadTemplateAt(int p);
    bool renderMovieFrame();
    void drawOverlays(QImage &target);
    void handOverPicture();
    void startSongLyrics();
    void stepLyrics();
    void updateLyricLine();
    void stepEffects();

    Album &m_album;
    Setup m_setup;
    const std::atomic<bool> *m_stop;
    LogFunc m_log;
    QImage m_canvas;
    QImage m_albumView; // the album's part of m_canvas (shares its pixels)
    TemplateDriver m_driver;
    std::unique_ptr<EffectRun> m_pictureRun;
    std::unique_ptr<EffectRun> m_textRun;
    std::vector<EffectOverlay> m_overlays; // both kinds, bottom to top
    CaptionTrack m_captions; // typed captions, opening title, closing line
    bool m_unchanged = false;

    long long m_composed = 0;
    int m_p = 0; // template position; templateRows.size() = mode movie
    bool m_capture = true;
    // Songs and lyrics: the song clock runs (m_lyricsOn), song frame counter
    // s, song position m, the line.
    bool m_lyricsOn = false;
    long long m_s = 0;
    int m_m = 0;
    LyricTimeline m_lyrics;
    int m_lyricIndex = -1;
    int m_lyricEntry = -1; // entry of m_lyrics on screen
    double m_lyricSung = -1; // karaoke: characters sung (-1: a plain line)
    QString m_lyricText;
    std::optional<LyricPlacement> m_lyricPlacement;
    long long m_renderNs = 0;
    long long m_stepNs = 0;
};

} // namespace lumora
