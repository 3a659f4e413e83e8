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

// The demo album in beat sync with the bundled sample song: the plan lists
// the song's beats and tempo, every template change falls within 40 ms of a
// detected beat (a strong one where the plan says so), and every fitted rate
// is within ±15 %.
TEST(DemoAlbum, BeatSyncChangesOnTheSampleSongsBeats)
{
    QProcess p;
    p.start(QStringLiteral(LUMORA_TEST_PROGRAM_DIR "lumora-make"),
            {QStringLiteral("--plan"), QStringLiteral("--json"), QStringLiteral("--sync"), QStringLiteral("beat"),
             QStringLiteral("--seed"), QStringLiteral("7")});
    ASSERT_TRUE(p.waitForFinished(120000));
    ASSERT_EQ(p.exitCode(), 0) << p.readAllStandardError().toStdString();
    const auto j = nlohmann::json::parse(p.readAllStandardOutput().toStdString());
    EXPECT_EQ(j["output"]["sync"], "beat");
    ASSERT_EQ(j["songs"].size(), 1u);
    const auto &song = j["songs"][0];
    ASSERT_TRUE(song.contains("beats_ms"));
    ASSERT_TRUE(song["clear_beat"].get<bool>())
        << "tempo " << song["tempo_bpm"] << " confidence " << song["beat_confidence"];
    EXPECT_GT(song["tempo_bpm"].get<double>(), 40);
    const std::vector<long long> beats = song["beats_ms"].get<std::vector<long long>>();
    const std::vector<long long> strong = song["strong_beats_ms"].get<std::vector<long long>>();
    ASSERT_GT(beats.size(), 8u);
    auto nearest = [](const std::vector<long long> &v, long long ms) {
        long long best = 1LL << 40;
        for (long long b : v)
            best = std::min(best, std::llabs(b - ms));
        return best;
    };
    const auto &changes = j["template_changes"];
    ASSERT_GE(changes.size(), 2u);
    int onBeat = 0;
    for (const auto &c : changes) {
        if (!c["on_beat"].get<bool>())
            continue;
        ++onBeat;
        const long long ms = c["ms"].get<long long>();
        EXPECT_LE(nearest(beats, ms), 40) << "change at " << ms << " ms";
        if (c["strong"].get<bool>())
            EXPECT_LE(nearest(strong, ms), 40) << "strong change at " << ms << " ms";
    }
    EXPECT_EQ(onBeat, int(changes.size())) << "every change but the album's end lands on a beat";
    long long start = 0;
    for (const auto &t : j["templates"]) {
        EXPECT_EQ(t["start_frame"].get<long long>(), start);
        start += t["played_frames"].get<long long>();
        if (t["fitted"].get<bool>())
            EXPECT_LE(std::abs(t["rate"].get<double>() - 1), 0.15 + 1e-9);
    }
    EXPECT_EQ(start, j["total_frames"].get<long long>());
}
