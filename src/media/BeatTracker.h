#pragma once
// Finds the beats of a song from its decoded audio, fed frame by frame while
// the song is decoded once for all its measurements. The audio is mixed to
// mono and resampled to 22050 Hz, then aubio's tempo tracker (spectral-flux
// onsets, autocorrelation tempo, causal beat tracking) marks the beats. The
// strong beats come from the energy rise at each beat: when one beat in four
// carries clearly more than the other three, those are the bars' first beats;
// otherwise the quarter of the beats with the strongest rise.
//
// Works on the thread that decodes; touches nothing but itself.
#include <memory>

#include "media/SongBeats.h"

extern "C" {
struct AVFrame;
}

namespace lumora {

class BeatTracker {
public:
    static constexpr int kRate = 22050;
    static constexpr int kHop = 256; // 11.6 ms

    BeatTracker();
    ~BeatTracker();
    BeatTracker(const BeatTracker &) = delete;
    BeatTracker &operator=(const BeatTracker &) = delete;

    // A decoded frame in its own format, rate and layout.
    void push(const AVFrame *frame);
    // Mono samples at kRate (tests and callers that already hold them).
    void pushMono(const float *samples, long long count);
    SongBeats finish();

    // Processor time spent in push and finish, in seconds.
    double cpuSeconds() const { return m_cpuNs / 1e9; }

private:
    void runHop();
    struct Impl;
    std::unique_ptr<Impl> m_d;
    long long m_cpuNs = 0;
};

// Decides from the beats found and the tracker's confidence whether a song
// has a beat to cut pictures to, and marks the strong beats. `riseAtBeat`
// holds the energy rise found at each beat. Kept apart so that its rules are
// tested on their own.
void classifyBeats(SongBeats &beats, const std::vector<double> &riseAtBeat);

} // namespace lumora
