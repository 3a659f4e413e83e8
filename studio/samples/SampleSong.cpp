// The sample song: score and synthesiser.
//
// Form (80 beats per minute, 4/4, one bar = 3 s, 24 bars = 72 s):
//   intro 2 bars | verse 8 bars | chorus 8 bars | reprise 4 bars | outro 2 bars
// Voices: a soft flute-like lead with vibrato, a piano (damped partials)
// playing broken chords, a round bass, a string pad in the chorus, soft
// drums, and a stereo room reverb.
#include "SampleSong.h"

#include <QRandomGenerator>
#include <QStringList>
#include <algorithm>
#include <array>
#include <cmath>
#include <numbers>

#include "app/Error.h"
#include "templates/TextCodec.h"

namespace lumora::studio {

namespace {

constexpr double kBpm = 80.0;
constexpr double kBeat = 60.0 / kBpm; // seconds
constexpr double kBar = 4 * kBeat;
constexpr int kBars = 24;
constexpr double kTwoPi = 2 * std::numbers::pi;

// ---- score ----

int midiOf(const QString &name)
{
    // "C4" = 60, "F#4", "Bb3".
    static const int base[] = {9, 11, 0, 2, 4, 5, 7}; // A B C D E F G
    int n = base[name[0].toLatin1() - 'A'];
    int i = 1;
    if (name[i] == QLatin1Char('#'))
        ++n, ++i;
    else if (name[i] == QLatin1Char('b'))
        --n, ++i;
    return n + 12 * (name.mid(i).toInt() + 1);
}

struct Note {
    double start; // seconds
    double length; // seconds
    int midi;
    float velocity; // 0..1
};

// Melody phrases, each two bars, written as "pitch/eighths" with r for a rest.
struct Phrase {
    int bar; // first bar (0-based)
    const char *notes;
};
const Phrase kMelody[] = {
    // verse: C Am | F G | C Am | F G
    {2, "r/1 E4/1 G4/1 G4/1 A4/1 G4/2 E4/1  E4/1 D4/1 C4/1 D4/1 E4/4"},
    {4, "r/1 F4/1 A4/1 C5/1 A4/2 G4/2  G4/1 F4/1 E4/1 D4/1 D4/4"},
    {6, "r/1 E4/1 G4/1 C5/1 B4/2 A4/1 G4/1  A4/1 G4/1 E4/2 C4/4"},
    {8, "r/1 F4/1 E4/1 D4/1 C4/2 D4/2  D4/3 E4/1 D4/4"},
    // chorus: F G | Em Am | Dm G | C C
    {10, "C5/2 C5/1 D5/1 C5/2 A4/2  B4/2 C5/1 D5/1 D5/4"},
    {12, "E5/2 D5/1 C5/1 B4/2 G4/2  C5/3 B4/1 A4/4"},
    {14, "r/1 A4/1 C5/1 D5/1 F5/2 E5/1 D5/1  D5/2 C5/1 B4/1 G4/4"},
    {16, "E5/2 D5/1 C5/1 D5/2 E5/2  C5/8"},
    // reprise: Dm G | C C
    {18, "r/1 A4/1 C5/1 D5/1 F5/2 E5/1 D5/1  D5/2 C5/1 B4/1 G4/4"},
    {20, "E5/2 D5/1 C5/1 D5/2 G5/2  E5/4 C5/4"},
};

// One chord per bar.
const char *const kChords[kBars] = {
    "F",  "G", // intro
    "C",  "Am", "F",  "G",  "C",  "Am", "F", "G", // verse
    "F",  "G",  "Em", "Am", "Dm", "G",  "C", "C", // chorus
    "Dm", "G",  "C",  "C", // reprise
    "F",  "C", // outro
};

enum class Section { Intro, Verse, Chorus, Reprise, Outro };
Section sectionOf(int bar)
{
    if (bar < 2)
        return Section::Intro;
    if (bar < 10)
        return Section::Verse;
    if (bar < 18)
        return Section::Chorus;
    if (bar < 22)
        return Section::Reprise;
    return Section::Outro;
}

// Root (MIDI, octave 3) and triad intervals of a chord name.
struct Chord {
    int root;
    std::array<int, 3> intervals;
};
Chord chordOf(const char *name)
{
    const QString n = QString::fromLatin1(name);
    const bool minor = n.endsWith(QLatin1Char('m'));
    const int root = midiOf((minor ? n.chopped(1) : n) + QStringLiteral("3"));
    return {root, minor ? std::array<int, 3>{0, 3, 7} : std::array<int, 3>{0, 4, 7}};
}

std::vector<Note> melodyNotes(std::vector<double> *phraseStarts = nullptr)
{
    std::vector<Note> out;
    const double eighth = kBeat / 2;
    for (const Phrase &p : kMelody) {
        double t = p.bar * kBar;
        bool first = true;
        for (const QString &token : QString::fromLatin1(p.notes).split(QLatin1Char(' '), Qt::SkipEmptyParts)) {
            const QStringList parts = token.split(QLatin1Char('/'));
            const double length = parts[1].toInt() * eighth;
            if (parts[0] != QLatin1String("r")) {
                if (first && phraseStarts)
                    phraseStarts->push_back(t);
                first = false;
                out.push_back({t, length, midiOf(parts[0]), 0.8f});
            }
            t += length;
        }
        if (std::abs(t - (p.bar + 2) * kBar) > 1e-9) // every phrase fills exactly two bars
            throw Error(QStringLiteral("示例歌曲第 %1 小节的乐句长度不对").arg(p.bar + 1));
    }
    return out;
}

// ---- synthesis ----

double hz(double midi)
{
    return 440.0 * std::pow(2.0, (midi - 69) / 12.0);
}

struct Stereo {
    std::vector<float> l, r;
    explicit Stereo(std::size_t n) : l(n), r(n) { }
    void add(std::size_t i, float v, float pan) // pan -1..1, constant power
    {
        const float a = float((pan + 1) * std::numbers::pi / 4);
        l[i] += v * std::cos(a);
        r[i] += v * std::sin(a);
    }
};

std::size_t sampleAt(double seconds)
{
    return std::size_t(std::max(0.0, seconds) * kSongSampleRate);
}

// Piano: each partial is a damped rotating phasor (exact and cheap); higher
// partials die faster, lower notes ring longer; the damper ends the note.
void piano(Stereo &dry, Stereo &wet, const Note &n, float pan)
{
    const double f0 = hz(n.midi);
    const double tau = 1.6 * std::pow(261.6 / f0, 0.4);
    const std::size_t begin = sampleAt(n.start);
    const std::size_t release = sampleAt(n.start + n.length);
    const std::size_t end = std::min(dry.l.size(), release + std::size_t(0.25 * kSongSampleRate));
    const double inharm = 0.0003;
    for (int k = 1; k <= 8; ++k) {
        const double fk = k * f0 * std::sqrt(1 + inharm * k * k);
        if (fk > 9000)
            break;
        const double amp = n.velocity * 0.16 / std::pow(k, 1.1 + 0.6 * (1 - n.velocity));
        const double decay = std::exp(-1.0 / ((tau / (1 + 0.45 * (k - 1))) * kSongSampleRate));
        const double damped = std::exp(-1.0 / (0.06 * kSongSampleRate));
        const double w = kTwoPi * fk / kSongSampleRate;
        const double cw = std::cos(w), sw = std::sin(w);
        double c = 1, s = 0, a = amp;
        for (std::size_t i = begin; i < end; ++i) {
            const double nc = c * cw - s * sw;
            s = c * sw + s * cw;
            c = nc;
            a *= i < release ? decay : damped;
            const double attack = std::min(1.0, double(i - begin) / (0.004 * kSongSampleRate));
            const float v = float(s * a * attack);
            dry.add(i, v, pan);
            wet.add(i, v * 0.35f, pan);
            if (a < 1e-5)
                break;
        }
    }
}

// Lead: a soft flute-like tone, a few harmonics, delayed vibrato, gentle
// attack and release, a touch of breath.
void lead(Stereo &dry, Stereo &wet, const Note &n, QRandomGenerator &rng)
{
    const double f0 = hz(n.midi);
    const std::size_t begin = sampleAt(n.start);
    const double held = n.length * 0.92;
    const std::size_t end = std::min(dry.l.size(), sampleAt(n.start + held + 0.18));
    double phase = 0;
    float breathLp = 0;
    for (std::size_t i = begin; i < end; ++i) {
        const double t = double(i - begin) / kSongSampleRate;
        const double vibDepth = 0.0045 * std::clamp((t - 0.25) / 0.3, 0.0, 1.0);
        const double f = f0 * (1 + vibDepth * std::sin(kTwoPi * 5.2 * t));
        phase += kTwoPi * f / kSongSampleRate;
        double env = std::min(1.0, t / 0.045);
        env *= 0.85 + 0.15 * std::exp(-t / 0.12);
        if (t > held)
            env *= std::exp(-(t - held) / 0.05);
        const double tone
            = std::sin(phase) + 0.22 * std::sin(2 * phase) + 0.09 * std::sin(3 * phase) + 0.03 * std::sin(4 * phase);
        breathLp += 0.08f * (float(rng.generateDouble() * 2 - 1) - breathLp);
        const float v = float((tone + 0.25 * breathLp * std::exp(-t / 0.08)) * env * n.velocity * 0.22);
        dry.add(i, v, 0.05f);
        wet.add(i, v * 0.45f, 0.05f);
    }
}

// A bell an octave above the lead, for sparkle in the chorus.
void bell(Stereo &dry, Stereo &wet, const Note &n)
{
    const double f = hz(n.midi + 12);
    const std::size_t begin = sampleAt(n.start);
    const std::size_t end = std::min(dry.l.size(), begin + std::size_t(1.2 * kSongSampleRate));
    for (std::size_t i = begin; i < end; ++i) {
        const double t = double(i - begin) / kSongSampleRate;
        const double mod = 1.2 * std::exp(-t / 0.25) * std::sin(kTwoPi * f * 3.5 * t);
        const float v = float(std::sin(kTwoPi * f * t + mod) * std::exp(-t / 0.45) * 0.035 * n.velocity);
        dry.add(i, v, 0.35f);
        wet.add(i, v * 0.6f, -0.35f);
    }
}

void bass(Stereo &dry, const Note &n)
{
    const double f = hz(n.midi);
    const std::size_t begin = sampleAt(n.start);
    const double held = n.length * 0.95;
    const std::size_t end = std::min(dry.l.size(), sampleAt(n.start + held + 0.1));
    for (std::size_t i = begin; i < end; ++i) {
        const double t = double(i - begin) / kSongSampleRate;
        double env = std::min(1.0, t / 0.006) * (0.55 + 0.45 * std::exp(-t / 0.35));
        if (t > held)
            env *= std::exp(-(t - held) / 0.03);
        const double p = kTwoPi * f * t;
        const float v
            = float((std::sin(p) + 0.28 * std::sin(2 * p) + 0.08 * std::sin(3 * p)) * env * n.velocity * 0.26);
        dry.add(i, v, 0);
    }
}

// Pad: three slightly detuned saws per side (band-limited with PolyBLEP),
// low-passed, slow attack and release.
void pad(Stereo &dry, Stereo &wet, const Note &n)
{
    const std::size_t begin = sampleAt(n.start);
    const std::size_t release = sampleAt(n.start + n.length);
    const std::size_t end = std::min(dry.l.size(), release + std::size_t(0.9 * kSongSampleRate));
    const double detune[2][3] = {{-0.11, 0.0, 0.07}, {-0.06, 0.0, 0.12}};
    for (int side = 0; side < 2; ++side) {
        double phase[3] = {0.1, 0.45, 0.8};
        double step[3];
        for (int v = 0; v < 3; ++v)
            step[v] = hz(n.midi + detune[side][v]) / kSongSampleRate;
        double lp1 = 0, lp2 = 0;
        const double cutoff = 1 - std::exp(-kTwoPi * 1500.0 / kSongSampleRate);
        for (std::size_t i = begin; i < end; ++i) {
            const double t = double(i - begin) / kSongSampleRate;
            double sum = 0;
            for (int v = 0; v < 3; ++v) {
                const double dt = step[v];
                phase[v] += dt;
                if (phase[v] >= 1)
                    phase[v] -= 1;
                double saw = 2 * phase[v] - 1;
                // PolyBLEP correction around the wrap
                const double p = phase[v];
                if (p < dt) {
                    const double x = p / dt;
                    saw -= x + x - x * x - 1;
                } else if (p > 1 - dt) {
                    const double x = (p - 1) / dt;
                    saw -= x * x + x + x + 1;
                }
                sum += saw;
            }
            lp1 += cutoff * (sum - lp1);
            lp2 += cutoff * (lp1 - lp2);
            double env = std::min(1.0, t / 0.7);
            if (i >= release)
                env *= std::exp(-double(i - release) / (0.35 * kSongSampleRate));
            const float v = float(lp2 * env * n.velocity * 0.018);
            (side == 0 ? dry.l : dry.r)[i] += v;
            (side == 0 ? wet.l : wet.r)[i] += v * 0.8f;
        }
    }
}

void kick(Stereo &dry, double start, float vel)
{
    const std::size_t begin = sampleAt(start);
    const std::size_t end = std::min(dry.l.size(), begin + std::size_t(0.35 * kSongSampleRate));
    double phase = 0;
    for (std::size_t i = begin; i < end; ++i) {
        const double t = double(i - begin) / kSongSampleRate;
        phase += kTwoPi * (48 + 80 * std::exp(-t / 0.035)) / kSongSampleRate;
        dry.add(i, float(std::sin(phase) * std::exp(-t / 0.14) * vel * 0.42), 0);
    }
}

void snare(Stereo &dry, Stereo &wet, double start, float vel, QRandomGenerator &rng, bool rim)
{
    const std::size_t begin = sampleAt(start);
    const std::size_t end = std::min(dry.l.size(), begin + std::size_t(0.25 * kSongSampleRate));
    float hp = 0, prev = 0;
    for (std::size_t i = begin; i < end; ++i) {
        const double t = double(i - begin) / kSongSampleRate;
        const float noise = float(rng.generateDouble() * 2 - 1);
        hp = 0.7f * (hp + noise - prev); // brighten the noise
        prev = noise;
        double v;
        if (rim)
            v = (std::sin(kTwoPi * 820 * t) * 0.5 + hp * 0.4) * std::exp(-t / 0.018);
        else
            v = std::sin(kTwoPi * 185 * t) * std::exp(-t / 0.05) * 0.6 + hp * std::exp(-t / 0.075) * 0.55;
        const float s = float(v * vel * 0.2);
        dry.add(i, s, -0.1f);
        wet.add(i, s * 0.5f, -0.1f);
    }
}

void hat(Stereo &dry, double start, float vel, QRandomGenerator &rng, double decay)
{
    const std::size_t begin = sampleAt(start);
    const std::size_t end = std::min(dry.l.size(), begin + std::size_t(decay * 6 * kSongSampleRate));
    float prev = 0, hp = 0;
    for (std::size_t i = begin; i < end; ++i) {
        const double t = double(i - begin) / kSongSampleRate;
        const float noise = float(rng.generateDouble() * 2 - 1);
        hp = 0.5f * (hp + noise - prev);
        prev = noise;
        dry.add(i, float(hp * std::exp(-t / decay) * vel * 0.09), 0.3f);
    }
}

// A small Freeverb-style room: parallel damped combs into series allpasses.
void reverb(const std::vector<float> &in, std::vector<float> &out, int spread)
{
    const int combs[] = {1116, 1188, 1277, 1356, 1422, 1491, 1557, 1617};
    const int allpasses[] = {556, 441, 341, 225};
    std::vector<std::vector<float>> cb, ab;
    std::vector<float> cstore(8, 0.f);
    std::vector<std::size_t> ci(8, 0), ai(4, 0);
    for (int c : combs)
        cb.emplace_back(std::size_t(c + spread), 0.f);
    for (int a : allpasses)
        ab.emplace_back(std::size_t(a + spread), 0.f);
    const float feedback = 0.8f, damp = 0.3f;
    out.assign(in.size(), 0.f);
    for (std::size_t i = 0; i < in.size(); ++i) {
        const float x = in[i] * 0.015f;
        float acc = 0;
        for (int c = 0; c < 8; ++c) {
            float &cell = cb[c][ci[c]];
            const float y = cell;
            cstore[c] = y * (1 - damp) + cstore[c] * damp;
            cell = x + cstore[c] * feedback;
            ci[c] = (ci[c] + 1) % cb[c].size();
            acc += y;
        }
        for (int a = 0; a < 4; ++a) {
            float &cell = ab[a][ai[a]];
            const float b = cell;
            cell = acc + b * 0.5f;
            acc = b - acc;
            ai[a] = (ai[a] + 1) % ab[a].size();
        }
        out[i] = acc;
    }
}

} // namespace

double sampleSongSeconds()
{
    return kBars * kBar;
}

std::vector<double> sampleSongPhraseStarts()
{
    std::vector<double> starts;
    melodyNotes(&starts);
    return starts;
}

std::vector<float> renderSampleSong()
{
    const std::size_t total = sampleAt(sampleSongSeconds());
    Stereo dry(total), wet(total);
    QRandomGenerator rng(20240501);
    auto humanize = [&](double t) { return t + (rng.generateDouble() - 0.5) * 0.012; };
    auto velocity = [&](float v) { return float(v * (0.92 + 0.08 * rng.generateDouble())); };

    // Melody, with the bell doubling in the chorus and reprise.
    for (const Note &n : melodyNotes()) {
        const int bar = int(n.start / kBar);
        const Section s = sectionOf(bar);
        Note m = n;
        m.velocity = s == Section::Verse ? 0.72f : 0.85f;
        lead(dry, wet, m, rng);
        if (s == Section::Chorus || s == Section::Reprise)
            bell(dry, wet, m);
    }

    for (int bar = 0; bar < kBars; ++bar) {
        const Chord chord = chordOf(kChords[bar]);
        const Section s = sectionOf(bar);
        const double t0 = bar * kBar;
        const bool last = bar == kBars - 1;

        // Piano: broken chords (root, fifth, tenth, fifth up ...) in eighths;
        // in the chorus a block chord on beats one and three with the arpeggio above.
        const int r = chord.root + 12;
        const int third = r + chord.intervals[1], fifth = r + chord.intervals[2];
        const int pattern[8] = {r, fifth, third + 12, fifth, r + 12, fifth, third + 12, fifth};
        if (last) {
            for (int p : {r - 12, r, third, fifth, r + 12, third + 12})
                piano(dry, wet, {t0 + (p - r) * 0.004, kBar * 0.95, p, 0.62f}, -0.15f);
        } else {
            for (int e = 0; e < 8; ++e) {
                const float v
                    = (e % 2 == 0 ? 0.55f : 0.42f) * (s == Section::Intro || s == Section::Outro ? 1.1f : 1.f);
                piano(dry, wet, {humanize(t0 + e * kBeat / 2), kBeat * 1.6, pattern[e], velocity(v)}, -0.2f);
            }
            if (s == Section::Chorus || s == Section::Reprise)
                for (int beat : {0, 2})
                    for (int p : {r, third, fifth})
                        piano(dry, wet, {humanize(t0 + beat * kBeat), kBeat * 1.8, p, velocity(0.38f)}, 0.15f);
        }

        // Pad under the chorus, the reprise and the outro.
        if (s == Section::Chorus || s == Section::Reprise || s == Section::Outro)
            for (int p : {r, third, fifth})
                pad(dry, wet, {t0, kBar, p, last ? 0.8f : 1.f});

        // Bass: root on one, fifth on three; a pickup in the chorus.
        if (s != Section::Intro) {
            const int root = chord.root - 12;
            if (last) {
                bass(dry, {t0, kBar * 0.9, root, 0.8f});
            } else {
                bass(dry, {humanize(t0), kBeat * 1.9, root, velocity(0.85f)});
                bass(dry,
                     {humanize(t0 + 2 * kBeat), kBeat * (s == Section::Verse ? 1.9 : 1.4),
                      root + (s == Section::Verse ? 7 : 12), velocity(0.7f)});
                if (s == Section::Chorus || s == Section::Reprise)
                    bass(dry, {humanize(t0 + 3.5 * kBeat), kBeat * 0.45, root + 7, velocity(0.6f)});
            }
        }

        // Drums: light in the verse (kick, rim, closed hat), fuller in the chorus.
        if (s == Section::Verse || s == Section::Chorus || s == Section::Reprise) {
            const bool full = s != Section::Verse;
            kick(dry, t0, 0.9f);
            kick(dry, humanize(t0 + 2 * kBeat), 0.75f);
            if (full)
                kick(dry, humanize(t0 + 2.5 * kBeat), 0.5f);
            for (int beat : {1, 3})
                snare(dry, wet, humanize(t0 + beat * kBeat), velocity(full ? 0.8f : 0.7f), rng, !full);
            for (int e = 0; e < 8; ++e)
                hat(dry, humanize(t0 + e * kBeat / 2), velocity(e % 2 == 0 ? 0.7f : 0.45f), rng,
                    full && e == 7 ? 0.06 : 0.02);
            if (bar == 10 || bar == 18) // a soft cymbal swell marks the chorus and the reprise
                hat(dry, t0, 1.2f, rng, 0.45);
        }
    }

    std::vector<float> rl, rr;
    reverb(wet.l, rl, 0);
    reverb(wet.r, rr, 23);

    // Master: sum, gentle saturation, normalise to -1 dBFS, fade the last seconds.
    std::vector<float> out(total * 2);
    float peak = 0;
    for (std::size_t i = 0; i < total; ++i) {
        const float l = std::tanh(dry.l[i] + rl[i] * 0.9f);
        const float r = std::tanh(dry.r[i] + rr[i] * 0.9f);
        out[2 * i] = l;
        out[2 * i + 1] = r;
        peak = std::max({peak, std::abs(l), std::abs(r)});
    }
    const float gain = peak > 0 ? 0.89f / peak : 1.f;
    const double fade = 2.5;
    for (std::size_t i = 0; i < total; ++i) {
        const double left = double(total - i) / kSongSampleRate;
        const double fadeIn = std::min(1.0, double(i) / (0.01 * kSongSampleRate));
        const float g = gain * float(std::min(1.0, left / fade) * fadeIn);
        out[2 * i] *= g;
        out[2 * i + 1] *= g;
    }
    return out;
}

QByteArray sampleLyricsLrc()
{
    // Our own words: a sweet day spent together, and the memory of it.
    static const char *const kLines[] = {
        "清晨阳光 洒满窗台",     "你的笑容 温柔盛开",     "牵着手走过 小小街角",   "风里都是 甜的味道",
        "甜蜜蜜的日子 一起走过", "晚风轻轻吹 星星在闪烁", "把这一天 悄悄收进心里", "回忆里 都是甜甜的你",
        "多年以后 翻开这一页",   "还是那样 甜蜜蜜",
    };
    const std::vector<double> starts = sampleSongPhraseStarts();
    if (starts.size() != std::size(kLines))
        throw Error(QStringLiteral("示例歌词行数与乐句数不一致"));
    auto stamp = [](double seconds) {
        const int hundredths = int(std::lround(std::max(0.0, seconds) * 100));
        return QStringLiteral("[%1:%2.%3]")
            .arg(hundredths / 6000, 2, 10, QLatin1Char('0'))
            .arg(hundredths / 100 % 60, 2, 10, QLatin1Char('0'))
            .arg(hundredths % 100, 2, 10, QLatin1Char('0'));
    };
    QStringList lrc
        = {QStringLiteral("[ti:甜蜜蜜]"), QStringLiteral("[ar:Lumora 原创]"), QStringLiteral("[al:Lumora 示例歌曲]"),
           QStringLiteral("[by:Lumora]"), stamp(1.0) + QStringLiteral("《甜蜜蜜》 词曲：Lumora")};
    // Each line appears a little before its first note is sung.
    for (std::size_t i = 0; i < starts.size(); ++i)
        lrc << stamp(starts[i] - 0.2) + QString::fromUtf8(kLines[i]);
    lrc << stamp(22 * kBar) + QStringLiteral("（完）");
    return encodeGbk(lrc.join(QStringLiteral("\r\n")) + QStringLiteral("\r\n"));
}

} // namespace lumora::studio
