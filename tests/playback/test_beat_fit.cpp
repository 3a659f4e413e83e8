// Beat sync's timing: templates fitted to change on beats, the effect clock
// whose seconds begin on beats, and a movie played over a fitted frame count.
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include "MovieFixtures.h"
#include "image/ImageIO.h"
#include "playback/BeatFit.h"
#include "playback/MoviePlayer.h"
#include "resources/PackedFile.h"

using namespace lumora;

namespace {

std::vector<AlbumBeat> beatsEvery(double periodMs, long long firstMs, long long endMs, int strongEvery = 4)
{
    std::vector<AlbumBeat> b;
    int i = 0;
    for (double t = double(firstMs); t < double(endMs); t += periodMs, ++i) {
        AlbumBeat beat;
        beat.ms = std::llround(t);
        beat.frame = (beat.ms + 20) / 40;
        beat.strong = strongEvery > 0 && i % strongEvery == 0;
        b.push_back(beat);
    }
    return b;
}

const AlbumBeat *beatAt(const std::vector<AlbumBeat> &beats, long long frame)
{
    for (const AlbumBeat &b : beats)
        if (b.frame == frame)
            return &b;
    return nullptr;
}

} // namespace

// Every change lands on a beat (a strong one whenever one is in reach), the
// fit stays within ±15 % in length and rate, the templates repeat in order
// and the album ends with the music.
TEST(BeatFit, ChangesLandOnBeatsWithinTheFit)
{
    std::vector<AlbumBeat> change = beatsEvery(500, 300, 30000);
    for (const AlbumBeat &b : beatsEvery(667, 30300, 60000))
        change.push_back(b);
    struct Case {
        const char *name;
        std::vector<AlbumBeat> beats;
    };
    const std::vector<long long> own{100, 75, 130, 60};
    for (const Case &c : {Case{"steady 120", beatsEvery(500, 300, 60000)}, Case{"120 then 90", change},
                          Case{"fast 170", beatsEvery(353, 100, 60000, 0)}}) {
        SCOPED_TRACE(c.name);
        const long long total = 1500;
        const auto fits = fitTemplatesToBeats(own, total, c.beats);
        ASSERT_GT(fits.size(), 10u);
        long long at = 0;
        for (size_t i = 0; i < fits.size(); ++i) {
            const FittedTemplate &f = fits[i];
            SCOPED_TRACE(i);
            EXPECT_EQ(f.index, i % own.size());
            EXPECT_EQ(f.start, at);
            at += f.frames;
            if (f.fitted) {
                EXPECT_LE(std::abs(f.rate - 1), kMaxFit + 1e-9);
                EXPECT_LE(std::abs(double(f.frames) / double(f.ownFrames) - 1), kMaxFit + 1e-9);
                EXPECT_DOUBLE_EQ(f.rate, double(f.ownFrames - 1) / double(f.frames - 1));
            }
            if (i + 1 < fits.size()) {
                // Beats every 12.5 to 16.7 frames: one is always in reach.
                ASSERT_TRUE(f.endsOnBeat);
                const AlbumBeat *b = beatAt(c.beats, at);
                ASSERT_NE(b, nullptr) << "change at frame " << at << " is on no beat";
                EXPECT_LE(std::llabs(at * 40 - b->ms), 20);
                EXPECT_EQ(f.endsOnStrongBeat, b->strong);
                // A strong beat in reach is taken.
                bool strongInReach = false;
                for (const AlbumBeat &s : c.beats) {
                    const long long shown = s.frame - f.start;
                    if (s.strong && shown >= 2 && s.frame < total
                        && std::abs(double(shown) / double(f.ownFrames) - 1) <= kMaxFit
                        && std::abs(fittedRate(f.ownFrames, shown) - 1) <= kMaxFit)
                        strongInReach = true;
                }
                EXPECT_EQ(b->strong, strongInReach);
            }
        }
        EXPECT_EQ(at, total);
    }
}

// Without beats (a song with no clear beat) the templates keep their own
// length, as in music sync: the last one is cut at the album's end.
TEST(BeatFit, NoBeatsKeepsMusicSync)
{
    const auto fits = fitTemplatesToBeats({100, 75}, 400, {});
    ASSERT_EQ(fits.size(), 5u);
    long long at = 0;
    for (const FittedTemplate &f : fits) {
        EXPECT_EQ(f.start, at);
        at += f.frames;
        EXPECT_FALSE(f.endsOnBeat);
    }
    EXPECT_EQ(fits[0].frames, 100);
    EXPECT_FALSE(fits[0].fitted);
    EXPECT_EQ(fits[1].frames, 75);
    EXPECT_EQ(fits.back().frames, 400 - 350); // cut
    EXPECT_FALSE(fits.back().fitted);
    EXPECT_EQ(at, 400);
    // Beats too far apart to be reached keep the own length too.
    const auto sparse = fitTemplatesToBeats({100}, 1000, beatsEvery(8000, 200, 40000));
    EXPECT_EQ(sparse[0].frames, 100);
    EXPECT_FALSE(sparse[0].endsOnBeat);
    EXPECT_TRUE(fitTemplatesToBeats({}, 100, {}).empty());
    EXPECT_TRUE(fitTemplatesToBeats({0}, 100, {}).empty()); // never loops on a template without frames
}

// The effect clock's seconds begin on beats: second S at the first beat at
// or after S × 25 frames when one falls within that second, every second
// shown for at least one frame, and the clock never runs backwards.
TEST(BeatFit, EffectSecondsBeginOnBeats)
{
    const auto beats = beatsEvery(700, 330, 22000);
    const auto starts = beatSecondStarts(500, beats);
    ASSERT_EQ(starts.size(), 21u);
    EXPECT_EQ(starts[0], 0);
    for (size_t s = 1; s < starts.size(); ++s) {
        EXPECT_GT(starts[s], starts[s - 1]);
        EXPECT_GE(starts[s], (long long)s * 25);
        EXPECT_LT(starts[s], (long long)s * 25 + 25);
        EXPECT_NE(beatAt(beats, starts[s]), nullptr) << "second " << s;
    }
    long long last = 0;
    for (long long n = 0; n < 600; ++n) {
        const long long sec = beatEffectSecond(n, starts);
        EXPECT_GE(sec, last);
        EXPECT_LE(sec - last, 1);
        last = sec;
        if (n < 500) {
            EXPECT_EQ(sec, std::upper_bound(starts.begin(), starts.end(), n) - starts.begin() - 1);
        }
    }
    // Without beats the clock is the plain one.
    EXPECT_EQ(beatEffectSecond(77, {}), 3);
}

// A movie played over a fitted frame count starts and ends on its own first
// and last pictures, and its motion is drawn at the fitted times: each frame
// moves on by the same step (no repeated or skipped step), within the
// smoothness bound of the authored templates (0.05 px per frame²).
TEST(BeatFit, FittedMovieMovesEvenly)
{
    QTemporaryDir dir;
    const QString folder = dir.path() + u'/';
    writeJpeg(test::solid(320, 90, QColor(0, 0, 0)), folder + QStringLiteral("wj_y_l_b_j.jpg"));
    writeFileBytes(folder + QStringLiteral("m.rar"),
                   test::templateMovie(100, QStringLiteral(R"(,{"type":"rect","rect":[0,30,20,30],"fill":"#ffffff",
                                           "anim":{"x":[[0,0,"linear"],[99,280]]}})"),
                                       320, 90));
    auto centroid = [](const QImage &img) {
        double sum = 0, weight = 0;
        for (int y = 0; y < img.height(); ++y)
            for (int x = 0; x < img.width(); ++x) {
                const double v = qGray(img.pixel(x, y));
                sum += v * x;
                weight += v;
            }
        return weight > 0 ? sum / weight : -1.0;
    };
    MoviePlayer own;
    own.load(folder + QStringLiteral("m.rar"));
    QImage first(320, 90, QImage::Format_RGB32), last(320, 90, QImage::Format_RGB32);
    own.renderFrame(0, first);
    own.renderFrame(99, last);
    for (int played : {87, 100, 115}) {
        SCOPED_TRACE(played);
        MoviePlayer p;
        p.load(folder + QStringLiteral("m.rar"));
        p.setPlayedFrames(played);
        EXPECT_EQ(p.totalFrames(), played);
        EXPECT_EQ(p.movieFrames(), 100);
        std::vector<double> x;
        QImage img(320, 90, QImage::Format_RGB32);
        for (int n = 0; n < played; ++n) {
            p.setFrameNum(n);
            p.renderInto(img);
            x.push_back(centroid(img));
            if (n == 0) {
                EXPECT_EQ(img, first);
            }
            if (n == played - 1) {
                EXPECT_EQ(img, last);
            }
        }
        const double step = 280.0 / (played - 1);
        for (size_t n = 1; n < x.size(); ++n) {
            EXPECT_NEAR(x[n] - x[n - 1], step, 0.1) << "frame " << n; // never a repeat (0) or a skip (2 steps)
            if (n >= 2) {
                EXPECT_LE(std::abs((x[n] - x[n - 1]) - (x[n - 1] - x[n - 2])), 0.05) << "frame " << n;
            }
        }
        // A load plays at the movie's own count again.
        p.load(folder + QStringLiteral("m.rar"));
        EXPECT_EQ(p.totalFrames(), 100);
    }
}
