// Beat sync end to end from songs made by the test: the plan's template
// changes on the clicks, the preview's timeline the same as production's,
// and the fallback for a song without a beat.
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include "../media/BeatFixtures.h"
#include "../media/MediaFixtures.h"
#include "ProductionFixture.h"
#include "album/Staging.h"
#include "media/MusicList.h"
#include "playback/PreviewTimeline.h"
#include "production/FrameComposer.h"
#include "production/ProductionRun.h"

using namespace lumora;

namespace {

OutputChoice beatChoice(const QString &folder)
{
    OutputChoice c = defaultOutputChoice(ModeKind::Wide16x9, OutputType::MP4);
    c.size = {320, 176};
    c.albumName = QStringLiteral("卡点");
    c.folder = folder;
    c.sync = SyncMode::Beat;
    return c;
}

long long nearestClick(const std::vector<long long> &clicks, long long ms)
{
    long long best = 1LL << 40;
    for (long long c : clicks)
        best = std::min(best, std::llabs(c - ms));
    return best;
}

// The video frames a production of `plan` composes, as the encoder takes
// them (frame j: the picture after j steps), each by the colour of a point
// away from the photo.
std::vector<QRgb> composedColours(Album &album, const ProductionPlan &plan)
{
    const QSize render(192, 108);
    StagingRequest request;
    request.target = render;
    request.production = true;
    stageAlbum(album, request);
    FrameComposer::Setup s;
    s.sync = plan.choice.sync;
    s.canvas = render;
    s.albumRect = QRect(QPoint(0, 0), render);
    s.totalFrames = plan.totalFrames;
    s.templateRows = plan.templateRows();
    s.playedFrames = plan.playedFrames();
    s.songs = plan.songs();
    FrameComposer c(album, s, nullptr, nullptr);
    c.start();
    std::vector<QRgb> colours{c.handOver().pixel(20, 60)};
    for (long long j = 1; j < plan.totalFrames; ++j) {
        c.composeNext();
        colours.push_back(c.handOver().pixel(20, 60));
    }
    return colours;
}

bool sameColour(QRgb a, QRgb b)
{
    return std::abs(qRed(a) - qRed(b)) + std::abs(qGreen(a) - qGreen(b)) + std::abs(qBlue(a) - qBlue(b)) < 30;
}

std::vector<long long> songLengths(const Album &album)
{
    std::vector<long long> v;
    for (int k = 0; k < album.ListView_daoru_yinyue.size(); ++k)
        v.push_back(measureSong(album.ListView_daoru_yinyue.cell(k, musiccol::kPath), SongParts::LengthOnly).lengthMs);
    return v;
}

} // namespace

// Click tracks at a steady tempo and with a tempo change halfway: every
// template change within one frame of a click, every fit within ±15 %, and
// the preview plays exactly the segments production composes.
TEST(BeatSync, ChangesOnTheClicks)
{
    std::vector<long long> change = test::steadyClicks(300, 500, 20000);
    for (long long t = change.back() + 667; t < 40000; t += 667)
        change.push_back(t);
    struct Case {
        const char *name;
        std::vector<long long> clicks;
    };
    for (const Case &c : {Case{"steady", test::steadyClicks(300, 500, 40000)}, Case{"tempo change", change}}) {
        SCOPED_TRACE(c.name);
        test::ProductionFixture fx(100, 75);
        Album album = fx.album();
        const QString song = fx.dir() + QStringLiteral("clicks.wav");
        test::writeClickTrack(song, c.clicks, 40000);
        music::addSong(album, song);
        ASSERT_TRUE(music::songBeats(album, 0).clear);

        const ProductionPlan plan = planProduction(album, beatChoice(fx.dir()));
        EXPECT_TRUE(plan.notices.isEmpty());
        EXPECT_EQ(plan.totalFrames, 1000);
        ASSERT_EQ(plan.fits.size(), size_t(plan.templateList.size()));
        ASSERT_GT(plan.fits.size(), 8u);
        for (size_t i = 0; i < plan.fits.size(); ++i) {
            const FittedTemplate &f = plan.fits[i];
            SCOPED_TRACE(i);
            if (f.fitted)
                EXPECT_LE(std::abs(f.rate - 1), kMaxFit + 1e-9);
            if (i > 0) {
                // The first frame of the next template is within one frame of a click.
                EXPECT_TRUE(plan.fits[i - 1].endsOnBeat);
                EXPECT_LE(nearestClick(c.clicks, f.start * 40), 40) << "change at frame " << f.start;
            }
        }

        // The preview's timeline is the plan's, frame for frame.
        std::vector<int> rows{0, 1};
        const PreviewTimeline t = PreviewTimeline::build(album, SyncMode::Beat, rows, songLengths(album));
        ASSERT_EQ(t.segments.size(), plan.fits.size());
        EXPECT_EQ(t.totalFrames, plan.totalFrames);
        const std::vector<int> planRows = plan.templateRows();
        for (size_t i = 0; i < t.segments.size(); ++i) {
            EXPECT_EQ(t.segments[i].start, plan.fits[i].start);
            EXPECT_EQ(t.segments[i].frames, plan.fits[i].frames);
            EXPECT_EQ(t.segments[i].fitted, plan.fits[i].fitted);
            EXPECT_EQ(t.segments[i].usedRow, planRows[i]);
        }
        EXPECT_EQ(t.effectSecondStarts, beatSecondStarts(plan.totalFrames, plan.beats.beats));

        // In the video the picture changes on the click too: the first frame
        // of each template is shown at its own time under the music (the two
        // templates differ from their first frame on, so each change of
        // template is a change of colour).
        const std::vector<QRgb> colours = composedColours(album, plan);
        EXPECT_TRUE(sameColour(colours[0], test::kFirstTemplateColour.rgb())) << "the first frame shows the album";
        std::vector<long long> changes, planned;
        for (size_t j = 1; j < colours.size(); ++j) {
            if (sameColour(colours[j], colours[j - 1]))
                continue;
            changes.push_back((long long)j);
            EXPECT_LE(nearestClick(c.clicks, (long long)j * 40), 40) << "video changes at frame " << j;
        }
        for (size_t i = 1; i < plan.fits.size(); ++i)
            planned.push_back(plan.fits[i].start);
        EXPECT_EQ(changes, planned) << "the video changes where the preview does";
    }
}

// A song without a beat falls back to music sync, with a notice naming it;
// a song added before beats were measured (an older album file) too.
TEST(BeatSync, NoBeatFallsBackToMusicSyncWithANotice)
{
    test::ProductionFixture fx(100, 75);
    Album album = fx.album();
    const QString song = fx.dir() + QStringLiteral("长音.wav");
    test::writeNoBeatSong(song, 30000);
    music::addSong(album, song);

    const ProductionPlan beat = planProduction(album, beatChoice(fx.dir()));
    ASSERT_EQ(beat.notices.size(), 1);
    EXPECT_TRUE(beat.notices[0].contains(QStringLiteral("《长音》"))) << beat.notices[0].toStdString();
    OutputChoice music = beatChoice(fx.dir());
    music.sync = SyncMode::Music;
    const ProductionPlan plain = planProduction(album, music);
    EXPECT_EQ(beat.templateRows(), plain.templateRows());
    EXPECT_EQ(beat.totalFrames, plain.totalFrames);
    for (const FittedTemplate &f : beat.fits)
        EXPECT_FALSE(f.fitted);
    EXPECT_EQ(beat.playedFrames(), std::vector<long long>(beat.fits.size(), 0));

    album.ListView_daoru_yinyue.setCell(0, musiccol::kBeats, QString());
    EXPECT_EQ(planProduction(album, beatChoice(fx.dir())).notices.size(), 1);
}
