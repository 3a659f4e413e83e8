#include <gtest/gtest.h>

#include "album/AlbumFixture.h"
#include "app/Error.h"
#include "templates/Catalogue.h"
#include "templates/TemplatePacks.h"

using namespace lumora;
using lumora::test::AlbumFixture;
using lumora::test::FixtureTemplate;

namespace {
// A parameter table filled by hand: one row per (szhz, xpjpgmc, frames).
Album handCatalogue(const std::vector<std::tuple<QString, QString, int>> &rows)
{
    Album a(Paths(QStringLiteral("/nonexistent")));
    setAlbumTableColumns(a);
    for (const auto &[szhz, names, frames] : rows) {
        const int i = a.ListView_mobancanshu.size();
        const QStringList v{
            "类型", "分类", "1", "|0|", "|1080|", szhz, names, QString::number(frames), QStringLiteral("T%1").arg(i),
            "",     "",     "",  "",    ""};
        const QStringList cells = parameterRowCells(v, QStringLiteral("m%1.rar").arg(i), i);
        a.ListView_mobancanshu.append(cells.first(), cells.mid(1));
    }
    classifyCatalogue(a);
    return a;
}

QStringList indexes(const RowTable &t, int column)
{
    QStringList out;
    for (const Row &r : t)
        out << r.cell(column);
    return out;
}
} // namespace

TEST(Catalogue, ClassifiesCountsAndListsTemplates)
{
    const Album a = handCatalogue({
        {"|shuheng|", "|picture_1|", 3000}, // 0: both single tables
        {"|heng|shu|", "|picture_1|picture_2|", 3024}, // 1: advanced 1 + 1
        {"|heng|heng|", "|picture_1|picture_2|", 100}, // 2: advanced 2 + 0
        {"|shuheng|shuheng|", "|picture_1|picture_2|", 100}, // 3: none
        {"|heng|shuheng|", "|picture_1|picture_2|", 100}, // 4: none
        {"|heng|", "|pic1|", 100}, // 5: landscape, 0 photo slots
        {"", "|picture_1|", 100}, // 6: no tokens: none
        {"|shu|heng|shuheng|", "|picture_1|x|picture_3|", 100}, // 7: advanced, shuheng counts landscape
    });
    const RowTable &p = a.ListView_mobancanshu;
    EXPECT_EQ(indexes(p, paramcol::kMark),
              (QStringList{"shuheng", "gaojimoban", "gaojimoban", "", "", "heng", "", "gaojimoban"}));
    EXPECT_EQ(indexes(a.ListView_hengzhaopian, classcol::kIndex), (QStringList{"0", "5"}));
    EXPECT_EQ(indexes(a.ListView_shuzhaopian, classcol::kIndex), (QStringList{"0"}));
    EXPECT_EQ(indexes(a.ListView_gaojimoban, classcol::kIndex), (QStringList{"1", "2", "7"}));
    // shuheng: landscape in the landscape table, portrait in the portrait table.
    EXPECT_EQ(a.ListView_hengzhaopian[0].cell(classcol::kLandscape), "1");
    EXPECT_EQ(a.ListView_shuzhaopian[0].cell(classcol::kPortrait), "1");
    EXPECT_EQ(a.ListView_hengzhaopian[1].cell(classcol::kLandscape), "0"); // pic1 is no photo slot
    EXPECT_EQ(a.ListView_gaojimoban[2].cell(classcol::kLandscape), "1"); // the shuheng slot; "x" is no photo
    EXPECT_EQ(a.ListView_gaojimoban[2].cell(classcol::kPortrait), "1");

    // Template list: advanced rows, then landscape rows, then portrait rows.
    const RowTable &l = a.ListView_moban;
    EXPECT_EQ(indexes(l, listcol::kIndex), (QStringList{"1", "2", "7", "0", "5", "0"}));
    EXPECT_EQ(indexes(l, listcol::kCategory),
              (QStringList{"综合模板", "综合模板", "综合模板", "横照模板", "横照模板", "竖照模板"}));
    EXPECT_EQ(l[0].cell(listcol::kType), "高级模板");
    EXPECT_EQ(l[3].cell(listcol::kType), "单张模板");
    EXPECT_EQ(l[3].cell(listcol::kDuration), "00:02:00"); // 3000 frames
    EXPECT_EQ(l[0].cell(listcol::kDuration), "00:02:00"); // 3024 frames
}

TEST(Catalogue, BuildsFromTheTreeAndLeavesOutTemplatesThatDoNotPairUp)
{
    AlbumFixture f;
    f.addTemplate(test::landscapeTemplate("A"));
    f.addTemplate({"Short", "|heng|", "|x|picture_2|", "|0|0|", "|1080|1080|"}); // no orientation for slot 2
    f.addTemplate({"Frames", "|heng|", "|picture_1|", "|0|", "|1080|", 150});
    f.addTemplate(test::portraitTemplate("B"));
    f.addTemplate(test::landscapeTemplate("NoMovie"), false); // one movie fewer than parameter files

    Album a(f.paths());
    a.mode = ModeKind::Wide16x9;
    int calls = 0;
    const CatalogueReport r = buildCatalogue(a, [&](int, int max) {
        ++calls;
        EXPECT_EQ(max, 5);
    });
    EXPECT_EQ(calls, 5);
    EXPECT_EQ(r.templates, 3);
    ASSERT_EQ(r.leftOut.size(), 2u);
    EXPECT_TRUE(r.leftOut[0].parameterFile.endsWith("t_001.rar"));
    EXPECT_TRUE(r.leftOut[1].parameterFile.endsWith("t_004.rar"));
    EXPECT_FALSE(r.leftOut[1].reason.isEmpty());

    const RowTable &p = a.ListView_mobancanshu;
    EXPECT_EQ(indexes(p, paramcol::kName), (QStringList{"A", "Frames", "B"}));
    EXPECT_EQ(indexes(p, paramcol::kIndex), (QStringList{"0", "1", "2"})); // row positions
    EXPECT_TRUE(p[2].cell(paramcol::kMovie).endsWith("wjj_02_02/t_003.rar")); // movie i for file i
    EXPECT_EQ(p.columns().value(paramcol::kFrames), "模板swf总帧数");
    EXPECT_EQ(a.ListView_moban.size(), 3);
}

TEST(Catalogue, IntegrityFailuresEndTheProgram)
{
    {
        AlbumFixture f; // nothing for the mode
        Album a(f.paths());
        EXPECT_THROW(buildCatalogue(a), IntegrityError);
    }
    {
        AlbumFixture f;
        f.addTemplate(test::landscapeTemplate("A"));
        FixtureTemplate bad = test::landscapeTemplate("Bad");
        bad.marker = "wrong";
        f.addTemplate(bad);
        Album a(f.paths());
        EXPECT_THROW(buildCatalogue(a), IntegrityError);
    }
}

TEST(TemplatePacks, EntriesNeedsTextsAndChecks)
{
    struct Case {
        const char *entry;
        const char *name, *h, *s;
    };
    const Case cases[] = {{"A~1~0~", "A", "1", "0"},
                          {"B~0~1~x", "B", "0", "1"},
                          {"C~2~1", "C", "2", ""},
                          {"D", "D", "", ""},
                          {"~1~2~3~", "", "1", "2"}};
    for (const Case &c : cases) {
        const PackEntry e = parsePackEntry(QString::fromUtf8(c.entry));
        EXPECT_EQ(e.name, c.name) << c.entry;
        EXPECT_EQ(e.landscape, c.h) << c.entry;
        EXPECT_EQ(e.portrait, c.s) << c.entry;
    }

    AlbumFixture f;
    f.addPack(1, {{"A", "1", "0"}, {"B", "0", "1"}, {"A", "1", "0"}});
    f.addPack(2, {{"甲", "2", "0"}});
    const std::vector<TemplatePack> packs = listTemplatePacks(f.paths());
    ASSERT_EQ(packs.size(), 2u);
    EXPECT_EQ(packs[0].chooserRow(), (QStringList{"模板组合 - 1", "2", "1", "3"}));
    EXPECT_EQ(packs[1].entries[0].name, "甲");
    EXPECT_EQ(packRequirementText(2, 1), "说明：选中的组合模板至少需要 1 张横照片和 1 张竖照片");
    EXPECT_EQ(packRequirementText(2, 0), "说明：选中的组合模板至少需要 1 张横照片");
    EXPECT_EQ(packRequirementText(0, 3), "说明：选中的组合模板至少需要 1 张竖照片");
    EXPECT_EQ(packRequirementText(0, 0), "");
    EXPECT_EQ(packPhotoCheckNotices(2, 1, 0, 3).size(), 1);
    EXPECT_TRUE(packPhotoCheckNotices(2, 1, 0, 3)[0].contains("横照片"));
    EXPECT_TRUE(packPhotoCheckNotices(2, 1, 1, 1).isEmpty());
    EXPECT_THROW(readTemplatePack(f.paths(), 3), Error);
}

TEST(TemplatePacks, DamagedCountsAreCapped)
{
    AlbumFixture f;
    auto writePack = [&](int k, const QString &ini) {
        packed::packTo(encodeGbk(ini), packed::kPackParamDepth, templatePackPath(f.paths(), k));
    };
    const QString head = QStringLiteral("[zuhemoban_canshu]\r\nshuliang=%1\r\ncanshu_1=A~1~0~\r\n");
    // Entry counts a damaged pack may claim: refused by name, before any walk.
    int k = 0;
    for (const char *count : {"2147483647", "1001", "-1", "many", "99999999999"}) {
        writePack(++k, head.arg(QLatin1String(count)));
        try {
            readTemplatePack(f.paths(), k);
            ADD_FAILURE() << count << " must be refused";
        } catch (const Error &e) {
            EXPECT_TRUE(e.message().contains(templatePackPath(f.paths(), k))) << qPrintable(e.message());
        }
    }
    // Within bounds: missing entries read as empty, absurd photo counts add nothing.
    writePack(++k, head.arg(3) + QStringLiteral("canshu_2=B~2147483647~-5~\r\n"));
    const TemplatePack p = readTemplatePack(f.paths(), k);
    EXPECT_EQ(p.entries.size(), 3u);
    EXPECT_EQ(p.landscapeNeed, 1);
    EXPECT_EQ(p.portraitNeed, 0);
    writePack(++k, QStringLiteral("[zuhemoban_canshu]\r\n"));
    EXPECT_TRUE(readTemplatePack(f.paths(), k).entries.empty());
}

TEST(Catalogue, FrameCountsOutsideTheirRangeLeaveTheTemplateOut)
{
    for (auto [frames, usable] :
         {std::pair{"1", true}, std::pair{"90000", true}, std::pair{"0", false}, std::pair{"-25", false},
          std::pair{"90001", false}, std::pair{"9223372036854775807", false}})
        EXPECT_EQ(catalogueRowProblem("|heng|", "|picture_1|", QLatin1String(frames)).isEmpty(), usable) << frames;
}
