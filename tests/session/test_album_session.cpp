// The album session on a tiny program folder: songs of mixed sample rates and
// channel counts in one album, seeded plans, refusals.
#include <QFile>
#include <QTemporaryDir>
#include <cmath>
#include <gtest/gtest.h>

#include "../media/MediaFixtures.h"
#include "../production/ProductionFixture.h"
#include "session/AlbumSession.h"
#include "session/PlanReport.h"

using namespace lumora;

namespace {

// A sine song of `seconds` at the given rate and channel count.
void makeTone(const QString &path, double seconds, int frequency, int rate, int channels)
{
    const QString out = test::run(
        QStringLiteral("ffmpeg"),
        {QStringLiteral("-v"), QStringLiteral("error"), QStringLiteral("-y"), QStringLiteral("-f"),
         QStringLiteral("lavfi"), QStringLiteral("-i"),
         QStringLiteral("sine=frequency=%1:sample_rate=%2:duration=%3").arg(frequency).arg(rate).arg(seconds),
         QStringLiteral("-ac"), QString::number(channels), QStringLiteral("-b:a"), QStringLiteral("64k"), path},
        true);
    ASSERT_FALSE(out.startsWith(QStringLiteral("<failed>"))) << out.toStdString();
}

// The produced file's audio as mono 8 kHz samples.
std::vector<float> decodeAudio(const QString &file)
{
    QProcess p;
    p.start(QStringLiteral("ffmpeg"),
            {QStringLiteral("-v"), QStringLiteral("error"), QStringLiteral("-i"), file, QStringLiteral("-ac"),
             QStringLiteral("1"), QStringLiteral("-ar"), QStringLiteral("8000"), QStringLiteral("-f"),
             QStringLiteral("f32le"), QStringLiteral("-")});
    p.waitForFinished(60000);
    const QByteArray raw = p.readAllStandardOutput();
    std::vector<float> s(size_t(raw.size()) / sizeof(float));
    std::memcpy(s.data(), raw.constData(), s.size() * sizeof(float));
    return s;
}

// Power of `frequency` in samples [from, from + n) (Goertzel).
double tonePower(const std::vector<float> &s, size_t from, size_t n, double frequency)
{
    const double w = 2.0 * M_PI * frequency / 8000.0;
    const double c = 2.0 * std::cos(w);
    double s1 = 0, s2 = 0;
    for (size_t i = from; i < from + n && i < s.size(); ++i) {
        const double s0 = s[i] + c * s1 - s2;
        s2 = s1;
        s1 = s0;
    }
    return s1 * s1 + s2 * s2 - c * s1 * s2;
}

struct Album3 {
    test::ProductionFixture fx;
    QTemporaryDir work;
    AlbumSession session{fx.dir(), work.path(), 1};
    Album3()
    {
        session.chooseMode(ModeKind::Wide16x9);
        session.album().settings.wenzitexiaoTianjia = false;
    }
};

} // namespace

TEST(AlbumSession, SongsOfMixedRatesPlayInTurnWithoutGapAndEndWithTheVideo)
{
    Album3 a;
    // 44.1 kHz stereo, 48 kHz mono, 48 kHz stereo, 44.1 kHz mono: 2 s each.
    const struct {
        int frequency, rate, channels;
    } songs[] = {{440, 44100, 2}, {880, 48000, 1}, {1320, 48000, 2}, {660, 44100, 1}};
    QStringList files;
    for (const auto &s : songs) {
        files << a.fx.dir() + QStringLiteral("tone%1.mp3").arg(s.frequency);
        makeTone(files.back(), 2.0, s.frequency, s.rate, s.channels);
    }
    const MediaAddReport added = a.session.addSongs(files);
    ASSERT_EQ(added.added, 4);
    const AddPhotosReport photos
        = a.session.addPhotos({a.fx.photo(QStringLiteral("甲")), a.fx.photo(QStringLiteral("乙"))});
    ASSERT_EQ(photos.added, 2);

    OutputChoice choice = defaultOutputChoice(ModeKind::Wide16x9);
    choice.size = QSize(320, 176);
    choice.albumName = QStringLiteral("混合");
    choice.folder = a.fx.dir();
    const ProductionPlan plan = a.session.plan(choice);
    ASSERT_EQ(plan.totalFrames, 168);
    const ProductionResult result = a.session.produce(plan);
    ASSERT_EQ(result.outcome, ProductionOutcome::Completed) << result.error.toStdString();

    // Audio ends with the video, within one frame.
    EXPECT_EQ(test::decodedFrames(result.outputPath), plan.totalFrames);
    const std::vector<float> audio = decodeAudio(result.outputPath);
    const double seconds = double(audio.size()) / 8000.0;
    EXPECT_NEAR(seconds, plan.totalFrames / 25.0, 0.04);

    // Each song is heard from its planned frame: in every 0.1 s window of a
    // song's span its own tone dominates, and no window is silent.
    long long start = 0;
    for (const Row &m : plan.musicList) {
        const int row = m.subItemInt(4);
        const long long frames = m.subItem(5).toLongLong();
        const int frequency = songs[row].frequency;
        // Skip the first and last 0.06 s of a span (encoder frame edges) and the final fade.
        const long long endFrame = std::min(start + frames, plan.totalFrames - 25);
        for (double t = start / 25.0 + 0.06; t + 0.16 < endFrame / 25.0; t += 0.1) {
            const size_t from = size_t(t * 8000);
            const double own = tonePower(audio, from, 800, frequency);
            for (const auto &other : songs)
                if (other.frequency != frequency)
                    EXPECT_GT(own, 20 * tonePower(audio, from, 800, other.frequency))
                        << "song row " << row << " at " << t << " s";
            EXPECT_GT(own, 1.0) << "silence at " << t << " s";
        }
        start += frames;
    }
}

TEST(AlbumSession, SameSeedGivesTheSamePlan)
{
    auto planText = [](std::uint64_t seed) {
        test::ProductionFixture fx;
        QTemporaryDir work;
        AlbumSession s(fx.dir(), work.path(), seed);
        s.chooseMode(ModeKind::Wide16x9);
        s.album().settings.wenzitexiaoTianjia = false;
        QStringList photos;
        for (int i = 0; i < 6; ++i)
            photos << fx.photo(QStringLiteral("照片%1").arg(i), i % 2 ? 48 : 64, i % 2 ? 64 : 48);
        s.addPhotos(photos);
        OutputChoice c = defaultOutputChoice(ModeKind::Wide16x9);
        c.albumName = QStringLiteral("种子");
        c.folder = QStringLiteral("/out/");
        QString text = QString::fromStdString(planJsonText(s.album(), s.plan(c), {}));
        // The fixture's folder differs per run.
        return text.replace(fx.dir(), QStringLiteral("<tree>/"));
    };
    EXPECT_EQ(planText(5), planText(5));
}

TEST(AlbumSession, RefusesBadSongsAndLyricsByNameAndKeepsTheRest)
{
    Album3 a;
    const QString good = a.fx.dir() + QStringLiteral("好.mp3");
    test::makeSineMp3(good, 2.0);
    const QString text = a.fx.dir() + QStringLiteral("不是歌.mp3");
    writeFileBytes(text, "hello, not audio");
    const QString empty = a.fx.dir() + QStringLiteral("空.mp3");
    writeFileBytes(empty, {});
    const MediaAddReport songs = a.session.addSongs({text, good, empty, a.fx.dir() + QStringLiteral("无.mp3")});
    EXPECT_EQ(songs.added, 1);
    ASSERT_EQ(songs.refused.size(), 3u);
    EXPECT_EQ(songs.refused[0].path, text);
    EXPECT_EQ(songs.refused[1].path, empty);
    EXPECT_EQ(a.session.album().ListView_daoru_yinyue.size(), 1);

    const QString lrc = a.fx.dir() + QStringLiteral("坏.lrc");
    writeFileBytes(lrc, QByteArray("\x00\x01\x02\x03 binary", 12));
    const MediaAddReport lyrics = a.session.addLyricFiles({lrc});
    EXPECT_EQ(lyrics.added, 0);
    ASSERT_EQ(lyrics.refused.size(), 1u);
    EXPECT_EQ(lyrics.refused[0].path, lrc);
}

TEST(AlbumSession, AlbumNamesAFileCannotHoldAreRefused)
{
    for (const QString name :
         {QString(), QStringLiteral("  "), QStringLiteral("a/b"), QStringLiteral(".."), QString(300, QChar(u'长'))})
        EXPECT_FALSE(AlbumSession::albumNameRefusal(name).isEmpty()) << name.toStdString();
    for (const QString name : {QStringLiteral("婚礼 2026"), QStringLiteral("a.b"), QStringLiteral("我的相册")})
        EXPECT_TRUE(AlbumSession::albumNameRefusal(name).isEmpty()) << name.toStdString();
}
