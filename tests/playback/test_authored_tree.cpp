// The authored resource tree honours the movie contract: for every template
// of every mode the parameter file and the movie pair up, the identity pair
// answers, TotalFrames equals mbdx, every photo slot has a staged picture the
// movie shows, text marks are well formed, and every movie sits at its path
// with its packing depth. Skips when the tree has not been authored.
#include <QDir>
#include <QFileInfo>
#include <QSet>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include "MovieFixtures.h"
#include "app/Error.h"
#include "app/Paths.h"
#include "playback/MoviePlayer.h"
#include "resources/FolderOps.h"
#include "resources/PackedFile.h"
#include "templates/IniFile.h"
#include "templates/TemplateParams.h"

using namespace lumora;

namespace {

const Paths kPaths(QStringLiteral(LUMORA_TEST_PROGRAM_DIR));

bool treePresent()
{
    return QFileInfo::exists(kPaths.templateParamFolder(ModeKind::Wide16x9));
}

// Unpacks `depth` layers and checks that one layer fewer is still packed.
QByteArray unpackExactly(const QString &path, int depth)
{
    const QByteArray content = packed::unpackFile(path, depth);
    const QByteArray oneLess = packed::unpackFile(path, depth - 1);
    EXPECT_NE(oneLess, content) << path.toStdString();
    EXPECT_NO_THROW(packed::removeLayer(oneLess, path)) << path.toStdString();
    return content;
}

MoviePlayer loadMovie(const QByteArray &doc, const QString &what)
{
    MoviePlayer p;
    p.loadDocument(doc, QStringLiteral("/nonexistent/"), what);
    return p;
}

// Every picture file name the movie draws.
QSet<QString> pictureNames(const QByteArray &doc)
{
    QSet<QString> names;
    const auto j = nlohmann::json::parse(doc.begin(), doc.end());
    for (const auto &l : j["layers"])
        if (l.value("type", "") == "picture")
            names.insert(QString::fromStdString(l["picture"].get<std::string>()));
    return names;
}

// Stages plain pictures for a movie in a template staging folder below `root`
// (slot pictures green, background blue, hand-over picture orange) and
// returns the folder.
QString stagePlain(const QString &root, const TemplateParams &t, QSize size)
{
    const QString folder = root + QStringLiteral("/wj_y_l/wj_y_l/wj_y_l/wj_y_l/wj_y_l_1/");
    QDir().mkpath(folder);
    for (const QString &name : splitBarList(t.xpjpgmc))
        writeJpeg(test::solid(size.width() / 2, size.height() / 2, QColor(40, 200, 60)), folder + name + ".jpg");
    writeJpeg(test::solid(size.width(), size.height(), QColor(30, 60, 220)), folder + "wj_y_l_b_j.jpg");
    writeJpeg(test::solid(size.width(), size.height(), QColor(250, 150, 20)),
              root + QStringLiteral("/wj_y_l/wj_y_l/wj_y_l/pic/picture_0.jpg"));
    return folder;
}

} // namespace

// Every template and mode movie starts from the hand-over picture and ends
// on a still: frame 0 is the hand-over picture, the last two frames are equal
// and no longer show it, and every staged picture is found.
TEST(AuthoredTree, MoviesStartFromTheHandOverAndEndStill)
{
    if (!treePresent())
        GTEST_SKIP() << "the resource tree has not been authored in " << LUMORA_TEST_PROGRAM_DIR;
    test::ensureGuiApplication();
    const QSize size(96, 64);
    const QImage handOver = test::solid(size.width(), size.height(), QColor(250, 150, 20));
    for (ModeKind mode : {ModeKind::Portrait, ModeKind::Wide16x9, ModeKind::Wide4x3}) {
        const QStringList inis = listPackedFiles(kPaths.templateParamFolder(mode));
        const QStringList movies = listPackedFiles(kPaths.templateMovieFolder(mode)) << kPaths.modeMoviePacked(mode);
        for (int i = 0; i < movies.size(); ++i) {
            SCOPED_TRACE(movies[i].toStdString());
            const bool modeMovie = i == inis.size();
            const TemplateParams t = modeMovie
                ? TemplateParams{}
                : TemplateParams::read(IniFile::fromBytes(packed::unpackFile(inis[i], packed::kTemplateParamDepth)));
            QTemporaryDir dir;
            const QString folder = stagePlain(dir.path(), t, size);
            MoviePlayer p;
            p.loadDocument(
                packed::unpackFile(movies[i], modeMovie ? packed::kModeMovieDepth : packed::kTemplateMovieDepth),
                folder, movies[i]);
            EXPECT_TRUE(p.missingPictures().isEmpty()) << p.missingPictures().join(u' ').toStdString();
            QImage first(size, QImage::Format_RGB32), beforeLast(size, QImage::Format_RGB32),
                last(size, QImage::Format_RGB32);
            p.renderFrame(0, first);
            p.renderFrame(p.totalFrames() - 2, beforeLast);
            p.renderFrame(p.totalFrames() - 1, last);
            EXPECT_LT(test::meanDifference(first, handOver), 12);
            EXPECT_EQ(beforeLast, last);
            EXPECT_GT(test::meanDifference(last, handOver), 30);
        }
    }
}

TEST(AuthoredTree, TemplatesHonourTheContract)
{
    if (!treePresent())
        GTEST_SKIP() << "the resource tree has not been authored in " << LUMORA_TEST_PROGRAM_DIR;
    for (ModeKind mode : {ModeKind::Portrait, ModeKind::Wide16x9, ModeKind::Wide4x3}) {
        SCOPED_TRACE(AlbumMode::get(mode).shortName.toStdString());
        const QStringList inis = listPackedFiles(kPaths.templateParamFolder(mode));
        const QStringList movies = listPackedFiles(kPaths.templateMovieFolder(mode));
        ASSERT_GE(inis.size(), 40);
        ASSERT_EQ(inis.size(), movies.size());
        int heng = 0, shu = 0, either = 0, advanced = 0, fullFrame = 0, largest = 0;
        QSet<QString> names, looks;
        for (int i = 0; i < inis.size(); ++i) {
            SCOPED_TRACE(inis[i].toStdString());
            EXPECT_EQ(QFileInfo(inis[i]).fileName(), QFileInfo(movies[i]).fileName());
            const TemplateParams t
                = TemplateParams::read(IniFile::fromBytes(unpackExactly(inis[i], packed::kTemplateParamDepth)));
            EXPECT_TRUE(t.markerOk());
            EXPECT_FALSE(names.contains(t.name)) << "duplicate name";
            names.insert(t.name);

            const QByteArray doc = unpackExactly(movies[i], packed::kTemplateMovieDepth);
            const MoviePlayer p = loadMovie(doc, movies[i]);
            EXPECT_EQ(p.getVariable(kMovieIdentityVariable), kMovieIdentityValue);
            EXPECT_EQ(QString::number(p.totalFrames()), t.mbdx);
            EXPECT_GE(p.totalFrames(), 100);
            EXPECT_LE(p.totalFrames(), 250);
            EXPECT_EQ(p.renderer()->document().stage, AlbumMode::get(mode).output);

            const QStringList slots = splitBarList(t.xpjpgmc), orient = splitBarList(t.szhz);
            const QStringList ws = splitBarList(t.xpkd), hs = splitBarList(t.xpgd);
            ASSERT_EQ(orient.size(), slots.size());
            ASSERT_EQ(ws.size(), slots.size());
            ASSERT_EQ(hs.size(), slots.size());
            EXPECT_EQ(t.xpsl, QString::number(slots.size()));
            largest = std::max(largest, int(slots.size()));
            const QSet<QString> shown = pictureNames(doc);
            EXPECT_TRUE(shown.contains(QStringLiteral("../../pic/picture_0.jpg")));
            EXPECT_TRUE(shown.contains(QStringLiteral("wj_y_l_b_j.jpg")));
            for (int k = 0; k < slots.size(); ++k) {
                EXPECT_TRUE(isPhotoSlotName(slots[k])) << slots[k].toStdString();
                EXPECT_TRUE(shown.contains(slots[k] + QStringLiteral(".jpg"))) << slots[k].toStdString();
                bool ok = false;
                const int w = ws[k].toInt(&ok);
                EXPECT_TRUE(ok && w >= 0 && w <= AlbumMode::get(mode).output.width());
                EXPECT_GT(hs[k].toInt(), 0);
                if (w == 0) {
                    ++fullFrame;
                    EXPECT_EQ(mode, ModeKind::Wide16x9) << "the full-frame token means 1920 × 1080";
                }
            }
            if (slots.size() == 1) {
                heng += orient[0] == QLatin1String("heng");
                shu += orient[0] == QLatin1String("shu");
                either += orient[0] == QLatin1String("shuheng");
            } else {
                advanced += orient.contains(QStringLiteral("heng")) && orient.contains(QStringLiteral("shu"));
            }
            // Text marks: positions inside the movie, one required mark per position.
            const QStringList positions = splitBarList(t.wxcs01), marks = splitBarList(t.wxcs02);
            ASSERT_FALSE(positions.isEmpty());
            EXPECT_EQ(positions.size(), marks.size());
            for (const QString &pos : positions)
                EXPECT_LT(pos.toInt(), p.totalFrames());
            for (const QString &m : marks + splitBarList(t.wxcs04))
                EXPECT_EQ(m.size(), 1);
            looks.insert(QString::fromUtf8(doc.mid(doc.indexOf("picture_0.jpg"), 400)));
        }
        EXPECT_GE(heng, 12);
        EXPECT_GE(shu, 10);
        EXPECT_GE(either, 3);
        EXPECT_GE(advanced, 10);
        EXPECT_GE(largest, 6) << "collages of five and six photos";
        if (mode == ModeKind::Wide16x9)
            EXPECT_GE(fullFrame, 2);
        EXPECT_EQ(looks.size(), inis.size()) << "every template has its own transition";
    }
}

TEST(AuthoredTree, ModeStartupAndBackgroundMovies)
{
    if (!treePresent())
        GTEST_SKIP() << "the resource tree has not been authored in " << LUMORA_TEST_PROGRAM_DIR;
    for (ModeKind mode : {ModeKind::Portrait, ModeKind::Wide16x9, ModeKind::Wide4x3}) {
        const QByteArray doc = unpackExactly(kPaths.modeMoviePacked(mode), packed::kModeMovieDepth);
        const MoviePlayer p = loadMovie(doc, kPaths.modeMoviePacked(mode));
        EXPECT_EQ(p.getVariable(kMovieIdentityVariable), kMovieIdentityValue);
        EXPECT_EQ(p.totalFrames(), 150);
        EXPECT_TRUE(pictureNames(doc).contains(QStringLiteral("../../pic/picture_0.jpg")));
    }
    const QByteArray startup = unpackExactly(kPaths.startupMoviePacked(), packed::kStartupMovieDepth);
    const MoviePlayer s = loadMovie(startup, kPaths.startupMoviePacked());
    EXPECT_EQ(s.getVariable(kStartupIdentityVariable), kStartupIdentityValue);
    EXPECT_TRUE(s.renderer()->document().loop);

    const QByteArray background = unpackExactly(kPaths.backgroundMoviePacked(), packed::kBackgroundMovieDepth);
    const MoviePlayer b = loadMovie(background, kPaths.backgroundMoviePacked());
    EXPECT_EQ(b.getVariable(kNumStopVariable), QStringLiteral("0"));
    EXPECT_TRUE(pictureNames(background).contains(QStringLiteral("wj_y_l_b_j.jpg")));
}
