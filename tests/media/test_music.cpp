#include <QImage>
#include <QTemporaryDir>
#include <cmath>
#include <gtest/gtest.h>
#include <vector>

#include "MediaFixtures.h"
#include "app/Album.h"
#include "app/Columns.h"
#include "app/Error.h"
#include "media/Loudness.h"
#include "media/MusicList.h"
#include "resources/PackedFile.h"

using namespace lumora;

TEST(SongMeasure, CountsDecodedSamples)
{
    QTemporaryDir dir;
    const QString song = dir.filePath(QStringLiteral("正弦.mp3"));
    test::makeSineMp3(song, 2.5);
    const SongMeasure m = measureSong(song);
    EXPECT_EQ(m.sampleRate, 44100);
    EXPECT_NEAR(double(m.lengthMs), 2500.0, 30.0);
    EXPECT_EQ(songFrames(m.lengthMs), 50);
}

TEST(SongMeasure, DurationTextAndFrames)
{
    struct Case {
        long long ms;
        const char *text;
        long long frames;
    };
    for (const Case &c : {Case{247000, "00:04:07", 247 * 25}, Case{59900, "00:00:59", 59 * 25},
                          Case{75 * 60000, "00:75:00", 75 * 60 * 25}, Case{1000, "00:00:01", 25},
                          Case{(125 * 60 + 7) * 1000LL + 999, "00:125:07", (125 * 60 + 7) * 25LL}}) {
        EXPECT_EQ(songDurationText(c.ms), QLatin1String(c.text));
        EXPECT_EQ(songFrames(c.ms), c.frames);
    }
}

TEST(MusicList, RefusedSongsAddNoRow)
{
    QTemporaryDir dir;
    const QString shortSong = dir.filePath(QStringLiteral("短.mp3"));
    test::makeSineMp3(shortSong, 0.6);
    const QString notSong = dir.filePath(QStringLiteral("不是.mp3"));
    QFile f(notSong);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write("this is not an mp3 file at all");
    f.close();
    const QString empty = dir.filePath(QStringLiteral("空.mp3"));
    writeFileBytes(empty, QByteArray());
    // A picture under a song's name opens as a picture: no sound in it.
    const QString picture = dir.filePath(QStringLiteral("图片.mp3"));
    QImage img(16, 16, QImage::Format_RGB32);
    img.fill(Qt::red);
    img.save(picture, "JPEG");
    // A WAV file whose data chunk is empty: an audio stream that decodes to nothing.
    QByteArray wav("RIFF\x24\0\0\0WAVEfmt \x10\0\0\0\x01\0\x01\0\x40\x1F\0\0\x80\x3E\0\0\x02\0\x10\0data\0\0\0\0", 44);
    const QString silent = dir.filePath(QStringLiteral("无声.mp3"));
    writeFileBytes(silent, wav);
    Album album;
    struct Case {
        QString path;
        const char *why;
    } cases[] = {{shortSong, "太短"},
                 {notSong, ""},
                 {dir.filePath(QStringLiteral("没有.mp3")), ""},
                 {empty, "是空的"},
                 {picture, "没有可播放的声音"},
                 {silent, "解码不出任何声音"}};
    for (const Case &c : cases) {
        try {
            music::addSong(album, c.path);
            ADD_FAILURE() << c.path.toStdString() << " must be refused";
        } catch (const Error &e) {
            EXPECT_TRUE(e.message().contains(c.path)) << e.message().toStdString();
            EXPECT_TRUE(e.message().contains(QString::fromUtf8(c.why))) << e.message().toStdString();
        }
    }
    EXPECT_TRUE(album.ListView_daoru_yinyue.empty());
}

TEST(MusicList, LengthComesFromTheAddNotASecondDecode)
{
    QTemporaryDir dir;
    const QString song = dir.filePath(QStringLiteral("歌.mp3"));
    test::makeSineMp3(song, 3.4);
    Album album;
    music::addSong(album, song);
    // The file is gone: a second decode would fail. The length is what the add measured.
    ASSERT_TRUE(QFile::remove(song));
    EXPECT_EQ(music::songLengthMs(album, 0), 3000);
    EXPECT_EQ(songFrames(music::songLengthMs(album, 0)), 75);
}

TEST(MusicList, RowsAndPairing)
{
    QTemporaryDir dir;
    const QString song = dir.filePath(QStringLiteral("歌.mp3"));
    test::makeSineMp3(song, 1.2);
    Album album;
    music::addSong(album, song);
    music::addSong(album, song); // the same file twice gives two rows
    music::addLyricFile(album, dir.filePath(QStringLiteral("歌.lrc")));
    ASSERT_EQ(album.ListView_daoru_yinyue.size(), 2);
    EXPECT_EQ(album.ListView_daoru_yinyue[1].caption(), QStringLiteral("2"));
    EXPECT_EQ(album.ListView_daoru_yinyue[1].subItems().mid(0, 4),
              (QStringList{QStringLiteral("歌"), QStringLiteral(".mp3"), QStringLiteral("00:00:01"), song}));
    // The beats found while measuring go with the row (a sine: none clear).
    const SongBeats beats = music::songBeats(album, 1);
    EXPECT_TRUE(beats.analysed());
    EXPECT_FALSE(beats.clear);
    EXPECT_EQ(album.ListView_daoru_yinyue[1].cell(musiccol::kLoudness),
              album.ListView_daoru_yinyue[0].cell(musiccol::kLoudness));
    EXPECT_EQ(album.ListView_geci_shezhi_canshu.size(), 1);
    EXPECT_EQ(album.ListView_geci_shezhi_canshu[0].subItem(2), dir.filePath(QStringLiteral("歌.lrc")));
    EXPECT_EQ(music::lyricIndexForSong(album, 0), 0);
    EXPECT_EQ(music::lyricIndexForSong(album, 1), -1);
}

TEST(SongLoudness, GainReachesTheTargetWithoutLiftingThePeakPastTheCeiling)
{
    struct Case {
        double integrated, peak, gain;
    };
    for (const Case &c : {
             Case{-26, -12, 10}, // quiet with headroom: up to -16
             Case{-8, -0.2, -8}, // loud: down to -16
             Case{-30, -12, 11}, // the peak stops it at -1 dBTP before the target
             Case{-16, 0.5, -1.5}, // on target but peaking over: lowered to the ceiling
             Case{-70, -60, kMaxLoudnessGainDb}, // near silence is not lifted without bound
         })
        EXPECT_NEAR(loudnessGainDb({c.integrated, c.peak}), c.gain, 1e-9) << c.integrated << " " << c.peak;
    EXPECT_NEAR(gainFactor(-6.0206), 0.5, 1e-4);

    const SongLoudness l{-18.254, -0.4};
    EXPECT_EQ(loudnessText(l), QStringLiteral("-18.25|-0.40"));
    ASSERT_TRUE(loudnessFromText(loudnessText(l)));
    EXPECT_NEAR(loudnessFromText(loudnessText(l))->integratedLufs, -18.25, 1e-9);
    for (const char *bad : {"", "-18", "x|y", "-18|-1|0", "nan|-1", "-inf|-3", "99|0"})
        EXPECT_FALSE(loudnessFromText(QString::fromLatin1(bad))) << bad;
    EXPECT_EQ(loudnessText(std::nullopt), QString());
}

TEST(SongLoudness, MeasuredWhenAddedAndTurnedIntoTheRowsGain)
{
    QTemporaryDir dir;
    const QString loud = dir.filePath(QStringLiteral("响.mp3"));
    const QString quiet = dir.filePath(QStringLiteral("轻.mp3"));
    const QString silent = dir.filePath(QStringLiteral("静.mp3"));
    test::makeSineMp3(loud, 3.0, 997, 8);
    test::makeSineMp3(quiet, 3.0, 997, -12);
    test::makeSineMp3(silent, 3.0, 997, -200);
    Album album;
    for (const QString &s : {loud, quiet, silent})
        music::addSong(album, s);
    const auto l = loudnessFromText(album.ListView_daoru_yinyue.cell(0, musiccol::kLoudness));
    const auto q = loudnessFromText(album.ListView_daoru_yinyue.cell(1, musiccol::kLoudness));
    ASSERT_TRUE(l && q);
    EXPECT_NEAR(l->integratedLufs - q->integratedLufs, 20.0, 0.5);
    // A 997 Hz sine in both channels is as loud as its peak level.
    EXPECT_NEAR(l->integratedLufs, l->truePeakDb, 0.5);
    // Both come out at the target; the silent song gets no measurement and no gain.
    EXPECT_NEAR(l->integratedLufs + songGainDb(album, 0), kTargetLoudnessLufs, 1e-6);
    EXPECT_NEAR(q->integratedLufs + songGainDb(album, 1), kTargetLoudnessLufs, 1e-6);
    EXPECT_EQ(album.ListView_daoru_yinyue.cell(2, musiccol::kLoudness), QString());
    EXPECT_EQ(songGainDb(album, 2), 0.0);
    album.settings.yinliangTongyi = false;
    EXPECT_EQ(songGainDb(album, 1), 0.0);
}

TEST(SongLoudness, TruePeakSeesBetweenTheSamples)
{
    // A sine at a quarter of the rate, 45 degrees off its samples: every
    // sample is at 0.707 of the crest, so the true peak is 3 dB above the
    // highest sample. Left at half the level of right.
    constexpr int kRate = 44100;
    std::vector<float> x;
    for (int i = 0; i < kRate; ++i) {
        const float v = 0.5f * float(std::sin(3.14159265358979 / 2 * i + 3.14159265358979 / 4));
        x.push_back(v * 0.5f);
        x.push_back(v);
    }
    LoudnessMeter meter(kRate, 2);
    meter.add(x.data(), 3000); // in uneven pieces, as decoded frames come
    meter.add(x.data() + 6000, kRate - 3000);
    const auto l = meter.result();
    ASSERT_TRUE(l);
    EXPECT_NEAR(l->truePeakDb, 20 * std::log10(0.5), 0.3);

    LoudnessMeter silent(kRate, 2);
    const std::vector<float> zeros(size_t(2 * kRate), 0.0f);
    silent.add(zeros.data(), kRate);
    EXPECT_FALSE(silent.result());
}
