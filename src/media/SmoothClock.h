#pragma once
// A steady clock slaved to a clock that moves in small jumps: an audio
// device's played time, which the sound server corrects every few seconds
// (about +20 ms at once with PulseAudio). A picture paced by the jumping
// clock would show the frame after each jump late; paced by this one it
// moves evenly and stays with the sound.
//
// follow(raw, now) returns the smoothed time for the raw reading `raw` (ms)
// taken at `now` (steady microseconds): a steady clock whose offset moves
// toward the raw one with a time constant of kFollowMs, that snaps to it
// when the two are more than kSnapMs apart, that is never more than kAheadMs
// ahead of it (when the device holds, as it does while it starts, the sound
// has not moved on either), and that never goes back. Just
// after a start the device's report runs slow or fast while the server
// measures its latency, so the time constant grows from kStartFollowMs to
// kFollowMs over the first second.
// reset() forgets the past (after a start, stop or seek).
//
// Threads: one caller at a time.
#include <QtGlobal>
#include <algorithm>
#include <cmath>

namespace lumora {

class SmoothClock {
public:
    static constexpr double kSnapMs = 40.0;
    static constexpr double kFollowMs = 250.0;
    static constexpr double kStartFollowMs = 40.0;
    static constexpr double kAheadMs = 10.0;

    void reset() { m_anchored = false; }
    double follow(double rawMs, qint64 nowUs)
    {
        if (!m_anchored) {
            m_anchored = true;
            m_anchorMs = m_lastMs = rawMs;
            m_anchorUs = m_lastUs = m_startUs = nowUs;
            return rawMs;
        }
        double est = m_anchorMs + double(nowUs - m_anchorUs) / 1000.0;
        const double err = rawMs - est;
        if (std::abs(err) > kSnapMs) {
            m_anchorMs = est = rawMs;
            m_anchorUs = nowUs;
        } else {
            const double follow = std::clamp(double(nowUs - m_startUs) / 1000.0 / 4.0, kStartFollowMs, kFollowMs);
            const double k = std::min(1.0, double(nowUs - m_lastUs) / 1000.0 / follow);
            m_anchorMs += err * k;
            est += err * k;
        }
        if (est > rawMs + kAheadMs) {
            m_anchorMs = est = rawMs + kAheadMs;
            m_anchorUs = nowUs;
        }
        m_lastUs = nowUs;
        m_lastMs = std::max(m_lastMs, est);
        return m_lastMs;
    }

private:
    bool m_anchored = false;
    double m_anchorMs = 0, m_lastMs = 0;
    qint64 m_anchorUs = 0, m_lastUs = 0, m_startUs = 0;
};

} // namespace lumora
