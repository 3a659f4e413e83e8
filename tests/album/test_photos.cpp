#include <gtest/gtest.h>

#include "album/AddStep.h"
#include "album/AlbumFixture.h"
#include "album/AlbumTables.h"
#include "album/BackgroundTable.h"
#include "album/Matching.h"
#include "album/PhotoTable.h"
#include "app/Error.h"
#include "resources/PackedFile.h"

using namespace lumora;
using lumora::test::AlbumFixture;

TEST(AddPhotos, StoresDisplayedSizesAndRefusesUnreadableFilesByName)
{
    AlbumFixture f;
    f.addTemplate(test::landscapeTemplate("A"));
    f.addTemplate(test::portraitTemplate("P"));
    Album a = f.album();
    const QString wide = f.photo("wide", 40, 30);
    const QString turned = f.photo("turned", 40, 30, 6); // shown as portrait
    const QString square = f.photo("square", 30, 30);
    const QString broken = f.dir() + "photos/broken.JPG";
    writeFileBytes(broken, QByteArray("\xFF\xD8\xFF garbage", 10));
    const QString missing = f.dir() + "photos/none.jpg";

    int texts = 0, pictures = 0;
    AddStepHooks hooks;
    hooks.autoTextEffects = [&](Album &) {
        ++texts;
        return QString();
    };
    hooks.autoPictureEffects = [&](Album &) {
        ++pictures;
        return QString();
    };
    const AddPhotosReport r = addPhotos(a, {{wide, broken, turned, missing, square}}, hooks);

    EXPECT_EQ(r.added, 3);
    ASSERT_EQ(r.refused.size(), 2u);
    EXPECT_EQ(r.refused[0].path, broken);
    EXPECT_EQ(r.refused[1].path, missing);
    EXPECT_FALSE(r.refused[0].reason.isEmpty());
    const RowTable &p = a.ListView_daoru_zhaopian;
    EXPECT_EQ(p.columnTexts(photocol::kNumber), (QStringList{"1", "2", "3"}));
    EXPECT_EQ(p.columnTexts(photocol::kName), (QStringList{"wide", "turned", "square"}));
    EXPECT_EQ(p.columnTexts(photocol::kWidth), (QStringList{"40", "30", "30"}));
    EXPECT_EQ(p.columnTexts(photocol::kHeight), (QStringList{"30", "40", "30"}));
    EXPECT_EQ(p[0].cell(photocol::kFormat), ".jpg");
    // Matched: the turned photo went to the portrait template.
    EXPECT_EQ(r.templatesAdded, 3);
    EXPECT_EQ(r.unmatched, 0);
    EXPECT_EQ(a.ListView_moban_shiyong.columnTexts(usedcol::kName), (QStringList{"A", "P", "A"}));
    // Backgrounds come from the landscape and square photos in a wide album.
    EXPECT_EQ(a.ListView_qubu_hengzhao.columnTexts(candcol::kRow), (QStringList{"0", "2"}));
    for (const Row &b : a.ListView_moban_beijing) {
        EXPECT_TRUE(b.cell(bgcol::kPath) == wide || b.cell(bgcol::kPath) == square) << qPrintable(b.cell(bgcol::kPath));
        EXPECT_EQ(b.cell(bgcol::kTransparency), "0");
    }
    // Default settings: text effects on, picture effects off.
    EXPECT_EQ(texts, 1);
    EXPECT_EQ(pictures, 0);
}

TEST(AddPhotos, RefusesHeadersTheFileCannotHoldAndNamesPhotosCutShort)
{
    AlbumFixture f;
    f.addTemplate(test::landscapeTemplate("A"));
    Album a = f.album();
    const QString good = f.photo("good", 40, 30);
    // A few hundred bytes whose frame header claims 65000 × 65000.
    QByteArray bytes = readFileBytes(good);
    const qsizetype sof = bytes.indexOf(QByteArray("\xFF\xC0", 2));
    ASSERT_GT(sof, 0);
    for (int i : {5, 7}) {
        bytes[sof + i] = char(65000 >> 8);
        bytes[sof + i + 1] = char(65000 & 0xFF);
    }
    const QString hostile = f.dir() + "photos/hostile.jpg";
    writeFileBytes(hostile, bytes);
    const QByteArray whole = readFileBytes(f.photo("cut", 40, 30));
    const QString cut = f.dir() + "photos/cut.jpg";
    writeFileBytes(cut, whole.left(whole.size() - 3)); // no end-of-image marker

    const AddPhotosReport r = addPhotos(a, {{good, hostile, cut}});
    EXPECT_EQ(r.added, 2);
    ASSERT_EQ(r.refused.size(), 1u);
    EXPECT_EQ(r.refused[0].path, hostile);
    EXPECT_TRUE(r.refused[0].reason.contains(hostile) && r.refused[0].reason.contains(QStringLiteral("没有图像数据")))
        << qPrintable(r.refused[0].reason);
    // The photo cut short is added and named once in the report.
    EXPECT_EQ(r.incomplete, QStringList{cut});
    const QStringList told = r.notices.filter(QStringLiteral("不完整"));
    ASSERT_EQ(told.size(), 1);
    EXPECT_TRUE(told[0].contains(QStringLiteral("cut.jpg")) && told[0].contains(QStringLiteral("灰色")));
    EXPECT_EQ(r.unmatched, 0);
}

TEST(Backgrounds, DefaultPictureOnlyForRowsWithoutOneAndTheOrientationRule)
{
    AlbumFixture f(ModeKind::Portrait);
    f.addTemplate(test::landscapeTemplate("A"));
    Album a = f.album();
    // Portrait album: candidates are portrait photos; there is none.
    addPhotos(a, {{f.photo("w1", 40, 30), f.photo("w2", 40, 30)}});
    ASSERT_EQ(a.ListView_moban_beijing.size(), 2);
    const QString dflt = f.paths().defaultBackgroundJpg();
    EXPECT_EQ(a.ListView_moban_beijing.columnTexts(bgcol::kPath), (QStringList{dflt, dflt}));
    EXPECT_EQ(a.ListView_moban_beijing[0].cell(bgcol::kPicture), "wj_0_or_6_6");
    EXPECT_EQ(a.ListView_moban_beijing[0].cell(bgcol::kWidth), "64");

    // A picture chosen by the user survives a later add that uses the default.
    const QString tall = f.photo("tall", 30, 40);
    changeBackgroundPicture(a, 0, tall);
    addPhotos(a, {{f.photo("w3", 40, 30)}});
    EXPECT_EQ(a.ListView_moban_beijing.columnTexts(bgcol::kPath), (QStringList{tall, dflt, dflt}));

    // Portrait album: a landscape picture is refused, a square one accepted.
    EXPECT_THROW(
        {
            try {
                changeBackgroundPicture(a, 1, f.photo("wide", 40, 30));
            } catch (const Error &e) {
                EXPECT_EQ(e.message(), "此张照片不是竖照片,请重新更换一张竖照片!");
                throw;
            }
        },
        Error);
    changeBackgroundPicture(a, 1, f.photo("sq", 30, 30));
    EXPECT_EQ(a.ListView_moban_beijing[1].cell(bgcol::kWidth), "30");

    setBackgroundTransparency(a, 0, 150, true);
    EXPECT_EQ(a.ListView_moban_beijing.columnTexts(bgcol::kTransparency), (QStringList{"100", "100", "100"}));
}

// Background pictures keep the album's orientation after a deletion and at
// automatic matching too, and come from photos large enough for the output.
TEST(Backgrounds, PortraitAlbumKeepsPortraitPicturesOfAUsableSize)
{
    AlbumFixture f(ModeKind::Portrait);
    f.addTemplate(test::landscapeTemplate("A"));
    f.addTemplate(test::portraitTemplate("P"));
    Album a = f.album();
    const QString large = f.photo("large", 600, 1000);
    addPhotos(a,
              {{f.photo("tiny", 30, 50), large, f.photo("w1", 1600, 900), f.photo("w2", 1600, 900),
                f.photo("w3", 1600, 900)}});
    ASSERT_GE(a.ListView_moban_beijing.size(), 3);
    const auto expectLargeOnly = [&](const char *when) {
        for (int r = 0; r < a.ListView_moban_beijing.size(); ++r)
            EXPECT_EQ(a.ListView_moban_beijing.cell(r, bgcol::kPath), large) << when << ", row " << r;
    };
    expectLargeOnly("after the add");
    for (int r = 0; r < a.ListView_moban_beijing.size(); ++r)
        for (int c = bgcol::kPicture; c <= bgcol::kPath; ++c)
            a.ListView_moban_beijing.setCell(r, c, QString());
    deletePhoto(a, 2);
    expectLargeOnly("after a deletion");
    for (int c = bgcol::kPicture; c <= bgcol::kPath; ++c)
        a.ListView_moban_beijing.setCell(0, c, QString());
    automaticMatching(a);
    expectLargeOnly("after automatic matching");
}

TEST(Backgrounds, WideAlbumRefusesPortraitPictures)
{
    AlbumFixture f;
    f.addTemplate(test::landscapeTemplate("A"));
    Album a = f.album();
    addPhotos(a, {{f.photo("w1", 40, 30)}});
    EXPECT_THROW(changeBackgroundPicture(a, 0, f.photo("tall", 1200 / 40, 1600 / 40)), Error);
    changeBackgroundPicture(a, 0, f.photo("sq", 25, 25));
}

TEST(DeletePhoto, EmptiesItsSlotsLowersLaterRowsAndRemovesItsTextEffects)
{
    AlbumFixture f;
    f.addTemplate(test::landscapeTemplate("A"));
    Album a = f.album();
    QStringList files;
    for (int i = 1; i <= 5; ++i)
        files << f.photo(QStringLiteral("p%1").arg(i), 40, 30);
    addPhotos(a, {files});
    ASSERT_EQ(a.ListView_moban_shiyong.size(), 5);
    // Automatic text effects on template 1 (the slot of photo 2) and template 3.
    RowTable &slots = a.ListView_moban_shiyong_canshu;
    slots.setCell(1, slotcol::kTextMark, "101010_1");
    slots.setCell(3, slotcol::kTextMark, "101010_3");
    for (const char *mark : {"101010_1", "", "101010_3", "101010_1"}) {
        a.wenzi_ListView_Image.append("25", {"00:00:01", "暂无", "tingzhi", "e", "0", "0", "0", "1", mark});
        a.wenzi_ListView_Image_2.append(QString::number(a.wenzi_ListView_Image_2.size() + 1), {"25"});
    }

    EXPECT_EQ(
        deletePhotoQuestion(a, 1),
        "此张照片文件在 1 个模板文件中使用,删除后,模板文件中的照片文件也会被删除,是否确定要删除当前选中的照片文件?");
    int rederived = 0;
    const QStringList notices = deletePhoto(a, 1, {[&](Album &) { ++rederived; }});

    EXPECT_EQ(
        notices,
        (QStringList{"选中的照片文件已经删除！", "此张照片文件删除后,自动匹配到相关模板中的文字特效也已经删除!！"}));
    EXPECT_EQ(rederived, 1);
    EXPECT_EQ(slots.columnTexts(slotcol::kPhotoRow), (QStringList{"0", "", "1", "2", "3"}));
    EXPECT_EQ(slots[1].cell(slotcol::kMatchState), "");
    EXPECT_EQ(slots[1].cell(slotcol::kFillW), "");
    EXPECT_EQ(slots[1].cell(slotcol::kCropMark), "");
    EXPECT_EQ(slots[1].cell(slotcol::kPicture), "picture_1"); // the slot's own name and size stay
    EXPECT_EQ(slots[1].cell(slotcol::kSlotWidth), "0");
    EXPECT_EQ(slots[1].cell(slotcol::kTextMark), "");
    EXPECT_EQ(slots[3].cell(slotcol::kTextMark), "101010_3");
    EXPECT_EQ(a.ListView_moban_shiyong.columnTexts(usedcol::kStatus),
              (QStringList{"已完成", "未完成", "已完成", "已完成", "已完成"}));
    EXPECT_EQ(a.ListView_daoru_zhaopian.columnTexts(photocol::kNumber), (QStringList{"1", "2", "3", "4"}));
    EXPECT_EQ(a.ListView_daoru_zhaopian.columnTexts(photocol::kName), (QStringList{"p1", "p3", "p4", "p5"}));
    EXPECT_EQ(a.wenzi_ListView_Image.columnTexts(9), (QStringList{"", "101010_3"}));
    EXPECT_EQ(a.wenzi_ListView_Image_2.columnTexts(0), (QStringList{"1", "2"}));
    EXPECT_EQ(a.ListView_qubu_hengzhao.columnTexts(candcol::kRow), (QStringList{"0", "1", "2", "3"}));

    // A photo in no slot: the plain question and notice only.
    addPhotos(a, {{f.photo("p6", 30, 40)}}); // portrait: no template takes it
    EXPECT_EQ(deletePhotoQuestion(a, 4), "是否确定要删除当前选中的照片文件?");
    EXPECT_EQ(deletePhoto(a, 4), (QStringList{"选中的照片文件已经删除！"}));
    EXPECT_THROW(deletePhoto(a, 9), Error);
}

TEST(DeletePhoto, AllPhotosEmptyTheAlbumTablesAndMarkedTextEffects)
{
    AlbumFixture f;
    f.addTemplate(test::landscapeTemplate("A"));
    Album a = f.album();
    EXPECT_THROW(deleteAllPhotos(a), Error);
    addPhotos(a, {{f.photo("p1", 40, 30)}});
    a.wenzi_ListView_Image.append("25", {"00:00:01", "", "", "", "", "", "", "", "101010_0"});
    a.wenzi_ListView_Image.append("25", {"00:00:02"});
    a.wenzi_ListView_Image_2.append("1", {});
    a.wenzi_ListView_Image_2.append("2", {});
    EXPECT_EQ(deleteAllPhotosQuestion(a),
              "是否确定要删除全部照片文件?删除后,自动添加到模板中的文字特效也会被全部删除!");
    EXPECT_EQ(deleteAllPhotos(a), "照片文件已经全部删除！");
    EXPECT_TRUE(a.ListView_daoru_zhaopian.empty());
    EXPECT_TRUE(a.ListView_moban_shiyong.empty());
    EXPECT_TRUE(a.ListView_moban_shiyong_canshu.empty());
    EXPECT_TRUE(a.ListView_moban_beijing.empty());
    EXPECT_EQ(a.wenzi_ListView_Image.size(), 1);
    EXPECT_EQ(a.wenzi_ListView_Image_2[0].caption(), "1");
}
