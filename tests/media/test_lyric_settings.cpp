#include <QFontDatabase>
#include <QImage>
#include <QPainter>
#include <gtest/gtest.h>

#include "media/ChineseConvert.h"
#include "media/LyricSettings.h"

using namespace lumora;

namespace {
Row defaults()
{
    return defaultLyricSettingsRow(1, QStringLiteral("甜蜜蜜"), QStringLiteral(".lrc"),
                                   QStringLiteral("/x/甜蜜蜜.lrc"));
}
} // namespace

TEST(LyricSettings, DefaultRow)
{
    const Row r = defaults();
    EXPECT_EQ(r.caption(), QStringLiteral("1"));
    EXPECT_EQ(r.subItems(),
              (QStringList{QStringLiteral("甜蜜蜜"), QStringLiteral(".lrc"), QStringLiteral("/x/甜蜜蜜.lrc"),
                           QStringLiteral("moren_xianshi"), QStringLiteral("335"), QStringLiteral("0"),
                           QStringLiteral("335"), QStringLiteral("黑体"), QStringLiteral("cuti"), QStringLiteral("10"),
                           QStringLiteral("wu"), QStringLiteral("暂时不用"), QStringLiteral("clWhite"),
                           QStringLiteral("16777215"), QStringLiteral("jianti"), QStringLiteral("51455")}));
    EXPECT_EQ(lyricSettingsColumns().size(), 17);
    // Rows stored before the highlight colour existed read the default.
    Row old = r;
    old.setSubItem(15, QString());
    EXPECT_EQ(lyricHighlightColour(old), QColor(255, 200, 0));
}

TEST(LyricSettings, ApplyScalesToThePicture)
{
    const QString line = QStringLiteral("甜蜜蜜你笑得甜蜜蜜");
    struct Case {
        QSize picture;
        int pointSize, top;
    };
    for (const Case &c : {Case{{800, 450}, 11, 386}, Case{{1920, 1080}, 27, 927}, Case{{679, 390}, 10, 335}}) {
        QImage img(c.picture, QImage::Format_RGB32);
        const LyricPlacement p = applyLyricSettings(defaults(), line, c.picture, true, &img);
        EXPECT_EQ(p.font.pointSize(), c.pointSize) << c.picture.width();
        EXPECT_EQ(p.topLeft.y(), c.top) << c.picture.width();
        EXPECT_TRUE(p.font.bold());
        EXPECT_FALSE(p.font.italic());
        const int width = QFontMetrics(p.font, &img).horizontalAdvance(line);
        EXPECT_GT(width, 0);
        EXPECT_EQ(p.topLeft.x(), c.picture.width() / 2 - width / 2) << "centred";
        EXPECT_EQ(p.color, QColor(255, 255, 255));
    }
    // The editor and music preview draw unscaled on the reference screen.
    EXPECT_EQ(applyLyricSettings(defaults(), line, {1920, 1080}, false).font.pointSize(), 10);
}

TEST(LyricSettings, CustomPositionStyleAndColour)
{
    Row r = defaults();
    r.setSubItem(3, QStringLiteral("zidingyi_xianshi"));
    r.setSubItem(5, QStringLiteral("100"));
    r.setSubItem(6, QStringLiteral("39"));
    r.setSubItem(13, QString::number(0x0000ff)); // red in the low byte
    struct Case {
        const char *style;
        bool bold, italic;
    };
    for (const Case &c : {Case{"changgui", false, false}, Case{"cuti", true, false}, Case{"xieti", false, true},
                          Case{"cutixieti", true, true}}) {
        r.setSubItem(8, QLatin1String(c.style));
        const LyricPlacement p = applyLyricSettings(r, QStringLiteral("歌"), {1280, 720}, true);
        EXPECT_EQ(p.topLeft, QPoint(188, 72)) << c.style; // 100 × 1280 div 679, 39 × 720 div 390
        EXPECT_EQ(p.font.bold(), c.bold) << c.style;
        EXPECT_EQ(p.font.italic(), c.italic) << c.style;
        EXPECT_EQ(p.color, QColor(255, 0, 0));
    }
    r.setSubItem(10, QStringLiteral("zidingyi_juzhong"));
    const LyricPlacement centred = applyLyricSettings(r, QStringLiteral("歌歌歌"), {1280, 720}, true);
    EXPECT_EQ(centred.topLeft.x(),
              640 - QFontMetrics(centred.font, nullptr).horizontalAdvance(QStringLiteral("歌歌歌")) / 2);
}

TEST(LyricSettings, DrawnLineUsesACjkFont)
{
    ensureLyricFonts();
    if (!QFontDatabase::families().contains(QStringLiteral("WenQuanYi Micro Hei")))
        GTEST_SKIP() << "fonts-wqy-microhei is not installed";
    QImage img(1358, 780, QImage::Format_RGB32); // twice the reference screen: 20 pt
    img.fill(Qt::black);
    const LyricPlacement p = applyLyricSettings(defaults(), QStringLiteral("月亮代表我的心"), img.size(), true, &img);
    EXPECT_EQ(QFontInfo(p.font).family(), QStringLiteral("WenQuanYi Micro Hei"));
    QPainter painter(&img);
    drawLyric(painter, p);
    painter.end();
    int lit = 0;
    for (int y = 0; y < img.height(); ++y)
        for (int x = 0; x < img.width(); ++x)
            lit += qGray(img.pixel(x, y)) > 128;
    EXPECT_GT(lit, 300);
}

TEST(ChineseConvert, BothDirections)
{
    EXPECT_EQ(convertChinese(QStringLiteral("甜蜜蜜 你笑得甜蜜蜜 后来"), ChineseForm::Traditional),
              QStringLiteral("甜蜜蜜 你笑得甜蜜蜜 後來"));
    EXPECT_EQ(convertChinese(QStringLiteral("漢字與詞語"), ChineseForm::Simplified), QStringLiteral("汉字与词语"));
    Row r = defaults();
    r.setSubItem(14, QStringLiteral("fanti"));
    EXPECT_EQ(lyricTextForRow(r, QStringLiteral("汉字")), QStringLiteral("漢字"));
}

// A karaoke line half-way through its second word: the first word in the
// highlight colour, the second one's left half highlighted and its right half
// still in the line's colour, the third untouched.
TEST(LyricSettings, KaraokeFillAtAWordsMidpointCoversHalfTheWord)
{
    ensureLyricFonts();
    QImage img(679, 390, QImage::Format_RGB32);
    img.fill(Qt::black);
    Row r = defaults();
    r.setSubItem(9, QStringLiteral("40"));
    const QString line = QStringLiteral("我们的");
    const LyricPlacement p = applyLyricSettings(r, line, img.size(), false, &img);
    EXPECT_EQ(p.highlight, QColor(255, 200, 0));
    QPainter painter(&img);
    drawLyric(painter, p, 1.5);
    painter.end();
    const QFontMetrics m(p.font, &img);
    const int x0 = p.topLeft.x();
    const int edges[] = {x0, x0 + m.horizontalAdvance(line.left(1)), x0 + m.horizontalAdvance(line.left(2)),
                         x0 + m.horizontalAdvance(line)};
    struct Count {
        int yellow = 0, white = 0;
    };
    auto count = [&](int from, int to) {
        Count c;
        for (int y = p.topLeft.y(); y < p.topLeft.y() + p.lineHeight; ++y)
            for (int x = from; x < to; ++x) {
                const QRgb px = img.pixel(x, y);
                c.yellow += qRed(px) > 100 && qBlue(px) * 3 < qRed(px);
                c.white += qBlue(px) > 100 && qBlue(px) * 5 > qRed(px) * 4;
            }
        return c;
    };
    const int middle = (edges[1] + edges[2]) / 2;
    const Count first = count(edges[0], edges[1]), left = count(edges[1], middle), right = count(middle, edges[2]),
                third = count(edges[2], edges[3]);
    EXPECT_GT(first.yellow, 50);
    EXPECT_EQ(first.white, 0);
    EXPECT_GT(left.yellow, 20);
    EXPECT_LT(left.white, left.yellow / 10 + 2);
    EXPECT_GT(right.white, 20);
    EXPECT_LT(right.yellow, right.white / 10 + 2);
    EXPECT_GT(third.white, 50);
    EXPECT_EQ(third.yellow, 0);
}
