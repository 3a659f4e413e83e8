#include <QRegularExpression>
#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <csignal>
#include <thread>

#include "album/AlbumTables.h"
#include "album/BackgroundTable.h"
#include "album/Matching.h"
#include "app/Error.h"
#include "app/Language.h"
#include "effects/CustomCaptions.h"
#include "session/ProjectFile.h"
#include "session/RecoveryFile.h"
#include "session/SessionFixture.h"

using namespace lumora;
using namespace lumora::test;

namespace {

struct Env {
    QTemporaryDir tmp;
    QString work() const { return tmp.path() + QStringLiteral("/work/"); }
    QString project() const { return tmp.path() + QStringLiteral("/project/"); }
    std::unique_ptr<AlbumSession> session(std::uint64_t seed = 7) const
    {
        return std::make_unique<AlbumSession>(kProgramDir, work(), seed);
    }
};

// Every stored table of two albums, with a readable diff on failure.
void expectSameTables(const ProjectSnapshot &a, const ProjectSnapshot &b)
{
    ASSERT_EQ(a.tables.size(), b.tables.size());
    for (size_t t = 0; t < a.tables.size(); ++t) {
        const RowTable &x = a.tables[t].second;
        const RowTable &y = b.tables[t].second;
        ASSERT_EQ(x.size(), y.size()) << a.tables[t].first.toStdString();
        for (int r = 0; r < x.size(); ++r)
            EXPECT_EQ(QStringList(x[r].caption()) + x[r].subItems(), QStringList(y[r].caption()) + y[r].subItems())
                << a.tables[t].first.toStdString() << " row " << r;
    }
    EXPECT_EQ(a.mode, b.mode);
    EXPECT_EQ(a.settings, b.settings);
    EXPECT_EQ(a.assignMethod, b.assignMethod);
}

// An album with every kind of content: matched photos, a template used by
// hand and filled by hand, a changed crop, a chosen background with its
// transparency, a song, a lyric file with changed settings, effects and
// settings that differ from the defaults.
void buildRichAlbum(AlbumSession &s, const QString &projectFolder)
{
    s.chooseMode(ModeKind::Wide16x9);
    s.album().settings.huamiantexiaoTianjia = true; // automatic picture effects too
    const QStringList photos = writePhotos(projectFolder + QStringLiteral("photos"), 4, 2);
    const AddPhotosReport added = s.addPhotos(photos);
    ASSERT_EQ(added.added, 6);
    ASSERT_GT(s.album().ListView_moban_shiyong.size(), 0);

    Album &a = s.album();
    // A landscape single template used by hand, its slot filled by hand, its crop changed.
    int listRow = -1;
    for (int i = 0; i < a.ListView_moban.size() && listRow < 0; ++i)
        if (a.ListView_moban[i].cell(usedcol::kCategory) == QStringLiteral("横照模板"))
            listRow = i;
    ASSERT_GE(listRow, 0);
    const int used = useTemplateByHand(a, listRow);
    int slot = -1;
    for (int i = 0; i < a.ListView_moban_shiyong_canshu.size(); ++i)
        if (a.ListView_moban_shiyong_canshu[i].cell(slotcol::kUsedRow).toInt() == used)
            slot = i;
    ASSERT_GE(slot, 0);
    ASSERT_TRUE(putPhotoInSlot(a, slot, 0));
    updateTemplateCompletion(a, used);
    a.ListView_moban_shiyong_canshu.setCell(slot, slotcol::kFillX, QStringLiteral("-96"));

    // A background picture of our own for the first template, outside the project folder.
    const QString bg = QDir::cleanPath(projectFolder + QStringLiteral("../elsewhere/bg.jpg"));
    writePhoto(bg, 120, 80, Qt::darkGreen);
    changeBackgroundPicture(a, 0, bg);
    setBackgroundTransparency(a, 0, 40, false);

    const MediaAddReport songs = s.addSongs({kSampleSong});
    ASSERT_EQ(songs.added, 1) << (songs.refused.empty() ? "" : songs.refused[0].reason.toStdString());
    ASSERT_EQ(s.addLyricFiles({kSampleLyrics}).added, 1);
    a.ListView_geci_shezhi_canshu.row(0).setSubItem(9, QStringLiteral("18")); // font size

    // A caption typed by the person, two lines in its own style, and the titles.
    ASSERT_TRUE(
        addCustomCaption(a, QStringLiteral("小明 ♥ 小红\n2026年5月20日"), QStringLiteral("caidai_hengfu"), {0, 0, 4})
            .changed);
    a.settings.piantouBiaoti = QStringLiteral("外婆九十岁生日快乐");
    a.settings.piantouFubiaoti = QStringLiteral("2026 · 春");
    a.settings.pianweiZimu = QStringLiteral("谢谢观看");
    a.settings.piantouTishi = true;

    a.settings.wenzitexiaoTianjia = false;
    s.output().sync = SyncMode::Beat;
    s.output().albumName = QStringLiteral("我们的相册");
}

} // namespace

TEST(ProjectFile, RoundTripsEveryTableAndKeepsWorkingWhenTheFolderMoves)
{
    Env env;
    auto s = env.session();
    buildRichAlbum(*s, env.project());
    ASSERT_FALSE(s->album().wenzi_ListView_Image.empty() && s->album().huamian_ListView_Image.empty());
    const QString file = env.project() + QStringLiteral("album.lumora");
    saveProject(*s, file);

    // Photos inside the project folder are stored relative to it; the rest absolute.
    QFile f(file);
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    const QByteArray text = f.readAll();
    EXPECT_TRUE(text.contains("\"photos/p01.jpg\""));
    EXPECT_FALSE(text.contains(env.project().toUtf8() + "photos"));
    EXPECT_TRUE(text.contains(QStringLiteral("/elsewhere/bg.jpg").toUtf8()));

    // Opened by a program that has not chosen a mode yet.
    auto opened = env.session(99);
    const ProjectOpenReport r = openProject(*opened, file);
    ASSERT_TRUE(r.loaded);
    EXPECT_TRUE(r.missing.isEmpty());
    const ProjectSnapshot before = captureProject(*s);
    expectSameTables(before, captureProject(*opened));
    EXPECT_EQ(opened->output().sync, SyncMode::Beat);
    // The beats measured when the song was added come back with its row.
    const SongBeats beats = music::songBeats(opened->album(), 0);
    ASSERT_TRUE(beats.analysed());
    EXPECT_EQ(beats.beatsMs, music::songBeats(s->album(), 0).beatsMs);
    EXPECT_FALSE(beats.beatsMs.empty());
    EXPECT_EQ(opened->output().albumName, QStringLiteral("我们的相册"));
    EXPECT_EQ(completedTemplateFrames(opened->album()), completedTemplateFrames(s->album()));

    // The project folder moved elsewhere: its photos follow it.
    const QString moved = env.tmp.path() + QStringLiteral("/moved/");
    ASSERT_TRUE(QDir().rename(env.project(), moved));
    auto third = env.session();
    ASSERT_TRUE(openProject(*third, moved + QStringLiteral("album.lumora")).loaded);
    const Row &photo = third->album().ListView_daoru_zhaopian[0];
    EXPECT_EQ(photo.cell(photocol::kPath), moved + QStringLiteral("photos/p01.jpg"));
    for (const Row &slot : third->album().ListView_moban_shiyong_canshu)
        EXPECT_TRUE(slot.cell(slotcol::kPhotoPath).isEmpty() || slot.cell(slotcol::kPhotoPath).startsWith(moved));
}

TEST(ProjectFile, BadFilesAreRefusedAndTheAlbumStaysAsItWas)
{
    Env env;
    auto s = env.session();
    buildRichAlbum(*s, env.project());
    const QString file = env.project() + QStringLiteral("album.lumora");
    saveProject(*s, file);
    QFile f(file);
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    const QByteArray good = f.readAll();
    f.close();

    // The album that is open while the bad files are tried: a different one.
    auto current = env.session();
    current->chooseMode(ModeKind::Portrait);
    current->addPhotos(writePhotos(env.tmp.path() + QStringLiteral("/other"), 1, 2));
    const QByteArray currentBefore = serializeProject(captureProject(*current), {});

    QByteArray newer = good;
    newer.replace("\"version\":1", "\"version\":2");
    QByteArray unknownTemplate = good;
    const QString firstName = s->album().ListView_moban_shiyong[0].cell(usedcol::kName);
    unknownTemplate.replace(("\"" + firstName + "\"").toUtf8(), "\"不存在的模板\"");
    const struct {
        const char *name;
        QByteArray bytes;
        QString notice; // part of the expected notice
    } cases[] = {
        {"truncated", good.left(good.size() / 2), QStringLiteral("相册文件已损坏")},
        {"empty", QByteArray(), QStringLiteral("相册文件已损坏")},
        {"not a project", QByteArray("{\"a\":1}"), QStringLiteral("这不是相册文件")},
        {"newer version", newer, QStringLiteral("更新版本")},
        {"unknown template", unknownTemplate, QStringLiteral("不存在的模板")},
    };
    for (const auto &c : cases) {
        const QString bad = env.tmp.path() + QStringLiteral("/bad.lumora");
        writeFileAtomically(bad, c.bytes);
        try {
            openProject(*current, bad);
            ADD_FAILURE() << c.name << ": opened";
        } catch (const Error &e) {
            EXPECT_TRUE(e.message().contains(c.notice)) << c.name << ": " << e.message().toStdString();
        }
        EXPECT_EQ(serializeProject(captureProject(*current), {}), currentBefore) << c.name;
        EXPECT_EQ(current->album().mode, ModeKind::Portrait) << c.name;
    }
}

TEST(ProjectFile, MissingFilesAreNamedAndLoadOnlyWhenAsked)
{
    Env env;
    auto s = env.session();
    buildRichAlbum(*s, env.project());
    const QString file = env.project() + QStringLiteral("album.lumora");
    saveProject(*s, file);
    const QString gone = env.project() + QStringLiteral("photos/p02.jpg");
    ASSERT_TRUE(QFile::remove(gone));
    ASSERT_TRUE(QFile::remove(env.tmp.path() + QStringLiteral("/elsewhere/bg.jpg")));

    auto current = env.session();
    current->chooseMode(ModeKind::Wide16x9);
    const QByteArray before = serializeProject(captureProject(*current), {});
    const ProjectOpenReport refused = openProject(*current, file);
    EXPECT_FALSE(refused.loaded);
    ASSERT_EQ(refused.missing.size(), 2);
    EXPECT_EQ(refused.missing[0], gone);
    EXPECT_TRUE(missingFilesNotice(refused.missing).contains(QStringLiteral("p02.jpg")));
    EXPECT_EQ(serializeProject(captureProject(*current), {}), before);

    const ProjectOpenReport loaded = openProject(*current, file, MissingFiles::LoadWithout);
    ASSERT_TRUE(loaded.loaded);
    const Album &a = current->album();
    EXPECT_EQ(a.ListView_daoru_zhaopian.size(), 5);
    for (const Row &p : a.ListView_daoru_zhaopian)
        EXPECT_NE(p.cell(photocol::kPath), gone);
    for (const Row &slot : a.ListView_moban_shiyong_canshu)
        EXPECT_NE(slot.cell(slotcol::kPhotoPath), gone);
    // The background whose picture is gone shows the default one; the transparency stays.
    EXPECT_EQ(a.ListView_moban_beijing[0].cell(bgcol::kPath), a.paths.defaultBackgroundJpg());
    EXPECT_EQ(a.ListView_moban_beijing[0].cell(bgcol::kTransparency), QStringLiteral("40"));
    EXPECT_TRUE(QFileInfo::exists(a.paths.defaultBackgroundJpg()));
}

TEST(RecoveryFile, WritesTheNewestStateAtMostOncePerInterval)
{
    Env env;
    auto s = env.session();
    s->chooseMode(ModeKind::Wide16x9);
    const QStringList photos = writePhotos(env.project(), 3, 0);
    RecoveryFile rec(env.tmp.path() + QStringLiteral("/rec"), std::chrono::milliseconds(400));
    for (const QString &p : photos) {
        s->addPhotos({p});
        rec.submit(captureProject(*s));
    }
    rec.flush();
    // The first change is written at once, the two later ones together.
    EXPECT_LE(rec.writes(), 2);
    EXPECT_GE(rec.writes(), 1);
    EXPECT_TRUE(rec.lastError().isEmpty());
    auto restored = env.session();
    ASSERT_TRUE(openProject(*restored, rec.path()).loaded);
    EXPECT_EQ(restored->album().ListView_daoru_zhaopian.size(), 3);

    // Nothing changed: nothing written.
    const int writes = rec.writes();
    rec.submit(captureProject(*s));
    rec.flush();
    EXPECT_EQ(rec.writes(), writes);

    // Our own file is not a crash's leftover; a clean end removes it.
    EXPECT_TRUE(RecoveryFile::leftBehind(env.tmp.path() + QStringLiteral("/rec")).isEmpty());
    rec.discard();
    EXPECT_FALSE(QFileInfo::exists(rec.path()));
}

TEST(RecoveryFile, RestoresTheAlbumOfAKilledProcess)
{
    Env env;
    const QString photos = env.project() + QStringLiteral("photos");
    writePhotos(photos, 3, 2);
    const QString folder = env.tmp.path() + QStringLiteral("/rec");

    QProcess helper;
    helper.setProgram(QStringLiteral(LUMORA_TEST_BUILD_DIR "tests/project_recovery_helper"));
    helper.setArguments({kProgramDir, env.tmp.path() + QStringLiteral("/helperwork/"), folder, photos});
    helper.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    helper.start();
    ASSERT_TRUE(helper.waitForStarted(10000));
    QByteArray out;
    while (!out.contains("ready") && helper.waitForReadyRead(60000))
        out += helper.readAllStandardOutput();
    ASSERT_TRUE(out.contains("ready")) << out.constData();
    const qint64 pid = helper.processId();
    ASSERT_EQ(::kill(pid_t(pid), SIGKILL), 0);
    ASSERT_TRUE(helper.waitForFinished(10000));
    EXPECT_EQ(helper.exitStatus(), QProcess::CrashExit);

    const QStringList left = RecoveryFile::leftBehind(folder);
    ASSERT_EQ(left.size(), 1);
    EXPECT_TRUE(left[0].contains(QString::number(pid)));

    // The same album made here, and the one restored from the killed process.
    auto reference = env.session(11);
    reference->chooseMode(ModeKind::Wide16x9);
    reference->addPhotos({photos});
    auto restored = env.session();
    const ProjectOpenReport r = openProject(*restored, left[0]);
    ASSERT_TRUE(r.loaded);
    expectSameTables(captureProject(*reference), captureProject(*restored));
}

// The interface language never reaches what an album stores: the same album
// made and saved under English opens under Chinese as the album made there.
// The automatic placement marks ("hhmmss_r") carry the clock time of the
// placement: two albums built a second apart differ there and nowhere else.
ProjectSnapshot withoutClockMarks(ProjectSnapshot p)
{
    static const QRegularExpression mark(QStringLiteral("^\\d{6}_(\\d+)$"));
    for (auto &[name, table] : p.tables)
        for (int r = 0; r < table.size(); ++r)
            for (int c = 1; c <= table[r].subItems().size(); ++c)
                if (const QString cell = table[r].cell(c); mark.match(cell).hasMatch())
                    table[r].setCell(c, QString(cell).replace(mark, QStringLiteral("_\\1")));
    return p;
}

TEST(ProjectFile, AnAlbumMadeInEnglishIsTheSameAlbumInChinese)
{
    Env env;
    const QString file = env.project() + QStringLiteral("english.lumora");
    {
        Translations english;
        ASSERT_EQ(english.install(QStringLiteral("en"), kProgramDir), QStringLiteral("en"));
        ASSERT_EQ(QCoreApplication::translate("lumora::flag", "已完成"), QStringLiteral("Done"));
        auto s = env.session();
        buildRichAlbum(*s, env.project());
        saveProject(*s, file);
    }
    ASSERT_EQ(QCoreApplication::translate("lumora::flag", "已完成"), QStringLiteral("已完成"));
    QFile f(file);
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    const QString text = QString::fromUtf8(f.readAll());
    for (const char *word : {"已完成", "手动添加", "开始时间", "横照模板"})
        EXPECT_TRUE(text.contains(QString::fromUtf8(word))) << word;
    EXPECT_FALSE(text.contains(QStringLiteral("Done"))) << "no English word is stored";

    auto chinese = env.session();
    buildRichAlbum(*chinese, env.project());
    auto opened = env.session(99);
    ASSERT_TRUE(openProject(*opened, file).loaded);
    expectSameTables(withoutClockMarks(captureProject(*chinese)), withoutClockMarks(captureProject(*opened)));
}
