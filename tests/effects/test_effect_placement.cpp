#include <gtest/gtest.h>

#include <QSet>

#include "EffectFixture.h"
#include "album/Matching.h"
#include "app/FlagWords.h"
#include "effects/EffectColumns.h"
#include "effects/EffectPlacement.h"

using namespace lumora;
using namespace lumora::test;

namespace {
const ConfirmFn yes = [](const QString &, const QString &) { return true; };
const ConfirmFn no = [](const QString &, const QString &) { return false; };

// Always the first choice; records the sizes it was asked about.
struct FirstChoice {
    std::vector<int> asked;
    RandomFn fn()
    {
        return [this](int n) {
            asked.push_back(n);
            return 0;
        };
    }
};

} // namespace

TEST(TextPlacement, IntervalChoosesEveryNPlusOnethTemplate)
{
    EffectTree t;
    t.addText(1, 1, 5, QStringLiteral("a"));
    for (auto [n, expected] :
         {std::pair{1, QStringList{"0", "2", "4", "6", "8", "10"}}, std::pair{3, QStringList{"2", "6", "10"}}}) {
        Album album = t.album();
        const int cat = EffectTree::addCatalogue(album, 50, QStringLiteral("|5|"), QStringLiteral("|a|"));
        for (int r = 0; r < 12; ++r)
            EffectTree::addUsed(album, cat);
        TextPlacementOptions o;
        o.choice = TemplateChoice::Interval;
        o.interval = n;
        runTextPlacement(album, o);
        EXPECT_EQ(album.wenzi_ListView_Image.subItemTexts(effcol::kTextTemplateRow), expected) << "N = " << n;
    }
}

TEST(TextPlacement, RequiredAndOptionalMarksAtTheirPositions)
{
    EffectTree t;
    t.addText(1, 1, 5, QStringLiteral("ab"));
    t.addText(1, 2, 5, QStringLiteral("c"));
    t.addText(2, 1, 5, QStringLiteral("d"));
    Album album = t.album();
    // An incomplete template first: it adds nothing to the album time.
    EffectTree::addUsed(album, EffectTree::addCatalogue(album, 500, QStringLiteral("|1|"), QStringLiteral("|a|")),
                        false);
    const int cat = EffectTree::addCatalogue(album, 100, QStringLiteral("|10|80|"), QStringLiteral("|a|b|"),
                                             QStringLiteral("|c|d|"));
    EffectTree::addUsed(album, cat);
    EffectTree::addUsed(album, cat);

    TextPlacementOptions o;
    o.now = QTime(9, 5, 7);
    o.random = [](int n) { return n - 1; }; // the optional mark d, the last candidate
    const PlacementReport report = runTextPlacement(album, o);
    EXPECT_EQ(report.rowsAdded, 6);
    EXPECT_TRUE(report.unserved.isEmpty());
    EXPECT_EQ(report.notice, QStringLiteral("自动加入文字特效到已使用模板中完成,单击[确定]按钮返回到文字特效窗口！"));

    const RowTable &w = album.wenzi_ListView_Image;
    EXPECT_EQ(w.subItemTexts(effcol::kTextMarkLetter), (QStringList{"a", "b", "d", "a", "b", "d"}));
    EXPECT_EQ(w.subItemTexts(effcol::kTextFramePos), (QStringList{"10", "80", "80", "10", "80", "80"}));
    EXPECT_EQ(w.subItemTexts(effcol::kTextAutoMark),
              (QStringList{"090507_1", "090507_1", "090507_1", "090507_2", "090507_2", "090507_2"}));
    // Template 2 starts after template 1's 100 frames: 110 → 4 s, 180 → 7 s.
    EXPECT_EQ(w.subItemTexts(effcol::kStart),
              (QStringList{"00:00:00", "00:00:03", "00:00:03", "00:00:04", "00:00:07", "00:00:07"}));
    EXPECT_EQ(w[2].subItem(effcol::kTextCategory), QStringLiteral("2"));
    EXPECT_EQ(w[2].subItem(effcol::kTextOrigin), effcol::kAutomatic);
    EXPECT_EQ(album.wenzi_ListView_Image_2[5].subItems(), (QStringList{"5", "00:00:07", "文字2_1", "自动添加"}));
    EXPECT_EQ(EffectTree::slotMarks(album), (QStringList{"", "", "090507_1", "090507_1", "090507_2", "090507_2"}));
}

TEST(TextPlacement, EachMatchingLetterMakesOneCandidate)
{
    EffectTree t;
    t.addText(1, 1, 5, QStringLiteral("ab"));
    t.addText(1, 2, 5, QStringLiteral("aa"));
    t.addText(1, 3, 5, QStringLiteral("b"));
    Album album = t.album();
    EffectTree::addUsed(album, EffectTree::addCatalogue(album, 100, QStringLiteral("|1|2|"), QStringLiteral("|a|b|")));
    FirstChoice pick;
    TextPlacementOptions o;
    o.random = pick.fn();
    runTextPlacement(album, o);
    // Mark a: "ab" once, "aa" twice; mark b: "ab" and "b".
    EXPECT_EQ(pick.asked, (std::vector<int>{3, 2}));
}

TEST(TextPlacement, UnservedMarksAndMissingPositionsAreReported)
{
    EffectTree t;
    t.addText(1, 1, 5, QStringLiteral("a"));
    Album album = t.album();
    EffectTree::addUsed(album, EffectTree::addCatalogue(album, 100, QStringLiteral("|10|"), QStringLiteral("|a|x|a|")));
    EffectTree::addUsed(album, EffectTree::addCatalogue(album, 100, QString(), QStringLiteral("|a|")));
    const PlacementReport report = runTextPlacement(album);
    // More marks than positions: the rest take the last position.
    EXPECT_EQ(album.wenzi_ListView_Image.subItemTexts(effcol::kTextFramePos), (QStringList{"10", "10"}));
    EXPECT_EQ(report.unserved.size(), 2);
    EXPECT_TRUE(report.unserved[0].contains(u'x'));
}

TEST(TextPlacement, MarkedTemplatesAreSkippedButTheirRowsTakeTheNewMark)
{
    EffectTree t;
    t.addText(1, 1, 5, QStringLiteral("a"));
    Album album = t.album();
    const int cat = EffectTree::addCatalogue(album, 100, QStringLiteral("|10|"), QStringLiteral("|a|"));
    EffectTree::addUsed(album, cat);
    TextPlacementOptions o;
    o.now = QTime(1, 2, 3);
    runTextPlacement(album, o);
    EffectTree::addUsed(album, cat);
    o.now = QTime(4, 5, 6);
    runTextPlacement(album, o);
    EXPECT_EQ(album.wenzi_ListView_Image.subItemTexts(effcol::kTextTemplateRow), (QStringList{"0", "1"}));
    EXPECT_EQ(album.wenzi_ListView_Image.subItemTexts(effcol::kTextAutoMark), (QStringList{"040506_0", "040506_1"}));
    EXPECT_EQ(textPlacementOpenCheck(album), QStringLiteral("已经添加的模板文件,全部添加了文字特效!"));
}

TEST(TextPlacement, MissingIniEndsTheRunAndImportStillSignalsCompletion)
{
    EffectTree t;
    t.addText(1, 1, 5, QStringLiteral("a"));
    Album album = t.album();
    EffectTree::addUsed(album, EffectTree::addCatalogue(album, 100, QStringLiteral("|10|"), QStringLiteral("|a|")));
    QFile::remove(effectIniPath(t.paths, t.mode, {EffectKind::Text, 1, 1}));
    ensureFolder(t.paths.textEffectFolder(t.mode, 1, 2));
    t.addText(1, 2, 5, QStringLiteral("a"));
    // The window-opening listing skips the folder without INI: the run places from effect 2.
    EXPECT_EQ(runTextPlacementOnImport(album).completionFlag, flag::kAutoTextEffectsDone);
    EXPECT_EQ(album.wenzi_ListView_Image.size(), 1);
}

// From the placement dialog a folder without INI ends the listing: the run
// places from the effects before it and names the folder.
TEST(TextPlacement, AListingStoppedByABrokenFolderIsNamed)
{
    EffectTree t;
    t.addText(1, 1, 5, QStringLiteral("a"));
    ensureFolder(t.paths.textEffectFolder(t.mode, 1, 2)); // no INI
    t.addText(1, 3, 5, QStringLiteral("a"));
    Album album = t.album();
    EffectTree::addUsed(album, EffectTree::addCatalogue(album, 100, QStringLiteral("|10|"), QStringLiteral("|a|")));
    TextPlacementOptions o;
    o.listing = ListingCause::CategoryChange;
    const PlacementReport r = runTextPlacement(album, o);
    EXPECT_FALSE(r.failed);
    EXPECT_EQ(album.wenzi_ListView_Image.size(), 1);
    EXPECT_TRUE(r.notice.startsWith(kTextEffectFileMissing)) << r.notice.toStdString();
    EXPECT_TRUE(r.notice.contains(QDir::toNativeSeparators(QDir::cleanPath(t.paths.textEffectFolder(t.mode, 1, 2)))))
        << r.notice.toStdString();
}

TEST(TextPlacement, ImportDrawsCaptionsFromTheChosenTheme)
{
    EffectTree t;
    for (int cat : {1, 2, 5})
        for (int n : {1, 2})
            t.addText(cat, n, 5, QStringLiteral("ab"));
    int calls = 0;
    const RandomFn turns = [&calls](int n) { return calls++ % n; };
    for (auto [theme, expected] : {std::pair{1, QSet<QString>{"2"}}, std::pair{4, QSet<QString>{"5"}}}) {
        Album album = t.album();
        album.settings.textEffectTheme = theme;
        const int cat = EffectTree::addCatalogue(album, 100, QStringLiteral("|10|60|"), QStringLiteral("|a|b|"));
        for (int r = 0; r < 6; ++r)
            EffectTree::addUsed(album, cat);
        runTextPlacementOnImport(album, turns);
        ASSERT_EQ(album.wenzi_ListView_Image.size(), 12) << "theme " << theme;
        const QStringList cats = album.wenzi_ListView_Image.subItemTexts(effcol::kTextCategory);
        EXPECT_EQ(QSet<QString>(cats.begin(), cats.end()), expected) << "theme " << theme;
    }
    // "全部" (-1) draws from every category, as before there were themes.
    Album album = t.album();
    const int cat = EffectTree::addCatalogue(album, 100, QStringLiteral("|10|60|"), QStringLiteral("|a|b|"));
    for (int r = 0; r < 6; ++r)
        EffectTree::addUsed(album, cat);
    runTextPlacementOnImport(album, turns);
    const QStringList cats = album.wenzi_ListView_Image.subItemTexts(effcol::kTextCategory);
    EXPECT_GT(QSet<QString>(cats.begin(), cats.end()).size(), 1);
}

TEST(TextPlacement, ThemeNamesTurnIntoRows)
{
    EXPECT_EQ(textEffectThemeNames().size(), kTextCategoryCount);
    for (auto [name, theme] :
         {std::pair{"全部", -1}, std::pair{"", -1}, std::pair{"婚纱", 0}, std::pair{"婚纱文字元素", 0},
          std::pair{"02 婚纱文字元素", 0}, std::pair{"运动会", 19}, std::pair{"21 运动会文字元素", 19},
          std::pair{"婚礼", kNoTextEffectTheme}, std::pair{"01 全部文字元素", -1}})
        EXPECT_EQ(textEffectThemeFromName(QString::fromUtf8(name)), theme) << name;
    EXPECT_EQ(textEffectThemeCategoryRow(0), 2);
    EXPECT_EQ(textEffectThemeCategoryRow(19), 40);
    EXPECT_EQ(textEffectThemeCategoryRow(-1), 0);
    EXPECT_EQ(textEffectThemeCategoryRow(20), 0);
    // "恢复默认设置" brings the theme back to "全部".
    Settings s;
    EXPECT_EQ(s.textEffectTheme, -1);
    s.textEffectTheme = 3;
    s.restoreDefaults();
    EXPECT_EQ(s.textEffectTheme, -1);
}

TEST(TextPlacement, ChecksBeforeTheRun)
{
    EffectTree t;
    Album album = t.album();
    EXPECT_EQ(textPlacementOpenCheck(album), QStringLiteral("没有添加相片文件或模板文件!"));
    EXPECT_EQ(textPlacementStartCheck(album, 0).notice, QStringLiteral("没有添加相片文件或模板文件!"));
    EXPECT_EQ(textPlacementStartCheck(album, 1).notice, QStringLiteral("没有选择文字特效分类。"));
    const int cat = EffectTree::addCatalogue(album, 100);
    EffectTree::addUsed(album, cat, false);
    EXPECT_EQ(textPlacementOpenCheck(album), QStringLiteral("已经添加的模板文件没有匹配相片文件!"));
    const PlacementStart none = textPlacementStartCheck(album, 0);
    EXPECT_FALSE(none.start);
    EXPECT_EQ(none.notice, QStringLiteral("已经使用的模板文件有 1 个模板文件没有匹配相片文件!请匹配后再添加文字特效!"));
    EffectTree::addUsed(album, cat);
    const PlacementStart some = textPlacementStartCheck(album, 0);
    EXPECT_TRUE(some.start);
    EXPECT_EQ(some.notice,
              QStringLiteral("已经使用的模板文件有 1 个模板文件没有匹配相片文件!这些将被忽略添加文字特效!"));
    EXPECT_TRUE(textPlacementOpenCheck(album).isEmpty());
}

TEST(TextPlacement, RemovingATemplatesEffectsAndRederiving)
{
    EffectTree t;
    t.addText(1, 1, 5, QStringLiteral("a"));
    Album album = t.album();
    const int cat = EffectTree::addCatalogue(album, 250, QStringLiteral("|30|"), QStringLiteral("|a|"));
    for (int r = 0; r < 3; ++r)
        EffectTree::addUsed(album, cat);
    runTextPlacement(album);
    EXPECT_EQ(album.wenzi_ListView_Image.subItemTexts(effcol::kStart),
              (QStringList{"00:00:01", "00:00:11", "00:00:21"}));

    // Template 0 loses a photo: its rows go, the others move up by its 250 frames.
    album.ListView_moban_shiyong[0].setCell(placecol::kUsedMatching, QStringLiteral("未完成"));
    EXPECT_EQ(removeTemplateTextEffects(album, 0), 1);
    rederiveTextStartTimes(album);
    EXPECT_EQ(album.wenzi_ListView_Image.subItemTexts(effcol::kStart), (QStringList{"00:00:01", "00:00:11"}));
    EXPECT_EQ(EffectTree::slotMarks(album).mid(0, 2), (QStringList{"", ""}));
}

TEST(PicturePlacement, CombinationsCoverTheTemplatesEndToEnd)
{
    EffectTree t;
    t.addPicture(1, 600, {}, 0);
    t.addPicture(2, 600, {}, 0);
    t.addPicture(3, 600, {}, 0);
    t.addPicture(4, 100, {}, 0);
    t.addPicture(5, 100, {}, 0);
    t.addPicture(6, 80, {}, 0);

    for (auto [complete, expectedStarts] : {std::pair{2, QStringList{"00:00:00", "00:00:00", "00:00:01", "00:00:02"}},
                                            std::pair{1,
                                                      QStringList{"00:00:00", "00:00:00", "00:00:01", "00:00:02",
                                                                  "00:00:24", "00:00:24", "00:00:25", "00:00:26"}}}) {
        Album album = t.album();
        // Template sum 1000 frames in both cases.
        if (complete == 2) {
            EffectTree::addUsed(album, EffectTree::addCatalogue(album, 500));
            EffectTree::addUsed(album, EffectTree::addCatalogue(album, 500));
        } else {
            EffectTree::addUsed(album, EffectTree::addCatalogue(album, 1000));
        }
        EffectTree::addUsed(album, EffectTree::addCatalogue(album, 9999), false);
        FirstChoice pick; // always "|1|5|5|5|" with "|0|0|1|2|", length 600
        PicturePlacementOptions o;
        o.random = pick.fn();
        const PlacementReport report = runPicturePlacement(album, o);
        EXPECT_EQ(album.huamian_ListView_Image.subItemTexts(effcol::kStart), expectedStarts) << complete;
        EXPECT_EQ(report.notice, QStringLiteral("自动添加画面特效已完成,单击[确定]按钮返回到画面特效窗口！"));
        EXPECT_EQ(album.huamian_ListView_Image[1].subItems(),
                  (QStringList{album.huamian_ListView_Image[1].subItem(0), "暂无", "tingzhi", "画面5", "4", "自动添加",
                               "wu"}));
        EXPECT_EQ(album.huamian_ListView_Image[1].caption(), QStringLiteral("100"));
        EXPECT_EQ(pick.asked.front(), 4); // the wedding family has four combinations
    }
}

TEST(PicturePlacement, FamiliesAndImportConfirmation)
{
    const auto &f = pictureFamilies();
    ASSERT_EQ(f.size(), 5u);
    EXPECT_EQ(f[0].name, QStringLiteral("婚纱特效组合"));
    EXPECT_EQ(f[0].combinations[2].packages, QStringLiteral("|3|5|5|6|"));
    EXPECT_EQ(f[4].name, QStringLiteral("滤镜特效组合"));
    EXPECT_EQ(f[4].combinations.size(), 2u);

    EffectTree t;
    t.addPicture(1, 50, {}, 0);
    t.addPicture(2, 50, {}, 0);
    t.addPicture(3, 50, {}, 0);
    t.addPicture(4, 50, {}, 0);
    t.addPicture(5, 50, {}, 0);
    t.addPicture(6, 50, {}, 0);
    Album album = t.album();
    EXPECT_EQ(openPicturePlacement(album, yes).notice, QStringLiteral("没有添加相片文件或模板文件!"));
    EffectTree::addUsed(album, EffectTree::addCatalogue(album, 100), false);
    EXPECT_EQ(openPicturePlacement(album, yes).notice, QStringLiteral("已经添加的模板文件没有匹配相片文件!"));
    EffectTree::addUsed(album, EffectTree::addCatalogue(album, 100));

    EXPECT_EQ(runPicturePlacementOnImport(album, yes).completionFlag, flag::kAutoPictureEffectsDone);
    const int placed = album.huamian_ListView_Image.size();
    EXPECT_GT(placed, 0);
    // Declining keeps the rows and places nothing more.
    EXPECT_EQ(runPicturePlacementOnImport(album, no).completionFlag, flag::kAutoPictureEffectsDone);
    EXPECT_EQ(album.huamian_ListView_Image.size(), placed);
    EXPECT_FALSE(openPicturePlacement(album, no).changed);
    EXPECT_TRUE(openPicturePlacement(album, yes).changed);
    EXPECT_TRUE(album.huamian_ListView_Image.empty());
}

TEST(PicturePlacement, PackageWithoutFrameCountEndsInsteadOfLoopingForever)
{
    EffectTree t;
    Album album = t.album();
    EffectTree::addUsed(album, EffectTree::addCatalogue(album, 100));
    const PlacementReport report = runPicturePlacement(album);
    EXPECT_TRUE(report.failed);
    EXPECT_TRUE(album.huamian_ListView_Image.empty());
}

TEST(PicturePlacement, ImportHooksPlaceWithoutAskingAndKeepExistingRows)
{
    EffectTree t;
    for (int p = 1; p <= 6; ++p)
        t.addPicture(p, 50, {}, 0);
    t.addText(1, 1, 5, QStringLiteral("a"));
    Album album = t.album();
    EffectTree::addUsed(album, EffectTree::addCatalogue(album, 100, QStringLiteral("|10|"), QStringLiteral("|a|")));
    EXPECT_TRUE(autoTextEffectsOnImport(album).isEmpty());
    EXPECT_EQ(album.wenzi_ListView_Image.size(), 1);
    EXPECT_TRUE(autoPictureEffectsOnImport(album).isEmpty());
    const int placed = album.huamian_ListView_Image.size();
    EXPECT_GT(placed, 0);
    autoPictureEffectsOnImport(album); // rows exist: nothing is added
    EXPECT_EQ(album.huamian_ListView_Image.size(), placed);
}

// Deleting a used template takes its automatic captions with it; the later
// templates' captions move up in time and stay keyed to their own template.
TEST(TextPlacement, DeletedTemplateTakesItsCaptionsAndLaterOnesMoveUp)
{
    EffectTree t;
    t.addText(1, 1, 5, QStringLiteral("a"));
    Album album = t.album();
    const int cat = EffectTree::addCatalogue(album, 500, QStringLiteral("|50|"), QStringLiteral("|a|"));
    for (int r = 0; r < 3; ++r)
        EffectTree::addUsed(album, cat);
    TextPlacementOptions o;
    o.now = QTime(1, 2, 3);
    runTextPlacement(album, o);
    ASSERT_EQ(album.wenzi_ListView_Image.subItemTexts(effcol::kStart),
              (QStringList{"00:00:02", "00:00:22", "00:00:42"}));

    EXPECT_EQ(forgetUsedTemplateTextEffects(album, 0), 1);
    deleteUsedTemplate(album, 0);
    rederiveTextStartTimes(album);
    EXPECT_EQ(album.wenzi_ListView_Image.subItemTexts(effcol::kTextTemplateRow), (QStringList{"0", "1"}));
    EXPECT_EQ(album.wenzi_ListView_Image.subItemTexts(effcol::kStart), (QStringList{"00:00:02", "00:00:22"}));
    EXPECT_EQ(album.wenzi_ListView_Image_2.size(), 2);

    // Removing the captions of the (new) second template clears its own mark only.
    EXPECT_EQ(removeTemplateTextEffects(album, 1), 1);
    EXPECT_EQ(album.wenzi_ListView_Image.subItemTexts(effcol::kTextAutoMark), (QStringList{"010203_1"}));
    const RowTable &slots = album.ListView_moban_shiyong_canshu;
    for (int s = 0; s < slots.size(); ++s)
        EXPECT_EQ(slots[s].cell(slotcol::kTextMark).isEmpty(), slots[s].cell(slotcol::kUsedRow) == "1") << s;
}
