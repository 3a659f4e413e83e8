// The caption track: where typed captions, the title and the closing line lie
// on pictures of every output size and mode, and what they draw there.
#include <QPainter>
#include <gtest/gtest.h>

#include "app/Album.h"
#include "effects/CaptionTrack.h"
#include "effects/CustomCaptions.h"
#include "effects/EffectColumns.h"
#include "effects/TextBands.h"

using namespace lumora;

namespace {

const QStringList kTexts{
    QStringLiteral("外婆九十岁生日快乐"),
    QStringLiteral("小明 ♥ 小红 · 2026年5月20日"),
    QStringLiteral("Happy Birthday, Grandma!\n生日快乐"),
    QStringLiteral("我们的婚礼 Our Wedding Day 2026 · 感谢每一位到场的亲朋好友，愿你们也幸福美满，平安喜乐，万事如意"),
};

struct ModeCase {
    ModeKind mode;
    std::vector<QSize> pictures; // render sizes of the mode's outputs, and its preview
};

const std::vector<ModeCase> kModes{
    {ModeKind::Wide16x9, {QSize(1920, 1080), QSize(1280, 720), QSize(320, 176), QSize(800, 450)}},
    {ModeKind::Wide4x3, {QSize(1347, 1080), QSize(640, 512), QSize(1024, 820)}},
    {ModeKind::Portrait, {QSize(1080, 1920), QSize(720, 1280), QSize(480, 854)}},
};

// Captions two at a time, each wanting the same place on the lyric line:
// every one of them must find its own.
std::vector<CaptionCue> crowdedCues(QSize preview)
{
    std::vector<CaptionCue> cues;
    int row = 0;
    for (const CaptionStyleInfo &s : captionStyles())
        for (const QString &text : {kTexts[row % kTexts.size()]}) {
            CaptionCue c;
            c.start = 100 * (row / 2); // two at a time
            c.text = text;
            c.style = s.style;
            c.wanted = QPoint(preview.width() / 3, preview.height() * 3 / 4); // on the lyric line
            c.row = row++;
            cues.push_back(c);
        }
    return cues;
}

QRect inkRect(const QImage &img)
{
    int l = img.width(), t = img.height(), r = -1, b = -1;
    for (int y = 0; y < img.height(); ++y) {
        const auto *line = reinterpret_cast<const QRgb *>(img.constScanLine(y));
        for (int x = 0; x < img.width(); ++x)
            if (qAlpha(line[x]) != 0) {
                l = std::min(l, x);
                r = std::max(r, x);
                t = std::min(t, y);
                b = std::max(b, y);
            }
    }
    return r < 0 ? QRect() : QRect(QPoint(l, t), QPoint(r, b));
}

} // namespace

// Every text in every style in every mode and output size: inside the safe
// area, off the lyric band, and off every caption shown at the same time.
TEST(CaptionTrack, EveryCaptionInsideTheSafeAreaOffTheLyricsAndOffEachOther)
{
    for (const ModeCase &m : kModes) {
        Album album;
        album.reset(m.mode);
        const QSize preview = album.modeInfo().preview;
        for (const QSize picture : m.pictures) {
            const QRect safe = captionArea(picture);
            const QRect band = albumLyricBand(album, picture);
            ASSERT_FALSE(band.isEmpty());
            for (const QString &text : kTexts) {
                std::vector<CaptionCue> cues = crowdedCues(preview);
                for (CaptionCue &c : cues)
                    c.text = text;
                const CaptionTrack track(cues, {}, preview, picture, band);
                for (int i = 0; i < track.size(); ++i) {
                    const QRect b = track.box(i);
                    const std::string what = QStringLiteral("%1×%2 %3 %4")
                                                 .arg(picture.width())
                                                 .arg(picture.height())
                                                 .arg(captionStyleInfo(track.cue(i).style).key, text)
                                                 .toStdString();
                    ASSERT_FALSE(b.isEmpty()) << what;
                    EXPECT_TRUE(safe.contains(b)) << what;
                    EXPECT_FALSE(b.intersects(band)) << what;
                    for (int j = 0; j < i; ++j)
                        if (track.cue(j).start < track.end(i) && track.cue(i).start < track.end(j)) {
                            EXPECT_FALSE(b.intersects(track.box(j))) << what << " meets " << j;
                        }
                }
            }
        }
    }
}

// What is drawn agrees with the boxes on every frame: at the preview size of
// each mode, every frame of the track leaves no ink outside the safe area or
// on the lyric band.
TEST(CaptionTrack, EveryFrameKeepsItsInkInsideTheSafeAreaAndOffTheLyrics)
{
    for (const ModeCase &m : kModes) {
        Album album;
        album.reset(m.mode);
        const QSize picture = album.modeInfo().preview;
        const QRect band = albumLyricBand(album, picture);
        const QRect safe = captionArea(picture);
        std::vector<CaptionCue> cues = crowdedCues(picture);
        for (CaptionCue &c : cues)
            c.text = kTexts[2];
        const CaptionTrack track(cues, {}, picture, picture, band);
        long long last = 0;
        for (int i = 0; i < track.size(); ++i)
            last = std::max(last, track.end(i));
        for (long long n = 0; n < last; ++n) {
            QImage img(picture, QImage::Format_ARGB32_Premultiplied);
            img.fill(Qt::transparent);
            {
                QPainter p(&img);
                track.draw(p, n);
            }
            const QRect ink = inkRect(img);
            if (ink.isEmpty())
                continue;
            EXPECT_TRUE(safe.contains(ink)) << "frame " << n;
            const QImage onBand = img.copy(band);
            EXPECT_TRUE(inkRect(onBand).isEmpty()) << "frame " << n;
        }
    }
}

// A packaged text effect shown at the same time keeps its place; one shown
// at another time does not matter.
TEST(CaptionTrack, PackagedEffectsShownMeanwhileAreAvoided)
{
    const QSize preview(800, 450);
    CaptionCue c;
    c.start = 50;
    c.text = kTexts[0];
    c.wanted = QPoint(200, 150);
    const QRect packaged(150, 120, 400, 120);
    const CaptionTrack meanwhile({c}, {{40, 140, packaged}}, preview, preview, QRect());
    EXPECT_FALSE(meanwhile.box(0).intersects(packaged));
    const CaptionTrack later({c}, {{200, 300, packaged}}, preview, preview, QRect());
    EXPECT_EQ(later.box(0).topLeft(), QPoint(200, 150));
}

// Typed captions are rows of the text effect table: added, edited, shown in
// the track at their start time; the effect run never plays them.
TEST(CaptionTrack, TypedCaptionRowsAddEditAndReachTheTrack)
{
    Album album;
    album.reset(ModeKind::Wide16x9);
    EXPECT_EQ(addCustomCaption(album, QStringLiteral(" \n "), QStringLiteral("rouguang"), {0, 0, 1}).notice,
              kCaptionTextEmpty);
    EXPECT_EQ(addCustomCaption(album, kTexts[0], QStringLiteral("nope"), {0, 0, 1}).notice, kCaptionStyleMissing);
    EXPECT_FALSE(addCustomCaption(album, kTexts[0], QStringLiteral("rouguang"), {0, -1, 1}).changed);
    EXPECT_TRUE(album.wenzi_ListView_Image.empty());

    ASSERT_TRUE(addCustomCaption(album, QStringLiteral("第一行\n第二行\n第三行"), QStringLiteral("rouguang"), {0, 1, 2})
                    .changed);
    const Row &r = album.wenzi_ListView_Image[0];
    EXPECT_TRUE(isCustomCaption(r));
    EXPECT_EQ(r.subItem(effcol::kTextCustomWords), QStringLiteral("第一行\n第二行 第三行"));
    EXPECT_EQ(r.subItem(effcol::kTextOrigin), effcol::kByHand);
    EXPECT_EQ(r.subItem(effcol::kStart), QStringLiteral("00:01:02"));
    EXPECT_EQ(album.wenzi_ListView_Image_2[0].subItem(effcol::kVisName), QStringLiteral("第一行 / 第二行 第三行"));

    ASSERT_TRUE(editCustomCaption(album, 0, kTexts[1], QStringLiteral("jinse_biaoti"), {0, 0, 3}).changed);
    EXPECT_EQ(r.caption(), QString::number(captionStyleInfo(CaptionStyle::GoldenSweep).frames));
    const std::vector<CaptionCue> cues = typedCaptionCues(album);
    ASSERT_EQ(cues.size(), 1u);
    EXPECT_EQ(cues[0].start, 75);
    EXPECT_EQ(cues[0].style, CaptionStyle::GoldenSweep);
    EXPECT_EQ(cues[0].text, kTexts[1]);
    EXPECT_FALSE(editCustomCaption(album, 0, QString(), QStringLiteral("jinse_biaoti"), {0, 0, 3}).changed);
    EXPECT_EQ(r.subItem(effcol::kTextCustomWords), kTexts[1]) << "a refused edit changes nothing";

    // Titles: the opening title over the first template, the closing line
    // ending before the ending movie; none when the texts are empty.
    EXPECT_TRUE(titleCues(album, 500).empty());
    album.settings.piantouBiaoti = QStringLiteral("外婆九十岁生日快乐");
    album.settings.pianweiZimu = QStringLiteral("谢谢观看");
    const std::vector<CaptionCue> titles = titleCues(album, 500);
    ASSERT_EQ(titles.size(), 2u);
    EXPECT_EQ(titles[0].kind, CaptionKind::Title);
    EXPECT_LT(titles[0].start, 25);
    EXPECT_EQ(titles[1].kind, CaptionKind::Ending);
    const CaptionTrack track = albumCaptionTrack(album, QSize(1280, 720), 500);
    ASSERT_EQ(track.size(), 3);
    EXPECT_LE(track.end(1), 500);
    EXPECT_GT(track.end(1), 450);
}
