#pragma once
// The album preview's timeline: which template (or the ending mode movie) is
// on screen at every album frame, and which song plays at every moment. The
// preview draws any frame from it directly, so playing and seeking are the
// same lookup.
//
// Template sync: the complete used templates once each, in order, then the
// mode movie (kEndingFrames); the songs repeat in order for as long as the
// album runs. Music sync: the songs once each, in order; the total is their
// frames ((ms div 1000) × 25 each, as production counts them) and the
// templates repeat in order until it is covered, the last one cut at the
// total — the same album production makes. Beat sync: as music sync, each
// template fitted to change on a beat (BeatFit.h), as production fits it.
//
// Frames are 0-based album frames at 25 per second; song times are album
// milliseconds (frame n starts at n × 40 ms).
#include <QStringList>
#include <vector>

#include "album/SyncMode.h"
#include "app/Album.h"
#include "playback/BeatFit.h"

namespace lumora {

struct PreviewSegment {
    int usedRow = -1; // used-template row; -1 for the mode movie
    long long start = 0; // first album frame
    long long frames = 0; // frames on screen
    bool fitted = false; // the movie is played over `frames` (beat sync), not at its own speed
    bool ending() const { return usedRow < 0; }
};

struct PreviewSong {
    int musicRow = 0; // row of the music table (also picks the lyric file)
    qint64 startMs = 0; // album time the song starts at
    qint64 lengthMs = 0; // exact decoded length
};

class PreviewTimeline {
public:
    static constexpr qint64 kFrameMs = 1000 / 25;

    // `rows`: used-template rows to play, in order (the completed list).
    // `songLengthsMs`: exact length per music row, index = row; a song that
    // could not be measured has 0 and is left out.
    static PreviewTimeline build(const Album &album, SyncMode sync, const std::vector<int> &rows,
                                 const std::vector<qint64> &songLengthsMs);

    SyncMode sync = SyncMode::Template;
    std::vector<PreviewSegment> segments;
    std::vector<PreviewSong> songs;
    long long totalFrames = 0;
    // Template sync: frames of the complete used templates (0 when none), as
    // the total-time label counts them.
    long long templateFrames = 0;
    // Beat sync: the album's beats, the music rows without a clear beat, and
    // the frame each second of the effect clock begins at.
    AlbumBeats beats;
    std::vector<long long> effectSecondStarts;
    // The effect clock's whole seconds at a count of `frames` frames shown.
    long long effectSeconds(long long frames) const;

    // Index of the segment showing `frame`; -1 outside the album.
    int segmentAt(long long frame) const;
    // Index of the song playing at album time `ms`; -1 when none plays.
    int songAt(qint64 ms) const;
    static qint64 frameMs(long long frame) { return frame * kFrameMs; }

    // The album's length in frames as far as its tables tell it now, for the
    // total-time label while nothing plays: template sync counts the complete
    // used templates and the ending (0 with none complete); music and beat
    // sync count the songs by their duration texts (the templates are repeated
    // or fitted to them), once the album has photos. Decodes nothing.
    static long long knownTotalFrames(const Album &album, SyncMode sync);
};

} // namespace lumora
