#include <QImage>
#include <gtest/gtest.h>

#include "app/Album.h"
#include "effects/TextBands.h"

using namespace lumora;

namespace {
Row lyricRow()
{
    return defaultLyricSettingsRow(1, QStringLiteral("歌"), QStringLiteral(".lrc"), QStringLiteral("/x/歌.lrc"));
}
Row customRow(int left, int top, int size)
{
    Row r = lyricRow();
    r.setSubItem(3, QStringLiteral("zidingyi_xianshi"));
    r.setSubItem(5, QString::number(left));
    r.setSubItem(6, QString::number(top));
    r.setSubItem(9, QString::number(size));
    return r;
}
const QString kLong
    = QStringLiteral("那年我们还不懂告别，总以为来日方长，一转身却已是天涯海角，只剩下这首歌还在耳边轻轻地唱");
} // namespace

// Every drawn line, short or wrapped, lies inside the picture and inside the
// band that captions keep out of, for the three album modes' pictures and
// for default, custom, large and far-right settings.
TEST(TextBands, LyricLinesStayInsidePictureAndBand)
{
    const QSize pictures[] = {{800, 450}, {1920, 1080}, {450, 800}, {1080, 1920}, {679, 390}};
    const Row rows[] = {lyricRow(), customRow(0, 335, 10), customRow(600, 380, 60), customRow(100, 20, 36)};
    for (const QSize picture : pictures) {
        QImage img(picture, QImage::Format_RGB32);
        for (size_t r = 0; r < std::size(rows); ++r) {
            const QRect band = lyricBand(rows[r], picture);
            EXPECT_TRUE(QRect(QPoint(0, 0), picture).contains(band)) << picture.width() << " row " << r;
            for (const QString &text : {QStringLiteral("月亮代表我的心"), kLong}) {
                const LyricPlacement p = applyLyricSettings(rows[r], text, picture, true, &img);
                ASSERT_FALSE(p.lines.isEmpty());
                EXPECT_EQ(p.lines.join(QString()), text) << "no character lost";
                EXPECT_TRUE(QRect(QPoint(0, 0), picture).contains(p.box()))
                    << picture.width() << "x" << picture.height() << " row " << r << " lines " << p.lines.size();
                if (p.lines.size() <= 2) {
                    EXPECT_TRUE(band.contains(p.box())) << picture.width() << " row " << r;
                }
            }
        }
    }
}

TEST(TextBands, LongLineWrapsToTwoBalancedLines)
{
    QImage img(800, 450, QImage::Format_RGB32);
    const LyricPlacement p = applyLyricSettings(lyricRow(), kLong + kLong.left(20), img.size(), true, &img);
    ASSERT_EQ(p.lines.size(), 2);
    EXPECT_LE(std::abs(p.lines[0].size() - p.lines[1].size()), 2);
    EXPECT_EQ(p.lineTopLefts[1].y() - p.lineTopLefts[0].y(), p.lineHeight);
    // Words stay whole where the text has spaces.
    const LyricPlacement latin = applyLyricSettings(
        lyricRow(), QStringLiteral("the quick brown fox jumps over the lazy dog and runs far away into the hills"),
        {200, 120}, true, &img);
    for (const QString &l : latin.lines)
        EXPECT_FALSE(l.startsWith(u' ') || l.endsWith(u' ')) << l.toStdString();
    EXPECT_TRUE(latin.lines.join(u' ').contains(QStringLiteral("lazy dog")));
}

TEST(TextBands, AlbumWithoutLyricsKeepsTheDefaultBand)
{
    Album album;
    const QSize preview(800, 450);
    const QRect band = albumLyricBand(album, preview);
    EXPECT_EQ(band, lyricBand(lyricRow(), preview));
    EXPECT_GE(band.top(), 380); // the lower part of the picture, where the line sits by default
    album.ListView_geci_shezhi_canshu.append(lyricRow());
    album.ListView_geci_shezhi_canshu.append(customRow(0, 20, 10));
    const QRect joined = albumLyricBand(album, preview);
    EXPECT_TRUE(joined.contains(lyricBand(customRow(0, 20, 10), preview)));
    EXPECT_TRUE(joined.contains(band));
}

TEST(TextBands, FreeCaptionPlace)
{
    const QSize picture(800, 450);
    const QRect band(0, 386, 800, 40);
    const QSize caption(200, 81);
    struct Case {
        const char *what;
        QPoint wanted;
        std::vector<QRect> taken;
        bool expectWanted;
    };
    const Case cases[] = {
        {"free stays", {300, 100}, {}, true},
        {"over the band moves", {300, 340}, {}, false},
        {"on another caption moves", {300, 185}, {QRect(300, 185, 200, 81)}, false},
        {"band and caption", {300, 340}, {QRect(300, 305, 200, 81)}, false},
    };
    for (const Case &c : cases) {
        const std::optional<QPoint> at = freeCaptionPlace(c.wanted, caption, picture, band, c.taken);
        ASSERT_TRUE(at) << c.what;
        EXPECT_EQ(*at == c.wanted, c.expectWanted) << c.what;
        const QRect r(*at, caption);
        EXPECT_FALSE(r.intersects(band)) << c.what;
        for (const QRect &t : c.taken)
            EXPECT_FALSE(r.intersects(t)) << c.what;
        if (!c.expectWanted) {
            EXPECT_TRUE(QRect(0, 0, 800, 450).contains(r)) << c.what;
        }
    }
    // A caption taller than what is left has no place.
    EXPECT_FALSE(freeCaptionPlace({0, 0}, {800, 400}, picture, band, {}));
}
