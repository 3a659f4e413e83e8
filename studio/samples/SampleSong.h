#pragma once
// The bundled sample song "甜蜜蜜": our own gentle pop ballad, composed here as
// a score (melody, chords, bass, drums) and synthesised in code, and its
// lyric file timed to the sung phrases of that same score.
#include <QByteArray>
#include <QString>
#include <vector>

namespace lumora::studio {

constexpr int kSongSampleRate = 44100;

// Length of the song in seconds (the score's bars at its tempo).
double sampleSongSeconds();

// Seconds at which each sung phrase starts (its first note), in order;
// one lyric line belongs to each.
std::vector<double> sampleSongPhraseStarts();

// The whole song as interleaved stereo float samples (-1..1) at kSongSampleRate.
// Deterministic: the same samples on every run.
std::vector<float> renderSampleSong();

// The lyric file: [ti:], [ar:], [al:], [by:] tags and one [mm:ss.xx] line
// per phrase, GBK-encoded with CRLF line ends.
QByteArray sampleLyricsLrc();

// Encodes interleaved stereo float samples to an MP3 file through FFmpeg's
// libmp3lame encoder (constant bit rate), with ID3 title and artist.
// Throws lumora::Error with FFmpeg's message on failure.
void writeMp3(const QString &path, const std::vector<float> &interleaved, int sampleRate, int bitRate,
              const QString &title, const QString &artist);

} // namespace lumora::studio
