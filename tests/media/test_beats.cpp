#include <QTemporaryDir>
#include <gtest/gtest.h>

#include "BeatFixtures.h"
#include "media/BeatTracker.h"
#include "media/MusicList.h"
#include "media/SongBeats.h"

using namespace lumora;

namespace {

// Distance from `ms` to the nearest click.
long long nearestClick(const std::vector<long long> &clicks, long long ms)
{
    long long best = 1LL << 40;
    for (long long c : clicks)
        best = std::min(best, std::llabs(c - ms));
    return best;
}

} // namespace

// Click tracks made here: the beats found fall on the clicks, the tempo is
// the clicks' own, and the accented clicks (one in four) are the strong beats.
TEST(BeatTracker, FindsTheClicksOfClickTracks)
{
    QTemporaryDir dir;
    struct Case {
        const char *name;
        std::vector<long long> clicks;
        double tempo; // of the last half
    };
    std::vector<long long> change = test::steadyClicks(300, 500, 15000); // 120 bpm, then 90 bpm
    for (long long t = change.back() + 667; t < 30000; t += 667)
        change.push_back(t);
    const std::vector<Case> cases{
        {"steady 120", test::steadyClicks(300, 500, 30000), 120},
        {"steady 100", test::steadyClicks(150, 600, 30000), 100},
        {"120 then 90", change, 90},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        const QString path = dir.filePath(QString::fromLatin1(c.name) + QStringLiteral(".wav"));
        test::writeClickTrack(path, c.clicks, 30000);
        const SongMeasure m = measureSong(path);
        const SongBeats &b = m.beats;
        ASSERT_TRUE(b.analysed());
        EXPECT_TRUE(b.clear) << "confidence " << b.confidence;
        EXPECT_NEAR(b.tempoBpm, c.tempo, c.tempo * 0.04);
        // After the tracker has settled (4 s), every beat is on a click.
        int onClick = 0, counted = 0, strongOnAccent = 0, strong = 0;
        for (size_t i = 0; i < b.beatsMs.size(); ++i) {
            if (b.beatsMs[i] < 4000)
                continue;
            ++counted;
            const long long d = nearestClick(c.clicks, b.beatsMs[i]);
            onClick += d <= 25;

            if (b.strong[i]) {
                ++strong;
                // An accented click is one of every four, from the first.
                for (size_t k = 0; k < c.clicks.size(); k += 4)
                    if (std::llabs(c.clicks[k] - b.beatsMs[i]) <= 25)
                        ++strongOnAccent;
            }
        }
        EXPECT_GE(counted, 20);
        EXPECT_GE(onClick, counted * 95 / 100) << onClick << " of " << counted;
        EXPECT_GT(strong, 0);
        EXPECT_GE(strongOnAccent, strong * 9 / 10) << strongOnAccent << " of " << strong;
        EXPECT_GT(m.beatCpuSeconds, 0.0);
    }
}

TEST(BeatTracker, ASongWithoutBeatIsNotClear)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("chord.wav"));
    test::writeNoBeatSong(path, 30000);
    const SongBeats b = measureSong(path).beats;
    ASSERT_TRUE(b.analysed());
    EXPECT_FALSE(b.clear) << b.beatsMs.size() << " beats, confidence " << b.confidence << ", tempo " << b.tempoBpm;
}

TEST(SongBeats, TextRoundTripAndDamagedCells)
{
    SongBeats b;
    b.setAnalysed(true);
    b.beatsMs = {480, 980, 1490};
    b.strong = {true, false, false};
    b.tempoBpm = 120.5;
    b.confidence = 0.42;
    b.clear = true;
    const SongBeats back = SongBeats::fromText(b.toText());
    ASSERT_TRUE(back.analysed());
    EXPECT_EQ(back.beatsMs, b.beatsMs);
    EXPECT_EQ(back.strong, b.strong);
    EXPECT_DOUBLE_EQ(back.tempoBpm, 120.5);
    EXPECT_TRUE(back.clear);
    EXPECT_EQ(SongBeats().toText(), QString()); // not measured: an empty cell

    for (const char *bad : {"", "v2;120;0.4;1;100", "v1;120;0.4;1;500,400", "v1;x;0.4;1;100", "v1;120;0.4;2;100",
                            "v1;120;0.4;1;100,-5", "v1;120;0.4;1"}) {
        SCOPED_TRACE(bad);
        EXPECT_FALSE(SongBeats::fromText(QString::fromLatin1(bad)).analysed());
    }
    // A song without any beat is measured, with no beats.
    EXPECT_TRUE(SongBeats::fromText(QStringLiteral("v1;0;0;0;")).analysed());
}

// The bar is told from one beat in four rising more than the rest; without
// such a phase the strongest quarter of the beats are strong.
TEST(BeatTracker, StrongBeats)
{
    SongBeats b;
    for (int i = 0; i < 16; ++i)
        b.beatsMs.push_back(500 * i + 200);
    b.tempoBpm = 120;
    b.confidence = 0.5;
    std::vector<double> rise(16, 1.0);
    for (int i = 2; i < 16; i += 4)
        rise[size_t(i)] = 2.0;
    classifyBeats(b, rise);
    EXPECT_TRUE(b.clear);
    for (int i = 0; i < 16; ++i)
        EXPECT_EQ(b.strong[size_t(i)], i % 4 == 2) << i;

    std::vector<double> flat(16, 1.0);
    flat[5] = flat[6] = flat[11] = flat[12] = 3.0; // one in each phase: no bar
    classifyBeats(b, flat);
    EXPECT_EQ(std::count(b.strong.begin(), b.strong.end(), true), 4);
    EXPECT_TRUE(b.strong[5] && b.strong[6] && b.strong[11] && b.strong[12]);

    // Irregular intervals (rubato): no clear beat, whatever the tracker says.
    SongBeats r = b;
    long long t = 0;
    for (int i = 0; i < 16; ++i)
        r.beatsMs[size_t(i)] = t += (i % 2 ? 380 : 720);
    classifyBeats(r, flat);
    EXPECT_FALSE(r.clear);
}
