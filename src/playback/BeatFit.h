#pragma once
// Beat sync: the album follows the music, as in music sync, and every change
// of template lands on a beat of the music, on a strong beat where one is in
// reach. Each template's own playing time is fitted to reach that beat: its
// animation runs a little faster or slower (at most kMaxFit either way, in
// both the time it lasts and the rate it plays at) and is drawn at the fitted
// times (MoviePlayer::setPlayedFrames). Where no beat is in reach the
// template keeps its own length, as in music sync.
//
// The album's beats are those of its songs laid end to end at the songs'
// album frames ((ms div 1000) × 25 each, as music sync counts them); a song
// without a clear beat adds none and is named so the user can be told.
//
// Frames are 0-based album frames at 25 per second; a change "at" a beat is
// the frame nearest the beat's time, so it is shown within half a frame
// (20 ms) of the beat.
#include <vector>

#include "app/Album.h"

namespace lumora {

constexpr double kMaxFit = 0.15;

struct AlbumBeat {
    long long ms = 0; // album time
    long long frame = 0; // the frame nearest to it
    bool strong = false;
};

struct AlbumBeats {
    std::vector<AlbumBeat> beats;
    std::vector<int> songsWithoutBeat; // music rows, in order
};

// One template as played in a beat-synced album.
struct FittedTemplate {
    size_t index = 0; // into the natural-length list given
    long long start = 0; // first album frame
    long long frames = 0; // album frames it is shown for
    long long ownFrames = 0; // the template's own frame count
    bool fitted = false; // played over `frames` at `rate`; else at its own speed (cut at the album's end)
    double rate = 1; // movie frames per album frame: (ownFrames − 1) / (frames − 1)
    bool endsOnBeat = false; // the next template starts on a beat
    bool endsOnStrongBeat = false;
};

// What the user is told about a song without a clear beat (or not measured
// for beats): "歌曲《NAME》没有清晰的节拍，这首歌按随音乐文件同步。"
QString noBeatNotice(const Album &album, int musicRow);

// Beats of songs laid end to end. `songs`: (music row, frames) in play order.
AlbumBeats albumBeats(const Album &album, const std::vector<std::pair<int, long long>> &songs);

// Lays the templates (own frame counts, repeated in order) over `total`
// frames: each change on the beat nearest the template's own end among those
// that keep the fit within kMaxFit, a strong one when any is; the last
// template is fitted to end with the album when that is in reach, else cut.
std::vector<FittedTemplate> fitTemplatesToBeats(const std::vector<long long> &ownFrames, long long total,
                                                const std::vector<AlbumBeat> &beats);

// Movie rate of a template of `own` frames shown for `shown` frames.
double fittedRate(long long own, long long shown);

// Effect clock of album frame n in a beat-synced album: whole seconds as the
// album clock counts them, except that second S begins at the first beat at
// or after S × 25 frames (and never before second S − 1 has shown for one
// frame), so effects, which start on whole seconds, start on beats.
// `beatFrames` ascending. Without beats it is n div 25.
long long beatEffectSecond(long long n, const std::vector<long long> &secondStarts);
// The frames where each second begins, for seconds 0 .. total div 25.
std::vector<long long> beatSecondStarts(long long total, const std::vector<AlbumBeat> &beats);

} // namespace lumora
