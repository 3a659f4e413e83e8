#include "media/BeatTracker.h"

#include <QCoreApplication>

#include <aubio/aubio.h>

#include <algorithm>
#include <cmath>
#include <ctime>
#include <functional>

#include "app/Error.h"
#include "media/FfmpegHandles.h"

namespace lumora {

namespace {
long long threadNs()
{
    timespec ts{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &ts);
    return (long long)ts.tv_sec * 1000000000LL + ts.tv_nsec;
}

struct TempoDeleter {
    void operator()(aubio_tempo_t *t) const { del_aubio_tempo(t); }
};
struct FvecDeleter {
    void operator()(fvec_t *v) const { del_fvec(v); }
};

// The rules for a beat clear enough to cut to.
constexpr int kFewestBeats = 8;
constexpr double kSlowestBpm = 40;
constexpr double kFastestBpm = 250;
// Neighbouring beat intervals agree within this ratio on a steady beat; a
// tempo that changes now and then keeps most pairs in agreement, rubato and
// speech do not.
constexpr double kIntervalAgreement = 0.15;
constexpr double kSteadyShare = 0.7;
// The tracker's confidence below which its tempo is a guess.
constexpr double kLowestConfidence = 0.2;
// How strongly the beats keep to the tracker's period (a spacing off by 10 %
// costs a fifth of an average onset, one off by a third 1.7 of them).
constexpr double kTightness = 20;
// One beat in four carries this much more rise than any other phase: the bar
// can be told.
constexpr double kBarContrast = 1.25;
} // namespace

struct BeatTracker::Impl {
    std::unique_ptr<aubio_tempo_t, TempoDeleter> tempo;
    std::unique_ptr<fvec_t, FvecDeleter> in;
    std::unique_ptr<fvec_t, FvecDeleter> out;
    av::SwrPtr swr;
    std::vector<float> pending; // mono samples not yet a whole hop
    std::vector<float> converted;
    std::vector<double> energy; // per hop
    std::vector<double> period; // the tracker's beat period at each hop, in hops (0: none yet)
    std::vector<long long> beatsMs;
    uint_t lastBeat = 0;
    double confidenceSum = 0;
    int confidenceCount = 0;
};

BeatTracker::BeatTracker() : m_d(std::make_unique<Impl>())
{
    m_d->tempo.reset(new_aubio_tempo("default", 4 * kHop, kHop, kRate));
    m_d->in.reset(new_fvec(kHop));
    m_d->out.reset(new_fvec(1));
    // The tracker drops a beat that falls in a quiet hop (below -90 dB by
    // default): the gaps of a sparse beat, a click track's silence. Beats
    // are kept through quiet passages; how sure the tempo is decides.
    if (m_d->tempo)
        aubio_tempo_set_silence(m_d->tempo.get(), -1000);
    if (!m_d->tempo || !m_d->in || !m_d->out)
        throw Error(QCoreApplication::translate("lumora::BeatTracker", "节拍分析无法启动"));
}

BeatTracker::~BeatTracker() = default;

void BeatTracker::push(const AVFrame *frame)
{
    if (!frame || frame->nb_samples <= 0)
        return;
    const long long t0 = threadNs();
    if (!m_d->swr) {
        AVChannelLayout mono = AV_CHANNEL_LAYOUT_MONO;
        AVChannelLayout in{};
        av_channel_layout_copy(&in, &frame->ch_layout);
        SwrContext *swr = nullptr;
        const int rc = swr_alloc_set_opts2(&swr, &mono, AV_SAMPLE_FMT_FLT, kRate, &in, AVSampleFormat(frame->format),
                                           frame->sample_rate, 0, nullptr);
        av_channel_layout_uninit(&in);
        if (rc < 0 || !swr)
            throw Error(QCoreApplication::translate("lumora::BeatTracker", "节拍分析无法重采样"));
        m_d->swr.reset(swr);
        if (swr_init(swr) < 0)
            throw Error(QCoreApplication::translate("lumora::BeatTracker", "节拍分析无法重采样"));
    }
    const int room = swr_get_out_samples(m_d->swr.get(), frame->nb_samples);
    m_d->converted.resize(size_t(std::max(room, 0)));
    uint8_t *outPlanes[1] = {reinterpret_cast<uint8_t *>(m_d->converted.data())};
    const int got = swr_convert(m_d->swr.get(), outPlanes, room, const_cast<const uint8_t **>(frame->extended_data),
                                frame->nb_samples);
    m_cpuNs += threadNs() - t0;
    if (got > 0)
        pushMono(m_d->converted.data(), got);
}

void BeatTracker::pushMono(const float *samples, long long count)
{
    const long long t0 = threadNs();
    m_d->pending.insert(m_d->pending.end(), samples, samples + count);
    size_t at = 0;
    while (m_d->pending.size() - at >= size_t(kHop)) {
        std::copy_n(m_d->pending.begin() + std::ptrdiff_t(at), kHop, m_d->in->data);
        runHop();
        at += kHop;
    }
    m_d->pending.erase(m_d->pending.begin(), m_d->pending.begin() + std::ptrdiff_t(at));
    m_cpuNs += threadNs() - t0;
}

void BeatTracker::runHop()
{
    double e = 0;
    for (int i = 0; i < kHop; ++i)
        e += double(m_d->in->data[i]) * m_d->in->data[i];
    m_d->energy.push_back(e);
    aubio_tempo_do(m_d->tempo.get(), m_d->in.get(), m_d->out.get());
    m_d->period.push_back(aubio_tempo_get_period(m_d->tempo.get()) / double(kHop));
    // A beat in this hop moves the tracker's last beat (its output holds the
    // beat's place within the hop, which is 0 for a beat on the hop's start,
    // so the output alone misses those).
    const uint_t last = aubio_tempo_get_last(m_d->tempo.get());
    if (last != m_d->lastBeat) {
        m_d->lastBeat = last;
        const long long ms = std::llround(aubio_tempo_get_last_ms(m_d->tempo.get()));
        if (ms >= 0 && (m_d->beatsMs.empty() || ms > m_d->beatsMs.back()))
            m_d->beatsMs.push_back(ms);
        m_d->confidenceSum += aubio_tempo_get_confidence(m_d->tempo.get());
        ++m_d->confidenceCount;
    }
}

SongBeats BeatTracker::finish()
{
    const long long t0 = threadNs();
    if (m_d->swr) { // the resampler's last samples
        float tail[512];
        uint8_t *outPlanes[1] = {reinterpret_cast<uint8_t *>(tail)};
        int got;
        while ((got = swr_convert(m_d->swr.get(), outPlanes, 512, nullptr, 0)) > 0)
            pushMono(tail, got);
    }
    SongBeats b;
    b.setAnalysed(true);
    b.beatsMs = m_d->beatsMs;
    b.tempoBpm = aubio_tempo_get_bpm(m_d->tempo.get());
    b.confidence = m_d->confidenceCount > 0 ? m_d->confidenceSum / m_d->confidenceCount : 0;

    // The tracker's own beats keep to its tempo grid and drift off the notes
    // (tens of milliseconds within seconds, more after a change of tempo).
    // The beats are placed again on the onsets (the energy rise of each hop)
    // by dynamic programming: the path of onsets whose spacing stays nearest
    // the tracker's period at that moment (the tempo it has followed).
    const std::vector<double> &e = m_d->energy;
    const size_t n = e.size();
    std::vector<double> onset(n, 0.0);
    double sq = 0;
    for (size_t h = 1; h < n; ++h) {
        onset[h] = std::sqrt(std::max(0.0, e[h] - e[h - 1]));
        sq += onset[h] * onset[h];
    }
    const double spread = n > 1 ? std::sqrt(sq / double(n - 1)) : 0;
    const double finalPeriod = b.tempoBpm > 0 ? 60.0 * kRate / kHop / b.tempoBpm : 0;
    std::vector<long long> placed;
    std::vector<double> rise;
    if (spread > 0 && finalPeriod > 1) {
        for (double &o : onset)
            o /= spread;
        std::vector<double> score(n, 0.0);
        std::vector<long long> back(n, -1);
        for (size_t t = 0; t < n; ++t) {
            // The tracker's period of the moment, taken to the octave of the
            // song's tempo (it flips to half or double the beat for seconds).
            double p = m_d->period[t] > 1 ? m_d->period[t] : finalPeriod;
            while (p < 0.7 * finalPeriod)
                p *= 2;
            while (p > 1.45 * finalPeriod)
                p /= 2;
            const long long from = (long long)t - (long long)std::llround(2 * p);
            const long long to = (long long)t - (long long)std::llround(p / 2);
            double best = 0;
            long long arg = -1;
            for (long long q = std::max(0LL, from); q <= to; ++q) {
                const double l = std::log(double((long long)t - q) / p);
                const double v = score[size_t(q)] - kTightness * l * l;
                if (arg < 0 || v > best) {
                    best = v;
                    arg = q;
                }
            }
            score[t] = onset[t] + (arg >= 0 ? std::max(0.0, best) : 0.0);
            back[t] = arg >= 0 && best > 0 ? arg : -1;
        }
        // The path ends on the best score within the last period.
        size_t end = n - 1;
        for (size_t t = n > size_t(finalPeriod) ? n - size_t(finalPeriod) : 0; t < n; ++t)
            if (score[t] > score[end])
                end = t;
        std::vector<long long> path;
        for (long long t = (long long)end; t >= 0; t = back[size_t(t)])
            path.push_back(t);
        std::reverse(path.begin(), path.end());
        for (long long h : path) {
            placed.push_back(h * kHop * 1000 / kRate);
            rise.push_back(e[size_t(h)] - (h > 0 ? e[size_t(h - 1)] : 0.0));
        }
    }
    b.beatsMs = std::move(placed);
    classifyBeats(b, rise);
    m_cpuNs += threadNs() - t0;
    return b;
}

void classifyBeats(SongBeats &b, const std::vector<double> &rise)
{
    const size_t n = b.beatsMs.size();
    b.strong.assign(n, false);
    int steady = 0, pairs = 0;
    for (size_t i = 2; i < n; ++i) {
        const double a = double(b.beatsMs[i - 1] - b.beatsMs[i - 2]);
        const double c = double(b.beatsMs[i] - b.beatsMs[i - 1]);
        ++pairs;
        if (a > 0 && c > 0 && std::abs(c / a - 1) <= kIntervalAgreement)
            ++steady;
    }
    b.clear = int(n) >= kFewestBeats && b.tempoBpm >= kSlowestBpm && b.tempoBpm <= kFastestBpm
        && b.confidence >= kLowestConfidence && pairs > 0 && double(steady) / pairs >= kSteadyShare;
    if (n == 0 || rise.size() != n)
        return;

    // One beat in four as the bars' first beats, when that phase stands out.
    double phase[4] = {0, 0, 0, 0};
    int count[4] = {0, 0, 0, 0};
    for (size_t i = 0; i < n; ++i) {
        phase[i % 4] += rise[i];
        ++count[i % 4];
    }
    int best = 0;
    for (int k = 0; k < 4; ++k) {
        phase[k] = count[k] > 0 ? phase[k] / count[k] : 0;
        if (phase[k] > phase[best])
            best = k;
    }
    double second = 0;
    for (int k = 0; k < 4; ++k)
        if (k != best)
            second = std::max(second, phase[k]);
    if (n >= 8 && phase[best] > 0 && phase[best] >= kBarContrast * second) {
        for (size_t i = size_t(best); i < n; i += 4)
            b.strong[i] = true;
        return;
    }
    // The bar cannot be told: the quarter of the beats with the strongest
    // rise, if they stand above the middle (all alike: none is strong).
    std::vector<double> sorted = rise;
    std::sort(sorted.begin(), sorted.end(), std::greater<>());
    const double cut = sorted[std::max<size_t>(1, n / 4) - 1];
    const double middle = sorted[n / 2];
    for (size_t i = 0; i < n; ++i)
        b.strong[i] = rise[i] >= cut && rise[i] > middle;
}

} // namespace lumora
