// The authored tree: for every mode the catalogue takes every template, every
// template pack names templates of the catalogue, and the sample photos are
// matched and staged without a failure. Works on a copy of the tree's
// template, movie, background and pack folders, so the program folder's own
// scratch and staging folders are left to the program.
#include <gtest/gtest.h>

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include "album/AddStep.h"
#include "album/AlbumTables.h"
#include "album/Staging.h"
#include "resources/FolderOps.h"
#include "templates/Catalogue.h"
#include "templates/TemplatePacks.h"
#include "templates/TemplateParams.h"

using namespace lumora;

namespace {
void copyTree(const QString &from, const QString &to)
{
    QDirIterator it(from, QDir::Files, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString file = it.next();
        const QString target = to + QDir(from).relativeFilePath(file);
        ensureFolder(QFileInfo(target).absolutePath());
        ASSERT_TRUE(QFile::copy(file, target)) << qPrintable(file);
    }
}
} // namespace

TEST(AuthoredTree, CatalogueEveryPackAndTheSamplePhotosStage)
{
    const Paths tree(QStringLiteral(LUMORA_TEST_PROGRAM_DIR));
    if (!QFileInfo::exists(tree.templateParamFolder(ModeKind::Wide16x9)))
        GTEST_SKIP() << "the authored tree is not built";
    QTemporaryDir dir;
    const Paths paths(dir.path());
    for (const char *sub : {"wj_0_or_2/", "wj_0_or_3_3/", "wj_0_or_6_6/", "wj_0_or_9_9/"})
        copyTree(tree.root() + QString::fromLatin1(sub), paths.root() + QString::fromLatin1(sub));

    QStringList samples;
    for (const QFileInfo &fi :
         QDir(tree.samplePhotoFolder()).entryInfoList({"*.jpg", "*.JPG"}, QDir::Files, QDir::Name))
        samples << fi.absoluteFilePath();

    EXPECT_FALSE(samples.isEmpty());
    const int packs = templatePackCount(paths);
    EXPECT_GE(packs, 3);
    for (ModeKind mode : {ModeKind::Portrait, ModeKind::Wide16x9, ModeKind::Wide4x3}) {
        SCOPED_TRACE(qPrintable(AlbumMode::get(mode).key));
        Album a(paths);
        a.mode = mode;
        const CatalogueReport r = buildCatalogue(a);
        for (const LeftOutTemplate &t : r.leftOut)
            ADD_FAILURE() << qPrintable(t.parameterFile) << ": " << qPrintable(t.reason);
        EXPECT_GT(r.templates, 0);
        a.reset(mode);

        for (const TemplatePack &p : listTemplatePacks(paths)) {
            for (const PackEntry &e : p.entries) {
                bool found = false;
                for (const Row &row : a.ListView_moban)
                    found = found
                        || (row.cell(listcol::kName) == e.name && row.cell(listcol::kLandscape) == e.landscape
                            && row.cell(listcol::kPortrait) == e.portrait);
                EXPECT_TRUE(found) << "pack " << p.k << ": " << qPrintable(e.name);
            }
        }

        if (samples.isEmpty())
            continue;
        const AddPhotosReport added = addPhotos(a, {samples});
        EXPECT_TRUE(added.refused.empty());
        EXPECT_EQ(added.unmatched, 0);
        const StagingReport staged = stageAlbum(a, {a.modeInfo().preview});
        EXPECT_TRUE(staged.failures.empty());
        EXPECT_EQ(staged.completedRows.size(), a.ListView_moban_shiyong.size());
        // Every picture name of every staged template has its picture.
        for (const QString &row : staged.completedRows) {
            const int u = row.toInt();
            const Row &p = a.ListView_mobancanshu[a.ListView_moban_shiyong[u].caption().toInt()];
            for (const QString &name : splitBarList(p.cell(paramcol::kPictureNames)))
                EXPECT_TRUE(QFileInfo::exists(paths.templateStaging(u + 1) + name + ".jpg")) << qPrintable(name);
        }
    }
}
