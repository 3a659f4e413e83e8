#include <gtest/gtest.h>

#include "album/AddStep.h"
#include "album/AlbumFixture.h"
#include "album/AlbumTables.h"
#include "album/BackgroundTable.h"
#include "album/Matching.h"
#include "album/PhotoTable.h"
#include "app/Error.h"

using namespace lumora;
using lumora::test::AlbumFixture;
using lumora::test::FixtureTemplate;

namespace {
// Photo rows without files: matching reads only the table.
void addRows(Album &a, const std::vector<QSize> &sizes)
{
    for (const QSize &s : sizes) {
        const int n = a.ListView_daoru_zhaopian.size() + 1;
        appendPhotoRow(
            a, {QStringLiteral("p%1").arg(n), ".jpg", s.width(), s.height(), QStringLiteral("/p%1.jpg").arg(n)});
    }
}

QStringList usedNames(const Album &a)
{
    QStringList out;
    for (const Row &r : a.ListView_moban_shiyong)
        out << r.cell(usedcol::kName);
    return out;
}

// Photo rows (1-based, as the user counts them) of the slots, in slot order.
QStringList slotPhotos(const Album &a)
{
    QStringList out;
    for (const Row &s : a.ListView_moban_shiyong_canshu)
        out << (s.cell(slotcol::kPhotoRow).isEmpty() ? "-" : QString::number(s.cell(slotcol::kPhotoRow).toInt() + 1));
    return out;
}

const FixtureTemplate kMixed{"Mix", "|heng|shu|", "|picture_1|picture_2|", "|600|400|", "|400|600|", 200};
const FixtureTemplate kThreeWide{"Three",         "|heng|heng|heng|", "|picture_1|picture_2|picture_3|",
                                 "|600|600|600|", "|400|400|400|",    200};
} // namespace

TEST(SlotGeometry, IntegerPlacementAsWritten)
{
    struct Case {
        int W, H, pw, ph;
        bool landscape, full;
        SlotGeometry g;
    };
    const Case cases[] = {
        // 4000 × 3000 in a 500 × 500 landscape slot: fill 666 × 500 at x = -83, fit 500 × 375 at (0, 63).
        {500, 500, 4000, 3000, true, false, {-83, 0, 666, 500, 0, 63, 500, 375, false}},
        // Full-frame portrait slot, default portrait display: 810 × 1080 at x = 0, "shizhong".
        {1920, 1080, 3000, 4000, false, true, {0, 0, 810, 1080, 0, 0, 810, 1080, true}},
        // Full-frame landscape slot: the photo takes the frame width.
        {1920, 1080, 4000, 3000, true, true, {0, 0, 1920, 1440, 240, 0, 1440, 1080, false}},
        // Portrait slot (not full frame): the fit width is not limited.
        {400, 600, 1000, 1000, false, false, {-100, 0, 600, 600, -100, 0, 600, 600, false}},
    };
    for (const Case &c : cases) {
        const SlotGeometry g = slotGeometry(c.W, c.H, c.pw, c.ph, c.landscape, c.full, true);
        const auto tup = [](const SlotGeometry &x) {
            return std::make_tuple(x.fillX, x.fillY, x.fillW, x.fillH, x.fitX, x.fitY, x.fitW, x.fitH, x.fitMark);
        };
        EXPECT_EQ(tup(g), tup(c.g)) << c.W << "x" << c.H << " photo " << c.pw << "x" << c.ph;
    }
}

TEST(Matching, CyclesThroughEachKindInCatalogueOrder)
{
    AlbumFixture f;
    f.addTemplate(test::landscapeTemplate("A"));
    f.addTemplate(test::landscapeTemplate("B"));
    f.addTemplate(kThreeWide); // needs three landscape photos: never admitted with two
    Album a = f.album();

    addRows(a, {{400, 300}, {300, 300}, {400, 300}}); // a square photo is landscape
    MatchResult r = runMatchingPass(a);
    EXPECT_EQ(usedNames(a), (QStringList{"Three"})); // three photos admit the advanced template first
    EXPECT_EQ(r.unmatched, 0);

    Album b = f.album();
    addRows(b, {{400, 300}, {400, 300}});
    runMatchingPass(b);
    EXPECT_EQ(usedNames(b), (QStringList{"A", "B"}));
    addRows(b, {{400, 300}});
    runMatchingPass(b);
    EXPECT_EQ(usedNames(b), (QStringList{"A", "B", "A"})); // a new pass starts every cycle again
    EXPECT_EQ(slotPhotos(b), (QStringList{"1", "2", "3"}));

    // Automatic matching when everything is matched adds nothing.
    const MatchResult again = automaticMatching(b);
    EXPECT_EQ(again.templatesAdded, 0);
    EXPECT_EQ(usedNames(b).size(), 3);
}

TEST(Matching, OneCycleUsesEveryKindInOrder)
{
    AlbumFixture f;
    f.addTemplate(test::landscapeTemplate("A"));
    f.addTemplate(test::landscapeTemplate("B"));
    f.addTemplate(test::portraitTemplate("P"));
    f.addTemplate(kMixed);
    Album a = f.album();
    addRows(a, {{400, 300}, {300, 400}});
    runMatchingPass(a);
    EXPECT_EQ(usedNames(a), (QStringList{"Mix"})); // the mixed template takes both; no single one is used

    Album b = f.album();
    addRows(b, {{400, 300}, {400, 300}, {400, 300}, {300, 400}});
    runMatchingPass(b);
    // Cycle 1: Mix (landscape 1, portrait 4), single landscape A (photo 2);
    // cycle 2: single landscape B (photo 3).
    EXPECT_EQ(usedNames(b), (QStringList{"Mix", "A", "B"}));
    EXPECT_EQ(slotPhotos(b), (QStringList{"1", "4", "2", "3"}));
    const Row &slot = b.ListView_moban_shiyong_canshu[0];
    EXPECT_EQ(slot.cell(slotcol::kPicture), "picture_1");
    EXPECT_EQ(slot.cell(slotcol::kSlotWidth), "600");
    EXPECT_EQ(slot.cell(slotcol::kMatchState), "yi_pipei");
    EXPECT_EQ(b.ListView_moban_shiyong_canshu[1].cell(slotcol::kPicture), "picture_2");
    EXPECT_EQ(b.ListView_moban_shiyong_canshu[1].cell(slotcol::kOrdinal), "1");
    EXPECT_EQ(b.ListView_moban_shiyong[2].cell(usedcol::kNumber), "3");
    EXPECT_EQ(b.ListView_moban_beijing.size(), 3);
    for (const Row &p : b.ListView_daoru_zhaopian)
        EXPECT_EQ(p.cell(photocol::kMatched), "完成");
}

TEST(Matching, PassEndsWhenNoKindTakesTheOrientationLeft)
{
    AlbumFixture f;
    f.addTemplate(test::landscapeTemplate("A"));
    Album a = f.album();
    addRows(a, {{300, 400}, {400, 300}, {300, 400}});
    const MatchResult r = runMatchingPass(a);
    EXPECT_EQ(usedNames(a), (QStringList{"A"}));
    EXPECT_EQ(r.unmatched, 2);
    EXPECT_EQ(unmatchedPhotoCount(a), 2);
}

TEST(Matching, TemplatesThatTakeNoPhotoDoNotEndThePass)
{
    // X is a single landscape template without a photo slot ("pic1" has no
    // underscore); U has a photo slot without a usable size.
    const FixtureTemplate X{"X", "|heng|", "|pic1|", "|600|", "|400|", 100};
    const FixtureTemplate U{"U", "|heng|", "|picture_1|", "|wide|", "|400|", 100};
    const FixtureTemplate G{"G", "|heng|", "|picture_1|", "|100000|", "|400|", 100};
    struct Case {
        std::vector<FixtureTemplate> catalogue;
        int photos;
        QStringList album;
        int unmatched;
    } cases[] = {
        {{test::landscapeTemplate("A"), X}, 3, {"A", "X", "A", "X", "A"}, 0},
        {{X, test::landscapeTemplate("A")}, 2, {"X", "A", "X", "A"}, 0},
        {{U, test::landscapeTemplate("A")}, 2, {"U", "A", "U", "A"}, 0},
        // A slot side beyond any stage is damage: the slot has no size.
        {{G, test::landscapeTemplate("A")}, 2, {"G", "A", "G", "A"}, 0},
        // Nothing can take a photo: the idle templates are dropped again.
        {{X, U}, 2, {}, 2},
    };
    for (const Case &c : cases) {
        AlbumFixture f;
        for (const FixtureTemplate &t : c.catalogue)
            f.addTemplate(t);
        Album a = f.album();
        addRows(a, std::vector<QSize>(size_t(c.photos), QSize(400, 300)));
        const MatchResult r = runMatchingPass(a);
        EXPECT_EQ(usedNames(a), c.album);
        EXPECT_EQ(r.unmatched, c.unmatched);
        EXPECT_EQ(a.ListView_moban_beijing.size(), a.ListView_moban_shiyong.size());
        for (const Row &s : a.ListView_moban_shiyong_canshu)
            EXPECT_LT(s.cell(slotcol::kUsedRow).toInt(), a.ListView_moban_shiyong.size());
    }
}

TEST(Matching, SlotsWithoutSizeStayEmptyAndLeaveTheTemplateIncomplete)
{
    AlbumFixture f;
    // Advanced: the shuheng slot counts as landscape but gets no name or size.
    f.addTemplate(
        {"Odd", "|heng|heng|shuheng|", "|picture_1|picture_2|picture_3|", "|600|600|600|", "|400|400|400|", 200});
    Album a = f.album();
    addRows(a, {{400, 300}, {400, 300}, {400, 300}});
    const MatchResult r = runMatchingPass(a);
    ASSERT_EQ(usedNames(a), (QStringList{"Odd"}));
    EXPECT_EQ(a.ListView_moban_shiyong[0].cell(usedcol::kStatus), "未完成");
    EXPECT_EQ(slotPhotos(a), (QStringList{"1", "2", "-"}));
    EXPECT_EQ(r.unmatched, 1);
    // A later use does not give the unsized slot a name already in use.
    addRows(a, {{400, 300}, {400, 300}, {400, 300}});
    runMatchingPass(a);
    EXPECT_TRUE(a.ListView_moban_shiyong_canshu[2].cell(slotcol::kPicture).isEmpty());
}

TEST(TemplatePackAdd, WalksRepeatsAndReusesPhotos)
{
    AlbumFixture f;
    f.addTemplate(test::landscapeTemplate("A"));
    f.addTemplate(test::portraitTemplate("B"));
    f.addTemplate(kThreeWide);
    f.addPack(1, {{"A", "1", "0"}, {"B", "0", "1"}, {"A", "1", "0"}});
    f.addPack(2, {{"A", "1", "0"}, {"A", "1", "0"}});
    f.addPack(3, {{"Three", "3", "0"}, {"Three", "3", "0"}}); // six landscape slots over two photos
    f.addPack(4, {{"A", "1", "0"}}); // takes no portrait photo

    const QString l1 = f.photo("l1", 40, 30), l2 = f.photo("l2", 40, 30), l3 = f.photo("l3", 40, 30);
    const QString p1 = f.photo("p1", 30, 40);

    Album a = f.album();
    const AddPhotosReport r = addPhotos(a, {{p1, l1, l2, l3}, AssignMethod::Pack, 1});
    EXPECT_EQ(usedNames(a), (QStringList{"A", "B", "A", "A"}));
    // Landscape photos were appended first: rows 1-3 landscape, row 4 portrait.
    EXPECT_EQ(slotPhotos(a), (QStringList{"1", "4", "2", "3"}));
    EXPECT_EQ(r.unmatched, 0);
    EXPECT_EQ(a.Edit_mobanfashi, "shiyong_zuhemoban");

    Album b = f.album();
    addPhotos(b, {{l1}, AssignMethod::Pack, 2});
    EXPECT_EQ(usedNames(b), (QStringList{"A", "A"}));
    EXPECT_EQ(slotPhotos(b), (QStringList{"1", "1"}));

    Album c = f.album();
    addPhotos(c, {{l1, l2}, AssignMethod::Pack, 3});
    EXPECT_EQ(slotPhotos(c), (QStringList{"1", "2", "1", "2", "1", "2"}));

    Album d = f.album();
    const AddPhotosReport rd = addPhotos(d, {{l1, p1}, AssignMethod::Pack, 4});
    // One round without a new photo ends the walk; the round's templates are not kept.
    EXPECT_EQ(usedNames(d), (QStringList{"A"}));
    EXPECT_EQ(d.ListView_moban_beijing.size(), 1);
    EXPECT_EQ(d.ListView_moban_shiyong_canshu.size(), 1);
    EXPECT_EQ(rd.unmatched, 1);
    EXPECT_EQ(rd.notices.size(), 1);
}

TEST(UsedTemplates, DeletingOneLowersLaterRowsAndFreesItsPhotos)
{
    AlbumFixture f;
    f.addTemplate(test::landscapeTemplate("A"));
    f.addTemplate(test::landscapeTemplate("B"));
    f.addTemplate(test::landscapeTemplate("C"));
    Album a = f.album();
    addRows(a, {{400, 300}, {400, 300}, {400, 300}});
    runMatchingPass(a);
    ASSERT_EQ(usedNames(a), (QStringList{"A", "B", "C"}));
    // Text effects placed for the template are left as they are.
    a.wenzi_ListView_Image.append(QStringLiteral("1"), {QStringLiteral("字"), QStringLiteral("00:00:07")});
    a.wenzi_ListView_Image_2.append(QStringLiteral("1"), {QStringLiteral("字")});
    const RowTable texts = a.wenzi_ListView_Image, shown = a.wenzi_ListView_Image_2;

    EXPECT_EQ(deleteUsedTemplate(a, 1), "选中的模板文件已经删除！");
    EXPECT_EQ(a.wenzi_ListView_Image, texts);
    EXPECT_EQ(a.wenzi_ListView_Image_2, shown);
    EXPECT_EQ(usedNames(a), (QStringList{"A", "C"}));
    EXPECT_EQ(a.ListView_moban_shiyong[1].cell(usedcol::kNumber), "2");
    EXPECT_EQ(a.ListView_moban_shiyong_canshu[1].cell(slotcol::kUsedRow), "1");
    EXPECT_EQ(a.ListView_moban_beijing.size(), 2);
    EXPECT_EQ(a.ListView_moban_beijing[1].caption(), "2");
    EXPECT_EQ(a.ListView_moban_beijing[1].cell(bgcol::kName), "C");
    EXPECT_EQ(unmatchedPhotoCount(a), 1);
    EXPECT_EQ(automaticMatching(a).templatesAdded, 1); // the freed photo is matched again

    EXPECT_THROW(deleteUsedTemplate(a, 7), Error);
    EXPECT_EQ(deleteAllUsedTemplates(a), "已经使用的模板文件已经全部删除！");
    EXPECT_EQ(unmatchedPhotoCount(a), 3);
    EXPECT_THROW(deleteAllUsedTemplates(a), Error);
}

// A photo leaves the album's play only when the user asks: when a template
// loses one photo, or a photo is replaced in its slot, the other photos go
// back to unmatched and the next matching places them in a complete template.
TEST(UsedTemplates, PhotosOfABrokenTemplateOrReplacedInASlotAreMatchedAgain)
{
    AlbumFixture f;
    f.addTemplate(kMixed);
    f.addTemplate(test::portraitTemplate("P"));
    f.addTemplate(test::landscapeTemplate("A"));
    Album a = f.album();
    addRows(a, {{400, 300}, {300, 400}, {400, 300}});
    // Photos 0 (landscape) and 1 (portrait) in the mixed template, by hand.
    const int u = useTemplateByHand(a, 0);
    const QList<int> slotRows{0, 1};
    ASSERT_EQ(a.ListView_moban_shiyong_canshu.size(), 2);
    for (int s : slotRows)
        putPhotoInSlot(a, s, a.ListView_moban_shiyong_canshu.cell(s, slotcol::kOrientation) == kSlotLandscape ? 0 : 1);
    updateTemplateCompletion(a, u);
    ASSERT_EQ(a.ListView_moban_shiyong.cell(u, usedcol::kStatus), kStatusComplete);
    ASSERT_EQ(unmatchedPhotoCount(a), 1);

    // Replacing photo 0 by photo 2 in its slot gives photo 0 back.
    const int wideSlot = a.ListView_moban_shiyong_canshu.cell(0, slotcol::kOrientation) == kSlotLandscape ? 0 : 1;
    ASSERT_TRUE(putPhotoInSlot(a, wideSlot, 2));
    EXPECT_EQ(a.ListView_daoru_zhaopian.cell(0, photocol::kMatched), "");
    EXPECT_EQ(a.ListView_daoru_zhaopian.cell(2, photocol::kMatched), kPhotoDone);
    // Putting the same photo again changes nothing.
    ASSERT_TRUE(putPhotoInSlot(a, wideSlot, 2));
    EXPECT_EQ(a.ListView_daoru_zhaopian.cell(2, photocol::kMatched), kPhotoDone);

    // Deleting photo 2 breaks the mixed template: the portrait photo it also
    // showed is free again, and matching puts both left-over photos in play.
    deletePhoto(a, 2);
    EXPECT_EQ(a.ListView_moban_shiyong.cell(u, usedcol::kStatus), kStatusIncomplete);
    EXPECT_EQ(unmatchedPhotoCount(a), 2);
    for (const Row &s : a.ListView_moban_shiyong_canshu)
        EXPECT_EQ(s.cell(slotcol::kPhotoPath), "");
    automaticMatching(a);
    EXPECT_EQ(unmatchedPhotoCount(a), 0);
    QSet<QString> played;
    for (const Row &s : a.ListView_moban_shiyong_canshu)
        if (a.ListView_moban_shiyong.cell(s.cell(slotcol::kUsedRow).toInt(), usedcol::kStatus) == kStatusComplete)
            played.insert(s.cell(slotcol::kPhotoRow));
    EXPECT_EQ(played, (QSet<QString>{"0", "1"}));
}
