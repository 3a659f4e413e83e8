// The demo album from the authored tree: lumora-make without photos plans the
// sample photos with the sample song and its lyric file.
#include <QProcess>
#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

TEST(DemoAlbum, PlansTheBundledSampleContent)
{
    QProcess p;
    p.start(QStringLiteral(LUMORA_TEST_PROGRAM_DIR "lumora-make"),
            {QStringLiteral("--plan"), QStringLiteral("--json")});
    ASSERT_TRUE(p.waitForFinished(120000));
    ASSERT_EQ(p.exitCode(), 0) << p.readAllStandardError().toStdString();
    const auto j = nlohmann::json::parse(p.readAllStandardOutput().toStdString());
    EXPECT_GT(j["total_frames"].get<long long>(), 150);
    EXPECT_GE(j["photos"].size(), 4u);
    for (const auto &photo : j["photos"])
        EXPECT_TRUE(photo["used"].get<bool>()) << photo["path"];
    EXPECT_TRUE(j["refused"].empty());
    ASSERT_EQ(j["songs"].size(), 1u);
    EXPECT_GE(j["songs"][0]["length_ms"].get<long long>(), 1000);
    EXPECT_FALSE(j["songs"][0]["lyrics"].get<std::string>().empty());
    EXPECT_TRUE(QString::fromStdString(j["output"]["path"]).endsWith(QStringLiteral("演示相册.mp4")));
}
