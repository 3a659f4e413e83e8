#include "media/Loudness.h"

#include <QCoreApplication>
#include <QStringList>
#include <algorithm>
#include <array>
#include <cmath>
#include <cstring>
#include <ebur128.h>
#include <vector>

#include "app/Album.h"
#include "app/Columns.h"
#include "app/Error.h"

extern "C" {
#include <libavutil/frame.h>
}

namespace lumora {

namespace {

// True peak: the signal oversampled four times (ITU-R BS.1770 asks for at
// least that at 48 kHz) by a 48-tap windowed-sinc interpolator in polyphase
// form: between samples n and n + 1 the values at n + 1/4, n + 2/4, n + 3/4
// are each a 12-tap dot product over x[n - 5] … x[n + 6]; the samples
// themselves are the fourth phase. A stretch whose largest sample, times the
// largest sum of absolute taps of a phase, cannot reach the peak found so far
// is skipped without loss: no interpolated value there can be higher. Loud
// passages are computed, quiet ones cost a scan.
constexpr int kTaps = 12;
constexpr int kBefore = 5; // taps before sample n
constexpr int kAfter = kTaps - kBefore - 1; // taps after it (6)
constexpr int kPhases = 3;
constexpr int kBlock = 64;

struct Interpolator {
    std::array<std::array<float, kTaps>, kPhases> taps{};
    float gainBound = 1.0f;

    Interpolator()
    {
        constexpr double kPi = 3.14159265358979323846;
        for (int p = 0; p < kPhases; ++p) {
            const double f = double(p + 1) / 4.0;
            double sum = 0, absSum = 0;
            for (int k = 0; k < kTaps; ++k) {
                const double t = f - double(k - kBefore); // distance from the sample to the point
                const double sinc = std::sin(kPi * t) / (kPi * t);
                const double w = 0.5 + 0.5 * std::cos(kPi * t / (kAfter + 1.0)); // Hann over ±7 samples
                taps[size_t(p)][size_t(k)] = float(sinc * w);
                sum += sinc * w;
            }
            for (int k = 0; k < kTaps; ++k) {
                taps[size_t(p)][size_t(k)] = float(taps[size_t(p)][size_t(k)] / sum); // unity gain at DC
                absSum += std::abs(taps[size_t(p)][size_t(k)]);
            }
            gainBound = std::max(gainBound, float(absSum));
        }
    }
};

const Interpolator &interpolator()
{
    static const Interpolator i;
    return i;
}

// Highest absolute interpolated value over the points between x[n] and
// x[n + 1] for n in [first, last), given peak so far; x[first - 5] …
// x[last + 5] must exist.
float interpolatedPeak(const float *x, int first, int last, float peak)
{
    const Interpolator &ip = interpolator();
    float y[kBlock];
    for (int n0 = first; n0 < last; n0 += kBlock) {
        const int count = std::min(kBlock, last - n0);
        float around = 0;
        for (int i = n0 - kBefore; i < n0 + count + kAfter; ++i)
            around = std::max(around, std::abs(x[i]));
        if (around * ip.gainBound <= peak)
            continue;
        const float *base = x + n0 - kBefore;
        if (count == kBlock) {
            // Four points at a time (GCC vector extension: SSE on x86-64).
            using V4 = float __attribute__((vector_size(16)));
            V4 best{0, 0, 0, 0};
            for (int p = 0; p < kPhases; ++p) {
                V4 acc[kBlock / 4] = {};
                for (int k = 0; k < kTaps; ++k) {
                    const float h = ip.taps[size_t(p)][size_t(k)];
                    const V4 hv{h, h, h, h};
                    const float *xs = base + k;
                    for (int i = 0; i < kBlock / 4; ++i) {
                        V4 v;
                        std::memcpy(&v, xs + 4 * i, sizeof v);
                        acc[i] += hv * v;
                    }
                }
                for (int i = 0; i < kBlock / 4; ++i) {
                    const V4 a = acc[i] < 0 ? -acc[i] : acc[i];
                    best = best > a ? best : a;
                }
            }
            peak = std::max({peak, best[0], best[1], best[2], best[3]});
            continue;
        }
        for (int p = 0; p < kPhases; ++p) {
            std::fill_n(y, count, 0.0f);
            for (int k = 0; k < kTaps; ++k) {
                const float h = ip.taps[size_t(p)][size_t(k)];
                const float *xs = base + k;
                for (int i = 0; i < count; ++i)
                    y[i] += h * xs[i];
            }
            for (int i = 0; i < count; ++i)
                peak = std::max(peak, std::abs(y[i]));
        }
    }
    return peak;
}

} // namespace

struct LoudnessMeter::State {
    ebur128_state *meter = nullptr;
    int channels = 0;
    // Per channel: the last samples of the previous call (the interpolator
    // looks 5 back and 6 ahead), then the new ones.
    std::vector<std::vector<float>> pending;
    float peak = 0;
    ~State()
    {
        if (meter)
            ebur128_destroy(&meter);
    }

    // Runs the interpolator over what `pending` allows, keeping the tail.
    void scan(int c, bool final)
    {
        std::vector<float> &x = pending[size_t(c)];
        if (final)
            x.insert(x.end(), size_t(kAfter + 1), 0.0f);
        const int size = int(x.size());
        const int last = size - kAfter - 1; // the last n with x[n + 6] present, plus one
        if (last <= kBefore)
            return;
        peak = interpolatedPeak(x.data(), kBefore, last, peak);
        x.erase(x.begin(), x.begin() + (last - kBefore));
    }
};

LoudnessMeter::LoudnessMeter(int sampleRate, int channels) : d(std::make_unique<State>())
{
    d->channels = channels;
    if (sampleRate > 0 && channels > 0)
        d->meter = ebur128_init(unsigned(channels), static_cast<unsigned long>(sampleRate), EBUR128_MODE_I);
    if (!d->meter)
        throw Error(QCoreApplication::translate("lumora::Loudness", "无法测量音量（采样率 %1，声道 %2）")
                        .arg(sampleRate)
                        .arg(channels));
    // The first samples have silence before them.
    d->pending.assign(size_t(channels), std::vector<float>(size_t(kBefore), 0.0f));
}

LoudnessMeter::~LoudnessMeter() = default;

void LoudnessMeter::add(const float *interleaved, long long frames)
{
    if (frames <= 0)
        return;
    ebur128_add_frames_float(d->meter, interleaved, size_t(frames));
    const int channels = d->channels;
    for (int c = 0; c < channels; ++c) {
        std::vector<float> &x = d->pending[size_t(c)];
        const size_t old = x.size();
        x.resize(old + size_t(frames));
        float samplePeak = d->peak;
        for (long long i = 0; i < frames; ++i) {
            const float v = interleaved[i * channels + c];
            x[old + size_t(i)] = v;
            samplePeak = std::max(samplePeak, std::abs(v));
        }
        d->peak = samplePeak;
        d->scan(c, false);
    }
}

void LoudnessMeter::add(const AVFrame *frame)
{
    add(reinterpret_cast<const float *>(frame->data[0]), frame->nb_samples);
}

std::optional<SongLoudness> LoudnessMeter::result() const
{
    double integrated = 0;
    if (ebur128_loudness_global(d->meter, &integrated) != EBUR128_SUCCESS || !std::isfinite(integrated))
        return std::nullopt;
    // The last samples have silence after them.
    State &state = *d;
    for (int c = 0; c < state.channels; ++c)
        state.scan(c, true);
    if (state.peak <= 0)
        return std::nullopt;
    return SongLoudness{integrated, 20.0 * std::log10(double(state.peak))};
}

QString loudnessText(const std::optional<SongLoudness> &loudness)
{
    if (!loudness)
        return {};
    return QStringLiteral("%1|%2").arg(loudness->integratedLufs, 0, 'f', 2).arg(loudness->truePeakDb, 0, 'f', 2);
}

std::optional<SongLoudness> loudnessFromText(const QString &text)
{
    const QStringList parts = text.split(QLatin1Char('|'));
    if (parts.size() != 2)
        return std::nullopt;
    bool okI = false, okP = false;
    const SongLoudness l{parts[0].toDouble(&okI), parts[1].toDouble(&okP)};
    // A hand-edited album file may hold anything: only plausible figures count.
    if (!okI || !okP || !std::isfinite(l.integratedLufs) || !std::isfinite(l.truePeakDb) || l.integratedLufs > 30
        || l.integratedLufs < -200 || l.truePeakDb > 60 || l.truePeakDb < -200)
        return std::nullopt;
    return l;
}

double loudnessGainDb(const SongLoudness &loudness)
{
    const double toTarget = kTargetLoudnessLufs - loudness.integratedLufs;
    const double toCeiling = kTruePeakCeilingDb - loudness.truePeakDb;
    return std::min({toTarget, toCeiling, kMaxLoudnessGainDb});
}

double gainFactor(double gainDb)
{
    return std::pow(10.0, gainDb / 20.0);
}

double songGainDb(const Album &album, int row)
{
    if (!album.settings.yinliangTongyi || row < 0 || row >= album.ListView_daoru_yinyue.size())
        return 0;
    const std::optional<SongLoudness> l
        = loudnessFromText(album.ListView_daoru_yinyue.row(row).cell(musiccol::kLoudness));
    return l ? loudnessGainDb(*l) : 0.0;
}

} // namespace lumora
