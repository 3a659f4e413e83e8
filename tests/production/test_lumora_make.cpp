// lumora-make as a user runs it: options, plan output, refusals and exit
// status, a produced file. The program folder is the fixture's tree.
#include <QDir>
#include <QFile>
#include <QProcess>
#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include "../media/MediaFixtures.h"
#include "ProductionFixture.h"
#include "session/AlbumSession.h"
#include "session/ProjectFile.h"

using namespace lumora;

namespace {

struct Outcome {
    int code = -1;
    QString out, err;
};

Outcome make(const test::ProductionFixture &fx, QStringList args)
{
    QProcess p;
    p.setProgram(QStringLiteral(LUMORA_TEST_PROGRAM_DIR "lumora-make"));
    args << QStringLiteral("--program-folder") << fx.dir();
    p.setArguments(args);
    p.start();
    p.waitForFinished(120000);
    return {p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1, QString::fromUtf8(p.readAllStandardOutput()),
            QString::fromUtf8(p.readAllStandardError())};
}

} // namespace

TEST(LumoraMake, PlanAsJsonRefusesBadPhotosByName)
{
    test::ProductionFixture fx;
    const QString good1 = fx.photo(QStringLiteral("甲"));
    const QString good2 = fx.photo(QStringLiteral("乙"));
    const QString bad = fx.dir() + QStringLiteral("photos/坏.jpg");
    writeFileBytes(bad, "not a jpeg");
    const QString song = fx.dir() + QStringLiteral("歌.mp3");
    test::makeSineMp3(song, 3.0);
    const Outcome o = make(fx,
                           {QStringLiteral("--plan"), QStringLiteral("--json"), QStringLiteral("--text-effects"),
                            QStringLiteral("off"), QStringLiteral("--music"), song, QStringLiteral("--size"),
                            QStringLiteral("320x176"), QStringLiteral("--title"), QStringLiteral("外婆九十岁"),
                            QStringLiteral("--caption"), QStringLiteral("1,柔光,生日快乐\\n2026"), good1, bad, good2});
    ASSERT_EQ(o.code, 0) << o.err.toStdString();
    EXPECT_TRUE(o.err.contains(bad)) << "the bad photo is named";
    const auto j = nlohmann::json::parse(o.out.toStdString());
    EXPECT_EQ(j["total_frames"], 168);
    EXPECT_EQ(j["output"]["type"], "MP4");
    EXPECT_EQ(j["output"]["width"], 320);
    EXPECT_EQ(j["output"]["height"], 176);
    EXPECT_EQ(QString::fromStdString(j["output"]["path"]).section('/', -1), QStringLiteral("我的相册.mp4"));
    ASSERT_EQ(j["templates"].size(), 2u);
    EXPECT_EQ(j["templates"][0]["frames"], 10);
    EXPECT_EQ(j["templates"][0]["slots"][0]["orientation"], "landscape");
    EXPECT_EQ(QString::fromStdString(j["templates"][0]["slots"][0]["photo"]), good1);
    EXPECT_EQ(j["photos"].size(), 2u);
    EXPECT_EQ(j["photos"][1]["used"], true);
    ASSERT_EQ(j["refused"].size(), 1u);
    EXPECT_EQ(QString::fromStdString(j["refused"][0]["path"]), bad);
    ASSERT_EQ(j["songs"].size(), 1u);
    EXPECT_NEAR(double(j["songs"][0]["length_ms"]), 3000, 30);
    EXPECT_EQ(j["songs"][0]["frames"], 75);
    EXPECT_EQ(j["text_effects"], 1) << "the typed caption is a row of the text effect table";
    EXPECT_EQ(j["picture_effects"], 0);
    // The title and the typed caption, inside the safe area of the picture.
    ASSERT_EQ(j["captions"].size(), 2u);
    EXPECT_EQ(j["captions"][0]["kind"], "title");
    EXPECT_EQ(j["captions"][1]["kind"], "custom");
    EXPECT_EQ(QString::fromStdString(j["captions"][1]["text"]), QStringLiteral("生日快乐\n2026"));
    EXPECT_EQ(j["captions"][1]["style"], "rouguang");
    EXPECT_EQ(j["captions"][1]["start_frame"], 25);
    for (const auto &c : j["captions"]) {
        const int x = c["box"][0], y = c["box"][1], w = c["box"][2], h = c["box"][3];
        EXPECT_GT(w, 0);
        EXPECT_TRUE(x >= 16 && y >= 8 && x + w <= 304 && y + h <= 168) << c.dump();
    }
}

// The closing line ends just before the album's pictures end: the mode
// movie of a template-synced album, the end of a music-synced one (where the
// templates repeat, so their own frames say nothing about the end).
TEST(LumoraMake, ClosingLineEndsWithTheAlbumsPictures)
{
    test::ProductionFixture fx;
    const QString song = fx.dir() + QStringLiteral("歌.mp3");
    test::makeSineMp3(song, 8.0);
    const Outcome o = make(fx,
                           {QStringLiteral("--plan"), QStringLiteral("--json"), QStringLiteral("--text-effects"),
                            QStringLiteral("off"), QStringLiteral("--music"), song, QStringLiteral("--sync"),
                            QStringLiteral("music"), QStringLiteral("--size"), QStringLiteral("320x176"),
                            QStringLiteral("--ending"), QStringLiteral("谢谢观看"), fx.photo(QStringLiteral("甲")),
                            fx.photo(QStringLiteral("乙"))});
    ASSERT_EQ(o.code, 0) << o.err.toStdString();
    const auto j = nlohmann::json::parse(o.out.toStdString());
    const long long total = j["total_frames"];
    EXPECT_EQ(total, 200);
    ASSERT_EQ(j["captions"].size(), 1u) << j["captions"].dump();
    const auto &c = j["captions"][0];
    EXPECT_EQ(c["kind"], "ending");
    const long long end = c["start_frame"].get<long long>() + c["frames"].get<long long>();
    EXPECT_LE(end, total);
    EXPECT_GT(end, total - 25) << "within a second of the end";
}

TEST(LumoraMake, RefusalsExitNonZeroWithAMessage)
{
    test::ProductionFixture fx;
    const QString photo = fx.photo(QStringLiteral("甲"));
    const QString notSong = fx.dir() + QStringLiteral("坏.mp3");
    writeFileBytes(notSong, "not an mp3");
    const QString notJpeg = fx.dir() + QStringLiteral("photos/坏.jpg");
    writeFileBytes(notJpeg, "not a jpeg");
    struct Case {
        QStringList args;
        int code;
        QString message;
    };
    const std::vector<Case> cases{
        {{QStringLiteral("--type"), QStringLiteral("MKV"), photo}, 2, QStringLiteral("未知的输出类型")},
        {{QStringLiteral("--size"), QStringLiteral("1000x500"), photo}, 2, QStringLiteral("1280x720")},
        {{QStringLiteral("--bogus"), photo}, 2, QStringLiteral("未知的选项")},
        {{QStringLiteral("--sync"), QStringLiteral("music"), photo},
         1,
         QStringLiteral("没有找到音乐文件！使用随音乐文件同步,至少添加一个音乐文件！")},
        {{QStringLiteral("--music"), notSong, photo}, 1, notSong},
        {{QStringLiteral("--lyrics"), fx.dir() + QStringLiteral("没有.lrc"), photo}, 1, QStringLiteral("没有.lrc")},
        {{notJpeg}, 1, QStringLiteral("没有添加照片文件！")},
        {{QStringLiteral("--name"), QString(), photo}, 2, QStringLiteral("相册名称不能为空,请输入相册名称！")},
        {{QStringLiteral("--caption"), QStringLiteral("x,rouguang,字"), photo}, 2, QStringLiteral("自定义文字")},
        {{QStringLiteral("--caption"), QStringLiteral("3,no_style,字"), photo}, 2, QStringLiteral("jinse_biaoti")},
        {{QStringLiteral("--subtitle"), QStringLiteral("无标题"), photo}, 2, QStringLiteral("--title")},
    };
    for (const Case &c : cases) {
        const Outcome o = make(fx, c.args);
        EXPECT_EQ(o.code, c.code) << c.args.join(' ').toStdString() << "\n" << o.err.toStdString();
        EXPECT_TRUE(o.err.contains(c.message)) << c.args.join(' ').toStdString() << "\n" << o.err.toStdString();
        EXPECT_TRUE(o.out.isEmpty());
    }
}

TEST(LumoraMake, ProducesTheVideoAndPrintsItsPath)
{
    test::ProductionFixture fx;
    const Outcome o
        = make(fx,
               {QStringLiteral("--text-effects"), QStringLiteral("off"), QStringLiteral("--type"),
                QStringLiteral("MOV"), QStringLiteral("--size"), QStringLiteral("320x176"), QStringLiteral("--name"),
                QStringLiteral("小相册"), QStringLiteral("--out"), fx.dir() + QStringLiteral("成品"),
                fx.photo(QStringLiteral("甲")), fx.photo(QStringLiteral("乙"))});
    ASSERT_EQ(o.code, 0) << o.err.toStdString();
    const QString path = o.out.trimmed();
    EXPECT_EQ(path, fx.dir() + QStringLiteral("成品/小相册.mov"));
    EXPECT_EQ(test::decodedFrames(path), 168);
}

namespace {
// Every decoded frame of a video as RGB bytes.
QByteArray decodedRgb(const QString &file)
{
    QProcess p;
    p.start(QStringLiteral("ffmpeg"),
            {QStringLiteral("-v"), QStringLiteral("error"), QStringLiteral("-i"), file, QStringLiteral("-f"),
             QStringLiteral("rawvideo"), QStringLiteral("-pix_fmt"), QStringLiteral("rgb24"), QStringLiteral("-")});
    p.waitForFinished(120000);
    return p.readAllStandardOutput();
}
} // namespace

TEST(LumoraMake, SavedAlbumsGiveTheFramesTheSessionProduces)
{
    test::ProductionFixture fx;
    const QString work = fx.dir() + QStringLiteral("work");
    QDir().mkpath(work);
    AlbumSession session(fx.dir(), work, 7);
    session.chooseMode(ModeKind::Wide16x9);
    session.album().settings.wenzitexiaoTianjia = false;
    ASSERT_EQ(session.addPhotos({fx.photo(QStringLiteral("甲")), fx.photo(QStringLiteral("乙"))}).added, 2);
    const QString song = fx.dir() + QStringLiteral("歌.mp3");
    test::makeSineMp3(song, 3.0);
    ASSERT_EQ(session.addSongs({song}).added, 1);
    OutputChoice choice = defaultOutputChoice(ModeKind::Wide16x9, OutputType::MP4);
    choice.size = QSize(320, 176);
    choice.albumName = QStringLiteral("窗口");
    choice.folder = fx.dir();
    session.output() = choice;
    const ProductionResult made = session.produce(session.plan(choice));
    ASSERT_EQ(made.outcome, ProductionOutcome::Completed) << made.error.toStdString();
    const QString album = fx.dir() + QStringLiteral("婚礼.lumora");
    saveProject(session, album);
    const QString damaged = fx.dir() + QStringLiteral("坏.lumora");
    writeFileBytes(damaged, "{not json");

    const QString out = fx.dir() + QStringLiteral("made");
    const Outcome o
        = make(fx, {QStringLiteral("--name"), QStringLiteral("命令行"), QStringLiteral("--out"), out, album});
    ASSERT_EQ(o.code, 0) << o.err.toStdString();
    const QString video = out + QStringLiteral("/命令行.mp4");
    EXPECT_TRUE(o.out.contains(video)) << o.out.toStdString();
    const QByteArray a = decodedRgb(made.outputPath), b = decodedRgb(video);
    ASSERT_EQ(a.size(), 168LL * 320 * 176 * 3);
    EXPECT_TRUE(a == b) << "the saved album renders the same frames";

    // Several files: one summary line each, the damaged one named as failed,
    // the status that of the failure; the good one is still made.
    const Outcome several = make(fx, {QStringLiteral("--out"), out, damaged, album});
    EXPECT_EQ(several.code, 1);
    EXPECT_TRUE(several.err.contains(QStringLiteral("坏.lumora"))) << several.err.toStdString();
    EXPECT_TRUE(several.out.contains(QStringLiteral("婚礼.lumora"))) << several.out.toStdString();
    EXPECT_TRUE(QFile::exists(out + QStringLiteral("/窗口.mp4")));
    // Options the album file already holds are refused.
    EXPECT_EQ(make(fx, {QStringLiteral("--mode"), QStringLiteral("4:3"), album}).code, 2);
}
