#pragma once
// Clock texts and frame time. The album runs at 25 frames per second; a frame
// count f stands for f div 25 whole seconds (fractions dropped).
#include <QString>

namespace lumora {

constexpr int kFramesPerSecond = 25;

// Whole seconds of a frame count: f div 25 (negative counts clamp to 0).
constexpr int frameSeconds(long long frames)
{
    return frames <= 0 ? 0 : int(frames / kFramesPerSecond);
}

// HH:MM:SS: hours = s div 3600, minutes = (s div 60) mod 60, seconds = s mod 60,
// each at least two digits (hours may have more).
QString clockTextHMS(long long seconds);
// MM:SS: minutes and seconds only (minutes = (s div 60) mod 60).
QString clockTextMS(long long seconds);
// Parses HH:MM:SS or MM:SS back to seconds; -1 when the text is not a clock text.
long long parseClockText(const QString &text);

} // namespace lumora
