#include <QFile>
#include <QPainter>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include "../media/MediaFixtures.h"
#include "ProductionFixture.h"
#include "album/Staging.h"
#include "app/Error.h"
#include "media/AudioDecoder.h"
#include "media/Loudness.h"
#include "media/MusicList.h"
#include "production/FrameComposer.h"
#include "production/ProductionRun.h"

using namespace lumora;
using test::near;

namespace {

OutputChoice smallChoice(const QString &folder, OutputType type = OutputType::MP4, QSize size = {320, 176})
{
    OutputChoice c = defaultOutputChoice(ModeKind::Wide16x9, type);
    c.size = size;
    c.albumName = QStringLiteral("测试相册");
    c.folder = folder;
    return c;
}

QString song(const QString &folder, double seconds, const QString &name = QStringLiteral("歌"))
{
    const QString path = folder + name + QStringLiteral(".mp3");
    test::makeSineMp3(path, seconds);
    return path;
}

// Lyric-band pixels that are nearly white (the default lyric colour).
int whiteInBand(const QImage &frame, int top, int bottom)
{
    int n = 0;
    for (int y = top; y < bottom; ++y)
        for (int x = 0; x < frame.width(); ++x) {
            const QRgb c = frame.pixel(x, y);
            n += qRed(c) > 200 && qGreen(c) > 200 && qBlue(c) > 200;
        }
    return n;
}

} // namespace

TEST(ProductionPlan, MusicCoversTheTemplatesAndMusicSyncRepeatsThem)
{
    test::ProductionFixture fx(600, 400);
    Album album = fx.album();
    music::addSong(album, song(fx.dir(), 30.0));
    ASSERT_EQ(album.ListView_moban_shiyong.size(), 2);

    // 1000 template frames + 150; one 30 s song (750 frames) is listed twice.
    const ProductionPlan plan = planProduction(album, smallChoice(fx.dir()));
    EXPECT_EQ(plan.totalFrames, 1150);
    ASSERT_EQ(plan.musicList.size(), 2);
    EXPECT_EQ(plan.musicList[1].subItem(5), QStringLiteral("750"));
    EXPECT_EQ(plan.musicList[1].subItem(4), QStringLiteral("0"));
    EXPECT_EQ(plan.templateRows(), (std::vector<int>{0, 1}));

    // Music sync: the total is the music's frames, the templates repeat in order.
    OutputChoice c = smallChoice(fx.dir());
    c.sync = SyncMode::Music;
    music::addSong(album, song(fx.dir(), 20.0, QStringLiteral("二")));
    const ProductionPlan m = planProduction(album, c);
    EXPECT_EQ(m.totalFrames, 750 + 500);
    EXPECT_EQ(m.templateRows(), (std::vector<int>{0, 1, 0}));
    EXPECT_EQ(m.musicList.size(), 2);

    // No music: no songs listed.
    Album quiet = fx.album();
    EXPECT_EQ(planProduction(quiet, smallChoice(fx.dir())).musicList.size(), 0);
}

TEST(ProductionPlan, Refusals)
{
    test::ProductionFixture fx;
    Album album = fx.album();
    OutputChoice c = smallChoice(fx.dir());
    c.sync = SyncMode::Music;
    EXPECT_THROW(
        {
            try {
                planProduction(album, c);
            } catch (const Error &e) {
                EXPECT_EQ(e.message(), QStringLiteral("没有找到音乐文件！使用随音乐文件同步,至少添加一个音乐文件！"));
                throw;
            }
        },
        Error);
    c.sync = SyncMode::Template;
    c.albumName.clear();
    EXPECT_THROW(planProduction(album, c), Error);
    Album empty = fx.album(0);
    EXPECT_THROW(planProduction(empty, smallChoice(fx.dir())), Error);
}

TEST(ProductionRun, StopDuringStagingStartsNoEncoder)
{
    test::ProductionFixture fx;
    Album album = fx.album();
    const ProductionPlan plan = planProduction(album, smallChoice(fx.dir()));
    std::atomic<bool> stop{false};
    ProductionCallbacks cb;
    cb.staging = [&](int, int) { stop = true; };
    bool framesAsked = false;
    cb.frames = [&](long long, long long) { framesAsked = true; };
    const ProductionResult r = runProduction(album, plan, cb, &stop);
    EXPECT_EQ(r.outcome, ProductionOutcome::StoppedEarly);
    EXPECT_FALSE(framesAsked);
    EXPECT_FALSE(QFile::exists(plan.choice.outputPath()));
}

TEST(ProductionRun, StopWhileEncodingLeavesAPlayableFile)
{
    test::ProductionFixture fx;
    Album album = fx.album();
    const ProductionPlan plan = planProduction(album, smallChoice(fx.dir()));
    std::atomic<bool> stop{false};
    ProductionCallbacks cb;
    cb.frames = [&](long long done, long long) {
        if (done == 40)
            stop = true;
    };
    const ProductionResult r = runProduction(album, plan, cb, &stop);
    EXPECT_EQ(r.outcome, ProductionOutcome::Stopped);
    EXPECT_EQ(test::decodedFrames(r.outputPath), 41);
    EXPECT_EQ(test::fullDecodeErrors(r.outputPath), QString());
}

TEST(ProductionRun, EveryOutputTypeHoldsTheAlbum)
{
    test::ProductionFixture fx;
    Album album = fx.album();
    music::addSong(album, song(fx.dir(), 3.0));
    struct Case {
        OutputType type;
        TvSystem tv;
        const char *video, *audio;
        long long frames;
    };
    const long long total = 10 + 8 + 150;
    const std::vector<Case> cases{
        {OutputType::VCD, TvSystem::PAL, "mpeg1video", "mp2", total},
        {OutputType::SVCD, TvSystem::PAL, "mpeg2video", "mp2", total},
        {OutputType::DVD, TvSystem::PAL, "mpeg2video", "ac3", total},
        {OutputType::DVD, TvSystem::NTSC, "mpeg2video", "ac3", (total * 1200 + 1000) / 1001},
        {OutputType::AVI, TvSystem::PAL, "mpeg4", "mp3", total},
        {OutputType::WMV, TvSystem::PAL, "wmv2", "wmav2", total},
        {OutputType::MP4, TvSystem::PAL, "h264", "aac", total},
        {OutputType::MOV, TvSystem::PAL, "h264", "aac", total},
        {OutputType::MP4, TvSystem::NTSC, "h264", "aac", (total * 1200 + 1000) / 1001},
    };
    for (const Case &c : cases) {
        const std::string what = (outputTypeName(c.type) + tvSystemName(c.tv)).toStdString();
        OutputChoice choice = smallChoice(fx.dir(), c.type);
        choice.tv = c.tv;
        choice.albumName = outputTypeName(c.type) + tvSystemName(c.tv);
        const ProductionPlan plan = planProduction(album, choice);
        ASSERT_EQ(plan.totalFrames, total);
        const ProductionResult r = runProduction(album, plan);
        ASSERT_EQ(r.outcome, ProductionOutcome::Completed) << what << r.error.toStdString();
        EXPECT_EQ(r.framesComposed, total) << what;
        const QString out = r.outputPath;
        EXPECT_EQ(test::probe(out, QStringLiteral("v:0"), QStringLiteral("codec_name")), QLatin1String(c.video))
            << what;
        EXPECT_EQ(test::probe(out, QStringLiteral("a:0"), QStringLiteral("codec_name")), QLatin1String(c.audio))
            << what;
        EXPECT_EQ(test::decodedFrames(out), c.frames) << what;
        if (c.type == OutputType::MP4 || c.type == OutputType::MOV || c.type == OutputType::AVI)
            EXPECT_NEAR(test::formatDuration(out), total / 25.0, 0.1) << what;
        EXPECT_EQ(test::fullDecodeErrors(out), QString()) << what;
    }
}

// Integrated loudness of the produced file's sound between two moments.
double producedLoudness(const QString &file, double fromSeconds, double toSeconds)
{
    AudioDecoder decoder(file);
    AVChannelLayout stereo = AV_CHANNEL_LAYOUT_STEREO;
    constexpr int kRate = 48000;
    decoder.setOutput(kRate, AV_SAMPLE_FMT_FLT, stereo);
    LoudnessMeter meter(kRate, 2);
    const long long from = (long long)(fromSeconds * kRate), to = (long long)(toSeconds * kRate);
    long long at = 0;
    while (const AVFrame *f = decoder.next()) {
        const long long begin = std::max(at, from), end = std::min(at + f->nb_samples, to);
        if (begin < end)
            meter.add(reinterpret_cast<const float *>(f->data[0]) + (begin - at) * 2, end - begin);
        at += f->nb_samples;
    }
    const auto l = meter.result();
    return l ? l->integratedLufs : -1000.0;
}

TEST(ProductionRun, SongsComeOutAtOneLoudness)
{
    // 10 s of album; songs of 4 s each, 20 LU apart: the first plays 0-4 s,
    // the second 4-8 s, then the first again, cut by the end (fading out).
    test::ProductionFixture fx(50, 50);
    Album album = fx.album();
    const QString loud = fx.dir() + QStringLiteral("响.mp3"), quiet = fx.dir() + QStringLiteral("轻.mp3");
    test::makeSineMp3(loud, 4.0, 997, 6);
    test::makeSineMp3(quiet, 4.0, 997, -14);
    music::addSong(album, loud);
    music::addSong(album, quiet);
    for (const bool on : {true, false}) {
        album.settings.yinliangTongyi = on;
        OutputChoice choice = smallChoice(fx.dir());
        choice.albumName = on ? QStringLiteral("统一") : QStringLiteral("原样");
        const ProductionResult r = runProduction(album, planProduction(album, choice));
        ASSERT_EQ(r.outcome, ProductionOutcome::Completed) << r.error.toStdString();
        const double first = producedLoudness(r.outputPath, 0.3, 3.7);
        const double second = producedLoudness(r.outputPath, 4.3, 7.7);
        if (on) {
            EXPECT_NEAR(first, second, 1.0);
            EXPECT_NEAR(first, kTargetLoudnessLufs, 1.0);
        } else {
            EXPECT_NEAR(first - second, 20.0, 1.0); // the test tells the two apart
        }
    }
}

class ComposerTest : public ::testing::Test {
protected:
    // Stages the fixture album at `render` and makes a composer for it.
    std::unique_ptr<FrameComposer> composer(Album &album, QSize render, std::vector<ProductionSong> songs = {},
                                            std::function<void(FrameComposer::Setup &)> adjust = {})
    {
        StagingRequest request;
        request.target = render;
        request.production = true;
        stageAlbum(album, request);
        FrameComposer::Setup s;
        s.canvas = render;
        s.albumRect = QRect(QPoint(0, 0), render);
        s.totalFrames = 10 + 8 + 150;
        s.templateRows = {0, 1};
        s.songs = std::move(songs);
        if (adjust)
            adjust(s);
        auto c = std::make_unique<FrameComposer>(album, s, nullptr, nullptr);
        c->start();
        return c;
    }
    test::ProductionFixture fx;
};

TEST_F(ComposerTest, TemplatesThenModeMovieThenHold)
{
    Album album = fx.album();
    auto c = composer(album, {192, 108});
    auto colourOf = [&] { return c->handOver().pixel(20, 60); };
    EXPECT_EQ(colourOf(), qRgb(0, 0, 0)) << "the first frame is black";
    for (int entry = 1; entry <= 168; ++entry) {
        c->composeNext();
        const QColor expected = entry <= 10 ? test::kFirstTemplateColour
            : entry <= 18                   ? test::kSecondTemplateColour
                                            : test::kModeMovieColour;
        ASSERT_TRUE(near(colourOf(), expected)) << "entry " << entry;
    }
    EXPECT_FALSE(c->capturing());
    // The second template started from the first one's last picture.
    const QImage handOver = decodeJpeg(fx.paths().handOverPicture());
    EXPECT_FALSE(handOver.isNull());
}

// Video frame k of a song (frame 0 is the song's first) shows the line of the
// song's k × 40 ms: a line appears on the first frame at or after its stamp,
// a tag without text clears it.
TEST_F(ComposerTest, LyricLineChangesOnTheFirstFrameAtItsStamp)
{
    Album album = fx.album();
    music::addSong(album, song(fx.dir(), 4.0, QStringLiteral("一")));
    const QString lrc = fx.dir() + QStringLiteral("一.lrc");
    writeFileBytes(lrc, encodeGbk(QStringLiteral("[00:00.50]甲\r\n[0:1.30]乙乙\r\n[00:02.00]\r\n")));
    music::addLyricFile(album, lrc);
    auto c = composer(album, {640, 360}, {{0, 100}});
    auto expected = [](long long frame) {
        const long long ms = frame * 40;
        return ms >= 2000 ? QString()
            : ms >= 1300  ? QStringLiteral("乙乙")
            : ms >= 500   ? QStringLiteral("甲")
                          : QString();
    };
    std::map<int, int> white;
    for (int frame = 1; frame <= 60; ++frame) {
        c->composeNext();
        EXPECT_EQ(c->lyricText(), expected(frame)) << "frame " << frame;
        white[frame] = whiteInBand(c->handOver(), 300, 335); // the default line: top 335 × 360 div 390 = 309
    }
    EXPECT_EQ(white[12], 0); // 480 ms
    EXPECT_GT(white[13], 20); // 520 ms: the first frame at or after 500 ms
    EXPECT_GT(white[49], 20);
    EXPECT_EQ(white[50], 0); // 2000 ms: cleared before the break
}

// Two songs, one lyric file, in template sync: song 2 (no lyric file) does
// not stop the song clock, and song 1 played again shows its lines again.
TEST_F(ComposerTest, SongWithoutLyricsKeepsTheLaterSongsLyrics)
{
    Album album = fx.album();
    music::addSong(album, song(fx.dir(), 4.0, QStringLiteral("一")));
    music::addSong(album, song(fx.dir(), 4.0, QStringLiteral("二")));
    const QString lrc = fx.dir() + QStringLiteral("一.lrc");
    writeFileBytes(lrc, encodeGbk(QStringLiteral("[00:03.50]月亮代表我的心\r\n")));
    music::addLyricFile(album, lrc); // only song 1 has lyrics
    auto c = composer(album, {640, 360}, {{0, 100}, {1, 100}, {0, 100}}, [](FrameComposer::Setup &s) {
        s.templateRows = {0, 1, 0, 1, 0, 1, 0, 1, 0, 1, 0, 1, 0, 1, 0, 1, 0, 1}; // 162 frames + 150
        s.totalFrames = 312;
    });
    std::map<int, int> white;
    for (int frame = 1; frame <= 300; ++frame) {
        c->composeNext();
        white[frame] = whiteInBand(c->handOver(), 300, 335);
    }
    EXPECT_EQ(white[87], 0);
    EXPECT_GT(white[88], 20); // 3520 ms
    EXPECT_GT(white[99], 20);
    EXPECT_EQ(white[100], 0); // song 2 has no lyric file
    EXPECT_EQ(white[199], 0);
    EXPECT_EQ(white[287], 0); // song 1 again
    EXPECT_GT(white[288], 20);
    EXPECT_EQ(c->musicPosition(), 2);
}

// A karaoke line in the video: the highlight fills it word by word. Set
// LUMORA_KEEP_FRAMES to a folder to keep the frame looked at.
TEST_F(ComposerTest, KaraokeLineFillsWordByWord)
{
    Album album = fx.album();
    music::addSong(album, song(fx.dir(), 4.0, QStringLiteral("一")));
    const QString lrc = fx.dir() + QStringLiteral("一.lrc");
    writeFileBytes(lrc,
                   QStringLiteral("[00:00.40]<00:00.40>我<00:00.80>们<00:01.20>的<00:01.60>歌<00:02.00>\n")
                       .toUtf8()); // UTF-8 without a byte-order mark
    music::addLyricFile(album, lrc);
    auto c = composer(album, {640, 360}, {{0, 100}});
    auto highlighted = [](const QImage &frame) {
        int n = 0;
        for (int y = 300; y < 340; ++y)
            for (int x = 0; x < frame.width(); ++x) {
                const QRgb px = frame.pixel(x, y);
                n += qRed(px) > 200 && qGreen(px) > 150 && qBlue(px) < 80;
            }
        return n;
    };
    std::map<int, int> fill, white;
    for (int frame = 1; frame <= 55; ++frame) {
        c->composeNext();
        fill[frame] = highlighted(c->handOver());
        white[frame] = whiteInBand(c->handOver(), 300, 340);
        if (frame == 25 && qEnvironmentVariableIsSet("LUMORA_KEEP_FRAMES"))
            c->handOver().save(qEnvironmentVariable("LUMORA_KEEP_FRAMES") + QStringLiteral("/karaoke-frame-25.png"));
    }
    EXPECT_EQ(c->lyricText(), QStringLiteral("我们的歌"));
    EXPECT_EQ(fill[10], 0); // 400 ms: the first word starts
    EXPECT_GT(fill[15], 0); // 600 ms: half of it
    EXPECT_GT(fill[20], fill[15]); // 800 ms: the first word sung
    EXPECT_GT(fill[25], fill[20]);
    EXPECT_GT(fill[50], fill[40]); // 2000 ms: the whole line
    EXPECT_EQ(fill[55], fill[50]);
    // The part not sung yet stays in the line's colour.
    EXPECT_GT(white[15], white[45]);
    EXPECT_GT(white[10], 100);
}

TEST_F(ComposerTest, MusicSyncRepeatsTheTemplatesAndHolds)
{
    Album album = fx.album();
    auto c = composer(album, {192, 108}, {}, [](FrameComposer::Setup &s) {
        s.sync = SyncMode::Music;
        s.totalFrames = 30;
        s.templateRows = {0, 1, 0};
    });
    for (int entry = 1; entry <= 30; ++entry) {
        c->composeNext();
        const QColor expected = entry <= 10 ? test::kFirstTemplateColour
            : entry <= 18                   ? test::kSecondTemplateColour
                                            : test::kFirstTemplateColour; // no mode movie in music sync
        ASSERT_TRUE(near(c->handOver().pixel(20, 60), expected)) << "entry " << entry;
    }
}

// Beat sync: each template shows for its fitted frames (its first and last
// pictures its own), the next starting exactly on the change frame. The
// first frame is the first template's (no black frame), so frame n of the
// video is album frame n, as the music and the preview count it.
TEST_F(ComposerTest, BeatSyncPlaysTheFittedLengths)
{
    Album album = fx.album();
    auto c = composer(album, {192, 108}, {}, [](FrameComposer::Setup &s) {
        s.sync = SyncMode::Beat;
        s.totalFrames = 30;
        s.templateRows = {0, 1, 0};
        s.playedFrames = {12, 7, 0};
    });
    for (int entry = 0; entry < 30; ++entry) {
        if (entry > 0)
            c->composeNext();
        const QColor expected = entry < 12 ? test::kFirstTemplateColour
            : entry < 19                   ? test::kSecondTemplateColour
                                           : test::kFirstTemplateColour;
        ASSERT_TRUE(near(c->handOver().pixel(20, 60), expected)) << "entry " << entry;
    }
}

TEST_F(ComposerTest, OtherProportionsGetBlackBarsNotAStretch)
{
    Album album = fx.album();
    const FrameGeometry g = frameGeometry({320, 176}, ModeKind::Wide16x9);
    auto c = composer(album, g.album.size(), {}, [&](FrameComposer::Setup &s) {
        s.canvas = g.encoded;
        s.albumRect = g.album;
    });
    c->composeNext();
    const QImage &f = c->handOver();
    ASSERT_EQ(f.size(), QSize(320, 176));
    EXPECT_EQ(f.pixel(1, 88), qRgb(0, 0, 0));
    EXPECT_EQ(f.pixel(318, 88), qRgb(0, 0, 0));
    EXPECT_TRUE(near(f.pixel(5, 88), test::kFirstTemplateColour));
    EXPECT_TRUE(near(f.pixel(314, 120), test::kFirstTemplateColour));
}
