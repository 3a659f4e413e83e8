#pragma once
// The album's songs and lyric files: measuring a song by decoding it, the
// duration text and frames of a song, the rows of the music table, the lyric
// table and the lyric settings table, and the pairing of song k with lyric
// file k.
#include <QString>
#include <QStringList>
#include <optional>

#include "app/Album.h"
#include "media/Loudness.h"
#include "media/SongBeats.h"

namespace lumora {

// A song shorter than this is refused when it is measured: it would add no
// frames to the album (frames are whole seconds × 25).
constexpr long long kShortestSongMs = 1000;

struct SongMeasure {
    long long lengthMs = 0; // exact: decoded samples × 1000 div sample rate
    long long samples = 0; // decoded samples per channel
    int sampleRate = 0;
    SongBeats beats; // found while decoding (see BeatTracker)
    double beatCpuSeconds = 0; // processor time the beat analysis took
    // EBU R128 loudness from the same decode; nothing for a silent song or
    // when only the length was asked for.
    std::optional<SongLoudness> loudness;
    double loudnessCpuSeconds = 0; // processor time the loudness meters took
};

// Decodes the whole file once, counts its samples (the container's own
// duration can be off by tens of milliseconds, or by seconds for VBR files)
// and finds its beats from the same decoded audio. Touches no album: a
// worker may call it.
// Throws lumora::Error naming the file when it is empty, is not audio,
// decodes to no sound or lasts less than one second. Long songs (hours) are
// accepted. All: the decoded sound also goes to the beat tracker and the
// loudness meter (as 32-bit floats at the song's own rate and channels);
// LengthOnly: the length alone (a song's length checked again).
enum class SongParts { All, LengthOnly };
SongMeasure measureSong(const QString &path, SongParts parts = SongParts::All);

// "00:" + minutes + ":" + seconds of (ms div 1000), minutes not carried into
// hours, each at least two digits: 247 s → "00:04:07", 75 min → "00:75:00".
QString songDurationText(long long lengthMs);
// Frames a song fills: (ms div 1000) × 25.
long long songFrames(long long lengthMs);

namespace music {
QStringList songColumns(); // 序号, 音乐名称, 格式, 音乐时长, 位置, 节拍, 响度
QStringList lyricColumns(); // 序号, 歌词名称, 类型, 位置

// Measures the song (length, beats and loudness) and appends its row to
// ListView_daoru_yinyue (caption = new row count, name, extension, duration
// text, path, beats text, loudness text). A song that cannot be measured is not added:
// the error names it and the table is unchanged.
void addSong(Album &album, const QString &path);
// Appends the row of a song measured before (on a worker): the owner's step.
void appendSong(Album &album, const QString &path, const SongMeasure &measure);
// The beats kept with music row k; not analysed when the row has none (an
// album file written before beats were measured) or k is outside the table.
SongBeats songBeats(const Album &album, int k);
// Appends the lyric row to ListView_daoru_LRC and its settings row with the
// defaults to ListView_geci_shezhi_canshu.
void addLyricFile(Album &album, const QString &path);
// Length of music row k in whole seconds, as milliseconds, from its duration
// text (measured when it was added; the song is not decoded again). A row
// whose text does not read as a duration is measured from its path.
long long songLengthMs(const Album &album, int k);
// The same from the duration text alone; -1 when it does not read as one.
long long songDurationTextMs(const Album &album, int k);
// Lyric file index that goes with song k: k itself when that lyric row
// exists, -1 otherwise (no lyrics for that song).
int lyricIndexForSong(const Album &album, int songIndex);

// Deletes music row `row` and numbers the rows 1..n again; the songs after it
// move down by one (song k+1 becomes song k for every later pairing). A row
// outside the table changes nothing; returns whether a row was deleted.
bool deleteSong(Album &album, int row);
void deleteAllSongs(Album &album);
// Deletes lyric row `row` with its settings row at the same index and numbers
// both tables 1..n again.
bool deleteLyricFile(Album &album, int row);
void deleteAllLyricFiles(Album &album);
} // namespace music

} // namespace lumora
