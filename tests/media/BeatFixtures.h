#pragma once
// Synthetic songs for the beat tests, written as 16-bit mono WAV files at
// 44.1 kHz: click tracks whose click times the test knows, and a song with
// no beat at all (a held chord that swells slowly).
#include <QFile>
#include <QString>
#include <cmath>
#include <cstdint>
#include <vector>

namespace lumora::test {

inline void writeWav(const QString &path, const std::vector<float> &samples, int rate = 44100)
{
    QFile f(path);
    if (!f.open(QIODevice::WriteOnly))
        return;
    auto u32 = [&](uint32_t v) { f.write(reinterpret_cast<const char *>(&v), 4); };
    auto u16 = [&](uint16_t v) { f.write(reinterpret_cast<const char *>(&v), 2); };
    const uint32_t bytes = uint32_t(samples.size() * 2);
    f.write("RIFF");
    u32(36 + bytes);
    f.write("WAVEfmt ");
    u32(16);
    u16(1);
    u16(1);
    u32(uint32_t(rate));
    u32(uint32_t(rate * 2));
    u16(2);
    u16(16);
    f.write("data");
    u32(bytes);
    std::vector<int16_t> pcm(samples.size());
    for (size_t i = 0; i < samples.size(); ++i)
        pcm[i] = int16_t(std::lround(std::clamp(samples[i], -1.0f, 1.0f) * 32000));
    f.write(reinterpret_cast<const char *>(pcm.data()), qint64(bytes));
}

// Clicks at the given times (ms); every fourth click, from the first, is
// accented (the bar's first beat), the others half as loud.
inline std::vector<long long> writeClickTrack(const QString &path, const std::vector<long long> &clicksMs,
                                              long long lengthMs)
{
    const int rate = 44100;
    std::vector<float> s(size_t(lengthMs * rate / 1000), 0.0f);
    for (size_t k = 0; k < clicksMs.size(); ++k) {
        const float gain = k % 4 == 0 ? 0.9f : 0.45f;
        const size_t at = size_t(clicksMs[k] * rate / 1000);
        for (size_t i = 0; i < size_t(rate / 50) && at + i < s.size(); ++i) { // 20 ms
            const double t = double(i) / rate;
            s[at + i] += gain * float(std::exp(-t * 250) * std::sin(2 * M_PI * 1500 * t));
        }
    }
    writeWav(path, s, rate);
    return clicksMs;
}

// Clicks every `periodMs` from `firstMs` up to `endMs`.
inline std::vector<long long> steadyClicks(long long firstMs, long long periodMs, long long endMs)
{
    std::vector<long long> c;
    for (long long t = firstMs; t < endMs; t += periodMs)
        c.push_back(t);
    return c;
}

// A held chord that swells and fades over seconds: no onsets, no beat.
inline void writeNoBeatSong(const QString &path, long long lengthMs)
{
    const int rate = 44100;
    std::vector<float> s(size_t(lengthMs * rate / 1000));
    for (size_t i = 0; i < s.size(); ++i) {
        const double t = double(i) / rate;
        const double swell = 0.25 + 0.15 * std::sin(2 * M_PI * t / 7.3);
        s[i] = float(swell
                     * (std::sin(2 * M_PI * 220 * t) + 0.6 * std::sin(2 * M_PI * 277.2 * t)
                        + 0.5 * std::sin(2 * M_PI * 329.6 * t))
                     / 2.1);
    }
    writeWav(path, s, rate);
}

} // namespace lumora::test
