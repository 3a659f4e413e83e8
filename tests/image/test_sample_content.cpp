// The demo album's sample content in the authored tree: photos, default
// backgrounds, the sample song and its lyric file.
#include <gtest/gtest.h>

#include <QDir>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>

#include "app/Paths.h"
#include "image/ImageIO.h"
#include "media/LrcParser.h"
#include "resources/PackedFile.h"
#include "templates/TextCodec.h"

using namespace lumora;

namespace {
const Paths kTree(QStringLiteral(LUMORA_TEST_PROGRAM_DIR));
}

TEST(SampleContent, PhotosAreReadableJpegsOfBothOrientations)
{
    const QDir folder(kTree.samplePhotoFolder());
    const QStringList files = folder.entryList({QStringLiteral("*.jpg")}, QDir::Files, QDir::Name);
    ASSERT_GE(files.size(), 14) << qPrintable(folder.path());
    int landscape = 0, portrait = 0, turned = 0;
    for (const QString &f : files) {
        const QString path = folder.filePath(f);
        const JpegInfo info = readJpegInfo(path);
        const QSize shown = info.displayed();
        shown.width() >= shown.height() ? ++landscape : ++portrait;
        if (info.orientation == 6) {
            ++turned;
            EXPECT_GT(info.width, info.height) << qPrintable(f) << ": stored landscape, shown portrait";
        }
        const QImage small = decodeJpeg(path, QSize(200, 150));
        EXPECT_GE(small.width(), 150) << qPrintable(f);
        // A painted picture, not a flat fill: its corners and centre differ.
        EXPECT_NE(small.pixel(0, 0), small.pixel(small.width() / 2, small.height() / 2)) << qPrintable(f);
    }
    EXPECT_GE(landscape, 6);
    EXPECT_GE(portrait, 6);
    EXPECT_GE(turned, 1);
}

TEST(SampleContent, DefaultBackgroundsUnpackToJpegsAtTheOutputSizes)
{
    const struct {
        ModeKind mode;
        QSize size;
    } cases[]
        = {{ModeKind::Wide16x9, {1920, 1080}}, {ModeKind::Wide4x3, {1920, 1080}}, {ModeKind::Portrait, {1080, 1920}}};
    for (const auto &c : cases) {
        const QString path = kTree.defaultBackgroundPacked(c.mode);
        const QByteArray jpeg = packed::unpackFile(path, packed::kDefaultBackgroundDepth);
        const JpegInfo info = readJpegInfo(jpeg, path);
        EXPECT_EQ(QSize(info.width, info.height), c.size) << qPrintable(path);
    }
}

TEST(SampleContent, LyricsAreGbkWithTagsAndRisingTwoDigitStamps)
{
    const QByteArray bytes = readFileBytes(kTree.sampleLyrics());
    const QString text = decodeGbk(bytes);
    EXPECT_EQ(encodeGbk(text), bytes) << "plain GBK, no byte-order mark";
    const QStringList lines = text.split(QStringLiteral("\r\n"), Qt::SkipEmptyParts);
    EXPECT_TRUE(lines.contains(QStringLiteral("[ti:甜蜜蜜]")));
    EXPECT_TRUE(
        std::any_of(lines.begin(), lines.end(), [](const QString &l) { return l.startsWith(QStringLiteral("[ar:")); }));
    static const QRegularExpression stamp(QStringLiteral("^\\[(\\d\\d):(\\d\\d)\\.(\\d\\d)\\](.+)$"));
    const LyricTimeline table = readLrcFile(kTree.sampleLyrics());
    EXPECT_EQ(table.tag(QStringLiteral("ti")), QStringLiteral("甜蜜蜜"));
    EXPECT_EQ(table.encoding, QStringLiteral("GB18030"));
    double last = -1;
    int sung = 0;
    for (const QString &l : lines) {
        if (l.endsWith(QLatin1Char(']')))
            continue; // tag line
        const auto m = stamp.match(l);
        ASSERT_TRUE(m.hasMatch()) << qPrintable(l);
        const double t = m.captured(1).toInt() * 60 + m.captured(2).toInt() + m.captured(3).toInt() / 100.0;
        EXPECT_GT(t, last) << qPrintable(l);
        // The line shows from its stamp exactly.
        const qint64 ms = qRound64(t * 1000);
        EXPECT_EQ(table.textAt(ms), m.captured(4)) << qPrintable(l);
        EXPECT_NE(table.textAt(ms - 1), m.captured(4)) << qPrintable(l);
        last = t;
        ++sung;
    }
    EXPECT_GE(sung, 8);
}

TEST(SampleContent, SongIsAnMp3OfOneToTwoMinutes)
{
    const QString ffprobe = QStandardPaths::findExecutable(QStringLiteral("ffprobe"));
    if (ffprobe.isEmpty())
        GTEST_SKIP() << "ffprobe not installed";
    QProcess p;
    p.start(ffprobe,
            {QStringLiteral("-v"), QStringLiteral("error"), QStringLiteral("-show_entries"),
             QStringLiteral("format=duration:stream=codec_name,sample_rate,channels"), QStringLiteral("-of"),
             QStringLiteral("default=nw=1"), kTree.sampleSong()});
    ASSERT_TRUE(p.waitForFinished(30000));
    const QString out = QString::fromUtf8(p.readAllStandardOutput());
    EXPECT_TRUE(out.contains(QStringLiteral("codec_name=mp3"))) << qPrintable(out);
    EXPECT_TRUE(out.contains(QStringLiteral("sample_rate=44100"))) << qPrintable(out);
    EXPECT_TRUE(out.contains(QStringLiteral("channels=2"))) << qPrintable(out);
    static const QRegularExpression duration(QStringLiteral("duration=([0-9.]+)"));
    const double seconds = duration.match(out).captured(1).toDouble();
    EXPECT_GE(seconds, 60.0);
    EXPECT_LE(seconds, 120.0);
}
