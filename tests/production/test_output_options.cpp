#include <QFile>
#include <gtest/gtest.h>

#include "app/Album.h"
#include "app/FlagWords.h"
#include "production/Encoder.h"
#include "production/OutputOptions.h"

using namespace lumora;

TEST(OutputOptions, SizeListsAndDefaults)
{
    struct Case {
        OutputType type;
        ModeKind mode;
        size_t count;
        QSize byDefault;
    };
    const std::vector<Case> cases{
        {OutputType::VCD, ModeKind::Portrait, 5, {480, 720}},
        {OutputType::VCD, ModeKind::Wide16x9, 5, {1280, 720}},
        {OutputType::VCD, ModeKind::Wide4x3, 5, {898, 720}},
        {OutputType::SVCD, ModeKind::Wide16x9, 9, {1280, 720}},
        {OutputType::DVD, ModeKind::Wide16x9, 11, {1280, 720}},
        {OutputType::DVD, ModeKind::Portrait, 9, {720, 1280}},
        {OutputType::AVI, ModeKind::Wide4x3, 8, {1280, 1026}},
        {OutputType::MP4, ModeKind::Wide4x3, 9, {1280, 720}},
        {OutputType::MOV, ModeKind::Wide16x9, 9, {1920, 1088}},
        {OutputType::WMV, ModeKind::Wide16x9, 9, {1280, 720}},
        // Portrait albums get the file sizes turned.
        {OutputType::MP4, ModeKind::Portrait, 9, {720, 1280}},
        {OutputType::MOV, ModeKind::Portrait, 9, {1088, 1920}},
    };
    for (const Case &c : cases) {
        const auto sizes = outputSizes(c.type, c.mode);
        EXPECT_EQ(sizes.size(), c.count) << outputTypeName(c.type).toStdString();
        EXPECT_EQ(sizes.at(size_t(defaultSizeEntry(c.type))), c.byDefault) << outputTypeName(c.type).toStdString();
    }
    const auto dvd = outputSizes(OutputType::DVD, ModeKind::Wide16x9);
    EXPECT_EQ(dvd[9], QSize(3656, 2056));
    EXPECT_EQ(dvd[10], QSize(3840, 2160));
    EXPECT_EQ(sizeText({1280, 720}), QStringLiteral("1280 × 720"));
    EXPECT_EQ(outputTypeFromName(QStringLiteral("mp4")), OutputType::MP4);
    EXPECT_EQ(outputTypeFromName(QStringLiteral("MKV")), std::nullopt);
    EXPECT_EQ(qualityFromKey(QStringLiteral("chaoqing")), QualityLevel::Chaoqing);

    OutputChoice c = defaultOutputChoice(ModeKind::Wide16x9);
    EXPECT_EQ(c.quality, QualityLevel::Biaoqing);
    EXPECT_EQ(c.tv, TvSystem::PAL);
    EXPECT_EQ(c.sync, SyncMode::Template);
    c.albumName = QStringLiteral("婚礼");
    c.folder = QStringLiteral("/tmp/out");
    EXPECT_EQ(c.outputPath(), QStringLiteral("/tmp/out/婚礼.mp4"));
}

TEST(OutputOptions, FrameGeometryNeverStretches)
{
    struct Case {
        QSize output;
        ModeKind mode;
        QSize encoded;
        QRect album;
    };
    const std::vector<Case> cases{
        {{1920, 1080}, ModeKind::Wide16x9, {1920, 1080}, {0, 0, 1920, 1080}},
        {{320, 176}, ModeKind::Wide16x9, {320, 176}, {3, 0, 313, 176}}, // pillarbox
        {{1920, 1088}, ModeKind::Wide16x9, {1920, 1088}, {0, 4, 1920, 1080}}, // letterbox
        {{640, 513}, ModeKind::Wide4x3, {640, 512}, {0, 0, 640, 512}}, // odd height coded one row shorter
        {{800, 641}, ModeKind::Wide4x3, {800, 640}, {0, 0, 800, 640}},
        {{1280, 720}, ModeKind::Wide4x3, {1280, 720}, {191, 0, 898, 720}}, // a 4:3 album in a 16:9 file
        {{720, 1280}, ModeKind::Portrait, {720, 1280}, {0, 0, 720, 1280}},
        {{1280, 720}, ModeKind::Portrait, {1280, 720}, {437, 0, 405, 720}}, // a portrait album in a landscape file
    };
    for (const Case &c : cases) {
        const FrameGeometry g = frameGeometry(c.output, c.mode);
        EXPECT_EQ(g.encoded, c.encoded) << c.output.width() << "x" << c.output.height();
        EXPECT_EQ(g.album, c.album) << c.output.width() << "x" << c.output.height();
    }
}

TEST(OutputOptions, StartRefusalsInOrder)
{
    Album album;
    album.reset(ModeKind::Wide16x9);
    album.cells.setText(cell::kTuichu, flag::kPlaying);
    EXPECT_EQ(productionStartRefusal(album, SyncMode::Template), kPlayingGuardNotice);
    album.cells.setText(cell::kTuichu, flag::kStopped);
    EXPECT_EQ(productionStartRefusal(album, SyncMode::Music), QStringLiteral("没有添加照片文件！"));
    album.ListView_daoru_zhaopian.append(QStringLiteral("1"));
    EXPECT_EQ(productionStartRefusal(album, SyncMode::Music),
              QStringLiteral("没有找到音乐文件！使用随音乐文件同步,至少添加一个音乐文件！"));
    EXPECT_EQ(productionStartRefusal(album, SyncMode::Template), QStringLiteral("没有添加模板文件！"));
    album.ListView_moban_shiyong.append(QStringLiteral("0"));
    EXPECT_EQ(productionStartRefusal(album, SyncMode::Template), QString());
    EXPECT_EQ(albumNameRefusal(QString()), QStringLiteral("相册名称不能为空,请输入相册名称！"));
}

TEST(OutputOptions, ReadmeQualityTableIsTheEncodersTable)
{
    QFile readme(QStringLiteral(LUMORA_TEST_DATA_DIR "../../README.md"));
    ASSERT_TRUE(readme.open(QIODevice::ReadOnly));
    const QString text = QString::fromUtf8(readme.readAll());
    EXPECT_TRUE(text.contains(qualityTableMarkdown())) << "README.md should hold:\n"
                                                       << qualityTableMarkdown().toStdString();
    // The log names the same numbers the encoder is given.
    EXPECT_EQ(encoderSettings(OutputType::MP4, QualityLevel::Gaoqing).videoRate,
              QStringLiteral("CRF 20, preset veryfast, max rate 20 Mbit/s"));
}
