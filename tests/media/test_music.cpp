#include <QImage>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include "MediaFixtures.h"
#include "app/Album.h"
#include "app/Error.h"
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
    EXPECT_EQ(album.ListView_geci_shezhi_canshu.size(), 1);
    EXPECT_EQ(album.ListView_geci_shezhi_canshu[0].subItem(2), dir.filePath(QStringLiteral("歌.lrc")));
    EXPECT_EQ(music::lyricIndexForSong(album, 0), 0);
    EXPECT_EQ(music::lyricIndexForSong(album, 1), -1);
}
