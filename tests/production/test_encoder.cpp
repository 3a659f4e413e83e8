#include <QImage>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include "../media/MediaFixtures.h"
#include "app/Error.h"
#include "production/Encoder.h"

using namespace lumora;
using test::probe;

namespace {

struct EncodeRun {
    ConvertResult result;
    std::vector<long long> calls;
    QStringList log;
    std::vector<int> statuses;
};

// Encodes `frames` album frames; frame i is filled with grey level 8 i.
EncodeRun encode(const EncoderJob &job, std::function<void(Encoder &, long long)> during = {})
{
    Encoder enc;
    EncodeRun run;
    QImage picture(job.size, QImage::Format_RGB32);
    picture.fill(QColor(0, 0, 0));
    enc.videoFunc = [&](long long i) {
        run.calls.push_back(i);
        const int g = int((i + 1) * 8 % 256);
        picture.fill(QColor(g, g, g));
        if (during)
            during(enc, i);
    };
    enc.log = [&](const QString &line) { run.log << line; };
    enc.progress = [&](int s, long long, long long, long long) { run.statuses.push_back(s); };
    run.result = enc.convert(job, &picture);
    return run;
}

EncoderJob job(OutputType type, const QString &path, long long frames, TvSystem tv = TvSystem::PAL)
{
    EncoderJob j;
    j.type = type;
    j.tv = tv;
    j.size = QSize(176, 144);
    j.outputPath = path;
    j.totalFrames = frames;
    return j;
}

} // namespace

TEST(Encoder, EveryTypeDecodesWithTheAlbumsFramesAndSound)
{
    QTemporaryDir dir;
    const QString song = dir.filePath(QStringLiteral("s.mp3"));
    test::makeSineMp3(song, 3.0);
    struct Case {
        OutputType type;
        const char *video, *audio, *ext;
    };
    const std::vector<Case> cases{
        {OutputType::VCD, "mpeg1video", "mp2", ".mpg"},  {OutputType::SVCD, "mpeg2video", "mp2", ".mpg"},
        {OutputType::DVD, "mpeg2video", "ac3", ".mpg"},  {OutputType::AVI, "mpeg4", "mp3", ".avi"},
        {OutputType::WMV, "wmv2", "wmav2", ".wmv"},      {OutputType::MP4, "h264", "aac", ".mp4"},
        {OutputType::MOV, "h264", "aac", ".mov"},
    };
    for (const Case &c : cases) {
        const QString name = outputTypeName(c.type);
        EXPECT_EQ(outputExtension(c.type), QLatin1String(c.ext));
        const QString out = dir.filePath(name + outputExtension(c.type));
        EncoderJob j = job(c.type, out, 40);
        j.audio = {{song, 2000}};
        const EncodeRun r = encode(j);
        ASSERT_EQ(r.result, ConvertResult::Completed) << name.toStdString() << r.log.join('\n').toStdString();
        EXPECT_EQ(probe(out, QStringLiteral("v:0"), QStringLiteral("codec_name")), QLatin1String(c.video)) << name.toStdString();
        EXPECT_EQ(probe(out, QStringLiteral("a:0"), QStringLiteral("codec_name")), QLatin1String(c.audio)) << name.toStdString();
        EXPECT_EQ(probe(out, QStringLiteral("v:0"), QStringLiteral("width")) + "x" + probe(out, QStringLiteral("v:0"), QStringLiteral("height")), QStringLiteral("176x144"));
        EXPECT_EQ(test::decodedFrames(out), 40) << name.toStdString();
        EXPECT_NEAR(test::formatDuration(out), 1.6, 0.1) << name.toStdString();
        EXPECT_EQ(test::fullDecodeErrors(out), QString()) << name.toStdString();
        // One call per album frame, in order.
        ASSERT_EQ(r.calls.size(), 40u);
        for (size_t i = 0; i < r.calls.size(); ++i)
            EXPECT_EQ(r.calls[i], (long long)i);
    }
}

TEST(Encoder, NtscKeepsTheAlbumsDuration)
{
    QTemporaryDir dir;
    for (OutputType type : {OutputType::DVD, OutputType::MP4}) {
        const QString out = dir.filePath(outputTypeName(type) + outputExtension(type));
        const EncodeRun r = encode(job(type, out, 50, TvSystem::NTSC));
        ASSERT_EQ(r.result, ConvertResult::Completed);
        EXPECT_EQ(probe(out, QStringLiteral("v:0"), QStringLiteral("r_frame_rate")), QStringLiteral("30000/1001"));
        // 2 s at 30000/1001 is 59.94 frames, rounded up to 60 (2.002 s). An
        // MPEG program stream's duration is only estimated by ffprobe, so the
        // decoded frame count is the measure.
        EXPECT_EQ(test::decodedFrames(out), 60);
        if (type == OutputType::MP4)
            EXPECT_NEAR(test::formatDuration(out), 2.0, 0.05);
        EXPECT_EQ(r.calls.size(), 50u);
    }
}

TEST(Encoder, WithoutSongsNoAudioStream)
{
    QTemporaryDir dir;
    const QString out = dir.filePath(QStringLiteral("a.mp4"));
    const EncodeRun r = encode(job(OutputType::MP4, out, 10));
    ASSERT_EQ(r.result, ConvertResult::Completed);
    EXPECT_EQ(probe(out, QStringLiteral("a"), QStringLiteral("codec_name")), QString());
    EXPECT_EQ(test::decodedFrames(out), 10);
    EXPECT_TRUE(r.log.contains(QStringLiteral("Total frames:  10")));
    EXPECT_TRUE(r.log.contains(QStringLiteral("Total samples: 0")));
    EXPECT_EQ(r.log.last(), QStringLiteral("Conversion ended."));
    EXPECT_EQ(r.statuses.front(), 1);
    EXPECT_EQ(r.statuses.back(), 0);
    EXPECT_NE(std::find(r.statuses.begin(), r.statuses.end(), 4), r.statuses.end());
}

TEST(Encoder, AbortLeavesAPlayableFile)
{
    QTemporaryDir dir;
    const QString out = dir.filePath(QStringLiteral("stopped.mp4"));
    const EncodeRun r = encode(job(OutputType::MP4, out, 100), [](Encoder &e, long long i) {
        if (i == 29)
            e.abort();
    });
    EXPECT_EQ(r.result, ConvertResult::Aborted);
    EXPECT_EQ(test::decodedFrames(out), 30);
    EXPECT_EQ(test::fullDecodeErrors(out), QString());
}

TEST(Encoder, FailuresReachTheErrorCallbackAndLeaveNoFile)
{
    QTemporaryDir dir;
    Encoder enc;
    QStringList errors;
    enc.error = [&](const QString &t) {
        errors << t;
        return 2;
    };
    QImage picture(176, 144, QImage::Format_RGB32);
    picture.fill(Qt::black);
    const QString unwritable = dir.filePath(QStringLiteral("no/such/folder/x.mp4"));
    EXPECT_EQ(enc.convert(job(OutputType::MP4, unwritable, 5), &picture), ConvertResult::Failed);
    ASSERT_EQ(errors.size(), 1);
    EXPECT_TRUE(errors[0].contains(unwritable));

    // A song that cannot be decoded: the answer 2 stops and removes the file.
    errors.clear();
    const QString out = dir.filePath(QStringLiteral("bad-song.mp4"));
    EncoderJob j = job(OutputType::MP4, out, 5);
    j.audio = {{dir.filePath(QStringLiteral("missing.mp3")), 1000}};
    EXPECT_EQ(enc.convert(j, &picture), ConvertResult::Failed);
    EXPECT_FALSE(errors.isEmpty());
    EXPECT_FALSE(QFile::exists(out));

    // A frame that cannot be composed ends the conversion the same way.
    errors.clear();
    enc.videoFunc = [](long long i) {
        if (i == 3)
            throw Error(QStringLiteral("找不到模板影片"));
    };
    EXPECT_EQ(enc.convert(job(OutputType::MP4, out, 10), &picture), ConvertResult::Failed);
    EXPECT_EQ(errors, QStringList{QStringLiteral("找不到模板影片")});
    EXPECT_FALSE(QFile::exists(out));

    EXPECT_EQ(enc.convert(job(OutputType::MP4, out, 0), &picture), ConvertResult::NothingToConvert);
}

TEST(Encoder, ProgressLines)
{
    Encoder e;
    EXPECT_EQ(e.progressLine(1, 0, 0, 0), QStringLiteral("Preparing conversion..."));
    EXPECT_EQ(e.progressLine(2, 7, 0, 0), QStringLiteral("Reducing colors, done frames: 7"));
    EXPECT_TRUE(e.progressLine(3, 25, 44100, 0).startsWith(QStringLiteral("Frame: 25, Sample: 44100, Time Left: ")));
    EXPECT_EQ(e.progressLine(4, 0, 0, 100), QStringLiteral("Multiplexing done: 100%"));
    EXPECT_TRUE(e.progressLine(0, 0, 0, 0).startsWith(QStringLiteral("Processing time: ")));
    EXPECT_EQ(e.progressLine(7, 0, 0, 0), QStringLiteral("Unrecognized status code"));
    EXPECT_EQ(Encoder::timeText(3725), QStringLiteral("01:02:05"));
}
