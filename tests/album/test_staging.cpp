#include <gtest/gtest.h>

#include <QFileInfo>

#include "album/AddStep.h"
#include "album/AlbumFixture.h"
#include "album/AlbumTables.h"
#include "album/BackgroundTable.h"
#include "album/Staging.h"
#include "image/ImageIO.h"

using namespace lumora;
using lumora::test::AlbumFixture;

namespace {
QSize jpegSize(const QString &path)
{
    const JpegInfo i = readJpegInfo(path);
    return QSize(i.width, i.height);
}

const test::FixtureTemplate kMixed{"Mix", "|heng|shu|", "|picture_1|picture_2|", "|600|400|", "|400|600|", 200};
} // namespace

TEST(Staging, PictureSizesFollowTheCategoryRules)
{
    const QSize S(1920, 1080), A(800, 450);
    EXPECT_EQ(stagedPictureSize("横照模板", {1920, 1080}, "0", "1080", S, A), QSize(800, 450));
    EXPECT_EQ(stagedPictureSize("竖照模板", {810, 1080}, "0", "1080", S, A), QSize(337, 450));
    EXPECT_EQ(stagedPictureSize("综合模板", {600, 400}, "600", "400", S, A), QSize(250, 166));
    EXPECT_EQ(stagedPictureSize("综合模板", {400, 600}, "400", "600", S, A), QSize(166, 250));
    EXPECT_EQ(stagedPictureSize("横照模板", {1920, 1080}, "0", "1080", S, {1920, 1080}), QSize(1920, 1080));
}

TEST(Staging, StagesCompleteTemplatesWithTheirFilesAndSizes)
{
    AlbumFixture f;
    f.addTemplate(test::landscapeTemplate("A"));
    f.addTemplate(test::portraitTemplate("P"));
    f.addTemplate(kMixed);
    Album a = f.album();
    // Used templates: Mix (photos 1 and 3), A (photo 2), P (photo 4, whose file
    // breaks before staging), A (photo 5).
    const QString broken = f.photo("p4", 300, 400);
    addPhotos(a,
              {{f.photo("l1", 400, 300, 1, Qt::red), f.photo("l2", 400, 300), f.photo("p3", 300, 400), broken,
                f.photo("l5", 400, 300)}});
    ASSERT_EQ(a.ListView_moban_shiyong.size(), 4);
    writeFileBytes(broken, QByteArray("not a jpeg"));
    // Used template row 1 is incomplete: no folder, later folders keep their numbers.
    a.ListView_moban_shiyong.setCell(1, usedcol::kStatus, "未完成");
    // Row 3 has no background picture.
    for (int c = bgcol::kPicture; c <= bgcol::kPath; ++c)
        a.ListView_moban_beijing.setCell(3, c, QString());

    std::vector<std::pair<int, int>> seen;
    const StagingReport r = stageAlbum(a, {QSize(800, 450)}, [&](int d, int m) { seen.emplace_back(d, m); });
    EXPECT_EQ(r.completedRows, (QStringList{"0", "2", "3"}));
    EXPECT_EQ(a.cells.completedRows, r.completedRows);
    ASSERT_FALSE(seen.empty());
    EXPECT_EQ(seen.back(), std::make_pair(4, 4));

    const Paths &p = f.paths();
    EXPECT_FALSE(QFileInfo::exists(p.templateStaging(2)));
    EXPECT_EQ(readFileBytes(p.stagedTemplateMovie(1, ".rar")), QByteArray("movie of Mix"));
    EXPECT_EQ(readFileBytes(p.stagedModeMovie(".rar")), QByteArray("mode movie"));
    EXPECT_FALSE(QFileInfo::exists(p.stagedModeMovieProduction(".rar")));
    EXPECT_TRUE(QFileInfo::exists(p.pictureFolder()));

    EXPECT_EQ(jpegSize(p.templateStaging(1) + "picture_1.jpg"), QSize(250, 166));
    EXPECT_EQ(jpegSize(p.templateStaging(1) + "picture_2.jpg"), QSize(166, 250));
    EXPECT_EQ(jpegSize(p.templateStaging(1) + "wj_y_l_b_j.jpg"), QSize(800, 450));
    EXPECT_EQ(jpegSize(p.templateStaging(3) + "picture_1.jpg"), QSize(337, 450)); // full-frame portrait
    EXPECT_EQ(jpegSize(p.templateStaging(4) + "picture_1.jpg"), QSize(800, 450)); // full-frame landscape
    EXPECT_EQ(jpegSize(p.templateStaging(4) + "wj_y_l_b_j.jpg"), QSize(800, 450)); // black
    const QImage black = decodeJpeg(p.templateStaging(4) + "wj_y_l_b_j.jpg");
    EXPECT_LT(qGray(black.pixel(400, 225)), 8);
    // The red photo fills the landscape slot of the mixed template.
    const QImage mixed = decodeJpeg(p.templateStaging(1) + "picture_1.jpg");
    EXPECT_GT(qRed(mixed.pixel(125, 83)), 200);
    EXPECT_LT(qGreen(mixed.pixel(125, 83)), 60);

    // The unreadable photo is reported by name; its picture is still written.
    ASSERT_EQ(r.failures.size(), 1u);
    EXPECT_EQ(r.failures[0].path, broken);
    EXPECT_EQ(r.failures[0].usedRow, 2);
    EXPECT_EQ(jpegSize(p.templateStaging(3) + "picture_1.jpg"), QSize(337, 450));
    // Only the listed files.
    EXPECT_EQ(QDir(p.templateStaging(1)).entryList(QDir::Files),
              (QStringList{"picture_1.jpg", "picture_2.jpg", "wj_y_l_1.rar", "wj_y_l_b_j.jpg"}));
}

TEST(Staging, ProductionAtTheRenderSize)
{
    AlbumFixture f;
    f.addTemplate(test::landscapeTemplate("A"));
    Album a = f.album();
    addPhotos(a, {{f.photo("l1", 400, 300)}});
    for (int c = bgcol::kPicture; c <= bgcol::kPath; ++c)
        a.ListView_moban_beijing.setCell(0, c, QString());
    const StagingReport r = stageAlbum(a, {QSize(1920, 1080), true});
    EXPECT_TRUE(r.failures.empty());
    const Paths &p = f.paths();
    EXPECT_EQ(jpegSize(p.templateStaging(1) + "picture_1.jpg"), QSize(1920, 1080));
    EXPECT_EQ(jpegSize(p.templateStaging(1) + "wj_y_l_b_j.jpg"), QSize(1920, 1080));
    EXPECT_EQ(readFileBytes(p.stagedModeMovieProduction(".rar")), QByteArray("mode movie"));

    // A stop before the first job leaves the album unstaged and says so.
    std::atomic<bool> stop{true};
    EXPECT_TRUE(stageAlbum(a, {QSize(800, 450)}, {}, &stop).stopped);
}

// A token takes the slot of its own name: picture_10 is not picture_1's.
TEST(Staging, TokensTakeTheSlotOfTheirWholeName)
{
    AlbumFixture f;
    f.addTemplate({"Mix10", "|heng|shu|", "|picture_10|picture_1|", "|600|400|", "|400|600|", 200});
    Album a = f.album();
    addPhotos(a, {{f.photo("red", 400, 300, 1, Qt::red), f.photo("blue", 300, 400, 1, Qt::blue)}});
    ASSERT_EQ(a.ListView_moban_shiyong.size(), 1);
    const StagingReport r = stageAlbum(a, {QSize(800, 450)});
    EXPECT_TRUE(r.failures.empty());
    for (auto [name, size, red] :
         {std::tuple{"picture_10.jpg", QSize(250, 166), true}, std::tuple{"picture_1.jpg", QSize(166, 250), false}}) {
        const QImage img = decodeJpeg(f.paths().templateStaging(1) + name);
        ASSERT_FALSE(img.isNull()) << name;
        EXPECT_EQ(img.size(), size) << name;
        const QRgb mid = img.pixel(img.width() / 2, img.height() / 2);
        EXPECT_EQ(qRed(mid) > 200, red) << name;
        EXPECT_EQ(qBlue(mid) > 200, !red) << name;
    }
}
