#pragma once
// Song loudness: the integrated loudness (EBU R128, LUFS) and the true peak
// (dBTP) of a song, measured once when the song is added, kept as text in the
// song's row, and turned into the one gain that brings every song to the
// album's target loudness without letting its true peak rise above the
// ceiling. Gain only: nothing is compressed or limited, so nothing is heard
// but a change of level.
#include <QString>
#include <memory>
#include <optional>

struct AVFrame;

namespace lumora {

struct Album;

// The loudness every song is played and produced at, and the highest true
// peak a gain may lift a song to.
constexpr double kTargetLoudnessLufs = -16.0;
constexpr double kTruePeakCeilingDb = -1.0;
// A near-silent song is not lifted by more than this (its noise would be).
constexpr double kMaxLoudnessGainDb = 24.0;

struct SongLoudness {
    double integratedLufs = 0; // EBU R128 integrated loudness
    double truePeakDb = 0; // highest true peak of any channel, dBTP
};

// Feeds decoded sound (interleaved 32-bit float, the rate and channel count
// given at construction) into a libebur128 meter (integrated loudness) and a
// true-peak meter of our own (four times oversampled; libebur128's costs
// three times the rest of the measurement). Not thread-safe; one per song;
// result() once, at the end.
class LoudnessMeter {
public:
    // Throws lumora::Error when the meter cannot be made (rate or channel
    // count out of range).
    LoudnessMeter(int sampleRate, int channels);
    ~LoudnessMeter();
    LoudnessMeter(const LoudnessMeter &) = delete;
    LoudnessMeter &operator=(const LoudnessMeter &) = delete;

    void add(const float *interleaved, long long frames);
    // An AVFrame of interleaved floats with this meter's channel count.
    void add(const AVFrame *frame);
    // Nothing when the song is silent (no block above the absolute gate).
    std::optional<SongLoudness> result() const;

private:
    struct State;
    std::unique_ptr<State> d;
};

// The text kept in a song's row: "integrated|truePeak" in dB with two
// decimals ("-18.25|-0.40"); "" for a silent or unmeasured song.
QString loudnessText(const std::optional<SongLoudness> &loudness);
std::optional<SongLoudness> loudnessFromText(const QString &text);

// The gain in dB that brings `loudness` to the target with its true peak at
// or under the ceiling (whichever is lower), capped at kMaxLoudnessGainDb.
double loudnessGainDb(const SongLoudness &loudness);
// The linear factor of a gain in dB.
double gainFactor(double gainDb);

// The gain in dB for music row `row` of the album: 0 when the album's
// loudness setting is off, the row is out of range or holds no measurement.
double songGainDb(const Album &album, int row);

} // namespace lumora
