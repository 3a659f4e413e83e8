#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include "app/Error.h"
#include "app/Paths.h"
#include "resources/FolderOps.h"
#include "resources/PackedFile.h"
#include "resources/Workspace.h"

using namespace lumora;

namespace {
void touch(const QString &path, const QByteArray &data = "x")
{
    writeFileBytes(path, data);
}
} // namespace

TEST(Folders, ListsOnlyRarAndUpperRarInNameOrderDescendingWhereMet)
{
    QTemporaryDir dir;
    const QString d = dir.path();
    for (const char *f : {"c.Rar", "b.RAR", "a.rar", "m/z.rar", "m/a.txt", "m/n/y.rar", "d.rar.txt", ".hidden.rar"})
        touch(d + u'/' + QString::fromLatin1(f));
    const QStringList got = listPackedFiles(d);
    QStringList rel;
    for (const QString &g : got)
        rel << g.mid(d.size() + 1);
    EXPECT_EQ(rel, (QStringList{".hidden.rar", "a.rar", "b.RAR", "m/n/y.rar", "m/z.rar"}));
}

TEST(Folders, WipeRemovesEverythingAndEnsureCreatesParents)
{
    QTemporaryDir dir;
    const QString f = dir.path() + QStringLiteral("/w/a/b/");
    ensureFolder(f);
    EXPECT_TRUE(QFileInfo(f).isDir());
    touch(f + QStringLiteral("x.rar"));
    touch(dir.path() + QStringLiteral("/w/y.bin"));
    QFile::setPermissions(f + QStringLiteral("x.rar"), QFile::ReadOwner); // read-only files go too
    int deleted = 0;
    wipeFolder(dir.path() + QStringLiteral("/w"), [&] { ++deleted; });
    EXPECT_FALSE(QFileInfo::exists(dir.path() + QStringLiteral("/w")));
    EXPECT_EQ(deleted, 5);
    wipeFolder(dir.path() + QStringLiteral("/w")); // already gone: fine
}

TEST(Folders, FoldersThatCannotBeMadeAreReportedByName)
{
    if (geteuid() == 0)
        GTEST_SKIP() << "root ignores permissions";
    QTemporaryDir dir;
    const QString ro = dir.path() + QStringLiteral("/ro");
    QDir().mkpath(ro);
    QFile::setPermissions(ro, QFile::ReadOwner | QFile::ExeOwner);
    try {
        ensureFolder(ro + QStringLiteral("/child"));
        ADD_FAILURE();
    } catch (const Error &e) {
        EXPECT_TRUE(e.message().contains(QStringLiteral("/ro/child")));
    }
    QFile::setPermissions(ro, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
}

TEST(Folders, FileInPlaceOfAFolderIsReported)
{
    QTemporaryDir dir;
    touch(dir.path() + QStringLiteral("/blocker"));
    EXPECT_THROW(ensureFolder(dir.path() + QStringLiteral("/blocker/sub")), Error);
}

TEST(Workspace, LifecycleStepsCleanTheRightFolders)
{
    QTemporaryDir dir;
    Paths paths(dir.path());
    EXPECT_TRUE(paths.programFolder().endsWith(u'/'));
    packed::packTo(QByteArray("startup"), packed::kStartupMovieDepth, paths.startupMoviePacked());
    for (const QString &f : paths.workingFiles())
        touch(f);
    touch(paths.frameFile());
    touch(paths.wjToWj() + QStringLiteral("old"));

    workspace::startupClean(paths);
    workspace::unpackStartupMovie(paths);
    EXPECT_EQ(readFileBytes(paths.startupMovieUnpacked()), QByteArray("startup"));
    for (const QString &f : paths.workingFiles())
        EXPECT_FALSE(QFileInfo::exists(f)) << f.toStdString();
    EXPECT_FALSE(QFileInfo::exists(paths.stagingRoot()));
    EXPECT_FALSE(QFileInfo::exists(paths.wjToWj()));
    EXPECT_TRUE(QFileInfo::exists(paths.startupMoviePacked())); // resources are never written

    touch(paths.scratch() + QStringLiteral("wjj_00_j_y1-1121314.rar"));
    workspace::modeChangeClean(paths);
    EXPECT_TRUE(QDir(paths.scratch()).isEmpty());

    for (int i = 0; i < 3; ++i)
        touch(paths.scratch() + QStringLiteral("p%1.rar").arg(i));
    touch(paths.stagedTemplateMovie(1, QStringLiteral(".rar")));
    int lastDone = -1, lastMax = -1;
    workspace::exitClean(paths, [&](int done, int maximum) {
        lastDone = done;
        lastMax = maximum;
    });
    EXPECT_EQ(lastMax, 3);
    EXPECT_EQ(lastDone, 3);
    EXPECT_FALSE(QFileInfo::exists(paths.scratch()));
    EXPECT_FALSE(QFileInfo::exists(paths.stagingRoot()));
}

TEST(Paths, StagedMoviesEndInTheExtensionCell)
{
    Paths paths(QStringLiteral("/prog"));
    EXPECT_EQ(paths.stagedTemplateMovie(3, QStringLiteral(".rar")),
              "/prog/smxcwjj/wj_y_l/wj_y_l/wj_y_l/wj_y_l/wj_y_l_3/wj_y_l_3.rar");
    EXPECT_EQ(paths.handOverPicture(), "/prog/smxcwjj/wj_y_l/wj_y_l/wj_y_l/pic/picture_0.jpg");
    EXPECT_EQ(paths.templateParamFolder(ModeKind::Wide4x3), "/prog/smxcwjj/wj_0_or_2/wjj_01_03/");
    EXPECT_EQ(paths.modeMoviePacked(ModeKind::Portrait), "/prog/smxcwjj/wj_0_or_3_3/wj_0_or_3_3_d_(sp).rar");
    EXPECT_EQ(paths.textEffectFolder(QStringLiteral("wj_x_g_c_l_1"), 4, 2),
              "/prog/smxcwjj/wj_x_g_c_l_2/wj_x_g_c_l_1/wj_x_g_c_l_1/wj_x_g_c_l_0/wj_x_g_c_l_4/wj_x_g_c_l_2/");
}
