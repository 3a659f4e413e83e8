// The album session over the authored resource tree: the same sequence as
// lumora-make, productions side by side, a tree that stays as it was.
#include <QCryptographicHash>
#include <QDirIterator>
#include <QProcess>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include "../media/MediaFixtures.h"
#include "album/PhotoTable.h"
#include "effects/CaptionSpacing.h"
#include "effects/TextBands.h"
#include "media/LrcParser.h"
#include "session/AlbumSession.h"
#include "session/PlanReport.h"
#include "templates/TemplatePacks.h"

using namespace lumora;

namespace {

const QString kProgram = QStringLiteral(LUMORA_TEST_PROGRAM_DIR);

// Path, size and modification time of every file of the resource tree, and a
// checksum of every file smaller than 64 KB (the parameter files, packs).
QStringList treeSnapshot()
{
    QStringList lines;
    QDirIterator it(kProgram + QStringLiteral("smxcwjj"), QDir::Files | QDir::Hidden | QDir::System,
                    QDirIterator::Subdirectories);
    while (it.hasNext()) {
        it.next();
        const QFileInfo fi = it.fileInfo();
        QString line
            = QStringLiteral("%1 %2 %3").arg(fi.filePath()).arg(fi.size()).arg(fi.lastModified().toMSecsSinceEpoch());
        if (fi.size() < 65536) {
            QFile f(fi.filePath());
            if (f.open(QIODevice::ReadOnly))
                line += u' '
                    + QString::fromLatin1(QCryptographicHash::hash(f.readAll(), QCryptographicHash::Md5).toHex());
        }
        lines << line;
    }
    lines.sort();
    return lines;
}

bool haveTree()
{
    return QFileInfo::exists(kProgram + QStringLiteral("smxcwjj/wj_0_or_2"));
}

} // namespace

TEST(SessionTree, SessionGivesTheSamePlanAsLumoraMake)
{
    if (!haveTree())
        GTEST_SKIP() << "no authored resource tree in " << kProgram.toStdString();
    QTemporaryDir work;
    AlbumSession session(kProgram, work.path(), 42);
    session.chooseMode(ModeKind::Wide16x9);
    session.addSongs({session.paths().sampleSong()});
    session.addLyricFiles({session.paths().sampleLyrics()});
    const AddPhotosReport added = session.addPhotos({session.paths().samplePhotoFolder()});
    OutputChoice choice = defaultOutputChoice(ModeKind::Wide16x9);
    choice.albumName = QStringLiteral("演示相册");
    choice.folder = withSlash(QDir::currentPath());
    const std::string fromSession = planJsonText(session.album(), session.plan(choice), added.refused);

    const QString fromTool = test::run(
        kProgram + QStringLiteral("lumora-make"),
        {QStringLiteral("--seed"), QStringLiteral("42"), QStringLiteral("--plan"), QStringLiteral("--json")});
    EXPECT_EQ(QString::fromStdString(fromSession).trimmed(), fromTool.trimmed());
    // A text effect was placed by the seeded random source in both.
    EXPECT_GT(nlohmann::json::parse(fromSession)["text_effects"].get<int>(), 0);
}

TEST(SessionTree, TwoProductionsRunSideBySideAndLeaveTheTreeAsItWas)
{
    if (!haveTree())
        GTEST_SKIP() << "no authored resource tree in " << kProgram.toStdString();
    const QStringList before = treeSnapshot();
    QTemporaryDir out;
    const QString song = out.path() + QStringLiteral("/歌.mp3");
    test::makeSineMp3(song, 3.0);
    const QStringList photos = QDir(kProgram + QStringLiteral("shilizhaopian"))
                                   .entryList({QStringLiteral("*.jpg")}, QDir::Files, QDir::Name);
    ASSERT_GE(photos.size(), 4);

    QProcess runs[2];
    for (int i = 0; i < 2; ++i) {
        QStringList args{
            QStringLiteral("--size"), QStringLiteral("320x176"),       QStringLiteral("--music"), song,
            QStringLiteral("--name"), QStringLiteral("并行%1").arg(i), QStringLiteral("--out"),   out.path()};
        for (int k = 0; k < 2; ++k)
            args << kProgram + QStringLiteral("shilizhaopian/") + photos[2 * i + k];
        runs[i].start(kProgram + QStringLiteral("lumora-make"), args);
    }
    for (int i = 0; i < 2; ++i) {
        ASSERT_TRUE(runs[i].waitForFinished(300000));
        EXPECT_EQ(runs[i].exitCode(), 0) << runs[i].readAllStandardError().toStdString();
        const QString file = out.path() + QStringLiteral("/并行%1.mp4").arg(i);
        const QString plan = test::run(kProgram + QStringLiteral("lumora-make"),
                                       {QStringLiteral("--size"), QStringLiteral("320x176"), QStringLiteral("--music"),
                                        song, QStringLiteral("--plan"), QStringLiteral("--json"),
                                        kProgram + QStringLiteral("shilizhaopian/") + photos[2 * i],
                                        kProgram + QStringLiteral("shilizhaopian/") + photos[2 * i + 1]});
        const long long total = nlohmann::json::parse(plan.toStdString())["total_frames"].get<long long>();
        EXPECT_EQ(test::decodedFrames(file), total) << file.toStdString();
        EXPECT_EQ(test::fullDecodeErrors(file), QString());
    }
    EXPECT_EQ(treeSnapshot(), before) << "the resource tree was written to";
}

TEST(SessionTree, PackAddChecksThePhotosThePackNeeds)
{
    if (!haveTree())
        GTEST_SKIP() << "no authored resource tree in " << kProgram.toStdString();
    QTemporaryDir work;
    AlbumSession session(kProgram, work.path(), 1);
    session.chooseMode(ModeKind::Wide16x9);
    const TemplatePack pack = readTemplatePack(session.paths(), 1);
    ASSERT_GT(pack.portraitNeed, 0) << "pack 1 of the authored tree needs portrait photos";
    // Two landscape sample photos only.
    QStringList landscape;
    for (const QString &f :
         QDir(session.paths().samplePhotoFolder()).entryList({QStringLiteral("*.jpg")}, QDir::Files, QDir::Name)) {
        const PhotoFacts facts = readPhotoFacts(session.paths().samplePhotoFolder() + f);
        if (facts.width >= facts.height && landscape.size() < 2)
            landscape << facts.path;
    }
    ASSERT_EQ(landscape.size(), 2);
    PhotoAddOptions options;
    options.pack = 1;
    const AddPhotosReport r = session.addPhotos(landscape, options);
    EXPECT_EQ(r.added, 0);
    ASSERT_FALSE(r.notices.isEmpty());
    EXPECT_TRUE(r.notices.join(QString()).contains(QStringLiteral("竖照片")));
    EXPECT_EQ(session.album().ListView_moban_shiyong.size(), 0) << "no incomplete templates left behind";
}

// Whole automatic albums in every mode and with several random choices: no
// caption meets the lyric line's band, nor another caption on screen at the
// same time; the plan lists the lyric timeline as the album shows it.
TEST(SessionTree, AutomaticCaptionsKeepOutOfTheLyricsAndOffEachOther)
{
    if (!haveTree())
        GTEST_SKIP() << "no authored resource tree in " << kProgram.toStdString();
    int captions = 0;
    for (const ModeKind mode : {ModeKind::Wide16x9, ModeKind::Wide4x3, ModeKind::Portrait}) {
        for (const int seed : {1, 42, 7}) {
            SCOPED_TRACE(testing::Message() << "mode " << int(mode) << " seed " << seed);
            QTemporaryDir work;
            AlbumSession session(kProgram, work.path(), seed);
            session.chooseMode(mode);
            session.addSongs({session.paths().sampleSong()});
            session.addLyricFiles({session.paths().sampleLyrics()});
            session.addPhotos({session.paths().samplePhotoFolder()});
            const Album &album = session.album();
            const QRect band = albumLyricBand(album, album.modeInfo().preview);
            const std::vector<CaptionBox> boxes = captionBoxes(album);
            captions += int(boxes.size());
            for (size_t i = 0; i < boxes.size(); ++i) {
                EXPECT_FALSE(boxes[i].rect.intersects(band)) << "row " << boxes[i].row;
                for (size_t j = 0; j < i; ++j)
                    EXPECT_FALSE(boxes[i].together(boxes[j]) && boxes[i].rect.intersects(boxes[j].rect))
                        << "rows " << boxes[j].row << " and " << boxes[i].row;
            }
            if (mode == ModeKind::Wide16x9 && seed == 42) {
                OutputChoice choice = defaultOutputChoice(mode);
                choice.albumName = QStringLiteral("演示相册");
                choice.folder = withSlash(QDir::currentPath());
                const auto plan = nlohmann::json::parse(planJsonText(album, session.plan(choice), {}));
                const auto &song = plan["songs"][0];
                EXPECT_EQ(song["lyric_encoding"], "GB18030");
                const auto &timeline = song["lyric_timeline"];
                ASSERT_GE(timeline.size(), 8u);
                const LyricTimeline t = readLrcFile(session.paths().sampleLyrics());
                EXPECT_EQ(timeline[0]["ms"].get<qint64>(), t.entries[0].ms);
                EXPECT_EQ(QString::fromStdString(timeline[0]["text"].get<std::string>()), t.entries[0].text);
            }
        }
    }
    EXPECT_GT(captions, 10);
}
