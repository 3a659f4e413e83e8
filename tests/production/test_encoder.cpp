#include <QImage>
#include <QTemporaryDir>
#include <algorithm>
#include <cstring>
#include <gtest/gtest.h>
#include <random>

#include "../media/MediaFixtures.h"
#include "app/Error.h"
#include "production/Encoder.h"
#include "resources/FileSizeLimit.h"

extern "C" {
#include <libswscale/swscale.h>
}

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
        {OutputType::VCD, "mpeg1video", "mp2", ".mpg"}, {OutputType::SVCD, "mpeg2video", "mp2", ".mpg"},
        {OutputType::DVD, "mpeg2video", "ac3", ".mpg"}, {OutputType::AVI, "mpeg4", "mp3", ".avi"},
        {OutputType::WMV, "wmv2", "wmav2", ".wmv"},     {OutputType::MP4, "h264", "aac", ".mp4"},
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
        EXPECT_EQ(probe(out, QStringLiteral("v:0"), QStringLiteral("codec_name")), QLatin1String(c.video))
            << name.toStdString();
        EXPECT_EQ(probe(out, QStringLiteral("a:0"), QStringLiteral("codec_name")), QLatin1String(c.audio))
            << name.toStdString();
        EXPECT_EQ(probe(out, QStringLiteral("v:0"), QStringLiteral("width")) + "x"
                      + probe(out, QStringLiteral("v:0"), QStringLiteral("height")),
                  QStringLiteral("176x144"));
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

    // The disk filling up in the middle: said in plain words naming the
    // file, and the partial file removed.
    errors.clear();
    const QString full = dir.filePath(QStringLiteral("full.mp4"));
    std::mt19937 random(5);
    enc.videoFunc = [&](long long) { // noise: every frame costs the encoder kilobytes
        for (int y = 0; y < picture.height(); ++y) {
            auto *line = reinterpret_cast<quint32 *>(picture.scanLine(y));
            for (int x = 0; x < picture.width(); ++x)
                line[x] = 0xff000000u | (random() & 0xffffffu);
        }
    };
    ConvertResult result = ConvertResult::Completed;
    {
        const test::FileSizeLimit limit(256 * 1024);
        ASSERT_TRUE(limit.active());
        result = enc.convert(job(OutputType::MP4, full, 200), &picture);
    }
    EXPECT_EQ(result, ConvertResult::Failed);
    ASSERT_EQ(errors.size(), 1);
    EXPECT_TRUE(errors[0].contains(full)) << errors[0].toStdString();
    EXPECT_TRUE(errors[0].contains(QStringLiteral("文件超出了系统允许的大小"))) << errors[0].toStdString();
    EXPECT_FALSE(QFile::exists(full));
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

namespace {
// The YUV planes of a picture as swscale makes them (BT.601, limited range).
std::vector<std::vector<uint8_t>> swscalePlanes(const QImage &picture)
{
    const int w = picture.width(), h = picture.height();
    std::vector<std::vector<uint8_t>> planes{std::vector<uint8_t>(size_t(w * h)),
                                             std::vector<uint8_t>(size_t(w * h / 4)),
                                             std::vector<uint8_t>(size_t(w * h / 4))};
    SwsContext *sws
        = sws_getContext(w, h, AV_PIX_FMT_BGRA, w, h, AV_PIX_FMT_YUV420P, SWS_BICUBIC, nullptr, nullptr, nullptr);
    const uint8_t *src[1] = {picture.constBits()};
    const int srcStride[1] = {int(picture.bytesPerLine())};
    uint8_t *dst[3] = {planes[0].data(), planes[1].data(), planes[2].data()};
    const int dstStride[3] = {w, w / 2, w / 2};
    sws_scale(sws, src, srcStride, 0, h, dst, dstStride);
    sws_freeContext(sws);
    return planes;
}
} // namespace

TEST(Encoder, ConvertsColoursAsSwscaleDoesAndReusesAHeldPicture)
{
    // A picture with saturated colours, greys and fine detail.
    QImage picture(176, 144, QImage::Format_RGB32);
    for (int y = 0; y < picture.height(); ++y)
        for (int x = 0; x < picture.width(); ++x)
            picture.setPixel(x, y, qRgb((x * 7) % 256, (y * 11) % 256, x < 88 ? 230 : (x + y) % 256));
    const auto expected = swscalePlanes(picture);

    QTemporaryDir dir;
    Encoder enc;
    QImage handOver = picture.copy();
    std::vector<std::vector<uint8_t>> luma;
    std::vector<double> chromaDiff;
    enc.videoFunc = [&](long long i) {
        // Frame 1 is marked unchanged although the picture went black: the
        // encoder must take the previous conversion, not the picture.
        handOver.fill(Qt::black);
        if (i == 0)
            enc.handOverUnchanged();
    };
    enc.yuvTap = [&](long long, const YuvPicture &p) {
        std::vector<uint8_t> y(size_t(p.width * p.height));
        for (int r = 0; r < p.height; ++r)
            std::memcpy(y.data() + r * p.width, p.data[0] + r * p.stride[0], size_t(p.width));
        luma.push_back(std::move(y));
        double d = 0;
        for (int plane = 1; plane < 3; ++plane)
            for (int r = 0; r < p.height / 2; ++r)
                for (int c = 0; c < p.width / 2; ++c)
                    d += std::abs(int(p.data[plane][r * p.stride[plane] + c])
                                  - int(expected[size_t(plane)][size_t(r * p.width / 2 + c)]));
        chromaDiff.push_back(d / (p.width * p.height / 2));
    };
    ASSERT_EQ(enc.convert(job(OutputType::MP4, dir.filePath(QStringLiteral("c.mp4")), 3), &handOver),
              ConvertResult::Completed);
    ASSERT_EQ(luma.size(), 3u);
    double lumaDiff = 0;
    for (size_t i = 0; i < expected[0].size(); ++i)
        lumaDiff += std::abs(int(luma[0][i]) - int(expected[0][i]));
    EXPECT_LT(lumaDiff / double(expected[0].size()), 1.0) << "luma as swscale makes it";
    EXPECT_LT(chromaDiff[0], 2.0) << "chroma as swscale makes it";
    EXPECT_EQ(luma[1], luma[0]) << "an unchanged hand-over reuses the previous conversion";
    EXPECT_EQ(enc.unchangedFrames(), 1);
    EXPECT_LT(*std::max_element(luma[2].begin(), luma[2].end()), 20) << "a changed picture is converted again";
}
